#include "XButton.h"

#include "BubbleHelper.h"
#include "PressTracking.h"

#include <Bitmap.h>
#include <Font.h>
#include <Message.h>
#include <Window.h>


static const rgb_color kGrey = { 128, 128, 128, 255 };
static const rgb_color kWhite = { 250, 250, 250, 255 };


XButton::XButton(BRect frame, const char* name, const char* label,
	const char* helpText, BMessage* message, BBitmap* icon, bool autoSize,
	BubbleHelper* helper)
	:
	BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
	fLabel(label),
	fHelpText(helpText),
	fMessage(message),
	fName(name),
	fState(0),
	fFaceColor(ui_color(B_PANEL_BACKGROUND_COLOR)),
	fIcon(icon),
	fHasIcon(icon != NULL),
	fBubble(helper)
{
	BFont font(be_plain_font);
	font.SetSize(14);
	SetFont(&font, B_FONT_ALL);

	if (autoSize)
		PressTracking::AutoSizeButton(this, fLabel, fHasIcon);

	if (fBubble != NULL)
		fBubble->SetHelp(this, fHelpText);
}


XButton::~XButton()
{
}


void
XButton::AttachedToWindow()
{
	PressTracking::TakeParentColor(this, fFaceColor);
	fState = 0;
}


void
XButton::DetachedFromWindow()
{
	fState = 0;
}


void
XButton::Draw(BRect updateRect)
{
	DrawButton(fState);
}


void
XButton::DrawButton(int state)
{
	if (Window() == NULL)
		return;

	BRect bounds = Bounds();
	SetHighColor(fFaceColor);
	FillRect(bounds);
	if (state == 1)
		PressTracking::DrawFrame(this, bounds, kWhite, kGrey);
	else if (state == 2)
		PressTracking::DrawFrame(this, bounds, kGrey, kWhite);

	PressTracking::DrawIconAndLabel(this, fHasIcon, fIcon, fLabel, fFaceColor,
		(int32)((bounds.bottom + 13) * 0.5));
}


void
XButton::MouseDown(BPoint where)
{
	if (PressTracking::Press(this, fState, [this]() { DrawButton(fState); }))
		PressTracking::PostToWindowAndApp(this, fMessage);
}


void
XButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	PressTracking::FollowTransit(transit, fState, [this]() { DrawButton(fState); });
	BView::MouseMoved(where, transit, dragMessage);
}


const char*
XButton::GetLabel() const
{
	return fLabel;
}


void
XButton::SetLabel(const char* label)
{
	fLabel = label;
	Draw(Bounds());
}


BBitmap*
XButton::GetIcon() const
{
	return fIcon;
}


void
XButton::SetIcon(BBitmap* icon)
{
	fIcon = icon;
	fHasIcon = true;
	Draw(Bounds());
}


void
XButton::DeleteIcon()
{
	fIcon = NULL;
	fHasIcon = false;
	Draw(Bounds());
}
