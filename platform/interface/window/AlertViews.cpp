#include "interface/window/AlertViews.h"

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace BPrivate {

static const float kButtonLabelMargin = 20.0f;
static const float kUsualButtonWidth = 75.0f;


void
DrawAlertIcon(BView* view, alert_type type, BPoint where)
{
	BRect box(where.x, where.y, where.x + 31, where.y + 31);
	view->PushState();
	view->SetDrawingMode(B_OP_COPY);
	view->SetPenSize(1);
	BFont font(be_bold_font);
	font.SetSize(22);
	view->SetFont(&font);
	font_height height;
	font.GetHeight(&height);

	switch (type) {
		case B_INFO_ALERT:
		{
			view->SetHighColor(40, 90, 200);
			view->FillEllipse(box);
			view->SetHighColor(20, 50, 130);
			view->StrokeEllipse(box);
			view->SetHighColor(255, 255, 255);
			view->FillEllipse(BRect(box.left + 14, box.top + 5, box.left + 17, box.top + 8));
			view->FillRect(BRect(box.left + 14, box.top + 12, box.left + 17, box.top + 25));
			view->FillRect(BRect(box.left + 12, box.top + 24, box.left + 19, box.top + 25));
			break;
		}
		case B_IDEA_ALERT:
		{
			view->SetHighColor(255, 220, 40);
			view->FillEllipse(BRect(box.left + 6, box.top, box.left + 25, box.top + 20));
			view->FillRect(BRect(box.left + 11, box.top + 18, box.left + 20, box.top + 23));
			view->SetHighColor(150, 120, 0);
			view->StrokeEllipse(BRect(box.left + 6, box.top, box.left + 25, box.top + 20));
			view->SetHighColor(120, 120, 130);
			view->FillRect(BRect(box.left + 11, box.top + 24, box.left + 20, box.top + 29));
			view->SetHighColor(70, 70, 80);
			view->StrokeLine(BPoint(box.left + 11, box.top + 26),
				BPoint(box.left + 20, box.top + 26));
			view->FillRect(BRect(box.left + 13, box.top + 30, box.left + 18, box.top + 31));
			break;
		}
		case B_WARNING_ALERT:
		{
			BPoint top(box.left + 15.5f, box.top);
			BPoint left(box.left, box.bottom);
			BPoint right(box.right, box.bottom);
			view->SetHighColor(255, 204, 0);
			view->FillTriangle(top, left, right);
			view->SetHighColor(120, 90, 0);
			view->StrokeTriangle(top, left, right);
			view->SetHighColor(0, 0, 0);
			view->FillRect(BRect(box.left + 14, box.top + 10, box.left + 17, box.top + 22));
			view->FillRect(BRect(box.left + 14, box.top + 25, box.left + 17, box.top + 28));
			break;
		}
		case B_STOP_ALERT:
		{
			BPoint points[8] = {
				BPoint(box.left + 9, box.top), BPoint(box.left + 22, box.top),
				BPoint(box.right, box.top + 9), BPoint(box.right, box.top + 22),
				BPoint(box.left + 22, box.bottom), BPoint(box.left + 9, box.bottom),
				BPoint(box.left, box.top + 22), BPoint(box.left, box.top + 9)
			};
			view->SetHighColor(210, 30, 30);
			view->FillPolygon(points, 8);
			view->SetHighColor(120, 0, 0);
			view->StrokePolygon(points, 8);
			view->SetHighColor(255, 255, 255);
			view->FillRect(BRect(box.left + 6, box.top + 13, box.right - 6, box.top + 18));
			break;
		}
		case B_EMPTY_ALERT:
		default:
			break;
	}
	view->PopState();
}


float
AlertButtonWidth(const char* label, button_width mode, float widest)
{
	float width = std::ceil(be_plain_font->StringWidth(label != NULL ? label : ""))
		+ kButtonLabelMargin;
	switch (mode) {
		case B_WIDTH_FROM_WIDEST:
			return std::max(width, widest);
		case B_WIDTH_FROM_LABEL:
			return width;
		case B_WIDTH_AS_USUAL:
		default:
			return std::max(width, kUsualButtonWidth);
	}
}


// #pragma mark - AlertView


AlertView::AlertView(BRect frame, alert_type type)
	:
	BView(frame, "alert view", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	fType(type)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}


void
AlertView::Draw(BRect updateRect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	if (fType != B_EMPTY_ALERT) {
		// The darker strip at the left that holds the icon, as R5's alerts have.
		BRect stripe = Bounds();
		stripe.right = stripe.left + 29;
		SetHighColor(tint_color(panel, B_DARKEN_1_TINT));
		FillRect(stripe);
		DrawAlertIcon(this, fType, BPoint(18, 6));
	}
}

}	// namespace BPrivate
