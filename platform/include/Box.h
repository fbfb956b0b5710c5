/*
 * BBox: a frame that groups other views, with an optional label (a text drawn in the
 * bold font, or any view) across its top edge.
 *
 * B_FANCY_BORDER is R5's etched line, B_PLAIN_BORDER a raised one-pixel bevel and
 * B_NO_BORDER draws no frame at all.
 */
#ifndef _BOX_H
#define _BOX_H

#include <View.h>

#include <string>

class BBox : public BView {
public:
								BBox(BRect frame, const char* name = NULL,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
										| B_NAVIGABLE_JUMP,
									border_style border = B_FANCY_BORDER);
	virtual						~BBox();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				FrameResized(float width, float height);

	virtual	void				SetBorder(border_style border);
			border_style		Border() const;

	// A text label replaces a label view (which is deleted) and the other way round.
			void				SetLabel(const char* label);
			status_t			SetLabel(BView* viewLabel);
			const char*			Label() const;
			BView*				LabelView() const;

private:
			float				_TopLine() const;

			std::string			fLabel;
			BView*				fLabelView;
			border_style		fBorder;
};

#endif	// _BOX_H
