/*
 * Private parts of messaging shared by BMessage, BMessenger, BHandler and BLooper:
 * the reply slot that a synchronous sender waits on, the looper lock, and an access
 * class that reaches into the kit's objects.
 */
#ifndef _APP_MESSAGE_PRIVATE_H
#define _APP_MESSAGE_PRIVATE_H

#include <Handler.h>
#include <Locker.h>
#include <Looper.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Messenger.h>
#include <OS.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace BPrivate {

// Handler tokens with a special meaning in a messenger or a queued message.
const int32 kNoToken = -1;
const int32 kPreferredToken = -2;


// What a synchronous sender waits on. The first reply wins; a reply after the sender
// gave up is dropped. The wait is a semaphore wait, so kill_thread ends it.
struct ReplyWaiter {
								ReplyWaiter();
								~ReplyWaiter();

			// Takes ownership of reply; returns false when a reply was already given.
			bool				Deliver(BMessage* reply);
			// Waits until a reply arrives; B_TIMED_OUT when none came in time.
			status_t			Wait(bigtime_t timeout, BMessage* replyOut);

			std::mutex			lock;
			sem_id				arrived;
			BMessage*			reply;
			bool				done;
			bool				abandoned;
};


// The recursive, thread-owned lock of a looper. It outlives its looper while anybody
// still waits on it; such a waiter then fails instead of touching freed memory. It
// waits through a BLocker, so kill_thread ends a thread that waits for a looper, and a
// killed thread that held a looper gives it up as it ends.
struct LooperLock {
								LooperLock();

			// B_OK, B_TIMED_OUT, or B_BAD_VALUE once the looper is gone.
			status_t			Acquire(bigtime_t timeout);
			void				Release();
			// Gives up every lock of the calling thread; returns how many it held.
			int32				ReleaseAll();
			void				MarkDead();

			thread_id			Owner() const { return locker.LockingThread(); }
			int32				Count() const { return locker.CountLocks(); }
			int32				Requests() const;

			BLocker				locker;
			std::atomic<bool>	dead;
};


inline thread_id
CurrentThread()
{
	return find_thread(NULL);
}


// Reaches into the private state of the messaging classes.
class MessageAccess {
public:
	static	int32				Token(const BHandler* handler)
									{ return handler->fToken; }
	static	int32				LooperToken(const BMessenger& messenger)
									{ return messenger.fLooperToken; }
	static	int32				HandlerToken(const BMessenger& messenger)
									{ return messenger.fHandlerToken; }
	static	const std::string&	Signature(const BMessenger& messenger)
									{ return messenger.fSignature; }
	static	void				SetMessenger(BMessenger& messenger, team_id team,
									int32 looperToken, int32 handlerToken,
									const char* signature);

	// Marks a copy as posted: its target, return address and waiting sender.
	static	void				PrepareDelivery(BMessage* message, int32 targetToken,
									const BMessenger* replyTo,
									const std::shared_ptr<ReplyWaiter>& waiter,
									bool isReply, BMessage* original);
	// Moves the delivery state (return address, waiting sender) between messages.
	static	void				TransferDelivery(BMessage* from, BMessage* to);
	static	int32				TargetToken(const BMessage* message)
									{ return message->fTargetToken; }
	static	void				SetSourceRemote(BMessage* message, bool remote)
									{ message->fSourceRemote = remote; }

	static	std::shared_ptr<LooperLock>	Lock(const BLooper* looper)
									{ return looper->fLock; }
	static	void				AddToQueue(BLooper* looper, BMessage* message)
									{ looper->_AddMessage(message); }
	static	bool				IsIdle(BLooper* looper);
	// Puts message at the head of the looper's queue.
	static	void				AddToQueueFront(BLooper* looper, BMessage* message);
	static	bool				IsRunning(const BLooper* looper)
									{ return looper->fRunning; }
};

}	// namespace BPrivate

#endif	// _APP_MESSAGE_PRIVATE_H
