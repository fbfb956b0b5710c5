#include <Font.h>

#include <String.h>

#include "interface/FontEngine.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <string>

namespace BPrivate {

class DefaultFonts {
public:
	static constinit BFont sPlain;
	static constinit BFont sBold;
	static constinit BFont sFixed;
};

constinit BFont DefaultFonts::sPlain("DejaVu Sans", "Book", 12.0f, B_REGULAR_FACE);
constinit BFont DefaultFonts::sBold("DejaVu Sans", "Bold", 12.0f, B_BOLD_FACE);
constinit BFont DefaultFonts::sFixed("DejaVu Sans Mono", "Book", 12.0f, B_REGULAR_FACE);

}	// namespace BPrivate

const BFont* be_plain_font = &BPrivate::DefaultFonts::sPlain;
const BFont* be_bold_font = &BPrivate::DefaultFonts::sBold;
const BFont* be_fixed_font = &BPrivate::DefaultFonts::sFixed;

using BPrivate::FontFamilyInfo;

namespace {

const char* kEllipsis = "\xe2\x80\xa6";


void
CopyName(char* target, const char* source, size_t size)
{
	if (source == NULL)
		source = "";
	strncpy(target, source, size - 1);
	target[size - 1] = '\0';
}


const FontFamilyInfo*
FindFamily(const char* family)
{
	if (family == NULL)
		return NULL;
	for (const FontFamilyInfo& info : BPrivate::FontFamilies()) {
		if (strcasecmp(info.name.c_str(), family) == 0)
			return &info;
	}
	return NULL;
}


// The byte offsets where each character of text starts, plus the end.
std::vector<int32>
CharacterStarts(const char* text, int32 length)
{
	std::vector<int32> starts;
	int32 index = 0;
	while (index < length && text[index] != '\0') {
		starts.push_back(index);
		BPrivate::DecodeUTF8(text, length, &index);
	}
	starts.push_back(index);
	return starts;
}


// Shortens text to fit width, cutting at the end, the beginning or the middle.
std::string
Truncate(const BFont& font, const char* text, uint32 mode, float width)
{
	int32 length = (int32)strlen(text);
	if (font.StringWidth(text, length) <= width)
		return text;
	std::vector<int32> starts = CharacterStarts(text, length);
	int32 count = (int32)starts.size() - 1;

	// Tries keeping keep characters; the best is the largest count that fits.
	auto build = [&](int32 keep) {
		std::string result;
		if (mode == B_TRUNCATE_BEGINNING) {
			result = kEllipsis;
			result.append(text + starts[count - keep], starts[count] - starts[count - keep]);
		} else if (mode == B_TRUNCATE_MIDDLE || mode == B_TRUNCATE_SMART) {
			int32 head = (keep + 1) / 2;
			int32 tail = keep - head;
			result.assign(text, starts[head]);
			result += kEllipsis;
			result.append(text + starts[count - tail], starts[count] - starts[count - tail]);
		} else {
			result.assign(text, starts[keep]);
			result += kEllipsis;
		}
		return result;
	};
	int32 low = 0;
	int32 high = count - 1;
	std::string best;
	while (low <= high) {
		int32 middle = (low + high) / 2;
		std::string candidate = build(middle);
		if (font.StringWidth(candidate.c_str(), (int32)candidate.size()) <= width) {
			best = candidate;
			low = middle + 1;
		} else {
			high = middle - 1;
		}
	}
	if (best.empty()) {
		std::string ellipsis = build(0);
		if (font.StringWidth(ellipsis.c_str(), (int32)ellipsis.size()) <= width)
			best = ellipsis;
	}
	return best;
}

}	// namespace


BFont::BFont()
{
	*this = *be_plain_font;
}


BFont::BFont(const BFont& font)
{
	*this = font;
}


BFont::BFont(const BFont* font)
{
	*this = font != NULL ? *font : *be_plain_font;
}


BFont&
BFont::operator=(const BFont& font)
{
	if (this == &font)
		return *this;
	memcpy(fFamily, font.fFamily, sizeof(fFamily));
	memcpy(fStyle, font.fStyle, sizeof(fStyle));
	fSize = font.fSize;
	fShear = font.fShear;
	fRotation = font.fRotation;
	fSpacing = font.fSpacing;
	fEncoding = font.fEncoding;
	fFace = font.fFace;
	fFlags = font.fFlags;
	return *this;
}


bool
BFont::operator==(const BFont& font) const
{
	return strcmp(fFamily, font.fFamily) == 0 && strcmp(fStyle, font.fStyle) == 0
		&& fSize == font.fSize && fShear == font.fShear && fRotation == font.fRotation
		&& fSpacing == font.fSpacing && fEncoding == font.fEncoding && fFace == font.fFace
		&& fFlags == font.fFlags;
}


bool
BFont::operator!=(const BFont& font) const
{
	return !(*this == font);
}


status_t
BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	const FontFamilyInfo* info = FindFamily(family);
	if (family != NULL)
		CopyName(fFamily, family, sizeof(fFamily));
	if (style != NULL) {
		CopyName(fStyle, style, sizeof(fStyle));
	} else {
		fStyle[0] = '\0';
		_SetStyleForFace(B_REGULAR_FACE);
	}
	if (info == NULL)
		return B_NAME_NOT_FOUND;
	fFace = B_REGULAR_FACE;
	for (size_t i = 0; i < info->styles.size(); i++) {
		if (strcasecmp(info->styles[i].c_str(), fStyle) == 0)
			fFace = info->faces[i];
	}
	return B_OK;
}


void
BFont::SetFamilyAndStyle(uint32 code)
{
	const std::vector<FontFamilyInfo>& families = BPrivate::FontFamilies();
	uint32 familyIndex = code >> 16;
	uint32 styleIndex = code & 0xffff;
	if (familyIndex >= families.size())
		return;
	const FontFamilyInfo& info = families[familyIndex];
	if (styleIndex >= info.styles.size())
		return;
	CopyName(fFamily, info.name.c_str(), sizeof(fFamily));
	CopyName(fStyle, info.styles[styleIndex].c_str(), sizeof(fStyle));
	fFace = info.faces[styleIndex];
}


status_t
BFont::SetFamilyAndFace(const font_family family, uint16 face)
{
	if (family != NULL)
		CopyName(fFamily, family, sizeof(fFamily));
	_SetStyleForFace(face);
	return FindFamily(fFamily) != NULL ? B_OK : B_NAME_NOT_FOUND;
}


void
BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	if (family != NULL)
		memcpy(*family, fFamily, sizeof(fFamily));
	if (style != NULL)
		memcpy(*style, fStyle, sizeof(fStyle));
}


uint32
BFont::FamilyAndStyle() const
{
	const std::vector<FontFamilyInfo>& families = BPrivate::FontFamilies();
	for (size_t i = 0; i < families.size(); i++) {
		if (strcasecmp(families[i].name.c_str(), fFamily) != 0)
			continue;
		for (size_t j = 0; j < families[i].styles.size(); j++) {
			if (strcasecmp(families[i].styles[j].c_str(), fStyle) == 0)
				return (uint32)(i << 16 | j);
		}
		return (uint32)(i << 16);
	}
	return 0;
}


void
BFont::SetSize(float size)
{
	if (std::isnan(size))
		size = 12.0f;
	fSize = std::fmin(std::fmax(size, 1.0f), 10000.0f);
}


void
BFont::SetShear(float shear)
{
	if (!std::isnan(shear))
		fShear = std::fmin(std::fmax(shear, 45.0f), 135.0f);
}


void
BFont::SetRotation(float rotation)
{
	if (!std::isnan(rotation))
		fRotation = rotation;
}


void
BFont::SetSpacing(uint8 spacing)
{
	fSpacing = spacing;
}


void
BFont::SetEncoding(uint8 encoding)
{
	fEncoding = encoding;
}


void
BFont::SetFace(uint16 face)
{
	_SetStyleForFace(face);
}


void
BFont::SetFlags(uint32 flags)
{
	fFlags = flags;
}


float
BFont::Size() const
{
	return fSize;
}


float
BFont::Shear() const
{
	return fShear;
}


float
BFont::Rotation() const
{
	return fRotation;
}


uint8
BFont::Spacing() const
{
	return fSpacing;
}


uint8
BFont::Encoding() const
{
	return fEncoding;
}


uint16
BFont::Face() const
{
	return fFace;
}


uint32
BFont::Flags() const
{
	return fFlags;
}


font_direction
BFont::Direction() const
{
	return B_FONT_LEFT_TO_RIGHT;
}


bool
BFont::IsFixed() const
{
	return BPrivate::FontIsFixed(*this);
}


font_file_format
BFont::FileFormat() const
{
	return B_TRUETYPE_WINDOWS;
}


BRect
BFont::BoundingBox() const
{
	font_height height;
	GetHeight(&height);
	return BRect(0, -height.ascent, fSize, height.descent);
}


float
BFont::StringWidth(const char* string) const
{
	if (string == NULL)
		return 0;
	return BPrivate::TextWidth(*this, string, (int32)strlen(string));
}


float
BFont::StringWidth(const char* string, int32 length) const
{
	if (string == NULL || length <= 0)
		return 0;
	return BPrivate::TextWidth(*this, string, length);
}


void
BFont::GetStringWidths(const char* stringArray[], const int32 lengthArray[],
	int32 numStrings, float widthArray[]) const
{
	if (stringArray == NULL || lengthArray == NULL || widthArray == NULL)
		return;
	for (int32 i = 0; i < numStrings; i++)
		widthArray[i] = StringWidth(stringArray[i], lengthArray[i]);
}


void
BFont::GetEscapements(const char charArray[], int32 numChars, float escapementArray[]) const
{
	if (charArray == NULL || escapementArray == NULL || numChars <= 0)
		return;
	// The decoder stops at the first byte that does not continue a character, so an
	// unbounded length never reads past the terminating NUL.
	const int32 length = INT32_MAX;
	int32 index = 0;
	for (int32 i = 0; i < numChars; i++) {
		if (charArray[index] == '\0') {
			escapementArray[i] = 0;
			continue;
		}
		int32 start = index;
		BPrivate::DecodeUTF8(charArray, length, &index);
		escapementArray[i] = StringWidth(charArray + start, index - start) / fSize;
	}
}


void
BFont::GetHeight(font_height* height) const
{
	BPrivate::FontHeight(*this, height);
}


void
BFont::TruncateString(BString* inOut, uint32 mode, float width) const
{
	if (inOut == NULL)
		return;
	std::string result = Truncate(*this, inOut->String(), mode, width);
	inOut->SetTo(result.c_str());
}


void
BFont::GetTruncatedStrings(const char* stringArray[], int32 numStrings, uint32 mode,
	float width, char* resultArray[]) const
{
	if (stringArray == NULL || resultArray == NULL)
		return;
	for (int32 i = 0; i < numStrings; i++) {
		if (resultArray[i] == NULL)
			continue;
		if (stringArray[i] == NULL) {
			resultArray[i][0] = '\0';
			continue;
		}
		std::string result = Truncate(*this, stringArray[i], mode, width);
		// The ellipsis takes three bytes, and truncation only removes characters, so the
		// result always fits into length + 3 bytes.
		size_t room = strlen(stringArray[i]) + 3;
		if (result.size() >= room)
			result.resize(room - 1);
		memcpy(resultArray[i], result.c_str(), result.size() + 1);
	}
}


void
BFont::PrintToStream() const
{
	printf("BFont(\"%s\" \"%s\" size %.1f, face 0x%x, flags 0x%x)\n", fFamily, fStyle, fSize,
		fFace, (unsigned)fFlags);
}


// Picks the style of the family that carries the face bits; names are the fallback when
// the family is unknown.
void
BFont::_SetStyleForFace(uint16 face)
{
	bool bold = (face & B_BOLD_FACE) != 0;
	bool italic = (face & B_ITALIC_FACE) != 0;
	const FontFamilyInfo* info = FindFamily(fFamily);
	if (info != NULL) {
		int best = -1;
		for (size_t i = 0; i < info->faces.size(); i++) {
			uint16 candidate = info->faces[i];
			bool candidateBold = (candidate & B_BOLD_FACE) != 0;
			bool candidateItalic = (candidate & B_ITALIC_FACE) != 0;
			if (candidateBold != bold || candidateItalic != italic)
				continue;
			// Prefer the plainest name ("Bold" over "Bold Condensed").
			if (best < 0 || info->styles[i].size() < info->styles[best].size())
				best = (int)i;
		}
		if (best >= 0) {
			CopyName(fStyle, info->styles[best].c_str(), sizeof(fStyle));
			fFace = info->faces[best];
			return;
		}
	}
	const char* style = "Regular";
	if (bold && italic)
		style = "Bold Italic";
	else if (bold)
		style = "Bold";
	else if (italic)
		style = "Italic";
	CopyName(fStyle, style, sizeof(fStyle));
	fFace = bold || italic ? (uint16)((bold ? B_BOLD_FACE : 0) | (italic ? B_ITALIC_FACE : 0))
		: (uint16)B_REGULAR_FACE;
}


int32
count_font_families()
{
	return (int32)BPrivate::FontFamilies().size();
}


status_t
get_font_family(int32 index, font_family* name, uint32* flags)
{
	const std::vector<FontFamilyInfo>& families = BPrivate::FontFamilies();
	if (name == NULL)
		return B_BAD_VALUE;
	if (index < 0 || index >= (int32)families.size())
		return B_BAD_VALUE;
	CopyName(*name, families[index].name.c_str(), sizeof(font_family));
	if (flags != NULL)
		*flags = families[index].fixed ? B_IS_FIXED : 0;
	return B_OK;
}


int32
count_font_styles(font_family name)
{
	const FontFamilyInfo* info = FindFamily(name);
	return info != NULL ? (int32)info->styles.size() : 0;
}


status_t
get_font_style(font_family family, int32 index, font_style* name, uint32* flags)
{
	return get_font_style(family, index, name, NULL, flags);
}


status_t
get_font_style(font_family family, int32 index, font_style* name, uint16* face,
	uint32* flags)
{
	const FontFamilyInfo* info = FindFamily(family);
	if (info == NULL || name == NULL)
		return B_BAD_VALUE;
	if (index < 0 || index >= (int32)info->styles.size())
		return B_BAD_VALUE;
	CopyName(*name, info->styles[index].c_str(), sizeof(font_style));
	if (face != NULL)
		*face = info->faces[index];
	if (flags != NULL)
		*flags = info->fixed ? B_IS_FIXED : 0;
	return B_OK;
}


bool
update_font_families(bool checkOnly)
{
	return false;
}
