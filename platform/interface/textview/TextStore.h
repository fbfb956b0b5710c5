/*
 * TextStore: a text view's text with its line index and styles, kept in step. Every edit
 * goes through Insert and Remove, which change all three or, on error, none.
 */
#ifndef _TEXTVIEW_TEXT_STORE_H
#define _TEXTVIEW_TEXT_STORE_H

#include <SupportDefs.h>

#include "interface/textview/LineIndex.h"
#include "interface/textview/StyleRuns.h"
#include "interface/textview/TextBuffer.h"

namespace BPrivate {

class TextStore {
public:
	// Style 0 is font and color.
								TextStore(const BFont& font, rgb_color color);
								~TextStore();

	// Inserts bytes at offset; they take the style of the byte before (or style, when
	// it is not negative). B_BAD_VALUE for a bad offset, length or style,
	// B_NO_MEMORY when memory runs out.
			status_t			Insert(int32 offset, const char* bytes, int32 length,
									int32 style = -1);
			status_t			Remove(int32 from, int32 to);
	// Replaces the whole text, all in one style.
			status_t			SetText(const char* bytes, int32 length, uint16 style = 0);

			int32				Length() const { return fText.Length(); }
			const TextBuffer&	Text() const { return fText; }
			const LineIndex&	Lines() const { return fLines; }
			const StyleRuns&	Styles() const { return fStyles; }
			StyleRuns&			Styles() { return fStyles; }

			size_t				AllocatedBytes() const;

private:
			TextBuffer			fText;
			LineIndex			fLines;
			StyleRuns			fStyles;
};

}	// namespace BPrivate

#endif	// _TEXTVIEW_TEXT_STORE_H
