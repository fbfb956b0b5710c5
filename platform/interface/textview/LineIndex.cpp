#include "interface/textview/LineIndex.h"

#include <Errors.h>

#include <algorithm>
#include <cstring>

namespace BPrivate {

// Line 0 always starts at 0, so only the starts of lines 1 and later are stored: the
// start of line L lives at index L - 1. An empty index needs no memory at all.


LineIndex::LineIndex()
	:
	fStepLine(0),
	fStepLength(0),
	fTextLength(0)
{
}


LineIndex::~LineIndex()
{
}


status_t
LineIndex::SetText(const char* bytes, int32 length)
{
	if (length < 0 || (bytes == NULL && length > 0))
		return B_BAD_VALUE;

	int32 newlines = 0;
	const char* end = bytes + length;
	for (const char* at = bytes; at < end; at++) {
		at = (const char*)memchr(at, '\n', end - at);
		if (at == NULL)
			break;
		newlines++;
	}
	// Make room first, so that running out of memory leaves the old index intact.
	if (newlines > fStarts.Capacity() && !fStarts.Reserve(newlines - fStarts.Length()))
		return B_NO_MEMORY;

	fStarts.RemoveAll();
	fStepLine = 0;
	fStepLength = 0;
	fTextLength = length;

	int32 batch[256];
	int32 count = 0;
	for (const char* at = bytes; at < end; at++) {
		at = (const char*)memchr(at, '\n', end - at);
		if (at == NULL)
			break;
		batch[count++] = at - bytes + 1;
		if (count == 256) {
			fStarts.Insert(fStarts.Length(), batch, count);
			count = 0;
		}
	}
	fStarts.Insert(fStarts.Length(), batch, count);
	return B_OK;
}


status_t
LineIndex::TextInserted(int32 offset, const char* bytes, int32 length)
{
	if (offset < 0 || offset > fTextLength || length < 0 || (bytes == NULL && length > 0))
		return B_BAD_VALUE;
	if (length == 0)
		return B_OK;
	if (length > INT32_MAX - fTextLength)
		return B_NO_MEMORY;

	int32 newlines = 0;
	for (int32 i = 0; i < length; i++) {
		if (bytes[i] == '\n')
			newlines++;
	}
	if (!fStarts.Reserve(newlines))
		return B_NO_MEMORY;

	int32 line = LineAt(offset);
	_ShiftAfter(line, length);
	fTextLength += length;
	if (newlines == 0)
		return B_OK;

	// The step now sits at line, so the new starts go in as they are and the step moves
	// past them.
	int32 batch[256];
	int32 count = 0;
	int32 at = line + 1;
	for (int32 i = 0; i < length; i++) {
		if (bytes[i] != '\n')
			continue;
		batch[count++] = offset + i + 1;
		if (count == 256) {
			fStarts.Insert(at - 1, batch, count);
			at += count;
			count = 0;
		}
	}
	fStarts.Insert(at - 1, batch, count);
	fStepLine = line + newlines;
	return B_OK;
}


status_t
LineIndex::TextRemoved(int32 from, int32 to)
{
	if (from < 0 || from > to || to > fTextLength)
		return B_BAD_VALUE;
	if (from == to)
		return B_OK;

	// The lines that start inside (from, to] lost the newline before them.
	int32 first = LineAt(from);
	int32 last = LineAt(to);
	_ShiftAfter(first, from - to);
	if (last > first)
		fStarts.Remove(first, last - first);
	fTextLength -= to - from;
	return B_OK;
}


int32
LineIndex::LineAt(int32 offset) const
{
	// The last line whose start is at or before offset.
	int32 low = 0;
	int32 high = CountLines() - 1;
	while (low < high) {
		int32 middle = low + (high - low + 1) / 2;
		if (_Start(middle) <= offset)
			low = middle;
		else
			high = middle - 1;
	}
	return low;
}


int32
LineIndex::LineStart(int32 line) const
{
	if (line <= 0)
		return 0;
	if (line >= CountLines())
		return fTextLength;
	return _Start(line);
}


int32
LineIndex::LineEnd(int32 line) const
{
	if (line < 0)
		return 0;
	if (line >= CountLines() - 1)
		return fTextLength;
	// A hard line ends at its newline. A wrapped line has no newline before the next
	// start, so it ends at that start.
	return _Start(line + 1) - 1;
}


status_t
LineIndex::InsertStarts(int32 line, const int32* starts, int32 count)
{
	if (line < 0 || line >= CountLines() || count < 0 || (starts == NULL && count > 0))
		return B_BAD_VALUE;
	int32 previous = _Start(line);
	int32 limit = line + 1 < CountLines() ? _Start(line + 1) : fTextLength + 1;
	for (int32 i = 0; i < count; i++) {
		if (starts[i] <= previous || starts[i] >= limit)
			return B_BAD_VALUE;
		previous = starts[i];
	}
	if (!fStarts.Reserve(count))
		return B_NO_MEMORY;
	_ShiftAfter(line, 0);
	fStarts.Insert(line, starts, count);
	fStepLine = line + count;
	return B_OK;
}


status_t
LineIndex::RemoveStarts(int32 first, int32 last)
{
	if (first < 1 || first > last || last >= CountLines())
		return B_BAD_VALUE;
	_ShiftAfter(first - 1, 0);
	fStarts.Remove(first - 1, last - first + 1);
	return B_OK;
}


int32
LineIndex::_Start(int32 line) const
{
	if (line == 0)
		return 0;
	int32 start = fStarts.At(line - 1);
	return line > fStepLine ? start + fStepLength : start;
}


void
LineIndex::_ShiftAfter(int32 line, int32 delta)
{
	int32 lastLine = CountLines() - 1;
	if (fStepLength == 0 || fStepLine >= lastLine) {
		// No shift is pending: the step simply starts here.
		fStepLine = line;
		fStepLength = delta;
	} else if (line >= fStepLine) {
		_ApplyStepUpTo(line);
		fStepLength += delta;
	} else if (fStepLine - line <= lastLine / 8 + 64) {
		// Close behind the step: take the step back over the few lines between, which
		// are stored as they are and must now be stored without the pending shift.
		for (int32 i = line + 1; i <= fStepLine; i++)
			fStarts[i - 1] -= fStepLength;
		fStepLine = line;
		fStepLength += delta;
	} else {
		// Far behind the step: settle it everywhere and start a new one here.
		_ApplyWholeStep();
		fStepLine = line;
		fStepLength = delta;
	}
}


void
LineIndex::_ApplyStepUpTo(int32 line)
{
	if (fStepLength != 0) {
		// Walk the stored stretches so that the gap is crossed at most once.
		int32 index = fStepLine;
		int32 end = std::min(line, CountLines() - 1);
		while (index < end) {
			int32 count;
			int32* starts = fStarts.MutableStretch(index, &count);
			count = std::min(count, end - index);
			for (int32 i = 0; i < count; i++)
				starts[i] += fStepLength;
			index += count;
		}
	}
	fStepLine = line;
}


void
LineIndex::_ApplyWholeStep()
{
	_ApplyStepUpTo(CountLines() - 1);
	fStepLength = 0;
}

}	// namespace BPrivate
