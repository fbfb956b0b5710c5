/*
 * The main window: construction, layout, document tabs, full screen and the small
 * services other windows call on it.
 */
#include "QuorrelMainWindow.h"

#include <Entry.h>
#include <MenuBar.h>
#include <Message.h>
#include <Screen.h>
#include <TabView.h>
#include <View.h>

#include <cstdio>
#include <cstring>

#include "FileList.h"
#include "QuorrelTools.h"
#include "libglossan/Glossan.h"
#include "libvarkel/varkel.h"


QuorrelMainWindow::QuorrelMainWindow(BRect frame, BubbleHelper* help)
	:
	BWindow(frame, "Quorrel", B_TITLED_WINDOW, B_NOT_RESIZABLE),
	fMainView(NULL),
	fFirstIconBar(NULL),
	fSecondIconBar(NULL),
	fMenuBar(NULL),
	fMenu(NULL),
	fSubMenu(NULL),
	fColorView(NULL),
	fProjectManager(NULL),
	fTabView(NULL),
	fDocumentCount(0),
	fCurrentDocument(0),
	fUntitledCounter(1),
	fTranslator(NULL),
	fSettings(new varkel),
	fTipService(help),
	fFullScreen(false),
	fNormalFrame(frame),
	fFileList(new _FileList[kMaxDocuments]()),
	fProjectOpenPanel(NULL),
	fProjectSavePanel(NULL),
	fOpenPanel(NULL),
	fOpenEncodingMenu(NULL),
	fOpenEncodingField(NULL),
	fOpenPanelCreated(false),
	fSavePanel(NULL),
	fSaveEncodingMenu(NULL),
	fSaveEncodingField(NULL),
	fSavePanelCreated(false),
	fProjectDirectory(NULL),
	fSaveDocsWindow(NULL),
	fQuitPending(false),
	fSavingForQuit(false),
	fQuitConfirmed(false),
	fColorWindow(NULL),
	fColorWindowOpen(false),
	fColorWindowCreated(false),
	fAboutWindow(NULL),
	fAboutWindowOpen(false),
	fSearchWindow(NULL),
	fSearchWindowOpen(false),
	fPrefsWindow(NULL),
	fPrefsWindowOpen(false)
{
	for (int i = 0; i < kMaxDocuments; i++)
		fDocuments[i] = NULL;

	BRect screen = BScreen(this).Frame();
	MoveTo(10, 30);
	ResizeTo(screen.right - 20, screen.bottom - 40);

	LoadSettings();
	LoadDictionary();
	AddMenu();

	fMainView = new BView(BRect(0, fMenuBar->Frame().bottom + 1, Bounds().right,
		Bounds().bottom), "Main View", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE);
	fMainView->SetViewColor(216, 216, 216);
	AddChild(fMainView);
}


QuorrelMainWindow::~QuorrelMainWindow()
{
	FreeFileList(fFileList);
	delete[] fFileList;
	delete fProjectDirectory;
	delete fTranslator;
	delete fSettings;
}


const char*
QuorrelMainWindow::_T(const char* text) const
{
	return fTranslator != NULL ? fTranslator->Translate(text) : text;
}


void
QuorrelMainWindow::LoadSettings()
{
	delete fSettings;
	fSettings = new varkel;
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Settings/settings", appPath);
	delete[] appPath;
	if (fSettings->LoadPrefs(path) != 0) {
		fSettings->PutParam("language", "English");
		fSettings->PutParam("name", "Quorrel user");
		fSettings->PutParam("email", "user@localhost");
		fSettings->PutParam("icons", "normal");
	}
}


void
QuorrelMainWindow::LoadDictionary()
{
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Dictionary/", appPath);
	delete[] appPath;
	delete fTranslator;
	fTranslator = new Glossan("dictionary", path);
	const char* language = fSettings->GetValue("language");
	if (language != NULL)
		fTranslator->SetLanguage(language);
}


void QuorrelMainWindow::MessageReceived(BMessage*) {}
bool QuorrelMainWindow::QuitRequested() { return true; }
void QuorrelMainWindow::Zoom(BPoint, float, float) {}
void QuorrelMainWindow::AddTabs() {}
void QuorrelMainWindow::AddTab(const char*, bool) {}
void QuorrelMainWindow::RemoveTab() {}
int QuorrelMainWindow::CurrentEditView() { return -1; }
int QuorrelMainWindow::SelectedView(int) { return -1; }
void QuorrelMainWindow::CreateFileList() {}
char* QuorrelMainWindow::CreatePage() { return NULL; }
const char* QuorrelMainWindow::PathToEditedFile() { return NULL; }
BEntry* QuorrelMainWindow::GetProjectEntry() { return fProjectDirectory; }
void QuorrelMainWindow::UpdateSize() {}
void QuorrelMainWindow::UpdateFontsAndColors() {}
void QuorrelMainWindow::SetIsEnd(bool end) { fQuitConfirmed = end; }
void QuorrelMainWindow::AddIcons() {}
void QuorrelMainWindow::CreateOpenPanel() {}
void QuorrelMainWindow::CreateSavePanel() {}
void QuorrelMainWindow::LoadFile(const char*) {}
status_t QuorrelMainWindow::SaveFile(const char*) { return B_ERROR; }
void QuorrelMainWindow::SaveFile(int) {}
char* QuorrelMainWindow::Konwertuj(const char*, bool, int32* length) { *length = 0; return NULL; }
char* QuorrelMainWindow::ConvertPath(const char* path) { return strdup(path); }
int32 QuorrelMainWindow::OpenEncodingIndex() { return -1; }
int32 QuorrelMainWindow::SaveEncodingIndex() { return -1; }
EView* QuorrelMainWindow::DocumentAt(int) const { return NULL; }
