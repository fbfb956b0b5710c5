// The colour picker in a window on the headless display, against a temporary
// application directory: its layout and dictionary, the web-safe grid and the user slots
// under the pointer, the buttons and the close box, and the user colours file.

#include <Alert.h>
#include <Button.h>
#include <ColorControl.h>

#include "ColorSelectView.h"
#include "ColorSelectWindow.h"
#include "ColorTestSupport.h"
#include "ColorText.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using BPrivate::HeadlessTest;

namespace {

uint32
Value(rgb_color color)
{
	return RGB(color.red, color.green, color.blue);
}


class PickerTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = NULL;
		TestApp()->log.Clear();
	}

	void TearDown() override
	{
		Close();
	}

	void Open()
	{
		fWindow = new ColorSelectWindow(BRect(200, 200, 220, 320), "Insert color");
		fView = fWindow->View();
		ShowActive(fWindow);
	}

	// Quits the picker for good (closing it by the user only hides it).
	void Close()
	{
		if (fWindow != NULL)
			QuitWindow(fWindow);
		fWindow = NULL;
	}

	void ClickView(BPoint where)
	{
		HeadlessTest::Click(ScreenPoint(fView, where));
		WaitIdle();
	}

	void ClickButton(const char* name)
	{
		BView* button = NULL;
		Locked(fWindow, [&]() { button = fView->FindView(name); });
		ASSERT_NE(nullptr, button) << name;
		HeadlessTest::Click(ScreenCenter(button));
		WaitIdle();
	}

	std::string Label(const char* name)
	{
		std::string label;
		Locked(fWindow, [&]() {
			BButton* button = dynamic_cast<BButton*>(fView->FindView(name));
			if (button != NULL)
				label = button->Label();
		});
		return label;
	}

	rgb_color ControlColor()
	{
		rgb_color color;
		Locked(fWindow, [&]() { color = fView->ColorControl()->ValueAsColor(); });
		return color;
	}

	bool IsHidden()
	{
		bool hidden = false;
		Locked(fWindow, [&]() { hidden = fWindow->IsHidden(); });
		return hidden;
	}

	BAlert* FindAlert()
	{
		for (int32 i = 0; i < TestApp()->CountWindows(); i++) {
			BAlert* alert = dynamic_cast<BAlert*>(TestApp()->WindowAt(i));
			if (alert != NULL)
				return alert;
		}
		return NULL;
	}

	TempAppDir fDir;
	ColorSelectWindow* fWindow;
	ColorSelectView* fView;
};

}	// namespace


TEST_F(PickerTest, LayoutDefaultsAndTheDrawnPicker)
{
	Open();
	BRect bounds;
	BRect viewFrame;
	BRect controlFrame;
	Locked(fWindow, [&]() {
		bounds = fWindow->Bounds();
		viewFrame = fView->Frame();
		controlFrame = fView->ColorControl()->Frame();
	});
	EXPECT_EQ(B_FLOATING_WINDOW, fWindow->Type());
	EXPECT_TRUE(fWindow->Flags() & B_NOT_RESIZABLE);
	EXPECT_STREQ("Insert color", fWindow->Title());
	EXPECT_EQ(BRect(0, 0, 400, 200), bounds);
	EXPECT_EQ(bounds, viewFrame);
	EXPECT_STREQ("ColorSelectView", fView->Name());
	EXPECT_STREQ("colorControl", fView->ColorControl()->Name());
	EXPECT_EQ(10, controlFrame.left);
	EXPECT_LE(controlFrame.top, 20);
	EXPECT_LT(controlFrame.bottom, 70) << "the control leaves the slots' frames free";
	EXPECT_EQ(B_CELLS_32x8, fView->ColorControl()->Layout());

	EXPECT_STREQ("English", fView->Language());
	EXPECT_EQ("Set color", Label("set"));
	EXPECT_EQ("Insert color", Label("insert"));
	EXPECT_EQ("Cancel", Label("cancel"));

	// Without a colors file the slots are a grey ramp; slot 0 is selected and current.
	EXPECT_EQ(0, fView->SelectedSlot());
	EXPECT_EQ(-1, fView->SelectedCell());
	EXPECT_EQ(Value(fView->UserColor(0)), Value(fView->CurrentColor()));
	EXPECT_EQ(Value(fView->CurrentColor()), Value(ControlColor()));

	// The preview: black frame, current colour inside.
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow, BPoint(300, 10)));
	EXPECT_EQ(Value(fView->CurrentColor()), ShownPixel(fWindow, BPoint(345, 55)));
	// Slots: their colours inside, the selected one framed in white, the others black.
	for (int slot = 0; slot < UserColors::kCount; slot++) {
		BRect frame = ColorSelectView::SlotFrame(slot);
		EXPECT_EQ(BRect(10 + 40 * slot, 70, 40 + 40 * slot, 100), frame);
		EXPECT_EQ(Value(fView->UserColor(slot)), ShownPixel(fWindow,
			frame.LeftTop() + BPoint(15, 15)));
		EXPECT_EQ(slot == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0),
			ShownPixel(fWindow, frame.LeftTop()));
	}
	// Grid: cell 0 at the top left of block 0, framed in black.
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow, BPoint(20, 110)));
	EXPECT_EQ(Value(fView->WebSafeColor(43)), ShownPixel(fWindow,
		ColorSelectView::CellFrame(43).LeftTop() + BPoint(4, 4)));
	EXPECT_EQ(RGB(220, 220, 220), ShownPixel(fWindow, BPoint(74, 130)))
		<< "the gap between two blocks";

	SaveShot(fWindow, "picker");
}


TEST_F(PickerTest, WebSafeGridAndItsClickArithmetic)
{
	Open();
	const uint8 levels[6] = { 0, 51, 102, 153, 204, 255 };
	for (int index = 0; index < ColorSelectView::kWebSafeCount; index++) {
		rgb_color color = fView->WebSafeColor(index);
		ASSERT_EQ(levels[index / 36], color.red) << index;
		ASSERT_EQ(levels[(index / 6) % 6], color.green) << index;
		ASSERT_EQ(levels[index % 6], color.blue) << index;
	}
	EXPECT_EQ(RGB(255, 255, 255), Value(fView->WebSafeColor(215)));
	EXPECT_EQ(BRect(360, 150, 368, 158), ColorSelectView::CellFrame(215))
		<< "the last block's bottom-right cell";

	// Clicks inside cells, at the centres and at the last pixels before the edges.
	struct Case { BPoint where; int cell; } cases[] = {
		{ BPoint(21, 111), 0 },
		{ BPoint(29, 111), 1 },
		{ BPoint(21, 119), 6 },
		{ BPoint(67, 157), 35 },
		{ BPoint(81, 111), 36 },
		{ BPoint(204, 140), 36 * 3 + 6 * 3 + 0 },
		{ BPoint(228, 140), 36 * 3 + 6 * 3 + 3 },
		{ BPoint(367, 157), 215 }
	};
	for (const Case& test : cases) {
		ClickView(test.where);
		EXPECT_EQ(test.cell, fView->SelectedCell()) << test.where.x << "," << test.where.y;
		EXPECT_EQ(Value(fView->WebSafeColor(test.cell)), Value(fView->CurrentColor()));
		EXPECT_EQ(Value(fView->CurrentColor()), Value(ControlColor()));
		EXPECT_EQ(Value(fView->CurrentColor()), ShownPixel(fWindow, BPoint(345, 55)));
		EXPECT_EQ(RGB(255, 255, 255), ShownPixel(fWindow,
			ColorSelectView::CellFrame(test.cell).LeftBottom()))
			<< "the selected cell is framed in white";
	}
	SaveShot(fWindow, "picker-last-cell");

	// On the edges and between blocks nothing happens.
	BPoint misses[] = { BPoint(20, 130), BPoint(68, 130), BPoint(74, 130),
		BPoint(80, 130), BPoint(200, 110), BPoint(200, 158), BPoint(380, 130) };
	for (BPoint where : misses) {
		ClickView(where);
		EXPECT_EQ(215, fView->SelectedCell()) << where.x << "," << where.y;
		EXPECT_EQ(RGB(255, 255, 255), Value(fView->CurrentColor()));
	}
}


TEST_F(PickerTest, SlotsAreChosenInsideAndSetColorStoresAndSaves)
{
	fDir.Write("Settings/colors", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ");
	Open();
	EXPECT_EQ(RGB(10, 11, 12), Value(fView->UserColor(3)));

	ClickView(BPoint(135, 85));
	EXPECT_EQ(3, fView->SelectedSlot());
	EXPECT_EQ(RGB(10, 11, 12), Value(fView->CurrentColor()));
	EXPECT_EQ(RGB(10, 11, 12), Value(ControlColor()));
	EXPECT_EQ(RGB(255, 255, 255), ShownPixel(fWindow, BPoint(130, 70)));

	// Between two slots, and on a slot's very edge, nothing is chosen.
	ClickView(BPoint(45, 85));
	ClickView(BPoint(90, 85));
	ClickView(BPoint(100, 70));
	EXPECT_EQ(3, fView->SelectedSlot());

	// The control's colour goes into the selected slot and the file at once.
	rgb_color chosen = { 12, 34, 56, 255 };
	Locked(fWindow, [&]() { fView->ColorControl()->SetValue(chosen); });
	ClickButton("set");
	EXPECT_EQ(RGB(12, 34, 56), Value(fView->UserColor(3)));
	EXPECT_EQ("1 2 3 4 5 6 7 8 9 12 34 56 13 14 15 ", fDir.Read("Settings/colors"));
	EXPECT_EQ(RGB(12, 34, 56), ShownPixel(fWindow, BPoint(145, 85)));

	// A new picker reads it back into the same slot.
	Close();
	Open();
	EXPECT_EQ(RGB(12, 34, 56), Value(fView->UserColor(3)));
	EXPECT_EQ(RGB(12, 34, 56), ShownPixel(fWindow, BPoint(145, 85)));
}


TEST_F(PickerTest, ControlInsertCancelAndCloseBoxReportAndHide)
{
	Open();

	// A change in the colour control shows in the preview.
	BRect ramps;
	Locked(fWindow, [&]() { ramps = fView->ColorControl()->RampsFrame(); });
	HeadlessTest::Click(ScreenPoint(fView->ColorControl(),
		BPoint(ramps.left + ramps.Width() * 0.75, ramps.top + ramps.Height() * 0.3)));
	WaitIdle();
	rgb_color fromControl = ControlColor();
	EXPECT_NE(Value(fView->UserColor(0)), Value(fromControl));
	EXPECT_EQ(Value(fromControl), Value(fView->CurrentColor()));
	EXPECT_EQ(Value(fromControl), ShownPixel(fWindow, BPoint(345, 55)));

	// "Insert color" sends the current colour to the application, then the close.
	ClickView(ColorSelectView::CellFrame(36 * 2 + 2).LeftTop() + BPoint(4, 4));
	ClickButton("insert");
	std::vector<ColorMessage> sent = TestApp()->log.Messages();
	ASSERT_EQ(2u, sent.size());
	EXPECT_EQ((uint32)kMsgInsertColorText, sent[0].what);
	EXPECT_EQ("#660066", sent[0].color);
	EXPECT_EQ((uint32)kMsgColorPickerClosed, sent[1].what);
	EXPECT_TRUE(IsHidden());

	// "Cancel" only reports the close.
	TestApp()->log.Clear();
	ShowActive(fWindow);
	ClickButton("cancel");
	EXPECT_EQ(1, TestApp()->log.CountOf(kMsgColorPickerClosed));
	EXPECT_EQ(0, TestApp()->log.CountOf(kMsgInsertColorText));
	EXPECT_TRUE(IsHidden());

	// The close box hides the window and keeps it.
	TestApp()->log.Clear();
	ShowActive(fWindow);
	EXPECT_EQ(B_OK, HeadlessTest::CloseBox(BPrivate::WindowAccess::ServerWindowOf(fWindow)));
	WaitIdle();
	EXPECT_EQ(1, TestApp()->log.CountOf(kMsgColorPickerClosed));
	EXPECT_TRUE(IsHidden());
	EXPECT_EQ(RGB(102, 0, 102), Value(fView->CurrentColor()));

	// A closed picker does not hold the application back when it quits: it agrees
	// and goes with the other windows.
	TestApp()->quitAnswer = -1;
	TestApp()->PostMessage(kAskQuit);
	ASSERT_TRUE(Eventually([]() { return TestApp()->quitAnswer != -1; }));
	EXPECT_EQ(1, TestApp()->quitAnswer);
	WaitIdle();
	bool stillThere = false;
	for (int32 i = 0; i < TestApp()->CountWindows(); i++)
		stillThere |= TestApp()->WindowAt(i) == fWindow;
	EXPECT_FALSE(stillThere);
	if (!stillThere)
		fWindow = NULL;
}


TEST_F(PickerTest, DamagedOrMissingColorsFileOpensWithSensibleSlots)
{
	rgb_color defaults[UserColors::kCount];
	UserColors::SetDefaults(defaults);

	fDir.Write("Settings/colors", "300 20 abc 1 2 3 -5 0 0");
	Open();
	EXPECT_EQ(Value(defaults[0]), Value(fView->UserColor(0)));
	EXPECT_EQ(RGB(1, 2, 3), Value(fView->UserColor(1)));
	for (int slot = 2; slot < UserColors::kCount; slot++)
		EXPECT_EQ(Value(defaults[slot]), Value(fView->UserColor(slot))) << slot;
	Close();

	fDir.Write("Settings/colors", std::string("\0\xff\n1 2 3", 7));
	Open();
	for (int slot = 0; slot < UserColors::kCount; slot++)
		EXPECT_EQ(Value(defaults[slot]), Value(fView->UserColor(slot))) << slot;
	Close();

	std::filesystem::remove(fDir.File("Settings/colors"));
	Open();
	for (int slot = 0; slot < UserColors::kCount; slot++)
		EXPECT_EQ(Value(defaults[slot]), Value(fView->UserColor(slot))) << slot;
	EXPECT_FALSE(fDir.Exists("Settings/colors")) << "opening writes nothing";
}


TEST_F(PickerTest, AFileThatCannotBeWrittenIsKeptAndTheUserIsTold)
{
	// A folder in the file's place cannot be replaced by a file.
	std::filesystem::create_directories(fDir.File("Settings/colors/keep"));
	Open();
	rgb_color chosen = { 200, 10, 20, 255 };
	Locked(fWindow, [&]() { fView->ColorControl()->SetValue(chosen); });
	BView* setButton = NULL;
	Locked(fWindow, [&]() { setButton = fView->FindView("set"); });
	HeadlessTest::Click(ScreenCenter(setButton));

	BAlert* alert = NULL;
	// The picker's thread waits in the alert, so the test polls instead of waiting
	// for idle windows.
	ASSERT_TRUE(Eventually([&]() {
		alert = FindAlert();
		return alert != NULL && alert->IsActive();
	}));
	EXPECT_EQ(B_STOP_ALERT, alert->Type());
	SaveShot(alert, "picker-alert");
	HeadlessTest::PressKey(BPrivate::kKeyEnter);
	ASSERT_TRUE(Eventually([&]() { return FindAlert() == NULL; }));
	WaitIdle();

	EXPECT_TRUE(std::filesystem::is_directory(fDir.File("Settings/colors/keep")));
	EXPECT_EQ(RGB(200, 10, 20), Value(fView->UserColor(0)))
		<< "the colour stays in the slot for this session";
	for (const auto& entry : std::filesystem::directory_iterator(fDir.File("Settings")))
		EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".tmp"));
}


TEST_F(PickerTest, DictionaryFollowsTheFirstSettingsLine)
{
	fDir.Write("Settings/settings", "language=\"Polski\"\nname=\"A\"\n");
	Open();
	EXPECT_STREQ("Polski", fView->Language());
	EXPECT_EQ("Ustaw kolor", Label("set"));
	EXPECT_EQ("Wstaw kolor", Label("insert"));
	EXPECT_EQ("Anuluj", Label("cancel"));
	SaveShot(fWindow, "picker-polski");
	Close();

	// Lines without "=" are skipped; the first line with one names the language,
	// whatever its key.
	fDir.Write("Settings/settings", "# note\n\nfirst=\"Deutsch\"\nlanguage=\"Polski\"\n");
	Open();
	EXPECT_STREQ("Deutsch", fView->Language());
	EXPECT_EQ("Abbrechen", Label("cancel"));

	char name[64];
	char value[64];
	char line[64] = "icons=\"small\"\n";
	EXPECT_TRUE(fView->GetLine(line, name, value));
	EXPECT_STREQ("icons", name);
	EXPECT_STREQ("small", value);
	char unclosed[64] = "gfx_dir=\"gfx\r\n";
	EXPECT_TRUE(fView->GetLine(unclosed, name, value));
	EXPECT_STREQ("gfx", value);
	char bare[64] = "size=12";
	EXPECT_TRUE(fView->GetLine(bare, name, value));
	EXPECT_STREQ("12", value);
	char none[64] = "no equals sign";
	EXPECT_FALSE(fView->GetLine(none, name, value));
	EXPECT_STREQ("", name);
	EXPECT_STREQ("", value);
}
