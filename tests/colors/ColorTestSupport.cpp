#include "ColorTestSupport.h"

#include <Message.h>
#include <OS.h>

#include "ColorText.h"
#include "UiTestSupport.h"


namespace {

bool
IsColorCode(uint32 what)
{
	return what == kMsgInsertColorText || what == kMsgColorPickerClosed;
}

}	// namespace


void
ColorMessageLog::Add(BMessage* message)
{
	ColorMessage entry = { message->what, "" };
	const char* color = NULL;
	if (message->FindString("color", &color) == B_OK)
		entry.color = color;
	LockedList<ColorMessage>::Add(entry);
}


RecordingApplication::RecordingApplication()
	:
	BApplication("application/x-vnd.quorrel-colors-test")
{
}


void
RecordingApplication::MessageReceived(BMessage* message)
{
	if (message->what == kAskQuit)
		quitAnswer = BApplication::QuitRequested() ? 1 : 0;
	else if (IsColorCode(message->what))
		log.Add(message);
	else
		BApplication::MessageReceived(message);
}


ColorRecordingWindow::ColorRecordingWindow(BRect frame)
	:
	BWindow(frame, "palette", B_TITLED_WINDOW, B_NOT_RESIZABLE)
{
}


void
ColorRecordingWindow::MessageReceived(BMessage* message)
{
	if (IsColorCode(message->what))
		log.Add(message);
	else
		BWindow::MessageReceived(message);
}


void
SaveShot(BWindow* window, const char* name)
{
	SaveWindowShot(window, "QUORREL_COLOR_SHOTS", name);
}


// #pragma mark - the running application


static BackgroundApplication* const sBackground = AddBackgroundApplication(
	[]() -> BApplication* { return new RecordingApplication; });


RecordingApplication*
TestApp()
{
	return static_cast<RecordingApplication*>(sBackground->Application());
}
