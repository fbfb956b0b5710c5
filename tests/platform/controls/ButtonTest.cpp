// Buttons, check boxes and radio buttons in a window on the headless display: clicks and
// keys through the server, the messages they send, the focus mark and the default
// button's frame as the screen shows them.

#include <Button.h>
#include <CheckBox.h>
#include <InterfaceDefs.h>
#include <RadioButton.h>

#include "UiTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

using BPrivate::HeadlessTest;

namespace {

// How many pixels of color the screen shows inside view.
int32
CountShown(BView* view, rgb_color color)
{
	std::vector<uint32> pixels;
	int32 width = 0;
	int32 height = 0;
	EXPECT_EQ(B_OK, HeadlessTest::ScreenPixels(pixels, &width, &height));
	BRect frame;
	Locked(view->Window(), [&]() { frame = view->ConvertToScreen(view->Bounds()); });
	uint32 wanted = RGB(color.red, color.green, color.blue);
	int32 count = 0;
	for (int32 y = (int32)frame.top; y <= (int32)frame.bottom; y++) {
		for (int32 x = (int32)frame.left; x <= (int32)frame.right; x++) {
			if (x >= 0 && y >= 0 && x < width && y < height
				&& (pixels[y * width + x] & 0xffffff) == wanted)
				count++;
		}
	}
	return count;
}


uint32
ColorValue(rgb_color color)
{
	return RGB(color.red, color.green, color.blue);
}


class ButtonTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new RecordingWindow(BRect(100, 100, 499, 299));
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	template<typename T>
	T* Add(T* control)
	{
		fWindow->Panel()->AddChild(control);
		return control;
	}

	RecordingWindow* fWindow;
};

}	// namespace


TEST_F(ButtonTest, ClickInvokesOnceAndOnlyOnReleaseInside)
{
	BButton* button = Add(new BButton(BRect(10, 10, 110, 20), "b", "Press",
		new BMessage(kTestInvoked)));
	ShowActive(fWindow);

	BRect frame;
	Locked(fWindow, [&]() { frame = button->Frame(); });
	EXPECT_GT(frame.Height(), 15) << "the button takes its height from the font";

	BPoint center = ScreenCenter(button);
	HeadlessTest::Click(center);
	WaitIdle();
	std::vector<SentMessage> sent = fWindow->Sent();
	ASSERT_EQ(1u, sent.size());
	EXPECT_EQ((uint32)kTestInvoked, sent[0].what);
	EXPECT_TRUE(sent[0].hasWhen);
	EXPECT_EQ((void*)button, sent[0].source);

	// While held inside, the face is drawn sunken; it comes back up when the pointer
	// leaves, and a release outside sends nothing.
	BPoint faceInWindow(frame.left + 6, (frame.top + frame.bottom) / 2);
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	uint32 sunken = ColorValue(tint_color(panel, B_DARKEN_2_TINT));
	uint32 raised = ShownPixel(fWindow, faceInWindow);
	EXPECT_NE(sunken, raised);
	// The window stays locked while the button follows the pointer, so every point is
	// worked out before the press.
	BPoint outside = ScreenPoint(fWindow->Panel(), BPoint(300, 150));
	HeadlessTest::PressMouse(center);
	EXPECT_TRUE(Eventually([&]() { return ShownPixel(fWindow, faceInWindow) == sunken; }));
	HeadlessTest::MoveMouse(outside);
	EXPECT_TRUE(Eventually([&]() { return ShownPixel(fWindow, faceInWindow) == raised; }));
	HeadlessTest::ReleaseMouse(outside);
	WaitIdle();
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));

	// Out and back in again before the release still counts.
	HeadlessTest::PressMouse(center);
	HeadlessTest::MoveMouse(outside);
	HeadlessTest::MoveMouse(center);
	HeadlessTest::ReleaseMouse(center);
	WaitIdle();
	EXPECT_EQ(2, fWindow->CountSent(kTestInvoked));

	// A disabled button ignores the click.
	Locked(fWindow, [&]() { button->SetEnabled(false); });
	HeadlessTest::Click(center);
	WaitIdle();
	EXPECT_EQ(2, fWindow->CountSent(kTestInvoked));
}


TEST_F(ButtonTest, DefaultButtonHasAThickFrameAndTakesEnter)
{
	BButton* ok = Add(new BButton(BRect(200, 100, 280, 110), "ok", "OK",
		new BMessage(kTestInvoked)));
	BButton* cancel = Add(new BButton(BRect(100, 100, 180, 110), "cancel", "Cancel",
		new BMessage(kTestOther)));
	BRect before;
	Locked(fWindow, [&]() {
		before = ok->Frame();
		ok->MakeDefault(true);
	});
	ShowActive(fWindow);

	BRect frame;
	Locked(fWindow, [&]() {
		frame = ok->Frame();
		EXPECT_TRUE(ok->IsDefault());
		EXPECT_EQ((BView*)ok, fWindow->DefaultButton());
		cancel->MakeFocus(true);
	});
	EXPECT_EQ(before.InsetByCopy(-3, -3), frame);
	WaitIdle();

	// The default frame is dark one pixel inside the edge, where the plain button
	// shows its light bevel.
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	uint32 dark = ColorValue(tint_color(panel, B_DARKEN_4_TINT));
	float middle = std::floor((frame.top + frame.bottom) / 2);
	EXPECT_EQ(dark, ShownPixel(fWindow, BPoint(frame.left + 1, middle)));
	EXPECT_EQ(dark, ShownPixel(fWindow, BPoint(frame.left + 2, middle)));
	BRect plain;
	Locked(fWindow, [&]() { plain = cancel->Frame(); });
	EXPECT_NE(dark, ShownPixel(fWindow, BPoint(plain.left + 1, middle)));

	// Enter presses the default button although another one has the focus; Space
	// presses the focused one.
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));
	EXPECT_EQ(0, fWindow->CountSent(kTestOther));
	HeadlessTest::PressKey(BPrivate::kKeySpace);
	WaitIdle();
	EXPECT_EQ(1, fWindow->CountSent(kTestInvoked));
	EXPECT_EQ(1, fWindow->CountSent(kTestOther));

	// Another default button takes the role and the frame away from the first.
	Locked(fWindow, [&]() {
		cancel->MakeDefault(true);
		EXPECT_FALSE(ok->IsDefault());
		EXPECT_EQ(before, ok->Frame());
		EXPECT_EQ((BView*)cancel, fWindow->DefaultButton());
	});
}


TEST_F(ButtonTest, CheckBoxesToggleAndRadioButtonsExcludeTheirSiblings)
{
	BCheckBox* box = Add(new BCheckBox(BRect(10, 10, 150, 30), "box", "Ignore case",
		new BMessage(kTestInvoked)));
	BRadioButton* radios[3];
	for (int32 i = 0; i < 3; i++) {
		radios[i] = Add(new BRadioButton(BRect(10, 40 + 25 * i, 150, 60 + 25 * i), "radio",
			"Choice", new BMessage(kTestOther)));
	}
	BView* group = Add(new BView(BRect(200, 40, 390, 100), "group", B_FOLLOW_NONE,
		B_WILL_DRAW));
	BRadioButton* alone = new BRadioButton(BRect(5, 5, 150, 25), "alone", "Alone", NULL);
	Locked(fWindow, [&]() { group->AddChild(alone); });
	Locked(fWindow, [&]() { alone->SetValue(B_CONTROL_ON); });
	ShowActive(fWindow);

	// Clicks toggle the box; each toggle sends the new value.
	int32 blackUnchecked = CountShown(box, make_color(0, 0, 0));
	HeadlessTest::Click(ScreenCenter(box));
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_EQ(B_CONTROL_ON, box->Value()); });
	EXPECT_GT(CountShown(box, make_color(0, 0, 0)), blackUnchecked + 8)
		<< "the checked box shows its cross";
	HeadlessTest::Click(ScreenCenter(box));
	WaitIdle();
	std::vector<SentMessage> sent = fWindow->Sent();
	ASSERT_EQ(2u, sent.size());
	EXPECT_EQ(1, sent[0].value);
	EXPECT_EQ(0, sent[1].value);

	// Space toggles the focused box; a release outside does not.
	Locked(fWindow, [&]() { box->MakeFocus(true); });
	HeadlessTest::PressKey(BPrivate::kKeySpace);
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_EQ(B_CONTROL_ON, box->Value()); });
	BPoint boxCenter = ScreenCenter(box);
	BPoint away = ScreenPoint(fWindow->Panel(), BPoint(300, 180));
	HeadlessTest::PressMouse(boxCenter);
	HeadlessTest::MoveMouse(away);
	HeadlessTest::ReleaseMouse(away);
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_EQ(B_CONTROL_ON, box->Value()); });
	EXPECT_EQ(3, fWindow->CountSent(kTestInvoked));

	// Radio buttons: one on per parent.
	HeadlessTest::Click(ScreenCenter(radios[1]));
	WaitIdle();
	HeadlessTest::Click(ScreenCenter(radios[2]));
	WaitIdle();
	Locked(fWindow, [&]() {
		EXPECT_EQ(B_CONTROL_OFF, radios[0]->Value());
		EXPECT_EQ(B_CONTROL_OFF, radios[1]->Value());
		EXPECT_EQ(B_CONTROL_ON, radios[2]->Value());
		EXPECT_EQ(B_CONTROL_ON, alone->Value()) << "another parent is another group";
	});
	EXPECT_EQ(2, fWindow->CountSent(kTestOther));
	// Clicking the one that is on changes nothing and sends nothing.
	HeadlessTest::Click(ScreenCenter(radios[2]));
	WaitIdle();
	EXPECT_EQ(2, fWindow->CountSent(kTestOther));
	// SetValue turns the siblings off as well.
	Locked(fWindow, [&]() {
		radios[0]->SetValue(B_CONTROL_ON);
		EXPECT_EQ(B_CONTROL_OFF, radios[2]->Value());
	});
	// Space chooses the focused radio button.
	Locked(fWindow, [&]() { radios[1]->MakeFocus(true); });
	HeadlessTest::PressKey(BPrivate::kKeySpace);
	WaitIdle();
	Locked(fWindow, [&]() {
		EXPECT_EQ(B_CONTROL_ON, radios[1]->Value());
		EXPECT_EQ(B_CONTROL_OFF, radios[0]->Value());
	});
	EXPECT_EQ(3, fWindow->CountSent(kTestOther));
}


TEST_F(ButtonTest, TabMovesTheFocusMarkAlongARow)
{
	BCheckBox* box = Add(new BCheckBox(BRect(10, 10, 110, 30), "box", "Check",
		new BMessage(kTestInvoked)));
	BButton* button = Add(new BButton(BRect(120, 10, 200, 20), "button", "Button",
		new BMessage(kTestInvoked)));
	BRadioButton* radio = Add(new BRadioButton(BRect(210, 10, 310, 30), "radio", "Radio",
		new BMessage(kTestInvoked)));
	BButton* disabled = Add(new BButton(BRect(10, 60, 90, 70), "off", "Off",
		new BMessage(kTestInvoked)));
	Locked(fWindow, [&]() { disabled->SetEnabled(false); });
	ShowActive(fWindow);

	rgb_color mark = keyboard_navigation_color();
	BView* views[3] = { box, button, radio };
	for (BView* view : views)
		EXPECT_EQ(0, CountShown(view, mark));

	Locked(fWindow, [&]() { box->MakeFocus(true); });
	WaitIdle();
	EXPECT_GT(CountShown(box, mark), 5);
	for (int32 step = 1; step <= 3; step++) {
		HeadlessTest::PressKey(BPrivate::kKeyTab);
		WaitIdle();
		BView* focused = views[step % 3];
		Locked(fWindow, [&]() { EXPECT_EQ(focused, fWindow->CurrentFocus()); });
		for (BView* view : views) {
			if (view == focused)
				EXPECT_GT(CountShown(view, mark), 5) << view->Name();
			else
				EXPECT_EQ(0, CountShown(view, mark)) << view->Name();
		}
	}
	// Shift+Tab goes back; the disabled button is never reached.
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_SHIFT_KEY);
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_EQ((BView*)radio, fWindow->CurrentFocus()); });
	EXPECT_EQ(0, CountShown(disabled, mark));
}


TEST_F(ButtonTest, AttachingTakesTheParentColourAndTheWindowAsTarget)
{
	RecordingWindow* other = new RecordingWindow(BRect(500, 100, 600, 200));
	BView* tinted = Add(new BView(BRect(0, 0, 200, 100), "tinted", B_FOLLOW_NONE,
		B_WILL_DRAW));
	tinted->SetViewColor(make_color(10, 120, 30));
	BCheckBox* local = new BCheckBox(BRect(10, 10, 150, 30), "local", "Local",
		new BMessage(kTestInvoked));
	BCheckBox* elsewhere = new BCheckBox(BRect(10, 40, 150, 60), "elsewhere", "Elsewhere",
		new BMessage(kTestInvoked));
	elsewhere->SetTarget(other);
	Locked(fWindow, [&]() {
		tinted->AddChild(local);
		tinted->AddChild(elsewhere);
	});
	other->Show();
	ShowActive(fWindow);

	Locked(fWindow, [&]() {
		EXPECT_EQ(make_color(10, 120, 30), local->ViewColor());
		EXPECT_EQ((BHandler*)fWindow, local->Target());
		EXPECT_EQ(B_CONTROL_ON, (local->SetValue(B_CONTROL_ON), local->Value()));
		EXPECT_EQ(B_OK, local->Invoke());
		EXPECT_EQ(B_OK, elsewhere->Invoke());
	});
	WaitIdle();
	std::vector<SentMessage> sent = fWindow->Sent();
	ASSERT_EQ(1u, sent.size());
	EXPECT_EQ(1, sent[0].value);
	EXPECT_EQ((void*)local, sent[0].source);
	EXPECT_EQ(1, other->CountSent(kTestInvoked));
	QuitWindow(other);

	// A control without a message has nothing to send.
	BCheckBox silent(BRect(0, 0, 10, 10), "silent", "Silent", NULL);
	EXPECT_EQ(B_BAD_VALUE, silent.Invoke());
}
