// Input through the headless server: clicks, transits, a MouseDown loop, keys, focus
// navigation, shortcuts, the default button, and input for views and windows that go.

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "server/DisplayServer.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

using BPrivate::HeadlessTest;

namespace {

const char* const kTransitNames[] = { "entered", "inside", "exited", "outside" };


// Logs every input hook with what CurrentMessage says about it.
class InputView : public BView {
public:
	InputView(BRect frame, const char* name, EventLog& log, uint32 flags = B_WILL_DRAW)
		:
		BView(frame, name, B_FOLLOW_NONE, flags),
		fLog(log)
	{
	}

	void MouseDown(BPoint where) override
	{
		BMessage* message = Window()->CurrentMessage();
		int32 buttons = 0;
		int32 clicks = 0;
		BPoint field;
		BPoint viewWhere;
		BPoint screen;
		message->FindInt32("buttons", &buttons);
		message->FindInt32("clicks", &clicks);
		message->FindPoint("where", &field);
		message->FindPoint("be:view_where", &viewWhere);
		message->FindPoint("screen_where", &screen);
		char text[160];
		snprintf(text, sizeof(text), "%s down %s buttons=%d clicks=%d field=%s view=%s "
			"screen=%s modifiers=%d when=%d", Name(), FormatPoint(where).c_str(),
			(int)buttons, (int)clicks, FormatPoint(field).c_str(),
			FormatPoint(viewWhere).c_str(), FormatPoint(screen).c_str(),
			(int)message->HasInt32("modifiers"), (int)message->HasInt64("when"));
		fLog.Add(text);
	}

	void MouseUp(BPoint where) override
	{
		fLog.Add(std::string(Name()) + " up " + FormatPoint(where));
	}

	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag) override
	{
		fLog.Add(std::string(Name()) + " " + kTransitNames[transit & 3]);
	}

	void KeyDown(const char* bytes, int32 numBytes) override
	{
		BMessage* message = Window()->CurrentMessage();
		int32 key = 0;
		int32 rawChar = 0;
		message->FindInt32("key", &key);
		message->FindInt32("raw_char", &rawChar);
		char text[96];
		snprintf(text, sizeof(text), "%s key %s", Name(),
			bytes[0] == '\t' ? "tab" : bytes[0] == '\n' ? "enter" : bytes);
		fLog.Add(text);
		if (key == 0 || rawChar == 0 || !message->HasString("bytes"))
			fLog.Add("incomplete key message");
		BView::KeyDown(bytes, numBytes);
	}

	void MessageReceived(BMessage* message) override
	{
		char text[64];
		uint32 what = message->what;
		char code[5] = { (char)(what >> 24), (char)(what >> 16), (char)(what >> 8),
			(char)what, 0 };
		snprintf(text, sizeof(text), "%s message %s", Name(), code);
		fLog.Add(text);
	}

private:
	EventLog& fLog;
};


class LoggingWindow : public BWindow {
public:
	LoggingWindow(BRect frame, const char* title, EventLog& log)
		:
		BWindow(frame, title, B_TITLED_WINDOW, 0),
		fLog(log)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		uint32 what = message->what;
		char code[5] = { (char)(what >> 24), (char)(what >> 16), (char)(what >> 8),
			(char)what, 0 };
		fLog.Add(std::string("window message ") + code);
	}

private:
	EventLog& fLog;
};


// Draws its pressed look and follows the pointer with GetMouse until the buttons are
// released, as the toolbar buttons do.
class PressLoopView : public BView {
public:
	PressLoopView(BRect frame, EventLog& log, sem_id started, sem_id sawMove,
			BPoint moveTarget)
		:
		BView(frame, "loop", B_FOLLOW_NONE, B_WILL_DRAW),
		fLog(log),
		fStarted(started),
		fSawMove(sawMove),
		fMoveTarget(moveTarget)
	{
		SetViewColor(200, 200, 200);
	}

	void MouseDown(BPoint where) override
	{
		SetHighColor(0, 0, 255);
		FillRect(Bounds());
		uint32 buttons = 0;
		BPoint point;
		GetMouse(&point, &buttons, false);
		// GetMouse has shown the pressed look already.
		uint32 pixel = 0;
		HeadlessTest::WindowPixel(ServerWindowOf(Window()), ConvertToParent(BPoint(2, 2)),
			&pixel);
		fLog.Add((pixel & 0xffffff) == RGB(0, 0, 255) ? "pressed look shown"
			: "pressed look missing");
		release_sem(fStarted);
		bool sawMove = false;
		while (buttons != 0) {
			snooze(2000);
			GetMouse(&point, &buttons, false);
			if (!sawMove && point == fMoveTarget && buttons != 0) {
				sawMove = true;
				fLog.Add("saw move " + FormatPoint(point));
				release_sem(fSawMove);
			}
		}
		fLog.Add("released at " + FormatPoint(point));
	}

	void MouseUp(BPoint where) override
	{
		fLog.Add("loop up " + FormatPoint(where));
	}

private:
	EventLog&	fLog;
	sem_id		fStarted;
	sem_id		fSawMove;
	BPoint		fMoveTarget;
};

}	// namespace


TEST(WindowEventTest, ClicksAndTransitsReachTheViewUnderThePointer)
{
	EventLog log;
	BWindow* window = new BWindow(BRect(300, 300, 499, 399), "mouse", B_TITLED_WINDOW);
	window->AddChild(new InputView(BRect(0, 0, 99, 99), "A", log));
	window->AddChild(new InputView(BRect(100, 0, 199, 99), "B", log));
	ShowAndWait(window);
	HeadlessTest::MoveMouse(BPoint(900, 700));
	HeadlessTest::AdvanceClock(1000000);
	WaitIdle();
	log.Clear();

	HeadlessTest::Click(ToScreen(window, BPoint(130, 40)));
	WaitIdle();
	std::vector<std::string> entries = log.Entries();
	std::vector<std::string> expected = { "B entered",
		"B down (30,40) buttons=1 clicks=1 field=(30,40) view=(30,40) screen=(430,340) "
			"modifiers=1 when=1",
		"B up (30,40)" };
	EXPECT_EQ(expected, entries);

	log.Clear();
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(20, 20)));
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(25, 20)));
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(150, 20)));
	HeadlessTest::MoveMouse(BPoint(900, 700));
	WaitIdle();
	expected = { "B exited", "A entered", "A inside", "A exited",
		"B entered", "B exited" };
	EXPECT_EQ(expected, log.Entries());

	// A view removed while the pointer is over it is simply forgotten.
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(20, 20)));
	WaitIdle();
	ASSERT_TRUE(window->Lock());
	BView* a = window->FindView("A");
	a->RemoveSelf();
	delete a;
	window->Unlock();
	log.Clear();
	HeadlessTest::Click(ToScreen(window, BPoint(30, 30)));
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(150, 20)));
	WaitIdle();
	expected = { "B entered" };
	EXPECT_EQ(expected, log.Entries());
	QuitWindow(window);
}


TEST(WindowEventTest, MouseDownLoopFollowsThePointerUntilRelease)
{
	EventLog log;
	sem_id started = create_sem(0, "loop started");
	sem_id sawMove = create_sem(0, "loop saw move");
	BWindow* window = new BWindow(BRect(300, 450, 399, 549), "loop", B_TITLED_WINDOW);
	window->AddChild(new PressLoopView(BRect(10, 10, 59, 59), log, started, sawMove,
		BPoint(30, 35)));
	ShowAndWait(window);

	HeadlessTest::PressMouse(ToScreen(window, BPoint(15, 15)));
	ASSERT_EQ(B_OK, acquire_sem_etc(started, 1, B_RELATIVE_TIMEOUT, 10000000));
	HeadlessTest::MoveMouse(ToScreen(window, BPoint(40, 45)));
	ASSERT_EQ(B_OK, acquire_sem_etc(sawMove, 1, B_RELATIVE_TIMEOUT, 10000000));
	HeadlessTest::ReleaseMouse(ToScreen(window, BPoint(80, 90)));
	WaitIdle();

	std::vector<std::string> expected = { "pressed look shown", "saw move (30,35)",
		"released at (70,80)" };
	std::vector<std::string> entries = log.Entries();
	ASSERT_GE(entries.size(), 3u);
	entries.resize(3);
	EXPECT_EQ(expected, entries);
	// The queued release goes to the view under the pointer, here none.
	EXPECT_FALSE(log.Contains("loop up (70,80)"));
	delete_sem(started);
	delete_sem(sawMove);
	QuitWindow(window);
}


TEST(WindowEventTest, KeysFocusShortcutsAndDefaultButton)
{
	EventLog log;
	LoggingWindow* window = new LoggingWindow(BRect(600, 100, 799, 199), "keys", log);
	InputView* first = new InputView(BRect(0, 0, 49, 49), "first", log,
		B_WILL_DRAW | B_NAVIGABLE);
	InputView* plain = new InputView(BRect(50, 0, 99, 49), "plain", log);
	InputView* second = new InputView(BRect(100, 0, 149, 49), "second", log,
		B_WILL_DRAW | B_NAVIGABLE);
	InputView* third = new InputView(BRect(150, 0, 199, 49), "third", log,
		B_WILL_DRAW | B_NAVIGABLE);
	InputView* button = new InputView(BRect(0, 50, 49, 99), "button", log);
	window->AddChild(first);
	window->AddChild(plain);
	window->AddChild(second);
	window->AddChild(third);
	window->AddChild(button);
	first->MakeFocus();
	window->AddShortcut('s', 0, new BMessage('save'));
	ShowAndWait(window);
	log.Clear();

	HeadlessTest::TypeText("ab");
	WaitIdle();
	std::vector<std::string> expected = { "first key a", "first key b" };
	EXPECT_EQ(expected, log.Entries());

	auto focus = [&]() {
		EXPECT_TRUE(window->Lock());
		BView* view = window->CurrentFocus();
		window->Unlock();
		return view;
	};
	HeadlessTest::PressKey(BPrivate::kKeyTab);
	WaitIdle();
	EXPECT_EQ(second, focus());
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ(first, focus());
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ(third, focus());
	HeadlessTest::PressKey(BPrivate::kKeyTab);
	WaitIdle();
	EXPECT_EQ(first, focus());
	// Ctrl+Tab is the view's business.
	log.Clear();
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_COMMAND_KEY);
	WaitIdle();
	EXPECT_EQ(first, focus());
	EXPECT_TRUE(log.Contains("first key tab"));

	// Ctrl+S is the window's shortcut; Ctrl+Shift+S and plain S are not.
	const int32 kKeyS = 0x3d;
	log.Clear();
	HeadlessTest::PressKey(kKeyS, B_COMMAND_KEY);
	WaitIdle();
	expected = { "window message save" };
	EXPECT_EQ(expected, log.Entries());
	log.Clear();
	HeadlessTest::PressKey(kKeyS, B_COMMAND_KEY | B_SHIFT_KEY);
	HeadlessTest::PressKey(kKeyS);
	WaitIdle();
	EXPECT_FALSE(log.Contains("window message save"));
	EXPECT_TRUE(log.Contains("first key s"));
	ASSERT_TRUE(window->Lock());
	EXPECT_TRUE(window->HasShortcut('S', B_COMMAND_KEY));
	window->RemoveShortcut('s', 0);
	EXPECT_FALSE(window->HasShortcut('s', 0));
	window->Unlock();
	log.Clear();
	HeadlessTest::PressKey(kKeyS, B_COMMAND_KEY);
	// The built-in copy shortcut goes to the focus view.
	HeadlessTest::PressKey(0x4e, B_COMMAND_KEY);
	WaitIdle();
	EXPECT_FALSE(log.Contains("window message save"));
	EXPECT_TRUE(log.Contains("first message COPY"));

	// Enter presses the default button, wherever the focus is.
	ASSERT_TRUE(window->Lock());
	window->SetDefaultButton(button);
	window->Unlock();
	log.Clear();
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	expected = { "button key enter" };
	EXPECT_EQ(expected, log.Entries());
	QuitWindow(window);
}


TEST(WindowEventTest, WindowThreadNameAndQuitWithQueuedInput)
{
	EventLog log;
	BWindow* window = new BWindow(BRect(700, 500, 799, 599), "Doomed", B_TITLED_WINDOW);
	window->AddChild(new InputView(BRect(0, 0, 99, 99), "target", log,
		B_WILL_DRAW | B_NAVIGABLE));
	window->FindView("target")->MakeFocus();
	ShowAndWait(window);

	thread_info info;
	ASSERT_EQ(B_OK, get_thread_info(window->Thread(), &info));
	EXPECT_STREQ("w>Doomed", info.name);

	// Input piles up while the test holds the lock; quitting drops it safely.
	ASSERT_TRUE(window->Lock());
	BPoint inside = ToScreen(window, BPoint(50, 50));
	HeadlessTest::Click(inside);
	HeadlessTest::TypeText("queued");
	HeadlessTest::MoveMouse(inside + BPoint(5, 5));
	window->Quit();
	WaitIdle();
	HeadlessTest::Click(inside);
	WaitIdle();
	EXPECT_FALSE(log.Contains("target key q"));

	// The close box asks the window, which quits when it agrees.
	BWindow* closing = new BWindow(BRect(700, 500, 799, 599), "Closing", B_TITLED_WINDOW);
	ShowAndWait(closing);
	BPrivate::ServerWindow* serverWindow = ServerWindowOf(closing);
	int32 id = serverWindow->ID();
	HeadlessTest::CloseBox(serverWindow);
	WaitIdle();
	BPrivate::DisplayServer* server = BPrivate::DisplayServer::Default();
	EXPECT_EQ(NULL, server->WindowForID(id));
}
