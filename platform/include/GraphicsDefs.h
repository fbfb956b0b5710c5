/*
 * Colours, colour spaces, patterns and drawing modes, with the values of BeOS R5.
 */
#ifndef _GRAPHICS_DEFS_H
#define _GRAPHICS_DEFS_H

#include <SupportDefs.h>

// A colour with 8 bits per channel. Alpha 255 is opaque.
typedef struct rgb_color {
	uint8	red;
	uint8	green;
	uint8	blue;
	uint8	alpha;

	rgb_color&	set_to(uint8 r, uint8 g, uint8 b, uint8 a = 255)
				{ red = r; green = g; blue = b; alpha = a; return *this; }

	bool	operator==(const rgb_color& other) const
				{ return red == other.red && green == other.green && blue == other.blue
					&& alpha == other.alpha; }
	bool	operator!=(const rgb_color& other) const { return !(*this == other); }
} rgb_color;

// Builds an rgb_color in one expression.
inline rgb_color
make_color(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255)
{
	rgb_color color = { red, green, blue, alpha };
	return color;
}

// An 8 by 8 pixel pattern: a set bit draws the high colour, a clear bit the low colour.
// Row y is data[y & 7]; the most significant bit is the leftmost pixel (x & 7 == 0).
typedef struct pattern {
	uint8	data[8];

	bool	operator==(const pattern& other) const
				{
					for (int i = 0; i < 8; i++) {
						if (data[i] != other.data[i])
							return false;
					}
					return true;
				}
	bool	operator!=(const pattern& other) const { return !(*this == other); }
} pattern;

extern const pattern B_SOLID_HIGH;
extern const pattern B_MIXED_COLORS;
extern const pattern B_SOLID_LOW;

// Pixels of this colour are not drawn by bitmaps in any mode but B_OP_COPY.
extern const rgb_color B_TRANSPARENT_COLOR;
extern const rgb_color B_TRANSPARENT_32_BIT;
extern const uint8 B_TRANSPARENT_8_BIT;

#define B_TRANSPARENT_MAGIC_CMAP8	0xff
#define B_TRANSPARENT_MAGIC_RGBA15	0x39ce
#define B_TRANSPARENT_MAGIC_RGBA15_BIG	0xce39
#define B_TRANSPARENT_MAGIC_RGBA32	0x00777477
#define B_TRANSPARENT_MAGIC_RGBA32_BIG	0x77747700

// Pixel layouts. The plain names are little endian: B_RGB32 is the bytes B, G, R, A in
// memory (uint32 0xAARRGGBB), B_RGB24 is B, G, R, B_RGB16 is 5-6-5 with blue in the low bits.
typedef enum {
	B_NO_COLOR_SPACE	= 0x0000,

	B_RGB32				= 0x0008,
	B_RGBA32			= 0x2008,
	B_RGB24				= 0x0003,
	B_RGB16				= 0x0005,
	B_RGB15				= 0x0010,
	B_RGBA15			= 0x2010,
	B_CMAP8				= 0x0004,
	B_GRAY8				= 0x0002,
	B_GRAY1				= 0x0001,

	B_RGB32_BIG			= 0x1008,
	B_RGBA32_BIG		= 0x3008,
	B_RGB24_BIG			= 0x1003,
	B_RGB16_BIG			= 0x1005,
	B_RGB15_BIG			= 0x1010,
	B_RGBA15_BIG		= 0x3010,

	B_RGB32_LITTLE		= B_RGB32,
	B_RGBA32_LITTLE		= B_RGBA32,
	B_RGB24_LITTLE		= B_RGB24,
	B_RGB16_LITTLE		= B_RGB16,
	B_RGB15_LITTLE		= B_RGB15,
	B_RGBA15_LITTLE		= B_RGBA15,

	B_YCbCr422			= 0x4000,
	B_YCbCr411			= 0x4001,
	B_YCbCr444			= 0x4003,
	B_YCbCr420			= 0x4004,
	B_YUV422			= 0x4021,
	B_YUV411			= 0x4022,
	B_YUV444			= 0x4023,
	B_YUV420			= 0x4024,
	B_YUV9				= 0x402c,
	B_YUV12				= 0x402d,

	B_UVL24				= 0x4030,
	B_UVL32				= 0x4031,
	B_UVLA32			= 0x6031,
	B_LAB24				= 0x4032,
	B_LAB32				= 0x4033,
	B_LABA32			= 0x6033,
	B_HSI24				= 0x4040,
	B_HSI32				= 0x4041,
	B_HSIA32			= 0x6041,
	B_HSV24				= 0x4042,
	B_HSV32				= 0x4043,
	B_HSVA32			= 0x6043,
	B_HLS24				= 0x4044,
	B_HLS32				= 0x4045,
	B_HLSA32			= 0x6045,
	B_CMY24				= 0xc001,
	B_CMY32				= 0xc002,
	B_CMYA32			= 0xe002,
	B_CMYK32			= 0xc003
} color_space;

// How the source (a pattern colour, a bitmap pixel, a glyph) combines with the pixels
// already there.
typedef enum {
	B_OP_COPY,		// replace
	B_OP_OVER,		// replace, but skip low-colour pattern pixels and transparent pixels
	B_OP_ERASE,		// paint the low colour where the source would draw
	B_OP_INVERT,	// invert the destination where the source would draw
	B_OP_ADD,		// add per channel, saturating at 255
	B_OP_SUBTRACT,	// subtract per channel, saturating at 0
	B_OP_BLEND,		// average of source and destination
	B_OP_MIN,		// keep whichever is darker
	B_OP_MAX,		// keep whichever is lighter
	B_OP_SELECT,	// swap the high and low colours where they occur
	B_OP_ALPHA		// alpha blending, controlled by source_alpha and alpha_function
} drawing_mode;

// Where B_OP_ALPHA takes the alpha from: each source pixel, or the high colour.
typedef enum {
	B_PIXEL_ALPHA = 0,
	B_CONSTANT_ALPHA
} source_alpha;

// How B_OP_ALPHA treats the destination's alpha: left as it is (overlay) or combined
// (composite).
typedef enum {
	B_ALPHA_OVERLAY = 0,
	B_ALPHA_COMPOSITE
} alpha_function;

// An indexed colour palette with its inverse lookup. index_map is addressed by a 15-bit
// colour (5 bits each of red, green, blue; red in the high bits).
typedef struct color_map {
	int32		id;
	rgb_color	color_list[256];
	uint8		inversion_map[256];
	uint8		index_map[32768];
} color_map;

// The storage of a colour space: pixelChunk bytes hold pixelsPerChunk pixels, and a
// bitmap's rows are padded to a multiple of rowAlignment bytes. B_BAD_VALUE for spaces
// that are not plain pixel layouts.
status_t get_pixel_size_for(color_space space, size_t* pixelChunk, size_t* rowAlignment,
	size_t* pixelsPerChunk);

#endif	// _GRAPHICS_DEFS_H
