// BAlert answered through the headless server: a click, Enter, and a B_ESCAPE shortcut,
// from a plain thread and from a window's thread.

#include <Alert.h>
#include <Button.h>
#include <Message.h>
#include <OS.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "app/LooperRegistry.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

using BPrivate::HeadlessTest;

namespace {

// The alert window titled title once it is shown and holds the focus, or NULL after a
// generous wait.
BPrivate::ServerWindow*
WaitForShownAlert(const char* title)
{
	for (int i = 0; i < 5000; i++) {
		for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
			BPrivate::ServerWindow* window = ServerWindowOf(entry.window);
			if (window != NULL && window->Title() == title && !window->IsHidden()
				&& window->IsActive()) {
				return window;
			}
		}
		snooze(2000);
	}
	return NULL;
}


class AskingWindow : public BWindow {
public:
	AskingWindow(EventLog& log)
		:
		BWindow(BRect(100, 100, 299, 199), "asking", B_TITLED_WINDOW, 0),
		fLog(log)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'ask ') {
			BWindow::MessageReceived(message);
			return;
		}
		BAlert* alert = new BAlert("question", "Save the changes?", "Cancel",
			"Don`t save", "Save", B_WIDTH_AS_USUAL, B_OFFSET_SPACING, B_WARNING_ALERT);
		int32 answer = alert->Go();
		fLog.Add("answer " + std::to_string(answer));
	}

private:
	EventLog& fLog;
};

}	// namespace


TEST(AlertTest, ClickOnAButtonAnswersGo)
{
	BAlert* alert = new BAlert("clicked", "A text long enough to be wrapped over more than "
		"one line of the alert, which is about three hundred pixels wide.", "One", "Two",
		"Three", B_WIDTH_FROM_WIDEST, B_INFO_ALERT);
	// The creating thread holds the new window's lock; Go runs on another thread.
	BView* button = alert->ButtonAt(1);
	ASSERT_NE(nullptr, button);
	EXPECT_EQ(nullptr, alert->ButtonAt(3));
	// The text is a read-only text view that holds every line of it, and the buttons
	// are real buttons with their labels, the last one the default.
	ASSERT_NE(nullptr, alert->TextView());
	EXPECT_STREQ("A text long enough to be wrapped over more than one line of the alert, "
		"which is about three hundred pixels wide.", alert->TextView()->Text());
	EXPECT_FALSE(alert->TextView()->IsEditable());
	EXPECT_GT(alert->TextView()->CountLines(), 1);
	EXPECT_STREQ("Two", alert->ButtonAt(1)->Label());
	EXPECT_TRUE(alert->ButtonAt(2)->IsDefault());
	EXPECT_FALSE(alert->ButtonAt(0)->IsDefault());
	BRect frame = button->ConvertToScreen(button->Bounds());
	BPoint center((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
	// Widths from the widest label: all three buttons are alike.
	// (the default one wears its frame around the same face).
	EXPECT_EQ(alert->ButtonAt(0)->Bounds().Width(), alert->ButtonAt(1)->Bounds().Width());
	EXPECT_EQ(alert->ButtonAt(0)->Bounds().Width() + 6, alert->ButtonAt(2)->Bounds().Width());
	// Centred on the 1024 x 768 screen.
	BRect alertFrame = alert->Frame();
	EXPECT_NEAR(512, (alertFrame.left + alertFrame.right) / 2, 1);
	EXPECT_NEAR(384, (alertFrame.top + alertFrame.bottom) / 2, 1);
	alert->Unlock();

	std::atomic<int32> answer(-2);
	std::thread waiter([&]() { answer = alert->Go(); });
	ASSERT_NE(nullptr, WaitForShownAlert("clicked"));
	WaitIdle();
	HeadlessTest::Click(center);
	waiter.join();
	EXPECT_EQ(1, answer);
	WaitIdle();
}


TEST(AlertTest, EnterAndEscapeShortcutAnswerGo)
{
	// From a window's thread: Enter presses the last, default button.
	EventLog log;
	AskingWindow* window = new AskingWindow(log);
	ShowAndWait(window);
	window->PostMessage('ask ');
	ASSERT_NE(nullptr, WaitForShownAlert("question"));
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	std::vector<std::string> expected = { "answer 2" };
	EXPECT_EQ(expected, log.Entries());
	QuitWindow(window);

	// Escape does nothing until a button has it as its shortcut.
	BAlert* alert = new BAlert("escape", "Quit?", "Cancel", "OK");
	alert->SetShortcut(0, B_ESCAPE);
	EXPECT_EQ(B_ESCAPE, alert->Shortcut(0));
	EXPECT_EQ(0, alert->Shortcut(1));
	alert->Unlock();
	std::atomic<int32> answer(-2);
	std::thread waiter([&]() { answer = alert->Go(); });
	ASSERT_NE(nullptr, WaitForShownAlert("escape"));
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	waiter.join();
	EXPECT_EQ(0, answer);

	BAlert* plain = new BAlert("plain", "No shortcut", "Cancel", "OK");
	plain->Unlock();
	answer = -2;
	std::thread second([&]() { answer = plain->Go(); });
	BPrivate::ServerWindow* shown = WaitForShownAlert("plain");
	ASSERT_NE(nullptr, shown);
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_EQ(-2, answer);
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	second.join();
	EXPECT_EQ(1, answer);
	WaitIdle();
}
