/*
 * LineIndex: where each line of a text starts. Line 0 starts at 0 and every '\n' starts
 * a new line right after it, so a text always has at least one line and a text that
 * ends in '\n' has a last, empty line (as BTextView counts lines).
 *
 * The starts are kept in a gap vector. An edit shifts every start after it; instead of
 * touching them all, the index remembers one pending shift (a step) that applies to
 * every start after a given line, and folds it in only where a later edit or lookup
 * needs it. Typing therefore costs the same in the first line and in the last, however
 * long the document.
 *
 * The index does not care why a line starts where it does: a layout that wraps long
 * lines can keep its extra starts with InsertStarts and RemoveStarts, the same
 * primitives the newline handling uses.
 */
#ifndef _TEXTVIEW_LINE_INDEX_H
#define _TEXTVIEW_LINE_INDEX_H

#include <SupportDefs.h>

#include "interface/textview/GapVector.h"

namespace BPrivate {

class LineIndex {
public:
								LineIndex();
								~LineIndex();

								LineIndex(const LineIndex&) = delete;
			LineIndex&			operator=(const LineIndex&) = delete;

	// Rebuilds the index for a whole new text.
			status_t			SetText(const char* bytes, int32 length);

	// Call after length bytes were inserted at offset into the text; bytes are the
	// inserted ones. B_BAD_VALUE when offset lies outside the text as it was; the index
	// is unchanged on error.
			status_t			TextInserted(int32 offset, const char* bytes, int32 length);
	// Call after the bytes from..to were removed. The starts inside the range tell
	// which newlines went with them, so the removed bytes are not needed.
			status_t			TextRemoved(int32 from, int32 to);

			int32				CountLines() const { return fStarts.Length() + 1; }
	// The text length the index currently describes.
			int32				TextLength() const { return fTextLength; }
	// The line that contains offset (offsets past the end give the last line).
			int32				LineAt(int32 offset) const;
	// First offset of a line; lines past the end give the text length.
			int32				LineStart(int32 line) const;
	// Offset just past the line's last character: its '\n', or the text's end for the
	// last line.
			int32				LineEnd(int32 line) const;

	// Raw access for a wrapping layout: adds count starts (ascending, each inside the
	// line that receives them) after line, or removes the starts of lines first ... last.
	// Line 0 always starts at 0 and cannot be removed.
			status_t			InsertStarts(int32 line, const int32* starts, int32 count);
			status_t			RemoveStarts(int32 first, int32 last);

	// Bytes of storage held, for memory accounting.
			size_t				AllocatedBytes() const { return fStarts.AllocatedBytes(); }

private:
			int32				_Start(int32 line) const;
	// Shifts the starts of every line after line by delta, through the step.
			void				_ShiftAfter(int32 line, int32 delta);
			void				_ApplyStepUpTo(int32 line);
			void				_ApplyWholeStep();

			GapVector<int32>	fStarts;
	// Starts of lines after fStepLine are stored fStepLength lower than they are.
			int32				fStepLine;
			int32				fStepLength;
			int32				fTextLength;
};

}	// namespace BPrivate

#endif	// _TEXTVIEW_LINE_INDEX_H
