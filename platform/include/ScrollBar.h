/*
 * BScrollBar: a bar with an arrow at each end and a thumb that shows and sets which part
 * of a target view is visible.
 *
 * The value runs from the range's minimum to its maximum; a new value scrolls the target
 * (ValueChanged's default), and a target that scrolls itself moves the bar, because the
 * bar watches it. The proportion is the visible part of the whole (0 to 1) and sizes the
 * thumb. The arrows step by the small step and repeat while held; a press in the trough
 * pages by the big step towards the pointer; the thumb can be dragged; the mouse wheel
 * over the bar or its target steps three small steps a notch.
 */
#ifndef _SCROLL_BAR_H
#define _SCROLL_BAR_H

#include <View.h>

class BMessageRunner;

namespace BPrivate {
	class ScrollBarLink;
}

// The thickness of scroll bars, R5's values: a vertical bar's frame is this wide
// (15 pixels), a horizontal one's this high.
const float B_V_SCROLL_BAR_WIDTH = 14.0f;
const float B_H_SCROLL_BAR_HEIGHT = 14.0f;

class BScrollBar : public BView {
public:
								BScrollBar(BRect frame, const char* name, BView* target,
									float min, float max, orientation direction);
	virtual						~BScrollBar();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				FrameResized(float width, float height);
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);

	// Called whenever the value changes, by SetValue or because the target scrolled;
	// the default scrolls the target to the new value.
	virtual	void				ValueChanged(float newValue);

	// The value is rounded to a whole number and kept within the range.
			void				SetValue(float value);
			float				Value() const;
			void				SetProportion(float proportion);
			float				Proportion() const;
	// A maximum below the minimum is raised to it; the value is pulled into the range
	// (which scrolls the target).
			void				SetRange(float min, float max);
			void				GetRange(float* min, float* max) const;
	// R5's defaults are 1 and 10.
			void				SetSteps(float smallStep, float largeStep);
			void				GetSteps(float* smallStep, float* largeStep) const;
	// The bar tells the new target through TargetedByScrollBar and the old one with NULL.
			void				SetTarget(BView* target);
	// The view of this name in the bar's window; the bar must be attached.
			void				SetTarget(const char* targetName);
			BView*				Target() const;
			orientation			Orientation() const;

private:
	enum Part {
		kNoPart,
		kDecrementArrow,
		kIncrementArrow,
		kTroughBefore,
		kTroughAfter,
		kThumb
	};

	friend class BPrivate::ScrollBarLink;

								BScrollBar(const BScrollBar&);
			BScrollBar&			operator=(const BScrollBar&);

			void				_TargetScrolled(BPoint newOrigin);
			void				_TargetDeleted();
			bool				_TargetWheelTurned(float dx, float dy);
			void				_SetValue(float value, bool fromTarget);
			bool				_IsEnabled() const;
			float				_Length() const;
			BRect				_ArrowRect(bool decrement) const;
			BRect				_TroughRect() const;
			BRect				_ThumbRect() const;
			Part				_PartAt(BPoint where) const;
			void				_DoPartAction(bool firstTime);
			void				_StartRepeat();
			void				_StopTracking();
			void				_Wheel(float delta);
			void				_DrawArrow(BRect rect, bool decrement, bool pressed);
			void				_DrawThumb(BRect rect);

			BView*				fTarget;
			BPrivate::ScrollBarLink* fLink;
			orientation			fOrientation;
			float				fMin;
			float				fMax;
			float				fValue;
			float				fProportion;
			float				fSmallStep;
			float				fLargeStep;
			bool				fTargetScrolling;
			Part				fTrackedPart;
			bool				fPartPressed;
			BPoint				fTrackPoint;
			float				fThumbGrabOffset;
			BMessageRunner*		fRepeater;
			bool				fRepeating;
};

#endif	// _SCROLL_BAR_H
