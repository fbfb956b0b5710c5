/*
 * BMessageQueue: the queue of messages waiting for a looper, in arrival order.
 * Every call is safe from any thread; Lock and Unlock hold the queue across several.
 */
#ifndef _MESSAGE_QUEUE_H
#define _MESSAGE_QUEUE_H

#include <SupportDefs.h>

#include <condition_variable>
#include <deque>
#include <mutex>

class BMessage;

namespace BPrivate {
	class MessageAccess;
}

class BMessageQueue {
public:
								BMessageQueue();
	// Deletes the messages still queued.
	virtual						~BMessageQueue();

			void				AddMessage(BMessage* message);
			bool				RemoveMessage(BMessage* message);
			// The oldest message, removed from the queue; null when empty.
			BMessage*			NextMessage();

			int32				CountMessages() const;
			bool				IsEmpty() const;
			BMessage*			FindMessage(int32 index) const;
			BMessage*			FindMessage(uint32 what, int32 index = 0) const;

			bool				Lock();
			void				Unlock();

private:
	friend class BLooper;
	friend class BPrivate::MessageAccess;

								BMessageQueue(const BMessageQueue&);
			BMessageQueue&		operator=(const BMessageQueue&);

	mutable	std::recursive_mutex fLock;
			std::condition_variable_any fChanged;
			std::deque<BMessage*> fMessages;
};

#endif	// _MESSAGE_QUEUE_H
