#include "translation/PNGWriter.h"

#include <Bitmap.h>

#include "interface/BitmapPixels.h"

#include <stb/stb_image_write.h>

#include <vector>


static status_t
WriteRGBA(const std::vector<uint8>& rgba, int32 width, int32 height, const char* path)
{
	if (stbi_write_png(path, width, height, 4, rgba.data(), width * 4) == 0)
		return B_IO_ERROR;
	return B_OK;
}


status_t
BPrivate::WritePNG(const BBitmap* bitmap, const char* path)
{
	if (bitmap == NULL || !bitmap->IsValid() || path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	int32 width = bitmap->Bounds().IntegerWidth() + 1;
	int32 height = bitmap->Bounds().IntegerHeight() + 1;
	color_space space = bitmap->ColorSpace();
	std::vector<uint8> rgba((size_t)width * height * 4);
	const uint8* bits = (const uint8*)bitmap->Bits();
	for (int32 y = 0; y < height; y++) {
		const uint8* row = bits + (size_t)y * bitmap->BytesPerRow();
		uint8* out = &rgba[(size_t)y * width * 4];
		for (int32 x = 0; x < width; x++) {
			rgb_color color = ReadPixel(row, x, space);
			out[x * 4] = color.red;
			out[x * 4 + 1] = color.green;
			out[x * 4 + 2] = color.blue;
			out[x * 4 + 3] = color.alpha;
		}
	}
	return WriteRGBA(rgba, width, height, path);
}


status_t
BPrivate::WritePNG(const void* bits, int32 width, int32 height, int32 bytesPerRow,
	const char* path)
{
	if (bits == NULL || width <= 0 || height <= 0 || width > 32768 || height > 32768
		|| bytesPerRow < width * 4 || path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	std::vector<uint8> rgba((size_t)width * height * 4);
	for (int32 y = 0; y < height; y++) {
		const uint8* row = (const uint8*)bits + (size_t)y * bytesPerRow;
		uint8* out = &rgba[(size_t)y * width * 4];
		for (int32 x = 0; x < width; x++) {
			out[x * 4] = row[x * 4 + 2];
			out[x * 4 + 1] = row[x * 4 + 1];
			out[x * 4 + 2] = row[x * 4];
			out[x * 4 + 3] = 255;
		}
	}
	return WriteRGBA(rgba, width, height, path);
}
