#include "tracker/PanelEntryItem.h"

#include <InterfaceDefs.h>
#include <View.h>

#include "tracker/PanelIcons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace BPrivate {

static const float kIconLeft = 4;
static const float kIconSize = 16;


PanelColumns
PanelColumns::For(float width)
{
	PanelColumns columns;
	columns.nameLeft = kIconLeft + kIconSize + 6;
	// The name takes what the two fixed columns leave, but never less than 200 pixels.
	columns.modifiedLeft = std::max(columns.nameLeft + 200, width - 150);
	columns.sizeRight = columns.modifiedLeft - 12;
	return columns;
}


std::string
FormatSize(off_t size)
{
	char text[32];
	if (size < 1024)
		snprintf(text, sizeof(text), "%lld bytes", (long long)size);
	else if (size < 1024 * 1024)
		snprintf(text, sizeof(text), "%.1f KB", size / 1024.0);
	else if (size < 1024LL * 1024 * 1024)
		snprintf(text, sizeof(text), "%.1f MB", size / (1024.0 * 1024));
	else
		snprintf(text, sizeof(text), "%.1f GB", size / (1024.0 * 1024 * 1024));
	return text;
}


static std::string
FormatTime(time_t when)
{
	struct tm local;
	if (localtime_r(&when, &local) == NULL)
		return "";
	char text[64];
	strftime(text, sizeof(text), "%b %d %Y, %H:%M", &local);
	return text;
}


PanelEntryItem::PanelEntryItem(const PanelEntry& entry)
	:
	fEntry(entry),
	fBaseline(12)
{
}


void
PanelEntryItem::Update(BView* owner, const BFont* font)
{
	BListItem::Update(owner, font);
	font_height height;
	font->GetHeight(&height);
	float textHeight = ceilf(height.ascent + height.descent + height.leading);
	float rowHeight = std::max(textHeight, kIconSize) + 4;
	SetHeight(rowHeight);
	fBaseline = floorf((rowHeight - textHeight) / 2 + height.ascent);
}


void
PanelEntryItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	rgb_color background = owner->ViewColor();
	if (IsSelected())
		background = tint_color(background, B_HIGHLIGHT_BACKGROUND_TINT);
	if (IsSelected() || complete) {
		owner->SetHighColor(background);
		owner->FillRect(frame);
	}
	owner->SetLowColor(background);

	BPoint iconTop(frame.left + kIconLeft, frame.top + floorf((frame.Height() - kIconSize) / 2));
	if (fEntry.isDirectory)
		DrawFolderIcon(owner, iconTop);
	else
		DrawDocumentIcon(owner, iconTop);
	if (fEntry.isLink)
		DrawLinkMark(owner, iconTop);

	PanelColumns columns = PanelColumns::For(frame.Width() + 1);
	float baseline = frame.top + fBaseline;
	owner->SetHighColor(IsEnabled() ? make_color(0, 0, 0) : make_color(128, 128, 128));

	// The name is cut short rather than run into the next column.
	std::string name = fEntry.name;
	float room = columns.sizeRight - 70 - columns.nameLeft;
	if (owner->StringWidth(name.c_str()) > room) {
		while (!name.empty() && owner->StringWidth((name + "...").c_str()) > room) {
			// Drop a whole UTF-8 character at a time.
			size_t cut = name.size() - 1;
			while (cut > 0 && ((unsigned char)name[cut] & 0xc0) == 0x80)
				cut--;
			name.erase(cut);
		}
		name += "...";
	}
	owner->DrawString(name.c_str(), BPoint(frame.left + columns.nameLeft, baseline));

	std::string size = fEntry.isDirectory ? "-" : FormatSize(fEntry.size);
	float sizeWidth = owner->StringWidth(size.c_str());
	owner->DrawString(size.c_str(),
		BPoint(frame.left + columns.sizeRight - sizeWidth, baseline));
	owner->DrawString(FormatTime(fEntry.modified).c_str(),
		BPoint(frame.left + columns.modifiedLeft, baseline));
}

}	// namespace BPrivate
