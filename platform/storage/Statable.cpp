#include <Statable.h>


namespace {

// Reads one field of the node's stat record into *value; the record is not touched
// when it cannot be read.
template<typename Value, typename Field>
status_t
GetStatField(const BStatable* node, Value* value, Field field)
{
	if (value == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = node->GetStat(&info);
	if (status == B_OK)
		*value = field(info);
	return status;
}

}	// namespace



BStatable::~BStatable()
{
}


bool
BStatable::IsFile() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISREG(info.st_mode);
}


bool
BStatable::IsDirectory() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISDIR(info.st_mode);
}


bool
BStatable::IsSymLink() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISLNK(info.st_mode);
}


status_t
BStatable::GetOwner(uid_t* owner) const
{
	return GetStatField(this, owner, [](const struct stat& info) { return info.st_uid; });
}


status_t
BStatable::SetOwner(uid_t owner)
{
	struct stat values = {};
	values.st_uid = owner;
	return _SetStat(values, B_STAT_FIELD_UID);
}


status_t
BStatable::GetGroup(gid_t* group) const
{
	return GetStatField(this, group, [](const struct stat& info) { return info.st_gid; });
}


status_t
BStatable::SetGroup(gid_t group)
{
	struct stat values = {};
	values.st_gid = group;
	return _SetStat(values, B_STAT_FIELD_GID);
}


status_t
BStatable::GetPermissions(mode_t* permissions) const
{
	return GetStatField(this, permissions,
		[](const struct stat& info) { return info.st_mode & 07777; });
}


status_t
BStatable::SetPermissions(mode_t permissions)
{
	struct stat values = {};
	values.st_mode = permissions & 07777;
	return _SetStat(values, B_STAT_FIELD_MODE);
}


status_t
BStatable::GetSize(off_t* size) const
{
	return GetStatField(this, size, [](const struct stat& info) { return info.st_size; });
}


status_t
BStatable::GetModificationTime(time_t* modificationTime) const
{
	return GetStatField(this, modificationTime,
		[](const struct stat& info) { return info.st_mtime; });
}


status_t
BStatable::SetModificationTime(time_t modificationTime)
{
	struct stat values = {};
	values.st_mtim.tv_sec = modificationTime;
	return _SetStat(values, B_STAT_FIELD_MTIME);
}


status_t
BStatable::GetCreationTime(time_t* creationTime) const
{
	return GetStatField(this, creationTime,
		[](const struct stat& info) { return info.st_ctime; });
}


status_t
BStatable::GetAccessTime(time_t* accessTime) const
{
	return GetStatField(this, accessTime,
		[](const struct stat& info) { return info.st_atime; });
}


status_t
BStatable::SetAccessTime(time_t accessTime)
{
	struct stat values = {};
	values.st_atim.tv_sec = accessTime;
	return _SetStat(values, B_STAT_FIELD_ATIME);
}
