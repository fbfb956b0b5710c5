#include <Message.h>

#include <Application.h>
#include <DataIO.h>
#include <Entry.h>
#include <String.h>

#include "app/MessagePrivate.h"

#include <cstdio>
#include <cstring>

using BPrivate::MessageAccess;
using BPrivate::ReplyWaiter;

namespace {

// "QMSG": the first four bytes of every flattened message.
const uint32 kFlatMagic = 0x514d5347;
const uint32 kFlatVersion = 1;
// magic, version, total size, what, field count
const size_t kFlatHeaderSize = 20;
const uint32 kFieldFixedSize = 0x1;


void
AppendUInt32(std::string& out, uint32 value)
{
	char bytes[4] = { (char)(value & 0xff), (char)((value >> 8) & 0xff),
		(char)((value >> 16) & 0xff), (char)((value >> 24) & 0xff) };
	out.append(bytes, 4);
}


uint32
ReadUInt32(const char* data)
{
	const uint8* bytes = (const uint8*)data;
	return (uint32)bytes[0] | ((uint32)bytes[1] << 8) | ((uint32)bytes[2] << 16)
		| ((uint32)bytes[3] << 24);
}


// Reads the flattened fields with bounds checks on every step.
class FlatReader {
public:
	FlatReader(const char* data, size_t size) : fData(data), fSize(size), fPosition(0) {}

	bool ReadUInt32(uint32* value)
	{
		if (fSize - fPosition < 4)
			return false;
		*value = ::ReadUInt32(fData + fPosition);
		fPosition += 4;
		return true;
	}

	bool ReadBytes(size_t length, std::string* out)
	{
		if (fSize - fPosition < length)
			return false;
		out->assign(fData + fPosition, length);
		fPosition += length;
		return true;
	}

	size_t Remaining() const { return fSize - fPosition; }

private:
	const char*	fData;
	size_t		fSize;
	size_t		fPosition;
};


// The size that values of the known fixed types must have; 0 for others.
size_t
FixedSizeOf(type_code type)
{
	switch (type) {
		case B_INT8_TYPE:
		case B_UINT8_TYPE:
		case B_BOOL_TYPE:
			return 1;
		case B_INT16_TYPE:
		case B_UINT16_TYPE:
			return 2;
		case B_INT32_TYPE:
		case B_UINT32_TYPE:
		case B_FLOAT_TYPE:
			return 4;
		case B_INT64_TYPE:
		case B_UINT64_TYPE:
		case B_DOUBLE_TYPE:
		case B_POINT_TYPE:
			return 8;
		case B_RECT_TYPE:
			return 16;
		case B_POINTER_TYPE:
			return sizeof(void*);
		default:
			return 0;
	}
}


// Checks a value of a type whose layout this file defines.
bool
IsWellFormed(type_code type, const std::string& value)
{
	size_t fixed = FixedSizeOf(type);
	if (fixed != 0)
		return value.size() == fixed;
	switch (type) {
		case B_STRING_TYPE:
			return !value.empty() && value.back() == '\0';
		case B_REF_TYPE:
		{
			// folder path, NUL, leaf name, NUL; neither holds a NUL of its own
			size_t nulCount = 0;
			for (char c : value)
				nulCount += c == '\0';
			return nulCount == 2 && value.back() == '\0';
		}
		case B_MESSENGER_TYPE:
			return value.size() >= 13 && value.back() == '\0'
				&& strlen(value.data() + 12) == value.size() - 13;
		default:
			return true;
	}
}


std::string
EncodeRef(const entry_ref* ref)
{
	std::string out;
	if (ref->directory_path != NULL)
		out += ref->directory_path;
	out += '\0';
	if (ref->name != NULL)
		out += ref->name;
	out += '\0';
	return out;
}


std::string
EncodeMessenger(const BMessenger& messenger)
{
	std::string out;
	AppendUInt32(out, (uint32)messenger.Team());
	AppendUInt32(out, (uint32)MessageAccess::LooperToken(messenger));
	AppendUInt32(out, (uint32)MessageAccess::HandlerToken(messenger));
	out += MessageAccess::Signature(messenger);
	out += '\0';
	return out;
}


void
PrintValue(type_code type, const std::string& value)
{
	switch (type) {
		case B_STRING_TYPE:
			printf("string(\"%s\", %zu bytes)", value.c_str(), value.size());
			return;
		case B_INT8_TYPE:
			printf("int8(%d)", (int)(int8)value[0]);
			return;
		case B_INT16_TYPE:
		{
			int16 v;
			memcpy(&v, value.data(), 2);
			printf("int16(%d)", (int)v);
			return;
		}
		case B_INT32_TYPE:
		{
			int32 v;
			memcpy(&v, value.data(), 4);
			printf("int32(%d or 0x%x)", (int)v, (unsigned)v);
			return;
		}
		case B_INT64_TYPE:
		{
			int64 v;
			memcpy(&v, value.data(), 8);
			printf("int64(%lld)", (long long)v);
			return;
		}
		case B_BOOL_TYPE:
			printf("bool(%s)", value[0] ? "true" : "false");
			return;
		case B_FLOAT_TYPE:
		{
			float v;
			memcpy(&v, value.data(), 4);
			printf("float(%.4f)", v);
			return;
		}
		case B_DOUBLE_TYPE:
		{
			double v;
			memcpy(&v, value.data(), 8);
			printf("double(%.8f)", v);
			return;
		}
		case B_POINT_TYPE:
		{
			float v[2];
			memcpy(v, value.data(), 8);
			printf("BPoint(x:%.1f, y:%.1f)", v[0], v[1]);
			return;
		}
		case B_RECT_TYPE:
		{
			float v[4];
			memcpy(v, value.data(), 16);
			printf("BRect(l:%.1f, t:%.1f, r:%.1f, b:%.1f)", v[0], v[1], v[2], v[3]);
			return;
		}
		case B_REF_TYPE:
			printf("entry_ref(\"%s/%s\")", value.c_str(), value.c_str() + strlen(value.c_str()) + 1);
			return;
		default:
			printf("%zu bytes", value.size());
			return;
	}
}


void
PrintTypeCode(type_code type)
{
	char text[5];
	for (int i = 0; i < 4; i++) {
		char c = (char)((type >> (24 - 8 * i)) & 0xff);
		text[i] = (c >= 0x20 && c < 0x7f) ? c : '.';
	}
	text[4] = '\0';
	printf("'%s'", text);
}

}	// namespace


// #pragma mark - life cycle


BMessage::BMessage()
	:
	BMessage((uint32)0)
{
}


BMessage::BMessage(uint32 command)
	:
	what(command),
	fOriginal(NULL),
	fTargetToken(BPrivate::kNoToken),
	fWasDelivered(false),
	fIsReply(false),
	fReplyDone(false),
	fSourceRemote(false)
{
}


BMessage::BMessage(const BMessage& other)
	:
	what(other.what),
	fFields(other.fFields),
	fOriginal(NULL),
	fTargetToken(BPrivate::kNoToken),
	fWasDelivered(false),
	fIsReply(false),
	fReplyDone(false),
	fSourceRemote(false)
{
}


BMessage::~BMessage()
{
	_SendNoReplyIfNeeded();
	delete fOriginal;
}


BMessage&
BMessage::operator=(const BMessage& other)
{
	if (this != &other) {
		_SendNoReplyIfNeeded();
		_ClearDelivery();
		what = other.what;
		fFields = other.fFields;
	}
	return *this;
}


void
BMessage::_ClearDelivery()
{
	fReplyTo = BMessenger();
	fReplyWaiter.reset();
	delete fOriginal;
	fOriginal = NULL;
	fTargetToken = BPrivate::kNoToken;
	fWasDelivered = false;
	fIsReply = false;
	fReplyDone = false;
	fSourceRemote = false;
}


void
BMessage::_SendNoReplyIfNeeded()
{
	if (fReplyWaiter && !fReplyDone) {
		fReplyDone = true;
		fReplyWaiter->Deliver(new BMessage(B_NO_REPLY));
	}
	fReplyWaiter.reset();
}


// #pragma mark - inspection


BMessage::Field*
BMessage::_FindField(const char* name)
{
	if (name == NULL)
		return NULL;
	for (Field& field : fFields) {
		if (field.name == name)
			return &field;
	}
	return NULL;
}


const BMessage::Field*
BMessage::_FindField(const char* name) const
{
	return const_cast<BMessage*>(this)->_FindField(name);
}


status_t
BMessage::GetInfo(type_code typeRequested, int32 index, char** name,
	type_code* typeFound, int32* countFound) const
{
	if (index < 0)
		return B_BAD_INDEX;
	int32 matching = 0;
	bool anyOfType = false;
	for (const Field& field : fFields) {
		if (typeRequested != B_ANY_TYPE && field.type != typeRequested)
			continue;
		anyOfType = true;
		if (matching++ != index)
			continue;
		if (name != NULL)
			*name = const_cast<char*>(field.name.c_str());
		if (typeFound != NULL)
			*typeFound = field.type;
		if (countFound != NULL)
			*countFound = (int32)field.values.size();
		return B_OK;
	}
	return anyOfType ? B_BAD_INDEX : B_BAD_TYPE;
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound) const
{
	const Field* field = _FindField(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (typeFound != NULL)
		*typeFound = field->type;
	if (countFound != NULL)
		*countFound = (int32)field->values.size();
	return B_OK;
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const
{
	const Field* field = _FindField(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (typeFound != NULL)
		*typeFound = field->type;
	if (fixedSize != NULL)
		*fixedSize = field->fixedSize;
	return B_OK;
}


int32
BMessage::CountNames(type_code type) const
{
	int32 count = 0;
	for (const Field& field : fFields) {
		if (type == B_ANY_TYPE || field.type == type)
			count++;
	}
	return count;
}


bool
BMessage::IsEmpty() const
{
	return fFields.empty();
}


bool
BMessage::IsSystem() const
{
	return ((what >> 24) & 0xff) == '_';
}


bool
BMessage::IsReply() const
{
	return fIsReply;
}


void
BMessage::PrintToStream() const
{
	printf("BMessage(");
	PrintTypeCode(what);
	printf(") {\n");
	for (const Field& field : fFields) {
		for (size_t i = 0; i < field.values.size(); i++) {
			printf("        %s[%zu], type = ", field.name.c_str(), i);
			PrintTypeCode(field.type);
			printf(", ");
			PrintValue(field.type, field.values[i]);
			printf("\n");
		}
	}
	printf("}\n");
	fflush(stdout);
}


status_t
BMessage::Rename(const char* oldName, const char* newName)
{
	if (oldName == NULL || newName == NULL)
		return B_BAD_VALUE;
	Field* field = _FindField(oldName);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (strcmp(oldName, newName) == 0)
		return B_OK;
	RemoveName(newName);
	field = _FindField(oldName);
	field->name = newName;
	return B_OK;
}


// #pragma mark - delivery information


bool
BMessage::WasDelivered() const
{
	return fWasDelivered;
}


bool
BMessage::IsSourceWaiting() const
{
	return fReplyWaiter != NULL && !fReplyDone;
}


bool
BMessage::IsSourceRemote() const
{
	return fSourceRemote;
}


BMessenger
BMessage::ReturnAddress() const
{
	return fReplyTo;
}


const BMessage*
BMessage::Previous() const
{
	return fOriginal;
}


bool
BMessage::WasDropped() const
{
	return false;
}


// #pragma mark - replies


status_t
BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}


status_t
BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t timeout)
{
	if (replyTo == NULL)
		return _DeliverReply(reply, NULL, NULL, timeout, B_INFINITE_TIMEOUT);
	BMessenger messenger(replyTo);
	return _DeliverReply(reply, &messenger, NULL, timeout, B_INFINITE_TIMEOUT);
}


status_t
BMessage::SendReply(BMessage* reply, BMessenger replyTo, bigtime_t timeout)
{
	return _DeliverReply(reply, &replyTo, NULL, timeout, B_INFINITE_TIMEOUT);
}


status_t
BMessage::SendReply(uint32 command, BMessage* replyToReply)
{
	BMessage reply(command);
	return SendReply(&reply, replyToReply);
}


status_t
BMessage::SendReply(BMessage* reply, BMessage* replyToReply, bigtime_t sendTimeout,
	bigtime_t replyTimeout)
{
	return _DeliverReply(reply, NULL, replyToReply, sendTimeout, replyTimeout);
}


status_t
BMessage::_DeliverReply(BMessage* reply, const BMessenger* replyTo, BMessage* replyToReply,
	bigtime_t sendTimeout, bigtime_t replyTimeout)
{
	if (reply == NULL)
		return B_BAD_VALUE;
	if (!fWasDelivered)
		return B_BAD_REPLY;
	if (fReplyDone)
		return B_DUPLICATE_REPLY;

	if (fReplyWaiter) {
		// The sender waits in SendMessage: hand the reply over directly.
		fReplyDone = true;
		BMessage* copy = new BMessage(*reply);
		std::shared_ptr<ReplyWaiter> replyWaiter;
		if (replyToReply != NULL)
			replyWaiter = std::make_shared<ReplyWaiter>();
		MessageAccess::PrepareDelivery(copy, BPrivate::kNoToken, replyTo, replyWaiter, true,
			new BMessage(*this));
		std::shared_ptr<ReplyWaiter> waiter = fReplyWaiter;
		fReplyWaiter.reset();
		if (!waiter->Deliver(copy))
			return B_BAD_REPLY;
		if (replyWaiter)
			return replyWaiter->Wait(replyTimeout, replyToReply);
		return B_OK;
	}

	BMessenger target = fReplyTo;
	if (!target.IsValid()) {
		// R5 sends replies without a return address to the application.
		if (be_app_messenger.IsValid())
			target = be_app_messenger;
		else
			return B_BAD_REPLY;
	}
	fReplyDone = true;

	BMessage copy(*reply);
	copy.fIsReply = true;
	copy.fOriginal = new BMessage(*this);
	status_t status;
	if (replyToReply != NULL)
		status = target.SendMessage(&copy, replyToReply, sendTimeout, replyTimeout);
	else if (replyTo != NULL)
		status = target.SendMessage(&copy, *replyTo, sendTimeout);
	else
		status = target.SendMessage(&copy, (BHandler*)NULL, sendTimeout);
	return status;
}


// #pragma mark - flattening


ssize_t
BMessage::FlattenedSize() const
{
	size_t size = kFlatHeaderSize;
	for (const Field& field : fFields) {
		size += 16 + field.name.size();
		for (const std::string& value : field.values)
			size += 4 + value.size();
	}
	return (ssize_t)size;
}


status_t
BMessage::Flatten(char* buffer, ssize_t size) const
{
	if (buffer == NULL)
		return B_BAD_VALUE;
	ssize_t needed = FlattenedSize();
	if (size < needed)
		return B_BAD_VALUE;

	std::string out;
	out.reserve(needed);
	AppendUInt32(out, kFlatMagic);
	AppendUInt32(out, kFlatVersion);
	AppendUInt32(out, (uint32)needed);
	AppendUInt32(out, what);
	AppendUInt32(out, (uint32)fFields.size());
	for (const Field& field : fFields) {
		AppendUInt32(out, field.type);
		AppendUInt32(out, field.fixedSize ? kFieldFixedSize : 0);
		AppendUInt32(out, (uint32)field.name.size());
		out += field.name;
		AppendUInt32(out, (uint32)field.values.size());
		for (const std::string& value : field.values) {
			AppendUInt32(out, (uint32)value.size());
			out += value;
		}
	}
	memcpy(buffer, out.data(), out.size());
	return B_OK;
}


status_t
BMessage::Flatten(BDataIO* stream, ssize_t* size) const
{
	if (stream == NULL)
		return B_BAD_VALUE;
	ssize_t needed = FlattenedSize();
	std::string buffer((size_t)needed, '\0');
	status_t status = Flatten(buffer.data(), needed);
	if (status != B_OK)
		return status;
	ssize_t written = stream->Write(buffer.data(), buffer.size());
	if (written < 0)
		return (status_t)written;
	if (written != needed)
		return B_IO_ERROR;
	if (size != NULL)
		*size = needed;
	return B_OK;
}


status_t
BMessage::Unflatten(const char* flatBuffer)
{
	if (flatBuffer == NULL)
		return B_BAD_VALUE;
	if (ReadUInt32(flatBuffer) != kFlatMagic)
		return B_BAD_VALUE;
	// The caller promises a whole message: the header says how long it is.
	uint32 size = ReadUInt32(flatBuffer + 8);
	return Unflatten(flatBuffer, (ssize_t)size);
}


status_t
BMessage::Unflatten(const char* flatBuffer, ssize_t size)
{
	if (flatBuffer == NULL || size < (ssize_t)kFlatHeaderSize)
		return B_BAD_VALUE;
	if (ReadUInt32(flatBuffer) != kFlatMagic)
		return B_BAD_VALUE;
	if (ReadUInt32(flatBuffer + 4) != kFlatVersion)
		return B_BAD_DATA;
	uint32 totalSize = ReadUInt32(flatBuffer + 8);
	if (totalSize < kFlatHeaderSize || totalSize > (uint64)size)
		return B_BAD_DATA;

	FlatReader reader(flatBuffer + kFlatHeaderSize, totalSize - kFlatHeaderSize);
	uint32 command = ReadUInt32(flatBuffer + 12);
	uint32 fieldCount = ReadUInt32(flatBuffer + 16);
	// Every field takes at least 16 bytes; this bounds the reservation below.
	if (fieldCount > reader.Remaining() / 16)
		return B_BAD_DATA;

	std::vector<Field> fields;
	fields.reserve(fieldCount);
	for (uint32 i = 0; i < fieldCount; i++) {
		Field field;
		uint32 flags, nameLength, valueCount;
		if (!reader.ReadUInt32(&field.type) || !reader.ReadUInt32(&flags)
			|| !reader.ReadUInt32(&nameLength)
			|| !reader.ReadBytes(nameLength, &field.name)
			|| !reader.ReadUInt32(&valueCount)) {
			return B_BAD_DATA;
		}
		field.fixedSize = (flags & kFieldFixedSize) != 0;
		if (field.name.empty() || field.name.find('\0') != std::string::npos
			|| valueCount == 0 || valueCount > reader.Remaining() / 4) {
			return B_BAD_DATA;
		}
		for (const Field& earlier : fields) {
			if (earlier.name == field.name)
				return B_BAD_DATA;
		}
		field.values.reserve(valueCount);
		for (uint32 j = 0; j < valueCount; j++) {
			uint32 valueSize;
			std::string value;
			if (!reader.ReadUInt32(&valueSize) || !reader.ReadBytes(valueSize, &value))
				return B_BAD_DATA;
			if (!IsWellFormed(field.type, value))
				return B_BAD_DATA;
			if (field.fixedSize && j > 0 && value.size() != field.values[0].size())
				return B_BAD_DATA;
			field.values.push_back(std::move(value));
		}
		fields.push_back(std::move(field));
	}
	if (reader.Remaining() != 0)
		return B_BAD_DATA;

	_SendNoReplyIfNeeded();
	_ClearDelivery();
	what = command;
	fFields = std::move(fields);
	return B_OK;
}


status_t
BMessage::Unflatten(BDataIO* stream)
{
	if (stream == NULL)
		return B_BAD_VALUE;
	char header[kFlatHeaderSize];
	ssize_t read = stream->Read(header, sizeof(header));
	if (read < 0)
		return (status_t)read;
	if (read != (ssize_t)sizeof(header) || ReadUInt32(header) != kFlatMagic)
		return B_BAD_VALUE;
	uint32 totalSize = ReadUInt32(header + 8);
	if (totalSize < kFlatHeaderSize || totalSize > 0x40000000)
		return B_BAD_DATA;
	std::string buffer(totalSize, '\0');
	memcpy(buffer.data(), header, sizeof(header));
	size_t rest = totalSize - kFlatHeaderSize;
	if (rest > 0) {
		read = stream->Read(buffer.data() + kFlatHeaderSize, rest);
		if (read < 0)
			return (status_t)read;
		if ((size_t)read != rest)
			return B_BAD_DATA;
	}
	return Unflatten(buffer.data(), (ssize_t)buffer.size());
}


// #pragma mark - generic field access


status_t
BMessage::_AddValue(const char* name, type_code type, const void* data, size_t size,
	bool fixedSize)
{
	if (name == NULL || name[0] == '\0' || (data == NULL && size > 0))
		return B_BAD_VALUE;
	Field* field = _FindField(name);
	if (field == NULL) {
		fFields.push_back(Field{name, type, fixedSize, {}});
		field = &fFields.back();
	} else if (field->type != type) {
		return B_BAD_TYPE;
	} else if (field->fixedSize && field->values[0].size() != size) {
		return B_BAD_VALUE;
	}
	field->values.emplace_back((const char*)data, size);
	return B_OK;
}


status_t
BMessage::_FindValue(const char* name, type_code type, int32 index,
	const std::string** value) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	const Field* field = _FindField(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (type != B_ANY_TYPE && field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || (size_t)index >= field->values.size())
		return B_BAD_INDEX;
	*value = &field->values[index];
	return B_OK;
}


status_t
BMessage::_FindFixed(const char* name, type_code type, int32 index, void* out,
	size_t size) const
{
	const std::string* value;
	status_t status = _FindValue(name, type, index, &value);
	if (status != B_OK)
		return status;
	if (value->size() != size)
		return B_BAD_DATA;
	if (out == NULL)
		return B_BAD_VALUE;
	memcpy(out, value->data(), size);
	return B_OK;
}


status_t
BMessage::_ReplaceValue(const char* name, type_code type, int32 index, const void* data,
	size_t size)
{
	if (name == NULL || (data == NULL && size > 0))
		return B_BAD_VALUE;
	Field* field = _FindField(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || (size_t)index >= field->values.size())
		return B_BAD_INDEX;
	if (field->fixedSize && field->values[0].size() != size && field->values.size() > 1)
		return B_BAD_VALUE;
	field->values[index].assign((const char*)data, size);
	return B_OK;
}


status_t
BMessage::AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
	bool fixedSize, int32 numItems)
{
	if (numBytes < 0 || type == B_ANY_TYPE)
		return B_BAD_VALUE;
	std::string value((const char*)data, data != NULL ? (size_t)numBytes : 0);
	if (data == NULL || !IsWellFormed(type, value))
		return B_BAD_VALUE;
	return _AddValue(name, type, data, (size_t)numBytes, fixedSize);
}


status_t
BMessage::FindData(const char* name, type_code type, const void** data,
	ssize_t* numBytes) const
{
	return FindData(name, type, 0, data, numBytes);
}


status_t
BMessage::FindData(const char* name, type_code type, int32 index, const void** data,
	ssize_t* numBytes) const
{
	const std::string* value;
	status_t status = _FindValue(name, type, index, &value);
	if (status != B_OK)
		return status;
	if (data == NULL)
		return B_BAD_VALUE;
	*data = value->data();
	if (numBytes != NULL)
		*numBytes = (ssize_t)value->size();
	return B_OK;
}


status_t
BMessage::ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes)
{
	return ReplaceData(name, type, 0, data, numBytes);
}


status_t
BMessage::ReplaceData(const char* name, type_code type, int32 index, const void* data,
	ssize_t numBytes)
{
	if (numBytes < 0 || data == NULL)
		return B_BAD_VALUE;
	if (!IsWellFormed(type, std::string((const char*)data, (size_t)numBytes)))
		return B_BAD_VALUE;
	return _ReplaceValue(name, type, index, data, (size_t)numBytes);
}


bool
BMessage::HasData(const char* name, type_code type, int32 index) const
{
	const std::string* value;
	return _FindValue(name, type, index, &value) == B_OK;
}


status_t
BMessage::RemoveData(const char* name, int32 index)
{
	if (name == NULL)
		return B_BAD_VALUE;
	for (size_t i = 0; i < fFields.size(); i++) {
		Field& field = fFields[i];
		if (field.name != name)
			continue;
		if (index < 0 || (size_t)index >= field.values.size())
			return B_BAD_INDEX;
		field.values.erase(field.values.begin() + index);
		if (field.values.empty())
			fFields.erase(fFields.begin() + i);
		return B_OK;
	}
	return B_NAME_NOT_FOUND;
}


status_t
BMessage::RemoveName(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	for (size_t i = 0; i < fFields.size(); i++) {
		if (fFields[i].name == name) {
			fFields.erase(fFields.begin() + i);
			return B_OK;
		}
	}
	return B_NAME_NOT_FOUND;
}


status_t
BMessage::MakeEmpty()
{
	fFields.clear();
	return B_OK;
}


// #pragma mark - typed fields of fixed size


#define FIXED_TYPE_ACCESSORS(Name, Type, TypeCode, Missing) \
status_t \
BMessage::Add##Name(const char* name, Type value) \
{ \
	return _AddValue(name, TypeCode, &value, sizeof(Type), true); \
} \
\
status_t \
BMessage::Find##Name(const char* name, Type* value) const \
{ \
	return _FindFixed(name, TypeCode, 0, value, sizeof(Type)); \
} \
\
status_t \
BMessage::Find##Name(const char* name, int32 index, Type* value) const \
{ \
	return _FindFixed(name, TypeCode, index, value, sizeof(Type)); \
} \
\
status_t \
BMessage::Replace##Name(const char* name, Type value) \
{ \
	return _ReplaceValue(name, TypeCode, 0, &value, sizeof(Type)); \
} \
\
status_t \
BMessage::Replace##Name(const char* name, int32 index, Type value) \
{ \
	return _ReplaceValue(name, TypeCode, index, &value, sizeof(Type)); \
} \
\
bool \
BMessage::Has##Name(const char* name, int32 index) const \
{ \
	return HasData(name, TypeCode, index); \
} \
\
Type \
BMessage::Find##Name(const char* name, int32 index) const \
{ \
	Type value = Missing; \
	Find##Name(name, index, &value); \
	return value; \
}

FIXED_TYPE_ACCESSORS(Int8, int8, B_INT8_TYPE, 0)
FIXED_TYPE_ACCESSORS(Int16, int16, B_INT16_TYPE, 0)
FIXED_TYPE_ACCESSORS(Int32, int32, B_INT32_TYPE, 0)
FIXED_TYPE_ACCESSORS(Int64, int64, B_INT64_TYPE, 0)
FIXED_TYPE_ACCESSORS(Float, float, B_FLOAT_TYPE, 0.0f)
FIXED_TYPE_ACCESSORS(Double, double, B_DOUBLE_TYPE, 0.0)
FIXED_TYPE_ACCESSORS(Rect, BRect, B_RECT_TYPE, BRect())
FIXED_TYPE_ACCESSORS(Point, BPoint, B_POINT_TYPE, BPoint())

#undef FIXED_TYPE_ACCESSORS


// Booleans are stored as one byte so that the flattened form has a fixed layout.
status_t
BMessage::AddBool(const char* name, bool value)
{
	uint8 byte = value ? 1 : 0;
	return _AddValue(name, B_BOOL_TYPE, &byte, 1, true);
}


status_t
BMessage::FindBool(const char* name, bool* value) const
{
	return FindBool(name, 0, value);
}


status_t
BMessage::FindBool(const char* name, int32 index, bool* value) const
{
	uint8 byte;
	status_t status = _FindFixed(name, B_BOOL_TYPE, index, &byte, 1);
	if (status == B_OK)
		*value = byte != 0;
	return status;
}


status_t
BMessage::ReplaceBool(const char* name, bool value)
{
	return ReplaceBool(name, 0, value);
}


status_t
BMessage::ReplaceBool(const char* name, int32 index, bool value)
{
	uint8 byte = value ? 1 : 0;
	return _ReplaceValue(name, B_BOOL_TYPE, index, &byte, 1);
}


bool
BMessage::HasBool(const char* name, int32 index) const
{
	return HasData(name, B_BOOL_TYPE, index);
}


bool
BMessage::FindBool(const char* name, int32 index) const
{
	bool value = false;
	FindBool(name, index, &value);
	return value;
}


status_t
BMessage::AddPointer(const char* name, const void* pointer)
{
	return _AddValue(name, B_POINTER_TYPE, &pointer, sizeof(pointer), true);
}


status_t
BMessage::FindPointer(const char* name, void** pointer) const
{
	return _FindFixed(name, B_POINTER_TYPE, 0, pointer, sizeof(void*));
}


status_t
BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
	return _FindFixed(name, B_POINTER_TYPE, index, pointer, sizeof(void*));
}


status_t
BMessage::ReplacePointer(const char* name, const void* pointer)
{
	return _ReplaceValue(name, B_POINTER_TYPE, 0, &pointer, sizeof(pointer));
}


status_t
BMessage::ReplacePointer(const char* name, int32 index, const void* pointer)
{
	return _ReplaceValue(name, B_POINTER_TYPE, index, &pointer, sizeof(pointer));
}


bool
BMessage::HasPointer(const char* name, int32 index) const
{
	return HasData(name, B_POINTER_TYPE, index);
}


// #pragma mark - strings


status_t
BMessage::AddString(const char* name, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return _AddValue(name, B_STRING_TYPE, string, strlen(string) + 1, false);
}


status_t
BMessage::FindString(const char* name, const char** string) const
{
	return FindString(name, 0, string);
}


status_t
BMessage::FindString(const char* name, int32 index, const char** string) const
{
	const std::string* value;
	status_t status = _FindValue(name, B_STRING_TYPE, index, &value);
	if (status != B_OK)
		return status;
	if (string == NULL)
		return B_BAD_VALUE;
	*string = value->c_str();
	return B_OK;
}


status_t
BMessage::ReplaceString(const char* name, const char* string)
{
	return ReplaceString(name, 0, string);
}


status_t
BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return _ReplaceValue(name, B_STRING_TYPE, index, string, strlen(string) + 1);
}


bool
BMessage::HasString(const char* name, int32 index) const
{
	return HasData(name, B_STRING_TYPE, index);
}


const char*
BMessage::FindString(const char* name, int32 index) const
{
	const char* string = NULL;
	FindString(name, index, &string);
	return string;
}


// #pragma mark - refs, messengers and messages


status_t
BMessage::AddRef(const char* name, const entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	std::string value = EncodeRef(ref);
	if (!IsWellFormed(B_REF_TYPE, value))
		return B_BAD_VALUE;
	return _AddValue(name, B_REF_TYPE, value.data(), value.size(), false);
}


status_t
BMessage::FindRef(const char* name, entry_ref* ref) const
{
	return FindRef(name, 0, ref);
}


status_t
BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	const std::string* value;
	status_t status = _FindValue(name, B_REF_TYPE, index, &value);
	if (status != B_OK)
		return status;
	if (ref == NULL)
		return B_BAD_VALUE;
	const char* directory = value->c_str();
	const char* leaf = directory + strlen(directory) + 1;
	status = ref->set_directory_path(directory[0] != '\0' ? directory : NULL);
	if (status == B_OK)
		status = ref->set_name(leaf[0] != '\0' ? leaf : NULL);
	return status;
}


status_t
BMessage::ReplaceRef(const char* name, const entry_ref* ref)
{
	return ReplaceRef(name, 0, ref);
}


status_t
BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	std::string value = EncodeRef(ref);
	if (!IsWellFormed(B_REF_TYPE, value))
		return B_BAD_VALUE;
	return _ReplaceValue(name, B_REF_TYPE, index, value.data(), value.size());
}


bool
BMessage::HasRef(const char* name, int32 index) const
{
	return HasData(name, B_REF_TYPE, index);
}


status_t
BMessage::AddMessenger(const char* name, BMessenger messenger)
{
	std::string value = EncodeMessenger(messenger);
	return _AddValue(name, B_MESSENGER_TYPE, value.data(), value.size(), false);
}


status_t
BMessage::FindMessenger(const char* name, BMessenger* messenger) const
{
	return FindMessenger(name, 0, messenger);
}


status_t
BMessage::FindMessenger(const char* name, int32 index, BMessenger* messenger) const
{
	const std::string* value;
	status_t status = _FindValue(name, B_MESSENGER_TYPE, index, &value);
	if (status != B_OK)
		return status;
	if (messenger == NULL)
		return B_BAD_VALUE;
	const char* data = value->data();
	MessageAccess::SetMessenger(*messenger, (team_id)ReadUInt32(data),
		(int32)ReadUInt32(data + 4), (int32)ReadUInt32(data + 8), data + 12);
	return B_OK;
}


status_t
BMessage::ReplaceMessenger(const char* name, BMessenger messenger)
{
	return ReplaceMessenger(name, 0, messenger);
}


status_t
BMessage::ReplaceMessenger(const char* name, int32 index, BMessenger messenger)
{
	std::string value = EncodeMessenger(messenger);
	return _ReplaceValue(name, B_MESSENGER_TYPE, index, value.data(), value.size());
}


bool
BMessage::HasMessenger(const char* name, int32 index) const
{
	return HasData(name, B_MESSENGER_TYPE, index);
}


status_t
BMessage::AddMessage(const char* name, const BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	std::string value((size_t)message->FlattenedSize(), '\0');
	status_t status = message->Flatten(value.data(), (ssize_t)value.size());
	if (status != B_OK)
		return status;
	return _AddValue(name, B_MESSAGE_TYPE, value.data(), value.size(), false);
}


status_t
BMessage::FindMessage(const char* name, BMessage* message) const
{
	return FindMessage(name, 0, message);
}


status_t
BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	const std::string* value;
	status_t status = _FindValue(name, B_MESSAGE_TYPE, index, &value);
	if (status != B_OK)
		return status;
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage parsed;
	status = parsed.Unflatten(value->data(), (ssize_t)value->size());
	if (status != B_OK)
		return B_BAD_DATA;
	*message = parsed;
	return B_OK;
}


status_t
BMessage::ReplaceMessage(const char* name, const BMessage* message)
{
	return ReplaceMessage(name, 0, message);
}


status_t
BMessage::ReplaceMessage(const char* name, int32 index, const BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	std::string value((size_t)message->FlattenedSize(), '\0');
	status_t status = message->Flatten(value.data(), (ssize_t)value.size());
	if (status != B_OK)
		return status;
	return _ReplaceValue(name, B_MESSAGE_TYPE, index, value.data(), value.size());
}


bool
BMessage::HasMessage(const char* name, int32 index) const
{
	return HasData(name, B_MESSAGE_TYPE, index);
}


// #pragma mark - BString forms


status_t
BMessage::AddString(const char* name, const BString& string)
{
	return _AddValue(name, B_STRING_TYPE, string.String(), (size_t)string.Length() + 1, false);
}


status_t
BMessage::FindString(const char* name, BString* string) const
{
	return FindString(name, 0, string);
}


status_t
BMessage::FindString(const char* name, int32 index, BString* string) const
{
	const char* text;
	status_t status = FindString(name, index, &text);
	if (status != B_OK)
		return status;
	if (string == NULL)
		return B_BAD_VALUE;
	string->SetTo(text);
	return B_OK;
}


status_t
BMessage::ReplaceString(const char* name, const BString& string)
{
	return ReplaceString(name, 0, string.String());
}


status_t
BMessage::ReplaceString(const char* name, int32 index, const BString& string)
{
	return ReplaceString(name, index, string.String());
}
