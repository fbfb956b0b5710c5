#include <OS.h>

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "KernelTestUtils.h"

namespace {

std::atomic<int> sRuns;


int32
CountRun(void* data)
{
	sRuns++;
	return data != nullptr ? *static_cast<int32*>(data) : 0;
}


int32
ExitEarly(void* data)
{
	exit_thread(77);
	sRuns += 1000;
	return 1;
}


int32
ReportOwnId(void* data)
{
	*static_cast<thread_id*>(data) = find_thread(nullptr);
	return 0;
}


int32
SuspendSelf(void* data)
{
	suspend_thread(find_thread(nullptr));
	sRuns++;
	return 5;
}

}	// unnamed namespace


TEST(ThreadTest, SpawnedThreadRunsOnlyAfterResumeAndReportsItsExitValue)
{
	sRuns = 0;
	int32 value = 42;
	thread_id thread = spawn_thread(CountRun, "counter", B_NORMAL_PRIORITY, &value);
	ASSERT_GT(thread, 0);

	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_SUSPENDED);
	EXPECT_STREQ(info.name, "counter");
	EXPECT_EQ(info.priority, B_NORMAL_PRIORITY);
	EXPECT_EQ(sRuns.load(), 0);

	ASSERT_EQ(resume_thread(thread), B_OK);
	status_t exitValue = -1;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 42);
	EXPECT_EQ(sRuns.load(), 1);

	// A finished thread still reports its exit value, but is otherwise gone.
	exitValue = -1;
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 42);
	EXPECT_EQ(get_thread_info(thread, &info), B_BAD_THREAD_ID);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_ID);
}


TEST(ThreadTest, WaitForThreadStartsAThreadNeverResumed)
{
	sRuns = 0;
	int32 value = 9;
	thread_id thread = spawn_thread(CountRun, "lazy", B_LOW_PRIORITY, &value);
	status_t exitValue = -1;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 9);
	EXPECT_EQ(sRuns.load(), 1);
}


TEST(ThreadTest, ExitThreadEndsTheThreadWithItsStatus)
{
	sRuns = 0;
	thread_id thread = spawn_thread(ExitEarly, "exiter", B_NORMAL_PRIORITY, nullptr);
	status_t exitValue = -1;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 77);
	EXPECT_EQ(sRuns.load(), 0);
}


TEST(ThreadTest, BadArgumentsAndStatesAreRefused)
{
	EXPECT_EQ(spawn_thread(nullptr, "x", B_NORMAL_PRIORITY, nullptr), B_BAD_VALUE);
	EXPECT_EQ(resume_thread(-5), B_BAD_THREAD_ID);
	EXPECT_EQ(kill_thread(999999), B_BAD_THREAD_ID);
	EXPECT_EQ(wait_for_thread(999999, nullptr), B_BAD_THREAD_ID);
	EXPECT_EQ(rename_thread(find_thread(nullptr), nullptr), B_BAD_VALUE);
	EXPECT_EQ(get_thread_info(find_thread(nullptr), nullptr), B_BAD_VALUE);
	EXPECT_EQ(wait_for_thread(find_thread(nullptr), nullptr), B_BAD_THREAD_ID);

	int32 value = 0;
	thread_id thread = spawn_thread(SuspendSelf, "sleeper", B_NORMAL_PRIORITY, &value);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_SUSPENDED));
	ASSERT_EQ(resume_thread(thread), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 5);

	// Resuming a thread that is running is a state error.
	thread = spawn_thread(SuspendSelf, "sleeper2", B_NORMAL_PRIORITY, &value);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_TRUE(WaitForThreadState(thread, B_THREAD_SUSPENDED));
	ASSERT_EQ(resume_thread(thread), B_OK);
	wait_for_thread(thread, &exitValue);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_ID);
}


TEST(ThreadTest, IdsAreUniqueAndForeignThreadsGetOneToo)
{
	thread_id self = find_thread(nullptr);
	EXPECT_GT(self, 0);
	EXPECT_EQ(find_thread(nullptr), self);

	std::set<thread_id> seen;
	seen.insert(self);
	for (int i = 0; i < 50; i++) {
		thread_id reported = -1;
		thread_id thread = spawn_thread(ReportOwnId, "id", B_NORMAL_PRIORITY, &reported);
		wait_for_thread(thread, nullptr);
		EXPECT_EQ(reported, thread);
		EXPECT_TRUE(seen.insert(thread).second) << "id reused: " << thread;
	}

	thread_id foreign = -1;
	std::thread other([&foreign] { foreign = find_thread(nullptr); });
	other.join();
	EXPECT_GT(foreign, 0);
	EXPECT_TRUE(seen.insert(foreign).second);
}


TEST(ThreadTest, ThreadsAreFoundByNameAndCanBeRenamed)
{
	sem_id gate = create_sem(0, "gate");
	thread_id thread = spawn_thread([](void* data) -> int32 {
		return acquire_sem(*static_cast<sem_id*>(data));
	}, "findable worker", B_NORMAL_PRIORITY, &gate);
	resume_thread(thread);

	EXPECT_EQ(find_thread("findable worker"), thread);
	EXPECT_EQ(find_thread("no such thread"), B_NAME_NOT_FOUND);

	ASSERT_EQ(rename_thread(thread, "a name much longer than thirty-one bytes"), B_OK);
	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_STREQ(info.name, "a name much longer than thirty-");
	EXPECT_EQ(find_thread("findable worker"), B_NAME_NOT_FOUND);

	EXPECT_EQ(set_thread_priority(thread, B_DISPLAY_PRIORITY), B_NORMAL_PRIORITY);
	EXPECT_EQ(set_thread_priority(thread, 0), B_BAD_VALUE);

	release_sem(gate);
	status_t exitValue = -1;
	wait_for_thread(thread, &exitValue);
	EXPECT_EQ(exitValue, B_OK);
	delete_sem(gate);
}


TEST(ThreadTest, ExitCallbacksRunWhenTheThreadEnds)
{
	static std::atomic<int> sCalls;
	sCalls = 0;
	thread_id thread = spawn_thread([](void*) -> int32 {
		static int sThree = 3;
		on_exit_thread([](void* data) { sCalls += *static_cast<int*>(data); }, &sThree);
		on_exit_thread([](void*) { sCalls += 10; }, nullptr);
		return 0;
	}, "callbacks", B_NORMAL_PRIORITY, nullptr);
	wait_for_thread(thread, nullptr);
	EXPECT_EQ(sCalls.load(), 13);
	EXPECT_EQ(on_exit_thread(nullptr, nullptr), B_BAD_VALUE);
}
