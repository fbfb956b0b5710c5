/*
 * BLocker over a kernel semaphore of count 1. The owner and the recursion count are
 * written only by the holder (or by the kernel, for a holder that died) and read with
 * atomic operations by anyone.
 */

#include <Locker.h>

#include "kernel/KernelPrivate.h"


BLocker::BLocker()
{
	_Init("some BLocker");
}


BLocker::BLocker(const char* name)
{
	_Init(name);
}


BLocker::BLocker(bool benaphoreStyle)
{
	_Init("some BLocker");
}


BLocker::BLocker(const char* name, bool benaphoreStyle)
{
	_Init(name);
}


BLocker::~BLocker()
{
	thread_id owner = atomic_get(&fOwner);
	if (owner >= 0)
		BPrivate::NoteLockerReleased(this, owner);
	if (fSemaphore >= 0)
		delete_sem(fSemaphore);
}


void
BLocker::_Init(const char* name)
{
	fOwner = -1;
	fCount = 0;
	fRequests = 0;
	fSemaphore = create_sem(1, name != nullptr ? name : "some BLocker");
}


status_t
BLocker::InitCheck() const
{
	return fSemaphore >= 0 ? B_OK : fSemaphore;
}


status_t
BLocker::_Acquire(uint32 flags, bigtime_t timeout)
{
	thread_id self = find_thread(nullptr);
	if (atomic_get(&fOwner) == self) {
		atomic_add(&fCount, 1);
		return B_OK;
	}
	if (fSemaphore < 0)
		return fSemaphore;

	atomic_add(&fRequests, 1);
	status_t status;
	try {
		status = acquire_sem_etc(fSemaphore, 1, flags, timeout);
	} catch (...) {
		// The thread is being killed in its wait.
		atomic_add(&fRequests, -1);
		throw;
	}
	if (status == B_BAD_SEM_ID) {
		// The locker was deleted while we waited; its members are gone.
		return status;
	}
	if (status != B_OK) {
		atomic_add(&fRequests, -1);
		return status;
	}
	atomic_set(&fOwner, self);
	atomic_set(&fCount, 1);
	BPrivate::NoteLockerAcquired(this);
	return B_OK;
}


bool
BLocker::Lock()
{
	return _Acquire(0, 0) == B_OK;
}


status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	status_t status = _Acquire(B_RELATIVE_TIMEOUT, timeout);
	return status == B_WOULD_BLOCK ? B_TIMED_OUT : status;
}


void
BLocker::Unlock()
{
	thread_id self = find_thread(nullptr);
	if (atomic_get(&fOwner) != self) {
		debugger("BLocker::Unlock: the calling thread does not hold the lock");
		return;
	}
	if (atomic_add(&fCount, -1) > 1)
		return;

	BPrivate::NoteLockerReleased(this, self);
	atomic_set(&fOwner, -1);
	atomic_add(&fRequests, -1);
	release_sem(fSemaphore);
}


thread_id
BLocker::LockingThread() const
{
	return atomic_get(&fOwner);
}


bool
BLocker::IsLocked() const
{
	return atomic_get(&fOwner) == find_thread(nullptr);
}


int32
BLocker::CountLocks() const
{
	return atomic_get(&fCount);
}


int32
BLocker::CountLockRequests() const
{
	return atomic_get(&fRequests);
}


sem_id
BLocker::Sem() const
{
	return fSemaphore;
}


namespace BPrivate {

void
ForceReleaseLockerLocked(BLocker* locker)
{
	atomic_set(&locker->fOwner, -1);
	atomic_set(&locker->fCount, 0);
	atomic_add(&locker->fRequests, -1);
	ReleaseSemLocked(locker->fSemaphore, 1);
}

}	// namespace BPrivate
