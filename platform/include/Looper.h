/*
 * BLooper: a thread with a message queue. Run starts the thread; it takes messages in
 * order and, with the looper locked, dispatches each to its target handler.
 *
 * The looper is locked by the thread that creates it until Run, as on R5. The lock is
 * recursive and owned by a thread.
 *
 * Quit called on the looper's own thread returns; the loop ends after the current
 * message and deletes the looper (R5 never returned from it). Called from another
 * thread with the looper locked, it makes the loop end, waits for the thread and
 * deletes the looper. Quit on a looper that never ran deletes it at once.
 */
#ifndef _LOOPER_H
#define _LOOPER_H

#include <Handler.h>
#include <OS.h>

#include <memory>
#include <vector>

class BMessage;
class BMessageQueue;

namespace BPrivate {
	struct LooperLock;
	class MessageAccess;
}

#define B_LOOPER_PORT_DEFAULT_CAPACITY	100

class BLooper : public BHandler {
public:
								BLooper(const char* name = NULL,
									int32 priority = B_NORMAL_PRIORITY,
									int32 portCapacity = B_LOOPER_PORT_DEFAULT_CAPACITY);
	virtual						~BLooper();

	// Posting. The message is copied. Without a handler the target is the looper
	// itself; replyTo, when given, receives the replies.
			status_t			PostMessage(uint32 command);
			status_t			PostMessage(BMessage* message);
			status_t			PostMessage(uint32 command, BHandler* handler,
									BHandler* replyTo = NULL);
			status_t			PostMessage(BMessage* message, BHandler* handler,
									BHandler* replyTo = NULL);

	// Called with the looper locked for every message. The default handles
	// B_QUIT_REQUESTED aimed at the looper (QuitRequested, then Quit when it
	// agrees) and passes everything else to handler->MessageReceived.
	virtual	void				DispatchMessage(BMessage* message, BHandler* handler);
	virtual	void				MessageReceived(BMessage* message);

	// The message being dispatched. After DetachCurrentMessage the caller owns it.
			BMessage*			CurrentMessage() const;
			BMessage*			DetachCurrentMessage();
			BMessageQueue*		MessageQueue() const;
			bool				IsMessageWaiting() const;

	// Handlers. AddHandler makes the looper the handler's next handler.
			void				AddHandler(BHandler* handler);
			bool				RemoveHandler(BHandler* handler);
			int32				CountHandlers() const;
			BHandler*			HandlerAt(int32 index) const;
			int32				IndexOf(BHandler* handler) const;

	// The target of messages sent to the looper's preferred handler; the looper
	// itself when none is set.
			BHandler*			PreferredHandler() const;
			void				SetPreferredHandler(BHandler* handler);

	// Life cycle.
	virtual	thread_id			Run();
	virtual	void				Quit();
	virtual	bool				QuitRequested();

	// Locking.
			bool				Lock();
			void				Unlock();
			status_t			LockWithTimeout(bigtime_t timeout);
			bool				IsLocked() const;
			thread_id			LockingThread() const;
			int32				CountLocks() const;
			int32				CountLockRequests() const;

			thread_id			Thread() const;
			team_id				Team() const;
	static	BLooper*			LooperForThread(thread_id thread);

protected:
	// Called by the loop with the looper locked after each dispatched message;
	// queueIsEmpty tells that no further message is waiting, so that a subclass
	// can do work that is best batched (a window flushes its drawing here).
	virtual	void				DispatchFinished(bool queueIsEmpty);

private:
	friend class BHandler;
	friend class BApplication;
	friend class BPrivate::MessageAccess;

			void				_AddMessage(BMessage* message);
			void				_RunLoop();
			static int32		_ThreadEntry(void* data);
			BHandler*			_ResolveTarget(BMessage* message);
			void				_PrepareTermination();

			std::shared_ptr<BPrivate::LooperLock> fLock;
			BMessageQueue*		fQueue;
			BMessage*			fCurrentMessage;
			std::vector<BHandler*> fHandlers;
			BHandler*			fPreferredHandler;
			std::atomic<thread_id> fThread;
			int32				fPriority;
			std::atomic<bool>	fRunning;
			bool				fRunCalled;
			// Set when the loop is to end; fDeleteOnExit tells the loop to delete
			// the looper itself (Quit from its own thread).
			std::atomic<bool>	fTerminating;
			bool				fDeleteOnExit;
			std::atomic<bool>	fDispatching;
};

#endif	// _LOOPER_H
