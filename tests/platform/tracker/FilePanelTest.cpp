// BFilePanel on the headless display, in a temporary folder tree: walking the folders,
// opening one and several files, saving with and without the replace question,
// cancelling and closing, Refresh, a folder that cannot be read, and the strip that
// callers fill with their own controls.

#include <Alert.h>
#include <AppDefs.h>
#include <Button.h>
#include <Entry.h>
#include <FilePanel.h>
#include <ListView.h>
#include <Looper.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "TempFolder.h"
#include "UiTestSupport.h"
#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"
#include "tracker/PanelEntryItem.h"
#include "tracker/PanelListView.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using BPrivate::HeadlessTest;
using BPrivate::WindowAccess;

namespace {

// The target of the panels: keeps a copy of every message it gets.
class Recorder : public BLooper {
public:
	Recorder() : BLooper("recorder") {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		fMessages.push_back(*message);
	}

	std::vector<BMessage> Messages()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fMessages;
	}

private:
	std::mutex				fLock;
	std::vector<BMessage>	fMessages;
};


class CountingPanel : public BFilePanel {
public:
	CountingPanel(file_panel_mode mode, BMessenger* target, const entry_ref* directory,
		bool multiple, bool hideWhenDone = true, uint32 flavors = 0)
		:
		BFilePanel(mode, target, directory, flavors, multiple, NULL, NULL, false,
			hideWhenDone)
	{
	}

	void WasHidden() override { hidden++; }
	void SelectionChanged() override { selectionChanges++; }

	std::atomic<int32> hidden{0};
	std::atomic<int32> selectionChanges{0};
};


int32
Int32Of(const BMessage& message, const char* name, int32 otherwise)
{
	int32 value;
	return message.FindInt32(name, &value) == B_OK ? value : otherwise;
}


std::string
StringOf(const BMessage& message, const char* name)
{
	const char* value;
	return message.FindString(name, &value) == B_OK ? value : "(none)";
}


std::vector<std::string>
RefPaths(const BMessage& message, const char* field)
{
	std::vector<std::string> paths;
	entry_ref ref;
	for (int32 i = 0; message.FindRef(field, i, &ref) == B_OK; i++)
		paths.push_back(BPath(&ref).Path());
	return paths;
}


class FilePanelTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fFolder.MakeFolder("site");
		fFolder.MakeFolder("site/images");
		fFolder.MakeFolder("site/Pages");
		fFolder.WriteFile("site/index.html", "<html>");
		fFolder.WriteFile("site/about.html", "<p>about</p>");
		fFolder.WriteFile("site/contact.html", "<p>mail</p>");
		fFolder.WriteFile("site/Pages/one.html", "1");
		fFolder.MakeLink("site/Pages/latest.html", fFolder / "site/Pages/one.html");
		fRecorder = new Recorder();
		fRecorder->Run();
		fTarget = BMessenger(fRecorder);
	}

	void TearDown() override
	{
		fRecorder->Lock();
		fRecorder->Quit();
	}

	entry_ref Ref(const std::string& relative)
	{
		entry_ref ref;
		EXPECT_EQ(B_OK, get_ref_for_path((fFolder / relative).c_str(), &ref));
		return ref;
	}

	void ShowPanel(BFilePanel* panel)
	{
		panel->Show();
		BPrivate::ServerWindow* server = WindowAccess::ServerWindowOf(panel->Window());
		ASSERT_TRUE(Eventually([&]() { return server->IsActive(); }));
		WaitIdle();
	}

	static BListView* List(BFilePanel* panel)
	{
		return dynamic_cast<BListView*>(panel->Window()->FindView("entries"));
	}

	static BView* View(BFilePanel* panel, const char* name)
	{
		BView* view = panel->Window()->FindView(name);
		EXPECT_NE(nullptr, view) << name;
		return view;
	}

	static std::vector<std::string> Rows(BFilePanel* panel)
	{
		std::vector<std::string> rows;
		BListView* list = List(panel);
		Locked(panel->Window(), [&]() {
			for (int32 i = 0; i < list->CountItems(); i++) {
				auto* item = dynamic_cast<BPrivate::PanelEntryItem*>(list->ItemAt(i));
				rows.push_back(item != nullptr ? item->Entry().name : "?");
			}
		});
		return rows;
	}

	static std::string PanelFolder(BFilePanel* panel)
	{
		entry_ref ref;
		panel->GetPanelDirectory(&ref);
		BPath path(&ref);
		return path.InitCheck() == B_OK ? path.Path() : "";
	}

	// Clicks count as one double click until the test's clock moves on.
	static void ClickRow(BFilePanel* panel, const char* name, int32 clicks = 1)
	{
		BListView* list = List(panel);
		std::vector<std::string> rows = Rows(panel);
		int32 index = -1;
		for (size_t i = 0; i < rows.size(); i++) {
			if (rows[i] == name)
				index = (int32)i;
		}
		ASSERT_GE(index, 0) << name;
		BRect frame;
		Locked(panel->Window(), [&]() { frame = list->ItemFrame(index); });
		HeadlessTest::AdvanceClock(1000000);
		HeadlessTest::Click(ScreenPoint(list, BPoint(frame.left + 40,
			(frame.top + frame.bottom) / 2)), B_PRIMARY_MOUSE_BUTTON, clicks);
		WaitIdle();
	}

	// Without wait, for a click that puts up an alert: the panel's thread then waits in
	// the alert and never becomes idle.
	static void ClickView(BFilePanel* panel, const char* name, bool wait = true)
	{
		BView* view = View(panel, name);
		ASSERT_NE(nullptr, view);
		HeadlessTest::AdvanceClock(1000000);
		HeadlessTest::Click(ScreenCenter(view));
		if (wait)
			WaitIdle();
	}

	// The alert the panel put up, once it is shown and active, or NULL.
	static BAlert* ShownAlert()
	{
		BAlert* found = NULL;
		Eventually([&]() {
			for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
				BAlert* alert = dynamic_cast<BAlert*>(entry.window);
				BPrivate::ServerWindow* server = WindowAccess::ServerWindowOf(alert);
				if (alert != NULL && server != NULL && !server->IsHidden()
					&& server->IsActive()) {
					found = alert;
					return true;
				}
			}
			return false;
		});
		return found;
	}

	TempFolder	fFolder;
	Recorder*	fRecorder;
	BMessenger	fTarget;
};

}	// namespace


TEST_F(FilePanelTest, OpenPanelWalksTheFoldersAndOpensOneFile)
{
	entry_ref site = Ref("site");
	CountingPanel panel(B_OPEN_PANEL, &fTarget, &site, false);
	EXPECT_EQ(B_OPEN_PANEL, panel.PanelMode());
	EXPECT_FALSE(panel.IsShowing());
	EXPECT_TRUE(panel.HidesWhenDone());
	BMessage open(B_REFS_RECEIVED);
	open.AddInt32("state", 0);
	panel.SetMessage(&open);
	ShowPanel(&panel);
	EXPECT_TRUE(panel.IsShowing());

	std::vector<std::string> expected = { "images", "Pages", "about.html", "contact.html",
		"index.html" };
	EXPECT_EQ(expected, Rows(&panel));
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));

	// Nothing selected: Open cannot be pressed.
	BButton* openButton = dynamic_cast<BButton*>(View(&panel, "default button"));
	ASSERT_NE(nullptr, openButton);
	Locked(panel.Window(), [&]() { EXPECT_FALSE(openButton->IsEnabled()); });

	// A double click enters a folder; Backspace comes back and selects where it was.
	ClickRow(&panel, "Pages", 2);
	EXPECT_EQ(fFolder / "site/Pages", PanelFolder(&panel));
	expected = { "latest.html", "one.html" };
	EXPECT_EQ(expected, Rows(&panel));
	HeadlessTest::PressKey(BPrivate::kKeyBackspace);
	WaitIdle();
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));
	Locked(panel.Window(), [&]() { EXPECT_EQ(1, List(&panel)->CurrentSelection()); });

	// Enter on a selected folder enters it as well; the path menu leads back up.
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_EQ(fFolder / "site/Pages", PanelFolder(&panel));
	BMenuField* pathField = dynamic_cast<BMenuField*>(View(&panel, "DirMenuField"));
	ASSERT_NE(nullptr, pathField);
	Locked(panel.Window(), [&]() {
		BMenu* menu = pathField->Menu();
		ASSERT_GE(menu->CountItems(), 3);
		BMenuItem* last = menu->ItemAt(menu->CountItems() - 1);
		EXPECT_STREQ("Pages", last->Label());
		EXPECT_TRUE(last->IsMarked());
		EXPECT_STREQ("/", menu->ItemAt(0)->Label());
		menu->ItemAt(menu->CountItems() - 2)->Invoke();
	});
	WaitIdle();
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));
	EXPECT_TRUE(fRecorder->Messages().empty()) << "walking sends nothing";

	// Choosing a file: a click selects it, Enter opens it and the panel hides.
	int32 changesBefore = panel.selectionChanges;
	ClickRow(&panel, "contact.html");
	EXPECT_GT(panel.selectionChanges, changesBefore);
	Locked(panel.Window(), [&]() { EXPECT_TRUE(openButton->IsEnabled()); });
	panel.Rewind();
	entry_ref selected;
	ASSERT_EQ(B_OK, panel.GetNextSelectedRef(&selected));
	EXPECT_STREQ("contact.html", selected.name);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, panel.GetNextSelectedRef(&selected));

	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	std::vector<BMessage> messages = fRecorder->Messages();
	ASSERT_EQ(1u, messages.size());
	EXPECT_EQ((uint32)B_REFS_RECEIVED, messages[0].what);
	EXPECT_EQ(0, Int32Of(messages[0], "state", -1)) << "the caller's fields stay";
	std::vector<std::string> paths = { fFolder / "site/contact.html" };
	EXPECT_EQ(paths, RefPaths(messages[0], "refs"));
	EXPECT_FALSE(panel.IsShowing());
	EXPECT_EQ(1, panel.hidden);

	// Shown again it opens where it was; a double click on a file opens it at once.
	ShowPanel(&panel);
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));
	ClickRow(&panel, "about.html", 2);
	messages = fRecorder->Messages();
	ASSERT_EQ(2u, messages.size());
	paths = { fFolder / "site/about.html" };
	EXPECT_EQ(paths, RefPaths(messages[1], "refs"));
}


TEST_F(FilePanelTest, OpenPanelSendsEverySelectedFileAndKeepsShowingWhenAsked)
{
	entry_ref site = Ref("site");
	CountingPanel panel(B_OPEN_PANEL, &fTarget, &site, true, false);
	EXPECT_FALSE(panel.HidesWhenDone());
	ShowPanel(&panel);

	// The list has the focus; a typed letter selects the first name it begins.
	HeadlessTest::TypeText("C");
	WaitIdle();
	Locked(panel.Window(), [&]() { EXPECT_EQ(3, List(&panel)->CurrentSelection()); });

	// A folder in a selection of files is left out when files are asked for.
	ClickRow(&panel, "Pages");
	HeadlessTest::KeyDown(BPrivate::kKeyLeftShift, B_SHIFT_KEY);
	ClickRow(&panel, "contact.html");
	HeadlessTest::KeyUp(BPrivate::kKeyLeftShift, 0);
	WaitIdle();
	if (const char* pictures = getenv("QUORREL_PANEL_PNG_DIR")) {
		EXPECT_EQ(B_OK, HeadlessTest::SaveWindowPNG(WindowAccess::ServerWindowOf(
			panel.Window()), (std::string(pictures) + "/selected.png").c_str()));
	}
	ClickView(&panel, "default button");

	std::vector<BMessage> messages = fRecorder->Messages();
	ASSERT_EQ(1u, messages.size());
	EXPECT_EQ((uint32)B_REFS_RECEIVED, messages[0].what);
	std::vector<std::string> paths = { fFolder / "site/about.html",
		fFolder / "site/contact.html" };
	EXPECT_EQ(paths, RefPaths(messages[0], "refs"));
	EXPECT_TRUE(panel.IsShowing()) << "not hidden when done";
	EXPECT_EQ(0, panel.hidden);

	// A panel that chooses folders sends the one shown when nothing is selected.
	entry_ref pages = Ref("site/Pages");
	CountingPanel folders(B_OPEN_PANEL, &fTarget, &pages, false, true, B_DIRECTORY_NODE);
	ShowPanel(&folders);
	Locked(folders.Window(), [&]() { List(&folders)->DeselectAll(); });
	ClickView(&folders, "default button");
	messages = fRecorder->Messages();
	ASSERT_EQ(2u, messages.size());
	paths = { fFolder / "site/Pages" };
	EXPECT_EQ(paths, RefPaths(messages[1], "refs"));
}


TEST_F(FilePanelTest, SavePanelSendsFolderAndNameAndAsksBeforeReplacing)
{
	entry_ref site = Ref("site");
	CountingPanel panel(B_SAVE_PANEL, &fTarget, &site, true);
	BMessage save('HSpr');
	save.AddString("proj_name", "Mine");
	panel.SetMessage(&save);
	panel.SetSaveText("draft.html");
	ShowPanel(&panel);
	BTextControl* name = dynamic_cast<BTextControl*>(View(&panel, "text view"));
	ASSERT_NE(nullptr, name);

	// The name field has the focus with its text selected: typing replaces it.
	HeadlessTest::TypeText("new page.html");
	WaitIdle();
	Locked(panel.Window(), [&]() { EXPECT_STREQ("new page.html", name->Text()); });
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	std::vector<BMessage> messages = fRecorder->Messages();
	ASSERT_EQ(1u, messages.size());
	EXPECT_EQ((uint32)'HSpr', messages[0].what);
	std::vector<std::string> folder = { fFolder / "site" };
	EXPECT_EQ(folder, RefPaths(messages[0], "directory"));
	EXPECT_EQ("new page.html", StringOf(messages[0], "name"));
	EXPECT_EQ("Mine", StringOf(messages[0], "proj_name"));
	EXPECT_FALSE(panel.IsShowing());

	// Picking an existing file offers its name; saving over it asks first. Cancel
	// (Escape) keeps everything as it was, the panel stays up.
	ShowPanel(&panel);
	ClickRow(&panel, "index.html");
	Locked(panel.Window(), [&]() { EXPECT_STREQ("index.html", name->Text()); });
	ClickView(&panel, "default button", false);
	BAlert* alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_EQ(1u, fRecorder->Messages().size());
	EXPECT_TRUE(panel.IsShowing());
	EXPECT_EQ("<html>", fFolder.ReadFile("site/index.html"));

	// Replace, by a click on its button, sends the message.
	ClickView(&panel, "default button", false);
	alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	BPoint replace;
	Locked(alert, [&]() {
		BView* button = alert->ButtonAt(1);
		replace = button->ConvertToScreen(BPoint(button->Bounds().Width() / 2,
			button->Bounds().Height() / 2));
	});
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(replace);
	WaitIdle();
	messages = fRecorder->Messages();
	ASSERT_EQ(2u, messages.size());
	EXPECT_EQ("index.html", StringOf(messages[1], "name"));
	EXPECT_FALSE(panel.IsShowing());
}


TEST_F(FilePanelTest, SavePanelRefusesBadNamesAndEntersFolders)
{
	entry_ref site = Ref("site");
	CountingPanel panel(B_SAVE_PANEL, &fTarget, &site, false);
	ShowPanel(&panel);
	BButton* save = dynamic_cast<BButton*>(View(&panel, "default button"));
	ASSERT_NE(nullptr, save);
	Locked(panel.Window(), [&]() { EXPECT_FALSE(save->IsEnabled()) << "no name yet"; });

	// A slash cannot be part of a name: an alert says so, nothing is sent.
	HeadlessTest::TypeText("a/b.html");
	WaitIdle();
	Locked(panel.Window(), [&]() { EXPECT_TRUE(save->IsEnabled()); });
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	ASSERT_NE(nullptr, ShownAlert());
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_TRUE(fRecorder->Messages().empty());
	EXPECT_TRUE(panel.IsShowing());

	// The name of a folder opens the folder.
	panel.SetSaveText("Pages");
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_EQ(fFolder / "site/Pages", PanelFolder(&panel));
	EXPECT_TRUE(fRecorder->Messages().empty());
}


TEST_F(FilePanelTest, CancelEscapeAndTheCloseBoxSendCancel)
{
	entry_ref site = Ref("site");
	CountingPanel panel(B_SAVE_PANEL, &fTarget, &site, false);
	BMessage save(B_SAVE_REQUESTED);
	panel.SetMessage(&save);
	BWindow* window = panel.Window();

	ShowPanel(&panel);
	ClickView(&panel, "cancel button");
	ShowPanel(&panel);
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_FALSE(panel.IsShowing());
	ShowPanel(&panel);
	HeadlessTest::CloseBox(WindowAccess::ServerWindowOf(window));
	WaitIdle();

	std::vector<BMessage> messages = fRecorder->Messages();
	ASSERT_EQ(3u, messages.size());
	for (const BMessage& message : messages) {
		EXPECT_EQ((uint32)B_CANCEL, message.what);
		void* source = NULL;
		EXPECT_EQ(B_OK, message.FindPointer("source", &source));
		EXPECT_EQ((void*)&panel, source);
		EXPECT_EQ((int32)B_SAVE_REQUESTED, Int32Of(message, "old_what", 0));
	}
	EXPECT_FALSE(panel.IsShowing());
	EXPECT_EQ(3, panel.hidden);
	EXPECT_EQ(window, panel.Window()) << "closing keeps the panel's window";

	// A new target and message take effect at once.
	Recorder* other = new Recorder();
	other->Run();
	panel.SetTarget(BMessenger(other));
	EXPECT_EQ(BMessenger(other), panel.Messenger());
	ShowPanel(&panel);
	panel.Hide();
	EXPECT_FALSE(panel.IsShowing());
	EXPECT_EQ(3, panel.hidden) << "Hide from the program is not the user's doing";
	ShowPanel(&panel);
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_EQ(1u, other->Messages().size());
	EXPECT_EQ(3u, fRecorder->Messages().size());
	other->Lock();
	other->Quit();
}


TEST_F(FilePanelTest, RefreshShowsNewFilesAndAnUnreadableFolderIsExplained)
{
	entry_ref site = Ref("site");
	CountingPanel panel(B_OPEN_PANEL, &fTarget, &site, true);
	ShowPanel(&panel);
	ClickRow(&panel, "index.html");

	fFolder.WriteFile("site/blog.html", "new");
	EXPECT_EQ(5u, Rows(&panel).size()) << "not read again by itself";
	panel.Refresh();
	std::vector<std::string> expected = { "images", "Pages", "about.html", "blog.html",
		"contact.html", "index.html" };
	EXPECT_EQ(expected, Rows(&panel));
	panel.Rewind();
	entry_ref selected;
	ASSERT_EQ(B_OK, panel.GetNextSelectedRef(&selected));
	EXPECT_STREQ("index.html", selected.name) << "the selection survives";

	// Missing folders and files are refused and the panel stays where it was.
	panel.SetPanelDirectory((fFolder / "no such folder").c_str());
	panel.SetPanelDirectory((fFolder / "site/index.html").c_str());
	panel.SetPanelDirectory((const char*)NULL);
	panel.SetPanelDirectory((const BEntry*)NULL);
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));

	// A folder that goes away (or, for an ordinary user, is locked) shows why it is
	// empty; nothing can be opened from it, and the way up still works.
	fFolder.MakeFolder("site/vanishing");
	BEntry vanishing((fFolder / "site/vanishing").c_str());
	panel.SetPanelDirectory(&vanishing);
	EXPECT_EQ(fFolder / "site/vanishing", PanelFolder(&panel));
	ASSERT_EQ(0, rmdir((fFolder / "site/vanishing").c_str()));
	panel.Refresh();
	EXPECT_TRUE(Rows(&panel).empty());
	BPrivate::PanelListView* list
		= dynamic_cast<BPrivate::PanelListView*>(List(&panel));
	ASSERT_NE(nullptr, list);
	Locked(panel.Window(), [&]() {
		EXPECT_NE(std::string::npos, list->Note().find("cannot be read")) << list->Note();
	});
	if (const char* pictures = getenv("QUORREL_PANEL_PNG_DIR")) {
		WaitIdle();
		EXPECT_EQ(B_OK, HeadlessTest::SaveWindowPNG(WindowAccess::ServerWindowOf(
			panel.Window()), (std::string(pictures) + "/unreadable.png").c_str()));
	}
	ClickView(&panel, "default button");
	EXPECT_TRUE(fRecorder->Messages().empty());
	HeadlessTest::PressKey(BPrivate::kKeyBackspace);
	WaitIdle();
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));

	if (!RunningAsRoot()) {
		fFolder.MakeFolder("site/locked");
		ASSERT_EQ(0, chmod((fFolder / "site/locked").c_str(), 0));
		panel.SetPanelDirectory((fFolder / "site/locked").c_str());
		EXPECT_EQ(fFolder / "site/locked", PanelFolder(&panel));
		EXPECT_TRUE(Rows(&panel).empty());
		chmod((fFolder / "site/locked").c_str(), 0755);
	}
}


TEST_F(FilePanelTest, CallersFillTheStripAboveTheList)
{
	CountingPanel open(B_OPEN_PANEL, &fTarget, NULL, false);
	CountingPanel save(B_SAVE_PANEL, &fTarget, NULL, false);
	const char* home = getenv("HOME");
	for (CountingPanel* panel : { &open, &save }) {
		BWindow* window = panel->Window();
		// Without an application there is no name to put first.
		EXPECT_STREQ(panel == &open ? "Open" : "Save", window->Title());
		Locked(window, [&]() {
			BView* background = window->ChildAt(0);
			ASSERT_NE(nullptr, background);
			EXPECT_EQ(background->Bounds(), window->Bounds());
			BRect strip(120, 25, background->Bounds().right - 100, 55);
			for (int32 i = 0; BView* child = background->ChildAt(i); i++) {
				EXPECT_FALSE(child->Frame().Intersects(strip)) << child->Name();
				EXPECT_TRUE(background->Bounds().Contains(child->Frame())) << child->Name();
			}
			BPopUpMenu* menu = new BPopUpMenu("encodings");
			background->AddChild(new BMenuField(strip, "encodings", "Encoding:", menu,
				B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP));
		});
		if (home != NULL) {
			EXPECT_EQ(std::string(home), PanelFolder(panel)) << "starts at home";
		}
		ShowPanel(panel);
		EXPECT_NE(nullptr, window->FindView("encodings"));

		const char* pictures = getenv("QUORREL_PANEL_PNG_DIR");
		if (pictures != NULL) {
			std::string path = std::string(pictures) + (panel == &open ? "/open.png"
				: "/save.png");
			EXPECT_EQ(B_OK, HeadlessTest::SaveWindowPNG(
				WindowAccess::ServerWindowOf(window), path.c_str()));
		}

		// Made larger, the panel keeps the strip free and everything in the window.
		Locked(window, [&]() { window->ResizeTo(719, 479); });
		WaitIdle();
		Locked(window, [&]() {
			BView* background = window->ChildAt(0);
			BRect strip(120, 25, background->Bounds().right - 100, 55);
			for (int32 i = 0; BView* child = background->ChildAt(i); i++) {
				EXPECT_TRUE(background->Bounds().Contains(child->Frame())) << child->Name();
				if (strcmp(child->Name(), "encodings") != 0) {
					EXPECT_FALSE(child->Frame().Intersects(strip)) << child->Name();
				}
			}
		});
		if (pictures != NULL) {
			std::string path = std::string(pictures) + (panel == &open ? "/open-large.png"
				: "/save-large.png");
			EXPECT_EQ(B_OK, HeadlessTest::SaveWindowPNG(
				WindowAccess::ServerWindowOf(window), path.c_str()));
		}
		panel->Hide();
	}
}


TEST_F(FilePanelTest, TheKeyboardAloneWalksAndSavesInTheSavePanel)
{
	entry_ref site = Ref("site");
	CountingPanel panel(B_SAVE_PANEL, &fTarget, &site, false);
	panel.SetSaveText("page.html");
	ShowPanel(&panel);

	// From the list, Save on a selected folder opens the folder.
	ClickRow(&panel, "images");
	Locked(panel.Window(), [&]() {
		EXPECT_EQ((BView*)List(&panel), panel.Window()->CurrentFocus());
	});
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_EQ(fFolder / "site/images", PanelFolder(&panel));
	EXPECT_TRUE(fRecorder->Messages().empty());

	// F10 opens the panel's menus; Escape then closes them and leaves the panel up.
	HeadlessTest::PressKey(B_F10_KEY);
	WaitIdle();
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_TRUE(panel.IsShowing());
	EXPECT_TRUE(fRecorder->Messages().empty());

	// Its first item takes the panel up a folder.
	HeadlessTest::PressKey(B_F10_KEY);
	WaitIdle();
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));
	// So does its shortcut, Ctrl+Up.
	HeadlessTest::PressKey(BPrivate::kKeyUpArrow, B_COMMAND_KEY);
	WaitIdle();
	EXPECT_EQ(fFolder.Path(), PanelFolder(&panel));
	ClickRow(&panel, "site", 2);
	EXPECT_EQ(fFolder / "site", PanelFolder(&panel));

	// Tab reaches the name field; Enter there saves under the name typed.
	BTextControl* name = dynamic_cast<BTextControl*>(View(&panel, "text view"));
	ASSERT_NE(nullptr, name);
	for (int i = 0; i < 8; i++) {
		bool inName = false;
		Locked(panel.Window(), [&]() {
			inName = panel.Window()->CurrentFocus() == (BView*)name->TextView();
		});
		if (inName)
			break;
		HeadlessTest::PressKey(BPrivate::kKeyTab);
		WaitIdle();
	}
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	std::vector<BMessage> messages = fRecorder->Messages();
	ASSERT_EQ(1u, messages.size());
	EXPECT_EQ((uint32)B_SAVE_REQUESTED, messages[0].what);
	EXPECT_EQ("page.html", StringOf(messages[0], "name"));
	std::vector<std::string> folder = { fFolder / "site" };
	EXPECT_EQ(folder, RefPaths(messages[0], "directory"));
}


TEST_F(FilePanelTest, TheApplicationQuittingTakesThePanelsWindowAndThePanelOutlivesIt)
{
	entry_ref site = Ref("site");
	CountingPanel* panel = new CountingPanel(B_OPEN_PANEL, &fTarget, &site, false);
	ShowPanel(panel);
	BWindow* window = panel->Window();
	ASSERT_NE(nullptr, window);

	// What BApplication::QuitRequested does with every window, from its own thread.
	ASSERT_TRUE(window->Lock());
	EXPECT_TRUE(window->QuitRequested());
	window->Quit();
	WaitIdle();
	EXPECT_TRUE(fRecorder->Messages().empty()) << "quitting is not cancelling";

	// Every call is safe afterwards and does nothing.
	EXPECT_EQ(nullptr, panel->Window());
	EXPECT_FALSE(panel->IsShowing());
	panel->Show();
	panel->Refresh();
	panel->SetPanelDirectory((fFolder / "site/Pages").c_str());
	panel->SetSaveText("x");
	entry_ref ref;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, panel->GetNextSelectedRef(&ref));
	EXPECT_FALSE(panel->Messenger().IsValid());
	delete panel;
	EXPECT_TRUE(fRecorder->Messages().empty());
}
