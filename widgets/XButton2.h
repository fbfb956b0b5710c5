/*
 * XButton2: the side panel's push button, an XButton with a font size of its own, a
 * resizing mode, a label that shrinks its font until it fits (not below 5 points), a
 * light blue face while the pointer is over it or it is pressed, and delivery of its
 * message to one target handler.
 *
 * A click sends the message to the target set with SetTarget; until then a click sends
 * nothing. The label, the help text, the message and the icon are kept as given, never
 * copied or deleted.
 */
#ifndef X_BUTTON2_H
#define X_BUTTON2_H

#include <View.h>

class BBitmap;
class BHandler;
class BMessage;
class BubbleHelper;

class XButton2 : public BView {
public:
	// As XButton, then the font size and the resizing mode.
								XButton2(BRect frame, const char* name,
									const char* label, const char* helpText,
									BMessage* message, BBitmap* icon, bool autoSize,
									BubbleHelper* helper, float fontSize,
									uint32 resizingMode);
	virtual						~XButton2();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);

	// The handler the click message goes to.
			void				SetTarget(BHandler* target);
			BHandler*			Target() const { return fTarget; }

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
			BHandler*			fTarget;
			BubbleHelper*		fBubble;
};

#endif	// X_BUTTON2_H
