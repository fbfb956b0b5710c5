#include <BitmapStream.h>

#include <Bitmap.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const size_t kHeaderSize = 32;


uint32
ReadBig32(const uint8* p)
{
	return ((uint32)p[0] << 24) | ((uint32)p[1] << 16) | ((uint32)p[2] << 8) | p[3];
}


void
WriteBig32(uint8* p, uint32 value)
{
	p[0] = (uint8)(value >> 24);
	p[1] = (uint8)(value >> 16);
	p[2] = (uint8)(value >> 8);
	p[3] = (uint8)value;
}


float
ReadBigFloat(const uint8* p)
{
	uint32 bits = ReadBig32(p);
	float value;
	memcpy(&value, &bits, sizeof(value));
	return value;
}


void
WriteBigFloat(uint8* p, float value)
{
	uint32 bits;
	memcpy(&bits, &value, sizeof(bits));
	WriteBig32(p, bits);
}

// The colour spaces a bitmap can hold; anything else in a header is refused before it
// is turned into a color_space.
bool
ToBitmapSpace(uint32 value, color_space* space)
{
	switch (value) {
		case B_RGB32:
		case B_RGBA32:
		case B_RGB24:
		case B_RGB16:
		case B_RGB15:
		case B_RGBA15:
		case B_CMAP8:
		case B_GRAY8:
		case B_GRAY1:
		case B_RGB32_BIG:
		case B_RGBA32_BIG:
		case B_RGB24_BIG:
		case B_RGB16_BIG:
		case B_RGB15_BIG:
		case B_RGBA15_BIG:
			*space = (color_space)value;
			return true;
		default:
			return false;
	}
}

}	// namespace


BBitmapStream::BBitmapStream(BBitmap* bitmap)
	:
	fBitmap(NULL),
	fHeaderBytes(0),
	fPosition(0),
	fSize(0),
	fDetached(false)
{
	memset(fHeader, 0, sizeof(fHeader));
	if (bitmap != NULL && bitmap->IsValid()) {
		fBitmap = bitmap;
		_BuildHeader();
	}
}


BBitmapStream::~BBitmapStream()
{
	if (!fDetached)
		delete fBitmap;
}


void
BBitmapStream::_BuildHeader()
{
	BRect bounds = fBitmap->Bounds();
	WriteBig32(fHeader, B_TRANSLATOR_BITMAP);
	WriteBigFloat(fHeader + 4, bounds.left);
	WriteBigFloat(fHeader + 8, bounds.top);
	WriteBigFloat(fHeader + 12, bounds.right);
	WriteBigFloat(fHeader + 16, bounds.bottom);
	WriteBig32(fHeader + 20, (uint32)fBitmap->BytesPerRow());
	WriteBig32(fHeader + 24, (uint32)fBitmap->ColorSpace());
	WriteBig32(fHeader + 28, (uint32)fBitmap->BitsLength());
	fHeaderBytes = kHeaderSize;
	fSize = (off_t)kHeaderSize + fBitmap->BitsLength();
}


ssize_t
BBitmapStream::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if (fBitmap == NULL || position >= fSize)
		return 0;
	size_t count = (size_t)std::min<off_t>((off_t)size, fSize - position);
	uint8* out = (uint8*)buffer;
	size_t done = 0;
	while (done < count) {
		off_t at = position + (off_t)done;
		if (at < (off_t)kHeaderSize) {
			size_t chunk = std::min(count - done, kHeaderSize - (size_t)at);
			memcpy(out + done, fHeader + at, chunk);
			done += chunk;
		} else {
			memcpy(out + done, (const uint8*)fBitmap->Bits() + (at - kHeaderSize),
				count - done);
			done = count;
		}
	}
	return (ssize_t)count;
}


ssize_t
BBitmapStream::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	const uint8* in = (const uint8*)buffer;
	size_t done = 0;
	while (done < size) {
		off_t at = position + (off_t)done;
		if (at < (off_t)kHeaderSize) {
			// The header arrives in order; once complete it makes the bitmap.
			if (fBitmap != NULL || at > (off_t)fHeaderBytes)
				return B_BAD_VALUE;
			size_t chunk = std::min(size - done, kHeaderSize - (size_t)at);
			memcpy(fHeader + at, in + done, chunk);
			fHeaderBytes = std::max(fHeaderBytes, (size_t)at + chunk);
			done += chunk;
			if (fHeaderBytes == kHeaderSize) {
				if (ReadBig32(fHeader) != B_TRANSLATOR_BITMAP)
					return B_BAD_VALUE;
				BRect bounds(ReadBigFloat(fHeader + 4), ReadBigFloat(fHeader + 8),
					ReadBigFloat(fHeader + 12), ReadBigFloat(fHeader + 16));
				uint32 rowBytes = ReadBig32(fHeader + 20);
				color_space space;
				uint32 dataSize = ReadBig32(fHeader + 28);
				if (!ToBitmapSpace(ReadBig32(fHeader + 24), &space)) {
					fHeaderBytes = 0;
					return B_BAD_VALUE;
				}
				BBitmap* bitmap = new BBitmap(bounds, space);
				if (bitmap->InitCheck() != B_OK
					|| rowBytes != (uint32)bitmap->BytesPerRow()
					|| dataSize != (uint32)bitmap->BitsLength()) {
					delete bitmap;
					fHeaderBytes = 0;
					return B_BAD_VALUE;
				}
				fBitmap = bitmap;
				fSize = (off_t)kHeaderSize + dataSize;
			}
			continue;
		}
		if (fBitmap == NULL || at >= fSize)
			return B_BAD_VALUE;
		size_t chunk = (size_t)std::min<off_t>((off_t)(size - done), fSize - at);
		memcpy((uint8*)fBitmap->Bits() + (at - kHeaderSize), in + done, chunk);
		done += chunk;
	}
	return (ssize_t)size;
}


off_t
BBitmapStream::Seek(off_t position, uint32 seekMode)
{
	off_t target;
	switch (seekMode) {
		case SEEK_SET:
			target = position;
			break;
		case SEEK_CUR:
			target = fPosition + position;
			break;
		case SEEK_END:
			target = fSize + position;
			break;
		default:
			return B_BAD_VALUE;
	}
	if (target < 0)
		return B_BAD_VALUE;
	fPosition = target;
	return fPosition;
}


off_t
BBitmapStream::Position() const
{
	return fPosition;
}


off_t
BBitmapStream::Size() const
{
	return fSize;
}


status_t
BBitmapStream::SetSize(off_t size)
{
	if (size < 0 || (fBitmap != NULL && size > fSize))
		return B_BAD_VALUE;
	return B_OK;
}


status_t
BBitmapStream::DetachBitmap(BBitmap** outBitmap)
{
	if (outBitmap == NULL)
		return B_BAD_VALUE;
	if (fBitmap == NULL || fDetached)
		return B_ERROR;
	*outBitmap = fBitmap;
	fDetached = true;
	fBitmap = NULL;
	fHeaderBytes = 0;
	fSize = 0;
	fPosition = 0;
	return B_OK;
}
