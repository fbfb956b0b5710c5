/*
 * BListView: a column of BListItems that the user selects with the mouse and keys.
 *
 * A single selection list keeps at most one item selected; a multiple selection list
 * extends the selection with Shift (a range from the last plain click) and toggles items
 * with Ctrl (B_COMMAND_KEY). Every change of the selection calls SelectionChanged and
 * sends the selection message; a double click or Enter sends the invocation message
 * (BInvoker's). Both carry "when", "source" and an "index" for each selected item, as
 * on R5. The list does not own its items: removing or emptying it leaves them to the
 * caller, as on R5. A vertical scroll bar is kept in range as items come and go; a
 * horizontal one is left to the owner, as R5 does.
 */
#ifndef _LIST_VIEW_H
#define _LIST_VIEW_H

#include <Invoker.h>
#include <ListItem.h>
#include <View.h>

#include <vector>

class BList;

enum list_view_type {
	B_SINGLE_SELECTION_LIST,
	B_MULTIPLE_SELECTION_LIST
};

class BListView : public BView, public BInvoker {
public:
								BListView(BRect frame, const char* name,
									list_view_type type = B_SINGLE_SELECTION_LIST,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
										| B_NAVIGABLE);
	virtual						~BListView();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				FrameResized(float width, float height);
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focus = true);
	virtual	void				SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	virtual	void				TargetedByScrollBar(BScrollBar* scrollBar);

	// Items. The adding calls answer false for NULL, an item already in the list or
	// an index out of range.
	virtual	bool				AddItem(BListItem* item);
	virtual	bool				AddItem(BListItem* item, int32 atIndex);
	virtual	bool				AddList(BList* newItems);
	virtual	bool				AddList(BList* newItems, int32 atIndex);
	virtual	bool				RemoveItem(BListItem* item);
	virtual	BListItem*			RemoveItem(int32 index);
	virtual	bool				RemoveItems(int32 index, int32 count);
	virtual	void				MakeEmpty();
			BListItem*			ItemAt(int32 index) const;
			BListItem*			FirstItem() const;
			BListItem*			LastItem() const;
			int32				IndexOf(const BListItem* item) const;
	// The item under point (view coordinates), or -1.
			int32				IndexOf(BPoint point) const;
			int32				CountItems() const;
			bool				IsEmpty() const;
			bool				HasItem(const BListItem* item) const;
			bool				SwapItems(int32 a, int32 b);
			bool				MoveItem(int32 from, int32 to);
	// Puts item in the place of the one at index, which goes back to the caller.
			bool				ReplaceItem(int32 index, BListItem* item);
	// compare gets pointers to two BListItem pointers, as qsort's.
			void				SortItems(int (*compare)(const void*, const void*));
			void				DoForEach(bool (*func)(BListItem* item));
			void				DoForEach(bool (*func)(BListItem* item, void* data),
									void* data);
			const BListItem**	Items() const;
			BRect				ItemFrame(int32 index) const;
			void				InvalidateItem(int32 index);
			void				ScrollToSelection();

	// Selection.
			void				SetListType(list_view_type type);
			list_view_type		ListType() const;
	// With extend false the rest of the selection is dropped.
			void				Select(int32 index, bool extend = false);
			void				Select(int32 from, int32 to, bool extend = false);
			bool				IsItemSelected(int32 index) const;
	// The index of the index-th selected item, or -1.
			int32				CurrentSelection(int32 index = 0) const;
			bool				Deselect(int32 index);
			void				DeselectAll();
			void				DeselectExcept(int32 exceptFrom, int32 exceptTo);
	virtual	void				SelectionChanged();

	// Messages. The list view owns them; NULL removes them.
	virtual	void				SetSelectionMessage(BMessage* message);
	virtual	void				SetInvocationMessage(BMessage* message);
			BMessage*			SelectionMessage() const;
			uint32				SelectionCommand() const;
			BMessage*			InvocationMessage() const;
			uint32				InvocationCommand() const;
	// Adds the selected indexes to a copy of message (the invocation message when NULL).
	virtual	status_t			Invoke(BMessage* message = NULL);

	// Called when the pointer moves with the button down from a press on an item;
	// true when the view started a drag, which ends the selection tracking.
	virtual	bool				InitiateDrag(BPoint point, int32 itemIndex,
									bool wasSelected);

protected:
	// Draws the item at index in itemRect; the outline list adds its latches.
	virtual	void				DrawItemAt(int32 index, BRect itemRect);
	// A click at where on the item at index, before the selection changes; true
	// when the click was used up (the outline list's latch).
	virtual	bool				ClickItem(int32 index, BPoint where, uint32 modifiers,
									int32 clicks);

private:
	friend class BOutlineListView;

								BListView(const BListView&);
			BListView&			operator=(const BListView&);

			bool				_InsertItems(BListItem** items, int32 count, int32 index);
			void				_UpdateItem(BListItem* item);
			void				_Relayout();
			void				_FixupScrollBar();
			bool				_SetSelected(int32 index, bool selected);
			bool				_DeselectAllBut(int32 from, int32 to);
			void				_SelectionDidChange();
			void				_MoveSelection(int32 index, bool extend);
			void				_ScrollToItem(int32 index);
			void				_AddSelection(BMessage* message) const;

			std::vector<BListItem*> fItems;
			// The top of each item and, at the end, the bottom of the last one plus one.
			std::vector<float>	fTops;
			list_view_type		fListType;
			BMessage*			fSelectMessage;
			int32				fAnchor;
			int32				fLastSelected;
			int32				fPressedIndex;
			bool				fPressedWasSelected;
			BPoint				fPressPoint;
			bool				fTracking;
			int32				fSelectionLock;
			bool				fSelectionDirty;
};

#endif	// _LIST_VIEW_H
