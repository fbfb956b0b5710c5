#include "tracker/FolderListing.h"

#include "storage/ErrnoStatus.h"

#include <Errors.h>
#include <FilePanel.h>
#include <Node.h>
#include <NodeInfo.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace BPrivate {

static const char* kFolderType = "application/x-vnd.Be-directory";


FolderListing::FolderListing()
	:
	fStatus(B_NO_INIT),
	fErrno(0)
{
}


status_t
FolderListing::Read(const char* folder, BRefFilter* filter)
{
	fEntries.clear();
	fErrno = 0;
	fFolder = folder != NULL ? folder : "";
	if (fFolder.empty() || fFolder[0] != '/') {
		fErrno = EINVAL;
		return fStatus = B_BAD_VALUE;
	}

	DIR* dir = opendir(fFolder.c_str());
	if (dir == NULL) {
		fErrno = errno;
		return fStatus = status_for_errno(fErrno);
	}

	int dirFd = dirfd(dir);
	while (struct dirent* item = readdir(dir)) {
		if (item->d_name[0] == '.')
			continue;
		PanelEntry entry;
		entry.name = item->d_name;
		struct stat linkStat;
		if (fstatat(dirFd, item->d_name, &linkStat, AT_SYMLINK_NOFOLLOW) != 0)
			continue;
		entry.isLink = S_ISLNK(linkStat.st_mode);
		struct stat st = linkStat;
		if (entry.isLink && fstatat(dirFd, item->d_name, &st, 0) != 0)
			st = linkStat;
		entry.isDirectory = S_ISDIR(st.st_mode);
		entry.size = st.st_size;
		entry.modified = st.st_mtime;
		if (_Accepts(entry, filter))
			fEntries.push_back(entry);
	}
	closedir(dir);

	std::sort(fEntries.begin(), fEntries.end(), SortsBefore);
	return fStatus = B_OK;
}


const char*
FolderListing::Reason() const
{
	return fErrno != 0 ? strerror(fErrno) : "";
}


const PanelEntry*
FolderListing::EntryAt(int32 index) const
{
	if (index < 0 || index >= CountEntries())
		return NULL;
	return &fEntries[index];
}


int32
FolderListing::IndexOf(const char* name) const
{
	if (name == NULL)
		return -1;
	for (size_t i = 0; i < fEntries.size(); i++) {
		if (fEntries[i].name == name)
			return (int32)i;
	}
	return -1;
}


status_t
FolderListing::GetRefAt(int32 index, entry_ref* ref) const
{
	const PanelEntry* entry = EntryAt(index);
	if (entry == NULL || ref == NULL)
		return B_BAD_INDEX;
	*ref = entry_ref(fFolder.c_str(), entry->name.c_str());
	return B_OK;
}


bool
FolderListing::SortsBefore(const PanelEntry& a, const PanelEntry& b)
{
	if (a.isDirectory != b.isDirectory)
		return a.isDirectory;
	int order = strcasecmp(a.name.c_str(), b.name.c_str());
	if (order != 0)
		return order < 0;
	return a.name < b.name;
}


bool
FolderListing::_Accepts(const PanelEntry& entry, BRefFilter* filter) const
{
	if (filter == NULL)
		return true;
	entry_ref ref(fFolder.c_str(), entry.name.c_str());
	std::string path = fFolder == "/" ? "/" + entry.name : fFolder + "/" + entry.name;
	BNode node(path.c_str());
	struct stat st;
	if (node.InitCheck() != B_OK || node.GetStat(&st) != B_OK) {
		memset(&st, 0, sizeof(st));
		st.st_mode = entry.isDirectory ? S_IFDIR : S_IFREG;
	}
	char type[B_MIME_TYPE_LENGTH] = "";
	if (entry.isDirectory)
		snprintf(type, sizeof(type), "%s", kFolderType);
	else if (node.InitCheck() == B_OK) {
		BNodeInfo info(&node);
		if (info.GetType(type) != B_OK)
			type[0] = '\0';
	}
	return filter->Filter(&ref, &node, &st, type);
}


std::vector<std::string>
FolderAncestry(const char* folder)
{
	std::vector<std::string> chain;
	if (folder == NULL || folder[0] != '/')
		return chain;
	chain.push_back("/");
	std::string path;
	const char* part = folder;
	while (*part != '\0') {
		while (*part == '/')
			part++;
		const char* end = strchr(part, '/');
		size_t length = end != NULL ? (size_t)(end - part) : strlen(part);
		if (length == 0)
			break;
		path += "/";
		path.append(part, length);
		chain.push_back(path);
		part += length;
	}
	return chain;
}

}	// namespace BPrivate
