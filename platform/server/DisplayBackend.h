/*
 * DisplayBackend: what the display server needs from a screen. There are two: SDL2 for
 * real windows and a headless one for tests. All calls but Wake() are made on the server
 * thread; the backend reports input by calling DisplayServer's input calls (Handle...)
 * from inside WaitForEvents().
 */
#ifndef _DISPLAY_BACKEND_H
#define _DISPLAY_BACKEND_H

#include <Rect.h>

#include <string>

namespace BPrivate {

class DisplayServer;
class ServerWindow;

// What changed, for DisplayBackend::WindowChanged.
enum {
	kWindowChangedVisibility	= 0x001,
	kWindowChangedPosition		= 0x002,
	kWindowChangedSize			= 0x004,
	kWindowChangedTitle			= 0x008,
	kWindowChangedLook			= 0x010,
	kWindowChangedFeel			= 0x020,
	kWindowChangedFlags			= 0x040,
	kWindowChangedMinimized		= 0x080,
	kWindowChangedOrder			= 0x100,	// raised (and given the focus when it may take it)
};

class DisplayBackend {
public:
	virtual				~DisplayBackend() {}

	virtual	const char*	Name() const = 0;
	// Opens the display; on failure fills error with a reason a user understands.
	virtual	status_t	Init(DisplayServer* server, std::string& error) = 0;
	virtual	void		Shutdown() = 0;
	virtual	BRect		ScreenFrame() const = 0;

	// Blocks until input arrives or Wake() is called, and hands the input to the server.
	virtual	void		WaitForEvents() = 0;
	// Any thread: makes WaitForEvents() return soon.
	virtual	void		Wake() = 0;

	virtual	void		WindowCreated(ServerWindow* window) = 0;
	virtual	void		WindowDestroyed(ServerWindow* window) = 0;
	virtual	void		WindowChanged(ServerWindow* window, uint32 changes) = 0;
	// dirty is in window coordinates and lies inside the framebuffer.
	virtual	void		WindowPresent(ServerWindow* window, BRect dirty) = 0;

	// Keeps the pointer with the application while a button is held.
	virtual	void		SetPointerCapture(bool capture) = 0;

	virtual	status_t	GetClipboardText(std::string& text) = 0;
	virtual	status_t	SetClipboardText(const std::string& text) = 0;

	// For tests: the pixel at (x, y) of the window as the screen shows it.
	virtual	status_t	ReadShownPixel(ServerWindow* window, int32 x, int32 y,
							uint32* pixel) = 0;
};

}	// namespace BPrivate

#endif	// _DISPLAY_BACKEND_H
