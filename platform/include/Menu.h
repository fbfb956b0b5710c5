/*
 * BMenu: a list of BMenuItems shown in a column (a menu) or a row (a menu bar).
 *
 * An open menu is shown in a borderless window of its own that floats above the others;
 * menus open below their bar item or beside their parent item and are pushed back on
 * screen near its edges. The mouse works both ways R5 allows: press, drag and release
 * over an item; or click to open and click again to choose. Arrows move between items,
 * into and out of submenus and along the bar; Enter chooses, Escape closes one level.
 *
 * In radio mode choosing an item marks it and clears the other marks; with label from
 * marked the menu's title item (its superitem) shows the marked label.
 *
 * While a menu bar's menus are open, an invisible view covers its window below the bar
 * and takes the window's clicks and keys, so a click beside the menus only closes them,
 * as on R5; it goes again when they close.
 *
 * A BMenu may also serve only as a view container, holding child views and no items.
 */
#ifndef _MENU_H
#define _MENU_H

#include <InterfaceDefs.h>
#include <List.h>
#include <View.h>

class BMenuItem;
class BMessenger;

namespace BPrivate {
	class MenuTracker;
	class MenuWindow;
	class MenuAccess;
}

enum menu_layout {
	B_ITEMS_IN_ROW = 0,
	B_ITEMS_IN_COLUMN,
	B_ITEMS_IN_MATRIX
};

class BMenu : public BView {
public:
								BMenu(const char* title,
									menu_layout layout = B_ITEMS_IN_COLUMN);
								BMenu(const char* title, float width, float height);
	virtual						~BMenu();

	// Hooks.
	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

	// Items. The menu owns its items; RemoveItem gives them back to the caller, except
	// RemoveItems with deleteItems set.
			bool				AddItem(BMenuItem* item);
			bool				AddItem(BMenuItem* item, int32 index);
	// For B_ITEMS_IN_MATRIX menus: the item at frame (menu coordinates).
			bool				AddItem(BMenuItem* item, BRect frame);
			bool				AddItem(BMenu* submenu);
			bool				AddItem(BMenu* submenu, int32 index);
			bool				AddList(BList* list, int32 index);
			bool				AddSeparatorItem();
			bool				RemoveItem(BMenuItem* item);
			BMenuItem*			RemoveItem(int32 index);
			bool				RemoveItems(int32 index, int32 count,
									bool deleteItems = false);
			bool				RemoveItem(BMenu* submenu);

			BMenuItem*			ItemAt(int32 index) const;
			BMenu*				SubmenuAt(int32 index) const;
			int32				CountItems() const;
			int32				IndexOf(BMenuItem* item) const;
			int32				IndexOf(BMenu* submenu) const;
	// The first item with this label, here or in a submenu (depth first).
			BMenuItem*			FindItem(const char* label) const;
	// The first item whose message has this command, here or in a submenu.
			BMenuItem*			FindItem(uint32 command) const;
			BMenuItem*			FindMarked();
			int32				FindMarkedIndex();

	virtual	status_t			SetTargetForItems(BHandler* target);
	virtual	status_t			SetTargetForItems(BMessenger messenger);
	virtual	void				SetEnabled(bool enabled);
	virtual	void				SetRadioMode(bool on);
	virtual	void				SetLabelFromMarked(bool on);
			bool				IsEnabled() const;
			bool				IsRadioMode() const;
			bool				IsLabelFromMarked();
			void				SetMaxContentWidth(float width);
			float				MaxContentWidth() const;

			menu_layout			Layout() const;
			BMenuItem*			Superitem() const;
			BMenu*				Supermenu() const;

protected:
								BMenu(BRect frame, const char* name, uint32 resizingMode,
									uint32 flags, menu_layout layout, bool resizeToFit);

			void				SetItemMargins(float left, float top, float right,
									float bottom);
			void				GetItemMargins(float* left, float* top, float* right,
									float* bottom) const;
	// Lays the items out and, when the menu resizes to fit, sizes the view to them.
			void				InvalidateLayout();
			bool				IsTracking() const;

private:
	friend class BMenuItem;
	friend class BPrivate::MenuTracker;
	friend class BPrivate::MenuAccess;

								BMenu(const BMenu&);
			BMenu&				operator=(const BMenu&);

			void				_Init(menu_layout layout, bool resizeToFit);
			bool				_AddItem(BMenuItem* item, int32 index);
			void				_Layout();
			void				_ComputeSize(float* width, float* height) const;
			BMenuItem*			_ItemAt(BPoint where) const;
			void				_Select(BMenuItem* item);
			void				_ItemMarked(BMenuItem* item);
			void				_UpdateSuperitemLabel();
			// The window that gets the messages of items without a target.
			BWindow*			_RootWindow() const;
			BPrivate::MenuTracker* _Tracker() const;
	// Forwards a pointer event, in screen coordinates, to the open menus' tracker.
			void				_ForwardPointer(uint32 what, BPoint where);

			BList				fItems;
			BMenuItem*			fSuperitem;
			BMenuItem*			fSelected;
			BPrivate::MenuTracker* fTracker;
			BWindow*			fOwnerWindow;
			BView*				fOwnerView;
			menu_layout			fLayout;
			float				fMaxContentWidth;
			float				fPad[4];
			float				fItemHeight;
			bool				fResizeToFit;
			bool				fEnabled;
			bool				fRadioMode;
			bool				fLabelFromMarked;
			bool				fLayoutValid;
};

#endif	// _MENU_H
