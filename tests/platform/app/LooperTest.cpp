#include <Handler.h>
#include <Invoker.h>
#include <Looper.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Messenger.h>

#include "app/LooperRegistry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

const bigtime_t kIdleTimeout = 10000000;

// Records the codes it receives, and who received them.
class RecordingHandler : public BHandler {
public:
	RecordingHandler(const char* name, std::vector<std::string>* log, std::mutex* lock)
		: BHandler(name), fLog(log), fLock(lock) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'PASS') {
			BHandler::MessageReceived(message);
			return;
		}
		std::lock_guard<std::mutex> guard(*fLock);
		fLog->push_back(std::string(Name()) + ":" + std::to_string(message->FindInt32("n")));
	}

private:
	std::vector<std::string>*	fLog;
	std::mutex*					fLock;
};


class TestLooper : public BLooper {
public:
	TestLooper(std::atomic<int>* destroyed = NULL)
		: BLooper("test looper"), fDestroyed(destroyed) {}
	~TestLooper() override
	{
		if (fDestroyed != NULL)
			(*fDestroyed)++;
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case 'ADD':
			{
				std::lock_guard<std::mutex> guard(lock);
				received.push_back(message->FindInt32("n"));
				break;
			}
			case 'ECHO':
			{
				BMessage reply('RPLY');
				reply.AddInt32("n", message->FindInt32("n") * 2);
				message->SendReply(&reply);
				break;
			}
			case 'HOLD':
			{
				// Stays inside the dispatch until the test lets it go.
				std::unique_lock<std::mutex> guard(lock);
				holding = true;
				changed.notify_all();
				changed.wait(guard, [this] { return released; });
				break;
			}
			case 'QUIT':
				Quit();
				break;
			case 'DROP':
				break;
			default:
				BLooper::MessageReceived(message);
		}
	}

	void DispatchFinished(bool queueIsEmpty) override
	{
		finished++;
		if (queueIsEmpty)
			emptied++;
	}

	std::mutex				lock;
	std::condition_variable	changed;
	std::vector<int32>		received;
	bool					holding = false;
	bool					released = false;
	std::atomic<int>		finished{0};
	std::atomic<int>		emptied{0};
	std::atomic<int>*		fDestroyed;
};


void
WaitUntilHolding(TestLooper* looper)
{
	std::unique_lock<std::mutex> guard(looper->lock);
	looper->changed.wait(guard, [looper] { return looper->holding; });
}


void
Release(TestLooper* looper)
{
	std::lock_guard<std::mutex> guard(looper->lock);
	looper->released = true;
	looper->changed.notify_all();
}

}	// namespace


TEST(LooperTest, DispatchOrderHandlersAndPreferredHandler)
{
	std::vector<std::string> log;
	std::mutex logLock;
	TestLooper* looper = new TestLooper;
	RecordingHandler* first = new RecordingHandler("first", &log, &logLock);
	RecordingHandler* second = new RecordingHandler("second", &log, &logLock);
	EXPECT_TRUE(looper->IsLocked());
	looper->AddHandler(first);
	looper->AddHandler(second);
	EXPECT_EQ(looper->CountHandlers(), 3);
	EXPECT_EQ(looper->HandlerAt(0), looper);
	EXPECT_EQ(looper->IndexOf(second), 2);
	EXPECT_EQ(first->Looper(), looper);
	EXPECT_EQ(first->NextHandler(), looper);
	looper->SetPreferredHandler(second);
	looper->Run();
	EXPECT_FALSE(looper->IsLocked());

	for (int32 i = 0; i < 5; i++) {
		BMessage message('ADD');
		message.AddInt32("n", i);
		ASSERT_EQ(looper->PostMessage(&message), B_OK);
	}
	BMessage toFirst('LOG');
	toFirst.AddInt32("n", 10);
	looper->PostMessage(&toFirst, first);
	BMessage toPreferred('LOG');
	toPreferred.AddInt32("n", 11);
	BMessenger(NULL, looper).SendMessage(&toPreferred);
	BMessage explicitNull('LOG');
	explicitNull.AddInt32("n", 12);
	looper->PostMessage(&explicitNull, NULL);

	// A stranger handler cannot be a target of this looper.
	BHandler stranger("stranger");
	EXPECT_NE(looper->PostMessage(&toFirst, &stranger), B_OK);

	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	{
		std::lock_guard<std::mutex> guard(looper->lock);
		EXPECT_EQ(looper->received, (std::vector<int32>{0, 1, 2, 3, 4}));
	}
	{
		std::lock_guard<std::mutex> guard(logLock);
		EXPECT_EQ(log, (std::vector<std::string>{"first:10", "second:11", "second:12"}));
	}
	EXPECT_EQ(looper->finished.load(), 8);
	EXPECT_GE(looper->emptied.load(), 1);

	// Messages that nobody understands come back as B_MESSAGE_NOT_UNDERSTOOD,
	// also after passing down the handler chain.
	BMessage reply;
	ASSERT_EQ(BMessenger(first).SendMessage('PASS', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);

	ASSERT_TRUE(looper->Lock());
	EXPECT_TRUE(looper->RemoveHandler(first));
	EXPECT_EQ(first->Looper(), nullptr);
	EXPECT_FALSE(looper->RemoveHandler(looper));
	looper->Quit();
	EXPECT_EQ(second->Looper(), nullptr);
	delete first;
	delete second;
}


TEST(LooperTest, ManyThreadsPostingToOneLooperAllArrive)
{
	TestLooper* looper = new TestLooper;
	looper->Run();
	BMessenger messenger(looper);
	const int kThreads = 8;
	const int kPerThread = 250;
	std::vector<std::thread> threads;
	for (int t = 0; t < kThreads; t++) {
		threads.emplace_back([&messenger, t] {
			for (int i = 0; i < kPerThread; i++) {
				BMessage message('ADD');
				message.AddInt32("n", t * kPerThread + i);
				messenger.SendMessage(&message);
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	{
		std::lock_guard<std::mutex> guard(looper->lock);
		ASSERT_EQ(looper->received.size(), (size_t)(kThreads * kPerThread));
		// Each sender's messages stay in the order they were sent.
		std::vector<int32> last(kThreads, -1);
		for (int32 n : looper->received) {
			EXPECT_GT(n, last[n / kPerThread]);
			last[n / kPerThread] = n;
		}
	}
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}


TEST(LooperTest, LockingIsRecursiveAndTimesOutAcrossThreads)
{
	TestLooper* looper = new TestLooper;
	looper->Run();
	ASSERT_TRUE(looper->Lock());
	ASSERT_TRUE(looper->Lock());
	EXPECT_EQ(looper->CountLocks(), 2);
	EXPECT_EQ(looper->LockingThread(), find_thread(NULL));

	status_t otherResult = B_OK;
	std::thread other([&] { otherResult = looper->LockWithTimeout(20000); });
	other.join();
	EXPECT_EQ(otherResult, B_TIMED_OUT);

	looper->Unlock();
	EXPECT_TRUE(looper->IsLocked());
	looper->Unlock();
	EXPECT_FALSE(looper->IsLocked());

	std::thread taker([&] {
		otherResult = looper->LockWithTimeout(B_INFINITE_TIMEOUT);
		if (otherResult == B_OK)
			looper->Unlock();
	});
	taker.join();
	EXPECT_EQ(otherResult, B_OK);

	// A handler locks its looper; a handler without one cannot.
	BHandler* handler = new BHandler("h");
	EXPECT_FALSE(handler->LockLooper());
	ASSERT_TRUE(looper->Lock());
	looper->AddHandler(handler);
	looper->Unlock();
	EXPECT_EQ(handler->LockLooperWithTimeout(B_INFINITE_TIMEOUT), B_OK);
	EXPECT_TRUE(looper->IsLocked());
	handler->UnlockLooper();
	EXPECT_FALSE(looper->IsLocked());

	ASSERT_TRUE(looper->Lock());
	looper->RemoveHandler(handler);
	delete handler;
	looper->Quit();
}


TEST(LooperTest, QuitFromInsideAndOutsideWithMessagesInFlight)
{
	std::atomic<int> destroyed{0};

	// From inside: the looper quits itself while more messages wait.
	TestLooper* inner = new TestLooper(&destroyed);
	inner->Run();
	BMessenger innerMessenger(inner);
	for (int i = 0; i < 20; i++)
		innerMessenger.SendMessage('DROP');
	innerMessenger.SendMessage('QUIT');
	for (int i = 0; i < 20; i++)
		innerMessenger.SendMessage('DROP');
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	// The thread deletes the looper on its way out; its messenger dies with it.
	for (int i = 0; i < 1000 && destroyed.load() == 0; i++)
		snooze(1000);
	EXPECT_EQ(destroyed.load(), 1);
	EXPECT_FALSE(innerMessenger.IsValid());
	EXPECT_EQ(innerMessenger.SendMessage('DROP'), B_BAD_PORT_ID);

	// From outside, while the loop sits inside a dispatch and more messages queue.
	TestLooper* outer = new TestLooper(&destroyed);
	outer->Run();
	BMessenger outerMessenger(outer);
	outerMessenger.SendMessage('HOLD');
	WaitUntilHolding(outer);
	for (int i = 0; i < 50; i++)
		outerMessenger.SendMessage('DROP');
	// A synchronous sender whose message will never be handled gets B_NO_REPLY.
	BMessage pendingReply;
	status_t pendingStatus = B_ERROR;
	std::thread waiter([&] {
		BMessage dropped('DROP');
		pendingStatus = outerMessenger.SendMessage(&dropped, &pendingReply);
	});
	while (outer->MessageQueue()->CountMessages() < 51)
		snooze(500);
	std::thread releaser([outer] { Release(outer); });
	ASSERT_TRUE(outer->Lock());
	releaser.join();
	outer->Quit();
	waiter.join();
	EXPECT_EQ(destroyed.load(), 2);
	EXPECT_FALSE(outerMessenger.IsValid());
	EXPECT_EQ(pendingStatus, B_OK);
	EXPECT_EQ(pendingReply.what, (uint32)B_NO_REPLY);

	// A looper that never ran is simply deleted, also by a thread that did not make it.
	TestLooper* idle = new TestLooper(&destroyed);
	idle->Quit();
	EXPECT_EQ(destroyed.load(), 3);
	TestLooper* elsewhere = new TestLooper(&destroyed);
	std::thread([elsewhere] { elsewhere->Quit(); }).join();
	EXPECT_EQ(destroyed.load(), 4);
}


TEST(LooperTest, SynchronousRepliesTimeOutsAndSelfSends)
{
	TestLooper* looper = new TestLooper;
	looper->Run();
	BMessenger messenger(looper);
	EXPECT_TRUE(messenger.IsValid());
	EXPECT_TRUE(messenger.IsTargetLocal());
	BLooper* targetLooper = NULL;
	EXPECT_EQ(messenger.Target(&targetLooper), looper);
	EXPECT_EQ(targetLooper, looper);

	BMessage question('ECHO');
	question.AddInt32("n", 21);
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage(&question, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'RPLY');
	EXPECT_EQ(reply.FindInt32("n"), 42);
	EXPECT_TRUE(reply.IsReply());
	ASSERT_NE(reply.Previous(), nullptr);
	EXPECT_EQ(reply.Previous()->what, (uint32)'ECHO');

	// A looper busy in a dispatch answers nothing within the time-out.
	messenger.SendMessage('HOLD');
	WaitUntilHolding(looper);
	EXPECT_EQ(messenger.SendMessage(&question, &reply, B_INFINITE_TIMEOUT, 10000),
		B_TIMED_OUT);
	Release(looper);

	// Replies to a handler arrive there as messages.
	TestLooper* replies = new TestLooper;
	replies->Run();
	BMessage asynchronous('ECHO');
	asynchronous.AddInt32("n", 5);
	ASSERT_EQ(messenger.SendMessage(&asynchronous, replies), B_OK);
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);

	// Sending to oneself synchronously would wait for ever.
	struct SelfSender : public BLooper {
		void MessageReceived(BMessage* message) override
		{
			BMessage reply;
			result = BMessenger(this).SendMessage('ECHO', &reply);
		}
		std::atomic<status_t> result{B_OK};
	};
	SelfSender* self = new SelfSender;
	self->Run();
	BMessenger(self).SendMessage('GO');
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	EXPECT_EQ(self->result.load(), B_MESSAGE_TO_SELF);

	EXPECT_EQ(BLooper::LooperForThread(looper->Thread()), looper);
	EXPECT_EQ(BLooper::LooperForThread(find_thread(NULL)), nullptr);

	BMessenger same(looper);
	EXPECT_TRUE(same == messenger);
	EXPECT_FALSE(same != messenger);
	EXPECT_TRUE(BMessenger() != messenger);

	for (BLooper* each : {(BLooper*)looper, (BLooper*)replies, (BLooper*)self}) {
		ASSERT_TRUE(each->Lock());
		each->Quit();
	}
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_EQ(messenger.Target(NULL), nullptr);
	EXPECT_FALSE(messenger.LockTarget());
	EXPECT_EQ(messenger.SendMessage(&question, &reply), B_BAD_PORT_ID);
}


TEST(LooperTest, MessageQueueKeepsOrderAndFinds)
{
	BMessageQueue queue;
	BMessage* a = new BMessage('AAAA');
	BMessage* b = new BMessage('BBBB');
	BMessage* c = new BMessage('AAAA');
	queue.AddMessage(a);
	queue.AddMessage(b);
	queue.AddMessage(c);
	EXPECT_EQ(queue.CountMessages(), 3);
	EXPECT_EQ(queue.FindMessage((int32)1), b);
	EXPECT_EQ(queue.FindMessage('AAAA', 1), c);
	EXPECT_EQ(queue.FindMessage('CCCC'), nullptr);
	EXPECT_TRUE(queue.RemoveMessage(b));
	EXPECT_FALSE(queue.RemoveMessage(b));
	delete b;
	EXPECT_EQ(queue.NextMessage(), a);
	delete a;
	EXPECT_FALSE(queue.IsEmpty());
}


TEST(LooperTest, InvokerSendsItsMessageAndHandlersLeaveWhenDeleted)
{
	TestLooper* looper = new TestLooper;
	BHandler* handler = new BHandler("leaves");
	looper->AddHandler(handler);
	EXPECT_EQ(looper->CountHandlers(), 2);
	delete handler;
	EXPECT_EQ(looper->CountHandlers(), 1);
	looper->Run();

	BMessage* message = new BMessage('ADD');
	message->AddInt32("n", 77);
	BInvoker invoker(message, looper);
	EXPECT_EQ(invoker.Command(), (uint32)'ADD');
	EXPECT_TRUE(invoker.IsTargetLocal());
	EXPECT_EQ(invoker.Target(), looper);
	ASSERT_EQ(invoker.Invoke(), B_OK);
	BMessage other('ADD');
	other.AddInt32("n", 78);
	ASSERT_EQ(invoker.InvokeNotify(&other), B_OK);
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	{
		std::lock_guard<std::mutex> guard(looper->lock);
		EXPECT_EQ(looper->received, (std::vector<int32>{77, 78}));
	}

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	EXPECT_NE(invoker.Invoke(), B_OK);
	EXPECT_EQ(invoker.Target(), nullptr);
}


TEST(LooperTest, RepliesAreAnsweredOnceAndQuitRequestsReportTheirResult)
{
	struct Answering : public BLooper {
		void MessageReceived(BMessage* message) override
		{
			switch (message->what) {
				case 'TWCE':
					first = message->SendReply('ONE');
					second = message->SendReply('TWO');
					break;
				case 'ASK':
				{
					// Asks the sender back and waits for its answer.
					BMessage answer;
					BMessage question('QSTN');
					chained = message->SendReply(&question, &answer);
					answerCode = answer.what;
					break;
				}
				default:
					BLooper::MessageReceived(message);
			}
		}
		bool QuitRequested() override { return allowQuit; }

		std::atomic<status_t> first{B_ERROR};
		std::atomic<status_t> second{B_ERROR};
		std::atomic<status_t> chained{B_ERROR};
		std::atomic<uint32> answerCode{0};
		std::atomic<bool> allowQuit{false};
	};
	Answering* looper = new Answering;
	looper->Run();
	BMessenger messenger(looper);

	BMessage reply;
	ASSERT_EQ(messenger.SendMessage('TWCE', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'ONE');
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	EXPECT_EQ(looper->first.load(), B_OK);
	EXPECT_EQ(looper->second.load(), B_DUPLICATE_REPLY);

	// The reply can itself be answered while the looper waits for it.
	ASSERT_EQ(messenger.SendMessage('ASK', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'QSTN');
	EXPECT_TRUE(reply.IsSourceWaiting());
	ASSERT_EQ(reply.SendReply('ANSR'), B_OK);
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	EXPECT_EQ(looper->chained.load(), B_OK);
	EXPECT_EQ(looper->answerCode.load(), (uint32)'ANSR');

	// A refused quit request says so, and the looper stays.
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	EXPECT_FALSE(reply.FindBool("result"));
	EXPECT_TRUE(messenger.IsValid());
	looper->allowQuit = true;
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_TRUE(reply.FindBool("result"));
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(kIdleTimeout), B_OK);
	for (int i = 0; i < 1000 && messenger.IsValid(); i++)
		snooze(1000);
	EXPECT_FALSE(messenger.IsValid());
}


namespace {

int32
LockLooperAndSleep(void* data)
{
	BLooper* looper = static_cast<BLooper*>(data);
	if (!looper->Lock())
		return 1;
	snooze(B_INFINITE_TIMEOUT / 2);
	return 0;
}


int32
LockLooperOnce(void* data)
{
	BLooper* looper = static_cast<BLooper*>(data);
	if (!looper->Lock())
		return 1;
	looper->Unlock();
	return 0;
}


int32
WaitForEchoReply(void* data)
{
	// The looper holds its 'HOLD' dispatch, so this reply never comes.
	BMessenger messenger(static_cast<BLooper*>(data));
	BMessage reply;
	messenger.SendMessage('ECHO', &reply);
	return 0;
}

}	// namespace


TEST(LooperTest, KilledThreadsLeaveLooperLocksAndReplyWaitsUsable)
{
	TestLooper* looper = new TestLooper;
	looper->Run();

	// A thread killed while it waits for a looper that another thread holds ends, and
	// the lock stays the holder's.
	ASSERT_TRUE(looper->Lock());
	thread_id waiter = spawn_thread(LockLooperOnce, "lock waiter", B_NORMAL_PRIORITY, looper);
	ASSERT_EQ(resume_thread(waiter), B_OK);
	while (looper->CountLockRequests() == 0)
		snooze(1000);
	EXPECT_EQ(kill_thread(waiter), B_OK);
	status_t exitValue;
	EXPECT_EQ(wait_for_thread(waiter, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
	EXPECT_EQ(looper->LockingThread(), find_thread(NULL));
	looper->Unlock();

	// A thread killed while it holds the looper gives the lock up as it ends.
	thread_id holder = spawn_thread(LockLooperAndSleep, "lock holder", B_NORMAL_PRIORITY,
		looper);
	ASSERT_EQ(resume_thread(holder), B_OK);
	while (looper->LockingThread() != holder)
		snooze(1000);
	EXPECT_EQ(kill_thread(holder), B_OK);
	EXPECT_EQ(wait_for_thread(holder, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
	EXPECT_EQ(looper->LockWithTimeout(1000000), B_OK);
	looper->Unlock();

	// A thread killed in a synchronous send ends although no reply ever comes.
	looper->PostMessage('HOLD');
	WaitUntilHolding(looper);
	thread_id sender = spawn_thread(WaitForEchoReply, "sender", B_NORMAL_PRIORITY, looper);
	ASSERT_EQ(resume_thread(sender), B_OK);
	snooze(20000);
	EXPECT_EQ(kill_thread(sender), B_OK);
	EXPECT_EQ(wait_for_thread(sender, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);

	Release(looper);
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}
