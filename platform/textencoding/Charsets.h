/*
 * The character sets behind the R5 conversion constants, and the per-character codecs
 * that the conversion calls are built from.
 */
#ifndef _TEXTENCODING_CHARSETS_H
#define _TEXTENCODING_CHARSETS_H

#include <SupportDefs.h>

namespace BPrivate {

enum CharsetKind {
	kSingleByteCharset,		// one byte per character, through a table
	kUCS2Charset,			// 16-bit big-endian units
	kShiftJISCharset,		// one or two bytes, through iconv
	kEUCJapaneseCharset,	// one to three bytes, through iconv
	kJISCharset				// ISO-2022-JP: escape sequences over the EUC codes
};

struct Charset {
	uint32			encoding;
	CharsetKind		kind;
	const char*		iconvName;
};

// The charset of an R5 constant, or null for an unknown one.
const Charset*	CharsetFor(uint32 encoding);

const uint32	kNoCodePoint = 0xffffffff;

// Single-byte charsets: byte to code point (kNoCodePoint when undefined) and back.
uint32			SingleByteToUnicode(const Charset& charset, uint8 byte);
// Returns false when the charset has no byte for the code point.
bool			UnicodeToSingleByte(const Charset& charset, uint32 codePoint, uint8* byte);

// Multibyte charsets through iconv: converts exactly one character. Decoding returns
// the code point or kNoCodePoint; encoding returns the byte count (at most 4) or 0.
uint32			MultiByteToUnicode(const Charset& charset, const uint8* bytes, int32 length);
int32			UnicodeToMultiByte(const Charset& charset, uint32 codePoint, uint8* bytes);

// UTF-8. Decoding gives the character's length, 0 for a sequence cut off at the end of
// the data, or -1 for an invalid byte (skip one byte).
int32			DecodeUTF8Character(const uint8* bytes, int64 available, uint32* codePoint);
// Writes the UTF-8 form of a code point (at most 4 bytes) and returns its length.
int32			EncodeUTF8Character(uint32 codePoint, uint8* bytes);

}	// namespace BPrivate

#endif	// _TEXTENCODING_CHARSETS_H
