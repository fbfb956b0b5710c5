/*
 * IconBarButton: an icon bar item showing a text label in the plain font at 12 points,
 * as wide as the label plus 10 pixels.
 *
 * It looks and reacts like IconBarIcon: flat, raised under the pointer, sunken while
 * pressed; a click posts its message to its window and to the application. The texts
 * and the message are kept as given, never copied or deleted.
 */
#ifndef ICON_BAR_BUTTON_H
#define ICON_BAR_BUTTON_H

#include <View.h>

class BMessage;
class BubbleHelper;

class IconBarButton : public BView {
public:
								IconBarButton(const char* name, const char* label,
									const char* help, BMessage* message,
									BubbleHelper* helper);
	virtual						~IconBarButton();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);

	// Replaces the label and redraws (the width stays until the next SetSize).
			void				SetLabel(const char* label);
			const char*			GetLabel();
			const char*			GetName();
	// Makes the item size high and as wide as the label plus 10.
			void				SetSize(int size);
	// The bounds' right edge.
			int32				GetWidth();

	// 0 flat, 1 pointer over it (raised), 2 pressed (sunken).
			int32				State() const { return fState; }
			BMessage*			Message() const { return fMessage; }

private:
			void				_Redraw();

			const char*			fName;
			const char*			fHelp;
			BMessage*			fMessage;
			int32				fState;
			rgb_color			fBackground;
			int32				fSize;
			BubbleHelper*		fBubble;
			const char*			fLabel;
};

#endif	// ICON_BAR_BUTTON_H
