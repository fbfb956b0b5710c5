/*
 * BLocker: a recursive lock owned by a thread. The thread that locks it may lock it
 * again; it is free once every Lock has been matched by an Unlock.
 *
 * Waiting for a BLocker is a kernel wait, so kill_thread ends it; a killed thread's
 * lockers are released when it ends. Unlock by a thread that does not hold the lock is
 * ignored and reported through debugger(). Deleting a BLocker wakes its waiters, whose
 * Lock then fails.
 */
#ifndef _LOCKER_H
#define _LOCKER_H

#include <OS.h>

class BLocker;

namespace BPrivate {
void ForceReleaseLockerLocked(BLocker* locker);
}

class BLocker {
public:
							BLocker();
							BLocker(const char* name);
							BLocker(bool benaphoreStyle);
							BLocker(const char* name, bool benaphoreStyle);
	virtual					~BLocker();

			status_t		InitCheck() const;

	// Blocks until the lock is held; false if the lock was deleted or is broken.
			bool			Lock();
	// B_OK, or B_TIMED_OUT when the lock could not be had in time (also for a timeout
	// of 0, where the kernel would say B_WOULD_BLOCK).
			status_t		LockWithTimeout(bigtime_t timeout);
			void			Unlock();

	// The holder's id, or B_ERROR (-1) when nobody holds it.
			thread_id		LockingThread() const;
	// True when the calling thread holds the lock.
			bool			IsLocked() const;
	// How often the holder has locked it (0 when free).
			int32			CountLocks() const;
	// Threads holding or waiting for the lock.
			int32			CountLockRequests() const;
			sem_id			Sem() const;

private:
	friend void BPrivate::ForceReleaseLockerLocked(BLocker* locker);

							BLocker(const BLocker&);
			BLocker&		operator=(const BLocker&);

			void			_Init(const char* name);
			status_t		_Acquire(uint32 flags, bigtime_t timeout);

			sem_id			fSemaphore;
	mutable	vint32			fOwner;
	mutable	vint32			fCount;
	mutable	vint32			fRequests;
};

#endif	// _LOCKER_H
