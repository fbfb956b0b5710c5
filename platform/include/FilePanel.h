/*
 * BFilePanel: the Tracker's "Open" and "Save" panel, a window of the platform's own in
 * the R5 look. The panel lists one folder (folders first, then files, each sorted by
 * name), lets the user walk up and down the folder tree and sends its message to the
 * target when the user confirms:
 *
 *   open panel  the message (B_REFS_RECEIVED unless SetMessage gave another) with one
 *               entry_ref "refs" per chosen entry;
 *   save panel  the message (B_SAVE_REQUESTED unless set) with the entry_ref "directory"
 *               of the folder and the string "name" typed by the user; the panel asks
 *               before it names a file that exists already;
 *   cancel      B_CANCEL with the pointer "source" (this BFilePanel) and the int32
 *               "old_what" (the what of the panel's message), when the user presses
 *               Cancel, Escape or closes the window.
 *
 * The folder is read when the panel is shown, when it moves and on Refresh; changes
 * made while it shows are not watched.
 *
 * Window() gives the panel's window; its first child is the grey background view, where
 * the caller may add its own controls in the strip between x = 120 and 100 pixels short
 * of the right edge, y = 25 to 55, which the panel leaves free.
 *
 * The panel's window runs on a thread of its own; the calls here lock it as needed and
 * may be made from any thread. Unlike R5, a folder that cannot be read is shown empty
 * with the reason in the panel, rather than silently, and names starting with a dot
 * are not listed, as Linux file managers hide them.
 */
#ifndef _FILE_PANEL_H
#define _FILE_PANEL_H

#include <Entry.h>
#include <Messenger.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

#include <sys/stat.h>

class BDirectory;
class BMessage;
class BNode;
class BWindow;

namespace BPrivate {
	class FilePanelWindow;
}

enum file_panel_mode {
	B_OPEN_PANEL,
	B_SAVE_PANEL
};

enum file_panel_button {
	B_CANCEL_BUTTON,
	B_DEFAULT_BUTTON
};

// A filter that decides which entries the panel shows. Filter is called on the panel's
// window thread for every entry of the folder; return false to hide the entry.
class BRefFilter {
public:
	virtual						~BRefFilter() {}
	virtual	bool				Filter(const entry_ref* ref, BNode* node,
									struct stat* st, const char* mimeType) = 0;
};

class BFilePanel {
public:
	// target: where the panel's messages go (copied; null means be_app_messenger).
	// directory: the folder shown first (null: the user's home folder).
	// nodeFlavors: in an open panel, which kinds of entry may be chosen (B_FILE_NODE,
	// B_DIRECTORY_NODE, B_SYMLINK_NODE); 0 means files only.
	// message: copied; null means the default message of the mode.
	// modal: kept for compatibility; the panel never blocks other windows.
								BFilePanel(file_panel_mode mode = B_OPEN_PANEL,
									BMessenger* target = NULL,
									const entry_ref* directory = NULL,
									uint32 nodeFlavors = 0,
									bool allowMultipleSelection = true,
									BMessage* message = NULL,
									BRefFilter* filter = NULL,
									bool modal = false,
									bool hideWhenDone = true);
	// Closes the panel's window. Does not send B_CANCEL.
	virtual						~BFilePanel();

			void				Show();
			void				Hide();
			bool				IsShowing() const;

	// Hook: the user hid the panel (by confirming with hide-when-done, cancelling or
	// closing it). Called on the panel's window thread.
	virtual	void				WasHidden();
	// Hook: the selection in the list changed. Called on the panel's window thread.
	virtual	void				SelectionChanged();
	// Sends message to target; override to see or change every message the panel sends.
	virtual	void				SendMessage(const BMessenger* target, BMessage* message);

	// The panel's window: lock it before adding views to its background view. NULL
	// once the application has quit the window.
			BWindow*			Window() const;
			BMessenger			Messenger() const;
			BRefFilter*			RefFilter() const;
			file_panel_mode		PanelMode() const;
			void				GetPanelDirectory(entry_ref* ref) const;

			void				SetTarget(BMessenger target);
	// Copies message; null restores the default message of the mode.
			void				SetMessage(BMessage* message);
	// The filter is not owned; the caller keeps it alive while the panel uses it.
			void				SetRefFilter(BRefFilter* filter);
	// The name shown in the save panel's text field.
			void				SetSaveText(const char* text);
			void				SetButtonLabel(file_panel_button button, const char* label);

	// Each shows the given folder; a null, missing or non-folder argument leaves the
	// panel where it is.
			void				SetPanelDirectory(const BEntry* newDirectory);
			void				SetPanelDirectory(const BDirectory* newDirectory);
			void				SetPanelDirectory(const entry_ref* newDirectory);
			void				SetPanelDirectory(const char* newDirectory);

			void				SetHideWhenDone(bool hideWhenDone);
			bool				HidesWhenDone() const;

	// Reads the folder again, keeping the selection where the entries still exist.
			void				Refresh();
	// The selected entries, one at a time: Rewind, then GetNextSelectedRef until it
	// returns B_ENTRY_NOT_FOUND.
			void				Rewind();
			status_t			GetNextSelectedRef(entry_ref* ref);

private:
	friend class BPrivate::FilePanelWindow;

								BFilePanel(const BFilePanel&);
			BFilePanel&			operator=(const BFilePanel&);

			BPrivate::FilePanelWindow* fWindow;
			// Locks fWindow only while it lives: the application deletes the window
			// when it quits, which may be before the panel is deleted.
			BMessenger			fWindowMessenger;
			int32				fSelectionIndex;
};

#endif	// _FILE_PANEL_H
