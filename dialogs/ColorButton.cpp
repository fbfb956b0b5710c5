#include "ColorButton.h"

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include "ColorText.h"


namespace {

const rgb_color kBevelLight = { 250, 250, 250, 255 };
const rgb_color kBevelShadow = { 128, 128, 128, 255 };
const float kButtonSize = 16;
const bigtime_t kPressPollInterval = 20000;

}	// namespace


ColorButton::ColorButton(BRect frame, const char* name, rgb_color color)
	:
	BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW),
	fHover(false),
	fColor(color)
{
	fColor.alpha = 255;
	SetViewColor(fColor);
	ResizeTo(kButtonSize - 1, kButtonSize - 1);
}


ColorButton::~ColorButton()
{
}


void
ColorButton::AttachedToWindow()
{
	BView::AttachedToWindow();
	SetViewColor(fColor);
}


void
ColorButton::DetachedFromWindow()
{
	fHover = false;
	BView::DetachedFromWindow();
}


void
ColorButton::Draw(BRect updateRect)
{
	DrawButton(fHover ? kStateHover : kStateNormal);
}


void
ColorButton::DrawButton(int state)
{
	BRect bounds = Bounds();
	SetHighColor(fColor);
	FillRect(bounds);
	if (state != kStateHover && state != kStatePressed)
		return;

	// A raised bevel is light at the top and left; a sunken one the other way round.
	rgb_color topLeft = state == kStateHover ? kBevelLight : kBevelShadow;
	rgb_color bottomRight = state == kStateHover ? kBevelShadow : kBevelLight;
	BeginLineArray(4);
	AddLine(bounds.LeftTop(), bounds.RightTop(), topLeft);
	AddLine(bounds.LeftTop(), bounds.LeftBottom(), topLeft);
	AddLine(bounds.LeftBottom(), bounds.RightBottom(), bottomRight);
	AddLine(bounds.RightTop(), bounds.RightBottom(), bottomRight);
	EndLineArray();
}


void
ColorButton::MouseDown(BPoint where)
{
	DrawButton(kStatePressed);
	Flush();

	BPoint point = where;
	uint32 buttons = 0;
	bool inside = true;
	GetMouse(&point, &buttons, true);
	while (buttons != 0) {
		snooze(kPressPollInterval);
		GetMouse(&point, &buttons, true);
		bool nowInside = Bounds().Contains(point);
		if (nowInside != inside) {
			inside = nowInside;
			DrawButton(inside ? kStatePressed : kStateNormal);
			Flush();
		}
	}

	if (!Bounds().Contains(point))
		return;
	DrawButton(kStateHover);
	_SendColor();
}


void
ColorButton::MouseMoved(BPoint where, uint32 transit,
	const BMessage* dragMessage)
{
	if (transit == B_ENTERED_VIEW) {
		fHover = true;
		DrawButton(kStateHover);
	} else if (transit == B_EXITED_VIEW) {
		fHover = false;
		DrawButton(kStateNormal);
	}
}


void
ColorButton::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}


char*
ColorButton::convert(rgb_color color)
{
	return NewColorText(color);
}


void
ColorButton::_SendColor()
{
	if (Window() == NULL)
		return;
	char* text = convert(fColor);
	BMessage message(kMsgInsertColorText);
	message.AddString("color", text);
	delete[] text;
	Window()->PostMessage(&message);
}
