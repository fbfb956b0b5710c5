/*
 * _FileList: one record of the snapshot of the main window's six document slots that
 * the unsaved-documents window lists. A snapshot is an array of kFileListCount records
 * in slot order; every record, also that of an empty slot, has a path buffer of its own
 * of kFileListPathSize bytes.
 */
#ifndef FILE_LIST_H
#define FILE_LIST_H

struct _FileList {
	char*	path;			// full path, or the "Untitled%d" name of an untitled document
	bool	saved;			// the document has no unsaved changes
	bool	hasFile;		// the document is tied to a file
	bool	closeAfterSave;	// the tab closes once the document is saved
	bool	present;		// the slot holds a document
};

static const int kFileListCount = 6;
static const int kFileListPathSize = 1024;

// Copies the kFileListCount records of source into target. Every path is copied into a
// new buffer of kFileListPathSize bytes (a longer path is cut to fit); a path buffer
// that target already held is freed first. A null source, or a null path in it,
// yields empty paths with all flags false. target's paths must be null or buffers
// allocated by these functions (or with new char[]).
void CopyFileList(_FileList* target, const _FileList* source);

// Frees the path buffers of the kFileListCount records and sets them to null.
void FreeFileList(_FileList* list);

// The last component of path: the text after its last "/" (all of it when there is
// none). Never null; a null path gives an empty text.
const char* FileListLeafName(const char* path);

#endif	// FILE_LIST_H
