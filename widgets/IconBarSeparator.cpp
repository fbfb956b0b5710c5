#include "IconBarSeparator.h"

#include "PressTracking.h"


IconBarSeparator::IconBarSeparator(const char* name)
	:
	BView(BRect(0, 0, 2, 33), name, B_FOLLOW_NONE, B_WILL_DRAW),
	fName(name),
	fBackground(ui_color(B_PANEL_BACKGROUND_COLOR)),
	fSize(33)
{
}


IconBarSeparator::~IconBarSeparator()
{
}


void
IconBarSeparator::AttachedToWindow()
{
	if (Parent() != NULL) {
		fBackground = Parent()->ViewColor();
		SetViewColor(fBackground);
	}
}


void
IconBarSeparator::Draw(BRect updateRect)
{
	float bottom = Bounds().bottom;
	BeginLineArray(2);
	AddLine(BPoint(1, 2), BPoint(1, bottom - 3), PressTracking::kDarkEdge);
	AddLine(BPoint(2, 3), BPoint(2, bottom - 2), PressTracking::kLightEdge);
	EndLineArray();
}


void
IconBarSeparator::SetSize(int size)
{
	fSize = size;
	ResizeTo(2, size);
	Invalidate();
}


int32
IconBarSeparator::GetWidth()
{
	return (int32)Bounds().right;
}


const char*
IconBarSeparator::GetName()
{
	return fName;
}
