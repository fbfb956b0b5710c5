#include "app/LooperRegistry.h"

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "app/MessagePrivate.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace BPrivate {

namespace {

struct Registry {
	std::mutex					lock;
	int32						nextToken = 1;
	std::map<int32, BHandler*>	handlers;
	std::map<int32, BLooper*>	loopers;
	std::vector<WindowEntry>	windows;
};


Registry&
TheRegistry()
{
	// Never destroyed: loopers may still unregister while the process ends.
	static Registry* sRegistry = new Registry;
	return *sRegistry;
}


void
RemoveWindowLocked(Registry& registry, BLooper* looper)
{
	for (size_t i = 0; i < registry.windows.size(); i++) {
		if (registry.windows[i].looper == looper) {
			registry.windows.erase(registry.windows.begin() + i);
			return;
		}
	}
}

}	// namespace


int32
RegisterHandler(BHandler* handler)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	int32 token = registry.nextToken++;
	registry.handlers[token] = handler;
	return token;
}


void
UnregisterHandler(int32 token)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	registry.handlers.erase(token);
}


void
RegisterLooper(BLooper* looper)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	registry.loopers[MessageAccess::Token(looper)] = looper;
}


void
UnregisterLooper(BLooper* looper)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	registry.loopers.erase(MessageAccess::Token(looper));
	RemoveWindowLocked(registry, looper);
}


status_t
PostToLooper(int32 looperToken, BMessage* message)
{
	Registry& registry = TheRegistry();
	{
		std::lock_guard<std::mutex> guard(registry.lock);
		std::map<int32, BLooper*>::iterator found = registry.loopers.find(looperToken);
		if (found != registry.loopers.end()) {
			MessageAccess::AddToQueue(found->second, message);
			return B_OK;
		}
	}
	// Deleted outside the registry lock: a waiting sender gets its B_NO_REPLY.
	delete message;
	return B_BAD_PORT_ID;
}


BHandler*
HandlerInLooper(int32 handlerToken, const BLooper* looper)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	std::map<int32, BHandler*>::iterator found = registry.handlers.find(handlerToken);
	if (found == registry.handlers.end() || found->second->Looper() != looper)
		return NULL;
	return found->second;
}


BLooper*
LooperOfToken(int32 handlerToken, int32* looperToken)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	std::map<int32, BLooper*>::iterator looper = registry.loopers.find(handlerToken);
	if (looper != registry.loopers.end()) {
		if (looperToken != NULL)
			*looperToken = handlerToken;
		return looper->second;
	}
	std::map<int32, BHandler*>::iterator found = registry.handlers.find(handlerToken);
	if (found == registry.handlers.end() || found->second->Looper() == NULL)
		return NULL;
	BLooper* owner = found->second->Looper();
	if (looperToken != NULL)
		*looperToken = MessageAccess::Token(owner);
	return owner;
}


bool
IsHandlerInLooper(int32 handlerToken, int32 looperToken)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	std::map<int32, BLooper*>::iterator looper = registry.loopers.find(looperToken);
	if (looper == registry.loopers.end())
		return false;
	if (handlerToken == looperToken || handlerToken == kPreferredToken)
		return true;
	std::map<int32, BHandler*>::iterator found = registry.handlers.find(handlerToken);
	return found != registry.handlers.end() && found->second->Looper() == looper->second;
}


std::shared_ptr<LooperLock>
LockOfLooper(int32 looperToken)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	std::map<int32, BLooper*>::iterator looper = registry.loopers.find(looperToken);
	if (looper == registry.loopers.end())
		return NULL;
	return MessageAccess::Lock(looper->second);
}


BLooper*
LooperOfThread(thread_id thread)
{
	if (thread < 0)
		return NULL;
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	for (const auto& entry : registry.loopers) {
		if (entry.second->Thread() == thread)
			return entry.second;
	}
	return NULL;
}


static bool
AllLoopersIdle()
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	for (const auto& entry : registry.loopers) {
		if (MessageAccess::IsRunning(entry.second) && !MessageAccess::IsIdle(entry.second))
			return false;
	}
	return true;
}


status_t
WaitForLoopersIdle(bigtime_t timeout)
{
	bigtime_t deadline = timeout == B_INFINITE_TIMEOUT ? B_INFINITE_TIMEOUT
		: system_time() + timeout;
	int idleChecks = 0;
	while (true) {
		if (AllLoopersIdle()) {
			if (++idleChecks >= 2)
				return B_OK;
		} else
			idleChecks = 0;
		if (deadline != B_INFINITE_TIMEOUT && system_time() >= deadline)
			return B_TIMED_OUT;
		snooze(idleChecks > 0 ? 5000 : 1000);
	}
}


void
RegisterWindowLooper(BLooper* looper, BWindow* window)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	for (const WindowEntry& entry : registry.windows) {
		if (entry.looper == looper)
			return;
	}
	registry.windows.push_back(WindowEntry{looper, window, MessageAccess::Token(looper)});
}


void
UnregisterWindowLooper(BLooper* looper)
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	RemoveWindowLocked(registry, looper);
}


std::vector<WindowEntry>
WindowLoopers()
{
	Registry& registry = TheRegistry();
	std::lock_guard<std::mutex> guard(registry.lock);
	return registry.windows;
}

}	// namespace BPrivate
