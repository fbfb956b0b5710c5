#include <OS.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

TEST(AtomicTest, OperationsReturnThePreviousValue)
{
	vint32 value = 5;
	EXPECT_EQ(atomic_add(&value, 3), 5);
	EXPECT_EQ(value, 8);
	EXPECT_EQ(atomic_and(&value, 0xc), 8);
	EXPECT_EQ(value, 8);
	EXPECT_EQ(atomic_or(&value, 3), 8);
	EXPECT_EQ(value, 11);
	EXPECT_EQ(atomic_set(&value, -2), 11);
	EXPECT_EQ(atomic_get(&value), -2);
	EXPECT_EQ(atomic_test_and_set(&value, 7, 3), -2);
	EXPECT_EQ(value, -2);
	EXPECT_EQ(atomic_test_and_set(&value, 7, -2), -2);
	EXPECT_EQ(value, 7);

	vint64 big = INT64_C(1) << 40;
	EXPECT_EQ(atomic_add64(&big, 1), INT64_C(1) << 40);
	EXPECT_EQ(atomic_get64(&big), (INT64_C(1) << 40) + 1);
	EXPECT_EQ(atomic_set64(&big, 3), (INT64_C(1) << 40) + 1);
	EXPECT_EQ(atomic_or64(&big, INT64_C(1) << 50), 3);
	EXPECT_EQ(atomic_and64(&big, 1), (INT64_C(1) << 50) | 3);
	EXPECT_EQ(big, 1);
}


TEST(AtomicTest, ConcurrentAddsAreNotLost)
{
	static vint32 sCounter;
	sCounter = 0;
	std::vector<thread_id> threads;
	for (int i = 0; i < 6; i++) {
		threads.push_back(spawn_thread([](void*) -> int32 {
			for (int round = 0; round < 10000; round++)
				atomic_add(&sCounter, 1);
			return 0;
		}, "atomic adder", B_NORMAL_PRIORITY, nullptr));
		resume_thread(threads.back());
	}
	for (thread_id thread : threads)
		wait_for_thread(thread, nullptr);
	EXPECT_EQ(atomic_get(&sCounter), 60000);
}


TEST(TimeTest, ClockIsMonotonicAndSnoozeReturns)
{
	bigtime_t before = system_time();
	EXPECT_EQ(snooze(100), B_OK);
	EXPECT_EQ(snooze(0), B_OK);
	EXPECT_EQ(snooze(-5), B_OK);
	bigtime_t after = system_time();
	EXPECT_GE(after, before);
	EXPECT_EQ(snooze_until(system_time() + 50, B_SYSTEM_TIMEBASE), B_OK);
	EXPECT_EQ(snooze_until(0, B_SYSTEM_TIMEBASE), B_OK);
	EXPECT_EQ(snooze_until(0, 12), B_BAD_VALUE);
	EXPECT_GE(system_time(), after);
	EXPECT_GT(real_time_clock(), 1000000000u);
	EXPECT_GT(real_time_clock_usecs(), INT64_C(1000000000) * 1000000);
	EXPECT_GT(current_team(), 0);
}


TEST(DebuggerTest, ReportsTheMessageAndContinuesWhenAsked)
{
	setenv("QUORREL_DEBUGGER", "continue", 1);
	testing::internal::CaptureStderr();
	debugger("something is off");
	debugger(nullptr);
	std::string output = testing::internal::GetCapturedStderr();
	EXPECT_NE(output.find("something is off"), std::string::npos);
	EXPECT_NE(output.find("no message"), std::string::npos);
}
