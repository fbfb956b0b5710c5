#include <MessageRunner.h>

#include <Message.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace BPrivate {

struct RunnerState {
	std::mutex				lock;
	std::condition_variable	changed;
	BMessenger				target;
	BMessenger				replyTo;
	BMessage				message;
	bigtime_t				interval = 0;
	int32					count = -1;
	bool					stop = false;
	std::thread				thread;
};

}	// namespace BPrivate

using BPrivate::RunnerState;

namespace {

void
RunTimer(std::shared_ptr<RunnerState> state)
{
	std::unique_lock<std::mutex> guard(state->lock);
	auto due = std::chrono::steady_clock::now()
		+ std::chrono::microseconds(state->interval);
	while (!state->stop && state->count != 0) {
		if (state->changed.wait_until(guard, due) != std::cv_status::timeout)
			continue;
		if (state->stop)
			break;
		BMessage copy(state->message);
		BMessenger target = state->target;
		BMessenger replyTo = state->replyTo;
		if (state->count > 0)
			state->count--;
		guard.unlock();
		target.SendMessage(&copy, replyTo);
		guard.lock();
		due += std::chrono::microseconds(state->interval);
		// A slow target does not cause a burst of catch-up messages.
		auto now = std::chrono::steady_clock::now();
		if (due < now)
			due = now + std::chrono::microseconds(state->interval);
	}
}

}	// namespace


BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message,
	bigtime_t interval, int32 count)
	:
	fInitStatus(B_NO_INIT)
{
	_Start(target, message, interval, count, BMessenger());
}


BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message,
	bigtime_t interval, int32 count, BMessenger replyTo)
	:
	fInitStatus(B_NO_INIT)
{
	_Start(target, message, interval, count, replyTo);
}


BMessageRunner::~BMessageRunner()
{
	if (!fState)
		return;
	{
		std::lock_guard<std::mutex> guard(fState->lock);
		fState->stop = true;
		fState->changed.notify_all();
	}
	if (fState->thread.joinable())
		fState->thread.join();
}


void
BMessageRunner::_Start(BMessenger target, const BMessage* message, bigtime_t interval,
	int32 count, BMessenger replyTo)
{
	if (message == NULL || interval <= 0 || count == 0) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	fState = std::make_shared<RunnerState>();
	fState->target = target;
	fState->replyTo = replyTo;
	fState->message = *message;
	fState->interval = interval;
	fState->count = count;
	fState->thread = std::thread(RunTimer, fState);
	fInitStatus = B_OK;
}


status_t
BMessageRunner::InitCheck() const
{
	return fInitStatus;
}


status_t
BMessageRunner::SetInterval(bigtime_t interval)
{
	if (!fState)
		return B_NO_INIT;
	if (interval <= 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> guard(fState->lock);
	fState->interval = interval;
	fState->changed.notify_all();
	return B_OK;
}


status_t
BMessageRunner::SetCount(int32 count)
{
	if (!fState)
		return B_NO_INIT;
	std::lock_guard<std::mutex> guard(fState->lock);
	fState->count = count;
	fState->changed.notify_all();
	return B_OK;
}


status_t
BMessageRunner::GetInfo(bigtime_t* interval, int32* count) const
{
	if (!fState)
		return B_NO_INIT;
	std::lock_guard<std::mutex> guard(fState->lock);
	if (interval != NULL)
		*interval = fState->interval;
	if (count != NULL)
		*count = fState->count;
	return B_OK;
}
