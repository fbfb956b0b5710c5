#include <AppFileInfo.h>
#include <Application.h>
#include <Clipboard.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Roster.h>

#include "app/AppPrivate.h"
#include "app/ClipboardHooks.h"
#include "app/LooperRegistry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char* const kSignature = "application/x-vnd.quorrel-app-test";


std::string
MakeTemporaryFolder()
{
	char pattern[] = "/tmp/quorrel-app-test-XXXXXX";
	const char* folder = mkdtemp(pattern);
	return folder != NULL ? folder : "";
}


// A window-like looper whose QuitRequested answer the test controls.
class FakeWindow : public BLooper {
public:
	FakeWindow(std::atomic<int>* deleted) : BLooper("fake window"), fDeleted(deleted) {}
	~FakeWindow() override
	{
		BPrivate::UnregisterWindowLooper(this);
		(*fDeleted)++;
	}

	bool QuitRequested() override
	{
		asked++;
		return allow;
	}

	std::atomic<bool>	allow{false};
	std::atomic<int>	asked{0};
	std::atomic<int>*	fDeleted;
};


class TestApplication : public BApplication {
public:
	TestApplication() : BApplication(kSignature) {}

	void ReadyToRun() override
	{
		readyToRun++;
		launchingInReadyToRun = IsLaunching();
	}

	void ArgvReceived(int32 argc, char** argv) override
	{
		receivedArgv.clear();
		for (int32 i = 0; i < argc; i++)
			receivedArgv.push_back(argv[i]);
		receivedCwd = CurrentMessage() != NULL && CurrentMessage()->FindString("cwd") != NULL
			? CurrentMessage()->FindString("cwd") : "";
		argvCount++;
		// Only the helper's hand-over ends the test; the test program may have
		// arguments of its own.
		if (quitOnArgv && strstr(argv[0], "app_launch_helper") != NULL) {
			helperArgv = receivedArgv;
			helperWasRemote = CurrentMessage()->IsSourceRemote();
			Quit();
		}
	}

	bool QuitRequested() override
	{
		quitRequests++;
		return BApplication::QuitRequested();
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case 'ALLW':
				window->allow = true;
				break;
			case 'CHLD':
				// The second instance ended; a failed hand-over ends the test.
				if (message->FindInt32("status") != 0)
					Quit();
				break;
			case 'TICK':
				ticks++;
				break;
			default:
				BApplication::MessageReceived(message);
		}
	}

	FakeWindow*					window = NULL;
	int							readyToRun = 0;
	bool						launchingInReadyToRun = false;
	int							quitRequests = 0;
	int							argvCount = 0;
	int							ticks = 0;
	bool						quitOnArgv = false;
	std::vector<std::string>	receivedArgv;
	std::vector<std::string>	helperArgv;
	bool						helperWasRemote = false;
	std::string					receivedCwd;
};

}	// namespace


TEST(ApplicationTest, RunAndQuitAskWindowsAndARefusalKeepsTheApplication)
{
	set_app_flags(B_MULTIPLE_LAUNCH);
	std::atomic<int> deleted{0};
	TestApplication* application = new TestApplication;
	ASSERT_EQ(application->InitCheck(), B_OK);
	EXPECT_EQ(be_app, application);
	EXPECT_TRUE(be_app_messenger.IsValid());
	EXPECT_TRUE(application->IsLaunching());

	FakeWindow* window = new FakeWindow(&deleted);
	BPrivate::RegisterWindowLooper(window, reinterpret_cast<BWindow*>(window));
	window->Run();
	application->window = window;
	EXPECT_EQ(application->CountWindows(), 1);
	EXPECT_EQ(application->WindowAt(0), reinterpret_cast<BWindow*>(window));
	EXPECT_EQ(application->WindowAt(1), nullptr);

	// The first quit request meets a refusing window; the second one is agreed.
	application->PostMessage(B_QUIT_REQUESTED);
	application->PostMessage('ALLW');
	application->PostMessage(B_QUIT_REQUESTED);
	EXPECT_EQ(application->Run(), find_thread(NULL));

	EXPECT_EQ(application->readyToRun, 1);
	EXPECT_TRUE(application->launchingInReadyToRun);
	EXPECT_FALSE(application->IsLaunching());
	EXPECT_EQ(application->quitRequests, 2);
	EXPECT_EQ(deleted.load(), 1);
	EXPECT_EQ(application->CountWindows(), 0);

	app_info info;
	ASSERT_EQ(application->GetAppInfo(&info), B_OK);
	EXPECT_STREQ(info.signature, kSignature);
	EXPECT_EQ(info.team, getpid());
	EXPECT_EQ(info.flags, (uint32)B_MULTIPLE_LAUNCH);
	ASSERT_NE(info.ref.name, nullptr);
	EXPECT_STREQ(info.ref.name, "test_app_application");
	app_info byRoster;
	EXPECT_EQ(be_roster->GetAppInfo(kSignature, &byRoster), B_OK);
	EXPECT_EQ(byRoster.team, getpid());
	EXPECT_TRUE(be_roster->IsRunning(kSignature));
	EXPECT_TRUE(BMessenger(kSignature).IsValid());
	EXPECT_FALSE(BMessenger("application/x-vnd.nobody-runs-this").IsValid());

	delete application;
	EXPECT_EQ(be_app, nullptr);
	EXPECT_FALSE(be_app_messenger.IsValid());
}


TEST(ApplicationTest, SecondInstanceHandsOverArgumentsAndAStaleSocketDoesNotBlock)
{
	std::string runtime = MakeTemporaryFolder();
	ASSERT_FALSE(runtime.empty());
	chmod(runtime.c_str(), 0700);
	setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
	setenv("QUORREL_TEST_SIGNATURE", kSignature, 1);

	// A socket file left by a crashed instance: bound, then abandoned.
	std::string path = BPrivate::RendezvousPath(kSignature);
	int stale = socket(AF_UNIX, SOCK_STREAM, 0);
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
	ASSERT_EQ(bind(stale, (sockaddr*)&address, sizeof(address)), 0);
	close(stale);

	set_app_flags(B_SINGLE_LAUNCH);
	TestApplication* application = new TestApplication;
	ASSERT_EQ(application->InitCheck(), B_OK);
	application->quitOnArgv = true;

	std::string documents = MakeTemporaryFolder();
	std::string helper = std::string(QUORREL_TEST_BIN_DIR) + "/app_launch_helper";
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addchdir_np(&actions, documents.c_str());
	char* argv[] = { (char*)helper.c_str(), (char*)"page one.html", (char*)"second.html", NULL };
	pid_t child;
	ASSERT_EQ(posix_spawn(&child, helper.c_str(), &actions, NULL, argv, environ), 0);
	posix_spawn_file_actions_destroy(&actions);

	std::thread reaper([child] {
		int status = -1;
		waitpid(child, &status, 0);
		BMessage done('CHLD');
		done.AddInt32("status", WIFEXITED(status) ? WEXITSTATUS(status) : 100);
		be_app_messenger.SendMessage(&done);
	});
	application->Run();
	reaper.join();

	ASSERT_EQ(application->helperArgv.size(), (size_t)3);
	EXPECT_EQ(application->helperArgv[0], helper);
	EXPECT_EQ(application->helperArgv[1], "page one.html");
	EXPECT_EQ(application->helperArgv[2], "second.html");
	EXPECT_EQ(application->receivedCwd, documents);
	EXPECT_TRUE(application->helperWasRemote);
	delete application;

	// The socket goes with the application.
	struct stat info;
	EXPECT_NE(stat(path.c_str(), &info), 0);
	rmdir(documents.c_str());
	rmdir(runtime.c_str());
	set_app_flags(B_MULTIPLE_LAUNCH);
}


TEST(ApplicationTest, LaunchOpensTheBrowserAndFailsWithoutOne)
{
	std::string folder = MakeTemporaryFolder();
	std::string script = folder + "/browser.sh";
	std::string record = folder + "/arguments";
	{
		std::ofstream out(script);
		out << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" << record << ".tmp\"\n"
			<< "mv \"" << record << ".tmp\" \"" << record << "\"\n";
	}
	chmod(script.c_str(), 0755);

	// The first browser of the list does not exist; the second records its arguments.
	setenv("BROWSER", ("/nonexistent/browser:" + script).c_str(), 1);
	BMessage argv(B_ARGV_RECEIVED);
	argv.AddString("argv", "NetPositive");
	argv.AddString("argv", "file:///home/user/page.html");
	argv.AddInt32("argc", 2);
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch("application/x-vnd.Be-NPOS", &argv, &team), B_OK);
	EXPECT_GT(team, 0);
	struct stat info;
	for (int i = 0; i < 10000 && stat(record.c_str(), &info) != 0; i++)
		snooze(1000);
	std::ifstream in(record);
	std::string line;
	ASSERT_TRUE(std::getline(in, line));
	EXPECT_EQ(line, "file:///home/user/page.html");
	EXPECT_FALSE(std::getline(in, line));

	// A command with options, "%s" marking where the address goes; the argv form.
	unlink(record.c_str());
	setenv("BROWSER", (script + " --new-tab %s --end").c_str(), 1);
	char* args[] = { (char*)"file:///other.html", NULL };
	ASSERT_EQ(be_roster->Launch("application/x-vnd.Be-NPOS", 1, args), B_OK);
	for (int i = 0; i < 10000 && stat(record.c_str(), &info) != 0; i++)
		snooze(1000);
	std::ifstream second(record);
	std::vector<std::string> words;
	while (std::getline(second, line))
		words.push_back(line);
	EXPECT_EQ(words, (std::vector<std::string>{"--new-tab", "file:///other.html", "--end"}));

	setenv("BROWSER", "/nonexistent/browser", 1);
	EXPECT_EQ(be_roster->Launch("application/x-vnd.Be-NPOS", &argv),
		B_LAUNCH_FAILED_APP_NOT_FOUND);
	EXPECT_EQ(be_roster->Launch("application/x-vnd.nobody-knows-this", &argv),
		B_LAUNCH_FAILED_APP_NOT_FOUND);
	unsetenv("BROWSER");

	unlink(record.c_str());
	unlink(script.c_str());
	rmdir(folder.c_str());
}


namespace {

std::string sDesktopText;
int sDesktopWrites = 0;

bool
ReadDesktop(std::string* text)
{
	*text = sDesktopText;
	return !sDesktopText.empty();
}


void
WriteDesktop(const char* text, size_t length)
{
	sDesktopText.assign(text, length);
	sDesktopWrites++;
}


std::string
ClipboardText(BClipboard* clipboard)
{
	const void* data;
	ssize_t length;
	if (clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &length) != B_OK)
		return "<none>";
	return std::string((const char*)data, length);
}

}	// namespace


TEST(ApplicationTest, ClipboardSharesCommitsAndMeetsTheDesktop)
{
	BClipboard first("test");
	BClipboard second("test");
	ASSERT_TRUE(first.Lock());
	EXPECT_EQ(first.Clear(), B_OK);
	first.Data()->AddData("text/plain", B_MIME_TYPE, "hello", 5);
	EXPECT_EQ(first.Commit(), B_OK);
	first.Unlock();
	EXPECT_EQ(first.Clear(), B_NOT_ALLOWED);

	ASSERT_TRUE(second.Lock());
	EXPECT_EQ(ClipboardText(&second), "hello");
	EXPECT_EQ(second.LocalCount(), second.SystemCount());
	second.Data()->MakeEmpty();
	EXPECT_EQ(second.Revert(), B_OK);
	EXPECT_EQ(ClipboardText(&second), "hello");
	second.Unlock();

	// A watcher hears of every commit.
	class Watcher : public BLooper {
	public:
		void MessageReceived(BMessage* message) override
		{
			if (message->what == B_CLIPBOARD_CHANGED)
				changes++;
		}
		std::atomic<int> changes{0};
	};
	Watcher* watcher = new Watcher;
	watcher->Run();
	ASSERT_EQ(first.StartWatching(BMessenger(watcher)), B_OK);
	ASSERT_TRUE(second.Lock());
	second.Commit();
	second.Unlock();
	ASSERT_EQ(first.StopWatching(BMessenger(watcher)), B_OK);
	ASSERT_TRUE(second.Lock());
	second.Commit();
	second.Unlock();
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(10000000), B_OK);
	EXPECT_EQ(watcher->changes.load(), 1);
	ASSERT_TRUE(watcher->Lock());
	watcher->Quit();

	BPrivate::SetSystemClipboardHooks(ReadDesktop, WriteDesktop);
	sDesktopWrites = 0;
	sDesktopText = "from another program";
	ASSERT_TRUE(be_clipboard->Lock());
	EXPECT_EQ(ClipboardText(be_clipboard), "from another program");
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, "ours", 4);
	be_clipboard->Commit();
	be_clipboard->Unlock();
	EXPECT_EQ(sDesktopText, "ours");
	EXPECT_EQ(sDesktopWrites, 1);
	BPrivate::SetSystemClipboardHooks(NULL, NULL);
}


TEST(ApplicationTest, MessageRunnerSendsItsCount)
{
	class Counter : public BLooper {
	public:
		void MessageReceived(BMessage* message) override
		{
			if (message->what == 'TICK')
				ticks++;
		}
		std::atomic<int> ticks{0};
	};
	Counter* counter = new Counter;
	counter->Run();
	BMessage tick('TICK');
	BMessageRunner* runner = new BMessageRunner(BMessenger(counter), &tick, 1000, 3);
	ASSERT_EQ(runner->InitCheck(), B_OK);
	int32 left = -1;
	for (int i = 0; i < 10000; i++) {
		runner->GetInfo(NULL, &left);
		if (left == 0)
			break;
		snooze(1000);
	}
	EXPECT_EQ(left, 0);
	ASSERT_EQ(BPrivate::WaitForLoopersIdle(10000000), B_OK);
	EXPECT_EQ(counter->ticks.load(), 3);
	delete runner;

	BMessageRunner invalid(BMessenger(counter), &tick, 0);
	EXPECT_EQ(invalid.InitCheck(), B_BAD_VALUE);
	ASSERT_TRUE(counter->Lock());
	counter->Quit();
}


TEST(ApplicationTest, LaunchingTheOwnSignatureDeliversTheMessage)
{
	set_app_flags(B_MULTIPLE_LAUNCH);
	TestApplication* application = new TestApplication;
	BMessage argv(B_ARGV_RECEIVED);
	argv.AddString("argv", "app_launch_helper-like");
	argv.AddString("argv", "document.html");
	team_id team = -1;
	EXPECT_EQ(be_roster->Launch(kSignature, &argv, &team), B_ALREADY_RUNNING);
	EXPECT_EQ(team, getpid());
	application->PostMessage(B_QUIT_REQUESTED);
	application->Run();
	ASSERT_GE(application->argvCount, 1);
	ASSERT_EQ(application->receivedArgv.size(), (size_t)2);
	EXPECT_EQ(application->receivedArgv[1], "document.html");
	delete application;
}
