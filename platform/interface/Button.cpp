#include <Button.h>

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include "interface/controls/ControlLook.h"
#include "interface/controls/Tracking.h"

#include <algorithm>
#include <cmath>

using namespace BPrivate;

// The space kept around the face for the default button's frame.
static const float kDefaultInset = 3.0f;
static const float kLabelMargin = 20.0f;
static const float kMinimumWidth = 75.0f;


BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags),
	fDefault(false)
{
	float height;
	GetPreferredSize(NULL, &height);
	ResizeTo(frame.Width(), height);
}


BButton::~BButton()
{
}


void
BButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	if (fDefault && Window() != NULL)
		Window()->SetDefaultButton(this);
}


void
BButton::DetachedFromWindow()
{
	if (Window() != NULL && Window()->DefaultButton() == this)
		Window()->SetDefaultButton(NULL);
	BControl::DetachedFromWindow();
}


void
BButton::_DrawFace(BRect face, bool pressed)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color frame = tint_color(panel, IsEnabled() ? B_DARKEN_4_TINT : B_DARKEN_2_TINT);
	rgb_color light = make_color(255, 255, 255);
	rgb_color shadow = tint_color(panel, B_DARKEN_2_TINT);
	rgb_color fill = tint_color(panel, B_LIGHTEN_1_TINT);
	if (pressed) {
		fill = tint_color(panel, B_DARKEN_2_TINT);
		light = tint_color(panel, B_DARKEN_3_TINT);
		shadow = tint_color(panel, B_DARKEN_1_TINT);
	} else if (!IsEnabled()) {
		fill = panel;
		shadow = tint_color(panel, B_DARKEN_1_TINT);
	}

	SetHighColor(frame);
	StrokeRoundRect(face, 2, 2);
	BRect inner = face.InsetByCopy(1, 1);
	SetHighColor(fill);
	FillRect(inner);
	DrawBevel(this, inner, light, shadow);
}


void
BButton::Draw(BRect updateRect)
{
	rgb_color panel = ViewColor();
	BRect bounds = Bounds();
	SetDrawingMode(B_OP_COPY);
	SetHighColor(panel);
	FillRect(bounds);

	BRect face = bounds;
	if (fDefault) {
		// The default button's thick frame: two dark outlines around the face.
		SetHighColor(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_4_TINT));
		StrokeRoundRect(bounds.InsetByCopy(1, 1), 3, 3);
		StrokeRoundRect(bounds.InsetByCopy(2, 2), 2, 2);
		face = bounds.InsetByCopy(kDefaultInset, kDefaultInset);
	}
	bool pressed = Value() == B_CONTROL_ON;
	_DrawFace(face, pressed);

	const char* label = Label() != NULL ? Label() : "";
	float width = StringWidth(label);
	float x = std::floor(face.left + (face.Width() + 1 - width) / 2);
	float y = CenteredBaseline(this, face);
	SetHighColor(pressed ? make_color(255, 255, 255) : LabelColor(IsEnabled()));
	SetDrawingMode(B_OP_OVER);
	DrawString(label, BPoint(x, y));
	SetDrawingMode(B_OP_COPY);

	if (ShowsFocusMark()) {
		SetHighColor(keyboard_navigation_color());
		StrokeLine(BPoint(x, y + 2), BPoint(x + width - 1, y + 2));
	}
}


void
BButton::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	bool inside = TrackPress(this, where, [this](bool pressed) {
		SetValue(pressed ? B_CONTROL_ON : B_CONTROL_OFF);
		Draw(Bounds());
	});
	SetTracking(false);
	if (inside)
		Invoke();
}


void
BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE)) {
		if (!IsEnabled())
			return;
		// The press shows for a moment before the button invokes, as on R5.
		SetValue(B_CONTROL_ON);
		Draw(Bounds());
		Flush();
		snooze(50000);
		SetValue(B_CONTROL_OFF);
		Draw(Bounds());
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BButton::MakeDefault(bool isDefault)
{
	if (isDefault == fDefault) {
		if (isDefault && Window() != NULL && Window()->DefaultButton() != this)
			Window()->SetDefaultButton(this);
		return;
	}
	fDefault = isDefault;
	if (isDefault) {
		MoveBy(-kDefaultInset, -kDefaultInset);
		ResizeBy(2 * kDefaultInset, 2 * kDefaultInset);
	} else {
		MoveBy(kDefaultInset, kDefaultInset);
		ResizeBy(-2 * kDefaultInset, -2 * kDefaultInset);
	}
	if (Window() != NULL) {
		BWindow* window = Window();
		if (isDefault) {
			BButton* previous = dynamic_cast<BButton*>(window->DefaultButton());
			window->SetDefaultButton(this);
			if (previous != NULL && previous != this)
				previous->MakeDefault(false);
		} else if (window->DefaultButton() == this)
			window->SetDefaultButton(NULL);
	}
	Invalidate();
}


bool
BButton::IsDefault() const
{
	return fDefault;
}


void
BButton::SetLabel(const char* label)
{
	BControl::SetLabel(label);
}


void
BButton::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float extra = fDefault ? 2 * kDefaultInset : 0;
	if (width != NULL) {
		float labelWidth = std::ceil(StringWidth(Label() != NULL ? Label() : ""));
		*width = std::max(labelWidth + kLabelMargin, kMinimumWidth) + extra;
	}
	if (height != NULL)
		*height = std::ceil(fontHeight.ascent + fontHeight.descent) + 10 + extra;
}


void
BButton::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


status_t
BButton::Invoke(BMessage* message)
{
	Sync();
	return BControl::Invoke(message);
}
