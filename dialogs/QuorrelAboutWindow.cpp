#include "QuorrelAboutWindow.h"

#include <Application.h>
#include <Button.h>
#include <Message.h>

#include "QuorrelAboutView.h"
#include "libglossan/Glossan.h"


QuorrelAboutWindow::QuorrelAboutWindow(BRect frame, const char* title,
	Glossan* dictionary)
	:
	BWindow(frame, title, B_FLOATING_WINDOW,
		B_NOT_RESIZABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE),
	fView(NULL),
	fDictionary(dictionary),
	fOKButton(NULL)
{
	ResizeTo(400, 300);

	fView = new QuorrelAboutView(Bounds(), "about window", fDictionary);
	AddChild(fView);

	BRect bounds = fView->Bounds();
	const char* label = fDictionary != NULL ? fDictionary->Translate("OK") : "OK";
	fOKButton = new BButton(
		BRect(bounds.right - 90, bounds.bottom - 30, bounds.right - 10,
			bounds.bottom - 10),
		"ok", label, new BMessage(kOKPressed), B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE);
	fView->AddChild(fOKButton);
	SetDefaultButton(fOKButton);
}


void
QuorrelAboutWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kOKPressed:
			QuitRequested();
			break;
		default:
			break;
	}
}


bool
QuorrelAboutWindow::QuitRequested()
{
	be_app->PostMessage(kClosed);
	if (!IsHidden())
		Hide();
	return true;
}
