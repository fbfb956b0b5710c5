#include <ListView.h>

#include <AppDefs.h>
#include <List.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include "interface/lists/ListItems.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const float kDragDistance = 4.0f;

}	// namespace


BListView::BListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fListType(type),
	fSelectMessage(NULL),
	fAnchor(-1),
	fLastSelected(-1),
	fPressedIndex(-1),
	fPressedWasSelected(false),
	fTracking(false),
	fSelectionLock(0),
	fSelectionDirty(false)
{
	SetViewColor(ui_color(B_DOCUMENT_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
	fTops.push_back(0);
}


BListView::~BListView()
{
	delete fSelectMessage;
}


// #pragma mark - hooks


void
BListView::AttachedToWindow()
{
	BView::AttachedToWindow();
	SetLowColor(ViewColor());
	for (BListItem* item : fItems)
		_UpdateItem(item);
	_Relayout();
	if (Messenger().IsValid() == false)
		SetTarget(Window());
}


void
BListView::Draw(BRect updateRect)
{
	int32 first = IndexOf(BPoint(0, std::max(updateRect.top, fTops.front())));
	if (first < 0)
		first = 0;
	for (int32 index = first; index < CountItems(); index++) {
		BRect frame = ItemFrame(index);
		if (frame.top > updateRect.bottom)
			break;
		if (frame.bottom < updateRect.top)
			continue;
		DrawItemAt(index, frame);
	}
}


void
BListView::DrawItemAt(int32 index, BRect itemRect)
{
	SetLowColor(ViewColor());
	fItems[index]->DrawItem(this, itemRect, true);
}


void
BListView::FrameResized(float width, float height)
{
	for (BListItem* item : fItems)
		_UpdateItem(item);
	_Relayout();
	Invalidate();
}


void
BListView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	for (BListItem* item : fItems)
		_UpdateItem(item);
	_Relayout();
	Invalidate();
}


void
BListView::TargetedByScrollBar(BScrollBar* scrollBar)
{
	BView::TargetedByScrollBar(scrollBar);
	_FixupScrollBar();
}


void
BListView::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}


void
BListView::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	if (BScrollView* scrollView = dynamic_cast<BScrollView*>(Parent()))
		scrollView->SetBorderHighlighted(focus);
}


void
BListView::MouseDown(BPoint where)
{
	if (!IsFocus())
		MakeFocus(true);
	int32 modifiers = 0;
	int32 clicks = 1;
	if (Window() != NULL && Window()->CurrentMessage() != NULL) {
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
		Window()->CurrentMessage()->FindInt32("clicks", &clicks);
	}
	int32 index = IndexOf(where);
	if (index >= 0 && ClickItem(index, where, modifiers, clicks))
		return;

	if (index < 0) {
		fPressedIndex = -1;
		return;
	}
	// A second click on the same item invokes it.
	if (clicks >= 2 && index == fPressedIndex && IsItemSelected(index)) {
		Invoke();
		return;
	}

	fPressedIndex = index;
	fPressedWasSelected = IsItemSelected(index);
	fPressPoint = where;
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);

	if (!fItems[index]->IsEnabled())
		return;
	bool multiple = fListType == B_MULTIPLE_SELECTION_LIST;
	if (multiple && (modifiers & B_SHIFT_KEY) != 0 && fAnchor >= 0) {
		fSelectionLock++;
		bool changed = _DeselectAllBut(std::min(fAnchor, index), std::max(fAnchor, index));
		for (int32 i = std::min(fAnchor, index); i <= std::max(fAnchor, index); i++)
			changed |= _SetSelected(i, true);
		fLastSelected = index;
		fSelectionLock--;
		if (changed)
			_SelectionDidChange();
	} else if (multiple && (modifiers & B_COMMAND_KEY) != 0) {
		if (IsItemSelected(index))
			Deselect(index);
		else
			Select(index, true);
		fAnchor = index;
	} else if (!IsItemSelected(index) || CurrentSelection(1) >= 0) {
		Select(index, false);
	}
}


bool
BListView::ClickItem(int32 index, BPoint where, uint32 modifiers, int32 clicks)
{
	return false;
}


void
BListView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (!fTracking || fPressedIndex < 0 || fPressedIndex >= CountItems())
		return;
	if (fabsf(where.x - fPressPoint.x) < kDragDistance
		&& fabsf(where.y - fPressPoint.y) < kDragDistance)
		return;
	fTracking = false;
	InitiateDrag(fPressPoint, fPressedIndex, fPressedWasSelected);
}


void
BListView::MouseUp(BPoint where)
{
	fTracking = false;
}


bool
BListView::InitiateDrag(BPoint point, int32 itemIndex, bool wasSelected)
{
	return false;
}


void
BListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	int32 modifiers = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	bool extend = fListType == B_MULTIPLE_SELECTION_LIST && (modifiers & B_SHIFT_KEY) != 0;
	int32 count = CountItems();
	int32 current = fLastSelected >= 0 && fLastSelected < count ? fLastSelected
		: CurrentSelection();

	switch (bytes[0]) {
		case B_UP_ARROW:
			_MoveSelection(current < 0 ? count - 1 : current - 1, extend);
			break;
		case B_DOWN_ARROW:
			_MoveSelection(current < 0 ? 0 : current + 1, extend);
			break;
		case B_HOME:
			_MoveSelection(0, extend);
			break;
		case B_END:
			_MoveSelection(count - 1, extend);
			break;
		case B_PAGE_UP:
		case B_PAGE_DOWN:
		{
			// A page is what the view shows; the selection moves by as many rows.
			float page = Bounds().Height();
			BRect frame = ItemFrame(std::max(current, (int32)0));
			float y = bytes[0] == B_PAGE_UP ? frame.top - page : frame.bottom + page;
			int32 index = IndexOf(BPoint(0, y));
			if (index < 0)
				index = bytes[0] == B_PAGE_UP ? 0 : count - 1;
			_MoveSelection(index, extend);
			break;
		}
		case B_ENTER:
		case B_SPACE:
			if (CurrentSelection() >= 0)
				Invoke();
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}


// #pragma mark - items


bool
BListView::AddItem(BListItem* item)
{
	return BListView::AddItem(item, CountItems());
}


bool
BListView::AddItem(BListItem* item, int32 atIndex)
{
	if (item == NULL)
		return false;
	return _InsertItems(&item, 1, atIndex);
}


bool
BListView::AddList(BList* newItems)
{
	return BListView::AddList(newItems, CountItems());
}


bool
BListView::AddList(BList* newItems, int32 atIndex)
{
	std::vector<BListItem*> items;
	if (!BPrivate::ListItemsOf(newItems, &items))
		return false;
	if (items.empty())
		return atIndex >= 0 && atIndex <= CountItems();
	return _InsertItems(items.data(), (int32)items.size(), atIndex);
}


bool
BListView::_InsertItems(BListItem** items, int32 count, int32 index)
{
	if (index < 0 || index > CountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		if (HasItem(items[i]) || std::find(items, items + i, items[i]) != items + i)
			return false;
	}
	fItems.insert(fItems.begin() + index, items, items + count);
	bool selected = false;
	for (int32 i = 0; i < count; i++) {
		_UpdateItem(items[i]);
		if (items[i]->IsSelected()) {
			if (fListType == B_SINGLE_SELECTION_LIST)
				items[i]->Deselect();
			else
				selected = true;
		}
	}
	if (fAnchor >= index)
		fAnchor += count;
	if (fLastSelected >= index)
		fLastSelected += count;
	_Relayout();
	Invalidate();
	if (selected)
		_SelectionDidChange();
	return true;
}


bool
BListView::RemoveItem(BListItem* item)
{
	int32 index = IndexOf(item);
	return index >= 0 && BListView::RemoveItem(index) != NULL;
}


BListItem*
BListView::RemoveItem(int32 index)
{
	if (index < 0 || index >= CountItems())
		return NULL;
	BListItem* item = fItems[index];
	BListView::RemoveItems(index, 1);
	return item;
}


bool
BListView::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || count < 0 || index > CountItems() || count > CountItems() - index)
		return false;
	if (count == 0)
		return true;
	bool selected = false;
	for (int32 i = index; i < index + count; i++) {
		selected |= fItems[i]->IsSelected();
		// An item that leaves keeps no mark of this list's selection.
		fItems[i]->Deselect();
	}
	fItems.erase(fItems.begin() + index, fItems.begin() + index + count);
	if (fAnchor >= index + count)
		fAnchor -= count;
	else if (fAnchor >= index)
		fAnchor = -1;
	if (fLastSelected >= index + count)
		fLastSelected -= count;
	else if (fLastSelected >= index)
		fLastSelected = -1;
	fPressedIndex = -1;
	fTracking = false;
	_Relayout();
	Invalidate();
	if (selected)
		_SelectionDidChange();
	return true;
}


void
BListView::MakeEmpty()
{
	BListView::RemoveItems(0, CountItems());
}


BListItem*
BListView::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return NULL;
	return fItems[index];
}


BListItem*
BListView::FirstItem() const
{
	return ItemAt(0);
}


BListItem*
BListView::LastItem() const
{
	return ItemAt(CountItems() - 1);
}


int32
BListView::IndexOf(const BListItem* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found == fItems.end() ? -1 : (int32)(found - fItems.begin());
}


int32
BListView::IndexOf(BPoint point) const
{
	if (fItems.empty() || point.y < fTops.front() || point.y >= fTops.back())
		return -1;
	auto after = std::upper_bound(fTops.begin(), fTops.end(), point.y);
	return (int32)(after - fTops.begin()) - 1;
}


int32
BListView::CountItems() const
{
	return (int32)fItems.size();
}


bool
BListView::IsEmpty() const
{
	return fItems.empty();
}


bool
BListView::HasItem(const BListItem* item) const
{
	return IndexOf(item) >= 0;
}


bool
BListView::SwapItems(int32 a, int32 b)
{
	if (a < 0 || b < 0 || a >= CountItems() || b >= CountItems())
		return false;
	std::swap(fItems[a], fItems[b]);
	_Relayout();
	Invalidate();
	return true;
}


bool
BListView::MoveItem(int32 from, int32 to)
{
	if (from < 0 || to < 0 || from >= CountItems() || to >= CountItems())
		return false;
	BListItem* item = fItems[from];
	fItems.erase(fItems.begin() + from);
	fItems.insert(fItems.begin() + to, item);
	_Relayout();
	Invalidate();
	return true;
}


bool
BListView::ReplaceItem(int32 index, BListItem* item)
{
	if (item == NULL || index < 0 || index >= CountItems()
		|| (HasItem(item) && fItems[index] != item))
		return false;
	BListItem* old = fItems[index];
	bool selectionChanged = old->IsSelected() != item->IsSelected();
	old->Deselect();
	fItems[index] = item;
	if (fListType == B_SINGLE_SELECTION_LIST && item->IsSelected()) {
		item->Deselect();
		item->Select();
		fSelectionLock++;
		_DeselectAllBut(index, index);
		fSelectionLock--;
	}
	_UpdateItem(item);
	_Relayout();
	Invalidate();
	if (selectionChanged)
		_SelectionDidChange();
	return true;
}


void
BListView::SortItems(int (*compare)(const void*, const void*))
{
	if (compare == NULL || fItems.size() < 2)
		return;
	qsort(fItems.data(), fItems.size(), sizeof(BListItem*), compare);
	fAnchor = -1;
	fLastSelected = CurrentSelection();
	_Relayout();
	Invalidate();
}


void
BListView::DoForEach(bool (*func)(BListItem* item))
{
	if (func == NULL)
		return;
	std::vector<BListItem*> items = fItems;
	for (BListItem* item : items) {
		if (func(item))
			break;
	}
}


void
BListView::DoForEach(bool (*func)(BListItem* item, void* data), void* data)
{
	if (func == NULL)
		return;
	std::vector<BListItem*> items = fItems;
	for (BListItem* item : items) {
		if (func(item, data))
			break;
	}
}


const BListItem**
BListView::Items() const
{
	return const_cast<const BListItem**>(fItems.data());
}


BRect
BListView::ItemFrame(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return BRect();
	BRect bounds = Bounds();
	return BRect(bounds.left, fTops[index], bounds.right, fTops[index + 1] - 1);
}


void
BListView::InvalidateItem(int32 index)
{
	BRect frame = ItemFrame(index);
	if (frame.IsValid())
		Invalidate(frame);
}


void
BListView::ScrollToSelection()
{
	int32 index = CurrentSelection();
	if (index >= 0)
		_ScrollToItem(index);
}


// #pragma mark - selection


void
BListView::SetListType(list_view_type type)
{
	if (type == fListType)
		return;
	fListType = type;
	if (type == B_SINGLE_SELECTION_LIST) {
		int32 first = CurrentSelection();
		if (first >= 0)
			Select(first, false);
	}
}


list_view_type
BListView::ListType() const
{
	return fListType;
}


void
BListView::Select(int32 index, bool extend)
{
	Select(index, index, extend);
}


void
BListView::Select(int32 from, int32 to, bool extend)
{
	if (from < 0 || to < from || to >= CountItems())
		return;
	if (fListType == B_SINGLE_SELECTION_LIST) {
		from = to;
		extend = false;
	}
	// A range of disabled items leaves the selection as it is.
	bool anyEnabled = false;
	for (int32 i = from; i <= to && !anyEnabled; i++)
		anyEnabled = fItems[i]->IsEnabled();
	if (!anyEnabled)
		return;
	fSelectionLock++;
	bool changed = false;
	if (!extend)
		changed |= _DeselectAllBut(from, to);
	for (int32 i = from; i <= to; i++)
		changed |= _SetSelected(i, true);
	fAnchor = from;
	fLastSelected = to;
	fSelectionLock--;
	if (changed)
		_SelectionDidChange();
}


bool
BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != NULL && item->IsSelected();
}


int32
BListView::CurrentSelection(int32 index) const
{
	if (index < 0)
		return -1;
	for (int32 i = 0; i < CountItems(); i++) {
		if (fItems[i]->IsSelected() && index-- == 0)
			return i;
	}
	return -1;
}


bool
BListView::Deselect(int32 index)
{
	if (!_SetSelected(index, false))
		return false;
	_SelectionDidChange();
	return true;
}


void
BListView::DeselectAll()
{
	if (_DeselectAllBut(-1, -1))
		_SelectionDidChange();
}


void
BListView::DeselectExcept(int32 exceptFrom, int32 exceptTo)
{
	if (exceptFrom < 0 || exceptTo < exceptFrom)
		return;
	if (_DeselectAllBut(exceptFrom, exceptTo))
		_SelectionDidChange();
}


void
BListView::SelectionChanged()
{
}


bool
BListView::_SetSelected(int32 index, bool selected)
{
	BListItem* item = ItemAt(index);
	if (item == NULL || item->IsSelected() == selected)
		return false;
	if (selected && !item->IsEnabled())
		return false;
	if (selected)
		item->Select();
	else
		item->Deselect();
	InvalidateItem(index);
	return true;
}


bool
BListView::_DeselectAllBut(int32 from, int32 to)
{
	bool changed = false;
	for (int32 i = 0; i < CountItems(); i++) {
		if ((i < from || i > to) && fItems[i]->IsSelected())
			changed |= _SetSelected(i, false);
	}
	return changed;
}


void
BListView::_SelectionDidChange()
{
	if (fSelectionLock > 0)
		return;
	SelectionChanged();
	if (fSelectMessage != NULL)
		Invoke(fSelectMessage);
}


void
BListView::_MoveSelection(int32 index, bool extend)
{
	int32 count = CountItems();
	if (count == 0)
		return;
	index = std::clamp(index, (int32)0, count - 1);
	if (extend && fAnchor >= 0 && fAnchor < count) {
		int32 anchor = fAnchor;
		fSelectionLock++;
		bool changed = _DeselectAllBut(std::min(anchor, index), std::max(anchor, index));
		for (int32 i = std::min(anchor, index); i <= std::max(anchor, index); i++)
			changed |= _SetSelected(i, true);
		fSelectionLock--;
		fLastSelected = index;
		if (changed)
			_SelectionDidChange();
	} else
		Select(index, false);
	_ScrollToItem(index);
}


void
BListView::_ScrollToItem(int32 index)
{
	BRect frame = ItemFrame(index);
	if (!frame.IsValid())
		return;
	BRect bounds = Bounds();
	if (frame.top < bounds.top)
		ScrollTo(bounds.left, frame.top);
	else if (frame.bottom > bounds.bottom)
		ScrollTo(bounds.left, std::max(frame.bottom - bounds.Height(), 0.0f));
}


// #pragma mark - messages


void
BListView::SetSelectionMessage(BMessage* message)
{
	if (message == fSelectMessage)
		return;
	delete fSelectMessage;
	fSelectMessage = message;
}


void
BListView::SetInvocationMessage(BMessage* message)
{
	SetMessage(message);
}


BMessage*
BListView::SelectionMessage() const
{
	return fSelectMessage;
}


uint32
BListView::SelectionCommand() const
{
	return fSelectMessage != NULL ? fSelectMessage->what : 0;
}


BMessage*
BListView::InvocationMessage() const
{
	return Message();
}


uint32
BListView::InvocationCommand() const
{
	return Message() != NULL ? Message()->what : 0;
}


status_t
BListView::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	_AddSelection(&copy);
	return BInvoker::Invoke(&copy);
}


void
BListView::_AddSelection(BMessage* message) const
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (fItems[i]->IsSelected())
			message->AddInt32("index", i);
	}
}


// #pragma mark - layout


void
BListView::_UpdateItem(BListItem* item)
{
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
}


void
BListView::_Relayout()
{
	fTops.resize(fItems.size() + 1);
	float top = 0;
	for (size_t i = 0; i < fItems.size(); i++) {
		fTops[i] = top;
		// As on R5, an item's frame is Height() high, so it covers one row more.
		top += std::max(ceilf(fItems[i]->Height()), 0.0f) + 1;
	}
	fTops.back() = top;
	_FixupScrollBar();
}


void
BListView::_FixupScrollBar()
{
	BScrollBar* bar = ScrollBar(B_VERTICAL);
	if (bar != NULL) {
		float total = fTops.back();
		float visible = Bounds().Height() + 1;
		bar->SetRange(0, std::max(total - visible, 0.0f));
		bar->SetProportion(total > 0 ? std::min(visible / total, 1.0f) : 1.0f);
		float step = fItems.empty() ? 20 : std::max(fItems.front()->Height(), 1.0f);
		bar->SetSteps(step, std::max(visible - step, step));
	}
}
