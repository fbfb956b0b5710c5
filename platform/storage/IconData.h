/*
 * Moving R5's raw B_CMAP8 icon bytes in and out of bitmaps, for BNodeInfo and BMimeType.
 */
#ifndef _STORAGE_ICON_DATA_H
#define _STORAGE_ICON_DATA_H

#include <Mime.h>

#include <vector>

class BBitmap;

namespace BPrivate {

// Whether which is an icon size and icon a valid bitmap of that size.
status_t check_icon_bitmap(const BBitmap* icon, icon_size which);

// The which x which bytes of a B_CMAP8 icon bitmap; B_BAD_VALUE for another space.
status_t icon_bytes_from_bitmap(const BBitmap* icon, icon_size which,
	std::vector<char>& bytes);

// Fills icon with raw B_CMAP8 bytes; B_BAD_DATA when their count does not fit the size.
status_t icon_bytes_to_bitmap(const std::vector<char>& bytes, icon_size which,
	BBitmap* icon);

}	// namespace BPrivate

#endif	// _STORAGE_ICON_DATA_H
