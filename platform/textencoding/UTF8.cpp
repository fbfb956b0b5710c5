/*
 * convert_to_utf8 and convert_from_utf8: one character at a time, so that a character
 * is either converted whole or left for the next call.
 */

#include <UTF8.h>

#include "textencoding/Charsets.h"

#include <cstring>

using namespace BPrivate;

namespace {

// The shift states of ISO-2022-JP, as kept in *state.
enum JISMode {
	kJISASCII = 0,
	kJISX0208 = 1,
	kJISRoman = 2,
	kJISKatakana = 3
};

const uint8 kEscape = 0x1b;


// What reading one source character gave.
enum ReadResult {
	kReadCharacter,		// a code point
	kReadInvalid,		// invalid bytes: write the substitute
	kReadShift,			// an escape sequence: nothing to write
	kReadTruncated		// cut off at the end: stop here
};


// Recognises an ISO-2022-JP escape sequence at bytes. Returns its length and sets
// *mode, returns 0 when the data ends inside a possible sequence, -1 when it is none.
int32
ReadJISEscape(const uint8* bytes, int64 available, int32* mode)
{
	static const struct {
		const char*	sequence;
		int32		mode;
	} kSequences[] = {
		{ "\x1b(B", kJISASCII },
		{ "\x1b(J", kJISRoman },
		{ "\x1b(I", kJISKatakana },
		{ "\x1b$@", kJISX0208 },
		{ "\x1b$B", kJISX0208 },
		// The 1990 revision marker; it only precedes ESC $ B.
		{ "\x1b&@", -1 }
	};
	bool partial = false;
	for (const auto& entry : kSequences) {
		int32 length = (int32)strlen(entry.sequence);
		int32 compared = available < length ? (int32)available : length;
		if (memcmp(bytes, entry.sequence, compared) != 0)
			continue;
		if (compared < length) {
			partial = true;
			continue;
		}
		if (entry.mode >= 0)
			*mode = entry.mode;
		return length;
	}
	return partial ? 0 : -1;
}


ReadResult
ReadJIS(const Charset& charset, const uint8* bytes, int64 available, int32* mode,
	uint32* codePoint, int32* consumed)
{
	uint8 byte = bytes[0];
	*consumed = 1;
	if (byte == kEscape) {
		int32 length = ReadJISEscape(bytes, available, mode);
		if (length == 0)
			return kReadTruncated;
		if (length > 0) {
			*consumed = length;
			return kReadShift;
		}
		return kReadInvalid;
	}
	if (byte >= 0x80)
		return kReadInvalid;
	// Controls and space mean the same in every mode.
	if (byte <= 0x20 || byte == 0x7f) {
		*codePoint = byte;
		return kReadCharacter;
	}

	switch (*mode) {
		case kJISRoman:
			*codePoint = byte == 0x5c ? 0xa5 : byte == 0x7e ? 0x203e : byte;
			return kReadCharacter;
		case kJISKatakana:
			if (byte > 0x5f)
				return kReadInvalid;
			*codePoint = 0xff61 + (byte - 0x21);
			return kReadCharacter;
		case kJISX0208:
		{
			if (available < 2)
				return kReadTruncated;
			uint8 second = bytes[1];
			if (second < 0x21 || second > 0x7e)
				return kReadInvalid;
			uint8 euc[2] = { (uint8)(byte | 0x80), (uint8)(second | 0x80) };
			*codePoint = MultiByteToUnicode(charset, euc, 2);
			if (*codePoint == kNoCodePoint)
				return kReadInvalid;
			*consumed = 2;
			return kReadCharacter;
		}
		default:
			*codePoint = byte;
			return kReadCharacter;
	}
}


// The length of the multibyte character that starts with lead, or 0 for a byte that
// cannot start one.
int32
MultiByteLength(const Charset& charset, uint8 lead)
{
	if (lead < 0x80)
		return 1;
	if (charset.kind == kShiftJISCharset) {
		if (lead >= 0xa1 && lead <= 0xdf)
			return 1;
		if ((lead >= 0x81 && lead <= 0x9f) || (lead >= 0xe0 && lead <= 0xfc))
			return 2;
		return 0;
	}
	if (lead == 0x8e)
		return 2;
	if (lead == 0x8f)
		return 3;
	if (lead >= 0xa1 && lead <= 0xfe)
		return 2;
	return 0;
}


ReadResult
ReadUCS2(const uint8* bytes, int64 available, uint32* codePoint, int32* consumed)
{
	*consumed = 2;
	if (available < 2)
		return kReadTruncated;
	uint32 unit = ((uint32)bytes[0] << 8) | bytes[1];
	if (unit >= 0xdc00 && unit <= 0xdfff)
		return kReadInvalid;
	if (unit >= 0xd800 && unit <= 0xdbff) {
		if (available < 4)
			return kReadTruncated;
		uint32 low = ((uint32)bytes[2] << 8) | bytes[3];
		if (low < 0xdc00 || low > 0xdfff)
			return kReadInvalid;
		*codePoint = 0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00);
		*consumed = 4;
		return kReadCharacter;
	}
	*codePoint = unit;
	return kReadCharacter;
}


ReadResult
ReadCharacter(const Charset& charset, const uint8* bytes, int64 available, int32* mode,
	uint32* codePoint, int32* consumed)
{
	*consumed = 1;
	switch (charset.kind) {
		case kSingleByteCharset:
			*codePoint = SingleByteToUnicode(charset, bytes[0]);
			return *codePoint == kNoCodePoint ? kReadInvalid : kReadCharacter;
		case kUCS2Charset:
			return ReadUCS2(bytes, available, codePoint, consumed);
		case kJISCharset:
			return ReadJIS(charset, bytes, available, mode, codePoint, consumed);
		case kShiftJISCharset:
		case kEUCJapaneseCharset:
		{
			int32 length = MultiByteLength(charset, bytes[0]);
			if (length == 0)
				return kReadInvalid;
			if (length == 1 && bytes[0] < 0x80) {
				*codePoint = bytes[0];
				return kReadCharacter;
			}
			if (length > available)
				return kReadTruncated;
			*codePoint = MultiByteToUnicode(charset, bytes, length);
			if (*codePoint == kNoCodePoint)
				return kReadInvalid;
			*consumed = length;
			return kReadCharacter;
		}
	}
	return kReadInvalid;
}


// Encodes one code point for a charset other than JIS; returns the byte count, or 0
// when the charset has no such character.
int32
WriteCharacter(const Charset& charset, uint32 codePoint, uint8* bytes)
{
	switch (charset.kind) {
		case kSingleByteCharset:
			return UnicodeToSingleByte(charset, codePoint, bytes) ? 1 : 0;
		case kUCS2Charset:
			if (codePoint > 0xffff)
				return 0;
			bytes[0] = (uint8)(codePoint >> 8);
			bytes[1] = (uint8)codePoint;
			return 2;
		case kShiftJISCharset:
		case kEUCJapaneseCharset:
			if (codePoint < 0x80) {
				bytes[0] = (uint8)codePoint;
				return 1;
			}
			return UnicodeToMultiByte(charset, codePoint, bytes);
		case kJISCharset:
			break;
	}
	return 0;
}


// Encodes one code point for ISO-2022-JP: the bytes to write and the mode they need.
// Returns the byte count, or 0 when there is no such character.
int32
WriteJISCharacter(const Charset& charset, uint32 codePoint, uint8* bytes, int32* mode)
{
	if (codePoint < 0x80) {
		if (codePoint == kEscape)
			return 0;
		bytes[0] = (uint8)codePoint;
		*mode = kJISASCII;
		return 1;
	}
	if (codePoint >= 0xff61 && codePoint <= 0xff9f) {
		bytes[0] = (uint8)(codePoint - 0xff61 + 0x21);
		*mode = kJISKatakana;
		return 1;
	}
	uint8 euc[4];
	int32 length = UnicodeToMultiByte(charset, codePoint, euc);
	if (length != 2 || euc[0] < 0xa1 || euc[0] > 0xfe || euc[1] < 0xa1 || euc[1] > 0xfe)
		return 0;
	bytes[0] = euc[0] & 0x7f;
	bytes[1] = euc[1] & 0x7f;
	*mode = kJISX0208;
	return 2;
}


const char*
JISEscapeFor(int32 mode)
{
	switch (mode) {
		case kJISX0208:
			return "\x1b$B";
		case kJISRoman:
			return "\x1b(J";
		case kJISKatakana:
			return "\x1b(I";
		default:
			return "\x1b(B";
	}
}


bool
ArgumentsValid(const char* src, const int32* srcLen, const char* dst, const int32* dstLen,
	const int32* state)
{
	return src != nullptr && srcLen != nullptr && dst != nullptr && dstLen != nullptr
		&& state != nullptr && *srcLen >= 0 && *dstLen >= 0;
}


status_t
ConvertFromUTF8ToJIS(const Charset& charset, const uint8* source, int64 sourceLength,
	uint8* target, int64 targetLength, int32* state, char substitute, int32* consumedOut,
	int32* producedOut)
{
	int32 mode = *state >= kJISASCII && *state <= kJISKatakana ? *state : kJISASCII;
	int64 consumed = 0;
	int64 produced = 0;
	while (consumed < sourceLength) {
		uint32 codePoint;
		int32 length = DecodeUTF8Character(source + consumed, sourceLength - consumed, &codePoint);
		if (length == 0)
			break;

		uint8 bytes[4];
		int32 characterMode = kJISASCII;
		int32 count = length < 0 ? 0
			: WriteJISCharacter(charset, codePoint, bytes, &characterMode);
		if (count == 0) {
			bytes[0] = (uint8)substitute;
			count = 1;
			characterMode = kJISASCII;
		}

		// Room for a shift, the character, and the way back to ASCII at the end.
		int64 needed = count + (characterMode != mode ? 3 : 0)
			+ (characterMode != kJISASCII ? 3 : 0);
		if (produced + needed > targetLength)
			break;
		if (characterMode != mode) {
			memcpy(target + produced, JISEscapeFor(characterMode), 3);
			produced += 3;
			mode = characterMode;
		}
		memcpy(target + produced, bytes, count);
		produced += count;
		consumed += length < 0 ? 1 : length;
	}
	if (mode != kJISASCII) {
		memcpy(target + produced, JISEscapeFor(kJISASCII), 3);
		produced += 3;
	}
	*state = kJISASCII;
	*consumedOut = (int32)consumed;
	*producedOut = (int32)produced;
	return B_OK;
}

}	// unnamed namespace


status_t
convert_to_utf8(uint32 srcEncoding, const char* src, int32* srcLen, char* dst,
	int32* dstLen, int32* state, char substitute)
{
	if (!ArgumentsValid(src, srcLen, dst, dstLen, state))
		return B_BAD_VALUE;
	const Charset* charset = CharsetFor(srcEncoding);
	if (charset == nullptr)
		return B_ERROR;

	const uint8* source = reinterpret_cast<const uint8*>(src);
	uint8* target = reinterpret_cast<uint8*>(dst);
	int64 sourceLength = *srcLen;
	int64 targetLength = *dstLen;
	int32 mode = *state;
	if (charset->kind == kJISCharset && (mode < kJISASCII || mode > kJISKatakana))
		mode = kJISASCII;

	int64 consumed = 0;
	int64 produced = 0;
	while (consumed < sourceLength) {
		uint32 codePoint = 0;
		int32 length = 1;
		int32 newMode = mode;
		ReadResult result = ReadCharacter(*charset, source + consumed,
			sourceLength - consumed, &newMode, &codePoint, &length);
		if (result == kReadTruncated)
			break;

		uint8 bytes[4];
		int32 count = 0;
		if (result == kReadCharacter)
			count = EncodeUTF8Character(codePoint, bytes);
		else if (result == kReadInvalid) {
			bytes[0] = (uint8)substitute;
			count = 1;
			if (charset->kind == kUCS2Charset)
				length = 2;
			else
				length = 1;
		}
		if (produced + count > targetLength)
			break;
		memcpy(target + produced, bytes, count);
		produced += count;
		consumed += length;
		mode = newMode;
	}

	if (charset->kind == kJISCharset)
		*state = mode;
	*srcLen = (int32)consumed;
	*dstLen = (int32)produced;
	return B_OK;
}


status_t
convert_from_utf8(uint32 dstEncoding, const char* src, int32* srcLen, char* dst,
	int32* dstLen, int32* state, char substitute)
{
	if (!ArgumentsValid(src, srcLen, dst, dstLen, state))
		return B_BAD_VALUE;
	const Charset* charset = CharsetFor(dstEncoding);
	if (charset == nullptr)
		return B_ERROR;

	const uint8* source = reinterpret_cast<const uint8*>(src);
	uint8* target = reinterpret_cast<uint8*>(dst);
	if (charset->kind == kJISCharset) {
		return ConvertFromUTF8ToJIS(*charset, source, *srcLen, target, *dstLen, state,
			substitute, srcLen, dstLen);
	}

	int64 sourceLength = *srcLen;
	int64 targetLength = *dstLen;
	int64 consumed = 0;
	int64 produced = 0;
	while (consumed < sourceLength) {
		uint32 codePoint;
		int32 length = DecodeUTF8Character(source + consumed, sourceLength - consumed, &codePoint);
		if (length == 0)
			break;

		uint8 bytes[4];
		int32 count = length < 0 ? 0 : WriteCharacter(*charset, codePoint, bytes);
		if (count == 0) {
			// In 16-bit Unicode the substitute is a whole unit.
			if (charset->kind == kUCS2Charset) {
				bytes[0] = 0;
				bytes[1] = (uint8)substitute;
				count = 2;
			} else {
				bytes[0] = (uint8)substitute;
				count = 1;
			}
		}
		if (produced + count > targetLength)
			break;
		memcpy(target + produced, bytes, count);
		produced += count;
		consumed += length < 0 ? 1 : length;
	}

	*srcLen = (int32)consumed;
	*dstLen = (int32)produced;
	return B_OK;
}
