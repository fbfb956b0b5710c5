/*
 * Helpers for the view and window tests: windows shown on the headless display, pixels
 * read back from what the screen shows, and a thread-safe log of hook calls.
 */
#ifndef VIEWS_TEST_SUPPORT_H
#define VIEWS_TEST_SUPPORT_H

#include <Point.h>
#include <Rect.h>
#include <Window.h>

#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {
class ServerWindow;
}

// Hook calls, written on the window's thread and read by the test's.
class EventLog {
public:
			void		Add(const std::string& entry);
			std::vector<std::string> Entries() const;
			void		Clear();
			bool		Contains(const std::string& entry) const;

private:
	mutable	std::mutex	fLock;
			std::vector<std::string> fEntries;
};

BPrivate::ServerWindow* ServerWindowOf(BWindow* window);

// Waits until the server and every looper are idle; fails the test otherwise.
void WaitIdle();

// The colour the screen shows at point (window coordinates) as 0xRRGGBB.
uint32 ShownPixel(BWindow* window, BPoint point);

inline uint32
RGB(uint8 red, uint8 green, uint8 blue)
{
	return ((uint32)red << 16) | ((uint32)green << 8) | blue;
}

// Shows window and waits until it has drawn.
void ShowAndWait(BWindow* window);
// Locks and quits window, then waits for the rest to settle.
void QuitWindow(BWindow* window);

// A window point in screen coordinates.
BPoint ToScreen(BWindow* window, BPoint point);

std::string FormatPoint(BPoint point);

#endif	// VIEWS_TEST_SUPPORT_H
