#include "DialogTestSupport.h"

#include <OS.h>
#include <View.h>
#include <Window.h>

#include "UiTestSupport.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

using BPrivate::HeadlessTest;


DialogRecordingApplication::DialogRecordingApplication()
	:
	BApplication("application/x-vnd.quorrel-dialogs-test")
{
}


void
DialogRecordingApplication::MessageReceived(BMessage* message)
{
	// The system's own codes begin with an underscore; they keep their meaning.
	if ((message->what >> 24) == '_') {
		BApplication::MessageReceived(message);
		return;
	}
	fMessages.Add(*message);
}


std::vector<BMessage>
DialogRecordingApplication::Messages()
{
	return fMessages.Entries();
}


std::vector<uint32>
DialogRecordingApplication::Codes()
{
	std::vector<uint32> codes;
	for (const BMessage& message : fMessages.Entries())
		codes.push_back(message.what);
	return codes;
}


int32
DialogRecordingApplication::CountOf(uint32 what)
{
	return fMessages.CountOf(what);
}


BMessage
DialogRecordingApplication::Last(uint32 what)
{
	std::vector<BMessage> messages = fMessages.Entries();
	for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
		if (it->what == what)
			return *it;
	}
	return BMessage();
}


void
DialogRecordingApplication::Clear()
{
	fMessages.Clear();
}


bool
WaitForMessages(uint32 what, int32 count)
{
	return Eventually([&]() { return TestApp()->CountOf(what) >= count; });
}


void
SaveShot(BWindow* window, const char* name)
{
	SaveWindowShot(window, "QUORREL_DIALOG_SHOTS", name);
}


int32
CountOtherThan(BView* view, BRect rect, uint32 color)
{
	std::vector<uint32> pixels;
	int32 width = 0;
	int32 height = 0;
	EXPECT_EQ(B_OK, HeadlessTest::ScreenPixels(pixels, &width, &height));
	BRect frame;
	Locked(view->Window(), [&]() { frame = view->ConvertToScreen(rect); });
	int32 count = 0;
	for (int32 y = (int32)frame.top; y <= (int32)frame.bottom; y++) {
		for (int32 x = (int32)frame.left; x <= (int32)frame.right; x++) {
			if (x >= 0 && y >= 0 && x < width && y < height
				&& (pixels[y * width + x] & 0xffffff) != color)
				count++;
		}
	}
	return count;
}


// #pragma mark - the running application


static BackgroundApplication* const sBackground = AddBackgroundApplication(
	[]() -> BApplication* { return new DialogRecordingApplication; });


DialogRecordingApplication*
TestApp()
{
	return static_cast<DialogRecordingApplication*>(sBackground->Application());
}
