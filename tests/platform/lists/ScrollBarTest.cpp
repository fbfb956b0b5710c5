// Scroll bars and scroll views through the headless server: arrows, trough, thumb and
// wheel move the value and scroll the target; the target's own scrolling moves the bar.

#include <InterfaceDefs.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

using BPrivate::HeadlessTest;

namespace {

// A tall view whose ValueChanged log tells what the bar reported.
class RecordingBar : public BScrollBar {
public:
	RecordingBar(BRect frame, BView* target, float min, float max, orientation direction)
		:
		BScrollBar(frame, "bar", target, min, max, direction)
	{
	}

	void ValueChanged(float value) override
	{
		fLog.Add(std::to_string((int)value));
		BScrollBar::ValueChanged(value);
	}

	EventLog fLog;
};


struct ScrollSetup {
	BWindow* window;
	BView* target;
	BScrollView* scrollView;
	BScrollBar* bar;
};


ScrollSetup
MakeScrollWindow(bool horizontal, bool vertical, border_style border)
{
	ScrollSetup setup;
	setup.window = new BWindow(BRect(100, 100, 399, 399), "scroll", B_TITLED_WINDOW, 0);
	setup.target = new BView(BRect(10, 10, 109, 109), "target", B_FOLLOW_ALL, B_WILL_DRAW);
	setup.target->SetViewColor(255, 255, 255);
	setup.scrollView = new BScrollView("scroller", setup.target, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		0, horizontal, vertical, border);
	setup.window->AddChild(setup.scrollView);
	setup.bar = setup.scrollView->ScrollBar(vertical ? B_VERTICAL : B_HORIZONTAL);
	return setup;
}


BPoint
BarToScreen(BScrollBar* bar, BPoint where)
{
	BWindow* window = bar->Window();
	window->Lock();
	BPoint point = bar->ConvertToParent(where);
	point = bar->Parent()->ConvertToParent(point);
	window->Unlock();
	return ToScreen(window, point);
}


float
LockedValue(BScrollBar* bar)
{
	bar->Window()->Lock();
	float value = bar->Value();
	bar->Window()->Unlock();
	return value;
}


float
TargetTop(BView* target)
{
	target->Window()->Lock();
	float top = target->Bounds().top;
	target->Window()->Unlock();
	return top;
}

}	// namespace


TEST(ScrollViewTest, LaysOutTargetBorderAndBars)
{
	ScrollSetup setup = MakeScrollWindow(true, true, B_FANCY_BORDER);
	setup.window->Lock();
	// The scroll view grows around the target: two pixels of border and the bars.
	EXPECT_EQ(BRect(8, 8, 125, 125), setup.scrollView->Frame());
	EXPECT_EQ(BRect(2, 2, 101, 101), setup.target->Frame());
	BScrollBar* vertical = setup.scrollView->ScrollBar(B_VERTICAL);
	BScrollBar* horizontal = setup.scrollView->ScrollBar(B_HORIZONTAL);
	ASSERT_NE(nullptr, vertical);
	ASSERT_NE(nullptr, horizontal);
	EXPECT_EQ(BRect(102, 1, 116, 101), vertical->Frame());
	EXPECT_EQ(BRect(1, 102, 101, 116), horizontal->Frame());
	EXPECT_EQ(vertical, setup.target->ScrollBar(B_VERTICAL));
	EXPECT_EQ(horizontal, setup.target->ScrollBar(B_HORIZONTAL));
	EXPECT_EQ(setup.target, vertical->Target());
	EXPECT_EQ(B_VERTICAL, vertical->Orientation());

	// Growing the scroll view grows a target that follows all sides; the bars keep to
	// the right and bottom edges.
	setup.scrollView->ResizeBy(20, 30);
	EXPECT_EQ(BRect(2, 2, 121, 131), setup.target->Frame());
	EXPECT_EQ(BRect(122, 1, 136, 131), vertical->Frame());
	EXPECT_EQ(BRect(1, 132, 121, 146), horizontal->Frame());
	setup.window->Unlock();
	delete setup.window;

	ScrollSetup plain = MakeScrollWindow(false, true, B_PLAIN_BORDER);
	plain.window->Lock();
	EXPECT_EQ(BRect(9, 9, 124, 110), plain.scrollView->Frame());
	EXPECT_EQ(nullptr, plain.scrollView->ScrollBar(B_HORIZONTAL));
	plain.window->Unlock();
	delete plain.window;

	ScrollSetup bare = MakeScrollWindow(false, false, B_NO_BORDER);
	bare.window->Lock();
	EXPECT_EQ(BRect(10, 10, 109, 109), bare.scrollView->Frame());
	EXPECT_EQ(B_ERROR, bare.scrollView->SetBorderHighlighted(true));
	bare.window->Unlock();
	delete bare.window;
}


TEST(ScrollBarTest, ValueRangeAndStepsFollowTheRules)
{
	BView target(BRect(0, 0, 99, 99), "target", B_FOLLOW_NONE, 0);
	RecordingBar bar(BRect(0, 0, 14, 99), &target, 0, 100, B_VERTICAL);
	float smallStep, largeStep;
	bar.GetSteps(&smallStep, &largeStep);
	EXPECT_EQ(1.0f, smallStep);
	EXPECT_EQ(10.0f, largeStep);

	bar.SetValue(40.4f);
	EXPECT_EQ(40.0f, bar.Value());
	EXPECT_EQ(40.0f, target.Bounds().top);
	bar.SetValue(500);
	EXPECT_EQ(100.0f, bar.Value());
	bar.SetValue(NAN);
	EXPECT_EQ(100.0f, bar.Value());

	// Shrinking the range pulls the value and the target back in.
	bar.SetRange(0, 30);
	EXPECT_EQ(30.0f, bar.Value());
	EXPECT_EQ(30.0f, target.Bounds().top);
	bar.SetRange(10, 5);
	float min, max;
	bar.GetRange(&min, &max);
	EXPECT_EQ(10.0f, min);
	EXPECT_EQ(10.0f, max);
	EXPECT_EQ(10.0f, bar.Value());

	bar.SetProportion(3);
	EXPECT_EQ(1.0f, bar.Proportion());
	bar.SetProportion(-1);
	EXPECT_EQ(0.0f, bar.Proportion());

	// The target scrolling by itself moves the bar and tells ValueChanged.
	bar.SetRange(0, 200);
	bar.fLog.Clear();
	target.ScrollTo(0, 77);
	EXPECT_EQ(77.0f, bar.Value());
	EXPECT_TRUE(bar.fLog.Contains("77"));
	EXPECT_EQ(77.0f, target.Bounds().top);

	bar.SetTarget((BView*)NULL);
	EXPECT_EQ(nullptr, target.ScrollBar(B_VERTICAL));
	target.ScrollTo(0, 5);
	EXPECT_EQ(77.0f, bar.Value());
}


TEST(ScrollBarTest, DeletedTargetIsForgotten)
{
	BView* target = new BView(BRect(0, 0, 99, 99), "target", B_FOLLOW_NONE, 0);
	BScrollBar bar(BRect(0, 0, 14, 99), "bar", target, 0, 100, B_VERTICAL);
	delete target;
	EXPECT_EQ(nullptr, bar.Target());
	bar.SetValue(50);
	EXPECT_EQ(50.0f, bar.Value());

	// A scroll view whose target is deleted first forgets it too, and then deletes
	// only its bars (AddressSanitizer catches a read of the freed target).
	BView* inner = new BView(BRect(0, 0, 99, 99), "inner", B_FOLLOW_NONE, 0);
	BScrollView* scrollView = new BScrollView("scroller", inner, B_FOLLOW_NONE, 0, true,
		true);
	delete inner;
	EXPECT_EQ(nullptr, scrollView->Target());
	EXPECT_EQ(nullptr, scrollView->ScrollBar(B_VERTICAL)->Target());
	EXPECT_EQ(2, scrollView->CountChildren());
	delete scrollView;
}


TEST(ScrollBarTest, ArrowsTroughThumbAndWheelScrollTheTarget)
{
	ScrollSetup setup = MakeScrollWindow(false, true, B_FANCY_BORDER);
	BScrollBar* bar = setup.bar;
	setup.window->Lock();
	bar->SetRange(0, 300);
	bar->SetProportion(0.25f);
	bar->SetSteps(5, 60);
	setup.window->Unlock();
	ShowAndWait(setup.window);

	// The bar is 15 wide, 102 high: arrows of 15, a trough from 15 to 86, a thumb of
	// 18 pixels at the top.
	HeadlessTest::PressMouse(BarToScreen(bar, BPoint(7, 95)));
	WaitIdle();
	HeadlessTest::ReleaseMouse(BarToScreen(bar, BPoint(7, 95)));
	WaitIdle();
	float value = LockedValue(bar);
	// One step, and more only if the repeat came before the release.
	EXPECT_GE(value, 5.0f);
	EXPECT_EQ(0.0f, std::fmod(value, 5.0f));
	EXPECT_EQ(value, TargetTop(setup.target));

	HeadlessTest::Click(BarToScreen(bar, BPoint(7, 7)));
	WaitIdle();
	EXPECT_EQ(std::max(value - 5.0f, 0.0f), LockedValue(bar));

	// Paging: a click below the thumb moves a large step.
	setup.window->Lock();
	bar->SetValue(0);
	setup.window->Unlock();
	HeadlessTest::Click(BarToScreen(bar, BPoint(7, 80)));
	WaitIdle();
	EXPECT_EQ(60.0f, LockedValue(bar));
	EXPECT_EQ(60.0f, TargetTop(setup.target));
	HeadlessTest::AdvanceClock(1000000);

	// Dragging the thumb: its 54 pixels of travel span the range of 300.
	setup.window->Lock();
	bar->SetValue(0);
	setup.window->Unlock();
	HeadlessTest::PressMouse(BarToScreen(bar, BPoint(7, 20)));
	WaitIdle();
	HeadlessTest::MoveMouse(BarToScreen(bar, BPoint(7, 47)));
	WaitIdle();
	EXPECT_EQ(150.0f, LockedValue(bar));
	// The drag goes on outside the bar.
	HeadlessTest::MoveMouse(BarToScreen(bar, BPoint(-100, 200)));
	WaitIdle();
	EXPECT_EQ(300.0f, LockedValue(bar));
	HeadlessTest::ReleaseMouse(BarToScreen(bar, BPoint(-100, 200)));
	WaitIdle();
	EXPECT_EQ(300.0f, TargetTop(setup.target));

	// The wheel over the target and over the bar: three small steps a notch.
	HeadlessTest::MoveMouse(ToScreen(setup.window, BPoint(50, 50)));
	HeadlessTest::TurnWheel(0, -2);
	WaitIdle();
	EXPECT_EQ(270.0f, LockedValue(bar));
	HeadlessTest::MoveMouse(BarToScreen(bar, BPoint(7, 50)));
	HeadlessTest::TurnWheel(0, -1);
	WaitIdle();
	EXPECT_EQ(255.0f, LockedValue(bar));
	EXPECT_EQ(255.0f, TargetTop(setup.target));

	QuitWindow(setup.window);
}


TEST(ScrollBarTest, DrawsArrowsThumbAndFocusBorder)
{
	ScrollSetup setup = MakeScrollWindow(false, true, B_FANCY_BORDER);
	BScrollBar* bar = setup.bar;
	setup.window->Lock();
	bar->SetRange(0, 300);
	bar->SetProportion(0.25f);
	setup.target->SetFlags(setup.target->Flags() | B_NAVIGABLE);
	setup.window->Unlock();
	ShowAndWait(setup.window);

	const char* dir = getenv("QUORREL_LISTS_PNG_DIR");
	if (dir != NULL)
		HeadlessTest::SaveWindowPNG(ServerWindowOf(setup.window),
			(std::string(dir) + "/scrollbar.png").c_str());

	// Window coordinates: the scroll view at 8,8; its bar at 102,1 inside it.
	BPoint barOrigin(8 + 102, 8 + 1);
	// The arrow triangle is black, the thumb panel grey, the trough darker.
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(setup.window, barOrigin + BPoint(7, 8)));
	uint32 thumb = ShownPixel(setup.window, barOrigin + BPoint(7, 24));
	EXPECT_EQ(RGB(216, 216, 216), thumb);
	uint32 trough = ShownPixel(setup.window, barOrigin + BPoint(7, 70));
	EXPECT_LT(trough & 0xff, 216u);
	EXPECT_GT(trough & 0xff, 100u);

	// The border's inner line turns blue while the target has the focus.
	uint32 before = ShownPixel(setup.window, BPoint(9, 50));
	setup.window->Lock();
	setup.target->MakeFocus(true);
	setup.scrollView->Invalidate();
	setup.window->Unlock();
	WaitIdle();
	rgb_color navigation = ui_color(B_KEYBOARD_NAVIGATION_COLOR);
	EXPECT_EQ(RGB(navigation.red, navigation.green, navigation.blue),
		ShownPixel(setup.window, BPoint(9, 50)));
	EXPECT_NE(before, ShownPixel(setup.window, BPoint(9, 50)));
	QuitWindow(setup.window);
}


TEST(ScrollViewTest, TextViewInsideKeepsItsBarInRange)
{
	BWindow* window = new BWindow(BRect(100, 100, 399, 399), "text", B_TITLED_WINDOW, 0);
	BTextView* text = new BTextView(BRect(0, 0, 199, 99), "text", BRect(0, 0, 199, 99),
		B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE);
	BScrollView* scroll = new BScrollView("scroll", text, B_FOLLOW_NONE, 0, false, true);
	window->AddChild(scroll);
	ShowAndWait(window);

	window->Lock();
	BScrollBar* bar = scroll->ScrollBar(B_VERTICAL);
	float min, max;
	bar->GetRange(&min, &max);
	EXPECT_EQ(0.0f, max);
	std::string lines;
	for (int i = 0; i < 60; i++)
		lines += "line " + std::to_string(i) + "\n";
	text->SetText(lines.c_str());
	bar->GetRange(&min, &max);
	EXPECT_GT(max, 300.0f);
	window->Unlock();

	// The down arrow scrolls the text by a line.
	HeadlessTest::Click(BarToScreen(bar, BPoint(7, 95)));
	WaitIdle();
	window->Lock();
	float value = bar->Value();
	EXPECT_GT(value, 0.0f);
	EXPECT_EQ(value, text->Bounds().top);
	// Shrinking the text pulls the bar and the view back into range.
	text->SetText("short");
	bar->GetRange(&min, &max);
	EXPECT_EQ(0.0f, max);
	EXPECT_EQ(0.0f, bar->Value());
	EXPECT_EQ(0.0f, text->Bounds().top);
	window->Unlock();
	QuitWindow(window);
}
