/*
 * BTextControl: a label and a one-line editable field beside it.
 *
 * The field is a BTextView (TextView()) that refuses newlines: a pasted newline becomes
 * a space. The label takes the width up to the divider and the field the rest. The
 * control's height is set from the font at construction, as on R5.
 *
 * The modification message (SetModificationMessage) goes to the target after every
 * change the user makes. The control's own message is sent on Enter and when the
 * focus leaves the field after a change. SetText does not send the modification
 * message.
 */
#ifndef _TEXT_CONTROL_H
#define _TEXT_CONTROL_H

#include <Control.h>

class BTextView;

namespace BPrivate {
	class TextControlField;
}

class BTextControl : public BControl {
public:
								BTextControl(BRect frame, const char* name,
									const char* label, const char* initialText,
									BMessage* message,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BTextControl();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				FrameResized(float width, float height);
	// Focusing the control focuses its field and selects the whole text.
	virtual	void				MakeFocus(bool focus = true);
	virtual	void				WindowActivated(bool active);
	virtual	void				SetEnabled(bool enabled);

	virtual	void				SetText(const char* text);
			const char*			Text() const;
			BTextView*			TextView() const;

	// Owned by the control; NULL stops the messages.
	virtual	void				SetModificationMessage(BMessage* message);
			BMessage*			ModificationMessage() const;

	virtual	void				SetAlignment(alignment forLabel, alignment forText);
			void				GetAlignment(alignment* forLabel, alignment* forText) const;
	// The x coordinate where the label ends and the field begins.
	virtual	void				SetDivider(float dividingLine);
			float				Divider() const;

	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

private:
	friend class BPrivate::TextControlField;

			BRect				_FieldFrame() const;
			void				_LayoutField();
			void				_FieldChanged();
			void				_FieldFocusChanged(bool focused);

			BPrivate::TextControlField* fField;
			BMessage*			fModificationMessage;
			alignment			fLabelAlignment;
			float				fDivider;
			bool				fChangedSinceInvoke;
			bool				fSettingText;
};

#endif	// _TEXT_CONTROL_H
