// BSlider in a window on the headless display: dragging the thumb and the arrow keys,
// with the modification message while it moves and the message at the end, and the
// bar's colours as the screen shows them.

#include <Slider.h>

#include "UiTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

using BPrivate::HeadlessTest;

namespace {

class SliderTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new RecordingWindow(BRect(100, 100, 399, 249));
		fSlider = new BSlider(BRect(10, 10, 210, 70), "size", "Font size:",
			new BMessage(kTestInvoked), 0, 100);
		fSlider->SetModificationMessage(new BMessage(kTestModified));
		fSlider->SetHashMarks(B_HASH_MARKS_BOTTOM);
		fSlider->SetHashMarkCount(10);
		fSlider->SetLimitLabels("0", "100");
		fWindow->Panel()->AddChild(fSlider);
		ShowActive(fWindow);
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	int32 Value()
	{
		int32 value = 0;
		Locked(fWindow, [&]() { value = fSlider->Value(); });
		return value;
	}

	RecordingWindow*	fWindow;
	BSlider*			fSlider;
};

}	// namespace


TEST_F(SliderTest, DraggingSendsModificationsAndTheFinalValue)
{
	BRect bar;
	Locked(fWindow, [&]() { bar = fSlider->BarFrame(); });
	float middle = std::floor((bar.top + bar.bottom) / 2);
	BPoint start = ScreenPoint(fSlider, BPoint(bar.left, middle));
	BPoint quarter = ScreenPoint(fSlider,
		BPoint(bar.left + std::floor(bar.Width() / 4), middle));
	BPoint half = ScreenPoint(fSlider,
		BPoint(bar.left + std::floor(bar.Width() / 2), middle));
	int32 expected = 0;
	Locked(fWindow, [&]() {
		expected = fSlider->ValueForPoint(fSlider->ConvertFromScreen(half));
	});
	EXPECT_NEAR(50, expected, 1);

	// The thumb follows the pointer while the button is held (the screen shows it
	// before the release).
	BRect frame;
	Locked(fWindow, [&]() { frame = fSlider->Frame(); });
	BPoint quarterInWindow = frame.LeftTop() + BPoint(bar.left
		+ std::floor(bar.Width() / 4), bar.top - 3);
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	uint32 panelValue = RGB(panel.red, panel.green, panel.blue);
	EXPECT_EQ(panelValue, ShownPixel(fWindow, quarterInWindow));
	HeadlessTest::PressMouse(start);
	HeadlessTest::MoveMouse(quarter);
	EXPECT_TRUE(Eventually([&]() {
		return ShownPixel(fWindow, quarterInWindow) != panelValue;
	})) << "the thumb moves with the pointer";
	HeadlessTest::MoveMouse(half);
	HeadlessTest::ReleaseMouse(half);
	WaitIdle();
	// The window is this slider's target, so it reads the messages after the drag: the
	// modifications first, in order, the final message last.
	EXPECT_GE(fWindow->CountSent(kTestModified), 2);
	EXPECT_EQ(expected, Value());
	std::vector<SentMessage> sent = fWindow->Sent();
	ASSERT_FALSE(sent.empty());
	EXPECT_EQ((uint32)kTestInvoked, sent.back().what);
	EXPECT_EQ(expected, sent.back().value);
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));
	for (const SentMessage& message : sent) {
		if (message.what == kTestModified) {
			EXPECT_GE(message.value, 0);
			EXPECT_LE(message.value, expected);
		}
	}

	// A press and release without movement where the thumb already is sends nothing.
	fWindow->ClearSent();
	HeadlessTest::Click(half);
	WaitIdle();
	EXPECT_EQ(0, fWindow->CountSent(kTestInvoked));

	// Dragging past the end stops at the limit.
	BPoint beyond = ScreenPoint(fSlider, BPoint(bar.right + 40, middle));
	HeadlessTest::PressMouse(half);
	HeadlessTest::MoveMouse(beyond);
	HeadlessTest::ReleaseMouse(beyond);
	WaitIdle();
	EXPECT_EQ(100, Value());
	Locked(fWindow, [&]() { EXPECT_FLOAT_EQ(1.0f, fSlider->Position()); });
}


TEST_F(SliderTest, ArrowKeysStepByTheIncrementWithinTheLimits)
{
	Locked(fWindow, [&]() {
		fSlider->SetValue(98);
		fSlider->MakeFocus(true);
	});
	HeadlessTest::PressKey(BPrivate::kKeyRightArrow);
	WaitIdle();
	EXPECT_EQ(99, Value());
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));
	EXPECT_EQ(1, fWindow->CountSent(kTestModified));
	HeadlessTest::PressKey(BPrivate::kKeyUpArrow);
	HeadlessTest::PressKey(BPrivate::kKeyUpArrow);
	WaitIdle();
	EXPECT_EQ(100, Value());
	EXPECT_EQ(2, fWindow->CountSent(kTestInvoked)) << "no message at the limit";

	Locked(fWindow, [&]() { fSlider->SetKeyIncrementValue(30); });
	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow);
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	WaitIdle();
	EXPECT_EQ(40, Value());
	HeadlessTest::PressKey(BPrivate::kKeyHome);
	WaitIdle();
	EXPECT_EQ(0, Value());

	// SetValue keeps the value within the limits and sends nothing.
	int32 invoked = fWindow->CountSent(kTestInvoked);
	Locked(fWindow, [&]() {
		fSlider->SetValue(500);
		EXPECT_EQ(100, fSlider->Value());
		fSlider->SetValue(-3);
		EXPECT_EQ(0, fSlider->Value());
		fSlider->SetPosition(0.25f);
		EXPECT_EQ(25, fSlider->Value());
	});
	WaitIdle();
	EXPECT_EQ(invoked, fWindow->CountSent(kTestInvoked));
}


TEST_F(SliderTest, BarFillHashMarksAndVerticalSliders)
{
	Locked(fWindow, [&]() {
		fSlider->SetValue(50);
		fSlider->SetBarColor(make_color(0, 0, 200));
		rgb_color red = make_color(200, 0, 0);
		fSlider->UseFillColor(true, &red);
		fSlider->SetStyle(B_TRIANGLE_THUMB);
	});
	WaitIdle();
	BRect bar;
	BRect hashes;
	BRect frame;
	Locked(fWindow, [&]() {
		bar = fSlider->BarFrame();
		hashes = fSlider->HashMarksFrame();
		frame = fSlider->Frame();
	});
	BPoint origin = frame.LeftTop();
	float middle = std::floor((bar.top + bar.bottom) / 2);
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, origin + BPoint(bar.left + 10, middle)));
	EXPECT_EQ(RGB(0, 0, 200), ShownPixel(fWindow, origin + BPoint(bar.right - 10, middle)));

	// The first hash mark stands at the bar's start, below the bar.
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color dark = tint_color(panel, B_DARKEN_2_TINT);
	EXPECT_EQ(RGB(dark.red, dark.green, dark.blue),
		ShownPixel(fWindow, origin + BPoint(bar.left, hashes.bottom)));
	EXPECT_EQ(RGB(panel.red, panel.green, panel.blue),
		ShownPixel(fWindow, origin + BPoint(bar.left + 5, hashes.bottom)));

	// Vertical: the maximum is at the top.
	Locked(fWindow, [&]() {
		fSlider->SetOrientation(B_VERTICAL);
		fSlider->ResizeTo(60, 200);
		BRect vertical = fSlider->BarFrame();
		EXPECT_GT(vertical.Height(), vertical.Width());
		EXPECT_EQ(100, fSlider->ValueForPoint(BPoint(vertical.left, vertical.top)));
		EXPECT_EQ(0, fSlider->ValueForPoint(BPoint(vertical.left, vertical.bottom)));
	});
}
