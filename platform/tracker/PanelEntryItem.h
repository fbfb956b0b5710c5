/*
 * PanelEntryItem: one row of the file panel's list: an icon, the name, and for files
 * the size and the time of the last change, in the columns of PanelColumns.
 */
#ifndef _TRACKER_PANEL_ENTRY_ITEM_H
#define _TRACKER_PANEL_ENTRY_ITEM_H

#include <ListItem.h>

#include <string>

#include "tracker/FolderListing.h"

namespace BPrivate {

// Where the columns begin in a list width wide: the name after the icon, the size ending
// at sizeRight, the time of change starting at modifiedLeft.
struct PanelColumns {
	float	nameLeft;
	float	sizeRight;
	float	modifiedLeft;

	static	PanelColumns	For(float width);
};

// "12 bytes", "3.4 KB", "120 MB": the size column's text.
std::string	FormatSize(off_t size);

class PanelEntryItem : public BListItem {
public:
								PanelEntryItem(const PanelEntry& entry);

			const PanelEntry&	Entry() const { return fEntry; }

	virtual	void				DrawItem(BView* owner, BRect frame, bool complete = false);
	virtual	void				Update(BView* owner, const BFont* font);

private:
			PanelEntry			fEntry;
			float				fBaseline;
};

}	// namespace BPrivate

#endif	// _TRACKER_PANEL_ENTRY_ITEM_H
