/*
 * TextBuffer: the bytes of a text view's text in a gap buffer. Offsets count bytes from 0,
 * as BTextView's do. Every change goes through Insert and Remove.
 *
 * The text is UTF-8, but any bytes are accepted. The character helpers treat a
 * well-formed UTF-8 sequence as one character and every byte that is not part of one as
 * a character of its own, so stepping through any text never splits a valid character
 * and never gets stuck.
 */
#ifndef _TEXTVIEW_TEXT_BUFFER_H
#define _TEXTVIEW_TEXT_BUFFER_H

#include <SupportDefs.h>

#include "interface/textview/GapVector.h"

namespace BPrivate {

class TextBuffer {
public:
								TextBuffer();
								~TextBuffer();

								TextBuffer(const TextBuffer&) = delete;
			TextBuffer&			operator=(const TextBuffer&) = delete;

	// Inserts length bytes at offset. B_BAD_VALUE for an offset outside 0 ... Length()
	// or a negative length or NULL bytes with a length; B_NO_MEMORY when the buffer
	// cannot grow. The text is unchanged on error.
			status_t			Insert(int32 offset, const char* bytes, int32 length);
	// Removes the bytes from offset from up to, not including, to. B_BAD_VALUE unless
	// 0 <= from <= to <= Length(); the text is unchanged on error.
			status_t			Remove(int32 from, int32 to);
	// Replaces the whole text.
			status_t			SetTo(const char* bytes, int32 length);

			int32				Length() const { return fBytes.Length(); }
	// The byte at offset, or 0 outside the text (as BTextView::ByteAt).
			char				ByteAt(int32 offset) const;

	// The whole text, NUL-terminated, in one piece. The pointer stays valid until the
	// next edit. Closing the gap moves bytes once; later calls without an edit between
	// them cost nothing.
			const char*			Text() const;
	// Copies the bytes from..to (clamped to the text) into out and terminates them with
	// a NUL; out must hold to - from + 1 bytes. Returns the number of bytes copied.
			int32				CopyRange(int32 from, int32 to, char* out) const;
	// Offset of the first occurrence of needle at or after from, or -1.
			int32				Find(int32 from, const char* needle, int32 length) const;

	// The character that contains offset starts here (offset itself when it is a
	// boundary). Offsets are clamped to 0 ... Length().
			int32				CharStart(int32 offset) const;
	// The boundary before offset (0 at the start).
			int32				PreviousCharBoundary(int32 offset) const;
	// The boundary after offset (Length() at the end).
			int32				NextCharBoundary(int32 offset) const;
			bool				IsCharBoundary(int32 offset) const;
	// Characters between two offsets; from and to are moved to boundaries first.
			int32				CountChars(int32 from, int32 to) const;
			int32				CountChars() const { return CountChars(0, Length()); }

	// Bytes of storage held, for memory accounting.
			size_t				AllocatedBytes() const { return fBytes.AllocatedBytes(); }

private:
			int32				_SequenceLength(int32 offset) const;

	// Text() closes the gap without changing the text, so it is allowed on a const
	// buffer.
	mutable	GapVector<char>		fBytes;
};

}	// namespace BPrivate

#endif	// _TEXTVIEW_TEXT_BUFFER_H
