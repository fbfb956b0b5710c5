#include <RadioButton.h>

#include <Window.h>

#include "interface/controls/ControlLook.h"
#include "interface/controls/Tracking.h"

#include <algorithm>
#include <cmath>

using namespace BPrivate;

static const float kCircleSize = 12.0f;
static const float kLabelGap = 6.0f;


BRadioButton::BRadioButton(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags),
	fPressed(false)
{
}


BRadioButton::~BRadioButton()
{
}


BRect
BRadioButton::_CircleFrame() const
{
	return BPrivate::LeftMarkFrame(Bounds(), kCircleSize);
}


void
BRadioButton::Draw(BRect updateRect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	BRect circle = _CircleFrame();
	SetDrawingMode(B_OP_COPY);
	SetHighColor(ViewColor());
	FillRect(Bounds());

	rgb_color fill = IsEnabled() ? make_color(255, 255, 255) : panel;
	if (fPressed)
		fill = tint_color(panel, B_DARKEN_1_TINT);
	SetHighColor(fill);
	FillEllipse(circle);
	// The sunken ring: dark on the upper left half, light on the lower right.
	SetHighColor(tint_color(panel, B_DARKEN_4_TINT));
	StrokeArc(circle, 45, 180);
	SetHighColor(make_color(255, 255, 255));
	StrokeArc(circle, 225, 180);
	SetHighColor(tint_color(panel, B_DARKEN_2_TINT));
	StrokeArc(circle.InsetByCopy(1, 1), 45, 180);

	if (Value() == B_CONTROL_ON) {
		SetHighColor(IsEnabled() ? make_color(0, 0, 0)
			: tint_color(panel, B_DISABLED_LABEL_TINT));
		FillEllipse(circle.InsetByCopy(3, 3));
	}

	const char* label = Label() != NULL ? Label() : "";
	float x = circle.right + kLabelGap;
	float y = CenteredBaseline(this, Bounds());
	SetHighColor(LabelColor(IsEnabled()));
	SetDrawingMode(B_OP_OVER);
	DrawString(label, BPoint(x, y));
	SetDrawingMode(B_OP_COPY);
	if (ShowsFocusMark()) {
		SetHighColor(keyboard_navigation_color());
		float width = StringWidth(label);
		StrokeLine(BPoint(x, y + 2), BPoint(x + width - 1, y + 2));
	}
}


void
BRadioButton::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	bool inside = TrackPress(this, where, [this](bool pressed) {
		fPressed = pressed;
		Draw(Bounds());
	});
	SetTracking(false);
	if (inside && Value() != B_CONTROL_ON) {
		SetValue(B_CONTROL_ON);
		Invoke();
	}
}


void
BRadioButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE)) {
		if (IsEnabled() && Value() != B_CONTROL_ON) {
			SetValue(B_CONTROL_ON);
			Invoke();
		}
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}


void
BRadioButton::SetValue(int32 value)
{
	value = value != B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF;
	BControl::SetValue(value);
	if (value == B_CONTROL_ON)
		_TurnOffSiblings();
}


void
BRadioButton::_TurnOffSiblings()
{
	BView* parent = Parent();
	if (parent == NULL) {
		// Views added straight to a window share the window's top view.
		if (Window() == NULL)
			return;
		for (int32 i = 0; BView* child = Window()->ChildAt(i); i++) {
			BRadioButton* radio = dynamic_cast<BRadioButton*>(child);
			if (radio != NULL && radio != this)
				radio->SetValue(B_CONTROL_OFF);
		}
		return;
	}
	for (int32 i = 0; BView* child = parent->ChildAt(i); i++) {
		BRadioButton* radio = dynamic_cast<BRadioButton*>(child);
		if (radio != NULL && radio != this)
			radio->SetValue(B_CONTROL_OFF);
	}
}


void
BRadioButton::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL) {
		*width = std::ceil(kCircleSize + 1 + kLabelGap
			+ StringWidth(Label() != NULL ? Label() : "")) + 2;
	}
	if (height != NULL) {
		*height = std::max(kCircleSize + 2,
			std::ceil(fontHeight.ascent + fontHeight.descent) + 4);
	}
}
