/*
 * The small (16 x 16) icons of the file panel's list, drawn with the view's own calls so
 * the panel needs no picture files: a folder, a link to a folder, and a document.
 */
#ifndef _TRACKER_PANEL_ICONS_H
#define _TRACKER_PANEL_ICONS_H

#include <Point.h>

class BView;

namespace BPrivate {

// leftTop is the icon's top left corner in view's coordinates.
void	DrawFolderIcon(BView* view, BPoint leftTop);
void	DrawDocumentIcon(BView* view, BPoint leftTop);
// The little curved arrow drawn over the corner of an icon that stands for a link.
void	DrawLinkMark(BView* view, BPoint leftTop);

}	// namespace BPrivate

#endif	// _TRACKER_PANEL_ICONS_H
