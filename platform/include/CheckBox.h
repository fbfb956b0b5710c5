/*
 * BCheckBox: a box with a label that toggles between B_CONTROL_OFF and B_CONTROL_ON
 * when it is clicked or Space is pressed, and invokes after each toggle.
 */
#ifndef _CHECK_BOX_H
#define _CHECK_BOX_H

#include <Control.h>

class BCheckBox : public BControl {
public:
								BCheckBox(BRect frame, const char* name, const char* label,
									BMessage* message,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BCheckBox();

	virtual	void				Draw(BRect updateRect);
	// Toggles on a release inside; a release outside leaves the value alone.
	virtual	void				MouseDown(BPoint where);
	virtual	void				GetPreferredSize(float* width, float* height);

private:
			BRect				_BoxFrame() const;

			bool				fPressed;
};

#endif	// _CHECK_BOX_H
