// The bitmap buttons: automatic sizing, label fitting, the looks of the three states
// as the screen shows them, the press loop through the headless server (click, release
// outside, out and back in) and where each variant delivers its message.

#include "XButton.h"
#include "XButton2.h"

#include "BubbleHelper.h"

#include <Bitmap.h>
#include <Font.h>
#include <Message.h>

#include "UiTestSupport.h"
#include "WidgetTestSupport.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <string.h>

using BPrivate::HeadlessTest;

namespace {

const uint32 kPanel = RGB(220, 220, 220);
const uint32 kGrey = RGB(128, 128, 128);
const uint32 kWhite = RGB(250, 250, 250);
const uint32 kLightBlue = RGB(153, 204, 255);
const char* kLongLabel = "A label much wider than its frame";


float
PlainWidth(const char* text, float size, uint32 flags = 0)
{
	BFont font(be_plain_font);
	font.SetSize(size);
	font.SetFlags(flags);
	return font.StringWidth(text);
}


// A 16 x 16 bitmap of one colour.
BBitmap*
FilledBitmap(uint8 red, uint8 green, uint8 blue)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 15, 15), B_RGB32);
	for (int32 y = 0; y < 16; y++) {
		uint8* row = (uint8*)bitmap->Bits() + y * bitmap->BytesPerRow();
		for (int32 x = 0; x < 16; x++) {
			row[x * 4] = blue;
			row[x * 4 + 1] = green;
			row[x * 4 + 2] = red;
			row[x * 4 + 3] = 255;
		}
	}
	return bitmap;
}


// The leftmost window x at which the screen shows a dark (label) pixel inside view.
int32
LeftmostInk(BWindow* window, BView* view)
{
	BRect frame;
	Locked(window, [&]() { frame = view->Frame(); });
	BPoint offset;
	Locked(window, [&]() { offset = view->Parent()->ConvertToScreen(BPoint(0, 0))
		- window->ConvertToScreen(BPoint(0, 0)); });
	for (int32 x = (int32)frame.left + 2; x < (int32)frame.right - 1; x++) {
		for (int32 y = (int32)frame.top + 2; y < (int32)frame.bottom - 1; y++) {
			uint32 pixel = ShownPixel(window, BPoint(x, y) + offset);
			if (((pixel >> 16) & 0xff) < 80 && ((pixel >> 8) & 0xff) < 80)
				return x;
		}
	}
	return -1;
}


class XButtonTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new CountingWindow(BRect(100, 100, 499, 299));
		TestApp()->counter.Clear();
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	// Press at the view's centre, go where, come back if asked, release.
	void PressAndDrag(BView* view, BPoint outside, bool comeBack)
	{
		BPoint center = ScreenCenter(view);
		HeadlessTest::PressMouse(center);
		HeadlessTest::MoveMouse(outside);
		if (comeBack) {
			HeadlessTest::MoveMouse(center);
			HeadlessTest::ReleaseMouse(center);
		} else
			HeadlessTest::ReleaseMouse(outside);
		WaitIdle();
	}

	CountingWindow* fWindow;
};

}	// namespace


TEST_F(XButtonTest, AutomaticSizingAndHelp)
{
	BubbleHelper helper;
	BBitmap* icon = FilledBitmap(0, 0, 255);

	XButton plain(BRect(0, 0, 50, 30), "plain", kLongLabel, "help", NULL, NULL, true,
		&helper);
	EXPECT_FLOAT_EQ(PlainWidth(kLongLabel, 14) + 20, plain.Bounds().Width());
	EXPECT_EQ(24, plain.Bounds().Height());
	EXPECT_STREQ("help", helper.GetHelp(&plain));

	XButton withIcon(BRect(0, 0, 50, 30), "icon", kLongLabel, "help", NULL, icon, true,
		NULL);
	EXPECT_FLOAT_EQ(PlainWidth(kLongLabel, 14) + 40, withIcon.Bounds().Width());
	EXPECT_EQ(24, withIcon.Bounds().Height());
	EXPECT_EQ(nullptr, helper.GetHelp(&withIcon)) << "no helper, no help";

	XButton narrow(BRect(0, 0, 100, 40), "narrow", "OK", "help", NULL, NULL, true, NULL);
	EXPECT_EQ(BRect(0, 0, 100, 24), narrow.Bounds());

	XButton fixed(BRect(0, 0, 50, 30), "fixed", kLongLabel, "help", NULL, NULL, false,
		NULL);
	EXPECT_EQ(BRect(0, 0, 50, 30), fixed.Bounds());

	XButton2 second(BRect(0, 0, 50, 30), "second", kLongLabel, "help2", NULL, NULL, true,
		&helper, 10, B_FOLLOW_ALL_SIDES);
	EXPECT_FLOAT_EQ(PlainWidth(kLongLabel, 10, B_DISABLE_ANTIALIASING) + 20,
		second.Bounds().Width());
	EXPECT_EQ(24, second.Bounds().Height());
	EXPECT_EQ((uint32)B_FOLLOW_ALL_SIDES, second.ResizingMode());
	EXPECT_STREQ("help2", helper.GetHelp(&second));

	delete icon;
}


TEST_F(XButtonTest, SecondVariantShrinksItsFontUntilTheLabelFits)
{
	const char* label = "Twenty-six letters here!";
	XButton2 fits(BRect(0, 0, 300, 20), "fits", label, "", NULL, NULL, false, NULL, 12,
		B_FOLLOW_NONE);
	BFont font;
	fits.GetFont(&font);
	EXPECT_EQ(12, font.Size()) << "a label that fits keeps the font";
	EXPECT_TRUE(font.Flags() & B_DISABLE_ANTIALIASING);

	float right = 80;
	XButton2 shrunk(BRect(0, 0, right, 20), "shrunk", label, "", NULL, NULL, false, NULL,
		12, B_FOLLOW_NONE);
	shrunk.GetFont(&font);
	float size = font.Size();
	EXPECT_LT(size, 12);
	EXPECT_GE(size, 5);
	EXPECT_LT(PlainWidth(label, size, B_DISABLE_ANTIALIASING), right - 4)
		<< "the label fits at the size chosen";
	EXPECT_GE(PlainWidth(label, size + 1, B_DISABLE_ANTIALIASING), right - 4)
		<< "and one point more would not";

	XButton2 tiny(BRect(0, 0, 20, 20), "tiny", label, "", NULL, NULL, false, NULL, 12,
		B_FOLLOW_NONE);
	tiny.GetFont(&font);
	EXPECT_EQ(5, font.Size()) << "the font stops shrinking at 5 points";
}


TEST_F(XButtonTest, FirstVariantLooksAndDeliversToWindowAndApplication)
{
	// The button keeps the message without owning it.
	BMessage click(kClick);
	XButton* button = new XButton(BRect(20, 20, 139, 49), "button", "Press", "help",
		&click, NULL, false, NULL);
	fWindow->Panel()->AddChild(button);
	ShowActive(fWindow);
	SaveShot(fWindow, "xbutton_normal");

	BPoint corner(20, 20);
	BPoint face(24, 24);
	EXPECT_EQ(kPanel, ShownPixel(fWindow, corner)) << "flat: no frame";
	EXPECT_EQ(kPanel, ShownPixel(fWindow, face));

	HeadlessTest::MoveMouse(ScreenCenter(button));
	WaitIdle();
	EXPECT_EQ(kWhite, ShownPixel(fWindow, corner)) << "hover: raised";
	EXPECT_EQ(kGrey, ShownPixel(fWindow, BPoint(139, 49)));
	SaveShot(fWindow, "xbutton_hover");

	BPoint outside = ScreenPoint(fWindow->Panel(), BPoint(300, 150));
	BPoint center = ScreenCenter(button);
	HeadlessTest::PressMouse(center);
	EXPECT_TRUE(Eventually([&]() { return ShownPixel(fWindow, corner) == kGrey; }))
		<< "pressed: sunken";
	SaveShot(fWindow, "xbutton_pressed");
	HeadlessTest::MoveMouse(outside);
	EXPECT_TRUE(Eventually([&]() { return ShownPixel(fWindow, corner) == kPanel; }))
		<< "dragged out: flat";
	HeadlessTest::ReleaseMouse(outside);
	WaitIdle();
	EXPECT_EQ(0, fWindow->counter.CountOf(kClick)) << "released outside: nothing sent";
	EXPECT_EQ(0, TestApp()->counter.CountOf(kClick));
	EXPECT_EQ(0, button->State());

	PressAndDrag(button, outside, true);
	EXPECT_EQ(1, fWindow->counter.CountOf(kClick)) << "out and back in: sent once";
	EXPECT_EQ(1, TestApp()->counter.CountOf(kClick));

	HeadlessTest::Click(center);
	WaitIdle();
	EXPECT_EQ(2, fWindow->counter.CountOf(kClick));
	EXPECT_EQ(2, TestApp()->counter.CountOf(kClick));
	EXPECT_EQ(1, button->State()) << "released inside: raised again";
	EXPECT_EQ(kWhite, ShownPixel(fWindow, corner));
}


TEST_F(XButtonTest, SecondVariantLooksAndDeliversToItsTargetOnly)
{
	BMessage click(kClick);
	XButton2* button = new XButton2(BRect(20, 20, 139, 49), "button", "Press", "help",
		&click, NULL, false, NULL, 12, B_FOLLOW_LEFT | B_FOLLOW_TOP);
	fWindow->Panel()->AddChild(button);
	CountingHandler* target = new CountingHandler;
	Locked(fWindow, [&]() { fWindow->AddHandler(target); });
	ShowActive(fWindow);
	SaveShot(fWindow, "xbutton2_normal");

	BPoint outer(20, 20);
	BPoint inner(21, 21);
	BPoint face(23, 23);
	EXPECT_EQ(kGrey, ShownPixel(fWindow, outer));
	EXPECT_EQ(kWhite, ShownPixel(fWindow, inner));
	EXPECT_EQ(kWhite, ShownPixel(fWindow, BPoint(139, 49)));
	EXPECT_EQ(kGrey, ShownPixel(fWindow, BPoint(138, 48)));
	EXPECT_EQ(kPanel, ShownPixel(fWindow, face));

	HeadlessTest::MoveMouse(ScreenCenter(button));
	WaitIdle();
	EXPECT_EQ(kLightBlue, ShownPixel(fWindow, face)) << "hover: light blue";
	EXPECT_EQ(kGrey, ShownPixel(fWindow, outer));
	SaveShot(fWindow, "xbutton2_hover");

	// Without a target a click sends nothing, anywhere.
	HeadlessTest::Click(ScreenCenter(button));
	WaitIdle();
	EXPECT_EQ(0, target->counter.CountOf(kClick));
	EXPECT_EQ(0, fWindow->counter.CountOf(kClick));
	EXPECT_EQ(0, TestApp()->counter.CountOf(kClick));

	Locked(fWindow, [&]() { button->SetTarget(target); });
	BPoint center = ScreenCenter(button);
	HeadlessTest::PressMouse(center);
	EXPECT_TRUE(Eventually([&]() { return ShownPixel(fWindow, outer) == kWhite; }))
		<< "pressed: the frame's colours swap";
	EXPECT_EQ(kGrey, ShownPixel(fWindow, inner));
	EXPECT_EQ(kLightBlue, ShownPixel(fWindow, face));
	SaveShot(fWindow, "xbutton2_pressed");
	HeadlessTest::ReleaseMouse(center);
	WaitIdle();
	EXPECT_EQ(1, target->counter.CountOf(kClick));
	EXPECT_EQ(0, fWindow->counter.CountOf(kClick)) << "only the target hears it";
	EXPECT_EQ(0, TestApp()->counter.CountOf(kClick));

	BPoint outside = ScreenPoint(fWindow->Panel(), BPoint(300, 150));
	PressAndDrag(button, outside, false);
	EXPECT_EQ(1, target->counter.CountOf(kClick)) << "released outside: nothing sent";
	PressAndDrag(button, outside, true);
	EXPECT_EQ(2, target->counter.CountOf(kClick)) << "out and back in: sent once";

	Locked(fWindow, [&]() { fWindow->RemoveHandler(target); });
	delete target;
}


TEST_F(XButtonTest, AnIconMovesTheLabelRight)
{
	// A white icon drawn with B_OP_MIN leaves the face as it is, so the only ink is
	// the label's.
	BBitmap* icon = FilledBitmap(255, 255, 255);
	XButton* first = new XButton(BRect(20, 20, 179, 49), "first", "Label", "", NULL,
		NULL, false, NULL);
	XButton2* second = new XButton2(BRect(20, 80, 179, 109), "second", "Label", "", NULL,
		NULL, false, NULL, 12, B_FOLLOW_NONE);
	fWindow->Panel()->AddChild(first);
	fWindow->Panel()->AddChild(second);
	ShowActive(fWindow);

	int32 firstPlain = LeftmostInk(fWindow, first);
	int32 secondPlain = LeftmostInk(fWindow, second);
	ASSERT_GT(firstPlain, 20);
	ASSERT_GT(secondPlain, 20);

	Locked(fWindow, [&]() {
		first->SetIcon(icon);
		second->SetIcon(icon);
	});
	WaitIdle();
	EXPECT_EQ(icon, first->GetIcon());
	// Centred in the area right of the first 24 pixels: 12 pixels further right.
	EXPECT_NEAR(firstPlain + 12, LeftmostInk(fWindow, first), 1);
	EXPECT_NEAR(secondPlain + 12, LeftmostInk(fWindow, second), 1);

	Locked(fWindow, [&]() {
		first->DeleteIcon();
		second->DeleteIcon();
		first->SetLabel("Other");
	});
	WaitIdle();
	EXPECT_EQ(nullptr, first->GetIcon());
	EXPECT_STREQ("Other", first->GetLabel());
	EXPECT_NEAR(secondPlain, LeftmostInk(fWindow, second), 1);
	delete icon;
}
