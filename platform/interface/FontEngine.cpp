#include "interface/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <strings.h>
#include <unordered_map>

namespace BPrivate {

namespace {

const uint32 kReplacementCharacter = 0xfffd;
// Glyph caches are dropped wholesale past this many glyphs or bytes of coverage (huge
// sizes make huge glyphs); callers hold shared references, so a glyph in use stays alive.
const size_t kMaxCachedGlyphs = 20000;
const size_t kMaxCachedBytes = (size_t)64 << 20;


struct FaceMetrics {
	float	ascent;
	float	descent;
	float	leading;
};


// Advances of the ASCII characters at one size, filled as they are first measured, so
// that measuring plain text needs no glyph look-ups.
struct AdvanceTable {
	float	advance[128];
	bool	known[128];
};


struct Face {
	std::string									path;
	int											index;
	FT_Face										face;
	bool										fixed;
	std::unordered_map<uint64, GlyphRef>		glyphs;
	std::unordered_map<uint32, FaceMetrics>		metrics;
	std::unordered_map<uint32, AdvanceTable>	asciiAdvances;
};


class Engine {
public:
								Engine();

			std::mutex			fLock;
			FT_Library			fLibrary;
			bool				fReady;
			std::map<std::string, Face*>	fFaces;
			std::map<std::string, Face*>	fFacesByFile;
			// The last face asked for; most calls ask for the same one again.
			font_family			fLastFamily;
			font_style			fLastStyle;
			Face*				fLastFace;
			size_t				fGlyphCount;
			size_t				fGlyphBytes;
			bool				fFontconfigDone;

			Face*				FaceFor(const BFont& font);
			GlyphRef			GlyphFor(Face* face, uint32 codePoint, uint32 size26, bool aa);
			FaceMetrics			MetricsFor(Face* face, uint32 size26);

private:
			Face*				_Open(const std::string& path, int index);
};


Engine& TheEngine();


// Releases fontconfig's memory at exit, so that leak checkers see a clean process.
// Later look-ups of new faces find nothing; faces already open keep working.
void
FinishFontconfig()
{
	Engine& engine = TheEngine();
	std::lock_guard<std::mutex> lock(engine.fLock);
	if (!engine.fFontconfigDone) {
		engine.fFontconfigDone = true;
		FcFini();
	}
}


Engine&
TheEngine()
{
	// Never destroyed: windows may still draw while the process exits.
	static Engine* sEngine = new Engine;
	return *sEngine;
}


Engine::Engine()
	:
	fLibrary(NULL),
	fReady(false),
	fLastFace(NULL),
	fGlyphCount(0),
	fGlyphBytes(0),
	fFontconfigDone(false)
{
	FcInit();
	fReady = FT_Init_FreeType(&fLibrary) == 0;
	atexit(FinishFontconfig);
}


Face*
Engine::_Open(const std::string& path, int index)
{
	std::string key = path + "#" + std::to_string(index);
	auto found = fFacesByFile.find(key);
	if (found != fFacesByFile.end())
		return found->second;
	FT_Face ftFace = NULL;
	if (!fReady || FT_New_Face(fLibrary, path.c_str(), index, &ftFace) != 0)
		return NULL;
	FT_Select_Charmap(ftFace, FT_ENCODING_UNICODE);
	Face* face = new Face;
	face->path = path;
	face->index = index;
	face->face = ftFace;
	face->fixed = FT_IS_FIXED_WIDTH(ftFace);
	fFacesByFile[key] = face;
	return face;
}


// Called with fLock held.
Face*
Engine::FaceFor(const BFont& font)
{
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	if (family[0] == '\0')
		strcpy(family, "DejaVu Sans");
	if (fLastFace != NULL && strcmp(family, fLastFamily) == 0
		&& strcmp(style, fLastStyle) == 0)
		return fLastFace;
	std::string key = std::string(family) + "\n" + style;
	auto found = fFaces.find(key);
	if (found != fFaces.end()) {
		if (found->second != NULL) {
			memcpy(fLastFamily, family, sizeof(fLastFamily));
			memcpy(fLastStyle, style, sizeof(fLastStyle));
			fLastFace = found->second;
		}
		return found->second;
	}

	Face* face = NULL;
	if (fFontconfigDone)
		return NULL;
	FcPattern* pattern = FcPatternCreate();
	FcPatternAddString(pattern, FC_FAMILY, (const FcChar8*)family);
	if (style[0] != '\0')
		FcPatternAddString(pattern, FC_STYLE, (const FcChar8*)style);
	FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
	FcConfigSubstitute(NULL, pattern, FcMatchPattern);
	FcDefaultSubstitute(pattern);
	FcResult result;
	FcPattern* match = FcFontMatch(NULL, pattern, &result);
	if (match != NULL) {
		FcChar8* file = NULL;
		int index = 0;
		if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
			FcPatternGetInteger(match, FC_INDEX, 0, &index);
			face = _Open((const char*)file, index);
		}
		FcPatternDestroy(match);
	}
	FcPatternDestroy(pattern);
	fFaces[key] = face;
	return face;
}


uint32
SizeKey(float size)
{
	if (std::isnan(size) || size < 1.0f)
		size = 1.0f;
	if (size > 10000.0f)
		size = 10000.0f;
	return (uint32)std::lround(size * 64.0f);
}


// Called with fLock held.
GlyphRef
Engine::GlyphFor(Face* face, uint32 codePoint, uint32 size26, bool aa)
{
	uint64 key = ((uint64)codePoint << 24) | ((uint64)(size26 & 0x7fffff) << 1) | (aa ? 1 : 0);
	auto found = face->glyphs.find(key);
	if (found != face->glyphs.end())
		return found->second;

	if (fGlyphCount >= kMaxCachedGlyphs || fGlyphBytes >= kMaxCachedBytes) {
		for (auto& entry : fFacesByFile)
			entry.second->glyphs.clear();
		fGlyphCount = 0;
		fGlyphBytes = 0;
	}

	auto glyph = std::make_shared<Glyph>();
	glyph->left = glyph->top = glyph->width = glyph->height = 0;
	glyph->advance = 0;

	FT_Face ftFace = face->face;
	FT_UInt index = FT_Get_Char_Index(ftFace, codePoint);
	if (index == 0 && codePoint != kReplacementCharacter)
		index = FT_Get_Char_Index(ftFace, kReplacementCharacter);
	if (FT_Set_Char_Size(ftFace, 0, size26, 72, 72) == 0
		&& FT_Load_Glyph(ftFace, index,
			FT_LOAD_DEFAULT | (aa ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO)) == 0
		&& FT_Render_Glyph(ftFace->glyph,
			aa ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0) {
		FT_GlyphSlot slot = ftFace->glyph;
		const FT_Bitmap& bitmap = slot->bitmap;
		glyph->advance = slot->advance.x / 64.0f;
		glyph->left = slot->bitmap_left;
		glyph->top = slot->bitmap_top;
		glyph->width = (int32)bitmap.width;
		glyph->height = (int32)bitmap.rows;
		glyph->coverage.assign((size_t)glyph->width * glyph->height, 0);
		int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
		for (int32 y = 0; y < glyph->height; y++) {
			const uint8* row = bitmap.buffer + (size_t)y * pitch;
			uint8* out = glyph->coverage.data() + (size_t)y * glyph->width;
			for (int32 x = 0; x < glyph->width; x++) {
				if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
					out[x] = (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
				else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
					out[x] = row[x];
			}
		}
	}
	face->glyphs[key] = glyph;
	fGlyphCount++;
	fGlyphBytes += glyph->coverage.size() + sizeof(Glyph);
	return glyph;
}


// Called with fLock held.
FaceMetrics
Engine::MetricsFor(Face* face, uint32 size26)
{
	auto found = face->metrics.find(size26);
	if (found != face->metrics.end())
		return found->second;
	FaceMetrics metrics = { 0, 0, 0 };
	FT_Face ftFace = face->face;
	if (FT_Set_Char_Size(ftFace, 0, size26, 72, 72) == 0) {
		// Unhinted values from the font's design units, so that fractional sizes measure
		// smoothly.
		float scale = size26 / 64.0f / ftFace->units_per_EM;
		metrics.ascent = ftFace->ascender * scale;
		metrics.descent = -ftFace->descender * scale;
		metrics.leading = std::max(0.0f, ftFace->height * scale - metrics.ascent
			- metrics.descent);
	}
	face->metrics[size26] = metrics;
	return metrics;
}

}	// namespace


uint32
DecodeUTF8(const char* text, int32 length, int32* index)
{
	const uint8* bytes = (const uint8*)text;
	int32 i = *index;
	uint8 first = bytes[i];
	if (first < 0x80) {
		*index = i + 1;
		return first;
	}
	int extra;
	uint32 codePoint;
	uint32 minimum;
	if ((first & 0xe0) == 0xc0) {
		extra = 1;
		codePoint = first & 0x1f;
		minimum = 0x80;
	} else if ((first & 0xf0) == 0xe0) {
		extra = 2;
		codePoint = first & 0x0f;
		minimum = 0x800;
	} else if ((first & 0xf8) == 0xf0) {
		extra = 3;
		codePoint = first & 0x07;
		minimum = 0x10000;
	} else {
		*index = i + 1;
		return kReplacementCharacter;
	}
	if (i + extra >= length) {
		*index = i + 1;
		return kReplacementCharacter;
	}
	for (int k = 1; k <= extra; k++) {
		uint8 next = bytes[i + k];
		if ((next & 0xc0) != 0x80) {
			*index = i + 1;
			return kReplacementCharacter;
		}
		codePoint = (codePoint << 6) | (next & 0x3f);
	}
	if (codePoint < minimum || codePoint > 0x10ffff
		|| (codePoint >= 0xd800 && codePoint <= 0xdfff)) {
		*index = i + 1;
		return kReplacementCharacter;
	}
	*index = i + 1 + extra;
	return codePoint;
}


float
LayoutText(const BFont& font, const char* text, int32 length, const escapement_delta* delta,
	const std::function<void(const Glyph& glyph, float penX)>& draw)
{
	if (text == NULL || length <= 0)
		return 0;
	bool aa = (font.Flags() & B_DISABLE_ANTIALIASING) == 0;
	uint32 size26 = SizeKey(font.Size());

	// Look the glyphs up with the lock held, draw them without it.
	std::vector<std::pair<GlyphRef, uint32>> glyphs;
	{
		Engine& engine = TheEngine();
		std::lock_guard<std::mutex> lock(engine.fLock);
		Face* face = engine.FaceFor(font);
		if (face == NULL)
			return 0;
		int32 index = 0;
		while (index < length && text[index] != '\0') {
			uint32 codePoint = DecodeUTF8(text, length, &index);
			glyphs.push_back({ engine.GlyphFor(face, codePoint, size26, aa), codePoint });
		}
	}

	float pen = 0;
	for (const auto& entry : glyphs) {
		if (draw)
			draw(*entry.first, pen);
		pen += entry.first->advance;
		if (delta != NULL) {
			float extra = entry.second == ' ' ? delta->space : delta->nonspace;
			if (!std::isnan(extra))
				pen += extra;
		}
	}
	return pen;
}


float
TextWidth(const BFont& font, const char* text, int32 length)
{
	if (text == NULL || length <= 0)
		return 0;
	bool aa = (font.Flags() & B_DISABLE_ANTIALIASING) == 0;
	uint32 size26 = SizeKey(font.Size());

	// The same advances, added in the same order, as LayoutText: the width of a text is
	// always exactly the advance of drawing it.
	Engine& engine = TheEngine();
	std::lock_guard<std::mutex> lock(engine.fLock);
	Face* face = engine.FaceFor(font);
	if (face == NULL)
		return 0;
	AdvanceTable& table = face->asciiAdvances[(size26 << 1) | (aa ? 1 : 0)];
	float pen = 0;
	int32 index = 0;
	while (index < length && text[index] != '\0') {
		uint8 byte = (uint8)text[index];
		if (byte < 0x80) {
			if (!table.known[byte]) {
				table.advance[byte] = engine.GlyphFor(face, byte, size26, aa)->advance;
				table.known[byte] = true;
			}
			pen += table.advance[byte];
			index++;
			continue;
		}
		uint32 codePoint = DecodeUTF8(text, length, &index);
		pen += engine.GlyphFor(face, codePoint, size26, aa)->advance;
	}
	return pen;
}


void
FontHeight(const BFont& font, font_height* height)
{
	if (height == NULL)
		return;
	Engine& engine = TheEngine();
	std::lock_guard<std::mutex> lock(engine.fLock);
	Face* face = engine.FaceFor(font);
	if (face == NULL) {
		height->ascent = height->descent = height->leading = 0;
		return;
	}
	FaceMetrics metrics = engine.MetricsFor(face, SizeKey(font.Size()));
	height->ascent = metrics.ascent;
	height->descent = metrics.descent;
	height->leading = metrics.leading;
}


bool
FontIsFixed(const BFont& font)
{
	Engine& engine = TheEngine();
	std::lock_guard<std::mutex> lock(engine.fLock);
	Face* face = engine.FaceFor(font);
	return face != NULL && face->fixed;
}


const std::vector<FontFamilyInfo>&
FontFamilies()
{
	static std::vector<FontFamilyInfo>* sFamilies = NULL;
	static std::once_flag sOnce;
	std::call_once(sOnce, [] {
		Engine& engine = TheEngine();
		std::lock_guard<std::mutex> lock(engine.fLock);
		sFamilies = new std::vector<FontFamilyInfo>;
		if (engine.fFontconfigDone)
			return;
		std::map<std::string, FontFamilyInfo> byName;
		FcPattern* pattern = FcPatternCreate();
		FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_SPACING, FC_WEIGHT,
			FC_SLANT, (char*)NULL);
		FcFontSet* set = FcFontList(NULL, pattern, objects);
		if (set != NULL) {
			for (int i = 0; i < set->nfont; i++) {
				FcChar8* family = NULL;
				FcChar8* style = NULL;
				if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch
					|| FcPatternGetString(set->fonts[i], FC_STYLE, 0, &style)
						!= FcResultMatch)
					continue;
				if (strlen((const char*)family) > B_FONT_FAMILY_LENGTH
					|| strlen((const char*)style) > B_FONT_STYLE_LENGTH)
					continue;
				FontFamilyInfo& info = byName[(const char*)family];
				info.name = (const char*)family;
				int spacing = FC_PROPORTIONAL;
				FcPatternGetInteger(set->fonts[i], FC_SPACING, 0, &spacing);
				if (spacing == FC_MONO)
					info.fixed = true;
				if (std::find(info.styles.begin(), info.styles.end(),
						(const char*)style) != info.styles.end())
					continue;
				int weight = FC_WEIGHT_REGULAR;
				int slant = FC_SLANT_ROMAN;
				FcPatternGetInteger(set->fonts[i], FC_WEIGHT, 0, &weight);
				FcPatternGetInteger(set->fonts[i], FC_SLANT, 0, &slant);
				uint16 face = 0;
				if (weight >= FC_WEIGHT_BOLD)
					face |= B_BOLD_FACE;
				if (slant != FC_SLANT_ROMAN)
					face |= B_ITALIC_FACE;
				if (face == 0)
					face = B_REGULAR_FACE;
				info.styles.push_back((const char*)style);
				info.faces.push_back(face);
			}
			FcFontSetDestroy(set);
		}
		FcObjectSetDestroy(objects);
		FcPatternDestroy(pattern);
		for (auto& entry : byName) {
			FontFamilyInfo& info = entry.second;
			// Sort the styles, keeping each face beside its style.
			std::vector<std::pair<std::string, uint16>> styles;
			for (size_t i = 0; i < info.styles.size(); i++)
				styles.push_back({ info.styles[i], info.faces[i] });
			std::sort(styles.begin(), styles.end());
			info.styles.clear();
			info.faces.clear();
			for (const auto& style : styles) {
				info.styles.push_back(style.first);
				info.faces.push_back(style.second);
			}
			sFamilies->push_back(info);
		}
	});
	return *sFamilies;
}


bool
FontFamilyExists(const char* family)
{
	if (family == NULL)
		return false;
	for (const FontFamilyInfo& info : FontFamilies()) {
		if (strcasecmp(info.name.c_str(), family) == 0)
			return true;
	}
	return false;
}

}	// namespace BPrivate
