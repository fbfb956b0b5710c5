#include <ListItem.h>

#include <View.h>

#include <cmath>
#include <cstdlib>
#include <cstring>


BListItem::BListItem(uint32 outlineLevel, bool expanded)
	:
	fWidth(0),
	fHeight(0),
	fLevel(outlineLevel),
	fSelected(false),
	fEnabled(true),
	fExpanded(expanded),
	fVisible(true)
{
}


BListItem::~BListItem()
{
}


float
BListItem::Height() const
{
	return fHeight;
}


float
BListItem::Width() const
{
	return fWidth;
}


void
BListItem::SetHeight(float height)
{
	if (std::isfinite(height))
		fHeight = height;
}


void
BListItem::SetWidth(float width)
{
	if (std::isfinite(width))
		fWidth = width;
}


bool
BListItem::IsSelected() const
{
	return fSelected;
}


void
BListItem::Select()
{
	fSelected = true;
}


void
BListItem::Deselect()
{
	fSelected = false;
}


void
BListItem::SetEnabled(bool enabled)
{
	fEnabled = enabled;
}


bool
BListItem::IsEnabled() const
{
	return fEnabled;
}


bool
BListItem::IsExpanded() const
{
	return fExpanded;
}


void
BListItem::SetExpanded(bool expanded)
{
	fExpanded = expanded;
}


uint32
BListItem::OutlineLevel() const
{
	return fLevel;
}


void
BListItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	SetWidth(owner != NULL ? owner->Bounds().Width() : 0);
	SetHeight(ceilf(height.ascent + height.descent + height.leading));
}


// #pragma mark - BStringItem


BStringItem::BStringItem(const char* text, uint32 outlineLevel, bool expanded)
	:
	BListItem(outlineLevel, expanded),
	fText(NULL),
	fBaselineOffset(0)
{
	SetText(text);
}


BStringItem::~BStringItem()
{
	free(fText);
}


void
BStringItem::SetText(const char* text)
{
	free(fText);
	fText = text != NULL ? strdup(text) : NULL;
}


const char*
BStringItem::Text() const
{
	return fText;
}


void
BStringItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	SetWidth(fText != NULL ? font->StringWidth(fText) : 0);
	// Two pixels above and below the text, as R5's rows.
	SetHeight(ceilf(height.ascent + height.descent + height.leading) + 4);
	fBaselineOffset = 2 + ceilf(height.ascent + height.leading / 2);
}


void
BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	if (owner == NULL)
		return;
	rgb_color low = owner->LowColor();
	rgb_color highlight = tint_color(low, B_HIGHLIGHT_BACKGROUND_TINT);
	if (IsSelected() || complete) {
		owner->SetHighColor(IsSelected() ? highlight : low);
		owner->FillRect(frame);
	}
	if (fText == NULL)
		return;
	rgb_color text = IsEnabled() ? rgb_color{0, 0, 0, 255}
		: tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DISABLED_LABEL_TINT);
	owner->SetHighColor(text);
	owner->SetLowColor(IsSelected() ? highlight : low);
	owner->DrawString(fText, BPoint(frame.left + 4, frame.top + fBaselineOffset));
	owner->SetLowColor(low);
}
