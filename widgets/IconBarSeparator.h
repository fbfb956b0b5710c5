/*
 * IconBarSeparator: a thin engraved vertical line between groups of icon bar items.
 */
#ifndef ICON_BAR_SEPARATOR_H
#define ICON_BAR_SEPARATOR_H

#include <View.h>

class IconBarSeparator : public BView {
public:
								IconBarSeparator(const char* name);
	virtual						~IconBarSeparator();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);

	// Makes the separator 2 x size.
			void				SetSize(int size);
	// The bounds' right edge: 2.
			int32				GetWidth();
			const char*			GetName();

private:
			const char*			fName;
			rgb_color			fBackground;
			int32				fSize;
};

#endif	// ICON_BAR_SEPARATOR_H
