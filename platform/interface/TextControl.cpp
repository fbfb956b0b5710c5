#include <TextControl.h>

#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include "interface/controls/ControlLook.h"
#include "interface/controls/TextControlField.h"

#include <algorithm>
#include <cmath>

using namespace BPrivate;

// The space between the end of the label and the field.
static const float kLabelGap = 8.0f;


BTextControl::BTextControl(BRect frame, const char* name, const char* label,
	const char* initialText, BMessage* message, uint32 resizingMode, uint32 flags)
	:
	// The field, not the control, is what Tab reaches.
	BControl(frame, name, label, message, resizingMode, flags & ~B_NAVIGABLE),
	fField(NULL),
	fModificationMessage(NULL),
	fLabelAlignment(B_ALIGN_LEFT),
	fDivider(0),
	fChangedSinceInvoke(false),
	fSettingText(false)
{
	if (label != NULL && label[0] != '\0')
		fDivider = std::ceil(StringWidth(label)) + kLabelGap;
	float height;
	GetPreferredSize(NULL, &height);
	ResizeTo(frame.Width(), height);

	fField = new TextControlField(_FieldFrame().InsetByCopy(2, 2), this);
	fSettingText = true;
	fField->SetText(initialText != NULL ? initialText : "");
	fSettingText = false;
	AddChild(fField);
}


BTextControl::~BTextControl()
{
	delete fModificationMessage;
}


void
BTextControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	_LayoutField();
}


BRect
BTextControl::_FieldFrame() const
{
	BRect bounds = Bounds();
	return BRect(bounds.left + fDivider, bounds.top, bounds.right, bounds.bottom);
}


void
BTextControl::_LayoutField()
{
	if (fField == NULL)
		return;
	BRect frame = _FieldFrame().InsetByCopy(2, 2);
	if (!frame.IsValid())
		frame.right = frame.left;
	fField->MoveTo(frame.LeftTop());
	fField->ResizeTo(frame.Width(), frame.Height());
}


void
BTextControl::Draw(BRect updateRect)
{
	BRect field = _FieldFrame();
	SetDrawingMode(B_OP_COPY);
	if (ShowsFocusMark() || (fField != NULL && fField->IsFocus()
			&& Window() != NULL && Window()->IsActive())) {
		// The focused field is framed in the navigation colour.
		SetHighColor(keyboard_navigation_color());
		StrokeRect(field);
		SetHighColor(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_4_TINT));
		StrokeRect(field.InsetByCopy(1, 1));
	} else
		DrawSunkenFrame(this, field);

	const char* label = Label();
	if (label != NULL) {
		float width = StringWidth(label);
		float x = 0;
		float room = std::max(0.0f, fDivider - kLabelGap);
		if (fLabelAlignment == B_ALIGN_RIGHT)
			x = room - width;
		else if (fLabelAlignment == B_ALIGN_CENTER)
			x = (room - width) / 2;
		SetHighColor(LabelColor(IsEnabled()));
		SetDrawingMode(B_OP_OVER);
		DrawString(label, BPoint(std::floor(std::max(0.0f, x)),
			CenteredBaseline(this, Bounds())));
		SetDrawingMode(B_OP_COPY);
	}
}


void
BTextControl::MouseDown(BPoint where)
{
	if (IsEnabled() && fField != NULL)
		fField->MakeFocus(true);
}


void
BTextControl::FrameResized(float width, float height)
{
	_LayoutField();
	Invalidate();
	BControl::FrameResized(width, height);
}


void
BTextControl::MakeFocus(bool focus)
{
	if (fField == NULL)
		return;
	if (focus && IsEnabled()) {
		fField->MakeFocus(true);
		fField->SelectAll();
	} else if (!focus)
		fField->MakeFocus(false);
}


void
BTextControl::WindowActivated(bool active)
{
	if (fField != NULL && fField->IsFocus())
		Invalidate();
	BControl::WindowActivated(active);
}


void
BTextControl::SetEnabled(bool enabled)
{
	if (enabled == IsEnabled())
		return;
	BControl::SetEnabled(enabled);
	if (fField == NULL)
		return;
	if (!enabled && fField->IsFocus())
		fField->MakeFocus(false);
	fField->MakeEditable(enabled);
	fField->MakeSelectable(enabled);
	fField->SetFlags(enabled ? (fField->Flags() | B_NAVIGABLE)
		: (fField->Flags() & ~B_NAVIGABLE));
	rgb_color background = enabled ? make_color(255, 255, 255)
		: ui_color(B_PANEL_BACKGROUND_COLOR);
	fField->SetViewColor(background);
	fField->SetLowColor(background);
	rgb_color text = LabelColor(enabled);
	fField->SetFontAndColor(NULL, 0, &text);
	fField->Invalidate();
}


void
BTextControl::SetText(const char* text)
{
	fSettingText = true;
	fField->SetText(text != NULL ? text : "");
	fSettingText = false;
	fChangedSinceInvoke = false;
}


const char*
BTextControl::Text() const
{
	return fField->Text();
}


BTextView*
BTextControl::TextView() const
{
	return fField;
}


void
BTextControl::SetModificationMessage(BMessage* message)
{
	if (message == fModificationMessage)
		return;
	delete fModificationMessage;
	fModificationMessage = message;
}


BMessage*
BTextControl::ModificationMessage() const
{
	return fModificationMessage;
}


void
BTextControl::SetAlignment(alignment forLabel, alignment forText)
{
	fLabelAlignment = forLabel;
	fField->SetAlignment(forText);
	Invalidate();
}


void
BTextControl::GetAlignment(alignment* forLabel, alignment* forText) const
{
	if (forLabel != NULL)
		*forLabel = fLabelAlignment;
	if (forText != NULL)
		*forText = fField->Alignment();
}


void
BTextControl::SetDivider(float dividingLine)
{
	fDivider = std::floor(std::max(0.0f, std::min(dividingLine, Bounds().Width())));
	_LayoutField();
	Invalidate();
}


float
BTextControl::Divider() const
{
	return fDivider;
}


void
BTextControl::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL) {
		float textWidth = fField != NULL ? StringWidth(fField->Text()) : 0;
		*width = std::ceil(fDivider + std::max(textWidth, 20.0f) + 10);
	}
	if (height != NULL)
		*height = std::ceil(fontHeight.ascent + fontHeight.descent) + 8;
}


void
BTextControl::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


void
BTextControl::_FieldChanged()
{
	if (fSettingText)
		return;
	fChangedSinceInvoke = true;
	if (fModificationMessage != NULL)
		BControl::Invoke(fModificationMessage);
}


void
BTextControl::_FieldFocusChanged(bool focused)
{
	if (!focused && fChangedSinceInvoke) {
		fChangedSinceInvoke = false;
		Invoke();
	}
	Invalidate();
}
