#include <Menu.h>

#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "interface/menus/MenuTracker.h"
#include "interface/menus/MenuWindow.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using BPrivate::MenuTracker;
using BPrivate::MenuWindow;


BMenu::BMenu(const char* title, menu_layout layout)
	:
	BView(BRect(0, 0, 0, 0), title, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
{
	_Init(layout, true);
}


BMenu::BMenu(const char* title, float width, float height)
	:
	BView(BRect(0, 0, width, height), title, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
{
	_Init(B_ITEMS_IN_MATRIX, false);
}


BMenu::BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	menu_layout layout, bool resizeToFit)
	:
	BView(frame, name, resizingMode, flags)
{
	_Init(layout, resizeToFit);
}


void
BMenu::_Init(menu_layout layout, bool resizeToFit)
{
	fSuperitem = NULL;
	fSelected = NULL;
	fTracker = NULL;
	fOwnerWindow = NULL;
	fOwnerView = NULL;
	fLayout = layout;
	fMaxContentWidth = 0;
	fItemHeight = 0;
	fResizeToFit = resizeToFit;
	fEnabled = true;
	fRadioMode = false;
	fLabelFromMarked = false;
	fLayoutValid = false;
	if (layout == B_ITEMS_IN_ROW)
		SetItemMargins(5, 2, 5, 2);
	else
		SetItemMargins(0, 3, 0, 3);
	SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
}


BMenu::~BMenu()
{
	delete fTracker;
	fTracker = NULL;
	for (int32 i = 0; i < fItems.CountItems(); i++) {
		BMenuItem* item = (BMenuItem*)fItems.ItemAt(i);
		item->fMenu = NULL;
		delete item;
	}
	fItems.MakeEmpty();
}


// #pragma mark - items


bool
BMenu::_AddItem(BMenuItem* item, int32 index)
{
	if (item == NULL || item->fMenu != NULL || index < 0 || index > CountItems())
		return false;
	if (!fItems.AddItem(item, index))
		return false;
	item->_SetMenu(this);
	if (item->fMarked)
		_ItemMarked(item);
	InvalidateLayout();
	return true;
}


bool
BMenu::AddItem(BMenuItem* item)
{
	return _AddItem(item, CountItems());
}


bool
BMenu::AddItem(BMenuItem* item, int32 index)
{
	if (fLayout == B_ITEMS_IN_MATRIX)
		return false;
	return _AddItem(item, index);
}


bool
BMenu::AddItem(BMenuItem* item, BRect frame)
{
	if (fLayout != B_ITEMS_IN_MATRIX || !_AddItem(item, CountItems()))
		return false;
	item->fFrame = frame;
	return true;
}


bool
BMenu::AddItem(BMenu* submenu)
{
	return AddItem(submenu, CountItems());
}


bool
BMenu::AddItem(BMenu* submenu, int32 index)
{
	if (submenu == NULL || submenu->fSuperitem != NULL)
		return false;
	BMenuItem* item = new BMenuItem(submenu);
	if (!_AddItem(item, index)) {
		item->fSubmenu = NULL;
		submenu->fSuperitem = NULL;
		delete item;
		return false;
	}
	return true;
}


bool
BMenu::AddList(BList* list, int32 index)
{
	if (list == NULL || index < 0 || index > CountItems())
		return false;
	for (int32 i = 0; i < list->CountItems(); i++) {
		if (!AddItem((BMenuItem*)list->ItemAt(i), index + i))
			return false;
	}
	return true;
}


bool
BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem());
}


bool
BMenu::RemoveItem(BMenuItem* item)
{
	return RemoveItems(IndexOf(item), 1, false);
}


BMenuItem*
BMenu::RemoveItem(int32 index)
{
	BMenuItem* item = ItemAt(index);
	if (item == NULL || !RemoveItems(index, 1, false))
		return NULL;
	return item;
}


bool
BMenu::RemoveItem(BMenu* submenu)
{
	int32 index = IndexOf(submenu);
	BMenuItem* item = ItemAt(index);
	if (item == NULL)
		return false;
	RemoveItems(index, 1, false);
	// The submenu goes back to the caller; its item was the menu's own.
	item->fSubmenu = NULL;
	submenu->fSuperitem = NULL;
	delete item;
	return true;
}


bool
BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		BMenuItem* item = (BMenuItem*)fItems.RemoveItem(index);
		if (item == fSelected)
			fSelected = NULL;
		item->fMenu = NULL;
		item->fSelected = false;
		if (deleteItems)
			delete item;
	}
	InvalidateLayout();
	if (Window() != NULL)
		Invalidate();
	return true;
}


BMenuItem*
BMenu::ItemAt(int32 index) const
{
	return (BMenuItem*)fItems.ItemAt(index);
}


BMenu*
BMenu::SubmenuAt(int32 index) const
{
	BMenuItem* item = ItemAt(index);
	return item != NULL ? item->Submenu() : NULL;
}


int32
BMenu::CountItems() const
{
	return fItems.CountItems();
}


int32
BMenu::IndexOf(BMenuItem* item) const
{
	if (item == NULL)
		return -1;
	return fItems.IndexOf(item);
}


int32
BMenu::IndexOf(BMenu* submenu) const
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (submenu != NULL && ItemAt(i)->Submenu() == submenu)
			return i;
	}
	return -1;
}


BMenuItem*
BMenu::FindItem(const char* label) const
{
	if (label == NULL)
		return NULL;
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		if (strcmp(item->Label(), label) == 0)
			return item;
		if (item->Submenu() != NULL) {
			BMenuItem* found = item->Submenu()->FindItem(label);
			if (found != NULL)
				return found;
		}
	}
	return NULL;
}


BMenuItem*
BMenu::FindItem(uint32 command) const
{
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		if (item->Message() != NULL && item->Message()->what == command)
			return item;
		if (item->Submenu() != NULL) {
			BMenuItem* found = item->Submenu()->FindItem(command);
			if (found != NULL)
				return found;
		}
	}
	return NULL;
}


BMenuItem*
BMenu::FindMarked()
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (ItemAt(i)->IsMarked())
			return ItemAt(i);
	}
	return NULL;
}


int32
BMenu::FindMarkedIndex()
{
	return IndexOf(FindMarked());
}


status_t
BMenu::SetTargetForItems(BHandler* target)
{
	status_t result = B_OK;
	for (int32 i = 0; i < CountItems(); i++) {
		status_t status = ItemAt(i)->SetTarget(target);
		if (status != B_OK)
			result = status;
	}
	return result;
}


status_t
BMenu::SetTargetForItems(BMessenger messenger)
{
	status_t result = B_OK;
	for (int32 i = 0; i < CountItems(); i++) {
		status_t status = ItemAt(i)->SetTarget(messenger);
		if (status != B_OK)
			result = status;
	}
	return result;
}


void
BMenu::SetEnabled(bool enabled)
{
	fEnabled = enabled;
	if (fSuperitem != NULL && fSuperitem->fMenu != NULL
		&& fSuperitem->fMenu->Window() != NULL)
		fSuperitem->fMenu->Invalidate(fSuperitem->fFrame);
	if (Window() != NULL)
		Invalidate();
}


void
BMenu::SetRadioMode(bool on)
{
	fRadioMode = on;
	if (!on)
		fLabelFromMarked = false;
}


void
BMenu::SetLabelFromMarked(bool on)
{
	fLabelFromMarked = on;
	if (on) {
		fRadioMode = true;
		_UpdateSuperitemLabel();
	}
}


bool
BMenu::IsEnabled() const
{
	return fEnabled;
}


bool
BMenu::IsRadioMode() const
{
	return fRadioMode;
}


bool
BMenu::IsLabelFromMarked()
{
	return fLabelFromMarked;
}


void
BMenu::SetMaxContentWidth(float width)
{
	fMaxContentWidth = width;
	InvalidateLayout();
}


float
BMenu::MaxContentWidth() const
{
	return fMaxContentWidth;
}


menu_layout
BMenu::Layout() const
{
	return fLayout;
}


BMenuItem*
BMenu::Superitem() const
{
	return fSuperitem;
}


BMenu*
BMenu::Supermenu() const
{
	return fSuperitem != NULL ? fSuperitem->fMenu : NULL;
}


void
BMenu::_ItemMarked(BMenuItem* item)
{
	if (fRadioMode) {
		for (int32 i = 0; i < CountItems(); i++) {
			BMenuItem* other = ItemAt(i);
			if (other != item && other->fMarked) {
				other->fMarked = false;
				if (Window() != NULL)
					Invalidate(other->fFrame);
			}
		}
	}
	_UpdateSuperitemLabel();
}


void
BMenu::_UpdateSuperitemLabel()
{
	if (!fLabelFromMarked || fSuperitem == NULL)
		return;
	BMenuItem* marked = FindMarked();
	if (marked == NULL)
		return;
	fSuperitem->SetLabel(marked->Label());
	// The view that shows the label (a menu field) redraws when its window is locked
	// by this thread; the end of a pop-up session tells it by a message instead.
	BWindow* window = fOwnerView != NULL ? fOwnerView->Window() : NULL;
	if (window != NULL && window->LockingThread() == find_thread(NULL))
		fOwnerView->Invalidate();
}


// #pragma mark - layout and drawing


void
BMenu::SetItemMargins(float left, float top, float right, float bottom)
{
	fPad[0] = left;
	fPad[1] = top;
	fPad[2] = right;
	fPad[3] = bottom;
	InvalidateLayout();
}


void
BMenu::GetItemMargins(float* left, float* top, float* right, float* bottom) const
{
	if (left != NULL)
		*left = fPad[0];
	if (top != NULL)
		*top = fPad[1];
	if (right != NULL)
		*right = fPad[2];
	if (bottom != NULL)
		*bottom = fPad[3];
}


void
BMenu::InvalidateLayout()
{
	fLayoutValid = false;
	if (fResizeToFit && Window() != NULL && fLayout != B_ITEMS_IN_MATRIX) {
		_Layout();
		float width;
		float height;
		_ComputeSize(&width, &height);
		if (fLayout == B_ITEMS_IN_ROW)
			width = Bounds().Width();
		if (CountItems() > 0 || fLayout == B_ITEMS_IN_ROW)
			ResizeTo(width, height);
		Invalidate();
	}
}


void
BMenu::_Layout()
{
	font_height fontHeight;
	be_plain_font->GetHeight(&fontHeight);
	float textHeight = std::ceil(fontHeight.ascent + fontHeight.descent
		+ fontHeight.leading);

	if (fLayout == B_ITEMS_IN_ROW) {
		float x = fPad[0];
		float height = textHeight + 4;
		for (int32 i = 0; i < CountItems(); i++) {
			BMenuItem* item = ItemAt(i);
			float width;
			float contentHeight;
			item->GetContentSize(&width, &contentHeight);
			item->fFrame.Set(x, fPad[1], x + width + 16 - 1, fPad[1] + height - 1);
			x += width + 16;
		}
	} else if (fLayout == B_ITEMS_IN_COLUMN) {
		float labelWidth = 0;
		float shortcutWidth = 0;
		bool submenus = false;
		for (int32 i = 0; i < CountItems(); i++) {
			BMenuItem* item = ItemAt(i);
			float width;
			float height;
			item->GetContentSize(&width, &height);
			if (fMaxContentWidth > 0)
				width = std::min(width, fMaxContentWidth);
			labelWidth = std::max(labelWidth, width);
			std::string shortcut = item->ShortcutText();
			if (!shortcut.empty()) {
				shortcutWidth = std::max(shortcutWidth,
					std::ceil(be_plain_font->StringWidth(shortcut.c_str())));
			}
			if (item->Submenu() != NULL)
				submenus = true;
		}
		float extra = shortcutWidth > 0 ? shortcutWidth + 20 : 0;
		if (submenus)
			extra = std::max(extra, 14.0f);
		float width = 20 + labelWidth + extra + 10;
		float y = fPad[1];
		for (int32 i = 0; i < CountItems(); i++) {
			BMenuItem* item = ItemAt(i);
			float height = textHeight + 4;
			if (dynamic_cast<BSeparatorItem*>(item) != NULL)
				height = 8;
			item->fFrame.Set(1, y, width, y + height - 1);
			y += height;
		}
	}
	fItemHeight = textHeight + 4;
	fLayoutValid = true;
}


void
BMenu::_ComputeSize(float* width, float* height) const
{
	float right = 0;
	float bottom = 0;
	for (int32 i = 0; i < CountItems(); i++) {
		right = std::max(right, ItemAt(i)->fFrame.right);
		bottom = std::max(bottom, ItemAt(i)->fFrame.bottom);
	}
	if (CountItems() == 0) {
		font_height fontHeight;
		be_plain_font->GetHeight(&fontHeight);
		bottom = std::ceil(fontHeight.ascent + fontHeight.descent) + 4 + fPad[1];
		right = 20;
	}
	*width = right + fPad[2] + 1;
	*height = bottom + fPad[3] + (fLayout == B_ITEMS_IN_ROW ? 0 : 1);
}


void
BMenu::GetPreferredSize(float* width, float* height)
{
	if (!fLayoutValid)
		_Layout();
	_ComputeSize(width, height);
}


void
BMenu::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


void
BMenu::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (!fLayoutValid && CountItems() > 0)
		InvalidateLayout();
}


void
BMenu::DetachedFromWindow()
{
	BView::DetachedFromWindow();
}


void
BMenu::Draw(BRect updateRect)
{
	if (!fLayoutValid)
		_Layout();
	SetFont(be_plain_font);
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		if (item->fFrame.Intersects(updateRect))
			item->Draw();
	}
	if (fLayout == B_ITEMS_IN_COLUMN && dynamic_cast<MenuWindow*>(Window()) != NULL) {
		// The open menu's frame: a dark outline with a light inner edge at the top
		// and left.
		BRect bounds = Bounds();
		SetHighColor(make_color(255, 255, 255));
		StrokeLine(BPoint(1, 1), BPoint(bounds.right - 1, 1));
		StrokeLine(BPoint(1, 1), BPoint(1, bounds.bottom - 1));
		SetHighColor(make_color(108, 108, 108));
		StrokeRect(bounds);
	}
}


BMenuItem*
BMenu::_ItemAt(BPoint where) const
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (ItemAt(i)->fFrame.Contains(where))
			return ItemAt(i);
	}
	return NULL;
}


void
BMenu::_Select(BMenuItem* item)
{
	if (item == fSelected)
		return;
	if (fSelected != NULL)
		fSelected->Highlight(false);
	fSelected = item;
	if (item != NULL)
		item->Highlight(true);
}


BWindow*
BMenu::_RootWindow() const
{
	const BMenu* menu = this;
	while (true) {
		if (menu->fOwnerWindow != NULL)
			return menu->fOwnerWindow;
		BMenu* super = menu->Supermenu();
		if (super == NULL)
			break;
		menu = super;
	}
	BWindow* window = menu->Window();
	if (dynamic_cast<MenuWindow*>(window) != NULL)
		return NULL;
	return window;
}


BPrivate::MenuTracker*
BMenu::_Tracker() const
{
	return fTracker;
}


bool
BMenu::IsTracking() const
{
	return fTracker != NULL;
}


// #pragma mark - input


static BMenu*
RootOf(BMenu* menu)
{
	while (menu->Supermenu() != NULL)
		menu = menu->Supermenu();
	return menu;
}


void
BMenu::_ForwardPointer(uint32 what, BPoint where)
{
	uint32 buttons = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("buttons", (int32*)&buttons);
	BPoint screen = ConvertToScreen(where);
	BMenu* root = RootOf(this);
	if (root == this) {
		BPrivate::MenuAccess::PointerEvent(this, what, screen, buttons);
		return;
	}
	BMessage message(BPrivate::kMenuPointerEvent);
	message.AddInt32("what", (int32)what);
	message.AddPoint("screen_where", screen);
	message.AddInt32("buttons", (int32)buttons);
	BMessenger(root).SendMessage(&message);
}


void
BMenu::MouseDown(BPoint where)
{
	if (dynamic_cast<MenuWindow*>(Window()) != NULL)
		SetMouseEventMask(B_POINTER_EVENTS);
	_ForwardPointer(B_MOUSE_DOWN, where);
}


void
BMenu::MouseUp(BPoint where)
{
	_ForwardPointer(B_MOUSE_UP, where);
}


void
BMenu::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (RootOf(this) != this || fTracker != NULL)
		_ForwardPointer(B_MOUSE_MOVED, where);
}


void
BMenu::KeyDown(const char* bytes, int32 numBytes)
{
	if (fTracker != NULL)
		BPrivate::MenuAccess::KeyEvent(this, bytes);
	else
		BView::KeyDown(bytes, numBytes);
}


void
BMenu::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case BPrivate::kMenuPointerEvent:
		{
			int32 what = 0;
			BPoint where;
			int32 buttons = 0;
			message->FindInt32("what", &what);
			message->FindPoint("screen_where", &where);
			message->FindInt32("buttons", &buttons);
			BPrivate::MenuAccess::PointerEvent(this, (uint32)what, where, (uint32)buttons);
			break;
		}
		case BPrivate::kMenuKeyEvent:
		{
			const char* bytes = NULL;
			if (message->FindString("bytes", &bytes) == B_OK)
				BPrivate::MenuAccess::KeyEvent(this, bytes);
			break;
		}
		case BPrivate::kMenuCancel:
			BPrivate::MenuAccess::Cancel(this);
			break;
		default:
			BView::MessageReceived(message);
			break;
	}
}
