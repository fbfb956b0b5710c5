// Window-level behaviour: zooming, activation, pulses, pointer capture and the wheel.

#include <AppDefs.h>
#include <Application.h>
#include <MessageQueue.h>
#include <Message.h>
#include <OS.h>
#include <Region.h>
#include <View.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using BPrivate::HeadlessTest;

namespace {

class ActivityView : public BView {
public:
	ActivityView(BRect frame, const char* name, EventLog& log, uint32 flags = B_WILL_DRAW,
			sem_id pulsed = -1)
		:
		BView(frame, name, B_FOLLOW_NONE, flags),
		fLog(log),
		fPulsed(pulsed),
		fCapture(false)
	{
	}

	void SetCapture(bool capture) { fCapture = capture; }

	void WindowActivated(bool active) override
	{
		fLog.Add(std::string(Name()) + (active ? " active" : " inactive"));
	}

	void Pulse() override
	{
		if (fPulsed >= 0) {
			release_sem(fPulsed);
			fPulsed = -1;
		}
	}

	void MouseDown(BPoint where) override
	{
		fLog.Add(std::string(Name()) + " down");
		if (fCapture)
			SetMouseEventMask(B_POINTER_EVENTS);
	}

	void MouseUp(BPoint where) override
	{
		fLog.Add(std::string(Name()) + " up " + FormatPoint(where));
	}

	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag) override
	{
		static const char* const kNames[] = { "entered", "inside", "exited", "outside" };
		fLog.Add(std::string(Name()) + " " + kNames[transit & 3]);
	}

	void MessageReceived(BMessage* message) override
	{
		float delta = 0;
		if (message->what == B_MOUSE_WHEEL_CHANGED
			&& message->FindFloat("be:wheel_delta_y", &delta) == B_OK) {
			char text[64];
			snprintf(text, sizeof(text), "%s wheel %g", Name(), delta);
			fLog.Add(text);
			return;
		}
		BView::MessageReceived(message);
	}

private:
	EventLog&	fLog;
	sem_id		fPulsed;
	bool		fCapture;
};


class ZoomWindow : public BWindow {
public:
	ZoomWindow(BRect frame, EventLog& log)
		:
		BWindow(frame, "zoom", B_TITLED_WINDOW, 0),
		fLog(log)
	{
	}

	void Zoom(BPoint origin, float width, float height) override
	{
		fLog.Add("zoom " + FormatPoint(origin) + " " + FormatPoint(BPoint(width, height)));
		BWindow::Zoom(origin, width, height);
	}

	void WindowActivated(bool active) override
	{
		fLog.Add(active ? "window active" : "window inactive");
	}

private:
	EventLog& fLog;
};

}	// namespace


TEST(WindowBehaviourTest, ZoomButtonTogglesAndActivationReachesViews)
{
	EventLog log;
	ZoomWindow* window = new ZoomWindow(BRect(100, 120, 299, 219), log);
	window->AddChild(new ActivityView(BRect(0, 0, 49, 49), "view", log));
	ShowAndWait(window);
	EXPECT_TRUE(log.Contains("window active"));
	EXPECT_TRUE(log.Contains("view active"));

	log.Clear();
	HeadlessTest::ZoomButton(ServerWindowOf(window));
	WaitIdle();
	EXPECT_EQ(BRect(0, 0, 1023, 767), ServerWindowOf(window)->Frame());
	HeadlessTest::ZoomButton(ServerWindowOf(window));
	WaitIdle();
	EXPECT_EQ(BRect(100, 120, 299, 219), ServerWindowOf(window)->Frame());
	std::vector<std::string> expected = { "zoom (0,0) (1023,767)",
		"zoom (100,120) (199,99)" };
	EXPECT_EQ(expected, log.Entries());

	// Another window taking the focus makes this one inactive, views and all.
	log.Clear();
	BWindow* other = new BWindow(BRect(400, 120, 499, 219), "other", B_TITLED_WINDOW);
	ShowAndWait(other);
	EXPECT_TRUE(log.Contains("window inactive"));
	EXPECT_TRUE(log.Contains("view inactive"));
	ASSERT_TRUE(window->Lock());
	EXPECT_FALSE(window->IsActive());
	window->Activate();
	window->Unlock();
	WaitIdle();
	ASSERT_TRUE(window->Lock());
	EXPECT_TRUE(window->IsActive());
	window->Unlock();
	QuitWindow(other);
	QuitWindow(window);
}


TEST(WindowBehaviourTest, PulseReachesViewsThatNeedIt)
{
	EventLog log;
	sem_id pulsed = create_sem(0, "pulsed");
	BWindow* window = new BWindow(BRect(100, 300, 199, 399), "pulse", B_TITLED_WINDOW);
	window->SetPulseRate(20000);
	EXPECT_EQ(20000, window->PulseRate());
	window->AddChild(new ActivityView(BRect(0, 0, 49, 49), "pulsing", log,
		B_WILL_DRAW | B_PULSE_NEEDED, pulsed));
	ShowAndWait(window);
	EXPECT_EQ(B_OK, acquire_sem_etc(pulsed, 1, B_RELATIVE_TIMEOUT, 10000000));
	QuitWindow(window);
	delete_sem(pulsed);
}


TEST(WindowBehaviourTest, PointerCaptureKeepsEventsWithThePressedView)
{
	EventLog log;
	BWindow* window = new BWindow(BRect(500, 300, 699, 399), "capture", B_TITLED_WINDOW);
	ActivityView* left = new ActivityView(BRect(0, 0, 99, 99), "left", log,
		B_WILL_DRAW | B_NAVIGABLE);
	ActivityView* right = new ActivityView(BRect(100, 0, 199, 99), "right", log);
	window->AddChild(left);
	window->AddChild(right);
	left->SetCapture(true);
	left->MakeFocus();
	ShowAndWait(window);
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(50, 50)));
	WaitIdle();

	log.Clear();
	HeadlessTest::PressMouse(ToScreen(window, BPoint(50, 50)));
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(150, 50)));
	HeadlessTest::ReleaseMouse(ToScreen(window, BPoint(160, 60)));
	WaitIdle();
	std::vector<std::string> expected = { "left down", "left exited", "left outside",
		"left up (160,60)" };
	EXPECT_EQ(expected, log.Entries());

	// Without a capture the release belongs to the view under the pointer.
	ASSERT_TRUE(window->Lock());
	left->SetCapture(false);
	window->Unlock();
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(50, 50)));
	WaitIdle();
	log.Clear();
	HeadlessTest::PressMouse(ToScreen(window, BPoint(50, 50)));
	HeadlessTest::ReleaseMouse(ToScreen(window, BPoint(160, 60)));
	WaitIdle();
	expected = { "left down", "left exited", "right entered", "right up (60,60)" };
	EXPECT_EQ(expected, log.Entries());

	// The wheel turns for the focus view.
	log.Clear();
	HeadlessTest::TurnWheel(0, 3);
	WaitIdle();
	expected = { "left wheel 3" };
	EXPECT_EQ(expected, log.Entries());
	QuitWindow(window);
}


TEST(WindowBehaviourTest, NoDisplayEndsTheProgramWithAReason)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_EXIT(
		{
			setenv("QUORREL_BACKEND", "sdl", 1);
			unsetenv("DISPLAY");
			unsetenv("WAYLAND_DISPLAY");
			unsetenv("SDL_VIDEODRIVER");
			setenv("XDG_RUNTIME_DIR", "/nonexistent-views-test", 1);
			new BWindow(BRect(0, 0, 99, 99), "nowhere", B_TITLED_WINDOW);
		},
		::testing::ExitedWithCode(1), "Cannot open the window \"nowhere\": .*display");
}


TEST(WindowBehaviourTest, ClippingRegionLeavesOutWindowsInFront)
{
	BWindow* back = new BWindow(BRect(100, 500, 299, 599), "back", B_TITLED_WINDOW);
	BView* view = new BView(back->Bounds(), "covered", B_FOLLOW_ALL_SIDES, 0);
	back->AddChild(view);
	ShowAndWait(back);
	BWindow* front = new BWindow(BRect(200, 550, 399, 649), "front", B_TITLED_WINDOW);
	ShowAndWait(front);

	BRegion region;
	ASSERT_TRUE(back->Lock());
	view->GetClippingRegion(&region);
	back->Unlock();
	EXPECT_TRUE(region.Contains(BPoint(50, 50)));
	EXPECT_TRUE(region.Contains(BPoint(150, 40)));
	EXPECT_FALSE(region.Contains(BPoint(150, 60)));
	EXPECT_FALSE(region.Contains(BPoint(199, 99)));

	front->Hide();
	WaitIdle();
	ASSERT_TRUE(back->Lock());
	view->GetClippingRegion(&region);
	back->Unlock();
	EXPECT_TRUE(region.Contains(BPoint(150, 60)));
	QuitWindow(front);
	QuitWindow(back);
}


namespace {

class MoveLogWindow : public BWindow {
public:
	MoveLogWindow(BRect frame, EventLog& log)
		:
		BWindow(frame, "user", B_TITLED_WINDOW, 0),
		fLog(log)
	{
	}

	void FrameMoved(BPoint where) override { fLog.Add("moved " + FormatPoint(where)); }
	void FrameResized(float width, float height) override
	{
		fLog.Add("resized " + FormatPoint(BPoint(width, height)));
	}

private:
	EventLog& fLog;
};

}	// namespace


TEST(WindowBehaviourTest, UserMovesAndResizesReachTheViews)
{
	EventLog log;
	MoveLogWindow* window = new MoveLogWindow(BRect(100, 100, 199, 149), log);
	BView* filler = new BView(window->Bounds(), "filler", B_FOLLOW_ALL_SIDES, 0);
	filler->SetViewColor(10, 200, 10);
	window->AddChild(filler);
	ShowAndWait(window);

	HeadlessTest::DragWindow(ServerWindowOf(window), BPoint(300, 320));
	HeadlessTest::DragResize(ServerWindowOf(window), 250, 120);
	WaitIdle();
	EXPECT_TRUE(log.Contains("moved (300,320)"));
	ASSERT_TRUE(window->Lock());
	BRect bounds = window->Bounds();
	EXPECT_EQ(bounds, filler->Frame());
	EXPECT_EQ(BPoint(300, 320), window->Frame().LeftTop());
	EXPECT_EQ(BPoint(310, 330), filler->ConvertToScreen(BPoint(10, 10)));
	window->Unlock();
	EXPECT_EQ(ServerWindowOf(window)->Width(), bounds.IntegerWidth() + 1);
	EXPECT_EQ(ServerWindowOf(window)->Height(), bounds.IntegerHeight() + 1);
	EXPECT_TRUE(log.Contains("resized " + FormatPoint(BPoint(bounds.Width(),
		bounds.Height()))));
	// The newly exposed corner is painted by the update pass.
	EXPECT_EQ(RGB(10, 200, 10), ShownPixel(window, bounds.RightBottom()));
	QuitWindow(window);
}


TEST(WindowBehaviourTest, DesktopQuitRequestReachesTheApplication)
{
	BApplication* application = new BApplication("application/x-vnd.quorrel-views-test");
	BWindow* window = new BWindow(BRect(10, 10, 59, 59), "any", B_TITLED_WINDOW);
	ShowAndWait(window);
	ASSERT_EQ(B_OK, HeadlessTest::QuitDisplay());
	WaitIdle();
	// The application's loop does not run here, so the request waits in its queue.
	EXPECT_NE(nullptr, application->MessageQueue()->FindMessage((uint32)B_QUIT_REQUESTED, 0));
	QuitWindow(window);
	delete application;
}
