#include <Autolock.h>
#include <Locker.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Probe {
	BLocker*	locker;
	status_t	result;
	bool		locked;
	bool		isLockedSeen;
};


int32
TryForAWhile(void* data)
{
	Probe* probe = static_cast<Probe*>(data);
	probe->result = probe->locker->LockWithTimeout(2000);
	probe->isLockedSeen = probe->locker->IsLocked();
	if (probe->result == B_OK)
		probe->locker->Unlock();
	return 0;
}


int32
LockBlocking(void* data)
{
	Probe* probe = static_cast<Probe*>(data);
	probe->locked = probe->locker->Lock();
	if (probe->locked)
		probe->locker->Unlock();
	return 0;
}


// Something that is not a BLocker but can be locked, as a BLooper can.
struct CountingLockable {
	int locks = 0;
	int unlocks = 0;
	bool allow = true;
	bool Lock() { locks++; return allow; }
	void Unlock() { unlocks++; }
};

}	// unnamed namespace


TEST(LockerTest, IsRecursiveAndOwnedByOneThread)
{
	BLocker locker("recursive");
	ASSERT_EQ(locker.InitCheck(), B_OK);
	EXPECT_FALSE(locker.IsLocked());
	EXPECT_EQ(locker.LockingThread(), B_ERROR);
	EXPECT_EQ(locker.CountLocks(), 0);

	ASSERT_TRUE(locker.Lock());
	ASSERT_TRUE(locker.Lock());
	EXPECT_EQ(locker.LockWithTimeout(0), B_OK);
	EXPECT_TRUE(locker.IsLocked());
	EXPECT_EQ(locker.LockingThread(), find_thread(nullptr));
	EXPECT_EQ(locker.CountLocks(), 3);

	// Another thread neither gets it nor sees itself as holder.
	Probe probe = { &locker, B_OK, false, true };
	thread_id thread = spawn_thread(TryForAWhile, "prober", B_NORMAL_PRIORITY, &probe);
	wait_for_thread(thread, nullptr);
	EXPECT_EQ(probe.result, B_TIMED_OUT);
	EXPECT_FALSE(probe.isLockedSeen);

	locker.Unlock();
	locker.Unlock();
	EXPECT_TRUE(locker.IsLocked());
	locker.Unlock();
	EXPECT_FALSE(locker.IsLocked());
	EXPECT_EQ(locker.CountLocks(), 0);

	thread = spawn_thread(TryForAWhile, "prober", B_NORMAL_PRIORITY, &probe);
	wait_for_thread(thread, nullptr);
	EXPECT_EQ(probe.result, B_OK);
	EXPECT_TRUE(probe.isLockedSeen);
}


TEST(LockerTest, UnlockByAnotherThreadIsIgnored)
{
	setenv("QUORREL_DEBUGGER", "continue", 1);
	BLocker locker;
	ASSERT_TRUE(locker.Lock());

	testing::internal::CaptureStderr();
	thread_id thread = spawn_thread([](void* data) -> int32 {
		static_cast<BLocker*>(data)->Unlock();
		return 0;
	}, "intruder", B_NORMAL_PRIORITY, &locker);
	wait_for_thread(thread, nullptr);
	locker.Unlock();
	locker.Unlock();
	std::string output = testing::internal::GetCapturedStderr();
	EXPECT_NE(output.find("does not hold"), std::string::npos);

	// Only the owner's first Unlock counted: the lock is free, not over-released.
	EXPECT_FALSE(locker.IsLocked());
	ASSERT_TRUE(locker.Lock());
	Probe probe = { &locker, B_OK, false, false };
	thread = spawn_thread(TryForAWhile, "prober", B_NORMAL_PRIORITY, &probe);
	wait_for_thread(thread, nullptr);
	EXPECT_EQ(probe.result, B_TIMED_OUT);
	locker.Unlock();
}


TEST(LockerTest, DeletingALockerFailsItsWaiters)
{
	BLocker* locker = new BLocker("short-lived", true);
	ASSERT_TRUE(locker->Lock());
	Probe probe = { locker, B_OK, true, false };
	thread_id thread = spawn_thread(LockBlocking, "waiter", B_NORMAL_PRIORITY, &probe);
	resume_thread(thread);
	// Wait until the thread sits in the locker's semaphore.
	thread_info info = {};
	for (int i = 0; i < 20000; i++) {
		if (get_thread_info(thread, &info) == B_OK && info.sem == locker->Sem())
			break;
		snooze(500);
	}
	ASSERT_EQ(info.sem, locker->Sem());
	ASSERT_EQ(locker->CountLockRequests(), 2);
	delete locker;
	wait_for_thread(thread, nullptr);
	EXPECT_FALSE(probe.locked);
}


TEST(LockerTest, ManyThreadsKeepACounterConsistent)
{
	struct Shared {
		BLocker	locker;
		int		counter = 0;
	} shared;
	std::vector<thread_id> threads;
	for (int i = 0; i < 8; i++) {
		threads.push_back(spawn_thread([](void* data) -> int32 {
			Shared* shared = static_cast<Shared*>(data);
			for (int round = 0; round < 1000; round++) {
				BAutolock lock(shared->locker);
				if (!lock.IsLocked())
					return B_ERROR;
				// Recursion inside the lock must not block.
				BAutolock again(&shared->locker);
				shared->counter++;
			}
			return B_OK;
		}, "locker user", B_NORMAL_PRIORITY, &shared));
		resume_thread(threads.back());
	}
	for (thread_id thread : threads) {
		status_t exitValue = B_ERROR;
		wait_for_thread(thread, &exitValue);
		EXPECT_EQ(exitValue, B_OK);
	}
	EXPECT_EQ(shared.counter, 8000);
	EXPECT_EQ(shared.locker.CountLocks(), 0);
}


TEST(AutolockTest, LocksForItsLifetime)
{
	BLocker locker;
	{
		BAutolock lock(&locker);
		EXPECT_TRUE(lock.IsLocked());
		EXPECT_TRUE(locker.IsLocked());
		lock.Unlock();
		EXPECT_FALSE(lock.IsLocked());
		EXPECT_FALSE(locker.IsLocked());
	}
	EXPECT_FALSE(locker.IsLocked());
	{
		BAutolock lock(locker);
		EXPECT_TRUE(locker.IsLocked());
	}
	EXPECT_FALSE(locker.IsLocked());

	BAutolock none(static_cast<BLocker*>(nullptr));
	EXPECT_FALSE(none.IsLocked());

	CountingLockable lockable;
	{
		BAutolock lock(&lockable);
		EXPECT_TRUE(lock.IsLocked());
	}
	lockable.allow = false;
	{
		BAutolock lock(&lockable);
		EXPECT_FALSE(lock.IsLocked());
	}
	EXPECT_EQ(lockable.locks, 2);
	EXPECT_EQ(lockable.unlocks, 1);
}
