/*
 * The shared state of the kernel emulation: the thread registry, the semaphore table and
 * the one interruptible wait that every blocking call goes through.
 *
 * Every piece of kernel state is guarded by one process-wide mutex. Each thread known to
 * the kernel has a record with its own condition variable; a blocked thread waits on its
 * own variable, and whoever changes what it waits for (release_sem, thread exit,
 * kill_thread, resume_thread) notifies exactly that variable.
 *
 * kill_thread sets the record's "killed" flag and wakes the thread. The woken wait throws
 * BPrivate::ThreadKilled, which unwinds the thread's stack (destructors run, so a BAutolock
 * unlocks) up to the entry point that spawn_thread installed, where it is caught. Lockers
 * still held by the thread after unwinding are released there. A thread that is computing
 * when it is killed ends at its next blocking call. Threads the kernel did not spawn (main,
 * threads of other libraries) leave through pthread_exit instead.
 */
#ifndef _KERNEL_PRIVATE_H
#define _KERNEL_PRIVATE_H

#include <OS.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class BLocker;

namespace BPrivate {

// Thrown inside a killed thread to unwind it; never derived from std::exception so that
// ordinary handlers do not swallow it.
struct ThreadKilled {
};

// Thrown by exit_thread inside a spawned thread.
struct ThreadExited {
	status_t	status;
};

struct ThreadRecord {
	thread_id					id = -1;
	std::string					name;
	int32						priority = B_NORMAL_PRIORITY;
	thread_func					function = nullptr;
	void*						data = nullptr;
	bool						spawned = false;	// false: adopted by find_thread
	bool						started = false;	// its pthread exists
	bool						suspended = false;
	bool						killed = false;
	bool						unwinding = false;
	bool						dead = false;
	status_t					exitStatus = B_OK;
	thread_state				state = B_THREAD_SUSPENDED;
	sem_id						waitingSem = -1;
	pthread_t					pthread = 0;
	std::condition_variable		condition;
	std::vector<std::pair<void (*)(void*), void*> > exitCallbacks;
	std::vector<BLocker*>		heldLockers;
	std::vector<ThreadRecord*>	joiners;		// threads in wait_for_thread on this one
};

// The one mutex behind all kernel state.
std::mutex&			KernelLock();

// The calling thread's record, adopted if the kernel has not seen the thread yet.
// Called with KernelLock() held.
ThreadRecord*		CurrentThreadRecordLocked();
ThreadRecord*		CurrentThreadRecord();

// Blocks the calling thread (given as self) until ready() holds, the deadline (in
// system_time microseconds, B_INFINITE_TIMEOUT for none) passes, or the thread is
// killed. Returns B_OK, B_TIMED_OUT or B_INTERRUPTED (killed). Must be called with the
// lock held through `lock`; the lock is held again on return.
template<typename Predicate>
status_t			InterruptibleWait(std::unique_lock<std::mutex>& lock,
						ThreadRecord* self, bigtime_t deadline, Predicate ready);

// Waits until the deadline without a condition; used by snooze.
status_t			WaitUntil(std::unique_lock<std::mutex>& lock, ThreadRecord* self,
						bigtime_t deadline);

// Ends the calling thread after a wait reported B_INTERRUPTED. Call without the lock.
[[noreturn]] void	UnwindKilledThread();

// True when a wait of this thread must end because the thread was killed (and it is not
// already unwinding, when waits behave normally so that destructors can run).
bool				IsKillPending(const ThreadRecord* self);

// Honours a suspend_thread aimed at the calling thread: blocks until resumed. Returns
// B_INTERRUPTED if the thread was killed meanwhile. Called with the lock held.
status_t			HonourSuspension(std::unique_lock<std::mutex>& lock, ThreadRecord* self);

// Lockers held by a thread, so that they can be released when it dies.
void				NoteLockerAcquired(BLocker* locker);
void				NoteLockerReleased(BLocker* locker, thread_id owner);

// Gives up a locker whose owner died without unlocking it; defined with BLocker.
void				ForceReleaseLockerLocked(BLocker* locker);

// release_sem for callers that already hold the kernel lock.
status_t			ReleaseSemLocked(sem_id sem, int32 count);

std::chrono::steady_clock::time_point
					SteadyPointFor(bigtime_t systemTime);


template<typename Predicate>
status_t
InterruptibleWait(std::unique_lock<std::mutex>& lock, ThreadRecord* self,
	bigtime_t deadline, Predicate ready)
{
	while (true) {
		if (ready())
			return B_OK;
		if (IsKillPending(self))
			return B_INTERRUPTED;
		if (deadline == B_INFINITE_TIMEOUT)
			self->condition.wait(lock);
		else {
			if (system_time() >= deadline)
				return B_TIMED_OUT;
			self->condition.wait_until(lock, SteadyPointFor(deadline));
		}
	}
}

}	// namespace BPrivate

#endif	// _KERNEL_PRIVATE_H
