/*
 * The two listener interfaces of the display server.
 *
 * Every call arrives on the server's own thread and must return at once: post a
 * BMessage to a looper, never lock a BWindow or wait for another thread, and never call
 * back into DisplayServer::DestroyWindow from here.
 */
#ifndef _SERVER_WINDOW_LISTENER_H
#define _SERVER_WINDOW_LISTENER_H

#include "server/ServerEvent.h"

namespace BPrivate {

class ServerWindow;

// Hears the input and the user's changes of one window.
class ServerWindowListener {
public:
	virtual				~ServerWindowListener() {}
	virtual	void		EventReceived(ServerWindow* window, const ServerEvent& event) = 0;
};

// Hears what concerns the whole display rather than one window.
class DisplayListener {
public:
	virtual				~DisplayListener() {}
	// The desktop asked the program to end (SDL_QUIT: a signal, or the session ends).
	virtual	void		DisplayQuitRequested() = 0;
};

}	// namespace BPrivate

#endif	// _SERVER_WINDOW_LISTENER_H
