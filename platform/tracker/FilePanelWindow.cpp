#include "tracker/FilePanelWindow.h"

#include <AppDefs.h>
#include <Directory.h>
#include <Entry.h>
#include <InterfaceDefs.h>
#include <View.h>

#include <cstdlib>

namespace BPrivate {

static const BRect kPanelFrame(100, 100, 640, 440);


static uint32
_DefaultCommand(file_panel_mode mode)
{
	return mode == B_SAVE_PANEL ? uint32(B_SAVE_REQUESTED) : uint32(B_REFS_RECEIVED);
}


FilePanelWindow::FilePanelWindow(BFilePanel* panel, file_panel_mode mode,
	const BMessenger& target, uint32 nodeFlavors, bool allowMultipleSelection,
	BRefFilter* filter, bool hideWhenDone)
	:
	BWindow(kPanelFrame, mode == B_SAVE_PANEL ? "Save" : "Open", B_TITLED_WINDOW, 0),
	fPanel(panel),
	fMode(mode),
	fTarget(target),
	fMessage(_DefaultCommand(mode)),
	fNodeFlavors(nodeFlavors == 0 ? uint32(B_FILE_NODE) : nodeFlavors),
	fMultiple(allowMultipleSelection),
	fFilter(filter),
	fHideWhenDone(hideWhenDone),
	fBackground(NULL)
{
	fBackground = new BView(Bounds(), "PoseView", B_FOLLOW_ALL, B_WILL_DRAW);
	fBackground->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(fBackground);
	const char* home = getenv("HOME");
	SetDirectory(home != NULL ? home : "/");
}


FilePanelWindow::~FilePanelWindow()
{
}


bool
FilePanelWindow::QuitRequested()
{
	Hide();
	return false;
}


void
FilePanelWindow::SetPanelMessage(const BMessage* message)
{
	if (message != NULL)
		fMessage = *message;
	else
		fMessage = BMessage(_DefaultCommand(fMode));
}


void
FilePanelWindow::SetSaveText(const char*)
{
}


void
FilePanelWindow::SetButtonLabel(file_panel_button, const char*)
{
}


status_t
FilePanelWindow::SetDirectory(const char* path)
{
	BDirectory directory(path);
	if (directory.InitCheck() != B_OK)
		return directory.InitCheck();
	fDirectory = path;
	return B_OK;
}


void
FilePanelWindow::Refresh()
{
}


int32
FilePanelWindow::CountSelected() const
{
	return 0;
}


status_t
FilePanelWindow::SelectedRefAt(int32, entry_ref*) const
{
	return B_ENTRY_NOT_FOUND;
}

}	// namespace BPrivate
