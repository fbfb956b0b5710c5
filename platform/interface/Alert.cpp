#include <Alert.h>

#include <Button.h>
#include <Message.h>
#include <OS.h>
#include <Screen.h>
#include <TextView.h>

#include "interface/window/AlertViews.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

using BPrivate::AlertView;
using BPrivate::AlertButtonWidth;
using BPrivate::kAlertDefaultInset;

static const float kMinWindowWidth = 310.0f;
static const float kMargin = 10.0f;
static const float kTextLeftWithIcon = 55.0f;
static const float kTextTop = 8.0f;
static const float kIconBottom = 6.0f + 32.0f;
static const float kButtonSpacing = 6.0f;
static const float kOffsetSpacing = 26.0f;

// Go's wait: the pressed button's index and the semaphore that tells it is known.
struct BAlert::Result {
	sem_id	semaphore;
	int32	index;
};


BAlert::BAlert(const char* title, const char* text, const char* button0,
	const char* button1, const char* button2, button_width width, alert_type type)
	:
	BWindow(BRect(0, 0, 100, 100), title, B_MODAL_WINDOW_LOOK, B_MODAL_APP_WINDOW_FEEL,
		B_NOT_RESIZABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE
			| B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button0, button1, button2, width, B_EVEN_SPACING, type);
}


BAlert::BAlert(const char* title, const char* text, const char* button0,
	const char* button1, const char* button2, button_width width,
	button_spacing spacing, alert_type type)
	:
	BWindow(BRect(0, 0, 100, 100), title, B_MODAL_WINDOW_LOOK, B_MODAL_APP_WINDOW_FEEL,
		B_NOT_RESIZABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE
			| B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button0, button1, button2, width, spacing, type);
}


BAlert::~BAlert()
{
	// Closed without an answer (the application quits all windows): Go answers -1.
	if (fResult != NULL) {
		fResult->index = -1;
		release_sem(fResult->semaphore);
		fResult = NULL;
	}
}


void
BAlert::_Init(const char* text, const char* button0, const char* button1,
	const char* button2, button_width width, button_spacing spacing, alert_type type)
{
	fType = type;
	fResult = NULL;
	fTextView = NULL;
	fButtonCount = 0;
	for (int32 i = 0; i < 3; i++) {
		fButtons[i] = NULL;
		fShortcuts[i] = 0;
	}

	const char* labels[3] = { button0, button1, button2 };
	// A missing button ends the row; an alert always has at least one button.
	int32 count = 0;
	while (count < 3 && labels[count] != NULL)
		count++;
	if (count == 0) {
		labels[0] = "OK";
		count = 1;
	}

	float widest = 0;
	for (int32 i = 0; i < count; i++)
		widest = std::max(widest, AlertButtonWidth(labels[i], B_WIDTH_FROM_LABEL, 0));
	float buttonWidths[3];
	float buttonsTotal = 0;
	for (int32 i = 0; i < count; i++) {
		buttonWidths[i] = AlertButtonWidth(labels[i], width, widest);
		buttonsTotal += buttonWidths[i] + 2 * kAlertDefaultInset;
	}
	buttonsTotal += (count - 1) * kButtonSpacing;
	if (spacing == B_OFFSET_SPACING && count > 1)
		buttonsTotal += kOffsetSpacing;

	float textLeft = type != B_EMPTY_ALERT ? kTextLeftWithIcon : kMargin;
	float windowWidth = std::max(kMinWindowWidth,
		std::ceil(textLeft + buttonsTotal + kMargin));

	// The text view wraps the text to the room beside the icon; its height sets the
	// window's.
	float textWidth = windowWidth - textLeft - kMargin;
	BRect textFrame(textLeft, kTextTop, textLeft + textWidth, kTextTop + 20);
	fTextView = new BTextView(textFrame, "_tv_", BRect(0, 0, textWidth, 20),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW);
	fTextView->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	fTextView->SetLowColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	fTextView->SetWordWrap(true);
	fTextView->SetText(text != NULL ? text : "");
	fTextView->MakeEditable(false);
	fTextView->MakeSelectable(false);
	float textHeight = std::ceil(fTextView->TextHeight(0, fTextView->CountLines() - 1));
	fTextView->ResizeTo(textWidth, textHeight);
	fTextView->SetTextRect(BRect(0, 0, textWidth, textHeight));

	float textBottom = kTextTop + textHeight;
	if (type != B_EMPTY_ALERT)
		textBottom = std::max(textBottom, kIconBottom);

	font_height fontHeight;
	be_plain_font->GetHeight(&fontHeight);
	float buttonHeight = std::ceil(fontHeight.ascent + fontHeight.descent) + 10
		+ 2 * kAlertDefaultInset;
	float windowHeight = std::ceil(textBottom + kMargin + buttonHeight + kMargin - 3);

	BScreen screen(this);
	BRect screenFrame = screen.Frame();
	float left = std::floor(screenFrame.left + (screenFrame.Width() - windowWidth) / 2);
	float top = std::floor(screenFrame.top + (screenFrame.Height() - windowHeight) / 2);
	MoveTo(left, top);
	ResizeTo(windowWidth, windowHeight);

	fView = new AlertView(Bounds(), type);
	AddChild(fView);
	fView->AddChild(fTextView);

	// Buttons from the right edge leftwards; the leftmost is set apart when offset.
	// Each frame leaves room for the default button's frame, so every button is the
	// same size whether it is the default or not.
	float right = windowWidth - kMargin + kAlertDefaultInset;
	float bottom = windowHeight - kMargin + kAlertDefaultInset;
	for (int32 i = count - 1; i >= 0; i--) {
		float fullWidth = buttonWidths[i] + 2 * kAlertDefaultInset;
		if (i == 0 && spacing == B_OFFSET_SPACING && count > 1)
			right = textLeft + fullWidth - kAlertDefaultInset;
		BRect frame(right - fullWidth + 1, bottom - buttonHeight + 1, right, bottom);
		BMessage* message = new BMessage(BPrivate::kAlertButtonPressed);
		message->AddInt32("index", i);
		char name[16];
		snprintf(name, sizeof(name), "_b%d_", (int)i);
		fButtons[i] = new BButton(frame.InsetByCopy(kAlertDefaultInset, kAlertDefaultInset),
			name, labels[i], message, B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
		fView->AddChild(fButtons[i]);
		right = frame.left - 1 - kButtonSpacing;
	}
	fButtonCount = count;

	BButton* last = fButtons[count - 1];
	last->MakeDefault(true);
	last->MakeFocus(true);
}


void
BAlert::SetShortcut(int32 index, char key)
{
	if (index >= 0 && index < fButtonCount)
		fShortcuts[index] = key;
}


char
BAlert::Shortcut(int32 index) const
{
	if (index >= 0 && index < fButtonCount)
		return fShortcuts[index];
	return 0;
}


BButton*
BAlert::ButtonAt(int32 index) const
{
	if (index >= 0 && index < fButtonCount)
		return fButtons[index];
	return NULL;
}


BTextView*
BAlert::TextView() const
{
	return fTextView;
}


alert_type
BAlert::Type() const
{
	return fType;
}


int32
BAlert::Go()
{
	Result result;
	result.index = -1;
	result.semaphore = create_sem(0, "alert");
	if (result.semaphore < 0) {
		Lock();
		Quit();
		return -1;
	}
	fResult = &result;

	// The caller's window, if Go runs on a window's thread, keeps drawing while it
	// waits. From here on the alert may delete itself at any moment.
	BWindow* caller = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(NULL)));
	Show();

	if (caller != NULL && caller != this) {
		while (true) {
			status_t status = acquire_sem_etc(result.semaphore, 1, B_RELATIVE_TIMEOUT,
				50000);
			if (status == B_OK)
				break;
			if (status != B_TIMED_OUT && status != B_INTERRUPTED)
				break;
			caller->UpdateIfNeeded();
		}
	} else {
		status_t status;
		do {
			status = acquire_sem(result.semaphore);
		} while (status == B_INTERRUPTED);
	}
	delete_sem(result.semaphore);
	return result.index;
}


void
BAlert::_Finish(int32 index)
{
	if (fResult != NULL) {
		fResult->index = index;
		Result* result = fResult;
		fResult = NULL;
		release_sem(result->semaphore);
	}
	Quit();
}


void
BAlert::MessageReceived(BMessage* message)
{
	if (message->what == BPrivate::kAlertButtonPressed) {
		int32 index = -1;
		if (message->FindInt32("index", &index) == B_OK && index >= 0
			&& index < fButtonCount) {
			_Finish(index);
		}
		return;
	}
	BWindow::MessageReceived(message);
}


void
BAlert::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN) {
		const char* bytes = NULL;
		int32 modifiers = 0;
		message->FindString("bytes", &bytes);
		message->FindInt32("modifiers", &modifiers);
		if (bytes != NULL && bytes[0] != '\0' && bytes[1] == '\0'
			&& (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0) {
			for (int32 i = 0; i < fButtonCount; i++) {
				if (fShortcuts[i] != 0
					&& tolower((uint8)fShortcuts[i]) == tolower((uint8)bytes[0])) {
					fButtons[i]->Invoke();
					return;
				}
			}
		}
	}
	BWindow::DispatchMessage(message, handler);
}
