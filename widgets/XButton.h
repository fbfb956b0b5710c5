/*
 * XButton: a flat push button with an optional icon at its left and a centred label.
 *
 * It looks flat until the pointer is over it (a thin raised frame) and sunken while
 * pressed. A click (press and release inside, also after dragging out and back in)
 * posts the button's message to its window and then to the application. The label, the
 * help text, the message and the icon are kept as given, never copied or deleted: the
 * caller keeps them alive as long as the button.
 */
#ifndef X_BUTTON_H
#define X_BUTTON_H

#include <View.h>

class BBitmap;
class BMessage;
class BubbleHelper;

class XButton : public BView {
public:
	// With autoSize the button becomes 24 high and, when the label does not fit the
	// frame, as wide as the label plus room for the icon. helper may be NULL.
								XButton(BRect frame, const char* name,
									const char* label, const char* helpText,
									BMessage* message, BBitmap* icon, bool autoSize,
									BubbleHelper* helper);
	virtual						~XButton();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);

	// The setters redraw the button at once; the window must be locked.
			const char*			GetLabel() const;
			void				SetLabel(const char* label);
			BBitmap*			GetIcon() const;
			void				SetIcon(BBitmap* icon);
	// Takes the icon away without deleting it.
			void				DeleteIcon();

	// Draws the whole button as it looks in state (0 normal, 1 hover, 2 pressed).
			void				DrawButton(int state);

	// 0 normal, 1 pointer over it, 2 pressed.
			int32				State() const { return fState; }
			BMessage*			Message() const { return fMessage; }

private:
			const char*			fLabel;
			const char*			fHelpText;
			BMessage*			fMessage;
			const char*			fName;
			int32				fState;
			rgb_color			fFaceColor;
			BBitmap*			fIcon;
			bool				fHasIcon;
			BubbleHelper*		fBubble;
};

#endif	// X_BUTTON_H
