/*
 * BHandler: an object that receives messages inside a looper. Handlers of a looper form
 * a chain (SetNextHandler); a message that a handler does not understand goes down the
 * chain, and at its end a waiting sender gets B_MESSAGE_NOT_UNDERSTOOD.
 */
#ifndef _HANDLER_H
#define _HANDLER_H

#include <OS.h>

#include <atomic>
#include <string>

class BLooper;
class BMessage;

namespace BPrivate {
	class MessageAccess;
}

class BHandler {
public:
								BHandler(const char* name = NULL);
	virtual						~BHandler();

	// The default passes the message to the next handler.
	virtual	void				MessageReceived(BMessage* message);

			BLooper*			Looper() const;

			void				SetName(const char* name);
			const char*			Name() const;

	virtual	void				SetNextHandler(BHandler* handler);
			BHandler*			NextHandler() const;

	// Lock the looper this handler belongs to; they fail when the handler has no
	// looper or leaves it while the caller waits.
			bool				LockLooper();
			status_t			LockLooperWithTimeout(bigtime_t timeout);
			void				UnlockLooper();

private:
	friend class BLooper;
	friend class BPrivate::MessageAccess;

								BHandler(const BHandler&);
			BHandler&			operator=(const BHandler&);

			int32				fToken;
			std::string			fName;
			std::atomic<BLooper*> fLooper;
			BHandler*			fNextHandler;
};

#endif	// _HANDLER_H
