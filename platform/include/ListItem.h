/*
 * BListItem: one row of a BListView; BStringItem: a row that shows a line of text.
 *
 * An item knows its size, whether it is selected and enabled, and, for outline lists,
 * its level and whether its subitems are shown. The list calls Update when the item is
 * added and when the list's font changes, then DrawItem for each row it shows.
 */
#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <Font.h>
#include <Rect.h>
#include <SupportDefs.h>

class BView;
class BOutlineListView;

class BListItem {
public:
								BListItem(uint32 outlineLevel = 0, bool expanded = true);
	virtual						~BListItem();

			float				Height() const;
			float				Width() const;
			void				SetHeight(float height);
			void				SetWidth(float width);
			bool				IsSelected() const;
	// Select and Deselect only mark the item; the list's Select does the rest.
			void				Select();
			void				Deselect();
	virtual	void				SetEnabled(bool enabled);
			bool				IsEnabled() const;
			bool				IsExpanded() const;
			void				SetExpanded(bool expanded);
			uint32				OutlineLevel() const;

	// Draws the item in frame (owner's coordinates); complete asks for the background
	// too, not only what differs from the list's colour.
	virtual	void				DrawItem(BView* owner, BRect frame,
									bool complete = false) = 0;
	// R5's default: as wide as the owner, as high as a line of font.
	virtual	void				Update(BView* owner, const BFont* font);

private:
	friend class BOutlineListView;

			float				fWidth;
			float				fHeight;
			uint32				fLevel;
			bool				fSelected;
			bool				fEnabled;
			bool				fExpanded;
			// Whether the item is in its outline list's visible rows.
			bool				fVisible;
};


class BStringItem : public BListItem {
public:
								BStringItem(const char* text, uint32 outlineLevel = 0,
									bool expanded = true);
	virtual						~BStringItem();

	// Selected rows are drawn on the list colour tinted by B_HIGHLIGHT_BACKGROUND_TINT
	// and disabled ones in grey, as on R5.
	virtual	void				DrawItem(BView* owner, BRect frame, bool complete = false);
	virtual	void				SetText(const char* text);
			const char*			Text() const;
	virtual	void				Update(BView* owner, const BFont* font);

private:
			char*				fText;
			float				fBaselineOffset;
};

#endif	// _LIST_ITEM_H
