/*
 * The private side of BFont: faces found through fontconfig, opened with FreeType, and
 * strikes of rendered glyphs. Everything here is thread-safe; FreeType itself is only
 * ever called with the engine's lock held.
 *
 * Drawing and measuring text go through a FontStrike: one face at one size, with or
 * without antialiasing. A glyph once rendered stays in its strike for the strike's
 * life and is found again without taking any lock; only a glyph seen for the first time
 * takes the engine's lock. Each thread remembers the strikes of the last fonts it used,
 * so that going from a BFont to its strike takes no lock either.
 */
#ifndef _PRIVATE_FONT_ENGINE_H
#define _PRIVATE_FONT_ENGINE_H

#include <Font.h>

#include <atomic>
#include <cmath>
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

struct FontFamilyInfo {
	std::string					name;
	std::vector<std::string>	styles;
	std::vector<uint16>			faces;
	bool						fixed = false;
};

struct Face;
class FontStrike;

typedef std::shared_ptr<FontStrike> StrikeRef;

// One face at one size with or without antialiasing. Glyph references stay valid as
// long as the strike lives; holders keep it alive through a StrikeRef.
class FontStrike {
public:
								FontStrike(Face* face, uint32 size26, bool antialiased);
								~FontStrike();

	// The glyph of a code point (the face's replacement glyph for one it lacks).
	inline	const Glyph&		GlyphFor(uint32 codePoint);

			float				Ascent() const { return fAscent; }
			float				Descent() const { return fDescent; }
			float				Leading() const { return fLeading; }
			bool				IsFixed() const;
			bool				IsAntialiased() const { return fAntialiased; }
			uint32				Size26() const { return fSize26; }

	// Bytes of coverage and glyph records held.
			size_t				MemoryUsed() const
									{ return fBytes.load(std::memory_order_relaxed); }

private:
	// Code points past ASCII, in an open-addressing table that only grows. Keys are
	// published after their glyphs, so a reader that sees a key sees its glyph.
	struct Table {
		explicit				Table(uint32 capacity);

		uint32					capacity;
		uint32					count;
		std::unique_ptr<std::atomic<uint32>[]>			keys;
		std::unique_ptr<std::atomic<const Glyph*>[]>	glyphs;
	};

			const Glyph*		_Find(uint32 codePoint) const;
			const Glyph&		_Render(uint32 codePoint);
			void				_Insert(Table* table, uint32 codePoint, const Glyph* glyph);

			Face*				fFace;
			uint32				fSize26;
			bool				fAntialiased;
			float				fAscent;
			float				fDescent;
			float				fLeading;
			std::atomic<const Glyph*>	fAscii[128];
			std::atomic<Table*>	fTable;
	// Owned storage, only touched with the engine's lock held.
			std::vector<std::unique_ptr<Glyph>>	fGlyphs;
			std::vector<std::unique_ptr<Table>>	fTables;
			std::atomic<size_t>	fBytes;
};


inline const Glyph&
FontStrike::GlyphFor(uint32 codePoint)
{
	if (codePoint < 128) {
		const Glyph* glyph = fAscii[codePoint].load(std::memory_order_acquire);
		if (glyph != NULL)
			return *glyph;
	} else if (const Glyph* glyph = _Find(codePoint))
		return *glyph;
	return _Render(codePoint);
}


// The strike that draws font; NULL when no face can be found for it.
StrikeRef StrikeFor(const BFont& font);

// How many strikes the engine keeps and the glyph bytes they hold (for tests).
void GetStrikeStatistics(size_t* strikes, size_t* bytes);

// Decodes one UTF-8 character at text[*index] (not beyond length), advances *index and
// returns the code point; malformed or truncated sequences give U+FFFD and advance by one
// byte.
uint32 DecodeUTF8(const char* text, int32 length, int32* index);


// Calls draw(glyph, penX) for every glyph of the text (up to length bytes or a NUL)
// with the pen position relative to the start, adding the escapement deltas; returns
// the total advance. Nothing is allocated.
template<typename Function>
float
ForEachGlyph(FontStrike& strike, const char* text, int32 length,
	const escapement_delta* delta, Function draw)
{
	float pen = 0;
	int32 index = 0;
	while (index < length && text[index] != '\0') {
		uint8 byte = (uint8)text[index];
		uint32 codePoint = byte;
		if (byte < 0x80)
			index++;
		else
			codePoint = DecodeUTF8(text, length, &index);
		const Glyph& glyph = strike.GlyphFor(codePoint);
		draw(glyph, pen);
		pen += glyph.advance;
		if (delta != NULL) {
			float extra = codePoint == ' ' ? delta->space : delta->nonspace;
			if (!std::isnan(extra))
				pen += extra;
		}
	}
	return pen;
}

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
