#include "tracker/PanelIcons.h"

#include <GraphicsDefs.h>
#include <View.h>

namespace BPrivate {

static const rgb_color kOutline = { 0, 0, 0, 255 };
static const rgb_color kFolderFace = { 255, 203, 51, 255 };
static const rgb_color kFolderLight = { 255, 236, 153, 255 };
static const rgb_color kFolderShade = { 204, 143, 0, 255 };
static const rgb_color kPaper = { 255, 255, 255, 255 };
static const rgb_color kPaperShade = { 200, 200, 200, 255 };
static const rgb_color kPrint = { 120, 120, 152, 255 };


void
DrawFolderIcon(BView* view, BPoint o)
{
	view->PushState();
	// The tab at the back, then the body, lit from the top left as R5 icons are.
	view->SetHighColor(kFolderShade);
	view->FillRect(BRect(o.x + 1, o.y + 2, o.x + 6, o.y + 4));
	view->SetHighColor(kFolderFace);
	view->FillRect(BRect(o.x + 1, o.y + 4, o.x + 14, o.y + 13));
	view->SetHighColor(kFolderLight);
	view->StrokeLine(BPoint(o.x + 2, o.y + 5), BPoint(o.x + 13, o.y + 5));
	view->StrokeLine(BPoint(o.x + 2, o.y + 5), BPoint(o.x + 2, o.y + 12));
	view->SetHighColor(kFolderShade);
	view->StrokeLine(BPoint(o.x + 2, o.y + 12), BPoint(o.x + 13, o.y + 12));
	view->SetHighColor(kOutline);
	view->StrokeLine(BPoint(o.x + 1, o.y + 1), BPoint(o.x + 6, o.y + 1));
	view->StrokeLine(BPoint(o.x + 7, o.y + 2), BPoint(o.x + 7, o.y + 3));
	view->StrokeLine(BPoint(o.x + 7, o.y + 3), BPoint(o.x + 14, o.y + 3));
	view->StrokeLine(BPoint(o.x, o.y + 2), BPoint(o.x, o.y + 13));
	view->StrokeLine(BPoint(o.x + 15, o.y + 4), BPoint(o.x + 15, o.y + 13));
	view->StrokeLine(BPoint(o.x, o.y + 14), BPoint(o.x + 15, o.y + 14));
	view->PopState();
}


void
DrawDocumentIcon(BView* view, BPoint o)
{
	view->PushState();
	BPoint page[5] = {
		BPoint(o.x + 2, o.y), BPoint(o.x + 10, o.y), BPoint(o.x + 13, o.y + 3),
		BPoint(o.x + 13, o.y + 15), BPoint(o.x + 2, o.y + 15)
	};
	view->SetHighColor(kPaper);
	view->FillPolygon(page, 5);
	view->SetHighColor(kPaperShade);
	view->FillTriangle(BPoint(o.x + 10, o.y), BPoint(o.x + 10, o.y + 3),
		BPoint(o.x + 13, o.y + 3));
	view->SetHighColor(kPrint);
	for (float y = o.y + 5; y <= o.y + 12; y += 2)
		view->StrokeLine(BPoint(o.x + 4, y), BPoint(o.x + 11, y));
	view->SetHighColor(kOutline);
	view->StrokePolygon(page, 5);
	view->StrokeLine(BPoint(o.x + 10, o.y), BPoint(o.x + 10, o.y + 3));
	view->StrokeLine(BPoint(o.x + 10, o.y + 3), BPoint(o.x + 13, o.y + 3));
	view->PopState();
}


void
DrawLinkMark(BView* view, BPoint o)
{
	view->PushState();
	BRect box(o.x, o.y + 9, o.x + 6, o.y + 15);
	view->SetHighColor(kPaper);
	view->FillRect(box);
	view->SetHighColor(kOutline);
	view->StrokeRect(box);
	view->StrokeLine(BPoint(box.left + 2, box.bottom - 2), BPoint(box.right - 2, box.top + 2));
	view->StrokeLine(BPoint(box.right - 3, box.top + 2), BPoint(box.right - 2, box.top + 2));
	view->StrokeLine(BPoint(box.right - 2, box.top + 2), BPoint(box.right - 2, box.top + 3));
	view->PopState();
}

}	// namespace BPrivate
