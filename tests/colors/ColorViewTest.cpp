// The colour palette in a window on the headless display: the buttons at their places
// with their colours, the bevels, and the press loop that sends a colour only on a
// release over the button.

#include "ColorButton.h"
#include "ColorTestSupport.h"
#include "ColorText.h"
#include "ColorView.h"
#include "UiTestSupport.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

using BPrivate::HeadlessTest;

namespace {

class PaletteTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new ColorRecordingWindow(BRect(100, 50, 121, 519));
		fPalette = new ColorView(fWindow->Bounds(), "ColorView");
		fWindow->AddChild(fPalette);
		ShowActive(fWindow);
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	ColorButton* Button(int index)
	{
		ColorButton* button = NULL;
		Locked(fWindow, [&]() {
			button = dynamic_cast<ColorButton*>(fPalette->ChildAt(index));
		});
		return button;
	}

	ColorRecordingWindow* fWindow;
	ColorView* fPalette;
};

}	// namespace


TEST_F(PaletteTest, TwentyFiveButtonsAtTheirPlacesInsideABevel)
{
	const uint32 expected[ColorView::kColorCount] = {
		RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0),
		RGB(0, 0, 255), RGB(64, 64, 64), RGB(128, 128, 128), RGB(192, 192, 192),
		RGB(0, 255, 255), RGB(165, 42, 42), RGB(255, 192, 203), RGB(238, 130, 238),
		RGB(255, 255, 0), RGB(255, 165, 0), RGB(240, 230, 140), RGB(245, 245, 220),
		RGB(255, 0, 255), RGB(192, 64, 128), RGB(92, 240, 0), RGB(92, 90, 180),
		RGB(128, 128, 255), RGB(192, 255, 255), RGB(10, 10, 128), RGB(128, 10, 10),
		RGB(10, 128, 10)
	};

	int32 children = 0;
	Locked(fWindow, [&]() { children = fPalette->CountChildren(); });
	ASSERT_EQ(ColorView::kColorCount, children);

	for (int index = 0; index < ColorView::kColorCount; index++) {
		ColorButton* button = Button(index);
		ASSERT_NE(nullptr, button);
		BRect frame;
		Locked(fWindow, [&]() { frame = button->Frame(); });
		EXPECT_STREQ("color1", button->Name());
		EXPECT_EQ(BRect(3, 10 + 18 * index, 18, 25 + 18 * index), frame)
			<< "button " << index + 1;
		rgb_color color = button->Color();
		EXPECT_EQ(expected[index], RGB(color.red, color.green, color.blue));
		// Every pixel of the button shows its colour, corners included.
		EXPECT_EQ(expected[index], ShownPixel(fWindow, frame.LeftTop()));
		EXPECT_EQ(expected[index], ShownPixel(fWindow, frame.RightBottom()));
	}

	// Light bevel at the top and left, dark at the bottom and right, grey between.
	BRect bounds;
	Locked(fWindow, [&]() { bounds = fPalette->Bounds(); });
	EXPECT_EQ(RGB(250, 250, 250), ShownPixel(fWindow, BPoint(0, 200)));
	EXPECT_EQ(RGB(250, 250, 250), ShownPixel(fWindow, BPoint(10, 0)));
	EXPECT_EQ(RGB(50, 50, 50), ShownPixel(fWindow, BPoint(bounds.right, 200)));
	EXPECT_EQ(RGB(50, 50, 50), ShownPixel(fWindow, BPoint(10, bounds.bottom)));
	EXPECT_EQ(RGB(220, 220, 220), ShownPixel(fWindow, BPoint(10, 5)));
	EXPECT_EQ(RGB(220, 220, 220), ShownPixel(fWindow, BPoint(10, 26)));

	SaveShot(fWindow, "palette");
}


TEST_F(PaletteTest, HoverRaisesAndPressSinksTheBevel)
{
	ColorButton* red = Button(2);
	BRect frame;
	Locked(fWindow, [&]() { frame = red->Frame(); });
	BPoint center = ScreenCenter(red);
	BPoint background = ScreenPoint(fPalette, BPoint(10, 5));

	HeadlessTest::MoveMouse(center);
	WaitIdle();
	EXPECT_TRUE(red->IsHovered());
	EXPECT_EQ(RGB(250, 250, 250), ShownPixel(fWindow, frame.LeftTop()));
	EXPECT_EQ(RGB(128, 128, 128), ShownPixel(fWindow, frame.RightBottom()));
	EXPECT_EQ(RGB(255, 0, 0), ShownPixel(fWindow, frame.LeftTop() + BPoint(1, 1)));
	SaveShot(fWindow, "palette-hover");

	HeadlessTest::MoveMouse(background);
	WaitIdle();
	EXPECT_FALSE(red->IsHovered());
	EXPECT_EQ(RGB(255, 0, 0), ShownPixel(fWindow, frame.LeftTop()));

	// Held down, the button is sunken while the pointer is over it and flat while it is
	// away; the window is busy in the press loop, so the screen is polled.
	HeadlessTest::PressMouse(center);
	EXPECT_TRUE(Eventually([&]() {
		return ShownPixel(fWindow, frame.LeftTop()) == RGB(128, 128, 128)
			&& ShownPixel(fWindow, frame.RightBottom()) == RGB(250, 250, 250);
	}));
	HeadlessTest::MoveMouse(background);
	EXPECT_TRUE(Eventually([&]() {
		return ShownPixel(fWindow, frame.LeftTop()) == RGB(255, 0, 0);
	}));
	HeadlessTest::MoveMouse(center);
	EXPECT_TRUE(Eventually([&]() {
		return ShownPixel(fWindow, frame.LeftTop()) == RGB(128, 128, 128);
	}));
	HeadlessTest::ReleaseMouse(center);
	WaitIdle();
	EXPECT_EQ(RGB(250, 250, 250), ShownPixel(fWindow, frame.LeftTop()))
		<< "a release over the button leaves it raised";
	EXPECT_EQ(1, fWindow->log.CountOf(kMsgInsertColorText));
}


TEST_F(PaletteTest, ReleaseOverTheButtonSendsItsColourToTheWindow)
{
	HeadlessTest::Click(ScreenCenter(Button(24)));
	WaitIdle();
	HeadlessTest::Click(ScreenCenter(Button(1)));
	WaitIdle();
	std::vector<ColorMessage> sent = fWindow->log.Messages();
	ASSERT_EQ(2u, sent.size());
	EXPECT_EQ((uint32)kMsgInsertColorText, sent[0].what);
	EXPECT_EQ("#0A800A", sent[0].color);
	EXPECT_EQ("#FFFFFF", sent[1].color);
	EXPECT_EQ(0, TestApp()->log.CountOf(kMsgInsertColorText))
		<< "the palette talks to its own window only";

	// Pressed, moved off and released elsewhere: nothing.
	BPoint center = ScreenCenter(Button(9));
	BPoint between = ScreenPoint(fPalette, BPoint(10, 26));
	HeadlessTest::PressMouse(center);
	HeadlessTest::MoveMouse(between);
	HeadlessTest::ReleaseMouse(between);
	WaitIdle();
	// Pressed on one button and released on its neighbour: nothing either. The window
	// stays locked while the button follows the pointer, so the point is found first.
	BPoint neighbour = ScreenCenter(Button(10));
	HeadlessTest::PressMouse(center);
	HeadlessTest::MoveMouse(neighbour);
	HeadlessTest::ReleaseMouse(neighbour);
	WaitIdle();
	EXPECT_EQ(2u, fWindow->log.Messages().size());
}
