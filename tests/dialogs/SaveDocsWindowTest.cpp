// The unsaved-documents window on the headless display: one name and Save button per
// unsaved document, the slot each button sends, refreshing, Cancel, OK with its
// confirmation, and the diskette picture.

#include <Alert.h>
#include <Button.h>
#include <TextView.h>

#include "DialogTestSupport.h"
#include "SaveDocsView.h"
#include "SaveDocsWindow.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"
#include "libglossan/Glossan.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>
#include <unistd.h>

using BPrivate::HeadlessTest;

namespace {

const uint32 kStripGrey = 0x979797;
const uint32 kViewGrey = 0xdcdcdc;


// A snapshot as the main window builds it: every record has a buffer of its own.
class Snapshot {
public:
	Snapshot()
	{
		for (int i = 0; i < kFileListCount; i++) {
			fRecords[i] = _FileList{ new char[kFileListPathSize], false, false, false,
				false };
			fRecords[i].path[0] = '\0';
		}
	}

	~Snapshot() { FreeFileList(fRecords); }

	void Set(int slot, const char* path, bool saved)
	{
		snprintf(fRecords[slot].path, kFileListPathSize, "%s", path);
		fRecords[slot].saved = saved;
		fRecords[slot].hasFile = path[0] == '/';
		fRecords[slot].present = true;
	}

	_FileList* Records() { return fRecords; }

private:
	_FileList	fRecords[kFileListCount];
};


class SaveDocsWindowTest : public ::testing::Test {
protected:
	void Open(const char* language = NULL)
	{
		TestApp()->Clear();
		std::string directory = fAppDir.Path() + "/Dictionary/";
		delete fDictionary;
		fDictionary = new Glossan("dictionary", directory.c_str());
		if (language != NULL) {
			ASSERT_EQ(0, fDictionary->SetLanguage(language));
		}
		fWindow = new SaveDocsWindow(BRect(200, 150, 210, 160), "Save files", fDictionary);
		Locked(fWindow, [&]() {
			fView = dynamic_cast<SaveDocsView*>(fWindow->FindView("save docs"));
		});
		ASSERT_NE(nullptr, fView);
	}

	void TearDown() override
	{
		if (fWindow != NULL)
			QuitWindow(fWindow);
		delete fDictionary;
	}

	// The top of each Save button, in slot order; -1 for slots without one.
	std::vector<float> ButtonTops()
	{
		std::vector<float> tops;
		Locked(fWindow, [&]() {
			for (int i = 0; i < kFileListCount; i++) {
				BButton* button = fView->SaveButtonAt(i);
				tops.push_back(button != NULL ? button->Frame().top : -1);
			}
		});
		return tops;
	}

	int32 CountChildrenNamed(const char* name)
	{
		int32 count = 0;
		Locked(fWindow, [&]() {
			for (int32 i = 0; i < fView->CountChildren(); i++) {
				if (std::string(fView->ChildAt(i)->Name()) == name)
					count++;
			}
		});
		return count;
	}

	// The alert that OK opens, once it shows.
	BAlert* WaitForAlert()
	{
		BAlert* alert = NULL;
		Eventually([&]() {
			for (int32 i = 0; i < be_app->CountWindows(); i++) {
				alert = dynamic_cast<BAlert*>(be_app->WindowAt(i));
				if (alert != NULL && !alert->IsHidden())
					return true;
			}
			alert = NULL;
			return false;
		});
		// The dialog's thread waits inside the alert, so the application is not idle
		// now; the alert only needs to have drawn.
		if (alert != NULL)
			Eventually([&]() { return HeadlessTest::PresentCount(
				BPrivate::WindowAccess::ServerWindowOf(alert)) > 0; });
		return alert;
	}

	void Press(BView* view)
	{
		HeadlessTest::Click(ScreenCenter(view));
		HeadlessTest::AdvanceClock(1000000);
		WaitIdle();
	}

	bool Hidden()
	{
		bool hidden = false;
		Locked(fWindow, [&]() { hidden = fWindow->IsHidden(); });
		return hidden;
	}

	TempAppDir		fAppDir;
	Glossan*		fDictionary = NULL;
	SaveDocsWindow*	fWindow = NULL;
	SaveDocsView*	fView = NULL;
};

}	// namespace


TEST_F(SaveDocsWindowTest, EachUnsavedDocumentGetsARowWithItsSlot)
{
	Open();
	Snapshot snapshot;
	snapshot.Set(0, "/home/u/site/saved.html", true);
	snapshot.Set(1, "/home/u/site/index.html", false);
	snapshot.Set(3, "Untitled3", false);
	fWindow->Uaktualnij(snapshot.Records());
	ShowActive(fWindow);
	SaveShot(fWindow, "savedocs");

	Locked(fWindow, [&]() {
		EXPECT_EQ(BRect(0, 0, 400, 300), fWindow->Bounds());
		EXPECT_NE(0u, fWindow->Flags() & B_NOT_CLOSABLE);
		EXPECT_EQ(BRect(220, 270, 300, 290).LeftTop(),
			fWindow->FindView("cancel")->Frame().LeftTop());
		EXPECT_EQ(BRect(310, 270, 390, 290).LeftTop(),
			fWindow->FindView("ok")->Frame().LeftTop());
	});
	std::vector<float> expected = { -1, 40, -1, 75, -1, -1 };
	EXPECT_EQ(expected, ButtonTops());
	EXPECT_EQ(2, CountChildrenNamed("save"));

	// Each listed row shows its name: dark text right of the strip, level with its
	// button; the third row is empty.
	EXPECT_GT(CountOtherThan(fView, BRect(120, 38, 300, 54), kViewGrey), 20);
	EXPECT_GT(CountOtherThan(fView, BRect(120, 73, 300, 89), kViewGrey), 20);
	EXPECT_EQ(0, CountOtherThan(fView, BRect(120, 108, 300, 124), kViewGrey));

	// The button of the second row asks for slot 3, passed on unchanged.
	Press(fView->SaveButtonAt(3));
	ASSERT_TRUE(WaitForMessages(SaveDocsWindow::kSaveDocument, 1));
	int32 tab = -1;
	EXPECT_EQ(B_OK, TestApp()->Last(SaveDocsWindow::kSaveDocument).FindInt32("tab", &tab));
	EXPECT_EQ(3, tab);
	EXPECT_FALSE(Hidden()) << "the main window hides the dialog when the save starts";

	// After slot 1 was saved, the refresh lists slot 3 alone, in the first row. The
	// window keeps its own copy: the caller's buffers may change or go away.
	snapshot.Set(1, "/home/u/site/index.html", true);
	fWindow->Uaktualnij(snapshot.Records());
	snapshot.Set(3, "/elsewhere/renamed-while-shown.html", true);
	WaitIdle();
	expected = { -1, -1, -1, 40, -1, -1 };
	EXPECT_EQ(expected, ButtonTops());
	EXPECT_EQ(1, CountChildrenNamed("save"));
	EXPECT_GT(CountOtherThan(fView, BRect(120, 38, 300, 54), kViewGrey), 20);
	EXPECT_EQ(0, CountOtherThan(fView, BRect(120, 73, 300, 89), kViewGrey));

	// A name too long for its row is shortened before it reaches its button.
	std::string longName = "/home/u/" + std::string(200, 'w') + ".html";
	snapshot.Set(3, longName.c_str(), false);
	fWindow->Uaktualnij(snapshot.Records());
	WaitIdle();
	EXPECT_GT(CountOtherThan(fView, BRect(120, 38, 299, 54), kViewGrey), 100);
	EXPECT_EQ(0, CountOtherThan(fView, BRect(301, 38, 309, 54), kViewGrey));

	// No list at all leaves nothing to save.
	fWindow->Uaktualnij(NULL);
	WaitIdle();
	EXPECT_EQ(0, CountChildrenNamed("save"));
	EXPECT_EQ(0, CountOtherThan(fView, BRect(120, 38, 300, 54), kViewGrey));
}


TEST_F(SaveDocsWindowTest, CancelDismissesAndOKQuitsOnlyAfterConfirmation)
{
	Open();
	Snapshot snapshot;
	snapshot.Set(2, "Untitled1", false);
	fWindow->Uaktualnij(snapshot.Records());
	ShowActive(fWindow);

	BView* cancel = NULL;
	BView* ok = NULL;
	Locked(fWindow, [&]() {
		cancel = fWindow->FindView("cancel");
		ok = fWindow->FindView("ok");
	});

	Press(cancel);
	ASSERT_TRUE(WaitForMessages(SaveDocsWindow::kDismissed, 1));
	EXPECT_TRUE(Hidden());
	EXPECT_EQ(0, TestApp()->CountOf(SaveDocsWindow::kQuitConfirmed));

	// OK, then Cancel in the confirmation: the dialog stays and nothing is posted.
	ShowActive(fWindow);
	TestApp()->Clear();
	HeadlessTest::Click(ScreenCenter(ok));
	HeadlessTest::AdvanceClock(1000000);
	BAlert* alert = WaitForAlert();
	ASSERT_NE(nullptr, alert);
	BView* alertCancel = NULL;
	Locked(alert, [&]() {
		EXPECT_STREQ("Are you sure?", alert->Title());
		EXPECT_EQ(B_INFO_ALERT, alert->Type());
		alertCancel = alert->ButtonAt(0);
		ASSERT_NE(nullptr, alertCancel);
	});
	HeadlessTest::Click(ScreenCenter(alertCancel));
	HeadlessTest::AdvanceClock(1000000);
	WaitIdle();
	EXPECT_EQ(nullptr, WaitForAlert());
	EXPECT_FALSE(Hidden());
	EXPECT_TRUE(TestApp()->Codes().empty());

	// OK, then OK: the quit is confirmed first, then the dialog reports itself gone.
	HeadlessTest::Click(ScreenCenter(ok));
	HeadlessTest::AdvanceClock(1000000);
	alert = WaitForAlert();
	ASSERT_NE(nullptr, alert);
	BView* alertOK = NULL;
	Locked(alert, [&]() { alertOK = alert->ButtonAt(1); });
	ASSERT_NE(nullptr, alertOK);
	HeadlessTest::Click(ScreenCenter(alertOK));
	HeadlessTest::AdvanceClock(1000000);
	WaitIdle();
	ASSERT_TRUE(WaitForMessages(SaveDocsWindow::kDismissed, 1));
	std::vector<uint32> codes = { SaveDocsWindow::kQuitConfirmed, SaveDocsWindow::kDismissed };
	EXPECT_EQ(codes, TestApp()->Codes());
	EXPECT_TRUE(Hidden());
}


TEST_F(SaveDocsWindowTest, TheStripShowsTheDisketteOrStaysPlainWithoutIt)
{
	Open();
	ShowActive(fWindow);
	int32 picture = CountOtherThan(fView, BRect(0, 0, 100, 299), kStripGrey);
	EXPECT_GT(picture, 2000) << "the diskette is drawn on the strip";
	EXPECT_EQ(0, CountOtherThan(fView, BRect(0, 120, 100, 299), kStripGrey));
	QuitWindow(fWindow);
	fWindow = NULL;

	// Without the picture, and in Polish: every label comes from the dictionary the
	// main window hands over.
	ASSERT_EQ(0, unlink(fAppDir.File("Images/dyskietka.bmp").c_str()));
	Open("Polski");
	Snapshot snapshot;
	snapshot.Set(0, "Untitled1", false);
	fWindow->Uaktualnij(snapshot.Records());
	ShowActive(fWindow);
	Locked(fWindow, [&]() {
		EXPECT_STREQ("Anuluj", dynamic_cast<BButton*>(fWindow->FindView("cancel"))->Label());
		EXPECT_STREQ("Zapisz", fView->SaveButtonAt(0)->Label());
	});
	SaveShot(fWindow, "savedocs-nopicture");
	EXPECT_EQ(0, CountOtherThan(fView, BRect(0, 0, 100, 299), kStripGrey));
	// The heading is there all the same.
	EXPECT_GT(CountOtherThan(fView, BRect(110, 2, 390, 20), kViewGrey), 20);
}
