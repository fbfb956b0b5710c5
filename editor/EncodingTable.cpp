#include "EncodingTable.h"

#include <UTF8.h>

#include <cstring>
#include <new>
#include <stdexcept>


static const EncodingInfo kEncodings[EncodingTable::kCount] = {
	{ 0, "ISO 8859-1", 'IS81', "iso8859-1", B_ISO1_CONVERSION },
	{ 1, "ISO 8859-2", 'IS82', "iso8859-2", B_ISO2_CONVERSION },
	{ 2, "ISO 8859-3", 'IS83', "iso8859-3", B_ISO3_CONVERSION },
	{ 3, "ISO 8859-4", 'IS84', "iso8859-4", B_ISO4_CONVERSION },
	{ 4, "ISO 8859-5", 'IS85', "iso8859-5", B_ISO5_CONVERSION },
	{ 5, "ISO 8859-6", 'IS86', "iso8859-6", B_ISO6_CONVERSION },
	{ 6, "ISO 8859-7", 'IS87', "iso8859-7", B_ISO7_CONVERSION },
	{ 7, "ISO 8859-8", 'IS88', "iso8859-8", B_ISO8_CONVERSION },
	{ 8, "ISO 8859-9", 'IS89', "iso8859-9", B_ISO9_CONVERSION },
	{ 9, "ISO 8859-10", 'IS80', "iso8859-10", B_ISO10_CONVERSION },
	{ 10, "Macintosh Roman", 'MAro', "MacRoman", B_MAC_ROMAN_CONVERSION },
	{ 11, "KOI8-R", 'KO8r', "koi8-r", B_KOI8R_CONVERSION },
	{ 12, "M$ 1251 Codepage", 'MS51', "windows-1251", B_MS_WINDOWS_1251_CONVERSION },
	{ 13, "M$ 1252 Codepage", 'MS52', "windows-1252", B_MS_WINDOWS_CONVERSION },
	{ 14, "M$ DOS 866 Codepage", 'MS66', "ibm866", B_MS_DOS_866_CONVERSION },
	{ 15, "UNICODE", 'UNic', "utf-8", B_UNICODE_CONVERSION },
	{ 16, "Japanese Industrial Standard", 'JIsc', "jis", B_JIS_CONVERSION },
	{ 17, "Shift-Japanese Industrial Standard", 'SJis', "shift_jis", B_SJIS_CONVERSION },
	{ 18, "Extended UNIX Code Japanese", 'EUce', "euc-jp", B_EUC_CONVERSION }
};

// Room the converters need to make progress with one more character: the longest
// UTF-8 character, or a JIS escape sequence with a two-byte character after it.
static const int32 kCharacterRoom = 16;


// The length of the valid UTF-8 character at text (at most length bytes), or 0 when
// the bytes there are not one (overlong forms and surrogates included).
static int32
ValidCharacterLength(const unsigned char* text, int32 length)
{
	unsigned char first = text[0];
	if (first < 0x80)
		return 1;
	int32 count;
	uint32 minimum;
	uint32 codePoint;
	if (first >= 0xc2 && first <= 0xdf) {
		count = 2;
		minimum = 0x80;
		codePoint = first & 0x1f;
	} else if (first >= 0xe0 && first <= 0xef) {
		count = 3;
		minimum = 0x800;
		codePoint = first & 0x0f;
	} else if (first >= 0xf0 && first <= 0xf4) {
		count = 4;
		minimum = 0x10000;
		codePoint = first & 0x07;
	} else
		return 0;
	if (count > length)
		return 0;
	for (int32 i = 1; i < count; i++) {
		if ((text[i] & 0xc0) != 0x80)
			return 0;
		codePoint = (codePoint << 6) | (text[i] & 0x3f);
	}
	if (codePoint < minimum || codePoint > 0x10ffff
		|| (codePoint >= 0xd800 && codePoint <= 0xdfff))
		return 0;
	return count;
}


const EncodingInfo*
EncodingTable::At(int32 index)
{
	if (index < 0 || index >= kCount)
		return NULL;
	return &kEncodings[index];
}


int32
EncodingTable::IndexOfLabel(const char* label)
{
	if (label == NULL)
		return -1;
	for (int32 i = 0; i < kCount; i++) {
		if (strcmp(kEncodings[i].label, label) == 0)
			return i;
	}
	return -1;
}


int32
EncodingTable::IndexOfCode(uint32 code)
{
	for (int32 i = 0; i < kCount; i++) {
		if (kEncodings[i].code == code)
			return i;
	}
	return -1;
}


int32
EncodingTable::IndexOfCharset(const char* charset)
{
	if (charset == NULL)
		return -1;
	for (int32 i = 0; i < kCount; i++) {
		if (strcmp(kEncodings[i].charset, charset) == 0)
			return i;
	}
	return -1;
}


const char*
EncodingTable::LabelAt(int32 index)
{
	const EncodingInfo* info = At(index);
	return info != NULL ? info->label : "";
}


const char*
EncodingTable::CharsetAt(int32 index)
{
	const EncodingInfo* info = At(index);
	return info != NULL ? info->charset : "";
}


status_t
EncodingTable::ToUTF8(int32 index, const char* src, int32 length, std::string* out,
	int32* substituted)
{
	return _Convert(true, index, src, length, out, substituted);
}


status_t
EncodingTable::FromUTF8(int32 index, const char* src, int32 length, std::string* out,
	int32* substituted)
{
	return _Convert(false, index, src, length, out, substituted);
}


char*
EncodingTable::NewUTF8Text(int32 index, const char* src, int32 length, int32* outLength)
{
	std::string text;
	if (ToUTF8(index, src, length, &text) != B_OK) {
		if (outLength != NULL)
			*outLength = 0;
		return NULL;
	}
	return _NewBuffer(text, outLength);
}


char*
EncodingTable::NewEncodedText(int32 index, const char* src, int32 length,
	int32* outLength)
{
	std::string text;
	if (FromUTF8(index, src, length, &text) != B_OK) {
		if (outLength != NULL)
			*outLength = 0;
		return NULL;
	}
	return _NewBuffer(text, outLength);
}


status_t
EncodingTable::_Convert(bool toUTF8, int32 index, const char* src, int32 length,
	std::string* out, int32* substituted)
{
	if (substituted != NULL)
		*substituted = 0;
	if (out == NULL || length < 0 || (src == NULL && length > 0))
		return B_BAD_VALUE;
	if (length == 0)
		return B_OK;

	size_t start = out->size();
	try {
		if (index == kUnicodeIndex) {
			_CopyUTF8(src, length, out, substituted);
			return B_OK;
		}
		const EncodingInfo* info = At(index);
		if (info == NULL) {
			out->append(src, length);
			return B_OK;
		}

		// Most text grows by less than this; the loop below grows it further when a
		// script or escape sequences need more.
		size_t capacity = (size_t)length + (size_t)length / 2 + kCharacterRoom;
		out->resize(start + capacity);
		size_t produced = 0;
		int32 consumed = 0;
		int32 state = 0;
		while (consumed < length) {
			size_t room = out->size() - start - produced;
			if (room < (size_t)kCharacterRoom) {
				out->resize(start + (out->size() - start) * 2);
				continue;
			}
			int32 srcLength = length - consumed;
			int32 dstLength = room > (size_t)INT32_MAX ? INT32_MAX : (int32)room;
			status_t status = toUTF8
				? convert_to_utf8(info->conversion, src + consumed, &srcLength,
					&(*out)[start + produced], &dstLength, &state, kSubstitute)
				: convert_from_utf8(info->conversion, src + consumed, &srcLength,
					&(*out)[start + produced], &dstLength, &state, kSubstitute);
			if (status != B_OK) {
				out->resize(start);
				return status;
			}
			consumed += srcLength;
			produced += dstLength;
			if (srcLength == 0) {
				// There was room for any character, so what is left is one cut off at
				// the end of the text: each of its bytes is substituted.
				int32 rest = length - consumed;
				out->replace(start + produced, rest, rest, kSubstitute);
				produced += rest;
				break;
			}
		}
		out->resize(start + produced);
	} catch (const std::bad_alloc&) {
		out->resize(start);
		return B_NO_MEMORY;
	} catch (const std::length_error&) {
		out->resize(start);
		return B_NO_MEMORY;
	}

	if (substituted != NULL && index != kUnicodeIndex) {
		// The converters do not say how often they substituted; a substitute in the
		// output that the input did not hold already was made by them.
		int32 before = 0;
		for (int32 i = 0; i < length; i++) {
			if (src[i] == kSubstitute)
				before++;
		}
		int32 after = 0;
		for (size_t i = start; i < out->size(); i++) {
			if ((*out)[i] == kSubstitute)
				after++;
		}
		*substituted = after > before ? after - before : 0;
	}
	return B_OK;
}


void
EncodingTable::_CopyUTF8(const char* src, int32 length, std::string* out,
	int32* substituted)
{
	const unsigned char* text = reinterpret_cast<const unsigned char*>(src);
	out->reserve(out->size() + length);
	int32 i = 0;
	while (i < length) {
		int32 run = i;
		while (run < length && text[run] < 0x80)
			run++;
		if (run > i) {
			out->append(src + i, run - i);
			i = run;
			continue;
		}
		int32 count = ValidCharacterLength(text + i, length - i);
		if (count == 0) {
			out->push_back(kSubstitute);
			if (substituted != NULL)
				(*substituted)++;
			i++;
		} else {
			out->append(src + i, count);
			i += count;
		}
	}
}


char*
EncodingTable::_NewBuffer(const std::string& text, int32* outLength)
{
	char* buffer = new(std::nothrow) char[text.size() + 1];
	if (buffer == NULL) {
		if (outLength != NULL)
			*outLength = 0;
		return NULL;
	}
	memcpy(buffer, text.data(), text.size());
	buffer[text.size()] = '\0';
	if (outLength != NULL)
		*outLength = (int32)text.size();
	return buffer;
}
