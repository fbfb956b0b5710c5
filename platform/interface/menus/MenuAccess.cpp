#include "interface/menus/MenuTracker.h"
#include "interface/menus/MenuWindow.h"

#include <MenuBar.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Screen.h>
#include <Window.h>

#include <algorithm>

namespace BPrivate {


// Ends the root's session: the menus are closed already; what is left is the choice.
void
MenuAccess::EndTracking(BMenu* root)
{
	MenuTracker* tracker = root->fTracker;
	root->fTracker = NULL;
	BMenuItem* result = tracker->Result();

	BWindow* window = root->Window();
	if (tracker->shield != NULL) {
		BView* shield = tracker->shield;
		shield->RemoveSelf();
		delete shield;
		if (tracker->previousFocus != NULL)
			tracker->previousFocus->MakeFocus(true);
		if (window != NULL)
			window->MenusEnded();
	}

	if (result != NULL && result->Menu() != NULL && result->Menu()->IsRadioMode())
		result->SetMarked(true);
	if (result != NULL && tracker->deliversMessage)
		result->Invoke();

	BMessenger notify = tracker->notify;
	MenuTracker::GoState* go = tracker->go;
	bool autoDestruct = tracker->autoDestruct;
	bool popup = dynamic_cast<MenuWindow*>(window) != NULL;
	delete tracker;

	if (notify.IsValid())
		notify.SendMessage(kMenuFieldChanged);
	if (popup) {
		// The pop-up's window goes; the menu stays with its owner.
		window->RemoveChild(root);
		window->Quit();
		if (autoDestruct)
			delete root;
	}
	if (go != NULL) {
		go->result = result;
		release_sem(go->semaphore);
	}
}


// Starts a session of the bar: while its menus are open every click and key of the
// window is theirs.
static MenuTracker*
StartBarTracking(BMenuBar* bar)
{
	BWindow* window = bar->Window();
	BRect frame = bar->ConvertToScreen(bar->Bounds());
	MenuTracker* tracker = new MenuTracker(bar, NULL, frame);
	MenuAccess::SetTracker(bar, tracker);
	if (window != NULL) {
		window->MenusBeginning();
		tracker->previousFocus = window->CurrentFocus();
		// The shield lies below the bar, which must stay visible to draw its
		// selection; the bar forwards its own events.
		BRect bounds = window->Bounds();
		bounds.top = std::max(bounds.top, window->ConvertFromScreen(frame).bottom + 1);
		tracker->shield = new MenuShield(bounds, bar);
		window->AddChild(tracker->shield);
		tracker->shield->MakeFocus(true);
		tracker->shield->SetEventMask(B_POINTER_EVENTS);
	}
	return tracker;
}


void
MenuAccess::PointerEvent(BMenu* root, uint32 what, BPoint screenWhere, uint32 buttons)
{
	if (root->fTracker == NULL) {
		BMenuBar* bar = dynamic_cast<BMenuBar*>(root);
		if (bar == NULL || what != B_MOUSE_DOWN || !bar->IsEnabled())
			return;
		StartBarTracking(bar);
	}
	root->fTracker->PointerEvent(what, screenWhere, buttons);
	if (root->fTracker->IsDone())
		EndTracking(root);
}


bool
MenuAccess::OpenAsPopUp(BMenu* menu, BPoint screenWhere, bool deliversMessage,
	bool autoDestruct, MenuTracker::GoState* go, BWindow* owner, BMessenger notify)
{
	if (menu->fTracker != NULL || menu->Window() != NULL)
		return false;
	menu->_Layout();
	float width;
	float height;
	menu->_ComputeSize(&width, &height);
	BRect screen = BScreen().Frame();
	if (screenWhere.x + width > screen.right)
		screenWhere.x = screen.right - width;
	if (screenWhere.y + height > screen.bottom)
		screenWhere.y = screen.bottom - height;
	screenWhere.x = std::max(screenWhere.x, screen.left);
	screenWhere.y = std::max(screenWhere.y, screen.top);
	BRect frame(screenWhere.x, screenWhere.y, screenWhere.x + width,
		screenWhere.y + height);

	MenuWindow* window = new MenuWindow(frame, true);
	menu->MoveTo(0, 0);
	menu->ResizeTo(width, height);
	window->AddChild(menu);
	MenuTracker* tracker = new MenuTracker(menu, window, frame);
	tracker->deliversMessage = deliversMessage;
	tracker->autoDestruct = autoDestruct;
	tracker->go = go;
	tracker->notify = notify;
	tracker->SetStickyStart(true);
	if (owner != NULL)
		menu->fOwnerWindow = owner;
	menu->fTracker = tracker;
	window->SetRoot(menu);
	menu->MakeFocus(true);
	window->Show();
	window->Unlock();
	return true;
}


bool
MenuAccess::OpenBarMenu(BMenuBar* bar, int32 index)
{
	BMenuItem* item = bar->ItemAt(index);
	if (bar->fTracker != NULL || bar->Window() == NULL || item == NULL
		|| item->Submenu() == NULL || !item->IsEnabled())
		return false;
	MenuTracker* tracker = StartBarTracking(bar);
	tracker->OpenFromBar(item, false);
	tracker->SetSticky();
	return true;
}


bool
MenuAccess::ToggleFromKeyboard(BMenuBar* bar)
{
	if (bar == NULL || bar->Window() == NULL)
		return false;
	if (bar->fTracker != NULL) {
		Cancel(bar);
		return true;
	}
	if (!bar->IsEnabled() || bar->IsHidden())
		return false;
	for (int32 i = 0; BMenuItem* item = bar->ItemAt(i); i++) {
		if (item->Submenu() == NULL || !item->IsEnabled())
			continue;
		MenuTracker* tracker = StartBarTracking(bar);
		tracker->OpenFromBar(item, true);
		tracker->SetSticky();
		return true;
	}
	return false;
}


void
MenuAccess::KeyEvent(BMenu* root, const char* bytes)
{
	if (root->fTracker == NULL)
		return;
	root->fTracker->KeyEvent(bytes);
	if (root->fTracker->IsDone())
		EndTracking(root);
}


void
MenuAccess::Cancel(BMenu* root)
{
	if (root->fTracker == NULL)
		return;
	root->fTracker->Cancel();
	EndTracking(root);
}


void
MenuAccess::Select(BMenu* menu, BMenuItem* item)
{
	menu->_Select(item);
}


BMenuItem*
MenuAccess::ItemAt(BMenu* menu, BPoint where)
{
	return menu->_ItemAt(where);
}


void
MenuAccess::Layout(BMenu* menu)
{
	menu->_Layout();
}


void
MenuAccess::ComputeSize(BMenu* menu, float* width, float* height)
{
	menu->_ComputeSize(width, height);
}


void
MenuAccess::SetOwner(BMenu* menu, BWindow* owner, BMessenger notify)
{
	menu->fOwnerWindow = owner;
	if (menu->fTracker != NULL)
		menu->fTracker->notify = notify;
}


void
MenuAccess::SetTracker(BMenu* menu, MenuTracker* tracker)
{
	menu->fTracker = tracker;
}


void
MenuAccess::SetOwnerView(BMenu* menu, BView* view)
{
	menu->fOwnerView = view;
}


bool
MenuAccess::IsTracking(BMenu* menu)
{
	return menu->fTracker != NULL;
}


BMenuItem*
MenuAccess::Selected(BMenu* menu)
{
	return menu->fSelected;
}

}	// namespace BPrivate
