/*
 * The field of a BTextControl: a one-line text view that reports its changes and focus to
 * the control.
 */
#ifndef _TEXT_CONTROL_FIELD_H
#define _TEXT_CONTROL_FIELD_H

#include <TextView.h>

class BTextControl;

namespace BPrivate {

class TextControlField : public BTextView {
public:
								TextControlField(BRect frame, BTextControl* control);

	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focus = true);
	// The text rectangle follows the view's height so that the line stays centred.
	virtual	void				FrameResized(float width, float height);

protected:
	virtual	void				InsertText(const char* text, int32 length, int32 offset,
									const text_run_array* runs);
	virtual	void				DeleteText(int32 fromOffset, int32 toOffset);

private:
			BTextControl*		fControl;
			bool				fFocused;
};

}	// namespace BPrivate

#endif	// _TEXT_CONTROL_FIELD_H
