#include "XButton2.h"

#include "BubbleHelper.h"
#include "PressTracking.h"

#include <Bitmap.h>
#include <Font.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>


static const rgb_color kGrey = { 128, 128, 128, 255 };
static const rgb_color kWhite = { 250, 250, 250, 255 };
static const rgb_color kLightBlue = { 153, 204, 255, 255 };
static const float kSmallestFontSize = 5;


XButton2::XButton2(BRect frame, const char* name, const char* label,
	const char* helpText, BMessage* message, BBitmap* icon, bool autoSize,
	BubbleHelper* helper, float fontSize, uint32 resizingMode)
	:
	BView(frame, name, resizingMode, B_WILL_DRAW),
	fLabel(label),
	fHelpText(helpText),
	fMessage(message),
	fName(name),
	fState(0),
	fFaceColor(ui_color(B_PANEL_BACKGROUND_COLOR)),
	fIcon(icon),
	fHasIcon(icon != NULL),
	fTarget(NULL),
	fBubble(helper)
{
	BFont font(be_plain_font);
	font.SetSize(fontSize);
	font.SetFlags(B_DISABLE_ANTIALIASING);
	SetFont(&font);

	const char* text = fLabel != NULL ? fLabel : "";
	if (autoSize)
		PressTracking::AutoSizeButton(this, fLabel, fHasIcon);

	// The font shrinks a point at a time until the label fits, down to 5 points.
	while (StringWidth(text) >= Bounds().right - 4 && fontSize > kSmallestFontSize) {
		fontSize -= 1;
		font.SetSize(fontSize);
		SetFont(&font);
	}

	if (fBubble != NULL)
		fBubble->SetHelp(this, fHelpText);
}


XButton2::~XButton2()
{
}


void
XButton2::AttachedToWindow()
{
	PressTracking::TakeParentColor(this, fFaceColor);
	fState = 0;
}


void
XButton2::DetachedFromWindow()
{
	fState = 0;
}


void
XButton2::Draw(BRect updateRect)
{
	DrawButton(fState);
}


void
XButton2::DrawButton(int state)
{
	if (Window() == NULL)
		return;

	BRect bounds = Bounds();
	rgb_color face = state == 0 ? fFaceColor : kLightBlue;
	SetHighColor(face);
	FillRect(bounds);

	BRect inner = bounds.InsetByCopy(1, 1);
	if (state == 2) {
		PressTracking::DrawFrame(this, bounds, kWhite, kGrey);
		PressTracking::DrawFrame(this, inner, kGrey, kWhite);
	} else {
		PressTracking::DrawFrame(this, bounds, kGrey, kWhite);
		PressTracking::DrawFrame(this, inner, kWhite, kGrey);
	}

	PressTracking::DrawIconAndLabel(this, fHasIcon, fIcon, fLabel, face,
		(int32)((bounds.bottom + 11) * 0.5) - 1);
}


void
XButton2::MouseDown(BPoint where)
{
	if (!PressTracking::Press(this, fState, [this]() { DrawButton(fState); }))
		return;
	if (fMessage != NULL && fTarget != NULL) {
		BMessenger messenger(fTarget);
		messenger.SendMessage(fMessage, (BHandler*)NULL, B_INFINITE_TIMEOUT);
	}
}


void
XButton2::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	// A move outside flattens a button whose exit was missed.
	PressTracking::FollowTransit(transit, fState, [this]() { DrawButton(fState); },
		true);
	BView::MouseMoved(where, transit, dragMessage);
}


void
XButton2::SetTarget(BHandler* target)
{
	fTarget = target;
}


const char*
XButton2::GetLabel() const
{
	return fLabel;
}


void
XButton2::SetLabel(const char* label)
{
	fLabel = label;
	Draw(Bounds());
}


BBitmap*
XButton2::GetIcon() const
{
	return fIcon;
}


void
XButton2::SetIcon(BBitmap* icon)
{
	fIcon = icon;
	fHasIcon = true;
	Draw(Bounds());
}


void
XButton2::DeleteIcon()
{
	fIcon = NULL;
	fHasIcon = false;
	Draw(Bounds());
}
