#include <Path.h>

#include <Directory.h>

#include "storage/PathUtils.h"

#include <cstring>

using namespace BPrivate;


BPath::BPath()
	:
	fStatus(B_NO_INIT)
{
}


BPath::BPath(const BPath& other)
	:
	fPath(other.fPath),
	fStatus(other.fStatus)
{
}


BPath::BPath(const entry_ref* ref)
	:
	fStatus(B_NO_INIT)
{
	SetTo(ref);
}


BPath::BPath(const BEntry* entry)
	:
	fStatus(B_NO_INIT)
{
	SetTo(entry);
}


BPath::BPath(const char* dir, const char* leaf, bool normalize)
	:
	fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}


BPath::BPath(const BDirectory* dir, const char* leaf, bool normalize)
	:
	fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}


BPath::~BPath()
{
}


status_t
BPath::InitCheck() const
{
	return fStatus;
}


status_t
BPath::SetTo(const entry_ref* ref)
{
	if (ref == nullptr || ref->directory_path == nullptr || ref->name == nullptr
		|| ref->directory_path[0] != '/')
		return _Fail(B_BAD_VALUE);
	std::string path = join_entry_path(ref->directory_path, ref->name);
	if (path.size() >= B_PATH_NAME_LENGTH)
		return _Fail(B_NAME_TOO_LONG);
	fPath = path;
	fStatus = B_OK;
	return B_OK;
}


status_t
BPath::SetTo(const BEntry* entry)
{
	entry_ref ref;
	status_t status = entry != nullptr ? entry->GetRef(&ref) : B_BAD_VALUE;
	if (status != B_OK)
		return _Fail(status);
	return SetTo(&ref);
}


status_t
BPath::SetTo(const char* path, const char* leaf, bool normalize)
{
	status_t status = check_storage_path(path);
	if (status != B_OK)
		return _Fail(status);

	std::string whole = path;
	if (leaf != nullptr) {
		if (leaf[0] == '/')
			return _Fail(B_BAD_VALUE);
		if (leaf[0] != '\0') {
			if (whole.back() != '/')
				whole += '/';
			whole += leaf;
		}
	}
	if (whole.size() >= B_PATH_NAME_LENGTH)
		return _Fail(B_NAME_TOO_LONG);

	if (normalize || path_needs_normalizing(whole.c_str())) {
		std::string normalized;
		status = normalize_path(whole.c_str(), normalized);
		if (status != B_OK)
			return _Fail(status);
		whole = normalized;
	}
	fPath = whole;
	fStatus = B_OK;
	return B_OK;
}


status_t
BPath::SetTo(const BDirectory* dir, const char* leaf, bool normalize)
{
	if (dir == nullptr)
		return _Fail(B_BAD_VALUE);
	BEntry entry;
	status_t status = dir->GetEntry(&entry);
	if (status != B_OK)
		return _Fail(status);
	BPath folder(&entry);
	if (folder.InitCheck() != B_OK)
		return _Fail(folder.InitCheck());
	return SetTo(folder.Path(), leaf, normalize);
}


void
BPath::Unset()
{
	fPath.clear();
	fStatus = B_NO_INIT;
}


status_t
BPath::Append(const char* path, bool normalize)
{
	if (fStatus != B_OK)
		return fStatus;
	if (path == nullptr)
		return B_BAD_VALUE;
	std::string current = fPath;
	return SetTo(current.c_str(), path, normalize);
}


const char*
BPath::Path() const
{
	return fStatus == B_OK ? fPath.c_str() : nullptr;
}


const char*
BPath::Leaf() const
{
	if (fStatus != B_OK)
		return nullptr;
	size_t slash = fPath.rfind('/');
	return fPath.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}


status_t
BPath::GetParent(BPath* path) const
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (fPath == "/")
		return B_ENTRY_NOT_FOUND;
	size_t slash = fPath.rfind('/');
	if (slash == std::string::npos)
		return B_ENTRY_NOT_FOUND;
	std::string parent = slash == 0 ? std::string("/") : fPath.substr(0, slash);
	path->fPath = parent;
	path->fStatus = B_OK;
	return B_OK;
}


bool
BPath::operator==(const BPath& other) const
{
	return Path() == nullptr ? other.Path() == nullptr
		: (other.Path() != nullptr && fPath == other.fPath);
}


bool
BPath::operator==(const char* path) const
{
	if (Path() == nullptr || path == nullptr)
		return Path() == nullptr && path == nullptr;
	return fPath == path;
}


bool
BPath::operator!=(const BPath& other) const
{
	return !(*this == other);
}


bool
BPath::operator!=(const char* path) const
{
	return !(*this == path);
}


BPath&
BPath::operator=(const BPath& other)
{
	fPath = other.fPath;
	fStatus = other.fStatus;
	return *this;
}


BPath&
BPath::operator=(const char* path)
{
	if (path == nullptr)
		Unset();
	else
		SetTo(path);
	return *this;
}


status_t
BPath::_Fail(status_t status)
{
	Unset();
	fStatus = status;
	return status;
}
