#include <TextView.h>

#include <AppDefs.h>
#include <Beep.h>
#include <Clipboard.h>
#include <File.h>
#include <Message.h>
#include <TypeConstants.h>
#include <Window.h>

#include <ScrollBar.h>
#include <ScrollView.h>

#include "interface/textview/TextStore.h"
#include "interface/textview/view/TextLayout.h"
#include "interface/textview/view/UndoHistory.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

using BPrivate::LineBox;
using BPrivate::StyleRun;
using BPrivate::TextLayout;
using BPrivate::TextStore;
using BPrivate::TextStyle;
using BPrivate::UndoHistory;
using BPrivate::UndoStep;


struct BTextView::LineRef {
	int32	paragraph;
	LineBox	box;
	// Top of the line in view coordinates.
	float	top;
};


static const char* const kTextMimeType = "text/plain";
static const bigtime_t kBlinkInterval = 500000;


static int32
CharClass(uint8 byte)
{
	if (byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r')
		return 0;
	if (isalnum(byte) || byte == '_' || byte >= 0x80)
		return 1;
	return 2;
}


static int32
CountNewlines(const char* text, int32 length)
{
	int32 count = 0;
	const char* end = text + length;
	for (const char* p = text; p < end;) {
		p = static_cast<const char*>(memchr(p, '\n', end - p));
		if (p == NULL)
			break;
		count++;
		p++;
	}
	return count;
}


BTextView::BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
	uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS | B_PULSE_NEEDED)
{
	_Init(textRect, NULL, NULL);
}


BTextView::BTextView(BRect frame, const char* name, BRect textRect,
	const BFont* initialFont, const rgb_color* initialColor, uint32 resizingMode,
	uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS | B_PULSE_NEEDED)
{
	_Init(textRect, initialFont, initialColor);
}


void
BTextView::_Init(BRect textRect, const BFont* font, const rgb_color* color)
{
	fNullFont = font != NULL ? *font : *be_plain_font;
	fNullColor = color != NULL ? *color : make_color(0, 0, 0);
	fStore = new TextStore(fNullFont, fNullColor);
	fLayout = new TextLayout(*fStore);
	fUndo = new UndoHistory;
	fTextRect = textRect;
	fSelStart = fSelEnd = fAnchor = 0;
	fCaretX = 0;
	fCaretXValid = false;
	fEditable = true;
	fSelectable = true;
	fStylable = false;
	fWrap = true;
	fAutoindent = false;
	fDoesUndo = true;
	fCaretVisible = true;
	fActive = false;
	fUndoing = false;
	fAlignment = B_ALIGN_LEFT;
	fTabWidth = 28;
	fMaxBytes = INT32_MAX;
	fUniform = true;
	fUniformFont = fNullFont;
	fVisibleFrom = fVisibleTo = 0;
	fVisibleValid = false;
	fVisibleGeneration = 0;
	fTracking = false;
	fTrackClicks = 1;
	fTrackFrom = fTrackTo = 0;
	fLastBlink = 0;
	fDragging = false;
	fDragMoved = false;
	fDropOffset = 0;
	BView::SetFont(&fNullFont);
	fLayout->SetTabWidth(fTabWidth);
	fLayout->SetWrap(fWrap, fTextRect.Width());
}


BTextView::~BTextView()
{
	delete fUndo;
	delete fLayout;
	delete fStore;
}


// #pragma mark - view hooks


void
BTextView::AttachedToWindow()
{
	BView::AttachedToWindow();
	fActive = Window()->IsActive();
	fVisibleValid = false;
	_UpdateScrollBars();
}


void
BTextView::DetachedFromWindow()
{
	fTracking = false;
	fDragging = false;
	BView::DetachedFromWindow();
}


void
BTextView::Draw(BRect updateRect)
{
	_DrawLines(updateRect & Bounds());
}


void
BTextView::MouseDown(BPoint where)
{
	if (!fSelectable && !fEditable)
		return;
	if (!IsFocus())
		MakeFocus(true);
	if (!fSelectable)
		return;

	int32 clicks = 1;
	int32 modifiers = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL) {
		Window()->CurrentMessage()->FindInt32("clicks", &clicks);
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	}
	clicks = std::clamp(clicks, (int32)1, (int32)3);
	bool extend = (modifiers & B_SHIFT_KEY) != 0;
	int32 offset = OffsetAt(where);
	if (clicks == 1 && !extend && fEditable && _InSelection(where, offset)) {
		// A press on the selection may start dragging it; a release without moving
		// places the caret as a click would.
		fDragging = true;
		fDragMoved = false;
		fDropOffset = offset;
		fDragStart = where;
		SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
		return;
	}
	_TrackMouse(where, clicks, extend);
}


void
BTextView::MouseUp(BPoint where)
{
	if (fDragging) {
		fDragging = false;
		Invalidate(_CaretRectAt(fDropOffset).InsetByCopy(-1, 0));
		int32 offset = OffsetAt(where);
		if (!fDragMoved) {
			Select(offset, offset);
			return;
		}
		int32 modifiers = 0;
		if (Window() != NULL && Window()->CurrentMessage() != NULL)
			Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
		_DropSelection(offset, (modifiers & B_COMMAND_KEY) != 0);
		return;
	}
	if (!fTracking)
		return;
	_SelectByUnit(fTrackFrom, fTrackTo, OffsetAt(where), fTrackClicks);
	fTracking = false;
}


void
BTextView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fDragging) {
		_DragTo(where);
		return;
	}
	if (!fTracking)
		return;
	uint32 buttons = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL) {
		int32 value = 0;
		if (Window()->CurrentMessage()->FindInt32("buttons", &value) == B_OK)
			buttons = (uint32)value;
	}
	if (buttons == 0) {
		fTracking = false;
		return;
	}
	// Dragging past the top or bottom edge scrolls towards the pointer.
	BRect bounds = Bounds();
	if (where.y < bounds.top)
		ScrollBy(0, std::max(where.y - bounds.top, -bounds.Height()));
	else if (where.y > bounds.bottom)
		ScrollBy(0, std::min(where.y - bounds.bottom, bounds.Height()));
	_SelectByUnit(fTrackFrom, fTrackTo, OffsetAt(where), fTrackClicks);
}


void
BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (bytes == NULL || numBytes <= 0)
		return;
	int32 modifiers = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	uint32 mods = (uint32)modifiers;
	uint8 key = (uint8)bytes[0];

	if ((mods & B_COMMAND_KEY) != 0 && numBytes == 1 && (key == 'z' || key == 'Z')) {
		if ((mods & B_SHIFT_KEY) != 0 || key == 'Z')
			Redo();
		else
			Undo(be_clipboard);
		return;
	}

	switch (key) {
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
			if (fSelectable || fEditable)
				_HandleArrow(key, mods);
			return;
		case B_HOME:
		case B_END:
			if (fSelectable || fEditable)
				_HandleHomeEnd(key, mods);
			return;
		case B_PAGE_UP:
		case B_PAGE_DOWN:
			_HandlePage(key, mods);
			return;
		case B_BACKSPACE:
			if (fEditable)
				_HandleBackspace(mods);
			return;
		case B_DELETE:
			if (fEditable)
				_HandleDelete(mods);
			return;
		case B_ESCAPE:
		case B_INSERT:
		case B_FUNCTION_KEY:
			return;
		case B_TAB:
			if (!fEditable) {
				BView::KeyDown(bytes, numBytes);
				return;
			}
			break;
		default:
			break;
	}

	if (!fEditable)
		return;
	if ((mods & (B_COMMAND_KEY | B_CONTROL_KEY)) != 0)
		return;
	if (key < 0x20 && key != B_TAB && key != B_ENTER)
		return;

	if (key == B_ENTER && fAutoindent) {
		// The new line starts with the white space the current paragraph starts with.
		int32 paragraph = fStore->Lines().LineAt(fSelStart);
		int32 start = fStore->Lines().LineStart(paragraph);
		int32 end = start;
		while (end < fSelStart && (ByteAt(end) == ' ' || ByteAt(end) == '\t'))
			end++;
		std::string text("\n");
		for (int32 i = start; i < end; i++)
			text.push_back((char)ByteAt(i));
		_TypeText(text.data(), (int32)text.size());
		return;
	}
	_TypeText(bytes, numBytes);
}


void
BTextView::Pulse()
{
	if (fDragging) {
		BPoint where;
		uint32 buttons;
		GetMouse(&where, &buttons, false);
		if (buttons != 0 && !Bounds().Contains(where))
			_DragTo(where);
	}
	if (fTracking) {
		BPoint where;
		uint32 buttons;
		GetMouse(&where, &buttons, false);
		if (buttons == 0)
			fTracking = false;
		else if (!Bounds().Contains(where)) {
			BRect bounds = Bounds();
			if (where.y < bounds.top)
				ScrollBy(0, -fLayout->DefaultHeight());
			else if (where.y > bounds.bottom)
				ScrollBy(0, fLayout->DefaultHeight());
			_SelectByUnit(fTrackFrom, fTrackTo, OffsetAt(where), fTrackClicks);
		}
	}
	if (!_ShowsCaret())
		return;
	bigtime_t now = system_time();
	if (now - fLastBlink < kBlinkInterval - 50000)
		return;
	fLastBlink = now;
	fCaretVisible = !fCaretVisible;
	_InvalidateCaret();
}


void
BTextView::FrameResized(float width, float height)
{
	BView::FrameResized(width, height);
	fVisibleValid = false;
	_UpdateScrollBars();
}


void
BTextView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	// The window may already have moved the focus when it tells this view that it
	// lost it, so the caret and the selection are redrawn on every call rather than
	// only on a change seen here; otherwise a caret would stay behind.
	fCaretVisible = true;
	fLastBlink = system_time();
	_InvalidateCaret();
	if (fSelStart != fSelEnd)
		_InvalidateRange(fSelStart, fSelEnd);
	if (BScrollView* scrollView = dynamic_cast<BScrollView*>(Parent()))
		scrollView->SetBorderHighlighted(focus);
}


void
BTextView::WindowActivated(bool active)
{
	BView::WindowActivated(active);
	fActive = active;
	fCaretVisible = true;
	fLastBlink = system_time();
	_InvalidateCaret();
}


void
BTextView::TargetedByScrollBar(BScrollBar* scrollBar)
{
	BView::TargetedByScrollBar(scrollBar);
	_UpdateScrollBars();
}


void
BTextView::ScrollTo(BPoint where)
{
	BView::ScrollTo(where);
	fVisibleValid = false;
}


void
BTextView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_CUT:
			Cut(be_clipboard);
			return;
		case B_COPY:
			Copy(be_clipboard);
			return;
		case B_PASTE:
			Paste(be_clipboard);
			return;
		case B_UNDO:
			Undo(be_clipboard);
			return;
		case B_REDO:
			Redo();
			return;
		case B_SELECT_ALL:
			SelectAll();
			return;
		default:
			break;
	}

	if (message->WasDropped() && AcceptsDrop(message)) {
		const void* data = NULL;
		ssize_t size = 0;
		if (message->FindData(kTextMimeType, B_MIME_TYPE, &data, &size) == B_OK
			&& size > 0) {
			BPoint where;
			int32 offset = fSelStart;
			if (message->FindPoint("_drop_point_", &where) == B_OK)
				offset = OffsetAt(ConvertFromScreen(where));
			std::string text;
			_Filtered(static_cast<const char*>(data), (int32)size, &text);
			if (!text.empty() && TextLength() + (int32)text.size() <= fMaxBytes) {
				_Replace(offset, offset, text.data(), (int32)text.size(), NULL,
					B_UNDO_DROP);
				Select(offset, offset + (int32)text.size());
			}
			return;
		}
	}
	BView::MessageReceived(message);
}


// #pragma mark - text


void
BTextView::SetText(const char* text, const text_run_array* runs)
{
	SetText(text, text != NULL ? (int32)strlen(text) : 0, runs);
}


void
BTextView::SetText(const char* text, int32 length, const text_run_array* runs)
{
	if (text == NULL || length < 0)
		length = 0;
	_SetTextInternal(text, length, runs);
}


void
BTextView::SetText(BFile* file, int32 offset, int32 length, const text_run_array* runs)
{
	if (file == NULL || offset < 0 || length <= 0) {
		_SetTextInternal(NULL, 0, runs);
		return;
	}
	std::string buffer;
	try {
		buffer.resize(length);
	} catch (...) {
		_SetTextInternal(NULL, 0, runs);
		return;
	}
	ssize_t read = file->ReadAt(offset, &buffer[0], length);
	_SetTextInternal(buffer.data(), read > 0 ? (int32)read : 0, runs);
}


void
BTextView::_SetTextInternal(const char* text, int32 length, const text_run_array* runs)
{
	fUndoing = true;
	if (TextLength() > 0)
		DeleteText(0, TextLength());
	fSelStart = fSelEnd = fAnchor = 0;
	if (length > 0)
		InsertText(text, length, 0, runs);
	fUndoing = false;
	fUndo->Clear();
	fSelStart = fSelEnd = fAnchor = 0;
	fCaretXValid = false;
	if (Window() != NULL) {
		Invalidate();
		if (Bounds().top != 0 || Bounds().left != 0)
			ScrollTo(BPoint(0, 0));
	}
	_TextChanged();
}


void
BTextView::Insert(const char* text, const text_run_array* runs)
{
	if (text != NULL)
		Insert(fSelStart, text, (int32)strlen(text), runs);
}


void
BTextView::Insert(const char* text, int32 length, const text_run_array* runs)
{
	Insert(fSelStart, text, length, runs);
}


void
BTextView::Insert(int32 offset, const char* text, int32 length, const text_run_array* runs)
{
	if (text == NULL || length <= 0)
		return;
	length = (int32)strnlen(text, length);
	offset = _CharStart(_ClampOffset(offset));
	_Replace(offset, offset, text, length, runs, B_UNDO_PASTE);
}


void
BTextView::Delete()
{
	Delete(fSelStart, fSelEnd);
}


void
BTextView::Delete(int32 startOffset, int32 endOffset)
{
	startOffset = _ClampOffset(startOffset);
	endOffset = _ClampOffset(endOffset);
	if (startOffset > endOffset)
		std::swap(startOffset, endOffset);
	if (startOffset == endOffset)
		return;
	_Replace(startOffset, endOffset, NULL, 0, NULL, B_UNDO_CLEAR);
}


const char*
BTextView::Text() const
{
	return fStore->Text().Text();
}


int32
BTextView::TextLength() const
{
	return fStore->Length();
}


void
BTextView::GetText(int32 offset, int32 length, char* buffer) const
{
	if (buffer == NULL)
		return;
	buffer[0] = '\0';
	if (length <= 0)
		return;
	offset = _ClampOffset(offset);
	int32 end = (int32)std::min((int64)offset + length, (int64)TextLength());
	fStore->Text().CopyRange(offset, end, buffer);
}


uchar
BTextView::ByteAt(int32 offset) const
{
	return (uchar)fStore->Text().ByteAt(offset);
}


// #pragma mark - the hooks


void
BTextView::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	if (text == NULL || length <= 0)
		return;
	offset = _CharStart(_ClampOffset(offset));
	int32 paragraph = fStore->Lines().LineAt(offset);
	int32 newlines = CountNewlines(text, length);
	int32 oldHeight = fLayout->ParagraphTop(paragraph + 1) - fLayout->ParagraphTop(paragraph);

	int32 style = -1;
	if (TextLength() == 0) {
		uint16 index;
		if (fStore->Styles().Intern(fNullFont, fNullColor, &index) == B_OK)
			style = index;
		// The text is empty, so the new style is the only one in use.
		fUniform = true;
		fUniformFont = fNullFont;
	}
	if (fStore->Insert(offset, text, length, style) != B_OK)
		return;
	if (runs != NULL && fStylable) {
		fStore->Styles().SetRuns(offset, offset + length, runs);
		_RunsInserted(runs);
	}
	fLayout->TextInserted(paragraph, offset, length, newlines);

	// A caret or selection at or after the insertion moves with the text after it.
	if (offset <= fSelStart) {
		fSelStart += length;
		fSelEnd += length;
	} else if (offset < fSelEnd)
		fSelEnd += length;
	if (offset <= fAnchor)
		fAnchor += length;
	_SnapSelection();

	_InvalidateEdit(paragraph, oldHeight, newlines > 0);
	_TextChanged();
}


void
BTextView::DeleteText(int32 fromOffset, int32 toOffset)
{
	fromOffset = _CharStart(_ClampOffset(fromOffset));
	toOffset = _ClampOffset(toOffset);
	if (!fStore->Text().IsCharBoundary(toOffset))
		toOffset = fStore->Text().NextCharBoundary(toOffset);
	if (fromOffset >= toOffset)
		return;
	int32 first = fStore->Lines().LineAt(fromOffset);
	int32 last = fStore->Lines().LineAt(toOffset);
	int32 lastStart = fStore->Lines().LineStart(last);
	int32 oldHeight = fLayout->ParagraphTop(last + 1) - fLayout->ParagraphTop(first);
	if (fStore->Remove(fromOffset, toOffset) != B_OK)
		return;
	fLayout->TextRemoved(first, last, fromOffset, toOffset, lastStart);

	int32 removed = toOffset - fromOffset;
	auto shift = [&](int32 offset) {
		if (offset >= toOffset)
			return offset - removed;
		if (offset > fromOffset)
			return fromOffset;
		return offset;
	};
	fSelStart = shift(fSelStart);
	fSelEnd = shift(fSelEnd);
	fAnchor = shift(fAnchor);
	_SnapSelection();

	_InvalidateEdit(first, oldHeight, last > first);
	_TextChanged();
}


// Redraws what an edit of a paragraph changed: the lines it wrapped differently, and
// everything below when the paragraph's height or the number of paragraphs changed.
void
BTextView::_InvalidateEdit(int32 paragraph, int32 oldHeight, bool toBottom)
{
	if (Window() == NULL)
		return;
	float top = fTextRect.top + fLayout->ParagraphTop(paragraph);
	BRect bounds = Bounds();
	if (top > bounds.bottom)
		return;
	int32 height = fLayout->Layout(paragraph);
	int32 spanTop = 0;
	int32 spanBottom = height - 1;
	fLayout->TakeChangedSpan(paragraph, &spanTop, &spanBottom);
	float from = top + spanTop;
	float bottom = toBottom || height != oldHeight ? bounds.bottom : top + spanBottom;
	if (bottom < bounds.top)
		return;
	Invalidate(BRect(bounds.left, std::max(from, bounds.top), bounds.right, bottom));
}


void
BTextView::_Replace(int32 from, int32 to, const char* text, int32 length,
	const text_run_array* runs, undo_state kind)
{
	if (text == NULL)
		length = 0;
	from = _CharStart(_ClampOffset(from));
	to = _ClampOffset(to);
	if (!fStore->Text().IsCharBoundary(to))
		to = fStore->Text().NextCharBoundary(to);
	if (to < from)
		to = from;
	if (from == to && length == 0)
		return;

	if (fDoesUndo && !fUndoing) {
		std::string removed;
		if (to > from) {
			removed.resize(to - from + 1);
			fStore->Text().CopyRange(from, to, &removed[0]);
			removed.resize(to - from);
		}
		if (kind != B_UNDO_TYPING || !fUndo->ExtendTyping(from, removed.data(),
				(int32)removed.size(), text, length)) {
			UndoStep step;
			step.kind = kind;
			step.offset = from;
			step.removed = removed;
			if (to > from && fStylable)
				step.removedRuns = fStore->Styles().GetRuns(from, to);
			if (length > 0)
				step.inserted.assign(text, length);
			step.selectionStart = fSelStart;
			step.selectionEnd = fSelEnd;
			fUndo->Add(step);
		}
	}

	if (to > from)
		DeleteText(from, to);
	if (length > 0)
		InsertText(text, length, from, runs);
}


void
BTextView::_ApplyStep(bool undo)
{
	const UndoStep* found = undo ? fUndo->NextUndo() : fUndo->NextRedo();
	if (found == NULL || !fEditable)
		return;
	bool joinsNext = found->joinsNext;
	// The hooks may change the history through a subclass; work on a copy.
	int32 offset = found->offset;
	std::string removed = found->removed;
	std::string inserted = found->inserted;
	text_run_array* runs = NULL;
	if (found->removedRuns != NULL) {
		int32 count = found->removedRuns->count;
		runs = BPrivate::AllocRunArray(count);
		if (runs != NULL) {
			for (int32 i = 0; i < count; i++)
				runs->runs[i] = found->removedRuns->runs[i];
		}
	}
	if (undo)
		fUndo->StepBack();
	else
		fUndo->StepForward();
	fUndo->CloseTyping();

	fUndoing = true;
	const std::string& out = undo ? inserted : removed;
	const std::string& in = undo ? removed : inserted;
	if (!out.empty())
		DeleteText(offset, offset + (int32)out.size());
	if (!in.empty())
		InsertText(in.data(), (int32)in.size(), offset, undo ? runs : NULL);
	fUndoing = false;
	BPrivate::FreeRunArray(runs);

	if (undo && !in.empty())
		Select(offset, offset + (int32)in.size());
	else
		Select(offset + (int32)in.size(), offset + (int32)in.size());
	ScrollToSelection();

	// Steps made as one change go back and forth together.
	const UndoStep* next = undo ? fUndo->NextUndo() : NULL;
	if ((undo && next != NULL && next->joinsNext) || (!undo && joinsNext))
		_ApplyStep(undo);
}


bool
BTextView::_Filtered(const char* text, int32 length, std::string* out) const
{
	out->clear();
	if (text == NULL || length <= 0)
		return false;
	length = (int32)strnlen(text, length);
	if (fDisallowed.empty()) {
		out->assign(text, length);
		return true;
	}
	bool dropped = false;
	for (int32 i = 0; i < length; i++) {
		uint8 byte = (uint8)text[i];
		if (byte < 0x80 && std::find(fDisallowed.begin(), fDisallowed.end(), byte)
				!= fDisallowed.end()) {
			dropped = true;
			continue;
		}
		out->push_back((char)byte);
	}
	return !dropped;
}


void
BTextView::_TextChanged()
{
	fVisibleValid = false;
	_UpdateScrollBars();
}


// #pragma mark - lines


int32
BTextView::CountLines() const
{
	if (!fWrap)
		return fStore->Lines().CountLines();
	return fLayout->CountLines();
}


int32
BTextView::CurrentLine() const
{
	return LineAt(fSelStart);
}


void
BTextView::GoToLine(int32 lineIndex)
{
	int32 offset = OffsetAt(std::max(lineIndex, (int32)0));
	Select(offset, offset);
}


int32
BTextView::LineAt(int32 offset) const
{
	offset = _ClampOffset(offset);
	int32 paragraph = fStore->Lines().LineAt(offset);
	if (!fWrap)
		return paragraph;
	fLayout->MeasureUpTo(paragraph);
	int32 index = fLayout->Lines(paragraph).IndexOf(offset);
	return fLayout->LinesBefore(paragraph) + index;
}


int32
BTextView::LineAt(BPoint point) const
{
	return LineAt(OffsetAt(point));
}


void
BTextView::_LineOf(int32 offset, LineRef* ref) const
{
	offset = _ClampOffset(offset);
	int32 paragraph = fStore->Lines().LineAt(offset);
	BPrivate::ParagraphLines lines = fLayout->Lines(paragraph);
	ref->paragraph = paragraph;
	ref->box = lines[lines.IndexOf(offset)];
	ref->top = fTextRect.top + fLayout->ParagraphTop(paragraph) + ref->box.top;
}


void
BTextView::_LineAtY(float y, LineRef* ref) const
{
	int32 relative = (int32)std::floor(y - fTextRect.top);
	int32 paragraph = fLayout->ParagraphAtY(relative);
	BPrivate::ParagraphLines lines = fLayout->Lines(paragraph);
	int32 top = fLayout->ParagraphTop(paragraph);
	ref->paragraph = paragraph;
	ref->box = lines[lines.IndexAtY(relative - top)];
	ref->top = fTextRect.top + top + ref->box.top;
}


void
BTextView::_LineByNumber(int32 line, LineRef* ref) const
{
	if (!fWrap) {
		int32 paragraph = std::clamp(line, (int32)0, fLayout->CountParagraphs() - 1);
		_LineOf(fStore->Lines().LineStart(paragraph), ref);
		return;
	}
	fLayout->MeasureUpTo(-1);
	int32 paragraph = fLayout->ParagraphOfLine(std::max(line, (int32)0));
	BPrivate::ParagraphLines lines = fLayout->Lines(paragraph);
	int32 index = std::clamp(line - fLayout->LinesBefore(paragraph), (int32)0,
		lines.Count() - 1);
	ref->paragraph = paragraph;
	ref->box = lines[index];
	ref->top = fTextRect.top + fLayout->ParagraphTop(paragraph) + ref->box.top;
}


float
BTextView::_LineLeft(const LineRef& ref) const
{
	if (fAlignment == B_ALIGN_LEFT)
		return fTextRect.left;
	float width = fLayout->Width(ref.box.start, ref.box.end);
	float room = fTextRect.Width() - width;
	if (fAlignment == B_ALIGN_CENTER)
		room = std::floor(room / 2);
	return fTextRect.left + std::max(room, 0.0f);
}


BPoint
BTextView::PointAt(int32 offset, float* height) const
{
	LineRef ref;
	_LineOf(offset, &ref);
	offset = _CharStart(_ClampOffset(offset));
	float x = _LineLeft(ref) + fLayout->XOfOffset(ref.box, offset);
	if (height != NULL)
		*height = ref.box.height;
	return BPoint(x, ref.top);
}


int32
BTextView::OffsetAt(BPoint point) const
{
	if (point.y < fTextRect.top && TextLength() == 0)
		return 0;
	LineRef ref;
	_LineAtY(point.y, &ref);
	if (point.y >= ref.top + ref.box.height && ref.box.end == TextLength())
		return TextLength();
	return fLayout->OffsetAtX(ref.box, point.x - _LineLeft(ref));
}


int32
BTextView::OffsetAt(int32 line) const
{
	if (line < 0)
		return 0;
	if (line >= CountLines())
		return TextLength();
	LineRef ref;
	_LineByNumber(line, &ref);
	return ref.box.start;
}


float
BTextView::LineWidth(int32 lineIndex) const
{
	if (lineIndex < 0 || lineIndex >= CountLines())
		return 0;
	LineRef ref;
	_LineByNumber(lineIndex, &ref);
	return fLayout->Width(ref.box.start, ref.box.end);
}


float
BTextView::LineHeight(int32 lineIndex) const
{
	if (TextLength() == 0 || lineIndex < 0 || lineIndex >= CountLines())
		return fLayout->Fonts().For(fNullFont).height;
	LineRef ref;
	_LineByNumber(lineIndex, &ref);
	return ref.box.height;
}


float
BTextView::TextHeight(int32 startLine, int32 endLine) const
{
	int32 count = CountLines();
	startLine = std::clamp(startLine, (int32)0, count - 1);
	endLine = std::clamp(endLine, (int32)0, count - 1);
	if (endLine < startLine)
		return 0;
	LineRef first;
	LineRef last;
	_LineByNumber(endLine, &last);
	// Heights are exact only for measured paragraphs; the others count as default lines.
	fLayout->MeasureUpTo(last.paragraph + 1);
	_LineByNumber(startLine, &first);
	_LineByNumber(endLine, &last);
	return last.top + last.box.height - first.top;
}


void
BTextView::FindWord(int32 offset, int32* fromOffset, int32* toOffset)
{
	offset = _ClampOffset(offset);
	int32 length = TextLength();
	if (length == 0) {
		if (fromOffset != NULL)
			*fromOffset = 0;
		if (toOffset != NULL)
			*toOffset = 0;
		return;
	}
	int32 probe = offset < length ? offset : fStore->Text().PreviousCharBoundary(offset);
	int32 kind = CharClass(ByteAt(probe));
	int32 from = probe;
	while (from > 0) {
		int32 previous = fStore->Text().PreviousCharBoundary(from);
		if (CharClass(ByteAt(previous)) != kind || ByteAt(previous) == '\n')
			break;
		from = previous;
	}
	int32 to = probe;
	while (to < length && CharClass(ByteAt(to)) == kind
		&& (ByteAt(to) != '\n' || to == probe)) {
		to = fStore->Text().NextCharBoundary(to);
		if (ByteAt(to - 1) == '\n')
			break;
	}
	if (fromOffset != NULL)
		*fromOffset = from;
	if (toOffset != NULL)
		*toOffset = to;
}


// #pragma mark - editing commands


void
BTextView::Cut(BClipboard* clipboard)
{
	if (!fEditable || fSelStart == fSelEnd)
		return;
	Copy(clipboard);
	_Replace(fSelStart, fSelEnd, NULL, 0, NULL, B_UNDO_CUT);
	ScrollToSelection();
}


void
BTextView::Copy(BClipboard* clipboard)
{
	if (clipboard == NULL || fSelStart == fSelEnd || !clipboard->Lock())
		return;
	clipboard->Clear();
	BMessage* data = clipboard->Data();
	if (data != NULL) {
		std::string text(fSelEnd - fSelStart + 1, '\0');
		fStore->Text().CopyRange(fSelStart, fSelEnd, &text[0]);
		data->AddData(kTextMimeType, B_MIME_TYPE, text.data(), fSelEnd - fSelStart);
		clipboard->Commit();
	}
	clipboard->Unlock();
}


void
BTextView::Paste(BClipboard* clipboard)
{
	if (!fEditable || clipboard == NULL || !clipboard->Lock())
		return;
	std::string text;
	BMessage* data = clipboard->Data();
	const void* bytes = NULL;
	ssize_t size = 0;
	if (data != NULL && data->FindData(kTextMimeType, B_MIME_TYPE, &bytes, &size) == B_OK
		&& size > 0) {
		_Filtered(static_cast<const char*>(bytes), (int32)size, &text);
	}
	clipboard->Unlock();
	if (text.empty())
		return;
	if ((int64)TextLength() - (fSelEnd - fSelStart) + (int64)text.size() > fMaxBytes) {
		beep();
		return;
	}
	_Replace(fSelStart, fSelEnd, text.data(), (int32)text.size(), NULL, B_UNDO_PASTE);
	fCaretVisible = true;
	ScrollToSelection();
}


void
BTextView::Clear()
{
	if (fSelStart == fSelEnd)
		return;
	_Replace(fSelStart, fSelEnd, NULL, 0, NULL, B_UNDO_CLEAR);
}


bool
BTextView::AcceptsPaste(BClipboard* clipboard)
{
	if (!fEditable || clipboard == NULL || !clipboard->Lock())
		return false;
	bool accepts = clipboard->Data() != NULL
		&& clipboard->Data()->HasData(kTextMimeType, B_MIME_TYPE);
	clipboard->Unlock();
	return accepts;
}


bool
BTextView::AcceptsDrop(const BMessage* message)
{
	return fEditable && message != NULL && message->HasData(kTextMimeType, B_MIME_TYPE);
}


void
BTextView::Undo(BClipboard* clipboard)
{
	_ApplyStep(true);
}


void
BTextView::Redo()
{
	_ApplyStep(false);
}


undo_state
BTextView::UndoState(bool* isRedo) const
{
	if (isRedo != NULL)
		*isRedo = false;
	const UndoStep* step = fUndo->NextUndo();
	return step != NULL ? step->kind : B_UNDO_UNAVAILABLE;
}


// #pragma mark - selection


void
BTextView::Select(int32 startOffset, int32 endOffset)
{
	startOffset = _CharStart(_ClampOffset(startOffset));
	endOffset = _CharStart(_ClampOffset(endOffset));
	if (startOffset > endOffset)
		std::swap(startOffset, endOffset);
	fUndo->CloseTyping();
	fCaretXValid = false;
	if (startOffset == fSelStart && endOffset == fSelEnd) {
		fAnchor = startOffset;
		return;
	}
	int32 oldStart = fSelStart;
	int32 oldEnd = fSelEnd;
	if (oldStart == oldEnd)
		_InvalidateCaret();
	fSelStart = startOffset;
	fSelEnd = endOffset;
	fAnchor = startOffset;
	fCaretVisible = true;
	fLastBlink = system_time();
	if (oldStart != oldEnd || startOffset != endOffset) {
		// Only the part whose highlighting changes needs drawing again.
		if (oldStart == oldEnd)
			_InvalidateRange(startOffset, endOffset);
		else if (startOffset == endOffset)
			_InvalidateRange(oldStart, oldEnd);
		else {
			if (oldStart != startOffset)
				_InvalidateRange(std::min(oldStart, startOffset),
					std::max(oldStart, startOffset));
			if (oldEnd != endOffset)
				_InvalidateRange(std::min(oldEnd, endOffset), std::max(oldEnd, endOffset));
		}
	}
	if (startOffset == endOffset)
		_InvalidateCaret();
}


void
BTextView::SelectAll()
{
	Select(0, TextLength());
}


void
BTextView::GetSelection(int32* startOffset, int32* endOffset) const
{
	if (startOffset != NULL)
		*startOffset = fSelStart;
	if (endOffset != NULL)
		*endOffset = fSelEnd;
}


// #pragma mark - styles


void
BTextView::SetFontAndColor(const BFont* font, uint32 mode, const rgb_color* color)
{
	if (!fStylable || fSelStart == fSelEnd) {
		if (!fStylable)
			SetFontAndColor(0, TextLength(), font, mode, color);
		_SetNullStyle(font, mode, color);
		return;
	}
	SetFontAndColor(fSelStart, fSelEnd, font, mode, color);
}


void
BTextView::SetFontAndColor(int32 startOffset, int32 endOffset, const BFont* font,
	uint32 mode, const rgb_color* color)
{
	if (!fStylable) {
		startOffset = 0;
		endOffset = TextLength();
		_SetNullStyle(font, mode, color);
	}
	startOffset = _ClampOffset(startOffset);
	endOffset = _ClampOffset(endOffset);
	if (startOffset > endOffset)
		std::swap(startOffset, endOffset);
	if (font == NULL)
		mode = 0;
	mode &= B_FONT_ALL;
	if (startOffset == endOffset || (mode == 0 && color == NULL))
		return;
	if (fStore->Styles().SetStyle(startOffset, endOffset, font, mode, color) != B_OK)
		return;

	bool fontChanged = false;
	if (mode != 0) {
		if (startOffset == 0 && endOffset == TextLength() && mode == B_FONT_ALL) {
			fontChanged = !fUniform || *font != fUniformFont;
			fUniform = true;
			fUniformFont = *font;
			if (fontChanged)
				fLayout->InvalidateAll();
		} else if (!fUniform || mode != B_FONT_ALL || *font != fUniformFont) {
			fUniform = false;
			fontChanged = true;
		}
	}
	_StylesChanged(startOffset, endOffset, fontChanged);
}


void
BTextView::_SetNullStyle(const BFont* font, uint32 mode, const rgb_color* color)
{
	if (font != NULL) {
		BFont merged(fNullFont);
		font_family family;
		font_style style;
		if ((mode & B_FONT_FAMILY_AND_STYLE) != 0) {
			font->GetFamilyAndStyle(&family, &style);
			merged.SetFamilyAndStyle(family, style);
		}
		if ((mode & B_FONT_SIZE) != 0)
			merged.SetSize(font->Size());
		if ((mode & B_FONT_SHEAR) != 0)
			merged.SetShear(font->Shear());
		if ((mode & B_FONT_ROTATION) != 0)
			merged.SetRotation(font->Rotation());
		if ((mode & B_FONT_SPACING) != 0)
			merged.SetSpacing(font->Spacing());
		if ((mode & B_FONT_ENCODING) != 0)
			merged.SetEncoding(font->Encoding());
		if ((mode & B_FONT_FACE) != 0)
			merged.SetFace(font->Face());
		if ((mode & B_FONT_FLAGS) != 0)
			merged.SetFlags(font->Flags());
		fNullFont = merged;
	}
	if (color != NULL)
		fNullColor = *color;
}


void
BTextView::_StylesChanged(int32 from, int32 to, bool fontChanged)
{
	if (fontChanged) {
		// Text nobody has laid out yet is neither shown nor counted in the scroll
		// range; colouring a whole document mostly hits such text.
		if (!fLayout->FontsChanged(from, to))
			return;
		fVisibleValid = false;
		_InvalidateFrom(from);
		_UpdateScrollBars();
		return;
	}
	if (Window() == NULL)
		return;
	// A colour change within one line redraws only the stretch it covers.
	if (to - from < 1024) {
		int32 visibleFrom;
		int32 visibleTo;
		_VisibleRange(&visibleFrom, &visibleTo);
		if (to < visibleFrom || from > visibleTo)
			return;
		LineRef first;
		LineRef last;
		_LineOf(from, &first);
		_LineOf(std::max(to - 1, from), &last);
		if (first.box.start == last.box.start) {
			float left = _LineLeft(first);
			float x1 = left + fLayout->XOfOffset(first.box, from);
			float x2 = left + fLayout->XOfOffset(first.box, to);
			Invalidate(BRect(x1 - 3, first.top, x2 + 3, first.top + first.box.height - 1));
			return;
		}
	}
	_InvalidateRange(from, to);
}


void
BTextView::_RunsInserted(const text_run_array* runs)
{
	if (runs == NULL || !fUniform)
		return;
	for (int32 i = 0; i < runs->count; i++) {
		if (runs->runs[i].font != fUniformFont) {
			fUniform = false;
			return;
		}
	}
}


void
BTextView::GetFontAndColor(int32 offset, BFont* font, rgb_color* color) const
{
	if (TextLength() == 0) {
		if (font != NULL)
			*font = fNullFont;
		if (color != NULL)
			*color = fNullColor;
		return;
	}
	const TextStyle& style = fStore->Styles().StyleAt(
		fStore->Styles().StyleIndexAt(_ClampOffset(offset)));
	if (font != NULL)
		*font = style.font;
	if (color != NULL)
		*color = style.color;
}


void
BTextView::GetFontAndColor(BFont* font, uint32* sameProperties, rgb_color* color,
	bool* sameColor) const
{
	const BPrivate::StyleRuns& styles = fStore->Styles();
	if (fSelStart == fSelEnd || TextLength() == 0) {
		if (TextLength() == 0)
			GetFontAndColor(0, font, color);
		else {
			const TextStyle& style = styles.StyleAt(styles.InsertionStyle(fSelStart));
			if (font != NULL)
				*font = style.font;
			if (color != NULL)
				*color = style.color;
		}
		if (sameProperties != NULL)
			*sameProperties = B_FONT_ALL;
		if (sameColor != NULL)
			*sameColor = true;
		return;
	}

	const TextStyle& first = styles.StyleAt(styles.StyleIndexAt(fSelStart));
	uint32 same = B_FONT_ALL;
	bool colorSame = true;
	StyleRun run;
	for (int32 offset = fSelStart; styles.GetRun(offset, fSelEnd, &run); offset = run.end) {
		const TextStyle& style = styles.StyleAt(run.style);
		const BFont& a = first.font;
		const BFont& b = style.font;
		if (a.FamilyAndStyle() != b.FamilyAndStyle())
			same &= ~(uint32)B_FONT_FAMILY_AND_STYLE;
		if (a.Size() != b.Size())
			same &= ~(uint32)B_FONT_SIZE;
		if (a.Shear() != b.Shear())
			same &= ~(uint32)B_FONT_SHEAR;
		if (a.Rotation() != b.Rotation())
			same &= ~(uint32)B_FONT_ROTATION;
		if (a.Spacing() != b.Spacing())
			same &= ~(uint32)B_FONT_SPACING;
		if (a.Encoding() != b.Encoding())
			same &= ~(uint32)B_FONT_ENCODING;
		if (a.Face() != b.Face())
			same &= ~(uint32)B_FONT_FACE;
		if (a.Flags() != b.Flags())
			same &= ~(uint32)B_FONT_FLAGS;
		if (style.color != first.color)
			colorSame = false;
	}
	if (font != NULL)
		*font = first.font;
	if (color != NULL)
		*color = first.color;
	if (sameProperties != NULL)
		*sameProperties = same;
	if (sameColor != NULL)
		*sameColor = colorSame;
}


void
BTextView::SetRunArray(int32 startOffset, int32 endOffset, const text_run_array* runs)
{
	if (runs == NULL || !fStylable)
		return;
	startOffset = _ClampOffset(startOffset);
	endOffset = _ClampOffset(endOffset);
	if (startOffset > endOffset)
		std::swap(startOffset, endOffset);
	if (fStore->Styles().SetRuns(startOffset, endOffset, runs) != B_OK)
		return;
	bool wasUniform = fUniform;
	_RunsInserted(runs);
	_StylesChanged(startOffset, endOffset, !wasUniform || !fUniform);
}


text_run_array*
BTextView::RunArray(int32 startOffset, int32 endOffset, int32* length) const
{
	startOffset = _ClampOffset(startOffset);
	endOffset = _ClampOffset(endOffset);
	if (startOffset > endOffset)
		std::swap(startOffset, endOffset);
	return fStore->Styles().GetRuns(startOffset, endOffset, length);
}


text_run_array*
BTextView::AllocRunArray(int32 entryCount, int32* outSize)
{
	return BPrivate::AllocRunArray(entryCount, outSize);
}


void
BTextView::FreeRunArray(text_run_array* array)
{
	BPrivate::FreeRunArray(array);
}


void
BTextView::SetFont(const BFont* font, uint32 mask)
{
	if (font == NULL)
		return;
	BView::SetFont(font, mask);
	bool stylable = fStylable;
	fStylable = true;
	SetFontAndColor(0, TextLength(), font, mask, NULL);
	fStylable = stylable;
	_SetNullStyle(font, mask, NULL);
	if (TextLength() == 0) {
		fUniformFont = fNullFont;
		fUniform = true;
	}
	fLayout->InvalidateAll();
	if (Window() != NULL)
		Invalidate();
	_TextChanged();
}


void
BTextView::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = Bounds().Width();
	if (height != NULL)
		*height = fTextRect.top + TextHeight(0, CountLines() - 1);
}


// #pragma mark - scrolling and drawing


void
BTextView::ScrollToOffset(int32 offset)
{
	if (Window() == NULL)
		return;
	float height;
	BPoint point = PointAt(offset, &height);
	_ScrollToRect(BRect(point.x, point.y, point.x + 1, point.y + height - 1));
}


void
BTextView::ScrollToSelection()
{
	ScrollToOffset(fSelStart == fAnchor ? fSelEnd : fSelStart);
}


void
BTextView::_ScrollToRect(BRect rect)
{
	BRect bounds = Bounds();
	float x = bounds.left;
	float y = bounds.top;
	if (rect.top < bounds.top)
		y = rect.top - fTextRect.top > 0 ? rect.top : 0;
	else if (rect.bottom > bounds.bottom)
		y = rect.bottom - bounds.Height();
	if (!fWrap) {
		if (rect.left < bounds.left)
			x = std::max(rect.left - bounds.Width() / 2, 0.0f);
		else if (rect.right > bounds.right)
			x = rect.right - bounds.Width() / 2;
	}
	y = std::max(std::floor(y), 0.0f);
	if (x != bounds.left || y != bounds.top)
		ScrollTo(BPoint(x, y));
}


void
BTextView::Highlight(int32 startOffset, int32 endOffset)
{
	startOffset = _ClampOffset(startOffset);
	endOffset = _ClampOffset(endOffset);
	if (Window() == NULL || startOffset >= endOffset)
		return;
	LineRef ref;
	_LineOf(startOffset, &ref);
	BRect bounds = Bounds();
	while (ref.top <= bounds.bottom) {
		int32 from = std::max(startOffset, ref.box.start);
		int32 to = std::min(endOffset, ref.box.end);
		if (from < to) {
			float left = _LineLeft(ref);
			float x1 = left + fLayout->XOfOffset(ref.box, from);
			float x2 = left + fLayout->XOfOffset(ref.box, to);
			if (to == ref.box.end && ByteAt(to - 1) == '\n')
				x2 = std::max(x2, fTextRect.right);
			InvertRect(BRect(x1, ref.top, std::max(x2 - 1, x1), ref.top + ref.box.height - 1));
		}
		if (ref.box.end >= endOffset || ref.box.end >= TextLength())
			break;
		_LineOf(ref.box.end, &ref);
	}
}


void
BTextView::_DrawLines(BRect updateRect)
{
	if (!updateRect.IsValid())
		return;
	rgb_color background = ViewColor();
	bool fill = background != B_TRANSPARENT_COLOR;
	if (!fill)
		background = LowColor();
	SetLowColor(background);
	SetDrawingMode(B_OP_OVER);
	BRect bounds = Bounds();
	bool selection = fSelStart != fSelEnd && fSelectable;

	LineRef ref;
	_LineAtY(std::max(updateRect.top, fTextRect.top), &ref);
	int32 length = TextLength();
	float lastBottom = updateRect.top;
	while (true) {
		BRect lineRect(bounds.left, ref.top, bounds.right, ref.top + ref.box.height - 1);
		if (ref.top > updateRect.bottom)
			break;
		if (fill && lineRect.Intersects(updateRect)) {
			SetHighColor(background);
			FillRect(lineRect & updateRect);
		}
		lastBottom = lineRect.bottom;
		if (lineRect.bottom >= updateRect.top) {
			float left = _LineLeft(ref);
			float baseline = ref.top + ref.box.ascent;
			const BPrivate::StyleRuns& styles = fStore->Styles();
			fLayout->ForEachSegment(ref.box.start, ref.box.end,
				[&](const char* bytes, int32 count, float x, float endX, uint16 style) {
					if (left + x > updateRect.right)
						return false;
					// Stretches left of the update only cost time; glyphs may reach a
					// little past their advance, hence the margin.
					if (left + endX < updateRect.left - 2)
						return true;
					const TextStyle& textStyle = styles.StyleAt(style);
					SetHighColor(textStyle.color);
					BView::SetFont(&textStyle.font);
					DrawString(bytes, count, BPoint(left + x, baseline));
					return true;
				});
			if (selection) {
				int32 from = std::max(fSelStart, ref.box.start);
				int32 to = std::min(fSelEnd, ref.box.end);
				if (from < to) {
					float x1 = left + fLayout->XOfOffset(ref.box, from);
					float x2 = left + fLayout->XOfOffset(ref.box, to);
					if (to == ref.box.end && ByteAt(to - 1) == '\n')
						x2 = std::max(x2, fTextRect.right);
					BRect selected(x1, ref.top, std::max(x2 - 1, x1), lineRect.bottom);
					InvertRect(selected & updateRect);
				}
			}
		}
		if (ref.box.end >= length || ref.box.end <= ref.box.start)
			break;
		_LineOf(ref.box.end, &ref);
	}
	if (fill && lastBottom < updateRect.bottom) {
		SetHighColor(background);
		FillRect(BRect(updateRect.left, lastBottom + 1, updateRect.right, updateRect.bottom));
	}

	if (_ShowsCaret() && fCaretVisible) {
		BRect caret = _CaretRect();
		if (caret.Intersects(updateRect)) {
			SetHighColor(0, 0, 0);
			SetDrawingMode(B_OP_COPY);
			FillRect(caret);
		}
	}
	if (fDragging && fDragMoved) {
		// Where the dragged text would land.
		BRect caret = _CaretRectAt(fDropOffset);
		if (caret.Intersects(updateRect)) {
			SetHighColor(0, 0, 0);
			SetDrawingMode(B_OP_COPY);
			FillRect(caret);
		}
	}
	SetDrawingMode(B_OP_COPY);
	BView::SetFont(&fNullFont);
}


bool
BTextView::_ShowsCaret() const
{
	return fEditable && fSelStart == fSelEnd && fActive && IsFocus() && Window() != NULL;
}


BRect
BTextView::_CaretRect() const
{
	return _CaretRectAt(fSelStart);
}


BRect
BTextView::_CaretRectAt(int32 offset) const
{
	float height;
	BPoint point = PointAt(offset, &height);
	float x = std::max(point.x - 1, fTextRect.left);
	return BRect(x, point.y, x, point.y + height - 1);
}


void
BTextView::_InvalidateCaret()
{
	if (Window() == NULL)
		return;
	BRect caret = _CaretRect();
	caret.InsetBy(-1, 0);
	Invalidate(caret);
}


void
BTextView::_VisibleRange(int32* from, int32* to) const
{
	if (!fVisibleValid || fVisibleGeneration != fLayout->Generation()) {
		BRect bounds = Bounds();
		LineRef ref;
		_LineAtY(bounds.top, &ref);
		fVisibleFrom = fStore->Lines().LineStart(ref.paragraph);
		_LineAtY(bounds.bottom, &ref);
		fVisibleTo = fStore->Lines().LineEnd(ref.paragraph) + 1;
		fVisibleValid = true;
		fVisibleGeneration = fLayout->Generation();
	}
	*from = fVisibleFrom;
	*to = fVisibleTo;
}


void
BTextView::_InvalidateRange(int32 from, int32 to)
{
	if (Window() == NULL)
		return;
	int32 visibleFrom;
	int32 visibleTo;
	_VisibleRange(&visibleFrom, &visibleTo);
	if (to < visibleFrom || from > visibleTo)
		return;
	from = std::max(from, visibleFrom);
	to = std::min(to, visibleTo);
	// From the top of the line that holds from to the bottom of the one that holds to.
	LineRef first;
	LineRef last;
	_LineOf(from, &first);
	_LineOf(std::max(to - 1, from), &last);
	BRect bounds = Bounds();
	float top = first.top;
	float bottom = last.top + last.box.height - 1;
	if (bottom < bounds.top || top > bounds.bottom)
		return;
	Invalidate(BRect(bounds.left, std::max(top, bounds.top), bounds.right,
		std::min(std::max(bottom, top), bounds.bottom)));
}


void
BTextView::_InvalidateFrom(int32 offset)
{
	if (Window() == NULL)
		return;
	BRect bounds = Bounds();
	int32 paragraph = fStore->Lines().LineAt(_ClampOffset(offset));
	float top = fTextRect.top + fLayout->ParagraphTop(paragraph);
	if (top > bounds.bottom)
		return;
	Invalidate(BRect(bounds.left, std::max(top, bounds.top), bounds.right, bounds.bottom));
}


void
BTextView::_UpdateScrollBars()
{
	// The bars' ranges follow the text's height as far as it is known; paragraphs not
	// measured yet count one line each.
	BScrollBar* vertical = ScrollBar(B_VERTICAL);
	BScrollBar* horizontal = ScrollBar(B_HORIZONTAL);
	if (vertical == NULL && horizontal == NULL)
		return;
	BRect bounds = Bounds();
	if (vertical != NULL) {
		float total = fTextRect.top + fLayout->TotalHeight();
		float range = std::max(total - bounds.Height(), 0.0f);
		vertical->SetRange(0, range);
		vertical->SetProportion(total > 0 ? std::min(bounds.Height() / total, 1.0f) : 1);
		float line = fLayout->DefaultHeight();
		vertical->SetSteps(line, std::max(bounds.Height() - line, line));
	}
	if (horizontal != NULL) {
		float width = fTextRect.right;
		float range = std::max(width - bounds.Width(), 0.0f);
		horizontal->SetRange(0, range);
		horizontal->SetProportion(width > 0 ? std::min(bounds.Width() / width, 1.0f) : 1);
	}
}


// #pragma mark - keyboard


void
BTextView::_MoveCaret(int32 offset, bool extend)
{
	offset = _CharStart(_ClampOffset(offset));
	if (extend && fSelectable) {
		int32 anchor = fAnchor;
		Select(std::min(anchor, offset), std::max(anchor, offset));
		fAnchor = anchor;
	} else
		Select(offset, offset);
	ScrollToOffset(offset);
}


void
BTextView::_HandleArrow(uint32 key, uint32 modifiers)
{
	bool extend = (modifiers & B_SHIFT_KEY) != 0;
	bool word = (modifiers & B_COMMAND_KEY) != 0;
	// The moving end of the selection: the one that is not the anchor.
	int32 caret = fSelStart == fAnchor ? fSelEnd : fSelStart;
	float caretX = fCaretX;
	bool caretXValid = fCaretXValid;
	int32 target = caret;
	switch (key) {
		case B_LEFT_ARROW:
			if (!extend && fSelStart != fSelEnd)
				target = fSelStart;
			else
				target = word ? _PreviousWordBoundary(caret)
					: fStore->Text().PreviousCharBoundary(caret);
			break;
		case B_RIGHT_ARROW:
			if (!extend && fSelStart != fSelEnd)
				target = fSelEnd;
			else
				target = word ? _NextWordBoundary(caret)
					: fStore->Text().NextCharBoundary(caret);
			break;
		case B_UP_ARROW:
		case B_DOWN_ARROW:
		{
			float height;
			BPoint point = PointAt(caret, &height);
			if (!caretXValid) {
				caretX = point.x;
				caretXValid = true;
			}
			target = _VerticalMove(caret, key == B_UP_ARROW ? -1 : height);
			if (target < 0)
				target = key == B_UP_ARROW ? 0 : TextLength();
			else {
				LineRef ref;
				_LineOf(target, &ref);
				target = fLayout->OffsetAtX(ref.box, caretX - _LineLeft(ref));
			}
			break;
		}
	}
	_MoveCaret(target, extend);
	if (key == B_UP_ARROW || key == B_DOWN_ARROW) {
		fCaretX = caretX;
		fCaretXValid = caretXValid;
	}
}


int32
BTextView::_VerticalMove(int32 offset, float dy) const
{
	// An offset on the line above (dy < 0) or below, -1 when there is none.
	LineRef ref;
	_LineOf(offset, &ref);
	int32 length = TextLength();
	if (dy < 0)
		return ref.box.start == 0 ? -1 : fStore->Text().PreviousCharBoundary(ref.box.start);
	if (ref.box.end < length)
		return ref.box.end;
	// A text that ends with a newline has an empty last line after it.
	if (ref.box.end > ref.box.start && ByteAt(length - 1) == '\n' && offset < length)
		return length;
	return -1;
}


void
BTextView::_HandleHomeEnd(uint32 key, uint32 modifiers)
{
	bool extend = (modifiers & B_SHIFT_KEY) != 0;
	if ((modifiers & B_COMMAND_KEY) != 0) {
		_MoveCaret(key == B_HOME ? 0 : TextLength(), extend);
		return;
	}
	int32 caret = fSelStart == fAnchor ? fSelEnd : fSelStart;
	LineRef ref;
	_LineOf(caret, &ref);
	int32 target = ref.box.start;
	if (key == B_END) {
		target = ref.box.end;
		if (target > ref.box.start && ByteAt(target - 1) == '\n')
			target--;
		else if (target < TextLength())
			target = fStore->Text().PreviousCharBoundary(target);
	}
	_MoveCaret(target, extend);
}


void
BTextView::_HandlePage(uint32 key, uint32 modifiers)
{
	BRect bounds = Bounds();
	// The default line height stands for a line: asking for the first line's height
	// would measure the whole text.
	float line = fLayout->DefaultHeight();
	float page = std::max(bounds.Height() - line, line);
	bool extend = (modifiers & B_SHIFT_KEY) != 0;
	int32 caret = fSelStart == fAnchor ? fSelEnd : fSelStart;
	float height;
	BPoint point = PointAt(caret, &height);
	float y = key == B_PAGE_UP ? point.y - page : point.y + page;
	float scrollY = key == B_PAGE_UP ? bounds.top - page : bounds.top + page;
	float maxScroll = std::max(fTextRect.top + fLayout->TotalHeight() - bounds.Height(),
		0.0f);
	scrollY = std::clamp(scrollY, 0.0f, maxScroll);
	if (!fSelectable && !fEditable) {
		ScrollTo(BPoint(bounds.left, scrollY));
		return;
	}
	int32 target;
	if (y < fTextRect.top)
		target = 0;
	else if (y > fTextRect.top + fLayout->TotalHeight())
		target = TextLength();
	else
		target = OffsetAt(BPoint(point.x, y));
	ScrollTo(BPoint(bounds.left, scrollY));
	_MoveCaret(target, extend);
}


void
BTextView::_HandleBackspace(uint32 modifiers)
{
	if (fSelStart != fSelEnd) {
		_Replace(fSelStart, fSelEnd, NULL, 0, NULL, B_UNDO_TYPING);
		ScrollToSelection();
		return;
	}
	if (fSelStart == 0)
		return;
	int32 from = (modifiers & B_COMMAND_KEY) != 0 ? _PreviousWordBoundary(fSelStart)
		: fStore->Text().PreviousCharBoundary(fSelStart);
	_Replace(from, fSelStart, NULL, 0, NULL, B_UNDO_TYPING);
	fCaretVisible = true;
	ScrollToSelection();
}


void
BTextView::_HandleDelete(uint32 modifiers)
{
	if (fSelStart != fSelEnd) {
		_Replace(fSelStart, fSelEnd, NULL, 0, NULL, B_UNDO_TYPING);
		ScrollToSelection();
		return;
	}
	if (fSelStart >= TextLength())
		return;
	int32 to = (modifiers & B_COMMAND_KEY) != 0 ? _NextWordBoundary(fSelStart)
		: fStore->Text().NextCharBoundary(fSelStart);
	_Replace(fSelStart, to, NULL, 0, NULL, B_UNDO_TYPING);
	fCaretVisible = true;
	ScrollToSelection();
}


void
BTextView::_TypeText(const char* text, int32 length)
{
	std::string filtered;
	if (!_Filtered(text, length, &filtered) || filtered.empty()) {
		if (filtered.empty()) {
			beep();
			return;
		}
	}
	int32 selected = fSelEnd - fSelStart;
	if ((int64)TextLength() - selected + (int64)filtered.size() > fMaxBytes) {
		beep();
		return;
	}
	_Replace(fSelStart, fSelEnd, filtered.data(), (int32)filtered.size(), NULL,
		B_UNDO_TYPING);
	fAnchor = fSelStart;
	fCaretVisible = true;
	fLastBlink = system_time();
	ScrollToSelection();
}


int32
BTextView::_PreviousWordBoundary(int32 offset) const
{
	// Skips the white space and punctuation before offset, then the word.
	while (offset > 0) {
		int32 previous = fStore->Text().PreviousCharBoundary(offset);
		if (CharClass(ByteAt(previous)) == 1)
			break;
		offset = previous;
	}
	while (offset > 0) {
		int32 previous = fStore->Text().PreviousCharBoundary(offset);
		if (CharClass(ByteAt(previous)) != 1)
			break;
		offset = previous;
	}
	return offset;
}


int32
BTextView::_NextWordBoundary(int32 offset) const
{
	int32 length = TextLength();
	while (offset < length && CharClass(ByteAt(offset)) != 1)
		offset = fStore->Text().NextCharBoundary(offset);
	while (offset < length && CharClass(ByteAt(offset)) == 1)
		offset = fStore->Text().NextCharBoundary(offset);
	return offset;
}


// #pragma mark - mouse


void
BTextView::_TrackMouse(BPoint where, int32 clicks, bool extend)
{
	int32 offset = OffsetAt(where);
	if (extend) {
		int32 anchor = fAnchor;
		fTrackFrom = fTrackTo = anchor;
		fTrackClicks = 1;
		Select(std::min(anchor, offset), std::max(anchor, offset));
		fAnchor = anchor;
	} else if (clicks == 1) {
		fTrackFrom = fTrackTo = offset;
		fTrackClicks = 1;
		Select(offset, offset);
	} else {
		fTrackClicks = clicks;
		if (clicks == 2)
			FindWord(offset, &fTrackFrom, &fTrackTo);
		else
			_LineBounds(offset, &fTrackFrom, &fTrackTo);
		Select(fTrackFrom, fTrackTo);
		fAnchor = fTrackFrom;
	}
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}


// Whether a press at where (offset) lands on the selected text.
bool
BTextView::_InSelection(BPoint where, int32 offset) const
{
	if (fSelStart >= fSelEnd || offset < fSelStart || offset > fSelEnd)
		return false;
	// The nearest boundary may lie on either side of the character pressed.
	if (offset == fSelStart)
		return where.x >= PointAt(fSelStart).x && LineAt(fSelStart) == LineAt(where);
	if (offset == fSelEnd)
		return where.x < PointAt(fSelEnd).x && LineAt(fSelEnd) == LineAt(where);
	return true;
}


void
BTextView::_DragTo(BPoint where)
{
	uint32 buttons = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL) {
		int32 value = 0;
		if (Window()->CurrentMessage()->FindInt32("buttons", &value) == B_OK)
			buttons = (uint32)value;
		else
			buttons = B_PRIMARY_MOUSE_BUTTON;
	}
	if (buttons == 0)
		return;
	if (std::fabs(where.x - fDragStart.x) + std::fabs(where.y - fDragStart.y) > 3)
		fDragMoved = true;
	BRect bounds = Bounds();
	if (where.y < bounds.top)
		ScrollBy(0, std::max(where.y - bounds.top, -bounds.Height()));
	else if (where.y > bounds.bottom)
		ScrollBy(0, std::min(where.y - bounds.bottom, bounds.Height()));
	int32 offset = OffsetAt(where);
	if (offset == fDropOffset || !fDragMoved)
		return;
	Invalidate(_CaretRectAt(fDropOffset).InsetByCopy(-1, 0));
	fDropOffset = offset;
	Invalidate(_CaretRectAt(fDropOffset).InsetByCopy(-1, 0));
}


// Moves the selection to offset, or copies it there, as one step of the history; the
// text keeps its styles and ends up selected.
void
BTextView::_DropSelection(int32 offset, bool copy)
{
	int32 from = fSelStart;
	int32 to = fSelEnd;
	int32 length = to - from;
	offset = _CharStart(_ClampOffset(offset));
	if (length <= 0 || (!copy && offset >= from && offset <= to))
		return;
	if (copy && TextLength() + length > fMaxBytes) {
		beep();
		return;
	}
	std::string text(length + 1, '\0');
	fStore->Text().CopyRange(from, to, &text[0]);
	text.resize(length);
	text_run_array* runs = fStylable ? RunArray(from, to) : NULL;
	fUndo->CloseTyping();
	int32 at = offset;
	if (!copy) {
		_Replace(from, to, NULL, 0, NULL, B_UNDO_DROP);
		if (fDoesUndo)
			fUndo->JoinWithNext();
		if (offset > to)
			at = offset - length;
	}
	_Replace(at, at, text.data(), length, runs, B_UNDO_DROP);
	fUndo->CloseTyping();
	BPrivate::FreeRunArray(runs);
	Select(at, at + length);
	ScrollToSelection();
}


void
BTextView::_SelectByUnit(int32 anchorFrom, int32 anchorTo, int32 offset, int32 clicks)
{
	int32 from = offset;
	int32 to = offset;
	if (clicks == 2)
		FindWord(offset, &from, &to);
	else if (clicks >= 3)
		_LineBounds(offset, &from, &to);
	int32 start = std::min(anchorFrom, from);
	int32 end = std::max(anchorTo, to);
	bool backwards = from < anchorFrom;
	Select(start, end);
	fAnchor = backwards ? end : start;
	ScrollToOffset(backwards ? start : end);
}


void
BTextView::_LineBounds(int32 offset, int32* from, int32* to) const
{
	LineRef ref;
	_LineOf(offset, &ref);
	*from = ref.box.start;
	*to = ref.box.end;
}


// #pragma mark - settings


void
BTextView::SetTextRect(BRect rect)
{
	fTextRect = rect;
	fLayout->SetWrap(fWrap, rect.Width());
	fVisibleValid = false;
	if (Window() != NULL)
		Invalidate();
	_UpdateScrollBars();
}


BRect
BTextView::TextRect() const
{
	return fTextRect;
}


void
BTextView::SetStylable(bool stylable)
{
	fStylable = stylable;
}


bool
BTextView::IsStylable() const
{
	return fStylable;
}


void
BTextView::SetTabWidth(float width)
{
	if (!(width >= 0))
		return;
	fTabWidth = width;
	fLayout->SetTabWidth(width);
	fVisibleValid = false;
	if (Window() != NULL)
		Invalidate();
	_UpdateScrollBars();
}


float
BTextView::TabWidth() const
{
	return fTabWidth;
}


void
BTextView::MakeSelectable(bool selectable)
{
	if (selectable == fSelectable)
		return;
	fSelectable = selectable;
	if (fSelStart != fSelEnd)
		_InvalidateRange(fSelStart, fSelEnd);
}


bool
BTextView::IsSelectable() const
{
	return fSelectable;
}


void
BTextView::MakeEditable(bool editable)
{
	if (editable == fEditable)
		return;
	fEditable = editable;
	_InvalidateCaret();
}


bool
BTextView::IsEditable() const
{
	return fEditable;
}


void
BTextView::SetWordWrap(bool wrap)
{
	if (wrap == fWrap)
		return;
	fWrap = wrap;
	fLayout->SetWrap(wrap, fTextRect.Width());
	fVisibleValid = false;
	if (Window() != NULL)
		Invalidate();
	_UpdateScrollBars();
}


bool
BTextView::DoesWordWrap() const
{
	return fWrap;
}


void
BTextView::SetMaxBytes(int32 max)
{
	fMaxBytes = std::max(max, (int32)0);
	if (TextLength() > fMaxBytes) {
		int32 cut = _CharStart(fMaxBytes);
		fUndoing = true;
		DeleteText(cut, TextLength());
		fUndoing = false;
	}
}


int32
BTextView::MaxBytes() const
{
	return fMaxBytes;
}


void
BTextView::DisallowChar(uint32 character)
{
	if (std::find(fDisallowed.begin(), fDisallowed.end(), character) == fDisallowed.end())
		fDisallowed.push_back(character);
}


void
BTextView::AllowChar(uint32 character)
{
	fDisallowed.erase(std::remove(fDisallowed.begin(), fDisallowed.end(), character),
		fDisallowed.end());
}


void
BTextView::SetAlignment(alignment align)
{
	if (align == fAlignment)
		return;
	fAlignment = align;
	if (Window() != NULL)
		Invalidate();
}


alignment
BTextView::Alignment() const
{
	return fAlignment;
}


void
BTextView::SetAutoindent(bool state)
{
	fAutoindent = state;
}


bool
BTextView::DoesAutoindent() const
{
	return fAutoindent;
}


void
BTextView::SetDoesUndo(bool undo)
{
	fDoesUndo = undo;
	if (!undo)
		fUndo->Clear();
}


bool
BTextView::DoesUndo() const
{
	return fDoesUndo;
}


void
BTextView::_SnapSelection()
{
	// Bytes that meet across an edit can form a character around the caret; it stays
	// in front of it rather than inside.
	fSelStart = _CharStart(fSelStart);
	fSelEnd = _CharStart(fSelEnd);
	fAnchor = std::clamp(_CharStart(fAnchor), fSelStart, fSelEnd);
	fCaretXValid = false;
}


int32
BTextView::_ClampOffset(int32 offset) const
{
	return std::clamp(offset, (int32)0, TextLength());
}


int32
BTextView::_CharStart(int32 offset) const
{
	return fStore->Text().CharStart(offset);
}
