/*
 * BPopUpMenu: a menu that opens at a point, by itself or from a menu field.
 *
 * Go shows the menu with its top-left corner at screenWhere and answers the chosen
 * item, or NULL when the user closed the menu without choosing (Escape, a click outside,
 * the menu's window losing the focus). Synchronous, the caller waits; called on a
 * window's thread, that window keeps redrawing meanwhile, as R5 does. deliversMessage
 * also invokes the item; async returns NULL at once and the item, if any, is invoked
 * (when deliversMessage is set) once chosen. The menu always stays open until a choice
 * or a click elsewhere, so openAnyway changes nothing.
 *
 * Unlike R5, a synchronous Go called from MouseDown does not follow the drag of the
 * button that is still held: that window's thread waits, so the menu takes the next
 * click instead (click, then click the item). Asynchronous menus opened by a menu field
 * follow the drag.
 */
#ifndef _POP_UP_MENU_H
#define _POP_UP_MENU_H

#include <Menu.h>

class BPopUpMenu : public BMenu {
public:
								BPopUpMenu(const char* title, bool radioMode = true,
									bool autoRename = true,
									menu_layout layout = B_ITEMS_IN_COLUMN);
	virtual						~BPopUpMenu();

			BMenuItem*			Go(BPoint screenWhere, bool deliversMessage = false,
									bool openAnyway = false, bool async = false);
	// An asynchronous pop-up menu deletes itself once it closed.
			void				SetAsyncAutoDestruct(bool on);
			bool				AsyncAutoDestruct() const;

private:
	friend class BPrivate::MenuTracker;

			bool				fAutoDestruct;
};

#endif	// _POP_UP_MENU_H
