/*
 * Conversion between UTF-8 and the character sets of BeOS R5, by their R5 constants.
 *
 * Both calls convert as much of src as fits into dst. On return *srcLen is the number
 * of source bytes consumed and *dstLen the number of bytes written; a call never writes
 * more than *dstLen bytes. A character that the target cannot represent, and every
 * invalid input byte, becomes `substitute` (for B_UNICODE_CONVERSION output, the 16-bit
 * unit of that value). A multibyte character cut off at the end of src is left
 * unconsumed, so the caller can hand it in again with more bytes.
 *
 * *state carries the shift state of B_JIS_CONVERSION (ISO-2022-JP) from one call to
 * the next; start with 0. convert_from_utf8 to JIS ends every call back in ASCII (it
 * keeps room for the escape sequence), so each call's output is complete on its own.
 *
 * B_UNICODE_CONVERSION is 16-bit big-endian Unicode (UCS-2) as in R5; reading it also
 * accepts surrogate pairs. B_SJIS_CONVERSION is read and written as Windows code page
 * 932, which keeps 0x5C and 0x7E as backslash and tilde, as HTML needs.
 *
 * The calls return B_OK, B_BAD_VALUE for null pointers or negative lengths, and
 * B_ERROR for an unknown encoding.
 */
#ifndef _UTF8_H
#define _UTF8_H

#include <SupportDefs.h>

enum {
	B_ISO1_CONVERSION				= 0,
	B_ISO2_CONVERSION				= 1,
	B_ISO3_CONVERSION				= 2,
	B_ISO4_CONVERSION				= 3,
	B_ISO5_CONVERSION				= 4,
	B_ISO6_CONVERSION				= 5,
	B_ISO7_CONVERSION				= 6,
	B_ISO8_CONVERSION				= 7,
	B_ISO9_CONVERSION				= 8,
	B_ISO10_CONVERSION				= 9,
	B_MAC_ROMAN_CONVERSION			= 10,
	B_SJIS_CONVERSION				= 11,
	B_EUC_CONVERSION				= 12,
	B_JIS_CONVERSION				= 13,
	B_MS_WINDOWS_CONVERSION			= 14,
	B_UNICODE_CONVERSION			= 15,
	B_KOI8R_CONVERSION				= 16,
	B_MS_WINDOWS_1251_CONVERSION	= 17,
	B_MS_DOS_866_CONVERSION			= 18
};

#define B_SUBSTITUTE	0x1a

status_t	convert_to_utf8(uint32 srcEncoding, const char* src, int32* srcLen, char* dst,
				int32* dstLen, int32* state, char substitute = B_SUBSTITUTE);
status_t	convert_from_utf8(uint32 dstEncoding, const char* src, int32* srcLen,
				char* dst, int32* dstLen, int32* state, char substitute = B_SUBSTITUTE);

#endif	// _UTF8_H
