/*
 * EncodingTable: the 19 character sets documents are read and written in, and the
 * conversion between them and the editor's UTF-8.
 *
 * Each encoding has a fixed index, which is also the position of its item in the
 * Encoding menus of the open and save panels, in the wizard and on the user page of the
 * preferences. The menu label is also the value of the setting "encoding"; the charset
 * name is what a new document's meta tag declares; the item code is the `what` of the
 * menu item's message; the conversion constant is handed to convert_to_utf8 and
 * convert_from_utf8.
 *
 * The conversions take the whole text whatever its size: the output grows as needed, so
 * a character that takes more bytes in the target (one windows-1252 byte can become
 * three bytes of UTF-8, JIS needs escape sequences) never cuts the text short.
 *
 * The "UNICODE" row declares "utf-8", so it is read and written as UTF-8 (not as the
 * 16-bit Unicode R5's B_UNICODE_CONVERSION would write). Invalid UTF-8 sequences become
 * the substitute character 0x1A on the way in and on the way out.
 */
#ifndef ENCODING_TABLE_H
#define ENCODING_TABLE_H

#include <SupportDefs.h>

#include <string>


struct EncodingInfo {
	int32			index;
	const char*		label;
	uint32			code;
	const char*		charset;
	uint32			conversion;
};


class EncodingTable {
public:
	static	const int32			kCount = 19;
	// The index of the "UNICODE" row, which converts as UTF-8.
	static	const int32			kUnicodeIndex = 15;
	// What the converters put in place of a character they cannot represent.
	static	const char			kSubstitute = 0x1a;

	// The row of index, or NULL outside 0 to 18.
	static	const EncodingInfo*	At(int32 index);

	// Lookups; each returns the index, or -1 when nothing matches. Labels and charset
	// names compare exactly, byte for byte.
	static	int32				IndexOfLabel(const char* label);
	static	int32				IndexOfCode(uint32 code);
	static	int32				IndexOfCharset(const char* charset);

	// The label or charset name of index, or "" outside 0 to 18 (an unmarked menu).
	static	const char*			LabelAt(int32 index);
	static	const char*			CharsetAt(int32 index);

	// Converts length bytes of src in the encoding of index into UTF-8, appended to
	// *out. Characters the encoding does not define, and a character cut off at the end
	// of src, become kSubstitute; *substituted (when not NULL) receives how many. An
	// index outside 0 to 18 copies the bytes unconverted. Returns B_OK, B_BAD_VALUE for
	// a NULL src with a length or a NULL out, or B_NO_MEMORY (out is then unchanged).
	static	status_t			ToUTF8(int32 index, const char* src, int32 length,
									std::string* out, int32* substituted = NULL);

	// Converts length bytes of UTF-8 in src into the encoding of index, appended to
	// *out. Characters the encoding cannot represent become kSubstitute; *substituted
	// counts them. An index outside 0 to 18 copies the bytes unconverted. Results as
	// ToUTF8.
	static	status_t			FromUTF8(int32 index, const char* src, int32 length,
									std::string* out, int32* substituted = NULL);

	// The same conversions for callers that keep C buffers (the main window's
	// Konwertuj): a new NUL-terminated buffer the caller frees with delete[], and the
	// number of bytes produced (the terminator not counted) in *outLength. NULL, with
	// *outLength 0, when memory runs out.
	static	char*				NewUTF8Text(int32 index, const char* src, int32 length,
									int32* outLength);
	static	char*				NewEncodedText(int32 index, const char* src,
									int32 length, int32* outLength);

private:
	static	status_t			_Convert(bool toUTF8, int32 index, const char* src,
									int32 length, std::string* out,
									int32* substituted);
	static	void				_CopyUTF8(const char* src, int32 length,
									std::string* out, int32* substituted);
	static	char*				_NewBuffer(const std::string& text, int32* outLength);
};


#endif	// ENCODING_TABLE_H
