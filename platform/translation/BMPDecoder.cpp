#include "translation/ImageDecoders.h"

#include <cstring>

namespace {

enum {
	kCompressionNone = 0,
	kCompressionRLE8 = 1,
	kCompressionRLE4 = 2,
	kCompressionBitFields = 3,
	kCompressionAlphaBitFields = 6
};

struct Palette {
	uint8	blue[256];
	uint8	green[256];
	uint8	red[256];
	int32	count;
};

// A colour channel described by a bit mask within a pixel value.
struct Channel {
	uint32	mask;
	int		shift;
	int		bits;
};


uint16
Read16(const uint8* p)
{
	return (uint16)(p[0] | (p[1] << 8));
}


uint32
Read32(const uint8* p)
{
	return (uint32)p[0] | ((uint32)p[1] << 8) | ((uint32)p[2] << 16) | ((uint32)p[3] << 24);
}


Channel
MakeChannel(uint32 mask)
{
	Channel channel = { mask, 0, 0 };
	if (mask == 0)
		return channel;
	while ((mask & 1) == 0) {
		mask >>= 1;
		channel.shift++;
	}
	while ((mask & 1) != 0 && channel.bits < 32) {
		mask >>= 1;
		channel.bits++;
	}
	return channel;
}


// Scales a channel's value to 8 bits.
uint8
ChannelValue(uint32 pixel, const Channel& channel)
{
	if (channel.mask == 0)
		return 0;
	uint32 value = (pixel & channel.mask) >> channel.shift;
	if (channel.bits >= 8)
		return (uint8)(value >> (channel.bits - 8));
	uint32 max = (1u << channel.bits) - 1;
	return (uint8)(value * 255 / max);
}


void
PutIndexed(BPrivate::DecodedImage& image, int32 x, int32 y, uint32 index,
	const Palette& palette)
{
	uint8* pixel = &image.pixels[((size_t)y * image.width + x) * 4];
	if ((int32)index < palette.count) {
		pixel[0] = palette.blue[index];
		pixel[1] = palette.green[index];
		pixel[2] = palette.red[index];
	} else {
		pixel[0] = pixel[1] = pixel[2] = 0;
	}
	pixel[3] = 255;
}


// Run-length decoding of RLE8 and RLE4 (bottom-up only). Pixels the data skips stay
// as palette entry 0. Running out of data before the last row is an error.
status_t
DecodeRLE(const uint8* data, size_t size, int bitsPerPixel, const Palette& palette,
	BPrivate::DecodedImage& image)
{
	int32 width = image.width;
	int32 height = image.height;
	for (int32 y = 0; y < height; y++) {
		for (int32 x = 0; x < width; x++)
			PutIndexed(image, x, y, 0, palette);
	}

	// Rows are counted from the bottom.
	int32 x = 0;
	int32 row = 0;
	size_t position = 0;
	auto put = [&](uint32 index) {
		if (x < width && row < height)
			PutIndexed(image, x, height - 1 - row, index, palette);
		x++;
	};

	while (row < height) {
		if (position + 2 > size)
			return B_ILLEGAL_DATA;
		uint8 count = data[position];
		uint8 value = data[position + 1];
		position += 2;
		if (count > 0) {
			for (int i = 0; i < count; i++) {
				if (bitsPerPixel == 8)
					put(value);
				else
					put((i & 1) == 0 ? value >> 4 : value & 0x0f);
			}
			continue;
		}
		switch (value) {
			case 0:
				// End of line.
				x = 0;
				row++;
				break;
			case 1:
				// End of bitmap.
				return B_OK;
			case 2:
				// Delta: move right and up.
				if (position + 2 > size)
					return B_ILLEGAL_DATA;
				x += data[position];
				row += data[position + 1];
				position += 2;
				break;
			default:
			{
				// Absolute mode: value literal pixels, padded to a 16-bit boundary.
				size_t bytes = bitsPerPixel == 8 ? value : ((size_t)value + 1) / 2;
				if (position + bytes > size)
					return B_ILLEGAL_DATA;
				for (int i = 0; i < value; i++) {
					if (bitsPerPixel == 8) {
						put(data[position + i]);
					} else {
						uint8 byte = data[position + i / 2];
						put((i & 1) == 0 ? byte >> 4 : byte & 0x0f);
					}
				}
				position += bytes + (bytes & 1);
				break;
			}
		}
	}
	return B_OK;
}

}	// namespace


status_t
BPrivate::DecodeBMP(const uint8* data, size_t size, DecodedImage& image)
{
	if (data == NULL || size < 2 || data[0] != 'B' || data[1] != 'M')
		return B_NO_TRANSLATOR;
	if (size < 14 + 12)
		return B_ILLEGAL_DATA;

	uint32 pixelOffset = Read32(data + 10);
	uint32 headerSize = Read32(data + 14);
	if (headerSize < 12 || headerSize > size - 14)
		return B_ILLEGAL_DATA;
	const uint8* header = data + 14;

	int64 width;
	int64 height;
	uint32 bitsPerPixel;
	uint32 compression = kCompressionNone;
	uint32 colorsUsed = 0;
	bool os2 = false;
	uint32 masks[4] = { 0, 0, 0, 0 };
	bool haveMasks = false;

	if (headerSize == 12) {
		// OS/2 1.x: 16-bit dimensions and a palette of three-byte entries.
		os2 = true;
		width = Read16(header + 4);
		height = (int16)Read16(header + 6);
		bitsPerPixel = Read16(header + 10);
	} else {
		if (headerSize < 16)
			return B_ILLEGAL_DATA;
		width = (int32)Read32(header + 4);
		height = (int32)Read32(header + 8);
		bitsPerPixel = Read16(header + 14);
		if (headerSize >= 20)
			compression = Read32(header + 16);
		if (headerSize >= 36)
			colorsUsed = Read32(header + 32);
		if (headerSize == 64 || headerSize < 40) {
			// OS/2 2.x: its compression codes 3 and 4 are Huffman and RLE24.
			if (compression == kCompressionBitFields || compression == 4)
				return B_ILLEGAL_DATA;
		}
		if (headerSize >= 52 && headerSize != 64) {
			masks[0] = Read32(header + 40);
			masks[1] = Read32(header + 44);
			masks[2] = Read32(header + 48);
			if (headerSize >= 56)
				masks[3] = Read32(header + 52);
			haveMasks = compression == kCompressionBitFields
				|| compression == kCompressionAlphaBitFields;
		}
	}

	bool topDown = height < 0;
	if (topDown)
		height = -height;
	if (!ImageSizeAcceptable(width, height))
		return B_ILLEGAL_DATA;

	switch (bitsPerPixel) {
		case 1:
		case 4:
		case 8:
		case 16:
		case 24:
		case 32:
			break;
		default:
			return B_ILLEGAL_DATA;
	}
	switch (compression) {
		case kCompressionNone:
			break;
		case kCompressionRLE8:
			if (bitsPerPixel != 8 || topDown)
				return B_ILLEGAL_DATA;
			break;
		case kCompressionRLE4:
			if (bitsPerPixel != 4 || topDown)
				return B_ILLEGAL_DATA;
			break;
		case kCompressionBitFields:
		case kCompressionAlphaBitFields:
			if (bitsPerPixel != 16 && bitsPerPixel != 32)
				return B_ILLEGAL_DATA;
			break;
		default:
			return B_ILLEGAL_DATA;
	}

	// Bit masks that follow a 40-byte header.
	size_t afterHeader = 14 + (size_t)headerSize;
	if ((compression == kCompressionBitFields || compression == kCompressionAlphaBitFields)
		&& !haveMasks) {
		size_t maskBytes = compression == kCompressionAlphaBitFields ? 16 : 12;
		if (afterHeader + maskBytes > size)
			return B_ILLEGAL_DATA;
		for (size_t i = 0; i < maskBytes / 4; i++)
			masks[i] = Read32(data + afterHeader + i * 4);
		afterHeader += maskBytes;
		haveMasks = true;
	}

	Palette palette;
	memset(&palette, 0, sizeof(palette));
	if (bitsPerPixel <= 8) {
		uint32 entries = colorsUsed != 0 ? colorsUsed : 1u << bitsPerPixel;
		if (entries > 256)
			return B_ILLEGAL_DATA;
		size_t entrySize = os2 ? 3 : 4;
		// Some writers leave out the tail of the palette; take what is there.
		size_t available = pixelOffset > afterHeader && pixelOffset <= size
			? (pixelOffset - afterHeader) / entrySize : 0;
		if (available < entries)
			entries = (uint32)available;
		if (entries == 0)
			return B_ILLEGAL_DATA;
		for (uint32 i = 0; i < entries; i++) {
			const uint8* entry = data + afterHeader + i * entrySize;
			palette.blue[i] = entry[0];
			palette.green[i] = entry[1];
			palette.red[i] = entry[2];
		}
		palette.count = (int32)entries;
	}

	if (pixelOffset >= size)
		return B_ILLEGAL_DATA;

	image.width = (int32)width;
	image.height = (int32)height;
	image.hasAlpha = false;

	if (compression == kCompressionRLE8 || compression == kCompressionRLE4) {
		image.pixels.assign((size_t)width * height * 4, 0);
		status_t status = DecodeRLE(data + pixelOffset, size - pixelOffset, (int)bitsPerPixel,
			palette, image);
		if (status != B_OK)
			image.pixels.clear();
		return status;
	}

	size_t stride = (size_t)((width * bitsPerPixel + 31) / 32) * 4;
	if ((size - pixelOffset) / stride < (size_t)height)
		return B_ILLEGAL_DATA;
	image.pixels.assign((size_t)width * height * 4, 0);

	Channel red;
	Channel green;
	Channel blue;
	Channel alpha;
	if (haveMasks) {
		red = MakeChannel(masks[0]);
		green = MakeChannel(masks[1]);
		blue = MakeChannel(masks[2]);
		alpha = MakeChannel(masks[3]);
	} else if (bitsPerPixel == 16) {
		red = MakeChannel(0x7c00);
		green = MakeChannel(0x03e0);
		blue = MakeChannel(0x001f);
		alpha = MakeChannel(0);
	} else {
		red = MakeChannel(0x00ff0000);
		green = MakeChannel(0x0000ff00);
		blue = MakeChannel(0x000000ff);
		alpha = MakeChannel(0);
	}
	if (alpha.mask != 0)
		image.hasAlpha = true;

	for (int64 fileRow = 0; fileRow < height; fileRow++) {
		const uint8* source = data + pixelOffset + fileRow * stride;
		int32 y = (int32)(topDown ? fileRow : height - 1 - fileRow);
		for (int32 x = 0; x < width; x++) {
			uint8* pixel = &image.pixels[((size_t)y * width + x) * 4];
			switch (bitsPerPixel) {
				case 1:
					PutIndexed(image, x, y, (source[x >> 3] >> (7 - (x & 7))) & 1, palette);
					break;
				case 4:
					PutIndexed(image, x, y,
						(x & 1) == 0 ? source[x >> 1] >> 4 : source[x >> 1] & 0x0f, palette);
					break;
				case 8:
					PutIndexed(image, x, y, source[x], palette);
					break;
				case 24:
					pixel[0] = source[x * 3];
					pixel[1] = source[x * 3 + 1];
					pixel[2] = source[x * 3 + 2];
					pixel[3] = 255;
					break;
				case 16:
				case 32:
				{
					uint32 value = bitsPerPixel == 16 ? Read16(source + x * 2)
						: Read32(source + x * 4);
					pixel[0] = ChannelValue(value, blue);
					pixel[1] = ChannelValue(value, green);
					pixel[2] = ChannelValue(value, red);
					pixel[3] = alpha.mask != 0 ? ChannelValue(value, alpha) : 255;
					break;
				}
			}
		}
	}
	return B_OK;
}
