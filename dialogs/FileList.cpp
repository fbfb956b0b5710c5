#include "FileList.h"

#include <stdio.h>
#include <string.h>


void
CopyFileList(_FileList* target, const _FileList* source)
{
	if (target == NULL)
		return;

	for (int i = 0; i < kFileListCount; i++) {
		char* path = new char[kFileListPathSize];
		path[0] = '\0';
		_FileList entry = { path, false, false, false, false };
		if (source != NULL) {
			if (source[i].path != NULL)
				snprintf(path, kFileListPathSize, "%s", source[i].path);
			entry.saved = source[i].saved;
			entry.hasFile = source[i].hasFile;
			entry.closeAfterSave = source[i].closeAfterSave;
			entry.present = source[i].present;
		}
		delete[] target[i].path;
		target[i] = entry;
	}
}


void
FreeFileList(_FileList* list)
{
	if (list == NULL)
		return;

	for (int i = 0; i < kFileListCount; i++) {
		delete[] list[i].path;
		list[i].path = NULL;
	}
}


const char*
FileListLeafName(const char* path)
{
	if (path == NULL)
		return "";

	const char* slash = strrchr(path, '/');
	return slash != NULL ? slash + 1 : path;
}
