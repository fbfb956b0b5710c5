#include <OS.h>

#include <gtest/gtest.h>

#include <vector>

#include "KernelTestUtils.h"

namespace {

struct Waiter {
	sem_id		sem;
	int32		count;
	status_t	result;
};


int32
AcquireAndReport(void* data)
{
	Waiter* waiter = static_cast<Waiter*>(data);
	waiter->result = acquire_sem_etc(waiter->sem, waiter->count, 0, 0);
	return waiter->result;
}

}	// unnamed namespace


TEST(SemaphoreTest, CountsAcquiresAndReleases)
{
	EXPECT_EQ(create_sem(-1, "negative"), B_BAD_VALUE);

	sem_id sem = create_sem(2, "counter");
	ASSERT_GT(sem, 0);
	int32 count = -1;
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 2);

	EXPECT_EQ(acquire_sem(sem), B_OK);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 0), B_OK);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 1000), B_TIMED_OUT);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_ABSOLUTE_TIMEOUT, system_time() + 1000),
		B_TIMED_OUT);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_ABSOLUTE_TIMEOUT, -1), B_WOULD_BLOCK);

	EXPECT_EQ(release_sem_etc(sem, 3, 0), B_OK);
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 3);
	EXPECT_EQ(acquire_sem_etc(sem, 3, 0, 0), B_OK);

	sem_info info;
	ASSERT_EQ(get_sem_info(sem, &info), B_OK);
	EXPECT_STREQ(info.name, "counter");
	EXPECT_EQ(info.count, 0);
	EXPECT_EQ(info.latest_holder, find_thread(nullptr));

	EXPECT_EQ(acquire_sem_etc(sem, 0, 0, 0), B_BAD_VALUE);
	EXPECT_EQ(release_sem_etc(sem, 0, 0), B_BAD_VALUE);
	EXPECT_EQ(release_sem_etc(sem, -4, 0), B_BAD_VALUE);
	EXPECT_EQ(get_sem_count(sem, nullptr), B_BAD_VALUE);
	EXPECT_EQ(get_sem_info(sem, nullptr), B_BAD_VALUE);

	ASSERT_EQ(delete_sem(sem), B_OK);
	EXPECT_EQ(delete_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(acquire_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(release_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(get_sem_count(sem, &count), B_BAD_SEM_ID);

	// Ids are never handed out twice.
	sem_id next = create_sem(0, nullptr);
	EXPECT_NE(next, sem);
	ASSERT_EQ(get_sem_info(next, &info), B_OK);
	EXPECT_STRNE(info.name, "");
	delete_sem(next);
}


TEST(SemaphoreTest, WaitersAreServedInArrivalOrderAndShowAsNegativeCount)
{
	sem_id sem = create_sem(0, "fifo");
	Waiter big = { sem, 2, 1 };
	Waiter small = { sem, 1, 1 };
	thread_id bigThread = spawn_thread(AcquireAndReport, "big", B_NORMAL_PRIORITY, &big);
	resume_thread(bigThread);
	ASSERT_TRUE(WaitForThreadState(bigThread, B_THREAD_WAITING, sem));
	thread_id smallThread = spawn_thread(AcquireAndReport, "small", B_NORMAL_PRIORITY,
		&small);
	resume_thread(smallThread);
	ASSERT_TRUE(WaitForThreadState(smallThread, B_THREAD_WAITING, sem));

	int32 count = 0;
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, -3);

	// One unit is not enough for the first waiter, and the second must not overtake it.
	release_sem(sem);
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, -2);
	thread_info info;
	ASSERT_EQ(get_thread_info(smallThread, &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_WAITING);

	release_sem_etc(sem, 2, 0);
	status_t exitValue;
	wait_for_thread(bigThread, &exitValue);
	wait_for_thread(smallThread, &exitValue);
	EXPECT_EQ(big.result, B_OK);
	EXPECT_EQ(small.result, B_OK);
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	delete_sem(sem);
}


TEST(SemaphoreTest, DeletingASemaphoreWakesItsWaiters)
{
	sem_id sem = create_sem(0, "doomed");
	std::vector<Waiter> waiters(3, Waiter{ sem, 1, 1 });
	std::vector<thread_id> threads;
	for (Waiter& waiter : waiters) {
		thread_id thread = spawn_thread(AcquireAndReport, "doomed waiter",
			B_NORMAL_PRIORITY, &waiter);
		resume_thread(thread);
		ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_WAITING, sem));
		threads.push_back(thread);
	}
	ASSERT_EQ(delete_sem(sem), B_OK);
	for (thread_id thread : threads) {
		status_t exitValue = 0;
		ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
		EXPECT_EQ(exitValue, B_BAD_SEM_ID);
	}
}


TEST(SemaphoreTest, ATimedOutWaiterNoLongerHoldsBackThoseBehindIt)
{
	sem_id sem = create_sem(1, "timeouts");
	Waiter greedy = { sem, 5, 1 };
	thread_id greedyThread = spawn_thread([](void* data) -> int32 {
		Waiter* waiter = static_cast<Waiter*>(data);
		waiter->result = acquire_sem_etc(waiter->sem, waiter->count, B_RELATIVE_TIMEOUT,
			20000);
		return 0;
	}, "greedy", B_NORMAL_PRIORITY, &greedy);
	resume_thread(greedyThread);
	ASSERT_TRUE(WaitForThreadState(greedyThread, B_THREAD_WAITING, sem));

	// Queued behind the greedy waiter, this one gets the unit once the other gives up.
	EXPECT_EQ(acquire_sem(sem), B_OK);
	wait_for_thread(greedyThread, nullptr);
	EXPECT_EQ(greedy.result, B_TIMED_OUT);
	delete_sem(sem);
}


TEST(SemaphoreTest, ManyThreadsShareACounterThroughASemaphore)
{
	struct Shared {
		sem_id	mutex;
		int64	counter;
	} shared = { create_sem(1, "mutex"), 0 };

	const int kThreads = 8;
	const int kRounds = 2000;
	std::vector<thread_id> threads;
	for (int i = 0; i < kThreads; i++) {
		threads.push_back(spawn_thread([](void* data) -> int32 {
			Shared* shared = static_cast<Shared*>(data);
			for (int round = 0; round < kRounds; round++) {
				if (acquire_sem(shared->mutex) != B_OK)
					return B_ERROR;
				shared->counter++;
				release_sem(shared->mutex);
			}
			return B_OK;
		}, "adder", B_NORMAL_PRIORITY, &shared));
	}
	for (thread_id thread : threads)
		resume_thread(thread);
	for (thread_id thread : threads) {
		status_t exitValue = B_ERROR;
		wait_for_thread(thread, &exitValue);
		EXPECT_EQ(exitValue, B_OK);
	}
	EXPECT_EQ(shared.counter, (int64)kThreads * kRounds);
	delete_sem(shared.mutex);
}
