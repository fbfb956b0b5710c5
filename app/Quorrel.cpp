#include "Quorrel.h"

#include <stdio.h>
#include <string.h>

#include <AppFileInfo.h>
#include <Autolock.h>
#include <Bitmap.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <MimeType.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>
#include <Roster.h>

#include "BubbleHelper.h"
#include "FirstStartWindow.h"
#include "QuorrelMainWindow.h"
#include "QuorrelTools.h"


const char* const kQuorrelSignature = "application/x.vnd.Quorrel";
const char* const kProjectMimeType = "text/quorrel-project";

const char* const kQuorrelVersion = "0.5.0";
const char* const kQuorrelVariety = "alpha";
const char* const kQuorrelShortVersion = "HTML Editor";


namespace {

const BRect kMainWindowFrame(10, 10, 100, 100);
const BRect kWizardFrame(100, 100, 550, 350);

// Codes of the dialog windows that go on to the main window as they are.
const uint32 kForwardedCodes[] = {
	'DEfi', 'SAnp', 'ANgr', 'CHgn', 'MOsf', 'COfi',
	'COre', 'COra', 'CScs', 'CSwi', 'HEab', 'SAdo'
};

// Codes the application turns into calls of the main window.
enum {
	kSaveDocument = 'SAdc',
	kQuitConfirmed = 'QUhe',
	kIconSizeSaved = 'SEis',
	kEditorLookSaved = 'UPse'
};


// What R5 read from the executable's resources: single launch and the types the
// application opens. It must be in place before the BApplication is made.
const char*
DeclareIdentity()
{
	set_app_flags(B_SINGLE_LAUNCH);
	add_app_supported_type("text/html");
	add_app_supported_type("text/plain");
	add_app_supported_type(kProjectMimeType);
	return kQuorrelSignature;
}


// A which x which B_CMAP8 icon, empty.
BBitmap*
NewIcon(icon_size which)
{
	float last = (float)which - 1;
	return new BBitmap(BRect(0, 0, last, last), B_CMAP8);
}


// Fills icon from a picture file of the application directory, converting its pixels
// to the system palette. False when the file is missing, unreadable or of another size.
bool
IconFromPicture(const char* appPath, const char* leaf, icon_size which, BBitmap* icon)
{
	char path[2048];
	snprintf(path, sizeof(path), "%s/Icons/%s", appPath, leaf);
	QuorrelTools tools;
	BBitmap* picture = tools.LoadBitmap(path);
	if (picture == NULL)
		return false;
	bool fits = picture->Bounds() == icon->Bounds();
	if (fits) {
		icon->SetBits(picture->Bits(), picture->BitsLength(), 0,
			picture->ColorSpace());
	}
	delete picture;
	return fits;
}

}	// namespace


Quorrel::Quorrel()
	:
	BApplication(DeclareIdentity()),
	fMainWindow(NULL),
	fBubbleHelper(NULL)
{
	fBubbleHelper = new BubbleHelper();
	AddMIMEType();

	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char settingsPath[2048];
	snprintf(settingsPath, sizeof(settingsPath), "%s/Settings/settings", appPath);
	delete[] appPath;

	bool firstStart;
	{
		BFile settings(settingsPath, B_READ_ONLY);
		firstStart = settings.InitCheck() != B_OK;
	}

	if (firstStart) {
		FirstStartWindow* wizard = new FirstStartWindow(kWizardFrame, fBubbleHelper);
		wizard->Show();
		return;
	}

	fMainWindow = new QuorrelMainWindow(kMainWindowFrame, fBubbleHelper);
	fMainWindowMessenger = BMessenger(fMainWindow);
	fMainWindow->Show();
}


Quorrel::~Quorrel()
{
	// The tool-tip service stays for as long as the application object: its thread is
	// stopped and its bubble window closed here, so nothing of it outlives the process's
	// last message loop.
	delete fBubbleHelper;
}


void
Quorrel::MessageReceived(BMessage* message)
{
	if (IsForwardedCode(message->what) || IsHandledCode(message->what))
		_Relay(message);
}


void
Quorrel::ArgvReceived(int32 argc, char** argv)
{
	if (argc < 2 || argv[1] == NULL || argv[1][0] == '\0')
		return;

	const char* cwd = NULL;
	BMessage* current = CurrentMessage();
	if (argv[1][0] != '/' && current != NULL
		&& current->FindString("cwd", &cwd) == B_OK && cwd[0] == '/') {
		BPath path(cwd, argv[1]);
		if (path.InitCheck() == B_OK) {
			_OpenDocument(path.Path());
			return;
		}
	}
	_OpenDocument(argv[1]);
}


void
Quorrel::RefsReceived(BMessage* message)
{
	entry_ref ref;
	if (message->FindRef("refs", 0, &ref) != B_OK)
		return;
	BEntry entry(&ref, false);
	BPath path;
	if (entry.GetPath(&path) != B_OK)
		return;
	_OpenDocument(path.Path());
}


void
Quorrel::AddMIMEType()
{
	BMimeType type(kProjectMimeType);
	if (type.InitCheck() != B_OK)
		type.SetTo(kProjectMimeType);
	if (type.InitCheck() != B_OK)
		return;

	BBitmap* largeIcon = NewIcon(B_LARGE_ICON);
	BBitmap* miniIcon = NewIcon(B_MINI_ICON);
	bool haveLarge = false;
	bool haveMini = false;

	app_info info;
	if (GetAppInfo(&info) == B_OK) {
		BNode executable(&info.ref);
		BNodeInfo nodeInfo(&executable);
		if (nodeInfo.InitCheck() == B_OK) {
			haveLarge = nodeInfo.GetIcon(largeIcon, B_LARGE_ICON) == B_OK;
			haveMini = nodeInfo.GetIcon(miniIcon, B_MINI_ICON) == B_OK;
		}

		// A Linux executable carries no resources; its icons are drawn into the
		// application directory and stored on the executable the first time, where
		// the desktop's own tools find them as well.
		if (!haveLarge || !haveMini) {
			QuorrelTools tools;
			const char* appPath = tools.GetAppPath();
			if (!haveLarge) {
				haveLarge = IconFromPicture(appPath, "app_32.bmp", B_LARGE_ICON,
					largeIcon);
				if (haveLarge && nodeInfo.InitCheck() == B_OK)
					nodeInfo.SetIcon(largeIcon, B_LARGE_ICON);
			}
			if (!haveMini) {
				haveMini = IconFromPicture(appPath, "app_16.bmp", B_MINI_ICON,
					miniIcon);
				if (haveMini && nodeInfo.InitCheck() == B_OK)
					nodeInfo.SetIcon(miniIcon, B_MINI_ICON);
			}
			delete[] appPath;
		}
	}

	if (haveLarge)
		type.SetIcon(largeIcon, B_LARGE_ICON);
	if (haveMini)
		type.SetIcon(miniIcon, B_MINI_ICON);
	type.SetPreferredApp(kQuorrelSignature, B_OPEN);
	if (!type.IsInstalled())
		type.Install();

	delete largeIcon;
	delete miniIcon;
}


bool
Quorrel::IsForwardedCode(uint32 what)
{
	for (uint32 code : kForwardedCodes) {
		if (code == what)
			return true;
	}
	return false;
}


bool
Quorrel::IsHandledCode(uint32 what)
{
	return what == kSaveDocument || what == kQuitConfirmed || what == kIconSizeSaved
		|| what == kEditorLookSaved;
}


void
Quorrel::_Relay(BMessage* message)
{
	// During a first start there is no main window; once it has closed, its pointer
	// must not be touched again. The messenger knows both.
	if (fMainWindow == NULL || !fMainWindowMessenger.IsValid())
		return;

	if (IsForwardedCode(message->what)) {
		fMainWindowMessenger.SendMessage(message, (BHandler*)NULL, B_INFINITE_TIMEOUT);
		return;
	}

	// Locking through the messenger fails instead of touching a window that has gone
	// in the meantime; the operations that lock by themselves simply nest.
	if (!fMainWindowMessenger.LockTarget())
		return;
	switch (message->what) {
		case kSaveDocument:
		{
			int32 tab = 0;
			if (message->FindInt32("tab", &tab) != B_OK)
				tab = 0;
			fMainWindow->SaveFile((int)tab);
			break;
		}
		case kQuitConfirmed:
			fMainWindow->SetIsEnd(true);
			break;
		case kIconSizeSaved:
			fMainWindow->UpdateSize();
			break;
		case kEditorLookSaved:
			fMainWindow->UpdateFontsAndColors();
			break;
	}
	fMainWindow->Unlock();
}


void
Quorrel::_OpenDocument(const char* path)
{
	if (fMainWindow == NULL || path == NULL || !fMainWindowMessenger.IsValid())
		return;
	if (!fMainWindowMessenger.LockTarget())
		return;
	fMainWindow->LoadFile(path);
	fMainWindow->Unlock();
}
