/*
 * ColorButton: one 16 by 16 button of the colour palette.
 *
 * It shows its colour flat, with a raised bevel while the pointer is over it and a
 * sunken one while it is pressed. A click released over the button sends kMsgInsertColorText
 * ('CScs') with the colour text in "color" to the button's window; a release elsewhere
 * sends nothing.
 */
#ifndef COLOR_BUTTON_H
#define COLOR_BUTTON_H

#include <View.h>

class ColorButton : public BView {
public:
	// The button states DrawButton draws.
	enum {
		kStateNormal = 0,
		kStateHover = 1,
		kStatePressed = 2
	};

								ColorButton(BRect frame, const char* name,
									rgb_color color);
	virtual						~ColorButton();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	// Follows the pointer until the button is released, and sends the colour when the
	// release is inside.
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				MessageReceived(BMessage* message);

	// Draws the button in one of the states above.
			void				DrawButton(int state);

	// The colour text of color ("#RRGGBB") in a new buffer; the caller deletes it with
	// delete[].
			char*				convert(rgb_color color);

			rgb_color			Color() const { return fColor; }
			bool				IsHovered() const { return fHover; }

private:
			void				_SendColor();

			bool				fHover;
			rgb_color			fColor;
};

#endif	// COLOR_BUTTON_H
