/*
 * ColorView: the colour palette, a narrow column of 25 ColorButtons at the right edge
 * of the main window, framed by a one-pixel bevel.
 */
#ifndef COLOR_VIEW_H
#define COLOR_VIEW_H

#include <View.h>

class ColorView : public BView {
public:
	static constexpr int		kColorCount = 25;

								ColorView(BRect frame, const char* name);
	virtual						~ColorView();

	virtual	void				Draw(BRect updateRect);
	virtual	void				MessageReceived(BMessage* message);

	// Adds the 25 buttons, top to bottom; the constructor calls it.
			void				AddColors();

	// The colour of button index (0 to kColorCount - 1), top to bottom.
	static	rgb_color			PaletteColor(int index);
	// The frame of button index in the palette's coordinates.
	static	BRect				ButtonFrame(int index);
};

#endif	// COLOR_VIEW_H
