// Menus as item lists: adding, finding, removing, marks, radio mode and the labels of
// shortcuts; no window involved.

#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>

#include <gtest/gtest.h>

#include <cstring>


TEST(MenuModelTest, AddFindIndexAndRemove)
{
	BMenu menu("File");
	BMenuItem* newItem = new BMenuItem("New", new BMessage('MFnf'), 'N');
	BMenuItem* save = new BMenuItem("Save file", new BMessage('MFsf'), 'S');
	ASSERT_TRUE(menu.AddItem(newItem));
	ASSERT_TRUE(menu.AddItem(save));
	BMenuItem* open = new BMenuItem("Open file", new BMessage('MFof'), 'O');
	ASSERT_TRUE(menu.AddItem(open, 1));
	ASSERT_TRUE(menu.AddSeparatorItem());

	BMenu* convert = new BMenu("Convert");
	BMenuItem* crlf = new BMenuItem("CR/LF->LF", new BMessage('COcr'));
	convert->AddItem(crlf);
	ASSERT_TRUE(menu.AddItem(convert));

	EXPECT_EQ(5, menu.CountItems());
	EXPECT_EQ(open, menu.ItemAt(1));
	EXPECT_EQ(save, menu.ItemAt(2));
	EXPECT_EQ(2, menu.IndexOf(save));
	EXPECT_EQ(4, menu.IndexOf(convert));
	EXPECT_EQ(convert, menu.SubmenuAt(4));
	EXPECT_EQ(nullptr, menu.SubmenuAt(0));
	EXPECT_EQ(nullptr, menu.ItemAt(5));
	EXPECT_EQ(nullptr, menu.ItemAt(-1));
	EXPECT_EQ(&menu, save->Menu());
	EXPECT_EQ(&menu, convert->Supermenu());
	EXPECT_STREQ("Convert", convert->Superitem()->Label());

	// Found by label and by command, also inside the submenu.
	EXPECT_EQ(save, menu.FindItem("Save file"));
	EXPECT_EQ(crlf, menu.FindItem("CR/LF->LF"));
	EXPECT_EQ(crlf, menu.FindItem('COcr'));
	EXPECT_EQ(open, menu.FindItem('MFof'));
	EXPECT_EQ(nullptr, menu.FindItem("Missing"));
	EXPECT_EQ(nullptr, menu.FindItem((const char*)NULL));
	EXPECT_EQ(nullptr, menu.FindItem('none'));

	// An item in a menu already, or an index past the end, is refused.
	EXPECT_FALSE(menu.AddItem(save));
	BMenuItem* stray = new BMenuItem("Stray", NULL);
	EXPECT_FALSE(menu.AddItem(stray, 9));
	EXPECT_FALSE(menu.AddItem(stray, -1));

	// Removing gives the item back, the rest closes up.
	EXPECT_TRUE(menu.RemoveItem(open));
	EXPECT_EQ(nullptr, open->Menu());
	EXPECT_EQ(1, menu.IndexOf(save));
	EXPECT_EQ(-1, menu.IndexOf(open));
	EXPECT_FALSE(menu.RemoveItem(open));
	BMenuItem* removed = menu.RemoveItem((int32)0);
	EXPECT_EQ(newItem, removed);
	EXPECT_EQ(nullptr, menu.RemoveItem(7));
	EXPECT_TRUE(menu.RemoveItem(convert));
	EXPECT_EQ(nullptr, convert->Superitem());
	EXPECT_EQ(nullptr, menu.FindItem('COcr'));
	EXPECT_EQ(2, menu.CountItems());
	EXPECT_FALSE(menu.RemoveItems(1, 5));
	EXPECT_TRUE(menu.RemoveItems(0, 2, true));
	EXPECT_EQ(0, menu.CountItems());

	// The list form inserts in order at the index.
	BList list;
	list.AddItem(open);
	list.AddItem(newItem);
	EXPECT_TRUE(menu.AddList(&list, 0));
	EXPECT_EQ(newItem, menu.ItemAt(1));
	delete stray;
	delete convert;
}


TEST(MenuModelTest, MarksRadioModeAndLabelFromMarked)
{
	static const char* const kLabels[] = { "ISO 8859-1", "ISO 8859-2", "KOI8-R" };
	BPopUpMenu* menu = new BPopUpMenu("      ");
	for (const char* label : kLabels)
		menu->AddItem(new BMenuItem(label, new BMessage('IS81')));
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_TRUE(menu->IsLabelFromMarked());
	EXPECT_EQ(nullptr, menu->FindMarked());
	EXPECT_EQ(-1, menu->FindMarkedIndex());

	BMenu bar("bar", B_ITEMS_IN_ROW);
	ASSERT_TRUE(bar.AddItem(menu));
	BMenuItem* title = menu->Superitem();
	EXPECT_STREQ("      ", title->Label());

	menu->ItemAt(1)->SetMarked(true);
	EXPECT_EQ(menu->ItemAt(1), menu->FindMarked());
	EXPECT_EQ(1, menu->IndexOf(menu->FindMarked()));
	EXPECT_STREQ("ISO 8859-2", title->Label());

	// Radio mode keeps a single mark.
	menu->ItemAt(2)->SetMarked(true);
	EXPECT_FALSE(menu->ItemAt(1)->IsMarked());
	EXPECT_EQ(2, menu->FindMarkedIndex());
	EXPECT_STREQ("KOI8-R", title->Label());

	// Out of radio mode marks are independent, and the title stays.
	menu->SetRadioMode(false);
	EXPECT_FALSE(menu->IsLabelFromMarked());
	menu->ItemAt(0)->SetMarked(true);
	EXPECT_TRUE(menu->ItemAt(2)->IsMarked());
	EXPECT_EQ(0, menu->FindMarkedIndex());
	EXPECT_STREQ("KOI8-R", title->Label());
}


TEST(MenuModelTest, ShortcutsAndEnabling)
{
	BMenu menu("HTML");
	BMenuItem* bold = new BMenuItem("Bold", new BMessage('MXbo'), 'B');
	BMenuItem* saveAs = new BMenuItem("Save file as...", new BMessage('MFsa'), 'S',
		B_SHIFT_KEY);
	BMenuItem* project = new BMenuItem("Save project", new BMessage('MFsp'), 'S',
		B_SHIFT_KEY | B_OPTION_KEY);
	BMenuItem* left = new BMenuItem("Left", new BMessage('MXle'), ',');
	BMenuItem* preview = new BMenuItem("Preview in browser", new BMessage('MXpr'));
	menu.AddItem(bold);
	menu.AddItem(saveAs);
	menu.AddItem(project);
	menu.AddItem(left);
	menu.AddItem(preview);

	uint32 modifiers = 0;
	EXPECT_EQ('B', bold->Shortcut(&modifiers));
	EXPECT_EQ((uint32)B_COMMAND_KEY, modifiers);
	EXPECT_EQ("Ctrl+B", bold->ShortcutText());
	EXPECT_EQ("Shift+Ctrl+S", saveAs->ShortcutText());
	EXPECT_EQ("Shift+Alt+Ctrl+S", project->ShortcutText());
	EXPECT_EQ("Ctrl+,", left->ShortcutText());
	EXPECT_EQ("", preview->ShortcutText());
	preview->SetShortcut('P', 0);
	EXPECT_EQ("Ctrl+P", preview->ShortcutText());

	EXPECT_TRUE(project->IsEnabled());
	project->SetEnabled(false);
	EXPECT_FALSE(project->IsEnabled());
	// A disabled menu disables its items; the items keep their own state.
	menu.SetEnabled(false);
	EXPECT_FALSE(bold->IsEnabled());
	menu.SetEnabled(true);
	EXPECT_TRUE(bold->IsEnabled());
	EXPECT_FALSE(project->IsEnabled());

	// A separator can never be enabled.
	BSeparatorItem separator;
	separator.SetEnabled(true);
	EXPECT_FALSE(separator.IsEnabled());

	// Without a target or a window, invoking reports that nothing could take it.
	EXPECT_NE(B_OK, bold->Invoke());

	bold->SetLabel("Strong");
	EXPECT_STREQ("Strong", bold->Label());
	EXPECT_EQ(bold, menu.FindItem("Strong"));
}


TEST(MenuModelTest, MatrixMenusKeepTheGivenFrames)
{
	BMenu matrix("palette", 99, 49);
	EXPECT_EQ(B_ITEMS_IN_MATRIX, matrix.Layout());
	BMenuItem* red = new BMenuItem("red", new BMessage('red '));
	BMenuItem* blue = new BMenuItem("blue", new BMessage('blue'));
	EXPECT_TRUE(matrix.AddItem(red, BRect(0, 0, 49, 24)));
	EXPECT_TRUE(matrix.AddItem(blue, BRect(50, 25, 99, 49)));
	// Only frames place items in a matrix; an index does not.
	BMenuItem* green = new BMenuItem("green", new BMessage('gren'));
	EXPECT_FALSE(matrix.AddItem(green, 0));
	EXPECT_EQ(BRect(50, 25, 99, 49), blue->Frame());
	float width;
	float height;
	matrix.GetPreferredSize(&width, &height);
	EXPECT_EQ(BRect(50, 25, 99, 49), blue->Frame());
	EXPECT_GE(width, 99);
	EXPECT_GE(height, 49);

	// A column menu lays its items out below each other, separators thinner.
	BMenu column("column");
	BMenuItem* framed = new BMenuItem("x", NULL);
	EXPECT_FALSE(column.AddItem(framed, BRect(0, 0, 9, 9)));
	delete framed;
	column.AddItem(new BMenuItem("One", NULL));
	column.AddSeparatorItem();
	column.AddItem(new BMenuItem("Two", NULL));
	column.GetPreferredSize(&width, &height);
	BRect one = column.ItemAt(0)->Frame();
	BRect separator = column.ItemAt(1)->Frame();
	BRect two = column.ItemAt(2)->Frame();
	EXPECT_EQ(one.bottom + 1, separator.top);
	EXPECT_EQ(separator.bottom + 1, two.top);
	EXPECT_LT(separator.Height(), one.Height());
	EXPECT_EQ(one.Width(), two.Width());
	EXPECT_GT(height, two.bottom);
	delete green;
}
