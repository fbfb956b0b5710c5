#include <TranslatorRoster.h>

#include <DataIO.h>

#include "translation/ImageDecoders.h"

#include <cstdio>
#include <cstring>
#include <vector>

using BPrivate::DecodedImage;
using BPrivate::ImageFormat;

namespace {

// Files larger than this are not images the application could use.
const size_t kMaxSourceSize = (size_t)256 << 20;

enum {
	kBitmapTranslator = 1,
	kBMPTranslator = 2,
	kStbTranslator = 3
};

const size_t kHeaderSize = 32;


void
WriteBig32(uint8* p, uint32 value)
{
	p[0] = (uint8)(value >> 24);
	p[1] = (uint8)(value >> 16);
	p[2] = (uint8)(value >> 8);
	p[3] = (uint8)value;
}


uint32
ReadBig32(const uint8* p)
{
	return ((uint32)p[0] << 24) | ((uint32)p[1] << 16) | ((uint32)p[2] << 8) | p[3];
}


void
WriteBigFloat(uint8* p, float value)
{
	uint32 bits;
	memcpy(&bits, &value, sizeof(bits));
	WriteBig32(p, bits);
}


// Reads from the current position to the end.
status_t
ReadAll(BPositionIO* source, std::vector<uint8>& data)
{
	uint8 buffer[65536];
	while (true) {
		ssize_t count = source->Read(buffer, sizeof(buffer));
		if (count < 0)
			return (status_t)count;
		if (count == 0)
			return B_OK;
		if (data.size() + (size_t)count > kMaxSourceSize)
			return B_ILLEGAL_DATA;
		data.insert(data.end(), buffer, buffer + count);
	}
}


// The first bytes, enough to recognise a format, without moving the position.
status_t
Peek(BPositionIO* source, uint8* buffer, size_t size, size_t* got)
{
	off_t start = source->Position();
	ssize_t count = source->ReadAt(start, buffer, size);
	if (count < 0)
		return (status_t)count;
	*got = (size_t)count;
	return B_OK;
}


bool
IsTranslatorBitmap(const uint8* data, size_t size)
{
	return size >= 4 && ReadBig32(data) == B_TRANSLATOR_BITMAP;
}


void
Describe(ImageFormat format, bool isBitmap, translator_info* info)
{
	memset(info, 0, sizeof(*info));
	info->group = B_TRANSLATOR_BITMAP;
	info->quality = 0.5f;
	info->capability = 0.5f;
	const char* name = "";
	const char* mime = "";
	if (isBitmap) {
		info->type = B_TRANSLATOR_BITMAP;
		info->translator = kBitmapTranslator;
		name = "Be Bitmap Format";
		mime = "image/x-be-bitmap";
	} else {
		switch (format) {
			case BPrivate::kBMPImage:
				info->type = B_BMP_FORMAT;
				info->translator = kBMPTranslator;
				name = "BMP image";
				mime = "image/bmp";
				break;
			case BPrivate::kPNGImage:
				info->type = B_PNG_FORMAT;
				info->translator = kStbTranslator;
				name = "PNG image";
				mime = "image/png";
				break;
			case BPrivate::kJPEGImage:
				info->type = B_JPEG_FORMAT;
				info->translator = kStbTranslator;
				name = "JPEG image";
				mime = "image/jpeg";
				break;
			case BPrivate::kGIFImage:
				info->type = B_GIF_FORMAT;
				info->translator = kStbTranslator;
				name = "GIF image";
				mime = "image/gif";
				break;
			default:
				break;
		}
	}
	strncpy(info->name, name, sizeof(info->name) - 1);
	strncpy(info->MIME, mime, sizeof(info->MIME) - 1);
}


status_t
WriteAll(BPositionIO* destination, const void* data, size_t size)
{
	const uint8* bytes = (const uint8*)data;
	while (size > 0) {
		ssize_t written = destination->Write(bytes, size);
		if (written < 0)
			return (status_t)written;
		if (written == 0)
			return B_IO_ERROR;
		bytes += written;
		size -= (size_t)written;
	}
	return B_OK;
}


// Writes the image in the B_TRANSLATOR_BITMAP format: the big-endian header, then the
// rows, which need no padding at four bytes a pixel.
status_t
WriteTranslatorBitmap(const DecodedImage& image, BPositionIO* destination)
{
	uint8 header[kHeaderSize];
	uint32 rowBytes = (uint32)image.width * 4;
	WriteBig32(header, B_TRANSLATOR_BITMAP);
	WriteBigFloat(header + 4, 0);
	WriteBigFloat(header + 8, 0);
	WriteBigFloat(header + 12, (float)(image.width - 1));
	WriteBigFloat(header + 16, (float)(image.height - 1));
	WriteBig32(header + 20, rowBytes);
	WriteBig32(header + 24, image.hasAlpha ? B_RGBA32 : B_RGB32);
	WriteBig32(header + 28, rowBytes * (uint32)image.height);
	status_t status = WriteAll(destination, header, sizeof(header));
	if (status != B_OK)
		return status;
	return WriteAll(destination, image.pixels.data(), image.pixels.size());
}

}	// namespace


BTranslatorRoster::BTranslatorRoster()
{
}


BTranslatorRoster::~BTranslatorRoster()
{
}


BTranslatorRoster*
BTranslatorRoster::Default()
{
	static BTranslatorRoster* sDefault = new BTranslatorRoster;
	return sDefault;
}


status_t
BTranslatorRoster::Identify(BPositionIO* source, BMessage* ioExtension,
	translator_info* info, uint32 hintType, const char* hintMIME, uint32 wantType)
{
	if (source == NULL || info == NULL)
		return B_BAD_VALUE;
	if (wantType != 0 && wantType != B_TRANSLATOR_BITMAP)
		return B_NO_TRANSLATOR;
	uint8 head[16];
	size_t got = 0;
	status_t status = Peek(source, head, sizeof(head), &got);
	if (status != B_OK)
		return status;
	bool isBitmap = IsTranslatorBitmap(head, got);
	ImageFormat format = BPrivate::SniffImage(head, got);
	if (!isBitmap && format == BPrivate::kUnknownImage)
		return B_NO_TRANSLATOR;
	Describe(format, isBitmap, info);
	return B_OK;
}


status_t
BTranslatorRoster::Translate(BPositionIO* source, const translator_info* info,
	BMessage* ioExtension, BPositionIO* destination, uint32 wantOutType, uint32 hintType,
	const char* hintMIME)
{
	if (source == NULL || destination == NULL)
		return B_BAD_VALUE;
	if (wantOutType != 0 && wantOutType != B_TRANSLATOR_BITMAP)
		return B_NO_TRANSLATOR;

	uint8 head[16];
	size_t got = 0;
	status_t status = Peek(source, head, sizeof(head), &got);
	if (status != B_OK)
		return status;
	bool isBitmap = IsTranslatorBitmap(head, got);
	ImageFormat format = BPrivate::SniffImage(head, got);
	if (!isBitmap && format == BPrivate::kUnknownImage)
		return B_NO_TRANSLATOR;

	std::vector<uint8> data;
	status = ReadAll(source, data);
	if (status != B_OK)
		return status;

	if (isBitmap) {
		// Already in the interchange format: check the header and pass it on.
		if (data.size() < kHeaderSize)
			return B_ILLEGAL_DATA;
		uint32 dataSize = ReadBig32(&data[28]);
		if (data.size() - kHeaderSize < dataSize)
			return B_ILLEGAL_DATA;
		return WriteAll(destination, data.data(), kHeaderSize + dataSize);
	}

	DecodedImage image;
	if (format == BPrivate::kBMPImage)
		status = BPrivate::DecodeBMP(data.data(), data.size(), image);
	else
		status = BPrivate::DecodeWithStb(data.data(), data.size(), image);
	if (status != B_OK)
		return status;
	return WriteTranslatorBitmap(image, destination);
}


status_t
BTranslatorRoster::GetAllTranslators(translator_id** outList, int32* outCount)
{
	if (outList == NULL || outCount == NULL)
		return B_BAD_VALUE;
	*outList = new translator_id[3];
	(*outList)[0] = kBitmapTranslator;
	(*outList)[1] = kBMPTranslator;
	(*outList)[2] = kStbTranslator;
	*outCount = 3;
	return B_OK;
}


status_t
BTranslatorRoster::GetTranslatorInfo(translator_id translator, const char** outName,
	const char** outInfo, int32* outVersion)
{
	const char* name;
	const char* description;
	switch (translator) {
		case kBitmapTranslator:
			name = "Be Bitmap Format";
			description = "Passes B_TRANSLATOR_BITMAP data through";
			break;
		case kBMPTranslator:
			name = "BMP images";
			description = "Reads Windows and OS/2 bitmaps";
			break;
		case kStbTranslator:
			name = "PNG, JPEG and GIF images";
			description = "Reads PNG, JPEG and GIF images";
			break;
		default:
			return B_BAD_VALUE;
	}
	if (outName != NULL)
		*outName = name;
	if (outInfo != NULL)
		*outInfo = description;
	if (outVersion != NULL)
		*outVersion = 100;
	return B_OK;
}
