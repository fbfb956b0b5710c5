// The application object in this process, with a recording stand-in for the main window:
// which window a start opens, the relay of dialog messages, documents handed in at
// launch, and the project type it registers.

#include <sys/xattr.h>
#include <unistd.h>

#include <Application.h>
#include <Bitmap.h>
#include <Entry.h>
#include <Message.h>
#include <MimeType.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>

#include "BubbleHelper.h"
#include "FirstStartView.h"
#include "FirstStartWindow.h"
#include "Quorrel.h"
#include "QuorrelMainWindow.h"
#include "QuorrelTools.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace {

const char* const kSettings = "language=\"English\"\nname=\"\"\nemail=\"\"\n"
	"encoding=\"ISO 8859-1\"\nicons=\"normal\"\ngfx_dir=\"gfx\"\n";


// Makes the application object, runs its loop in a thread of its own and ends it.
class RunningQuorrel {
public:
	RunningQuorrel()
		:
		fApp(new Quorrel())
	{
		// The constructing thread holds the application's lock; the loop runs in
		// another thread and needs it.
		if (fApp->LockingThread() == find_thread(NULL))
			fApp->Unlock();
		fThread = std::thread([this]() { fApp->Run(); });
		EXPECT_TRUE(Eventually([this]() { return !fApp->IsLaunching(); }));
		WaitIdle();
		// The test program's own command line arrives as launch arguments; what the
		// tests hand in comes after that.
		if (fApp->MainWindow() != NULL)
			fApp->MainWindow()->ClearCalls();
	}

	~RunningQuorrel()
	{
		fApp->PostMessage(B_QUIT_REQUESTED);
		fThread.join();
		delete fApp;
	}

	Quorrel* App() const { return fApp; }

	// Posts message to the application and waits until the application has handled
	// it and every window is idle again.
	void Post(BMessage message)
	{
		ASSERT_EQ(B_OK, fApp->PostMessage(&message));
		WaitIdle();
	}

private:
	Quorrel*		fApp;
	std::thread		fThread;
};


FirstStartWindow*
FindWizard(BApplication* app)
{
	for (int32 i = 0; i < app->CountWindows(); i++) {
		FirstStartWindow* wizard = dynamic_cast<FirstStartWindow*>(app->WindowAt(i));
		if (wizard != NULL)
			return wizard;
	}
	return NULL;
}


int32
CountMainWindows(BApplication* app)
{
	int32 count = 0;
	for (int32 i = 0; i < app->CountWindows(); i++)
		count += dynamic_cast<QuorrelMainWindow*>(app->WindowAt(i)) != NULL;
	return count;
}


std::vector<std::string>
Operations(QuorrelMainWindow* window)
{
	std::vector<std::string> result;
	for (const MainWindowCall& call : window->Calls())
		result.push_back(call.operation + "(" + call.argument + ")");
	return result;
}


BMessage
ArgvMessage(const std::vector<const char*>& argv, const char* cwd)
{
	BMessage message(B_ARGV_RECEIVED);
	message.AddInt32("argc", (int32)argv.size());
	for (const char* argument : argv)
		message.AddString("argv", argument);
	if (cwd != NULL)
		message.AddString("cwd", cwd);
	return message;
}

}	// namespace


TEST(StartupTest, FirstStartOpensOnlyTheWizard)
{
	TempAppDir appDir;
	int32 madeBefore = QuorrelMainWindow::sMadeCount;
	RunningQuorrel running;
	Quorrel* app = running.App();

	EXPECT_EQ(NULL, app->MainWindow());
	EXPECT_EQ(madeBefore, QuorrelMainWindow::sMadeCount);
	EXPECT_EQ(0, CountMainWindows(app));
	FirstStartWindow* wizard = FindWizard(app);
	ASSERT_NE(nullptr, wizard);
	BRect frame;
	bool hidden = true;
	Locked(wizard, [&]() {
		frame = wizard->Frame();
		hidden = wizard->IsHidden();
	});
	EXPECT_EQ(BRect(100, 100, 550, 350), frame);
	EXPECT_FALSE(hidden);
	EXPECT_NE(nullptr, app->Bubble());

	// Nothing can reach a main window that does not exist: documents and relay codes
	// are dropped, and the wizard stays where it was.
	running.Post(ArgvMessage({ "quorrel", "/tmp/some.html" }, "/tmp"));
	BMessage refs(B_REFS_RECEIVED);
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path(appDir.File("Help").c_str(), &ref));
	refs.AddRef("refs", &ref);
	running.Post(refs);
	for (uint32 code : { 'COfi', 'SAdc', 'QUhe', 'SEis', 'UPse' })
		running.Post(BMessage(code));
	EXPECT_EQ(madeBefore, QuorrelMainWindow::sMadeCount);
	ASSERT_EQ(wizard, FindWizard(app));
	int32 stage = -1;
	Locked(wizard, [&]() { stage = wizard->WizardView()->GetStage(); });
	EXPECT_EQ(0, stage);
	EXPECT_FALSE(appDir.Exists("Settings/settings"));
}


TEST(StartupTest, SettingsFileOpensOnlyTheMainWindow)
{
	TempAppDir appDir;
	appDir.Write("Settings/settings", kSettings);
	RunningQuorrel running;
	Quorrel* app = running.App();

	QuorrelMainWindow* window = app->MainWindow();
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(window, QuorrelMainWindow::sLastMade);
	EXPECT_EQ(BRect(10, 10, 100, 100), window->InitialFrame());
	EXPECT_EQ(app->Bubble(), window->Help());
	EXPECT_NE(nullptr, app->Bubble());
	EXPECT_EQ(1, CountMainWindows(app));
	EXPECT_EQ(NULL, FindWizard(app));
	bool hidden = true;
	Locked(window, [&]() { hidden = window->IsHidden(); });
	EXPECT_FALSE(hidden);
}


TEST(StartupTest, UnreadableSettingsCountAsFirstStart)
{
	TempAppDir appDir;
	// A folder where the file belongs cannot be read as settings.
	std::filesystem::create_directories(appDir.File("Settings/settings"));
	RunningQuorrel running;
	EXPECT_EQ(NULL, running.App()->MainWindow());
	EXPECT_NE(nullptr, FindWizard(running.App()));
}


TEST(StartupTest, RelayForwardsTwelveCodesAndHandlesFour)
{
	TempAppDir appDir;
	appDir.Write("Settings/settings", kSettings);
	RunningQuorrel running;
	QuorrelMainWindow* window = running.App()->MainWindow();
	ASSERT_NE(nullptr, window);

	const uint32 forwarded[] = { 'DEfi', 'SAnp', 'ANgr', 'CHgn', 'MOsf', 'COfi', 'COre',
		'COra', 'CScs', 'CSwi', 'HEab', 'SAdo' };
	for (uint32 code : forwarded) {
		BMessage message(code);
		char marker[5] = { (char)(code >> 24), (char)(code >> 16), (char)(code >> 8),
			(char)code, '\0' };
		message.AddString("marker", marker);
		message.AddInt32("tab", 3);
		running.Post(message);
	}
	// Codes that are no business of the application object, among them the
	// preferences' image page and the wizard's buttons.
	for (uint32 code : { 'SEid', 'BUne', 'MXbo', 'ETmo', 'XXXX' })
		running.Post(BMessage(code));

	std::vector<MainWindowMessage> messages = window->Messages();
	ASSERT_EQ(12u, messages.size());
	for (size_t i = 0; i < messages.size(); i++) {
		EXPECT_EQ(forwarded[i], messages[i].what);
		char marker[5] = { (char)(forwarded[i] >> 24), (char)(forwarded[i] >> 16),
			(char)(forwarded[i] >> 8), (char)forwarded[i], '\0' };
		EXPECT_EQ(marker, messages[i].marker);
		EXPECT_EQ(2, messages[i].fieldCount);
	}
	EXPECT_TRUE(window->Calls().empty());

	BMessage save('SAdc');
	save.AddInt32("tab", 4);
	running.Post(save);
	running.Post(BMessage('SAdc'));
	running.Post(BMessage('SEis'));
	running.Post(BMessage('UPse'));
	running.Post(BMessage('QUhe'));

	std::vector<std::string> expected = { "SaveFile(4)", "SaveFile(0)", "UpdateSize()",
		"UpdateFontsAndColors()", "SetIsEnd(true)" };
	EXPECT_EQ(expected, Operations(window));
	// The application thread calls into another window's object: it must hold that
	// window's lock while it does.
	for (const MainWindowCall& call : window->Calls())
		EXPECT_TRUE(call.locked) << call.operation;
	EXPECT_EQ(12u, window->Messages().size());
}


TEST(StartupTest, RelayDropsMessagesOnceTheMainWindowHasGone)
{
	TempAppDir appDir;
	appDir.Write("Settings/settings", kSettings);
	RunningQuorrel running;
	QuorrelMainWindow* window = running.App()->MainWindow();
	ASSERT_NE(nullptr, window);
	QuitWindow(window);
	ASSERT_EQ(0, CountMainWindows(running.App()));

	// Under the address sanitizer, a call through the stale pointer would end the
	// test here.
	for (uint32 code : { 'COfi', 'SAdc', 'QUhe', 'SEis', 'UPse' })
		running.Post(BMessage(code));
	running.Post(ArgvMessage({ "quorrel", "/tmp/late.html" }, "/tmp"));
	EXPECT_EQ(0, CountMainWindows(running.App()));
}


TEST(StartupTest, LaunchArgumentsOpenOnlyTheFirstDocument)
{
	TempAppDir appDir;
	appDir.Write("Settings/settings", kSettings);
	RunningQuorrel running;
	QuorrelMainWindow* window = running.App()->MainWindow();
	ASSERT_NE(nullptr, window);

	running.Post(ArgvMessage({ "quorrel" }, "/tmp"));
	EXPECT_TRUE(window->Calls().empty());

	running.Post(ArgvMessage({ "quorrel", "/srv/one.html" }, "/tmp"));
	running.Post(ArgvMessage({ "quorrel", "/srv/first.html", "/srv/second.html" },
		"/tmp"));
	// A relative name from a second launch belongs to that launch's folder.
	running.Post(ArgvMessage({ "quorrel", "pages/index.html" }, "/home/someone/site"));
	// Without a folder the name is passed on as given.
	running.Post(ArgvMessage({ "quorrel", "plain.html" }, NULL));

	std::vector<std::string> expected = { "LoadFile(/srv/one.html)",
		"LoadFile(/srv/first.html)", "LoadFile(/home/someone/site/pages/index.html)",
		"LoadFile(plain.html)" };
	EXPECT_EQ(expected, Operations(window));
	for (const MainWindowCall& call : window->Calls())
		EXPECT_TRUE(call.locked);
}


TEST(StartupTest, DroppedFilesOpenOnlyTheFirstAndLinksStayLinks)
{
	TempAppDir appDir;
	appDir.Write("Settings/settings", kSettings);
	appDir.Write("docs/a.html", "<p>a</p>");
	appDir.Write("docs/b.html", "<p>b</p>");
	appDir.Write("docs/c.html", "<p>c</p>");
	ASSERT_EQ(0, symlink(appDir.File("docs/c.html").c_str(),
		appDir.File("docs/link.html").c_str()));
	RunningQuorrel running;
	QuorrelMainWindow* window = running.App()->MainWindow();
	ASSERT_NE(nullptr, window);

	BMessage three(B_REFS_RECEIVED);
	for (const char* leaf : { "docs/a.html", "docs/b.html", "docs/c.html" }) {
		entry_ref ref;
		ASSERT_EQ(B_OK, get_ref_for_path(appDir.File(leaf).c_str(), &ref));
		three.AddRef("refs", &ref);
	}
	running.Post(three);

	BMessage link(B_REFS_RECEIVED);
	entry_ref linkRef;
	ASSERT_EQ(B_OK, get_ref_for_path(appDir.File("docs/link.html").c_str(), &linkRef));
	link.AddRef("refs", &linkRef);
	running.Post(link);

	running.Post(BMessage(B_REFS_RECEIVED));

	std::vector<std::string> expected = { "LoadFile(" + appDir.File("docs/a.html") + ")",
		"LoadFile(" + appDir.File("docs/link.html") + ")" };
	EXPECT_EQ(expected, Operations(window));
}


TEST(StartupTest, EveryStartInstallsTheProjectTypeWithIconsAndPreferredApp)
{
	TempAppDir appDir;
	// The icons come from the executable; this one has none yet, so they are taken
	// from the application directory's pictures and stored on it.
	char executable[4096];
	ssize_t length = readlink("/proc/self/exe", executable, sizeof(executable) - 1);
	ASSERT_GT(length, 0);
	executable[length] = '\0';
	removexattr(executable, "user.BEOS:L:STD_ICON");
	removexattr(executable, "user.BEOS:M:STD_ICON");

	BMimeType before("text/quorrel-project");
	ASSERT_FALSE(before.IsInstalled());

	QuorrelTools tools;
	BBitmap* large32 = tools.LoadBitmap(appDir.File("Icons/app_32.bmp").c_str());
	BBitmap* mini16 = tools.LoadBitmap(appDir.File("Icons/app_16.bmp").c_str());
	ASSERT_NE(nullptr, large32);
	ASSERT_NE(nullptr, mini16);
	BBitmap expectedLarge(BRect(0, 0, 31, 31), B_CMAP8);
	expectedLarge.SetBits(large32->Bits(), large32->BitsLength(), 0, large32->ColorSpace());
	BBitmap expectedMini(BRect(0, 0, 15, 15), B_CMAP8);
	expectedMini.SetBits(mini16->Bits(), mini16->BitsLength(), 0, mini16->ColorSpace());
	delete large32;
	delete mini16;

	auto checkType = [&]() {
		BMimeType type("text/quorrel-project");
		EXPECT_TRUE(type.IsInstalled());
		char preferred[B_MIME_TYPE_LENGTH] = "";
		EXPECT_EQ(B_OK, type.GetPreferredApp(preferred, B_OPEN));
		EXPECT_STREQ("application/x.vnd.Quorrel", preferred);
		BBitmap large(BRect(0, 0, 31, 31), B_CMAP8);
		BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
		ASSERT_EQ(B_OK, type.GetIcon(&large, B_LARGE_ICON));
		ASSERT_EQ(B_OK, type.GetIcon(&mini, B_MINI_ICON));
		for (int32 row = 0; row < 32; row++) {
			ASSERT_EQ(0, memcmp((uint8*)large.Bits() + row * large.BytesPerRow(),
				(uint8*)expectedLarge.Bits() + row * expectedLarge.BytesPerRow(), 32))
				<< "large icon row " << row;
		}
		for (int32 row = 0; row < 16; row++) {
			ASSERT_EQ(0, memcmp((uint8*)mini.Bits() + row * mini.BytesPerRow(),
				(uint8*)expectedMini.Bits() + row * expectedMini.BytesPerRow(), 16))
				<< "mini icon row " << row;
		}
	};

	{
		RunningQuorrel running;
		checkType();
	}
	// The executable now carries the icons itself.
	BNode node(executable);
	BNodeInfo nodeInfo(&node);
	BBitmap stored(BRect(0, 0, 31, 31), B_CMAP8);
	EXPECT_EQ(B_OK, nodeInfo.GetIcon(&stored, B_LARGE_ICON));

	// A later start refreshes what someone changed in the meantime.
	{
		BMimeType type("text/quorrel-project");
		ASSERT_EQ(B_OK, type.SetPreferredApp("application/x-vnd.Other"));
		ASSERT_EQ(B_OK, type.SetIcon(NULL, B_LARGE_ICON));
	}
	{
		RunningQuorrel running;
		checkType();
	}
}
