#include "translation/ImageDecoders.h"

#include <climits>
#include <cstring>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#pragma GCC diagnostic pop


namespace {

// The stb_image release this system ships does not check that a JPEG Huffman table lists
// at most 256 codes, and writes past its table when one lists more. Such files are
// refused here, before stb_image sees them. The walk follows stb_image's own: bytes past
// the end read as zero, and the entropy-coded data after a scan header is skipped up to
// the next marker.
bool
JPEGTablesSafe(const uint8* data, size_t size)
{
	auto byteAt = [&](size_t position) -> uint32 {
		return position < size ? data[position] : 0;
	};
	size_t position = 2;
	while (position + 1 < size) {
		if (data[position] != 0xff) {
			position++;
			continue;
		}
		uint8 marker = data[position + 1];
		if (marker == 0xff) {
			position++;
			continue;
		}
		if (marker == 0x00 || marker == 0x01 || marker == 0xd8
			|| (marker >= 0xd0 && marker <= 0xd7)) {
			position += 2;
			continue;
		}
		if (marker == 0xd9)
			return true;
		int32 length = (int32)((byteAt(position + 2) << 8) | byteAt(position + 3));
		if (marker == 0xc4) {
			int32 left = length - 2;
			size_t table = position + 4;
			while (left > 0) {
				uint32 count = 0;
				for (int i = 0; i < 16; i++)
					count += byteAt(table + 1 + i);
				if (count > 256)
					return false;
				left -= 17 + (int32)count;
				table += 17 + count;
			}
		}
		position += 2 + (size_t)length;
	}
	return true;
}

}	// namespace


bool
BPrivate::ImageSizeAcceptable(int64 width, int64 height)
{
	return width > 0 && height > 0 && width <= 32768 && height <= 32768
		&& width * height <= ((int64)1 << 26);
}


BPrivate::ImageFormat
BPrivate::SniffImage(const uint8* data, size_t size)
{
	if (data == NULL)
		return kUnknownImage;
	if (size >= 2 && data[0] == 'B' && data[1] == 'M')
		return kBMPImage;
	if (size >= 8 && memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0)
		return kPNGImage;
	if (size >= 3 && data[0] == 0xff && data[1] == 0xd8 && data[2] == 0xff)
		return kJPEGImage;
	if (size >= 6 && (memcmp(data, "GIF87a", 6) == 0 || memcmp(data, "GIF89a", 6) == 0))
		return kGIFImage;
	return kUnknownImage;
}


status_t
BPrivate::DecodeWithStb(const uint8* data, size_t size, DecodedImage& image)
{
	if (data == NULL || size == 0 || size > INT_MAX)
		return B_ILLEGAL_DATA;
	if (SniffImage(data, size) == kJPEGImage && !JPEGTablesSafe(data, size))
		return B_ILLEGAL_DATA;
	int width = 0;
	int height = 0;
	int components = 0;
	// Look at the size first, so that absurd dimensions never reach the allocator.
	if (!stbi_info_from_memory(data, (int)size, &width, &height, &components))
		return B_ILLEGAL_DATA;
	if (!ImageSizeAcceptable(width, height))
		return B_ILLEGAL_DATA;

	stbi_uc* pixels = stbi_load_from_memory(data, (int)size, &width, &height, &components, 4);
	if (pixels == NULL)
		return B_ILLEGAL_DATA;
	if (!ImageSizeAcceptable(width, height)) {
		stbi_image_free(pixels);
		return B_ILLEGAL_DATA;
	}
	image.width = width;
	image.height = height;
	image.hasAlpha = components == 2 || components == 4;
	size_t count = (size_t)width * height;
	image.pixels.resize(count * 4);
	for (size_t i = 0; i < count; i++) {
		image.pixels[i * 4] = pixels[i * 4 + 2];
		image.pixels[i * 4 + 1] = pixels[i * 4 + 1];
		image.pixels[i * 4 + 2] = pixels[i * 4];
		image.pixels[i * 4 + 3] = image.hasAlpha ? pixels[i * 4 + 3] : 255;
	}
	stbi_image_free(pixels);
	return B_OK;
}
