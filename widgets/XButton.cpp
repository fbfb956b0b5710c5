#include "XButton.h"

#include "BubbleHelper.h"
#include "PressTracking.h"

#include <Application.h>
#include <Bitmap.h>
#include <Font.h>
#include <Message.h>
#include <Window.h>


static const rgb_color kGrey = { 128, 128, 128, 255 };
static const rgb_color kWhite = { 250, 250, 250, 255 };
static const rgb_color kBlack = { 0, 0, 0, 255 };


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

	if (autoSize) {
		const char* text = fLabel != NULL ? fLabel : "";
		float width = StringWidth(text);
		if (Bounds().right - 10 <= (int32)width)
			ResizeTo(width + (fHasIcon ? 40 : 20), 24);
		else
			ResizeTo(Bounds().right, 24);
	}

	if (fBubble != NULL)
		fBubble->SetHelp(this, fHelpText);
}


XButton::~XButton()
{
}


void
XButton::AttachedToWindow()
{
	if (Parent() != NULL) {
		fFaceColor = Parent()->ViewColor();
		SetViewColor(fFaceColor);
	}
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

	if (fHasIcon && fIcon != NULL) {
		SetDrawingMode(B_OP_MIN);
		DrawBitmap(fIcon, BPoint(1, 1));
		SetDrawingMode(B_OP_COPY);
	}

	if (fLabel != NULL) {
		float textWidth = (int32)StringWidth(fLabel);
		float x = fHasIcon ? (int32)((bounds.right - 24 - textWidth) * 0.5) + 24
			: (int32)((bounds.right - textWidth) * 0.5);
		float y = (int32)((bounds.bottom + 13) * 0.5);
		SetHighColor(kBlack);
		SetLowColor(fFaceColor);
		DrawString(fLabel, BPoint(x, y));
	}
}


void
XButton::MouseDown(BPoint where)
{
	fState = 2;
	DrawButton(fState);

	bool clicked = PressTracking::Track(this, [this](int32 state) {
		fState = state;
		DrawButton(fState);
	});
	if (!clicked) {
		fState = 0;
		DrawButton(fState);
		return;
	}

	fState = 1;
	DrawButton(fState);
	if (fMessage != NULL) {
		if (Window() != NULL)
			Window()->PostMessage(fMessage);
		if (be_app != NULL)
			be_app->PostMessage(fMessage);
	}
}


void
XButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (transit == B_ENTERED_VIEW) {
		fState = 1;
		DrawButton(fState);
	} else if (transit == B_EXITED_VIEW) {
		fState = 0;
		DrawButton(fState);
	}
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
