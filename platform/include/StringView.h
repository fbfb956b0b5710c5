/*
 * BStringView: a line of text that the user does not edit. It takes its parent's view
 * colour when attached, as R5 does.
 */
#ifndef _STRING_VIEW_H
#define _STRING_VIEW_H

#include <View.h>

#include <string>

class BStringView : public BView {
public:
								BStringView(BRect frame, const char* name, const char* text,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW);
	virtual						~BStringView();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

			void				SetText(const char* text);
			const char*			Text() const;
			void				SetAlignment(alignment flag);
			alignment			Alignment() const;

private:
			std::string			fText;
			alignment			fAlignment;
};

#endif	// _STRING_VIEW_H
