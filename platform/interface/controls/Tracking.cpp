#include "interface/controls/Tracking.h"

#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

namespace BPrivate {

bool
TrackPress(BView* view, BPoint where, const std::function<void(bool inside)>& pressedChanged)
{
	uint32 buttons = B_PRIMARY_MOUSE_BUTTON;
	BWindow* window = view->Window();
	if (window != NULL && window->CurrentMessage() != NULL)
		window->CurrentMessage()->FindInt32("buttons", (int32*)&buttons);

	bool inside = true;
	pressedChanged(true);
	BPoint point = where;
	while (buttons != 0) {
		snooze(20000);
		view->GetMouse(&point, &buttons, false);
		bool nowInside = view->Bounds().Contains(point);
		if (buttons != 0 && nowInside != inside) {
			inside = nowInside;
			pressedChanged(inside);
		}
	}
	inside = view->Bounds().Contains(point);
	pressedChanged(false);
	return inside;
}

}	// namespace BPrivate
