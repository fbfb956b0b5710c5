/*
 * BOutlineListView: a list whose items form a tree by their outline levels.
 *
 * The full list holds every item in tree order: an item's subitems follow it with
 * higher levels. The list the user sees (BListView's ItemAt, CountItems, IndexOf) holds
 * only the items whose superitems are all expanded. An item with subitems shows a latch
 * (a triangle) at its left that expands or collapses it when clicked; the right and
 * left arrow keys do the same for the selected item. Indexes passed to the FullList
 * calls, AddItem(item, index), RemoveItem(index) and RemoveItems are full list indexes,
 * as on R5. Sort the full list with FullListSortItems, not SortItems.
 */
#ifndef _OUTLINE_LIST_VIEW_H
#define _OUTLINE_LIST_VIEW_H

#include <ListView.h>

class BOutlineListView : public BListView {
public:
								BOutlineListView(BRect frame, const char* name,
									list_view_type type = B_SINGLE_SELECTION_LIST,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
										| B_NAVIGABLE);
	virtual						~BOutlineListView();

	virtual	void				KeyDown(const char* bytes, int32 numBytes);

	// Puts item directly after superitem in the full list, one level below it, ahead
	// of the subitems superitem already has (R5's order: the last added comes first).
	virtual	bool				AddUnder(BListItem* item, BListItem* superitem);
	virtual	bool				AddItem(BListItem* item);
	virtual	bool				AddItem(BListItem* item, int32 fullListIndex);
	virtual	bool				AddList(BList* newItems);
	virtual	bool				AddList(BList* newItems, int32 fullListIndex);
	// Removing an item removes its subitems with it; none is deleted.
	virtual	bool				RemoveItem(BListItem* item);
	virtual	BListItem*			RemoveItem(int32 fullListIndex);
	virtual	bool				RemoveItems(int32 fullListIndex, int32 count);
	virtual	void				MakeEmpty();

			BListItem*			FullListItemAt(int32 fullListIndex) const;
			int32				FullListIndexOf(BPoint point) const;
			int32				FullListIndexOf(const BListItem* item) const;
			BListItem*			FullListFirstItem() const;
			BListItem*			FullListLastItem() const;
			bool				FullListHasItem(const BListItem* item) const;
			int32				FullListCountItems() const;
			int32				FullListCurrentSelection(int32 index = 0) const;
			bool				FullListIsEmpty() const;
			void				FullListDoForEach(bool (*func)(BListItem* item));
			void				FullListDoForEach(bool (*func)(BListItem* item,
									void* data), void* data);
	// Sorts the items of each level among their siblings; compare as SortItems'.
			void				FullListSortItems(int (*compare)(const BListItem* a,
									const BListItem* b));

	// The nearest item above item with a lower level, or NULL.
			BListItem*			Superitem(const BListItem* item);
	// Collapsing deselects the subitems it hides.
			void				Expand(BListItem* item);
			void				Collapse(BListItem* item);
			bool				IsExpanded(int32 fullListIndex);

	// The subitems of under (every level, or only the next one).
			int32				CountItemsUnder(BListItem* under, bool oneLevelOnly) const;
			BListItem*			ItemUnderAt(BListItem* under, bool oneLevelOnly,
									int32 index) const;
	// Calls func on each subitem until it answers an item, which is returned.
			BListItem*			EachItemUnder(BListItem* under, bool oneLevelOnly,
									BListItem* (*func)(BListItem* item, void* data),
									void* data);

protected:
	virtual	void				DrawItemAt(int32 index, BRect itemRect);
	virtual	bool				ClickItem(int32 index, BPoint where, uint32 modifiers,
									int32 clicks);

private:
			bool				_InsertFull(BListItem** items, int32 count, int32 index);
			int32				_SubtreeEnd(int32 fullListIndex) const;
			bool				_HasSubitems(int32 fullListIndex) const;
			BRect				_LatchRect(BRect itemRect, uint32 level) const;
			void				_DrawLatch(BRect latch, bool expanded);
			void				_SetExpanded(BListItem* item, bool expanded);
			void				_RebuildVisible();

			std::vector<BListItem*> fFullList;
};

#endif	// _OUTLINE_LIST_VIEW_H
