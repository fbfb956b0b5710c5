/*
 * The window behind BFilePanel. It keeps the panel's settings (mode, target, message,
 * flavours, filter) and shows one folder at a time.
 */
#ifndef _TRACKER_FILE_PANEL_WINDOW_H
#define _TRACKER_FILE_PANEL_WINDOW_H

#include <FilePanel.h>
#include <Message.h>
#include <Window.h>

#include <string>

class BView;

namespace BPrivate {

class FilePanelWindow : public BWindow {
public:
								FilePanelWindow(BFilePanel* panel, file_panel_mode mode,
									const BMessenger& target, uint32 nodeFlavors,
									bool allowMultipleSelection, BRefFilter* filter,
									bool hideWhenDone);
	virtual						~FilePanelWindow();

	virtual	bool				QuitRequested();

			file_panel_mode		Mode() const { return fMode; }
			BView*				Background() const { return fBackground; }

			BMessenger			Target() const { return fTarget; }
			void				SetTarget(const BMessenger& target) { fTarget = target; }
			void				SetPanelMessage(const BMessage* message);
			BRefFilter*			Filter() const { return fFilter; }
			void				SetFilter(BRefFilter* filter) { fFilter = filter; }
			bool				HidesWhenDone() const { return fHideWhenDone; }
			void				SetHidesWhenDone(bool hide) { fHideWhenDone = hide; }
			void				SetSaveText(const char* text);
			void				SetButtonLabel(file_panel_button button, const char* label);
			status_t			SetDirectory(const char* path);
			const std::string&	Directory() const { return fDirectory; }
			void				Refresh();
			int32				CountSelected() const;
			status_t			SelectedRefAt(int32 index, entry_ref* ref) const;

private:
			BFilePanel*			fPanel;
			file_panel_mode		fMode;
			BMessenger			fTarget;
			BMessage			fMessage;
			uint32				fNodeFlavors;
			bool				fMultiple;
			BRefFilter*			fFilter;
			bool				fHideWhenDone;
			std::string			fDirectory;
			BView*				fBackground;
};

}	// namespace BPrivate

#endif	// _TRACKER_FILE_PANEL_WINDOW_H
