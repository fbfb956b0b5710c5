#include "TextSearch.h"

#include <cstring>
#include <string_view>


// Bytes that are not valid UTF-8 decode to values above Unicode, one per byte value,
// so they match only themselves.
static const uint32 kInvalidBase = 0x110000;


// Upper case letters in a range where upper and lower case alternate, the upper case
// on even (evenUpper) or odd code points.
static inline bool
AlternatingUpper(uint32 c, uint32 first, uint32 last, bool evenUpper)
{
	return c >= first && c <= last && ((c % 2 == 0) == evenUpper);
}


uint32
TextSearch::FoldCase(uint32 c)
{
	if (c < 0x80)
		return c >= 'A' && c <= 'Z' ? c + 0x20 : c;

	if (c < 0x100) {
		if (c == 0xb5)
			return 0x3bc;
		if (c >= 0xc0 && c <= 0xde && c != 0xd7)
			return c + 0x20;
		return c;
	}

	// Latin Extended-A.
	if (c < 0x180) {
		if (AlternatingUpper(c, 0x100, 0x12f, true) || AlternatingUpper(c, 0x132, 0x137, true)
			|| AlternatingUpper(c, 0x139, 0x148, false)
			|| AlternatingUpper(c, 0x14a, 0x177, true)
			|| AlternatingUpper(c, 0x179, 0x17e, false))
			return c + 1;
		if (c == 0x178)
			return 0xff;
		if (c == 0x17f)
			return 's';
		return c;
	}

	// Greek.
	if (c >= 0x370 && c < 0x400) {
		if (c == 0x386)
			return 0x3ac;
		if (c >= 0x388 && c <= 0x38a)
			return c + 37;
		if (c == 0x38c)
			return 0x3cc;
		if (c == 0x38e || c == 0x38f)
			return c + 63;
		if ((c >= 0x391 && c <= 0x3a1) || (c >= 0x3a3 && c <= 0x3ab))
			return c + 0x20;
		if (c == 0x3c2)
			return 0x3c3;
		if (AlternatingUpper(c, 0x3d8, 0x3ef, true))
			return c + 1;
		return c;
	}

	// Cyrillic.
	if (c >= 0x400 && c < 0x530) {
		if (c < 0x410)
			return c + 0x50;
		if (c < 0x430)
			return c + 0x20;
		if (c == 0x4c0)
			return 0x4cf;
		if (AlternatingUpper(c, 0x460, 0x481, true) || AlternatingUpper(c, 0x48a, 0x4bf, true)
			|| AlternatingUpper(c, 0x4c1, 0x4ce, false)
			|| AlternatingUpper(c, 0x4d0, 0x52f, true))
			return c + 1;
		return c;
	}

	// Armenian.
	if (c >= 0x531 && c <= 0x556)
		return c + 0x30;

	// Latin Extended Additional (Vietnamese and Welsh letters among them).
	if (c >= 0x1e00 && c < 0x1f00) {
		if (c == 0x1e9e)
			return 0xdf;
		if (AlternatingUpper(c, 0x1e00, 0x1e95, true) || AlternatingUpper(c, 0x1ea0, 0x1eff, true))
			return c + 1;
		return c;
	}

	// The Kelvin and Ångström signs, Roman numerals, circled letters and full-width
	// Latin letters.
	if (c == 0x212a)
		return 'k';
	if (c == 0x212b)
		return 0xe5;
	if (c >= 0x2160 && c <= 0x216f)
		return c + 0x10;
	if (c >= 0x24b6 && c <= 0x24cf)
		return c + 26;
	if (c >= 0xff21 && c <= 0xff3a)
		return c + 0x20;
	return c;
}


uint32
TextSearch::_Decode(const unsigned char* text, int32 length, int32* size)
{
	unsigned char first = text[0];
	*size = 1;
	if (first < 0x80)
		return first;
	int32 count;
	uint32 minimum;
	uint32 c;
	if (first >= 0xc2 && first <= 0xdf) {
		count = 2;
		minimum = 0x80;
		c = first & 0x1f;
	} else if (first >= 0xe0 && first <= 0xef) {
		count = 3;
		minimum = 0x800;
		c = first & 0x0f;
	} else if (first >= 0xf0 && first <= 0xf4) {
		count = 4;
		minimum = 0x10000;
		c = first & 0x07;
	} else
		return kInvalidBase + first;
	if (count > length)
		return kInvalidBase + first;
	for (int32 i = 1; i < count; i++) {
		if ((text[i] & 0xc0) != 0x80)
			return kInvalidBase + first;
		c = (c << 6) | (text[i] & 0x3f);
	}
	if (c < minimum || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff))
		return kInvalidBase + first;
	*size = count;
	return c;
}


TextSearch::TextSearch(const char* pattern, bool ignoreCase)
	:
	fPattern(pattern != NULL ? pattern : ""),
	fIgnoreCase(ignoreCase),
	fCacheText(NULL),
	fCacheLength(0),
	fNextLower(-1),
	fNextUpper(-1),
	fLowerFrom(0),
	fUpperFrom(0)
{
	if (!fIgnoreCase)
		return;
	const unsigned char* bytes = reinterpret_cast<const unsigned char*>(fPattern.data());
	int32 length = (int32)fPattern.size();
	for (int32 i = 0; i < length;) {
		int32 size;
		uint32 c = _Decode(bytes + i, length - i, &size);
		fFolded.push_back(c < kInvalidBase ? FoldCase(c) : c);
		i += size;
	}
}


int32
TextSearch::MatchAt(const char* text, int32 length, int32 offset) const
{
	if (fPattern.empty() || text == NULL || offset < 0 || offset >= length)
		return -1;
	if (!fIgnoreCase) {
		if ((size_t)(length - offset) < fPattern.size()
			|| memcmp(text + offset, fPattern.data(), fPattern.size()) != 0)
			return -1;
		return (int32)fPattern.size();
	}

	const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
	int32 at = offset;
	for (uint32 wanted : fFolded) {
		if (at >= length)
			return -1;
		int32 size;
		uint32 c = _Decode(bytes + at, length - at, &size);
		if (c < kInvalidBase)
			c = FoldCase(c);
		if (c != wanted)
			return -1;
		at += size;
	}
	return at - offset;
}


int32
TextSearch::FindIn(const char* text, int32 length, int32 from, int32* matchLength) const
{
	if (matchLength != NULL)
		*matchLength = 0;
	if (fPattern.empty() || text == NULL || length <= 0)
		return -1;
	if (from < 0)
		from = 0;
	if (from >= length)
		return -1;

	if (!fIgnoreCase) {
		size_t found = std::string_view(text, length).find(fPattern, from);
		if (found == std::string_view::npos)
			return -1;
		if (matchLength != NULL)
			*matchLength = (int32)fPattern.size();
		return (int32)found;
	}

	// Only positions whose first character folds to the pattern's first are tried in
	// full. For a pattern that starts with an ASCII character the candidates are found
	// with memchr on both of its cases; other characters decode step by step.
	const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
	uint32 first = fFolded[0];
	// k and s also fold from the Kelvin sign and the long s, which memchr would miss.
	bool asciiStart = first < 0x80 && first != 'k' && first != 's';
	int32 at = from;
	if (asciiStart) {
		// The next position of each case is kept until the search passes it, also
		// from one call to the next on the same text, so a case that is rare is not
		// looked for again from every candidate (replacing all would be quadratic).
		int32 upperChar = first >= 'a' && first <= 'z' ? (int32)first - 0x20 : -1;
		if (fCacheText != text || fCacheLength != length) {
			fCacheText = text;
			fCacheLength = length;
			fNextLower = fNextUpper = -1;
			fLowerFrom = fUpperFrom = length;
		}
		while (at < length) {
			// Each position is the first one at or after where it was looked for.
			if (fNextLower < at || fLowerFrom > at) {
				const void* found = memchr(text + at, (int)first, length - at);
				fNextLower = found != NULL ? (int32)((const char*)found - text) : length;
				fLowerFrom = at;
			}
			if (upperChar < 0)
				fNextUpper = length;
			else if (fNextUpper < at || fUpperFrom > at) {
				const void* found = memchr(text + at, upperChar, length - at);
				fNextUpper = found != NULL ? (int32)((const char*)found - text) : length;
				fUpperFrom = at;
			}
			int32 nextLower = fNextLower;
			int32 nextUpper = fNextUpper;
			at = nextLower < nextUpper ? nextLower : nextUpper;
			if (at >= length)
				return -1;
			int32 matched = MatchAt(text, length, at);
			if (matched > 0) {
				if (matchLength != NULL)
					*matchLength = matched;
				return at;
			}
			at++;
		}
		return -1;
	}

	while (at < length) {
		int32 size;
		uint32 c = _Decode(bytes + at, length - at, &size);
		if (c < kInvalidBase)
			c = FoldCase(c);
		if (c == first) {
			int32 matched = MatchAt(text, length, at);
			if (matched > 0) {
				if (matchLength != NULL)
					*matchLength = matched;
				return at;
			}
		}
		at += size;
	}
	return -1;
}
