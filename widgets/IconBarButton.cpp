#include "IconBarButton.h"

#include "BubbleHelper.h"
#include "PressTracking.h"

#include <Message.h>
#include <Window.h>


IconBarButton::IconBarButton(const char* name, const char* label, const char* help,
	BMessage* message, BubbleHelper* helper)
	:
	BView(BRect(0, 0, 26, 33), name, B_FOLLOW_NONE, B_WILL_DRAW),
	fName(name),
	fHelp(help),
	fMessage(message),
	fState(0),
	fBackground(ui_color(B_PANEL_BACKGROUND_COLOR)),
	fSize(33),
	fBubble(helper),
	fLabel(label)
{
	PressTracking::SetUpLabelItem(this, fLabel, fSize);

	if (fBubble != NULL)
		fBubble->SetHelp(this, fHelp);
}


IconBarButton::~IconBarButton()
{
}


void
IconBarButton::AttachedToWindow()
{
	PressTracking::TakeParentColor(this, fBackground);
	fState = 0;
}


void
IconBarButton::DetachedFromWindow()
{
	fState = 0;
}


void
IconBarButton::Draw(BRect updateRect)
{
	PressTracking::DrawFace(this, fState, fBackground);
	PressTracking::DrawCentredLabel(this, fLabel, fBackground);
}


void
IconBarButton::_Redraw()
{
	PressTracking::Redraw(this);
}


void
IconBarButton::MouseDown(BPoint where)
{
	if (PressTracking::Press(this, fState, [this]() { _Redraw(); }))
		PressTracking::PostToWindowAndApp(this, fMessage);
}


void
IconBarButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	PressTracking::FollowTransit(transit, fState, [this]() { _Redraw(); });
	BView::MouseMoved(where, transit, dragMessage);
}


void
IconBarButton::SetLabel(const char* label)
{
	fLabel = label;
	_Redraw();
}


const char*
IconBarButton::GetLabel()
{
	return fLabel;
}


const char*
IconBarButton::GetName()
{
	return fName;
}


void
IconBarButton::SetSize(int size)
{
	fSize = size;
	PressTracking::SizeLabelItem(this, fLabel, size);
}


int32
IconBarButton::GetWidth()
{
	return (int32)Bounds().right;
}
