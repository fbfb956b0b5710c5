#include "app/MessagePrivate.h"

#include "app/LooperRegistry.h"


namespace BPrivate {

ReplyWaiter::ReplyWaiter()
	:
	arrived(create_sem(0, "reply")),
	reply(NULL),
	done(false),
	abandoned(false)
{
}


ReplyWaiter::~ReplyWaiter()
{
	delete_sem(arrived);
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
	release_sem(arrived);
	return true;
}


status_t
ReplyWaiter::Wait(bigtime_t timeout, BMessage* replyOut)
{
	status_t status = timeout == B_INFINITE_TIMEOUT ? acquire_sem(arrived)
		: acquire_sem_etc(arrived, 1, B_RELATIVE_TIMEOUT, timeout < 0 ? 0 : timeout);
	std::lock_guard<std::mutex> guard(lock);
	if (!done) {
		abandoned = true;
		return status == B_OK ? B_ERROR : B_TIMED_OUT;
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
	locker("looper lock"),
	dead(false)
{
}


status_t
LooperLock::Acquire(bigtime_t timeout)
{
	if (dead)
		return B_BAD_VALUE;
	status_t status;
	if (timeout == B_INFINITE_TIMEOUT)
		status = locker.Lock() ? B_OK : B_BAD_VALUE;
	else
		status = locker.LockWithTimeout(timeout < 0 ? 0 : timeout);
	if (status != B_OK)
		return status;
	if (dead) {
		// The looper went away while we waited: pass the lock on to the next waiter,
		// which fails the same way.
		locker.Unlock();
		return B_BAD_VALUE;
	}
	return B_OK;
}


void
LooperLock::Release()
{
	if (locker.IsLocked())
		locker.Unlock();
}


int32
LooperLock::ReleaseAll()
{
	if (!locker.IsLocked())
		return 0;
	int32 held = locker.CountLocks();
	for (int32 i = 0; i < held; i++)
		locker.Unlock();
	return held;
}


void
LooperLock::MarkDead()
{
	dead = true;
	ReleaseAll();
}


int32
LooperLock::Requests() const
{
	// The locker counts its holder among the requests; a looper's count does not.
	int32 requests = locker.CountLockRequests();
	return locker.LockingThread() >= 0 ? requests - 1 : requests;
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
