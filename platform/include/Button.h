/*
 * BButton: a push button that invokes when it is clicked (pressed and released inside)
 * or pressed from the keyboard with Space or Enter.
 *
 * The constructor sets the height from the font, as R5 does. The default button of a
 * window (MakeDefault) is drawn in a thicker dark frame and pressed by Enter wherever
 * the focus is; becoming default grows the button by three pixels on each side, so
 * that the frame fits around the same face, as on R5.
 */
#ifndef _BUTTON_H
#define _BUTTON_H

#include <Control.h>

class BButton : public BControl {
public:
								BButton(BRect frame, const char* name, const char* label,
									BMessage* message,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BButton();

	virtual	void				Draw(BRect updateRect);
	// Tracks the pointer while the button is held: the button is drawn pressed while
	// the pointer is inside, and invokes on a release inside.
	virtual	void				MouseDown(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();

	virtual	void				MakeDefault(bool isDefault);
			bool				IsDefault() const;

	virtual	void				SetLabel(const char* label);
	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();
	virtual	status_t			Invoke(BMessage* message = NULL);

private:
			void				_DrawFace(BRect face, bool pressed);

			bool				fDefault;
};

#endif	// _BUTTON_H
