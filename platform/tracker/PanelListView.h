/*
 * PanelListView: the file panel's list of entries. Beyond BListView it shows a note in
 * place of the rows when there are none (an empty folder, or why the folder could not
 * be read), selects the first entry whose name begins with the letters the user types,
 * and asks its window to go to the parent folder on Backspace.
 */
#ifndef _TRACKER_PANEL_LIST_VIEW_H
#define _TRACKER_PANEL_LIST_VIEW_H

#include <ListView.h>

#include <string>

namespace BPrivate {

// Posted to the window when the user asks for the parent folder.
enum {
	kPanelGoUp = 'fpUp'
};

class PanelListView : public BListView {
public:
								PanelListView(BRect frame, list_view_type type);

			void				SetNote(const char* note);
			const std::string&	Note() const { return fNote; }

	virtual	void				Draw(BRect updateRect);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);

private:
			bool				_TypeAhead(const char* bytes, int32 numBytes);

			std::string			fNote;
			std::string			fTyped;
			bigtime_t			fLastTyped;
};

}	// namespace BPrivate

#endif	// _TRACKER_PANEL_LIST_VIEW_H
