/*
 * BMessage: a command code ("what") and any number of named, typed fields, each holding
 * one or more values. Messages carry every command between threads and, flattened to
 * bytes, between processes.
 *
 * Find* of a missing field, a field of another type or an index past the end returns an
 * error (B_NAME_NOT_FOUND, B_BAD_TYPE, B_BAD_INDEX) and leaves the output untouched.
 * The value-returning forms (FindInt32(name) and so on) return 0, false, null, an
 * invalid BRect or B_ORIGIN when the value is missing, as on R5.
 *
 * Copying a message copies its command and fields; the delivery state (return address,
 * a waiting sender) stays with the original, so only the delivered message can answer.
 */
#ifndef _MESSAGE_H
#define _MESSAGE_H

#include <AppDefs.h>
#include <Messenger.h>
#include <OS.h>
#include <Point.h>
#include <Rect.h>
#include <TypeConstants.h>

#include <memory>
#include <string>
#include <vector>

class BDataIO;
class BHandler;
class BString;
struct entry_ref;

namespace BPrivate {
	struct ReplyWaiter;
	class MessageAccess;
}

class BMessage {
public:
			uint32				what;

								BMessage();
								BMessage(uint32 what);
								BMessage(const BMessage& other);
	virtual						~BMessage();

			BMessage&			operator=(const BMessage& other);

	// Field inspection.
			// The name, type and count of the index-th field whose type matches
			// (B_ANY_TYPE matches every field). name points into the message.
			status_t			GetInfo(type_code typeRequested, int32 index, char** name,
									type_code* typeFound, int32* countFound = NULL) const;
			status_t			GetInfo(const char* name, type_code* typeFound,
									int32* countFound = NULL) const;
			status_t			GetInfo(const char* name, type_code* typeFound,
									bool* fixedSize) const;
			int32				CountNames(type_code type) const;
			bool				IsEmpty() const;
			// True for the commands of the system: those of the form '_XXX'.
			bool				IsSystem() const;
			bool				IsReply() const;
			void				PrintToStream() const;

			status_t			Rename(const char* oldName, const char* newName);

	// Delivery information.
			bool				WasDelivered() const;
			bool				IsSourceWaiting() const;
			bool				IsSourceRemote() const;
			BMessenger			ReturnAddress() const;
			// The message that this one replies to, or null.
			const BMessage*		Previous() const;
			bool				WasDropped() const;

	// Replies. A message that nobody answers replies B_NO_REPLY to a waiting
	// sender when it is deleted. A message without a return address replies to
	// be_app, as on R5.
			status_t			SendReply(uint32 command, BHandler* replyTo = NULL);
			status_t			SendReply(BMessage* reply, BHandler* replyTo = NULL,
									bigtime_t timeout = B_INFINITE_TIMEOUT);
			status_t			SendReply(BMessage* reply, BMessenger replyTo,
									bigtime_t timeout = B_INFINITE_TIMEOUT);
			status_t			SendReply(uint32 command, BMessage* replyToReply);
			status_t			SendReply(BMessage* reply, BMessage* replyToReply,
									bigtime_t sendTimeout = B_INFINITE_TIMEOUT,
									bigtime_t replyTimeout = B_INFINITE_TIMEOUT);

	// Flattening. The format is this platform's own: a magic number, a version,
	// the command and the fields. Unflatten rejects malformed or truncated data
	// with B_BAD_VALUE or B_BAD_DATA and never reads past the buffer.
			ssize_t				FlattenedSize() const;
			status_t			Flatten(char* buffer, ssize_t size) const;
			status_t			Flatten(BDataIO* stream, ssize_t* size = NULL) const;
			status_t			Unflatten(const char* flatBuffer);
			status_t			Unflatten(const char* flatBuffer, ssize_t size);
			status_t			Unflatten(BDataIO* stream);

	// Adding values. Adding to an existing field of another type is B_BAD_TYPE.
			status_t			AddRect(const char* name, BRect rect);
			status_t			AddPoint(const char* name, BPoint point);
			status_t			AddString(const char* name, const char* string);
			status_t			AddString(const char* name, const BString& string);
			status_t			AddInt8(const char* name, int8 value);
			status_t			AddInt16(const char* name, int16 value);
			status_t			AddInt32(const char* name, int32 value);
			status_t			AddInt64(const char* name, int64 value);
			status_t			AddBool(const char* name, bool value);
			status_t			AddFloat(const char* name, float value);
			status_t			AddDouble(const char* name, double value);
			status_t			AddPointer(const char* name, const void* pointer);
			status_t			AddMessenger(const char* name, BMessenger messenger);
			status_t			AddRef(const char* name, const entry_ref* ref);
			status_t			AddMessage(const char* name, const BMessage* message);
			// fixedSize: every value of the field has the size of the first.
			status_t			AddData(const char* name, type_code type, const void* data,
									ssize_t numBytes, bool fixedSize = true,
									int32 numItems = 1);

	// Removing values.
			status_t			RemoveData(const char* name, int32 index = 0);
			status_t			RemoveName(const char* name);
			status_t			MakeEmpty();

	// Finding values.
			status_t			FindRect(const char* name, BRect* rect) const;
			status_t			FindRect(const char* name, int32 index, BRect* rect) const;
			status_t			FindPoint(const char* name, BPoint* point) const;
			status_t			FindPoint(const char* name, int32 index, BPoint* point) const;
			status_t			FindString(const char* name, const char** string) const;
			status_t			FindString(const char* name, int32 index,
									const char** string) const;
			status_t			FindString(const char* name, BString* string) const;
			status_t			FindString(const char* name, int32 index,
									BString* string) const;
			status_t			FindInt8(const char* name, int8* value) const;
			status_t			FindInt8(const char* name, int32 index, int8* value) const;
			status_t			FindInt16(const char* name, int16* value) const;
			status_t			FindInt16(const char* name, int32 index, int16* value) const;
			status_t			FindInt32(const char* name, int32* value) const;
			status_t			FindInt32(const char* name, int32 index, int32* value) const;
			status_t			FindInt64(const char* name, int64* value) const;
			status_t			FindInt64(const char* name, int32 index, int64* value) const;
			status_t			FindBool(const char* name, bool* value) const;
			status_t			FindBool(const char* name, int32 index, bool* value) const;
			status_t			FindFloat(const char* name, float* value) const;
			status_t			FindFloat(const char* name, int32 index, float* value) const;
			status_t			FindDouble(const char* name, double* value) const;
			status_t			FindDouble(const char* name, int32 index, double* value) const;
			status_t			FindPointer(const char* name, void** pointer) const;
			status_t			FindPointer(const char* name, int32 index,
									void** pointer) const;
			status_t			FindMessenger(const char* name, BMessenger* messenger) const;
			status_t			FindMessenger(const char* name, int32 index,
									BMessenger* messenger) const;
			status_t			FindRef(const char* name, entry_ref* ref) const;
			status_t			FindRef(const char* name, int32 index, entry_ref* ref) const;
			status_t			FindMessage(const char* name, BMessage* message) const;
			status_t			FindMessage(const char* name, int32 index,
									BMessage* message) const;
			// data points into the message and stays valid until the field changes.
			status_t			FindData(const char* name, type_code type, const void** data,
									ssize_t* numBytes) const;
			status_t			FindData(const char* name, type_code type, int32 index,
									const void** data, ssize_t* numBytes) const;

	// Replacing values.
			status_t			ReplaceRect(const char* name, BRect rect);
			status_t			ReplaceRect(const char* name, int32 index, BRect rect);
			status_t			ReplacePoint(const char* name, BPoint point);
			status_t			ReplacePoint(const char* name, int32 index, BPoint point);
			status_t			ReplaceString(const char* name, const char* string);
			status_t			ReplaceString(const char* name, int32 index,
									const char* string);
			status_t			ReplaceString(const char* name, const BString& string);
			status_t			ReplaceString(const char* name, int32 index,
									const BString& string);
			status_t			ReplaceInt8(const char* name, int8 value);
			status_t			ReplaceInt8(const char* name, int32 index, int8 value);
			status_t			ReplaceInt16(const char* name, int16 value);
			status_t			ReplaceInt16(const char* name, int32 index, int16 value);
			status_t			ReplaceInt32(const char* name, int32 value);
			status_t			ReplaceInt32(const char* name, int32 index, int32 value);
			status_t			ReplaceInt64(const char* name, int64 value);
			status_t			ReplaceInt64(const char* name, int32 index, int64 value);
			status_t			ReplaceBool(const char* name, bool value);
			status_t			ReplaceBool(const char* name, int32 index, bool value);
			status_t			ReplaceFloat(const char* name, float value);
			status_t			ReplaceFloat(const char* name, int32 index, float value);
			status_t			ReplaceDouble(const char* name, double value);
			status_t			ReplaceDouble(const char* name, int32 index, double value);
			status_t			ReplacePointer(const char* name, const void* pointer);
			status_t			ReplacePointer(const char* name, int32 index,
									const void* pointer);
			status_t			ReplaceMessenger(const char* name, BMessenger messenger);
			status_t			ReplaceMessenger(const char* name, int32 index,
									BMessenger messenger);
			status_t			ReplaceRef(const char* name, const entry_ref* ref);
			status_t			ReplaceRef(const char* name, int32 index,
									const entry_ref* ref);
			status_t			ReplaceMessage(const char* name, const BMessage* message);
			status_t			ReplaceMessage(const char* name, int32 index,
									const BMessage* message);
			status_t			ReplaceData(const char* name, type_code type,
									const void* data, ssize_t numBytes);
			status_t			ReplaceData(const char* name, type_code type, int32 index,
									const void* data, ssize_t numBytes);

	// Presence tests.
			bool				HasRect(const char* name, int32 index = 0) const;
			bool				HasPoint(const char* name, int32 index = 0) const;
			bool				HasString(const char* name, int32 index = 0) const;
			bool				HasInt8(const char* name, int32 index = 0) const;
			bool				HasInt16(const char* name, int32 index = 0) const;
			bool				HasInt32(const char* name, int32 index = 0) const;
			bool				HasInt64(const char* name, int32 index = 0) const;
			bool				HasBool(const char* name, int32 index = 0) const;
			bool				HasFloat(const char* name, int32 index = 0) const;
			bool				HasDouble(const char* name, int32 index = 0) const;
			bool				HasPointer(const char* name, int32 index = 0) const;
			bool				HasMessenger(const char* name, int32 index = 0) const;
			bool				HasRef(const char* name, int32 index = 0) const;
			bool				HasMessage(const char* name, int32 index = 0) const;
			bool				HasData(const char* name, type_code type,
									int32 index = 0) const;

	// The value-returning forms of R5.
			BRect				FindRect(const char* name, int32 index = 0) const;
			BPoint				FindPoint(const char* name, int32 index = 0) const;
			const char*			FindString(const char* name, int32 index = 0) const;
			int8				FindInt8(const char* name, int32 index = 0) const;
			int16				FindInt16(const char* name, int32 index = 0) const;
			int32				FindInt32(const char* name, int32 index = 0) const;
			int64				FindInt64(const char* name, int32 index = 0) const;
			bool				FindBool(const char* name, int32 index = 0) const;
			float				FindFloat(const char* name, int32 index = 0) const;
			double				FindDouble(const char* name, int32 index = 0) const;

private:
	friend class BPrivate::MessageAccess;

			struct Field {
				std::string					name;
				type_code					type;
				bool						fixedSize;
				std::vector<std::string>	values;
			};

			Field*				_FindField(const char* name);
			const Field*		_FindField(const char* name) const;
			status_t			_FindValue(const char* name, type_code type, int32 index,
									const std::string** value) const;
			status_t			_FindFixed(const char* name, type_code type, int32 index,
									void* out, size_t size) const;
			status_t			_AddValue(const char* name, type_code type, const void* data,
									size_t size, bool fixedSize);
			status_t			_ReplaceValue(const char* name, type_code type, int32 index,
									const void* data, size_t size);
			void				_ClearDelivery();
			void				_SendNoReplyIfNeeded();
			status_t			_DeliverReply(BMessage* reply, const BMessenger* replyTo,
									BMessage* replyToReply, bigtime_t sendTimeout,
									bigtime_t replyTimeout);

			std::vector<Field>	fFields;

			// Delivery state, set when the message is posted to a looper.
			BMessenger			fReplyTo;
			std::shared_ptr<BPrivate::ReplyWaiter> fReplyWaiter;
			BMessage*			fOriginal;
			int32				fTargetToken;
			bool				fWasDelivered;
			bool				fIsReply;
			bool				fReplyDone;
			bool				fSourceRemote;
};

#endif	// _MESSAGE_H
