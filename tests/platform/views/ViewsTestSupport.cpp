#include "ViewsTestSupport.h"

#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using BPrivate::HeadlessTest;


void
EventLog::Add(const std::string& entry)
{
	std::lock_guard<std::mutex> guard(fLock);
	fEntries.push_back(entry);
}


std::vector<std::string>
EventLog::Entries() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return fEntries;
}


void
EventLog::Clear()
{
	std::lock_guard<std::mutex> guard(fLock);
	fEntries.clear();
}


bool
EventLog::Contains(const std::string& entry) const
{
	std::lock_guard<std::mutex> guard(fLock);
	return std::find(fEntries.begin(), fEntries.end(), entry) != fEntries.end();
}


BPrivate::ServerWindow*
ServerWindowOf(BWindow* window)
{
	return BPrivate::WindowAccess::ServerWindowOf(window);
}


void
WaitIdle()
{
	ASSERT_EQ(B_OK, HeadlessTest::WaitForIdle());
}


uint32
ShownPixel(BWindow* window, BPoint point)
{
	uint32 pixel = 0;
	EXPECT_EQ(B_OK, HeadlessTest::WindowPixel(ServerWindowOf(window), point, &pixel));
	return pixel & 0xffffff;
}


void
ShowAndWait(BWindow* window)
{
	window->Show();
	WaitIdle();
}


void
QuitWindow(BWindow* window)
{
	if (window->Lock())
		window->Quit();
	WaitIdle();
}


BPoint
ToScreen(BWindow* window, BPoint point)
{
	return point + ServerWindowOf(window)->Frame().LeftTop();
}


std::string
FormatPoint(BPoint point)
{
	char buffer[64];
	snprintf(buffer, sizeof(buffer), "(%g,%g)", point.x, point.y);
	return buffer;
}
