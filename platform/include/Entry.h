/*
 * entry_ref and BEntry: a named place in the file system.
 *
 * On BeOS an entry_ref names its folder by device and inode numbers. Linux has no way
 * to open a folder by inode, so here the ref carries the folder's absolute path and the
 * leaf name; the names and meaning of the calls are otherwise those of R5.
 */
#ifndef _ENTRY_H
#define _ENTRY_H

#include <StorageDefs.h>

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

#endif	// _ENTRY_H
