#include <Statable.h>


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
	if (owner == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*owner = info.st_uid;
	return status;
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
	if (group == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*group = info.st_gid;
	return status;
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
	if (permissions == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*permissions = info.st_mode & 07777;
	return status;
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
	if (size == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*size = info.st_size;
	return status;
}


status_t
BStatable::GetModificationTime(time_t* modificationTime) const
{
	if (modificationTime == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*modificationTime = info.st_mtime;
	return status;
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
	if (creationTime == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*creationTime = info.st_ctime;
	return status;
}


status_t
BStatable::GetAccessTime(time_t* accessTime) const
{
	if (accessTime == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*accessTime = info.st_atime;
	return status;
}


status_t
BStatable::SetAccessTime(time_t accessTime)
{
	struct stat values = {};
	values.st_atim.tv_sec = accessTime;
	return _SetStat(values, B_STAT_FIELD_ATIME);
}
