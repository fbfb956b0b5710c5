#include "UiTestSupport.h"

#include <InterfaceDefs.h>
#include <OS.h>

#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdlib.h>
#include <string>

using BPrivate::HeadlessTest;


RecordingWindow::RecordingWindow(BRect frame)
	:
	BWindow(frame, "controls", B_TITLED_WINDOW, B_NOT_RESIZABLE)
{
	fPanel = new BView(Bounds(), "panel", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	fPanel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(fPanel);
}


void
RecordingWindow::MessageReceived(BMessage* message)
{
	if (message->what != kTestInvoked && message->what != kTestModified
		&& message->what != kTestOther) {
		BWindow::MessageReceived(message);
		return;
	}
	SentMessage sent = { message->what, -1, false, NULL };
	message->FindInt32("be:value", &sent.value);
	int64 when;
	sent.hasWhen = message->FindInt64("when", &when) == B_OK;
	message->FindPointer("source", &sent.source);
	fSent.Add(sent);
}


std::vector<SentMessage>
RecordingWindow::Sent()
{
	return fSent.Entries();
}


int32
RecordingWindow::CountSent(uint32 what)
{
	return fSent.CountOf(what);
}


void
RecordingWindow::ClearSent()
{
	fSent.Clear();
}


void
WaitIdle()
{
	ASSERT_EQ(B_OK, HeadlessTest::WaitForIdle());
}


void
ShowActive(BWindow* window)
{
	window->Show();
	WaitIdle();
	Locked(window, [window]() { window->Activate(true); });
	WaitIdle();
}


void
QuitWindow(BWindow* window)
{
	if (window->Lock())
		window->Quit();
	WaitIdle();
}


uint32
ShownPixel(BWindow* window, BPoint point)
{
	uint32 pixel = 0;
	EXPECT_EQ(B_OK, HeadlessTest::WindowPixel(BPrivate::WindowAccess::ServerWindowOf(window),
		point, &pixel));
	return pixel & 0xffffff;
}


BPoint
ScreenPoint(BView* view, BPoint point)
{
	BPoint result;
	Locked(view->Window(), [&]() { result = view->ConvertToScreen(point); });
	return result;
}


BPoint
ScreenCenter(BView* view)
{
	BRect bounds;
	Locked(view->Window(), [&]() { bounds = view->Bounds(); });
	return ScreenPoint(view, BPoint(std::floor((bounds.left + bounds.right) / 2),
		std::floor((bounds.top + bounds.bottom) / 2)));
}


void
Locked(BWindow* window, const std::function<void()>& f)
{
	ASSERT_TRUE(window->Lock());
	f();
	window->Unlock();
}


bool
Eventually(const std::function<bool()>& condition)
{
	for (int32 i = 0; i < 2000; i++) {
		if (condition())
			return true;
		snooze(2000);
	}
	return false;
}


void
PressControlKey(char c)
{
	int32 key = 0;
	uint32 modifiers = 0;
	ASSERT_TRUE(BPrivate::KeyForCharacter(c, &key, &modifiers));
	HeadlessTest::PressKey(key, modifiers | B_COMMAND_KEY);
}


void
SaveWindowShot(BWindow* window, const char* folderVariable, const char* name)
{
	const char* folder = getenv(folderVariable);
	if (folder == NULL || folder[0] == '\0')
		return;
	std::string path = std::string(folder) + "/" + name + ".png";
	EXPECT_EQ(B_OK, HeadlessTest::SaveWindowPNG(
		BPrivate::WindowAccess::ServerWindowOf(window), path.c_str()));
}


// #pragma mark - BackgroundApplication


static int32
RunApplication(void* data)
{
	((BApplication*)data)->Run();
	return 0;
}


BackgroundApplication::BackgroundApplication(const std::function<BApplication*()>& make)
	:
	fMake(make),
	fApplication(NULL),
	fThread(-1)
{
}


void
BackgroundApplication::SetUp()
{
	fApplication = fMake();
	// The constructor leaves the application locked by this thread, as on R5, where Run
	// follows on the same thread; here the loop runs on another one.
	if (fApplication->IsLocked())
		fApplication->Unlock();
	fThread = spawn_thread(RunApplication, "test application", B_NORMAL_PRIORITY,
		fApplication);
	ASSERT_GE(fThread, 0);
	resume_thread(fThread);
	bigtime_t deadline = system_time() + 30000000;
	while (fApplication->IsLaunching() && system_time() < deadline)
		snooze(5000);
	ASSERT_FALSE(fApplication->IsLaunching());
}


void
BackgroundApplication::TearDown()
{
	fApplication->PostMessage(B_QUIT_REQUESTED);
	status_t result;
	wait_for_thread(fThread, &result);
	delete fApplication;
	fApplication = NULL;
}


BackgroundApplication*
AddBackgroundApplication(const std::function<BApplication*()>& make)
{
	BackgroundApplication* environment = new BackgroundApplication(make);
	::testing::AddGlobalTestEnvironment(environment);
	return environment;
}
