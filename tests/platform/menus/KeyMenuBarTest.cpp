// Opening the key menu bar from the keyboard: F10, and Alt pressed and let go alone.

#include "MenuTestSupport.h"

#include <Button.h>

#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

using BPrivate::HeadlessTest;

namespace {

// A window with a File and an Edit menu and a view that has the focus.
struct BarWindow {
	MessageLog		log;
	LoggingWindow*	window;
	BMenuBar*		bar;
	BMenu*			file;
	BMenu*			edit;
	KeyView*		keys;

	BarWindow(bool withBar = true)
		:
		bar(NULL),
		file(NULL),
		edit(NULL)
	{
		window = new LoggingWindow(log, BRect(100, 100, 499, 399));
		keys = new KeyView(BRect(0, 40, 399, 299));
		window->AddChild(keys);
		if (withBar) {
			bar = new BMenuBar(BRect(0, 0, 399, 19), "menu_bar");
			file = new BMenu("File");
			file->AddItem(new BMenuItem("New", new BMessage('MFnf'), 'N'));
			file->AddItem(new BMenuItem("Open file", new BMessage('MFof'), 'O'));
			edit = new BMenu("Edit");
			edit->AddItem(new BMenuItem("Undo", new BMessage('MEun'), 'Z'));
			bar->AddItem(file);
			bar->AddItem(edit);
			window->AddChild(bar);
		}
		keys->MakeFocus(true);
		window->Show();
		WaitIdle();
	}

	~BarWindow()
	{
		window->Lock();
		window->Quit();
		WaitIdle();
	}
};


void
PressF10(uint32 modifiers = 0)
{
	HeadlessTest::PressKey(B_F10_KEY, modifiers);
	WaitIdle();
}


void
PressAltAlone()
{
	HeadlessTest::KeyDown(BPrivate::kKeyLeftAlt, B_OPTION_KEY | B_LEFT_OPTION_KEY);
	HeadlessTest::KeyUp(BPrivate::kKeyLeftAlt, 0);
	WaitIdle();
}

}	// namespace


TEST(KeyMenuBarTest, F10OpensTheFirstMenuForTheArrowKeysAndClosesItAgain)
{
	BarWindow editor;
	PressF10();
	ASSERT_TRUE(IsOpen(editor.file));
	// The first item is selected already: one Down reaches the second.
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	std::vector<std::string> expected = { "MFof 1" };
	EXPECT_EQ(expected, editor.log.Entries());

	// F10 again while open closes the menus and chooses nothing; Right moves on the bar.
	editor.log.Clear();
	PressF10();
	ASSERT_TRUE(IsOpen(editor.file));
	HeadlessTest::PressKey(BPrivate::kKeyRightArrow);
	WaitIdle();
	EXPECT_TRUE(IsOpen(editor.edit));
	PressF10();
	EXPECT_FALSE(IsOpen(editor.edit));
	EXPECT_FALSE(IsOpen(editor.file));
	EXPECT_TRUE(editor.log.Entries().empty());
	EXPECT_EQ("", editor.keys->Keys()) << "the keys went to the menus";

	// With a modifier held, F10 is an ordinary key for the focus view.
	PressF10(B_SHIFT_KEY);
	EXPECT_FALSE(IsOpen(editor.file));
	EXPECT_EQ(std::string(1, (char)B_FUNCTION_KEY), editor.keys->Keys());

	// A disabled bar does not open.
	editor.window->Lock();
	editor.bar->SetEnabled(false);
	editor.window->Unlock();
	PressF10();
	EXPECT_FALSE(IsOpen(editor.file));
}


TEST(KeyMenuBarTest, AltAloneOpensTheBarButAltWithAKeyDoesNot)
{
	BarWindow editor;
	PressAltAlone();
	ASSERT_TRUE(IsOpen(editor.file));
	HeadlessTest::PressKey(BPrivate::kKeyEscape);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));

	// Alt held while another key is typed is a chord, not a request for the menus.
	int32 keyS = 0;
	uint32 ignored = 0;
	ASSERT_TRUE(BPrivate::KeyForCharacter('s', &keyS, &ignored));
	HeadlessTest::KeyDown(BPrivate::kKeyLeftAlt, B_OPTION_KEY | B_LEFT_OPTION_KEY);
	HeadlessTest::PressKey(keyS, B_OPTION_KEY | B_LEFT_OPTION_KEY);
	HeadlessTest::KeyUp(BPrivate::kKeyLeftAlt, 0);
	WaitIdle();
	EXPECT_FALSE(IsOpen(editor.file));
	EXPECT_FALSE(IsOpen(editor.edit));
	EXPECT_EQ("s", editor.keys->Keys()) << "Alt's own press reaches no view";

	// Alt alone toggles: a second lone Alt closes what the first opened.
	PressAltAlone();
	ASSERT_TRUE(IsOpen(editor.file));
	PressAltAlone();
	EXPECT_FALSE(IsOpen(editor.file));
	EXPECT_TRUE(editor.log.Entries().empty());
}


TEST(KeyMenuBarTest, EnterChoosesInTheOpenMenuRatherThanPressingTheDefaultButton)
{
	BarWindow editor;
	editor.window->Lock();
	BButton* button = new BButton(BRect(300, 200, 390, 220), "ok", "OK",
		new BMessage('bDef'));
	editor.window->ChildAt(0)->AddChild(button);
	button->MakeDefault(true);
	editor.window->Unlock();
	WaitIdle();

	PressF10();
	ASSERT_TRUE(IsOpen(editor.file));
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	std::vector<std::string> expected = { "MFnf 0" };
	EXPECT_EQ(expected, editor.log.Entries());

	// With the menus closed, Enter is the default button's again.
	editor.log.Clear();
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	expected = { "bDef -1" };
	EXPECT_EQ(expected, editor.log.Entries());
}


TEST(KeyMenuBarTest, WithoutAMenuBarTheKeysGoToTheFocusView)
{
	BarWindow plain(false);
	PressAltAlone();
	PressF10();
	EXPECT_EQ(std::string(1, (char)B_FUNCTION_KEY), plain.keys->Keys());
}


namespace {

// Records item messages and typed keys in the one order the window handled them.
struct OrderLog {
	std::mutex					lock;
	std::vector<std::string>	entries;

	void Add(const std::string& entry)
	{
		std::lock_guard<std::mutex> guard(lock);
		entries.push_back(entry);
	}
};


class OrderWindow : public BWindow {
public:
	OrderWindow(OrderLog& log)
		:
		BWindow(BRect(100, 100, 399, 299), "order", B_TITLED_WINDOW, 0),
		fLog(log)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'MXbo') {
			fLog.Add("bold");
			return;
		}
		BWindow::MessageReceived(message);
	}

private:
	OrderLog&	fLog;
};


class OrderView : public BView {
public:
	OrderView(OrderLog& log)
		:
		BView(BRect(0, 30, 299, 199), "typing", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
		fLog(log)
	{
	}

	void KeyDown(const char* bytes, int32 numBytes) override
	{
		fLog.Add(std::string(bytes, numBytes));
	}

private:
	OrderLog&	fLog;
};

}	// namespace


TEST(KeyMenuBarTest, AMenuShortcutIsHandledBeforeKeysTypedAfterIt)
{
	OrderLog log;
	OrderWindow* window = new OrderWindow(log);
	BMenuBar* bar = new BMenuBar(BRect(0, 0, 299, 19), "menu_bar");
	BMenu* html = new BMenu("HTML");
	html->AddItem(new BMenuItem("Bold", new BMessage('MXbo'), 'B'));
	bar->AddItem(html);
	window->AddChild(bar);
	OrderView* view = new OrderView(log);
	window->AddChild(view);
	view->MakeFocus(true);
	window->Show();
	WaitIdle();

	// Both keys wait in the window's queue before it handles either, as when the user
	// types faster than the window works.
	ASSERT_TRUE(window->Lock());
	int32 key = 0;
	uint32 modifiers = 0;
	ASSERT_TRUE(BPrivate::KeyForCharacter('b', &key, &modifiers));
	HeadlessTest::PressKey(key, modifiers | B_COMMAND_KEY);
	HeadlessTest::TypeText("e");
	window->Unlock();
	WaitIdle();

	std::vector<std::string> expected = { "bold", "e" };
	{
		std::lock_guard<std::mutex> guard(log.lock);
		EXPECT_EQ(expected, log.entries);
	}
	window->Lock();
	window->Quit();
	WaitIdle();
}
