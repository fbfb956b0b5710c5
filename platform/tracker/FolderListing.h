/*
 * FolderListing: the entries of one folder as the file panel shows them: folders first,
 * then everything else, each group sorted by name (ignoring case, then byte order so the
 * order is total). Names starting with a dot are left out, as Linux file managers do.
 *
 * A link counts as what it points to, so a link to a folder can be entered; a link
 * that points nowhere counts as a file.
 */
#ifndef _TRACKER_FOLDER_LISTING_H
#define _TRACKER_FOLDER_LISTING_H

#include <Entry.h>
#include <SupportDefs.h>

#include <string>
#include <vector>

class BRefFilter;

namespace BPrivate {

struct PanelEntry {
	std::string		name;
	bool			isDirectory = false;
	bool			isLink = false;
	off_t			size = 0;
	time_t			modified = 0;
};

class FolderListing {
public:
								FolderListing();

	// Reads folder (an absolute path). On failure the listing is empty and Status()
	// tells why; the folder is remembered either way, so that Read can try again.
			status_t			Read(const char* folder, BRefFilter* filter = NULL);
			status_t			Status() const { return fStatus; }
	// Why the folder could not be read, in words ("Permission denied"), or "".
			const char*			Reason() const;
			const std::string&	Folder() const { return fFolder; }

			int32				CountEntries() const { return (int32)fEntries.size(); }
			const PanelEntry*	EntryAt(int32 index) const;
	// The index of the entry called name, or -1.
			int32				IndexOf(const char* name) const;
			status_t			GetRefAt(int32 index, entry_ref* ref) const;

	// Whether a entries sorts before b.
	static	bool				SortsBefore(const PanelEntry& a, const PanelEntry& b);

private:
			bool				_Accepts(const PanelEntry& entry, BRefFilter* filter) const;

			std::string			fFolder;
			status_t			fStatus;
			int					fErrno;
			std::vector<PanelEntry> fEntries;
};

// The folders from the root down to folder, each as an absolute path ("/" first).
std::vector<std::string> FolderAncestry(const char* folder);

}	// namespace BPrivate

#endif	// _TRACKER_FOLDER_LISTING_H
