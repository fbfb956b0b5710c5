/*
 * Format codes of the Translation Kit and the interchange format for bitmaps.
 */
#ifndef _TRANSLATOR_FORMATS_H
#define _TRANSLATOR_FORMATS_H

#include <GraphicsDefs.h>
#include <Rect.h>

// The groups, each with its interchange format of the same code.
enum TranslatorGroups {
	B_TRANSLATOR_BITMAP = 'bits',
	B_TRANSLATOR_PICTURE = 'pict',
	B_TRANSLATOR_SOUND = 'nois',
	B_TRANSLATOR_TEXT = 'TEXT',
	B_TRANSLATOR_MIDI = 'midi',
	B_TRANSLATOR_MEDIA = 'mhi!',
	B_TRANSLATOR_NONE = 'none',
	B_TRANSLATOR_ANY_TYPE = 0
};

// Some well-known file formats.
enum {
	B_GIF_FORMAT = 'GIF ',
	B_JPEG_FORMAT = 'JPEG',
	B_PNG_FORMAT = 'PNG ',
	B_PPM_FORMAT = 'PPM ',
	B_TGA_FORMAT = 'TGA ',
	B_BMP_FORMAT = 'BMP ',
	B_TIFF_FORMAT = 'TIFF',

	B_STYLED_TEXT_FORMAT = 'STXT'
};

// The header of the B_TRANSLATOR_BITMAP format, followed by dataSize bytes of pixels.
// In a stream every field is big-endian (the four floats of bounds too), as on R5; the
// header takes 32 bytes.
struct TranslatorBitmap {
	uint32		magic;		// B_TRANSLATOR_BITMAP
	BRect		bounds;
	uint32		rowBytes;
	color_space	colors;
	uint32		dataSize;
};

#endif	// _TRANSLATOR_FORMATS_H
