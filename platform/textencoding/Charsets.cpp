/*
 * Character set tables and codecs. Single-byte charsets are turned into tables once,
 * from iconv; multibyte ones go through iconv one character at a time.
 */

#include "textencoding/Charsets.h"

#include <UTF8.h>

#include <cstring>
#include <iconv.h>
#include <mutex>
#include <unordered_map>

namespace BPrivate {

namespace {

const int32 kCharsetCount = 19;

const Charset kCharsets[kCharsetCount] = {
	{ B_ISO1_CONVERSION, kSingleByteCharset, "ISO-8859-1" },
	{ B_ISO2_CONVERSION, kSingleByteCharset, "ISO-8859-2" },
	{ B_ISO3_CONVERSION, kSingleByteCharset, "ISO-8859-3" },
	{ B_ISO4_CONVERSION, kSingleByteCharset, "ISO-8859-4" },
	{ B_ISO5_CONVERSION, kSingleByteCharset, "ISO-8859-5" },
	{ B_ISO6_CONVERSION, kSingleByteCharset, "ISO-8859-6" },
	{ B_ISO7_CONVERSION, kSingleByteCharset, "ISO-8859-7" },
	{ B_ISO8_CONVERSION, kSingleByteCharset, "ISO-8859-8" },
	{ B_ISO9_CONVERSION, kSingleByteCharset, "ISO-8859-9" },
	{ B_ISO10_CONVERSION, kSingleByteCharset, "ISO-8859-10" },
	{ B_MAC_ROMAN_CONVERSION, kSingleByteCharset, "MACINTOSH" },
	{ B_SJIS_CONVERSION, kShiftJISCharset, "CP932" },
	{ B_EUC_CONVERSION, kEUCJapaneseCharset, "EUC-JP" },
	{ B_JIS_CONVERSION, kJISCharset, "EUC-JP" },
	{ B_MS_WINDOWS_CONVERSION, kSingleByteCharset, "CP1252" },
	{ B_UNICODE_CONVERSION, kUCS2Charset, nullptr },
	{ B_KOI8R_CONVERSION, kSingleByteCharset, "KOI8-R" },
	{ B_MS_WINDOWS_1251_CONVERSION, kSingleByteCharset, "CP1251" },
	{ B_MS_DOS_866_CONVERSION, kSingleByteCharset, "CP866" }
};

const iconv_t kNoDescriptor = (iconv_t)-1;


struct SingleByteTable {
	uint32								toUnicode[256];
	std::unordered_map<uint32, uint8>	fromUnicode;
};

SingleByteTable sTables[kCharsetCount];
std::once_flag sTableOnce[kCharsetCount];


uint32
ReadUCS4LE(const char* bytes)
{
	const uint8* b = reinterpret_cast<const uint8*>(bytes);
	return (uint32)b[0] | ((uint32)b[1] << 8) | ((uint32)b[2] << 16) | ((uint32)b[3] << 24);
}


std::mutex& OpenLock();


void
BuildTable(const Charset& charset, SingleByteTable& table)
{
	std::lock_guard<std::mutex> openLock(OpenLock());
	iconv_t decoder = iconv_open("UCS-4LE", charset.iconvName);
	for (int byte = 0; byte < 256; byte++) {
		table.toUnicode[byte] = byte < 0x80 ? (uint32)byte : kNoCodePoint;
		if (decoder == kNoDescriptor)
			continue;
		iconv(decoder, nullptr, nullptr, nullptr, nullptr);
		char in = (char)byte;
		char out[8];
		char* inPointer = &in;
		char* outPointer = out;
		size_t inLeft = 1;
		size_t outLeft = sizeof(out);
		size_t result = iconv(decoder, &inPointer, &inLeft, &outPointer, &outLeft);
		if (result != (size_t)-1 && inLeft == 0 && outPointer - out == 4)
			table.toUnicode[byte] = ReadUCS4LE(out);
		else if (byte < 0x80)
			table.toUnicode[byte] = kNoCodePoint;
	}
	if (decoder != kNoDescriptor)
		iconv_close(decoder);

	for (int byte = 0; byte < 256; byte++) {
		if (table.toUnicode[byte] != kNoCodePoint)
			table.fromUnicode.emplace(table.toUnicode[byte], (uint8)byte);
	}
}


const SingleByteTable&
TableFor(const Charset& charset)
{
	int32 index = (int32)charset.encoding;
	std::call_once(sTableOnce[index], [&charset, index] {
		BuildTable(charset, sTables[index]);
	});
	return sTables[index];
}


// One iconv descriptor per charset and direction for the whole process, used under its
// own lock (a descriptor carries state and must not serve two threads at once). They are
// opened under one common lock and never closed: opening and closing load and unload
// iconv's modules, which must not overlap between threads.
struct SharedDescriptor {
	std::mutex	lock;
	iconv_t		descriptor = kNoDescriptor;
	bool		tried = false;
};

SharedDescriptor sDecoders[kCharsetCount];
SharedDescriptor sEncoders[kCharsetCount];


std::mutex&
OpenLock()
{
	static std::mutex sLock;
	return sLock;
}


// Returns the descriptor of a slot whose lock the caller holds.
iconv_t
DescriptorLocked(SharedDescriptor& slot, const Charset& charset, bool encode)
{
	if (!slot.tried) {
		slot.tried = true;
		std::lock_guard<std::mutex> openLock(OpenLock());
		slot.descriptor = encode ? iconv_open(charset.iconvName, "UCS-4LE")
			: iconv_open("UCS-4LE", charset.iconvName);
	}
	return slot.descriptor;
}

}	// unnamed namespace


const Charset*
CharsetFor(uint32 encoding)
{
	if (encoding >= (uint32)kCharsetCount)
		return nullptr;
	return &kCharsets[encoding];
}


uint32
SingleByteToUnicode(const Charset& charset, uint8 byte)
{
	return TableFor(charset).toUnicode[byte];
}


bool
UnicodeToSingleByte(const Charset& charset, uint32 codePoint, uint8* byte)
{
	const SingleByteTable& table = TableFor(charset);
	std::unordered_map<uint32, uint8>::const_iterator found
		= table.fromUnicode.find(codePoint);
	if (found == table.fromUnicode.end())
		return false;
	*byte = found->second;
	return true;
}


uint32
MultiByteToUnicode(const Charset& charset, const uint8* bytes, int32 length)
{
	SharedDescriptor& slot = sDecoders[charset.encoding];
	std::lock_guard<std::mutex> lock(slot.lock);
	iconv_t decoder = DescriptorLocked(slot, charset, false);
	if (decoder == kNoDescriptor || length <= 0)
		return kNoCodePoint;
	iconv(decoder, nullptr, nullptr, nullptr, nullptr);

	char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
	size_t inLeft = length;
	char out[16];
	char* outPointer = out;
	size_t outLeft = sizeof(out);
	size_t result = iconv(decoder, &in, &inLeft, &outPointer, &outLeft);
	if (result == (size_t)-1 || inLeft != 0 || outPointer - out != 4)
		return kNoCodePoint;
	return ReadUCS4LE(out);
}


int32
UnicodeToMultiByte(const Charset& charset, uint32 codePoint, uint8* bytes)
{
	SharedDescriptor& slot = sEncoders[charset.encoding];
	std::lock_guard<std::mutex> lock(slot.lock);
	iconv_t encoder = DescriptorLocked(slot, charset, true);
	if (encoder == kNoDescriptor)
		return 0;
	iconv(encoder, nullptr, nullptr, nullptr, nullptr);

	char in[4] = { (char)(codePoint & 0xff), (char)((codePoint >> 8) & 0xff),
		(char)((codePoint >> 16) & 0xff), (char)(codePoint >> 24) };
	char* inPointer = in;
	size_t inLeft = sizeof(in);
	char out[8];
	char* outPointer = out;
	size_t outLeft = sizeof(out);
	size_t result = iconv(encoder, &inPointer, &inLeft, &outPointer, &outLeft);
	int32 length = (int32)(outPointer - out);
	if (result == (size_t)-1 || inLeft != 0 || length <= 0 || length > 4)
		return 0;
	memcpy(bytes, out, length);
	return length;
}


int32
DecodeUTF8Character(const uint8* bytes, int64 available, uint32* codePoint)
{
	uint8 lead = bytes[0];
	int32 length;
	uint32 value;
	uint32 minimum;
	if (lead < 0x80) {
		*codePoint = lead;
		return 1;
	} else if (lead >= 0xc2 && lead <= 0xdf) {
		length = 2;
		value = lead & 0x1f;
		minimum = 0x80;
	} else if (lead >= 0xe0 && lead <= 0xef) {
		length = 3;
		value = lead & 0x0f;
		minimum = 0x800;
	} else if (lead >= 0xf0 && lead <= 0xf4) {
		length = 4;
		value = lead & 0x07;
		minimum = 0x10000;
	} else
		return -1;

	for (int32 i = 1; i < length; i++) {
		if (i >= available)
			return 0;
		if ((bytes[i] & 0xc0) != 0x80)
			return -1;
		value = (value << 6) | (bytes[i] & 0x3f);
		// Reject overlong forms, surrogates and values past U+10FFFF as soon as the
		// second byte shows them, so that a cut-off sequence is not taken for the
		// start of a valid one.
		if (i == 1) {
			uint32 shifted = value << (6 * (length - 2));
			uint32 top = shifted | ((1u << (6 * (length - 2))) - 1);
			if (top < minimum || shifted > 0x10ffff
				|| (length == 3 && shifted >= 0xd800 && shifted <= 0xdfff))
				return -1;
		}
	}
	*codePoint = value;
	return length;
}


int32
EncodeUTF8Character(uint32 codePoint, uint8* bytes)
{
	if (codePoint < 0x80) {
		bytes[0] = (uint8)codePoint;
		return 1;
	}
	if (codePoint < 0x800) {
		bytes[0] = 0xc0 | (codePoint >> 6);
		bytes[1] = 0x80 | (codePoint & 0x3f);
		return 2;
	}
	if (codePoint < 0x10000) {
		bytes[0] = 0xe0 | (codePoint >> 12);
		bytes[1] = 0x80 | ((codePoint >> 6) & 0x3f);
		bytes[2] = 0x80 | (codePoint & 0x3f);
		return 3;
	}
	bytes[0] = 0xf0 | (codePoint >> 18);
	bytes[1] = 0x80 | ((codePoint >> 12) & 0x3f);
	bytes[2] = 0x80 | ((codePoint >> 6) & 0x3f);
	bytes[3] = 0x80 | (codePoint & 0x3f);
	return 4;
}

}	// namespace BPrivate
