#include "IconBarButton.h"

#include "BubbleHelper.h"
#include "PressTracking.h"

#include <Font.h>
#include <Message.h>
#include <Window.h>


static const rgb_color kBlack = { 0, 0, 0, 255 };


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
	BFont font(be_plain_font);
	font.SetSize(12);
	SetFont(&font, B_FONT_ALL);

	// A label narrower than the initial frame keeps it until the first SetSize.
	float width = StringWidth(fLabel != NULL ? fLabel : "");
	if (Bounds().right - 10 <= (int32)width)
		ResizeTo(width + 10, fSize);

	if (fBubble != NULL)
		fBubble->SetHelp(this, fHelp);
}


IconBarButton::~IconBarButton()
{
}


void
IconBarButton::AttachedToWindow()
{
	if (Parent() != NULL) {
		fBackground = Parent()->ViewColor();
		SetViewColor(fBackground);
	}
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
	if (fLabel == NULL)
		return;
	BRect bounds = Bounds();
	float x = (int32)((bounds.right - (int32)StringWidth(fLabel)) * 0.5);
	float y = (int32)((bounds.bottom + 12) * 0.5);
	SetHighColor(kBlack);
	SetLowColor(fBackground);
	DrawString(fLabel, BPoint(x, y));
}


void
IconBarButton::_Redraw()
{
	if (Window() != NULL)
		Draw(Bounds());
}


void
IconBarButton::MouseDown(BPoint where)
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
IconBarButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
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
	ResizeTo(StringWidth(fLabel != NULL ? fLabel : "") + 10, size);
	Invalidate();
}


int32
IconBarButton::GetWidth()
{
	return (int32)Bounds().right;
}
