// Bubble help: the help list (replacement, removal, entries that go with their views),
// the single instance, where the bubble is placed, and one real-time run of the watch
// thread on the headless display.

#include "BubbleHelper.h"

#include <Screen.h>
#include <TextView.h>
#include <View.h>

#include "UiTestSupport.h"
#include "WidgetTestSupport.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

using BPrivate::HeadlessTest;

namespace {

BView*
NewView(const char* name, BRect frame = BRect(0, 0, 49, 49))
{
	return new BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW);
}


bool
BubbleShown(BubbleHelper* helper, BRect* frame = NULL, std::string* text = NULL)
{
	BWindow* bubble = helper->BubbleWindow();
	if (bubble == NULL || !bubble->Lock())
		return false;
	bool shown = !bubble->IsHidden();
	if (frame != NULL)
		*frame = bubble->Frame();
	if (text != NULL) {
		BTextView* view = dynamic_cast<BTextView*>(bubble->ChildAt(0));
		*text = view != NULL ? view->Text() : "";
	}
	bubble->Unlock();
	return shown;
}

}	// namespace


TEST(BubbleHelperTest, HelpIsCopiedReplacedAndRemoved)
{
	BubbleHelper helper;
	BView* view = NewView("view");
	BView* other = NewView("other");

	char text[16];
	strcpy(text, "first");
	helper.SetHelp(view, text);
	strcpy(text, "changed");
	EXPECT_STREQ("first", helper.GetHelp(view)) << "the helper keeps its own copy";

	helper.SetHelp(view, "second");
	EXPECT_STREQ("second", helper.GetHelp(view));
	EXPECT_EQ(nullptr, helper.GetHelp(other));

	helper.SetHelp(other, "other");
	helper.SetHelp(view, NULL);
	EXPECT_EQ(nullptr, helper.GetHelp(view));
	EXPECT_STREQ("other", helper.GetHelp(other));

	// Help removed can be given again.
	helper.SetHelp(view, "third");
	EXPECT_STREQ("third", helper.GetHelp(view));

	helper.SetHelp(NULL, "nobody");
	EXPECT_EQ(nullptr, helper.GetHelp(NULL));

	delete view;
	delete other;
}


TEST(BubbleHelperTest, EntriesGoWithTheirViews)
{
	BubbleHelper helper;

	// A view deleted with its parent loses its help with it, so a later view at the
	// same address cannot show it. (The addresses are only compared, never used.)
	BView* parent = NewView("parent");
	BView* child = NewView("child");
	parent->AddChild(child);
	helper.SetHelp(parent, "parent help");
	helper.SetHelp(child, "child help");
	BView* parentAddress = parent;
	BView* childAddress = child;
	delete parent;
	EXPECT_EQ(nullptr, helper.GetHelp(parentAddress));
	EXPECT_EQ(nullptr, helper.GetHelp(childAddress));

	// The same for a view in a shown window, registered from this thread while the
	// window runs, and deleted by the window's own code.
	CountingWindow* window = new CountingWindow(BRect(100, 100, 299, 199));
	BView* inWindow = NewView("in window");
	BView* sibling = NewView("sibling", BRect(60, 0, 109, 49));
	window->Panel()->AddChild(inWindow);
	window->Panel()->AddChild(sibling);
	ShowActive(window);
	helper.SetHelp(inWindow, "window help");
	helper.SetHelp(sibling, "sibling help");
	EXPECT_STREQ("window help", helper.GetHelp(inWindow));
	BView* inWindowAddress = inWindow;
	Locked(window, [&]() {
		// The helper's marker is hidden: it takes no part in finding views.
		EXPECT_EQ(inWindow, window->FindView(BPoint(0, 0)));
		inWindow->RemoveSelf();
		delete inWindow;
	});
	EXPECT_EQ(nullptr, helper.GetHelp(inWindowAddress));
	EXPECT_STREQ("sibling help", helper.GetHelp(sibling));

	// A view that outlives the helper can still be deleted safely.
	QuitWindow(window);
}


TEST(BubbleHelperTest, OnlyOneInstanceAndAViewMayOutliveIt)
{
	BView* view = NewView("survivor");
	{
		BubbleHelper first;
		EXPECT_EQ(1, BubbleHelper::RunCount());
		first.SetHelp(view, "kept");

		setenv("QUORREL_DEBUGGER", "continue", 1);
		BubbleHelper* second = new BubbleHelper;
		unsetenv("QUORREL_DEBUGGER");
		EXPECT_EQ(2, BubbleHelper::RunCount());
		EXPECT_LT(second->WatchThread(), 0) << "the refused instance starts no thread";
		second->SetHelp(view, "refused");
		EXPECT_EQ(nullptr, second->GetHelp(view));
		EXPECT_STREQ("kept", first.GetHelp(view));
		delete second;
		EXPECT_EQ(1, BubbleHelper::RunCount());
		EXPECT_STREQ("kept", first.GetHelp(view));
	}
	EXPECT_EQ(0, BubbleHelper::RunCount());

	// The view's marker finds no helper now and does nothing; a new helper does not
	// know the old entry.
	BubbleHelper next;
	EXPECT_EQ(nullptr, next.GetHelp(view));
	next.SetHelp(view, "new");
	delete view;
	EXPECT_EQ(nullptr, next.GetHelp(view));
}


TEST(BubbleHelperTest, BubbleStaysOnTheScreen)
{
	BRect screen(0, 0, 1023, 767);
	// Below the pointer by default.
	EXPECT_EQ(BPoint(100, 120), BubbleHelper::BubblePlace(BPoint(100, 100), 60, 18, screen));
	// Near the bottom edge it goes above the pointer: y + 20 - (h + 24).
	EXPECT_EQ(BPoint(100, 738), BubbleHelper::BubblePlace(BPoint(100, 760), 60, 18, screen));
	// Exactly fitting above the bottom less 3 stays below.
	EXPECT_EQ(BPoint(100, 746), BubbleHelper::BubblePlace(BPoint(100, 726), 60, 18, screen));
	EXPECT_EQ(BPoint(100, 705), BubbleHelper::BubblePlace(BPoint(100, 727), 60, 18, screen));
	// Near the right edge its right side meets the screen's.
	EXPECT_EQ(BPoint(1023 - 64, 120),
		BubbleHelper::BubblePlace(BPoint(1000, 100), 60, 18, screen));
	// In the bottom right corner both apply.
	EXPECT_EQ(BPoint(1023 - 64, 738),
		BubbleHelper::BubblePlace(BPoint(1020, 760), 60, 18, screen));
}


TEST(BubbleHelperTest, BubbleAppearsAfterTheRestAndGoesWhenThePointerMoves)
{
	BubbleHelper* helper = new BubbleHelper;
	ASSERT_TRUE(WaitFor([&]() { return helper->BubbleWindow() != NULL; }));
	BMessenger bubbleMessenger(helper->BubbleWindow());

	CountingWindow* window = new CountingWindow(BRect(100, 100, 399, 299));
	BView* parent = NewView("with help", BRect(10, 10, 209, 109));
	BView* child = NewView("without help", BRect(20, 20, 99, 79));
	parent->AddChild(child);
	window->Panel()->AddChild(parent);
	const char* text = "Parent help\nwith a much longer second line";
	helper->SetHelp(parent, text);
	ShowActive(window);

	BPoint rest = ScreenCenter(child);
	ASSERT_EQ(B_OK, HeadlessTest::MoveMouse(rest));
	BRect frame;
	std::string shown;
	ASSERT_TRUE(WaitFor([&]() { return BubbleShown(helper, &frame, &shown); }))
		<< "no bubble after the pointer rested on a child of a view with help";
	EXPECT_EQ(text, shown) << "the child shows its parent's help";
	EXPECT_EQ(rest + BPoint(0, 20), frame.LeftTop());
	float longLine = 0;
	Locked(window, [&]() { longLine = parent->StringWidth("with a much longer second line"); });
	EXPECT_GE(frame.Width(), (int32)longLine) << "the bubble is as wide as its longest line";
	EXPECT_GT(frame.Height(), 20) << "both lines are shown";
	SaveShot(helper->BubbleWindow(), "bubble");
	if (getenv("QUORREL_WIDGET_SHOTS") != NULL) {
		std::string path = std::string(getenv("QUORREL_WIDGET_SHOTS")) + "/bubble_screen.png";
		HeadlessTest::SaveScreenPNG(path.c_str());
	}

	ASSERT_EQ(B_OK, HeadlessTest::MoveMouse(rest + BPoint(30, 10)));
	EXPECT_TRUE(WaitFor([&]() { return !BubbleShown(helper); }))
		<< "the bubble stays after the pointer moved";

	QuitWindow(window);

	// A quitting application asks every window to quit, the bubble too; the watch goes
	// on without it until the helper is deleted.
	bubbleMessenger.SendMessage(B_QUIT_REQUESTED);
	ASSERT_TRUE(WaitFor([&]() { return !bubbleMessenger.IsValid(); }));
	ASSERT_EQ(B_OK, HeadlessTest::MoveMouse(rest));
	snooze(1000000);
	EXPECT_EQ(nullptr, helper->GetHelp(child));
	thread_id watch = helper->WatchThread();
	delete helper;
	thread_info info;
	EXPECT_NE(B_OK, get_thread_info(watch, &info)) << "the watch thread outlived the helper";
	EXPECT_FALSE(bubbleMessenger.IsValid()) << "the bubble window outlived the helper";
}
