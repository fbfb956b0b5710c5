#include <ScrollView.h>

#include <Window.h>

#include "interface/view/ScrollObserver.h"

#include <algorithm>


namespace BPrivate {

// Tells the scroll view when its target goes away before it does.
class ScrollViewLink : public ScrollObserver {
public:
	explicit ScrollViewLink(BScrollView* scrollView) : fScrollView(scrollView) {}

	virtual void TargetScrolled(BView* target, BPoint newOrigin) {}

	virtual void TargetDeleted(BView* target)
	{
		if (fScrollView->fTarget == target)
			fScrollView->fTarget = NULL;
	}

private:
	BScrollView* fScrollView;
};

}	// namespace BPrivate

using BPrivate::ViewAccess;


BScrollView::BScrollView(const char* name, BView* target, uint32 resizingMode, uint32 flags,
	bool horizontal, bool vertical, border_style border)
	:
	BView(BRect(0, 0, 0, 0), name, resizingMode, flags | B_WILL_DRAW | B_FRAME_EVENTS),
	fTarget(NULL),
	fTargetLink(new BPrivate::ScrollViewLink(this)),
	fVerticalBar(NULL),
	fHorizontalBar(NULL),
	fBorder(border),
	fHighlighted(false)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	_Watch(target);

	// Grow the target's frame by the border and the bars; the bars overlap the border's
	// inner line by one pixel when there is a border.
	BRect frame = target != NULL ? target->Frame() : BRect(0, 0, 50, 50);
	float inset = _BorderSize(border);
	float overlap = inset > 0 ? 1 : 0;
	BRect outer = frame.InsetByCopy(-inset, -inset);
	if (vertical)
		outer.right += B_V_SCROLL_BAR_WIDTH + 1 - overlap;
	if (horizontal)
		outer.bottom += B_H_SCROLL_BAR_HEIGHT + 1 - overlap;
	MoveTo(outer.LeftTop());
	ResizeTo(outer.Width(), outer.Height());

	if (target != NULL) {
		target->MoveTo(inset, inset);
		AddChild(target);
	}
	if (vertical) {
		fVerticalBar = new BScrollBar(BRect(0, 0, B_V_SCROLL_BAR_WIDTH, 20), "_VSB_", target,
			0, 0, B_VERTICAL);
		AddChild(fVerticalBar);
	}
	if (horizontal) {
		fHorizontalBar = new BScrollBar(BRect(0, 0, 20, B_H_SCROLL_BAR_HEIGHT), "_HSB_",
			target, 0, 0, B_HORIZONTAL);
		AddChild(fHorizontalBar);
	}
	_LayOut();
}


BScrollView::~BScrollView()
{
	// The target goes first, while the bars that watch it still exist: a target may
	// keep pointers to its bars until it is deleted.
	if (fTarget != NULL && fTarget->Parent() == this) {
		BView* target = fTarget;
		RemoveChild(target);
		delete target;
	}
	_Watch(NULL);
	delete fTargetLink;
}


void
BScrollView::_Watch(BView* target)
{
	if (fTarget != NULL)
		ViewAccess::RemoveScrollObserver(fTarget, fTargetLink);
	fTarget = target;
	if (target != NULL)
		ViewAccess::AddScrollObserver(target, fTargetLink);
}


float
BScrollView::_BorderSize(border_style border)
{
	switch (border) {
		case B_FANCY_BORDER:
			return 2;
		case B_PLAIN_BORDER:
			return 1;
		default:
			return 0;
	}
}


BRect
BScrollView::_TargetFrame() const
{
	BRect bounds = Bounds();
	float inset = _BorderSize(fBorder);
	float overlap = inset > 0 ? 1 : 0;
	BRect frame = bounds.InsetByCopy(inset, inset);
	if (fVerticalBar != NULL)
		frame.right -= B_V_SCROLL_BAR_WIDTH + 1 - overlap;
	if (fHorizontalBar != NULL)
		frame.bottom -= B_H_SCROLL_BAR_HEIGHT + 1 - overlap;
	return frame;
}


void
BScrollView::_LayOut()
{
	BRect target = _TargetFrame();
	float inset = _BorderSize(fBorder);
	float overlap = inset > 0 ? 1 : 0;
	if (fTarget != NULL && fTarget->Parent() == this) {
		if (fTarget->Frame() != target) {
			fTarget->MoveTo(target.LeftTop());
			fTarget->ResizeTo(std::max(target.Width(), 0.0f),
				std::max(target.Height(), 0.0f));
		}
	}
	if (fVerticalBar != NULL) {
		BRect bar(target.right + 1, target.top - overlap,
			target.right + 1 + B_V_SCROLL_BAR_WIDTH,
			target.bottom + (fHorizontalBar != NULL ? 0 : overlap));
		fVerticalBar->MoveTo(bar.LeftTop());
		fVerticalBar->ResizeTo(bar.Width(), std::max(bar.Height(), 0.0f));
	}
	if (fHorizontalBar != NULL) {
		BRect bar(target.left - overlap, target.bottom + 1,
			target.right + (fVerticalBar != NULL ? 0 : overlap),
			target.bottom + 1 + B_H_SCROLL_BAR_HEIGHT);
		fHorizontalBar->MoveTo(bar.LeftTop());
		fHorizontalBar->ResizeTo(std::max(bar.Width(), 0.0f), bar.Height());
	}
}


void
BScrollView::FrameResized(float width, float height)
{
	// The bars and the target follow by their resizing modes, as on R5; only the
	// border needs drawing again.
	Invalidate();
}


void
BScrollView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	bool focused = (fHighlighted || (fTarget != NULL && fTarget->IsFocus()))
		&& Window() != NULL && Window()->IsActive();
	rgb_color navigation = ui_color(B_KEYBOARD_NAVIGATION_COLOR);

	if (fBorder == B_FANCY_BORDER) {
		// A sunken frame: a shadow on top and left, light on bottom and right, and a
		// dark inner line that the bars and the target sit against.
		rgb_color shadow = tint_color(panel, B_DARKEN_1_TINT);
		rgb_color light = tint_color(panel, B_LIGHTEN_MAX_TINT);
		rgb_color inner = focused ? navigation : tint_color(panel, B_DARKEN_3_TINT);
		BeginLineArray(8);
		AddLine(bounds.LeftBottom(), bounds.LeftTop(), focused ? navigation : shadow);
		AddLine(bounds.LeftTop(), bounds.RightTop(), focused ? navigation : shadow);
		AddLine(bounds.RightTop(), bounds.RightBottom(), focused ? navigation : light);
		AddLine(bounds.RightBottom(), bounds.LeftBottom(), focused ? navigation : light);
		BRect innerRect = bounds.InsetByCopy(1, 1);
		AddLine(innerRect.LeftBottom(), innerRect.LeftTop(), inner);
		AddLine(innerRect.LeftTop(), innerRect.RightTop(), inner);
		AddLine(innerRect.RightTop(), innerRect.RightBottom(), inner);
		AddLine(innerRect.RightBottom(), innerRect.LeftBottom(), inner);
		EndLineArray();
	} else if (fBorder == B_PLAIN_BORDER) {
		SetHighColor(focused ? navigation : tint_color(panel, B_DARKEN_3_TINT));
		StrokeRect(bounds);
	}

	// The square where two bars meet.
	if (fVerticalBar != NULL && fHorizontalBar != NULL) {
		BRect corner(fVerticalBar->Frame().left, fHorizontalBar->Frame().top,
			fVerticalBar->Frame().right, fHorizontalBar->Frame().bottom);
		SetHighColor(panel);
		FillRect(corner);
		SetHighColor(tint_color(panel, B_DARKEN_3_TINT));
		StrokeRect(corner);
	}
}


void
BScrollView::WindowActivated(bool active)
{
	Invalidate();
}


BScrollBar*
BScrollView::ScrollBar(orientation which) const
{
	return which == B_VERTICAL ? fVerticalBar : fHorizontalBar;
}


void
BScrollView::SetTarget(BView* target)
{
	if (target == fTarget)
		return;
	if (fTarget != NULL && fTarget->Parent() == this)
		RemoveChild(fTarget);
	_Watch(target);
	if (target != NULL && target->Parent() == NULL && target->Window() == NULL)
		AddChild(target, ChildAt(0));
	if (fVerticalBar != NULL)
		fVerticalBar->SetTarget(target);
	if (fHorizontalBar != NULL)
		fHorizontalBar->SetTarget(target);
	_LayOut();
	Invalidate();
}


BView*
BScrollView::Target() const
{
	return fTarget;
}


void
BScrollView::SetBorder(border_style border)
{
	if (border == fBorder)
		return;
	fBorder = border;
	_LayOut();
	Invalidate();
}


border_style
BScrollView::Border() const
{
	return fBorder;
}


status_t
BScrollView::SetBorderHighlighted(bool highlighted)
{
	if (fBorder == B_NO_BORDER)
		return B_ERROR;
	if (highlighted != fHighlighted) {
		fHighlighted = highlighted;
		Invalidate();
	}
	return B_OK;
}


bool
BScrollView::IsBorderHighlighted() const
{
	return fHighlighted;
}
