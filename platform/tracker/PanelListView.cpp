#include "tracker/PanelListView.h"

#include <InterfaceDefs.h>
#include <OS.h>
#include <Window.h>

#include "tracker/PanelEntryItem.h"

#include <algorithm>
#include <strings.h>

namespace BPrivate {

// Letters typed within this time of each other make one prefix.
static const bigtime_t kTypeAheadPause = 1000000;


PanelListView::PanelListView(BRect frame, list_view_type type)
	:
	BListView(frame, "entries", type, B_FOLLOW_ALL,
		B_WILL_DRAW | B_NAVIGABLE | B_FRAME_EVENTS | B_FULL_UPDATE_ON_RESIZE),
	fLastTyped(0)
{
}


void
PanelListView::SetNote(const char* note)
{
	fNote = note != NULL ? note : "";
	if (Window() != NULL)
		Invalidate();
}


void
PanelListView::Draw(BRect updateRect)
{
	BListView::Draw(updateRect);
	if (CountItems() > 0 || fNote.empty())
		return;
	BRect bounds = Bounds();
	SetHighColor(make_color(96, 96, 96));
	SetLowColor(ViewColor());
	float width = StringWidth(fNote.c_str());
	font_height height;
	GetFontHeight(&height);
	DrawString(fNote.c_str(), BPoint(bounds.left + std::max(8.0f,
		(bounds.Width() - width) / 2), bounds.top + 12 + height.ascent));
}


void
PanelListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_BACKSPACE) {
		if (Window() != NULL)
			Window()->PostMessage(kPanelGoUp);
		return;
	}
	if (_TypeAhead(bytes, numBytes))
		return;
	BListView::KeyDown(bytes, numBytes);
}


bool
PanelListView::_TypeAhead(const char* bytes, int32 numBytes)
{
	if (numBytes < 1 || (uint8)bytes[0] <= ' ' || bytes[0] == 0x7f)
		return false;
	bigtime_t now = system_time();
	if (now - fLastTyped > kTypeAheadPause)
		fTyped.clear();
	fLastTyped = now;
	fTyped.append(bytes, numBytes);

	for (int32 i = 0; i < CountItems(); i++) {
		PanelEntryItem* item = dynamic_cast<PanelEntryItem*>(ItemAt(i));
		if (item != NULL && strncasecmp(item->Entry().name.c_str(), fTyped.c_str(),
				fTyped.size()) == 0) {
			Select(i);
			ScrollToSelection();
			return true;
		}
	}
	return true;
}

}	// namespace BPrivate
