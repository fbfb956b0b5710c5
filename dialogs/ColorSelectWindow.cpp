#include "ColorSelectWindow.h"

#include <Application.h>
#include <ColorControl.h>
#include <Message.h>
#include <OS.h>

#include "ColorSelectView.h"
#include "ColorText.h"


ColorSelectWindow::ColorSelectWindow(BRect frame, const char* title)
	:
	BWindow(frame, title, B_FLOATING_WINDOW, B_NOT_RESIZABLE | B_NOT_ZOOMABLE),
	fView(NULL)
{
	ResizeTo(400, 200);
	fView = new ColorSelectView(Bounds(), "ColorSelectView");
	AddChild(fView);
}


ColorSelectWindow::~ColorSelectWindow()
{
}


void
ColorSelectWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgColorControlChanged:
			fView->ChangeColor(fView->ColorControl()->ValueAsColor());
			break;
		case kMsgSetUserColor:
			fView->MessageReceived(message);
			break;
		case kMsgInsertPickedColor:
			// The view posts the colour first, so the application sees it before the
			// note that the picker closed.
			fView->MessageReceived(message);
			_Close();
			break;
		case kMsgCancelColorPicker:
			_Close();
			break;
	}
}


bool
ColorSelectWindow::QuitRequested()
{
	// The application asks every window before it quits. A closed picker is never
	// shown again (the next "Insert color" makes a new one), so refusing would keep
	// the application from ever quitting; only the user's close box hides it.
	if (be_app != NULL && find_thread(NULL) == be_app->Thread())
		return true;
	_Close();
	return false;
}


void
ColorSelectWindow::_Close()
{
	if (be_app != NULL)
		be_app->PostMessage(kMsgColorPickerClosed);
	if (!IsHidden())
		Hide();
}
