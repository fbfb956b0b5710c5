#include "interface/controls/ControlLook.h"

#include <InterfaceDefs.h>
#include <View.h>

#include <cmath>

namespace BPrivate {

void
DrawBevel(BView* view, BRect rect, rgb_color topLeft, rgb_color bottomRight)
{
	view->BeginLineArray(4);
	view->AddLine(rect.LeftBottom(), rect.LeftTop(), topLeft);
	view->AddLine(rect.LeftTop(), rect.RightTop(), topLeft);
	view->AddLine(BPoint(rect.right, rect.top + 1), rect.RightBottom(), bottomRight);
	view->AddLine(rect.RightBottom(), BPoint(rect.left + 1, rect.bottom), bottomRight);
	view->EndLineArray();
}


void
DrawSunkenFrame(BView* view, BRect rect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	DrawBevel(view, rect, tint_color(panel, B_DARKEN_1_TINT), make_color(255, 255, 255));
	rect.InsetBy(1, 1);
	DrawBevel(view, rect, tint_color(panel, B_DARKEN_4_TINT), panel);
}


rgb_color
LabelColor(bool enabled)
{
	rgb_color text = ui_color(B_PANEL_TEXT_COLOR);
	if (enabled)
		return text;
	return tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DISABLED_LABEL_TINT);
}


BRect
LeftMarkFrame(BRect bounds, float size)
{
	float top = std::floor(bounds.top + (bounds.Height() + 1 - size) / 2);
	return BRect(bounds.left + 1, top, bounds.left + size, top + size - 1);
}


float
CenteredBaseline(BView* view, BRect rect)
{
	font_height height;
	view->GetFontHeight(&height);
	return std::floor(rect.top + (rect.Height() + 1 - height.ascent - height.descent) / 2
		+ height.ascent);
}

}	// namespace BPrivate
