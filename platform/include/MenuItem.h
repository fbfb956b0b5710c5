/*
 * BMenuItem: one entry of a menu, with a label, a message sent when it is chosen, and
 * an optional shortcut; or the title of a submenu. BSeparatorItem draws a line.
 *
 * The shortcut always includes B_COMMAND_KEY (Ctrl here); modifiers adds B_SHIFT_KEY or
 * B_OPTION_KEY (Alt). The item shows it as the user presses it, "Shift+Ctrl+S", where R5
 * drew the command symbol.
 *
 * Invoke sends the message with "when", "source" (the item) and "index" (its place in
 * its menu) to the target; without one set, to the window that shows the top menu (the
 * menu bar's or the menu field's window).
 */
#ifndef _MENU_ITEM_H
#define _MENU_ITEM_H

#include <Invoker.h>
#include <Rect.h>

#include <string>

class BMenu;
class BMessage;
class BView;

class BMenuItem : public BInvoker {
public:
								BMenuItem(const char* label, BMessage* message,
									char shortcut = 0, uint32 modifiers = 0);
	// An item that opens menu, labelled with the menu's name. The item owns the menu.
								BMenuItem(BMenu* menu, BMessage* message = NULL);
	virtual						~BMenuItem();

	virtual	void				SetLabel(const char* label);
	virtual	void				SetEnabled(bool enabled);
	virtual	void				SetMarked(bool marked);
	virtual	void				SetTrigger(char trigger);
	virtual	void				SetShortcut(char shortcut, uint32 modifiers);

			const char*			Label() const;
	// An item of a disabled menu, and the title of a disabled submenu, count as disabled.
			bool				IsEnabled() const;
			bool				IsMarked() const;
			char				Trigger() const;
			char				Shortcut(uint32* modifiers = NULL) const;

			BMenu*				Submenu() const;
			BMenu*				Menu() const;
	// The item's rectangle in its menu's coordinates.
			BRect				Frame() const;

	virtual	status_t			Invoke(BMessage* message = NULL);

	// The shortcut as shown, e.g. "Shift+Ctrl+S"; empty without a shortcut.
			std::string			ShortcutText() const;

protected:
	virtual	void				GetContentSize(float* width, float* height);
	virtual	void				DrawContent();
	virtual	void				Draw();
	virtual	void				Highlight(bool on);
			bool				IsSelected() const;
			BPoint				ContentLocation() const;

private:
	friend class BMenu;
	friend class BMenuBar;

								BMenuItem(const BMenuItem&);
			BMenuItem&			operator=(const BMenuItem&);

			void				_SetMenu(BMenu* menu);
	// The message Invoke would send (with "when", "source", "index") and where to.
			status_t			_PrepareInvoke(BMessage* message, BMessage* copy,
									BMessenger* target);

			std::string			fLabel;
			BMenu*				fSubmenu;
			BMenu*				fMenu;
			BRect				fFrame;
			uint32				fModifiers;
			char				fShortcut;
			char				fTrigger;
			bool				fEnabled;
			bool				fMarked;
			bool				fSelected;
};

// A thin engraved line between groups of items; never enabled, never chosen.
class BSeparatorItem : public BMenuItem {
public:
								BSeparatorItem();
	virtual						~BSeparatorItem();

	virtual	void				SetEnabled(bool enabled);

protected:
	virtual	void				GetContentSize(float* width, float* height);
	virtual	void				Draw();
};

#endif	// _MENU_ITEM_H
