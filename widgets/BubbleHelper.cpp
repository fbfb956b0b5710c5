#include "BubbleHelper.h"

#include <Application.h>
#include <Autolock.h>
#include <Region.h>
#include <Screen.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>


static const rgb_color kBubbleColor = { 240, 240, 100, 255 };
static const rgb_color kBlack = { 0, 0, 0, 255 };
static const char* kSentinelName = "_bubble_help_";

int32 BubbleHelper::runcount = 0;

// The live instance, for the sentinels; a sentinel made for an instance that has been
// deleted since finds a different generation and leaves the new one alone.
static BLocker sInstanceLock("bubble instance");
static BubbleHelper* sInstance = NULL;
static int32 sGeneration = 0;


/*
 * The hidden child that tells the helper when its parent is deleted.
 */
class BubbleHelper::HelpSentinel : public BView {
public:
	HelpSentinel(BView* owner)
		:
		BView(BRect(0, 0, 0, 0), kSentinelName, B_FOLLOW_NONE, 0),
		fOwner(owner),
		fGeneration(0)
	{
		{
			BAutolock lock(sInstanceLock);
			fGeneration = sGeneration;
		}
		Hide();
	}

	virtual ~HelpSentinel()
	{
		BAutolock lock(sInstanceLock);
		if (sInstance != NULL && sGeneration == fGeneration)
			sInstance->_SentinelGone(this);
	}

	BView*	Owner() const { return fOwner; }

private:
	BView*	fOwner;
	int32	fGeneration;
};


BubbleHelper::BubbleHelper()
	:
	fWatchThread(-1),
	fHelpList(NULL),
	fBubbleWindow(NULL),
	fTextView(NULL),
	fEnabled(false),
	fListLock("bubble help list"),
	fQuitSem(-1),
	fQuitting(0)
{
	fFoundHelp[0] = '\0';
	if (atomic_add(&runcount, 1) != 0) {
		debugger("only one BubbleHelper instance allowed/necessary");
		return;
	}

	fHelpList = new BList(30);
	{
		BAutolock lock(sInstanceLock);
		sInstance = this;
		sGeneration++;
	}

	fQuitSem = create_sem(0, "bubble quit");
	fWatchThread = spawn_thread(_helper, "helper", B_NORMAL_PRIORITY, this);
	if (fWatchThread >= 0)
		resume_thread(fWatchThread);
	fEnabled = true;
}


BubbleHelper::~BubbleHelper()
{
	if (fWatchThread >= 0) {
		// The thread is told to stop and woken from its sleep; it is only killed when
		// it does not end by itself (it may wait up to a second for a busy window).
		// Either way it is gone before the list it reads is freed.
		atomic_set(&fQuitting, 1);
		if (fQuitSem >= 0)
			release_sem_etc(fQuitSem, 100, 0);
		bigtime_t deadline = system_time() + 3000000;
		thread_info info;
		while (get_thread_info(fWatchThread, &info) == B_OK
			&& system_time() < deadline)
			snooze(10000);
		if (get_thread_info(fWatchThread, &info) == B_OK)
			kill_thread(fWatchThread);
		status_t exitValue;
		wait_for_thread(fWatchThread, &exitValue);

		if (fBubbleMessenger.LockTarget()) {
			fBubbleWindow.load()->Quit();
			fBubbleWindow = NULL;
		}
	}
	if (fQuitSem >= 0)
		delete_sem(fQuitSem);

	if (fHelpList != NULL) {
		{
			BAutolock lock(sInstanceLock);
			if (sInstance == this)
				sInstance = NULL;
		}
		// The sentinels stay with their views; without an instance they do nothing.
		BAutolock lock(fListLock);
		for (int32 i = fHelpList->CountItems() - 1; i >= 0; i--) {
			HelpEntry* entry = (HelpEntry*)fHelpList->RemoveItem(i);
			free(entry->text);
			delete entry;
		}
		delete fHelpList;
		fHelpList = NULL;
	}
	atomic_add(&runcount, -1);
}


int32
BubbleHelper::RunCount()
{
	return atomic_get(&runcount);
}


// #pragma mark - the help list


void
BubbleHelper::SetHelp(BView* view, const char* text)
{
	if (view == NULL || fHelpList == NULL)
		return;

	bool needsSentinel = false;
	{
		BAutolock lock(fListLock);
		HelpEntry* entry = _EntryFor(view);
		if (entry == NULL && text == NULL)
			return;
		if (entry == NULL) {
			entry = new HelpEntry;
			entry->view = view;
			entry->text = NULL;
			entry->sentinel = NULL;
			fHelpList->AddItem(entry);
			needsSentinel = true;
		} else {
			// A changed text goes to the end of the list, as a new registration does.
			fHelpList->RemoveItem(entry);
			fHelpList->AddItem(entry);
		}
		free(entry->text);
		entry->text = text != NULL ? strdup(text) : NULL;
	}

	if (!needsSentinel)
		return;

	// The sentinel joins the view outside the list lock: the watch thread takes the
	// list lock while it holds a window's lock, so the other order could deadlock.
	BWindow* window = view->Window();
	bool locked = false;
	if (window != NULL && window->LockingThread() != find_thread(NULL)) {
		if (view->LockLooperWithTimeout(1000000) != B_OK)
			return;
		locked = true;
	}
	HelpSentinel* sentinel = new HelpSentinel(view);
	{
		BAutolock lock(fListLock);
		HelpEntry* entry = _EntryFor(view);
		if (entry != NULL)
			entry->sentinel = sentinel;
	}
	view->AddChild(sentinel);
	if (locked)
		view->UnlockLooper();
}


const char*
BubbleHelper::GetHelp(BView* view)
{
	if (fHelpList == NULL)
		return NULL;
	BAutolock lock(fListLock);
	HelpEntry* entry = _EntryFor(view);
	return entry != NULL ? entry->text : NULL;
}


void
BubbleHelper::EnableHelp(bool enable)
{
	fEnabled = enable;
}


BubbleHelper::HelpEntry*
BubbleHelper::_EntryFor(BView* view) const
{
	for (int32 i = 0; i < fHelpList->CountItems(); i++) {
		HelpEntry* entry = (HelpEntry*)fHelpList->ItemAt(i);
		if (entry->view == view)
			return entry;
	}
	return NULL;
}


void
BubbleHelper::_SentinelGone(HelpSentinel* sentinel)
{
	BAutolock lock(fListLock);
	for (int32 i = 0; i < fHelpList->CountItems(); i++) {
		HelpEntry* entry = (HelpEntry*)fHelpList->ItemAt(i);
		if (entry->sentinel == sentinel) {
			fHelpList->RemoveItem(i);
			free(entry->text);
			delete entry;
			return;
		}
	}
}


bool
BubbleHelper::_FindHelpFrom(BView* view, char* help, size_t size)
{
	BAutolock lock(fListLock);
	for (; view != NULL; view = view->Parent()) {
		HelpEntry* entry = _EntryFor(view);
		if (entry != NULL && entry->text != NULL) {
			snprintf(help, size, "%s", entry->text);
			return true;
		}
	}
	help[0] = '\0';
	return false;
}


// #pragma mark - the bubble


BPoint
BubbleHelper::BubblePlace(BPoint where, float w, float h, BRect screen)
{
	BPoint corner = where + BPoint(0, 20);
	if (corner.y + h > screen.bottom - 3)
		corner.y = corner.y - (h + 24);
	if (corner.x + w + 4 > screen.right)
		corner.x = screen.right - (w + 4);
	return corner;
}


void
BubbleHelper::ShowBubble(BPoint where)
{
	if (fBubbleWindow == NULL)
		return;
	fBubbleWindow.load()->MoveTo(where);
	fBubbleWindow.load()->SetWorkspaces(B_CURRENT_WORKSPACE);
	if (fBubbleWindow.load()->IsHidden())
		fBubbleWindow.load()->Show();
}


void
BubbleHelper::HideBubble()
{
	if (fBubbleWindow == NULL)
		return;
	fBubbleWindow.load()->MoveTo(-1000, -1000);
	if (!fBubbleWindow.load()->IsHidden())
		fBubbleWindow.load()->Hide();
}


void
BubbleHelper::DisplayHelp(const char* text, BPoint where)
{
	fTextView->SetText(text);

	float h = fTextView->TextHeight(0, 2000000) + 4;
	float w = 0;
	int32 lines = fTextView->CountLines();
	for (int32 i = 0; i < lines; i++) {
		float lineWidth = (int32)fTextView->LineWidth(i);
		if (lineWidth > w)
			w = lineWidth;
	}

	fBubbleWindow.load()->ResizeTo(w + 4, h);
	fTextView->SetTextRect(BRect(2, 2, w + 2, h + 2));

	BScreen screen(B_MAIN_SCREEN_ID);
	ShowBubble(BubblePlace(where, w, h, screen.Frame()));
}


void
BubbleHelper::_MakeBubbleWindow()
{
	BWindow* window = new BWindow(BRect(-100, -100, -50, -50), "",
		B_BORDERED_WINDOW_LOOK, B_FLOATING_ALL_WINDOW_FEEL,
		B_NOT_MOVABLE | B_AVOID_FOCUS, B_CURRENT_WORKSPACE);
	BTextView* textView = new BTextView(BRect(0, 0, 50, 50), "",
		BRect(2, 2, 48, 48), B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	textView->MakeEditable(false);
	textView->MakeSelectable(false);
	textView->SetWordWrap(false);
	textView->SetLowColor(kBubbleColor);
	textView->SetViewColor(kBubbleColor);
	textView->SetHighColor(kBlack);
	window->AddChild(textView);

	fTextView = textView;
	fBubbleWindow = window;
	fBubbleMessenger = BMessenger(window);
	window->Run();

	if (window->Lock()) {
		window->Activate(false);
		rename_thread(window->Thread(), "bubble");
		window->Unlock();
	}
}


// #pragma mark - the watch


int32
BubbleHelper::_helper(void* data)
{
	((BubbleHelper*)data)->Helper();
	return 0;
}


bool
BubbleHelper::_Running() const
{
	return atomic_get((vint32*)&fQuitting) == 0;
}


bool
BubbleHelper::_Nap(bigtime_t microseconds)
{
	acquire_sem_etc(fQuitSem, 1, B_RELATIVE_TIMEOUT, microseconds);
	return _Running();
}


void
BubbleHelper::Helper()
{
	while (!be_app_messenger.IsValid()) {
		if (!_Nap(200000))
			return;
	}
	while (be_app != NULL && be_app->IsLaunching()) {
		if (!_Nap(200000))
			return;
	}

	_MakeBubbleWindow();

	BPoint last;
	bool first = true;
	int32 stillCount = 0;

	while (_Running() && be_app_messenger.IsValid()) {
		if (fEnabled && fBubbleMessenger.LockTarget()) {
			BPoint where;
			uint32 buttons;
			fTextView->GetMouse(&where, &buttons, true);
			fTextView->ConvertToScreen(&where);

			bool locked = true;
			if (first || where != last || buttons != 0)
				stillCount = 0;
			else if (stillCount++ > 5) {
				stillCount = 0;
				if (FindView(where) != NULL && fFoundHelp[0] != '\0')
					locked = _ShowWhileStill(fFoundHelp, where);
			}
			first = false;
			last = where;
			if (locked)
				fBubbleWindow.load()->Unlock();
		}
		if (!_Nap(100000))
			break;
	}
}


bool
BubbleHelper::_ShowWhileStill(const char* text, BPoint where)
{
	DisplayHelp(text, where);

	int32 length = (int32)strlen(text);
	if (length < 20)
		length = 20;
	BPoint now;
	uint32 buttons;
	for (int32 i = 0; i <= length; i++) {
		fBubbleWindow.load()->Unlock();
		if (!_Nap(100000) || !fBubbleMessenger.LockTarget())
			return false;
		fTextView->GetMouse(&now, &buttons, true);
		fTextView->ConvertToScreen(&now);
		if (buttons != 0 || now != where || !fEnabled)
			break;
	}
	HideBubble();

	// The same bubble does not come back while the pointer stays where it was.
	while (true) {
		fTextView->GetMouse(&now, &buttons, true);
		fTextView->ConvertToScreen(&now);
		if (now != where)
			return true;
		fBubbleWindow.load()->Unlock();
		if (!_Nap(100000) || !fBubbleMessenger.LockTarget())
			return false;
	}
}


BView*
BubbleHelper::FindView(BPoint where)
{
	fFoundHelp[0] = '\0';
	if (be_app == NULL)
		return NULL;

	BView* found = NULL;
	for (int32 i = 0; found == NULL; i++) {
		BWindow* window = be_app->WindowAt(i);
		if (window == NULL)
			break;
		if (window == fBubbleWindow)
			continue;
		// Locking through a messenger fails cleanly for a window that has gone since
		// the list was read.
		BMessenger messenger(window);
		if (messenger.LockTargetWithTimeout(1000000) != B_OK)
			continue;

		BRect frame = window->Frame();
		if (!window->IsHidden() && frame.Contains(where)) {
			BView* view = window->FindView(where - frame.LeftTop());
			if (view != NULL) {
				BPoint local = view->ConvertFromScreen(where);
				BRegion clipping;
				view->GetClippingRegion(&clipping);
				if (clipping.Contains(local)) {
					found = view;
					// Looked up now, while the window is locked and the view alive.
					_FindHelpFrom(view, fFoundHelp, kHelpBufferSize);
				}
			}
		}
		window->Unlock();
	}
	return found;
}
