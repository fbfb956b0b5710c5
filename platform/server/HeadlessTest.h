/*
 * HeadlessTest: drives the headless display server from tests.
 *
 * Input is injected at the server, so it travels the same road as real input: hit
 * testing, capture, transits, click counting, focus. Every injection returns after the
 * server has handed the resulting events to the window listeners (the windows' loopers
 * may still be busy with them: WaitForIdle waits for those too). Positions are in screen
 * coordinates.
 *
 * Every call answers B_NO_INIT when the running server is not the headless one (start
 * tests with QUORREL_BACKEND=headless, as CTest does).
 */
#ifndef _HEADLESS_TEST_H
#define _HEADLESS_TEST_H

#include <InterfaceDefs.h>
#include <Point.h>
#include <Rect.h>

#include <vector>

namespace BPrivate {

class ServerWindow;

class HeadlessTest {
public:
	// Pointer
	static	status_t	MoveMouse(BPoint where);
	// Moves to where (if the pointer is elsewhere) and presses buttons in addition to
	// those already held.
	static	status_t	PressMouse(BPoint where,
							uint32 buttons = B_PRIMARY_MOUSE_BUTTON);
	// Moves to where (if the pointer is elsewhere) and releases buttons.
	static	status_t	ReleaseMouse(BPoint where,
							uint32 buttons = B_PRIMARY_MOUSE_BUTTON);
	// count presses and releases at where, as quickly as a double click.
	static	status_t	Click(BPoint where, uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
							int32 count = 1);
	// dy > 0 scrolls down, as in B_MOUSE_WHEEL_CHANGED.
	static	status_t	TurnWheel(float dx, float dy);

	// Keys: key is an R5 key code, modifiers B_SHIFT_KEY, B_COMMAND_KEY (Ctrl) ...; text
	// is what the key typed (UTF-8); NULL takes it from the US key map.
	static	status_t	KeyDown(int32 key, uint32 modifiers = 0, const char* text = NULL,
							bool repeat = false);
	static	status_t	KeyUp(int32 key, uint32 modifiers = 0, const char* text = NULL);
	static	status_t	PressKey(int32 key, uint32 modifiers = 0, const char* text = NULL);
	// Types UTF-8 text, one key press per character; characters that no US key types
	// arrive as text without a key code (as from an input method).
	static	status_t	TypeText(const char* text);

	// The user's actions on a window's frame and on the desktop.
	static	status_t	CloseBox(ServerWindow* window);
	static	status_t	ZoomButton(ServerWindow* window);
	static	status_t	DragWindow(ServerWindow* window, BPoint leftTop);
	static	status_t	DragResize(ServerWindow* window, int32 width, int32 height);
	static	status_t	SetMinimized(ServerWindow* window, bool minimized);
	static	status_t	DropFile(ServerWindow* window, BPoint where, const char* path);
	static	status_t	QuitDisplay();

	// Click counting measures time on a clock of the tests' own, which stands still
	// unless moved: presses count as one double click until it advances past
	// kDoubleClickTime.
	static	status_t	AdvanceClock(bigtime_t amount);

	// Waits until the server has run everything queued and then until every looper of
	// the application is idle. B_TIMED_OUT when that takes longer than timeout.
	static	status_t	WaitForIdle(bigtime_t timeout = 5000000);

	// Pictures. The screen is the windows composed in stacking order over a desktop
	// of kDesktopColor; hidden and minimised windows are left out.
	static constexpr uint32 kDesktopColor = 0xff336699;
	static	status_t	ScreenPixels(std::vector<uint32>& pixels, int32* width,
							int32* height);
	static	status_t	ScreenPixel(BPoint where, uint32* pixel);
	static	status_t	WindowPixel(ServerWindow* window, BPoint where, uint32* pixel);
	static	status_t	SaveScreenPNG(const char* path);
	static	status_t	SaveWindowPNG(ServerWindow* window, const char* path);

	// What the server has seen.
	static	int32		PresentCount(ServerWindow* window);
	// The union of every rectangle presented, in window coordinates.
	static	BRect		PresentedArea(ServerWindow* window);
	static	bool		PointerCaptured();
};

}	// namespace BPrivate

#endif	// _HEADLESS_TEST_H
