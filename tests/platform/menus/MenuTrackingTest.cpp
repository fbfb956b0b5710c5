// Menus through the headless server: the mouse in both styles, the keyboard, shortcuts
// through the window, pop-up menus and menu fields.

#include "MenuTestSupport.h"

#include <MenuField.h>
#include <OS.h>
#include <PopUpMenu.h>

#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using BPrivate::HeadlessTest;

namespace {

// A window at (100, 100) with a File and an Edit menu, as an editor has them.
struct EditorWindow {
	MessageLog		log;
	LoggingWindow*	window;
	BMenuBar*		bar;
	BMenu*			file;
	BMenu*			edit;
	BMenu*			convert;
	KeyView*		keys;

	EditorWindow()
	{
		window = new LoggingWindow(log, BRect(100, 100, 499, 399));
		keys = new KeyView(BRect(0, 40, 399, 299));
		window->AddChild(keys);
		bar = new BMenuBar(BRect(0, 0, 399, 19), "menu_bar");
		file = new BMenu("File");
		file->AddItem(new BMenuItem("New", new BMessage('MFnf'), 'N'));
		file->AddItem(new BMenuItem("Open file", new BMessage('MFof'), 'O'));
		file->AddItem(new BMenuItem("Save file", new BMessage('MFsf'), 'S'));
		file->AddItem(new BMenuItem("Save file as...", new BMessage('MFsa'), 'S',
			B_SHIFT_KEY));
		file->AddItem(new BMenuItem("Save project", new BMessage('MFsp'), 'S',
			B_SHIFT_KEY | B_OPTION_KEY));
		file->FindItem("Save project")->SetEnabled(false);
		file->AddSeparatorItem();
		file->AddItem(new BMenuItem("Close file", new BMessage('MFcf'), 'C',
			B_SHIFT_KEY));
		edit = new BMenu("Edit");
		edit->AddItem(new BMenuItem("Undo", new BMessage('MEun'), 'Z'));
		edit->AddItem(new BMenuItem("Settings", new BMessage('MEse')));
		convert = new BMenu("Convert");
		convert->AddItem(new BMenuItem("CR/LF->LF", new BMessage('COcr')));
		convert->AddItem(new BMenuItem("LF->CR/LF", new BMessage('COlf')));
		edit->AddItem(convert);
		bar->AddItem(file);
		bar->AddItem(edit);
		window->AddChild(bar);
		keys->MakeFocus(true);
		window->Show();
		WaitIdle();
	}

	~EditorWindow()
	{
		window->Lock();
		window->Quit();
		WaitIdle();
	}

	// A bar title's middle on screen.
	BPoint Title(BMenu* menu)
	{
		return ItemCenter(menu->Superitem());
	}

	BPoint Item(BMenu* menu, const char* label)
	{
		return ItemCenter(menu->FindItem(label));
	}
};

// A point in the mark column of an open menu's item, left of its label.
float
LeftOf(BMenuItem* item)
{
	BMenu* menu = item->Menu();
	menu->Window()->Lock();
	float left = menu->ConvertToScreen(item->Frame()).left + 8;
	menu->Window()->Unlock();
	return left;
}

}	// namespace


TEST(MenuTrackingTest, PressDragRelease)
{
	EditorWindow editor;
	EXPECT_EQ(editor.bar, editor.window->KeyMenuBar());
	HeadlessTest::PressMouse(editor.Title(editor.file));
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.file));
	// The menu opens right below its title.
	BPoint save = editor.Item(editor.file, "Save file");
	EXPECT_GT(save.y, 120);
	HeadlessTest::MoveMouse(save);
	WaitIdle();
	HeadlessTest::ReleaseMouse(save);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	std::vector<std::string> expected = { "MFsf 2" };
	EXPECT_EQ(expected, editor.log.Entries());

	// Dragging across the bar switches menus; releasing outside every menu sends
	// nothing and closes them.
	editor.log.Clear();
	HeadlessTest::PressMouse(editor.Title(editor.file));
	WaitIdle();
	HeadlessTest::MoveMouse(editor.Title(editor.edit));
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	ASSERT_TRUE(IsOpen(editor.edit));
	BPoint undo = editor.Item(editor.edit, "Undo");
	HeadlessTest::MoveMouse(undo);
	WaitIdle();
	HeadlessTest::ReleaseMouse(BPoint(450, 350));
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.edit));
	EXPECT_TRUE(editor.log.Entries().empty());

	// The focus view has its focus back.
	editor.window->Lock();
	EXPECT_EQ(editor.keys, editor.window->CurrentFocus());
	editor.window->Unlock();
}


TEST(MenuTrackingTest, ClickThenClickWithSubmenu)
{
	EditorWindow editor;
	HeadlessTest::Click(editor.Title(editor.edit));
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.edit));

	// Hovering the submenu's item opens it beside; another item closes it again.
	HeadlessTest::MoveMouse(editor.Item(editor.edit, "Convert"));
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.convert));
	HeadlessTest::MoveMouse(editor.Item(editor.edit, "Undo"));
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.convert));
	HeadlessTest::MoveMouse(editor.Item(editor.edit, "Convert"));
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.convert));
	BPoint convertItem = editor.Item(editor.edit, "Convert");
	BPoint lf = editor.Item(editor.convert, "LF->CR/LF");
	EXPECT_GT(lf.x, convertItem.x);

	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::MoveMouse(lf);
	HeadlessTest::Click(lf);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.convert));
	EXPECT_FALSE(IsOpen(editor.edit));
	std::vector<std::string> expected = { "COlf 1" };
	EXPECT_EQ(expected, editor.log.Entries());

	// A click on a disabled item keeps the menu open; a click outside closes it.
	editor.log.Clear();
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(editor.Title(editor.file));
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.file));
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(editor.Item(editor.file, "Save project"));
	WaitIdle();
	EXPECT_TRUE(IsOpen(editor.file));
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(BPoint(400, 300));
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	EXPECT_TRUE(editor.log.Entries().empty());
	// That click was the menus'; the window's views did not see it as typing either.
	EXPECT_EQ("", editor.keys->Keys());
}


TEST(MenuTrackingTest, KeyboardNavigation)
{
	EditorWindow editor;
	HeadlessTest::Click(editor.Title(editor.file));
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.file));
	// Down selects New, then Open file; Up wraps past the top to the last item.
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	std::vector<std::string> expected = { "MFof 1" };
	EXPECT_EQ(expected, editor.log.Entries());

	// Right moves to the Edit menu; into the submenu and Escape back out of it.
	editor.log.Clear();
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(editor.Title(editor.file));
	WaitIdle();
	HeadlessTest::PressKey(BPrivate::kKeyRightArrow);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	ASSERT_TRUE(IsOpen(editor.edit));
	HeadlessTest::PressKey(BPrivate::kKeyUpArrow);
	HeadlessTest::PressKey(BPrivate::kKeyRightArrow);
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.convert));
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.convert));
	EXPECT_TRUE(IsOpen(editor.edit));
	HeadlessTest::PressKey(BPrivate::kKeyRightArrow);
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	expected = { "COlf 1" };
	EXPECT_EQ(expected, editor.log.Entries());
	EXPECT_FALSE(IsOpen(editor.edit));

	// Escape with only the bar's menu open closes everything; the keys went to the
	// menus, not to the focus view.
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(editor.Title(editor.file));
	WaitIdle();
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	EXPECT_EQ("", editor.keys->Keys());
}


TEST(MenuTrackingTest, ShortcutsThroughTheWindow)
{
	EditorWindow editor;
	int32 keyS = 0;
	uint32 ignored = 0;
	ASSERT_TRUE(BPrivate::KeyForCharacter('s', &keyS, &ignored));
	int32 keyZ = 0;
	ASSERT_TRUE(BPrivate::KeyForCharacter('z', &keyZ, &ignored));

	HeadlessTest::PressKey(keyS, B_COMMAND_KEY);
	HeadlessTest::PressKey(keyS, B_COMMAND_KEY | B_SHIFT_KEY);
	// The disabled item's shortcut does nothing at all.
	HeadlessTest::PressKey(keyS, B_COMMAND_KEY | B_SHIFT_KEY | B_OPTION_KEY);
	HeadlessTest::PressKey(keyZ, B_COMMAND_KEY);
	WaitIdle();
	std::vector<std::string> expected = { "MFsf 2", "MFsa 3", "MEun 0" };
	EXPECT_EQ(expected, editor.log.Entries());
	EXPECT_EQ("", editor.keys->Keys());

	// Plain typing still reaches the focus view.
	HeadlessTest::PressKey(keyS);
	WaitIdle();
	EXPECT_EQ("s", editor.keys->Keys());

	// Items with a target of their own send there.
	MessageLog otherLog;
	LoggingWindow* other = new LoggingWindow(otherLog, BRect(600, 100, 700, 200));
	other->Show();
	WaitIdle();
	editor.window->Lock();
	editor.file->SetTargetForItems(BMessenger(other));
	editor.window->Unlock();
	editor.window->Activate();
	WaitIdle();
	HeadlessTest::PressKey(keyS, B_COMMAND_KEY);
	WaitIdle();
	expected = { "MFsf 2" };
	EXPECT_EQ(expected, otherLog.Entries());
	other->Lock();
	other->Quit();
	WaitIdle();
}


TEST(MenuTrackingTest, PopUpGoAnswersTheChoice)
{
	MessageLog log;
	LoggingWindow* window = new LoggingWindow(log, BRect(100, 100, 399, 299));
	window->Show();
	WaitIdle();

	BPopUpMenu* menu = new BPopUpMenu("choices", false, false);
	menu->AddItem(new BMenuItem("First", new BMessage('one ')));
	menu->AddItem(new BMenuItem("Second", new BMessage('two ')));
	menu->SetTargetForItems(BMessenger(window));

	std::atomic<BMenuItem*> chosen(NULL);
	std::atomic<bool> done(false);
	std::thread waiter([&]() {
		chosen = menu->Go(BPoint(150, 150), true);
		done = true;
	});
	ASSERT_TRUE(WaitForMenuWindow());
	WaitIdle();
	HeadlessTest::Click(ItemCenter(menu->ItemAt(1)));
	waiter.join();
	EXPECT_EQ(menu->ItemAt(1), chosen.load());
	WaitIdle();
	std::vector<std::string> expected = { "two  1" };
	EXPECT_EQ(expected, log.Entries());
	EXPECT_EQ(nullptr, menu->Window());

	// A click on another window closes it without a choice.
	done = false;
	std::thread second([&]() {
		chosen = menu->Go(BPoint(150, 150));
		done = true;
	});
	ASSERT_TRUE(WaitForMenuWindow());
	WaitIdle();
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(BPoint(350, 280));
	second.join();
	EXPECT_EQ(nullptr, chosen.load());

	// Escape closes it as well; nothing more was sent.
	std::thread third([&]() { chosen = menu->Go(BPoint(150, 150)); });
	ASSERT_TRUE(WaitForMenuWindow());
	WaitIdle();
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	third.join();
	EXPECT_EQ(nullptr, chosen.load());
	WaitIdle();
	EXPECT_EQ(1u, log.Entries().size());
	delete menu;
	window->Lock();
	window->Quit();
	WaitIdle();
}


TEST(MenuTrackingTest, MenuFieldShowsTheMarkedLabel)
{
	MessageLog log;
	LoggingWindow* window = new LoggingWindow(log, BRect(100, 100, 449, 299));
	BView* panel = new BView(window->Bounds(), "panel", B_FOLLOW_ALL, B_WILL_DRAW);
	panel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	window->AddChild(panel);
	// A plain menu showing the marked label, as the file panels' encoding menus are.
	BMenu* menu = new BMenu("      ");
	menu->SetLabelFromMarked(true);
	menu->AddItem(new BMenuItem("ISO 8859-1", new BMessage('IS81')));
	menu->AddItem(new BMenuItem("ISO 8859-2", new BMessage('IS82')));
	menu->AddItem(new BMenuItem("KOI8-R", new BMessage('KO8r')));
	menu->ItemAt(1)->SetMarked(true);
	BMenuField* field = new BMenuField(BRect(10, 25, 300, 55), "encodings", "Encoding:",
		menu);
	field->SetDivider(80);
	panel->AddChild(field);
	window->Show();
	WaitIdle();

	EXPECT_EQ(menu, field->Menu());
	EXPECT_STREQ("ISO 8859-2", field->MenuItem()->Label());
	EXPECT_EQ(80, field->Divider());

	window->Lock();
	BRect box = field->ConvertToScreen(field->MenuFrame());
	window->Unlock();
	BPoint button((box.left + box.right) / 2, (box.top + box.bottom) / 2);

	// Marking from code redraws the button with the new label.
	std::vector<uint32> before;
	std::vector<uint32> after;
	int32 width;
	int32 height;
	ASSERT_EQ(B_OK, HeadlessTest::ScreenPixels(before, &width, &height));
	window->Lock();
	menu->ItemAt(0)->SetMarked(true);
	window->Unlock();
	WaitIdle();
	EXPECT_STREQ("ISO 8859-1", field->MenuItem()->Label());
	ASSERT_EQ(B_OK, HeadlessTest::ScreenPixels(after, &width, &height));
	int32 changed = 0;
	for (int32 y = (int32)box.top; y <= (int32)box.bottom; y++) {
		for (int32 x = (int32)box.left; x <= (int32)box.right; x++)
			changed += before[y * width + x] != after[y * width + x] ? 1 : 0;
	}
	EXPECT_GT(changed, 0);

	// Click, then click the item: it is marked, named on the button, and sent.
	HeadlessTest::Click(button);
	WaitIdle();
	ASSERT_NE(nullptr, menu->Window());
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ItemCenter(menu->ItemAt(2)));
	WaitIdle();
	EXPECT_EQ(nullptr, menu->Window());
	EXPECT_EQ(2, menu->IndexOf(menu->FindMarked()));
	EXPECT_FALSE(menu->ItemAt(0)->IsMarked());
	EXPECT_STREQ("KOI8-R", field->MenuItem()->Label());
	std::vector<std::string> expected = { "KO8r 2" };
	EXPECT_EQ(expected, log.Entries());

	// Press, drag to the first item and release there.
	log.Clear();
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::PressMouse(button);
	WaitIdle();
	ASSERT_NE(nullptr, menu->Window());
	BPoint first = ItemCenter(menu->ItemAt(0));
	HeadlessTest::MoveMouse(first);
	WaitIdle();
	HeadlessTest::ReleaseMouse(first);
	WaitIdle();
	EXPECT_EQ(nullptr, menu->Window());
	EXPECT_STREQ("ISO 8859-1", field->MenuItem()->Label());
	expected = { "IS81 0" };
	EXPECT_EQ(expected, log.Entries());

	// With the keyboard focus, Space opens it and the arrows choose.
	log.Clear();
	window->Lock();
	field->MakeFocus(true);
	window->Unlock();
	int32 keySpace = BPrivate::kKeySpace;
	HeadlessTest::PressKey(keySpace);
	WaitIdle();
	ASSERT_NE(nullptr, menu->Window());
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_EQ(nullptr, menu->Window());
	EXPECT_STREQ("ISO 8859-2", field->MenuItem()->Label());
	expected = { "IS82 1" };
	EXPECT_EQ(expected, log.Entries());

	// A disabled field does not open.
	window->Lock();
	field->SetEnabled(false);
	window->Unlock();
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(button);
	WaitIdle();
	EXPECT_EQ(nullptr, menu->Window());

	window->Lock();
	window->Quit();
	WaitIdle();
}


TEST(MenuTrackingTest, OpenMenuPicture)
{
	EditorWindow editor;
	HeadlessTest::Click(editor.Title(editor.edit));
	WaitIdle();
	HeadlessTest::MoveMouse(editor.Item(editor.edit, "Convert"));
	WaitIdle();
	ASSERT_TRUE(IsOpen(editor.convert));
	std::string path = std::string(QUORREL_TEST_BIN_DIR) + "/menus-open.png";
	EXPECT_EQ(B_OK, HeadlessTest::SaveScreenPNG(path.c_str()));

	// The selected item is drawn in the selection colour, the others in the menu's.
	uint32 pixel = 0;
	BPoint convert = editor.Item(editor.edit, "Convert");
	ASSERT_EQ(B_OK, HeadlessTest::ScreenPixel(BPoint(LeftOf(editor.edit->FindItem("Convert")), convert.y), &pixel));
	rgb_color selection = ui_color(B_MENU_SELECTION_BACKGROUND_COLOR);
	EXPECT_EQ(((uint32)selection.red << 16) | ((uint32)selection.green << 8)
		| selection.blue, pixel & 0xffffff);
	BPoint undo = editor.Item(editor.edit, "Undo");
	ASSERT_EQ(B_OK, HeadlessTest::ScreenPixel(BPoint(LeftOf(editor.edit->FindItem("Undo")), undo.y), &pixel));
	rgb_color background = ui_color(B_MENU_BACKGROUND_COLOR);
	EXPECT_EQ(((uint32)background.red << 16) | ((uint32)background.green << 8)
		| background.blue, pixel & 0xffffff);
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
}


namespace {

// Opens a pop-up menu from its own thread, as a tool-bar button does from MouseDown,
// and logs what Go answered.
class PopUpWindow : public LoggingWindow {
public:
	PopUpWindow(MessageLog& log, BPopUpMenu* menu)
		:
		LoggingWindow(log, BRect(100, 100, 399, 299)),
		fMenu(menu)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'go  ') {
			BMenuItem* item = fMenu->Go(BPoint(980, 740), false, false, false);
			answer = item != NULL ? item->Label() : "none";
			return;
		}
		LoggingWindow::MessageReceived(message);
	}

	std::atomic<const char*> answer { NULL };

private:
	BPopUpMenu* fMenu;
};


// A menu that only holds views, as a tool bar derived from BMenu does.
class ContainerMenu : public BMenu {
public:
	ContainerMenu()
		:
		BMenu(BRect(0, 0, 199, 36), "icon bar", B_FOLLOW_LEFT | B_FOLLOW_TOP,
			B_WILL_DRAW | B_NAVIGABLE, B_ITEMS_IN_COLUMN, true)
	{
	}
};


class ClickView : public BView {
public:
	ClickView(BRect frame)
		:
		BView(frame, "button", B_FOLLOW_NONE, B_WILL_DRAW)
	{
	}

	void MouseDown(BPoint where) override
	{
		clicks++;
	}

	std::atomic<int32> clicks { 0 };
};

}	// namespace


TEST(MenuTrackingTest, SynchronousGoFromAWindowNearTheScreenCorner)
{
	MessageLog log;
	BPopUpMenu* menu = new BPopUpMenu("tools", false, false);
	menu->AddItem(new BMenuItem("Cut", new BMessage('MEcu')));
	menu->AddItem(new BMenuItem("Copy", new BMessage('MEcp')));
	PopUpWindow* window = new PopUpWindow(log, menu);
	window->Show();
	WaitIdle();
	window->PostMessage('go  ');

	// The window's thread waits inside Go, so the test cannot wait for idleness until
	// the menu closed; it waits for the menu's window instead.
	ASSERT_TRUE(WaitForMenuWindow());
	BWindow* menuWindow = NULL;
	for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
		BPrivate::ServerWindow* shown = BPrivate::WindowAccess::ServerWindowOf(entry.window);
		if (shown != NULL && shown->Title() == "menu" && !shown->IsHidden())
			menuWindow = entry.window;
	}
	ASSERT_NE(nullptr, menuWindow);
	ASSERT_TRUE(menuWindow->Lock());
	BRect frame = menuWindow->Frame();
	menuWindow->Unlock();
	EXPECT_LE(frame.right, 1023);
	EXPECT_LE(frame.bottom, 767);
	EXPECT_GT(frame.left, 900);

	BPoint copy = ItemCenter(menu->ItemAt(1));
	for (int i = 0; i < 5000; i++) {
		uint32 pixel = 0;
		if (HeadlessTest::ScreenPixel(copy, &pixel) == B_OK
			&& pixel != HeadlessTest::kDesktopColor)
			break;
		snooze(1000);
	}
	HeadlessTest::Click(copy);
	WaitIdle();
	ASSERT_NE(nullptr, window->answer.load());
	EXPECT_STREQ("Copy", window->answer.load());
	// Go without deliversMessage sends nothing.
	EXPECT_TRUE(log.Entries().empty());
	window->Lock();
	window->Quit();
	WaitIdle();
	delete menu;
}


TEST(MenuTrackingTest, MenuAsAViewContainerAndMenusAtTheScreenEdge)
{
	MessageLog log;
	LoggingWindow* window = new LoggingWindow(log, BRect(900, 100, 1019, 299));
	ContainerMenu* container = new ContainerMenu();
	ClickView* button = new ClickView(BRect(10, 2, 43, 35));
	container->AddChild(button);
	window->AddChild(container);
	BMenuBar* bar = new BMenuBar(BRect(0, 40, 119, 59), "bar");
	BMenu* menu = new BMenu("Window");
	menu->AddItem(new BMenuItem("Full screen with a long label", new BMessage('MWre')));
	bar->AddItem(menu);
	window->AddChild(bar);
	window->Show();
	WaitIdle();

	// The container keeps its size and passes clicks to its child views.
	EXPECT_EQ(0, container->CountItems());
	window->Lock();
	EXPECT_EQ(BRect(0, 0, 199, 36), container->Frame());
	window->Unlock();
	HeadlessTest::Click(BPoint(900 + 20, 100 + 10));
	WaitIdle();
	EXPECT_EQ(1, button->clicks.load());

	// The menu opens below its title but is pushed back left of the screen's edge.
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ItemCenter(menu->Superitem()));
	WaitIdle();
	ASSERT_TRUE(IsOpen(menu));
	menu->Window()->Lock();
	BRect frame = menu->Window()->Frame();
	menu->Window()->Unlock();
	EXPECT_LE(frame.right, 1023);
	EXPECT_GT(frame.top, 140);
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_FALSE(IsOpen(menu));
	window->Lock();
	window->Quit();
	WaitIdle();
}
