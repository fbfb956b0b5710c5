// The main window on the headless display: how it is built and laid out, its document
// tabs, the menu bar and tool bar, tag insertion, full screen and the icon size.

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Screen.h>
#include <TabView.h>
#include <TextView.h>

#include "ColorView.h"
#include "EView.h"
#include "EditView.h"
#include "IconBar.h"
#include "MainWindowTestSupport.h"
#include "UiTestSupport.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"

#include <cstring>

using BPrivate::HeadlessTest;


namespace {

std::string
ExpectedPage(const char* charset, const char* author)
{
	return std::string("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\n"
		"<html>\n<head>\n<meta http-equiv=\"content-type\" content=\"text/html; charset=")
		+ charset + "\">\n<meta name=\"author\" content=\"" + author + "\">\n"
		"<meta name=\"generator\" content=\"Quorrel\">\n<title>\n\n</title>\n</head>\n\n"
		"<body>\n\n\n\n\n</body>\n</html>";
}


struct ItemRow {
	const char*	label;		// NULL for a separator
	uint32		what;
	char		shortcut;
	uint32		modifiers;
	const char*	tag;
	int32		pos;
};


// Walks a menu and its submenus in order, as rows of "label|code|shortcut|mods|tag|pos".
void
CollectItems(BMenu* menu, std::vector<std::string>* rows)
{
	for (int32 i = 0; i < menu->CountItems(); i++) {
		BMenuItem* item = menu->ItemAt(i);
		if (item->Submenu() != NULL) {
			rows->push_back(std::string("[") + item->Label() + "]");
			CollectItems(item->Submenu(), rows);
			continue;
		}
		if (item->Label() == NULL || item->Label()[0] == '\0') {
			rows->push_back("-");
			continue;
		}
		uint32 modifiers = 0;
		char shortcut = item->Shortcut(&modifiers);
		BMessage* message = item->Message();
		char row[512];
		const char* tag = "";
		int32 pos = -1;
		if (message != NULL) {
			message->FindString("tag", &tag);
			message->FindInt32("pos", &pos);
		}
		uint32 what = message != NULL ? message->what : 0;
		snprintf(row, sizeof(row), "%s|%.4s|%c|%x|%s|%d", item->Label(),
			(const char*)&what, shortcut != 0 ? shortcut : ' ',
			(unsigned)(modifiers & (B_SHIFT_KEY | B_OPTION_KEY)), tag, (int)pos);
		// The code reads as its four characters, most significant first.
		char code[5] = { (char)(what >> 24), (char)(what >> 16), (char)(what >> 8),
			(char)what, 0 };
		std::string text = row;
		text.replace(text.find('|') + 1, 4, code);
		rows->push_back(text);
	}
}


std::string
Row(const char* label, const char* code, char shortcut = ' ', uint32 modifiers = 0,
	const char* tag = "", int32 pos = -1)
{
	char row[512];
	snprintf(row, sizeof(row), "%s|%s|%c|%x|%s|%d", label, code, shortcut,
		(unsigned)modifiers, tag, (int)pos);
	return row;
}

}	// namespace


TEST_F(MainWindowTest, StartsWithOneUnsavedUntitledDocumentInTheLaidOutWindow)
{
	BRect screen = BScreen().Frame();
	Locked(fWindow, [&]() {
		BRect frame = fWindow->Frame();
		EXPECT_EQ(BPoint(10, 30), frame.LeftTop());
		EXPECT_FLOAT_EQ(screen.right - 20, frame.Width());
		EXPECT_FLOAT_EQ(screen.bottom - 40, frame.Height());
		EXPECT_STREQ("Quorrel", fWindow->Title());
		EXPECT_TRUE((fWindow->Flags() & B_NOT_RESIZABLE) != 0);

		EXPECT_EQ(1, fWindow->DocumentCount());
		EView* document = fWindow->DocumentAt(0);
		ASSERT_NE(nullptr, document);
		EXPECT_STREQ("Untitled1", document->fileName);
		EXPECT_STREQ("Untitled1", document->filePath);
		EXPECT_FALSE(document->saved);
		EXPECT_FALSE(document->hasFile);
		EXPECT_TRUE(document->tabbed);
		EXPECT_EQ(0, fWindow->CurrentEditView());
		// The page goes in at the top and the caret stays there.
		int32 start, end;
		document->editView->GetSelection(&start, &end);
		EXPECT_EQ(0, start);
		EXPECT_EQ(0, end);

		// Menu bar, then "Main View" with the two bars and the three columns.
		BView* main = fWindow->MainView();
		EXPECT_STREQ("Main View", main->Name());
		EXPECT_FLOAT_EQ(fWindow->MenuBar()->Frame().bottom + 1, main->Frame().top);
		EXPECT_EQ(fWindow->Bounds().bottom, main->Frame().bottom);
		EXPECT_EQ(37, fWindow->FirstIconBar()->GetSize());
		EXPECT_EQ(0, fWindow->FirstIconBar()->Frame().top);
		EXPECT_EQ(38, fWindow->SecondIconBar()->Frame().top);
		float right = fWindow->Bounds().right;
		BRect tabs = fWindow->TabView()->Frame();
		EXPECT_EQ(BRect(150, 76, right - 22, main->Bounds().bottom), tabs);
		EXPECT_STREQ("Editor Tab", fWindow->TabView()->Name());
		BRect palette = fWindow->Palette()->Frame();
		EXPECT_EQ(BRect(right - 21, 76, right + 1, main->Bounds().bottom + 1), palette);
		BRect side = fWindow->SidePanel()->Frame();
		EXPECT_EQ(BRect(0, 76, 149, main->Bounds().bottom), side);
		EXPECT_STREQ("ProjectManager", fWindow->SidePanel()->Name());
	});
	EXPECT_EQ(std::vector<std::string>{ "Untitled1" }, TabLabels());
	// The save panel's encoding names the charset; the settings name the author.
	EXPECT_EQ(ExpectedPage("iso8859-2", "Ada Lovelace"), Text(0));

	// The background, the side panel and the palette's bevel show their colours.
	uint32 top = 0;
	Locked(fWindow, [&]() { top = (uint32)fWindow->MainView()->Frame().top; });
	EXPECT_EQ(RGB(220, 220, 220), ShownPixel(fWindow, BPoint(75, top + 200)));
	BPrivate::HeadlessTest::SaveWindowPNG(BPrivate::WindowAccess::ServerWindowOf(fWindow),
		"/tmp/quorrel-main-window.png");
}


TEST_F(MainWindowTest, NewDocumentsAreNumberedAndAtMostSixAreOpen)
{
	Post(kMsgNewFile);
	Post(kMsgNewFile);
	EXPECT_EQ((std::vector<std::string>{ "Untitled1", "Untitled2", "Untitled3" }),
		TabLabels());
	EXPECT_EQ(2, Current());

	// An opened file takes a number too: the next new document skips one.
	std::string path = fFolder + "/page.html";
	WriteFile(path, "<p>page</p>");
	OpenAsPanel(path);
	Post(kMsgNewFile);
	EXPECT_EQ((std::vector<std::string>{ "Untitled1", "Untitled2", "Untitled3",
		"page.html", "Untitled5" }), TabLabels());

	Post(kMsgNewFile);
	Post(kMsgNewFile);
	OpenAsPanel(path);
	EXPECT_EQ(6u, TabLabels().size());
	Locked(fWindow, [&]() { EXPECT_EQ(6, fWindow->DocumentCount()); });
	EXPECT_EQ("Untitled6", TabLabels().back());

	// Closing the middle of the first three frees slot 1; the next document takes it
	// and its tab goes at the end.
	Locked(fWindow, [&]() {
		fWindow->TabView()->Select(1);
		EXPECT_EQ(1, fWindow->CurrentEditView());
		fWindow->DocumentAt(1)->saved = true;
	});
	Post(kMsgCloseFile);
	EXPECT_EQ(5u, TabLabels().size());
	Post(kMsgNewFile);
	std::vector<std::string> labels = TabLabels();
	ASSERT_EQ(6u, labels.size());
	EXPECT_EQ("Untitled7", labels.back());
	Locked(fWindow, [&]() {
		ASSERT_NE(nullptr, fWindow->DocumentAt(1));
		EXPECT_STREQ("Untitled7", fWindow->DocumentAt(1)->fileName);
		EXPECT_EQ(1, fWindow->CurrentEditView());
		EXPECT_EQ(5, fWindow->SelectedView(1));
		EXPECT_EQ(-1, fWindow->SelectedView(-1));
	});
}


TEST_F(MainWindowTest, LastClosedDocumentLeavesTheFileItemsDisabled)
{
	Locked(fWindow, [&]() { fWindow->DocumentAt(0)->saved = true; });
	Post(kMsgCloseFile);
	Locked(fWindow, [&]() {
		EXPECT_EQ(0, fWindow->DocumentCount());
		EXPECT_EQ(-1, fWindow->CurrentEditView());
		for (const char* label : { "Save file", "Save file as...", "Close file", "HTML" }) {
			BMenuItem* item = fWindow->MenuBar()->FindItem(label);
			ASSERT_NE(nullptr, item) << label;
			EXPECT_FALSE(item->IsEnabled()) << label;
		}
		EXPECT_EQ(nullptr, fWindow->PathToEditedFile());
	});
	// Commands on the selected document do nothing now.
	Post(kMsgBold);
	Post(kMsgSelectAll);
	Post(kMsgNewFile);
	Locked(fWindow, [&]() {
		EXPECT_TRUE(fWindow->MenuBar()->FindItem("HTML")->IsEnabled());
		EXPECT_STREQ("Untitled2", fWindow->DocumentAt(0)->fileName);
	});
}


TEST_F(MainWindowTest, EveryMenuItemHasItsCodeShortcutAndTag)
{
	std::vector<std::string> rows;
	std::vector<std::string> titles;
	Locked(fWindow, [&]() {
		BMenuBar* bar = fWindow->MenuBar();
		EXPECT_STREQ("menu_bar", bar->Name());
		for (int32 i = 0; i < bar->CountItems(); i++) {
			titles.push_back(bar->ItemAt(i)->Label());
			CollectItems(bar->ItemAt(i)->Submenu(), &rows);
		}
		EXPECT_FALSE(bar->FindItem("Save project")->IsEnabled());
		EXPECT_TRUE(bar->FindItem("Save file")->IsEnabled());
	});
	EXPECT_EQ((std::vector<std::string>{ "File", "Edit", "HTML", "Window", "Help" }),
		titles);

	const uint32 shift = B_SHIFT_KEY;
	std::string home = "<a href=\"https://github.com/quorrel-editor/quorrel\"></a>";
	std::vector<std::string> expected = {
		Row("New", "MFnf", 'N'), Row("New project", "MFnp", 'N', shift), "-",
		Row("Open file", "MFof", 'O'), Row("Open project", "MFop", 'O', shift),
		Row("Save file", "MFsf", 'S'), Row("Save file as...", "MFsa", 'S', shift),
		Row("Save project", "MFsp", 'S', shift | B_OPTION_KEY),
		Row("Close file", "MFcf", 'C', shift), "-", Row("Quit", "_QRQ", 'Q'),

		Row("Undo", "MEun", 'Z'), "-", Row("Cut", "MEcu", 'X'), Row("Copy", "MEcp", 'C'),
		Row("Paste", "MEpa", 'V'), Row("Clear all", "MEcl"), Row("Select all", "MEsa", 'A'),
		"-", Row("Find & Replace", "MEfi", 'F'), "-", Row("Settings", "MEse"), "-",
		"[Convert]", Row("CR/LF->LF", "COcr"), Row("LF->CR/LF", "COlf"),

		Row("Preview in browser", "MXpr"), "-", Row("Bold", "MXbo", 'B'),
		Row("Italic", "MXit", 'I'), Row("Underline", "MXun", 'U'), "-",
		"[Alignment]", Row("Left", "MXle", ','), Row("Center", "MXce", '.'),
		Row("Right", "MXri", '/'),
		"[Horizontal ruler]",
		Row("Aligned to left", "MXat", ' ', 0, "<hr align=\"left\">", 17),
		Row("Aligned to center", "MXat", ' ', 0, "<hr align=\"center\">", 19),
		Row("Aligned to right", "MXat", ' ', 0, "<hr align=\"right\">", 18),
		"[Font]",
		Row("Set font", "MXat", 'F', shift, "<font face=\"\" size=\"\" color=\"\"></font>", 31),
		Row("Set font face", "MXat", ' ', 0, "<font face=\"\"></font>", 14),
		Row("Set font size", "MXat", ' ', 0, "<font size=\"\"></font>", 14),
		Row("Set font color", "MXat", ' ', 0, "<font color=\"\"></font>", 15), "-",
		Row("Set font size: +1", "MXat", ' ', 0, "<font size=\"+1\"></font>", 16),
		Row("Set font size: +2", "MXat", ' ', 0, "<font size=\"+2\"></font>", 16),
		Row("Set font size: +3", "MXat", ' ', 0, "<font size=\"+3\"></font>", 16), "-",
		Row("Set font size: -1", "MXat", ' ', 0, "<font size=\"-1\"></font>", 16),
		Row("Set font size: -2", "MXat", ' ', 0, "<font size=\"-2\"></font>", 16),
		Row("Set font size: -3", "MXat", ' ', 0, "<font size=\"-3\"></font>", 16),
		"[Lists]",
		Row("Insert unordered list", "MXat", 'L', shift, "<ul></ul>", 4),
		Row("Insert unordered list: type disc", "MXat", ' ', 0, "<ul type=\"disc\"></ul>", 16),
		Row("Insert unordered list: type circle", "MXat", ' ', 0,
			"<ul type=\"circle\"></ul>", 18),
		Row("Insert unordered list: type square", "MXat", ' ', 0,
			"<ul type=\"square\"></ul>", 18), "-",
		Row("Insert ordered list", "MXat", 'K', shift, "<ol></ol>", 4),
		Row("Insert ordered list: type 1", "MXat", ' ', 0, "<ol type=\"1\"></ol>", 13),
		Row("Insert ordered list: type I", "MXat", ' ', 0, "<ol type=\"I\"></ol>", 13),
		Row("Insert ordered list: type i", "MXat", ' ', 0, "<ol type=\"i\"></ol>", 13),
		Row("Insert ordered list: type A", "MXat", ' ', 0, "<ol type=\"A\"></ol>", 13),
		Row("Insert ordered list: type a", "MXat", ' ', 0, "<ol type=\"a\"></ol>", 13), "-",
		Row("Insert list item", "MXat", 'J', shift, "<li></li>", 4),
		"[Links]",
		Row("Link", "MXat", 'A', shift, "<a href=\"\"></a>", 11),
		Row("Link to e-mail", "MXat", 'M', shift, "<a href=\"mailto:\"></a>", 18),
		Row("Link to Quorrel`s Home Page", "MXat", ' ', 0, home.c_str(),
			(int32)home.size() - 4),
		Row("Comment", "MXat", ' ', 0, "<!---->", 4),
		Row("New line", "MXat", 'B', shift, "<br>", 4),
		Row("Center", "MXc2"), Row("Insert color", "MXic"),

		Row("Full screen", "MWre"),
		Row("Index", "MHin"), Row("About", "MHab")
	};
	EXPECT_EQ(expected, rows);
}


// The menu titles and the labels the tab code enables come from the same dictionary.
class PolishMainWindowTest : public MainWindowTest {
protected:
	std::string Settings() override
	{
		return "language=\"Polski\"\nname=\"Jan\"\nemail=\"jan@example.org\"\n"
			"encoding=\"UNICODE\"\nicons=\"normal\"\n";
	}
};


TEST_F(PolishMainWindowTest, LabelsAreTranslatedAndStillFoundToEnable)
{
	Locked(fWindow, [&]() {
		BMenuBar* bar = fWindow->MenuBar();
		EXPECT_STREQ("Plik", bar->ItemAt(0)->Label());
		EXPECT_EQ(nullptr, bar->FindItem("Save file"));
		EXPECT_NE(nullptr, bar->FindItem("Zapisz plik"));
		fWindow->DocumentAt(0)->saved = true;
	});
	EXPECT_EQ(ExpectedPage("utf-8", "Jan"), Text(0));
	Post(kMsgCloseFile);
	Locked(fWindow, [&]() {
		EXPECT_FALSE(fWindow->MenuBar()->FindItem("Zapisz plik")->IsEnabled());
		EXPECT_FALSE(fWindow->MenuBar()->ItemAt(2)->IsEnabled());
	});
	Post(kMsgNewFile);
	Locked(fWindow, [&]() {
		EXPECT_TRUE(fWindow->MenuBar()->FindItem("Zamknij plik")->IsEnabled());
		EXPECT_TRUE(fWindow->MenuBar()->ItemAt(2)->IsEnabled());
	});
}


TEST_F(MainWindowTest, TagMessagesAndShortcutsInsertIntoTheCurrentDocument)
{
	Locked(fWindow, [&]() {
		EView* document = fWindow->DocumentAt(0);
		document->LoadFile("ab");
		document->editView->Select(1, 1);
	});
	BMessage tag(kMsgInsertTag);
	tag.AddString("tag", "<!---->");
	tag.AddInt32("pos", 4);
	Post(&tag);
	EXPECT_EQ("a<!---->b", Text(0));
	Locked(fWindow, [&]() {
		int32 start, end;
		fWindow->DocumentAt(0)->editView->GetSelection(&start, &end);
		EXPECT_EQ(5, start);
		EXPECT_EQ(5, end);
		fWindow->DocumentAt(0)->editView->Select(0, 1);
	});
	Post(kMsgBold);
	EXPECT_EQ("<B>a</B><!---->b", Text(0));

	// A position past the tag's end is taken as its end rather than trusted.
	BMessage bad(kMsgInsertTag);
	bad.AddString("tag", "<hr>");
	bad.AddInt32("pos", 400);
	Locked(fWindow, [&]() { fWindow->DocumentAt(0)->editView->Select(0, 0); });
	Post(&bad);
	EXPECT_EQ("<hr><B>a</B><!---->b", Text(0));
	// A message without its fields inserts nothing.
	Post(kMsgInsertTag);
	EXPECT_EQ("<hr><B>a</B><!---->b", Text(0));

	// The keyboard reaches the same items: Ctrl+I and Shift+Ctrl+B ("New line").
	Locked(fWindow, [&]() {
		EView* document = fWindow->DocumentAt(0);
		document->LoadFile("x");
		document->editView->Select(1, 1);
		document->makeFocus();
	});
	PressControlKey('i');
	WaitIdle();
	PressControlKey('B');
	WaitIdle();
	EXPECT_EQ("x<I><br></I>", Text(0));
	// Typing marked the document unsaved through 'ETmo'.
	Locked(fWindow, [&]() { EXPECT_FALSE(fWindow->DocumentAt(0)->saved); });

	// Codes the window does not know change nothing.
	Post('XXxx');
	EXPECT_EQ("x<I><br></I>", Text(0));
}


TEST_F(MainWindowTest, ToolBarHoldsThirteenButtonsAndFourSeparators)
{
	std::vector<int> positions;
	std::vector<std::string> names;
	std::vector<uint32> codes;
	Locked(fWindow, [&]() {
		IconBar* bar = fWindow->FirstIconBar();
		EXPECT_STREQ("icon bar1", bar->Name());
		EXPECT_EQ(17, bar->CountIcons());
		for (int i = 0; i < bar->CountIcons(); i++) {
			BView* item = bar->SlotView(i);
			positions.push_back((int)item->Frame().left);
			names.push_back(item->Name());
			if (IconBarIcon* icon = dynamic_cast<IconBarIcon*>(item))
				codes.push_back(icon->Message()->what);
		}
		EXPECT_EQ(0, fWindow->SecondIconBar()->CountIcons());
	});
	EXPECT_EQ((std::vector<int>{ 10, 45, 80, 115, 119, 154, 189, 224, 228, 263, 298, 333,
		337, 372, 407, 442, 446 }), positions);
	EXPECT_EQ((std::vector<std::string>{ "new_file", "open_file", "save_file",
		"separator", "cut", "copy", "paste", "separator", "bold", "italic", "underline",
		"separator", "left", "center", "right", "separator", "color" }), names);
	EXPECT_EQ((std::vector<uint32>{ 'MFnf', 'MFof', 'MFsf', 'MEcu', 'MEcp', 'MEpa',
		'MXbo', 'MXit', 'MXun', 'MXle', 'MXce', 'MXri', 'MXic' }), codes);

	// A click on "new_file" opens a new document.
	BView* button = NULL;
	Locked(fWindow, [&]() { button = fWindow->FirstIconBar()->SlotView(0); });
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ScreenCenter(button));
	WaitIdle();
	EXPECT_EQ((std::vector<std::string>{ "Untitled1", "Untitled2" }), TabLabels());
}


TEST_F(MainWindowTest, FullScreenTwiceRestoresTheFrameAndLook)
{
	BRect before;
	Locked(fWindow, [&]() { before = fWindow->Frame(); });
	BRect screen = BScreen().Frame();

	Post(kMsgFullScreen);
	Locked(fWindow, [&]() {
		EXPECT_TRUE(fWindow->IsFullScreen());
		EXPECT_EQ(B_BORDERED_WINDOW_LOOK, fWindow->Look());
		EXPECT_EQ(screen.right, fWindow->Frame().Width());
		EXPECT_EQ(screen.bottom, fWindow->Frame().Height());
		EXPECT_EQ(BPoint(0, 0), fWindow->Frame().LeftTop());
		EXPECT_TRUE(fWindow->MenuBar()->FindItem("Full screen")->IsMarked());
		float right = fWindow->Bounds().right;
		EXPECT_EQ(right - 21, fWindow->Palette()->Frame().left);
		EXPECT_EQ(right - 22, fWindow->TabView()->Frame().right);
		EXPECT_EQ(fWindow->MainView()->Bounds().bottom,
			fWindow->SidePanel()->Frame().bottom);
	});

	// The zoom button does the same as the menu item.
	HeadlessTest::ZoomButton(BPrivate::WindowAccess::ServerWindowOf(fWindow));
	WaitIdle();
	Locked(fWindow, [&]() {
		EXPECT_FALSE(fWindow->IsFullScreen());
		EXPECT_EQ(B_TITLED_WINDOW_LOOK, fWindow->Look());
		EXPECT_EQ(before, fWindow->Frame());
		EXPECT_FALSE(fWindow->MenuBar()->FindItem("Full screen")->IsMarked());
		EXPECT_EQ(fWindow->Bounds().right - 21, fWindow->Palette()->Frame().left);
	});
}


TEST_F(MainWindowTest, SmallIconsShrinkTheBarsAndMoveTheColumnsUp)
{
	std::string settings = Settings();
	settings.replace(settings.find("icons=\"normal\""), 14, "icons=\"small\"");
	fAppDir->Write("Settings/settings", settings);
	fWindow->UpdateSize();
	WaitIdle();
	Locked(fWindow, [&]() {
		EXPECT_EQ(21, fWindow->FirstIconBar()->GetSize());
		EXPECT_EQ(21, fWindow->SecondIconBar()->GetSize());
		EXPECT_EQ(22, fWindow->SecondIconBar()->Frame().top);
		EXPECT_EQ(44, fWindow->TabView()->Frame().top);
		EXPECT_EQ(44, fWindow->Palette()->Frame().top);
		EXPECT_EQ(44, fWindow->SidePanel()->Frame().top);
		EXPECT_EQ(fWindow->MainView()->Bounds().bottom, fWindow->TabView()->Frame().bottom);
		IconBarIcon* icon = dynamic_cast<IconBarIcon*>(fWindow->FirstIconBar()->SlotView(0));
		ASSERT_NE(nullptr, icon);
		EXPECT_TRUE(icon->IsSmall());
	});
	BPrivate::HeadlessTest::SaveWindowPNG(BPrivate::WindowAccess::ServerWindowOf(fWindow),
		"/tmp/quorrel-main-window-small.png");

	// A value the window does not know leaves the bars as they are.
	settings.replace(settings.find("icons=\"small\""), 13, "icons=\"huge\"");
	fAppDir->Write("Settings/settings", settings);
	fWindow->UpdateSize();
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_EQ(21, fWindow->FirstIconBar()->GetSize()); });

	// Without a settings file the window keeps working on its defaults.
	std::remove(fAppDir->File("Settings/settings").c_str());
	fWindow->UpdateSize();
	WaitIdle();
	Locked(fWindow, [&]() {
		EXPECT_EQ(37, fWindow->FirstIconBar()->GetSize());
		EXPECT_EQ(76, fWindow->TabView()->Frame().top);
	});
}


// A settings encoding that names no menu item leaves both menus unmarked.
class UnknownEncodingMainWindowTest : public MainWindowTest {
protected:
	std::string Settings() override
	{
		return "language=\"English\"\nname=\"Ada Lovelace\"\nemail=\"ada@example.org\"\n"
			"encoding=\"iso8859-2\"\nicons=\"normal\"\n";
	}
};


TEST_F(UnknownEncodingMainWindowTest, NewPageDeclaresAnEmptyCharset)
{
	Locked(fWindow, [&]() {
		EXPECT_EQ(-1, fWindow->SaveEncodingIndex());
		EXPECT_EQ(-1, fWindow->OpenEncodingIndex());
	});
	EXPECT_EQ(ExpectedPage("", "Ada Lovelace"), Text(0));
	// Marking one afterwards names it in the next new document.
	MarkEncoding(true, 4);
	Post(kMsgNewFile);
	EXPECT_EQ(ExpectedPage("iso8859-5", "Ada Lovelace"), Text(1));
}
