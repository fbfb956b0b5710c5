// The first-start wizard in a window on the headless display, driven by clicks and
// typing: its five stages, the answers it keeps, the settings file it writes, and how it
// quits.

#include <Alert.h>
#include <Application.h>
#include <Bitmap.h>
#include <ListItem.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <ScrollView.h>
#include <TextControl.h>
#include <TextView.h>

#include "BubbleHelper.h"
#include "FirstStartView.h"
#include "FirstStartWindow.h"
#include "QuorrelTools.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"
#include "XButton.h"
#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

using BPrivate::HeadlessTest;

namespace {

const char* const kDefaults = "language=\"English\"\nname=\"\"\nemail=\"\"\n"
	"encoding=\"ISO 8859-1\"\nicons=\"normal\"\ngfx_dir=\"gfx\"\n";


// An application that counts the requests to quit and stays, so the test can look at
// what the wizard left behind.
class QuitCountingApp : public BApplication {
public:
	QuitCountingApp()
		:
		BApplication("application/x-vnd.quorrel-wizard-test"),
		fQuitRequests(0),
		fMayQuit(false)
	{
	}

	bool QuitRequested() override
	{
		if (fMayQuit)
			return BApplication::QuitRequested();
		fQuitRequests++;
		return false;
	}

	std::atomic<int32>	fQuitRequests;
	std::atomic<bool>	fMayQuit;
};


// The controls each stage shows, by view name.
const std::set<std::string> kStageViews[] = {
	{ "witka" },
	{ "lang", "scroll_lang" },
	{ "name", "email" },
	{ "encoding", "encodings" },
	{ "end" }
};
const std::set<std::string> kAllStageViews = { "witka", "lang", "scroll_lang", "name",
	"email", "encoding", "encodings", "end" };


class WizardTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fApp = new QuitCountingApp();
		// The constructing thread holds the application's lock; the loop runs in
		// another thread and needs it.
		if (fApp->LockingThread() == find_thread(NULL))
			fApp->Unlock();
		fAppThread = std::thread([this]() { fApp->Run(); });
		ASSERT_TRUE(Eventually([this]() { return !fApp->IsLaunching(); }));
		fBubble = new BubbleHelper();
		fWindow = NULL;
	}

	void TearDown() override
	{
		if (fWindow != NULL && WindowAlive())
			QuitWindow(fWindow);
		// The tool-tip service goes first, with its bubble window, so that the
		// application's quit never closes that window under the watch thread.
		delete fBubble;
		fApp->fMayQuit = true;
		fApp->PostMessage(B_QUIT_REQUESTED);
		fAppThread.join();
		delete fApp;
	}

	void Open()
	{
		fWindow = new FirstStartWindow(BRect(100, 100, 550, 350), fBubble);
		fMessenger = BMessenger(fWindow);
		ShowActive(fWindow);
	}

	bool WindowAlive() const { return fMessenger.IsValid(); }

	FirstStartView* View() const { return fWindow->WizardView(); }

	int32 Stage()
	{
		int32 stage = -1;
		Locked(fWindow, [&]() { stage = View()->GetStage(); });
		return stage;
	}

	XButton* Button(const char* name)
	{
		XButton* button = NULL;
		Locked(fWindow, [&]() { button = dynamic_cast<XButton*>(fWindow->FindView(name)); });
		EXPECT_NE(nullptr, button) << name;
		return button;
	}

	std::string Label(const char* name)
	{
		XButton* button = Button(name);
		std::string label;
		if (button != NULL)
			Locked(fWindow, [&]() { label = button->GetLabel(); });
		return label;
	}

	void Press(const char* name)
	{
		XButton* button = Button(name);
		ASSERT_NE(nullptr, button);
		ASSERT_EQ(B_OK, HeadlessTest::Click(ScreenCenter(button)));
		WaitIdle();
	}

	// The names of the stage controls that are children of the wizard view now.
	std::set<std::string> ShownControls()
	{
		std::set<std::string> shown;
		Locked(fWindow, [&]() {
			for (int32 i = 0; i < View()->CountChildren(); i++) {
				const char* name = View()->ChildAt(i)->Name();
				if (name != NULL && kAllStageViews.count(name) > 0)
					shown.insert(name);
			}
		});
		return shown;
	}

	// The view of class T named name; the stage text and the name field share their
	// name, so the class tells them apart.
	template<typename T>
	T* Find(const char* name)
	{
		T* found = NULL;
		Locked(fWindow, [&]() { found = _Find<T>(View(), name); });
		return found;
	}

	template<typename T>
	T* _Find(BView* parent, const char* name)
	{
		for (int32 i = 0; i < parent->CountChildren(); i++) {
			BView* child = parent->ChildAt(i);
			T* match = dynamic_cast<T*>(child);
			if (match != NULL && strcmp(child->Name(), name) == 0)
				return match;
			if (T* deeper = _Find<T>(child, name))
				return deeper;
		}
		return NULL;
	}

	void ClickInto(BView* view, BPoint where)
	{
		ASSERT_EQ(B_OK, HeadlessTest::Click(ScreenPoint(view, where)));
		WaitIdle();
	}

	void TypeInto(BTextControl* field, const char* text)
	{
		ASSERT_NE(nullptr, field);
		BTextView* textView = NULL;
		Locked(fWindow, [&]() { textView = field->TextView(); });
		ClickInto(textView, BPoint(3, 3));
		ASSERT_EQ(B_OK, HeadlessTest::TypeText(text));
		WaitIdle();
	}

	// Waits for the alert the wizard shows and presses Enter on it; its text, or ""
	// when none came.
	std::string AnswerAlert()
	{
		BPrivate::ServerWindow* shown = NULL;
		BAlert* alert = NULL;
		Eventually([&]() {
			for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
				BAlert* candidate = dynamic_cast<BAlert*>(entry.window);
				BPrivate::ServerWindow* server
					= BPrivate::WindowAccess::ServerWindowOf(entry.window);
				if (candidate != NULL && server != NULL && !server->IsHidden()
					&& server->IsActive()) {
					alert = candidate;
					shown = server;
					return true;
				}
			}
			return false;
		});
		if (shown == NULL)
			return "";
		std::string text = shown->Title();
		HeadlessTest::PressKey(BPrivate::kKeyEnter);
		WaitIdle();
		return text;
	}

	TempAppDir			fAppDir;
	QuitCountingApp*	fApp;
	std::thread			fAppThread;
	BubbleHelper*		fBubble;
	FirstStartWindow*	fWindow;
	BMessenger			fMessenger;
};

}	// namespace


TEST_F(WizardTest, WindowHasItsTitleButtonsAndLogo)
{
	Open();
	std::string title;
	BRect frame;
	uint32 flags = 0;
	Locked(fWindow, [&]() {
		title = fWindow->Title();
		frame = fWindow->Frame();
		flags = fWindow->Flags();
	});
	EXPECT_EQ("Welcome to Quorrel", title);
	EXPECT_EQ(BRect(100, 100, 550, 350), frame);
	EXPECT_EQ((uint32)(B_NOT_RESIZABLE | B_NOT_ZOOMABLE), flags & (B_NOT_RESIZABLE | B_NOT_ZOOMABLE));

	EXPECT_EQ("< Previous", Label("prev"));
	EXPECT_EQ("Next >", Label("next"));
	EXPECT_EQ("Cancel", Label("cancel"));
	ASSERT_STREQ("Go back", fBubble->GetHelp(Button("prev")));
	ASSERT_STREQ("Go next", fBubble->GetHelp(Button("next")));
	ASSERT_STREQ("Cancel", fBubble->GetHelp(Button("cancel")));
	// Automatic sizing keeps the frames' widths and makes them 24 pixels high.
	BRect nextFrame;
	Locked(fWindow, [&]() { nextFrame = Button("next")->Frame(); });
	EXPECT_EQ(BRect(220, 215, 300, 239), nextFrame);

	// The logo in its sunken frame, and the engraved lines beside and below the page.
	QuorrelTools tools;
	BBitmap* logo = tools.LoadBitmap(fAppDir.File("Images/fslogo.bmp").c_str());
	ASSERT_NE(nullptr, logo);
	ASSERT_EQ(B_RGB32, logo->ColorSpace());
	for (BPoint inLogo : { BPoint(25, 100), BPoint(3, 10), BPoint(40, 190) }) {
		uint32 pixel = *(uint32*)((uint8*)logo->Bits()
			+ (int32)inLogo.y * logo->BytesPerRow() + (int32)inLogo.x * 4);
		EXPECT_EQ(pixel & 0xffffff, ShownPixel(fWindow, inLogo + BPoint(10, 10)))
			<< inLogo.x << "," << inLogo.y;
	}
	delete logo;
	EXPECT_EQ(RGB(20, 20, 20), ShownPixel(fWindow, BPoint(9, 100)));
	EXPECT_EQ(RGB(235, 235, 235), ShownPixel(fWindow, BPoint(60, 100)));
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow, BPoint(70, 100)));
	EXPECT_EQ(RGB(250, 250, 250), ShownPixel(fWindow, BPoint(71, 100)));
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow, BPoint(200, 210)));
	EXPECT_EQ(RGB(250, 250, 250), ShownPixel(fWindow, BPoint(200, 211)));
	EXPECT_EQ(RGB(220, 220, 220), ShownPixel(fWindow, BPoint(65, 230)));
}


TEST_F(WizardTest, NextFourTimesAndEndWritesTheDefaults)
{
	Open();
	for (int32 stage = 0; stage < 5; stage++) {
		EXPECT_EQ(stage, Stage());
		EXPECT_EQ(kStageViews[stage], ShownControls()) << "stage " << stage;
		EXPECT_EQ(stage == 4 ? "End" : "Next >", Label("next")) << "stage " << stage;
		std::string picture = "/tmp/quorrel-wizard-stage" + std::to_string(stage) + ".png";
		HeadlessTest::SaveWindowPNG(BPrivate::WindowAccess::ServerWindowOf(fWindow),
			picture.c_str());
		EXPECT_FALSE(fAppDir.Exists("Settings/settings"));
		if (stage < 4)
			Press("next");
	}
	EXPECT_EQ(0, fApp->fQuitRequests.load());

	Press("next");
	EXPECT_EQ(kDefaults, fAppDir.Read("Settings/settings"));
	EXPECT_TRUE(Eventually([this]() { return fApp->fQuitRequests.load() >= 1; }));
}


TEST_F(WizardTest, ChosenAnswersAreWrittenAndPreviousKeepsThem)
{
	Open();
	Press("next");

	// The language list: the default language, then the dictionary's languages; none
	// is selected at first.
	BListView* list = Find<BListView>("langList");
	ASSERT_NE(nullptr, list);
	std::vector<std::string> rows;
	int32 selected = 0;
	BRect deutsch;
	Locked(fWindow, [&]() {
		for (int32 i = 0; i < list->CountItems(); i++)
			rows.push_back(((BStringItem*)list->ItemAt(i))->Text());
		selected = list->CurrentSelection();
		deutsch = list->ItemFrame(2);
	});
	EXPECT_EQ((std::vector<std::string>{ "English", "Polski", "Deutsch" }), rows);
	EXPECT_LT(selected, 0);
	ClickInto(list, BPoint(deutsch.left + 10, (deutsch.top + deutsch.bottom) / 2));
	Press("next");

	TypeInto(Find<BTextControl>("name"), "Anna Nowak");
	TypeInto(Find<BTextControl>("email"), "anna@example.org");
	Press("next");

	// The DOS code page is stored by its label, which the document panels' menus
	// know, as every other encoding is.
	BMenuField* field = Find<BMenuField>("encodings");
	ASSERT_NE(nullptr, field);
	Locked(fWindow, [&]() {
		BMenuItem* item = field->Menu()->FindItem("M$ DOS 866 Codepage");
		ASSERT_NE(nullptr, item);
		item->SetMarked(true);
		item->Invoke();
	});
	WaitIdle();
	int32 itemCount = 0;
	Locked(fWindow, [&]() { itemCount = field->Menu()->CountItems(); });
	EXPECT_EQ(19, itemCount);

	// Back to the name and the language: what was entered is still there.
	Press("prev");
	Press("prev");
	EXPECT_EQ(1, Stage());
	Locked(fWindow, [&]() { selected = list->CurrentSelection(); });
	EXPECT_EQ(2, selected);
	Press("next");
	std::string name;
	std::string email;
	Locked(fWindow, [&]() {
		name = Find<BTextControl>("name")->Text();
		email = Find<BTextControl>("email")->Text();
	});
	EXPECT_EQ("Anna Nowak", name);
	EXPECT_EQ("anna@example.org", email);
	Press("next");
	Press("next");
	EXPECT_EQ(4, Stage());
	EXPECT_EQ("End", Label("next"));
	Press("prev");
	EXPECT_EQ(3, Stage());
	EXPECT_EQ("Next >", Label("next"));
	EXPECT_EQ(kStageViews[3], ShownControls());
	Press("next");
	EXPECT_EQ("End", Label("next"));
	EXPECT_FALSE(fAppDir.Exists("Settings/settings"));

	Press("next");
	EXPECT_EQ("language=\"Deutsch\"\nname=\"Anna Nowak\"\nemail=\"anna@example.org\"\n"
		"encoding=\"M$ DOS 866 Codepage\"\nicons=\"normal\"\ngfx_dir=\"gfx\"\n",
		fAppDir.Read("Settings/settings"));
}


TEST_F(WizardTest, PreviousOnTheFirstStageAndCancelChangeNothing)
{
	Open();
	Press("prev");
	EXPECT_EQ(0, Stage());
	EXPECT_EQ(kStageViews[0], ShownControls());
	EXPECT_EQ("Next >", Label("next"));

	Press("next");
	Press("next");
	TypeInto(Find<BTextControl>("name"), "Somebody");
	Press("cancel");
	EXPECT_TRUE(Eventually([this]() { return fApp->fQuitRequests.load() >= 1; }));
	EXPECT_FALSE(fAppDir.Exists("Settings/settings"));
}


TEST_F(WizardTest, CloseBoxQuitsWithoutWriting)
{
	Open();
	Press("next");
	Press("next");
	TypeInto(Find<BTextControl>("name"), "Somebody");
	ASSERT_EQ(B_OK, HeadlessTest::CloseBox(BPrivate::WindowAccess::ServerWindowOf(fWindow)));
	WaitIdle();
	EXPECT_TRUE(Eventually([this]() { return !WindowAlive(); }));
	EXPECT_GE(fApp->fQuitRequests.load(), 1);
	EXPECT_FALSE(fAppDir.Exists("Settings/settings"));
}


TEST_F(WizardTest, UnwritableSettingsAreReportedBeforeQuitting)
{
	// A folder in the file's place cannot be replaced by the file.
	std::filesystem::create_directories(fAppDir.File("Settings/settings"));
	Open();
	for (int32 i = 0; i < 4; i++)
		Press("next");
	ASSERT_EQ(4, Stage());

	XButton* end = Button("next");
	ASSERT_EQ(B_OK, HeadlessTest::Click(ScreenCenter(end)));
	// The alert holds the wizard until it is answered; only then does it quit.
	std::string alert = AnswerAlert();
	EXPECT_EQ("Quorrel", alert);
	EXPECT_TRUE(Eventually([this]() { return fApp->fQuitRequests.load() >= 1; }));
	EXPECT_TRUE(std::filesystem::is_directory(fAppDir.File("Settings/settings")));
}


TEST_F(WizardTest, QuotesInTheNameAreRefusedAndKept)
{
	Open();
	Press("next");
	Press("next");
	TypeInto(Find<BTextControl>("name"), "Jan \"JK\" Kowalski");
	XButton* next = Button("next");
	ASSERT_EQ(B_OK, HeadlessTest::Click(ScreenCenter(next)));
	EXPECT_EQ("Quorrel", AnswerAlert());
	EXPECT_EQ(2, Stage());
	std::string name;
	Locked(fWindow, [&]() { name = Find<BTextControl>("name")->Text(); });
	EXPECT_EQ("Jan \"JK\" Kowalski", name);
	EXPECT_EQ(kStageViews[2], ShownControls());
	EXPECT_EQ(0, fApp->fQuitRequests.load());
}


TEST_F(WizardTest, MissingDictionaryAndLogoLeaveTheRestWorking)
{
	std::filesystem::remove(fAppDir.File("Dictionary/dictionary"));
	std::filesystem::remove(fAppDir.File("Images/fslogo.bmp"));
	Open();
	// No logo: no frame either, only the panel colour where it would be.
	EXPECT_EQ(RGB(220, 220, 220), ShownPixel(fWindow, BPoint(9, 100)));
	EXPECT_EQ(RGB(220, 220, 220), ShownPixel(fWindow, BPoint(35, 100)));
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow, BPoint(70, 100)));

	Press("next");
	BListView* list = Find<BListView>("langList");
	ASSERT_NE(nullptr, list);
	int32 rows = 0;
	Locked(fWindow, [&]() { rows = list->CountItems(); });
	EXPECT_EQ(1, rows);
	for (int32 i = 0; i < 4; i++)
		Press("next");
	EXPECT_EQ("language=\"\"\nname=\"\"\nemail=\"\"\nencoding=\"ISO 8859-1\"\n"
		"icons=\"normal\"\ngfx_dir=\"gfx\"\n", fAppDir.Read("Settings/settings"));
}
