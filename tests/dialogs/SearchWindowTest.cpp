// The search and replace dialog on the headless display: what its buttons post to the
// application, the case box, Enter, hiding on Cancel and on the close box with the
// texts kept, and its labels in the language of the settings.

#include <Button.h>
#include <CheckBox.h>
#include <TextControl.h>
#include <TextView.h>

#include "DialogTestSupport.h"
#include "SearchWindow.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

#include <string>

using BPrivate::HeadlessTest;

namespace {

class SearchWindowTest : public ::testing::Test {
protected:
	void Open()
	{
		TestApp()->Clear();
		fWindow = new SearchWindow(BRect(200, 200, 220, 320), "Search & Replace");
		ShowActive(fWindow);
		Locked(fWindow, [&]() {
			fFind = dynamic_cast<BTextControl*>(fWindow->FindView("find"));
			fReplace = dynamic_cast<BTextControl*>(fWindow->FindView("replace"));
			fCaseBox = dynamic_cast<BCheckBox*>(fWindow->FindView("case_sensitive"));
		});
		ASSERT_NE(nullptr, fFind);
		ASSERT_NE(nullptr, fReplace);
		ASSERT_NE(nullptr, fCaseBox);
	}

	void TearDown() override
	{
		if (fWindow != NULL)
			QuitWindow(fWindow);
	}

	void TypeInto(BTextControl* control, const char* text)
	{
		BRect field;
		Locked(fWindow, [&]() { field = control->TextView()->Frame(); });
		HeadlessTest::Click(ScreenPoint(control, field.LeftTop() + BPoint(5, 5)));
		HeadlessTest::AdvanceClock(1000000);
		HeadlessTest::PressKey(BPrivate::kKeyEnd);
		HeadlessTest::TypeText(text);
		WaitIdle();
	}

	void Press(const char* name)
	{
		BView* view = NULL;
		Locked(fWindow, [&]() { view = fWindow->FindView(name); });
		ASSERT_NE(nullptr, view) << name;
		HeadlessTest::Click(ScreenCenter(view));
		HeadlessTest::AdvanceClock(1000000);
		WaitIdle();
	}

	std::string Text(BTextControl* control)
	{
		std::string text;
		Locked(fWindow, [&]() { text = control->Text(); });
		return text;
	}

	TempAppDir		fAppDir;
	SearchWindow*	fWindow = NULL;
	BTextControl*	fFind = NULL;
	BTextControl*	fReplace = NULL;
	BCheckBox*		fCaseBox = NULL;
};


// The request's fields: find, replace (or "<none>") and case_check.
std::string
Describe(const BMessage& message)
{
	const char* find = NULL;
	const char* replace = NULL;
	bool caseCheck = false;
	std::string text;
	text += message.FindString("find", &find) == B_OK ? find : "<none>";
	text += "|";
	text += message.FindString("replace", &replace) == B_OK ? replace : "<none>";
	text += "|";
	text += message.FindBool("case_check", &caseCheck) == B_OK
		? (caseCheck ? "true" : "false") : "<none>";
	return text;
}

}	// namespace


TEST_F(SearchWindowTest, ButtonsPostTheFieldsAndTheCaseBoxToTheApplication)
{
	Open();
	Locked(fWindow, [&]() {
		EXPECT_EQ(BRect(0, 0, 400, 100), fWindow->Bounds());
		EXPECT_EQ(BPoint(200, 200), fWindow->Frame().LeftTop());
		EXPECT_EQ(B_FLOATING_WINDOW_LOOK, fWindow->Look());
		EXPECT_NE(0u, fWindow->Flags() & B_NOT_RESIZABLE);
		EXPECT_NE(0u, fWindow->Flags() & B_NOT_ZOOMABLE);
		EXPECT_EQ(fWindow->FindView("find_button"), fWindow->DefaultButton());
		EXPECT_STREQ("", fFind->Text());
		EXPECT_STREQ("", fReplace->Text());
		EXPECT_EQ(B_CONTROL_OFF, fCaseBox->Value());
	});
	SaveShot(fWindow, "search");

	TypeInto(fFind, "alpha");
	TypeInto(fReplace, "beta");
	Press("find_button");
	ASSERT_TRUE(WaitForMessages(SearchWindow::kFindRequest, 1));
	EXPECT_EQ("alpha|<none>|false", Describe(TestApp()->Last(SearchWindow::kFindRequest)));

	Press("replace_button");
	ASSERT_TRUE(WaitForMessages(SearchWindow::kReplaceRequest, 1));
	EXPECT_EQ("alpha|beta|false", Describe(TestApp()->Last(SearchWindow::kReplaceRequest)));

	// Ticking "Ignore case" reaches the next request; unticking it the one after.
	Press("case_sensitive");
	Press("replace_all_button");
	ASSERT_TRUE(WaitForMessages(SearchWindow::kReplaceAllRequest, 1));
	EXPECT_EQ("alpha|beta|true",
		Describe(TestApp()->Last(SearchWindow::kReplaceAllRequest)));
	Press("case_sensitive");
	Press("find_button");
	ASSERT_TRUE(WaitForMessages(SearchWindow::kFindRequest, 2));
	EXPECT_EQ("alpha|<none>|false", Describe(TestApp()->Last(SearchWindow::kFindRequest)));

	// An empty replacement is sent as an empty text, which deletes the occurrence.
	Locked(fWindow, [&]() { fReplace->SetText(""); });
	Press("replace_button");
	ASSERT_TRUE(WaitForMessages(SearchWindow::kReplaceRequest, 2));
	EXPECT_EQ("alpha||false", Describe(TestApp()->Last(SearchWindow::kReplaceRequest)));

	// Enter in the find field presses the default button: Find.
	TypeInto(fFind, "!");
	HeadlessTest::PressKey(BPrivate::kKeyEnter);
	WaitIdle();
	ASSERT_TRUE(WaitForMessages(SearchWindow::kFindRequest, 3));
	EXPECT_EQ("alpha!|<none>|false", Describe(TestApp()->Last(SearchWindow::kFindRequest)));

	// Nothing else reaches the application: no closing, no field edits.
	EXPECT_EQ(0, TestApp()->CountOf(SearchWindow::kClosed));
	EXPECT_EQ(0, TestApp()->CountOf(SearchWindow::kFieldEdited));
	EXPECT_EQ(6u, TestApp()->Messages().size());
}


TEST_F(SearchWindowTest, CancelAndTheCloseBoxHideTheWindowAndKeepItsState)
{
	Open();
	TypeInto(fFind, "needle");
	TypeInto(fReplace, "thread");
	Press("case_sensitive");

	Press("cancel");
	ASSERT_TRUE(WaitForMessages(SearchWindow::kClosed, 1));
	Locked(fWindow, [&]() { EXPECT_TRUE(fWindow->IsHidden()); });

	// Shown again, as the next "Find & Replace" does: everything is as it was.
	ShowActive(fWindow);
	EXPECT_EQ("needle", Text(fFind));
	EXPECT_EQ("thread", Text(fReplace));
	Locked(fWindow, [&]() { EXPECT_EQ(B_CONTROL_ON, fCaseBox->Value()); });
	Press("find_button");
	ASSERT_TRUE(WaitForMessages(SearchWindow::kFindRequest, 1));
	EXPECT_EQ("needle|<none>|true", Describe(TestApp()->Last(SearchWindow::kFindRequest)));

	// The close box hides as well, and the window lives on. A second request to
	// close the hidden window must not hide it deeper: one Show brings it back.
	HeadlessTest::CloseBox(BPrivate::WindowAccess::ServerWindowOf(fWindow));
	WaitIdle();
	fWindow->PostMessage(B_QUIT_REQUESTED);
	WaitIdle();
	ASSERT_TRUE(WaitForMessages(SearchWindow::kClosed, 3));
	Locked(fWindow, [&]() { EXPECT_TRUE(fWindow->IsHidden()); });
	fWindow->Show();
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_FALSE(fWindow->IsHidden()); });
	EXPECT_EQ("needle", Text(fFind));
}


TEST_F(SearchWindowTest, LabelsFollowTheLanguageOfTheSettingsAndFieldsLineUp)
{
	fAppDir.Write("Settings/settings", "language=\"Polski\"\nname=\"A\"\n");
	Open();
	SaveShot(fWindow, "search-polski");
	Locked(fWindow, [&]() {
		EXPECT_STREQ("Znajdź", fFind->Label());
		EXPECT_STREQ("Zamień", fReplace->Label());
		EXPECT_STREQ("Ignoruj wielkość liter", fCaseBox->Label());
		BButton* all = dynamic_cast<BButton*>(fWindow->FindView("replace_all_button"));
		BButton* cancel = dynamic_cast<BButton*>(fWindow->FindView("cancel"));
		ASSERT_NE(nullptr, all);
		ASSERT_NE(nullptr, cancel);
		EXPECT_STREQ("Zamień wszystko", all->Label());
		EXPECT_STREQ("Anuluj", cancel->Label());

		// Both fields begin at the same x, right of the longer label.
		float findLeft = fFind->ConvertToParent(fFind->TextView()->Frame()).left;
		float replaceLeft = fReplace->ConvertToParent(fReplace->TextView()->Frame()).left;
		EXPECT_EQ(findLeft, replaceLeft);
		EXPECT_GT(fFind->Divider(), fReplace->StringWidth("Zamień"));
	});
}
