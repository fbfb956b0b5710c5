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
	if (Parent() != NULL) {
		fBackground = Parent()->ViewColor();
		SetViewColor(fBackground);
	}
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
	if (Window() != NULL)
		Draw(Bounds());
}


void
IconBarIcon::MouseDown(BPoint where)
{
	fState = 2;
	_Redraw();
	bool clicked = PressTracking::Track(this, [this](int32 state) {
		fState = state;
		_Redraw();
	});
	if (!clicked) {
		fState = 0;
		_Redraw();
		return;
	}
	fState = 1;
	_Redraw();
	PressTracking::PostToWindowAndApp(this, fMessage);
}


void
IconBarIcon::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (transit == B_ENTERED_VIEW) {
		fState = 1;
		_Redraw();
	} else if (transit == B_EXITED_VIEW) {
		fState = 0;
		_Redraw();
	}
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
