// Single launch across processes: a second start of the program hands its document to
// the instance that already runs and ends at once.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <OS.h>

#include "TempAppDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Starts the probe program in folder with the given arguments; returns its process id.
pid_t
StartProbe(const std::string& folder, const std::vector<std::string>& arguments)
{
	pid_t child = fork();
	if (child == 0) {
		if (chdir(folder.c_str()) != 0)
			_exit(126);
		std::vector<char*> argv;
		argv.push_back(const_cast<char*>(QUORREL_PROBE));
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(NULL);
		execv(QUORREL_PROBE, argv.data());
		_exit(127);
	}
	return child;
}


// Waits up to timeout for child to end; its exit status, or -1 when it did not end.
int
WaitForExit(pid_t child, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	while (system_time() < deadline) {
		int status = 0;
		pid_t done = waitpid(child, &status, WNOHANG);
		if (done == child)
			return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
		snooze(20000);
	}
	return -1;
}


bool
WaitFor(const std::function<bool()>& condition, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	while (system_time() < deadline) {
		if (condition())
			return true;
		snooze(20000);
	}
	return condition();
}

}	// namespace


TEST(LaunchTest, SecondStartHandsItsDocumentToTheRunningInstance)
{
	TempAppDir appDir;
	appDir.Write("Settings/settings", "language=\"English\"\nicons=\"normal\"\n");
	// The rendezvous folder must be the user's alone, or single launch stays off.
	const char* runtime = getenv("XDG_RUNTIME_DIR");
	ASSERT_NE(nullptr, runtime);
	ASSERT_EQ(0, chmod(runtime, 0700));
	std::string log = appDir.File("opened.log");
	setenv("QUORREL_PROBE_LOG", log.c_str(), 1);
	appDir.Write("work/page.html", "<p>x</p>");

	pid_t first = StartProbe(appDir.Path(), {});
	std::string rendezvous = std::string(runtime) + "/application_x.vnd.quorrel.launch";
	ASSERT_TRUE(WaitFor([&]() { return access(rendezvous.c_str(), F_OK) == 0; },
		20000000)) << "the first instance never listened";
	ASSERT_EQ(-1, WaitForExit(first, 0));

	// A relative name, from another folder than the first instance's.
	pid_t second = StartProbe(appDir.File("work"), { "page.html" });
	EXPECT_EQ(0, WaitForExit(second, 20000000));
	std::string expected = appDir.File("work/page.html") + "\n";
	EXPECT_TRUE(WaitFor([&]() { return appDir.Read("opened.log") == expected; },
		10000000)) << appDir.Read("opened.log");

	// Two documents: only the first is opened. No document: nothing is.
	pid_t third = StartProbe(appDir.Path(), { "/srv/a.html", "/srv/b.html" });
	EXPECT_EQ(0, WaitForExit(third, 20000000));
	pid_t fourth = StartProbe(appDir.Path(), {});
	EXPECT_EQ(0, WaitForExit(fourth, 20000000));
	expected += "/srv/a.html\n";
	EXPECT_TRUE(WaitFor([&]() { return appDir.Read("opened.log") == expected; },
		10000000)) << appDir.Read("opened.log");
	snooze(300000);
	EXPECT_EQ(expected, appDir.Read("opened.log"));

	// The first instance still runs all along.
	EXPECT_EQ(-1, WaitForExit(first, 0));
	kill(first, SIGTERM);
	EXPECT_NE(-1, WaitForExit(first, 20000000));
	unsetenv("QUORREL_PROBE_LOG");
}
