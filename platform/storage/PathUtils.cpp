#include "storage/PathUtils.h"

#include "storage/ErrnoStatus.h"

#include <StorageDefs.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>


namespace BPrivate {


namespace {

void
SplitLast(const std::string& path, std::string& parent, std::string& name)
{
	size_t slash = path.rfind('/');
	if (slash == std::string::npos) {
		parent = ".";
		name = path;
		return;
	}
	parent = slash == 0 ? std::string("/") : path.substr(0, slash);
	name = path.substr(slash + 1);
}


status_t
RealFolder(const std::string& path, std::string& real)
{
	char buffer[PATH_MAX];
	if (realpath(path.c_str(), buffer) == nullptr)
		return status_for_last_error();
	struct stat info;
	if (stat(buffer, &info) != 0)
		return status_for_last_error();
	if (!S_ISDIR(info.st_mode))
		return B_NOT_A_DIRECTORY;
	real = buffer;
	return B_OK;
}

}	// namespace


status_t
check_storage_path(const char* path)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	if (strnlen(path, B_PATH_NAME_LENGTH) >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return B_OK;
}


status_t
make_absolute_path(const char* path, std::string& absolute)
{
	status_t status = check_storage_path(path);
	if (status != B_OK)
		return status;
	if (path[0] == '/') {
		absolute = path;
		return B_OK;
	}
	char folder[PATH_MAX];
	if (getcwd(folder, sizeof(folder)) == nullptr)
		return status_for_last_error();
	absolute = join_entry_path(folder, path);
	if (absolute.size() >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return B_OK;
}


std::string
join_entry_path(const std::string& folder, const std::string& leaf)
{
	if (leaf.empty() || leaf == ".")
		return folder;
	if (!folder.empty() && folder.back() == '/')
		return folder + leaf;
	return folder + "/" + leaf;
}


status_t
resolve_entry(const char* path, bool traverse, std::string& folder, std::string& leaf)
{
	std::string current;
	status_t status = make_absolute_path(path, current);
	if (status != B_OK)
		return status;

	for (int links = 0;; links++) {
		while (current.size() > 1 && current.back() == '/')
			current.pop_back();

		std::string parent;
		std::string name;
		SplitLast(current, parent, name);

		if (current == "/" || name == "." || name == "..") {
			// The path names a folder through "." or "..": it must exist, and its real
			// path gives the entry.
			std::string real;
			status = RealFolder(current, real);
			if (status != B_OK)
				return status;
			if (real == "/") {
				folder = "/";
				leaf = ".";
				return B_OK;
			}
			SplitLast(real, folder, leaf);
			return B_OK;
		}

		if (name.size() >= B_FILE_NAME_LENGTH)
			return B_NAME_TOO_LONG;
		std::string realParent;
		status = RealFolder(parent, realParent);
		if (status != B_OK)
			return status;
		folder = realParent;
		leaf = name;
		if (!traverse)
			return B_OK;

		std::string full = join_entry_path(folder, leaf);
		struct stat info;
		if (lstat(full.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
			return B_OK;
		if (links >= B_MAX_SYMLINKS)
			return B_LINK_LIMIT;

		char target[PATH_MAX];
		ssize_t length = readlink(full.c_str(), target, sizeof(target) - 1);
		if (length < 0)
			return status_for_last_error();
		target[length] = '\0';
		current = target[0] == '/' ? std::string(target) : join_entry_path(folder, target);
		if (current.size() >= B_PATH_NAME_LENGTH)
			return B_NAME_TOO_LONG;
	}
}


status_t
normalize_path(const char* path, std::string& normalized)
{
	std::string folder;
	std::string leaf;
	status_t status = resolve_entry(path, false, folder, leaf);
	if (status != B_OK)
		return status;
	normalized = join_entry_path(folder, leaf);
	if (normalized.size() >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return B_OK;
}


bool
path_needs_normalizing(const char* path)
{
	if (path == nullptr || path[0] != '/')
		return true;
	size_t length = strlen(path);
	if (length > 1 && path[length - 1] == '/')
		return true;
	if (strstr(path, "//") != nullptr || strstr(path, "/./") != nullptr
		|| strstr(path, "/../") != nullptr)
		return true;
	if ((length >= 2 && strcmp(path + length - 2, "/.") == 0)
		|| (length >= 3 && strcmp(path + length - 3, "/..") == 0))
		return true;
	return false;
}


status_t
apply_node_stat(int fd, const char* path, bool followLink, const struct stat& values,
	uint32 fields)
{
	// The same bits as BStatable's protected field constants.
	const uint32 kMode = 0x01;
	const uint32 kOwner = 0x02;
	const uint32 kGroup = 0x04;
	const uint32 kModified = 0x08;
	const uint32 kAccessed = 0x10;

	if (fd < 0 && path == nullptr)
		return B_NO_INIT;
	int flags = followLink ? 0 : AT_SYMLINK_NOFOLLOW;

	if ((fields & kMode) != 0) {
		int result = fd >= 0 ? fchmod(fd, values.st_mode & 07777)
			: fchmodat(AT_FDCWD, path, values.st_mode & 07777, flags);
		if (result != 0)
			return status_for_last_error();
	}
	if ((fields & (kOwner | kGroup)) != 0) {
		uid_t owner = (fields & kOwner) != 0 ? values.st_uid : (uid_t)-1;
		gid_t group = (fields & kGroup) != 0 ? values.st_gid : (gid_t)-1;
		int result = fd >= 0 ? fchown(fd, owner, group)
			: fchownat(AT_FDCWD, path, owner, group, flags);
		if (result != 0)
			return status_for_last_error();
	}
	if ((fields & (kModified | kAccessed)) != 0) {
		struct timespec times[2];
		times[0].tv_sec = values.st_atim.tv_sec;
		times[0].tv_nsec = (fields & kAccessed) != 0 ? 0 : UTIME_OMIT;
		times[1].tv_sec = values.st_mtim.tv_sec;
		times[1].tv_nsec = (fields & kModified) != 0 ? 0 : UTIME_OMIT;
		int result = fd >= 0 ? futimens(fd, times)
			: utimensat(AT_FDCWD, path, times, flags);
		if (result != 0)
			return status_for_last_error();
	}
	return B_OK;
}


}	// namespace BPrivate
