/*
 * Private access to windows for the rest of the platform and its tests, and the hook
 * through which the menu bar claims a shortcut key before the window's own shortcuts.
 */
#ifndef _PRIVATE_WINDOW_PRIVATE_H
#define _PRIVATE_WINDOW_PRIVATE_H

#include <SupportDefs.h>

class BMessage;
class BView;
class BWindow;

namespace BPrivate {

class ServerWindow;

class WindowAccess {
public:
	// The display server's side of the window (for HeadlessTest), or NULL.
	static	ServerWindow*	ServerWindowOf(const BWindow* window);
	// Whether an update pass is waiting (dirty area and no pass run yet).
	static	bool			HasPendingUpdate(const BWindow* window);
};

// Called for every B_KEY_DOWN with B_COMMAND_KEY held when the window has a key menu
// bar, before the window's shortcuts; answering true means the menu bar took the key.
// The menu kit installs it once; NULL removes it.
typedef bool (*KeyMenuBarHook)(BView* menuBar, uint32 key, uint32 modifiers,
	BMessage* keyMessage);
void	SetKeyMenuBarHook(KeyMenuBarHook hook);

}	// namespace BPrivate

#endif	// _PRIVATE_WINDOW_PRIVATE_H
