/*
 * BFont: a font description (family, style, size and the other properties) whose glyphs
 * come from FreeType, with the faces found through fontconfig. Text is UTF-8; bytes that
 * are not valid UTF-8 measure and draw as the replacement character U+FFFD.
 *
 * A family or style that fontconfig does not know falls back to the closest match it
 * offers, so a BFont always measures and draws something.
 */
#ifndef _FONT_H
#define _FONT_H

#include <InterfaceDefs.h>
#include <Rect.h>
#include <SupportDefs.h>

class BString;

namespace BPrivate {
class DefaultFonts;
}

#define B_FONT_FAMILY_LENGTH	63
#define B_FONT_STYLE_LENGTH		63
typedef char font_family[B_FONT_FAMILY_LENGTH + 1];
typedef char font_style[B_FONT_STYLE_LENGTH + 1];

// Spacing modes. All of them place glyphs at their natural advances here.
enum {
	B_CHAR_SPACING = 0,
	B_STRING_SPACING = 1,
	B_BITMAP_SPACING = 2,
	B_FIXED_SPACING = 3
};

enum font_direction {
	B_FONT_LEFT_TO_RIGHT = 0,
	B_FONT_RIGHT_TO_LEFT = 1
};

// Font flags.
enum {
	B_DISABLE_ANTIALIASING = 0x00000001,
	B_FORCE_ANTIALIASING = 0x00000002
};

// Where TruncateString removes characters to make a string fit.
enum {
	B_TRUNCATE_END = 0,
	B_TRUNCATE_BEGINNING = 1,
	B_TRUNCATE_MIDDLE = 2,
	B_TRUNCATE_SMART = 3
};

// Encodings. Only B_UNICODE_UTF8 is honoured; the value is stored.
enum {
	B_UNICODE_UTF8 = 0,
	B_ISO_8859_1 = 1,
	B_ISO_8859_2 = 2,
	B_ISO_8859_3 = 3,
	B_ISO_8859_4 = 4,
	B_ISO_8859_5 = 5,
	B_ISO_8859_6 = 6,
	B_ISO_8859_7 = 7,
	B_ISO_8859_8 = 8,
	B_ISO_8859_9 = 9,
	B_ISO_8859_10 = 10,
	B_MACINTOSH_ROMAN = 11
};

// Masks that say which properties BView::SetFont takes from a font.
enum {
	B_FONT_FAMILY_AND_STYLE = 0x00000001,
	B_FONT_SIZE = 0x00000002,
	B_FONT_SHEAR = 0x00000004,
	B_FONT_ROTATION = 0x00000008,
	B_FONT_SPACING = 0x00000010,
	B_FONT_ENCODING = 0x00000020,
	B_FONT_FACE = 0x00000040,
	B_FONT_FLAGS = 0x00000080,
	B_FONT_ALL = 0x000000FF
};

// Faces.
enum {
	B_ITALIC_FACE = 0x0001,
	B_UNDERSCORE_FACE = 0x0002,
	B_NEGATIVE_FACE = 0x0004,
	B_OUTLINED_FACE = 0x0008,
	B_STRIKEOUT_FACE = 0x0010,
	B_BOLD_FACE = 0x0020,
	B_REGULAR_FACE = 0x0040
};

// Flags of get_font_family and get_font_style.
enum {
	B_HAS_TUNED_FONT = 0x0001,
	B_IS_FIXED = 0x0002
};

enum font_metric_mode {
	B_SCREEN_METRIC = 0,
	B_PRINTING_METRIC = 1
};

enum font_file_format {
	B_TRUETYPE_WINDOWS = 0,
	B_POSTSCRIPT_TYPE1_WINDOWS = 1
};

// Vertical metrics in pixels: ascent above the baseline, descent below it, and leading,
// the extra space between lines.
struct font_height {
	float	ascent;
	float	descent;
	float	leading;
};

// Extra space added after each glyph when drawing: space for spaces, nonspace for the rest.
struct escapement_delta {
	float	nonspace;
	float	space;
};

struct edge_info {
	float	left;
	float	right;
};

class BFont {
public:
	// A copy of be_plain_font.
							BFont();
							BFont(const BFont& font);
							BFont(const BFont* font);

			BFont&			operator=(const BFont& font);
			bool			operator==(const BFont& font) const;
			bool			operator!=(const BFont& font) const;

	// B_NAME_NOT_FOUND when fontconfig knows no such family (the font then uses the
	// closest match); the names are kept either way. A NULL style means the family's
	// regular style.
			status_t		SetFamilyAndStyle(const font_family family, const font_style style);
			void			SetFamilyAndStyle(uint32 code);
	// The style is chosen from the face bits (bold, italic) among the family's styles.
			status_t		SetFamilyAndFace(const font_family family, uint16 face);
			void			GetFamilyAndStyle(font_family* family, font_style* style) const;
	// A number that identifies the family and style among the installed fonts.
			uint32			FamilyAndStyle() const;

	// Sizes are in points, one point a pixel; clamped to 1 ... 10000 (NaN gives 12).
	// Shear (45 ... 135 degrees, 90 upright) and rotation are kept and compared, but text
	// is always drawn upright.
			void			SetSize(float size);
			void			SetShear(float shear);
			void			SetRotation(float rotation);
			void			SetSpacing(uint8 spacing);
			void			SetEncoding(uint8 encoding);
	// Picks the family's style that matches face (bold, italic, regular).
			void			SetFace(uint16 face);
			void			SetFlags(uint32 flags);

			float			Size() const;
			float			Shear() const;
			float			Rotation() const;
			uint8			Spacing() const;
			uint8			Encoding() const;
			uint16			Face() const;
			uint32			Flags() const;
			font_direction	Direction() const;
			bool			IsFixed() const;
			font_file_format FileFormat() const;
			BRect			BoundingBox() const;

	// Width in pixels of the UTF-8 text; the same as the pen advance of drawing it.
			float			StringWidth(const char* string) const;
			float			StringWidth(const char* string, int32 length) const;
			void			GetStringWidths(const char* stringArray[],
								const int32 lengthArray[], int32 numStrings,
								float widthArray[]) const;
	// Advance of each character of the text, in units of the font size (em).
			void			GetEscapements(const char charArray[], int32 numChars,
								float escapementArray[]) const;
			void			GetHeight(font_height* height) const;

	// Shortens inOut to fit width, putting an ellipsis ("…") where text was removed.
			void			TruncateString(BString* inOut, uint32 mode, float width) const;
	// The char-buffer form: each result buffer must hold the string's length plus 3 bytes.
			void			GetTruncatedStrings(const char* stringArray[], int32 numStrings,
								uint32 mode, float width, char* resultArray[]) const;

			void			PrintToStream() const;

private:
	friend class BPrivate::DefaultFonts;

	// Constant-initialised, so the system fonts are usable during static initialisation.
	constexpr				BFont(const char* family, const char* style, float size,
								uint16 face)
								:
								fFamily(),
								fStyle(),
								fSize(size),
								fShear(90.0f),
								fRotation(0.0f),
								fSpacing(B_CHAR_SPACING),
								fEncoding(B_UNICODE_UTF8),
								fFace(face),
								fFlags(0)
							{
								for (int i = 0; i < B_FONT_FAMILY_LENGTH && family[i] != '\0'; i++)
									fFamily[i] = family[i];
								for (int i = 0; i < B_FONT_STYLE_LENGTH && style[i] != '\0'; i++)
									fStyle[i] = style[i];
							}

			void			_SetStyleForFace(uint16 face);

			font_family		fFamily;
			font_style		fStyle;
			float			fSize;
			float			fShear;
			float			fRotation;
			uint8			fSpacing;
			uint8			fEncoding;
			uint16			fFace;
			uint32			fFlags;
};

// The system fonts: DejaVu Sans Book 12, DejaVu Sans Bold 12 and DejaVu Sans Mono Book 12
// where installed, the closest match otherwise.
extern const BFont* be_plain_font;
extern const BFont* be_bold_font;
extern const BFont* be_fixed_font;

// The font families and styles fontconfig lists, sorted by name.
int32 count_font_families();
status_t get_font_family(int32 index, font_family* name, uint32* flags = NULL);
int32 count_font_styles(font_family name);
status_t get_font_style(font_family family, int32 index, font_style* name,
	uint32* flags = NULL);
status_t get_font_style(font_family family, int32 index, font_style* name, uint16* face,
	uint32* flags = NULL);
bool update_font_families(bool checkOnly);

#endif	// _FONT_H
