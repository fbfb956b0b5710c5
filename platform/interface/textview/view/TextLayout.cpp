#include "interface/textview/view/TextLayout.h"

#include "interface/FontEngine.h"
#include "interface/textview/TextStore.h"

#include <algorithm>
#include <cmath>

namespace BPrivate {


FontMetricsCache::FontMetricsCache()
	:
	fLast(-1)
{
}


FontMetricsCache::~FontMetricsCache()
{
	for (Metrics* metrics : fEntries)
		delete metrics;
}


FontMetricsCache::Metrics&
FontMetricsCache::For(const BFont& font)
{
	if (fLast >= 0 && fEntries[fLast]->font == font)
		return *fEntries[fLast];
	for (size_t i = 0; i < fEntries.size(); i++) {
		if (fEntries[i]->font == font) {
			fLast = (int32)i;
			return *fEntries[i];
		}
	}

	Metrics* metrics = new Metrics;
	metrics->font = font;
	font_height height;
	font.GetHeight(&height);
	metrics->ascent = std::ceil(height.ascent);
	metrics->descent = std::ceil(height.descent + height.leading);
	metrics->height = std::max((int32)(metrics->ascent + metrics->descent), (int32)1);
	for (float& advance : metrics->ascii)
		advance = -1;
	fEntries.push_back(metrics);
	fLast = (int32)fEntries.size() - 1;
	return *metrics;
}


float
FontMetricsCache::Advance(Metrics& metrics, const char* text, int32 length, int32* index)
{
	uint8 byte = (uint8)text[*index];
	if (byte < 0x80) {
		float& advance = metrics.ascii[byte];
		if (advance < 0)
			advance = byte < 0x20 ? 0 : metrics.font.StringWidth(text + *index, 1);
		(*index)++;
		return advance;
	}
	int32 start = *index;
	uint32 codePoint = DecodeUTF8(text, length, index);
	auto found = metrics.others.find(codePoint);
	if (found != metrics.others.end())
		return found->second;
	float advance = metrics.font.StringWidth(text + start, *index - start);
	metrics.others.emplace(codePoint, advance);
	return advance;
}


// #pragma mark - TextLayout


TextLayout::TextLayout(const TextStore& store)
	:
	fStore(store),
	fTreesValid(false),
	fGeneration(0),
	fDefaultHeight(-1),
	fWrap(false),
	fWrapWidth(0),
	fTabWidth(28)
{
	InvalidateAll();
}


TextLayout::~TextLayout()
{
}


void
TextLayout::SetWrap(bool wrap, float width)
{
	if (wrap == fWrap && width == fWrapWidth)
		return;
	fWrap = wrap;
	fWrapWidth = width;
	InvalidateAll();
}


void
TextLayout::SetTabWidth(float width)
{
	if (!(width >= 0))
		width = 0;
	if (width == fTabWidth)
		return;
	fTabWidth = width;
	InvalidateAll();
}


void
TextLayout::InvalidateAll()
{
	int32 count = fStore.Lines().CountLines();
	fHeights.assign(count, -1);
	fLines.assign(count, 1);
	fHeights.shrink_to_fit();
	fLines.shrink_to_fit();
	fTreesValid = false;
	fDefaultHeight = -1;
}


void
TextLayout::TextInserted(int32 paragraph, int32 newlines)
{
	paragraph = std::clamp(paragraph, (int32)0, CountParagraphs() - 1);
	if (newlines > 0) {
		fHeights.insert(fHeights.begin() + paragraph + 1, newlines, -1);
		fLines.insert(fLines.begin() + paragraph + 1, newlines, 1);
		fHeights[paragraph] = -1;
		fLines[paragraph] = 1;
		fTreesValid = false;
		return;
	}
	_SetMeasure(paragraph, -1, 1);
}


void
TextLayout::TextRemoved(int32 first, int32 last)
{
	first = std::clamp(first, (int32)0, CountParagraphs() - 1);
	last = std::clamp(last, first, CountParagraphs() - 1);
	if (last > first) {
		fHeights.erase(fHeights.begin() + first + 1, fHeights.begin() + last + 1);
		fLines.erase(fLines.begin() + first + 1, fLines.begin() + last + 1);
		fHeights[first] = -1;
		fLines[first] = 1;
		fTreesValid = false;
		return;
	}
	_SetMeasure(first, -1, 1);
}


void
TextLayout::Invalidate(int32 first, int32 last)
{
	first = std::max(first, (int32)0);
	last = std::min(last, CountParagraphs() - 1);
	for (int32 paragraph = first; paragraph <= last; paragraph++) {
		if (fHeights[paragraph] >= 0)
			_SetMeasure(paragraph, -1, 1);
	}
}


int32
TextLayout::DefaultHeight()
{
	if (fDefaultHeight < 0) {
		uint16 style = fStore.Styles().StyleIndexAt(0);
		fDefaultHeight = fFonts.For(fStore.Styles().StyleAt(style).font).height;
	}
	return fDefaultHeight;
}


int32
TextLayout::ParagraphTop(int32 paragraph)
{
	_Rebuild();
	paragraph = std::clamp(paragraph, (int32)0, CountParagraphs());
	return _Prefix(fHeightTree, paragraph);
}


int32
TextLayout::ParagraphAtY(int32 y)
{
	_Rebuild();
	if (y <= 0)
		return 0;
	return std::min(_Search(fHeightTree, y), CountParagraphs() - 1);
}


int32
TextLayout::TotalHeight()
{
	_Rebuild();
	return _Prefix(fHeightTree, CountParagraphs());
}


void
TextLayout::MeasureUpTo(int32 paragraph)
{
	if (paragraph < 0 || paragraph > CountParagraphs())
		paragraph = CountParagraphs();
	for (int32 i = 0; i < paragraph; i++) {
		if (fHeights[i] < 0)
			Layout(i, NULL);
	}
}


int32
TextLayout::LinesBefore(int32 paragraph)
{
	_Rebuild();
	paragraph = std::clamp(paragraph, (int32)0, CountParagraphs());
	return _Prefix(fLineTree, paragraph);
}


int32
TextLayout::ParagraphOfLine(int32 line)
{
	_Rebuild();
	if (line <= 0)
		return 0;
	return std::min(_Search(fLineTree, line), CountParagraphs() - 1);
}


int32
TextLayout::CountLines()
{
	MeasureUpTo(-1);
	return LinesBefore(CountParagraphs());
}


int32
TextLayout::Layout(int32 paragraph, std::vector<LineBox>* boxes)
{
	if (boxes != NULL)
		boxes->clear();
	paragraph = std::clamp(paragraph, (int32)0, CountParagraphs() - 1);
	const LineIndex& lines = fStore.Lines();
	const StyleRuns& styles = fStore.Styles();
	int32 start = lines.LineStart(paragraph);
	int32 textEnd = lines.LineEnd(paragraph);
	int32 end = paragraph < lines.CountLines() - 1 ? textEnd + 1 : textEnd;

	if (start >= textEnd) {
		// An empty paragraph takes the height of the style new text would get.
		FontMetricsCache::Metrics& metrics
			= fFonts.For(styles.StyleAt(styles.InsertionStyle(start)).font);
		if (boxes != NULL)
			boxes->push_back({ start, end, 0, metrics.height, metrics.ascent });
		_SetMeasure(paragraph, metrics.height, 1);
		return metrics.height;
	}

	if (!fWrap || fWrapWidth <= 0) {
		float ascent = 0;
		float descent = 0;
		StyleRun run;
		for (int32 offset = start; styles.GetRun(offset, textEnd, &run); offset = run.end) {
			FontMetricsCache::Metrics& metrics = fFonts.For(styles.StyleAt(run.style).font);
			ascent = std::max(ascent, metrics.ascent);
			descent = std::max(descent, metrics.descent);
		}
		int32 height = std::max((int32)(ascent + descent), (int32)1);
		if (boxes != NULL)
			boxes->push_back({ start, end, 0, height, ascent });
		_SetMeasure(paragraph, height, 1);
		return height;
	}

	// Wrapping: break after the last space that fits, or before the character that does
	// not fit when the line has no space; spaces may hang past the edge.
	const char* bytes = Bytes(start, textEnd);
	int32 length = textEnd - start;
	int32 top = 0;
	int32 count = 0;
	int32 lineStart = 0;
	int32 lastBreak = -1;
	float x = 0;
	float ascent = 0;
	float descent = 0;
	StyleRun run = { 0, 0, 0 };
	FontMetricsCache::Metrics* metrics = NULL;
	int32 index = 0;
	while (index < length) {
		if (metrics == NULL || start + index < run.start || start + index >= run.end) {
			styles.GetRun(start + index, textEnd, &run);
			metrics = &fFonts.For(styles.StyleAt(run.style).font);
		}
		ascent = std::max(ascent, metrics->ascent);
		descent = std::max(descent, metrics->descent);
		char byte = bytes[index];
		if (byte == ' ' || byte == '\t') {
			x = byte == '\t' ? _TabStop(x) : x + fFonts.Advance(*metrics, bytes, length,
				&index);
			if (byte == '\t')
				index++;
			lastBreak = index;
			continue;
		}
		int32 next = index;
		float advance = fFonts.Advance(*metrics, bytes, length, &next);
		if (x + advance > fWrapWidth && index > lineStart) {
			int32 breakAt = lastBreak > lineStart ? lastBreak : index;
			int32 height = std::max((int32)(ascent + descent), (int32)1);
			if (boxes != NULL)
				boxes->push_back({ start + lineStart, start + breakAt, top, height, ascent });
			top += height;
			count++;
			lineStart = breakAt;
			lastBreak = -1;
			index = breakAt;
			x = 0;
			ascent = 0;
			descent = 0;
			metrics = NULL;
			continue;
		}
		x += advance;
		index = next;
	}
	if (ascent == 0) {
		metrics = &fFonts.For(styles.StyleAt(styles.StyleIndexAt(start + lineStart)).font);
		ascent = metrics->ascent;
		descent = metrics->descent;
	}
	int32 height = std::max((int32)(ascent + descent), (int32)1);
	if (boxes != NULL)
		boxes->push_back({ start + lineStart, end, top, height, ascent });
	top += height;
	count++;
	_SetMeasure(paragraph, top, count);
	return top;
}


namespace {

// Walks the characters of from..to with their x positions; fn(offset, x, advance)
// returns false to stop.
template<typename Function>
float
Walk(TextLayout& layout, const TextStore& store, int32 from, int32 to, Function fn)
{
	const char* bytes = layout.Bytes(from, to);
	const StyleRuns& styles = store.Styles();
	float x = 0;
	int32 index = 0;
	int32 length = to - from;
	StyleRun run;
	for (int32 offset = from; offset < to && styles.GetRun(offset, to, &run);
			offset = run.end) {
		FontMetricsCache::Metrics& metrics
			= layout.Fonts().For(styles.StyleAt(run.style).font);
		int32 end = run.end - from;
		while (index < end) {
			int32 start = index;
			float advance;
			if (bytes[index] == '\t') {
				float tab = layout.TabWidth();
				advance = tab > 0 ? (std::floor(x / tab) + 1) * tab - x : 0;
				index++;
			} else if (bytes[index] == '\n') {
				advance = 0;
				index++;
			} else
				advance = layout.Fonts().Advance(metrics, bytes, length, &index);
			if (!fn(from + start, x, advance))
				return x;
			x += advance;
		}
	}
	return x;
}

}	// namespace


float
TextLayout::Width(int32 from, int32 to)
{
	if (from >= to)
		return 0;
	return Walk(*this, fStore, from, to, [](int32, float, float) { return true; });
}


int32
TextLayout::OffsetAtX(const LineBox& box, float x)
{
	// The caret may not go past the '\n' that ends the line, nor past the break of a
	// wrapped line (the offset there belongs to the next line).
	int32 result = box.end;
	bool found = false;
	Walk(*this, fStore, box.start, box.end, [&](int32 offset, float left, float advance) {
		if (x < left + advance / 2) {
			result = offset;
			found = true;
			return false;
		}
		return true;
	});
	if (!found) {
		int32 last = box.end;
		if (box.end > box.start && fStore.Text().ByteAt(box.end - 1) == '\n')
			last = box.end - 1;
		else if (box.end < fStore.Length())
			last = fStore.Text().PreviousCharBoundary(box.end);
		result = std::max(last, box.start);
	}
	return result;
}


float
TextLayout::XOfOffset(const LineBox& box, int32 offset)
{
	if (offset <= box.start)
		return 0;
	return Width(box.start, std::min(offset, box.end));
}


const char*
TextLayout::Bytes(int32 from, int32 to)
{
	fScratch.resize(std::max(to - from, (int32)0) + 1);
	fStore.Text().CopyRange(from, to, &fScratch[0]);
	return fScratch.data();
}


size_t
TextLayout::AllocatedBytes() const
{
	return (fHeights.capacity() + fLines.capacity() + fHeightTree.capacity()
		+ fLineTree.capacity()) * sizeof(int32) + fScratch.capacity();
}


void
TextLayout::_Rebuild()
{
	if (fTreesValid)
		return;
	int32 count = CountParagraphs();
	int32 defaultHeight = DefaultHeight();
	fHeightTree.assign(count + 1, 0);
	fLineTree.assign(count + 1, 0);
	for (int32 i = 0; i < count; i++) {
		fHeightTree[i + 1] += fHeights[i] < 0 ? defaultHeight : fHeights[i];
		fLineTree[i + 1] += fLines[i];
		int32 parent = (i + 1) + ((i + 1) & -(i + 1));
		if (parent <= count) {
			fHeightTree[parent] += fHeightTree[i + 1];
			fLineTree[parent] += fLineTree[i + 1];
		}
	}
	fTreesValid = true;
	fGeneration++;
}


void
TextLayout::_SetMeasure(int32 paragraph, int32 height, int32 lines)
{
	int32 oldHeight = fHeights[paragraph];
	int32 oldLines = fLines[paragraph];
	fHeights[paragraph] = height;
	fLines[paragraph] = lines;
	if (height != oldHeight)
		fGeneration++;
	if (!fTreesValid)
		return;
	int32 defaultHeight = DefaultHeight();
	int32 before = oldHeight < 0 ? defaultHeight : oldHeight;
	int32 after = height < 0 ? defaultHeight : height;
	if (after != before)
		_Add(fHeightTree, paragraph, after - before);
	if (lines != oldLines)
		_Add(fLineTree, paragraph, lines - oldLines);
}


int32
TextLayout::_Prefix(const std::vector<int32>& tree, int32 count) const
{
	int32 sum = 0;
	for (int32 i = count; i > 0; i -= i & -i)
		sum += tree[i];
	return sum;
}


void
TextLayout::_Add(std::vector<int32>& tree, int32 index, int32 delta)
{
	int32 count = (int32)tree.size() - 1;
	for (int32 i = index + 1; i <= count; i += i & -i)
		tree[i] += delta;
}


int32
TextLayout::_Search(const std::vector<int32>& tree, int32 value) const
{
	// The number of leading items whose sum stays at or below value.
	int32 count = (int32)tree.size() - 1;
	int32 position = 0;
	int32 step = 1;
	while (step * 2 <= count)
		step *= 2;
	for (; step > 0; step /= 2) {
		if (position + step <= count && tree[position + step] <= value) {
			position += step;
			value -= tree[position];
		}
	}
	return position;
}


float
TextLayout::_TabStop(float x) const
{
	if (fTabWidth <= 0)
		return x;
	return (std::floor(x / fTabWidth) + 1) * fTabWidth;
}


int32
TextLayout::_RunEnd(int32 offset, int32 to, uint16* style) const
{
	StyleRun run;
	if (!fStore.Styles().GetRun(offset, to, &run)) {
		*style = fStore.Styles().StyleIndexAt(offset);
		return to;
	}
	*style = run.style;
	return run.end;
}


const BFont&
TextLayout::_StyleFont(uint16 style) const
{
	return fStore.Styles().StyleAt(style).font;
}

}	// namespace BPrivate
