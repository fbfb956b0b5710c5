/*
 * Path handling shared by BEntry, BPath, BNode and BDirectory.
 *
 * An entry is kept as the real absolute path of the folder that holds it plus its leaf
 * name; the root folder is the folder "/" with the leaf ".".
 */
#ifndef _STORAGE_PATH_UTILS_H
#define _STORAGE_PATH_UTILS_H

#include <SupportDefs.h>

#include <string>
#include <sys/stat.h>

namespace BPrivate {

// B_BAD_VALUE for a null or empty path, B_NAME_TOO_LONG for one of PATH_MAX bytes or more.
status_t check_storage_path(const char* path);

// The path made absolute against the current folder, without any other change.
status_t make_absolute_path(const char* path, std::string& absolute);

// folder and leaf joined by exactly one slash; the leaf "." stands for the folder itself.
std::string join_entry_path(const std::string& folder, const std::string& leaf);

// Finds the entry that path names. The folder part must exist (it is resolved through the
// file system, so "." and ".." and links in it are followed); the leaf need not exist.
// With traverse, a leaf that is a symbolic link is replaced by the link's target, again
// and again up to B_MAX_SYMLINKS links.
status_t resolve_entry(const char* path, bool traverse, std::string& folder,
	std::string& leaf);

// The absolute, normalised form of path: no ".", "..", doubled or trailing slashes, and
// no links in the folder part. The folder part must exist.
status_t normalize_path(const char* path, std::string& normalized);

// Whether path is relative or holds anything normalize_path would remove.
bool path_needs_normalizing(const char* path);

// Writes the chosen fields of values (see BStatable) to a node: through fd when it is
// not negative, otherwise through path, following a final link only with followLink.
status_t apply_node_stat(int fd, const char* path, bool followLink, const struct stat& values,
	uint32 fields);

}	// namespace BPrivate

#endif	// _STORAGE_PATH_UTILS_H
