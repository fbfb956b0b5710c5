#include "interface/menus/MenuTracker.h"

#include "interface/menus/MenuWindow.h"

#include <InterfaceDefs.h>
#include <Screen.h>

#include <cmath>

namespace BPrivate {


MenuTracker::MenuTracker(BMenu* root, MenuWindow* rootWindow, BRect rootScreenFrame)
	:
	fResult(NULL),
	fDone(false),
	fSticky(false),
	fStickyStart(false),
	fEntered(false)
{
	fLevels.push_back(Level{root, rootWindow, rootScreenFrame});
}


MenuTracker::~MenuTracker()
{
	_CloseAbove(0);
}


bool
MenuTracker::_IsBar(int32 level) const
{
	return fLevels[level].menu->Layout() == B_ITEMS_IN_ROW;
}


BMenuItem*
MenuTracker::_Selected(int32 level) const
{
	return MenuAccess::Selected(fLevels[level].menu);
}


int32
MenuTracker::_LevelAt(BPoint screenWhere) const
{
	for (int32 i = (int32)fLevels.size() - 1; i >= 0; i--) {
		if (fLevels[i].screenFrame.Contains(screenWhere))
			return i;
	}
	return -1;
}


void
MenuTracker::_SetSelection(int32 level, BMenuItem* item)
{
	MenuWindow* window = fLevels[level].window;
	// The root's window is the one this runs on, and it is locked already.
	if (window != NULL && level > 0) {
		if (!window->Lock())
			return;
		MenuAccess::Select(fLevels[level].menu, item);
		window->Unlock();
	} else
		MenuAccess::Select(fLevels[level].menu, item);
}


void
MenuTracker::_CloseAbove(int32 level)
{
	while ((int32)fLevels.size() > level + 1) {
		Level top = fLevels.back();
		fLevels.pop_back();
		if (top.window != NULL && top.window->Lock()) {
			MenuAccess::Select(top.menu, NULL);
			top.window->RemoveChild(top.menu);
			top.window->Quit();
		}
	}
}


void
MenuTracker::_Open(int32 level, bool selectFirst)
{
	BMenuItem* item = _Selected(level);
	if (item == NULL || item->Submenu() == NULL || !item->IsEnabled())
		return;
	BMenu* submenu = item->Submenu();

	float width;
	float height;
	MenuAccess::Layout(submenu);
	MenuAccess::ComputeSize(submenu, &width, &height);

	// Below a bar item, beside a column item; pushed back on screen near the edges.
	BRect itemFrame = item->Frame();
	itemFrame.OffsetBy(fLevels[level].screenFrame.LeftTop()
		- fLevels[level].menu->Bounds().LeftTop());
	BPoint where;
	if (_IsBar(level))
		where = BPoint(itemFrame.left, itemFrame.bottom + 1);
	else
		where = BPoint(itemFrame.right + 1, itemFrame.top - 3);

	BRect screen = BScreen().Frame();
	if (where.x + width > screen.right) {
		where.x = _IsBar(level) ? screen.right - width
			: itemFrame.left - width - 1;
	}
	if (where.y + height > screen.bottom) {
		where.y = _IsBar(level) ? itemFrame.top - height - 1
			: screen.bottom - height;
	}
	where.x = std::max(where.x, screen.left);
	where.y = std::max(where.y, screen.top);

	BRect frame(where.x, where.y, where.x + width, where.y + height);
	MenuWindow* window = new MenuWindow(frame, false);
	submenu->MoveTo(0, 0);
	submenu->ResizeTo(width, height);
	window->AddChild(submenu);
	MenuAccess::Select(submenu, NULL);
	window->Show();
	window->Unlock();
	fLevels.push_back(Level{submenu, window, frame});

	if (selectFirst)
		_MoveInColumn(level + 1, 1);
}


void
MenuTracker::_SelectAt(int32 level, BMenuItem* item, bool selectFirst)
{
	BMenuItem* current = _Selected(level);
	if (item == current && (int32)fLevels.size() > level + 1)
		return;
	if (item == NULL && _IsBar(level))
		return;
	_CloseAbove(level);
	if (item != current)
		_SetSelection(level, item);
	_Open(level, selectFirst);
}


void
MenuTracker::OpenFromBar(BMenuItem* item, bool selectFirst)
{
	_SelectAt(0, item, selectFirst);
}


void
MenuTracker::PointerEvent(uint32 what, BPoint screenWhere, uint32 buttons)
{
	if (fDone)
		return;
	int32 level = _LevelAt(screenWhere);
	BMenuItem* item = NULL;
	if (level >= 0) {
		BMenu* menu = fLevels[level].menu;
		BPoint local = screenWhere - fLevels[level].screenFrame.LeftTop()
			+ menu->Bounds().LeftTop();
		item = MenuAccess::ItemAt(menu, local);
		if (!_IsBar(level))
			fEntered = true;
	}

	switch (what) {
		case B_MOUSE_DOWN:
			if (level < 0 || (level == 0 && item == NULL && _IsBar(0))) {
				_Finish(NULL);
				return;
			}
			// A click on the open bar title closes its menu again, as on R5.
			if (fSticky && level == 0 && _IsBar(0) && item != NULL
				&& item == _Selected(0) && fLevels.size() > 1) {
				_Finish(NULL);
				return;
			}
			_SelectAt(level, item, false);
			break;

		case B_MOUSE_MOVED:
			if (level >= 0)
				_SelectAt(level, item, false);
			else {
				// Off every menu: the deepest menu drops its selection unless that
				// opened a submenu.
				int32 top = (int32)fLevels.size() - 1;
				if (!_IsBar(top))
					_SetSelection(top, NULL);
			}
			break;

		case B_MOUSE_UP:
			if (level >= 0 && item != NULL && item->Submenu() == NULL) {
				if (item->IsEnabled() && dynamic_cast<BSeparatorItem*>(item) == NULL)
					_Finish(item);
				else
					fSticky = true;
				return;
			}
			if (level >= 0 || !fEntered || fStickyStart) {
				fSticky = true;
				fStickyStart = false;
				return;
			}
			_Finish(NULL);
			break;
	}
}


void
MenuTracker::_MoveInColumn(int32 level, int32 direction)
{
	BMenu* menu = fLevels[level].menu;
	int32 count = menu->CountItems();
	if (count == 0)
		return;
	int32 index = menu->IndexOf(_Selected(level));
	for (int32 step = 0; step < count; step++) {
		if (index < 0)
			index = direction > 0 ? 0 : count - 1;
		else
			index = (index + direction + count) % count;
		BMenuItem* candidate = menu->ItemAt(index);
		if (dynamic_cast<BSeparatorItem*>(candidate) == NULL && candidate->IsEnabled()) {
			_SelectAt(level, candidate, false);
			// Moving with the keys opens no submenu until the user asks for it.
			_CloseAbove(level);
			return;
		}
	}
}


void
MenuTracker::_MoveOnBar(int32 direction)
{
	BMenu* bar = fLevels[0].menu;
	int32 count = bar->CountItems();
	int32 index = bar->IndexOf(_Selected(0));
	for (int32 step = 0; step < count; step++) {
		index = (index + direction + count) % count;
		BMenuItem* candidate = bar->ItemAt(index);
		if (candidate->IsEnabled()) {
			_SelectAt(0, candidate, true);
			return;
		}
	}
}


void
MenuTracker::KeyEvent(const char* bytes)
{
	if (fDone || bytes == NULL || bytes[0] == '\0' || bytes[1] != '\0')
		return;
	int32 top = (int32)fLevels.size() - 1;
	BMenuItem* selected = _Selected(top);
	fSticky = true;

	switch (bytes[0]) {
		case B_DOWN_ARROW:
		case B_UP_ARROW:
			if (_IsBar(top)) {
				if (bytes[0] == B_DOWN_ARROW)
					_Open(top, true);
			} else
				_MoveInColumn(top, bytes[0] == B_DOWN_ARROW ? 1 : -1);
			break;
		case B_RIGHT_ARROW:
			if (_IsBar(top))
				_MoveOnBar(1);
			else if (selected != NULL && selected->Submenu() != NULL)
				_Open(top, true);
			else if (_IsBar(0))
				_MoveOnBar(1);
			break;
		case B_LEFT_ARROW:
			if (_IsBar(top))
				_MoveOnBar(-1);
			else if (top >= 2 || (top == 1 && !_IsBar(0)))
				_CloseAbove(top - 1);
			else if (_IsBar(0))
				_MoveOnBar(-1);
			break;
		case B_ENTER:
		case B_SPACE:
			if (selected == NULL)
				break;
			if (selected->Submenu() != NULL)
				_Open(top, true);
			else if (selected->IsEnabled())
				_Finish(selected);
			break;
		case B_ESCAPE:
			if (top >= 2 || (top == 1 && !_IsBar(0)))
				_CloseAbove(top - 1);
			else
				_Finish(NULL);
			break;
		default:
			break;
	}
}


void
MenuTracker::Cancel()
{
	if (!fDone)
		_Finish(NULL);
}


void
MenuTracker::_Finish(BMenuItem* item)
{
	_CloseAbove(0);
	_SetSelection(0, NULL);
	fResult = item;
	fDone = true;
}

}	// namespace BPrivate
