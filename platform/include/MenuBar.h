/*
 * BMenuBar: the row of menu titles across the top of a window. The first menu bar
 * added to a window becomes its key menu bar: the window offers it every Ctrl key
 * before its own shortcuts, and the bar invokes the enabled item with that shortcut,
 * searching its menus and their submenus. A disabled item's shortcut does nothing.
 */
#ifndef _MENU_BAR_H
#define _MENU_BAR_H

#include <Menu.h>

enum menu_bar_border {
	B_BORDER_FRAME,
	B_BORDER_CONTENTS,
	B_BORDER_EACH_ITEM
};

class BMenuBar : public BMenu {
public:
								BMenuBar(BRect frame, const char* title,
									uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
									menu_layout layout = B_ITEMS_IN_ROW,
									bool resizeToFit = true);
	virtual						~BMenuBar();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);

	virtual	void				SetBorder(menu_bar_border border);
			menu_bar_border		Border() const;

	// Invokes the enabled item whose shortcut is key (lower case) with modifiers (which
	// include B_COMMAND_KEY); false when no item has it.
			bool				InvokeShortcut(uint32 key, uint32 modifiers);

private:
			menu_bar_border		fBorder;
};

#endif	// _MENU_BAR_H
