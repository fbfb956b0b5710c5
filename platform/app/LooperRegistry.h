/*
 * The process-wide registry of handlers and loopers. Messengers and queued messages
 * name their targets by token; every lookup goes through here under one lock, so a
 * target that has been deleted is simply not found.
 */
#ifndef _APP_LOOPER_REGISTRY_H
#define _APP_LOOPER_REGISTRY_H

#include <OS.h>

#include <memory>
#include <vector>

class BHandler;
class BLooper;
class BMessage;
class BWindow;

namespace BPrivate {

struct LooperLock;

// Handlers get a token when they are made and lose it when they are deleted.
int32		RegisterHandler(BHandler* handler);
void		UnregisterHandler(int32 token);

void		RegisterLooper(BLooper* looper);
void		UnregisterLooper(BLooper* looper);

// Queues message (owned) at the looper with looperToken; B_BAD_PORT_ID when that
// looper no longer exists, in which case the message is deleted.
status_t	PostToLooper(int32 looperToken, BMessage* message);

// The handler of a token if it belongs to the looper; null otherwise. Only safe with
// that looper locked.
BHandler*	HandlerInLooper(int32 handlerToken, const BLooper* looper);

// The looper of a handler token (the handler may be the looper itself), or null.
BLooper*	LooperOfToken(int32 handlerToken, int32* looperToken = NULL);
bool		IsHandlerInLooper(int32 handlerToken, int32 looperToken);

// The lock of a live looper, kept alive for the caller even if the looper goes.
std::shared_ptr<LooperLock>	LockOfLooper(int32 looperToken);

BLooper*	LooperOfThread(thread_id thread);

// Returns B_OK once every running looper has an empty queue and is not dispatching,
// checked twice a short while apart so that a message that one looper posts to
// another during a dispatch is seen; B_TIMED_OUT otherwise.
status_t	WaitForLoopersIdle(bigtime_t timeout);

// Windows join the application's window list with these: BWindow's constructor calls
// RegisterWindowLooper(this, this), its destructor UnregisterWindowLooper(this) (a
// looper that is deleted leaves the list by itself too). BApplication::CountWindows
// and WindowAt read the list in join order; QuitRequested asks each window.
void		RegisterWindowLooper(BLooper* looper, BWindow* window);
void		UnregisterWindowLooper(BLooper* looper);

struct WindowEntry {
	BLooper*	looper;
	BWindow*	window;
	int32		token;
};
std::vector<WindowEntry>	WindowLoopers();

}	// namespace BPrivate

#endif	// _APP_LOOPER_REGISTRY_H
