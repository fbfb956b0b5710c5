/*
 * DocumentWriter: the safe replacement of a document file.
 */
#include "DocumentWriter.h"

#include <Errors.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>


// How many links are followed before the path counts as a loop (as the kernel does).
static const int kMaxLinkHops = 40;


static status_t
StatusOf(int error)
{
	switch (error) {
		case EACCES:
		case EPERM:
		case EROFS:
			return B_PERMISSION_DENIED;
		case ENOENT:
		case ENOTDIR:
			return B_ENTRY_NOT_FOUND;
		case ENOSPC:
		case EDQUOT:
			return B_DEVICE_FULL;
		case ENOMEM:
			return B_NO_MEMORY;
		case ENAMETOOLONG:
			return B_NAME_TOO_LONG;
		case ELOOP:
			return B_LINK_LIMIT;
		default:
			return B_IO_ERROR;
	}
}


static status_t
Fail(int error, const char* what, std::string* failure)
{
	if (failure != NULL) {
		*failure = what;
		*failure += ": ";
		*failure += strerror(error);
	}
	return StatusOf(error);
}


status_t
DocumentWriter::ResolveLinks(const char* path, std::string* resolved)
{
	std::string current = path;
	for (int hop = 0; hop < kMaxLinkHops; hop++) {
		struct stat info;
		if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
			*resolved = current;
			return B_OK;
		}
		char target[PATH_MAX];
		ssize_t length = readlink(current.c_str(), target, sizeof(target) - 1);
		if (length < 0)
			return StatusOf(errno);
		target[length] = '\0';
		if (target[0] == '/')
			current = target;
		else {
			// A relative link is relative to the folder that holds it.
			size_t slash = current.rfind('/');
			current = (slash == std::string::npos ? std::string()
				: current.substr(0, slash + 1)) + target;
		}
	}
	return B_LINK_LIMIT;
}


status_t
DocumentWriter::_WriteAll(int fd, const char* data, size_t length)
{
	while (length > 0) {
		ssize_t written = write(fd, data, length);
		if (written < 0) {
			if (errno == EINTR)
				continue;
			return errno;
		}
		if (written == 0)
			return ENOSPC;
		data += written;
		length -= written;
	}
	return 0;
}


status_t
DocumentWriter::Write(const char* path, const char* data, size_t length,
	std::string* failure, std::string* writtenPath)
{
	if (path == NULL || path[0] == '\0' || (data == NULL && length > 0))
		return Fail(EINVAL, "No file name", failure);

	std::string target;
	status_t status = ResolveLinks(path, &target);
	if (status != B_OK) {
		if (failure != NULL)
			*failure = "The link cannot be followed";
		return status;
	}
	if (writtenPath != NULL)
		*writtenPath = target;

	struct stat old;
	bool exists = stat(target.c_str(), &old) == 0;
	if (exists && !S_ISREG(old.st_mode))
		return Fail(EISDIR, "Not a regular file", failure);
	if (!exists && errno != ENOENT)
		return Fail(errno, "The file cannot be reached", failure);
	// Replacing would quietly succeed on a file the user may not write, so that is
	// asked first, as writing it in place would.
	if (exists && access(target.c_str(), W_OK) != 0)
		return Fail(errno, "The file is write-protected", failure);

	size_t slash = target.rfind('/');
	std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
	if (folder.empty())
		folder = "/";
	std::string leaf = slash == std::string::npos ? target : target.substr(slash + 1);

	// A name of our own beside the target; O_EXCL never takes over another file.
	std::string temporary;
	int fd = -1;
	for (int attempt = 0; attempt < 100 && fd < 0; attempt++) {
		char suffix[64];
		snprintf(suffix, sizeof(suffix), ".%d.%d.tmp", (int)getpid(), attempt);
		temporary = folder + "/." + leaf + suffix;
		fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
		if (fd < 0 && errno != EEXIST)
			return Fail(errno, "The folder cannot be written", failure);
	}
	if (fd < 0)
		return Fail(EEXIST, "No temporary file could be made", failure);

	int error = _WriteAll(fd, data, length);
	if (error == 0 && exists && fchmod(fd, old.st_mode & 07777) != 0)
		error = errno;
	if (error == 0 && fsync(fd) != 0)
		error = errno;
	if (close(fd) != 0 && error == 0)
		error = errno;
	if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0)
		error = errno;
	if (error != 0) {
		unlink(temporary.c_str());
		return Fail(error, "The file could not be written", failure);
	}
	return B_OK;
}
