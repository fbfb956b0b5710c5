#include "IconBarIcon.h"

#include "BubbleHelper.h"
#include "PressTracking.h"

#include <Bitmap.h>
#include <Message.h>
#include <Window.h>


IconBarIcon::IconBarIcon(const char* name, const char* help, BMessage* message,
	BBitmap* normal, BBitmap* small, BubbleHelper* helper)
	:
	BView(BRect(0, 0, 33, 33), name, B_FOLLOW_NONE, B_WILL_DRAW),
	fName(name),
	fHelp(help),
	fMessage(message),
	fState(0),
	fBackground(ui_color(B_PANEL_BACKGROUND_COLOR)),
	fSize(33),
	fBubble(helper),
	fNormal(normal),
	fSmallBitmap(small),
	fSmall(false)
{
	if (fBubble != NULL)
		fBubble->SetHelp(this, fHelp);
}


IconBarIcon::~IconBarIcon()
{
}


void
IconBarIcon::AttachedToWindow()
{
	PressTracking::TakeParentColor(this, fBackground);
}


void
IconBarIcon::DetachedFromWindow()
{
	fState = 0;
}


void
IconBarIcon::Draw(BRect updateRect)
{
	PressTracking::DrawFace(this, fState, fBackground);
	BBitmap* bitmap = fSmall ? fSmallBitmap : fNormal;
	if (bitmap != NULL) {
		SetDrawingMode(B_OP_COPY);
		DrawBitmap(bitmap, BPoint(1, 1));
	}
}


void
IconBarIcon::_Redraw()
{
	PressTracking::Redraw(this);
}


void
IconBarIcon::MouseDown(BPoint where)
{
	if (PressTracking::Press(this, fState, [this]() { _Redraw(); }))
		PressTracking::PostToWindowAndApp(this, fMessage);
}


void
IconBarIcon::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	PressTracking::FollowTransit(transit, fState, [this]() { _Redraw(); });
	BView::MouseMoved(where, transit, dragMessage);
}


void
IconBarIcon::SetIcon(BBitmap* normal)
{
	fNormal = normal;
	_Redraw();
}


void
IconBarIcon::SetSize(int size)
{
	fSize = size;
	fSmall = size <= 30;
	ResizeTo(size, size);
	Invalidate();
}


int32
IconBarIcon::GetWidth()
{
	return (int32)Bounds().right;
}


const char*
IconBarIcon::GetName()
{
	return fName;
}
