/*
 * BStatable: what BEntry and BNode share, the stat() information of a node.
 */
#ifndef _STATABLE_H
#define _STATABLE_H

#include <SupportDefs.h>

#include <sys/stat.h>
#include <ctime>

class BStatable {
public:
	virtual					~BStatable();

	// Fills st with the node's stat() information. An entry that is a link answers for
	// the link itself.
	virtual	status_t		GetStat(struct stat* st) const = 0;

			bool			IsFile() const;
			bool			IsDirectory() const;
			bool			IsSymLink() const;

			status_t		GetOwner(uid_t* owner) const;
			status_t		SetOwner(uid_t owner);
			status_t		GetGroup(gid_t* group) const;
			status_t		SetGroup(gid_t group);
			status_t		GetPermissions(mode_t* permissions) const;
			status_t		SetPermissions(mode_t permissions);
			status_t		GetSize(off_t* size) const;
			status_t		GetModificationTime(time_t* modificationTime) const;
			status_t		SetModificationTime(time_t modificationTime);
	// Linux keeps no creation time in struct stat; the time of the last status change
	// stands in for it.
			status_t		GetCreationTime(time_t* creationTime) const;
			status_t		GetAccessTime(time_t* accessTime) const;
			status_t		SetAccessTime(time_t accessTime);

protected:
	// Which fields of a stat structure _SetStat changes.
	enum {
		B_STAT_FIELD_MODE		= 0x01,
		B_STAT_FIELD_UID		= 0x02,
		B_STAT_FIELD_GID		= 0x04,
		B_STAT_FIELD_MTIME		= 0x08,
		B_STAT_FIELD_ATIME		= 0x10
	};

	// Writes the chosen fields of values to the node.
	virtual	status_t		_SetStat(const struct stat& values, uint32 fields) = 0;
};

#endif	// _STATABLE_H
