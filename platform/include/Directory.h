/*
 * BDirectory: an open folder. It lists its entries, finds and creates entries in it, and
 * is the base that relative paths in other Storage Kit calls are taken against.
 */
#ifndef _DIRECTORY_H
#define _DIRECTORY_H

#include <Entry.h>
#include <Node.h>

#include <dirent.h>

class BFile;
class BSymLink;

class BDirectory : public BNode {
public:
							BDirectory();
							BDirectory(const entry_ref* ref);
							BDirectory(const BEntry* entry);
							BDirectory(const char* path);
							BDirectory(const BDirectory* dir, const char* path);
							BDirectory(const BDirectory& other);
	virtual					~BDirectory();

	// A path or entry that is not a folder gives B_NOT_A_DIRECTORY. Links are followed.
			status_t		SetTo(const entry_ref* ref);
			status_t		SetTo(const BEntry* entry);
			status_t		SetTo(const char* path);
			status_t		SetTo(const BDirectory* dir, const char* path);
			void			Unset();

			status_t		GetEntry(BEntry* entry) const;
			bool			IsRootDirectory() const;

	// Finds the entry at path (relative to this folder, or absolute); B_ENTRY_NOT_FOUND
	// when nothing is there, and entry is then unset.
			status_t		FindEntry(const char* path, BEntry* entry,
								bool traverse = false) const;
	// Whether the entry at path (relative, or absolute anywhere below this folder) exists
	// and is of one of the node flavours.
			bool			Contains(const char* path, int32 nodeFlags = B_ANY_NODE) const;
			bool			Contains(const BEntry* entry,
								int32 nodeFlags = B_ANY_NODE) const;
			status_t		GetStatFor(const char* path, struct stat* st) const;

	// The folder's entries one by one, without "." and ".."; B_ENTRY_NOT_FOUND after the
	// last. With traverse an entry that is a link is given as its target (as the link
	// itself when it cannot be followed).
	virtual	status_t		GetNextEntry(BEntry* entry, bool traverse = false);
	virtual	status_t		GetNextRef(entry_ref* ref);
	// Fills buffer with up to count struct dirent records of the Linux layout, "." and
	// ".." included; returns how many, 0 after the last.
	virtual	int32			GetNextDirents(dirent* buffer, size_t length,
								int32 count = INT32_MAX);
	virtual	status_t		Rewind();
	// The number of entries, without "." and ".."; the listing position is kept.
	virtual	int32			CountEntries();

	// Creates a folder, a file (B_READ_WRITE, erased unless failIfExists) or a link at
	// path, relative to this folder. No BSymLink class exists here: link must be null.
			status_t		CreateDirectory(const char* path, BDirectory* dir);
			status_t		CreateFile(const char* path, BFile* file,
								bool failIfExists = false);
			status_t		CreateSymLink(const char* path, const char* linkToPath,
								BSymLink* link);

			BDirectory&		operator=(const BDirectory& other);

private:
			status_t		_OpenFolder(const std::string& path);
			status_t		_ReadNext(std::string& name);

			DIR*			fListing;
};

// Creates the folder at path and every missing folder above it, with the given mode.
// An existing folder is success; an existing entry that is not a folder is
// B_NOT_A_DIRECTORY.
status_t create_directory(const char* path, mode_t mode);

#endif	// _DIRECTORY_H
