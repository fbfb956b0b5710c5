/*
 * BScrollView: a frame around a target view with scroll bars that scroll it.
 *
 * The scroll view takes the target as its child and is sized to hold it with its border
 * and bars: its frame is the target's frame grown by the border and by
 * B_V_SCROLL_BAR_WIDTH / B_H_SCROLL_BAR_HEIGHT. The bars' outlines lie on the border's
 * inner line, as on R5. While the target has the keyboard focus in the active window the
 * border is drawn in the keyboard navigation colour.
 */
#ifndef _SCROLL_VIEW_H
#define _SCROLL_VIEW_H

#include <ScrollBar.h>
#include <View.h>

namespace BPrivate {
	class ScrollViewLink;
}

// The scroll view forgets its target when the target is deleted first, so a caller may
// delete the target before the scroll view (R5 read freed memory then).
class BScrollView : public BView {
public:
								BScrollView(const char* name, BView* target,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = 0, bool horizontal = false,
									bool vertical = false,
									border_style border = B_FANCY_BORDER);
	virtual						~BScrollView();

	virtual	void				Draw(BRect updateRect);
	virtual	void				WindowActivated(bool active);
	virtual	void				FrameResized(float width, float height);

	// The bar of this orientation, or NULL when the view was made without it.
			BScrollBar*			ScrollBar(orientation which) const;
	// Replaces the target: the old one is removed (not deleted) and the new one takes
	// its place, resized to it.
			void				SetTarget(BView* target);
			BView*				Target() const;
			void				SetBorder(border_style border);
			border_style		Border() const;
	// Asks for the focus mark regardless of the target's focus; views that keep the
	// focus elsewhere can call it from MakeFocus.
			status_t			SetBorderHighlighted(bool highlighted);
			bool				IsBorderHighlighted() const;

private:
								BScrollView(const BScrollView&);
			BScrollView&		operator=(const BScrollView&);

	static	float				_BorderSize(border_style border);
			BRect				_TargetFrame() const;
			void				_LayOut();

	friend class BPrivate::ScrollViewLink;
			void				_Watch(BView* target);

			BView*				fTarget;
			BPrivate::ScrollViewLink* fTargetLink;
			BScrollBar*			fVerticalBar;
			BScrollBar*			fHorizontalBar;
			border_style		fBorder;
			bool				fHighlighted;
};

#endif	// _SCROLL_VIEW_H
