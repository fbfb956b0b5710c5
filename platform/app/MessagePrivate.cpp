#include "app/MessagePrivate.h"

#include "app/LooperRegistry.h"

#include <chrono>

namespace BPrivate {

ReplyWaiter::ReplyWaiter()
	:
	reply(NULL),
	done(false),
	abandoned(false)
{
}


ReplyWaiter::~ReplyWaiter()
{
	delete reply;
}


bool
ReplyWaiter::Deliver(BMessage* newReply)
{
	std::lock_guard<std::mutex> guard(lock);
	if (done || abandoned) {
		delete newReply;
		return false;
	}
	reply = newReply;
	done = true;
	condition.notify_all();
	return true;
}


status_t
ReplyWaiter::Wait(bigtime_t timeout, BMessage* replyOut)
{
	std::unique_lock<std::mutex> guard(lock);
	if (timeout == B_INFINITE_TIMEOUT) {
		condition.wait(guard, [this] { return done; });
	} else {
		bool arrived = condition.wait_for(guard,
			std::chrono::microseconds(timeout < 0 ? 0 : timeout), [this] { return done; });
		if (!arrived) {
			abandoned = true;
			return B_TIMED_OUT;
		}
	}
	if (replyOut != NULL && reply != NULL) {
		// The reply keeps its delivery state, so that it can itself be answered.
		*replyOut = *reply;
		MessageAccess::TransferDelivery(reply, replyOut);
	}
	return B_OK;
}


LooperLock::LooperLock()
	:
	owner(-1),
	count(0),
	requests(0),
	dead(false)
{
}


status_t
LooperLock::Acquire(bigtime_t timeout)
{
	thread_id self = CurrentThread();
	std::unique_lock<std::mutex> guard(mutex);
	if (dead)
		return B_BAD_VALUE;
	if (owner == self) {
		count++;
		return B_OK;
	}
	requests++;
	auto ready = [this] { return dead || owner < 0; };
	if (timeout == B_INFINITE_TIMEOUT) {
		condition.wait(guard, ready);
	} else if (!condition.wait_for(guard,
			std::chrono::microseconds(timeout < 0 ? 0 : timeout), ready)) {
		requests--;
		return B_TIMED_OUT;
	}
	requests--;
	if (dead)
		return B_BAD_VALUE;
	owner = self;
	count = 1;
	return B_OK;
}


void
LooperLock::Release()
{
	std::lock_guard<std::mutex> guard(mutex);
	if (owner != CurrentThread() || count <= 0)
		return;
	if (--count == 0) {
		owner = -1;
		condition.notify_all();
	}
}


int32
LooperLock::ReleaseAll()
{
	std::lock_guard<std::mutex> guard(mutex);
	if (owner != CurrentThread())
		return 0;
	int32 held = count;
	count = 0;
	owner = -1;
	condition.notify_all();
	return held;
}


void
LooperLock::MarkDead()
{
	std::lock_guard<std::mutex> guard(mutex);
	dead = true;
	owner = -1;
	count = 0;
	condition.notify_all();
}


void
MessageAccess::SetMessenger(BMessenger& messenger, team_id team, int32 looperToken,
	int32 handlerToken, const char* signature)
{
	messenger.fTeam = team;
	messenger.fLooperToken = looperToken;
	messenger.fHandlerToken = handlerToken;
	messenger.fSignature = signature != NULL ? signature : "";
}


void
MessageAccess::PrepareDelivery(BMessage* message, int32 targetToken,
	const BMessenger* replyTo, const std::shared_ptr<ReplyWaiter>& waiter, bool isReply,
	BMessage* original)
{
	message->fTargetToken = targetToken;
	message->fReplyTo = replyTo != NULL ? *replyTo : BMessenger();
	message->fReplyWaiter = waiter;
	message->fWasDelivered = true;
	message->fIsReply = isReply || message->fIsReply;
	message->fReplyDone = false;
	if (original != NULL) {
		delete message->fOriginal;
		message->fOriginal = original;
	}
}


void
MessageAccess::TransferDelivery(BMessage* from, BMessage* to)
{
	to->fReplyTo = from->fReplyTo;
	to->fReplyWaiter = std::move(from->fReplyWaiter);
	from->fReplyWaiter.reset();
	to->fWasDelivered = from->fWasDelivered;
	to->fIsReply = from->fIsReply;
	to->fReplyDone = from->fReplyDone;
	to->fSourceRemote = from->fSourceRemote;
	delete to->fOriginal;
	to->fOriginal = from->fOriginal;
	from->fOriginal = NULL;
}


void
MessageAccess::AddToQueueFront(BLooper* looper, BMessage* message)
{
	std::lock_guard<std::recursive_mutex> guard(looper->fQueue->fLock);
	looper->fQueue->fMessages.push_front(message);
	looper->fQueue->fChanged.notify_all();
}


bool
MessageAccess::IsIdle(BLooper* looper)
{
	std::lock_guard<std::recursive_mutex> guard(looper->fQueue->fLock);
	return looper->fQueue->fMessages.empty() && !looper->fDispatching;
}

}	// namespace BPrivate
