#include <Looper.h>

#include <Message.h>
#include <MessageQueue.h>
#include <Messenger.h>

#include "app/LooperRegistry.h"
#include "app/MessagePrivate.h"

#include <algorithm>

using BPrivate::MessageAccess;


BLooper::BLooper(const char* name, int32 priority, int32 portCapacity)
	:
	BHandler(name),
	fLock(std::make_shared<BPrivate::LooperLock>()),
	fQueue(new BMessageQueue),
	fCurrentMessage(NULL),
	fPreferredHandler(NULL),
	fThread(-1),
	fPriority(priority),
	fRunning(false),
	fRunCalled(false),
	fTerminating(false),
	fDeleteOnExit(false),
	fDispatching(false)
{
	fLooper = this;
	fHandlers.push_back(this);
	// The creator holds the lock until Run, as on R5.
	fLock->Acquire(B_INFINITE_TIMEOUT);
	BPrivate::RegisterLooper(this);
}


BLooper::~BLooper()
{
	// Nothing can reach the looper through the registry after this.
	BPrivate::UnregisterLooper(this);
	// A thread that holds the lock finishes with the looper before it goes. A looper
	// that never ran may still hold its creator's lock, which nobody waits behind.
	if (fRunCalled && !IsLocked())
		fLock->Acquire(B_INFINITE_TIMEOUT);

	delete fCurrentMessage;
	fCurrentMessage = NULL;
	delete fQueue;
	fQueue = NULL;

	for (BHandler* handler : fHandlers) {
		if (handler != this) {
			handler->fLooper = NULL;
			if (handler->NextHandler() == this)
				handler->SetNextHandler(NULL);
		}
	}
	fHandlers.clear();
	fLooper = NULL;
	fLock->MarkDead();
}


// #pragma mark - posting


status_t
BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return PostMessage(&message);
}


status_t
BLooper::PostMessage(BMessage* message)
{
	return PostMessage(message, this);
}


status_t
BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return PostMessage(&message, handler, replyTo);
}


status_t
BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (message == NULL)
		return B_BAD_VALUE;
	status_t status;
	BMessenger target(handler, handler == NULL ? this : NULL, &status);
	if (status != B_OK)
		return status;
	if (handler != NULL && handler->Looper() != this)
		return B_MISMATCHED_VALUES;
	return target.SendMessage(message, replyTo);
}


void
BLooper::_AddMessage(BMessage* message)
{
	fQueue->AddMessage(message);
}


// #pragma mark - dispatching


void
BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_QUIT_REQUESTED && handler == this) {
		bool quit = QuitRequested();
		if (message->IsSourceWaiting()) {
			BMessage reply(B_REPLY);
			reply.AddBool("result", quit);
			message->SendReply(&reply);
		}
		if (quit)
			Quit();
		return;
	}
	handler->MessageReceived(message);
}


void
BLooper::MessageReceived(BMessage* message)
{
	BHandler::MessageReceived(message);
}


void
BLooper::DispatchFinished(bool queueIsEmpty)
{
}


BMessage*
BLooper::CurrentMessage() const
{
	return fCurrentMessage;
}


BMessage*
BLooper::DetachCurrentMessage()
{
	BMessage* message = fCurrentMessage;
	fCurrentMessage = NULL;
	return message;
}


BMessageQueue*
BLooper::MessageQueue() const
{
	return fQueue;
}


bool
BLooper::IsMessageWaiting() const
{
	return !fQueue->IsEmpty();
}


BHandler*
BLooper::_ResolveTarget(BMessage* message)
{
	int32 token = MessageAccess::TargetToken(message);
	if (token == BPrivate::kNoToken || token == fToken)
		return this;
	if (token == BPrivate::kPreferredToken)
		return fPreferredHandler != NULL ? fPreferredHandler : this;
	return BPrivate::HandlerInLooper(token, this);
}


void
BLooper::_RunLoop()
{
	while (true) {
		BMessage* message;
		{
			std::unique_lock<std::recursive_mutex> guard(fQueue->fLock);
			fQueue->fChanged.wait(guard,
				[this] { return fTerminating || !fQueue->fMessages.empty(); });
			if (fTerminating)
				break;
			message = fQueue->fMessages.front();
			fQueue->fMessages.pop_front();
			fDispatching = true;
		}

		fLock->Acquire(B_INFINITE_TIMEOUT);
		if (fTerminating) {
			// Quit from another thread: it waits for this thread, then deletes.
			fLock->Release();
			fDispatching = false;
			delete message;
			break;
		}

		fCurrentMessage = message;
		BHandler* handler = _ResolveTarget(message);
		// A message for a handler that has left the looper is dropped.
		if (handler != NULL)
			DispatchMessage(message, handler);
		delete fCurrentMessage;
		fCurrentMessage = NULL;

		if (!fTerminating)
			DispatchFinished(fQueue->IsEmpty());
		fDispatching = false;
		if (fTerminating) {
			// Quit on this thread: the looper goes with the lock still held.
			return;
		}
		fLock->Release();
	}
}


int32
BLooper::_ThreadEntry(void* data)
{
	BLooper* looper = (BLooper*)data;
	looper->_RunLoop();
	if (looper->fDeleteOnExit)
		delete looper;
	return B_OK;
}


// #pragma mark - handlers


void
BLooper::AddHandler(BHandler* handler)
{
	if (handler == NULL || handler->Looper() != NULL)
		return;
	handler->fLooper = this;
	fHandlers.push_back(handler);
	if (handler->NextHandler() == NULL)
		handler->SetNextHandler(this);
}


bool
BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == NULL || handler == this || handler->Looper() != this)
		return false;
	std::vector<BHandler*>::iterator found
		= std::find(fHandlers.begin(), fHandlers.end(), handler);
	if (found == fHandlers.end())
		return false;
	fHandlers.erase(found);
	handler->fLooper = NULL;
	handler->SetNextHandler(NULL);
	if (fPreferredHandler == handler)
		fPreferredHandler = NULL;
	return true;
}


int32
BLooper::CountHandlers() const
{
	return (int32)fHandlers.size();
}


BHandler*
BLooper::HandlerAt(int32 index) const
{
	if (index < 0 || (size_t)index >= fHandlers.size())
		return NULL;
	return fHandlers[index];
}


int32
BLooper::IndexOf(BHandler* handler) const
{
	std::vector<BHandler*>::const_iterator found
		= std::find(fHandlers.begin(), fHandlers.end(), handler);
	return found == fHandlers.end() ? -1 : (int32)(found - fHandlers.begin());
}


BHandler*
BLooper::PreferredHandler() const
{
	return fPreferredHandler;
}


void
BLooper::SetPreferredHandler(BHandler* handler)
{
	if (handler != NULL && handler->Looper() != this)
		return;
	fPreferredHandler = handler;
}


// #pragma mark - life cycle


thread_id
BLooper::Run()
{
	if (fRunCalled)
		return fThread;
	fRunCalled = true;

	const char* name = Name() != NULL ? Name() : "looper";
	fThread = spawn_thread(_ThreadEntry, name, fPriority, this);
	if (fThread < 0)
		return fThread;
	fRunning = true;
	// Run gives up the lock that the creator took in the constructor.
	if (IsLocked())
		fLock->Release();
	resume_thread(fThread);
	return fThread;
}


void
BLooper::_PrepareTermination()
{
	std::lock_guard<std::recursive_mutex> guard(fQueue->fLock);
	fTerminating = true;
	fQueue->fChanged.notify_all();
}


void
BLooper::Quit()
{
	if (!fRunning) {
		delete this;
		return;
	}

	if (find_thread(NULL) == fThread) {
		fDeleteOnExit = true;
		_PrepareTermination();
		return;
	}

	if (!IsLocked() && !Lock())
		return;
	thread_id thread = fThread;
	fDeleteOnExit = false;
	_PrepareTermination();
	// The loop must get the lock to see that it is to end.
	fLock->ReleaseAll();
	status_t exitValue;
	wait_for_thread(thread, &exitValue);
	// Another thread may have taken the lock meanwhile; the looper goes only once
	// it is ours again, and whoever waits after that fails instead.
	fLock->Acquire(B_INFINITE_TIMEOUT);
	delete this;
}


bool
BLooper::QuitRequested()
{
	return true;
}


// #pragma mark - locking


bool
BLooper::Lock()
{
	return fLock->Acquire(B_INFINITE_TIMEOUT) == B_OK;
}


void
BLooper::Unlock()
{
	fLock->Release();
}


status_t
BLooper::LockWithTimeout(bigtime_t timeout)
{
	return fLock->Acquire(timeout);
}


bool
BLooper::IsLocked() const
{
	return fLock->locker.IsLocked();
}


thread_id
BLooper::LockingThread() const
{
	return fLock->Owner();
}


int32
BLooper::CountLocks() const
{
	return fLock->Count();
}


int32
BLooper::CountLockRequests() const
{
	return fLock->Requests();
}


thread_id
BLooper::Thread() const
{
	return fThread;
}


team_id
BLooper::Team() const
{
	return current_team();
}


BLooper*
BLooper::LooperForThread(thread_id thread)
{
	return BPrivate::LooperOfThread(thread);
}
