#include <Node.h>

#include <Directory.h>
#include <Mime.h>
#include <TypeConstants.h>

#include "storage/ErrnoStatus.h"
#include "storage/PathUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace BPrivate;


namespace {

const char* const kUserPrefix = "user.";
const char* const kTypePrefix = "user.libbe.type.";
const char* const kReservedPrefix = "libbe.type.";


status_t
CheckAttrName(const char* name)
{
	if (name == nullptr || name[0] == '\0')
		return B_BAD_VALUE;
	if (strncmp(name, kReservedPrefix, strlen(kReservedPrefix)) == 0)
		return B_BAD_VALUE;
	if (strlen(kTypePrefix) + strlen(name) >= B_ATTR_NAME_LENGTH + 1)
		return B_NAME_TOO_LONG;
	return B_OK;
}


std::string
ValueName(const char* name)
{
	return std::string(kUserPrefix) + name;
}


std::string
TypeName(const char* name)
{
	return std::string(kTypePrefix) + name;
}

}	// namespace


BNode::BNode()
	:
	fFd(-1),
	fPathOnly(false),
	fStatus(B_NO_INIT),
	fAttrIndex(0),
	fAttrsListed(false)
{
}


BNode::BNode(const entry_ref* ref)
	:
	BNode()
{
	SetTo(ref);
}


BNode::BNode(const BEntry* entry)
	:
	BNode()
{
	SetTo(entry);
}


BNode::BNode(const char* path)
	:
	BNode()
{
	SetTo(path);
}


BNode::BNode(const BDirectory* dir, const char* path)
	:
	BNode()
{
	SetTo(dir, path);
}


BNode::BNode(const BNode& other)
	:
	BNode()
{
	*this = other;
}


BNode::~BNode()
{
	Unset();
}


status_t
BNode::InitCheck() const
{
	return fStatus;
}


status_t
BNode::GetStat(struct stat* st) const
{
	if (st == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (fstat(fFd, st) != 0)
		return status_for_last_error();
	return B_OK;
}


status_t
BNode::SetTo(const entry_ref* ref)
{
	std::string path;
	status_t status = _PathFor(ref, path);
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return _Open(path);
}


status_t
BNode::SetTo(const BEntry* entry)
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
BNode::SetTo(const char* path)
{
	std::string absolute;
	status_t status = make_absolute_path(path, absolute);
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return _Open(absolute);
}


status_t
BNode::SetTo(const BDirectory* dir, const char* path)
{
	std::string absolute;
	status_t status = _PathFor(dir, path, absolute);
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return _Open(absolute);
}


void
BNode::Unset()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
	fPathOnly = false;
	fPath.clear();
	fStatus = B_NO_INIT;
	fAttrNames.clear();
	fAttrIndex = 0;
	fAttrsListed = false;
}


status_t
BNode::Lock()
{
	if (fStatus != B_OK)
		return fStatus;
	if (fPathOnly)
		return B_NOT_ALLOWED;
	if (flock(fFd, LOCK_EX | LOCK_NB) != 0)
		return errno == EWOULDBLOCK ? B_BUSY : status_for_last_error();
	return B_OK;
}


status_t
BNode::Unlock()
{
	if (fStatus != B_OK)
		return fStatus;
	if (fPathOnly)
		return B_NOT_ALLOWED;
	if (flock(fFd, LOCK_UN) != 0)
		return status_for_last_error();
	return B_OK;
}


status_t
BNode::Sync()
{
	if (fStatus != B_OK)
		return fStatus;
	if (fPathOnly)
		return B_OK;
	if (fsync(fFd) != 0 && errno != EINVAL)
		return status_for_last_error();
	return B_OK;
}


ssize_t
BNode::WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
	size_t length)
{
	if (fStatus != B_OK)
		return fStatus;
	status_t status = CheckAttrName(name);
	if (status != B_OK)
		return status;
	if (offset < 0 || (buffer == nullptr && length > 0))
		return B_BAD_VALUE;

	std::vector<char> value;
	if (offset > 0) {
		status = _GetXattr(ValueName(name), value);
		if (status != B_OK && status != B_ENTRY_NOT_FOUND)
			return status;
		if ((uint64)offset + length > (uint64)SSIZE_MAX)
			return B_BAD_VALUE;
		if (value.size() < (size_t)offset + length)
			value.resize((size_t)offset + length, 0);
		if (length > 0)
			memcpy(value.data() + offset, buffer, length);
	} else if (length > 0) {
		value.assign((const char*)buffer, (const char*)buffer + length);
	}

	status = _SetXattr(ValueName(name), value.data(), value.size());
	if (status != B_OK)
		return status;

	uint8 code[4] = { (uint8)(type >> 24), (uint8)(type >> 16), (uint8)(type >> 8),
		(uint8)type };
	status = _SetXattr(TypeName(name), code, sizeof(code));
	if (status != B_OK)
		return status;
	return (ssize_t)length;
}


ssize_t
BNode::ReadAttr(const char* name, type_code type, off_t offset, void* buffer,
	size_t length) const
{
	if (fStatus != B_OK)
		return fStatus;
	status_t status = CheckAttrName(name);
	if (status != B_OK)
		return status;
	if (offset < 0 || (buffer == nullptr && length > 0))
		return B_BAD_VALUE;

	std::vector<char> value;
	status = _GetXattr(ValueName(name), value);
	if (status != B_OK)
		return status;
	if ((uint64)offset >= value.size())
		return 0;
	size_t count = min_c(length, value.size() - (size_t)offset);
	if (count > 0)
		memcpy(buffer, value.data() + offset, count);
	return (ssize_t)count;
}


status_t
BNode::RemoveAttr(const char* name)
{
	if (fStatus != B_OK)
		return fStatus;
	status_t status = CheckAttrName(name);
	if (status != B_OK)
		return status;
	status = _RemoveXattr(ValueName(name));
	if (status != B_OK)
		return status;
	_RemoveXattr(TypeName(name));
	return B_OK;
}


status_t
BNode::RenameAttr(const char* oldName, const char* newName)
{
	if (fStatus != B_OK)
		return fStatus;
	status_t status = CheckAttrName(oldName);
	if (status == B_OK)
		status = CheckAttrName(newName);
	if (status != B_OK)
		return status;

	std::vector<char> value;
	status = _GetXattr(ValueName(oldName), value);
	if (status != B_OK)
		return status;
	type_code type = _AttrType(oldName);
	ssize_t written = WriteAttr(newName, type, 0, value.data(), value.size());
	if (written < 0)
		return (status_t)written;
	if (strcmp(oldName, newName) != 0)
		return RemoveAttr(oldName);
	return B_OK;
}


status_t
BNode::GetAttrInfo(const char* name, attr_info* info) const
{
	if (info == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	status_t status = CheckAttrName(name);
	if (status != B_OK)
		return status;

	std::vector<char> value;
	status = _GetXattr(ValueName(name), value);
	if (status != B_OK)
		return status;
	info->size = (off_t)value.size();
	info->type = _AttrType(name);
	return B_OK;
}


status_t
BNode::GetNextAttrName(char* buffer)
{
	if (buffer == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (!fAttrsListed) {
		status_t status = _ListXattrs(fAttrNames);
		if (status != B_OK)
			return status;
		fAttrsListed = true;
		fAttrIndex = 0;
	}
	if (fAttrIndex >= fAttrNames.size())
		return B_ENTRY_NOT_FOUND;
	const std::string& name = fAttrNames[fAttrIndex++];
	size_t length = min_c(name.size(), (size_t)B_ATTR_NAME_LENGTH - 1);
	memcpy(buffer, name.data(), length);
	buffer[length] = '\0';
	return B_OK;
}


status_t
BNode::RewindAttrs()
{
	if (fStatus != B_OK)
		return fStatus;
	fAttrNames.clear();
	fAttrIndex = 0;
	fAttrsListed = false;
	return B_OK;
}


int
BNode::Dup()
{
	if (fStatus != B_OK)
		return fStatus;
	int fd = fcntl(fFd, F_DUPFD_CLOEXEC, 0);
	if (fd < 0)
		return status_for_last_error();
	return fd;
}


bool
BNode::operator==(const BNode& other) const
{
	if (fStatus != B_OK || other.fStatus != B_OK)
		return fStatus != B_OK && other.fStatus != B_OK;
	struct stat mine;
	struct stat theirs;
	if (fstat(fFd, &mine) != 0 || fstat(other.fFd, &theirs) != 0)
		return false;
	return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}


bool
BNode::operator!=(const BNode& other) const
{
	return !(*this == other);
}


BNode&
BNode::operator=(const BNode& other)
{
	if (this == &other)
		return *this;
	Unset();
	if (other.fStatus != B_OK) {
		fStatus = other.fStatus;
		return *this;
	}
	int fd = fcntl(other.fFd, F_DUPFD_CLOEXEC, 0);
	if (fd < 0) {
		fStatus = status_for_last_error();
		return *this;
	}
	_SetDescriptor(fd, other.fPathOnly, other.fPath);
	return *this;
}


status_t
BNode::_SetStat(const struct stat& values, uint32 fields)
{
	if (fStatus != B_OK)
		return fStatus;
	if (fPathOnly)
		return apply_node_stat(-1, _XattrTarget().c_str(), true, values, fields);
	return apply_node_stat(fFd, nullptr, true, values, fields);
}


void
BNode::_SetDescriptor(int fd, bool pathOnly, const std::string& path)
{
	Unset();
	fFd = fd;
	fPathOnly = pathOnly;
	fPath = path;
	fStatus = fd >= 0 ? B_OK : B_NO_INIT;
}


void
BNode::_SetStatus(status_t status)
{
	fStatus = status;
}


status_t
BNode::_PathFor(const BDirectory* dir, const char* path, std::string& result)
{
	status_t status = check_storage_path(path);
	if (status != B_OK)
		return status;
	if (path[0] == '/') {
		result = path;
		return B_OK;
	}
	if (dir == nullptr)
		return B_BAD_VALUE;
	const BNode* node = dir;
	if (node->fStatus != B_OK)
		return node->fStatus;
	result = join_entry_path(node->fPath, path);
	if (result.size() >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return B_OK;
}


status_t
BNode::_PathFor(const entry_ref* ref, std::string& result)
{
	if (ref == nullptr || ref->directory_path == nullptr || ref->name == nullptr
		|| ref->directory_path[0] != '/')
		return B_BAD_VALUE;
	result = join_entry_path(ref->directory_path, ref->name);
	if (result.size() >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return B_OK;
}


status_t
BNode::_Open(const std::string& path)
{
	Unset();
	// O_NONBLOCK keeps a named pipe from stalling the open. A node that may not be read
	// can still be looked at and have its attributes changed by its owner, as on R5.
	int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
	bool pathOnly = false;
	if (fd < 0 && errno == EACCES) {
		fd = open(path.c_str(), O_PATH | O_CLOEXEC);
		pathOnly = true;
	}
	if (fd < 0) {
		fStatus = status_for_last_error();
		return fStatus;
	}
	if (!pathOnly)
		fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
	_SetDescriptor(fd, pathOnly, path);
	return B_OK;
}


std::string
BNode::_XattrTarget() const
{
	char link[64];
	snprintf(link, sizeof(link), "/proc/self/fd/%d", fFd);
	return link;
}


status_t
BNode::_GetXattr(const std::string& name, std::vector<char>& value) const
{
	std::string target = fPathOnly ? _XattrTarget() : std::string();
	for (int attempt = 0; attempt < 4; attempt++) {
		ssize_t size = fPathOnly ? getxattr(target.c_str(), name.c_str(), nullptr, 0)
			: fgetxattr(fFd, name.c_str(), nullptr, 0);
		if (size < 0)
			return status_for_last_error();
		value.resize((size_t)size);
		if (size == 0)
			return B_OK;
		ssize_t read = fPathOnly
			? getxattr(target.c_str(), name.c_str(), value.data(), value.size())
			: fgetxattr(fFd, name.c_str(), value.data(), value.size());
		if (read >= 0) {
			value.resize((size_t)read);
			return B_OK;
		}
		// The value grew between the two calls: ask again.
		if (errno != ERANGE)
			return status_for_last_error();
	}
	return B_BUSY;
}


status_t
BNode::_SetXattr(const std::string& name, const void* data, size_t length)
{
	static const char kEmpty = '\0';
	if (data == nullptr)
		data = &kEmpty;
	int result = fPathOnly
		? setxattr(_XattrTarget().c_str(), name.c_str(), data, length, 0)
		: fsetxattr(fFd, name.c_str(), data, length, 0);
	if (result != 0)
		return _ChangeError();
	return B_OK;
}


status_t
BNode::_RemoveXattr(const std::string& name)
{
	int result = fPathOnly ? removexattr(_XattrTarget().c_str(), name.c_str())
		: fremovexattr(fFd, name.c_str());
	if (result != 0)
		return _ChangeError();
	return B_OK;
}


status_t
BNode::_ChangeError() const
{
	int error = errno;
	if (error == EACCES || error == EPERM) {
		// The permission check comes before the file system is asked, so a refusal may
		// hide that there are no attributes here at all: a read tells.
		std::vector<char> probe;
		if (_GetXattr(ValueName("BEOS:TYPE"), probe) == B_UNSUPPORTED)
			return B_UNSUPPORTED;
	}
	return status_for_errno(error);
}


status_t
BNode::_ListXattrs(std::vector<std::string>& names) const
{
	names.clear();
	std::string target = fPathOnly ? _XattrTarget() : std::string();
	std::vector<char> list;
	for (int attempt = 0;; attempt++) {
		ssize_t size = fPathOnly ? listxattr(target.c_str(), nullptr, 0)
			: flistxattr(fFd, nullptr, 0);
		if (size < 0)
			return status_for_last_error();
		list.resize((size_t)size);
		if (size == 0)
			break;
		ssize_t read = fPathOnly ? listxattr(target.c_str(), list.data(), list.size())
			: flistxattr(fFd, list.data(), list.size());
		if (read >= 0) {
			list.resize((size_t)read);
			break;
		}
		if (errno != ERANGE || attempt >= 3)
			return status_for_last_error();
	}

	size_t userLength = strlen(kUserPrefix);
	size_t typeLength = strlen(kTypePrefix);
	for (size_t start = 0; start < list.size();) {
		const char* name = list.data() + start;
		size_t length = strnlen(name, list.size() - start);
		if (strncmp(name, kUserPrefix, userLength) == 0
			&& strncmp(name, kTypePrefix, typeLength) != 0)
			names.emplace_back(name + userLength, length - userLength);
		start += length + 1;
	}

	if (names.empty()) {
		// Some file systems list nothing rather than refuse: ask for one value to tell
		// "no attributes" from "no attribute support".
		std::vector<char> probe;
		if (_GetXattr(ValueName("BEOS:TYPE"), probe) == B_UNSUPPORTED)
			return B_UNSUPPORTED;
	}
	return B_OK;
}


type_code
BNode::_AttrType(const char* name) const
{
	std::vector<char> code;
	if (_GetXattr(TypeName(name), code) == B_OK && code.size() == 4) {
		return ((uint32)(uint8)code[0] << 24) | ((uint32)(uint8)code[1] << 16)
			| ((uint32)(uint8)code[2] << 8) | (uint32)(uint8)code[3];
	}
	if (strcmp(name, "mime_type") == 0)
		return B_MIME_STRING_TYPE;
	return B_RAW_TYPE;
}
