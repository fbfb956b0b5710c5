/*
 * BDataIO, BPositionIO, BMemoryIO and BMallocIO.
 */

#include <DataIO.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Caps positions and sizes so that offset arithmetic cannot overflow.
const off_t kMaxMemorySize = (off_t)INT32_MAX;


// Resolves a Seek request; returns a negative position for a bad request.
off_t
SeekTarget(off_t position, uint32 seekMode, off_t current, off_t size)
{
	off_t base;
	switch (seekMode) {
		case SEEK_SET:
			base = 0;
			break;
		case SEEK_CUR:
			base = current;
			break;
		case SEEK_END:
			base = size;
			break;
		default:
			return B_BAD_VALUE;
	}
	if (position > kMaxMemorySize || position < -kMaxMemorySize)
		return B_BAD_VALUE;
	off_t target = base + position;
	if (target < 0 || target > kMaxMemorySize)
		return B_BAD_VALUE;
	return target;
}

}	// unnamed namespace


BDataIO::BDataIO()
{
}


BDataIO::~BDataIO()
{
}


// #pragma mark - BPositionIO


BPositionIO::BPositionIO()
{
}


BPositionIO::~BPositionIO()
{
}


ssize_t
BPositionIO::Read(void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = ReadAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}


ssize_t
BPositionIO::Write(const void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = WriteAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}


status_t
BPositionIO::SetSize(off_t size)
{
	return B_ERROR;
}


status_t
BPositionIO::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	// Seek is not const, but measuring must leave the position where it was.
	BPositionIO* self = const_cast<BPositionIO*>(this);
	off_t current = self->Position();
	if (current < 0)
		return (status_t)current;
	off_t end = self->Seek(0, SEEK_END);
	if (end < 0)
		return (status_t)end;
	self->Seek(current, SEEK_SET);
	*size = end;
	return B_OK;
}


// #pragma mark - BMemoryIO


BMemoryIO::BMemoryIO(void* data, size_t length)
	:
	fReadOnly(false),
	fBuffer(static_cast<char*>(data)),
	fLength(data != nullptr ? length : 0),
	fBufferSize(data != nullptr ? length : 0),
	fPosition(0)
{
}


BMemoryIO::BMemoryIO(const void* data, size_t length)
	:
	fReadOnly(true),
	fBuffer(const_cast<char*>(static_cast<const char*>(data))),
	fLength(data != nullptr ? length : 0),
	fBufferSize(data != nullptr ? length : 0),
	fPosition(0)
{
}


BMemoryIO::~BMemoryIO()
{
}


ssize_t
BMemoryIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if ((size_t)position >= fLength)
		return 0;
	size_t available = fLength - (size_t)position;
	if (size > available)
		size = available;
	memcpy(buffer, fBuffer + position, size);
	return (ssize_t)size;
}


ssize_t
BMemoryIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if ((size_t)position >= fBufferSize)
		return 0;
	size_t available = fBufferSize - (size_t)position;
	if (size > available)
		size = available;
	memmove(fBuffer + position, buffer, size);
	if ((size_t)position + size > fLength)
		fLength = (size_t)position + size;
	return (ssize_t)size;
}


off_t
BMemoryIO::Seek(off_t position, uint32 seekMode)
{
	off_t target = SeekTarget(position, seekMode, fPosition, fLength);
	if (target < 0)
		return target;
	fPosition = (size_t)target;
	return target;
}


off_t
BMemoryIO::Position() const
{
	return fPosition;
}


status_t
BMemoryIO::SetSize(off_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (size < 0 || (size_t)size > fBufferSize)
		return B_BAD_VALUE;
	if ((size_t)size > fLength)
		memset(fBuffer + fLength, 0, (size_t)size - fLength);
	fLength = (size_t)size;
	return B_OK;
}


// #pragma mark - BMallocIO


BMallocIO::BMallocIO()
	:
	fBlockSize(256),
	fMallocSize(0),
	fLength(0),
	fData(nullptr),
	fPosition(0)
{
}


BMallocIO::~BMallocIO()
{
	free(fData);
}


ssize_t
BMallocIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if ((size_t)position >= fLength)
		return 0;
	size_t available = fLength - (size_t)position;
	if (size > available)
		size = available;
	memcpy(buffer, fData + position, size);
	return (ssize_t)size;
}


ssize_t
BMallocIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	if (position > kMaxMemorySize || size > (size_t)(kMaxMemorySize - position))
		return B_NO_MEMORY;
	size_t end = (size_t)position + size;
	if (end > fLength) {
		status_t status = SetSize(end);
		if (status != B_OK)
			return status;
	}
	memcpy(fData + position, buffer, size);
	return (ssize_t)size;
}


off_t
BMallocIO::Seek(off_t position, uint32 seekMode)
{
	off_t target = SeekTarget(position, seekMode, fPosition, fLength);
	if (target < 0)
		return target;
	fPosition = target;
	return target;
}


off_t
BMallocIO::Position() const
{
	return fPosition;
}


status_t
BMallocIO::SetSize(off_t size)
{
	if (size < 0 || size > kMaxMemorySize)
		return B_BAD_VALUE;
	if (size == 0) {
		free(fData);
		fData = nullptr;
		fMallocSize = 0;
		fLength = 0;
		return B_OK;
	}
	size_t newMallocSize = ((size_t)size + fBlockSize - 1) / fBlockSize * fBlockSize;
	if (newMallocSize != fMallocSize) {
		char* data = (char*)realloc(fData, newMallocSize);
		if (data == nullptr)
			return B_NO_MEMORY;
		fData = data;
		fMallocSize = newMallocSize;
	}
	// Growing leaves a zero-filled gap, as a file would.
	if ((size_t)size > fLength)
		memset(fData + fLength, 0, (size_t)size - fLength);
	fLength = (size_t)size;
	return B_OK;
}


void
BMallocIO::SetBlockSize(size_t blockSize)
{
	fBlockSize = blockSize > 0 ? blockSize : 1;
}


const void*
BMallocIO::Buffer() const
{
	return fData;
}


size_t
BMallocIO::BufferLength() const
{
	return fLength;
}
