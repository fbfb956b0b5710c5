/*
 * Documents and files: the open and save panels with their Encoding menus, opening,
 * saving with conversion, closing with the question, and the quit sequence with the
 * unsaved-documents window.
 */
#include "QuorrelMainWindow.h"

#include <Alert.h>
#include <Application.h>
#include <Autolock.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <FilePanel.h>
#include <Font.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>
#include <TabView.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "DocumentWriter.h"
#include "EView.h"
#include "EditView.h"
#include "EncodingTable.h"
#include "FileList.h"
#include "SaveDocsWindow.h"
#include "libglossan/Glossan.h"
#include "libvarkel/varkel.h"


static const char* kHTMLType = "text/html";
static const char* kProjectType = "text/quorrel-project";
static const char* kBrowserSignature = "application/x-vnd.Be-NPOS";
static const int kFilePathSize = 2048;

// Alert texts of this window (dictionary keys).
static const char* kCannotOpen = "I can`t open this file:";
static const char* kNotADocument
	= "Quorrel opens HTML and text documents only. This file is not one:";
static const char* kCannotSave
	= "I can`t save this file. Nothing was changed on disk and your text is still in the editor:";
static const char* kSubstitutedOnSave
	= "Characters missing from the chosen encoding were saved as the substitute character:";


static const char*
LeafOf(const char* path)
{
	const char* slash = strrchr(path, '/');
	return slash != NULL ? slash + 1 : path;
}


// #pragma mark - panels


BFilePanel*
QuorrelMainWindow::_MakePanel(bool save, BMenu** menu, BMenuField** field)
{
	*menu = new BMenu("      ", B_ITEMS_IN_COLUMN);
	for (int32 index = 0; index < EncodingTable::kCount; index++) {
		const EncodingInfo* info = EncodingTable::At(index);
		(*menu)->AddItem(new BMenuItem(info->label, new BMessage(info->code)));
	}
	(*menu)->SetLabelFromMarked(true);
	const char* encoding = fSettings->GetValue("encoding");
	if (encoding != NULL) {
		for (int32 index = 0; index < EncodingTable::kCount; index++) {
			BMenuItem* item = (*menu)->ItemAt(index);
			if (strcmp(item->Label(), encoding) == 0) {
				item->SetMarked(true);
				break;
			}
		}
	}

	BMessenger self(this);
	BFilePanel* panel = new BFilePanel(save ? B_SAVE_PANEL : B_OPEN_PANEL, &self, NULL,
		0, false, NULL, NULL, false, true);
	BWindow* window = panel->Window();
	if (window != NULL && window->Lock()) {
		BView* background = window->ChildAt(0);
		if (background != NULL) {
			BRect bounds = background->Bounds();
			*field = new BMenuField(BRect(120, 25, bounds.right - 100, 55), "encodings",
				_T("Encoding:"), *menu, B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
			// The menu follows its label closely rather than half way along the strip.
			(*field)->SetDivider(be_plain_font->StringWidth(_T("Encoding:")) + 10);
			background->AddChild(*field);
		}
		window->Unlock();
	}
	if (fProjectDirectory != NULL)
		panel->SetPanelDirectory(fProjectDirectory);
	return panel;
}


void
QuorrelMainWindow::CreateOpenPanel()
{
	delete fOpenPanel;
	fOpenPanel = _MakePanel(false, &fOpenEncodingMenu, &fOpenEncodingField);
	fOpenPanelCreated = true;
}


void
QuorrelMainWindow::CreateSavePanel()
{
	delete fSavePanel;
	fSavePanel = _MakePanel(true, &fSaveEncodingMenu, &fSaveEncodingField);
	fSavePanelCreated = true;
}


int32
QuorrelMainWindow::_MarkedIndex(BFilePanel* panel, BMenu* menu)
{
	if (panel == NULL || menu == NULL)
		return -1;
	// The menu belongs to the panel's window, even while it is not open.
	BWindow* window = panel->Window();
	if (window == NULL || !window->Lock())
		return -1;
	BMenuItem* marked = menu->FindMarked();
	int32 index = marked != NULL ? menu->IndexOf(marked) : -1;
	window->Unlock();
	return index;
}


int32
QuorrelMainWindow::OpenEncodingIndex()
{
	if (!fOpenPanelCreated)
		CreateOpenPanel();
	return _MarkedIndex(fOpenPanel, fOpenEncodingMenu);
}


int32
QuorrelMainWindow::SaveEncodingIndex()
{
	if (!fSavePanelCreated)
		CreateSavePanel();
	return _MarkedIndex(fSavePanel, fSaveEncodingMenu);
}


// #pragma mark - conversion


char*
QuorrelMainWindow::Konwertuj(const char* text, bool toFile, int32* length,
	int32* substituted)
{
	if (substituted != NULL)
		*substituted = 0;
	if (text == NULL)
		text = "";
	std::string converted;
	int32 index = toFile ? SaveEncodingIndex() : OpenEncodingIndex();
	status_t status = toFile
		? EncodingTable::FromUTF8(index, text, strlen(text), &converted, substituted)
		: EncodingTable::ToUTF8(index, text, strlen(text), &converted, substituted);
	if (status != B_OK) {
		*length = 0;
		return NULL;
	}
	char* output = new(std::nothrow) char[converted.size() + 1];
	if (output == NULL) {
		*length = 0;
		return NULL;
	}
	memcpy(output, converted.data(), converted.size());
	output[converted.size()] = '\0';
	*length = converted.size();
	return output;
}


char*
QuorrelMainWindow::RelativeToDirectory(const char* path, const char* directory)
{
	size_t length = directory != NULL ? strlen(directory) : 0;
	// Only a separator right after the directory's path makes the file one of its own:
	// "/home/a/proj" does not hold "/home/a/project2/x".
	while (length > 1 && directory[length - 1] == '/')
		length--;
	const char* rest = path;
	if (length > 0 && strncmp(path, directory, length) == 0
		&& (path[length] == '/' || (length == 1 && directory[0] == '/'))) {
		rest = path + length;
		if (*rest == '/')
			rest++;
	}
	char* result = new char[kFilePathSize];
	snprintf(result, kFilePathSize, "%s", rest);
	return result;
}


char*
QuorrelMainWindow::ConvertPath(const char* path)
{
	BPath directory;
	if (fProjectDirectory == NULL || fProjectDirectory->GetPath(&directory) != B_OK)
		return RelativeToDirectory(path, NULL);
	return RelativeToDirectory(path, directory.Path());
}


// #pragma mark - opening


bool
QuorrelMainWindow::_OpenDocument(const char* path, bool reportErrors)
{
	if (fDocumentCount >= kMaxDocuments)
		return false;

	// Read-only, so a file the user may read but not write still opens.
	BFile file(path, B_READ_ONLY);
	struct stat info;
	status_t status = file.InitCheck();
	if (status == B_OK && file.GetStat(&info) == B_OK && !S_ISREG(info.st_mode))
		status = B_IS_A_DIRECTORY;
	if (status != B_OK) {
		if (reportErrors) {
			std::string text = _T(kCannotOpen);
			text += "\n\n";
			text += path;
			text += "\n";
			text += strerror(status);
			_Notice("", text.c_str(), B_STOP_ALERT);
		}
		return false;
	}

	AddTab(LeafOf(path), false);
	EView* document = fDocuments[fCurrentDocument];
	document->LoadFile(&file, OpenEncodingIndex());
	uint32 issues = document->LoadIssues();
	if ((issues & (EView::kLoadReadError | EView::kLoadTooLarge)) != 0) {
		// Nothing was read; the tab would only show the new-document text.
		RemoveTab();
	} else {
		document->hasFile = true;
		document->saved = true;
		document->tabbed = true;
		delete[] document->filePath;
		document->filePath = new char[kFilePathSize];
		snprintf(document->filePath, kFilePathSize, "%s", path);
	}
	if (const char* key = EView::LoadIssueText(issues)) {
		std::string text = _T(key);
		text += "\n\n";
		text += path;
		_Notice("", text.c_str(), (issues & (EView::kLoadReadError
			| EView::kLoadTooLarge)) != 0 ? B_STOP_ALERT : B_WARNING_ALERT);
	}
	return (issues & (EView::kLoadReadError | EView::kLoadTooLarge)) == 0;
}


void
QuorrelMainWindow::_OpenRefs(BMessage* message)
{
	int32 state = 0;
	message->FindInt32("state", &state);
	entry_ref ref;
	if (message->FindRef("refs", 0, &ref) != B_OK)
		return;
	if (state != 0) {
		// Projects open once the side panel keeps them.
		return;
	}
	BPath path;
	BEntry entry(&ref);
	if (entry.GetPath(&path) != B_OK)
		return;
	_OpenDocument(path.Path(), true);
}


void
QuorrelMainWindow::LoadFile(const char* path)
{
	if (path == NULL)
		return;
	BAutolock lock(this);
	if (!lock.IsLocked())
		return;

	char type[B_MIME_TYPE_LENGTH] = "";
	BNode node(path);
	BNodeInfo info(&node);
	bool typed = node.InitCheck() == B_OK && info.GetType(type) == B_OK;
	if (typed && strcmp(type, kProjectType) == 0) {
		// Projects open once the side panel keeps them.
		return;
	}
	// The desktop types files by their names; a file it cannot type is still opened,
	// and the editor says so if it is not text.
	if (typed && strncmp(type, "text/", 5) != 0
		&& strcmp(type, "application/xhtml+xml") != 0) {
		std::string text = _T(kNotADocument);
		text += "\n\n";
		text += path;
		_Notice("", text.c_str(), B_WARNING_ALERT);
		return;
	}
	_OpenDocument(path, true);
}


// #pragma mark - saving


status_t
QuorrelMainWindow::SaveFile(const char* pathArgument)
{
	EView* document = _Current();
	if (document == NULL || pathArgument == NULL)
		return B_BAD_VALUE;
	// The caller may pass the document's own filePath, which is replaced below.
	std::string pathCopy = pathArgument;
	const char* path = pathCopy.c_str();

	int32 length = 0;
	int32 substituted = 0;
	char* bytes = Konwertuj(document->GetBufor(), true, &length, &substituted);
	std::string failure;
	std::string written;
	status_t status = bytes != NULL
		? DocumentWriter::Write(path, bytes, length, &failure, &written) : B_NO_MEMORY;
	delete[] bytes;
	if (status != B_OK) {
		if (failure.empty())
			failure = strerror(status);
		std::string text = _T(kCannotSave);
		text += "\n\n";
		text += path;
		text += "\n";
		text += failure;
		_Notice("", text.c_str(), B_STOP_ALERT);
		return status;
	}

	// The type and the browser as preferred application go on the file itself, behind
	// any link. A file system without attributes keeps the file untyped.
	BNode node(written.c_str());
	BNodeInfo info(&node);
	if (node.InitCheck() == B_OK) {
		info.SetType(kHTMLType);
		info.SetPreferredApp(kBrowserSignature);
	}

	const char* leaf = LeafOf(path);
	int tab = SelectedView(fCurrentDocument);
	document->saved = true;
	document->hasFile = true;
	char* newPath = new char[kFilePathSize];
	snprintf(newPath, kFilePathSize, "%s", path);
	delete[] document->filePath;
	document->filePath = newPath;
	snprintf(document->fileName, 256, "%s", leaf);
	if (BTab* label = fTabView->TabAt(tab >= 0 ? tab : fTabView->Selection()))
		label->SetLabel(document->fileName);
	document->makeFocus();
	document->scroll();

	if (substituted > 0) {
		std::string text = _T(kSubstitutedOnSave);
		text += "\n\n";
		text += path;
		_Notice("", text.c_str(), B_WARNING_ALERT);
	}
	return B_OK;
}


void
QuorrelMainWindow::SaveFile(int index)
{
	BAutolock lock(this);
	if (!lock.IsLocked() || index < 0 || index >= kMaxDocuments
		|| fDocuments[index] == NULL)
		return;
	int tab = SelectedView(index);
	if (tab >= 0)
		fTabView->Select(tab);
	fDocuments[index]->closeAfterSave = true;
	if (fSaveDocsWindow != NULL) {
		BAutolock docsLock(fSaveDocsWindow);
		if (!fSaveDocsWindow->IsHidden())
			fSaveDocsWindow->Hide();
	}
	fSavingForQuit = true;
	PostMessage(kMsgSaveFile);
}


void
QuorrelMainWindow::_SaveCommand()
{
	EView* document = _Current();
	if (document == NULL)
		return;
	if (document->hasFile) {
		status_t status = SaveFile(document->filePath);
		if (status == B_OK && document->closeAfterSave) {
			document->closeAfterSave = false;
			RemoveTab();
		} else if (status != B_OK)
			document->closeAfterSave = false;
		if (fQuitPending)
			QuitRequested();
		return;
	}

	if (!fSavePanelCreated)
		CreateSavePanel();
	if (fSaveDocsWindow != NULL && fQuitPending && !fSavingForQuit) {
		BAutolock docsLock(fSaveDocsWindow);
		if (!fSaveDocsWindow->IsHidden())
			fSaveDocsWindow->Hide();
		fSavingForQuit = true;
	}
	_ShowSavePanel(fCurrentDocument);
}


void
QuorrelMainWindow::_SaveAsCommand()
{
	if (!fSavePanelCreated)
		CreateSavePanel();
	fCurrentDocument = CurrentEditView();
	_ShowSavePanel(fCurrentDocument);
}


void
QuorrelMainWindow::_ShowSavePanel(int slot)
{
	// The panel's answer names the document it was opened for, so switching tabs
	// while the panel is up does not save another document under the chosen name.
	BMessage save(B_SAVE_REQUESTED);
	save.AddInt32("slot", slot);
	fSavePanel->SetMessage(&save);
	if (slot >= 0 && fDocuments[slot] != NULL)
		fSavePanel->SetSaveText(fDocuments[slot]->fileName);
	if (fProjectDirectory != NULL)
		fSavePanel->SetPanelDirectory(fProjectDirectory);
	fSavePanel->Show();
}


void
QuorrelMainWindow::_SaveRequested(BMessage* message)
{
	entry_ref directory;
	const char* name;
	if (message->FindRef("directory", &directory) != B_OK
		|| message->FindString("name", &name) != B_OK)
		return;
	BPath folder;
	BEntry folderEntry(&directory);
	if (folderEntry.GetPath(&folder) != B_OK)
		return;
	int32 slot;
	if (message->FindInt32("slot", &slot) == B_OK && slot >= 0 && slot < kMaxDocuments
		&& fDocuments[slot] != NULL) {
		int tab = SelectedView(slot);
		if (tab >= 0 && tab != fTabView->Selection())
			fTabView->Select(tab);
	}

	char path[kFilePathSize];
	snprintf(path, sizeof(path), "%s/%s", folder.Path(), name);
	status_t status = SaveFile(path);
	EView* document = _Current();
	if (document == NULL)
		return;
	if (status != B_OK) {
		// The quit sequence lists the document again rather than quitting over it.
		document->closeAfterSave = false;
		if (fQuitPending) {
			fSavingForQuit = false;
			QuitRequested();
		}
		return;
	}
	if (document->closeAfterSave) {
		document->saved = true;
		document->hasFile = true;
		document->closeAfterSave = false;
		RemoveTab();
	}
	if (fQuitPending)
		QuitRequested();
}


void
QuorrelMainWindow::_PanelCancelled(BMessage* message)
{
	BFilePanel* source = NULL;
	message->FindPointer("source", (void**)&source);
	if (source == NULL || source != fSavePanel)
		return;
	// The save that was to close a tab is not happening; a later save must not close
	// it by surprise.
	for (int slot = 0; slot < kMaxDocuments; slot++) {
		if (fDocuments[slot] != NULL)
			fDocuments[slot]->closeAfterSave = false;
	}
	if (fSavingForQuit && fQuitPending) {
		fSavingForQuit = false;
		if (fSaveDocsWindow != NULL) {
			BAutolock docsLock(fSaveDocsWindow);
			if (fSaveDocsWindow->IsHidden())
				fSaveDocsWindow->Show();
		}
		QuitRequested();
	}
}


// #pragma mark - closing and quitting


void
QuorrelMainWindow::_CloseCommand()
{
	EView* document = _Current();
	if (document == NULL)
		return;
	if (document->isEmpty() || document->saved) {
		RemoveTab();
		return;
	}
	int slot = fCurrentDocument;
	BAlert* alert = new BAlert("", _T("File is modified. Save changes?"), _T("Cancel"),
		_T("Don`t save"), _T("Save"), B_WIDTH_AS_USUAL, B_OFFSET_SPACING,
		B_WARNING_ALERT);
	int32 answer = alert->Go();
	// The alert keeps the window drawing, not working; still, act on the document
	// that was asked about.
	if (fDocuments[slot] != document)
		return;
	int tab = SelectedView(slot);
	if (tab >= 0 && tab != fTabView->Selection())
		fTabView->Select(tab);
	if (answer == 1)
		RemoveTab();
	else if (answer == 2) {
		document->closeAfterSave = true;
		PostMessage(kMsgSaveFile);
	}
}


bool
QuorrelMainWindow::QuitRequested()
{
	if (!fQuitConfirmed) {
		if (fDocumentCount == 0)
			fQuitConfirmed = true;
		else {
			// Empty documents go without asking, unless emptying a file is itself
			// the unsaved change.
			for (int slot = 0; slot < kMaxDocuments; slot++) {
				EView* document = fDocuments[slot];
				if (document == NULL || !document->isEmpty()
					|| (document->hasFile && !document->saved))
					continue;
				int tab = SelectedView(slot);
				if (tab < 0)
					continue;
				fTabView->Select(tab);
				RemoveTab();
			}
			bool unsaved = false;
			for (int slot = 0; slot < kMaxDocuments; slot++) {
				if (fDocuments[slot] != NULL && !fDocuments[slot]->saved)
					unsaved = true;
			}
			fQuitConfirmed = !unsaved;
		}
	}

	if (!fQuitConfirmed) {
		CreateFileList();
		if (fSaveDocsWindow == NULL || !fSaveDocsMessenger.IsValid()) {
			fSaveDocsWindow = new SaveDocsWindow(BRect(200, 150, 210, 160),
				_T("Save files"), fTranslator);
			fSaveDocsMessenger = BMessenger(fSaveDocsWindow);
		}
		{
			BAutolock docsLock(fSaveDocsWindow);
			if (fSaveDocsWindow->IsHidden())
				fSaveDocsWindow->Show();
			fSaveDocsWindow->Uaktualnij(fFileList);
		}
		fQuitPending = true;
		fSavingForQuit = false;
		return false;
	}

	_QuitAuxiliaryWindows();
	if (be_app != NULL)
		be_app->PostMessage(B_QUIT_REQUESTED);
	return fQuitConfirmed;
}
