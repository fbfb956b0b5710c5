/*
 * WindowListener: hears the display server's events for one window and posts each, as
 * the BeOS message of the same meaning, to the window's looper. It names the looper by
 * token, so a window that is gone simply gets nothing.
 */
#ifndef _PRIVATE_WINDOW_LISTENER_H
#define _PRIVATE_WINDOW_LISTENER_H

#include "server/ServerWindowListener.h"

class BMessage;

namespace BPrivate {

// Marks the messages that report a change the server has already made (a resize or
// minimisation by the user), as opposed to those the window posts to itself.
extern const char* const kFromServerField;
// The window-coordinate point where files were dropped.
extern const char* const kDropWhereField;

class WindowListener : public ServerWindowListener {
public:
							WindowListener(int32 looperToken);

	virtual	void			EventReceived(ServerWindow* window, const ServerEvent& event);

	// The message for event; NULL for events that have none.
	static	BMessage*		MessageFor(const ServerEvent& event);

private:
			int32			fLooperToken;
};

}	// namespace BPrivate

#endif	// _PRIVATE_WINDOW_LISTENER_H
