#include "MenuTestSupport.h"

#include <OS.h>

#include "app/LooperRegistry.h"
#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>


void
MessageLog::Add(BMessage* message)
{
	int32 index = -1;
	message->FindInt32("index", &index);
	std::lock_guard<std::mutex> guard(fLock);
	fEntries.push_back(Code(message->what) + " " + std::to_string(index));
}


std::vector<std::string>
MessageLog::Entries() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return fEntries;
}


void
MessageLog::Clear()
{
	std::lock_guard<std::mutex> guard(fLock);
	fEntries.clear();
}


LoggingWindow::LoggingWindow(MessageLog& log, BRect frame)
	:
	BWindow(frame, "menus", B_TITLED_WINDOW, 0),
	fLog(log)
{
}


void
LoggingWindow::MessageReceived(BMessage* message)
{
	if (message->what >= 0x20000000 && message->what != B_KEY_DOWN) {
		BMenuItem* source = NULL;
		// Every item message says where it came from.
		if (message->FindPointer("source", (void**)&source) == B_OK && source != NULL
			&& message->HasInt64("when")) {
			fLog.Add(message);
			return;
		}
	}
	BWindow::MessageReceived(message);
}


KeyView::KeyView(BRect frame)
	:
	BView(frame, "keys", B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE)
{
}


void
KeyView::KeyDown(const char* bytes, int32 numBytes)
{
	std::lock_guard<std::mutex> guard(fLock);
	fKeys.append(bytes, numBytes);
}


std::string
KeyView::Keys() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return fKeys;
}


BPoint
ItemCenter(BMenuItem* item)
{
	BMenu* menu = item->Menu();
	BWindow* window = menu->Window();
	EXPECT_NE(nullptr, window);
	if (window == NULL || !window->Lock())
		return BPoint(-1, -1);
	BRect frame = menu->ConvertToScreen(item->Frame());
	window->Unlock();
	return BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
}


bool
IsOpen(BMenu* menu)
{
	BWindow* window = menu->Window();
	return window != NULL && dynamic_cast<BMenuBar*>(menu) == NULL;
}


void
WaitIdle()
{
	ASSERT_EQ(B_OK, BPrivate::HeadlessTest::WaitForIdle());
}


std::string
Code(uint32 what)
{
	std::string code;
	for (int shift = 24; shift >= 0; shift -= 8)
		code += (char)((what >> shift) & 0xff);
	return code;
}


bool
WaitForMenuWindow()
{
	for (int i = 0; i < 5000; i++) {
		for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
			BPrivate::ServerWindow* window
				= BPrivate::WindowAccess::ServerWindowOf(entry.window);
			if (window != NULL && window->Title() == "menu" && !window->IsHidden())
				return true;
		}
		snooze(2000);
	}
	return false;
}
