/*
 * The private side of BFont: faces found through fontconfig, opened with FreeType, and a
 * cache of rendered glyphs. Everything here is thread-safe; FreeType itself is only ever
 * called with the engine's lock held.
 */
#ifndef _PRIVATE_FONT_ENGINE_H
#define _PRIVATE_FONT_ENGINE_H

#include <Font.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace BPrivate {

// One rendered glyph: coverage values 0 (empty) to 255 (full), width by height, placed
// with its top-left pixel at (pen x + left, baseline y - top).
struct Glyph {
	int32				left;
	int32				top;
	int32				width;
	int32				height;
	float				advance;
	std::vector<uint8>	coverage;
};

typedef std::shared_ptr<const Glyph> GlyphRef;

struct FontFamilyInfo {
	std::string					name;
	std::vector<std::string>	styles;
	std::vector<uint16>			faces;
	bool						fixed = false;
};

// Decodes one UTF-8 character at text[*index] (not beyond length), advances *index and
// returns the code point; malformed or truncated sequences give U+FFFD and advance by one
// byte.
uint32 DecodeUTF8(const char* text, int32 length, int32* index);

// Calls draw for every glyph of the text with the pen position (x relative to the start)
// where it goes, adding the escapement deltas; returns the total advance.
float LayoutText(const BFont& font, const char* text, int32 length,
	const escapement_delta* delta,
	const std::function<void(const Glyph& glyph, float penX)>& draw);

float TextWidth(const BFont& font, const char* text, int32 length);
void FontHeight(const BFont& font, font_height* height);
// Whether the resolved face is monospaced.
bool FontIsFixed(const BFont& font);

// The installed families and their styles, sorted by name.
const std::vector<FontFamilyInfo>& FontFamilies();
// Checks whether a family is installed (exact, case-insensitive name).
bool FontFamilyExists(const char* family);

}	// namespace BPrivate

#endif	// _PRIVATE_FONT_ENGINE_H
