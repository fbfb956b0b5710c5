#include "WidgetTestSupport.h"

#include <OS.h>
#include <Message.h>
#include <View.h>

#include "UiTestSupport.h"


void
MessageCounter::Count(uint32 what)
{
	std::lock_guard<std::mutex> guard(fLock);
	fCounts[what]++;
}


int32
MessageCounter::CountOf(uint32 what)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fCounts.find(what);
	return found == fCounts.end() ? 0 : found->second;
}


void
MessageCounter::Clear()
{
	std::lock_guard<std::mutex> guard(fLock);
	fCounts.clear();
}


static bool
IsTestCode(uint32 what)
{
	return what == kClick || what == kOther || what == kMenuChoice;
}


CountingApplication::CountingApplication()
	:
	BApplication("application/x-vnd.quorrel-widgets-test")
{
}


void
CountingApplication::MessageReceived(BMessage* message)
{
	if (IsTestCode(message->what))
		counter.Count(message->what);
	else
		BApplication::MessageReceived(message);
}


CountingWindow::CountingWindow(BRect frame, uint8 panelGrey)
	:
	BWindow(frame, "widgets", B_TITLED_WINDOW, B_NOT_RESIZABLE)
{
	fPanel = new BView(Bounds(), "panel", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	fPanel->SetViewColor(panelGrey, panelGrey, panelGrey);
	AddChild(fPanel);
}


void
CountingWindow::MessageReceived(BMessage* message)
{
	if (IsTestCode(message->what))
		counter.Count(message->what);
	else
		BWindow::MessageReceived(message);
}


void
CountingHandler::MessageReceived(BMessage* message)
{
	if (IsTestCode(message->what))
		counter.Count(message->what);
	else
		BHandler::MessageReceived(message);
}


bool
WaitFor(const std::function<bool()>& condition, double seconds)
{
	bigtime_t deadline = system_time() + (bigtime_t)(seconds * 1000000);
	while (system_time() < deadline) {
		if (condition())
			return true;
		snooze(5000);
	}
	return condition();
}


void
SaveShot(BWindow* window, const char* name)
{
	SaveWindowShot(window, "QUORREL_WIDGET_SHOTS", name);
}


// #pragma mark - the running application


static BackgroundApplication* const sBackground = AddBackgroundApplication(
	[]() -> BApplication* { return new CountingApplication; });


CountingApplication*
TestApp()
{
	return static_cast<CountingApplication*>(sBackground->Application());
}
