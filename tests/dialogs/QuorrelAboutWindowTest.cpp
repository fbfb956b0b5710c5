// The about window on the headless display: its pictures and strip, OK hiding it and
// telling the application, missing pictures, and credits that can be copied but not
// edited.

#include <Button.h>
#include <Clipboard.h>
#include <TextView.h>

#include "DialogTestSupport.h"
#include "QuorrelAboutView.h"
#include "QuorrelAboutWindow.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string.h>
#include <string>
#include <unistd.h>

using BPrivate::HeadlessTest;

namespace {

const uint32 kBackground = 0x2d62d9;
const uint32 kStrip = 0xafc1ff;


class AboutWindowTest : public ::testing::Test {
protected:
	void Open()
	{
		TestApp()->Clear();
		fWindow = new QuorrelAboutWindow(BRect(200, 100, 220, 120), "About Quorrel", NULL);
		ShowActive(fWindow);
		Locked(fWindow, [&]() {
			fView = dynamic_cast<QuorrelAboutView*>(fWindow->FindView("about window"));
		});
		ASSERT_NE(nullptr, fView);
	}

	void TearDown() override
	{
		if (fWindow != NULL)
			QuitWindow(fWindow);
	}

	TempAppDir			fAppDir;
	QuorrelAboutWindow*	fWindow = NULL;
	QuorrelAboutView*	fView = NULL;
};

}	// namespace


TEST_F(AboutWindowTest, PicturesAndOKWhichHidesAndTellsTheApplication)
{
	Open();
	SaveShot(fWindow, "about");
	Locked(fWindow, [&]() {
		EXPECT_EQ(BRect(0, 0, 400, 300), fWindow->Bounds());
		EXPECT_NE(0u, fWindow->Flags() & B_NOT_CLOSABLE);
		EXPECT_EQ(BPoint(310, 270), fWindow->FindView("ok")->Frame().LeftTop());
		EXPECT_NE(nullptr, fWindow->FindView("greetings"));
	});
	// The logo covers the strip's top, the second logo the blue beside it, and the
	// version picture the bottom left corner below the strip.
	EXPECT_GT(CountOtherThan(fView, BRect(0, 0, 89, 129), kStrip), 4000);
	EXPECT_GT(CountOtherThan(fView, BRect(91, 0, 399, 43), kBackground), 1000);
	EXPECT_GT(CountOtherThan(fView, BRect(0, 269, 89, 299), kBackground), 200);
	// Between the logo and the version picture the strip is plain.
	EXPECT_EQ(0, CountOtherThan(fView, BRect(0, 140, 90, 260), kStrip));

	BView* ok = NULL;
	Locked(fWindow, [&]() { ok = fWindow->FindView("ok"); });
	HeadlessTest::Click(ScreenCenter(ok));
	WaitIdle();
	ASSERT_TRUE(WaitForMessages(QuorrelAboutWindow::kClosed, 1));
	EXPECT_EQ(1u, TestApp()->Messages().size());
	Locked(fWindow, [&]() { EXPECT_TRUE(fWindow->IsHidden()); });
}


TEST_F(AboutWindowTest, MissingPicturesLeaveTheirPlacesEmpty)
{
	for (const char* file : { "logo.bmp", "logo1.bmp", "version.bmp" })
		ASSERT_EQ(0, unlink(fAppDir.File((std::string("Images/") + file).c_str()).c_str()));
	Open();
	SaveShot(fWindow, "about-nopictures");
	EXPECT_EQ(0, CountOtherThan(fView, BRect(0, 0, 90, 264), kStrip));
	EXPECT_EQ(0, CountOtherThan(fView, BRect(91, 0, 399, 40), kBackground));
	EXPECT_EQ(0, CountOtherThan(fView, BRect(0, 266, 90, 299), kBackground));
}


TEST_F(AboutWindowTest, CreditsCanBeCopiedButNotEdited)
{
	Open();
	BTextView* credits = NULL;
	Locked(fWindow, [&]() { credits = dynamic_cast<BTextView*>(fWindow->FindView("about")); });
	ASSERT_NE(nullptr, credits);
	ASSERT_EQ(fView->CreditsView(), credits);

	std::string shown;
	Locked(fWindow, [&]() { shown = credits->Text(); });
	// The whole text made it through the window's text buffer.
	EXPECT_EQ(std::string(QuorrelAboutView::Credits()), shown);
	EXPECT_EQ(0u, shown.find("Quorrel - HTML Editor\n"));
	EXPECT_NE(std::string::npos, shown.find("\nAuthors:\n"));
	EXPECT_NE(std::string::npos, shown.find("\nThanks to:\n"));
	EXPECT_LT(shown.size(), 2000u);
	// Every line fits the width of the view: none is wrapped.
	int32 newlines = std::count(shown.begin(), shown.end(), '\n');
	Locked(fWindow, [&]() { EXPECT_EQ(newlines + 1, credits->CountLines()); });

	// Typing into it changes nothing; select all and copy put the text on the
	// clipboard.
	HeadlessTest::Click(ScreenPoint(credits, BPoint(20, 20)));
	HeadlessTest::TypeText("xyz");
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_EQ(shown, std::string(credits->Text())); });
	PressControlKey('a');
	PressControlKey('c');
	WaitIdle();

	std::string copied;
	ASSERT_TRUE(be_clipboard->Lock());
	BMessage* clip = be_clipboard->Data();
	const char* data = NULL;
	ssize_t size = 0;
	if (clip != NULL && clip->FindData("text/plain", B_MIME_TYPE, (const void**)&data, &size)
		== B_OK)
		copied.assign(data, size);
	be_clipboard->Unlock();
	EXPECT_EQ(shown, copied);
}
