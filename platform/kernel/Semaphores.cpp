/*
 * Counting semaphores. Waiters are served strictly in arrival order, as on BeOS: a
 * waiter that wants more than is available holds back those behind it.
 */

#include "kernel/KernelPrivate.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <unistd.h>

namespace BPrivate {

namespace {

struct SemWaiter {
	ThreadRecord*	thread;
	int32			count;
	bool			granted;
};

struct Semaphore {
	sem_id					id;
	std::string				name;
	int32					count;
	thread_id				latestHolder;
	bool					deleted;
	std::deque<SemWaiter*>	waiters;
};

typedef std::map<sem_id, std::shared_ptr<Semaphore> > SemMap;

SemMap&
Semaphores()
{
	static SemMap* sSems = new SemMap;
	return *sSems;
}


sem_id sNextSemID = 1;


std::shared_ptr<Semaphore>
FindSemLocked(sem_id id)
{
	SemMap::iterator found = Semaphores().find(id);
	if (found == Semaphores().end())
		return nullptr;
	return found->second;
}


void
GrantWaitersLocked(Semaphore* sem)
{
	while (!sem->waiters.empty() && sem->waiters.front()->count <= sem->count) {
		SemWaiter* waiter = sem->waiters.front();
		sem->waiters.pop_front();
		sem->count -= waiter->count;
		sem->latestHolder = waiter->thread->id;
		waiter->granted = true;
		waiter->thread->condition.notify_all();
	}
}


// Turns the flags and timeout of acquire_sem_etc into an absolute deadline, or
// reports B_WOULD_BLOCK for a wait that must not block at all.
status_t
DeadlineFor(uint32 flags, bigtime_t timeout, bigtime_t* deadline)
{
	*deadline = B_INFINITE_TIMEOUT;
	if ((flags & B_RELATIVE_TIMEOUT) != 0) {
		if (timeout <= 0)
			return B_WOULD_BLOCK;
		bigtime_t now = system_time();
		if (timeout < B_INFINITE_TIMEOUT - now)
			*deadline = now + timeout;
	} else if ((flags & B_ABSOLUTE_TIMEOUT) != 0) {
		if (timeout < 0)
			return B_WOULD_BLOCK;
		*deadline = timeout;
	}
	return B_OK;
}

}	// unnamed namespace


status_t
ReleaseSemLocked(sem_id id, int32 count)
{
	if (count < 1)
		return B_BAD_VALUE;
	std::shared_ptr<Semaphore> sem = FindSemLocked(id);
	if (!sem)
		return B_BAD_SEM_ID;
	if (sem->count > INT32_MAX - count)
		return B_BAD_VALUE;
	sem->count += count;
	GrantWaitersLocked(sem.get());
	return B_OK;
}

}	// namespace BPrivate


using namespace BPrivate;


sem_id
create_sem(int32 count, const char* name)
{
	if (count < 0)
		return B_BAD_VALUE;
	std::shared_ptr<Semaphore> sem = std::make_shared<Semaphore>();
	sem->name = name != nullptr ? name : "unnamed semaphore";
	if (sem->name.size() > B_OS_NAME_LENGTH - 1)
		sem->name.resize(B_OS_NAME_LENGTH - 1);
	sem->count = count;
	sem->latestHolder = -1;
	sem->deleted = false;

	std::lock_guard<std::mutex> lock(KernelLock());
	sem->id = sNextSemID++;
	Semaphores()[sem->id] = sem;
	return sem->id;
}


status_t
delete_sem(sem_id id)
{
	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<Semaphore> sem = FindSemLocked(id);
	if (!sem)
		return B_BAD_SEM_ID;
	sem->deleted = true;
	Semaphores().erase(id);
	for (SemWaiter* waiter : sem->waiters)
		waiter->thread->condition.notify_all();
	sem->waiters.clear();
	return B_OK;
}


status_t
acquire_sem(sem_id id)
{
	return acquire_sem_etc(id, 1, 0, 0);
}


status_t
acquire_sem_etc(sem_id id, int32 count, uint32 flags, bigtime_t timeout)
{
	if (count < 1)
		return B_BAD_VALUE;

	std::unique_lock<std::mutex> lock(KernelLock());
	ThreadRecord* self = CurrentThreadRecordLocked();
	if (HonourSuspension(lock, self) == B_INTERRUPTED) {
		lock.unlock();
		UnwindKilledThread();
	}

	std::shared_ptr<Semaphore> sem = FindSemLocked(id);
	if (!sem)
		return B_BAD_SEM_ID;
	if (sem->waiters.empty() && sem->count >= count) {
		sem->count -= count;
		sem->latestHolder = self->id;
		return B_OK;
	}

	bigtime_t deadline;
	status_t status = DeadlineFor(flags, timeout, &deadline);
	if (status != B_OK)
		return status;

	SemWaiter waiter = { self, count, false };
	sem->waiters.push_back(&waiter);
	thread_state previousState = self->state;
	self->state = B_THREAD_WAITING;
	self->waitingSem = id;

	status = InterruptibleWait(lock, self, deadline,
		[&] { return waiter.granted || sem->deleted; });

	self->state = previousState;
	self->waitingSem = -1;
	if (waiter.granted)
		return B_OK;
	if (sem->deleted)
		return B_BAD_SEM_ID;

	for (auto it = sem->waiters.begin(); it != sem->waiters.end(); ++it) {
		if (*it == &waiter) {
			sem->waiters.erase(it);
			break;
		}
	}
	// A waiter that gave up may have been the one holding back those behind it.
	GrantWaitersLocked(sem.get());

	if (status == B_INTERRUPTED) {
		lock.unlock();
		UnwindKilledThread();
	}
	return status;
}


status_t
release_sem(sem_id id)
{
	return release_sem_etc(id, 1, 0);
}


status_t
release_sem_etc(sem_id id, int32 count, uint32 flags)
{
	std::lock_guard<std::mutex> lock(KernelLock());
	return ReleaseSemLocked(id, count);
}


status_t
get_sem_count(sem_id id, int32* threadCount)
{
	if (threadCount == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<Semaphore> sem = FindSemLocked(id);
	if (!sem)
		return B_BAD_SEM_ID;
	// As on BeOS, waiting threads make the count negative.
	int64 count = sem->count;
	for (const SemWaiter* waiter : sem->waiters)
		count -= waiter->count;
	*threadCount = (int32)std::max<int64>(count, INT32_MIN);
	return B_OK;
}


status_t
get_sem_info(sem_id id, sem_info* info)
{
	if (info == nullptr)
		return B_BAD_VALUE;
	int32 count;
	status_t status = get_sem_count(id, &count);
	if (status != B_OK)
		return status;

	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<Semaphore> sem = FindSemLocked(id);
	if (!sem)
		return B_BAD_SEM_ID;
	memset(info, 0, sizeof(sem_info));
	info->sem = sem->id;
	info->team = getpid();
	strncpy(info->name, sem->name.c_str(), B_OS_NAME_LENGTH - 1);
	info->count = count;
	info->latest_holder = sem->latestHolder;
	return B_OK;
}
