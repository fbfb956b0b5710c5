/*
 * The image readers behind BTranslatorRoster. Each takes a whole file in memory and
 * produces 32-bit pixels, or an error: B_ILLEGAL_DATA for damaged, truncated or absurdly
 * large images (checked before any pixel memory is taken), B_NO_TRANSLATOR for data that
 * is not of the reader's format.
 */
#ifndef _PRIVATE_IMAGE_DECODERS_H
#define _PRIVATE_IMAGE_DECODERS_H

#include <SupportDefs.h>

#include <vector>

namespace BPrivate {

// Pixels in B_RGB32 / B_RGBA32 memory order (B, G, R, A), rows top to bottom, no padding.
struct DecodedImage {
	int32				width = 0;
	int32				height = 0;
	bool				hasAlpha = false;
	std::vector<uint8>	pixels;
};

// The largest image accepted: 32768 pixels on a side and 64 megapixels. The readers take
// several times the pixel memory while decoding (a GIF nine bytes a pixel), so the limit
// stays well below BBitmap's own 1 GiB.
bool ImageSizeAcceptable(int64 width, int64 height);

enum ImageFormat {
	kUnknownImage = 0,
	kBMPImage,
	kPNGImage,
	kJPEGImage,
	kGIFImage
};

// Recognises a format by its first bytes.
ImageFormat SniffImage(const uint8* data, size_t size);

// BMP: 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bit fields, bottom-up and top-down,
// OS/2 (12 and 64 byte) and Windows (40 to 124 byte) headers.
status_t DecodeBMP(const uint8* data, size_t size, DecodedImage& image);

// PNG, JPEG and GIF (its first frame) through stb_image.
status_t DecodeWithStb(const uint8* data, size_t size, DecodedImage& image);

}	// namespace BPrivate

#endif	// _PRIVATE_IMAGE_DECODERS_H
