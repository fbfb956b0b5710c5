/*
 * ServerEvent: one piece of input or one window change, as the display server hands it
 * to a window's listener. The window layer turns each into the BeOS message of the same
 * meaning (B_MOUSE_DOWN, B_KEY_DOWN, B_WINDOW_ACTIVATED, ...); the fields are named after
 * that message's fields.
 */
#ifndef _SERVER_EVENT_H
#define _SERVER_EVENT_H

#include <Point.h>
#include <Rect.h>
#include <SupportDefs.h>

#include <string>

namespace BPrivate {

enum server_event_type {
	kServerMouseDown = 1,	// where, screenWhere, buttons (after the press), modifiers, clicks
	kServerMouseUp,			// where, screenWhere, buttons (still held), modifiers
	kServerMouseMoved,		// where, screenWhere, buttons, modifiers, transit
	kServerMouseWheel,		// wheelX, wheelY (BeOS sense: positive y scrolls down)
	kServerKeyDown,			// key, rawChar, bytes, modifiers, repeat
	kServerKeyUp,			// key, rawChar, bytes, modifiers
	kServerWindowActivated,	// active: the window got (true) or lost (false) the focus
	kServerCloseRequested,	// the close box was pressed
	kServerZoomRequested,	// the zoom (maximise) button was pressed
	kServerWindowMoved,		// frame: the user moved the window
	kServerWindowResized,	// frame: the user resized it; the framebuffer already has the new size
	kServerWindowMinimized,	// active: true when minimised, false when restored
	kServerFilesDropped		// path: one file dropped on the window; where, screenWhere
};

// The "be:transit" values of mouse-moved events; the same numbers as B_ENTERED_VIEW,
// B_INSIDE_VIEW, B_EXITED_VIEW and B_OUTSIDE_VIEW, judged against the whole window.
enum server_transit {
	kTransitEntered = 0,
	kTransitInside = 1,
	kTransitExited = 2,
	kTransitOutside = 3
};

struct ServerEvent {
	int32		type = 0;
	bigtime_t	when = 0;			// system_time() when the server made the event
	BPoint		where;				// pointer in window coordinates
	BPoint		screenWhere;		// pointer in screen coordinates
	uint32		buttons = 0;
	uint32		modifiers = 0;
	int32		clicks = 0;			// 1 single, 2 double, 3 triple click ...
	int32		transit = kTransitInside;
	float		wheelX = 0;
	float		wheelY = 0;
	int32		key = 0;			// R5 keyboard layout key code; 0 for text with no key
	int32		rawChar = 0;		// the character of the key without modifiers
	char		bytes[8] = {};		// UTF-8 of one character, NUL-terminated
	bool		repeat = false;		// a key held down repeats
	bool		active = false;
	BRect		frame;				// the window's new frame in screen coordinates
	std::string	path;				// the dropped file
};

}	// namespace BPrivate

#endif	// _SERVER_EVENT_H
