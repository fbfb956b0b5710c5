// BBox and BStringView in a window on the headless display: the three borders, text and
// view labels, and the alignment of a string view's text.

#include <Box.h>
#include <CheckBox.h>
#include <StringView.h>

#include "UiTestSupport.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

using BPrivate::HeadlessTest;

namespace {

uint32
Value(rgb_color color)
{
	return RGB(color.red, color.green, color.blue);
}


// How many pixels of the window's rect are darker than the panel.
int32
CountDark(BWindow* window, BRect rect)
{
	int32 count = 0;
	for (float y = rect.top; y <= rect.bottom; y++) {
		for (float x = rect.left; x <= rect.right; x++) {
			uint32 pixel = ShownPixel(window, BPoint(x, y));
			if (((pixel >> 8) & 0xff) < 150)
				count++;
		}
	}
	return count;
}

}	// namespace


TEST(BoxTest, BordersLabelsAndStringAlignment)
{
	RecordingWindow* window = new RecordingWindow(BRect(100, 100, 499, 299));
	BBox* fancy = new BBox(BRect(10, 10, 110, 90), "fancy");
	fancy->SetLabel("Group");
	BBox* plain = new BBox(BRect(130, 10, 230, 90), "plain", B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW, B_PLAIN_BORDER);
	BBox* none = new BBox(BRect(250, 10, 350, 90), "none", B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW, B_NO_BORDER);
	BStringView* right = new BStringView(BRect(10, 120, 210, 140), "right", "Right");
	right->SetAlignment(B_ALIGN_RIGHT);
	window->Panel()->AddChild(fancy);
	window->Panel()->AddChild(plain);
	window->Panel()->AddChild(none);
	window->Panel()->AddChild(right);
	ShowActive(window);

	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	uint32 dark = Value(tint_color(panel, B_DARKEN_2_TINT));
	uint32 white = RGB(255, 255, 255);
	// The etched line: dark outside, light inside.
	EXPECT_EQ(dark, ShownPixel(window, BPoint(10, 50)));
	EXPECT_EQ(white, ShownPixel(window, BPoint(11, 50)));
	EXPECT_EQ(white, ShownPixel(window, BPoint(130, 50)));
	EXPECT_EQ(dark, ShownPixel(window, BPoint(230, 50)));
	EXPECT_EQ(Value(panel), ShownPixel(window, BPoint(250, 50)));
	EXPECT_EQ(Value(panel), ShownPixel(window, BPoint(350, 50)));
	// The label's text breaks the top line; the plain box has its line at the top.
	EXPECT_GT(CountDark(window, BRect(20, 10, 60, 24)), 10);
	EXPECT_EQ(white, ShownPixel(window, BPoint(180, 10)));

	// The text sits at the right end of the string view.
	EXPECT_GT(CountDark(window, BRect(160, 120, 210, 140)), 10);
	EXPECT_EQ(0, CountDark(window, BRect(10, 120, 150, 140)));
	Locked(window, [&]() {
		right->SetAlignment(B_ALIGN_LEFT);
		EXPECT_STREQ("Right", right->Text());
	});
	WaitIdle();
	EXPECT_GT(CountDark(window, BRect(10, 120, 60, 140)), 10);
	EXPECT_EQ(0, CountDark(window, BRect(100, 120, 210, 140)));

	// A view label replaces the text; a text label deletes the view again.
	Locked(window, [&]() {
		BCheckBox* label = new BCheckBox(BRect(0, 0, 80, 18), "label", "Label", NULL);
		EXPECT_EQ(B_OK, fancy->SetLabel(label));
		EXPECT_EQ(NULL, fancy->Label());
		EXPECT_EQ((BView*)label, fancy->LabelView());
		EXPECT_EQ((BView*)fancy, label->Parent());
		EXPECT_EQ(B_BAD_VALUE, fancy->SetLabel(plain)) << "a view with a parent is refused";
		fancy->SetLabel("Text again");
		EXPECT_EQ(NULL, fancy->LabelView());
		EXPECT_EQ(0, fancy->CountChildren());
		EXPECT_STREQ("Text again", fancy->Label());
	});
	QuitWindow(window);
}
