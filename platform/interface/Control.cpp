#include <Control.h>

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include <cmath>


BControl::BControl(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	BInvoker(message, NULL, NULL),
	fLabel(label != NULL ? label : ""),
	fValue(B_CONTROL_OFF),
	fEnabled(true),
	fFocusChanging(false),
	fTracking(false),
	fWantsNavigation((flags & B_NAVIGABLE) != 0)
{
}


BControl::~BControl()
{
}


void
BControl::AttachedToWindow()
{
	rgb_color color = ui_color(B_PANEL_BACKGROUND_COLOR);
	if (Parent() != NULL)
		color = Parent()->ViewColor();
	SetViewColor(color);
	SetLowColor(color);
	if (!Messenger().IsValid())
		SetTarget(Window());
	BView::AttachedToWindow();
}


void
BControl::WindowActivated(bool active)
{
	if (IsFocus())
		Invalidate();
	BView::WindowActivated(active);
}


void
BControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE)) {
		if (fEnabled) {
			SetValue(Value() ? B_CONTROL_OFF : B_CONTROL_ON);
			Invoke();
		}
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BControl::MakeFocus(bool focus)
{
	// Also called on the view losing the focus after the window has moved it on, so
	// the redraw does not depend on IsFocus() having changed here.
	fFocusChanging = true;
	BView::MakeFocus(focus);
	Invalidate();
	fFocusChanging = false;
}


void
BControl::SetLabel(const char* label)
{
	std::string text = label != NULL ? label : "";
	if (text == fLabel)
		return;
	fLabel = text;
	Invalidate();
}


const char*
BControl::Label() const
{
	return fLabel.empty() ? NULL : fLabel.c_str();
}


void
BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}


int32
BControl::Value() const
{
	return fValue;
}


void
BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	// A disabled control takes no part in keyboard navigation.
	if (fWantsNavigation) {
		uint32 flags = Flags();
		SetFlags(enabled ? (flags | B_NAVIGABLE) : (flags & ~B_NAVIGABLE));
	}
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}


bool
BControl::IsEnabled() const
{
	return fEnabled;
}


void
BControl::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL)
		*width = std::ceil(StringWidth(fLabel.c_str()));
	if (height != NULL)
		*height = std::ceil(fontHeight.ascent + fontHeight.descent);
}


void
BControl::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


status_t
BControl::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("be:value", fValue);
	return BInvoker::Invoke(&copy);
}


bool
BControl::IsFocusChanging() const
{
	return fFocusChanging;
}


bool
BControl::IsTracking() const
{
	return fTracking;
}


void
BControl::SetTracking(bool tracking)
{
	fTracking = tracking;
}


void
BControl::SetValueNoUpdate(int32 value)
{
	fValue = value;
}


bool
BControl::ShowsFocusMark() const
{
	return IsFocus() && Window() != NULL && Window()->IsActive();
}
