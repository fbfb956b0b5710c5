#include "ColorView.h"

#include "ColorButton.h"


namespace {

const rgb_color kPalette[ColorView::kColorCount] = {
	{ 0, 0, 0, 255 },
	{ 255, 255, 255, 255 },
	{ 255, 0, 0, 255 },
	{ 0, 255, 0, 255 },
	{ 0, 0, 255, 255 },
	{ 64, 64, 64, 255 },
	{ 128, 128, 128, 255 },
	{ 192, 192, 192, 255 },
	{ 0, 255, 255, 255 },
	{ 165, 42, 42, 255 },
	{ 255, 192, 203, 255 },
	{ 238, 130, 238, 255 },
	{ 255, 255, 0, 255 },
	{ 255, 165, 0, 255 },
	{ 240, 230, 140, 255 },
	{ 245, 245, 220, 255 },
	{ 255, 0, 255, 255 },
	{ 192, 64, 128, 255 },
	{ 92, 240, 0, 255 },
	{ 92, 90, 180, 255 },
	{ 128, 128, 255, 255 },
	{ 192, 255, 255, 255 },
	{ 10, 10, 128, 255 },
	{ 128, 10, 10, 255 },
	{ 10, 128, 10, 255 }
};

const rgb_color kBackground = { 220, 220, 220, 255 };
const rgb_color kBevelLight = { 250, 250, 250, 255 };
const rgb_color kBevelShadow = { 50, 50, 50, 255 };

const float kButtonLeft = 3;
const float kButtonTop = 10;
const float kButtonPitch = 18;
const float kButtonSize = 16;

}	// namespace


ColorView::ColorView(BRect frame, const char* name)
	:
	BView(frame, name, B_FOLLOW_ALL_SIDES, B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW
		| B_NAVIGABLE_JUMP | B_FRAME_EVENTS | B_NAVIGABLE)
{
	SetViewColor(kBackground);
	AddColors();
}


ColorView::~ColorView()
{
}


void
ColorView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	BeginLineArray(4);
	AddLine(bounds.LeftTop(), bounds.RightTop(), kBevelLight);
	AddLine(bounds.LeftTop(), bounds.LeftBottom(), kBevelLight);
	AddLine(bounds.LeftBottom(), bounds.RightBottom(), kBevelShadow);
	AddLine(bounds.RightTop(), bounds.RightBottom(), kBevelShadow);
	EndLineArray();
}


void
ColorView::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}


void
ColorView::AddColors()
{
	for (int index = 0; index < kColorCount; index++)
		AddChild(new ColorButton(ButtonFrame(index), "color1", kPalette[index]));
}


rgb_color
ColorView::PaletteColor(int index)
{
	if (index < 0 || index >= kColorCount)
		return kPalette[0];
	return kPalette[index];
}


BRect
ColorView::ButtonFrame(int index)
{
	float top = kButtonTop + kButtonPitch * index;
	return BRect(kButtonLeft, top, kButtonLeft + kButtonSize - 1,
		top + kButtonSize - 1);
}
