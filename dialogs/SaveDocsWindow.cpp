#include "SaveDocsWindow.h"

#include <Alert.h>
#include <Application.h>
#include <Autolock.h>
#include <Button.h>
#include <Message.h>

#include "SaveDocsView.h"
#include "libglossan/Glossan.h"


static const uint32 kButtonFlags = B_WILL_DRAW | B_NAVIGABLE;
static const uint32 kButtonResizing = B_FOLLOW_LEFT | B_FOLLOW_TOP;


SaveDocsWindow::SaveDocsWindow(BRect frame, const char* title, Glossan* dictionary)
	:
	BWindow(frame, title, B_FLOATING_WINDOW,
		B_NOT_RESIZABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE, B_CURRENT_WORKSPACE),
	fView(NULL),
	fDictionary(dictionary),
	fCancelButton(NULL),
	fOKButton(NULL)
{
	for (int i = 0; i < kFileListCount; i++)
		fList[i] = _FileList{ NULL, false, false, false, false };
	CopyFileList(fList, NULL);

	ResizeTo(400, 300);

	fView = new SaveDocsView(Bounds(), "save docs", fDictionary);
	AddChild(fView);

	BRect bounds = fView->Bounds();
	fCancelButton = new BButton(
		BRect(bounds.right - 180, bounds.bottom - 30, bounds.right - 100,
			bounds.bottom - 10),
		"cancel", _Translate("Cancel"), new BMessage(kCancelPressed), kButtonResizing,
		kButtonFlags);
	fView->AddChild(fCancelButton);

	fOKButton = new BButton(
		BRect(bounds.right - 90, bounds.bottom - 30, bounds.right - 10,
			bounds.bottom - 10),
		"ok", _Translate("OK"), new BMessage(kOKPressed), kButtonResizing,
		kButtonFlags);
	fView->AddChild(fOKButton);
}


SaveDocsWindow::~SaveDocsWindow()
{
	FreeFileList(fList);
}


void
SaveDocsWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kSaveDocument:
			be_app->PostMessage(message);
			break;
		case kCancelPressed:
			QuitRequested();
			break;
		case kOKPressed:
			_Confirm();
			break;
		default:
			break;
	}
}


bool
SaveDocsWindow::QuitRequested()
{
	be_app->PostMessage(kDismissed);
	if (!IsHidden())
		Hide();
	return true;
}


void
SaveDocsWindow::Uaktualnij(_FileList* list)
{
	BAutolock locker(this);
	CopyFileList(fList, list);
	fView->Uaktualnij(fList);
}


void
SaveDocsWindow::_Confirm()
{
	BAlert* alert = new BAlert(_Translate("Are you sure?"),
		_Translate("There are unsaved documents. Are you sure?"),
		_Translate("Cancel"), _Translate("OK"), NULL, B_WIDTH_AS_USUAL, B_INFO_ALERT);
	if (alert->Go() != 1)
		return;

	be_app->PostMessage(kQuitConfirmed);
	QuitRequested();
}


const char*
SaveDocsWindow::_Translate(const char* text) const
{
	return fDictionary != NULL ? fDictionary->Translate(text) : text;
}
