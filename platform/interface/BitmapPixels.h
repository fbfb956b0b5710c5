/*
 * Reading and writing single pixels of any supported colour space; shared by BBitmap's
 * conversions and the renderer.
 */
#ifndef _PRIVATE_BITMAP_PIXELS_H
#define _PRIVATE_BITMAP_PIXELS_H

#include <GraphicsDefs.h>

namespace BPrivate {

// The colour of pixel x of a row. B_RGB32 pixels read as opaque; B_GRAY1 set bits as black.
rgb_color ReadPixel(const uint8* row, int32 x, color_space space);
void WritePixel(uint8* row, int32 x, color_space space, rgb_color color);
// Whether pixel x of a row is a transparent pixel of its space (B_TRANSPARENT_COLOR in
// 32-bit spaces, alpha 0 in B_RGBA32, index 255 in B_CMAP8).
bool IsTransparentPixel(const uint8* row, int32 x, color_space space);

}	// namespace BPrivate

#endif	// _PRIVATE_BITMAP_PIXELS_H
