// The windows the main window opens and the browser it asks: the search window with its
// kept state, the colour picker and about window as their flags say, and the preview and
// help index through $BROWSER.

#include <Button.h>
#include <CheckBox.h>
#include <TextControl.h>
#include <TextView.h>

#include "ColorSelectWindow.h"
#include "EView.h"
#include "EditView.h"
#include "MainWindowTestSupport.h"
#include "QuorrelAboutWindow.h"
#include "SearchWindow.h"
#include "UiTestSupport.h"
#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#include <cstdlib>
#include <sys/stat.h>

using BPrivate::HeadlessTest;
using BPrivate::WindowAccess;


namespace {

template<class T>
std::vector<T*>
WindowsOf()
{
	std::vector<T*> found;
	for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
		if (T* window = dynamic_cast<T*>(entry.window))
			found.push_back(window);
	}
	return found;
}


bool
Showing(BWindow* window)
{
	BPrivate::ServerWindow* server = WindowAccess::ServerWindowOf(window);
	return server != NULL && !server->IsHidden();
}


void
Click(BView* view)
{
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ScreenCenter(view));
	WaitIdle();
}


std::pair<int32, int32>
Selection(QuorrelMainWindow* window, int slot)
{
	int32 start = -1, end = -1;
	Locked(window, [&]() {
		window->DocumentAt(slot)->editView->GetSelection(&start, &end);
	});
	return { start, end };
}

}	// namespace


TEST_F(MainWindowTest, SearchWindowSendsItsRequestsAndKeepsItsState)
{
	Locked(fWindow, [&]() { fWindow->DocumentAt(0)->LoadFile("one Two two"); });
	Post(kMsgFindReplace);
	std::vector<SearchWindow*> windows = WindowsOf<SearchWindow>();
	ASSERT_EQ(1u, windows.size());
	SearchWindow* search = windows[0];
	ASSERT_TRUE(Eventually([&]() { return Showing(search); }));
	Locked(search, [&]() { EXPECT_STREQ("Search & Replace", search->Title()); });

	BTextControl* find = dynamic_cast<BTextControl*>(search->FindView("find"));
	BTextControl* replace = dynamic_cast<BTextControl*>(search->FindView("replace"));
	BView* findButton = search->FindView("find_button");
	BView* replaceButton = search->FindView("replace_button");
	BView* replaceAll = search->FindView("replace_all_button");
	BCheckBox* ignoreCase = dynamic_cast<BCheckBox*>(search->FindView("case_sensitive"));
	ASSERT_TRUE(find && replace && findButton && replaceButton && replaceAll && ignoreCase);

	// Find walks through the occurrences, exactly or ignoring case.
	Locked(search, [&]() { find->SetText("two"); });
	Click(findButton);
	WaitIdle();
	EXPECT_EQ(std::make_pair(8, 11), Selection(fWindow, 0));
	Click(ignoreCase);
	Locked(fWindow, [&]() { fWindow->DocumentAt(0)->editView->Select(0, 0); });
	Click(findButton);
	WaitIdle();
	EXPECT_EQ(std::make_pair(4, 7), Selection(fWindow, 0));

	// Replace, then replace all with an empty text.
	Locked(search, [&]() { replace->SetText("2"); });
	Click(replaceButton);
	WaitIdle();
	EXPECT_EQ("one 2 two", Text(0));
	Locked(search, [&]() { find->SetText("o"); replace->SetText(""); });
	Click(replaceAll);
	WaitIdle();
	EXPECT_EQ("ne 2 tw", Text(0));
	Locked(fWindow, [&]() { EXPECT_FALSE(fWindow->DocumentAt(0)->saved); });

	// Closing only hides it; "Find & Replace" shows the same window with its texts.
	BView* cancel = search->FindView("cancel");
	Click(cancel);
	EXPECT_TRUE(Eventually([&]() { return !Showing(search); }));
	Post(kMsgFindReplace);
	EXPECT_EQ(1u, WindowsOf<SearchWindow>().size());
	EXPECT_TRUE(Eventually([&]() { return Showing(search); }));
	Locked(search, [&]() {
		EXPECT_STREQ("o", find->Text());
		EXPECT_EQ(B_CONTROL_ON, ignoreCase->Value());
	});

	// With no document the requests do nothing.
	Locked(fWindow, [&]() { fWindow->DocumentAt(0)->saved = true; });
	Post(kMsgCloseFile);
	Click(findButton);
	WaitIdle();
	EXPECT_TRUE(WindowAlive());
}


TEST_F(MainWindowTest, ColourPickerAndAboutWindowFollowTheirFlags)
{
	Post(kMsgInsertColor);
	std::vector<ColorSelectWindow*> pickers = WindowsOf<ColorSelectWindow>();
	ASSERT_EQ(1u, pickers.size());
	ColorSelectWindow* first = pickers[0];
	// While it is open a second request does nothing.
	Post(kMsgInsertColor);
	EXPECT_EQ(1u, WindowsOf<ColorSelectWindow>().size());
	Locked(fWindow, [&]() { EXPECT_EQ(first, fWindow->ColorPicker()); });

	// A chosen colour reaches the document through the application.
	Locked(fWindow, [&]() {
		fWindow->DocumentAt(0)->LoadFile("x");
		fWindow->DocumentAt(0)->editView->Select(0, 1);
	});
	BMessage chosen('CScs');
	chosen.AddString("color", "#0A800A");
	TestApplication()->PostMessage(&chosen);
	WaitIdle();
	EXPECT_EQ("<font color=\"#0A800A\">x</font>", Text(0));

	// Closed, it is replaced by a new picker on the next request. (The new one may
	// take the old one's address, so they are told apart by their messengers.)
	BMessenger firstMessenger(first);
	TestApplication()->PostMessage('CSwi');
	WaitIdle();
	Post(kMsgInsertColor);
	EXPECT_TRUE(Eventually([&]() { return !firstMessenger.IsValid(); }));
	ColorSelectWindow* second = NULL;
	Locked(fWindow, [&]() { second = fWindow->ColorPicker(); });
	ASSERT_NE(nullptr, second);
	EXPECT_TRUE(BMessenger(second).IsValid());
	EXPECT_EQ(1u, WindowsOf<ColorSelectWindow>().size());

	Post(kMsgAbout);
	std::vector<QuorrelAboutWindow*> abouts = WindowsOf<QuorrelAboutWindow>();
	ASSERT_EQ(1u, abouts.size());
	QuorrelAboutWindow* about = abouts[0];
	EXPECT_TRUE(Eventually([&]() { return Showing(about); }));
	Post(kMsgAbout);
	EXPECT_EQ(1u, WindowsOf<QuorrelAboutWindow>().size());
	// OK hides it and tells the main window through the application.
	BView* ok = about->FindView("ok");
	ASSERT_NE(nullptr, ok);
	Click(ok);
	WaitIdle();
	EXPECT_TRUE(Eventually([&]() { return !Showing(about); }));
	Post(kMsgAbout);
	abouts = WindowsOf<QuorrelAboutWindow>();
	ASSERT_EQ(1u, abouts.size());
	Locked(fWindow, [&]() { EXPECT_EQ(abouts[0], fWindow->About()); });
	EXPECT_TRUE(Eventually([&]() { return Showing(abouts[0]); }));
}


TEST_F(MainWindowTest, PreviewAndHelpGoToTheBrowser)
{
	std::string record = fAppDir->File("browser.txt");
	std::string script = fAppDir->File("browser.sh");
	WriteFile(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + record + "'\n");
	chmod(script.c_str(), 0755);
	const char* saved = getenv("BROWSER");
	std::string oldBrowser = saved != NULL ? saved : "";
	setenv("BROWSER", script.c_str(), 1);

	// An unsaved document is not previewed; the user is told to save it first.
	Post(kMsgPreview);
	BAlert* alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	EXPECT_EQ("You should save this file first!", AlertText(alert));
	PressAlertButton(alert, 0);
	WaitIdle();
	snooze(200000);
	EXPECT_EQ("", ReadFile(record));

	SaveAs(fFolder, "shown.html");
	Post(kMsgPreview);
	EXPECT_TRUE(Eventually([&]() { return !ReadFile(record).empty(); }));
	EXPECT_EQ("file://" + fFolder + "/shown.html\n", ReadFile(record));

	Post(kMsgHelpIndex);
	EXPECT_TRUE(Eventually([&]() {
		return ReadFile(record).find("Help") != std::string::npos; }));
	EXPECT_EQ("file://" + fFolder + "/shown.html\nfile://" + fAppDir->Path()
		+ "/Help/index.html\n", ReadFile(record));

	if (saved != NULL)
		setenv("BROWSER", oldBrowser.c_str(), 1);
	else
		unsetenv("BROWSER");
}
