#include "interface/textview/TextBuffer.h"

#include <Errors.h>

#include <algorithm>
#include <cstring>

namespace BPrivate {

namespace {

inline bool
IsContinuation(uint8 byte)
{
	return (byte & 0xc0) == 0x80;
}

}	// namespace


TextBuffer::TextBuffer()
{
}


TextBuffer::~TextBuffer()
{
}


status_t
TextBuffer::Insert(int32 offset, const char* bytes, int32 length)
{
	if (offset < 0 || offset > Length() || length < 0 || (bytes == NULL && length > 0))
		return B_BAD_VALUE;
	if (length == 0)
		return B_OK;
	if (length > INT32_MAX - 16 - Length())
		return B_NO_MEMORY;
	return fBytes.Insert(offset, bytes, length) ? B_OK : B_NO_MEMORY;
}


status_t
TextBuffer::Remove(int32 from, int32 to)
{
	if (from < 0 || from > to || to > Length())
		return B_BAD_VALUE;
	fBytes.Remove(from, to - from);
	return B_OK;
}


status_t
TextBuffer::SetTo(const char* bytes, int32 length)
{
	if (length < 0 || (bytes == NULL && length > 0))
		return B_BAD_VALUE;
	if (length > INT32_MAX - 16)
		return B_NO_MEMORY;
	// A failure to grow keeps the old text.
	return fBytes.Assign(bytes, length) ? B_OK : B_NO_MEMORY;
}


char
TextBuffer::ByteAt(int32 offset) const
{
	if (offset < 0 || offset >= Length())
		return '\0';
	return fBytes.At(offset);
}


const char*
TextBuffer::Text() const
{
	char* text = fBytes.Contiguous();
	if (text == NULL)
		return "";
	text[Length()] = '\0';
	return text;
}


int32
TextBuffer::CopyRange(int32 from, int32 to, char* out) const
{
	from = std::clamp(from, (int32)0, Length());
	to = std::clamp(to, from, Length());
	fBytes.CopyOut(from, to, out);
	out[to - from] = '\0';
	return to - from;
}


int32
TextBuffer::Find(int32 from, const char* needle, int32 length) const
{
	if (needle == NULL || length < 0)
		return -1;
	from = std::max(from, (int32)0);
	if (length == 0)
		return from <= Length() ? from : -1;
	if (from + (int64)length > Length())
		return -1;

	// Searching the contiguous text is far simpler than matching across the gap, and a
	// search is rare next to edits.
	const char* text = Text();
	const char* end = text + Length();
	const char* at = text + from;
	while (at + length <= end) {
		at = (const char*)memchr(at, needle[0], end - at - length + 1);
		if (at == NULL)
			return -1;
		if (memcmp(at, needle, length) == 0)
			return at - text;
		at++;
	}
	return -1;
}


int32
TextBuffer::_SequenceLength(int32 offset) const
{
	// The length of the well-formed UTF-8 sequence that starts at offset, or 1 when the
	// byte there does not start one. Overlong forms, surrogates and values above
	// U+10FFFF are not well-formed.
	uint8 lead = (uint8)fBytes.At(offset);
	int32 length;
	uint8 low = 0x80;
	uint8 high = 0xbf;
	if (lead < 0xc2 || lead > 0xf4)
		return 1;
	if (lead < 0xe0)
		length = 2;
	else if (lead < 0xf0) {
		length = 3;
		if (lead == 0xe0)
			low = 0xa0;
		else if (lead == 0xed)
			high = 0x9f;
	} else {
		length = 4;
		if (lead == 0xf0)
			low = 0x90;
		else if (lead == 0xf4)
			high = 0x8f;
	}
	if (offset + length > Length())
		return 1;
	uint8 second = (uint8)fBytes.At(offset + 1);
	if (second < low || second > high)
		return 1;
	for (int32 i = 2; i < length; i++) {
		if (!IsContinuation((uint8)fBytes.At(offset + i)))
			return 1;
	}
	return length;
}


int32
TextBuffer::CharStart(int32 offset) const
{
	offset = std::clamp(offset, (int32)0, Length());
	if (offset == Length())
		return offset;
	// Only the nearest byte before offset that is not a continuation byte can start a
	// sequence that covers offset; every lead byte is a boundary of its own.
	for (int32 back = 0; back < 4 && offset - back >= 0; back++) {
		uint8 byte = (uint8)fBytes.At(offset - back);
		if (IsContinuation(byte))
			continue;
		if (back > 0 && _SequenceLength(offset - back) > back)
			return offset - back;
		break;
	}
	return offset;
}


int32
TextBuffer::PreviousCharBoundary(int32 offset) const
{
	offset = std::clamp(offset, (int32)0, Length());
	if (offset == 0)
		return 0;
	return CharStart(offset - 1);
}


int32
TextBuffer::NextCharBoundary(int32 offset) const
{
	offset = std::clamp(offset, (int32)0, Length());
	if (offset == Length())
		return offset;
	int32 start = CharStart(offset);
	return start + _SequenceLength(start);
}


bool
TextBuffer::IsCharBoundary(int32 offset) const
{
	if (offset < 0 || offset > Length())
		return false;
	return CharStart(offset) == offset;
}


int32
TextBuffer::CountChars(int32 from, int32 to) const
{
	from = CharStart(from);
	to = CharStart(to);
	int32 count = 0;
	for (int32 offset = from; offset < to; count++) {
		uint8 byte = (uint8)fBytes.At(offset);
		offset += byte < 0x80 ? 1 : _SequenceLength(offset);
	}
	return count;
}

}	// namespace BPrivate
