#include <Autolock.h>
#include <Locker.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "KernelTestUtils.h"

namespace {

std::atomic<int> sDestroyed;
std::atomic<int> sAfterWait;


// Counts how many of these were destroyed, to see that a killed thread unwinds.
struct Sentinel {
	~Sentinel() { sDestroyed++; }
};


int32
SleepForever(void*)
{
	Sentinel sentinel;
	snooze(B_INFINITE_TIMEOUT);
	sAfterWait++;
	return 0;
}


int32
WaitOnSemaphore(void* data)
{
	Sentinel sentinel;
	acquire_sem(*static_cast<sem_id*>(data));
	sAfterWait++;
	return 0;
}


int32
WaitOnLocker(void* data)
{
	Sentinel sentinel;
	BAutolock lock(static_cast<BLocker*>(data));
	sAfterWait++;
	return 0;
}


int32
HoldLockerAndSleep(void* data)
{
	// A plain Lock without a matching Unlock: the kernel has to give it back.
	static_cast<BLocker*>(data)->Lock();
	static_cast<BLocker*>(data)->Lock();
	snooze(B_INFINITE_TIMEOUT);
	return 0;
}


int32
WaitForOther(void* data)
{
	Sentinel sentinel;
	wait_for_thread(*static_cast<thread_id*>(data), nullptr);
	sAfterWait++;
	return 0;
}


int32
KillSelf(void*)
{
	Sentinel sentinel;
	kill_thread(find_thread(nullptr));
	sAfterWait++;
	return 0;
}


void
ExpectKilled(thread_id thread)
{
	status_t exitValue = B_OK;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
}

}	// unnamed namespace


TEST(KillTest, KillingASleepingThreadUnwindsIt)
{
	sDestroyed = 0;
	sAfterWait = 0;
	thread_id thread = spawn_thread(SleepForever, "sleeper", B_NORMAL_PRIORITY, nullptr);
	resume_thread(thread);
	ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_ASLEEP));
	ASSERT_EQ(kill_thread(thread), B_OK);
	ExpectKilled(thread);
	EXPECT_EQ(sDestroyed.load(), 1);
	EXPECT_EQ(sAfterWait.load(), 0);
	EXPECT_EQ(kill_thread(thread), B_BAD_THREAD_ID);
}


TEST(KillTest, KillingASemaphoreWaiterLeavesTheSemaphoreIntact)
{
	sDestroyed = 0;
	sAfterWait = 0;
	sem_id sem = create_sem(0, "kill target");
	thread_id thread = spawn_thread(WaitOnSemaphore, "sem waiter", B_NORMAL_PRIORITY,
		&sem);
	resume_thread(thread);
	ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_WAITING, sem));
	ASSERT_EQ(kill_thread(thread), B_OK);
	ExpectKilled(thread);
	EXPECT_EQ(sDestroyed.load(), 1);
	EXPECT_EQ(sAfterWait.load(), 0);

	int32 count = -1;
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	release_sem(sem);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 0), B_OK);
	delete_sem(sem);
}


TEST(KillTest, KillingALockerWaiterLeavesTheLockUsable)
{
	sDestroyed = 0;
	sAfterWait = 0;
	BLocker locker("contended");
	ASSERT_TRUE(locker.Lock());
	thread_id thread = spawn_thread(WaitOnLocker, "lock waiter", B_NORMAL_PRIORITY,
		&locker);
	resume_thread(thread);
	ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_WAITING, locker.Sem()));
	EXPECT_EQ(locker.CountLockRequests(), 2);
	ASSERT_EQ(kill_thread(thread), B_OK);
	ExpectKilled(thread);
	EXPECT_EQ(sDestroyed.load(), 1);
	EXPECT_EQ(sAfterWait.load(), 0);

	EXPECT_TRUE(locker.IsLocked());
	EXPECT_EQ(locker.CountLockRequests(), 1);
	locker.Unlock();
	EXPECT_EQ(locker.LockingThread(), B_ERROR);

	// Another thread can take it now.
	sAfterWait = 0;
	thread = spawn_thread(WaitOnLocker, "next locker", B_NORMAL_PRIORITY, &locker);
	status_t exitValue = -1;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_OK);
	EXPECT_EQ(sAfterWait.load(), 1);
	EXPECT_EQ(locker.CountLockRequests(), 0);
}


TEST(KillTest, LockersHeldByAKilledThreadAreReleased)
{
	BLocker locker("held");
	thread_id thread = spawn_thread(HoldLockerAndSleep, "holder", B_NORMAL_PRIORITY,
		&locker);
	resume_thread(thread);
	ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_ASLEEP));
	EXPECT_EQ(locker.LockingThread(), thread);
	EXPECT_EQ(locker.CountLocks(), 2);
	EXPECT_EQ(locker.LockWithTimeout(0), B_TIMED_OUT);

	ASSERT_EQ(kill_thread(thread), B_OK);
	ExpectKilled(thread);
	EXPECT_EQ(locker.LockingThread(), B_ERROR);
	EXPECT_EQ(locker.CountLocks(), 0);
	ASSERT_EQ(locker.LockWithTimeout(0), B_OK);
	EXPECT_EQ(locker.CountLocks(), 1);
	locker.Unlock();
	EXPECT_EQ(locker.CountLockRequests(), 0);
}


TEST(KillTest, KillingAThreadInWaitForThreadOrBeforeItRan)
{
	sDestroyed = 0;
	sAfterWait = 0;
	thread_id target = spawn_thread(SleepForever, "target", B_NORMAL_PRIORITY, nullptr);
	resume_thread(target);
	thread_id waiter = spawn_thread(WaitForOther, "joiner", B_NORMAL_PRIORITY, &target);
	resume_thread(waiter);
	ASSERT_TRUE(WaitForThreadState(waiter, B_THREAD_WAITING));
	ASSERT_EQ(kill_thread(waiter), B_OK);
	ExpectKilled(waiter);
	EXPECT_EQ(sAfterWait.load(), 0);

	kill_thread(target);
	ExpectKilled(target);
	EXPECT_EQ(sDestroyed.load(), 2);

	// A thread killed before it was ever resumed never runs.
	sDestroyed = 0;
	thread_id idle = spawn_thread(SleepForever, "never run", B_NORMAL_PRIORITY, nullptr);
	ASSERT_EQ(kill_thread(idle), B_OK);
	ExpectKilled(idle);
	EXPECT_EQ(sDestroyed.load(), 0);
	EXPECT_EQ(resume_thread(idle), B_BAD_THREAD_ID);
}


TEST(KillTest, AThreadCanKillItself)
{
	sDestroyed = 0;
	sAfterWait = 0;
	thread_id thread = spawn_thread(KillSelf, "suicide", B_NORMAL_PRIORITY, nullptr);
	ExpectKilled(thread);
	EXPECT_EQ(sDestroyed.load(), 1);
	EXPECT_EQ(sAfterWait.load(), 0);
}


TEST(KillTest, AComputingThreadEndsAtItsNextBlockingCall)
{
	struct Shared {
		sem_id			started;
		std::atomic<bool> go;
		std::atomic<int> passes;
	} shared;
	shared.started = create_sem(0, "started");
	shared.go = false;
	shared.passes = 0;

	thread_id thread = spawn_thread([](void* data) -> int32 {
		Shared* shared = static_cast<Shared*>(data);
		release_sem(shared->started);
		while (!shared->go)
			;
		shared->passes++;
		snooze(10);
		shared->passes++;
		return 0;
	}, "busy", B_NORMAL_PRIORITY, &shared);
	resume_thread(thread);
	acquire_sem(shared.started);
	ASSERT_EQ(kill_thread(thread), B_OK);
	shared.go = true;
	ExpectKilled(thread);
	EXPECT_EQ(shared.passes.load(), 1);
	delete_sem(shared.started);
}


TEST(KillTest, ThreadsNotSpawnedByTheKernelCanBeKilledToo)
{
	sDestroyed = 0;
	sAfterWait = 0;
	sem_id sem = create_sem(0, "foreign waiter");
	std::atomic<thread_id> id(-1);
	std::thread foreign([&id, sem] {
		id = find_thread(nullptr);
		Sentinel sentinel;
		acquire_sem(sem);
		sAfterWait++;
	});
	while (id.load() < 0)
		snooze(500);
	ASSERT_TRUE(WaitForThreadState(id.load(), B_THREAD_WAITING, sem));
	ASSERT_EQ(kill_thread(id.load()), B_OK);
	foreign.join();
	EXPECT_EQ(sDestroyed.load(), 1);
	EXPECT_EQ(sAfterWait.load(), 0);
	EXPECT_EQ(get_thread_info(id.load(), nullptr), B_BAD_VALUE);
	thread_info info;
	EXPECT_EQ(get_thread_info(id.load(), &info), B_BAD_THREAD_ID);
	delete_sem(sem);
}


TEST(KillTest, SuspendingAnotherThreadTakesHoldAtItsNextBlockingCall)
{
	struct Shared {
		sem_id				started;
		std::atomic<bool>	go;
		std::atomic<int>	passes;
	} shared;
	shared.started = create_sem(0, "started");
	shared.go = false;
	shared.passes = 0;

	thread_id thread = spawn_thread([](void* data) -> int32 {
		Shared* shared = static_cast<Shared*>(data);
		release_sem(shared->started);
		while (!shared->go)
			;
		snooze(1);
		shared->passes++;
		return 0;
	}, "suspendable", B_NORMAL_PRIORITY, &shared);
	resume_thread(thread);
	acquire_sem(shared.started);
	ASSERT_EQ(suspend_thread(thread), B_OK);
	shared.go = true;
	ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_SUSPENDED));
	EXPECT_EQ(shared.passes.load(), 0);
	ASSERT_EQ(resume_thread(thread), B_OK);
	wait_for_thread(thread, nullptr);
	EXPECT_EQ(shared.passes.load(), 1);
	delete_sem(shared.started);
}
