/*
 * IconBarMenu: an icon bar item with a text label that pops up a menu when pressed.
 *
 * The chosen menu item's message goes to the item's target (when it has one) and, in
 * every case, straight to the window's MessageReceived; then the press goes on as for
 * IconBarButton, so releasing on the item also posts the item's own message. The menu
 * is the item's own and is deleted with it; the texts and the message are kept as given.
 */
#ifndef ICON_BAR_MENU_H
#define ICON_BAR_MENU_H

#include <View.h>

class BMenu;
class BMenuItem;
class BMessage;
class BPopUpMenu;
class BubbleHelper;

class IconBarMenu : public BView {
public:
								IconBarMenu(const char* name, const char* label,
									const char* help, BMessage* message,
									BubbleHelper* helper);
	virtual						~IconBarMenu();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);

	// The pop-up menu's items.
			bool				AddItem(BMenuItem* item);
			bool				AddItem(BMenu* menu);
			bool				RemoveItem(BMenuItem* item);
			bool				RemoveItem(BMenu* menu);
			bool				AddSeparatorItem();

			void				SetLabel(const char* label);
			const char*			GetLabel();
			const char*			GetName();
			void				SetSize(int size);
			int32				GetWidth();

	// 0 flat, 1 pointer over it (raised), 2 pressed (sunken).
			int32				State() const { return fState; }
			BMessage*			Message() const { return fMessage; }
			BPopUpMenu*			Menu() const { return fMenu; }

private:
			void				_Redraw();
			void				_PopUp();

			const char*			fName;
			const char*			fHelp;
			BMessage*			fMessage;
			int32				fState;
			rgb_color			fBackground;
			int32				fSize;
			BubbleHelper*		fBubble;
			const char*			fLabel;
			BPopUpMenu*			fMenu;
};

#endif	// ICON_BAR_MENU_H
