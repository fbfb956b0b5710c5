#include "interface/controls/TextControlField.h"

#include <Message.h>
#include <TextControl.h>
#include <Window.h>

#include <string>

namespace BPrivate {

static BRect
TextRectFor(BRect frame)
{
	return BRect(2, 1, frame.Width() - 2, frame.Height() - 1);
}


TextControlField::TextControlField(BRect frame, BTextControl* control)
	:
	BTextView(frame, "_input_", TextRectFor(frame), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE),
	fControl(control),
	fFocused(false)
{
	SetWordWrap(false);
	SetViewColor(make_color(255, 255, 255));
}


void
TextControlField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_ENTER) {
		// Enter commits the text: the control invokes and the text is selected.
		fControl->fChangedSinceInvoke = false;
		fControl->Invoke();
		SelectAll();
		return;
	}
	if (numBytes == 1 && bytes[0] == B_TAB) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	BTextView::KeyDown(bytes, numBytes);
}


void
TextControlField::MakeFocus(bool focus)
{
	BTextView::MakeFocus(focus);
	// The window moves the focus before it tells the old view, so the change is seen
	// against what this field last knew.
	bool now = IsFocus();
	if (now == fFocused)
		return;
	fFocused = now;
	if (now)
		SelectAll();
	fControl->_FieldFocusChanged(now);
}


void
TextControlField::FrameResized(float width, float height)
{
	SetTextRect(BRect(2, 1, width - 2, height - 1));
	BTextView::FrameResized(width, height);
}


void
TextControlField::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	std::string line(text, length);
	for (char& c : line) {
		if (c == '\n' || c == '\r')
			c = ' ';
	}
	BTextView::InsertText(line.data(), (int32)line.size(), offset, runs);
	fControl->_FieldChanged();
}


void
TextControlField::DeleteText(int32 fromOffset, int32 toOffset)
{
	BTextView::DeleteText(fromOffset, toOffset);
	if (toOffset > fromOffset)
		fControl->_FieldChanged();
}

}	// namespace BPrivate
