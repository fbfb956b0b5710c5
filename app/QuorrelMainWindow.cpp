/*
 * The main window: construction, layout, document tabs, full screen and the small
 * services other windows call on it.
 */
#include "QuorrelMainWindow.h"

#include <Autolock.h>
#include <Bitmap.h>
#include <Entry.h>
#include <FilePanel.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <Screen.h>
#include <TabView.h>
#include <View.h>

#include <cstdio>
#include <cstring>

#include "ColorView.h"
#include "EView.h"
#include "EditView.h"
#include "EncodingTable.h"
#include "FileList.h"
#include "IconBar.h"
#include "QuorrelTools.h"
#include "libglossan/Glossan.h"
#include "libvarkel/varkel.h"


// Geometry of the columns under the tool bars.
static const float kSidePanelWidth = 150;
static const float kPaletteWidth = 22;
static const int kPathSize = 1024;
static const int kFilePathSize = 2048;


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
	fNormalFrame(frame.left, frame.top, frame.Width(), frame.Height()),
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
	for (int i = 0; i < kIconCount; i++) {
		fIconMessages[i] = NULL;
		fIconBitmaps[i][0] = fIconBitmaps[i][1] = NULL;
	}

	BRect screen = BScreen(this).Frame();
	MoveTo(10, 30);
	ResizeTo(screen.right - 20, screen.bottom - 40);

	LoadSettings();
	LoadDictionary();
	AddMenu();
	CreateSavePanel();
	CreateOpenPanel();

	fMainView = new BView(BRect(0, fMenuBar->Frame().bottom + 1, Bounds().right,
		Bounds().bottom), "Main View", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE);
	fMainView->SetViewColor(216, 216, 216);
	AddChild(fMainView);

	fFirstIconBar = new IconBar("icon bar1", 0);
	fSecondIconBar = new IconBar("icon bar2", 38);
	fMainView->AddChild(fFirstIconBar);
	fMainView->AddChild(fSecondIconBar);
	AddIcons();

	AddTabs();

	float top = _ColumnsTop();
	BRect mainBounds = fMainView->Bounds();
	fColorView = new ColorView(BRect(Bounds().right - 21, top, Bounds().right + 1,
		mainBounds.bottom + 1), "ColorView");
	fMainView->AddChild(fColorView);

	// The side panel's column; the project panel takes its place once projects exist.
	fProjectManager = new BView(BRect(0, top, kSidePanelWidth - 1, mainBounds.bottom),
		"ProjectManager", B_FOLLOW_NONE, B_WILL_DRAW);
	fProjectManager->SetViewColor(220, 220, 220);
	fMainView->AddChild(fProjectManager);

	BMessenger self(this);
	fProjectOpenPanel = new BFilePanel(B_OPEN_PANEL, &self, NULL, 0, false, NULL,
		NULL, false, true);
	fProjectSavePanel = new BFilePanel(B_SAVE_PANEL, &self, NULL, 0, false, NULL,
		NULL, false, true);
}


QuorrelMainWindow::~QuorrelMainWindow()
{
	_QuitAuxiliaryWindows();

	delete fProjectOpenPanel;
	delete fProjectSavePanel;
	delete fOpenPanel;
	delete fSavePanel;

	// The tool-bar items keep pointers to the bitmaps and messages, so they go first.
	if (fMainView != NULL) {
		fMainView->RemoveSelf();
		delete fMainView;
	}
	for (int i = 0; i < kIconCount; i++) {
		delete fIconMessages[i];
		delete fIconBitmaps[i][0];
		delete fIconBitmaps[i][1];
	}

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


BMenuItem*
QuorrelMainWindow::_FindItem(const char* englishLabel) const
{
	return fMenuBar != NULL ? fMenuBar->FindItem(_T(englishLabel)) : NULL;
}


void
QuorrelMainWindow::_EnableDocumentItems(bool enable)
{
	static const char* const kItems[] = { "Save file", "Save file as...",
		"Close file", "HTML" };
	for (const char* label : kItems) {
		if (BMenuItem* item = _FindItem(label))
			item->SetEnabled(enable);
	}
}


// #pragma mark - settings and dictionary


void
QuorrelMainWindow::LoadSettings()
{
	delete fSettings;
	fSettings = new varkel;
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char path[kFilePathSize];
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
	char path[kFilePathSize];
	snprintf(path, sizeof(path), "%s/Dictionary/", appPath);
	delete[] appPath;
	delete fTranslator;
	fTranslator = new Glossan("dictionary", path);
	const char* language = fSettings->GetValue("language");
	if (language != NULL)
		fTranslator->SetLanguage(language);
}


// #pragma mark - layout


float
QuorrelMainWindow::_ColumnsTop() const
{
	return fFirstIconBar->Bounds().bottom + fSecondIconBar->Bounds().bottom + 2;
}


BRect
QuorrelMainWindow::_DocumentFrame() const
{
	BRect frame = fTabView->Bounds();
	frame.InsetBy(3, 3);
	frame.right -= 2;
	frame.bottom -= fTabView->TabHeight();
	return frame;
}


void
QuorrelMainWindow::_LayoutColumns(bool withTabs)
{
	float top = _ColumnsTop();
	float bottom = fMainView->Bounds().bottom;
	float right = Bounds().right;
	fColorView->MoveTo(right - 21, top);
	fColorView->ResizeTo(kPaletteWidth, bottom - top);
	fProjectManager->MoveTo(0, top);
	fProjectManager->ResizeTo(kSidePanelWidth - 1, bottom - top);
	if (withTabs) {
		fTabView->MoveTo(kSidePanelWidth, top);
		fTabView->ResizeTo(right - kSidePanelWidth - kPaletteWidth, bottom - top);
	}
}


void
QuorrelMainWindow::UpdateSize()
{
	// The preferences may be open and call this through the application thread; the
	// windows whose views change are locked for the whole change.
	BAutolock lock(this);
	if (!lock.IsLocked())
		return;

	LoadSettings();
	const char* icons = fSettings->GetValue("icons");
	int mode = -1;
	if (icons != NULL && strcmp(icons, "normal") == 0)
		mode = 0;
	else if (icons != NULL && strcmp(icons, "small") == 0)
		mode = 1;
	if (mode < 0)
		return;

	fFirstIconBar->SetSize(mode);
	fSecondIconBar->SetSize(mode);
	fSecondIconBar->SetPosY((int)(fFirstIconBar->Bounds().bottom + 1));
	// The bar moves when it next draws; move it now so the columns below line up at
	// once.
	fSecondIconBar->MoveTo(0, (int)(fFirstIconBar->Bounds().bottom + 1));
	_LayoutColumns(true);
}


void
QuorrelMainWindow::UpdateFontsAndColors()
{
	for (int slot = 0; slot < kMaxDocuments; slot++) {
		if (fDocuments[slot] != NULL)
			fDocuments[slot]->loadColors(false);
	}
}


void
QuorrelMainWindow::Zoom(BPoint origin, float width, float height)
{
	BMenuItem* item = _FindItem("Full screen");
	if (!fFullScreen) {
		BRect frame = Frame();
		BRect bounds = Bounds();
		fNormalFrame.Set(frame.left, frame.top, bounds.right, bounds.bottom);
		SetLook(B_BORDERED_WINDOW_LOOK);
		BRect screen = BScreen(this).Frame();
		MoveTo(0, 0);
		ResizeTo(screen.right, screen.bottom);
		if (item != NULL)
			item->SetMarked(true);
		_LayoutColumns(false);
		fFullScreen = true;
	} else {
		SetLook(B_TITLED_WINDOW_LOOK);
		// fNormalFrame holds left, top, width and height.
		MoveTo(fNormalFrame.left, fNormalFrame.top);
		ResizeTo(fNormalFrame.right, fNormalFrame.bottom);
		if (item != NULL)
			item->SetMarked(false);
		_LayoutColumns(false);
		fFullScreen = false;
	}
}


void
QuorrelMainWindow::SetIsEnd(bool end)
{
	fQuitConfirmed = end;
	// Asking through the window's own close path lets a confirmed quit close the
	// window as well as end the application.
	if (end)
		PostMessage(B_QUIT_REQUESTED);
	else
		QuitRequested();
}


// #pragma mark - document tabs


void
QuorrelMainWindow::AddTabs()
{
	float top = _ColumnsTop();
	BRect mainBounds = fMainView->Bounds();
	fTabView = new BTabView(BRect(kSidePanelWidth, top,
		mainBounds.right - kPaletteWidth, mainBounds.bottom), "Editor Tab",
		B_WIDTH_AS_USUAL, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE
			| B_FRAME_EVENTS | B_NAVIGABLE | B_NAVIGABLE_JUMP);
	fTabView->SetViewColor(216, 216, 216);
	fMainView->AddChild(fTabView);
	fUntitledCounter = 0;
	AddTab(NULL, true);
}


void
QuorrelMainWindow::AddTab(const char* path, bool loud)
{
	if (fDocumentCount >= kMaxDocuments)
		return;
	int slot = 0;
	while (slot < kMaxDocuments && fDocuments[slot] != NULL)
		slot++;
	if (slot == kMaxDocuments)
		return;

	fUntitledCounter++;
	char name[B_FILE_NAME_LENGTH];
	if (path == NULL)
		snprintf(name, sizeof(name), "Untitled%d", (int)fUntitledCounter);
	else
		snprintf(name, sizeof(name), "%s", path);

	EView* document = new EView(_DocumentFrame(), name);
	fDocuments[slot] = document;
	BTab* tab = new BTab();
	fTabView->AddTab(document, tab);
	tab->SetLabel(name);

	delete[] document->filePath;
	document->filePath = new char[kPathSize];
	snprintf(document->filePath, kPathSize, "%s", name);
	document->saved = path != NULL;
	document->hasFile = path != NULL;
	document->closeAfterSave = false;
	document->tabbed = true;
	fDocumentCount++;

	fTabView->Select(fTabView->CountTabs() - 1);
	fCurrentDocument = slot;
	document->makeFocus();

	char* page = CreatePage();
	if (!loud)
		document->SendModifiedMessage(false);
	document->InsertTag(page, 0);
	if (!loud)
		document->SendModifiedMessage(true);
	delete[] page;
	// The new page goes in at the top and the caret stays there.
	document->editView->Select(0, 0);
	document->editView->ScrollToOffset(0);

	_EnableDocumentItems(true);
}


void
QuorrelMainWindow::RemoveTab()
{
	fCurrentDocument = CurrentEditView();
	int32 selected = fTabView->Selection();
	if (fCurrentDocument >= 0 && selected >= 0) {
		EView* document = fDocuments[fCurrentDocument];
		document->tabbed = false;
		// Deleting the tab deletes its view, the document.
		delete fTabView->RemoveTab(selected);
		fDocuments[fCurrentDocument] = NULL;
		fDocumentCount--;
		fCurrentDocument = CurrentEditView();
		if (fCurrentDocument >= 0)
			fDocuments[fCurrentDocument]->makeFocus();
	}
	if (fDocumentCount == 0)
		_EnableDocumentItems(false);
}


int
QuorrelMainWindow::CurrentEditView()
{
	if (fDocumentCount == 0 || fTabView == NULL)
		return -1;
	int32 selected = fTabView->Selection();
	BTab* tab = fTabView->TabAt(selected);
	EView* shown = dynamic_cast<EView*>(fTabView->ViewForTab(selected));
	if (tab == NULL || tab->Label() == NULL || shown == NULL || shown->filePath == NULL)
		return -1;
	for (int slot = 0; slot < kMaxDocuments; slot++) {
		EView* document = fDocuments[slot];
		if (document != NULL && document->filePath != NULL
			&& strcmp(document->fileName, tab->Label()) == 0
			&& strcmp(document->filePath, shown->filePath) == 0)
			return slot;
	}
	return -1;
}


int
QuorrelMainWindow::SelectedView(int slot)
{
	if (slot < 0 || slot >= kMaxDocuments || fDocuments[slot] == NULL
		|| !fDocuments[slot]->tabbed)
		return -1;
	EView* document = fDocuments[slot];
	for (int index = 0; index < kMaxDocuments; index++) {
		BTab* tab = fTabView->TabAt(index);
		if (tab == NULL)
			continue;
		EView* shown = dynamic_cast<EView*>(fTabView->ViewForTab(index));
		if (tab->Label() != NULL && shown != NULL && shown->filePath != NULL
			&& strcmp(tab->Label(), document->fileName) == 0
			&& strcmp(shown->filePath, document->filePath) == 0)
			return index;
	}
	return -1;
}


EView*
QuorrelMainWindow::DocumentAt(int slot) const
{
	if (slot < 0 || slot >= kMaxDocuments)
		return NULL;
	return fDocuments[slot];
}


void
QuorrelMainWindow::CreateFileList()
{
	_FileList snapshot[kMaxDocuments];
	for (int slot = 0; slot < kMaxDocuments; slot++) {
		EView* document = fDocuments[slot];
		snapshot[slot].path = document != NULL ? document->filePath : NULL;
		snapshot[slot].saved = document != NULL && document->saved;
		snapshot[slot].hasFile = document != NULL && document->hasFile;
		snapshot[slot].closeAfterSave = document != NULL && document->closeAfterSave;
		snapshot[slot].present = document != NULL;
	}
	// CopyFileList gives every record, an empty slot's too, a path buffer of its own.
	CopyFileList(fFileList, snapshot);
	for (int slot = 0; slot < kMaxDocuments; slot++) {
		fFileList[slot].saved = snapshot[slot].saved;
		fFileList[slot].hasFile = snapshot[slot].hasFile;
		fFileList[slot].closeAfterSave = snapshot[slot].closeAfterSave;
		fFileList[slot].present = snapshot[slot].present;
	}
}


char*
QuorrelMainWindow::CreatePage()
{
	const char* charset = EncodingTable::CharsetAt(SaveEncodingIndex());
	const char* name = fSettings->GetValue("name");
	char* page = new char[kPathSize];
	snprintf(page, kPathSize,
		"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n"
		"\n"
		"<html>\n"
		"<head>\n"
		"<meta http-equiv=\"content-type\" content=\"text/html; charset=%s\">\n"
		"<meta name=\"author\" content=\"%s\">\n"
		"<meta name=\"generator\" content=\"Quorrel\">\n"
		"<title>\n"
		"\n"
		"</title>\n"
		"</head>\n"
		"\n"
		"<body>\n"
		"\n"
		"\n"
		"\n"
		"\n"
		"</body>\n"
		"</html>", charset, name != NULL ? name : "");
	return page;
}


const char*
QuorrelMainWindow::PathToEditedFile()
{
	fCurrentDocument = CurrentEditView();
	if (fCurrentDocument < 0 || !fDocuments[fCurrentDocument]->hasFile)
		return NULL;
	return fDocuments[fCurrentDocument]->filePath;
}


BEntry*
QuorrelMainWindow::GetProjectEntry()
{
	return fProjectDirectory;
}
