/*
 * PanelColumnHeader: the row of column titles above the file panel's list ("Name",
 * "Size", "Modified"), in the bevelled look of the R5 Tracker's titles.
 */
#ifndef _TRACKER_PANEL_COLUMN_HEADER_H
#define _TRACKER_PANEL_COLUMN_HEADER_H

#include <View.h>

namespace BPrivate {

class PanelColumnHeader : public BView {
public:
								PanelColumnHeader(BRect frame);

	virtual	void				Draw(BRect updateRect);

private:
			void				_DrawTitle(const char* title, float left, float right,
									bool alignRight);
};

}	// namespace BPrivate

#endif	// _TRACKER_PANEL_COLUMN_HEADER_H
