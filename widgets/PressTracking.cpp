#include "PressTracking.h"

#include <Application.h>
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>


namespace PressTracking {


const rgb_color kLightEdge = { 250, 250, 250, 255 };
const rgb_color kDarkEdge = { 128, 128, 128, 255 };


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
