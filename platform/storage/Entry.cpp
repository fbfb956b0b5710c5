#include <Entry.h>

#include <Directory.h>
#include <Path.h>

#include "storage/ErrnoStatus.h"
#include "storage/PathUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace BPrivate;


status_t
get_ref_for_path(const char* path, entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	BEntry entry(path);
	status_t status = entry.InitCheck();
	if (status != B_OK)
		return status;
	return entry.GetRef(ref);
}


bool
operator<(const entry_ref& a, const entry_ref& b)
{
	int order = strcmp(a.directory_path != nullptr ? a.directory_path : "",
		b.directory_path != nullptr ? b.directory_path : "");
	if (order != 0)
		return order < 0;
	return strcmp(a.name != nullptr ? a.name : "", b.name != nullptr ? b.name : "") < 0;
}


BEntry::BEntry()
	:
	fStatus(B_NO_INIT)
{
}


BEntry::BEntry(const BDirectory* dir, const char* path, bool traverse)
	:
	fStatus(B_NO_INIT)
{
	SetTo(dir, path, traverse);
}


BEntry::BEntry(const entry_ref* ref, bool traverse)
	:
	fStatus(B_NO_INIT)
{
	SetTo(ref, traverse);
}


BEntry::BEntry(const char* path, bool traverse)
	:
	fStatus(B_NO_INIT)
{
	SetTo(path, traverse);
}


BEntry::BEntry(const BEntry& other)
	:
	BStatable(),
	fDirectory(other.fDirectory),
	fName(other.fName),
	fStatus(other.fStatus)
{
}


BEntry::~BEntry()
{
}


status_t
BEntry::InitCheck() const
{
	return fStatus;
}


bool
BEntry::Exists() const
{
	struct stat info;
	return fStatus == B_OK && lstat(_FullPath().c_str(), &info) == 0;
}


status_t
BEntry::GetStat(struct stat* st) const
{
	if (st == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (lstat(_FullPath().c_str(), st) != 0)
		return status_for_last_error();
	return B_OK;
}


status_t
BEntry::SetTo(const BDirectory* dir, const char* path, bool traverse)
{
	if (dir == nullptr)
		return SetTo(path, traverse);
	status_t status = check_storage_path(path);
	if (status == B_OK && path[0] != '/') {
		if (dir->InitCheck() != B_OK) {
			status = dir->InitCheck();
		} else {
			BEntry folder;
			status = dir->GetEntry(&folder);
			if (status == B_OK) {
				std::string full = join_entry_path(folder._FullPath(), path);
				if (full.size() >= B_PATH_NAME_LENGTH)
					status = B_NAME_TOO_LONG;
				else
					return SetTo(full.c_str(), traverse);
			}
		}
	}
	if (status != B_OK) {
		Unset();
		fStatus = status;
		return status;
	}
	return SetTo(path, traverse);
}


status_t
BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	if (ref == nullptr || ref->directory_path == nullptr || ref->name == nullptr
		|| ref->directory_path[0] != '/') {
		Unset();
		fStatus = B_BAD_VALUE;
		return fStatus;
	}
	std::string full = join_entry_path(ref->directory_path, ref->name);
	if (full.size() >= B_PATH_NAME_LENGTH) {
		Unset();
		fStatus = B_NAME_TOO_LONG;
		return fStatus;
	}
	return SetTo(full.c_str(), traverse);
}


status_t
BEntry::SetTo(const char* path, bool traverse)
{
	std::string folder;
	std::string leaf;
	status_t status = resolve_entry(path, traverse, folder, leaf);
	if (status != B_OK) {
		Unset();
		fStatus = status;
		return status;
	}
	fDirectory = folder;
	fName = leaf;
	fStatus = B_OK;
	return B_OK;
}


void
BEntry::Unset()
{
	fDirectory.clear();
	fName.clear();
	fStatus = B_NO_INIT;
}


status_t
BEntry::GetRef(entry_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	status_t status = ref->set_directory_path(fDirectory.c_str());
	if (status == B_OK)
		status = ref->set_name(fName.c_str());
	return status;
}


status_t
BEntry::GetPath(BPath* path) const
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK) {
		path->Unset();
		return fStatus;
	}
	return path->SetTo(this);
}


status_t
BEntry::GetParent(BEntry* parent) const
{
	if (parent == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (fName == ".")
		return B_ENTRY_NOT_FOUND;
	return parent->SetTo(fDirectory.c_str());
}


status_t
BEntry::GetParent(BDirectory* parent) const
{
	if (parent == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (fName == ".")
		return B_ENTRY_NOT_FOUND;
	return parent->SetTo(fDirectory.c_str());
}


status_t
BEntry::GetName(char* buffer) const
{
	if (buffer == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK) {
		buffer[0] = '\0';
		return fStatus;
	}
	const std::string& name = fName == "." ? fDirectory : fName;
	size_t length = min_c(name.size(), (size_t)B_FILE_NAME_LENGTH - 1);
	memcpy(buffer, name.data(), length);
	buffer[length] = '\0';
	return B_OK;
}


status_t
BEntry::Rename(const char* path, bool clobber)
{
	if (fStatus != B_OK)
		return fStatus;
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	std::string target = path[0] == '/' ? std::string(path) : join_entry_path(fDirectory, path);
	if (target.size() >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return _MoveToPath(target, clobber);
}


status_t
BEntry::MoveTo(BDirectory* dir, const char* path, bool clobber)
{
	if (fStatus != B_OK)
		return fStatus;
	if (dir == nullptr)
		return path != nullptr ? Rename(path, clobber) : B_BAD_VALUE;
	if (dir->InitCheck() != B_OK)
		return dir->InitCheck();
	if (path != nullptr && path[0] == '/')
		return _MoveToPath(path, clobber);

	BEntry folder;
	status_t status = dir->GetEntry(&folder);
	if (status != B_OK)
		return status;
	std::string target = join_entry_path(folder._FullPath(),
		path != nullptr && path[0] != '\0' ? std::string(path) : fName);
	if (target.size() >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return _MoveToPath(target, clobber);
}


status_t
BEntry::Remove()
{
	if (fStatus != B_OK)
		return fStatus;
	std::string full = _FullPath();
	struct stat info;
	if (lstat(full.c_str(), &info) != 0)
		return status_for_last_error();
	int result = S_ISDIR(info.st_mode) ? rmdir(full.c_str()) : unlink(full.c_str());
	if (result != 0)
		return status_for_last_error();
	return B_OK;
}


bool
BEntry::operator==(const BEntry& other) const
{
	if (fStatus != B_OK || other.fStatus != B_OK)
		return fStatus != B_OK && other.fStatus != B_OK;
	return fDirectory == other.fDirectory && fName == other.fName;
}


bool
BEntry::operator!=(const BEntry& other) const
{
	return !(*this == other);
}


BEntry&
BEntry::operator=(const BEntry& other)
{
	fDirectory = other.fDirectory;
	fName = other.fName;
	fStatus = other.fStatus;
	return *this;
}


status_t
BEntry::_SetStat(const struct stat& values, uint32 fields)
{
	if (fStatus != B_OK)
		return fStatus;
	return apply_node_stat(-1, _FullPath().c_str(), false, values, fields);
}


std::string
BEntry::_FullPath() const
{
	return join_entry_path(fDirectory, fName);
}


status_t
BEntry::_MoveToPath(const std::string& target, bool clobber)
{
	std::string folder;
	std::string leaf;
	status_t status = resolve_entry(target.c_str(), false, folder, leaf);
	if (status != B_OK)
		return status;
	std::string destination = join_entry_path(folder, leaf);
	std::string source = _FullPath();
	if (destination == source)
		return B_OK;

	struct stat info;
	if (!clobber && lstat(destination.c_str(), &info) == 0)
		return B_FILE_EXISTS;
	if (rename(source.c_str(), destination.c_str()) != 0)
		return status_for_last_error();
	fDirectory = folder;
	fName = leaf;
	return B_OK;
}
