/*
 * The main window's menu bar: File, Edit, HTML, Window and Help. Every label passes
 * through the window's dictionary; the items that insert a fixed tag share the code
 * 'MXat' and carry the tag and the caret position in the message.
 */
#include "QuorrelMainWindow.h"

#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>

#include <cstring>

#include "libglossan/Glossan.h"


// The project's own home page, inserted by the last Links item.
static const char* kHomePageLink
	= "<a href=\"https://github.com/quorrel-editor/quorrel\"></a>";


BMenuItem*
QuorrelMainWindow::_AddItem(BMenu* menu, const char* label, uint32 what,
	char shortcut, uint32 modifiers)
{
	BMenuItem* item = new BMenuItem(_T(label), new BMessage(what), shortcut,
		modifiers);
	menu->AddItem(item);
	return item;
}


BMenuItem*
QuorrelMainWindow::_AddTagItem(BMenu* menu, const char* label, const char* tag,
	int32 pos, char shortcut, uint32 modifiers)
{
	BMessage* message = new BMessage(kMsgInsertTag);
	message->AddString("tag", tag);
	message->AddInt32("pos", pos);
	BMenuItem* item = new BMenuItem(_T(label), message, shortcut, modifiers);
	menu->AddItem(item);
	return item;
}


void
QuorrelMainWindow::AddMenu()
{
	fMenuBar = new BMenuBar(BRect(0, 0, Bounds().Width(), 18), "menu_bar",
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, true);

	fMenu = new BMenu(_T("File"), B_ITEMS_IN_COLUMN);
	_AddItem(fMenu, "New", kMsgNewFile, 'N');
	_AddItem(fMenu, "New project", kMsgNewProject, 'N', B_SHIFT_KEY);
	fMenu->AddSeparatorItem();
	_AddItem(fMenu, "Open file", kMsgOpenFile, 'O');
	_AddItem(fMenu, "Open project", kMsgOpenProject, 'O', B_SHIFT_KEY);
	_AddItem(fMenu, "Save file", kMsgSaveFile, 'S');
	_AddItem(fMenu, "Save file as...", kMsgSaveFileAs, 'S', B_SHIFT_KEY);
	_AddItem(fMenu, "Save project", kMsgSaveProject, 'S',
		B_SHIFT_KEY | B_OPTION_KEY);
	_AddItem(fMenu, "Close file", kMsgCloseFile, 'C', B_SHIFT_KEY);
	fMenu->AddSeparatorItem();
	_AddItem(fMenu, "Quit", B_QUIT_REQUESTED, 'Q');
	fMenuBar->AddItem(fMenu);
	if (BMenuItem* saveProject = fMenu->FindItem(_T("Save project")))
		saveProject->SetEnabled(false);

	fMenu = new BMenu(_T("Edit"), B_ITEMS_IN_COLUMN);
	_AddItem(fMenu, "Undo", kMsgUndo, 'Z');
	fMenu->AddSeparatorItem();
	_AddItem(fMenu, "Cut", kMsgCut, 'X');
	_AddItem(fMenu, "Copy", kMsgCopy, 'C');
	_AddItem(fMenu, "Paste", kMsgPaste, 'V');
	_AddItem(fMenu, "Clear all", kMsgClearAll);
	_AddItem(fMenu, "Select all", kMsgSelectAll, 'A');
	fMenu->AddSeparatorItem();
	_AddItem(fMenu, "Find & Replace", kMsgFindReplace, 'F');
	fMenu->AddSeparatorItem();
	_AddItem(fMenu, "Settings", kMsgSettings);
	fMenu->AddSeparatorItem();
	fSubMenu = new BMenu(_T("Convert"), B_ITEMS_IN_COLUMN);
	_AddItem(fSubMenu, "CR/LF->LF", kMsgCrLfToLf);
	_AddItem(fSubMenu, "LF->CR/LF", kMsgLfToCrLf);
	fMenu->AddItem(fSubMenu);
	fMenuBar->AddItem(fMenu);

	AddHTMLMenu();

	fMenu = new BMenu(_T("Window"), B_ITEMS_IN_COLUMN);
	_AddItem(fMenu, "Full screen", kMsgFullScreen);
	fMenuBar->AddItem(fMenu);

	fMenu = new BMenu(_T("Help"), B_ITEMS_IN_COLUMN);
	_AddItem(fMenu, "Index", kMsgHelpIndex);
	_AddItem(fMenu, "About", kMsgAbout);
	fMenuBar->AddItem(fMenu);

	AddChild(fMenuBar);
}


void
QuorrelMainWindow::AddHTMLMenu()
{
	fMenu = new BMenu(_T("HTML"), B_ITEMS_IN_COLUMN);
	_AddItem(fMenu, "Preview in browser", kMsgPreview);
	fMenu->AddSeparatorItem();
	_AddItem(fMenu, "Bold", kMsgBold, 'B');
	_AddItem(fMenu, "Italic", kMsgItalic, 'I');
	_AddItem(fMenu, "Underline", kMsgUnderline, 'U');
	fMenu->AddSeparatorItem();

	fSubMenu = new BMenu(_T("Alignment"), B_ITEMS_IN_COLUMN);
	_AddItem(fSubMenu, "Left", kMsgAlignLeft, ',');
	_AddItem(fSubMenu, "Center", kMsgAlignCenter, '.');
	_AddItem(fSubMenu, "Right", kMsgAlignRight, '/');
	fMenu->AddItem(fSubMenu);

	fSubMenu = new BMenu(_T("Horizontal ruler"), B_ITEMS_IN_COLUMN);
	_AddTagItem(fSubMenu, "Aligned to left", "<hr align=\"left\">", 17);
	_AddTagItem(fSubMenu, "Aligned to center", "<hr align=\"center\">", 19);
	_AddTagItem(fSubMenu, "Aligned to right", "<hr align=\"right\">", 18);
	fMenu->AddItem(fSubMenu);

	fSubMenu = new BMenu(_T("Font"), B_ITEMS_IN_COLUMN);
	_AddTagItem(fSubMenu, "Set font",
		"<font face=\"\" size=\"\" color=\"\"></font>", 31, 'F', B_SHIFT_KEY);
	_AddTagItem(fSubMenu, "Set font face", "<font face=\"\"></font>", 14);
	_AddTagItem(fSubMenu, "Set font size", "<font size=\"\"></font>", 14);
	_AddTagItem(fSubMenu, "Set font color", "<font color=\"\"></font>", 15);
	fSubMenu->AddSeparatorItem();
	_AddTagItem(fSubMenu, "Set font size: +1", "<font size=\"+1\"></font>", 16);
	_AddTagItem(fSubMenu, "Set font size: +2", "<font size=\"+2\"></font>", 16);
	_AddTagItem(fSubMenu, "Set font size: +3", "<font size=\"+3\"></font>", 16);
	fSubMenu->AddSeparatorItem();
	_AddTagItem(fSubMenu, "Set font size: -1", "<font size=\"-1\"></font>", 16);
	_AddTagItem(fSubMenu, "Set font size: -2", "<font size=\"-2\"></font>", 16);
	_AddTagItem(fSubMenu, "Set font size: -3", "<font size=\"-3\"></font>", 16);
	fMenu->AddItem(fSubMenu);

	fSubMenu = new BMenu(_T("Lists"), B_ITEMS_IN_COLUMN);
	_AddTagItem(fSubMenu, "Insert unordered list", "<ul></ul>", 4, 'L',
		B_SHIFT_KEY);
	_AddTagItem(fSubMenu, "Insert unordered list: type disc",
		"<ul type=\"disc\"></ul>", 16);
	_AddTagItem(fSubMenu, "Insert unordered list: type circle",
		"<ul type=\"circle\"></ul>", 18);
	_AddTagItem(fSubMenu, "Insert unordered list: type square",
		"<ul type=\"square\"></ul>", 18);
	fSubMenu->AddSeparatorItem();
	_AddTagItem(fSubMenu, "Insert ordered list", "<ol></ol>", 4, 'K', B_SHIFT_KEY);
	_AddTagItem(fSubMenu, "Insert ordered list: type 1", "<ol type=\"1\"></ol>", 13);
	_AddTagItem(fSubMenu, "Insert ordered list: type I", "<ol type=\"I\"></ol>", 13);
	_AddTagItem(fSubMenu, "Insert ordered list: type i", "<ol type=\"i\"></ol>", 13);
	_AddTagItem(fSubMenu, "Insert ordered list: type A", "<ol type=\"A\"></ol>", 13);
	_AddTagItem(fSubMenu, "Insert ordered list: type a", "<ol type=\"a\"></ol>", 13);
	fSubMenu->AddSeparatorItem();
	_AddTagItem(fSubMenu, "Insert list item", "<li></li>", 4, 'J', B_SHIFT_KEY);
	fMenu->AddItem(fSubMenu);

	fSubMenu = new BMenu(_T("Links"), B_ITEMS_IN_COLUMN);
	_AddTagItem(fSubMenu, "Link", "<a href=\"\"></a>", 11, 'A', B_SHIFT_KEY);
	_AddTagItem(fSubMenu, "Link to e-mail", "<a href=\"mailto:\"></a>", 18, 'M',
		B_SHIFT_KEY);
	// The caret goes between the opening and the closing part.
	_AddTagItem(fSubMenu, "Link to Quorrel`s Home Page", kHomePageLink,
		strlen(kHomePageLink) - strlen("</a>"));
	fMenu->AddItem(fSubMenu);

	_AddTagItem(fMenu, "Comment", "<!---->", 4);
	_AddTagItem(fMenu, "New line", "<br>", 4, 'B', B_SHIFT_KEY);
	_AddItem(fMenu, "Center", kMsgCenterTag);
	_AddItem(fMenu, "Insert color", kMsgInsertColor);
	fMenuBar->AddItem(fMenu);
}
