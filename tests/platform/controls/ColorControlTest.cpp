// BColorControl in a window on the headless display: the value's packing, clicks on the
// ramp cells and typing into the component fields.

#include <ColorControl.h>
#include <TextControl.h>
#include <TextView.h>

#include "UiTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

using BPrivate::HeadlessTest;

namespace {

class ColorControlTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new RecordingWindow(BRect(100, 100, 499, 249));
		fControl = new BColorControl(BPoint(10, 20), B_CELLS_32x8, 4, "colorControl",
			new BMessage(kTestInvoked));
		fWindow->Panel()->AddChild(fControl);
		ShowActive(fWindow);
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	rgb_color Color()
	{
		rgb_color color;
		Locked(fWindow, [&]() { color = fControl->ValueAsColor(); });
		return color;
	}

	// The middle of a cell, in screen coordinates.
	BPoint Cell(int32 column, int32 row)
	{
		return ScreenPoint(fControl, BPoint(1 + column * 4 + 1.5f, 1 + row * 4 + 1.5f));
	}

	RecordingWindow*	fWindow;
	BColorControl*		fControl;
};

}	// namespace


TEST_F(ColorControlTest, ValuesPackRedGreenBlueFromTheTop)
{
	Locked(fWindow, [&]() {
		fControl->SetValue(make_color(0x12, 0x34, 0x56));
		EXPECT_EQ((int32)0x123456ff, fControl->Value());
		fControl->SetValue((int32)(10u << 24 | 128u << 16 | 10u << 8));
		rgb_color color = fControl->ValueAsColor();
		EXPECT_EQ(make_color(10, 128, 10), color);
		EXPECT_STREQ("128", fControl->FindView("_green") != NULL
			? ((BTextControl*)fControl->FindView("_green"))->Text() : "");

		BRect ramps = fControl->RampsFrame();
		EXPECT_EQ(32 * 4 + 1, ramps.right);
		EXPECT_EQ(8 * 4 + 1, ramps.bottom);
		fControl->SetLayout(B_CELLS_4x64);
		EXPECT_EQ(4 * 4 + 1, fControl->RampsFrame().right);
		EXPECT_EQ(64 * 4 + 1, fControl->RampsFrame().bottom);
		fControl->SetLayout(B_CELLS_32x8);
		EXPECT_GE(fControl->Bounds().Height(), fControl->RampsFrame().bottom);
	});
	WaitIdle();
	EXPECT_EQ(0, fWindow->CountSent(kTestInvoked)) << "SetValue is not the user's choice";

	// The ramps are drawn: the last cell of the red band is full red.
	BRect frame;
	Locked(fWindow, [&]() { frame = fControl->Frame(); });
	EXPECT_EQ(RGB(255, 0, 0), ShownPixel(fWindow,
		frame.LeftTop() + BPoint(1 + 31 * 4 + 1, 1 + 2 * 4 + 1)));
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow,
		frame.LeftTop() + BPoint(1 + 1, 1 + 6 * 4 + 1)));
}


TEST_F(ColorControlTest, RampClicksAndFieldTypingChangeTheColour)
{
	Locked(fWindow, [&]() { fControl->SetValue(make_color(10, 20, 30)); });

	// The last cell of the red band: red only becomes 255.
	HeadlessTest::Click(Cell(31, 2));
	WaitIdle();
	EXPECT_EQ(make_color(255, 20, 30), Color());
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));
	Locked(fWindow, [&]() {
		EXPECT_STREQ("255", ((BTextControl*)fControl->FindView("_red"))->Text());
	});

	// The first cell of the grey band sets all three to 0; a blue cell sets blue only.
	HeadlessTest::Click(Cell(0, 0));
	WaitIdle();
	EXPECT_EQ(make_color(0, 0, 0), Color());
	HeadlessTest::Click(Cell(16, 7));
	WaitIdle();
	rgb_color color = Color();
	EXPECT_EQ(0, color.red);
	EXPECT_EQ(0, color.green);
	EXPECT_NEAR(132, color.blue, 1);
	EXPECT_EQ(3, fWindow->CountSent(kTestInvoked));

	// Typing a number into the green field sets green.
	BTextControl* green = NULL;
	Locked(fWindow, [&]() {
		green = (BTextControl*)fControl->FindView("_green");
		green->MakeFocus(true);
	});
	ASSERT_NE(nullptr, green);
	HeadlessTest::TypeText("128");
	WaitIdle();
	EXPECT_EQ(128, Color().green);
	EXPECT_EQ(0, Color().red);
	// Letters are refused, and more than 255 is held at 255.
	// The shortcut's message is queued behind keys already waiting, so it settles first.
	PressControlKey('a');
	WaitIdle();
	HeadlessTest::TypeText("x999");
	WaitIdle();
	EXPECT_EQ(255, Color().green);
	Locked(fWindow, [&]() { EXPECT_STREQ("999", green->Text()); });
	EXPECT_GE(fWindow->CountSent(kTestInvoked), 5);
}
