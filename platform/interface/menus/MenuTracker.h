/*
 * MenuTracker: the open menus of one menu bar or pop-up menu, from the press that
 * opened them to the choice or the cancel that closes them.
 *
 * It runs on the thread of the root menu's window (the bar's window, or the pop-up's
 * own menu window): the menu windows of the submenus only forward their pointer events
 * there. It locks a submenu's window only to change what that menu shows selected.
 */
#ifndef _PRIVATE_MENU_TRACKER_H
#define _PRIVATE_MENU_TRACKER_H

#include <Menu.h>
#include <MenuItem.h>
#include <Messenger.h>
#include <OS.h>

#include <vector>

namespace BPrivate {

class MenuWindow;

class MenuTracker {
public:
								MenuTracker(BMenu* root, MenuWindow* rootWindow,
									BRect rootScreenFrame);
								~MenuTracker();

	// The root is a bar: selects item on it and opens its menu.
			void				OpenFromBar(BMenuItem* item, bool selectFirst);
			void				PointerEvent(uint32 what, BPoint screenWhere,
									uint32 buttons);
			void				KeyEvent(const char* bytes);
			void				Cancel();

			bool				IsDone() const { return fDone; }
			BMenuItem*			Result() const { return fResult; }
			bool				IsSticky() const { return fSticky; }
	// Stays open after the button goes up outside every menu (a pop-up opened by a
	// press on its field, or openAnyway).
			void				SetStickyStart(bool on) { fStickyStart = on; }
			void				SetSticky() { fSticky = true; }

	// How the session ends, set by whoever started it.
	struct GoState {
		sem_id		semaphore;
		BMenuItem*	result;
	};
			BView*				shield = NULL;
			BView*				previousFocus = NULL;
			GoState*			go = NULL;
			BMessenger			notify;
			bool				deliversMessage = true;
			bool				autoDestruct = false;

private:
	struct Level {
		BMenu*		menu;
		MenuWindow*	window;
		BRect		screenFrame;
	};

			int32				_LevelAt(BPoint screenWhere) const;
			void				_SelectAt(int32 level, BMenuItem* item, bool selectFirst);
			void				_SetSelection(int32 level, BMenuItem* item);
			void				_Open(int32 level, bool selectFirst);
			void				_CloseAbove(int32 level);
			void				_Finish(BMenuItem* item);
			void				_MoveInColumn(int32 level, int32 direction);
			void				_MoveOnBar(int32 direction);
			bool				_IsBar(int32 level) const;
			BMenuItem*			_Selected(int32 level) const;

			std::vector<Level>	fLevels;
			BMenuItem*			fResult;
			bool				fDone;
			bool				fSticky;
			bool				fStickyStart;
			bool				fEntered;
};

}	// namespace BPrivate

#endif	// _PRIVATE_MENU_TRACKER_H
