#include <StringView.h>

#include <Window.h>

#include <cmath>


BStringView::BStringView(BRect frame, const char* name, const char* text,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fText(text != NULL ? text : ""),
	fAlignment(B_ALIGN_LEFT)
{
}


BStringView::~BStringView()
{
}


void
BStringView::AttachedToWindow()
{
	rgb_color color = Parent() != NULL ? Parent()->ViewColor()
		: ui_color(B_PANEL_BACKGROUND_COLOR);
	SetViewColor(color);
	SetLowColor(color);
	BView::AttachedToWindow();
}


void
BStringView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	float width = StringWidth(fText.c_str());
	float x = bounds.left;
	if (fAlignment == B_ALIGN_RIGHT)
		x = bounds.right - width;
	else if (fAlignment == B_ALIGN_CENTER)
		x = bounds.left + (bounds.Width() + 1 - width) / 2;
	font_height height;
	GetFontHeight(&height);
	// R5 puts the baseline one descent above the bottom.
	float y = std::floor(bounds.bottom - height.descent);
	SetDrawingMode(B_OP_OVER);
	DrawString(fText.c_str(), BPoint(std::floor(x), y));
	SetDrawingMode(B_OP_COPY);
}


void
BStringView::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL)
		*width = std::ceil(StringWidth(fText.c_str()));
	if (height != NULL)
		*height = std::ceil(fontHeight.ascent + fontHeight.descent + fontHeight.leading);
}


void
BStringView::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


void
BStringView::SetText(const char* text)
{
	std::string newText = text != NULL ? text : "";
	if (newText == fText)
		return;
	fText = newText;
	Invalidate();
}


const char*
BStringView::Text() const
{
	return fText.empty() ? NULL : fText.c_str();
}


void
BStringView::SetAlignment(alignment flag)
{
	if (flag == fAlignment)
		return;
	fAlignment = flag;
	Invalidate();
}


alignment
BStringView::Alignment() const
{
	return fAlignment;
}
