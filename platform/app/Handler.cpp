#include <Handler.h>

#include <Looper.h>
#include <Message.h>

#include "app/LooperRegistry.h"
#include "app/MessagePrivate.h"


BHandler::BHandler(const char* name)
	:
	fToken(BPrivate::RegisterHandler(this)),
	fName(name != NULL ? name : ""),
	fLooper(NULL),
	fNextHandler(NULL)
{
}


BHandler::~BHandler()
{
	// A handler deleted while still in a looper leaves it, so that the looper keeps
	// no pointer to it.
	BLooper* looper = fLooper.load();
	if (looper != NULL && looper != (BHandler*)this)
		looper->RemoveHandler(this);
	BPrivate::UnregisterHandler(fToken);
}


void
BHandler::MessageReceived(BMessage* message)
{
	if (fNextHandler != NULL) {
		fNextHandler->MessageReceived(message);
		return;
	}
	if (message->IsSourceWaiting()) {
		BMessage reply(B_MESSAGE_NOT_UNDERSTOOD);
		message->SendReply(&reply);
	}
}


BLooper*
BHandler::Looper() const
{
	return fLooper.load();
}


void
BHandler::SetName(const char* name)
{
	fName = name != NULL ? name : "";
}


const char*
BHandler::Name() const
{
	return fName.empty() ? NULL : fName.c_str();
}


void
BHandler::SetNextHandler(BHandler* handler)
{
	if (handler == this)
		return;
	fNextHandler = handler;
}


BHandler*
BHandler::NextHandler() const
{
	return fNextHandler;
}


bool
BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	// Everything goes through the registry by token: the looper may be deleted
	// while we wait, and then the lock reports it instead of crashing.
	int32 looperToken;
	BLooper* looper = BPrivate::LooperOfToken(fToken, &looperToken);
	if (looper == NULL)
		return B_BAD_VALUE;
	std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::LockOfLooper(looperToken);
	if (!lock)
		return B_BAD_VALUE;
	status_t status = lock->Acquire(timeout);
	if (status != B_OK)
		return status;
	if (fLooper.load() != looper) {
		lock->Release();
		return B_MISMATCHED_VALUES;
	}
	return B_OK;
}


void
BHandler::UnlockLooper()
{
	BLooper* looper = fLooper.load();
	if (looper != NULL)
		looper->Unlock();
}
