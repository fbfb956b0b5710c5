#include <ScrollBar.h>

#include <AppDefs.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <Window.h>

#include "interface/view/ScrollObserver.h"

#include <algorithm>
#include <cmath>

namespace {

const uint32 kRepeatMessage = 'sbRp';
const bigtime_t kRepeatDelay = 300000;
const bigtime_t kRepeatInterval = 50000;
const float kMinThumbLength = 15.0f;
const float kWheelSteps = 3.0f;

}	// namespace

namespace BPrivate {

// Connects a bar to the target view it watches.
class ScrollBarLink : public ScrollObserver {
public:
	explicit ScrollBarLink(BScrollBar* bar) : fBar(bar) {}

	virtual void TargetScrolled(BView* target, BPoint newOrigin)
	{
		fBar->_TargetScrolled(newOrigin);
	}

	virtual void TargetDeleted(BView* target)
	{
		fBar->_TargetDeleted();
	}

	virtual bool TargetWheelTurned(BView* target, float dx, float dy)
	{
		return fBar->_TargetWheelTurned(dx, dy);
	}

	virtual BScrollBar* ScrollBarFor(orientation which)
	{
		return fBar->Orientation() == which ? fBar : NULL;
	}

private:
	BScrollBar* fBar;
};

}	// namespace BPrivate

using BPrivate::ViewAccess;


BScrollBar::BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
	orientation direction)
	:
	BView(frame, name,
		direction == B_VERTICAL ? B_FOLLOW_TOP_BOTTOM | B_FOLLOW_RIGHT
			: B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM,
		B_WILL_DRAW | B_FRAME_EVENTS),
	fTarget(NULL),
	fLink(new BPrivate::ScrollBarLink(this)),
	fOrientation(direction),
	fMin(0),
	fMax(0),
	fValue(0),
	fProportion(0),
	fSmallStep(1),
	fLargeStep(10),
	fTargetScrolling(false),
	fTrackedPart(kNoPart),
	fPartPressed(false),
	fThumbGrabOffset(0),
	fRepeater(NULL),
	fRepeating(false)
{
	SetViewColor(B_TRANSPARENT_COLOR);
	SetRange(min, max);
	SetTarget(target);
}


BScrollBar::~BScrollBar()
{
	delete fRepeater;
	if (fTarget != NULL)
		ViewAccess::RemoveScrollObserver(fTarget, fLink);
	delete fLink;
}


// #pragma mark - hooks


void
BScrollBar::AttachedToWindow()
{
	BView::AttachedToWindow();
}


void
BScrollBar::DetachedFromWindow()
{
	_StopTracking();
	BView::DetachedFromWindow();
}


void
BScrollBar::FrameResized(float width, float height)
{
	Invalidate();
}


void
BScrollBar::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kRepeatMessage:
			if (fTrackedPart != kNoPart && fTrackedPart != kThumb) {
				if (!fRepeating && fRepeater != NULL) {
					fRepeater->SetInterval(kRepeatInterval);
					fRepeating = true;
				}
				_DoPartAction(false);
			}
			return;
		case B_MOUSE_WHEEL_CHANGED:
		{
			float dx = 0;
			float dy = 0;
			message->FindFloat("be:wheel_delta_x", &dx);
			message->FindFloat("be:wheel_delta_y", &dy);
			// A wheel without a horizontal axis still scrolls a horizontal bar.
			float delta = fOrientation == B_VERTICAL ? dy : (dx != 0 ? dx : dy);
			_Wheel(delta);
			return;
		}
	}
	BView::MessageReceived(message);
}


void
BScrollBar::MouseDown(BPoint where)
{
	if (!_IsEnabled())
		return;
	_StopTracking();
	fTrackedPart = _PartAt(where);
	if (fTrackedPart == kNoPart)
		return;
	fTrackPoint = where;
	fPartPressed = true;
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
	if (fTrackedPart == kThumb) {
		BRect thumb = _ThumbRect();
		fThumbGrabOffset = fOrientation == B_VERTICAL ? where.y - thumb.top
			: where.x - thumb.left;
		Invalidate(thumb);
		return;
	}
	_DoPartAction(true);
	_StartRepeat();
}


void
BScrollBar::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fTrackedPart == kNoPart)
		return;
	fTrackPoint = where;
	if (fTrackedPart == kThumb) {
		BRect trough = _TroughRect();
		BRect thumb = _ThumbRect();
		float troughStart = fOrientation == B_VERTICAL ? trough.top : trough.left;
		float travel = _Length() - (fOrientation == B_VERTICAL ? thumb.Height()
			: thumb.Width()) - 1;
		float position = (fOrientation == B_VERTICAL ? where.y : where.x)
			- fThumbGrabOffset - troughStart;
		if (travel > 0)
			SetValue(fMin + position / travel * (fMax - fMin));
		return;
	}
	if (fTrackedPart == kDecrementArrow || fTrackedPart == kIncrementArrow) {
		bool pressed = _ArrowRect(fTrackedPart == kDecrementArrow).Contains(where);
		if (pressed != fPartPressed) {
			fPartPressed = pressed;
			Invalidate(_ArrowRect(fTrackedPart == kDecrementArrow));
		}
	}
}


void
BScrollBar::MouseUp(BPoint where)
{
	_StopTracking();
}


void
BScrollBar::ValueChanged(float newValue)
{
	if (fTarget == NULL || fTargetScrolling)
		return;
	BPoint origin = fTarget->Bounds().LeftTop();
	if (fOrientation == B_VERTICAL)
		origin.y = newValue;
	else
		origin.x = newValue;
	fTarget->ScrollTo(origin);
}


// #pragma mark - value and range


void
BScrollBar::SetValue(float value)
{
	_SetValue(value, false);
}


float
BScrollBar::Value() const
{
	return fValue;
}


void
BScrollBar::SetProportion(float proportion)
{
	if (!std::isfinite(proportion))
		return;
	proportion = std::clamp(proportion, 0.0f, 1.0f);
	if (proportion == fProportion)
		return;
	fProportion = proportion;
	Invalidate();
}


float
BScrollBar::Proportion() const
{
	return fProportion;
}


void
BScrollBar::SetRange(float min, float max)
{
	if (!std::isfinite(min) || !std::isfinite(max))
		return;
	min = roundf(min);
	max = roundf(std::max(min, max));
	if (min == fMin && max == fMax)
		return;
	fMin = min;
	fMax = max;
	if (fValue < fMin || fValue > fMax)
		SetValue(fValue);
	Invalidate();
}


void
BScrollBar::GetRange(float* min, float* max) const
{
	if (min != NULL)
		*min = fMin;
	if (max != NULL)
		*max = fMax;
}


void
BScrollBar::SetSteps(float smallStep, float largeStep)
{
	if (std::isfinite(smallStep) && smallStep >= 0)
		fSmallStep = roundf(smallStep);
	if (std::isfinite(largeStep) && largeStep >= 0)
		fLargeStep = roundf(largeStep);
}


void
BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
	if (smallStep != NULL)
		*smallStep = fSmallStep;
	if (largeStep != NULL)
		*largeStep = fLargeStep;
}


void
BScrollBar::SetTarget(BView* target)
{
	if (target == fTarget)
		return;
	BView* old = fTarget;
	if (old != NULL) {
		ViewAccess::RemoveScrollObserver(old, fLink);
		fTarget = NULL;
		old->TargetedByScrollBar(NULL);
	}
	fTarget = target;
	if (target != NULL) {
		ViewAccess::AddScrollObserver(target, fLink);
		target->TargetedByScrollBar(this);
	}
}


void
BScrollBar::SetTarget(const char* targetName)
{
	if (targetName == NULL || Window() == NULL)
		return;
	BView* target = Window()->FindView(targetName);
	if (target != NULL)
		SetTarget(target);
}


BView*
BScrollBar::Target() const
{
	return fTarget;
}


orientation
BScrollBar::Orientation() const
{
	return fOrientation;
}


// #pragma mark - private


void
BScrollBar::_SetValue(float value, bool fromTarget)
{
	if (!std::isfinite(value))
		return;
	value = std::clamp(roundf(value), fMin, fMax);
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
	bool wasScrolling = fTargetScrolling;
	fTargetScrolling = fromTarget;
	ValueChanged(value);
	fTargetScrolling = wasScrolling;
}


void
BScrollBar::_TargetScrolled(BPoint newOrigin)
{
	_SetValue(fOrientation == B_VERTICAL ? newOrigin.y : newOrigin.x, true);
}


void
BScrollBar::_TargetDeleted()
{
	_StopTracking();
	fTarget = NULL;
}


bool
BScrollBar::_TargetWheelTurned(float dx, float dy)
{
	float delta;
	if (fOrientation == B_VERTICAL)
		delta = dy;
	else {
		// The vertical wheel turns a lone horizontal bar.
		delta = dx;
		if (delta == 0 && fTarget != NULL && fTarget->ScrollBar(B_VERTICAL) == NULL)
			delta = dy;
	}
	if (delta == 0)
		return false;
	_Wheel(delta);
	return true;
}


void
BScrollBar::_Wheel(float delta)
{
	if (!std::isfinite(delta) || delta == 0 || !_IsEnabled())
		return;
	SetValue(fValue + delta * kWheelSteps * std::max(fSmallStep, 1.0f));
}


bool
BScrollBar::_IsEnabled() const
{
	return fMax > fMin;
}


float
BScrollBar::_Length() const
{
	BRect trough = _TroughRect();
	return fOrientation == B_VERTICAL ? trough.Height() + 1 : trough.Width() + 1;
}


BRect
BScrollBar::_ArrowRect(bool decrement) const
{
	BRect bounds = Bounds();
	if (fOrientation == B_VERTICAL) {
		float size = bounds.Width();
		if (decrement)
			return BRect(bounds.left, bounds.top, bounds.right, bounds.top + size);
		return BRect(bounds.left, bounds.bottom - size, bounds.right, bounds.bottom);
	}
	float size = bounds.Height();
	if (decrement)
		return BRect(bounds.left, bounds.top, bounds.left + size, bounds.bottom);
	return BRect(bounds.right - size, bounds.top, bounds.right, bounds.bottom);
}


BRect
BScrollBar::_TroughRect() const
{
	BRect decrement = _ArrowRect(true);
	BRect increment = _ArrowRect(false);
	if (fOrientation == B_VERTICAL)
		return BRect(decrement.left, decrement.bottom + 1, decrement.right,
			increment.top - 1);
	return BRect(decrement.right + 1, decrement.top, increment.left - 1, decrement.bottom);
}


BRect
BScrollBar::_ThumbRect() const
{
	BRect trough = _TroughRect();
	float length = _Length();
	if (!_IsEnabled() || length <= 0)
		return BRect();
	float thumbLength = roundf(std::max(length * fProportion, kMinThumbLength));
	if (fProportion == 0)
		thumbLength = std::max(kMinThumbLength, roundf(length / 4));
	thumbLength = std::min(thumbLength, length);
	float travel = length - thumbLength;
	float start = roundf((fValue - fMin) / (fMax - fMin) * travel);
	if (fOrientation == B_VERTICAL)
		return BRect(trough.left, trough.top + start, trough.right,
			trough.top + start + thumbLength - 1);
	return BRect(trough.left + start, trough.top, trough.left + start + thumbLength - 1,
		trough.bottom);
}


BScrollBar::Part
BScrollBar::_PartAt(BPoint where) const
{
	if (_ArrowRect(true).Contains(where))
		return kDecrementArrow;
	if (_ArrowRect(false).Contains(where))
		return kIncrementArrow;
	BRect thumb = _ThumbRect();
	if (thumb.IsValid() && thumb.Contains(where))
		return kThumb;
	BRect trough = _TroughRect();
	if (!trough.Contains(where) || !thumb.IsValid())
		return kNoPart;
	bool before = fOrientation == B_VERTICAL ? where.y < thumb.top : where.x < thumb.left;
	return before ? kTroughBefore : kTroughAfter;
}


void
BScrollBar::_DoPartAction(bool firstTime)
{
	switch (fTrackedPart) {
		case kDecrementArrow:
			if (fPartPressed)
				SetValue(fValue - fSmallStep);
			break;
		case kIncrementArrow:
			if (fPartPressed)
				SetValue(fValue + fSmallStep);
			break;
		case kTroughBefore:
		case kTroughAfter:
		{
			// Paging stops once the thumb has reached the pointer.
			Part part = _PartAt(fTrackPoint);
			if (!firstTime && part != fTrackedPart)
				break;
			SetValue(fValue + (fTrackedPart == kTroughBefore ? -fLargeStep : fLargeStep));
			break;
		}
		default:
			break;
	}
}


void
BScrollBar::_StartRepeat()
{
	if (Window() == NULL)
		return;
	BMessage repeat(kRepeatMessage);
	fRepeater = new BMessageRunner(BMessenger(this), &repeat, kRepeatDelay);
	fRepeating = false;
	if (fRepeater->InitCheck() != B_OK) {
		delete fRepeater;
		fRepeater = NULL;
	}
}


void
BScrollBar::_StopTracking()
{
	delete fRepeater;
	fRepeater = NULL;
	fRepeating = false;
	if (fTrackedPart != kNoPart) {
		fTrackedPart = kNoPart;
		fPartPressed = false;
		Invalidate();
	}
}


// #pragma mark - drawing


void
BScrollBar::Draw(BRect updateRect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color frame = tint_color(panel, B_DARKEN_3_TINT);
	bool enabled = _IsEnabled();
	BRect bounds = Bounds();

	// The trough: darker than the panel, with a shadow along its top and left.
	BRect trough = _TroughRect();
	rgb_color troughColor = tint_color(panel, enabled ? B_DARKEN_2_TINT : B_DARKEN_1_TINT);
	SetHighColor(troughColor);
	FillRect(trough);
	SetHighColor(tint_color(troughColor, B_DARKEN_1_TINT));
	if (fOrientation == B_VERTICAL)
		StrokeLine(trough.LeftTop(), trough.LeftBottom());
	else
		StrokeLine(trough.LeftTop(), trough.RightTop());

	_DrawArrow(_ArrowRect(true), true, fTrackedPart == kDecrementArrow && fPartPressed);
	_DrawArrow(_ArrowRect(false), false, fTrackedPart == kIncrementArrow && fPartPressed);

	BRect thumb = _ThumbRect();
	if (thumb.IsValid())
		_DrawThumb(thumb);

	SetHighColor(frame);
	StrokeRect(bounds);
}


void
BScrollBar::_DrawArrow(BRect rect, bool decrement, bool pressed)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	bool enabled = _IsEnabled();
	SetHighColor(pressed ? tint_color(panel, B_DARKEN_1_TINT) : panel);
	FillRect(rect);

	BRect inner = rect.InsetByCopy(1, 1);
	rgb_color light = pressed ? tint_color(panel, B_DARKEN_2_TINT)
		: tint_color(panel, B_LIGHTEN_MAX_TINT);
	rgb_color dark = pressed ? tint_color(panel, B_LIGHTEN_MAX_TINT)
		: tint_color(panel, B_DARKEN_2_TINT);
	BeginLineArray(4);
	AddLine(inner.LeftBottom(), inner.LeftTop(), light);
	AddLine(inner.LeftTop(), inner.RightTop(), light);
	AddLine(inner.RightTop(), inner.RightBottom(), dark);
	AddLine(inner.RightBottom(), inner.LeftBottom(), dark);
	EndLineArray();
	SetHighColor(tint_color(panel, B_DARKEN_3_TINT));
	StrokeRect(rect);

	// A solid triangle pointing the way the arrow scrolls.
	BPoint center((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
	float half = floorf((rect.Width() - 6) / 2);
	BPoint a, b, c;
	if (fOrientation == B_VERTICAL) {
		float direction = decrement ? -1 : 1;
		a = BPoint(center.x - half, center.y - direction * half / 2);
		b = BPoint(center.x + half, center.y - direction * half / 2);
		c = BPoint(center.x, center.y + direction * half / 2);
	} else {
		float direction = decrement ? -1 : 1;
		a = BPoint(center.x - direction * half / 2, center.y - half);
		b = BPoint(center.x - direction * half / 2, center.y + half);
		c = BPoint(center.x + direction * half / 2, center.y);
	}
	SetHighColor(enabled ? rgb_color{0, 0, 0, 255} : tint_color(panel, B_DARKEN_2_TINT));
	FillTriangle(a, b, c);
}


void
BScrollBar::_DrawThumb(BRect rect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	SetHighColor(panel);
	FillRect(rect);
	BRect inner = rect.InsetByCopy(1, 1);
	rgb_color light = tint_color(panel, B_LIGHTEN_MAX_TINT);
	rgb_color dark = tint_color(panel, B_DARKEN_2_TINT);
	BeginLineArray(4);
	AddLine(inner.LeftBottom(), inner.LeftTop(), light);
	AddLine(inner.LeftTop(), inner.RightTop(), light);
	AddLine(inner.RightTop(), inner.RightBottom(), dark);
	AddLine(inner.RightBottom(), inner.LeftBottom(), dark);
	EndLineArray();
	SetHighColor(tint_color(panel, B_DARKEN_3_TINT));
	StrokeRect(rect);
}
