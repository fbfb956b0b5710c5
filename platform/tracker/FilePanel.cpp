#include <FilePanel.h>

#include <Application.h>
#include <Directory.h>
#include <Entry.h>
#include <Message.h>
#include <Path.h>

#include "tracker/FilePanelWindow.h"

using BPrivate::FilePanelWindow;

namespace {

// Holds the panel's window locked for a call, if the window still exists.
class PanelLock {
public:
	PanelLock(const BMessenger& messenger, FilePanelWindow* window)
		:
		fWindow(messenger.LockTarget() ? window : NULL)
	{
	}

	~PanelLock()
	{
		if (fWindow != NULL)
			fWindow->Unlock();
	}

	FilePanelWindow* Window() const { return fWindow; }

private:
	FilePanelWindow* fWindow;
};

}	// namespace


BFilePanel::BFilePanel(file_panel_mode mode, BMessenger* target,
	const entry_ref* directory, uint32 nodeFlavors, bool allowMultipleSelection,
	BMessage* message, BRefFilter* filter, bool modal, bool hideWhenDone)
	:
	fWindow(NULL),
	fSelectionIndex(0)
{
	(void)modal;
	BMessenger messenger = target != NULL ? *target : be_app_messenger;
	fWindow = new FilePanelWindow(this, mode, messenger, nodeFlavors,
		allowMultipleSelection, filter, hideWhenDone);
	fWindowMessenger = BMessenger(fWindow);
	if (message != NULL)
		fWindow->SetPanelMessage(message);
	if (directory != NULL)
		SetPanelDirectory(directory);
	// The window starts hidden; running it now gives up the lock its creation took, so
	// that any thread may use the panel from here on.
	fWindow->Run();
}


BFilePanel::~BFilePanel()
{
	if (fWindowMessenger.LockTarget()) {
		fWindow->DetachPanel();
		fWindow->Quit();
	}
}


void
BFilePanel::Show()
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() == NULL)
		return;
	if (fWindow->IsHidden()) {
		fWindow->PrepareToShow();
		fWindow->Show();
	} else
		fWindow->Activate();
}


void
BFilePanel::Hide()
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL && !fWindow->IsHidden())
		fWindow->Hide();
}


bool
BFilePanel::IsShowing() const
{
	PanelLock lock(fWindowMessenger, fWindow);
	return lock.Window() != NULL && !fWindow->IsHidden();
}


void
BFilePanel::WasHidden()
{
}


void
BFilePanel::SelectionChanged()
{
}


void
BFilePanel::SendMessage(const BMessenger* target, BMessage* message)
{
	if (target != NULL && message != NULL)
		target->SendMessage(message);
}


BWindow*
BFilePanel::Window() const
{
	return fWindowMessenger.IsValid() ? fWindow : NULL;
}


BMessenger
BFilePanel::Messenger() const
{
	PanelLock lock(fWindowMessenger, fWindow);
	return lock.Window() != NULL ? fWindow->Target() : BMessenger();
}


BRefFilter*
BFilePanel::RefFilter() const
{
	PanelLock lock(fWindowMessenger, fWindow);
	return lock.Window() != NULL ? fWindow->Filter() : NULL;
}


file_panel_mode
BFilePanel::PanelMode() const
{
	PanelLock lock(fWindowMessenger, fWindow);
	return lock.Window() != NULL ? fWindow->Mode() : B_OPEN_PANEL;
}


void
BFilePanel::GetPanelDirectory(entry_ref* ref) const
{
	if (ref == NULL)
		return;
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		get_ref_for_path(fWindow->Directory().c_str(), ref);
}


void
BFilePanel::SetTarget(BMessenger target)
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->SetTarget(target);
}


void
BFilePanel::SetMessage(BMessage* message)
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->SetPanelMessage(message);
}


void
BFilePanel::SetRefFilter(BRefFilter* filter)
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->SetFilter(filter);
}


void
BFilePanel::SetSaveText(const char* text)
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->SetSaveText(text);
}


void
BFilePanel::SetButtonLabel(file_panel_button button, const char* label)
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->SetButtonLabel(button, label);
}


void
BFilePanel::SetPanelDirectory(const BEntry* newDirectory)
{
	if (newDirectory == NULL)
		return;
	BPath path;
	if (newDirectory->GetPath(&path) != B_OK)
		return;
	SetPanelDirectory(path.Path());
}


void
BFilePanel::SetPanelDirectory(const BDirectory* newDirectory)
{
	if (newDirectory == NULL)
		return;
	BEntry entry;
	if (newDirectory->GetEntry(&entry) != B_OK)
		return;
	SetPanelDirectory(&entry);
}


void
BFilePanel::SetPanelDirectory(const entry_ref* newDirectory)
{
	if (newDirectory == NULL)
		return;
	BPath path(newDirectory);
	if (path.InitCheck() != B_OK)
		return;
	SetPanelDirectory(path.Path());
}


void
BFilePanel::SetPanelDirectory(const char* newDirectory)
{
	if (newDirectory == NULL)
		return;
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->SetDirectory(newDirectory);
}


void
BFilePanel::SetHideWhenDone(bool hideWhenDone)
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->SetHidesWhenDone(hideWhenDone);
}


bool
BFilePanel::HidesWhenDone() const
{
	PanelLock lock(fWindowMessenger, fWindow);
	return lock.Window() != NULL && fWindow->HidesWhenDone();
}


void
BFilePanel::Refresh()
{
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() != NULL)
		fWindow->Refresh();
}


void
BFilePanel::Rewind()
{
	fSelectionIndex = 0;
}


status_t
BFilePanel::GetNextSelectedRef(entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	PanelLock lock(fWindowMessenger, fWindow);
	if (lock.Window() == NULL)
		return B_ENTRY_NOT_FOUND;
	status_t status = fWindow->SelectedRefAt(fSelectionIndex, ref);
	if (status == B_OK)
		fSelectionIndex++;
	return status;
}
