#include "IconBar.h"

#include "PressTracking.h"

#include <Window.h>

#include <string.h>


static const rgb_color kBarGrey = { 220, 220, 220, 255 };
static const int32 kNormalHeight = 37;
static const int32 kSmallHeight = 21;
static const int32 kNormalItem = 33;
static const int32 kSmallItem = 17;
static const int32 kFirstX = 10;

enum {
	kIcon,
	kButton,
	kMenu,
	kSeparator
};


IconBar::IconBar(const char* name, int y)
	:
	BMenu(BRect(0, y, 100, y + 38), name, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE, B_ITEMS_IN_COLUMN, true),
	fHeight(kNormalHeight),
	fCount(0),
	fEndX(kFirstX),
	fPosY(y)
{
	for (int i = 0; i < kMaxItems; i++) {
		_Clear(fSlots[i]);
		fSlots[i].name = NULL;
		fSlots[i].x = 0;
		fSlots[i].width = 0;
	}
	MoveTo(0, y);
	ResizeTo(Bounds().Width(), fHeight);
	SetViewColor(kBarGrey);
}


IconBar::~IconBar()
{
}


void
IconBar::_Clear(Slot& slot)
{
	slot.icon = NULL;
	slot.button = NULL;
	slot.menu = NULL;
	slot.separator = NULL;
}


BView*
IconBar::_ViewOf(const Slot& slot)
{
	if (slot.icon != NULL)
		return slot.icon;
	if (slot.button != NULL)
		return slot.button;
	if (slot.menu != NULL)
		return slot.menu;
	return slot.separator;
}


void
IconBar::_FollowWindow()
{
	// Moving or resizing invalidates, so Draw only does it when something changed.
	BRect frame = Frame();
	if (frame.left != 0 || frame.top != fPosY)
		MoveTo(0, fPosY);
	float width = Window() != NULL ? Window()->Bounds().right + 1 : frame.Width();
	if (frame.Width() != width || frame.Height() != fHeight)
		ResizeTo(width, fHeight);
}


void
IconBar::Draw(BRect updateRect)
{
	_FollowWindow();

	float b = Bounds().bottom;
	float r = Window() != NULL ? Window()->Bounds().right + 1 : Bounds().right;
	const rgb_color light = PressTracking::kLightEdge;
	const rgb_color dark = PressTracking::kDarkEdge;
	BeginLineArray(8);
	AddLine(BPoint(1, 0), BPoint(r, 0), light);
	AddLine(BPoint(1, 0), BPoint(1, b), light);
	AddLine(BPoint(3, 2), BPoint(3, b - 3), light);
	AddLine(BPoint(6, 2), BPoint(6, b - 3), light);
	AddLine(BPoint(1, b), BPoint(r, b), dark);
	AddLine(BPoint(4, 3), BPoint(4, b - 2), dark);
	AddLine(BPoint(7, 3), BPoint(7, b - 2), dark);
	EndLineArray();
}


// #pragma mark - items


status_t
IconBar::_Insert(BView* view, const char* name, int32 width, int kind)
{
	if (view == NULL)
		return B_BAD_VALUE;
	int free = -1;
	for (int i = 0; i < kMaxItems; i++) {
		if (_ViewOf(fSlots[i]) == NULL) {
			free = i;
			break;
		}
	}
	if (free < 0)
		return B_NO_MEMORY;

	Slot& slot = fSlots[free];
	switch (kind) {
		case kIcon:
			slot.icon = static_cast<IconBarIcon*>(view);
			break;
		case kButton:
			slot.button = static_cast<IconBarButton*>(view);
			break;
		case kMenu:
			slot.menu = static_cast<IconBarMenu*>(view);
			break;
		default:
			slot.separator = static_cast<IconBarSeparator*>(view);
			break;
	}
	slot.width = width;
	slot.name = name;
	view->MoveTo(fEndX, 2);
	AddChild(view);
	fCount++;
	Sort();
	return B_OK;
}


status_t
IconBar::InsertIcon(IconBarIcon* icon)
{
	if (icon == NULL)
		return B_BAD_VALUE;
	return _Insert(icon, icon->GetName(), icon->GetWidth(), kIcon);
}


status_t
IconBar::InsertButton(IconBarButton* button)
{
	if (button == NULL)
		return B_BAD_VALUE;
	return _Insert(button, button->GetName(), button->GetWidth(), kButton);
}


status_t
IconBar::InsertMenu(IconBarMenu* menu)
{
	if (menu == NULL)
		return B_BAD_VALUE;
	return _Insert(menu, menu->GetName(), menu->GetWidth(), kMenu);
}


status_t
IconBar::InsertSeparator(IconBarSeparator* separator)
{
	if (separator == NULL)
		return B_BAD_VALUE;
	return _Insert(separator, separator->GetName(), separator->GetWidth(), kSeparator);
}


int
IconBar::_FindByName(const char* name, int kind) const
{
	if (name == NULL)
		return -1;
	for (int i = 0; i < kMaxItems; i++) {
		const Slot& slot = fSlots[i];
		bool ofKind = (kind == kIcon && slot.icon != NULL)
			|| (kind == kButton && slot.button != NULL)
			|| (kind == kMenu && slot.menu != NULL)
			|| (kind == kSeparator && slot.separator != NULL);
		if (ofKind && slot.name != NULL && strcmp(slot.name, name) == 0)
			return i;
	}
	return -1;
}


BView*
IconBar::_Remove(int index)
{
	Slot& slot = fSlots[index];
	BView* view = _ViewOf(slot);
	RemoveChild(view);
	_Clear(slot);
	slot.name = NULL;
	fCount--;
	Sort();
	return view;
}


IconBarIcon*
IconBar::DeleteIcon(const char* name)
{
	int index = _FindByName(name, kIcon);
	return index >= 0 ? static_cast<IconBarIcon*>(_Remove(index)) : NULL;
}


IconBarButton*
IconBar::DeleteButton(const char* name)
{
	int index = _FindByName(name, kButton);
	return index >= 0 ? static_cast<IconBarButton*>(_Remove(index)) : NULL;
}


IconBarMenu*
IconBar::DeleteMenu(const char* name)
{
	int index = _FindByName(name, kMenu);
	return index >= 0 ? static_cast<IconBarMenu*>(_Remove(index)) : NULL;
}


IconBarSeparator*
IconBar::DeleteSeparator(const char* name)
{
	int index = _FindByName(name, kSeparator);
	return index >= 0 ? static_cast<IconBarSeparator*>(_Remove(index)) : NULL;
}


IconBarIcon*
IconBar::DeleteIcon(int index)
{
	if (index < 0 || index >= kMaxItems || fSlots[index].icon == NULL)
		return NULL;
	return static_cast<IconBarIcon*>(_Remove(index));
}


IconBarButton*
IconBar::DeleteButton(int index)
{
	if (index < 0 || index >= kMaxItems || fSlots[index].button == NULL)
		return NULL;
	return static_cast<IconBarButton*>(_Remove(index));
}


void
IconBar::Sort()
{
	int32 x = kFirstX;
	int target = 0;
	for (int i = 0; i < kMaxItems; i++) {
		BView* view = _ViewOf(fSlots[i]);
		if (view == NULL)
			continue;
		view->MoveTo(x, 2);
		x = x + fSlots[i].width + 2;
		fSlots[i].x = x;
		if (target != i) {
			fSlots[target] = fSlots[i];
			_Clear(fSlots[i]);
			fSlots[i].name = NULL;
		}
		target++;
	}
	for (int i = target; i < kMaxItems; i++)
		_Clear(fSlots[i]);
	fEndX = x;
}


// #pragma mark - size and place


void
IconBar::SetSize(int mode)
{
	// Only the two sizes exist; any other mode would shrink every item to nothing.
	int32 itemSize;
	if (mode == 0) {
		fHeight = kNormalHeight;
		itemSize = kNormalItem;
	} else if (mode == 1) {
		fHeight = kSmallHeight;
		itemSize = kSmallItem;
	} else
		return;

	for (int i = 0; i < kMaxItems; i++) {
		Slot& slot = fSlots[i];
		if (slot.icon != NULL) {
			slot.icon->SetSize(itemSize);
			slot.width = slot.icon->GetWidth();
		} else if (slot.button != NULL) {
			slot.button->SetSize(itemSize);
			slot.width = slot.button->GetWidth();
		} else if (slot.menu != NULL) {
			slot.menu->SetSize(itemSize);
			slot.width = slot.menu->GetWidth();
		} else if (slot.separator != NULL) {
			slot.separator->SetSize(itemSize);
			slot.width = slot.separator->GetWidth();
		}
	}

	_FollowWindow();
	Sort();
	Invalidate();
}


int
IconBar::GetSize()
{
	return fHeight;
}


void
IconBar::SetPosY(int y)
{
	fPosY = y;
	Invalidate();
}


int32
IconBar::SlotPosition(int index) const
{
	if (index < 0 || index >= kMaxItems || _ViewOf(fSlots[index]) == NULL)
		return -1;
	return fSlots[index].x;
}


BView*
IconBar::SlotView(int index) const
{
	if (index < 0 || index >= kMaxItems)
		return NULL;
	return _ViewOf(fSlots[index]);
}
