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
 * A paragraph that wraps into several lines, or is long, keeps its lines. An edit or a
 * font change inside it only marks the bytes it touched; the next measurement wraps
 * again from the line before them and stops as soon as a line starts where a kept line
 * started after them, since from there on the old lines still hold. Typing in a
 * paragraph of megabytes therefore costs a few lines of wrapping, not the paragraph.
 * Short one-line paragraphs are measured again whenever asked, which costs less than
 * keeping them.
 */
#ifndef _TEXTVIEW_TEXT_LAYOUT_H
#define _TEXTVIEW_TEXT_LAYOUT_H

#include <Font.h>
#include <SupportDefs.h>

#include <memory>
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

// The lines of one paragraph, with offsets relative to base (its start). Valid until
// the next call that measures or changes the layout.
class ParagraphLines {
public:
								ParagraphLines(const LineBox* boxes, int32 count,
									int32 base)
									: fBoxes(boxes), fCount(count), fBase(base) {}

			int32				Count() const { return fCount; }
	// Line index with absolute offsets.
			LineBox				operator[](int32 index) const;
			LineBox				Last() const { return (*this)[fCount - 1]; }
	// The line that holds offset: the last one starting at or before it.
			int32				IndexOf(int32 offset) const;
	// The line that covers y (relative to the paragraph's top), clamped.
			int32				IndexAtY(int32 y) const;

private:
			const LineBox*		fBoxes;
			int32				fCount;
			int32				fBase;
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

	// The text changed: length bytes (newlines of them '\n') were inserted at offset,
	// which lies in paragraph; or the bytes from..to, which ran from paragraph first to
	// paragraph last (which started at lastStart), were removed. Call after the store has changed.
			void				TextInserted(int32 paragraph, int32 offset, int32 length,
									int32 newlines);
			void				TextRemoved(int32 first, int32 last, int32 from, int32 to,
									int32 lastStart);
	// The fonts of the bytes from..to changed. False when none of them was laid out
	// yet, so that nothing shown can have changed.
			bool				FontsChanged(int32 from, int32 to);

			int32				CountParagraphs() const { return (int32)fHeights.size(); }
	// Top of a paragraph (relative to the text's top) with the heights known so far.
			int32				ParagraphTop(int32 paragraph);
	// The paragraph that covers y (clamped to the text).
			int32				ParagraphAtY(int32 y);
	// The height of the whole text with the heights known so far.
			int32				TotalHeight();

	// Measures a paragraph if needed and returns its height.
			int32				Layout(int32 paragraph);
	// Measures a paragraph if needed and returns its lines.
			ParagraphLines		Lines(int32 paragraph);
	// The part (tops relative to the paragraph) of a paragraph whose lines the last
	// measurement changed; false when it was not measured since it was last asked.
			bool				TakeChangedSpan(int32 paragraph, int32* top,
									int32* bottom);
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
	// Bytes wrapping has walked over so far, for tests and benchmarks.
			int64				WrappedBytes() const { return fWrappedBytes; }

private:
	struct Wrap;

			void				_Rebuild();
			bool				_NeedsMeasure(int32 paragraph) const;
			int32				_ParagraphAt(int32 offset);
			bool				_RefreshDefaultHeight();
			int32				_Measure(int32 paragraph);
			void				_Wrap(int32 paragraph, int32 from, int32 top,
									std::vector<LineBox>& out, const Wrap* old,
									int32* agreed);
			void				_Unwrapped(int32 paragraph, std::vector<LineBox>& out);
			void				_Damage(int32 paragraph, int32 from, int32 to);
			void				_SetChanged(int32 paragraph, int32 top, int32 bottom);
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
	// The kept lines of paragraphs that wrap or are long (NULL for the others).
			std::vector<std::unique_ptr<Wrap>> fWraps;
	// The lines of the last short paragraph measured.
			std::vector<LineBox> fScratchBoxes;
			int32				fScratchParagraph;
	// The paragraph whose lines the last measurement changed, and where.
			int32				fChangedParagraph;
			int32				fChangedTop;
			int32				fChangedBottom;
			int64				fWrappedBytes;
	// Paragraphs before this one are all measured.
			int32				fMeasuredPrefix;
			int32				fHintParagraph;
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
