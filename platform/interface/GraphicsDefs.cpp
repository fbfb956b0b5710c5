#include <GraphicsDefs.h>

const pattern B_SOLID_HIGH = { { 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff } };
const pattern B_MIXED_COLORS = { { 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55 } };
const pattern B_SOLID_LOW = { { 0, 0, 0, 0, 0, 0, 0, 0 } };

const rgb_color B_TRANSPARENT_COLOR = { 0x77, 0x74, 0x77, 0x00 };
const rgb_color B_TRANSPARENT_32_BIT = { 0x77, 0x74, 0x77, 0x00 };
const uint8 B_TRANSPARENT_8_BIT = 0xff;


status_t
get_pixel_size_for(color_space space, size_t* pixelChunk, size_t* rowAlignment,
	size_t* pixelsPerChunk)
{
	size_t chunk = 0;
	size_t perChunk = 1;
	switch (space) {
		case B_RGB32:
		case B_RGBA32:
		case B_RGB32_BIG:
		case B_RGBA32_BIG:
			chunk = 4;
			break;
		case B_RGB24:
		case B_RGB24_BIG:
			chunk = 3;
			break;
		case B_RGB16:
		case B_RGB15:
		case B_RGBA15:
		case B_RGB16_BIG:
		case B_RGB15_BIG:
		case B_RGBA15_BIG:
			chunk = 2;
			break;
		case B_CMAP8:
		case B_GRAY8:
			chunk = 1;
			break;
		case B_GRAY1:
			chunk = 1;
			perChunk = 8;
			break;
		default:
			return B_BAD_VALUE;
	}
	if (pixelChunk != NULL)
		*pixelChunk = chunk;
	if (rowAlignment != NULL)
		*rowAlignment = 4;
	if (pixelsPerChunk != NULL)
		*pixelsPerChunk = perChunk;
	return B_OK;
}
