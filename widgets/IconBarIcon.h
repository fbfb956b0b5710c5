/*
 * IconBarIcon: a square icon bar item showing a bitmap, 33 x 33 in the normal size
 * (a 32 x 32 picture) and 17 x 17 in the small size (a 16 x 16 picture).
 *
 * It is flat until the pointer is over it (raised) and sunken while pressed; a click
 * posts its message to its window and to the application. The name, help text, message
 * and bitmaps are kept as given: the caller keeps them alive as long as the item, and
 * the item deletes none of them.
 */
#ifndef ICON_BAR_ICON_H
#define ICON_BAR_ICON_H

#include <View.h>

class BBitmap;
class BMessage;
class BubbleHelper;

class IconBarIcon : public BView {
public:
								IconBarIcon(const char* name, const char* help,
									BMessage* message, BBitmap* normal,
									BBitmap* small, BubbleHelper* helper);
	virtual						~IconBarIcon();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);

	// Replaces the normal-size bitmap and redraws.
			void				SetIcon(BBitmap* normal);
	// Makes the item size x size; 30 or less shows the small bitmap.
			void				SetSize(int size);
	// The bounds' right edge: 33 in the normal size.
			int32				GetWidth();
			const char*			GetName();

	// 0 flat, 1 pointer over it (raised), 2 pressed (sunken).
			int32				State() const { return fState; }
			bool				IsSmall() const { return fSmall; }
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
			BBitmap*			fNormal;
			BBitmap*			fSmallBitmap;
			bool				fSmall;
};

#endif	// ICON_BAR_ICON_H
