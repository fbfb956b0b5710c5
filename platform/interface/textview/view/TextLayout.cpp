#include "interface/textview/view/TextLayout.h"

#include "interface/FontEngine.h"
#include "interface/textview/TextStore.h"

#include <algorithm>
#include <climits>
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


// #pragma mark - ParagraphLines


LineBox
ParagraphLines::operator[](int32 index) const
{
	LineBox box = fBoxes[index];
	box.start += fBase;
	box.end += fBase;
	return box;
}


int32
ParagraphLines::IndexOf(int32 offset) const
{
	offset -= fBase;
	const LineBox* found = std::upper_bound(fBoxes, fBoxes + fCount, offset,
		[](int32 value, const LineBox& box) { return value < box.start; });
	return std::max((int32)(found - fBoxes) - 1, (int32)0);
}


int32
ParagraphLines::IndexAtY(int32 y) const
{
	const LineBox* found = std::upper_bound(fBoxes, fBoxes + fCount, y,
		[](int32 value, const LineBox& box) { return value < box.top + box.height; });
	return std::min((int32)(found - fBoxes), fCount - 1);
}


// #pragma mark - TextLayout


namespace {

// Paragraphs at least this long keep their lines even when they take only one.
const int32 kKeepBytes = 1024;
// A damage that reaches to the paragraph's end, whatever it becomes.
const int32 kNoEnd = INT32_MAX;
// Wrapping reads the text in pieces of this size.
const int32 kWrapChunk = 16384;

}	// namespace


// The lines of a paragraph, offsets relative to its start. Outside the damaged bytes
// they are in the text's current coordinates and still hold.
struct TextLayout::Wrap {
	std::vector<LineBox>	boxes;
	bool					damaged = false;
	int32					damageFrom = 0;
	int32					damageTo = 0;
};


TextLayout::TextLayout(const TextStore& store)
	:
	fStore(store),
	fScratchParagraph(-1),
	fChangedParagraph(-1),
	fChangedTop(0),
	fChangedBottom(0),
	fWrappedBytes(0),
	fMeasuredPrefix(0),
	fHintParagraph(0),
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
	fMeasuredPrefix = 0;
	fLines.assign(count, 1);
	fWraps.clear();
	fWraps.resize(count);
	fHeights.shrink_to_fit();
	fLines.shrink_to_fit();
	fWraps.shrink_to_fit();
	fTreesValid = false;
	fDefaultHeight = -1;
	fScratchParagraph = -1;
	fChangedParagraph = -1;
}


void
TextLayout::_Damage(int32 paragraph, int32 from, int32 to)
{
	Wrap* wrap = fWraps[paragraph].get();
	if (wrap == NULL)
		return;
	fMeasuredPrefix = std::min(fMeasuredPrefix, paragraph);
	if (!wrap->damaged) {
		wrap->damaged = true;
		wrap->damageFrom = from;
		wrap->damageTo = to;
		return;
	}
	wrap->damageFrom = std::min(wrap->damageFrom, from);
	wrap->damageTo = std::max(wrap->damageTo, to);
}


void
TextLayout::TextInserted(int32 paragraph, int32 offset, int32 length, int32 newlines)
{
	fChangedParagraph = -1;
	paragraph = std::clamp(paragraph, (int32)0, CountParagraphs() - 1);
	fScratchParagraph = -1;
	const LineIndex& lines = fStore.Lines();
	int32 relative = offset - lines.LineStart(paragraph);
	if (offset == 0)
		_RefreshDefaultHeight();
	std::unique_ptr<Wrap> wrap = std::move(fWraps[paragraph]);
	if (wrap != NULL) {
		if (wrap->damaged) {
			if (wrap->damageFrom > relative)
				wrap->damageFrom += length;
			if (wrap->damageTo >= relative && wrap->damageTo != kNoEnd)
				wrap->damageTo += length;
		}
		// Lines after the insertion move with their text; the line it lands in grows.
		for (LineBox& box : wrap->boxes) {
			if (box.start > relative)
				box.start += length;
			if (box.end > relative || (box.end == relative && &box == &wrap->boxes.back()))
				box.end += length;
		}
	}

	if (newlines == 0) {
		fWraps[paragraph] = std::move(wrap);
		if (fWraps[paragraph] != NULL)
			_Damage(paragraph, relative, relative + length);
		else
			_SetMeasure(paragraph, -1, 1);
		return;
	}

	fHeights.insert(fHeights.begin() + paragraph + 1, newlines, -1);
	fMeasuredPrefix = std::min(fMeasuredPrefix, paragraph);
	fLines.insert(fLines.begin() + paragraph + 1, newlines, 1);
	std::vector<std::unique_ptr<Wrap>> added(newlines);
	fWraps.insert(fWraps.begin() + paragraph + 1, std::make_move_iterator(added.begin()),
		std::make_move_iterator(added.end()));
	fHeights[paragraph] = -1;
	fLines[paragraph] = 1;
	fTreesValid = false;
	if (wrap == NULL)
		return;

	// The paragraph was split: its first part keeps the lines before the insertion,
	// the last part the lines after it, moved to its own start.
	int32 last = paragraph + newlines;
	int32 tail = offset + length - lines.LineStart(last);
	int32 moved = relative + length - tail;
	std::unique_ptr<Wrap> after(new Wrap);
	for (const LineBox& box : wrap->boxes) {
		if (box.start >= relative + length) {
			LineBox shifted = box;
			shifted.start -= moved;
			shifted.end -= moved;
			after->boxes.push_back(shifted);
		}
	}
	after->damaged = true;
	after->damageFrom = 0;
	after->damageTo = tail;
	// Damage waiting past the insertion goes with the last part.
	if (wrap->damaged && wrap->damageTo > relative + length) {
		after->damageTo = wrap->damageTo == kNoEnd
			? kNoEnd : std::max(tail, wrap->damageTo - moved);
	}
	fWraps[last] = std::move(after);

	auto kept = std::find_if(wrap->boxes.begin(), wrap->boxes.end(),
		[relative](const LineBox& box) { return box.start > relative; });
	wrap->boxes.erase(kept, wrap->boxes.end());
	wrap->damageFrom = wrap->damaged ? std::min(wrap->damageFrom, relative) : relative;
	wrap->damageTo = kNoEnd;
	wrap->damaged = true;
	fWraps[paragraph] = std::move(wrap);
}


void
TextLayout::TextRemoved(int32 first, int32 last, int32 from, int32 to, int32 lastStart)
{
	fChangedParagraph = -1;
	first = std::clamp(first, (int32)0, CountParagraphs() - 1);
	last = std::clamp(last, first, CountParagraphs() - 1);
	fScratchParagraph = -1;
	int32 start = fStore.Lines().LineStart(first);
	int32 relative = from - start;
	int32 removed = to - from;
	if (from == 0)
		_RefreshDefaultHeight();

	if (last == first) {
		Wrap* wrap = fWraps[first].get();
		if (wrap == NULL) {
			_SetMeasure(first, -1, 1);
			return;
		}
		int32 relativeTo = relative + removed;
		auto shift = [&](int32 value) {
			if (value == kNoEnd)
				return value;
			if (value >= relativeTo)
				return value - removed;
			return std::min(value, relative);
		};
		if (wrap->damaged) {
			wrap->damageFrom = shift(wrap->damageFrom);
			wrap->damageTo = shift(wrap->damageTo);
		}
		std::vector<LineBox>& boxes = wrap->boxes;
		// Lines that started inside the removed bytes are gone; the one that started
		// right after them keeps its (unchanged) text and now starts where they did.
		boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
			[&](const LineBox& box) {
				return box.start >= relative && box.start < relativeTo;
			}), boxes.end());
		for (LineBox& box : boxes) {
			box.start = shift(box.start);
			box.end = shift(box.end);
		}
		_Damage(first, relative, relative);
		return;
	}

	// Paragraphs were merged into the first: it keeps its lines before the removal and
	// takes the lines of the last after it.
	std::unique_ptr<Wrap> wrap = std::move(fWraps[first]);
	std::unique_ptr<Wrap> tail = std::move(fWraps[last]);
	fHeights.erase(fHeights.begin() + first + 1, fHeights.begin() + last + 1);
	fLines.erase(fLines.begin() + first + 1, fLines.begin() + last + 1);
	fWraps.erase(fWraps.begin() + first + 1, fWraps.begin() + last + 1);
	fHeights[first] = -1;
	fMeasuredPrefix = std::min(fMeasuredPrefix, first);
	fLines[first] = 1;
	fTreesValid = false;
	if (wrap == NULL && tail == NULL)
		return;
	if (wrap == NULL) {
		wrap.reset(new Wrap);
		wrap->boxes.push_back({ 0, relative, 0, 0, 0 });
	}
	bool wasDamaged = wrap->damaged;
	int32 damageFrom = wasDamaged ? std::min(wrap->damageFrom, relative) : relative;
	int32 damageTo = wasDamaged && wrap->damageTo > relative ? kNoEnd : relative;
	// The line that started at from lost its text; a line of the last paragraph may
	// start there now.
	auto kept = std::find_if(wrap->boxes.begin(), wrap->boxes.end(),
		[relative](const LineBox& box) { return box.start >= relative; });
	wrap->boxes.erase(kept, wrap->boxes.end());
	if (tail != NULL) {
		// The removal ended at cut in the last paragraph, which started at lastStart;
		// its text after that now follows the first paragraph's text before from.
		int32 cut = to - lastStart;
		for (const LineBox& box : tail->boxes) {
			if (box.start < cut)
				continue;
			LineBox shifted = box;
			shifted.start += relative - cut;
			shifted.end += relative - cut;
			wrap->boxes.push_back(shifted);
		}
		if (tail->damaged) {
			if (tail->damageFrom < cut)
				damageTo = kNoEnd;
			else if (damageTo != kNoEnd)
				damageTo = std::max(damageTo, tail->damageTo == kNoEnd
					? kNoEnd : tail->damageTo + relative - cut);
		}
	} else
		damageTo = kNoEnd;
	wrap->damaged = true;
	wrap->damageFrom = damageFrom;
	wrap->damageTo = damageTo;
	fWraps[first] = std::move(wrap);
}


bool
TextLayout::FontsChanged(int32 from, int32 to)
{
	fChangedParagraph = -1;
	const LineIndex& lines = fStore.Lines();
	int32 first = _ParagraphAt(from);
	int32 last = std::min(_ParagraphAt(to), CountParagraphs() - 1);
	fScratchParagraph = -1;
	bool measured = false;
	if (from == 0 && _RefreshDefaultHeight())
		measured = true;
	for (int32 paragraph = first; paragraph <= last; paragraph++) {
		if (fWraps[paragraph] != NULL) {
			int32 start = lines.LineStart(paragraph);
			_Damage(paragraph, std::max(from - start, (int32)0), to - start);
			measured = true;
		} else if (fHeights[paragraph] >= 0) {
			_SetMeasure(paragraph, -1, 1);
			measured = true;
		}
	}
	return measured;
}


// The paragraph that holds offset. Styling calls come in order, one every few bytes,
// so the paragraph of the last look-up or the next one usually holds it already.
int32
TextLayout::_ParagraphAt(int32 offset)
{
	const LineIndex& lines = fStore.Lines();
	int32 count = CountParagraphs();
	for (int32 paragraph = fHintParagraph; paragraph <= fHintParagraph + 1; paragraph++) {
		if (paragraph >= 0 && paragraph < count - 1 && lines.LineStart(paragraph) <= offset
			&& offset <= lines.LineEnd(paragraph)) {
			fHintParagraph = paragraph;
			return paragraph;
		}
	}
	fHintParagraph = std::clamp(lines.LineAt(offset), (int32)0, count - 1);
	return fHintParagraph;
}


// Paragraphs not measured yet count as lines of the first byte's font; call when that
// byte may have changed. True when the default height did.
bool
TextLayout::_RefreshDefaultHeight()
{
	if (fDefaultHeight < 0)
		return false;
	int32 height = fDefaultHeight;
	fDefaultHeight = -1;
	if (DefaultHeight() == height)
		return false;
	fTreesValid = false;
	return true;
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


bool
TextLayout::_NeedsMeasure(int32 paragraph) const
{
	const Wrap* wrap = fWraps[paragraph].get();
	return fHeights[paragraph] < 0 || (wrap != NULL && wrap->damaged);
}


void
TextLayout::MeasureUpTo(int32 paragraph)
{
	if (paragraph < 0 || paragraph > CountParagraphs())
		paragraph = CountParagraphs();
	// Every paragraph before fMeasuredPrefix is measured already.
	for (int32 i = std::min(fMeasuredPrefix, CountParagraphs()); i < paragraph; i++) {
		if (_NeedsMeasure(i))
			_Measure(i);
	}
	fMeasuredPrefix = std::max(fMeasuredPrefix, paragraph);
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
TextLayout::Layout(int32 paragraph)
{
	paragraph = std::clamp(paragraph, (int32)0, CountParagraphs() - 1);
	if (!_NeedsMeasure(paragraph))
		return fHeights[paragraph];
	return _Measure(paragraph);
}


ParagraphLines
TextLayout::Lines(int32 paragraph)
{
	paragraph = std::clamp(paragraph, (int32)0, CountParagraphs() - 1);
	int32 start = fStore.Lines().LineStart(paragraph);
	if (_NeedsMeasure(paragraph)
		|| (fWraps[paragraph] == NULL && fScratchParagraph != paragraph))
		_Measure(paragraph);
	const Wrap* wrap = fWraps[paragraph].get();
	if (wrap != NULL)
		return ParagraphLines(wrap->boxes.data(), (int32)wrap->boxes.size(), start);
	return ParagraphLines(fScratchBoxes.data(), (int32)fScratchBoxes.size(), start);
}


bool
TextLayout::TakeChangedSpan(int32 paragraph, int32* top, int32* bottom)
{
	if (fChangedParagraph != paragraph || fChangedParagraph < 0)
		return false;
	*top = fChangedTop;
	*bottom = fChangedBottom;
	fChangedParagraph = -1;
	return true;
}


void
TextLayout::_SetChanged(int32 paragraph, int32 top, int32 bottom)
{
	fChangedParagraph = paragraph;
	fChangedTop = top;
	fChangedBottom = bottom;
}


int32
TextLayout::_Measure(int32 paragraph)
{
	const LineIndex& lines = fStore.Lines();
	int32 start = lines.LineStart(paragraph);
	int32 length = lines.LineEnd(paragraph) - start;
	std::unique_ptr<Wrap>& wrap = fWraps[paragraph];
	bool wraps = fWrap && fWrapWidth > 0 && length > 0;

	std::vector<LineBox> boxes;
	int32 changedTop = 0;
	if (wraps && wrap != NULL && wrap->damaged && !wrap->boxes.empty()) {
		// Wrap again from the line before the first changed byte, until a line starts
		// where a kept line starts after the last one.
		// The line that held the byte before the damage is the first one whose text
		// may have changed (a line that started right at the damage may be one that
		// joined from behind it); the line before it may take a word back.
		const std::vector<LineBox>& old = wrap->boxes;
		int32 before = wrap->damageFrom - 1;
		int32 resume = ParagraphLines(old.data(), (int32)old.size(), 0).IndexOf(before);
		if (old[resume].start > before)
			resume = -1;
		resume = std::max(resume - 1, (int32)0);
		int32 from = resume < (int32)old.size() && old[resume].start <= wrap->damageFrom
			? old[resume].start : 0;
		int32 top = from > 0 ? old[resume].top : 0;
		if (from == 0)
			resume = 0;
		boxes.assign(old.begin(), old.begin() + resume);
		int32 agreed = -1;
		_Wrap(paragraph, from, top, boxes, wrap.get(), &agreed);
		size_t fresh = boxes.size();
		if (agreed >= 0) {
			const LineBox& end = boxes.back();
			int32 delta = end.top + end.height - old[agreed].top;
			for (size_t i = agreed; i < old.size(); i++) {
				LineBox box = old[i];
				box.top += delta;
				boxes.push_back(box);
			}
		}
		// The first line wrapped again may be the one before the change, unchanged.
		size_t firstChanged = resume;
		if (firstChanged < fresh && firstChanged < old.size()
			&& boxes[firstChanged].start == old[firstChanged].start
			&& boxes[firstChanged].end == old[firstChanged].end
			&& boxes[firstChanged].height == old[firstChanged].height
			&& firstChanged + 1 < fresh)
			firstChanged++;
		changedTop = firstChanged < boxes.size() ? boxes[firstChanged].top : 0;
		const LineBox& lastFresh = boxes[fresh - 1];
		int32 changedBottom = lastFresh.top + lastFresh.height - 1;
		_SetChanged(paragraph, changedTop, changedBottom);
	} else {
		if (wraps)
			_Wrap(paragraph, 0, 0, boxes, NULL, NULL);
		else
			_Unwrapped(paragraph, boxes);
		const LineBox& last = boxes.back();
		_SetChanged(paragraph, 0, last.top + last.height - 1);
	}

	const LineBox& last = boxes.back();
	int32 height = last.top + last.height;
	int32 count = (int32)boxes.size();
	if (count > 1 || length >= kKeepBytes) {
		if (wrap == NULL)
			wrap.reset(new Wrap);
		wrap->boxes.swap(boxes);
		wrap->damaged = false;
		fScratchParagraph = -1;
	} else {
		wrap.reset();
		fScratchBoxes.swap(boxes);
		fScratchParagraph = paragraph;
	}
	_SetMeasure(paragraph, height, count);
	return height;
}


void
TextLayout::_Unwrapped(int32 paragraph, std::vector<LineBox>& out)
{
	const LineIndex& lines = fStore.Lines();
	const StyleRuns& styles = fStore.Styles();
	int32 start = lines.LineStart(paragraph);
	int32 textEnd = lines.LineEnd(paragraph);
	int32 end = paragraph < lines.CountLines() - 1 ? textEnd + 1 : textEnd;
	if (start >= textEnd) {
		// An empty paragraph takes the height of the style new text would get.
		FontMetricsCache::Metrics& metrics
			= fFonts.For(styles.StyleAt(styles.InsertionStyle(start)).font);
		out.push_back({ 0, end - start, 0, metrics.height, metrics.ascent });
		return;
	}
	float ascent = 0;
	float descent = 0;
	StyleRun run;
	for (int32 offset = start; styles.GetRun(offset, textEnd, &run); offset = run.end) {
		FontMetricsCache::Metrics& metrics = fFonts.For(styles.StyleAt(run.style).font);
		ascent = std::max(ascent, metrics.ascent);
		descent = std::max(descent, metrics.descent);
	}
	int32 height = std::max((int32)(ascent + descent), (int32)1);
	out.push_back({ 0, end - start, 0, height, ascent });
}


// Wraps the paragraph from the line start from (relative) on, appending its lines to
// out with tops counted from top. Breaks after the last space that fits, or before the
// character that does not fit when the line has no space; spaces may hang past the
// edge. With old lines given, stops after a line that ends where an old line past the
// damage starts, and tells which one in agreed.
void
TextLayout::_Wrap(int32 paragraph, int32 from, int32 top, std::vector<LineBox>& out,
	const Wrap* old, int32* agreed)
{
	const LineIndex& lines = fStore.Lines();
	const StyleRuns& styles = fStore.Styles();
	int32 start = lines.LineStart(paragraph);
	int32 textEnd = lines.LineEnd(paragraph);
	int32 end = paragraph < lines.CountLines() - 1 ? textEnd + 1 : textEnd;
	int32 length = textEnd - start;

	const char* bytes = NULL;
	int32 windowStart = 0;
	int32 windowEnd = 0;
	auto fill = [&](int32 at) {
		windowStart = at;
		windowEnd = std::min(length, at + kWrapChunk);
		bytes = Bytes(start + windowStart, start + windowEnd);
	};

	int32 lineStart = from;
	int32 lastBreak = -1;
	float x = 0;
	float ascent = 0;
	float descent = 0;
	StyleRun run = { 0, 0, 0 };
	FontMetricsCache::Metrics* metrics = NULL;
	int32 index = from;
	while (index < length) {
		if (bytes == NULL || index < windowStart
			|| (index + 4 > windowEnd && windowEnd < length))
			fill(index);
		if (metrics == NULL || start + index < run.start || start + index >= run.end) {
			// Runs are looked up a piece at a time: finding where a run of megabytes
			// ends would cost as much as wrapping all of it.
			styles.GetRun(start + index, std::min(textEnd, start + index + kWrapChunk),
				&run);
			metrics = &fFonts.For(styles.StyleAt(run.style).font);
		}
		ascent = std::max(ascent, metrics->ascent);
		descent = std::max(descent, metrics->descent);
		char byte = bytes[index - windowStart];
		if (byte == ' ' || byte == '\t') {
			if (byte == '\t')
				x = _TabStop(x);
			else {
				int32 local = index - windowStart;
				x += fFonts.Advance(*metrics, bytes, windowEnd - windowStart, &local);
			}
			index++;
			lastBreak = index;
			continue;
		}
		int32 local = index - windowStart;
		float advance = fFonts.Advance(*metrics, bytes, windowEnd - windowStart, &local);
		int32 next = windowStart + local;
		if (x + advance > fWrapWidth && index > lineStart) {
			int32 breakAt = lastBreak > lineStart ? lastBreak : index;
			int32 height = std::max((int32)(ascent + descent), (int32)1);
			out.push_back({ lineStart, breakAt, top, height, ascent });
			top += height;
			if (old != NULL && breakAt >= old->damageTo) {
				// From a line start on, lines depend only on the text after it, which
				// is unchanged past the damage.
				const std::vector<LineBox>& boxes = old->boxes;
				auto found = std::lower_bound(boxes.begin(), boxes.end(), breakAt,
					[](const LineBox& box, int32 value) { return box.start < value; });
				if (found != boxes.end() && found->start == breakAt) {
					*agreed = (int32)(found - boxes.begin());
					fWrappedBytes += breakAt - from;
					return;
				}
			}
			lineStart = breakAt;
			lastBreak = -1;
			index = breakAt;
			x = 0;
			ascent = 0;
			descent = 0;
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
	out.push_back({ lineStart, end - start, top, height, ascent });
	fWrappedBytes += length - from;
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
	size_t bytes = (fHeights.capacity() + fLines.capacity() + fHeightTree.capacity()
		+ fLineTree.capacity()) * sizeof(int32) + fScratch.capacity()
		+ fWraps.capacity() * sizeof(fWraps[0])
		+ fScratchBoxes.capacity() * sizeof(LineBox);
	for (const std::unique_ptr<Wrap>& wrap : fWraps) {
		if (wrap != NULL)
			bytes += sizeof(Wrap) + wrap->boxes.capacity() * sizeof(LineBox);
	}
	return bytes;
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
	if (height < 0)
		fMeasuredPrefix = std::min(fMeasuredPrefix, paragraph);
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
