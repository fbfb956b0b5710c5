/*
 * StyleRuns: the font and colour of every byte of a text view's text.
 *
 * Styles (a font and a colour) are interned in a small table and named by a 16-bit
 * index. Each byte of the text has its style index in a gap vector that runs beside the
 * text, so the styles cost two bytes per byte of text. In exchange, setting the style of
 * a range costs the length of the range wherever it lies and in whatever order ranges
 * are set, StyleAt costs nothing, and inserting or deleting costs what the text buffer's
 * own edit costs. Runs (stretches of equal style) are found by scanning, which drawing
 * does only over the visible lines.
 *
 * The table keeps up to 65536 styles. When it is full, styles no byte uses any more are
 * dropped and the remaining ones renumbered; only then do earlier indices change.
 */
#ifndef _TEXTVIEW_STYLE_RUNS_H
#define _TEXTVIEW_STYLE_RUNS_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <SupportDefs.h>

#include "interface/textview/GapVector.h"
#include "interface/textview/TextRuns.h"

#include <unordered_map>
#include <vector>

namespace BPrivate {

struct TextStyle {
	BFont		font;
	rgb_color	color;

	bool		operator==(const TextStyle& other) const
					{ return color == other.color && font == other.font; }
	bool		operator!=(const TextStyle& other) const { return !(*this == other); }
};

// A stretch of bytes with one style: start up to, not including, end.
struct StyleRun {
	int32		start;
	int32		end;
	uint16		style;
};

class StyleRuns {
public:
	// Style 0 is made of font and color; new text in an empty view gets it.
								StyleRuns(const BFont& font, rgb_color color,
									int32 maxStyles = kMaxStyles);
								~StyleRuns();

								StyleRuns(const StyleRuns&) = delete;
			StyleRuns&			operator=(const StyleRuns&) = delete;

	// The style table.
			int32				CountStyles() const { return (int32)fStyles.size(); }
			const TextStyle&	StyleAt(uint16 index) const;
	// The index of a style, added to the table when new. B_NO_MEMORY when the table is
	// full even after dropping unused styles.
			status_t			Intern(const BFont& font, rgb_color color, uint16* index);

	// The number of bytes described; it follows the text through the edit calls.
			int32				Length() const { return fByteStyles.Length(); }
	// Every byte of a text of length bytes in one style.
			status_t			Reset(int32 length, uint16 style);

	// Gives the bytes from..to one style. B_BAD_VALUE for a range outside the text or an
	// unknown style.
			status_t			SetStyle(int32 from, int32 to, uint16 style);
	// As BTextView::SetFontAndColor: the font properties that mask names are taken from
	// font, the others kept byte by byte; color replaces the colour unless it is NULL.
			status_t			SetStyle(int32 from, int32 to, const BFont* font,
									uint32 mask, const rgb_color* color);
	// The style index of the byte at offset. Offsets at or past the end give the style
	// of the last byte, those before the start the first byte's; an empty text gives 0.
			uint16				StyleIndexAt(int32 offset) const;
	// The style new text typed at offset takes: that of the byte before it, or of the
	// first byte at the start.
			uint16				InsertionStyle(int32 offset) const;

	// Call after length bytes were inserted at offset; they take InsertionStyle(offset)
	// or the given style.
			status_t			TextInserted(int32 offset, int32 length);
			status_t			TextInserted(int32 offset, int32 length, uint16 style);
	// Call after the bytes from..to were removed.
			status_t			TextRemoved(int32 from, int32 to);

	// The runs of from..to as an R5 array with offsets relative to from; an empty range
	// gives one run with InsertionStyle(from). Free it with FreeRunArray. NULL for a
	// range outside the text or when memory runs out.
			text_run_array*		GetRuns(int32 from, int32 to, int32* outSize = NULL) const;
	// Applies an R5 array to from..to: run i covers from + offset i up to the next run's
	// offset, the last one up to to. Offsets outside the range are clamped into it, and
	// an offset below the one before it counts as that one (the run is empty).
			status_t			SetRuns(int32 from, int32 to, const text_run_array* runs);

	// The run that starts at offset and ends at the first change of style or at to,
	// for drawing: for (o = from; GetRun(o, to, &run); o = run.end) ...
	// False when offset is not below to or outside the text.
			bool				GetRun(int32 offset, int32 to, StyleRun* run) const;
			int32				CountRuns(int32 from, int32 to) const;

	// Bytes of storage held, for memory accounting.
			size_t				AllocatedBytes() const;

	static constexpr int32		kMaxStyles = 65536;

private:
			bool				_ValidRange(int32 from, int32 to) const
									{ return from >= 0 && from <= to && to <= Length(); }
			int32				_Find(const TextStyle& style, uint64 hash) const;
			status_t			_Add(const TextStyle& style, uint64 hash, uint16* index);
			status_t			_Compact(int32 needed);
			void				_Merge(TextStyle& style, const BFont& font,
									uint32 mask) const;
	static	uint64				_Hash(const TextStyle& style);

			GapVector<uint16>	fByteStyles;
			std::vector<TextStyle> fStyles;
			std::unordered_multimap<uint64, uint16> fLookup;
	// The styles looked up last, tried before hashing: colouring alternates between a
	// handful of styles.
			uint16				fRecent[8];
			int32				fMaxStyles;
};

}	// namespace BPrivate

#endif	// _TEXTVIEW_STYLE_RUNS_H
