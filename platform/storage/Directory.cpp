#include <Directory.h>

#include <File.h>

#include "storage/ErrnoStatus.h"
#include "storage/PathUtils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace BPrivate;


namespace {

bool
IsDotName(const char* name)
{
	return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}


int32
FlavorOf(mode_t mode)
{
	if (S_ISDIR(mode))
		return B_DIRECTORY_NODE;
	if (S_ISLNK(mode))
		return B_SYMLINK_NODE;
	return B_FILE_NODE;
}

}	// namespace


BDirectory::BDirectory()
	:
	fListing(nullptr)
{
}


BDirectory::BDirectory(const entry_ref* ref)
	:
	BDirectory()
{
	SetTo(ref);
}


BDirectory::BDirectory(const BEntry* entry)
	:
	BDirectory()
{
	SetTo(entry);
}


BDirectory::BDirectory(const char* path)
	:
	BDirectory()
{
	SetTo(path);
}


BDirectory::BDirectory(const BDirectory* dir, const char* path)
	:
	BDirectory()
{
	SetTo(dir, path);
}


BDirectory::BDirectory(const BDirectory& other)
	:
	BNode(),
	fListing(nullptr)
{
	*this = other;
}


BDirectory::~BDirectory()
{
	Unset();
}


status_t
BDirectory::SetTo(const entry_ref* ref)
{
	std::string path;
	status_t status = _PathFor(ref, path);
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return _OpenFolder(path);
}


status_t
BDirectory::SetTo(const BEntry* entry)
{
	entry_ref ref;
	status_t status = entry != nullptr ? entry->GetRef(&ref) : B_BAD_VALUE;
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return SetTo(&ref);
}


status_t
BDirectory::SetTo(const char* path)
{
	status_t status = check_storage_path(path);
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return _OpenFolder(path);
}


status_t
BDirectory::SetTo(const BDirectory* dir, const char* path)
{
	std::string absolute;
	status_t status = _PathFor(dir, path, absolute);
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return _OpenFolder(absolute);
}


void
BDirectory::Unset()
{
	if (fListing != nullptr)
		closedir(fListing);
	fListing = nullptr;
	BNode::Unset();
}


status_t
BDirectory::GetEntry(BEntry* entry) const
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK) {
		entry->Unset();
		return InitCheck();
	}
	return entry->SetTo(_Path().c_str());
}


bool
BDirectory::IsRootDirectory() const
{
	return InitCheck() == B_OK && _Path() == "/";
}


status_t
BDirectory::FindEntry(const char* path, BEntry* entry, bool traverse) const
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	status_t status = entry->SetTo(this, path, traverse);
	if (status != B_OK)
		return status;
	if (!entry->Exists()) {
		entry->Unset();
		return B_ENTRY_NOT_FOUND;
	}
	return B_OK;
}


bool
BDirectory::Contains(const char* path, int32 nodeFlags) const
{
	if (path == nullptr || InitCheck() != B_OK)
		return false;
	BEntry entry(this, path);
	return Contains(&entry, nodeFlags);
}


bool
BDirectory::Contains(const BEntry* entry, int32 nodeFlags) const
{
	if (entry == nullptr || entry->InitCheck() != B_OK || InitCheck() != B_OK)
		return false;
	struct stat info;
	if (entry->GetStat(&info) != B_OK)
		return false;
	if ((FlavorOf(info.st_mode) & nodeFlags) == 0)
		return false;

	entry_ref ref;
	if (entry->GetRef(&ref) != B_OK)
		return false;
	std::string full = join_entry_path(ref.directory_path, ref.name);
	const std::string& mine = _Path();
	if (mine == "/")
		return full != "/";
	return full.size() > mine.size() && full.compare(0, mine.size(), mine) == 0
		&& full[mine.size()] == '/';
}


status_t
BDirectory::GetStatFor(const char* path, struct stat* st) const
{
	if (st == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return InitCheck();
	std::string full;
	status_t status = _PathFor(this, path, full);
	if (status != B_OK)
		return status;
	if (lstat(full.c_str(), st) != 0)
		return status_for_last_error();
	return B_OK;
}


status_t
BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	std::string name;
	status_t status = _ReadNext(name);
	if (status != B_OK) {
		entry->Unset();
		return status;
	}
	std::string path = join_entry_path(_Path(), name);
	status = entry->SetTo(path.c_str(), traverse);
	// A link that cannot be followed (a loop, say) is given as itself, so that one bad
	// link does not end the listing.
	if (status != B_OK && traverse)
		status = entry->SetTo(path.c_str(), false);
	return status;
}


status_t
BDirectory::GetNextRef(entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	std::string name;
	status_t status = _ReadNext(name);
	if (status != B_OK)
		return status;
	status = ref->set_directory_path(_Path().c_str());
	if (status == B_OK)
		status = ref->set_name(name.c_str());
	return status;
}


int32
BDirectory::GetNextDirents(dirent* buffer, size_t length, int32 count)
{
	if (buffer == nullptr || length < sizeof(dirent) || count < 1)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fListing == nullptr) {
		status_t status = Rewind();
		if (status != B_OK)
			return status;
	}

	int32 filled = 0;
	while (filled < count && (size_t)(filled + 1) * sizeof(dirent) <= length) {
		errno = 0;
		struct dirent* next = readdir(fListing);
		if (next == nullptr) {
			if (errno != 0 && filled == 0)
				return status_for_last_error();
			break;
		}
		memcpy(&buffer[filled], next, sizeof(dirent));
		buffer[filled].d_reclen = sizeof(dirent);
		filled++;
	}
	return filled;
}


status_t
BDirectory::Rewind()
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fListing != nullptr) {
		rewinddir(fListing);
		return B_OK;
	}
	int fd = openat(_Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return status_for_last_error();
	fListing = fdopendir(fd);
	if (fListing == nullptr) {
		status_t status = status_for_last_error();
		close(fd);
		return status;
	}
	return B_OK;
}


int32
BDirectory::CountEntries()
{
	if (InitCheck() != B_OK)
		return InitCheck();
	int fd = openat(_Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return status_for_last_error();
	DIR* listing = fdopendir(fd);
	if (listing == nullptr) {
		status_t status = status_for_last_error();
		close(fd);
		return status;
	}
	int32 count = 0;
	while (struct dirent* next = readdir(listing)) {
		if (!IsDotName(next->d_name))
			count++;
	}
	closedir(listing);
	return count;
}


status_t
BDirectory::CreateDirectory(const char* path, BDirectory* dir)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	std::string full;
	status_t status = _PathFor(this, path, full);
	if (status != B_OK)
		return status;
	if (mkdir(full.c_str(), 0777) != 0)
		return status_for_last_error();
	if (dir != nullptr)
		return dir->SetTo(full.c_str());
	return B_OK;
}


status_t
BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	uint32 mode = B_READ_WRITE | B_CREATE_FILE
		| (failIfExists ? B_FAIL_IF_EXISTS : B_ERASE_FILE);
	BFile scratch;
	BFile* target = file != nullptr ? file : &scratch;
	return target->SetTo(this, path, mode);
}


status_t
BDirectory::CreateSymLink(const char* path, const char* linkToPath, BSymLink* link)
{
	if (link != nullptr || linkToPath == nullptr || linkToPath[0] == '\0')
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return InitCheck();
	if (strnlen(linkToPath, B_PATH_NAME_LENGTH) >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	std::string full;
	status_t status = _PathFor(this, path, full);
	if (status != B_OK)
		return status;
	if (symlink(linkToPath, full.c_str()) != 0)
		return status_for_last_error();
	return B_OK;
}


BDirectory&
BDirectory::operator=(const BDirectory& other)
{
	if (this == &other)
		return *this;
	Unset();
	BNode::operator=(other);
	return *this;
}


status_t
BDirectory::_OpenFolder(const std::string& path)
{
	Unset();
	std::string folder;
	std::string leaf;
	status_t status = resolve_entry(path.c_str(), true, folder, leaf);
	if (status != B_OK) {
		_SetStatus(status);
		return status;
	}
	std::string real = join_entry_path(folder, leaf);
	int fd = open(real.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0) {
		status = status_for_last_error();
		_SetStatus(status);
		return status;
	}
	_SetDescriptor(fd, false, real);
	return B_OK;
}


status_t
BDirectory::_ReadNext(std::string& name)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fListing == nullptr) {
		status_t status = Rewind();
		if (status != B_OK)
			return status;
	}
	for (;;) {
		errno = 0;
		struct dirent* next = readdir(fListing);
		if (next == nullptr)
			return errno != 0 ? status_for_last_error() : B_ENTRY_NOT_FOUND;
		if (!IsDotName(next->d_name)) {
			name = next->d_name;
			return B_OK;
		}
	}
}


status_t
create_directory(const char* path, mode_t mode)
{
	std::string absolute;
	status_t status = make_absolute_path(path, absolute);
	if (status != B_OK)
		return status;

	size_t position = 1;
	while (position <= absolute.size()) {
		size_t slash = absolute.find('/', position);
		if (slash == std::string::npos)
			slash = absolute.size();
		std::string part = absolute.substr(0, slash);
		position = slash + 1;
		if (part.empty() || part.back() == '/')
			continue;
		if (mkdir(part.c_str(), mode) == 0)
			continue;
		if (errno != EEXIST)
			return status_for_last_error();
		struct stat info;
		if (stat(part.c_str(), &info) != 0)
			return status_for_last_error();
		if (!S_ISDIR(info.st_mode))
			return B_NOT_A_DIRECTORY;
	}
	return B_OK;
}
