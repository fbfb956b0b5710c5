#include <OutlineListView.h>

#include <List.h>
#include <Window.h>

#include "interface/lists/ListItems.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Each level indents the item by the width of a latch.
const float kLevelIndent = 14.0f;
const float kLatchSize = 9.0f;

}	// namespace


BOutlineListView::BOutlineListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	:
	BListView(frame, name, type, resizingMode, flags)
{
}


BOutlineListView::~BOutlineListView()
{
}


// #pragma mark - adding and removing


bool
BOutlineListView::AddUnder(BListItem* item, BListItem* superitem)
{
	if (item == NULL || superitem == NULL)
		return false;
	int32 index = FullListIndexOf(superitem);
	if (index < 0 || item == superitem)
		return false;
	item->fLevel = superitem->fLevel + 1;
	return _InsertFull(&item, 1, index + 1);
}


bool
BOutlineListView::AddItem(BListItem* item)
{
	return AddItem(item, FullListCountItems());
}


bool
BOutlineListView::AddItem(BListItem* item, int32 fullListIndex)
{
	if (item == NULL)
		return false;
	return _InsertFull(&item, 1, fullListIndex);
}


bool
BOutlineListView::AddList(BList* newItems)
{
	return AddList(newItems, FullListCountItems());
}


bool
BOutlineListView::AddList(BList* newItems, int32 fullListIndex)
{
	std::vector<BListItem*> items;
	if (!BPrivate::ListItemsOf(newItems, &items))
		return false;
	if (items.empty())
		return fullListIndex >= 0 && fullListIndex <= FullListCountItems();
	return _InsertFull(items.data(), (int32)items.size(), fullListIndex);
}


bool
BOutlineListView::_InsertFull(BListItem** items, int32 count, int32 index)
{
	if (index < 0 || index > FullListCountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		if (FullListHasItem(items[i]) || std::find(items, items + i, items[i]) != items + i)
			return false;
	}
	fFullList.insert(fFullList.begin() + index, items, items + count);
	bool selected = false;
	for (int32 i = 0; i < count; i++) {
		_UpdateItem(items[i]);
		if (items[i]->IsSelected()) {
			if (ListType() == B_SINGLE_SELECTION_LIST)
				items[i]->Deselect();
			else
				selected = true;
		}
	}
	_RebuildVisible();
	if (selected)
		_SelectionDidChange();
	return true;
}


bool
BOutlineListView::RemoveItem(BListItem* item)
{
	int32 index = FullListIndexOf(item);
	return index >= 0 && RemoveItems(index, 1);
}


BListItem*
BOutlineListView::RemoveItem(int32 fullListIndex)
{
	BListItem* item = FullListItemAt(fullListIndex);
	if (item == NULL || !RemoveItems(fullListIndex, 1))
		return NULL;
	return item;
}


bool
BOutlineListView::RemoveItems(int32 fullListIndex, int32 count)
{
	int32 total = FullListCountItems();
	if (fullListIndex < 0 || count < 0 || fullListIndex > total
		|| count > total - fullListIndex)
		return false;
	if (count == 0)
		return true;
	// The subitems of the last removed item go with it.
	int32 end = std::max(fullListIndex + count, _SubtreeEnd(fullListIndex + count - 1));
	bool selected = false;
	for (int32 i = fullListIndex; i < end; i++) {
		selected |= fFullList[i]->IsSelected();
		fFullList[i]->Deselect();
	}
	fFullList.erase(fFullList.begin() + fullListIndex, fFullList.begin() + end);
	fPressedIndex = -1;
	fTracking = false;
	_RebuildVisible();
	if (selected)
		_SelectionDidChange();
	return true;
}


void
BOutlineListView::MakeEmpty()
{
	RemoveItems(0, FullListCountItems());
}


// #pragma mark - the full list


BListItem*
BOutlineListView::FullListItemAt(int32 fullListIndex) const
{
	if (fullListIndex < 0 || fullListIndex >= FullListCountItems())
		return NULL;
	return fFullList[fullListIndex];
}


int32
BOutlineListView::FullListIndexOf(BPoint point) const
{
	return FullListIndexOf(ItemAt(IndexOf(point)));
}


int32
BOutlineListView::FullListIndexOf(const BListItem* item) const
{
	if (item == NULL)
		return -1;
	auto found = std::find(fFullList.begin(), fFullList.end(), item);
	return found == fFullList.end() ? -1 : (int32)(found - fFullList.begin());
}


BListItem*
BOutlineListView::FullListFirstItem() const
{
	return FullListItemAt(0);
}


BListItem*
BOutlineListView::FullListLastItem() const
{
	return FullListItemAt(FullListCountItems() - 1);
}


bool
BOutlineListView::FullListHasItem(const BListItem* item) const
{
	return FullListIndexOf(item) >= 0;
}


int32
BOutlineListView::FullListCountItems() const
{
	return (int32)fFullList.size();
}


int32
BOutlineListView::FullListCurrentSelection(int32 index) const
{
	if (index < 0)
		return -1;
	for (int32 i = 0; i < FullListCountItems(); i++) {
		if (fFullList[i]->IsSelected() && index-- == 0)
			return i;
	}
	return -1;
}


bool
BOutlineListView::FullListIsEmpty() const
{
	return fFullList.empty();
}


void
BOutlineListView::FullListDoForEach(bool (*func)(BListItem* item))
{
	if (func == NULL)
		return;
	std::vector<BListItem*> items = fFullList;
	for (BListItem* item : items) {
		if (func(item))
			break;
	}
}


void
BOutlineListView::FullListDoForEach(bool (*func)(BListItem* item, void* data), void* data)
{
	if (func == NULL)
		return;
	std::vector<BListItem*> items = fFullList;
	for (BListItem* item : items) {
		if (func(item, data))
			break;
	}
}


namespace {

// Sorts the siblings of [begin, end) (whose first item has the siblings' level) as
// whole subtrees, and then the children of each.
void
SortSiblings(std::vector<BListItem*>& list, size_t begin, size_t end,
	int (*compare)(const BListItem*, const BListItem*))
{
	if (end - begin < 2)
		return;
	uint32 level = list[begin]->OutlineLevel();
	std::vector<std::vector<BListItem*>> groups;
	for (size_t i = begin; i < end; i++) {
		if (groups.empty() || list[i]->OutlineLevel() <= level)
			groups.emplace_back();
		groups.back().push_back(list[i]);
	}
	std::stable_sort(groups.begin(), groups.end(),
		[compare](const std::vector<BListItem*>& a, const std::vector<BListItem*>& b) {
			return compare(a.front(), b.front()) < 0;
		});
	size_t position = begin;
	for (std::vector<BListItem*>& group : groups) {
		size_t start = position;
		for (BListItem* item : group)
			list[position++] = item;
		SortSiblings(list, start + 1, position, compare);
	}
}

}	// namespace


void
BOutlineListView::FullListSortItems(int (*compare)(const BListItem* a, const BListItem* b))
{
	if (compare == NULL)
		return;
	SortSiblings(fFullList, 0, fFullList.size(), compare);
	_RebuildVisible();
}


// #pragma mark - the tree


BListItem*
BOutlineListView::Superitem(const BListItem* item)
{
	int32 index = FullListIndexOf(item);
	if (index < 0)
		return NULL;
	for (int32 i = index - 1; i >= 0; i--) {
		if (fFullList[i]->fLevel < item->fLevel)
			return fFullList[i];
	}
	return NULL;
}


void
BOutlineListView::Expand(BListItem* item)
{
	_SetExpanded(item, true);
}


void
BOutlineListView::Collapse(BListItem* item)
{
	_SetExpanded(item, false);
}


bool
BOutlineListView::IsExpanded(int32 fullListIndex)
{
	BListItem* item = FullListItemAt(fullListIndex);
	return item != NULL && item->IsExpanded();
}


int32
BOutlineListView::CountItemsUnder(BListItem* under, bool oneLevelOnly) const
{
	int32 count = 0;
	while (ItemUnderAt(under, oneLevelOnly, count) != NULL)
		count++;
	return count;
}


BListItem*
BOutlineListView::ItemUnderAt(BListItem* under, bool oneLevelOnly, int32 index) const
{
	if (index < 0)
		return NULL;
	int32 begin = 0;
	int32 end = FullListCountItems();
	uint32 level = 0;
	if (under != NULL) {
		int32 at = FullListIndexOf(under);
		if (at < 0)
			return NULL;
		begin = at + 1;
		end = _SubtreeEnd(at);
		level = under->fLevel + 1;
	}
	for (int32 i = begin; i < end; i++) {
		if (oneLevelOnly && fFullList[i]->fLevel != level)
			continue;
		if (index-- == 0)
			return fFullList[i];
	}
	return NULL;
}


BListItem*
BOutlineListView::EachItemUnder(BListItem* under, bool oneLevelOnly,
	BListItem* (*func)(BListItem* item, void* data), void* data)
{
	if (func == NULL)
		return NULL;
	std::vector<BListItem*> items;
	for (int32 i = 0; BListItem* item = ItemUnderAt(under, oneLevelOnly, i); i++)
		items.push_back(item);
	for (BListItem* item : items) {
		if (BListItem* result = func(item, data))
			return result;
	}
	return NULL;
}


int32
BOutlineListView::_SubtreeEnd(int32 fullListIndex) const
{
	uint32 level = fFullList[fullListIndex]->fLevel;
	int32 end = fullListIndex + 1;
	while (end < FullListCountItems() && fFullList[end]->fLevel > level)
		end++;
	return end;
}


bool
BOutlineListView::_HasSubitems(int32 fullListIndex) const
{
	return fullListIndex >= 0 && fullListIndex + 1 < FullListCountItems()
		&& fFullList[fullListIndex + 1]->fLevel > fFullList[fullListIndex]->fLevel;
}


void
BOutlineListView::_SetExpanded(BListItem* item, bool expanded)
{
	int32 index = FullListIndexOf(item);
	if (index < 0 || item->IsExpanded() == expanded)
		return;
	item->SetExpanded(expanded);
	bool deselected = false;
	if (!expanded) {
		for (int32 i = index + 1; i < _SubtreeEnd(index); i++) {
			if (fFullList[i]->IsSelected()) {
				fFullList[i]->Deselect();
				deselected = true;
			}
		}
	}
	_RebuildVisible();
	if (deselected)
		_SelectionDidChange();
}


void
BOutlineListView::_RebuildVisible()
{
	BListItem* anchor = ItemAt(fAnchor);
	BListItem* last = ItemAt(fLastSelected);
	BListItem* pressed = ItemAt(fPressedIndex);

	std::vector<BListItem*> visible;
	uint32 hiddenBelow = UINT32_MAX;
	for (BListItem* item : fFullList) {
		if (item->fLevel > hiddenBelow) {
			item->fVisible = false;
			continue;
		}
		hiddenBelow = item->IsExpanded() ? UINT32_MAX : item->fLevel;
		item->fVisible = true;
		visible.push_back(item);
	}
	fItems.swap(visible);
	fAnchor = IndexOf(anchor);
	fLastSelected = IndexOf(last);
	fPressedIndex = IndexOf(pressed);
	_Relayout();
	Invalidate();
}


// #pragma mark - input and drawing


void
BOutlineListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_RIGHT_ARROW || bytes[0] == B_LEFT_ARROW)) {
		int32 index = fLastSelected >= 0 && IsItemSelected(fLastSelected) ? fLastSelected
			: CurrentSelection();
		BListItem* item = ItemAt(index);
		if (item == NULL)
			return;
		bool hasSubitems = _HasSubitems(FullListIndexOf(item));
		if (bytes[0] == B_RIGHT_ARROW) {
			if (hasSubitems)
				Expand(item);
		} else if (hasSubitems && item->IsExpanded()) {
			Collapse(item);
		} else {
			// On a collapsed item or a leaf, left goes up to the superitem.
			int32 super = IndexOf(Superitem(item));
			if (super >= 0) {
				Select(super);
				ScrollToSelection();
			}
		}
		return;
	}
	BListView::KeyDown(bytes, numBytes);
}


bool
BOutlineListView::ClickItem(int32 index, BPoint where, uint32 modifiers, int32 clicks)
{
	BListItem* item = ItemAt(index);
	if (item == NULL || !_HasSubitems(FullListIndexOf(item)))
		return false;
	BRect latch = _LatchRect(ItemFrame(index), item->fLevel).InsetByCopy(-2, -2);
	if (!latch.Contains(where))
		return false;
	_SetExpanded(item, !item->IsExpanded());
	return true;
}


BRect
BOutlineListView::_LatchRect(BRect itemRect, uint32 level) const
{
	float left = itemRect.left + level * kLevelIndent + 3;
	float top = floorf((itemRect.top + itemRect.bottom - kLatchSize) / 2);
	return BRect(left, top, left + kLatchSize - 1, top + kLatchSize - 1);
}


void
BOutlineListView::DrawItemAt(int32 index, BRect itemRect)
{
	BListItem* item = fItems[index];
	float indent = (item->fLevel + 1) * kLevelIndent;
	SetLowColor(ViewColor());
	SetHighColor(ViewColor());
	FillRect(BRect(itemRect.left, itemRect.top, itemRect.left + indent - 1,
		itemRect.bottom));
	if (_HasSubitems(FullListIndexOf(item)))
		_DrawLatch(_LatchRect(itemRect, item->fLevel), item->IsExpanded());
	BRect rest = itemRect;
	rest.left += indent;
	item->DrawItem(this, rest, true);
}


void
BOutlineListView::_DrawLatch(BRect latch, bool expanded)
{
	// A solid triangle: pointing right while collapsed, down while expanded.
	BPoint a, b, c;
	if (expanded) {
		a = latch.LeftTop() + BPoint(0, 2);
		b = latch.RightTop() + BPoint(0, 2);
		c = BPoint((latch.left + latch.right) / 2, latch.bottom - 2);
	} else {
		a = latch.LeftTop() + BPoint(2, 0);
		b = latch.LeftBottom() + BPoint(2, 0);
		c = BPoint(latch.right - 2, (latch.top + latch.bottom) / 2);
	}
	SetHighColor(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_4_TINT));
	FillTriangle(a, b, c);
	SetHighColor(0, 0, 0);
	StrokeTriangle(a, b, c);
}
