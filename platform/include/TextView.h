/*
 * BTextView: a view that shows, edits and styles UTF-8 text.
 *
 * Offsets count bytes from 0. The caret and the selection always lie on character
 * boundaries; a call that names an offset inside a character is moved to the start of
 * that character. Lines are what the view shows: with word wrap a paragraph (the text up
 * to and including a '\n') can take several lines, without it each paragraph is one line.
 *
 * Every change of the text passes through the two hooks InsertText and DeleteText, once
 * per change: typing, paste, cut, drop, SetText, Insert, Delete, Undo and Redo alike. A
 * subclass that overrides them must call the base class to make the change happen.
 *
 * Layout (wrapping, line heights and widths) and drawing happen only when needed and only
 * for the lines that are visible or asked about; styling a range marks it and no more.
 *
 * Selected text can be dragged to another place in the view, which moves it (or copies
 * it, with Ctrl held) as one undoable change.
 *
 * Undo keeps a history rather than R5's single step: Undo goes back one change at a
 * time (a run of typing counts as one), Redo (B_REDO, Shift+Ctrl+Z) goes forward again,
 * and SetText clears the history.
 */
#ifndef _TEXTVIEW_H
#define _TEXTVIEW_H

#include <View.h>

#include <string>
#include <vector>

// The R5 run arrays (text_run, text_run_array) are shared with the text store.
#include "../interface/textview/TextRuns.h"

class BClipboard;
class BFile;
class BMessage;
class BScrollBar;

namespace BPrivate {
	class TextStore;
	class TextLayout;
	class UndoHistory;
}

enum undo_state {
	B_UNDO_UNAVAILABLE,
	B_UNDO_TYPING,
	B_UNDO_CUT,
	B_UNDO_PASTE,
	B_UNDO_CLEAR,
	B_UNDO_DROP
};

class BTextView : public BView {
public:
								BTextView(BRect frame, const char* name, BRect textRect,
									uint32 resizingMode, uint32 flags);
								BTextView(BRect frame, const char* name, BRect textRect,
									const BFont* initialFont, const rgb_color* initialColor,
									uint32 resizingMode, uint32 flags);
	virtual						~BTextView();

	// View hooks.
	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				Pulse();
	virtual	void				FrameResized(float width, float height);
	virtual	void				MakeFocus(bool focus = true);
	virtual	void				WindowActivated(bool active);
	virtual	void				TargetedByScrollBar(BScrollBar* scrollBar);
	virtual	void				ScrollTo(BPoint where);
	// B_CUT, B_COPY, B_PASTE, B_UNDO, B_REDO, B_SELECT_ALL, and dropped text.
	virtual	void				MessageReceived(BMessage* message);

	// The text.
			void				SetText(const char* text, const text_run_array* runs = NULL);
			void				SetText(const char* text, int32 length,
									const text_run_array* runs = NULL);
	// Reads length bytes of file from offset (B_ERROR style failures leave the text empty).
			void				SetText(BFile* file, int32 offset, int32 length,
									const text_run_array* runs = NULL);
			void				Insert(const char* text, const text_run_array* runs = NULL);
			void				Insert(const char* text, int32 length,
									const text_run_array* runs = NULL);
			void				Insert(int32 offset, const char* text, int32 length,
									const text_run_array* runs = NULL);
	// Deletes the selection, or from..to.
			void				Delete();
			void				Delete(int32 startOffset, int32 endOffset);

	// The whole text, NUL-terminated; valid until the next change.
			const char*			Text() const;
			int32				TextLength() const;
			void				GetText(int32 offset, int32 length, char* buffer) const;
	// The byte at offset, 0 outside the text.
			uchar				ByteAt(int32 offset) const;

			int32				CountLines() const;
			int32				CurrentLine() const;
			void				GoToLine(int32 lineIndex);

	// Editing commands on the selection.
	virtual	void				Cut(BClipboard* clipboard);
	virtual	void				Copy(BClipboard* clipboard);
	virtual	void				Paste(BClipboard* clipboard);
			void				Clear();
	virtual	bool				AcceptsPaste(BClipboard* clipboard);
	virtual	bool				AcceptsDrop(const BMessage* message);

	// Selection.
	virtual	void				Select(int32 startOffset, int32 endOffset);
			void				SelectAll();
			void				GetSelection(int32* startOffset, int32* endOffset) const;

	// Styles. The mask names the font properties taken from font; a NULL color keeps the
	// colours. Without stylability the whole text takes them.
			void				SetFontAndColor(const BFont* font, uint32 mode = B_FONT_ALL,
									const rgb_color* color = NULL);
			void				SetFontAndColor(int32 startOffset, int32 endOffset,
									const BFont* font, uint32 mode = B_FONT_ALL,
									const rgb_color* color = NULL);
			void				GetFontAndColor(int32 offset, BFont* font,
									rgb_color* color = NULL) const;
	// For the selection: sameProperties tells which font properties (a B_FONT_* mask)
	// are equal across it, sameColor whether the colour is.
			void				GetFontAndColor(BFont* font, uint32* sameProperties,
									rgb_color* color = NULL, bool* sameColor = NULL) const;
			void				SetRunArray(int32 startOffset, int32 endOffset,
									const text_run_array* runs);
	// A new array for startOffset..endOffset; the caller frees it with FreeRunArray.
			text_run_array*		RunArray(int32 startOffset, int32 endOffset,
									int32* length = NULL) const;
	static	text_run_array*		AllocRunArray(int32 entryCount, int32* outSize = NULL);
	static	void				FreeRunArray(text_run_array* array);

	// Geometry of the text.
			int32				LineAt(int32 offset) const;
			int32				LineAt(BPoint point) const;
	// The top left of the character at offset, in view coordinates, and its line height.
			BPoint				PointAt(int32 offset, float* height = NULL) const;
			int32				OffsetAt(BPoint point) const;
			int32				OffsetAt(int32 line) const;
	// The boundaries of the word around offset.
	virtual	void				FindWord(int32 offset, int32* fromOffset, int32* toOffset);
			float				LineWidth(int32 lineIndex = 0) const;
			float				LineHeight(int32 lineIndex = 0) const;
	// The height of the lines startLine ... endLine (clamped to the text).
			float				TextHeight(int32 startLine, int32 endLine) const;

	// Scrolling.
			void				ScrollToOffset(int32 offset);
			void				ScrollToSelection();
	// Inverts the range as the selection is shown (R5 draws selections so).
			void				Highlight(int32 startOffset, int32 endOffset);

	// The rectangle the text is laid out in; with word wrap, lines are as wide as it.
			void				SetTextRect(BRect rect);
			BRect				TextRect() const;

	// Behaviour.
			void				SetStylable(bool stylable);
			bool				IsStylable() const;
			void				SetTabWidth(float width);
			float				TabWidth() const;
			void				MakeSelectable(bool selectable = true);
			bool				IsSelectable() const;
			void				MakeEditable(bool editable = true);
			bool				IsEditable() const;
			void				SetWordWrap(bool wrap);
			bool				DoesWordWrap() const;
			void				SetMaxBytes(int32 max);
			int32				MaxBytes() const;
			void				DisallowChar(uint32 character);
			void				AllowChar(uint32 character);
			void				SetAlignment(alignment align);
			alignment			Alignment() const;
			void				SetAutoindent(bool state);
			bool				DoesAutoindent() const;
			void				SetDoesUndo(bool undo);
			bool				DoesUndo() const;

	// Undo goes back one change; Redo forward again (not in R5).
	virtual	void				Undo(BClipboard* clipboard);
			void				Redo();
	// What Undo would do next; isRedo is false, as Redo is a call of its own.
			undo_state			UndoState(bool* isRedo) const;

	virtual	void				SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	virtual	void				GetPreferredSize(float* width, float* height);

protected:
	// The hooks every change goes through.
	virtual	void				InsertText(const char* text, int32 length, int32 offset,
									const text_run_array* runs);
	virtual	void				DeleteText(int32 fromOffset, int32 toOffset);

private:
	struct LineRef;

								BTextView(const BTextView&);
			BTextView&			operator=(const BTextView&);

			void				_Init(BRect textRect, const BFont* font,
									const rgb_color* color);

	// Changes through the hooks, recorded for undo unless undoing.
			void				_Replace(int32 from, int32 to, const char* text,
									int32 length, const text_run_array* runs,
									undo_state kind);
			void				_RemoveText(int32 from, int32 to);
			void				_SetTextInternal(const char* text, int32 length,
									const text_run_array* runs);
			void				_ApplyStep(bool undo);
			bool				_Filtered(const char* text, int32 length,
									std::string* out) const;

	// Keyboard.
			void				_HandleArrow(uint32 key, uint32 modifiers);
			void				_HandleHomeEnd(uint32 key, uint32 modifiers);
			void				_HandlePage(uint32 key, uint32 modifiers);
			void				_HandleBackspace(uint32 modifiers);
			void				_HandleDelete(uint32 modifiers);
			void				_TypeText(const char* text, int32 length);
			void				_MoveCaret(int32 offset, bool extend);
			int32				_PreviousWordBoundary(int32 offset) const;
			int32				_NextWordBoundary(int32 offset) const;
			int32				_VerticalMove(int32 offset, float dy) const;

	// Mouse.
			void				_TrackMouse(BPoint where, int32 clicks, bool extend);
			bool				_InSelection(BPoint where, int32 offset) const;
			void				_DragTo(BPoint where);
			void				_DropSelection(int32 offset, bool copy);
			void				_SelectByUnit(int32 anchorFrom, int32 anchorTo,
									int32 offset, int32 clicks);
			void				_LineBounds(int32 offset, int32* from, int32* to) const;

	// Drawing.
			void				_InvalidateRange(int32 from, int32 to);
			void				_InvalidateEdit(int32 paragraph, int32 oldHeight,
									bool toBottom);
			void				_InvalidateFrom(int32 offset);
			void				_InvalidateCaret();
			BRect				_CaretRect() const;
			BRect				_CaretRectAt(int32 offset) const;
			void				_DrawLines(BRect updateRect);
			bool				_ShowsCaret() const;

	// Scroll bars and the extent of the text.
			void				_UpdateScrollBars();
			void				_ScrollToRect(BRect rect);

	// Lines by offset, by height and by number.
			void				_LineOf(int32 offset, LineRef* ref) const;
			void				_LineAtY(float y, LineRef* ref) const;
			void				_LineByNumber(int32 line, LineRef* ref) const;
			float				_LineLeft(const LineRef& ref) const;
			void				_StylesChanged(int32 from, int32 to, bool fontChanged);
			void				_RunsInserted(const text_run_array* runs);
			void				_SetNullStyle(const BFont* font, uint32 mode,
									const rgb_color* color);
			void				_VisibleRange(int32* from, int32* to) const;

			void				_SnapSelection();
			int32				_ClampOffset(int32 offset) const;
			int32				_CharStart(int32 offset) const;
			void				_TextChanged();

			BPrivate::TextStore*	fStore;
			BPrivate::TextLayout*	fLayout;
			BPrivate::UndoHistory*	fUndo;
			BRect				fTextRect;
			int32				fSelStart;
			int32				fSelEnd;
	// The end of the selection that moves when it is extended.
			int32				fAnchor;
			float				fCaretX;
			bool				fCaretXValid;
			bool				fEditable;
			bool				fSelectable;
			bool				fStylable;
			bool				fWrap;
			bool				fAutoindent;
			bool				fDoesUndo;
			bool				fCaretVisible;
			bool				fActive;
			bool				fUndoing;
			alignment			fAlignment;
			float				fTabWidth;
			int32				fMaxBytes;
			std::vector<uint32>	fDisallowed;
	// The style of text typed into an empty view.
			BFont				fNullFont;
			rgb_color			fNullColor;
	// While true, every byte has fUniformFont, so colouring cannot change the layout.
			bool				fUniform;
			BFont				fUniformFont;
	mutable	int32				fVisibleFrom;
	mutable	int32				fVisibleTo;
	mutable	bool				fVisibleValid;
	mutable	uint32				fVisibleGeneration;
			bool				fTracking;
			int32				fTrackClicks;
			int32				fTrackFrom;
			int32				fTrackTo;
			bigtime_t			fLastBlink;
	// Dragging the selection to move (or with Ctrl, copy) it within the view.
			bool				fDragging;
			bool				fDragMoved;
			int32				fDropOffset;
			BPoint				fDragStart;
};

#endif	// _TEXTVIEW_H
