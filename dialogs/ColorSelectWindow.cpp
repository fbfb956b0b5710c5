#include "ColorSelectWindow.h"

#include <Application.h>
#include <ColorControl.h>
#include <Message.h>

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
