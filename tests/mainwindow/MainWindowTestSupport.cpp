#include "MainWindowTestSupport.h"

#include <Autolock.h>
#include <Button.h>
#include <Entry.h>
#include <FilePanel.h>
#include <Menu.h>
#include <MenuItem.h>
#include <TabView.h>
#include <TextView.h>

#include "EView.h"
#include "UiTestSupport.h"
#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#include <fstream>
#include <sstream>

using BPrivate::HeadlessTest;
using BPrivate::WindowAccess;


namespace {

RelayApplication* sApplication = NULL;
thread_id sApplicationThread = -1;


int32
RunApplication(void* data)
{
	static_cast<BApplication*>(data)->Run();
	return 0;
}


class ApplicationEnvironment : public ::testing::Environment {
public:
	void SetUp() override
	{
		sApplication = new RelayApplication;
		// The constructing thread holds the application's lock, as on R5; the loop
		// runs on a thread of its own here.
		if (sApplication->IsLocked())
			sApplication->Unlock();
		sApplicationThread = spawn_thread(RunApplication, "test application",
			B_NORMAL_PRIORITY, sApplication);
		ASSERT_GE(sApplicationThread, 0);
		resume_thread(sApplicationThread);
		bigtime_t deadline = system_time() + 30000000;
		while (sApplication->IsLaunching() && system_time() < deadline)
			snooze(5000);
		ASSERT_FALSE(sApplication->IsLaunching());
	}

	void TearDown() override
	{
		sApplication->allowQuit = true;
		sApplication->PostMessage(B_QUIT_REQUESTED);
		status_t result;
		wait_for_thread(sApplicationThread, &result);
		delete sApplication;
		sApplication = NULL;
	}
};

::testing::Environment* const sEnvironment
	= ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}	// namespace


RelayApplication*
TestApplication()
{
	return sApplication;
}


RelayApplication::RelayApplication()
	:
	BApplication("application/x-vnd.quorrel-mainwindow-test")
{
}


void
RelayApplication::MessageReceived(BMessage* message)
{
	QuorrelMainWindow* window = mainWindow;
	switch (message->what) {
		// What the dialogs post is passed on, or turned into calls, as the
		// application object of the program does.
		case 'COfi': case 'COre': case 'COra': case 'CScs': case 'CSwi':
		case 'HEab': case 'SAdo': case 'DEfi': case 'SAnp': case 'ANgr':
		case 'CHgn': case 'MOsf':
			if (window != NULL)
				BMessenger(window).SendMessage(message);
			break;
		case 'SAdc':
		{
			int32 tab = 0;
			message->FindInt32("tab", &tab);
			if (window != NULL)
				window->SaveFile((int)tab);
			break;
		}
		case 'QUhe':
			if (window != NULL && window->Lock()) {
				window->SetIsEnd(true);
				window->Unlock();
			}
			break;
		case 'SEis':
			if (window != NULL)
				window->UpdateSize();
			break;
		default:
			break;
	}
}


bool
RelayApplication::QuitRequested()
{
	quitRequests++;
	return allowQuit;
}


// #pragma mark - fixture


std::string
MainWindowTest::Settings()
{
	return "language=\"English\"\nname=\"Ada Lovelace\"\nemail=\"ada@example.org\"\n"
		"encoding=\"ISO 8859-2\"\nicons=\"normal\"\ngfx_dir=\"gfx\"\n";
}


void
MainWindowTest::SetUp()
{
	fAppDir = new TempAppDir;
	fAppDir->Write("Settings/settings", Settings());
	fFolder = fAppDir->File("documents");
	fAppDir->Write("documents/.keep", "");
	fWindow = NULL;
	TestApplication()->quitRequests = 0;
	OpenWindow();
}


void
MainWindowTest::OpenWindow()
{
	fWindow = new QuorrelMainWindow(BRect(10, 10, 100, 100), NULL);
	fMessenger = BMessenger(fWindow);
	TestApplication()->mainWindow = fWindow;
	ShowActive(fWindow);
}


void
MainWindowTest::TearDown()
{
	CloseAlerts();
	TestApplication()->mainWindow = NULL;
	if (fMessenger.LockTarget())
		fWindow->Quit();
	WaitIdle();
	delete fAppDir;
}


bool
MainWindowTest::WindowAlive()
{
	return fMessenger.IsValid();
}


void
MainWindowTest::Post(uint32 what)
{
	BMessage message(what);
	Post(&message);
}


void
MainWindowTest::Post(BMessage* message)
{
	ASSERT_EQ(B_OK, fMessenger.SendMessage(message));
	WaitIdle();
}


std::string
MainWindowTest::Text(int slot)
{
	std::string text;
	Locked(fWindow, [&]() {
		EView* document = fWindow->DocumentAt(slot);
		if (document != NULL)
			text = document->GetBufor();
	});
	return text;
}


std::vector<std::string>
MainWindowTest::TabLabels()
{
	std::vector<std::string> labels;
	Locked(fWindow, [&]() {
		BTabView* tabs = fWindow->TabView();
		for (int32 i = 0; i < tabs->CountTabs(); i++)
			labels.push_back(tabs->TabAt(i)->Label());
	});
	return labels;
}


int
MainWindowTest::Current()
{
	int slot = -2;
	Locked(fWindow, [&]() { slot = fWindow->CurrentEditView(); });
	return slot;
}


void
MainWindowTest::SaveAs(const std::string& folder, const std::string& name)
{
	entry_ref directory;
	ASSERT_EQ(B_OK, get_ref_for_path(folder.c_str(), &directory));
	BMessage save(B_SAVE_REQUESTED);
	save.AddRef("directory", &directory);
	save.AddString("name", name.c_str());
	Post(&save);
}


void
MainWindowTest::OpenAsPanel(const std::string& path)
{
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path(path.c_str(), &ref));
	BMessage open(B_REFS_RECEIVED);
	open.AddInt32("state", 0);
	open.AddRef("refs", &ref);
	Post(&open);
}


void
MainWindowTest::MarkEncoding(bool save, int32 index)
{
	BMenu* menu = NULL;
	BFilePanel* panel = NULL;
	Locked(fWindow, [&]() {
		menu = save ? fWindow->SaveEncodingMenu() : fWindow->OpenEncodingMenu();
		panel = save ? fWindow->SavePanel() : fWindow->OpenPanel();
	});
	ASSERT_NE(nullptr, menu);
	Locked(panel->Window(), [&]() { menu->ItemAt(index)->SetMarked(true); });
}


// #pragma mark - alerts and files


BAlert*
ShownAlert()
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


std::string
AlertText(BAlert* alert)
{
	std::string text;
	Locked(alert, [&]() {
		if (alert->TextView() != NULL)
			text = alert->TextView()->Text();
	});
	return text;
}


void
PressAlertButton(BAlert* alert, int32 index)
{
	BView* button = NULL;
	Locked(alert, [&]() { button = alert->ButtonAt(index); });
	ASSERT_NE(nullptr, button);
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ScreenCenter(button));
}


void
CloseAlerts()
{
	for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
		BAlert* alert = dynamic_cast<BAlert*>(entry.window);
		if (alert != NULL) {
			BMessenger messenger(alert);
			if (messenger.LockTarget())
				alert->Quit();
		}
	}
	HeadlessTest::WaitForIdle();
}


std::string
ReadFile(const std::string& path)
{
	std::ifstream stream(path, std::ios::binary);
	std::stringstream contents;
	contents << stream.rdbuf();
	return contents.str();
}


void
WriteFile(const std::string& path, const std::string& contents)
{
	std::ofstream stream(path, std::ios::binary | std::ios::trunc);
	stream << contents;
	ASSERT_TRUE(stream.good()) << path;
}
