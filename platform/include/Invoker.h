/*
 * BInvoker: something that sends a message to a target when it is used; controls and
 * menu items are invokers. The invoker owns its message; the target is kept as a
 * messenger, so it may go away without harm.
 */
#ifndef _INVOKER_H
#define _INVOKER_H

#include <AppDefs.h>
#include <Messenger.h>

class BHandler;
class BLooper;
class BMessage;

class BInvoker {
public:
								BInvoker();
								BInvoker(BMessage* message, const BHandler* handler,
									const BLooper* looper = NULL);
								BInvoker(BMessage* message, BMessenger target);
	virtual						~BInvoker();

	// Takes ownership of message and deletes the old one.
	virtual	status_t			SetMessage(BMessage* message);
			BMessage*			Message() const;
			uint32				Command() const;

	virtual	status_t			SetTarget(const BHandler* handler,
									const BLooper* looper = NULL);
	virtual	status_t			SetTarget(BMessenger messenger);
			bool				IsTargetLocal() const;
			BHandler*			Target(BLooper** looper = NULL) const;
			BMessenger			Messenger() const;

	virtual	status_t			SetHandlerForReply(BHandler* handler);
			BHandler*			HandlerForReply() const;

	// Sends message, or a copy of the invoker's own message when null. The notify
	// forms pass the kind of change to subclasses, which may add fields.
	virtual	status_t			Invoke(BMessage* message = NULL);
			status_t			InvokeNotify(BMessage* message,
									uint32 kind = B_CONTROL_INVOKED);

			status_t			SetTimeout(bigtime_t timeout);
			bigtime_t			Timeout() const;

protected:
			uint32				InvokeKind(bool* notify = NULL);
			void				BeginInvokeNotify(uint32 kind = B_CONTROL_INVOKED);
			void				EndInvokeNotify();

private:
								BInvoker(const BInvoker&);
			BInvoker&			operator=(const BInvoker&);

			BMessage*			fMessage;
			BMessenger			fMessenger;
			BHandler*			fReplyTo;
			bigtime_t			fTimeout;
			uint32				fNotifyKind;
			bool				fNotifying;
};

#endif	// _INVOKER_H
