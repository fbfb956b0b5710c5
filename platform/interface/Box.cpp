#include <Box.h>

#include <Window.h>

#include "interface/controls/ControlLook.h"

#include <cmath>

using namespace BPrivate;

static const float kLabelLeft = 10.0f;


BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	border_style border)
	:
	BView(frame, name, resizingMode, flags),
	fLabelView(NULL),
	fBorder(border)
{
	SetFont(be_bold_font);
}


BBox::~BBox()
{
}


void
BBox::AttachedToWindow()
{
	rgb_color color = Parent() != NULL ? Parent()->ViewColor()
		: ui_color(B_PANEL_BACKGROUND_COLOR);
	SetViewColor(color);
	SetLowColor(color);
	BView::AttachedToWindow();
}


float
BBox::_TopLine() const
{
	if (fLabelView != NULL)
		return std::floor(fLabelView->Frame().top + fLabelView->Bounds().Height() / 2);
	if (fLabel.empty())
		return Bounds().top;
	font_height height;
	GetFontHeight(&height);
	return std::floor((height.ascent + height.descent) / 2);
}


void
BBox::Draw(BRect updateRect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color dark = tint_color(panel, B_DARKEN_2_TINT);
	rgb_color light = make_color(255, 255, 255);
	BRect frame = Bounds();
	frame.top = _TopLine();

	SetDrawingMode(B_OP_COPY);
	if (fBorder == B_FANCY_BORDER) {
		// The etched line: a dark outline with a light one inside it, offset by one.
		DrawBevel(this, frame, dark, light);
		DrawBevel(this, frame.InsetByCopy(1, 1), light, dark);
	} else if (fBorder == B_PLAIN_BORDER)
		DrawBevel(this, frame, light, dark);

	if (fLabelView == NULL && !fLabel.empty()) {
		font_height height;
		GetFontHeight(&height);
		float width = StringWidth(fLabel.c_str());
		SetHighColor(ViewColor());
		FillRect(BRect(kLabelLeft - 2, 0, kLabelLeft + width + 2,
			std::ceil(height.ascent + height.descent)));
		SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
		SetDrawingMode(B_OP_OVER);
		DrawString(fLabel.c_str(), BPoint(kLabelLeft, std::floor(height.ascent)));
		SetDrawingMode(B_OP_COPY);
	}
}


void
BBox::FrameResized(float width, float height)
{
	// The frame lines move with the edges, so the whole box is drawn again.
	Invalidate();
	BView::FrameResized(width, height);
}


void
BBox::SetBorder(border_style border)
{
	if (border == fBorder)
		return;
	fBorder = border;
	Invalidate();
}


border_style
BBox::Border() const
{
	return fBorder;
}


void
BBox::SetLabel(const char* label)
{
	if (fLabelView != NULL) {
		RemoveChild(fLabelView);
		delete fLabelView;
		fLabelView = NULL;
	}
	fLabel = label != NULL ? label : "";
	Invalidate();
}


status_t
BBox::SetLabel(BView* viewLabel)
{
	if (viewLabel != NULL && (viewLabel->Parent() != NULL || viewLabel->Window() != NULL))
		return B_BAD_VALUE;
	SetLabel((const char*)NULL);
	if (viewLabel != NULL) {
		fLabelView = viewLabel;
		fLabelView->MoveTo(kLabelLeft, 0);
		AddChild(fLabelView, ChildAt(0));
	}
	Invalidate();
	return B_OK;
}


const char*
BBox::Label() const
{
	return fLabel.empty() ? NULL : fLabel.c_str();
}


BView*
BBox::LabelView() const
{
	return fLabelView;
}
