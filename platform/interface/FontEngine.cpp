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
#include <tuple>
#include <unordered_map>

namespace BPrivate {

struct Face {
	std::string		path;
	int				index;
	FT_Face			face;
	bool			fixed;
};

namespace {

const uint32 kReplacementCharacter = 0xfffd;
// The engine lets go of all its strikes past this many bytes of glyphs (huge sizes make
// huge glyphs); whoever still holds a strike keeps it, and with it its glyphs.
const size_t kMaxCachedBytes = (size_t)64 << 20;
// How many fonts each thread remembers the strikes of.
const int32 kFrontEntries = 8;


class Engine {
public:
								Engine();

			std::mutex			fLock;
			FT_Library			fLibrary;
			bool				fReady;
			std::map<std::string, Face*>	fFaces;
			std::map<std::string, Face*>	fFacesByFile;
			std::map<std::tuple<Face*, uint32, bool>, StrikeRef>	fStrikes;
	// Glyph bytes rendered since the strikes were last let go of.
			size_t				fGlyphBytes;
	// Changes whenever the strikes are let go of, so that threads drop theirs too.
			std::atomic<uint32>	fGeneration;
			bool				fFontconfigDone;

			Face*				FaceFor(const font_family family, const font_style style);
			StrikeRef			StrikeOf(Face* face, uint32 size26, bool aa);
			void				GlyphRendered(size_t bytes);

private:
			Face*				_Open(const std::string& path, int index);
};


// The strikes of the last fonts this thread drew or measured.
struct FrontEntry {
	font_family		family;
	font_style		style;
	uint32			size26;
	bool			antialiased;
	bool			used;
	StrikeRef		strike;
};


struct FrontCache {
	uint32			generation = 0;
	int32			next = 0;
	FrontEntry		entries[kFrontEntries] = {};
};


thread_local FrontCache sFront;


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
	fGlyphBytes(0),
	fGeneration(1),
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
Engine::FaceFor(const font_family family, const font_style style)
{
	std::string key = std::string(family) + "\n" + style;
	auto found = fFaces.find(key);
	if (found != fFaces.end())
		return found->second;

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


// Called with fLock held.
StrikeRef
Engine::StrikeOf(Face* face, uint32 size26, bool aa)
{
	auto key = std::make_tuple(face, size26, aa);
	auto found = fStrikes.find(key);
	if (found != fStrikes.end())
		return found->second;
	StrikeRef strike = std::make_shared<FontStrike>(face, size26, aa);
	fStrikes[key] = strike;
	return strike;
}


// Called with fLock held.
void
Engine::GlyphRendered(size_t bytes)
{
	fGlyphBytes += bytes;
	if (fGlyphBytes < kMaxCachedBytes)
		return;
	// Whoever draws holds the strike it draws with, so none goes away under a caller.
	fStrikes.clear();
	fGlyphBytes = 0;
	fGeneration.fetch_add(1, std::memory_order_release);
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


uint32
HashCodePoint(uint32 codePoint)
{
	return codePoint * 2654435761u;
}

}	// namespace


// #pragma mark - FontStrike


FontStrike::Table::Table(uint32 capacity)
	:
	capacity(capacity),
	count(0),
	keys(new std::atomic<uint32>[capacity]),
	glyphs(new std::atomic<const Glyph*>[capacity])
{
	for (uint32 i = 0; i < capacity; i++) {
		keys[i].store(0, std::memory_order_relaxed);
		glyphs[i].store(NULL, std::memory_order_relaxed);
	}
}


// Called with the engine's lock held.
FontStrike::FontStrike(Face* face, uint32 size26, bool antialiased)
	:
	fFace(face),
	fSize26(size26),
	fAntialiased(antialiased),
	fAscent(0),
	fDescent(0),
	fLeading(0),
	fTable(NULL),
	fBytes(0)
{
	for (std::atomic<const Glyph*>& glyph : fAscii)
		glyph.store(NULL, std::memory_order_relaxed);
	fTables.emplace_back(new Table(64));
	fTable.store(fTables.back().get(), std::memory_order_release);

	FT_Face ftFace = face->face;
	if (FT_Set_Char_Size(ftFace, 0, size26, 72, 72) == 0) {
		// Unhinted values from the font's design units, so that fractional sizes measure
		// smoothly.
		float scale = size26 / 64.0f / ftFace->units_per_EM;
		fAscent = ftFace->ascender * scale;
		fDescent = -ftFace->descender * scale;
		fLeading = std::max(0.0f, ftFace->height * scale - fAscent - fDescent);
	}
}


FontStrike::~FontStrike()
{
}


bool
FontStrike::IsFixed() const
{
	return fFace->fixed;
}


const Glyph*
FontStrike::_Find(uint32 codePoint) const
{
	const Table* table = fTable.load(std::memory_order_acquire);
	uint32 mask = table->capacity - 1;
	for (uint32 slot = HashCodePoint(codePoint) & mask;; slot = (slot + 1) & mask) {
		uint32 key = table->keys[slot].load(std::memory_order_acquire);
		if (key == codePoint)
			return table->glyphs[slot].load(std::memory_order_relaxed);
		if (key == 0)
			return NULL;
	}
}


// Called with the engine's lock held; the table has room.
void
FontStrike::_Insert(Table* table, uint32 codePoint, const Glyph* glyph)
{
	uint32 mask = table->capacity - 1;
	uint32 slot = HashCodePoint(codePoint) & mask;
	while (table->keys[slot].load(std::memory_order_relaxed) != 0)
		slot = (slot + 1) & mask;
	table->glyphs[slot].store(glyph, std::memory_order_relaxed);
	table->keys[slot].store(codePoint, std::memory_order_release);
	table->count++;
}


const Glyph&
FontStrike::_Render(uint32 codePoint)
{
	Engine& engine = TheEngine();
	std::lock_guard<std::mutex> lock(engine.fLock);
	// Another thread may have rendered it meanwhile.
	const Glyph* existing = codePoint < 128
		? fAscii[codePoint].load(std::memory_order_relaxed) : _Find(codePoint);
	if (existing != NULL)
		return *existing;

	std::unique_ptr<Glyph> glyph(new Glyph);
	glyph->left = glyph->top = glyph->width = glyph->height = 0;
	glyph->advance = 0;

	bool aa = fAntialiased;
	FT_Face ftFace = fFace->face;
	FT_UInt index = FT_Get_Char_Index(ftFace, codePoint);
	if (index == 0 && codePoint != kReplacementCharacter)
		index = FT_Get_Char_Index(ftFace, kReplacementCharacter);
	if (FT_Set_Char_Size(ftFace, 0, fSize26, 72, 72) == 0
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

	const Glyph* result = glyph.get();
	size_t bytes = glyph->coverage.size() + sizeof(Glyph);
	fGlyphs.push_back(std::move(glyph));
	if (codePoint < 128)
		fAscii[codePoint].store(result, std::memory_order_release);
	else {
		Table* table = fTable.load(std::memory_order_relaxed);
		if ((table->count + 1) * 2 > table->capacity) {
			// Readers may still be probing the old table; it stays until the strike goes.
			Table* larger = new Table(table->capacity * 2);
			for (uint32 i = 0; i < table->capacity; i++) {
				uint32 key = table->keys[i].load(std::memory_order_relaxed);
				if (key != 0)
					_Insert(larger, key, table->glyphs[i].load(std::memory_order_relaxed));
			}
			fTables.emplace_back(larger);
			table = larger;
			bytes += (size_t)larger->capacity * (sizeof(uint32) + sizeof(void*));
		}
		_Insert(table, codePoint, result);
		fTable.store(table, std::memory_order_release);
	}
	fBytes.fetch_add(bytes, std::memory_order_relaxed);
	engine.GlyphRendered(bytes);
	return *result;
}


// #pragma mark - look-ups


StrikeRef
StrikeFor(const BFont& font)
{
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	if (family[0] == '\0')
		strcpy(family, "DejaVu Sans");
	uint32 size26 = SizeKey(font.Size());
	bool aa = (font.Flags() & B_DISABLE_ANTIALIASING) == 0;

	Engine& engine = TheEngine();
	FrontCache& front = sFront;
	uint32 generation = engine.fGeneration.load(std::memory_order_acquire);
	if (front.generation != generation) {
		for (FrontEntry& entry : front.entries) {
			entry.used = false;
			entry.strike.reset();
		}
		front.generation = generation;
	}
	for (FrontEntry& entry : front.entries) {
		if (entry.used && entry.size26 == size26 && entry.antialiased == aa
			&& strcmp(entry.family, family) == 0 && strcmp(entry.style, style) == 0)
			return entry.strike;
	}

	StrikeRef strike;
	{
		std::lock_guard<std::mutex> lock(engine.fLock);
		Face* face = engine.FaceFor(family, style);
		if (face != NULL)
			strike = engine.StrikeOf(face, size26, aa);
	}
	FrontEntry& entry = front.entries[front.next];
	front.next = (front.next + 1) % kFrontEntries;
	memcpy(entry.family, family, sizeof(family));
	memcpy(entry.style, style, sizeof(style));
	entry.size26 = size26;
	entry.antialiased = aa;
	entry.used = true;
	entry.strike = strike;
	return strike;
}


void
GetStrikeStatistics(size_t* strikes, size_t* bytes)
{
	Engine& engine = TheEngine();
	std::lock_guard<std::mutex> lock(engine.fLock);
	if (strikes != NULL)
		*strikes = engine.fStrikes.size();
	if (bytes != NULL)
		*bytes = engine.fGlyphBytes;
}


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
TextWidth(const BFont& font, const char* text, int32 length)
{
	if (text == NULL || length <= 0)
		return 0;
	StrikeRef strike = StrikeFor(font);
	if (strike == NULL)
		return 0;
	// The same advances, added in the same order, as drawing: the width of a text is
	// always exactly the advance of drawing it.
	return ForEachGlyph(*strike, text, length, NULL, [](const Glyph&, float) {});
}


void
FontHeight(const BFont& font, font_height* height)
{
	if (height == NULL)
		return;
	StrikeRef strike = StrikeFor(font);
	if (strike == NULL) {
		height->ascent = height->descent = height->leading = 0;
		return;
	}
	height->ascent = strike->Ascent();
	height->descent = strike->Descent();
	height->leading = strike->Leading();
}


bool
FontIsFixed(const BFont& font)
{
	StrikeRef strike = StrikeFor(font);
	return strike != NULL && strike->IsFixed();
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
