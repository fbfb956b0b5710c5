#include <File.h>

#include "storage/ErrnoStatus.h"
#include "storage/PathUtils.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace BPrivate;


namespace {

const uint32 kOpenFlags = O_ACCMODE | O_CREAT | O_EXCL | O_TRUNC | O_APPEND;

}	// namespace


BFile::BFile()
	:
	fMode(0)
{
}


BFile::BFile(const entry_ref* ref, uint32 openMode)
	:
	BFile()
{
	SetTo(ref, openMode);
}


BFile::BFile(const BEntry* entry, uint32 openMode)
	:
	BFile()
{
	SetTo(entry, openMode);
}


BFile::BFile(const char* path, uint32 openMode)
	:
	BFile()
{
	SetTo(path, openMode);
}


BFile::BFile(const BDirectory* dir, const char* path, uint32 openMode)
	:
	BFile()
{
	SetTo(dir, path, openMode);
}


BFile::BFile(const BFile& other)
	:
	BNode(),
	BPositionIO(),
	fMode(0)
{
	*this = other;
}


BFile::~BFile()
{
}


status_t
BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	std::string path;
	status_t status = _PathFor(ref, path);
	if (status != B_OK)
		return _Fail(status);
	return _OpenFile(path, openMode);
}


status_t
BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	entry_ref ref;
	status_t status = entry != nullptr ? entry->GetRef(&ref) : B_BAD_VALUE;
	if (status != B_OK)
		return _Fail(status);
	return SetTo(&ref, openMode);
}


status_t
BFile::SetTo(const char* path, uint32 openMode)
{
	std::string absolute;
	status_t status = make_absolute_path(path, absolute);
	if (status != B_OK)
		return _Fail(status);
	return _OpenFile(absolute, openMode);
}


status_t
BFile::SetTo(const BDirectory* dir, const char* path, uint32 openMode)
{
	std::string absolute;
	status_t status = _PathFor(dir, path, absolute);
	if (status != B_OK)
		return _Fail(status);
	return _OpenFile(absolute, openMode);
}


void
BFile::Unset()
{
	BNode::Unset();
	fMode = 0;
}


bool
BFile::IsReadable() const
{
	uint32 access = fMode & O_ACCMODE;
	return InitCheck() == B_OK && (access == O_RDONLY || access == O_RDWR);
}


bool
BFile::IsWritable() const
{
	uint32 access = fMode & O_ACCMODE;
	return InitCheck() == B_OK && (access == O_WRONLY || access == O_RDWR);
}


ssize_t
BFile::Read(void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (buffer == nullptr && size > 0)
		return B_BAD_VALUE;
	ssize_t result = read(_Descriptor(), buffer, size);
	return result >= 0 ? result : status_for_last_error();
}


ssize_t
BFile::Write(const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (buffer == nullptr && size > 0)
		return B_BAD_VALUE;
	ssize_t result = write(_Descriptor(), buffer, size);
	return result >= 0 ? result : status_for_last_error();
}


ssize_t
BFile::ReadAt(off_t position, void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (position < 0 || (buffer == nullptr && size > 0))
		return B_BAD_VALUE;
	ssize_t result = pread(_Descriptor(), buffer, size, position);
	return result >= 0 ? result : status_for_last_error();
}


ssize_t
BFile::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (position < 0 || (buffer == nullptr && size > 0))
		return B_BAD_VALUE;
	ssize_t result = pwrite(_Descriptor(), buffer, size, position);
	return result >= 0 ? result : status_for_last_error();
}


off_t
BFile::Seek(off_t position, uint32 seekMode)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
		return B_BAD_VALUE;
	off_t result = lseek(_Descriptor(), position, (int)seekMode);
	return result >= 0 ? result : status_for_last_error();
}


off_t
BFile::Position() const
{
	if (InitCheck() != B_OK)
		return InitCheck();
	off_t result = lseek(_Descriptor(), 0, SEEK_CUR);
	return result >= 0 ? result : status_for_last_error();
}


status_t
BFile::SetSize(off_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (size < 0)
		return B_BAD_VALUE;
	if (!IsWritable())
		return B_PERMISSION_DENIED;
	if (ftruncate(_Descriptor(), size) != 0)
		return status_for_last_error();
	return B_OK;
}


status_t
BFile::GetSize(off_t* size) const
{
	return BNode::GetSize(size);
}


BFile&
BFile::operator=(const BFile& other)
{
	if (this == &other)
		return *this;
	BNode::operator=(other);
	fMode = InitCheck() == B_OK ? other.fMode : 0;
	return *this;
}


status_t
BFile::_OpenFile(const std::string& path, uint32 openMode)
{
	Unset();
	int flags = (int)(openMode & kOpenFlags);
	// A named pipe must not stall the open; the flag is taken back below.
	int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
	if (fd < 0)
		return _Fail(status_for_last_error());

	struct stat info;
	if (fstat(fd, &info) != 0) {
		status_t status = status_for_last_error();
		close(fd);
		return _Fail(status);
	}
	if (S_ISDIR(info.st_mode)) {
		close(fd);
		return _Fail(B_IS_A_DIRECTORY);
	}
	fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
	_SetDescriptor(fd, false, path);
	fMode = openMode;
	return B_OK;
}


status_t
BFile::_Fail(status_t status)
{
	Unset();
	_SetStatus(status);
	return status;
}
