/*
 * Time: the monotonic system clock, the wall clock and sleeping.
 */

#include "kernel/KernelPrivate.h"

#include <chrono>
#include <sys/time.h>
#include <time.h>

using namespace BPrivate;


bigtime_t
system_time(void)
{
	return std::chrono::duration_cast<std::chrono::microseconds>(
		std::chrono::steady_clock::now().time_since_epoch()).count();
}


uint32
real_time_clock(void)
{
	return (uint32)time(nullptr);
}


bigtime_t
real_time_clock_usecs(void)
{
	struct timeval now;
	gettimeofday(&now, nullptr);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_usec;
}


status_t
snooze_until(bigtime_t wakeTime, int timeBase)
{
	if (timeBase != B_SYSTEM_TIMEBASE)
		return B_BAD_VALUE;

	std::unique_lock<std::mutex> lock(KernelLock());
	ThreadRecord* self = CurrentThreadRecordLocked();
	status_t status = HonourSuspension(lock, self);
	if (status == B_OK) {
		thread_state previous = self->state;
		self->state = B_THREAD_ASLEEP;
		status = WaitUntil(lock, self, wakeTime);
		self->state = previous;
	}
	if (status == B_INTERRUPTED) {
		lock.unlock();
		UnwindKilledThread();
	}
	return B_OK;
}


status_t
snooze(bigtime_t microseconds)
{
	bigtime_t now = system_time();
	if (microseconds < 0)
		microseconds = 0;
	bigtime_t wakeTime = microseconds >= B_INFINITE_TIMEOUT - now
		? B_INFINITE_TIMEOUT : now + microseconds;
	return snooze_until(wakeTime, B_SYSTEM_TIMEBASE);
}
