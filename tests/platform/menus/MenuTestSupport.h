/*
 * Helpers for the menu tests: a window with a menu bar that logs the messages its items
 * send, and screen positions of items in open menus.
 */
#ifndef MENU_TEST_SUPPORT_H
#define MENU_TEST_SUPPORT_H

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include <mutex>
#include <string>
#include <vector>

// Messages received, as "what index" with the four-character code.
class MessageLog {
public:
			void		Add(BMessage* message);
			std::vector<std::string> Entries() const;
			void		Clear();

private:
	mutable	std::mutex	fLock;
			std::vector<std::string> fEntries;
};

class LoggingWindow : public BWindow {
public:
								LoggingWindow(MessageLog& log, BRect frame);
	virtual	void				MessageReceived(BMessage* message);

private:
			MessageLog&			fLog;
};

// A view that records the keys that reach it.
class KeyView : public BView {
public:
								KeyView(BRect frame);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
			std::string			Keys() const;

private:
	mutable	std::mutex			fLock;
			std::string			fKeys;
};

// The middle of item on screen; locks the window of its menu.
BPoint ItemCenter(BMenuItem* item);
// Whether menu is shown in an open menu window.
bool IsOpen(BMenu* menu);
void WaitIdle();
// Waits until a menu window is shown at the server; false after a generous wait.
bool WaitForMenuWindow();
std::string Code(uint32 what);

#endif	// MENU_TEST_SUPPORT_H
