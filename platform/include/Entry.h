/*
 * entry_ref and BEntry: a named place in the file system.
 *
 * On BeOS an entry_ref names its folder by device and inode numbers. Linux has no way
 * to open a folder by inode, so here the ref carries the folder's absolute path and the
 * leaf name; the names and meaning of the calls are otherwise those of R5.
 */
#ifndef _ENTRY_H
#define _ENTRY_H

#include <Statable.h>
#include <StorageDefs.h>

#include <string>

class BDirectory;
class BPath;

struct entry_ref {
			entry_ref();
			// directoryPath is the absolute path of the folder that holds the entry.
			entry_ref(const char* directoryPath, const char* name);
			entry_ref(const entry_ref& other);
			~entry_ref();

	status_t	set_name(const char* name);
	status_t	set_directory_path(const char* path);

	bool		operator==(const entry_ref& other) const;
	bool		operator!=(const entry_ref& other) const;
	entry_ref&	operator=(const entry_ref& other);

	// Both are owned by the ref; either may be null for an uninitialised ref.
	char*	directory_path;
	char*	name;
};

// Fills ref with the entry that path names (absolute, or relative to the current folder).
// The folder must exist; the leaf need not, as on R5. Links are not followed.
status_t get_ref_for_path(const char* path, entry_ref* ref);

bool operator<(const entry_ref& a, const entry_ref& b);


// A BEntry names a place in the file system: a folder that exists and a leaf name in it,
// which may or may not exist ("abstract" entries). It can rename, move and remove what
// it names. An entry set up with traverse follows a leaf that is a link to its target.
class BEntry : public BStatable {
public:
							BEntry();
							BEntry(const BDirectory* dir, const char* path,
								bool traverse = false);
							BEntry(const entry_ref* ref, bool traverse = false);
							BEntry(const char* path, bool traverse = false);
							BEntry(const BEntry& other);
	virtual					~BEntry();

			status_t		InitCheck() const;
	// Whether something exists at the entry's place.
			bool			Exists() const;

	virtual	status_t		GetStat(struct stat* st) const;

			status_t		SetTo(const BDirectory* dir, const char* path,
								bool traverse = false);
			status_t		SetTo(const entry_ref* ref, bool traverse = false);
			status_t		SetTo(const char* path, bool traverse = false);
			void			Unset();

			status_t		GetRef(entry_ref* ref) const;
			status_t		GetPath(BPath* path) const;
	// parent is set to the folder that holds the entry; the root has none
	// (B_ENTRY_NOT_FOUND).
			status_t		GetParent(BEntry* parent) const;
			status_t		GetParent(BDirectory* parent) const;
	// buffer must hold B_FILE_NAME_LENGTH bytes.
			status_t		GetName(char* buffer) const;

	// Renames the entry inside its folder, or to path when it holds a slash (relative to
	// the entry's folder). Without clobber an existing target gives B_FILE_EXISTS.
			status_t		Rename(const char* path, bool clobber = false);
	// Moves the entry into dir, under the name path or its own leaf name.
			status_t		MoveTo(BDirectory* dir, const char* path = nullptr,
								bool clobber = false);
	// Removes the node (a file, a link or an empty folder); the entry stays set, abstract.
			status_t		Remove();

			bool			operator==(const BEntry& other) const;
			bool			operator!=(const BEntry& other) const;
			BEntry&			operator=(const BEntry& other);

protected:
	virtual	status_t		_SetStat(const struct stat& values, uint32 fields);

private:
			std::string		_FullPath() const;
			status_t		_MoveToPath(const std::string& target, bool clobber);

			std::string		fDirectory;
			std::string		fName;
			status_t		fStatus;
};

#endif	// _ENTRY_H
