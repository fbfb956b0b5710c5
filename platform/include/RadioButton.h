/*
 * BRadioButton: one choice of a group. The radio buttons that share a parent form the
 * group: turning one on (by a click, Space, or SetValue) turns its siblings off. A
 * click on a button that is already on leaves it on and does not invoke again.
 */
#ifndef _RADIO_BUTTON_H
#define _RADIO_BUTTON_H

#include <Control.h>

class BRadioButton : public BControl {
public:
								BRadioButton(BRect frame, const char* name,
									const char* label, BMessage* message,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BRadioButton();

	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				SetValue(int32 value);
	virtual	void				GetPreferredSize(float* width, float* height);

private:
			BRect				_CircleFrame() const;
			void				_TurnOffSiblings();

			bool				fPressed;
};

#endif	// _RADIO_BUTTON_H
