#include "ColorTestSupport.h"

#include <Message.h>
#include <OS.h>

#include "ColorText.h"
#include "UiTestSupport.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>


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
	std::lock_guard<std::mutex> guard(fLock);
	fMessages.push_back(entry);
}


std::vector<ColorMessage>
ColorMessageLog::Messages()
{
	std::lock_guard<std::mutex> guard(fLock);
	return fMessages;
}


int32
ColorMessageLog::CountOf(uint32 what)
{
	std::lock_guard<std::mutex> guard(fLock);
	int32 count = 0;
	for (const ColorMessage& message : fMessages) {
		if (message.what == what)
			count++;
	}
	return count;
}


void
ColorMessageLog::Clear()
{
	std::lock_guard<std::mutex> guard(fLock);
	fMessages.clear();
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
	const char* folder = getenv("QUORREL_COLOR_SHOTS");
	if (folder == NULL || folder[0] == '\0')
		return;
	std::string path = std::string(folder) + "/" + name + ".png";
	EXPECT_EQ(B_OK, BPrivate::HeadlessTest::SaveWindowPNG(
		BPrivate::WindowAccess::ServerWindowOf(window), path.c_str()));
}


// #pragma mark - the running application


namespace {

RecordingApplication* sApplication = NULL;
thread_id sAppThread = -1;


int32
RunApplication(void* data)
{
	((BApplication*)data)->Run();
	return 0;
}


class ApplicationEnvironment : public ::testing::Environment {
public:
	void SetUp() override
	{
		sApplication = new RecordingApplication;
		// The constructor leaves the application locked by this thread, as on BeOS,
		// where Run follows on the same thread; here the loop runs on another one.
		if (sApplication->IsLocked())
			sApplication->Unlock();
		sAppThread = spawn_thread(RunApplication, "test application",
			B_NORMAL_PRIORITY, sApplication);
		ASSERT_GE(sAppThread, 0);
		resume_thread(sAppThread);
		bigtime_t deadline = system_time() + 30000000;
		while (sApplication->IsLaunching() && system_time() < deadline)
			snooze(5000);
		ASSERT_FALSE(sApplication->IsLaunching());
	}

	void TearDown() override
	{
		sApplication->PostMessage(B_QUIT_REQUESTED);
		status_t result;
		wait_for_thread(sAppThread, &result);
		delete sApplication;
		sApplication = NULL;
	}
};

::testing::Environment* const sEnvironment
	= ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}	// namespace


RecordingApplication*
TestApp()
{
	return sApplication;
}
