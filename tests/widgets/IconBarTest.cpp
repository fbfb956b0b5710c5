// The icon bar: the layout of its items (from x = 10, gaps closed on removal, the full
// bar), the two sizes, the drawing of bar, grip and icons as the screen shows them, the
// press loop through the headless server, and the pop-up of the menu item.

#include "IconBar.h"

#include "BubbleHelper.h"
#include "QuorrelTools.h"

#include <Bitmap.h>
#include <Font.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>

#include "UiTestSupport.h"
#include "WidgetTestSupport.h"
#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

using BPrivate::HeadlessTest;

namespace {

const uint32 kLight = RGB(250, 250, 250);
const uint32 kDark = RGB(128, 128, 128);
const uint32 kBarGrey = RGB(220, 220, 220);

// The main window's first tool bar: item name and icon file, or a separator.
struct ToolItem {
	const char*	name;
	const char*	file;
};

const ToolItem kFirstBar[] = {
	{ "new_file", "new_document" }, { "open_file", "open_document" },
	{ "save_file", "save_document" }, { "separator", NULL },
	{ "cut", "cut" }, { "copy", "copy" }, { "paste", "paste" }, { "separator", NULL },
	{ "bold", "bold" }, { "italic", "italic" }, { "underline", "underline" },
	{ "separator", NULL },
	{ "left", "left" }, { "center", "center" }, { "right", "right" },
	{ "separator", NULL },
	{ "color", "color" }
};
const int32 kFirstBarCount = sizeof(kFirstBar) / sizeof(kFirstBar[0]);

const float kNormalX[] = { 10, 45, 80, 115, 119, 154, 189, 224, 228, 263, 298, 333, 337,
	372, 407, 442, 446 };


BBitmap*
LoadIcon(const char* file, bool small)
{
	std::string path = std::string(QUORREL_SOURCE_DIR) + "/data/Icons/" + file
		+ (small ? "_s" : "") + ".bmp";
	return QuorrelTools().LoadBitmap(path.c_str());
}


// The first bar's items, with what they keep; the bar holds the views.
struct FirstBar {
	std::vector<std::unique_ptr<BMessage>> messages;
	std::vector<std::unique_ptr<BBitmap>> bitmaps;
	std::vector<IconBarIcon*> icons;
	std::vector<BView*> items;

	void Fill(IconBar* bar, BubbleHelper* helper)
	{
		for (const ToolItem& item : kFirstBar) {
			if (item.file == NULL) {
				IconBarSeparator* separator = new IconBarSeparator(item.name);
				ASSERT_EQ(B_OK, bar->InsertSeparator(separator));
				items.push_back(separator);
				continue;
			}
			messages.emplace_back(new BMessage(kClick));
			BBitmap* normal = LoadIcon(item.file, false);
			BBitmap* small = LoadIcon(item.file, true);
			ASSERT_NE(nullptr, normal) << item.file;
			ASSERT_NE(nullptr, small) << item.file;
			bitmaps.emplace_back(normal);
			bitmaps.emplace_back(small);
			IconBarIcon* icon = new IconBarIcon(item.name, item.name,
				messages.back().get(), normal, small, helper);
			ASSERT_EQ(B_OK, bar->InsertIcon(icon));
			icons.push_back(icon);
			items.push_back(icon);
		}
	}
};


uint32
BitmapPixel(const BBitmap* bitmap, int32 x, int32 y)
{
	const uint8* row = (const uint8*)bitmap->Bits() + y * bitmap->BytesPerRow();
	return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
}


// How many of the bitmap's pixels the window shows at leftTop (window coordinates).
int32
MatchingPixels(BWindow* window, const BBitmap* bitmap, BPoint leftTop)
{
	int32 size = (int32)bitmap->Bounds().Width() + 1;
	int32 matching = 0;
	for (int32 y = 0; y < size; y++) {
		for (int32 x = 0; x < size; x++) {
			if (ShownPixel(window, leftTop + BPoint(x, y)) == BitmapPixel(bitmap, x, y))
				matching++;
		}
	}
	return matching;
}


bool
MenuWindowShown()
{
	for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
		BPrivate::ServerWindow* window = BPrivate::WindowAccess::ServerWindowOf(entry.window);
		if (window != NULL && window->Title() == "menu" && !window->IsHidden())
			return true;
	}
	return false;
}


class IconBarWindowTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new CountingWindow(BRect(50, 50, 549, 249), 216);
		TestApp()->counter.Clear();
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	CountingWindow* fWindow;
};

}	// namespace


TEST(IconBarTest, ItemsFollowEachOtherAndRemovalClosesTheGap)
{
	IconBar bar("bar", 0);
	EXPECT_EQ(37, bar.GetSize());
	EXPECT_EQ(BRect(0, 0, 100, 37), bar.Frame());
	EXPECT_EQ(0, bar.CountItems()) << "the bar holds views, not menu items";

	IconBarIcon* a = new IconBarIcon("a", "A", NULL, NULL, NULL, NULL);
	IconBarIcon* b = new IconBarIcon("b", "B", NULL, NULL, NULL, NULL);
	IconBarSeparator* separator = new IconBarSeparator("separator");
	IconBarIcon* c = new IconBarIcon("c", "C", NULL, NULL, NULL, NULL);
	EXPECT_EQ(33, a->GetWidth());
	EXPECT_EQ(2, separator->GetWidth());
	bar.InsertIcon(a);
	bar.InsertIcon(b);
	bar.InsertSeparator(separator);
	bar.InsertIcon(c);
	EXPECT_EQ(4, bar.CountIcons());
	EXPECT_EQ(BPoint(10, 2), a->Frame().LeftTop());
	EXPECT_EQ(BPoint(45, 2), b->Frame().LeftTop());
	EXPECT_EQ(BPoint(80, 2), separator->Frame().LeftTop());
	EXPECT_EQ(BPoint(84, 2), c->Frame().LeftTop());
	EXPECT_EQ(45, bar.SlotPosition(0));
	EXPECT_EQ(119, bar.SlotPosition(3));
	EXPECT_EQ(-1, bar.SlotPosition(4));
	EXPECT_EQ(119, bar.EndX());

	// A name that no item of that kind carries changes nothing.
	EXPECT_EQ(nullptr, bar.DeleteIcon("nobody"));
	EXPECT_EQ(nullptr, bar.DeleteSeparator("a"));
	EXPECT_EQ(nullptr, bar.DeleteButton(0));
	EXPECT_EQ(nullptr, bar.DeleteIcon(2)) << "slot 2 holds a separator";
	EXPECT_EQ(nullptr, bar.DeleteIcon(-1));
	EXPECT_EQ(nullptr, bar.DeleteIcon(500));
	EXPECT_EQ(4, bar.CountIcons());
	EXPECT_EQ(BPoint(84, 2), c->Frame().LeftTop());

	// Removing the second item moves the later ones left and hands it back.
	EXPECT_EQ(b, bar.DeleteIcon("b"));
	EXPECT_EQ(nullptr, b->Parent());
	EXPECT_EQ(3, bar.CountIcons());
	EXPECT_EQ(BPoint(45, 2), separator->Frame().LeftTop());
	EXPECT_EQ(BPoint(49, 2), c->Frame().LeftTop());
	EXPECT_EQ(c, bar.SlotView(2));
	EXPECT_EQ(nullptr, bar.SlotView(3));

	EXPECT_EQ(a, bar.DeleteIcon(0));
	EXPECT_EQ(BPoint(10, 2), separator->Frame().LeftTop());
	EXPECT_EQ(BPoint(14, 2), c->Frame().LeftTop());

	// A re-inserted item goes to the end.
	bar.InsertIcon(b);
	EXPECT_EQ(BPoint(49, 2), b->Frame().LeftTop());
	EXPECT_EQ(b, bar.SlotView(2));
	EXPECT_EQ(separator, bar.DeleteSeparator("separator"));
	EXPECT_EQ(BPoint(10, 2), c->Frame().LeftTop());
	EXPECT_EQ(BPoint(45, 2), b->Frame().LeftTop());
	delete a;
	delete separator;
}


TEST(IconBarTest, AFullBarRefusesMore)
{
	IconBar bar("bar", 0);
	EXPECT_EQ(B_BAD_VALUE, bar.InsertIcon(NULL));
	for (int32 i = 0; i < IconBar::kMaxItems; i++)
		ASSERT_EQ(B_OK, bar.InsertSeparator(new IconBarSeparator("separator")));
	IconBarSeparator* extra = new IconBarSeparator("extra");
	EXPECT_EQ(B_NO_MEMORY, bar.InsertSeparator(extra));
	EXPECT_EQ(IconBar::kMaxItems, bar.CountIcons());
	EXPECT_EQ(nullptr, extra->Parent());
	EXPECT_EQ(10 + 4 * IconBar::kMaxItems, bar.EndX());
	EXPECT_EQ(nullptr, bar.DeleteSeparator("extra"));
	delete extra;

	// A freed slot takes an item again.
	delete bar.DeleteSeparator("separator");
	EXPECT_EQ(B_OK, bar.InsertIcon(new IconBarIcon("icon", "", NULL, NULL, NULL, NULL)));
	EXPECT_EQ(IconBar::kMaxItems, bar.CountIcons());
}


TEST(IconBarTest, SizesSwitchEveryItem)
{
	BubbleHelper helper;
	IconBar bar("icon bar1", 0);
	FirstBar first;
	first.Fill(&bar, &helper);
	ASSERT_EQ(kFirstBarCount, bar.CountIcons());
	for (int32 i = 0; i < kFirstBarCount; i++)
		EXPECT_EQ(kNormalX[i], first.items[i]->Frame().left) << kFirstBar[i].name;
	EXPECT_STREQ("save_file", helper.GetHelp(first.icons[2]));

	bar.SetSize(1);
	EXPECT_EQ(21, bar.GetSize());
	EXPECT_EQ(21, bar.Bounds().Height());
	float x = 10;
	for (int32 i = 0; i < kFirstBarCount; i++) {
		BView* item = first.items[i];
		bool separator = kFirstBar[i].file == NULL;
		EXPECT_EQ(BRect(x, 2, x + (separator ? 2 : 17), 19), item->Frame())
			<< kFirstBar[i].name;
		x += separator ? 4 : 19;
	}
	EXPECT_TRUE(first.icons[0]->IsSmall());

	bar.SetSize(7);
	EXPECT_EQ(21, bar.GetSize()) << "an unknown size changes nothing";
	EXPECT_EQ(17, first.icons[0]->Bounds().Width());

	bar.SetSize(0);
	EXPECT_EQ(37, bar.GetSize());
	EXPECT_FALSE(first.icons[0]->IsSmall());
	for (int32 i = 0; i < kFirstBarCount; i++)
		EXPECT_EQ(kNormalX[i], first.items[i]->Frame().left) << kFirstBar[i].name;
	EXPECT_EQ(BRect(0, 0, 33, 33), first.icons[5]->Bounds());
	EXPECT_EQ(BRect(0, 0, 2, 33), first.items[3]->Bounds());
}


TEST(IconBarTest, TextItemsAreAsWideAsTheirLabels)
{
	BFont font(be_plain_font);
	font.SetSize(12);
	const char* wide = "A wide label";
	float wideWidth = font.StringWidth(wide);

	IconBarButton narrow("narrow", "I", "", NULL, NULL);
	EXPECT_EQ(BRect(0, 0, 26, 33), narrow.Bounds()) << "a narrow label keeps the frame";
	narrow.SetSize(33);
	EXPECT_FLOAT_EQ(font.StringWidth("I") + 10, narrow.Bounds().Width());

	IconBarButton button("button", wide, "", NULL, NULL);
	EXPECT_FLOAT_EQ(wideWidth + 10, button.Bounds().Width());
	EXPECT_EQ(33, button.Bounds().Height());
	button.SetSize(17);
	EXPECT_EQ(17, button.Bounds().Height());
	EXPECT_STREQ(wide, button.GetLabel());

	IconBarMenu shortMenu("menu", "I", "", NULL, NULL);
	EXPECT_EQ(BRect(0, 0, 26, 18), shortMenu.Bounds());
	IconBarMenu menu("menu", wide, "", NULL, NULL);
	EXPECT_FLOAT_EQ(wideWidth + 10, menu.Bounds().Width());
	EXPECT_EQ(33, menu.Bounds().Height());
	EXPECT_STREQ("pop_menu", menu.Menu()->Name());
	EXPECT_TRUE(menu.Menu()->IsRadioMode());
	EXPECT_TRUE(menu.Menu()->IsLabelFromMarked());

	IconBar bar("bar", 0);
	bar.InsertButton(new IconBarButton("b1", wide, "", NULL, NULL));
	bar.InsertMenu(new IconBarMenu("m1", wide, "", NULL, NULL));
	bar.InsertButton(new IconBarButton("b2", "I", "", NULL, NULL));
	int32 width = (int32)(wideWidth + 10);
	EXPECT_EQ(10 + width + 2, bar.SlotView(1)->Frame().left);
	EXPECT_EQ(10 + 2 * (width + 2), bar.SlotView(2)->Frame().left);
	EXPECT_NE(nullptr, bar.DeleteMenu("m1"));
	delete bar.DeleteButton("b1");
	EXPECT_EQ(10, bar.SlotView(0)->Frame().left);
}


TEST_F(IconBarWindowTest, BarsFollowTheWindowAndShowTheirIcons)
{
	BubbleHelper helper;
	IconBar* bar1 = new IconBar("icon bar1", 0);
	IconBar* bar2 = new IconBar("icon bar2", 38);
	FirstBar first;
	first.Fill(bar1, &helper);
	Locked(fWindow, [&]() {
		fWindow->Panel()->AddChild(bar1);
		fWindow->Panel()->AddChild(bar2);
	});
	ShowActive(fWindow);
	SaveShot(fWindow, "iconbar_normal");

	Locked(fWindow, [&]() {
		EXPECT_EQ(BRect(0, 0, 500, 37), bar1->Frame()) << "as wide as the window, plus 1";
		EXPECT_EQ(BRect(0, 38, 500, 75), bar2->Frame());
	});
	// The grip, the edges, the separator.
	EXPECT_EQ(kLight, ShownPixel(fWindow, BPoint(3, 10)));
	EXPECT_EQ(kDark, ShownPixel(fWindow, BPoint(4, 10)));
	EXPECT_EQ(kLight, ShownPixel(fWindow, BPoint(6, 10)));
	EXPECT_EQ(kDark, ShownPixel(fWindow, BPoint(7, 10)));
	EXPECT_EQ(kBarGrey, ShownPixel(fWindow, BPoint(5, 10)));
	EXPECT_EQ(kLight, ShownPixel(fWindow, BPoint(300, 0)));
	EXPECT_EQ(kDark, ShownPixel(fWindow, BPoint(300, 37)));
	EXPECT_EQ(kDark, ShownPixel(fWindow, BPoint(116, 20)));
	EXPECT_EQ(kLight, ShownPixel(fWindow, BPoint(117, 20)));
	EXPECT_EQ(kLight, ShownPixel(fWindow, BPoint(3, 40)));
	// Each icon shows its normal picture inside the flat face.
	for (size_t i = 0; i < first.icons.size(); i++) {
		BPoint leftTop = first.icons[i]->Frame().LeftTop() + BPoint(1, 1);
		EXPECT_EQ(32 * 32, MatchingPixels(fWindow, first.bitmaps[2 * i].get(), leftTop))
			<< first.icons[i]->GetName();
	}

	Locked(fWindow, [&]() {
		bar1->SetSize(1);
		bar2->SetSize(1);
		bar2->SetPosY((int)bar1->Bounds().bottom + 1);
	});
	WaitIdle();
	SaveShot(fWindow, "iconbar_small");
	Locked(fWindow, [&]() {
		EXPECT_EQ(BRect(0, 0, 500, 21), bar1->Frame());
		EXPECT_EQ(BRect(0, 22, 500, 43), bar2->Frame()) << "moved at its drawing";
	});
	for (size_t i = 0; i < first.icons.size(); i++) {
		BPoint leftTop = first.icons[i]->Frame().LeftTop() + BPoint(1, 1);
		EXPECT_EQ(16 * 16, MatchingPixels(fWindow, first.bitmaps[2 * i + 1].get(), leftTop))
			<< first.icons[i]->GetName();
	}
	EXPECT_EQ(kDark, ShownPixel(fWindow, BPoint(300, 21)));
	EXPECT_EQ(kLight, ShownPixel(fWindow, BPoint(300, 22)));
}


TEST_F(IconBarWindowTest, AClickPostsToTheWindowAndTheApplication)
{
	IconBar* bar = new IconBar("bar", 0);
	BMessage click(kClick);
	IconBarIcon* icon = new IconBarIcon("icon", "help", &click, NULL, NULL, NULL);
	BMessage other(kOther);
	IconBarButton* button = new IconBarButton("button", "Text", "help", &other, NULL);
	bar->InsertIcon(icon);
	bar->InsertButton(button);
	Locked(fWindow, [&]() { fWindow->Panel()->AddChild(bar); });
	ShowActive(fWindow);

	BPoint corner = icon->Frame().LeftTop();
	BPoint center = ScreenCenter(icon);
	BPoint outside = ScreenPoint(fWindow->Panel(), BPoint(300, 150));
	EXPECT_EQ(kBarGrey, ShownPixel(fWindow, corner)) << "flat";

	HeadlessTest::MoveMouse(center);
	WaitIdle();
	EXPECT_EQ(1, icon->State());
	EXPECT_EQ(kLight, ShownPixel(fWindow, corner)) << "raised under the pointer";
	EXPECT_EQ(kDark, ShownPixel(fWindow, corner + BPoint(33, 33)));

	HeadlessTest::Click(center);
	WaitIdle();
	EXPECT_EQ(1, fWindow->counter.CountOf(kClick));
	EXPECT_EQ(1, TestApp()->counter.CountOf(kClick));
	EXPECT_EQ(1, icon->State());

	HeadlessTest::PressMouse(center);
	EXPECT_TRUE(Eventually([&]() { return ShownPixel(fWindow, corner) == kDark; }))
		<< "sunken while pressed";
	HeadlessTest::MoveMouse(outside);
	EXPECT_TRUE(Eventually([&]() { return ShownPixel(fWindow, corner) == kBarGrey; }));
	HeadlessTest::ReleaseMouse(outside);
	WaitIdle();
	EXPECT_EQ(1, fWindow->counter.CountOf(kClick)) << "released outside: nothing";
	EXPECT_EQ(1, TestApp()->counter.CountOf(kClick));

	HeadlessTest::PressMouse(center);
	HeadlessTest::MoveMouse(outside);
	HeadlessTest::MoveMouse(center);
	HeadlessTest::ReleaseMouse(center);
	WaitIdle();
	EXPECT_EQ(2, fWindow->counter.CountOf(kClick)) << "out and back in: once";
	EXPECT_EQ(2, TestApp()->counter.CountOf(kClick));

	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ScreenCenter(button));
	WaitIdle();
	EXPECT_EQ(1, fWindow->counter.CountOf(kOther));
	EXPECT_EQ(1, TestApp()->counter.CountOf(kOther));
	EXPECT_EQ(2, fWindow->counter.CountOf(kClick));

	// Leaving and removal bring the item back to flat.
	HeadlessTest::MoveMouse(outside);
	WaitIdle();
	EXPECT_EQ(0, button->State());
}


TEST_F(IconBarWindowTest, TheMenuItemPopsUpItsMenu)
{
	IconBar* bar = new IconBar("bar", 0);
	BMessage own(kClick);
	IconBarMenu* menu = new IconBarMenu("menu", "Choose", "help", &own, NULL);
	menu->AddItem(new BMenuItem("First", new BMessage(kMenuChoice)));
	menu->AddSeparatorItem();
	menu->AddItem(new BMenuItem("Second", new BMessage(kOther)));
	bar->InsertMenu(menu);
	Locked(fWindow, [&]() { fWindow->Panel()->AddChild(bar); });
	ShowActive(fWindow);

	BPoint center = ScreenCenter(menu);
	BRect menuFrame;
	Locked(fWindow, [&]() { menuFrame = menu->ConvertToScreen(menu->Bounds()); });
	HeadlessTest::Click(center);
	// The window's thread waits in the menu's loop now, so the window is never idle
	// until the menu closes.
	ASSERT_TRUE(Eventually(MenuWindowShown));
	BMenuItem* second = menu->Menu()->ItemAt(2);
	BRect itemFrame;
	BWindow* menuWindow = menu->Menu()->Window();
	ASSERT_NE(nullptr, menuWindow);
	Locked(menuWindow, [&]() {
		itemFrame = menu->Menu()->ConvertToScreen(second->Frame());
	});
	EXPECT_GT(itemFrame.top, menuFrame.bottom) << "the menu opens below the item";

	if (getenv("QUORREL_WIDGET_SHOTS") != NULL) {
		snooze(300000);
		std::string path = std::string(getenv("QUORREL_WIDGET_SHOTS")) + "/menu_screen.png";
		HeadlessTest::SaveScreenPNG(path.c_str());
	}

	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(BPoint(itemFrame.left + 10, (itemFrame.top + itemFrame.bottom) / 2));
	EXPECT_TRUE(Eventually([&]() { return !MenuWindowShown(); }));
	WaitIdle();
	EXPECT_TRUE(Eventually([&]() { return fWindow->counter.CountOf(kOther) == 1; }))
		<< "the choice reaches the window";
	EXPECT_EQ(1, fWindow->counter.CountOf(kOther)) << "an item without a target: once";
	EXPECT_EQ(0, fWindow->counter.CountOf(kMenuChoice));
	// The button was released on the menu, outside the item: its own message stays.
	EXPECT_EQ(0, fWindow->counter.CountOf(kClick));
	EXPECT_TRUE(second->IsMarked()) << "radio mode marks the choice";
}
