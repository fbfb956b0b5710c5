#include "PressTracking.h"

#include <Application.h>
#include <Bitmap.h>
#include <Font.h>
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>


namespace PressTracking {


const rgb_color kLightEdge = { 250, 250, 250, 255 };
const rgb_color kDarkEdge = { 128, 128, 128, 255 };
static const rgb_color kLabelColor = { 0, 0, 0, 255 };


bool
IsOutside(BRect rect, BPoint point)
{
	return point.x < rect.left || point.x > rect.right || point.y < rect.top
		|| point.y > rect.bottom;
}


bool
IsStrictlyInside(BRect rect, BPoint point)
{
	return point.x > rect.left && point.x < rect.right && point.y > rect.top
		&& point.y < rect.bottom;
}


bool
Track(BView* view, const std::function<void(int32 state)>& show)
{
	BPoint where;
	uint32 buttons = 0;
	bool known = false;
	BWindow* window = view->Window();
	if (window != NULL && window->CurrentMessage() != NULL) {
		int32 pressed;
		if (window->CurrentMessage()->FindInt32("buttons", &pressed) == B_OK) {
			buttons = (uint32)pressed;
			known = true;
		}
	}
	// A press that came without its buttons (a call from code) reads them live.
	if (!known)
		view->GetMouse(&where, &buttons, false);

	bool armed = true;
	bool left = false;
	bool backInside = false;
	while (buttons != 0) {
		snooze(20000);
		view->GetMouse(&where, &buttons, false);
		BRect bounds = view->Bounds();
		if (IsOutside(bounds, where) && !left) {
			armed = false;
			show(0);
			left = true;
			backInside = false;
		} else if (IsStrictlyInside(bounds, where) && !backInside) {
			armed = true;
			show(2);
			left = false;
			backInside = true;
		}
	}
	return armed;
}


bool
Press(BView* view, int32& state, const std::function<void()>& redraw,
	const std::function<void()>& pressed)
{
	state = 2;
	redraw();
	if (pressed)
		pressed();

	bool clicked = Track(view, [&](int32 shown) {
		state = shown;
		redraw();
	});
	state = clicked ? 1 : 0;
	redraw();
	return clicked;
}


void
FollowTransit(uint32 transit, int32& state, const std::function<void()>& redraw,
	bool outsideLeaves)
{
	if (transit == B_ENTERED_VIEW) {
		state = 1;
		redraw();
	} else if (transit == B_EXITED_VIEW
		|| (outsideLeaves && transit == B_OUTSIDE_VIEW && state != 0)) {
		state = 0;
		redraw();
	}
}


void
Redraw(BView* view)
{
	if (view->Window() != NULL)
		view->Draw(view->Bounds());
}


void
TakeParentColor(BView* view, rgb_color& background)
{
	if (view->Parent() != NULL) {
		background = view->Parent()->ViewColor();
		view->SetViewColor(background);
	}
}


void
SetUpLabelItem(BView* view, const char* label, int32 height)
{
	BFont font(be_plain_font);
	font.SetSize(12);
	view->SetFont(&font, B_FONT_ALL);

	// A label narrower than the initial frame keeps it until the first SetSize.
	float width = view->StringWidth(label != NULL ? label : "");
	if (view->Bounds().right - 10 <= (int32)width)
		view->ResizeTo(width + 10, height);
}


void
SizeLabelItem(BView* view, const char* label, int size)
{
	view->ResizeTo(view->StringWidth(label != NULL ? label : "") + 10, size);
	view->Invalidate();
}


void
DrawCentredLabel(BView* view, const char* label, rgb_color background)
{
	if (label == NULL)
		return;
	BRect bounds = view->Bounds();
	float x = (int32)((bounds.right - (int32)view->StringWidth(label)) * 0.5);
	float y = (int32)((bounds.bottom + 12) * 0.5);
	view->SetHighColor(kLabelColor);
	view->SetLowColor(background);
	view->DrawString(label, BPoint(x, y));
}


void
AutoSizeButton(BView* view, const char* label, bool hasIcon)
{
	float width = view->StringWidth(label != NULL ? label : "");
	if (view->Bounds().right - 10 <= (int32)width)
		view->ResizeTo(width + (hasIcon ? 40 : 20), 24);
	else
		view->ResizeTo(view->Bounds().right, 24);
}


void
DrawIconAndLabel(BView* view, bool hasIcon, BBitmap* icon, const char* label,
	rgb_color face, float y)
{
	if (hasIcon && icon != NULL) {
		view->SetDrawingMode(B_OP_MIN);
		view->DrawBitmap(icon, BPoint(1, 1));
		view->SetDrawingMode(B_OP_COPY);
	}

	if (label != NULL) {
		BRect bounds = view->Bounds();
		float textWidth = (int32)view->StringWidth(label);
		float x = hasIcon ? (int32)((bounds.right - 24 - textWidth) * 0.5) + 24
			: (int32)((bounds.right - textWidth) * 0.5);
		view->SetHighColor(kLabelColor);
		view->SetLowColor(face);
		view->DrawString(label, BPoint(x, y));
	}
}


void
DrawFrame(BView* view, BRect rect, rgb_color topLeft, rgb_color bottomRight)
{
	view->BeginLineArray(4);
	view->AddLine(BPoint(rect.left, rect.top), BPoint(rect.right, rect.top), topLeft);
	view->AddLine(BPoint(rect.left, rect.top), BPoint(rect.left, rect.bottom), topLeft);
	view->AddLine(BPoint(rect.right, rect.top), BPoint(rect.right, rect.bottom),
		bottomRight);
	view->AddLine(BPoint(rect.left, rect.bottom), BPoint(rect.right, rect.bottom),
		bottomRight);
	view->EndLineArray();
}


void
DrawFace(BView* view, int32 state, rgb_color background)
{
	BRect bounds = view->Bounds();
	view->SetHighColor(background);
	view->FillRect(bounds);
	if (state == 1)
		DrawFrame(view, bounds, kLightEdge, kDarkEdge);
	else if (state == 2)
		DrawFrame(view, bounds, kDarkEdge, kLightEdge);
}


void
PostToWindowAndApp(BView* view, BMessage* message)
{
	if (message == NULL)
		return;
	if (view->Window() != NULL)
		view->Window()->PostMessage(message);
	if (be_app != NULL)
		be_app->PostMessage(message);
}


}	// namespace PressTracking
