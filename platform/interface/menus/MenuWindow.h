/*
 * The private windows and views behind open menus: the borderless floating window that
 * shows one open menu, and the invisible view that catches the pointer and the keys in
 * a menu bar's window while the bar's menus stay open after a click.
 */
#ifndef _PRIVATE_MENU_WINDOW_H
#define _PRIVATE_MENU_WINDOW_H

#include <Menu.h>
#include <Messenger.h>
#include <Window.h>

#include "interface/menus/MenuTracker.h"

class BMenuBar;

namespace BPrivate {

// Messages of the menu kit to itself.
enum {
	kMenuPointerEvent	= '_mPE',	// "what" int32, "screen_where" point, "buttons" int32
	kMenuKeyEvent		= '_mKE',	// "bytes" string
	kMenuCancel			= '_mCA',
	kMenuFieldChanged	= '_mFC'
};

class MenuWindow : public BWindow {
public:
								MenuWindow(BRect frame, bool takesFocus);
	virtual	void				WindowActivated(bool active);

			void				SetRoot(BMenu* root);

private:
			BMenu*				fRoot;
};

class MenuShield : public BView {
public:
								MenuShield(BRect frame, BMenu* root);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				WindowActivated(bool active);

private:
			void				_Forward(uint32 what, BPoint where);

			BMenu*				fRoot;
};

// Private entry points of BMenu for the tracker and the windows above.
class MenuAccess {
public:
	static	void				PointerEvent(BMenu* root, uint32 what, BPoint screenWhere,
									uint32 buttons);
	static	void				KeyEvent(BMenu* root, const char* bytes);
	static	void				Cancel(BMenu* root);
	static	void				Select(BMenu* menu, BMenuItem* item);
	static	BMenuItem*			ItemAt(BMenu* menu, BPoint where);
	static	void				Layout(BMenu* menu);
	static	void				ComputeSize(BMenu* menu, float* width, float* height);
	static	BMenuItem*			Selected(BMenu* menu);
	static	void				EndTracking(BMenu* root);
	// Tells notify when the pop-up's session ends, and sends the items without a target
	// to owner; with the pop-up's window locked.
	static	void				SetOwner(BMenu* menu, BWindow* owner, BMessenger notify);
	static	bool				IsTracking(BMenu* menu);
	// The view that shows the menu's marked label.
	static	void				SetOwnerView(BMenu* menu, BView* view);
	// Opens the bar's menu at index as a click on its title does; with the bar's window
	// locked, on its thread.
	static	bool				OpenBarMenu(BMenuBar* bar, int32 index);
	// F10 and a lone Alt: opens the bar's first enabled menu with its first item
	// selected, for the arrow keys; when the bar's menus are open already, closes them.
	// false when the bar has no menu to open. With the bar's window locked, on its thread.
	static	bool				ToggleFromKeyboard(BMenuBar* bar);
	// Shows menu in a window of its own at screenWhere (pushed on screen) and tracks it
	// there; go, when given, learns the choice. false when it is open already.
	static	bool				OpenAsPopUp(BMenu* menu, BPoint screenWhere,
									bool deliversMessage, bool autoDestruct,
									MenuTracker::GoState* go, BWindow* owner,
									BMessenger notify);
	static	void				SetTracker(BMenu* menu, MenuTracker* tracker);
};

}	// namespace BPrivate

#endif	// _PRIVATE_MENU_WINDOW_H
