/*
 * BPath: an absolute path name, with a few helpers to build and take it apart.
 *
 * A path is normalised (made absolute; ".", "..", doubled and trailing slashes removed;
 * links in the folder part resolved) when asked to, and whenever it is relative or holds
 * one of those elements. A normalised path needs its folder part to exist; an
 * unnormalised one need not exist at all, as on R5.
 */
#ifndef _PATH_H
#define _PATH_H

#include <Entry.h>
#include <StorageDefs.h>

#include <string>

class BDirectory;

class BPath {
public:
							BPath();
							BPath(const BPath& other);
							BPath(const entry_ref* ref);
							BPath(const BEntry* entry);
							BPath(const char* dir, const char* leaf = nullptr,
								bool normalize = false);
							BPath(const BDirectory* dir, const char* leaf,
								bool normalize = false);
	virtual					~BPath();

			status_t		InitCheck() const;

	// leaf, when given, must be relative; it is appended to dir with a slash. Paths of
	// B_PATH_NAME_LENGTH bytes or more give B_NAME_TOO_LONG.
			status_t		SetTo(const entry_ref* ref);
			status_t		SetTo(const BEntry* entry);
			status_t		SetTo(const char* path, const char* leaf = nullptr,
								bool normalize = false);
			status_t		SetTo(const BDirectory* dir, const char* leaf = nullptr,
								bool normalize = false);
			void			Unset();

	// Appends the relative path to this one.
			status_t		Append(const char* path, bool normalize = false);

	// The whole path, or null while the path is not set.
			const char*		Path() const;
	// The last element; "" for "/", null while the path is not set.
			const char*		Leaf() const;
	// The path without its last element; the root has no parent (B_ENTRY_NOT_FOUND).
			status_t		GetParent(BPath* path) const;

			bool			operator==(const BPath& other) const;
			bool			operator==(const char* path) const;
			bool			operator!=(const BPath& other) const;
			bool			operator!=(const char* path) const;
			BPath&			operator=(const BPath& other);
			BPath&			operator=(const char* path);

private:
			status_t		_Fail(status_t status);

			std::string		fPath;
			status_t		fStatus;
};

#endif	// _PATH_H
