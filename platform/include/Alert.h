/*
 * BAlert: a small modal window with an icon, a text and up to three buttons.
 *
 * Go() shows the alert and waits until a button is pressed, then answers its index (0 is
 * the leftmost) and the alert deletes itself. Called from a window's thread, the wait
 * keeps that window's updates flowing (as R5 does); called from any other thread it
 * simply blocks. An alert that is closed without a button (the application quits) makes
 * Go() answer -1.
 *
 * Keys, as on R5: Enter presses the last button, the default one; a key set with
 * SetShortcut presses its button (Escape only when some button has B_ESCAPE as its
 * shortcut; the alert sets none by itself). The window is centred on the screen and has
 * the modal-application feel.
 *
 * The text is a read-only BTextView (TextView) and the buttons are BButtons (ButtonAt),
 * as on R5. The asynchronous Go(BInvoker*) is not offered yet.
 */
#ifndef _ALERT_H
#define _ALERT_H

#include <InterfaceDefs.h>
#include <Window.h>

#include <string>

class BButton;
class BTextView;

namespace BPrivate {
	class AlertView;
}

enum alert_type {
	B_EMPTY_ALERT = 0,
	B_INFO_ALERT,
	B_IDEA_ALERT,
	B_WARNING_ALERT,
	B_STOP_ALERT
};

// B_OFFSET_SPACING sets the leftmost button apart from the others, at the left.
enum button_spacing {
	B_EVEN_SPACING = 0,
	B_OFFSET_SPACING
};

class BAlert : public BWindow {
public:
								BAlert(const char* title, const char* text,
									const char* button0, const char* button1 = NULL,
									const char* button2 = NULL,
									button_width width = B_WIDTH_AS_USUAL,
									alert_type type = B_INFO_ALERT);
								BAlert(const char* title, const char* text,
									const char* button0, const char* button1,
									const char* button2, button_width width,
									button_spacing spacing,
									alert_type type = B_INFO_ALERT);
	virtual						~BAlert();

	// Index 0 to 2; the key presses that button (without Ctrl or Alt).
			void				SetShortcut(int32 index, char key);
			char				Shortcut(int32 index) const;

			int32				Go();

			BButton*			ButtonAt(int32 index) const;
			BTextView*			TextView() const;
			alert_type			Type() const;

	virtual	void				MessageReceived(BMessage* message);
	virtual	void				DispatchMessage(BMessage* message, BHandler* handler);

private:
	struct Result;

			void				_Init(const char* text, const char* button0,
									const char* button1, const char* button2,
									button_width width, button_spacing spacing,
									alert_type type);
			void				_Finish(int32 index);

			BPrivate::AlertView* fView;
			BTextView*			fTextView;
			BButton*			fButtons[3];
			char				fShortcuts[3];
			int32				fButtonCount;
			alert_type			fType;
			Result*				fResult;
};

#endif	// _ALERT_H
