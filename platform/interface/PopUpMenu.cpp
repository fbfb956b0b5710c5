#include <PopUpMenu.h>

#include <MenuItem.h>
#include <Screen.h>
#include <Window.h>

#include <algorithm>

#include "interface/menus/MenuTracker.h"
#include "interface/menus/MenuWindow.h"

using BPrivate::MenuTracker;
using BPrivate::MenuWindow;


BPopUpMenu::BPopUpMenu(const char* title, bool radioMode, bool autoRename,
	menu_layout layout)
	:
	BMenu(title, layout),
	fAutoDestruct(false)
{
	if (radioMode)
		SetRadioMode(true);
	if (autoRename)
		SetLabelFromMarked(true);
}


BPopUpMenu::~BPopUpMenu()
{
}


void
BPopUpMenu::SetAsyncAutoDestruct(bool on)
{
	fAutoDestruct = on;
}


bool
BPopUpMenu::AsyncAutoDestruct() const
{
	return fAutoDestruct;
}


BMenuItem*
BPopUpMenu::Go(BPoint screenWhere, bool deliversMessage, bool openAnyway, bool async)
{
	if (BPrivate::MenuAccess::IsTracking(this) || Window() != NULL)
		return NULL;

	MenuTracker::GoState state;
	state.semaphore = -1;
	state.result = NULL;
	if (!async) {
		state.semaphore = create_sem(0, "pop-up menu");
		if (state.semaphore < 0)
			return NULL;
	}
	(void)openAnyway;
	if (!BPrivate::MenuAccess::OpenAsPopUp(this, screenWhere, deliversMessage,
			async && fAutoDestruct, async ? NULL : &state, NULL, BMessenger())) {
		if (!async)
			delete_sem(state.semaphore);
		return NULL;
	}
	if (async)
		return NULL;

	// The window that called keeps drawing while it waits, as under BAlert::Go.
	BWindow* caller = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(NULL)));
	while (true) {
		status_t status = caller != NULL
			? acquire_sem_etc(state.semaphore, 1, B_RELATIVE_TIMEOUT, 50000)
			: acquire_sem(state.semaphore);
		if (status == B_OK)
			break;
		if (status != B_TIMED_OUT && status != B_INTERRUPTED)
			break;
		if (caller != NULL)
			caller->UpdateIfNeeded();
	}
	delete_sem(state.semaphore);
	return state.result;
}
