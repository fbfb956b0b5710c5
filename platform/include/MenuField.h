/*
 * BMenuField: a label and a button that shows a pop-up menu's marked item and opens the
 * menu when clicked, as R5 drew it: a bevelled box with a small arrow at its right.
 * The label takes the space left of the divider.
 */
#ifndef _MENU_FIELD_H
#define _MENU_FIELD_H

#include <Menu.h>

#include <string>

class BMenuField : public BView {
public:
								BMenuField(BRect frame, const char* name, const char* label,
									BMenu* menu,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BMenuField();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				MouseUp(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focus = true);
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				WindowActivated(bool active);
	virtual	void				GetPreferredSize(float* width, float* height);

			BMenu*				Menu() const;
	// The item that stands for the menu: its label is what the button shows.
			BMenuItem*			MenuItem() const;

	virtual	void				SetLabel(const char* label);
			const char*			Label() const;
	virtual	void				SetEnabled(bool on);
			bool				IsEnabled() const;
	virtual	void				SetDivider(float divider);
			float				Divider() const;

	// The button's rectangle in the field's coordinates.
			BRect				MenuFrame() const;

private:
			void				_OpenMenu(bool buttonHeld);

			std::string			fLabel;
			BMenu*				fMenu;
			BMenuItem*			fMenuItem;
			float				fDivider;
			bool				fEnabled;
			bool				fTracking;
};

#endif	// _MENU_FIELD_H
