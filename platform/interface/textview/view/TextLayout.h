/*
 * TextLayout: where the lines of a text view lie, worked out lazily.
 *
 * The text is made of paragraphs (the lines of the line index). Each paragraph keeps its
 * height in pixels and how many lines it takes once wrapped; a paragraph nobody has
 * looked at yet counts as one line of the default height. Prefix sums over both (Fenwick
 * trees) give the top of any paragraph and the paragraph at any height in logarithmic
 * time, so a document of any size is placed without measuring it; only the paragraphs
 * that are drawn or asked about are measured.
 *
 * The break points of a paragraph are not stored: wrapping one paragraph again costs
 * less than keeping them in step with every edit.
 */
#ifndef _TEXTVIEW_TEXT_LAYOUT_H
#define _TEXTVIEW_TEXT_LAYOUT_H

#include <Font.h>
#include <SupportDefs.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace BPrivate {

class TextStore;

// One shown line: bytes start up to end (end includes the paragraph's '\n' on its last
// line), its top relative to its paragraph, its height and baseline.
struct LineBox {
	int32	start;
	int32	end;
	int32	top;
	int32	height;
	float	ascent;
};

// Heights and character advances of the fonts in use, measured once each.
class FontMetricsCache {
public:
	struct Metrics {
		BFont		font;
		float		ascent;
		float		descent;
		int32		height;
		float		ascii[128];
		std::unordered_map<uint32, float> others;
	};

								FontMetricsCache();
								~FontMetricsCache();

			Metrics&			For(const BFont& font);
	// The advance of the character that starts at text[*index]; moves *index past it.
			float				Advance(Metrics& metrics, const char* text,
									int32 length, int32* index);

private:
			std::vector<Metrics*> fEntries;
			int32				fLast;
};

class TextLayout {
public:
								TextLayout(const TextStore& store);
								~TextLayout();

	// Settings that change every line; each forgets all measurements.
			void				SetWrap(bool wrap, float width);
			void				SetTabWidth(float width);
			float				TabWidth() const { return fTabWidth; }
			void				InvalidateAll();

	// The text changed: length bytes with newlines new paragraphs were inserted in
	// paragraph, or the paragraphs first ... last were merged into first.
			void				TextInserted(int32 paragraph, int32 newlines);
			void				TextRemoved(int32 first, int32 last);
	// The fonts of paragraphs first ... last changed.
			void				Invalidate(int32 first, int32 last);

			int32				CountParagraphs() const { return (int32)fHeights.size(); }
	// Top of a paragraph (relative to the text's top) with the heights known so far.
			int32				ParagraphTop(int32 paragraph);
	// The paragraph that covers y (clamped to the text).
			int32				ParagraphAtY(int32 y);
	// The height of the whole text with the heights known so far.
			int32				TotalHeight();

	// Measures a paragraph if needed; boxes, when given, receive its lines.
			int32				Layout(int32 paragraph, std::vector<LineBox>* boxes);
	// Measures every paragraph before paragraph (all of them for -1).
			void				MeasureUpTo(int32 paragraph);
	// Lines before a paragraph; exact once MeasureUpTo(paragraph) ran.
			int32				LinesBefore(int32 paragraph);
	// The paragraph that holds line (after MeasureUpTo(-1)).
			int32				ParagraphOfLine(int32 line);
			int32				CountLines();

	// Width of the bytes from..to of one line, starting at x = 0 (tabs need it).
			float				Width(int32 from, int32 to);
	// The offset in the line box closest to x (relative to the line's left end).
			int32				OffsetAtX(const LineBox& box, float x);
	// x of offset inside the line box.
			float				XOfOffset(const LineBox& box, int32 offset);

	// The default line height, used for unmeasured paragraphs and empty texts.
			int32				DefaultHeight();

			FontMetricsCache&	Fonts() { return fFonts; }
	// Changes whenever a paragraph's known height changes, so that whatever was
	// derived from the positions of paragraphs can tell it is out of date.
			uint32				Generation() const { return fGeneration; }

	// Calls draw for each stretch of one style between tabs in from..to of a line:
	// bytes, length, x of its start and of its end, style index.
	template<typename Function>
			void				ForEachSegment(int32 from, int32 to, Function draw);

	// Copies the bytes from..to; the pointer stays valid until the next call.
			const char*			Bytes(int32 from, int32 to);

			size_t				AllocatedBytes() const;

private:
			void				_Rebuild();
			void				_SetMeasure(int32 paragraph, int32 height, int32 lines);
			int32				_Prefix(const std::vector<int32>& tree, int32 count) const;
			void				_Add(std::vector<int32>& tree, int32 index, int32 delta);
			int32				_Search(const std::vector<int32>& tree, int32 value) const;
			float				_TabStop(float x) const;
			int32				_RunEnd(int32 offset, int32 to, uint16* style) const;
			const BFont&		_StyleFont(uint16 style) const;

			const TextStore&	fStore;
			FontMetricsCache	fFonts;
	// Per paragraph: height (negative while unmeasured) and line count.
			std::vector<int32>	fHeights;
			std::vector<int32>	fLines;
			std::vector<int32>	fHeightTree;
			std::vector<int32>	fLineTree;
			bool				fTreesValid;
			uint32				fGeneration;
			int32				fDefaultHeight;
			bool				fWrap;
			float				fWrapWidth;
			float				fTabWidth;
			std::string			fScratch;
};


template<typename Function>
void
TextLayout::ForEachSegment(int32 from, int32 to, Function draw)
{
	if (from >= to)
		return;
	const char* bytes = Bytes(from, to);
	float x = 0;
	int32 offset = from;
	while (offset < to) {
		uint16 style = 0;
		int32 runEnd = _RunEnd(offset, to, &style);
		FontMetricsCache::Metrics& metrics = fFonts.For(_StyleFont(style));
		int32 index = offset - from;
		int32 end = runEnd - from;
		while (index < end) {
			if (bytes[index] == '\t') {
				x = _TabStop(x);
				index++;
				continue;
			}
			if (bytes[index] == '\n') {
				index++;
				continue;
			}
			int32 start = index;
			float startX = x;
			while (index < end && bytes[index] != '\t' && bytes[index] != '\n')
				x += fFonts.Advance(metrics, bytes, end, &index);
			if (!draw(bytes + start, index - start, startX, x, style))
				return;
		}
		offset = runEnd;
	}
}

}	// namespace BPrivate

#endif	// _TEXTVIEW_TEXT_LAYOUT_H
