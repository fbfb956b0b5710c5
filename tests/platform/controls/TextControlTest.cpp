// BTextControl in a window on the headless display: typing, selecting and the clipboard
// through the server, the modification message, invoking on Enter and on leaving the
// field, the divider and the focus frame.

#include <Clipboard.h>
#include <TextControl.h>
#include <TextView.h>

#include "UiTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

#include <string>

using BPrivate::HeadlessTest;

namespace {

class TextControlTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new RecordingWindow(BRect(100, 100, 499, 249));
		fControl = new BTextControl(BRect(10, 10, 280, 20), "find", "Find", NULL,
			new BMessage(kTestInvoked));
		fControl->SetModificationMessage(new BMessage(kTestModified));
		fOther = new BTextControl(BRect(10, 50, 280, 60), "replace", "Replace", "old",
			new BMessage(kTestOther));
		fWindow->Panel()->AddChild(fControl);
		fWindow->Panel()->AddChild(fOther);
		ShowActive(fWindow);
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	std::string Text(BTextControl* control)
	{
		std::string text;
		Locked(fWindow, [&]() { text = control->Text(); });
		return text;
	}

	RecordingWindow*	fWindow;
	BTextControl*		fControl;
	BTextControl*		fOther;
};

}	// namespace


TEST_F(TextControlTest, TypingEditingAndTheClipboardSendModifications)
{
	BRect field;
	Locked(fWindow, [&]() {
		field = fControl->TextView()->Frame();
		EXPECT_GT(fControl->Bounds().Height(), 15) << "the height comes from the font";
	});
	HeadlessTest::Click(ScreenPoint(fControl, field.LeftTop() + BPoint(5, 5)));
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_TRUE(fControl->TextView()->IsFocus()); });

	HeadlessTest::TypeText("hello");
	WaitIdle();
	EXPECT_EQ("hello", Text(fControl));
	EXPECT_EQ(5, fWindow->CountSent(kTestModified));
	EXPECT_EQ(0, fWindow->CountSent(kTestInvoked));

	HeadlessTest::PressKey(BPrivate::kKeyBackspace);
	WaitIdle();
	EXPECT_EQ("hell", Text(fControl));
	EXPECT_EQ(6, fWindow->CountSent(kTestModified));

	// Shift+Left selects the last two characters; Ctrl+C copies them to be_clipboard.
	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow, B_SHIFT_KEY);
	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow, B_SHIFT_KEY);
	WaitIdle();
	int32 start;
	int32 end;
	Locked(fWindow, [&]() { fControl->TextView()->GetSelection(&start, &end); });
	EXPECT_EQ(2, start);
	EXPECT_EQ(4, end);
	PressControlKey('c');
	WaitIdle();
	ASSERT_TRUE(be_clipboard->Lock());
	const char* clip = NULL;
	ssize_t clipLength = 0;
	BMessage* data = be_clipboard->Data();
	ASSERT_NE(nullptr, data);
	EXPECT_EQ(B_OK, data->FindData("text/plain", B_MIME_TYPE, (const void**)&clip,
		&clipLength));
	EXPECT_EQ("ll", std::string(clip, clipLength));
	be_clipboard->Unlock();

	// Ctrl+V over a collapsed caret at the start inserts it there.
	HeadlessTest::PressKey(BPrivate::kKeyHome);
	PressControlKey('v');
	WaitIdle();
	EXPECT_EQ("llhell", Text(fControl));
	EXPECT_EQ(7, fWindow->CountSent(kTestModified));

	// Enter invokes with the text as it is; Tab then leaves without another invoke.
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));
	EXPECT_EQ("llhell", Text(fControl)) << "Enter is not text in a one-line field";
	HeadlessTest::PressKey(BPrivate::kKeyTab);
	WaitIdle();
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));
	Locked(fWindow, [&]() {
		EXPECT_EQ((BView*)fOther->TextView(), fWindow->CurrentFocus());
		int32 from;
		int32 to;
		fOther->TextView()->GetSelection(&from, &to);
		EXPECT_EQ(0, from);
		EXPECT_EQ(3, to) << "tabbing into a field selects its text";
	});

	// A change followed by leaving the field invokes once.
	HeadlessTest::TypeText("new");
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ("new", Text(fOther));
	EXPECT_EQ(1, fWindow->CountSent(kTestOther));
	Locked(fWindow, [&]() {
		EXPECT_EQ((BView*)fControl->TextView(), fWindow->CurrentFocus());
	});
}


TEST_F(TextControlTest, LeavingAFieldLeavesNoCaretOrFrameBehind)
{
	Locked(fWindow, [&]() { fControl->MakeFocus(true); });
	HeadlessTest::TypeText("abc");
	HeadlessTest::PressKey(BPrivate::kKeyTab);
	WaitIdle();
	BRect frame;
	Locked(fWindow, [&]() { frame = fControl->Frame(); });
	std::vector<uint32> shown;
	for (float y = frame.top; y <= frame.bottom; y++) {
		for (float x = frame.left; x <= frame.right; x++)
			shown.push_back(ShownPixel(fWindow, BPoint(x, y)));
	}
	// A fresh drawing of the unfocused control must look the same.
	Locked(fWindow, [&]() { fWindow->Panel()->Invalidate(); });
	WaitIdle();
	size_t index = 0;
	int32 differences = 0;
	for (float y = frame.top; y <= frame.bottom; y++) {
		for (float x = frame.left; x <= frame.right; x++) {
			if (shown[index++] != ShownPixel(fWindow, BPoint(x, y)))
				differences++;
		}
	}
	EXPECT_EQ(0, differences);
}


TEST_F(TextControlTest, SetTextNewlinesDividerAndFocusFrame)
{
	Locked(fWindow, [&]() {
		fControl->SetText("quiet");
		EXPECT_STREQ("quiet", fControl->Text());
	});
	WaitIdle();
	EXPECT_EQ(0, fWindow->CountSent(kTestModified)) << "SetText is not the user's change";
	Locked(fWindow, [&]() {
		// Newlines cannot enter the one line.
		fControl->TextView()->SetText("");
		fControl->TextView()->Insert("a\nb");
		EXPECT_STREQ("a b", fControl->Text());
		fControl->SetDivider(60);
		EXPECT_EQ(60, fControl->Divider());
		EXPECT_EQ(62, fControl->TextView()->Frame().left);
	});
	WaitIdle();
	EXPECT_EQ(2, fWindow->CountSent(kTestModified)) << "edits through TextView() count";

	// The field's frame turns to the navigation colour while it has the focus.
	BRect frame;
	Locked(fWindow, [&]() { frame = fControl->Frame(); });
	BPoint edge(frame.left + 60, std::floor((frame.top + frame.bottom) / 2));
	rgb_color mark = keyboard_navigation_color();
	uint32 markValue = RGB(mark.red, mark.green, mark.blue);
	EXPECT_NE(markValue, ShownPixel(fWindow, edge));
	Locked(fWindow, [&]() { fControl->MakeFocus(true); });
	WaitIdle();
	EXPECT_EQ(markValue, ShownPixel(fWindow, edge));
	Locked(fWindow, [&]() { fOther->MakeFocus(true); });
	WaitIdle();
	EXPECT_NE(markValue, ShownPixel(fWindow, edge));

	// A disabled field takes no typing.
	Locked(fWindow, [&]() {
		fControl->SetEnabled(false);
		EXPECT_FALSE(fControl->TextView()->IsEditable());
	});
	HeadlessTest::Click(ScreenPoint(fControl, BPoint(100, 5)));
	HeadlessTest::TypeText("x");
	WaitIdle();
	EXPECT_EQ("a b", Text(fControl));
}
