// Documents on disk: opening and saving in several encodings, the file type, the close
// question, the quit sequence through the unsaved-documents window, and saves that fail.

#include <Button.h>
#include <FilePanel.h>
#include <Node.h>
#include <NodeInfo.h>
#include <TabView.h>
#include <TextView.h>

#include "DocumentWriter.h"
#include "EView.h"
#include "EditView.h"
#include "MainWindowTestSupport.h"
#include "SaveDocsWindow.h"
#include "UiTestSupport.h"
#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#include <filesystem>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using BPrivate::HeadlessTest;
using BPrivate::WindowAccess;

namespace fs = std::filesystem;
extern char** environ;


namespace {

SaveDocsWindow*
ShownSaveDocs()
{
	SaveDocsWindow* found = NULL;
	Eventually([&]() {
		for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
			SaveDocsWindow* window = dynamic_cast<SaveDocsWindow*>(entry.window);
			BPrivate::ServerWindow* server = WindowAccess::ServerWindowOf(window);
			if (window != NULL && server != NULL && !server->IsHidden()) {
				found = window;
				return true;
			}
		}
		return false;
	});
	return found;
}


// The Save buttons of the unsaved-documents window, top to bottom, with their "tab".
std::vector<std::pair<BButton*, int32>>
SaveButtons(SaveDocsWindow* window)
{
	std::vector<std::pair<BButton*, int32>> buttons;
	Locked(window, [&]() {
		BView* view = window->ChildAt(0);
		for (int32 i = 0; view != NULL && i < view->CountChildren(); i++) {
			BButton* button = dynamic_cast<BButton*>(view->ChildAt(i));
			int32 tab;
			if (button != NULL && strcmp(button->Name(), "save") == 0
				&& button->Message() != NULL
				&& button->Message()->FindInt32("tab", &tab) == B_OK)
				buttons.push_back({ button, tab });
		}
	});
	return buttons;
}


void
ClickButton(BView* button)
{
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ScreenCenter(button));
}


bool
IsShowing(BWindow* window)
{
	BPrivate::ServerWindow* server = WindowAccess::ServerWindowOf(window);
	return server != NULL && !server->IsHidden();
}


std::string
TypeOf(const std::string& path, bool preferred)
{
	BNode node(path.c_str());
	BNodeInfo info(&node);
	char type[B_MIME_TYPE_LENGTH] = "";
	status_t status = preferred ? info.GetPreferredApp(type) : info.GetType(type);
	return status == B_OK ? type : "";
}

}	// namespace


TEST_F(MainWindowTest, OpenAndSaveConvertBetweenEncodings)
{
	// "Zażółć" in ISO 8859-2 opens as UTF-8 text when that encoding is marked.
	std::string latin2 = fFolder + "/latin2.html";
	WriteFile(latin2, "Za\xbf\xf3\xb3\xe6 <b>x</b>");
	MarkEncoding(false, 1);
	OpenAsPanel(latin2);
	EXPECT_EQ("Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 <b>x</b>", Text(1));
	Locked(fWindow, [&]() {
		EView* document = fWindow->DocumentAt(1);
		EXPECT_TRUE(document->saved);
		EXPECT_TRUE(document->hasFile);
		EXPECT_STREQ(latin2.c_str(), document->filePath);
		EXPECT_STREQ("latin2.html", document->fileName);
		EXPECT_STREQ(latin2.c_str(), fWindow->PathToEditedFile());
	});
	EXPECT_EQ("latin2.html", TabLabels()[1]);

	// Saved as windows-1251 nothing of the Polish letters but "ó"... none of them fits:
	// each becomes one substitute byte, and the file is exactly that long.
	MarkEncoding(true, 12);
	SaveAs(fFolder, "cyrillic.html");
	std::string saved = ReadFile(fFolder + "/cyrillic.html");
	EXPECT_EQ(std::string("Za\x1a\x1a\x1a\x1a <b>x</b>"), saved);
	BAlert* note = ShownAlert();
	ASSERT_NE(nullptr, note) << "characters lost in the file are told";
	EXPECT_NE(std::string::npos, AlertText(note).find("substitute"));
	PressAlertButton(note, 0);
	WaitIdle();
	EXPECT_EQ("text/html", TypeOf(fFolder + "/cyrillic.html", false));
	EXPECT_EQ("application/x-vnd.Be-NPOS", TypeOf(fFolder + "/cyrillic.html", true));
	EXPECT_EQ("cyrillic.html", TabLabels()[1]);
	// The editor keeps the letters; only the file could not hold them.
	EXPECT_EQ("Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 <b>x</b>", Text(1));

	// UTF-8 ("UNICODE") and back in again byte for byte, then in-place Save.
	MarkEncoding(true, 15);
	SaveAs(fFolder, "utf8.html");
	EXPECT_EQ("Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 <b>x</b>", ReadFile(fFolder + "/utf8.html"));
	Locked(fWindow, [&]() {
		EView* document = fWindow->DocumentAt(1);
		document->editView->Select(0, 0);
		document->editView->Insert("A");
	});
	WaitIdle();
	Locked(fWindow, [&]() { EXPECT_FALSE(fWindow->DocumentAt(1)->saved); });
	Post(kMsgSaveFile);
	EXPECT_EQ("AZa\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 <b>x</b>", ReadFile(fFolder + "/utf8.html"));
	Locked(fWindow, [&]() { EXPECT_TRUE(fWindow->DocumentAt(1)->saved); });

	// Konwertuj itself, both ways, with the marked encodings.
	MarkEncoding(true, 0);
	MarkEncoding(false, 0);
	Locked(fWindow, [&]() {
		int32 length = -1;
		int32 substituted = -1;
		char* bytes = fWindow->Konwertuj("\xc3\xa9\xe2\x82\xac", true, &length,
			&substituted);
		ASSERT_NE(nullptr, bytes);
		EXPECT_EQ(std::string("\xe9\x1a"), std::string(bytes, length));
		EXPECT_EQ(1, substituted);
		delete[] bytes;
		bytes = fWindow->Konwertuj("\xe9", false, &length);
		EXPECT_EQ(std::string("\xc3\xa9"), std::string(bytes, length));
		delete[] bytes;
	});
}


TEST_F(MainWindowTest, OpeningByPathTakesTextAndRefusesOtherFilesWithAMessage)
{
	std::string page = fFolder + "/by path.html";
	WriteFile(page, "<p>hi</p>");
	fWindow->LoadFile(page.c_str());
	WaitIdle();
	EXPECT_EQ("<p>hi</p>", Text(1));
	EXPECT_EQ("by path.html", TabLabels()[1]);

	// A picture is not opened, and the user hears why.
	std::string picture = fFolder + "/photo.png";
	WriteFile(picture, "\x89PNG\r\n");
	fWindow->LoadFile(picture.c_str());
	BAlert* alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	EXPECT_NE(std::string::npos, AlertText(alert).find("photo.png")) << AlertText(alert);
	PressAlertButton(alert, 0);
	WaitIdle();
	EXPECT_EQ(2u, TabLabels().size());

	// A file that is not there: a message, and no empty tab.
	fWindow->LoadFile((fFolder + "/missing.html").c_str());
	alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	EXPECT_NE(std::string::npos, AlertText(alert).find("missing.html"));
	PressAlertButton(alert, 0);
	WaitIdle();
	EXPECT_EQ(2u, TabLabels().size());
}


TEST_F(MainWindowTest, OpeningUsesReadOnlyAccess)
{
	// A running program cannot be opened for writing, not even by root: it stands in
	// for a file the user may read but not write.
	std::string program = fFolder + "/running.html";
	fs::copy_file("/bin/sleep", program);
	chmod(program.c_str(), 0755);
	pid_t pid;
	char* arguments[] = { (char*)program.c_str(), (char*)"30", NULL };
	ASSERT_EQ(0, posix_spawn(&pid, program.c_str(), NULL, NULL, arguments, environ));
	ASSERT_TRUE(Eventually([&]() {
		return access(("/proc/" + std::to_string(pid) + "/exe").c_str(), F_OK) == 0;
	}));
	OpenAsPanel(program);
	kill(pid, SIGKILL);
	waitpid(pid, NULL, 0);

	EXPECT_EQ(2u, TabLabels().size());
	Locked(fWindow, [&]() {
		ASSERT_NE(nullptr, fWindow->DocumentAt(1));
		EXPECT_TRUE(fWindow->DocumentAt(1)->hasFile);
		EXPECT_GT(fWindow->DocumentAt(1)->GetTextLength(), 1000);
	});
	// It is no text file; the editor says so.
	BAlert* alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	EXPECT_NE(std::string::npos, AlertText(alert).find("NUL"));
}


TEST_F(MainWindowTest, CloseQuestionAnswersCancelDontSaveAndSave)
{
	Post(kMsgNewFile);
	Post(kMsgNewFile);
	// Untitled3 is modified by its new page: Cancel keeps it.
	fWindow->PostMessage(kMsgCloseFile);
	// The alert waits on the window's thread; WaitIdle would wait for it.
	BAlert* alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	EXPECT_EQ("File is modified. Save changes?", AlertText(alert));
	HeadlessTest::SaveWindowPNG(WindowAccess::ServerWindowOf(alert), "/tmp/quorrel-close-alert.png");
	PressAlertButton(alert, 0);
	WaitIdle();
	EXPECT_EQ(3u, TabLabels().size());

	// "Don`t save" closes it.
	fWindow->PostMessage(kMsgCloseFile);
	alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	PressAlertButton(alert, 1);
	WaitIdle();
	EXPECT_EQ((std::vector<std::string>{ "Untitled1", "Untitled2" }), TabLabels());

	// "Save" on an untitled document shows the save panel; the tab closes after the save.
	fWindow->PostMessage(kMsgCloseFile);
	alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	PressAlertButton(alert, 2);
	WaitIdle();
	BFilePanel* panel = NULL;
	Locked(fWindow, [&]() { panel = fWindow->SavePanel(); });
	ASSERT_TRUE(Eventually([&]() { return panel->IsShowing(); }));
	panel->Hide();
	SaveAs(fFolder, "second.html");
	EXPECT_EQ((std::vector<std::string>{ "Untitled1" }), TabLabels());
	EXPECT_NE(std::string::npos, ReadFile(fFolder + "/second.html").find("<html>"));

	// "Save" on a modified document that has a file saves in place and closes it too.
	std::string page = fFolder + "/page.html";
	WriteFile(page, "old");
	OpenAsPanel(page);
	Locked(fWindow, [&]() { fWindow->DocumentAt(1)->editView->Insert("new "); });
	WaitIdle();
	fWindow->PostMessage(kMsgCloseFile);
	alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	PressAlertButton(alert, 2);
	WaitIdle();
	EXPECT_EQ("new old", ReadFile(page));
	EXPECT_EQ((std::vector<std::string>{ "Untitled1" }), TabLabels());

	// A saved or empty document closes without a question.
	Locked(fWindow, [&]() { fWindow->DocumentAt(0)->clear(); });
	WaitIdle();
	Post(kMsgCloseFile);
	EXPECT_TRUE(TabLabels().empty());
}


TEST_F(MainWindowTest, QuittingWithNothingUnsavedEndsTheApplication)
{
	Locked(fWindow, [&]() { fWindow->DocumentAt(0)->saved = true; });
	fWindow->PostMessage(B_QUIT_REQUESTED);
	ASSERT_TRUE(Eventually([&]() { return !WindowAlive(); }));
	EXPECT_TRUE(Eventually([&]() { return TestApplication()->quitRequests > 0; }));
}


TEST_F(MainWindowTest, QuittingWithOneUnsavedDocumentSavesItThroughThePanel)
{
	fWindow->PostMessage(B_QUIT_REQUESTED);
	SaveDocsWindow* docs = ShownSaveDocs();
	ASSERT_NE(nullptr, docs);
	EXPECT_TRUE(WindowAlive());
	Locked(fWindow, [&]() { EXPECT_TRUE(fWindow->IsQuitPending()); });
	std::vector<std::pair<BButton*, int32>> buttons = SaveButtons(docs);
	ASSERT_EQ(1u, buttons.size());
	EXPECT_EQ(0, buttons[0].second);

	// Save: the window hides and the save panel comes up; cancelling it brings the
	// list back, and the quit is still held.
	ClickButton(buttons[0].first);
	BFilePanel* panel = NULL;
	Locked(fWindow, [&]() { panel = fWindow->SavePanel(); });
	ASSERT_TRUE(Eventually([&]() { return panel->IsShowing(); }));
	EXPECT_TRUE(Eventually([&]() { return !IsShowing(docs); }));
	BMessage cancel(B_CANCEL);
	cancel.AddPointer("source", panel);
	panel->Hide();
	Post(&cancel);
	EXPECT_TRUE(Eventually([&]() { return IsShowing(docs); }));
	EXPECT_TRUE(WindowAlive());
	Locked(fWindow, [&]() { EXPECT_FALSE(fWindow->DocumentAt(0)->closeAfterSave); });

	// Save again and finish it: the document is written, its tab closes, and with
	// nothing left unsaved the application is asked to quit.
	buttons = SaveButtons(docs);
	ASSERT_EQ(1u, buttons.size());
	ClickButton(buttons[0].first);
	ASSERT_TRUE(Eventually([&]() { return panel->IsShowing(); }));
	panel->Hide();
	SaveAs(fFolder, "quit.html");
	EXPECT_NE(std::string::npos, ReadFile(fFolder + "/quit.html").find("</html>"));
	EXPECT_TRUE(Eventually([&]() { return TestApplication()->quitRequests > 0; }));
}


TEST_F(MainWindowTest, QuittingWithTwoUnsavedDocumentsQuitAnywayOrCancel)
{
	Post(kMsgNewFile);
	Post(kMsgNewFile);
	// Only slots 0 and 2 hold changes.
	Locked(fWindow, [&]() { fWindow->DocumentAt(1)->saved = true; });
	fWindow->PostMessage(B_QUIT_REQUESTED);
	SaveDocsWindow* docs = ShownSaveDocs();
	ASSERT_NE(nullptr, docs);
	std::vector<std::pair<BButton*, int32>> buttons = SaveButtons(docs);
	ASSERT_EQ(2u, buttons.size());
	EXPECT_EQ(0, buttons[0].second);
	EXPECT_EQ(2, buttons[1].second);
	Locked(fWindow, [&]() {
		const _FileList* list = fWindow->FileList();
		EXPECT_TRUE(list[0].present && !list[0].saved);
		EXPECT_TRUE(list[1].present && list[1].saved);
		EXPECT_TRUE(list[2].present && !list[2].saved);
		EXPECT_FALSE(list[3].present);
		EXPECT_STREQ("Untitled3", list[2].path);
		EXPECT_STREQ("", list[4].path);
	});
	HeadlessTest::SaveWindowPNG(WindowAccess::ServerWindowOf(docs),
		"/tmp/quorrel-save-docs.png");

	// Cancel: the window goes, nothing quits, the quit is no longer pending.
	BView* cancel = NULL;
	Locked(docs, [&]() { cancel = docs->FindView("cancel"); });
	ASSERT_NE(nullptr, cancel);
	ClickButton(cancel);
	WaitIdle();
	EXPECT_TRUE(Eventually([&]() { return !IsShowing(docs); }));
	Locked(fWindow, [&]() { EXPECT_FALSE(fWindow->IsQuitPending()); });
	EXPECT_EQ(0, TestApplication()->quitRequests);
	EXPECT_EQ(3u, TabLabels().size());

	// Quit again, then OK and OK in the confirmation: the window closes unsaved.
	fWindow->PostMessage(B_QUIT_REQUESTED);
	docs = ShownSaveDocs();
	ASSERT_NE(nullptr, docs);
	BView* ok = NULL;
	Locked(docs, [&]() { ok = docs->FindView("ok"); });
	ClickButton(ok);
	BAlert* sure = ShownAlert();
	ASSERT_NE(nullptr, sure);
	PressAlertButton(sure, 1);
	EXPECT_TRUE(Eventually([&]() { return !WindowAlive(); }));
	EXPECT_TRUE(Eventually([&]() { return TestApplication()->quitRequests > 0; }));
}


TEST_F(MainWindowTest, AFailedSaveIsReportedAndLosesNothing)
{
	std::string folder = fFolder + "/gone";
	fs::create_directory(folder);
	Locked(fWindow, [&]() {
		fWindow->DocumentAt(0)->LoadFile("precious text");
		fWindow->DocumentAt(0)->saved = false;
	});
	entry_ref directory;
	ASSERT_EQ(B_OK, get_ref_for_path(folder.c_str(), &directory));
	fs::remove(folder);
	BMessage save(B_SAVE_REQUESTED);
	save.AddRef("directory", &directory);
	save.AddString("name", "lost.html");
	Post(&save);

	BAlert* alert = ShownAlert();
	ASSERT_NE(nullptr, alert) << "a failed save must be told";
	EXPECT_NE(std::string::npos, AlertText(alert).find("lost.html"));
	PressAlertButton(alert, 0);
	WaitIdle();
	EXPECT_EQ("precious text", Text(0));
	EXPECT_EQ("Untitled1", TabLabels()[0]);
	Locked(fWindow, [&]() {
		EView* document = fWindow->DocumentAt(0);
		EXPECT_FALSE(document->saved);
		EXPECT_FALSE(document->hasFile);
		EXPECT_STREQ("Untitled1", document->filePath);
	});

	// In the quit sequence a failing save keeps the window open and lists the
	// document again.
	fWindow->PostMessage(B_QUIT_REQUESTED);
	SaveDocsWindow* docs = ShownSaveDocs();
	ASSERT_NE(nullptr, docs);
	ClickButton(SaveButtons(docs).at(0).first);
	BFilePanel* panel = NULL;
	Locked(fWindow, [&]() { panel = fWindow->SavePanel(); });
	ASSERT_TRUE(Eventually([&]() { return panel->IsShowing(); }));
	panel->Hide();
	Post(&save);
	alert = ShownAlert();
	ASSERT_NE(nullptr, alert);
	PressAlertButton(alert, 0);
	WaitIdle();
	EXPECT_TRUE(WindowAlive());
	EXPECT_EQ(0, TestApplication()->quitRequests);
	EXPECT_TRUE(Eventually([&]() { return IsShowing(docs); }));
	EXPECT_EQ(1u, SaveButtons(docs).size());
	EXPECT_EQ("precious text", Text(0));
}


TEST(DocumentWriterTest, ReplacesSafelyKeepingPermissionsAndLinks)
{
	char pattern[] = "/tmp/quorrel-writer-XXXXXX";
	ASSERT_NE(nullptr, mkdtemp(pattern));
	std::string folder = pattern;

	// A new file gets the default permissions.
	mode_t mask = umask(022);
	std::string page = folder + "/page.html";
	ASSERT_EQ(B_OK, DocumentWriter::Write(page.c_str(), "one", 3));
	EXPECT_EQ("one", ReadFile(page));
	struct stat info;
	ASSERT_EQ(0, stat(page.c_str(), &info));
	EXPECT_EQ(0644u, info.st_mode & 07777);
	umask(mask);

	// An existing one keeps its own, and no temporary file is left behind.
	chmod(page.c_str(), 0640);
	ASSERT_EQ(B_OK, DocumentWriter::Write(page.c_str(), "second", 6));
	EXPECT_EQ("second", ReadFile(page));
	ASSERT_EQ(0, stat(page.c_str(), &info));
	EXPECT_EQ(0640u, info.st_mode & 07777);
	int entries = 0;
	for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
		(void)entry;
		entries++;
	}
	EXPECT_EQ(1, entries);

	// A link stays a link; the file it names gets the text.
	fs::create_directory(folder + "/real");
	WriteFile(folder + "/real/target.html", "old");
	fs::create_symlink("real/target.html", folder + "/link.html");
	std::string written;
	ASSERT_EQ(B_OK, DocumentWriter::Write((folder + "/link.html").c_str(), "via link", 8,
		NULL, &written));
	EXPECT_TRUE(fs::is_symlink(folder + "/link.html"));
	EXPECT_EQ("via link", ReadFile(folder + "/real/target.html"));
	EXPECT_EQ(folder + "/real/target.html", written);

	// Failures leave what was there: a folder in the way, a vanished folder, a loop.
	fs::create_directory(folder + "/dir.html");
	std::string failure;
	EXPECT_NE(B_OK, DocumentWriter::Write((folder + "/dir.html").c_str(), "x", 1,
		&failure));
	EXPECT_FALSE(failure.empty());
	EXPECT_TRUE(fs::is_directory(folder + "/dir.html"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, DocumentWriter::Write((folder + "/none/a.html").c_str(),
		"x", 1));
	fs::create_symlink("loop2", folder + "/loop1");
	fs::create_symlink("loop1", folder + "/loop2");
	EXPECT_EQ(B_LINK_LIMIT, DocumentWriter::Write((folder + "/loop1").c_str(), "x", 1));
	EXPECT_EQ("second", ReadFile(page));

	fs::remove_all(folder);
}


TEST(ConvertPathTest, OnlyPathsBelowTheDirectoryBecomeRelative)
{
	struct Case {
		const char*	path;
		const char*	directory;
		const char*	expected;
	} cases[] = {
		{ "/home/a/proj/sub/x.html", "/home/a/proj", "sub/x.html" },
		{ "/home/a/proj/x.html", "/home/a/proj/", "x.html" },
		{ "/home/a/project2/x.html", "/home/a/proj", "/home/a/project2/x.html" },
		{ "/home/a/proj", "/home/a/proj", "/home/a/proj" },
		{ "/elsewhere/x.html", "/home/a/proj", "/elsewhere/x.html" },
		{ "/x.html", "/", "x.html" },
		{ "/home/a/x.html", NULL, "/home/a/x.html" }
	};
	for (const Case& test : cases) {
		char* result = QuorrelMainWindow::RelativeToDirectory(test.path, test.directory);
		EXPECT_STREQ(test.expected, result) << test.path;
		delete[] result;
	}
}
