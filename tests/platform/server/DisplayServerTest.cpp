#include "ServerTestSupport.h"

#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <Clipboard.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Screen.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

using namespace BPrivate;

namespace {

const uint32 kRed = 0xffff0000;
const uint32 kBlue = 0xff0000ff;


class DisplayServerTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		setenv("QUORREL_BACKEND", "headless", 1);
		unsetenv("QUORREL_SCREEN");
		std::string error;
		ASSERT_EQ(DisplayServer::Start(&error), B_OK) << error;
		fServer = DisplayServer::Default();
	}

	void TearDown() override
	{
		DisplayServer::Stop();
	}

	DisplayServer* fServer = NULL;
};


std::vector<int32>
transits(const std::vector<ServerEvent>& events)
{
	std::vector<int32> result;
	for (const ServerEvent& event : events) {
		if (event.type == kServerMouseMoved)
			result.push_back(event.transit);
	}
	return result;
}


class DisplayCounter : public DisplayListener {
public:
	void DisplayQuitRequested() override { quits++; }
	std::atomic<int> quits{0};
};

}	// namespace


TEST_F(DisplayServerTest, ScreenAndBackendChoice)
{
	EXPECT_STREQ(fServer->BackendName(), "headless");
	EXPECT_EQ(fServer->ScreenFrame(), BRect(0, 0, 1023, 767));
	BScreen screen;
	EXPECT_TRUE(screen.IsValid());
	EXPECT_EQ(screen.Frame(), BRect(0, 0, 1023, 767));
	EXPECT_EQ(screen.ColorSpace(), B_RGB32);
	EXPECT_EQ(screen.ID().id, B_MAIN_SCREEN_ID.id);

	DisplayServer::Stop();
	setenv("QUORREL_SCREEN", "800x600", 1);
	ASSERT_EQ(DisplayServer::Start(), B_OK);
	EXPECT_EQ(BScreen().Frame(), BRect(0, 0, 799, 599));

	DisplayServer::Stop();
	setenv("QUORREL_SCREEN", "800-600", 1);
	std::string error;
	EXPECT_NE(DisplayServer::Start(&error), B_OK);
	EXPECT_NE(error.find("QUORREL_SCREEN"), std::string::npos) << error;
	EXPECT_EQ(DisplayServer::Default(), nullptr);
	EXPECT_FALSE(BScreen().IsValid());
	EXPECT_FALSE(BScreen().Frame().IsValid());

	DisplayServer::Stop();
	unsetenv("QUORREL_SCREEN");
	setenv("QUORREL_BACKEND", "teletype", 1);
	EXPECT_NE(DisplayServer::Start(&error), B_OK);
	EXPECT_NE(error.find("teletype"), std::string::npos) << error;

	DisplayServer::Stop();
	setenv("QUORREL_BACKEND", "headless", 1);
	ASSERT_EQ(DisplayServer::Start(), B_OK);
}


TEST_F(DisplayServerTest, WindowsStackByFeelAndTakeTheFocus)
{
	TestWindow back(BRect(0, 0, 99, 99));
	TestWindow front(BRect(50, 50, 149, 149));
	TestWindow palette(BRect(80, 80, 120, 120), B_FLOATING_APP_WINDOW_FEEL);
	TestWindow bubble(BRect(90, 90, 110, 110), B_FLOATING_ALL_WINDOW_FEEL,
		B_AVOID_FOCUS | B_NOT_MOVABLE, B_BORDERED_WINDOW_LOOK);

	EXPECT_TRUE(back->IsHidden());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(10, 10)), 0);

	back->Show();
	palette->Show();
	front->Show();
	bubble->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);

	std::vector<int32> expected = { bubble->ID(), palette->ID(), front->ID(), back->ID() };
	EXPECT_EQ(fServer->WindowOrder(), expected);
	// The last normal window shown has the focus; the bubble never takes it.
	EXPECT_TRUE(front->IsActive());
	EXPECT_FALSE(bubble->IsActive());
	EXPECT_EQ(back.listener.Take(kServerWindowActivated).size(), 2u);

	EXPECT_EQ(fServer->WindowIDAt(BPoint(100, 100)), bubble->ID());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(85, 85)), palette->ID());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(60, 60)), front->ID());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(10, 10)), back->ID());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(99, 10)), back->ID());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(100, 10)), 0);

	// Activating the back window raises it above the other normal window only.
	front.listener.Take();
	back->Activate();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	expected = { bubble->ID(), palette->ID(), back->ID(), front->ID() };
	EXPECT_EQ(fServer->WindowOrder(), expected);
	EXPECT_TRUE(back->IsActive());
	std::vector<ServerEvent> events = front.listener.Take(kServerWindowActivated);
	ASSERT_EQ(events.size(), 1u);
	EXPECT_FALSE(events[0].active);
	events = back.listener.Take(kServerWindowActivated);
	ASSERT_EQ(events.size(), 1u);
	EXPECT_TRUE(events[0].active);

	// A press in the visible part of the front window raises and activates it.
	HeadlessTest::Click(BPoint(140, 140));
	EXPECT_TRUE(front->IsActive());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(60, 60)), front->ID());

	// Hiding the active window hands the focus to the next one; hidden windows are
	// not hit.
	front->Hide();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_TRUE(back->IsActive());
	EXPECT_EQ(fServer->WindowIDAt(BPoint(140, 140)), 0);

	// A floating window that turns normal drops below the floating ones.
	palette->SetFeel(B_NORMAL_WINDOW_FEEL);
	bubble->SetFeel(B_NORMAL_WINDOW_FEEL);
	EXPECT_EQ(fServer->WindowOrder().front(), bubble->ID());
	back->Activate();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_EQ(fServer->WindowOrder().front(), back->ID());
}


TEST_F(DisplayServerTest, AvoidFocusWindowNeverTakesTheFocus)
{
	TestWindow main(BRect(0, 0, 199, 199));
	TestWindow bubble(BRect(50, 50, 99, 69), B_FLOATING_ALL_WINDOW_FEEL,
		B_AVOID_FOCUS, B_BORDERED_WINDOW_LOOK);
	main->Show();
	bubble->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	ASSERT_TRUE(main->IsActive());

	bubble->Activate();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_TRUE(main->IsActive());
	EXPECT_FALSE(bubble->IsActive());

	// A click on the bubble reaches it, but the focus stays.
	HeadlessTest::Click(BPoint(60, 60));
	EXPECT_EQ(bubble.listener.Take(kServerMouseDown).size(), 1u);
	EXPECT_TRUE(main->IsActive());
	EXPECT_TRUE(bubble.listener.Take(kServerWindowActivated).empty());

	HeadlessTest::PressKey(0x3c);
	EXPECT_EQ(main.listener.Take(kServerKeyDown).size(), 1u);
	EXPECT_TRUE(bubble.listener.Take(kServerKeyDown).empty());

	// A window that gains the flag later gives the focus up.
	bubble->SetFlags(0);
	bubble->Activate();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_TRUE(bubble->IsActive());
	bubble->SetFlags(B_AVOID_FOCUS);
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_TRUE(main->IsActive());
}


TEST_F(DisplayServerTest, ModalWindowKeepsPressesFromTheWindowsBelow)
{
	TestWindow main(BRect(0, 0, 299, 299));
	TestWindow palette(BRect(250, 0, 299, 99), B_FLOATING_APP_WINDOW_FEEL);
	TestWindow bubble(BRect(0, 250, 49, 269), B_FLOATING_ALL_WINDOW_FEEL, B_AVOID_FOCUS);
	TestWindow alert(BRect(100, 100, 199, 149), B_MODAL_APP_WINDOW_FEEL);
	main->Show();
	palette->Show();
	bubble->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	HeadlessTest::Click(BPoint(10, 10));
	EXPECT_EQ(main.listener.Take(kServerMouseDown).size(), 1u);

	alert->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_TRUE(alert->IsActive());
	main->Activate();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	HeadlessTest::Click(BPoint(10, 10));
	HeadlessTest::Click(BPoint(260, 10));
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_TRUE(main.listener.Take(kServerMouseDown).empty());
	EXPECT_TRUE(palette.listener.Take(kServerMouseDown).empty());
	EXPECT_TRUE(alert->IsActive());
	EXPECT_EQ(fServer->WindowOrder()[1], alert->ID());

	// The alert itself and tool tips still take presses.
	HeadlessTest::Click(BPoint(110, 110));
	EXPECT_EQ(alert.listener.Take(kServerMouseDown).size(), 1u);
	HeadlessTest::Click(BPoint(10, 255));
	EXPECT_EQ(bubble.listener.Take(kServerMouseDown).size(), 1u);

	alert->Hide();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	HeadlessTest::AdvanceClock(kDoubleClickTime + 1);
	HeadlessTest::Click(BPoint(10, 10));
	EXPECT_EQ(main.listener.Take(kServerMouseDown).size(), 1u);
}


TEST_F(DisplayServerTest, PressCapturesThePointerUntilRelease)
{
	TestWindow left(BRect(0, 0, 99, 99));
	TestWindow right(BRect(200, 0, 299, 99));
	left->Show();
	right->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	left.listener.Take();
	right.listener.Take();

	HeadlessTest::PressMouse(BPoint(50, 40));
	EXPECT_TRUE(HeadlessTest::PointerCaptured());
	std::vector<ServerEvent> events = left.listener.Take();
	ASSERT_GE(events.size(), 2u);
	EXPECT_EQ(events[0].type, kServerMouseMoved);
	EXPECT_EQ(events[0].transit, kTransitEntered);
	const ServerEvent& down = events.back();
	EXPECT_EQ(down.type, kServerMouseDown);
	EXPECT_EQ(down.where, BPoint(50, 40));
	EXPECT_EQ(down.screenWhere, BPoint(50, 40));
	EXPECT_EQ(down.buttons, (uint32)B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(down.clicks, 1);

	// Dragged over the other window, the moves still go to the pressed one.
	HeadlessTest::MoveMouse(BPoint(250, 50));
	HeadlessTest::MoveMouse(BPoint(260, 50));
	HeadlessTest::MoveMouse(BPoint(90, 50));
	HeadlessTest::MoveMouse(BPoint(95, 50));
	events = left.listener.Take();
	std::vector<int32> expected = { kTransitExited, kTransitOutside, kTransitEntered,
		kTransitInside };
	EXPECT_EQ(transits(events), expected);
	ASSERT_EQ(events.size(), 4u);
	EXPECT_EQ(events[0].where, BPoint(250, 50));
	EXPECT_EQ(events[0].buttons, (uint32)B_PRIMARY_MOUSE_BUTTON);
	for (const ServerEvent& event : right.listener.Take())
		EXPECT_EQ(event.type, kServerWindowActivated);

	// Released over the other window: the up goes to the pressed one, and only then
	// does the other window hear that the pointer entered it.
	HeadlessTest::ReleaseMouse(BPoint(250, 60));
	EXPECT_FALSE(HeadlessTest::PointerCaptured());
	events = left.listener.Take();
	ASSERT_EQ(events.size(), 2u);
	EXPECT_EQ(events[0].transit, kTransitExited);
	EXPECT_EQ(events[1].type, kServerMouseUp);
	EXPECT_EQ(events[1].where, BPoint(250, 60));
	EXPECT_EQ(events[1].buttons, 0u);
	events = right.listener.Take();
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].transit, kTransitEntered);
	EXPECT_EQ(events[0].where, BPoint(50, 60));

	// A second button while the first is held goes to the capturing window too.
	HeadlessTest::PressMouse(BPoint(210, 10));
	HeadlessTest::PressMouse(BPoint(20, 10), B_SECONDARY_MOUSE_BUTTON);
	events = right.listener.Take(kServerMouseDown);
	ASSERT_EQ(events.size(), 2u);
	EXPECT_EQ(events[1].buttons,
		(uint32)(B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON));
	HeadlessTest::ReleaseMouse(BPoint(20, 10), B_PRIMARY_MOUSE_BUTTON);
	EXPECT_TRUE(HeadlessTest::PointerCaptured());
	HeadlessTest::ReleaseMouse(BPoint(20, 10), B_SECONDARY_MOUSE_BUTTON);
	EXPECT_FALSE(HeadlessTest::PointerCaptured());
	EXPECT_EQ(right.listener.Take(kServerMouseUp).size(), 2u);
	EXPECT_TRUE(left.listener.Take(kServerMouseUp).empty());
}


TEST_F(DisplayServerTest, TransitsFollowThePointerAcrossWindows)
{
	TestWindow lower(BRect(0, 0, 99, 99));
	TestWindow upper(BRect(50, 0, 149, 99));
	lower->Show();
	upper->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);

	HeadlessTest::MoveMouse(BPoint(10, 10));
	HeadlessTest::MoveMouse(BPoint(20, 10));
	HeadlessTest::MoveMouse(BPoint(30, 10));
	// Into the part where the upper window covers the lower one.
	HeadlessTest::MoveMouse(BPoint(60, 10));
	HeadlessTest::MoveMouse(BPoint(70, 10));
	// Onto the desktop; moves there reach no one.
	HeadlessTest::MoveMouse(BPoint(500, 10));
	HeadlessTest::MoveMouse(BPoint(510, 10));

	std::vector<int32> expected = { kTransitEntered, kTransitInside, kTransitInside,
		kTransitExited };
	std::vector<ServerEvent> events = lower.listener.Take(kServerMouseMoved);
	EXPECT_EQ(transits(events), expected);
	ASSERT_EQ(events.size(), 4u);
	EXPECT_EQ(events[3].where, BPoint(60, 10));

	expected = { kTransitEntered, kTransitInside, kTransitExited };
	events = upper.listener.Take(kServerMouseMoved);
	EXPECT_EQ(transits(events), expected);
	ASSERT_EQ(events.size(), 3u);
	EXPECT_EQ(events[0].where, BPoint(10, 10));

	// The wheel goes to the window under the pointer.
	HeadlessTest::MoveMouse(BPoint(20, 20));
	HeadlessTest::TurnWheel(0, 2);
	events = lower.listener.Take(kServerMouseWheel);
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].wheelY, 2);
	EXPECT_TRUE(upper.listener.Take(kServerMouseWheel).empty());
}


TEST_F(DisplayServerTest, ClicksCountByTimeAndDistance)
{
	TestWindow one(BRect(0, 0, 99, 99));
	TestWindow two(BRect(100, 0, 199, 99));
	one->Show();
	two->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);

	auto clicks = [&](TestWindow& window) {
		std::vector<int32> counts;
		for (const ServerEvent& event : window.listener.Take(kServerMouseDown))
			counts.push_back(event.clicks);
		return counts;
	};

	HeadlessTest::Click(BPoint(10, 10), B_PRIMARY_MOUSE_BUTTON, 3);
	EXPECT_EQ(clicks(one), std::vector<int32>({ 1, 2, 3 }));

	// Too late for a double click.
	HeadlessTest::AdvanceClock(kDoubleClickTime + 1);
	HeadlessTest::Click(BPoint(10, 10));
	HeadlessTest::AdvanceClock(kDoubleClickTime);
	HeadlessTest::Click(BPoint(12, 13));
	EXPECT_EQ(clicks(one), std::vector<int32>({ 1, 2 }));

	// Too far away, another button, another window.
	HeadlessTest::AdvanceClock(kDoubleClickTime + 1);
	HeadlessTest::Click(BPoint(10, 10));
	HeadlessTest::Click(BPoint(10, 15));
	HeadlessTest::Click(BPoint(10, 15), B_SECONDARY_MOUSE_BUTTON);
	HeadlessTest::Click(BPoint(10, 15), B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(clicks(one), std::vector<int32>({ 1, 1, 1, 2 }));
	HeadlessTest::Click(BPoint(101, 15), B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(clicks(two), std::vector<int32>({ 1 }));
}


TEST_F(DisplayServerTest, KeysReachTheActiveWindowWithBeOSCodes)
{
	TestWindow other(BRect(300, 0, 399, 99));
	TestWindow window(BRect(0, 0, 99, 99));
	other->Show();
	window->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	ASSERT_TRUE(window->IsActive());
	window.listener.Take();

	// Ctrl+S is Command+S: the S key, its letter, and B_COMMAND_KEY.
	HeadlessTest::PressKey(0x3d, B_COMMAND_KEY | B_LEFT_COMMAND_KEY);
	std::vector<ServerEvent> events = window.listener.Take();
	ASSERT_EQ(events.size(), 2u);
	EXPECT_EQ(events[0].type, kServerKeyDown);
	EXPECT_EQ(events[0].key, 0x3d);
	EXPECT_STREQ(events[0].bytes, "s");
	EXPECT_EQ(events[0].rawChar, 's');
	EXPECT_NE(events[0].modifiers & B_COMMAND_KEY, 0u);
	EXPECT_EQ(events[0].modifiers & B_CONTROL_KEY, 0u);
	EXPECT_EQ(events[1].type, kServerKeyUp);
	EXPECT_EQ(fServer->Modifiers(), 0u);

	struct {
		int32	key;
		char	byte;
	} controls[] = {
		{ kKeyLeftArrow, B_LEFT_ARROW }, { kKeyRightArrow, B_RIGHT_ARROW },
		{ kKeyUpArrow, B_UP_ARROW }, { kKeyDownArrow, B_DOWN_ARROW },
		{ kKeyHome, B_HOME }, { kKeyEnd, B_END }, { kKeyPageUp, B_PAGE_UP },
		{ kKeyPageDown, B_PAGE_DOWN }, { kKeyBackspace, B_BACKSPACE },
		{ kKeyDelete, B_DELETE }, { kKeyReturn, B_RETURN }, { kKeyTab, B_TAB },
		{ kKeyEscape, B_ESCAPE }, { 0x02, B_FUNCTION_KEY }
	};
	for (const auto& control : controls) {
		HeadlessTest::KeyDown(control.key);
		events = window.listener.Take(kServerKeyDown);
		ASSERT_EQ(events.size(), 1u) << control.key;
		EXPECT_EQ(events[0].bytes[0], control.byte) << control.key;
		EXPECT_EQ(events[0].bytes[1], '\0') << control.key;
		HeadlessTest::KeyUp(control.key);
	}

	// Typed text: one key press per character, with the key that types it.
	HeadlessTest::TypeText("aB\n\xc3\xa9");
	events = window.listener.Take(kServerKeyDown);
	ASSERT_EQ(events.size(), 4u);
	EXPECT_EQ(events[0].key, 0x3c);
	EXPECT_STREQ(events[0].bytes, "a");
	EXPECT_EQ(events[1].key, 0x50);
	EXPECT_STREQ(events[1].bytes, "B");
	EXPECT_EQ(events[1].rawChar, 'b');
	EXPECT_NE(events[1].modifiers & B_SHIFT_KEY, 0u);
	EXPECT_EQ(events[2].bytes[0], B_RETURN);
	EXPECT_EQ(events[3].key, 0);
	EXPECT_STREQ(events[3].bytes, "\xc3\xa9");

	HeadlessTest::KeyDown(0x3c, 0, "a", true);
	events = window.listener.Take(kServerKeyDown);
	ASSERT_EQ(events.size(), 1u);
	EXPECT_TRUE(events[0].repeat);
	HeadlessTest::KeyUp(0x3c);

	EXPECT_TRUE(other.listener.Take(kServerKeyDown).empty());

	// Without an active window keys go nowhere.
	window->Activate(false);
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_EQ(fServer->ActiveWindowID(), 0);
	window.listener.Take();
	HeadlessTest::PressKey(0x3c);
	EXPECT_TRUE(window.listener.Take(kServerKeyDown).empty());
	EXPECT_TRUE(other.listener.Take(kServerKeyDown).empty());
}


TEST_F(DisplayServerTest, GetMouseFromAnotherThreadDuringInput)
{
	TestWindow window(BRect(0, 0, 499, 499));
	window->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);

	std::atomic<bool> done(false);
	std::atomic<int> offLine(0);
	std::atomic<int> reads(0);
	std::thread reader([&]() {
		while (!done) {
			BPoint where;
			uint32 buttons;
			fServer->GetMouse(&where, &buttons);
			// Every position injected lies on the diagonal, pressed or not.
			if (where.x != where.y)
				offLine++;
			reads++;
		}
	});

	while (reads == 0)
		std::this_thread::yield();
	HeadlessTest::PressMouse(BPoint(1, 1));
	for (int i = 2; i < 300; i++)
		HeadlessTest::MoveMouse(BPoint(i, i));
	BPoint where;
	uint32 buttons;
	fServer->GetMouse(&where, &buttons);
	EXPECT_EQ(where, BPoint(299, 299));
	EXPECT_EQ(buttons, (uint32)B_PRIMARY_MOUSE_BUTTON);
	HeadlessTest::ReleaseMouse(BPoint(300, 300));
	done = true;
	reader.join();

	EXPECT_EQ(offLine, 0);
	EXPECT_GT(reads, 0);
	fServer->GetMouse(&where, &buttons);
	EXPECT_EQ(where, BPoint(300, 300));
	EXPECT_EQ(buttons, 0u);
}


TEST_F(DisplayServerTest, PresentedPixelsReachTheScreenAndItsPicture)
{
	TestWindow window(BRect(10, 20, 49, 49));
	TestWindow cover(BRect(40, 40, 59, 59));
	ASSERT_EQ(window->Width(), 40);
	ASSERT_EQ(window->Height(), 30);
	ASSERT_EQ(window->BytesPerRow(), 160);

	window.Fill(kRed);
	window->LockBits();
	window->Bits()[5 * window->Width() + 7] = kBlue;
	window->UnlockBits();
	window->Present(BRect(7, 5, 7, 5));
	cover.Fill(kBlue);
	window->Show();
	cover->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);

	EXPECT_GE(HeadlessTest::PresentCount(window.Get()), 1);
	EXPECT_LE(HeadlessTest::PresentCount(window.Get()), 2);
	EXPECT_EQ(HeadlessTest::PresentedArea(window.Get()), BRect(0, 0, 39, 29));

	// Presenting outside the framebuffer only shows what lies inside.
	window->Present(BRect(30, 25, 500, 500));
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_EQ(HeadlessTest::PresentedArea(window.Get()), BRect(0, 0, 39, 29));

	uint32 pixel = 0;
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(15, 25), &pixel), B_OK);
	EXPECT_EQ(pixel, kRed);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(17, 25), &pixel), B_OK);
	EXPECT_EQ(pixel, kBlue);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(45, 45), &pixel), B_OK);
	EXPECT_EQ(pixel, kBlue);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(0, 0), &pixel), B_OK);
	EXPECT_EQ(pixel, HeadlessTest::kDesktopColor);
	EXPECT_EQ(HeadlessTest::ScreenPixel(BPoint(1024, 0), &pixel), B_BAD_VALUE);
	ASSERT_EQ(HeadlessTest::WindowPixel(window.Get(), BPoint(39, 29), &pixel), B_OK);
	EXPECT_EQ(pixel, kRed);
	EXPECT_EQ(HeadlessTest::WindowPixel(window.Get(), BPoint(40, 0), &pixel), B_BAD_VALUE);

	char folder[] = "/tmp/server-test-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	std::string screenPath = std::string(folder) + "/screen.png";
	std::string windowPath = std::string(folder) + "/window.png";
	ASSERT_EQ(HeadlessTest::SaveScreenPNG(screenPath.c_str()), B_OK);
	ASSERT_EQ(HeadlessTest::SaveWindowPNG(window.Get(), windowPath.c_str()), B_OK);

	int width;
	int height;
	int channels;
	unsigned char* image = stbi_load(screenPath.c_str(), &width, &height, &channels, 4);
	ASSERT_NE(image, nullptr);
	EXPECT_EQ(width, 1024);
	EXPECT_EQ(height, 768);
	const unsigned char* red = image + (25 * width + 15) * 4;
	EXPECT_EQ(red[0], 255);
	EXPECT_EQ(red[1], 0);
	EXPECT_EQ(red[2], 0);
	const unsigned char* desktop = image;
	EXPECT_EQ(desktop[0], 0x33);
	EXPECT_EQ(desktop[1], 0x66);
	EXPECT_EQ(desktop[2], 0x99);
	stbi_image_free(image);

	image = stbi_load(windowPath.c_str(), &width, &height, &channels, 4);
	ASSERT_NE(image, nullptr);
	EXPECT_EQ(width, 40);
	EXPECT_EQ(height, 30);
	const unsigned char* blue = image + (5 * width + 7) * 4;
	EXPECT_EQ(blue[0], 0);
	EXPECT_EQ(blue[2], 255);
	stbi_image_free(image);

	// Hidden windows leave the picture.
	cover->Hide();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(45, 45), &pixel), B_OK);
	EXPECT_EQ(pixel, kRed);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(55, 55), &pixel), B_OK);
	EXPECT_EQ(pixel, HeadlessTest::kDesktopColor);

	EXPECT_NE(HeadlessTest::SaveScreenPNG((std::string(folder) + "/none/x.png").c_str()),
		B_OK);
	remove(screenPath.c_str());
	remove(windowPath.c_str());
	rmdir(folder);
}


TEST_F(DisplayServerTest, ResizeKeepsPixelsAndOddFramesAreSafe)
{
	TestWindow window(BRect(0, 0, 9, 9));
	window.Fill(kRed);
	window->ResizeTo(19, 4);
	EXPECT_EQ(window->Frame(), BRect(0, 0, 19, 4));
	window->LockBits();
	ASSERT_EQ(window->Width(), 20);
	ASSERT_EQ(window->Height(), 5);
	EXPECT_EQ(window->Bits()[4 * 20 + 9], kRed);
	EXPECT_EQ(window->Bits()[4 * 20 + 10], 0xffffffffu);
	window->UnlockBits();

	// Zero-sized and nonsensical frames make empty framebuffers, never a crash.
	TestWindow empty(BRect(10, 10, 9, 9));
	EXPECT_EQ(empty->Width(), 0);
	EXPECT_EQ(empty->Height(), 0);
	EXPECT_EQ(empty->Bits(), nullptr);
	empty->Show();
	empty->Present(BRect(0, 0, 10, 10));
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	EXPECT_EQ(HeadlessTest::PresentCount(empty.Get()), 0);
	EXPECT_EQ(fServer->WindowIDAt(BPoint(10, 10)), 0);
	HeadlessTest::Click(BPoint(10, 10));
	EXPECT_TRUE(empty.listener.Take(kServerMouseDown).empty());
	EXPECT_EQ(HeadlessTest::SaveWindowPNG(empty.Get(), "/tmp/never-written.png"),
		B_BAD_VALUE);
	uint32 pixel;
	EXPECT_EQ(HeadlessTest::WindowPixel(empty.Get(), BPoint(0, 0), &pixel), B_BAD_VALUE);

	empty->ResizeTo(-5, -5);
	EXPECT_EQ(empty->Width(), 0);
	empty->ResizeTo(9, 9);
	EXPECT_EQ(empty->Width(), 10);
	empty->ResizeTo(0, 0);
	EXPECT_EQ(empty->Width(), 1);

	TestWindow odd(BRect(0, 0, NAN, 1e30f));
	EXPECT_EQ(odd->Width(), 0);
	EXPECT_EQ(odd->Height(), 16384);
	odd->MoveTo(BPoint(NAN, 5));
	odd->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	std::vector<uint32> pixels;
	int32 width;
	int32 height;
	EXPECT_EQ(HeadlessTest::ScreenPixels(pixels, &width, &height), B_OK);

	// Windows partly off the screen are clipped in the picture.
	TestWindow offscreen(BRect(-20, -20, 19, 19));
	offscreen.Fill(kBlue);
	offscreen->Show();
	window->MoveTo(BPoint(1020, 760));
	window->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(0, 0), &pixel), B_OK);
	EXPECT_EQ(pixel, kBlue);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(1023, 764), &pixel), B_OK);
	EXPECT_EQ(pixel, kRed);
	ASSERT_EQ(HeadlessTest::ScreenPixel(BPoint(1023, 765), &pixel), B_OK);
	EXPECT_EQ(pixel, HeadlessTest::kDesktopColor);
}


TEST_F(DisplayServerTest, UserActionsOnTheFrameReachTheListener)
{
	TestWindow window(BRect(100, 100, 199, 149));
	window->Show();
	ASSERT_EQ(HeadlessTest::WaitForIdle(), B_OK);
	window.listener.Take();

	HeadlessTest::DragWindow(window.Get(), BPoint(300, 200));
	std::vector<ServerEvent> events = window.listener.Take();
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].type, kServerWindowMoved);
	EXPECT_EQ(events[0].frame, BRect(300, 200, 399, 249));
	EXPECT_EQ(window->Frame(), BRect(300, 200, 399, 249));

	HeadlessTest::DragResize(window.Get(), 50, 60);
	events = window.listener.Take();
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].type, kServerWindowResized);
	EXPECT_EQ(events[0].frame, BRect(300, 200, 349, 259));
	window->LockBits();
	EXPECT_EQ(window->Width(), 50);
	EXPECT_EQ(window->Height(), 60);
	window->UnlockBits();
	EXPECT_EQ(HeadlessTest::DragResize(window.Get(), -1, 5), B_BAD_VALUE);

	HeadlessTest::CloseBox(window.Get());
	HeadlessTest::ZoomButton(window.Get());
	HeadlessTest::DropFile(window.Get(), BPoint(310, 210), "/tmp/page.html");
	events = window.listener.Take();
	ASSERT_EQ(events.size(), 4u);
	EXPECT_EQ(events[0].type, kServerCloseRequested);
	EXPECT_EQ(events[1].type, kServerZoomRequested);
	EXPECT_EQ(events[2].type, kServerMouseMoved);
	EXPECT_EQ(events[3].type, kServerFilesDropped);
	EXPECT_EQ(events[3].path, "/tmp/page.html");
	EXPECT_EQ(events[3].where, BPoint(10, 10));

	HeadlessTest::SetMinimized(window.Get(), true);
	EXPECT_TRUE(window->IsMinimized());
	EXPECT_FALSE(window->IsActive());
	events = window.listener.Take();
	ASSERT_EQ(events.size(), 2u);
	EXPECT_EQ(events[0].type, kServerWindowMinimized);
	EXPECT_TRUE(events[0].active);
	EXPECT_EQ(events[1].type, kServerWindowActivated);
	EXPECT_FALSE(events[1].active);

	DisplayCounter counter;
	fServer->SetDisplayListener(&counter);
	HeadlessTest::QuitDisplay();
	fServer->SetDisplayListener(NULL);
	HeadlessTest::QuitDisplay();
	EXPECT_EQ(counter.quits, 1);

	std::string text;
	ASSERT_EQ(fServer->SetClipboardText("<b>bold</b>"), B_OK);
	ASSERT_EQ(fServer->GetClipboardText(text), B_OK);
	EXPECT_EQ(text, "<b>bold</b>");

	window->SetTitle("Quorrel");
	window->SetLook(B_BORDERED_WINDOW_LOOK);
	EXPECT_EQ(window->Title(), "Quorrel");
	EXPECT_EQ(window->Look(), B_BORDERED_WINDOW_LOOK);
}


// A window that goes while input for it is on its way: the input finds no one, and the
// listener hears nothing once DestroyWindow has returned.
TEST_F(DisplayServerTest, WindowsDestroyedWhileInputIsQueued)
{
	class GuardedListener : public RecordingListener {
	public:
		void EventReceived(ServerWindow* window, const ServerEvent& event) override
		{
			if (gone)
				lateEvents++;
			RecordingListener::EventReceived(window, event);
		}
		std::atomic<bool> gone{false};
		std::atomic<int> lateEvents{0};
	};

	std::atomic<bool> done(false);
	std::thread injector([&]() {
		int i = 0;
		while (!done) {
			BPoint where(10 + i % 50, 10 + i % 50);
			HeadlessTest::PressMouse(where);
			HeadlessTest::MoveMouse(where + BPoint(300, 0));
			HeadlessTest::ReleaseMouse(where);
			HeadlessTest::PressKey(0x3c);
			HeadlessTest::TurnWheel(0, 1);
			// Queued without waiting, so that some of it arrives after the window went.
			fServer->RunAsynchronously([this, where]() {
				fServer->HandlePointerButtons(where, B_PRIMARY_MOUSE_BUTTON,
					fServer->WindowIDAt(where), 0);
				fServer->HandlePointerMoved(where + BPoint(1, 1), 0);
			});
			i++;
		}
	});

	for (int round = 0; round < 40; round++) {
		GuardedListener listener;
		ServerWindowSettings settings;
		settings.frame.Set(0, 0, 99, 99);
		ServerWindow* window = fServer->CreateWindow(settings, &listener);
		window->Show();
		window->Present(BRect(0, 0, 99, 99));
		fServer->RunSynchronously([]() {});
		fServer->DestroyWindow(window);
		listener.gone = true;
		fServer->RunSynchronously([]() {});
		EXPECT_EQ(listener.lateEvents, 0);
	}
	done = true;
	injector.join();
	HeadlessTest::ReleaseMouse(BPoint(0, 0));
	EXPECT_FALSE(HeadlessTest::PointerCaptured());
}


// be_clipboard is the desktop's clipboard: what the program commits reaches it, and
// what another program put there is what the program reads.
TEST_F(DisplayServerTest, SystemClipboardMeetsTheDesktopClipboard)
{
	ASSERT_TRUE(be_clipboard->Lock());
	be_clipboard->Clear();
	const char* text = "<p>copied</p>";
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text, strlen(text));
	ASSERT_EQ(be_clipboard->Commit(), B_OK);
	be_clipboard->Unlock();
	std::string desktop;
	ASSERT_EQ(fServer->GetClipboardText(desktop), B_OK);
	EXPECT_EQ(desktop, text);

	ASSERT_EQ(fServer->SetClipboardText("from elsewhere"), B_OK);
	ASSERT_TRUE(be_clipboard->Lock());
	const void* data = NULL;
	ssize_t length = 0;
	ASSERT_EQ(be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &length),
		B_OK);
	EXPECT_EQ(std::string((const char*)data, length), "from elsewhere");
	be_clipboard->Unlock();
}
