#include <Slider.h>

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include "interface/controls/ControlLook.h"

#include <algorithm>
#include <cmath>

using namespace BPrivate;

// Half the length of a block thumb along the bar; the bar ends stop this far from the
// edges so that the thumb fits at both limits.
static const float kThumbHalf = 8.0f;
// How far a block thumb reaches beyond the bar's sides.
static const float kThumbOverhang = 4.0f;
static const float kTriangleReach = 8.0f;
static const float kHashLength = 5.0f;
static const float kHashGap = 2.0f;


BSlider::BSlider(BRect frame, const char* name, const char* label, BMessage* message,
	int32 minValue, int32 maxValue, thumb_style thumbType, uint32 resizingMode,
	uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags),
	fMinValue(std::min(minValue, maxValue)),
	fMaxValue(std::max(minValue, maxValue)),
	fKeyIncrement(1),
	fStyle(thumbType),
	fHashMarks(B_HASH_MARKS_NONE),
	fHashMarkCount(0),
	fOrientation(B_HORIZONTAL),
	fBarThickness(6.0f),
	fBarColor(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_4_TINT)),
	fFillColor(make_color(0, 0, 0)),
	fUseFillColor(false),
	fModificationMessage(NULL)
{
	SetValueNoUpdate(fMinValue);
}


BSlider::~BSlider()
{
	delete fModificationMessage;
}


float
BSlider::_TextHeight() const
{
	font_height height;
	GetFontHeight(&height);
	return std::ceil(height.ascent + height.descent);
}


BRect
BSlider::BarFrame() const
{
	BRect bounds = Bounds();
	float line = _TextHeight();
	bool hasText = Label() != NULL || UpdateText() != NULL;
	float top = hasText ? line + 3 : 0;
	if (fOrientation == B_HORIZONTAL) {
		float barTop = top + kThumbOverhang
			+ ((fHashMarks & B_HASH_MARKS_TOP) != 0 ? kHashLength + kHashGap : 0);
		return BRect(bounds.left + kThumbHalf, barTop, bounds.right - kThumbHalf,
			barTop + fBarThickness - 1);
	}
	if (!fMaxLabel.empty())
		top += line + 2;
	float bottom = bounds.bottom - (fMinLabel.empty() ? 0 : line + 2);
	float center = std::floor(bounds.left + (bounds.Width() + 1) / 2);
	float left = std::floor(center - fBarThickness / 2);
	return BRect(left, top + kThumbHalf, left + fBarThickness - 1, bottom - kThumbHalf);
}


float
BSlider::_BarStart() const
{
	BRect bar = BarFrame();
	return fOrientation == B_HORIZONTAL ? bar.left : bar.bottom;
}


float
BSlider::_BarEnd() const
{
	BRect bar = BarFrame();
	return fOrientation == B_HORIZONTAL ? bar.right : bar.top;
}


float
BSlider::_ThumbCenter() const
{
	return std::floor(_BarStart() + (_BarEnd() - _BarStart()) * Position() + 0.5f);
}


BRect
BSlider::ThumbFrame() const
{
	BRect bar = BarFrame();
	float center = _ThumbCenter();
	if (fOrientation == B_HORIZONTAL) {
		if (fStyle == B_TRIANGLE_THUMB)
			return BRect(center - 6, bar.top + 1, center + 6, bar.bottom + kTriangleReach);
		return BRect(center - kThumbHalf, bar.top - kThumbOverhang, center + kThumbHalf,
			bar.bottom + kThumbOverhang);
	}
	if (fStyle == B_TRIANGLE_THUMB)
		return BRect(bar.left + 1, center - 6, bar.right + kTriangleReach, center + 6);
	return BRect(bar.left - kThumbOverhang, center - kThumbHalf, bar.right + kThumbOverhang,
		center + kThumbHalf);
}


BRect
BSlider::HashMarksFrame() const
{
	BRect bar = BarFrame();
	if (fOrientation == B_HORIZONTAL) {
		return BRect(bar.left, bar.top - kThumbOverhang - kHashLength - kHashGap,
			bar.right, bar.bottom + kThumbOverhang + kHashGap + kHashLength);
	}
	return BRect(bar.left - kThumbOverhang - kHashGap - kHashLength, bar.top,
		bar.right + kThumbOverhang + kHashGap + kHashLength, bar.bottom);
}


void
BSlider::_DrawBar(BRect bar)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color barColor = IsEnabled() ? fBarColor : tint_color(panel, B_DARKEN_1_TINT);
	SetHighColor(barColor);
	FillRect(bar);
	if (fUseFillColor) {
		BRect filled = bar;
		float center = _ThumbCenter();
		if (fOrientation == B_HORIZONTAL)
			filled.right = center;
		else
			filled.top = center;
		SetHighColor(IsEnabled() ? fFillColor : tint_color(fFillColor, B_LIGHTEN_1_TINT));
		FillRect(filled);
	}
	// The bar is sunk into the panel.
	DrawBevel(this, bar.InsetByCopy(-1, -1), tint_color(panel, B_DARKEN_2_TINT),
		make_color(255, 255, 255));
}


void
BSlider::_DrawHashMarks(BRect bar)
{
	if (fHashMarks == B_HASH_MARKS_NONE || fHashMarkCount < 1)
		return;
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color dark = tint_color(panel, B_DARKEN_2_TINT);
	rgb_color light = make_color(255, 255, 255);
	int32 count = std::max<int32>(fHashMarkCount, 2);
	float start = _BarStart();
	float step = (_BarEnd() - start) / (count - 1);
	BRect frame = HashMarksFrame();
	BeginLineArray(count * 4);
	for (int32 i = 0; i < count; i++) {
		float at = std::floor(start + step * i + 0.5f);
		if (fOrientation == B_HORIZONTAL) {
			if ((fHashMarks & B_HASH_MARKS_TOP) != 0) {
				AddLine(BPoint(at, frame.top), BPoint(at, frame.top + kHashLength - 1), dark);
				AddLine(BPoint(at + 1, frame.top), BPoint(at + 1,
					frame.top + kHashLength - 1), light);
			}
			if ((fHashMarks & B_HASH_MARKS_BOTTOM) != 0) {
				AddLine(BPoint(at, frame.bottom - kHashLength + 1), BPoint(at, frame.bottom),
					dark);
				AddLine(BPoint(at + 1, frame.bottom - kHashLength + 1),
					BPoint(at + 1, frame.bottom), light);
			}
		} else {
			if ((fHashMarks & B_HASH_MARKS_LEFT) != 0) {
				AddLine(BPoint(frame.left, at), BPoint(frame.left + kHashLength - 1, at), dark);
				AddLine(BPoint(frame.left, at + 1), BPoint(frame.left + kHashLength - 1,
					at + 1), light);
			}
			if ((fHashMarks & B_HASH_MARKS_RIGHT) != 0) {
				AddLine(BPoint(frame.right - kHashLength + 1, at), BPoint(frame.right, at),
					dark);
				AddLine(BPoint(frame.right - kHashLength + 1, at + 1),
					BPoint(frame.right, at + 1), light);
			}
		}
	}
	EndLineArray();
}


void
BSlider::_DrawThumb(BRect bar)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color face = IsEnabled() ? tint_color(panel, B_LIGHTEN_1_TINT) : panel;
	rgb_color outline = tint_color(panel, IsEnabled() ? B_DARKEN_4_TINT : B_DARKEN_2_TINT);
	BRect thumb = ThumbFrame();
	if (fStyle == B_TRIANGLE_THUMB) {
		BPoint tip;
		BPoint left;
		BPoint right;
		if (fOrientation == B_HORIZONTAL) {
			tip = BPoint((thumb.left + thumb.right) / 2, thumb.top);
			left = BPoint(thumb.left, thumb.bottom);
			right = BPoint(thumb.right, thumb.bottom);
		} else {
			tip = BPoint(thumb.left, (thumb.top + thumb.bottom) / 2);
			left = BPoint(thumb.right, thumb.top);
			right = BPoint(thumb.right, thumb.bottom);
		}
		SetHighColor(face);
		FillTriangle(tip, left, right);
		SetHighColor(outline);
		StrokeTriangle(tip, left, right);
		return;
	}
	SetHighColor(outline);
	StrokeRect(thumb);
	BRect inner = thumb.InsetByCopy(1, 1);
	SetHighColor(face);
	FillRect(inner);
	DrawBevel(this, inner, make_color(255, 255, 255), tint_color(panel, B_DARKEN_2_TINT));
	// A groove across the middle shows where the value is.
	float center = _ThumbCenter();
	SetHighColor(tint_color(panel, B_DARKEN_2_TINT));
	if (fOrientation == B_HORIZONTAL)
		StrokeLine(BPoint(center, inner.top + 2), BPoint(center, inner.bottom - 2));
	else
		StrokeLine(BPoint(inner.left + 2, center), BPoint(inner.right - 2, center));
}


void
BSlider::_DrawTexts(BRect bar)
{
	font_height height;
	GetFontHeight(&height);
	BRect bounds = Bounds();
	SetHighColor(LabelColor(IsEnabled()));
	SetDrawingMode(B_OP_OVER);
	float baseline = std::floor(height.ascent);
	if (Label() != NULL)
		DrawString(Label(), BPoint(bounds.left, baseline));
	const char* update = UpdateText();
	if (update != NULL)
		DrawString(update, BPoint(bounds.right - StringWidth(update), baseline));

	if (fOrientation == B_HORIZONTAL) {
		float limitBase = std::floor(HashMarksFrame().bottom + 2 + height.ascent);
		if ((fHashMarks & B_HASH_MARKS_BOTTOM) == 0 || fHashMarkCount < 1)
			limitBase = std::floor(ThumbFrame().bottom + 2 + height.ascent);
		if (!fMinLabel.empty())
			DrawString(fMinLabel.c_str(), BPoint(bounds.left + 2, limitBase));
		if (!fMaxLabel.empty()) {
			DrawString(fMaxLabel.c_str(),
				BPoint(bounds.right - 2 - StringWidth(fMaxLabel.c_str()), limitBase));
		}
	} else {
		float center = (bounds.left + bounds.right + 1) / 2;
		if (!fMaxLabel.empty()) {
			float top = bar.top - kThumbHalf - _TextHeight() - 2;
			DrawString(fMaxLabel.c_str(), BPoint(std::floor(center
				- StringWidth(fMaxLabel.c_str()) / 2), std::floor(top + height.ascent)));
		}
		if (!fMinLabel.empty()) {
			DrawString(fMinLabel.c_str(), BPoint(std::floor(center
				- StringWidth(fMinLabel.c_str()) / 2),
				std::floor(bounds.bottom - height.descent)));
		}
	}
	SetDrawingMode(B_OP_COPY);
}


void
BSlider::Draw(BRect updateRect)
{
	SetDrawingMode(B_OP_COPY);
	SetHighColor(ViewColor());
	FillRect(Bounds());
	BRect bar = BarFrame();
	_DrawTexts(bar);
	_DrawHashMarks(bar);
	_DrawBar(bar);
	_DrawThumb(bar);
	if (ShowsFocusMark()) {
		// The focus mark: a navigation-coloured line along the bar's far side.
		SetHighColor(keyboard_navigation_color());
		if (fOrientation == B_HORIZONTAL)
			StrokeLine(BPoint(bar.left, bar.top - 2), BPoint(bar.right, bar.top - 2));
		else
			StrokeLine(BPoint(bar.left - 2, bar.top), BPoint(bar.left - 2, bar.bottom));
		if (fStyle == B_BLOCK_THUMB) {
			BRect thumb = ThumbFrame();
			StrokeRect(thumb);
		}
	}
}


void
BSlider::_ChangeByUser(int32 value, bool notifyModification)
{
	value = std::clamp(value, fMinValue, fMaxValue);
	if (value == Value())
		return;
	SetValue(value);
	Draw(Bounds());
	if (notifyModification && fModificationMessage != NULL)
		BControl::Invoke(fModificationMessage);
}


void
BSlider::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	if (!IsFocus() && (Flags() & B_NAVIGABLE) != 0)
		MakeFocus(true);
	uint32 buttons = B_PRIMARY_MOUSE_BUTTON;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("buttons", (int32*)&buttons);

	int32 initial = Value();
	SetTracking(true);
	_ChangeByUser(ValueForPoint(where), true);
	BPoint point = where;
	while (buttons != 0) {
		snooze(20000);
		GetMouse(&point, &buttons, false);
		// The point of the release counts as well.
		_ChangeByUser(ValueForPoint(point), true);
	}
	SetTracking(false);
	if (Value() != initial)
		Invoke();
}


void
BSlider::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1 || !IsEnabled()) {
		BControl::KeyDown(bytes, numBytes);
		return;
	}
	int32 value = Value();
	switch (bytes[0]) {
		case B_LEFT_ARROW:
		case B_DOWN_ARROW:
			value -= fKeyIncrement;
			break;
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
			value += fKeyIncrement;
			break;
		case B_HOME:
			value = fMinValue;
			break;
		case B_END:
			value = fMaxValue;
			break;
		default:
			// Space and Enter do not toggle a slider; Tab moves on.
			if (bytes[0] != B_SPACE && bytes[0] != B_ENTER)
				BView::KeyDown(bytes, numBytes);
			return;
	}
	int32 before = Value();
	_ChangeByUser(value, true);
	if (Value() != before)
		Invoke();
}


void
BSlider::FrameResized(float width, float height)
{
	Invalidate();
	BControl::FrameResized(width, height);
}


void
BSlider::SetValue(int32 value)
{
	BControl::SetValue(std::clamp(value, fMinValue, fMaxValue));
}


int32
BSlider::ValueForPoint(BPoint point) const
{
	float start = _BarStart();
	float end = _BarEnd();
	float at = fOrientation == B_HORIZONTAL ? point.x : point.y;
	float position = end != start ? (at - start) / (end - start) : 0;
	position = std::clamp(position, 0.0f, 1.0f);
	return fMinValue + (int32)std::floor(position * (fMaxValue - fMinValue) + 0.5f);
}


void
BSlider::SetPosition(float position)
{
	position = std::clamp(position, 0.0f, 1.0f);
	SetValue(fMinValue + (int32)std::floor(position * (fMaxValue - fMinValue) + 0.5f));
}


float
BSlider::Position() const
{
	if (fMaxValue == fMinValue)
		return 0;
	return float(Value() - fMinValue) / float(fMaxValue - fMinValue);
}


void
BSlider::GetLimits(int32* minimum, int32* maximum) const
{
	if (minimum != NULL)
		*minimum = fMinValue;
	if (maximum != NULL)
		*maximum = fMaxValue;
}


void
BSlider::SetModificationMessage(BMessage* message)
{
	if (message == fModificationMessage)
		return;
	delete fModificationMessage;
	fModificationMessage = message;
}


BMessage*
BSlider::ModificationMessage() const
{
	return fModificationMessage;
}


void
BSlider::SetLimitLabels(const char* minLabel, const char* maxLabel)
{
	fMinLabel = minLabel != NULL ? minLabel : "";
	fMaxLabel = maxLabel != NULL ? maxLabel : "";
	Invalidate();
}


const char*
BSlider::MinLimitLabel() const
{
	return fMinLabel.empty() ? NULL : fMinLabel.c_str();
}


const char*
BSlider::MaxLimitLabel() const
{
	return fMaxLabel.empty() ? NULL : fMaxLabel.c_str();
}


char*
BSlider::UpdateText() const
{
	return NULL;
}


void
BSlider::SetHashMarks(hash_mark_location where)
{
	fHashMarks = where;
	Invalidate();
}


hash_mark_location
BSlider::HashMarks() const
{
	return fHashMarks;
}


void
BSlider::SetHashMarkCount(int32 count)
{
	fHashMarkCount = std::max<int32>(0, count);
	Invalidate();
}


int32
BSlider::HashMarkCount() const
{
	return fHashMarkCount;
}


void
BSlider::SetStyle(thumb_style style)
{
	fStyle = style;
	Invalidate();
}


thumb_style
BSlider::Style() const
{
	return fStyle;
}


void
BSlider::SetBarColor(rgb_color color)
{
	fBarColor = color;
	Invalidate();
}


rgb_color
BSlider::BarColor() const
{
	return fBarColor;
}


void
BSlider::UseFillColor(bool use, const rgb_color* color)
{
	fUseFillColor = use;
	if (color != NULL)
		fFillColor = *color;
	Invalidate();
}


bool
BSlider::FillColor(rgb_color* color) const
{
	if (color != NULL && fUseFillColor)
		*color = fFillColor;
	return fUseFillColor;
}


void
BSlider::SetOrientation(orientation posture)
{
	fOrientation = posture;
	Invalidate();
}


orientation
BSlider::Orientation() const
{
	return fOrientation;
}


void
BSlider::SetBarThickness(float thickness)
{
	fBarThickness = std::max(1.0f, std::floor(thickness));
	Invalidate();
}


float
BSlider::BarThickness() const
{
	return fBarThickness;
}


void
BSlider::SetKeyIncrementValue(int32 value)
{
	fKeyIncrement = std::max<int32>(1, value);
}


int32
BSlider::KeyIncrementValue() const
{
	return fKeyIncrement;
}


void
BSlider::GetPreferredSize(float* width, float* height)
{
	float line = _TextHeight();
	bool hasText = Label() != NULL || UpdateText() != NULL;
	bool hasLimits = !fMinLabel.empty() || !fMaxLabel.empty();
	float across = (hasText ? line + 3 : 0) + 2 * kThumbOverhang + fBarThickness
		+ ((fHashMarks & B_HASH_MARKS_TOP) != 0 ? kHashLength + kHashGap : 0)
		+ ((fHashMarks & B_HASH_MARKS_BOTTOM) != 0 ? kHashLength + kHashGap : 0)
		+ (hasLimits ? line + 2 : 0);
	if (fOrientation == B_HORIZONTAL) {
		if (width != NULL)
			*width = std::max(Bounds().Width(), 100.0f);
		if (height != NULL)
			*height = std::ceil(across);
	} else {
		if (width != NULL)
			*width = std::max(Bounds().Width(), 2 * (kThumbOverhang + kHashLength
				+ kHashGap) + fBarThickness);
		if (height != NULL)
			*height = std::max(Bounds().Height(), 100.0f);
	}
}


void
BSlider::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}
