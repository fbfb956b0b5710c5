#include "tracker/PanelColumnHeader.h"

#include <InterfaceDefs.h>

#include "tracker/PanelEntryItem.h"

namespace BPrivate {

PanelColumnHeader::PanelColumnHeader(BRect frame)
	:
	BView(frame, "column titles", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	BFont font(be_plain_font);
	font.SetSize(10);
	SetFont(&font);
}


void
PanelColumnHeader::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	PanelColumns columns = PanelColumns::For(bounds.Width() + 1);
	_DrawTitle("Name", bounds.left, columns.sizeRight - 70, false);
	_DrawTitle("Size", columns.sizeRight - 70, columns.modifiedLeft - 6, true);
	_DrawTitle("Modified", columns.modifiedLeft - 6, bounds.right, false);
}


void
PanelColumnHeader::_DrawTitle(const char* title, float left, float right, bool alignRight)
{
	BRect bounds = Bounds();
	BRect box(left, bounds.top, right, bounds.bottom);
	rgb_color panel = ViewColor();
	SetHighColor(make_color(255, 255, 255));
	StrokeLine(box.LeftTop(), box.RightTop());
	StrokeLine(box.LeftTop(), box.LeftBottom());
	SetHighColor(tint_color(panel, B_DARKEN_2_TINT));
	StrokeLine(box.LeftBottom(), box.RightBottom());
	StrokeLine(box.RightTop(), box.RightBottom());

	font_height height;
	GetFontHeight(&height);
	float baseline = box.top + (box.Height() - height.ascent - height.descent) / 2
		+ height.ascent;
	float x = alignRight ? box.right - 6 - StringWidth(title) : box.left + 6;
	SetHighColor(make_color(0, 0, 0));
	SetLowColor(panel);
	DrawString(title, BPoint(x, baseline));
}

}	// namespace BPrivate
