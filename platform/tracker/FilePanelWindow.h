/*
 * FilePanelWindow: the window behind BFilePanel. It keeps the panel's settings (mode,
 * target, message, node flavours, filter, hide when done), shows one folder at a time
 * and turns the user's choice into the panel's messages.
 *
 * The background view (the window's first child) holds, from the top: a menu bar with a
 * "Go" menu, the path menu at the left of a strip that callers may fill from x = 120 to
 * 100 pixels short of the right edge (y = 25 to 55), the list of entries below its
 * column titles, and at the bottom the save panel's name field and the two buttons.
 */
#ifndef _TRACKER_FILE_PANEL_WINDOW_H
#define _TRACKER_FILE_PANEL_WINDOW_H

#include <FilePanel.h>
#include <Message.h>
#include <Window.h>

#include <string>
#include <vector>

#include "tracker/FolderListing.h"

class BButton;
class BMenuField;
class BPopUpMenu;
class BTextControl;
class BView;

namespace BPrivate {

class PanelListView;

class FilePanelWindow : public BWindow {
public:
								FilePanelWindow(BFilePanel* panel, file_panel_mode mode,
									const BMessenger& target, uint32 nodeFlavors,
									bool allowMultipleSelection, BRefFilter* filter,
									bool hideWhenDone);
	virtual						~FilePanelWindow();

	virtual	bool				QuitRequested();
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				DispatchMessage(BMessage* message, BHandler* handler);

	// The calls below want the window locked.
	// The panel object is going: no more hooks.
			void				DetachPanel() { fPanel = NULL; }
			file_panel_mode		Mode() const { return fMode; }
			BView*				Background() const { return fBackground; }
			BMessenger			Target() const { return fTarget; }
			void				SetTarget(const BMessenger& target) { fTarget = target; }
			void				SetPanelMessage(const BMessage* message);
			BRefFilter*			Filter() const { return fFilter; }
			void				SetFilter(BRefFilter* filter);
			bool				HidesWhenDone() const { return fHideWhenDone; }
			void				SetHidesWhenDone(bool hide) { fHideWhenDone = hide; }
			void				SetSaveText(const char* text);
			void				SetButtonLabel(file_panel_button button, const char* label);

	// Shows folder (an absolute path, or relative to the working folder). Fails, and
	// leaves the panel as it is, when folder is not a folder; a folder that cannot be
	// read is shown empty, with the reason in the list.
			status_t			SetDirectory(const char* folder);
			const std::string&	Directory() const { return fListing.Folder(); }
	// The reason the folder shown could not be read, or B_OK.
			status_t			DirectoryStatus() const { return fListing.Status(); }
			void				Refresh();
	// Called by BFilePanel::Show before the window appears.
			void				PrepareToShow();

			int32				CountSelected() const;
			status_t			SelectedRefAt(int32 index, entry_ref* ref) const;

private:
			void				_BuildViews();
			void				_BuildMenuBar(BRect bounds);
			void				_BuildList(BRect bounds);
			void				_BuildBottom(BRect bounds);
			void				_Fill(const std::vector<std::string>& select);
			void				_ClearList();
			void				_RebuildPathMenu();
			void				_UpdateButtons();
			std::vector<std::string> _SelectedNames() const;
			const PanelEntry*	_SelectedEntry(int32 index) const;

			void				_GoTo(const std::string& folder, const char* select = NULL);
			void				_GoUp();
			void				_ListInvoked();
			void				_SelectionChanged();
			void				_DefaultPressed();
			void				_Open();
			void				_Save();
			bool				_AskToReplace(const char* name);
			void				_ShowError(const char* text);
			bool				_MayChoose(const PanelEntry& entry) const;
			void				_Send(BMessage* message);
			void				_Done();
			void				_Cancel();

			BFilePanel*			fPanel;
			file_panel_mode		fMode;
			BMessenger			fTarget;
			BMessage			fMessage;
			uint32				fNodeFlavors;
			bool				fMultiple;
			BRefFilter*			fFilter;
			bool				fHideWhenDone;
			FolderListing		fListing;

			BView*				fBackground;
			BMenuField*			fPathField;
			BPopUpMenu*			fPathMenu;
			PanelListView*		fList;
			BTextControl*		fNameField;
			BButton*			fDefaultButton;
			BButton*			fCancelButton;
};

}	// namespace BPrivate

#endif	// _TRACKER_FILE_PANEL_WINDOW_H
