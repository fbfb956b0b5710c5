#include <CheckBox.h>

#include <Window.h>

#include "interface/controls/ControlLook.h"
#include "interface/controls/Tracking.h"

#include <algorithm>
#include <cmath>

using namespace BPrivate;

static const float kBoxSize = 12.0f;
static const float kLabelGap = 6.0f;


BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags),
	fPressed(false)
{
}


BCheckBox::~BCheckBox()
{
}


BRect
BCheckBox::_BoxFrame() const
{
	return BPrivate::LeftMarkFrame(Bounds(), kBoxSize);
}


void
BCheckBox::Draw(BRect updateRect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	BRect box = _BoxFrame();
	SetDrawingMode(B_OP_COPY);
	SetHighColor(ViewColor());
	FillRect(Bounds());

	DrawSunkenFrame(this, box);
	BRect inside = box.InsetByCopy(2, 2);
	rgb_color fill = IsEnabled() ? make_color(255, 255, 255) : panel;
	if (fPressed)
		fill = tint_color(panel, B_DARKEN_1_TINT);
	SetHighColor(fill);
	FillRect(inside);

	if (Value() == B_CONTROL_ON) {
		// R5's cross, two pixels wide.
		rgb_color mark = IsEnabled() ? make_color(0, 0, 0)
			: tint_color(panel, B_DISABLED_LABEL_TINT);
		SetHighColor(mark);
		BRect cross = inside.InsetByCopy(1, 1);
		StrokeLine(cross.LeftTop(), cross.RightBottom());
		StrokeLine(BPoint(cross.left + 1, cross.top), BPoint(cross.right, cross.bottom - 1));
		StrokeLine(cross.LeftBottom(), cross.RightTop());
		StrokeLine(BPoint(cross.left + 1, cross.bottom), BPoint(cross.right, cross.top + 1));
	}

	const char* label = Label() != NULL ? Label() : "";
	float x = box.right + kLabelGap;
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
BCheckBox::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	bool inside = TrackPress(this, where, [this](bool pressed) {
		fPressed = pressed;
		Draw(Bounds());
	});
	SetTracking(false);
	if (inside) {
		SetValue(Value() == B_CONTROL_ON ? B_CONTROL_OFF : B_CONTROL_ON);
		Invoke();
	}
}


void
BCheckBox::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL) {
		*width = std::ceil(kBoxSize + 1 + kLabelGap
			+ StringWidth(Label() != NULL ? Label() : "")) + 2;
	}
	if (height != NULL) {
		*height = std::max(kBoxSize + 2,
			std::ceil(fontHeight.ascent + fontHeight.descent) + 4);
	}
}
