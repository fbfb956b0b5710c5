// Helpers for kernel tests: waiting until another thread reaches a given state.
#ifndef KERNEL_TEST_UTILS_H
#define KERNEL_TEST_UTILS_H

#include <OS.h>

// Polls until the thread is in the given state (and, for a semaphore wait, waits on
// `sem` when that is not negative). Gives up after a generous number of rounds.
inline bool
WaitForThreadState(thread_id thread, thread_state state, sem_id sem = -1)
{
	for (int round = 0; round < 20000; round++) {
		thread_info info;
		if (get_thread_info(thread, &info) != B_OK)
			return false;
		if (info.state == state && (sem < 0 || info.sem == sem))
			return true;
		snooze(500);
	}
	return false;
}

#endif	// KERNEL_TEST_UTILS_H
