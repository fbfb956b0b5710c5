/*
 * The main window's dispatcher: every command of the editor arrives here as a message
 * and is carried out on the selected document, on the window or by a dialog. Codes that
 * are not listed are ignored, not handed to BWindow.
 */
#include "QuorrelMainWindow.h"

#include <Alert.h>
#include <AppDefs.h>
#include <Application.h>
#include <Autolock.h>
#include <FilePanel.h>
#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ColorSelectWindow.h"
#include "EView.h"
#include "QuorrelAboutWindow.h"
#include "QuorrelTools.h"
#include "SaveDocsWindow.h"
#include "SearchWindow.h"
#include "libglossan/Glossan.h"

#if __has_include("PrefsWindow.h")
#	include "PrefsWindow.h"
#	define QUORREL_HAS_PREFS_WINDOW 1
#endif


// The system web browser, which also shows the help index.
static const char* kBrowserSignature = "application/x-vnd.Be-NPOS";


void
QuorrelMainWindow::MessageReceived(BMessage* message)
{
	if (_DispatchDocument(message) || _DispatchEditing(message)
		|| _DispatchHTML(message) || _DispatchWindows(message))
		return;
	_DispatchProject(message);
}


EView*
QuorrelMainWindow::_Current()
{
	fCurrentDocument = CurrentEditView();
	return fCurrentDocument >= 0 ? fDocuments[fCurrentDocument] : NULL;
}


void
QuorrelMainWindow::_SendToCurrent(uint32 what)
{
	if (EView* document = _Current())
		BMessenger(document).SendMessage(what);
}


bool
QuorrelMainWindow::_DispatchDocument(BMessage* message)
{
	switch (message->what) {
		case kMsgNewFile:
			AddTab(NULL, true);
			return true;
		case kMsgOpenFile:
		{
			if (!fOpenPanelCreated)
				CreateOpenPanel();
			BMessage open(B_REFS_RECEIVED);
			open.AddInt32("state", 0);
			fOpenPanel->SetMessage(&open);
			if (fProjectDirectory != NULL)
				fOpenPanel->SetPanelDirectory(fProjectDirectory);
			fOpenPanel->Show();
			return true;
		}
		case kMsgSaveFile:
			_SaveCommand();
			return true;
		case kMsgSaveFileAs:
			_SaveAsCommand();
			return true;
		case kMsgCloseFile:
			_CloseCommand();
			return true;
		case B_REFS_RECEIVED:
			_OpenRefs(message);
			return true;
		case B_SAVE_REQUESTED:
			_SaveRequested(message);
			return true;
		case B_CANCEL:
			_PanelCancelled(message);
			return true;
		case kMsgTextModified:
			if (EView* document = _Current())
				document->saved = false;
			return true;
		case kMsgSaveDocsGone:
			fQuitPending = false;
			return true;
	}
	return false;
}


bool
QuorrelMainWindow::_DispatchEditing(BMessage* message)
{
	switch (message->what) {
		case kMsgUndo:
			_SendToCurrent(B_UNDO);
			return true;
		case kMsgCut:
			_SendToCurrent(B_CUT);
			return true;
		case kMsgCopy:
			_SendToCurrent(B_COPY);
			return true;
		case kMsgPaste:
			_SendToCurrent(B_PASTE);
			return true;
		case kMsgClearAll:
			if (EView* document = _Current())
				document->clear();
			return true;
		case kMsgSelectAll:
			if (EView* document = _Current()) {
				document->makeFocus();
				document->selectAll();
			}
			return true;
		case kMsgCrLfToLf:
			if (EView* document = _Current())
				document->ConvertCrLf();
			return true;
		case kMsgLfToCrLf:
			if (EView* document = _Current())
				document->ConvertLf();
			return true;
		case kMsgFind:
		case kMsgReplace:
		case kMsgReplaceAll:
		{
			EView* document = _Current();
			const char* find;
			if (document == NULL || message->FindString("find", &find) != B_OK)
				return true;
			bool ignoreCase = false;
			message->FindBool("case_check", &ignoreCase);
			const char* replace = "";
			message->FindString("replace", &replace);
			if (message->what == kMsgFind)
				document->find(find, ignoreCase);
			else if (message->what == kMsgReplace)
				document->replace(find, replace, ignoreCase);
			else
				document->replaceAll(find, replace, ignoreCase);
			return true;
		}
		case kMsgColorChosen:
		{
			const char* color;
			EView* document = _Current();
			if (document != NULL && message->FindString("color", &color) == B_OK)
				document->InsertColor(color);
			return true;
		}
	}
	return false;
}


bool
QuorrelMainWindow::_DispatchHTML(BMessage* message)
{
	EView* document = NULL;
	switch (message->what) {
		case kMsgBold:
		case kMsgItalic:
		case kMsgUnderline:
		case kMsgCenterTag:
		case kMsgAlignLeft:
		case kMsgAlignRight:
		case kMsgAlignCenter:
		case kMsgInsertTag:
			document = _Current();
			if (document == NULL)
				return true;
			break;
		case kMsgPreview:
			_Preview();
			return true;
		default:
			return false;
	}

	switch (message->what) {
		case kMsgBold:
			document->InsertTag("<B></B>", 3);
			break;
		case kMsgItalic:
			document->InsertTag("<I></I>", 3);
			break;
		case kMsgUnderline:
			document->InsertTag("<U></U>", 3);
			break;
		case kMsgCenterTag:
			document->InsertTag("<CENTER></CENTER>", 8);
			break;
		case kMsgAlignLeft:
			document->InsertAlign("align=\"left\"");
			break;
		case kMsgAlignRight:
			document->InsertAlign("align=\"right\"");
			break;
		case kMsgAlignCenter:
			document->InsertAlign("align=\"center\"");
			break;
		case kMsgInsertTag:
		{
			const char* tag;
			int32 pos;
			if (message->FindString("tag", &tag) != B_OK
				|| message->FindInt32("pos", &pos) != B_OK)
				break;
			// A position outside the tag would put the caret outside the insertion.
			int32 length = strlen(tag);
			if (pos < 0 || pos > length)
				pos = length;
			document->InsertTag(tag, pos);
			break;
		}
	}
	return true;
}


bool
QuorrelMainWindow::_DispatchWindows(BMessage* message)
{
	switch (message->what) {
		case kMsgFullScreen:
			BWindow::Zoom();
			return true;
		case kMsgFindReplace:
			_ShowSearchWindow();
			return true;
		case kMsgSettings:
			_ShowPrefsWindow();
			return true;
		case kMsgInsertColor:
			_ShowColorWindow();
			return true;
		case kMsgColorWindowGone:
			fColorWindowOpen = false;
			return true;
		case kMsgAbout:
			_ShowAboutWindow();
			return true;
		case kMsgAboutGone:
			fAboutWindowOpen = false;
			return true;
		case kMsgHelpIndex:
		{
			QuorrelTools tools;
			const char* appPath = tools.GetAppPath();
			char address[2048];
			snprintf(address, sizeof(address), "file://%s/Help/index.html", appPath);
			delete[] appPath;
			_OpenInBrowser(address);
			return true;
		}
		case kMsgSearchWindowGone:
		case kMsgPrefsWindowGone:
			return true;
	}
	return false;
}


bool
QuorrelMainWindow::_DispatchProject(BMessage* message)
{
	// Projects are kept by the side panel, which this window does not have yet; their
	// commands are accepted here and change nothing until it does.
	switch (message->what) {
		case kMsgNewProject:
		case kMsgOpenProject:
		case kMsgSaveProject:
		case kMsgAddFileToProject:
		case kMsgAddGroup:
		case kMsgGroupAdded:
		case kMsgRenameGroup:
		case kMsgGroupRenamed:
		case kMsgMoveFile:
		case kMsgFileMoved:
		case kMsgRemoveFiles:
		case kMsgRemoveGroups:
		case kMsgEraseFile:
		case kMsgOpenProjectFile:
		case kMsgNewProjectNamed:
		case kMsgNewProjectSave:
		case kMsgSaveProjectAs:
			return true;
	}
	return false;
}


// #pragma mark - browser


void
QuorrelMainWindow::_OpenInBrowser(const char* address)
{
	BMessage message(B_ARGV_RECEIVED);
	message.AddString("argv", "NetPositive");
	message.AddString("argv", address);
	message.AddInt32("argc", 2);
	BMessenger browser(kBrowserSignature);
	if (browser.IsValid())
		browser.SendMessage(&message);
	else
		be_roster->Launch(kBrowserSignature, &message);
}


void
QuorrelMainWindow::_Preview()
{
	if (fDocumentCount == 0)
		return;
	EView* document = _Current();
	if (document == NULL)
		return;
	if (!document->saved || !document->hasFile) {
		_Notice(_T("Preview in browser"), _T("You should save this file first!"),
			B_INFO_ALERT);
		return;
	}
	char address[4096];
	snprintf(address, sizeof(address), "file://%s", document->filePath);
	_OpenInBrowser(address);
}


// #pragma mark - dialogs


// Quits the window messenger aims at, if it still exists.
static void
QuitWindow(BMessenger& messenger)
{
	if (messenger.LockTarget()) {
		BLooper* looper = NULL;
		messenger.Target(&looper);
		if (looper != NULL)
			looper->Quit();
	}
	messenger = BMessenger();
}


// Shows the window messenger aims at again; false when it no longer exists.
static bool
ShowAgain(BMessenger& messenger)
{
	if (!messenger.LockTarget())
		return false;
	BLooper* looper = NULL;
	messenger.Target(&looper);
	BWindow* window = dynamic_cast<BWindow*>(looper);
	if (window == NULL)
		return false;
	if (window->IsHidden())
		window->Show();
	window->Activate();
	window->Unlock();
	return true;
}


void
QuorrelMainWindow::_ShowSearchWindow()
{
	if (EView* document = _Current())
		document->makeFocus();
	if (fSearchWindow == NULL || !ShowAgain(fSearchMessenger)) {
		fSearchWindow = new SearchWindow(BRect(200, 200, 220, 320),
			_T("Search & Replace"));
		fSearchMessenger = BMessenger(fSearchWindow);
		fSearchWindow->Show();
	}
	fSearchWindowOpen = true;
}


void
QuorrelMainWindow::_ShowPrefsWindow()
{
	if (EView* document = _Current())
		document->makeFocus();
#ifdef QUORREL_HAS_PREFS_WINDOW
	if (fPrefsWindow == NULL || !ShowAgain(fPrefsMessenger)) {
		fPrefsWindow = new PrefsWindow(BRect(200, 100, 220, 320),
			const_cast<char*>(_T("Settings")));
		fPrefsMessenger = BMessenger(fPrefsWindow);
		fPrefsWindow->Show();
	}
	fPrefsWindowOpen = true;
#endif
}


void
QuorrelMainWindow::_ShowColorWindow()
{
	if (fColorWindowOpen)
		return;
	// A closed picker only hides; the new one replaces it.
	QuitWindow(fColorMessenger);
	fColorWindow = new ColorSelectWindow(BRect(200, 200, 220, 320),
		_T("Insert color"));
	fColorMessenger = BMessenger(fColorWindow);
	fColorWindow->Show();
	fColorWindowOpen = true;
	fColorWindowCreated = true;
}


void
QuorrelMainWindow::_ShowAboutWindow()
{
	if (fAboutWindowOpen && ShowAgain(fAboutMessenger))
		return;
	// OK only hides the old window; a fresh one replaces it.
	QuitWindow(fAboutMessenger);
	fAboutWindow = new QuorrelAboutWindow(BRect(200, 100, 220, 120),
		_T("About Quorrel"), fTranslator);
	fAboutMessenger = BMessenger(fAboutWindow);
	fAboutWindowOpen = true;
	fAboutWindow->Show();
}


void
QuorrelMainWindow::_QuitAuxiliaryWindows()
{
	QuitWindow(fColorMessenger);
	QuitWindow(fSearchMessenger);
	QuitWindow(fSaveDocsMessenger);
	QuitWindow(fAboutMessenger);
	QuitWindow(fPrefsMessenger);
	fColorWindow = NULL;
	fSearchWindow = NULL;
	fSaveDocsWindow = NULL;
	fAboutWindow = NULL;
	fPrefsWindow = NULL;
	fColorWindowOpen = fAboutWindowOpen = fSearchWindowOpen = fPrefsWindowOpen = false;
}


// What a notice shows; the thread that shows it owns it.
struct Notice {
	std::string	title;
	std::string	text;
	std::string	button;
	alert_type	type;
};


// Builds and runs one alert on a thread of its own. The alert is made there because a
// new window stays locked by the thread that made it until it is shown.
static int32
RunNotice(void* data)
{
	Notice* notice = static_cast<Notice*>(data);
	BAlert* alert = new BAlert(notice->title.c_str(), notice->text.c_str(),
		notice->button.c_str(), NULL, NULL, B_WIDTH_AS_USUAL, notice->type);
	delete notice;
	alert->Go();
	return 0;
}


void
QuorrelMainWindow::_Notice(const char* title, const char* text, int32 type)
{
	Notice* notice = new Notice{ title, text, _T("OK"), (alert_type)type };
	thread_id thread = spawn_thread(RunNotice, "notice", B_NORMAL_PRIORITY, notice);
	if (thread < 0 || resume_thread(thread) != B_OK) {
		if (thread < 0)
			delete notice;
	}
}
