#include "WidgetTestSupport.h"

#include <OS.h>
#include <Message.h>
#include <View.h>

#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>


void
MessageCounter::Count(uint32 what)
{
	std::lock_guard<std::mutex> guard(fLock);
	fCounts[what]++;
}


int32
MessageCounter::CountOf(uint32 what)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fCounts.find(what);
	return found == fCounts.end() ? 0 : found->second;
}


void
MessageCounter::Clear()
{
	std::lock_guard<std::mutex> guard(fLock);
	fCounts.clear();
}


static bool
IsTestCode(uint32 what)
{
	return what == kClick || what == kOther || what == kMenuChoice;
}


CountingApplication::CountingApplication()
	:
	BApplication("application/x-vnd.quorrel-widgets-test")
{
}


void
CountingApplication::MessageReceived(BMessage* message)
{
	if (IsTestCode(message->what))
		counter.Count(message->what);
	else
		BApplication::MessageReceived(message);
}


CountingWindow::CountingWindow(BRect frame, uint8 panelGrey)
	:
	BWindow(frame, "widgets", B_TITLED_WINDOW, B_NOT_RESIZABLE)
{
	fPanel = new BView(Bounds(), "panel", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	fPanel->SetViewColor(panelGrey, panelGrey, panelGrey);
	AddChild(fPanel);
}


void
CountingWindow::MessageReceived(BMessage* message)
{
	if (IsTestCode(message->what))
		counter.Count(message->what);
	else
		BWindow::MessageReceived(message);
}


void
CountingHandler::MessageReceived(BMessage* message)
{
	if (IsTestCode(message->what))
		counter.Count(message->what);
	else
		BHandler::MessageReceived(message);
}


bool
WaitFor(const std::function<bool()>& condition, double seconds)
{
	bigtime_t deadline = system_time() + (bigtime_t)(seconds * 1000000);
	while (system_time() < deadline) {
		if (condition())
			return true;
		snooze(5000);
	}
	return condition();
}


void
SaveShot(BWindow* window, const char* name)
{
	const char* folder = getenv("QUORREL_WIDGET_SHOTS");
	if (folder == NULL || folder[0] == '\0')
		return;
	std::string path = std::string(folder) + "/" + name + ".png";
	EXPECT_EQ(B_OK, BPrivate::HeadlessTest::SaveWindowPNG(
		BPrivate::WindowAccess::ServerWindowOf(window), path.c_str()));
}


// #pragma mark - the running application


namespace {

CountingApplication* sApplication = NULL;
thread_id sAppThread = -1;


int32
RunApplication(void* data)
{
	((BApplication*)data)->Run();
	return 0;
}


class ApplicationEnvironment : public ::testing::Environment {
public:
	void SetUp() override
	{
		sApplication = new CountingApplication;
		// The constructing thread holds the application's lock, as on R5; the loop
		// runs on a thread of its own here.
		if (sApplication->IsLocked())
			sApplication->Unlock();
		sAppThread = spawn_thread(RunApplication, "test application", B_NORMAL_PRIORITY,
			sApplication);
		ASSERT_GE(sAppThread, 0);
		resume_thread(sAppThread);
		ASSERT_TRUE(WaitFor([]() { return !sApplication->IsLaunching(); }));
	}

	void TearDown() override
	{
		sApplication->PostMessage(B_QUIT_REQUESTED);
		status_t result;
		wait_for_thread(sAppThread, &result);
		delete sApplication;
		sApplication = NULL;
	}
};

::testing::Environment* const sEnvironment
	= ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}	// namespace


CountingApplication*
TestApp()
{
	return sApplication;
}
