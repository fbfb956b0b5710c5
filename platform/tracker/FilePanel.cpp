#include <FilePanel.h>

#include <Application.h>
#include <Autolock.h>
#include <Directory.h>
#include <Entry.h>
#include <Message.h>
#include <Path.h>

#include "tracker/FilePanelWindow.h"

using BPrivate::FilePanelWindow;


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
	if (fWindow->Lock())
		fWindow->Quit();
}


void
BFilePanel::Show()
{
	BAutolock lock(fWindow);
	if (fWindow->IsHidden()) {
		fWindow->PrepareToShow();
		fWindow->Show();
	} else
		fWindow->Activate();
}


void
BFilePanel::Hide()
{
	BAutolock lock(fWindow);
	if (!fWindow->IsHidden())
		fWindow->Hide();
}


bool
BFilePanel::IsShowing() const
{
	BAutolock lock(fWindow);
	return !fWindow->IsHidden();
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
	return fWindow;
}


BMessenger
BFilePanel::Messenger() const
{
	BAutolock lock(fWindow);
	return fWindow->Target();
}


BRefFilter*
BFilePanel::RefFilter() const
{
	BAutolock lock(fWindow);
	return fWindow->Filter();
}


file_panel_mode
BFilePanel::PanelMode() const
{
	return fWindow->Mode();
}


void
BFilePanel::GetPanelDirectory(entry_ref* ref) const
{
	if (ref == NULL)
		return;
	BAutolock lock(fWindow);
	get_ref_for_path(fWindow->Directory().c_str(), ref);
}


void
BFilePanel::SetTarget(BMessenger target)
{
	BAutolock lock(fWindow);
	fWindow->SetTarget(target);
}


void
BFilePanel::SetMessage(BMessage* message)
{
	BAutolock lock(fWindow);
	fWindow->SetPanelMessage(message);
}


void
BFilePanel::SetRefFilter(BRefFilter* filter)
{
	BAutolock lock(fWindow);
	fWindow->SetFilter(filter);
	fWindow->Refresh();
}


void
BFilePanel::SetSaveText(const char* text)
{
	BAutolock lock(fWindow);
	fWindow->SetSaveText(text);
}


void
BFilePanel::SetButtonLabel(file_panel_button button, const char* label)
{
	BAutolock lock(fWindow);
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
	BAutolock lock(fWindow);
	fWindow->SetDirectory(newDirectory);
}


void
BFilePanel::SetHideWhenDone(bool hideWhenDone)
{
	BAutolock lock(fWindow);
	fWindow->SetHidesWhenDone(hideWhenDone);
}


bool
BFilePanel::HidesWhenDone() const
{
	BAutolock lock(fWindow);
	return fWindow->HidesWhenDone();
}


void
BFilePanel::Refresh()
{
	BAutolock lock(fWindow);
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
	BAutolock lock(fWindow);
	status_t status = fWindow->SelectedRefAt(fSelectionIndex, ref);
	if (status == B_OK)
		fSelectionIndex++;
	return status;
}
