// A text view in a window on the headless display: keys and the mouse through the server,
// the window's editing shortcuts, and what the screen shows (caret, selection, colours).

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <TextView.h>
#include <Window.h>

#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

using BPrivate::HeadlessTest;

namespace {

// Counts the hook calls, which happen on the window's thread.
class CountingView : public BTextView {
public:
	CountingView(BRect frame)
		:
		BTextView(frame, "text", BRect(4, 2, frame.Width() - 4, frame.Height() - 2),
			B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE),
		inserts(0),
		deletes(0)
	{
	}

	std::atomic<int32> inserts;
	std::atomic<int32> deletes;

protected:
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override
	{
		inserts++;
		BTextView::InsertText(text, length, offset, runs);
	}

	void DeleteText(int32 from, int32 to) override
	{
		deletes++;
		BTextView::DeleteText(from, to);
	}
};


uint32
Pixel(BWindow* window, BPoint point)
{
	uint32 pixel = 0;
	EXPECT_EQ(B_OK, HeadlessTest::WindowPixel(BPrivate::WindowAccess::ServerWindowOf(window),
		point, &pixel));
	return pixel & 0xffffff;
}


// Presses the key that types c, with Ctrl and the given extra modifiers.
void
PressControl(char c, uint32 modifiers = 0)
{
	int32 key = 0;
	uint32 keyModifiers = 0;
	ASSERT_TRUE(BPrivate::KeyForCharacter(c, &key, &keyModifiers));
	HeadlessTest::PressKey(key, keyModifiers | modifiers | B_COMMAND_KEY);
}


void
WaitIdle()
{
	ASSERT_EQ(B_OK, HeadlessTest::WaitForIdle());
}

}	// namespace


class TextViewWindowTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new BWindow(BRect(100, 100, 399, 249), "text", B_TITLED_WINDOW);
		fView = new CountingView(fWindow->Bounds());
		fWindow->AddChild(fView);
		fWindow->Show();
		WaitIdle();
		ASSERT_TRUE(fWindow->Lock());
		fWindow->Activate(true);
		fView->MakeFocus(true);
		fWindow->Unlock();
		WaitIdle();
	}

	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
		WaitIdle();
	}

	// Locked access from the test's thread.
	std::string Text()
	{
		fWindow->Lock();
		std::string text(fView->Text(), fView->TextLength());
		fWindow->Unlock();
		return text;
	}

	void SetText(const char* text)
	{
		fWindow->Lock();
		fView->SetText(text);
		fWindow->Unlock();
		WaitIdle();
	}

	void Selection(int32* start, int32* end)
	{
		fWindow->Lock();
		fView->GetSelection(start, end);
		fWindow->Unlock();
	}

	// A screen point at the middle of the left edge of the character at offset.
	BPoint ScreenPointAt(int32 offset, float dx = 1)
	{
		fWindow->Lock();
		float height;
		BPoint point = fView->PointAt(offset, &height);
		point.x += dx;
		point.y += height / 2;
		point = fView->ConvertToScreen(point);
		fWindow->Unlock();
		return point;
	}

	BWindow*		fWindow;
	CountingView*	fView;
};


TEST_F(TextViewWindowTest, KeysTypeMoveUndoAndUseTheWindowShortcuts)
{
	HeadlessTest::TypeText("abc d\xc3\xa9");
	WaitIdle();
	EXPECT_EQ("abc d\xc3\xa9", Text());

	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow);
	HeadlessTest::PressKey(BPrivate::kKeyBackspace);
	WaitIdle();
	EXPECT_EQ("abc \xc3\xa9", Text());

	// Ctrl+Left goes back by a word, Shift extends.
	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow, B_COMMAND_KEY);
	HeadlessTest::PressKey(BPrivate::kKeyRightArrow, B_SHIFT_KEY);
	WaitIdle();
	int32 start;
	int32 end;
	Selection(&start, &end);
	EXPECT_EQ(0, start);
	EXPECT_EQ(1, end);

	// Ctrl+A, Ctrl+C, Ctrl+End, Ctrl+V through the window's shortcuts.
	PressControl('a');
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(0, start);
	EXPECT_EQ(6, end);
	PressControl('c');
	HeadlessTest::PressKey(BPrivate::kKeyEnd, B_COMMAND_KEY);
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(6, start);
	PressControl('v');
	WaitIdle();
	EXPECT_EQ("abc \xc3\xa9" "abc \xc3\xa9", Text());

	// Ctrl+Z takes the paste back, Shift+Ctrl+Z does it again, Ctrl+X cuts.
	PressControl('z');
	WaitIdle();
	EXPECT_EQ("abc \xc3\xa9", Text());
	PressControl('z', B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ("abc \xc3\xa9" "abc \xc3\xa9", Text());
	PressControl('a');
	PressControl('x');
	WaitIdle();
	EXPECT_EQ("", Text());

	// Enter and Tab are text.
	int32 inserts = fView->inserts;
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	HeadlessTest::PressKey(BPrivate::kKeyTab);
	WaitIdle();
	EXPECT_EQ("\n\t", Text());
	EXPECT_EQ(inserts + 2, fView->inserts);
}


TEST_F(TextViewWindowTest, MouseClicksDragsAndWordSelection)
{
	SetText("alpha beta gamma\nsecond line here");
	int32 start;
	int32 end;

	HeadlessTest::Click(ScreenPointAt(7));
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(7, start);
	EXPECT_EQ(7, end);

	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::PressMouse(ScreenPointAt(2));
	HeadlessTest::MoveMouse(ScreenPointAt(9));
	HeadlessTest::MoveMouse(ScreenPointAt(20));
	HeadlessTest::ReleaseMouse(ScreenPointAt(20));
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(2, start);
	EXPECT_EQ(20, end);

	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::Click(ScreenPointAt(12), B_PRIMARY_MOUSE_BUTTON, 2);
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(11, start);
	EXPECT_EQ(16, end);

	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::Click(ScreenPointAt(3));
	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::KeyDown(BPrivate::kKeyLeftShift, B_SHIFT_KEY);
	HeadlessTest::PressMouse(ScreenPointAt(19));
	HeadlessTest::ReleaseMouse(ScreenPointAt(19));
	HeadlessTest::KeyUp(BPrivate::kKeyLeftShift, 0);
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(3, start);
	EXPECT_EQ(19, end);

	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::Click(ScreenPointAt(20), B_PRIMARY_MOUSE_BUTTON, 3);
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(17, start);
	EXPECT_EQ(33, end);
}


TEST_F(TextViewWindowTest, DraggingTheSelectionMovesOrCopiesItAsOneStep)
{
	SetText("alpha beta gamma");
	fWindow->Lock();
	fView->SetStylable(true);
	rgb_color red = { 200, 0, 0, 255 };
	fView->SetFontAndColor(6, 10, NULL, 0, &red);
	fView->Select(6, 10);
	int32 inserts = fView->inserts;
	int32 deletes = fView->deletes;
	fWindow->Unlock();
	int32 start;
	int32 end;

	// Moving "beta" to the end: one removal, one insertion, the moved text selected
	// and still red.
	HeadlessTest::PressMouse(ScreenPointAt(7));
	HeadlessTest::MoveMouse(ScreenPointAt(12));
	HeadlessTest::MoveMouse(ScreenPointAt(16));
	HeadlessTest::ReleaseMouse(ScreenPointAt(16));
	WaitIdle();
	EXPECT_EQ("alpha  gammabeta", Text());
	Selection(&start, &end);
	EXPECT_EQ(12, start);
	EXPECT_EQ(16, end);
	EXPECT_EQ(inserts + 1, fView->inserts);
	EXPECT_EQ(deletes + 1, fView->deletes);
	fWindow->Lock();
	rgb_color color;
	BFont font;
	fView->GetFontAndColor(13, &font, &color);
	fWindow->Unlock();
	EXPECT_EQ(red, color);

	// Undo takes the whole move back at once, Redo does it again.
	PressControl('z');
	WaitIdle();
	EXPECT_EQ("alpha beta gamma", Text());
	Selection(&start, &end);
	EXPECT_EQ(6, start);
	EXPECT_EQ(10, end);
	PressControl('z', B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ("alpha  gammabeta", Text());
	PressControl('z');
	WaitIdle();
	ASSERT_EQ("alpha beta gamma", Text());

	// With Ctrl held the text is copied, to the front this time.
	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::KeyDown(BPrivate::kKeyLeftControl, B_COMMAND_KEY);
	HeadlessTest::PressMouse(ScreenPointAt(8));
	HeadlessTest::MoveMouse(ScreenPointAt(3));
	HeadlessTest::MoveMouse(ScreenPointAt(0));
	HeadlessTest::ReleaseMouse(ScreenPointAt(0));
	HeadlessTest::KeyUp(BPrivate::kKeyLeftControl, 0);
	WaitIdle();
	EXPECT_EQ("betaalpha beta gamma", Text());
	Selection(&start, &end);
	EXPECT_EQ(0, start);
	EXPECT_EQ(4, end);
	PressControl('z');
	WaitIdle();
	EXPECT_EQ("alpha beta gamma", Text());

	// Dropping onto the selection itself changes nothing; pressing on it without
	// moving places the caret there.
	fWindow->Lock();
	fView->Select(6, 10);
	fWindow->Unlock();
	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::PressMouse(ScreenPointAt(7));
	HeadlessTest::MoveMouse(ScreenPointAt(9));
	HeadlessTest::ReleaseMouse(ScreenPointAt(9));
	WaitIdle();
	EXPECT_EQ("alpha beta gamma", Text());
	HeadlessTest::AdvanceClock(2000000);
	HeadlessTest::Click(ScreenPointAt(8));
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(8, start);
	EXPECT_EQ(8, end);
}


TEST_F(TextViewWindowTest, CaretSelectionAndColouredRunsOnScreen)
{
	SetText("MMMM  MMMM\nline");
	const uint32 white = 0xffffff;
	fWindow->Lock();
	float height;
	BPoint caret = fView->PointAt(2, &height);
	BPoint selectionStart = fView->PointAt(6);
	BPoint selectionEnd = fView->PointAt(10);
	fWindow->Unlock();

	// The caret is a dark line left of its character; it blinks, so look a few times.
	BPoint probe(caret.x - 1, caret.y + height / 2);
	bool seen = false;
	for (int attempt = 0; attempt < 10 && !seen; attempt++) {
		fWindow->Lock();
		fView->Select(0, 0);
		fView->Select(2, 2);
		fWindow->Unlock();
		WaitIdle();
		seen = Pixel(fWindow, probe) == 0;
	}
	EXPECT_TRUE(seen);

	fWindow->Lock();
	fView->MakeEditable(false);
	fWindow->Unlock();
	WaitIdle();
	EXPECT_NE(0u, Pixel(fWindow, probe));

	// The selection shows inverted; the top row of the line holds no glyph.
	BPoint inside(selectionStart.x + 2, selectionStart.y);
	BPoint outside(selectionEnd.x + 20, selectionStart.y);
	EXPECT_EQ(white, Pixel(fWindow, inside));
	fWindow->Lock();
	fView->Select(6, 10);
	fWindow->Unlock();
	WaitIdle();
	EXPECT_EQ(0u, Pixel(fWindow, inside));
	EXPECT_EQ(white, Pixel(fWindow, outside));
	fWindow->Lock();
	fView->Select(0, 0);
	fWindow->Unlock();
	WaitIdle();
	EXPECT_EQ(white, Pixel(fWindow, inside));

	// A run coloured red draws red glyphs; the rest stays dark.
	fWindow->Lock();
	fView->SetStylable(true);
	rgb_color red = make_color(255, 0, 0);
	fView->SetFontAndColor(0, 4, be_plain_font, B_FONT_ALL, &red);
	fWindow->Unlock();
	WaitIdle();
	int32 redPixels = 0;
	int32 darkPixels = 0;
	int32 redInSecondWord = 0;
	for (float y = caret.y; y < caret.y + height; y++) {
		for (float x = 4; x < selectionEnd.x; x++) {
			uint32 pixel = Pixel(fWindow, BPoint(x, y));
			uint8 r = pixel >> 16;
			uint8 g = (pixel >> 8) & 0xff;
			uint8 b = pixel & 0xff;
			bool isRed = r > 150 && g < 100 && b < 100;
			if (x < caret.x + 2 * (caret.x - 4) && isRed)
				redPixels++;
			if (x >= selectionStart.x && isRed)
				redInSecondWord++;
			if (x >= selectionStart.x && r < 80 && g < 80 && b < 80)
				darkPixels++;
		}
	}
	EXPECT_GT(redPixels, 10);
	EXPECT_EQ(0, redInSecondWord);
	EXPECT_GT(darkPixels, 10);
}


TEST_F(TextViewWindowTest, ScrollingFollowsTheCaretThroughALongText)
{
	std::string text;
	for (int i = 0; i < 300; i++)
		text += "line " + std::to_string(i) + "\n";
	SetText(text.c_str());

	fWindow->Lock();
	int32 target = (int32)text.find("line 250");
	fView->Select(target, target);
	fView->ScrollToSelection();
	BRect bounds = fView->Bounds();
	float height;
	BPoint point = fView->PointAt(target, &height);
	fWindow->Unlock();
	EXPECT_GT(bounds.top, 0);
	EXPECT_TRUE(bounds.Contains(point));
	EXPECT_TRUE(bounds.Contains(point + BPoint(0, height - 1)));
	WaitIdle();

	// What shows there is that line: its first glyph column has dark pixels.
	int32 dark = 0;
	for (float y = point.y; y < point.y + height; y++) {
		for (float x = point.x; x < point.x + 6; x++) {
			BPoint window = BPoint(x, y) - bounds.LeftTop();
			if ((Pixel(fWindow, window) & 0xff) < 100)
				dark++;
		}
	}
	EXPECT_GT(dark, 3);

	// Page Down moves the caret and the view by about a page; Ctrl+Home goes back up.
	HeadlessTest::PressKey(BPrivate::kKeyPageDown);
	WaitIdle();
	int32 start;
	int32 end;
	Selection(&start, &end);
	EXPECT_GT(start, target);
	fWindow->Lock();
	EXPECT_TRUE(fView->Bounds().Contains(fView->PointAt(start)));
	fWindow->Unlock();
	HeadlessTest::PressKey(BPrivate::kKeyHome, B_COMMAND_KEY);
	WaitIdle();
	Selection(&start, &end);
	EXPECT_EQ(0, start);
	fWindow->Lock();
	EXPECT_EQ(0, fView->Bounds().top);
	fWindow->Unlock();
}


TEST_F(TextViewWindowTest, CaretLeavesTheScreenWithTheFocus)
{
	SetText("MMMM");
	fWindow->Lock();
	fView->ResizeTo(fView->Bounds().Width(), 60);
	BTextView* other = new BTextView(BRect(0, 80, 200, 140), "other", BRect(2, 2, 198, 58),
		B_FOLLOW_NONE, B_WILL_DRAW | B_NAVIGABLE);
	fWindow->AddChild(other);
	float height;
	BPoint caret = fView->PointAt(2, &height);
	fWindow->Unlock();
	BPoint probe(caret.x - 1, caret.y + height / 2);

	bool seen = false;
	for (int attempt = 0; attempt < 10 && !seen; attempt++) {
		fWindow->Lock();
		fView->Select(0, 0);
		fView->Select(2, 2);
		fWindow->Unlock();
		WaitIdle();
		seen = Pixel(fWindow, probe) == 0;
	}
	ASSERT_TRUE(seen);

	// The window moves the focus first and then tells the old view; its caret must
	// still be wiped, whatever phase of its blink it was in.
	fWindow->Lock();
	other->MakeFocus(true);
	fWindow->Unlock();
	WaitIdle();
	for (int look = 0; look < 5; look++) {
		EXPECT_NE(0u, Pixel(fWindow, probe));
		snooze(100000);
		WaitIdle();
	}
}
