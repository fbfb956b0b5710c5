#include <Bitmap.h>

#include <InterfaceDefs.h>

#include "interface/BitmapPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

const int32 kMaxSide = 32768;
const int64 kMaxBytes = (int64)1 << 30;


// Bytes per row for width pixels of space, padded to four bytes; -1 if unsupported.
int64
RowBytesFor(color_space space, int64 width)
{
	size_t chunk;
	size_t alignment;
	size_t perChunk;
	if (get_pixel_size_for(space, &chunk, &alignment, &perChunk) != B_OK)
		return -1;
	int64 bytes = (width + (int64)perChunk - 1) / (int64)perChunk * (int64)chunk;
	return (bytes + 3) & ~(int64)3;
}


}	// namespace

using BPrivate::ReadPixel;
using BPrivate::WritePixel;


rgb_color
BPrivate::ReadPixel(const uint8* row, int32 x, color_space space)
{
	switch (space) {
		case B_RGB32:
		case B_RGBA32:
		{
			const uint8* p = row + x * 4;
			return make_color(p[2], p[1], p[0], space == B_RGBA32 ? p[3] : 255);
		}
		case B_RGB32_BIG:
		case B_RGBA32_BIG:
		{
			const uint8* p = row + x * 4;
			return make_color(p[1], p[2], p[3], space == B_RGBA32_BIG ? p[0] : 255);
		}
		case B_RGB24:
		{
			const uint8* p = row + x * 3;
			return make_color(p[2], p[1], p[0]);
		}
		case B_RGB24_BIG:
		{
			const uint8* p = row + x * 3;
			return make_color(p[0], p[1], p[2]);
		}
		case B_RGB16:
		{
			uint16 v = (uint16)(row[x * 2] | (row[x * 2 + 1] << 8));
			return make_color((uint8)(((v >> 11) & 31) * 255 / 31),
				(uint8)(((v >> 5) & 63) * 255 / 63), (uint8)((v & 31) * 255 / 31));
		}
		case B_RGB15:
		case B_RGBA15:
		{
			uint16 v = (uint16)(row[x * 2] | (row[x * 2 + 1] << 8));
			uint8 alpha = space == B_RGBA15 && (v & 0x8000) == 0 ? 0 : 255;
			return make_color((uint8)(((v >> 10) & 31) * 255 / 31),
				(uint8)(((v >> 5) & 31) * 255 / 31), (uint8)((v & 31) * 255 / 31), alpha);
		}
		case B_CMAP8:
			return system_colors()->color_list[row[x]];
		case B_GRAY8:
			return make_color(row[x], row[x], row[x]);
		case B_GRAY1:
		{
			bool set = (row[x >> 3] & (0x80 >> (x & 7))) != 0;
			uint8 value = set ? 0 : 255;
			return make_color(value, value, value);
		}
		default:
			return make_color(0, 0, 0);
	}
}


void
BPrivate::WritePixel(uint8* row, int32 x, color_space space, rgb_color color)
{
	switch (space) {
		case B_RGB32:
		case B_RGBA32:
		{
			uint8* p = row + x * 4;
			p[0] = color.blue;
			p[1] = color.green;
			p[2] = color.red;
			p[3] = color.alpha;
			break;
		}
		case B_RGB32_BIG:
		case B_RGBA32_BIG:
		{
			uint8* p = row + x * 4;
			p[0] = color.alpha;
			p[1] = color.red;
			p[2] = color.green;
			p[3] = color.blue;
			break;
		}
		case B_RGB24:
		{
			uint8* p = row + x * 3;
			p[0] = color.blue;
			p[1] = color.green;
			p[2] = color.red;
			break;
		}
		case B_RGB24_BIG:
		{
			uint8* p = row + x * 3;
			p[0] = color.red;
			p[1] = color.green;
			p[2] = color.blue;
			break;
		}
		case B_RGB16:
		{
			uint16 v = (uint16)(((color.red >> 3) << 11) | ((color.green >> 2) << 5)
				| (color.blue >> 3));
			row[x * 2] = (uint8)v;
			row[x * 2 + 1] = (uint8)(v >> 8);
			break;
		}
		case B_RGB15:
		case B_RGBA15:
		{
			uint16 v = (uint16)(((color.red >> 3) << 10) | ((color.green >> 3) << 5)
				| (color.blue >> 3));
			if (space == B_RGB15 || color.alpha >= 128)
				v |= 0x8000;
			row[x * 2] = (uint8)v;
			row[x * 2 + 1] = (uint8)(v >> 8);
			break;
		}
		case B_CMAP8:
			row[x] = BPrivate::index_for_color(color);
			break;
		case B_GRAY8:
			row[x] = (uint8)((color.red * 308 + color.green * 600 + color.blue * 116) >> 10);
			break;
		case B_GRAY1:
		{
			uint8 gray = (uint8)((color.red * 308 + color.green * 600 + color.blue * 116)
				>> 10);
			if (gray < 128)
				row[x >> 3] |= (uint8)(0x80 >> (x & 7));
			else
				row[x >> 3] &= (uint8)~(0x80 >> (x & 7));
			break;
		}
		default:
			break;
	}
}


bool
BPrivate::IsTransparentPixel(const uint8* row, int32 x, color_space space)
{
	switch (space) {
		case B_RGB32:
		case B_RGBA32:
		{
			const uint8* p = row + x * 4;
			if (space == B_RGBA32 && p[3] == 0)
				return true;
			return p[0] == B_TRANSPARENT_COLOR.blue && p[1] == B_TRANSPARENT_COLOR.green
				&& p[2] == B_TRANSPARENT_COLOR.red;
		}
		case B_RGB32_BIG:
		case B_RGBA32_BIG:
		{
			const uint8* p = row + x * 4;
			if (space == B_RGBA32_BIG && p[0] == 0)
				return true;
			return p[1] == B_TRANSPARENT_COLOR.red && p[2] == B_TRANSPARENT_COLOR.green
				&& p[3] == B_TRANSPARENT_COLOR.blue;
		}
		case B_RGBA15:
			return (row[x * 2 + 1] & 0x80) == 0;
		case B_CMAP8:
			return row[x] == B_TRANSPARENT_MAGIC_CMAP8;
		default:
			return false;
	}
}


BBitmap::BBitmap(BRect bounds, color_space space, bool acceptsViews, bool needsContiguous)
	:
	fBits(NULL),
	fSpace(space),
	fBytesPerRow(0),
	fBitsLength(0),
	fStatus(B_NO_INIT),
	fAcceptsViews(acceptsViews)
{
	_Init(bounds, space);
}


BBitmap::BBitmap(const BBitmap* source, bool acceptsViews, bool needsContiguous)
	:
	fBits(NULL),
	fSpace(B_NO_COLOR_SPACE),
	fBytesPerRow(0),
	fBitsLength(0),
	fStatus(B_NO_INIT),
	fAcceptsViews(acceptsViews)
{
	if (source == NULL || !source->IsValid()) {
		fStatus = B_BAD_VALUE;
		return;
	}
	_Init(source->Bounds(), source->ColorSpace());
	if (fStatus == B_OK)
		memcpy(fBits, source->fBits, fBitsLength);
}


BBitmap::~BBitmap()
{
	free(fBits);
}


void
BBitmap::_Init(BRect bounds, color_space space)
{
	fSpace = space;
	if (std::isnan(bounds.left) || std::isnan(bounds.top) || std::isnan(bounds.right)
		|| std::isnan(bounds.bottom) || !bounds.IsValid()) {
		fStatus = B_BAD_VALUE;
		return;
	}
	double width = std::floor(bounds.right) - std::floor(bounds.left) + 1;
	double height = std::floor(bounds.bottom) - std::floor(bounds.top) + 1;
	if (!(width >= 1 && height >= 1)) {
		fStatus = B_BAD_VALUE;
		return;
	}
	if (width > kMaxSide || height > kMaxSide) {
		fStatus = B_NO_MEMORY;
		return;
	}
	int64 rowBytes = RowBytesFor(space, (int64)width);
	if (rowBytes <= 0) {
		fStatus = B_BAD_VALUE;
		return;
	}
	int64 length = rowBytes * (int64)height;
	if (length > kMaxBytes) {
		fStatus = B_NO_MEMORY;
		return;
	}
	fBits = (uint8*)calloc(1, (size_t)length);
	if (fBits == NULL) {
		fStatus = B_NO_MEMORY;
		return;
	}
	fBounds.Set(0, 0, (float)(width - 1), (float)(height - 1));
	fBytesPerRow = (int32)rowBytes;
	fBitsLength = (int32)length;
	fStatus = B_OK;
}


status_t
BBitmap::InitCheck() const
{
	return fStatus;
}


bool
BBitmap::IsValid() const
{
	return fStatus == B_OK;
}


BRect
BBitmap::Bounds() const
{
	return fBounds;
}


void*
BBitmap::Bits() const
{
	return fBits;
}


int32
BBitmap::BitsLength() const
{
	return fBitsLength;
}


int32
BBitmap::BytesPerRow() const
{
	return fBytesPerRow;
}


color_space
BBitmap::ColorSpace() const
{
	return fSpace;
}


void
BBitmap::SetBits(const void* data, int32 length, int32 offset, color_space colorSpace)
{
	if (!IsValid() || data == NULL || length <= 0 || offset < 0 || offset >= fBitsLength)
		return;

	if (colorSpace == fSpace) {
		int32 count = std::min(length, fBitsLength - offset);
		memcpy(fBits + offset, data, count);
		return;
	}

	int32 width = fBounds.IntegerWidth() + 1;
	int64 sourceRowBytes = RowBytesFor(colorSpace, width);
	size_t sourceChunk;
	size_t destChunk;
	size_t sourcePerChunk;
	size_t destPerChunk;
	if (sourceRowBytes <= 0
		|| get_pixel_size_for(colorSpace, &sourceChunk, NULL, &sourcePerChunk) != B_OK
		|| get_pixel_size_for(fSpace, &destChunk, NULL, &destPerChunk) != B_OK)
		return;

	// The offset names a byte of the bitmap; start at the pixel that holds it.
	int32 destY = offset / fBytesPerRow;
	int32 destX = (int32)((offset % fBytesPerRow) / (int32)destChunk * (int32)destPerChunk);
	if (destX >= width) {
		destX = 0;
		destY++;
	}

	// The source starts at the same pixel as the destination, so both wrap their rows
	// together.
	if (sourcePerChunk != 1)
		return;
	const uint8* source = (const uint8*)data;
	int64 sourceX = destX;
	int64 sourceRowStart = -(int64)destX * (int64)sourceChunk;
	int32 height = fBounds.IntegerHeight() + 1;
	while (destY < height) {
		// The byte just past the source pixel at sourceX.
		int64 pixelEnd = sourceRowStart
			+ (sourceX / (int64)sourcePerChunk + 1) * (int64)sourceChunk;
		if (pixelEnd > length)
			break;
		rgb_color color = ReadPixel(source + sourceRowStart, (int32)sourceX, colorSpace);
		WritePixel(fBits + (int64)destY * fBytesPerRow, destX, fSpace, color);
		sourceX++;
		if (sourceX >= width) {
			sourceX = 0;
			sourceRowStart += sourceRowBytes;
		}
		destX++;
		if (destX >= width) {
			destX = 0;
			destY++;
		}
	}
}
