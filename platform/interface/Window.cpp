#include <Window.h>

#include <AppDefs.h>
#include <Application.h>
#include <InterfaceDefs.h>
#include <MenuBar.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <OS.h>
#include <View.h>

#include "app/LooperRegistry.h"
#include "app/MessagePrivate.h"
#include "interface/menus/MenuWindow.h"
#include "interface/render/Painter.h"
#include "interface/window/WindowListener.h"
#include "interface/window/WindowPrivate.h"
#include "server/DisplayServer.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"
#include "server/ServerWindowListener.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

using BPrivate::DisplayServer;
using BPrivate::ServerWindow;

// Posted to the window to make its loop run the update pass and present.
static const uint32 kUpdateMessage = '_UPD';
static const bigtime_t kDefaultPulseRate = 500000;
static const float kMaxWindowExtent = 32768.0f;
static const uint32 kShortcutModifiers
	= B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY | B_MENU_KEY;

static BPrivate::KeyMenuBarHook sKeyMenuBarHook = NULL;


namespace {

// The desktop asking the program to end (a signal, the session closing) reaches the
// application as B_QUIT_REQUESTED, as a close box reaches its window.
class DisplayQuitListener : public BPrivate::DisplayListener {
public:
	void DisplayQuitRequested() override
	{
		be_app_messenger.SendMessage(B_QUIT_REQUESTED);
	}
};

DisplayQuitListener sDisplayQuitListener;
std::once_flag sDisplayListenerOnce;

}	// namespace


static void
LookAndFeelForType(window_type type, window_look* look, window_feel* feel)
{
	switch (type) {
		case B_MODAL_WINDOW:
			*look = B_MODAL_WINDOW_LOOK;
			*feel = B_MODAL_APP_WINDOW_FEEL;
			break;
		case B_DOCUMENT_WINDOW:
			*look = B_DOCUMENT_WINDOW_LOOK;
			*feel = B_NORMAL_WINDOW_FEEL;
			break;
		case B_BORDERED_WINDOW:
			*look = B_BORDERED_WINDOW_LOOK;
			*feel = B_NORMAL_WINDOW_FEEL;
			break;
		case B_FLOATING_WINDOW:
			*look = B_FLOATING_WINDOW_LOOK;
			*feel = B_FLOATING_APP_WINDOW_FEEL;
			break;
		case B_TITLED_WINDOW:
		case B_UNTYPED_WINDOW:
		default:
			*look = B_TITLED_WINDOW_LOOK;
			*feel = B_NORMAL_WINDOW_FEEL;
			break;
	}
}


BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags,
	uint32 workspace)
	:
	BLooper(title)
{
	window_look look;
	window_feel feel;
	LookAndFeelForType(type, &look, &feel);
	_Init(frame, title, look, feel, flags, workspace);
}


BWindow::BWindow(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspace)
	:
	BLooper(title)
{
	_Init(frame, title, look, feel, flags, workspace);
}


void
BWindow::_Init(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspaces)
{
	fServerWindow = NULL;
	fListener = NULL;
	fPainter = NULL;
	fTopView = NULL;
	fFocus = NULL;
	fDefaultButton = NULL;
	fKeyMenuBar = NULL;
	fLastMouseView = NULL;
	fMouseCapture = NULL;
	fTitle = title != NULL ? title : "";
	fLook = look;
	fFeel = feel;
	fFlags = flags;
	fWorkspaces = workspaces;
	fShowLevel = 1;
	fActive = false;
	fMinimized = false;
	fUpdatesDisabled = 0;
	fUpdateRequested = false;
	fPendingPresent = BRect();
	fLayoutGeneration = 1;
	fInUpdate = false;
	fPulseRate = kDefaultPulseRate;
	fPulseRunner = NULL;
	fZoomed = false;
	fMinWidth = 0;
	fMaxWidth = kMaxWindowExtent;
	fMinHeight = 0;
	fMaxHeight = kMaxWindowExtent;
	fMaxZoomWidth = kMaxWindowExtent;
	fMaxZoomHeight = kMaxWindowExtent;
	fLastButtons = 0;

	std::string error;
	if (DisplayServer::Start(&error) != B_OK || DisplayServer::Default() == NULL) {
		fprintf(stderr, "Cannot open the window \"%s\": %s\n", fTitle.c_str(),
			error.empty() ? "no display is reachable" : error.c_str());
		exit(1);
	}

	std::call_once(sDisplayListenerOnce, []() {
		DisplayServer::Default()->SetDisplayListener(&sDisplayQuitListener);
	});

	if (!std::isfinite(frame.left) || !std::isfinite(frame.top)
		|| !std::isfinite(frame.right) || !std::isfinite(frame.bottom)) {
		frame = BRect(0, 0, -1, -1);
	}

	BPrivate::ServerWindowSettings settings;
	settings.frame = frame;
	settings.title = fTitle;
	settings.look = look;
	settings.feel = feel;
	settings.flags = flags;
	settings.workspaces = workspaces;
	fListener = new BPrivate::WindowListener(BPrivate::MessageAccess::Token(this));
	fServerWindow = DisplayServer::Default()->CreateWindow(settings, fListener);
	fPainter = new BPrivate::Painter;

	BRect serverFrame = fServerWindow->Frame();
	fTopView = new BView(BRect(0, 0, serverFrame.Width(), serverFrame.Height()),
		"top view", B_FOLLOW_ALL_SIDES, 0);
	fTopView->fWindow = this;

	BPrivate::RegisterWindowLooper(this, this);
	_AddDefaultShortcuts();
}


BWindow::~BWindow()
{
	BPrivate::UnregisterWindowLooper(this);
	delete fPulseRunner;
	fPulseRunner = NULL;

	// After this the server calls the listener no more.
	if (fServerWindow != NULL && DisplayServer::Default() != NULL)
		DisplayServer::Default()->DestroyWindow(fServerWindow);
	fServerWindow = NULL;

	if (fTopView != NULL) {
		while (fTopView->CountChildren() > 0) {
			BView* child = fTopView->ChildAt(fTopView->CountChildren() - 1);
			fTopView->RemoveChild(child);
			delete child;
		}
		fTopView->fWindow = NULL;
		delete fTopView;
		fTopView = NULL;
	}

	for (Shortcut& shortcut : fShortcuts)
		delete shortcut.message;
	fShortcuts.clear();

	delete fPainter;
	fPainter = NULL;
	delete fListener;
	fListener = NULL;
}


void
BWindow::Quit()
{
	// R5 wants the window locked; take the lock rather than fail.
	if (!IsLocked())
		Lock();
	BLooper::Quit();
}


thread_id
BWindow::Run()
{
	thread_id thread = BLooper::Run();
	if (thread >= 0) {
		std::string name = "w>" + fTitle;
		rename_thread(thread, name.c_str());
	}
	return thread;
}


bool
BWindow::_OnOwnThread() const
{
	return find_thread(NULL) == Thread();
}


// #pragma mark - dispatching


void
BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	BView* view = dynamic_cast<BView*>(handler);
	if (view != NULL && view->fWindow != this)
		view = NULL;

	switch (message->what) {
		case B_MOUSE_DOWN:
			_HandleMouseDown(message, view);
			return;
		case B_MOUSE_UP:
			_HandleMouseUp(message, view);
			return;
		case B_MOUSE_MOVED:
			if (view != NULL) {
				BPoint where;
				message->FindPoint("where", &where);
				view->MouseMoved(where, B_INSIDE_VIEW, NULL);
			} else if (handler == this)
				_HandleMouseMoved(message);
			else
				break;
			return;
		case B_MOUSE_WHEEL_CHANGED:
			if (handler == this) {
				_HandleWheel(message);
				return;
			}
			break;
		case B_KEY_DOWN:
			_HandleKeyDown(message, view);
			return;
		case B_KEY_UP:
			_HandleKeyUp(message, view);
			return;
		case B_WINDOW_ACTIVATED:
			if (handler == this) {
				_HandleActivated(message);
				return;
			}
			break;
		case B_ZOOM:
			if (handler == this) {
				if ((fFlags & B_NOT_ZOOMABLE) == 0)
					Zoom();
				return;
			}
			break;
		case B_MINIMIZE:
			if (handler == this) {
				bool minimize = true;
				message->FindBool("minimize", &minimize);
				if (message->HasBool(BPrivate::kFromServerField))
					fMinimized = minimize;
				else
					Minimize(minimize);
				return;
			}
			break;
		case B_WINDOW_MOVED:
			if (handler == this) {
				BPoint where;
				if (message->FindPoint("where", &where) == B_OK)
					FrameMoved(where);
				return;
			}
			break;
		case B_WINDOW_RESIZED:
			if (handler == this) {
				_HandleServerResize(message);
				return;
			}
			break;
		case B_VIEW_MOVED:
			if (view != NULL) {
				BPoint where;
				if (message->FindPoint("where", &where) == B_OK)
					view->FrameMoved(where);
				return;
			}
			break;
		case B_VIEW_RESIZED:
			if (view != NULL) {
				float width = 0;
				float height = 0;
				message->FindFloat("width", &width);
				message->FindFloat("height", &height);
				view->FrameResized(width, height);
				return;
			}
			break;
		case B_PULSE:
			if (handler == this) {
				_HandlePulse();
				return;
			}
			break;
		case kUpdateMessage:
			if (handler == this)
				return;
			break;
		case B_SIMPLE_DATA:
			if (handler == this && message->HasPoint(BPrivate::kDropWhereField)) {
				_HandleDrop(message);
				return;
			}
			break;
		case B_QUIT_REQUESTED:
			if (handler == this) {
				bool quit = QuitRequested();
				if (message->IsSourceWaiting()) {
					BMessage reply(B_REPLY);
					reply.AddBool("result", quit);
					message->SendReply(&reply);
				}
				if (quit) {
					if ((fFlags & B_QUIT_ON_WINDOW_CLOSE) != 0)
						be_app_messenger.SendMessage(B_QUIT_REQUESTED);
					Quit();
				}
				return;
			}
			break;
		default:
			break;
	}
	BLooper::DispatchMessage(message, handler);
}


void
BWindow::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}


void
BWindow::DispatchFinished(bool queueIsEmpty)
{
	_UpdatePass();
	_Present();
}


// "where" in mouse messages is in the coordinates of the view that gets them, as R5.
void
BWindow::_SetViewWhere(BMessage* message, BView* view, BPoint windowWhere)
{
	BPoint where = windowWhere - view->_Offset();
	if (message->ReplacePoint("where", where) != B_OK)
		message->AddPoint("where", where);
	if (message->ReplacePoint("be:view_where", where) != B_OK)
		message->AddPoint("be:view_where", where);
}


static BPoint
WindowWhere(BMessage* message)
{
	BPoint where;
	if (message->FindPoint("be:window_where", &where) == B_OK)
		return where;
	message->FindPoint("where", &where);
	message->AddPoint("be:window_where", where);
	return where;
}


void
BWindow::_HandleMouseDown(BMessage* message, BView* target)
{
	int32 buttons = 0;
	message->FindInt32("buttons", &buttons);
	fLastButtons = (uint32)buttons;
	BPoint where = WindowWhere(message);
	BView* view = target != NULL ? target : FindView(where);
	if (view == NULL)
		return;
	_SetViewWhere(message, view, where);
	view->MouseDown(where - view->_Offset());
}


void
BWindow::_HandleMouseUp(BMessage* message, BView* target)
{
	int32 buttons = 0;
	message->FindInt32("buttons", &buttons);
	fLastButtons = (uint32)buttons;
	BPoint where = WindowWhere(message);

	BView* view = target;
	if (view == NULL)
		view = fMouseCapture != NULL ? fMouseCapture : FindView(where);
	if (buttons == 0 && fMouseCapture != NULL) {
		fMouseCapture->fMouseEventMask = 0;
		fMouseCapture = NULL;
	}
	if (view == NULL)
		return;
	_SetViewWhere(message, view, where);
	view->MouseUp(where - view->_Offset());
}


// Whether view is still one of this window's views (a hook may have removed it).
static bool
ContainsView(const BView* root, const BView* view)
{
	for (int32 i = 0; BView* child = root->ChildAt(i); i++) {
		if (child == view || ContainsView(child, view))
			return true;
	}
	return false;
}


static void
CollectPointerViews(BView* root, std::vector<BView*>& views)
{
	for (int32 i = 0; BView* child = root->ChildAt(i); i++) {
		if ((child->EventMask() & B_POINTER_EVENTS) != 0)
			views.push_back(child);
		CollectPointerViews(child, views);
	}
}


void
BWindow::_SendMouseMoved(BView* view, BMessage* message, BPoint windowWhere,
	uint32 transit)
{
	_SetViewWhere(message, view, windowWhere);
	view->MouseMoved(windowWhere - view->_Offset(), transit, NULL);
}


void
BWindow::_HandleMouseMoved(BMessage* message)
{
	int32 buttons = 0;
	message->FindInt32("buttons", &buttons);
	fLastButtons = (uint32)buttons;
	int32 windowTransit = B_INSIDE_VIEW;
	message->FindInt32("be:transit", &windowTransit);
	BPoint where = WindowWhere(message);

	bool inWindow = windowTransit == B_ENTERED_VIEW || windowTransit == B_INSIDE_VIEW;
	BView* target = inWindow ? FindView(where) : NULL;

	// The views to tell, in order: the one the pointer leaves, the one it is over, and
	// those that asked for every pointer event.
	std::vector<BView*> receivers;
	std::vector<BView*> always;
	if (fMouseCapture != NULL)
		always.push_back(fMouseCapture);
	else {
		if (fLastMouseView != NULL && fLastMouseView != target)
			receivers.push_back(fLastMouseView);
		if (target != NULL)
			receivers.push_back(target);
	}
	CollectPointerViews(fTopView, always);
	for (BView* view : always) {
		if (std::find(receivers.begin(), receivers.end(), view) == receivers.end())
			receivers.push_back(view);
	}
	if (fMouseCapture == NULL)
		fLastMouseView = target;

	for (BView* view : receivers) {
		if (!ContainsView(fTopView, view))
			continue;
		bool wasInside = view->fPointerInside;
		bool inside = view == target;
		bool wantsAll = std::find(always.begin(), always.end(), view) != always.end();
		if (!wasInside && !inside && !wantsAll)
			continue;
		uint32 transit;
		if (inside)
			transit = wasInside ? B_INSIDE_VIEW : B_ENTERED_VIEW;
		else
			transit = wasInside ? B_EXITED_VIEW : B_OUTSIDE_VIEW;
		view->fPointerInside = inside;
		_SendMouseMoved(view, message, where, transit);
	}
}


void
BWindow::_HandleWheel(BMessage* message)
{
	BView* view = fFocus;
	if (view == NULL) {
		BPoint screen;
		uint32 buttons;
		if (DisplayServer::Default() != NULL) {
			DisplayServer::Default()->GetMouse(&screen, &buttons);
			view = FindView(ConvertFromScreen(screen));
		}
	}
	if (view != NULL)
		view->MessageReceived(message);
	else
		MessageReceived(message);
}


void
BWindow::_HandleDrop(BMessage* message)
{
	BPoint where;
	message->FindPoint(BPrivate::kDropWhereField, &where);
	BView* view = FindView(where);
	if (view != NULL)
		view->MessageReceived(message);
	else
		MessageReceived(message);
}


static void
KeyBytes(BMessage* message, const char** bytes, int32* length)
{
	*bytes = "";
	message->FindString("bytes", bytes);
	if (*bytes == NULL)
		*bytes = "";
	*length = (int32)strlen(*bytes);
}


// F10, and Alt pressed and let go with no other key in between, open the key menu bar
// for the keyboard, as desktop programs do. The window that saw a lone Alt go down:
static std::atomic<BWindow*> sLoneAltWindow(NULL);


static bool
IsAltKey(int32 key)
{
	return key == BPrivate::kKeyLeftAlt || key == BPrivate::kKeyRightAlt;
}


static bool
ToggleKeyMenuBar(BView* view)
{
	BMenuBar* bar = dynamic_cast<BMenuBar*>(view);
	return bar != NULL && BPrivate::MenuAccess::ToggleFromKeyboard(bar);
}


void
BWindow::_HandleKeyDown(BMessage* message, BView* target)
{
	const char* bytes;
	int32 length;
	KeyBytes(message, &bytes, &length);
	if (target != NULL) {
		target->KeyDown(bytes, length);
		return;
	}

	int32 modifiers = 0;
	message->FindInt32("modifiers", &modifiers);
	int32 key = 0;
	message->FindInt32("key", &key);
	if (IsAltKey(key) && length == 0) {
		// As on R5, a modifier key's own press reaches no view.
		sLoneAltWindow = this;
		return;
	}
	sLoneAltWindow = NULL;
	if (key == B_F10_KEY && length == 1 && bytes[0] == B_FUNCTION_KEY
		&& (modifiers & (B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0
		&& ToggleKeyMenuBar(fKeyMenuBar)) {
		return;
	}
	if ((modifiers & B_COMMAND_KEY) != 0 && _HandleShortcut(message))
		return;

	// While the menu bar's menus are open, Enter chooses in them rather than pressing
	// the default button.
	BMenuBar* bar = dynamic_cast<BMenuBar*>(fKeyMenuBar);
	bool menusOpen = bar != NULL && BPrivate::MenuAccess::IsTracking(bar);
	bool plain = (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0;
	if (plain && length == 1 && bytes[0] == B_ENTER && fDefaultButton != NULL
		&& !fDefaultButton->IsHidden(fTopView) && !menusOpen) {
		fDefaultButton->KeyDown(bytes, length);
		return;
	}

	if (fFocus != NULL)
		fFocus->KeyDown(bytes, length);
	else if (plain && length == 1 && bytes[0] == B_TAB)
		_KeyboardNavigation((modifiers & B_SHIFT_KEY) != 0);
}


void
BWindow::_HandleKeyUp(BMessage* message, BView* target)
{
	const char* bytes;
	int32 length;
	KeyBytes(message, &bytes, &length);
	int32 key = 0;
	message->FindInt32("key", &key);
	if (target == NULL && IsAltKey(key) && length == 0) {
		BWindow* expected = this;
		if (sLoneAltWindow.compare_exchange_strong(expected, NULL))
			ToggleKeyMenuBar(fKeyMenuBar);
		return;
	}
	BView* view = target != NULL ? target : fFocus;
	if (view != NULL)
		view->KeyUp(bytes, length);
}


static uint32
NormalizedKey(uint32 key)
{
	if (key < 128)
		return (uint32)tolower((int)key);
	return key;
}


bool
BWindow::_HandleShortcut(BMessage* message)
{
	int32 rawChar = 0;
	int32 modifiers = 0;
	message->FindInt32("raw_char", &rawChar);
	message->FindInt32("modifiers", &modifiers);
	if (rawChar == 0) {
		const char* bytes;
		int32 length;
		KeyBytes(message, &bytes, &length);
		if (length == 1)
			rawChar = (uint8)bytes[0];
	}
	uint32 key = NormalizedKey((uint32)rawChar);
	uint32 held = (uint32)modifiers & kShortcutModifiers;

	if (fKeyMenuBar != NULL && sKeyMenuBarHook != NULL
		&& sKeyMenuBarHook(fKeyMenuBar, key, held, message)) {
		return true;
	}

	Shortcut* shortcut = _FindShortcut(key, held);
	if (shortcut != NULL) {
		// A shortcut for a handler of this window is dispatched at once, not posted:
		// posted, it would queue behind keys the user typed after it, and Ctrl+C
		// followed quickly by End would copy after the selection had gone.
		BMessage copy(*shortcut->message);
		if (shortcut->toFocus) {
			if (fFocus != NULL)
				DispatchMessage(&copy, fFocus);
			return true;
		}
		BHandler* target = shortcut->target != NULL ? shortcut->target : this;
		if (target->Looper() == this)
			DispatchMessage(&copy, target);
		else
			BMessenger(target).SendMessage(&copy);
		return true;
	}

	// The built-in shortcuts that need no message of their own: Ctrl+Q asks the
	// application to quit, Ctrl+W closes a closable window.
	if (held == B_COMMAND_KEY && key == 'q') {
		be_app_messenger.SendMessage(B_QUIT_REQUESTED);
		return true;
	}
	if (held == B_COMMAND_KEY && key == 'w' && (fFlags & B_NOT_CLOSABLE) == 0) {
		PostMessage(B_QUIT_REQUESTED);
		return true;
	}
	return false;
}


void
BWindow::_HandleActivated(BMessage* message)
{
	bool active = false;
	message->FindBool("active", &active);
	if (active == fActive)
		return;
	fActive = active;
	WindowActivated(active);

	std::vector<BView*> views;
	std::vector<BView*> pending(1, fTopView);
	while (!pending.empty()) {
		BView* view = pending.back();
		pending.pop_back();
		for (int32 i = view->CountChildren() - 1; i >= 0; i--) {
			views.push_back(view->ChildAt(i));
			pending.push_back(view->ChildAt(i));
		}
	}
	for (BView* view : views) {
		if (ContainsView(fTopView, view))
			view->WindowActivated(active);
	}
}


void
BWindow::_HandleServerResize(BMessage* message)
{
	float width = 0;
	float height = 0;
	message->FindFloat("width", &width);
	message->FindFloat("height", &height);
	if (message->HasBool(BPrivate::kFromServerField))
		_ResizeTopView(width, height);
	FrameResized(width, height);
}


static void
PulseViews(BView* view)
{
	for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
		if ((child->Flags() & B_PULSE_NEEDED) != 0 && !child->IsHidden())
			child->Pulse();
		PulseViews(child);
	}
}


void
BWindow::_HandlePulse()
{
	PulseViews(fTopView);
}


// #pragma mark - hooks


void
BWindow::FrameMoved(BPoint newPosition)
{
}


void
BWindow::FrameResized(float newWidth, float newHeight)
{
}


void
BWindow::WorkspacesChanged(uint32 oldWorkspaces, uint32 newWorkspaces)
{
}


void
BWindow::WindowActivated(bool active)
{
}


void
BWindow::ScreenChanged(BRect screenSize, color_space depth)
{
}


void
BWindow::MenusBeginning()
{
}


void
BWindow::MenusEnded()
{
}


void
BWindow::Zoom(BPoint origin, float width, float height)
{
	MoveTo(origin);
	ResizeTo(width, height);
}


void
BWindow::Zoom()
{
	if (fZoomed) {
		fZoomed = false;
		Zoom(fPreZoomFrame.LeftTop(), fPreZoomFrame.Width(), fPreZoomFrame.Height());
		return;
	}
	BRect screen = DisplayServer::Default()->ScreenFrame();
	float width = std::min(std::min(screen.Width(), fMaxZoomWidth), fMaxWidth);
	float height = std::min(std::min(screen.Height(), fMaxZoomHeight), fMaxHeight);
	fPreZoomFrame = Frame();
	fZoomed = true;
	Zoom(screen.LeftTop(), width, height);
}


void
BWindow::Minimize(bool minimize)
{
	fMinimized = minimize;
	if (fServerWindow != NULL)
		fServerWindow->Minimize(minimize);
}


// #pragma mark - visibility


void
BWindow::Show()
{
	bool locked = Lock();
	fShowLevel--;
	if (fShowLevel == 0) {
		_LayoutChanged();
		_Invalidate(Bounds());
		fServerWindow->Show();
	}
	bool needsRun = Thread() < 0;
	if (needsRun) {
		// Run gives up the lock the creator holds; ours goes first.
		if (locked)
			Unlock();
		Run();
		return;
	}
	if (locked)
		Unlock();
}


void
BWindow::Hide()
{
	bool locked = Lock();
	fShowLevel++;
	if (fShowLevel == 1)
		fServerWindow->Hide();
	if (locked)
		Unlock();
}


bool
BWindow::IsHidden() const
{
	return fShowLevel > 0;
}


bool
BWindow::IsMinimized() const
{
	return fMinimized;
}


void
BWindow::Activate(bool active)
{
	if (fServerWindow != NULL)
		fServerWindow->Activate(active);
}


bool
BWindow::IsActive() const
{
	return fActive;
}


void
BWindow::SetPulseRate(bigtime_t rate)
{
	if (rate < 0)
		rate = 0;
	fPulseRate = rate;
	delete fPulseRunner;
	fPulseRunner = NULL;
	_UpdatePulse();
}


bigtime_t
BWindow::PulseRate() const
{
	return fPulseRate;
}


static bool
NeedsPulse(const BView* view)
{
	for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
		if ((child->Flags() & B_PULSE_NEEDED) != 0 || NeedsPulse(child))
			return true;
	}
	return false;
}


void
BWindow::_UpdatePulse()
{
	bool needed = fPulseRate > 0 && fTopView != NULL && NeedsPulse(fTopView);
	if (needed && fPulseRunner == NULL) {
		BMessage pulse(B_PULSE);
		fPulseRunner = new BMessageRunner(BMessenger(this), &pulse, fPulseRate);
	} else if (!needed && fPulseRunner != NULL) {
		delete fPulseRunner;
		fPulseRunner = NULL;
	}
}


// #pragma mark - views


void
BWindow::AddChild(BView* child, BView* before)
{
	fTopView->AddChild(child, before);
}


bool
BWindow::RemoveChild(BView* child)
{
	return fTopView->RemoveChild(child);
}


int32
BWindow::CountChildren() const
{
	return fTopView->CountChildren();
}


BView*
BWindow::ChildAt(int32 index) const
{
	return fTopView->ChildAt(index);
}


BView*
BWindow::FindView(const char* name) const
{
	return fTopView->FindView(name);
}


static BView*
DeepestViewAt(BView* view, BPoint point)
{
	// Later children lie on top of earlier ones.
	for (int32 i = view->CountChildren() - 1; i >= 0; i--) {
		BView* child = view->ChildAt(i);
		if (child->IsHidden(view))
			continue;
		BPoint local = child->ConvertFromParent(point);
		if (!child->Bounds().Contains(local))
			continue;
		BView* deeper = DeepestViewAt(child, local);
		return deeper != NULL ? deeper : child;
	}
	return NULL;
}


BView*
BWindow::FindView(BPoint point) const
{
	if (!Bounds().Contains(point))
		return NULL;
	return DeepestViewAt(fTopView, point);
}


BView*
BWindow::CurrentFocus() const
{
	return fFocus;
}


void
BWindow::SetDefaultButton(BView* button)
{
	if (button != NULL && button->fWindow != this)
		return;
	BView* previous = fDefaultButton;
	fDefaultButton = button;
	if (previous != NULL && previous != button)
		previous->Invalidate();
	if (button != NULL)
		button->Invalidate();
}


BView*
BWindow::DefaultButton() const
{
	return fDefaultButton;
}


void
BWindow::SetKeyMenuBar(BView* menuBar)
{
	fKeyMenuBar = menuBar;
}


BView*
BWindow::KeyMenuBar() const
{
	return fKeyMenuBar;
}


static void
CollectNavigable(BView* view, std::vector<BView*>& views)
{
	for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
		if (child->IsHidden(view))
			continue;
		if ((child->Flags() & B_NAVIGABLE) != 0)
			views.push_back(child);
		CollectNavigable(child, views);
	}
}


void
BWindow::_KeyboardNavigation(bool backwards)
{
	std::vector<BView*> views;
	CollectNavigable(fTopView, views);
	if (views.empty())
		return;
	int32 count = (int32)views.size();
	int32 current = -1;
	for (int32 i = 0; i < count; i++) {
		if (views[i] == fFocus)
			current = i;
	}
	int32 next;
	if (current < 0)
		next = backwards ? count - 1 : 0;
	else
		next = (current + (backwards ? count - 1 : 1)) % count;
	views[next]->MakeFocus(true);
}


void
BWindow::_ViewAttached(BView* view)
{
	AddHandler(view);
	BView* parent = view->Parent();
	view->SetNextHandler(parent != NULL ? (BHandler*)parent : (BHandler*)this);
	_LayoutChanged();
	if ((view->Flags() & B_PULSE_NEEDED) != 0)
		_UpdatePulse();
}


void
BWindow::_ViewDetached(BView* view)
{
	if (fFocus == view)
		fFocus = NULL;
	if (fDefaultButton == view)
		fDefaultButton = NULL;
	if (fKeyMenuBar == view)
		fKeyMenuBar = NULL;
	if (fLastMouseView == view)
		fLastMouseView = NULL;
	if (fMouseCapture == view)
		fMouseCapture = NULL;
	for (std::vector<Shortcut>::iterator i = fShortcuts.begin(); i != fShortcuts.end();) {
		if (i->target == view) {
			delete i->message;
			i = fShortcuts.erase(i);
		} else
			++i;
	}
	RemoveHandler(view);
	_LayoutChanged();
}


// #pragma mark - shortcuts


void
BWindow::_AddDefaultShortcuts()
{
	static const struct {
		uint32	key;
		uint32	what;
	} kDefaults[] = {
		{ 'x', B_CUT },
		{ 'c', B_COPY },
		{ 'v', B_PASTE },
		{ 'a', B_SELECT_ALL }
	};
	for (const auto& entry : kDefaults) {
		Shortcut shortcut = { entry.key, B_COMMAND_KEY, new BMessage(entry.what), NULL, true };
		fShortcuts.push_back(shortcut);
	}
}


BWindow::Shortcut*
BWindow::_FindShortcut(uint32 key, uint32 modifiers)
{
	key = NormalizedKey(key);
	modifiers = (modifiers | B_COMMAND_KEY) & kShortcutModifiers;
	for (Shortcut& shortcut : fShortcuts) {
		if (shortcut.key == key && shortcut.modifiers == modifiers)
			return &shortcut;
	}
	return NULL;
}


void
BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target)
{
	if (message == NULL)
		return;
	RemoveShortcut(key, modifiers);
	Shortcut shortcut = { NormalizedKey(key), (modifiers | B_COMMAND_KEY) & kShortcutModifiers,
		message, target, false };
	fShortcuts.push_back(shortcut);
}


void
BWindow::RemoveShortcut(uint32 key, uint32 modifiers)
{
	Shortcut* shortcut = _FindShortcut(key, modifiers);
	if (shortcut == NULL)
		return;
	delete shortcut->message;
	fShortcuts.erase(fShortcuts.begin() + (shortcut - fShortcuts.data()));
}


bool
BWindow::HasShortcut(uint32 key, uint32 modifiers)
{
	return _FindShortcut(key, modifiers) != NULL;
}


// #pragma mark - geometry


BRect
BWindow::Frame() const
{
	BPoint leftTop = fServerWindow != NULL ? fServerWindow->Frame().LeftTop() : BPoint();
	BRect bounds = Bounds();
	return BRect(leftTop.x, leftTop.y, leftTop.x + bounds.Width(),
		leftTop.y + bounds.Height());
}


BRect
BWindow::Bounds() const
{
	BRect frame = fTopView->Frame();
	return BRect(0, 0, frame.Width(), frame.Height());
}


void
BWindow::MoveBy(float dx, float dy)
{
	BRect frame = Frame();
	MoveTo(frame.left + dx, frame.top + dy);
}


void
BWindow::MoveTo(BPoint where)
{
	MoveTo(where.x, where.y);
}


void
BWindow::MoveTo(float x, float y)
{
	if (!std::isfinite(x) || !std::isfinite(y))
		return;
	x = std::round(x);
	y = std::round(y);
	if (Frame().LeftTop() == BPoint(x, y))
		return;
	fServerWindow->MoveTo(BPoint(x, y));
	BMessage moved(B_WINDOW_MOVED);
	moved.AddInt64("when", system_time());
	moved.AddPoint("where", BPoint(x, y));
	PostMessage(&moved);
}


void
BWindow::ResizeBy(float dx, float dy)
{
	BRect bounds = Bounds();
	ResizeTo(bounds.Width() + dx, bounds.Height() + dy);
}


void
BWindow::ResizeTo(float width, float height)
{
	if (!std::isfinite(width) || !std::isfinite(height))
		return;
	width = std::round(std::max(fMinWidth, std::min(fMaxWidth, width)));
	height = std::round(std::max(fMinHeight, std::min(fMaxHeight, height)));
	width = std::max(0.0f, std::min(kMaxWindowExtent, width));
	height = std::max(0.0f, std::min(kMaxWindowExtent, height));
	BRect bounds = Bounds();
	if (bounds.Width() == width && bounds.Height() == height)
		return;
	fServerWindow->ResizeTo(width, height);
	_ResizeTopView(width, height);
	BMessage resized(B_WINDOW_RESIZED);
	resized.AddInt64("when", system_time());
	resized.AddFloat("width", width);
	resized.AddFloat("height", height);
	PostMessage(&resized);
}


void
BWindow::_ResizeTopView(float width, float height)
{
	BRect frame = fTopView->fFrame;
	float dx = width - frame.Width();
	float dy = height - frame.Height();
	if (dx == 0 && dy == 0)
		return;
	fTopView->fFrame = BRect(0, 0, width, height);
	for (int32 i = 0; BView* child = fTopView->ChildAt(i); i++)
		child->_ParentResized(dx, dy);
	_LayoutChanged();
	_Invalidate(Bounds());
}


void
BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	if (!(minWidth <= maxWidth) || !(minHeight <= maxHeight))
		return;
	fMinWidth = std::max(0.0f, minWidth);
	fMaxWidth = std::min(kMaxWindowExtent, maxWidth);
	fMinHeight = std::max(0.0f, minHeight);
	fMaxHeight = std::min(kMaxWindowExtent, maxHeight);
}


void
BWindow::GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
	float* maxHeight)
{
	if (minWidth != NULL)
		*minWidth = fMinWidth;
	if (maxWidth != NULL)
		*maxWidth = fMaxWidth;
	if (minHeight != NULL)
		*minHeight = fMinHeight;
	if (maxHeight != NULL)
		*maxHeight = fMaxHeight;
}


void
BWindow::SetZoomLimits(float maxWidth, float maxHeight)
{
	if (maxWidth > 0)
		fMaxZoomWidth = maxWidth;
	if (maxHeight > 0)
		fMaxZoomHeight = maxHeight;
}


void
BWindow::ConvertToScreen(BPoint* point) const
{
	if (point != NULL)
		*point = ConvertToScreen(*point);
}


BPoint
BWindow::ConvertToScreen(BPoint point) const
{
	return point + Frame().LeftTop();
}


void
BWindow::ConvertFromScreen(BPoint* point) const
{
	if (point != NULL)
		*point = ConvertFromScreen(*point);
}


BPoint
BWindow::ConvertFromScreen(BPoint point) const
{
	return point - Frame().LeftTop();
}


void
BWindow::ConvertToScreen(BRect* rect) const
{
	if (rect != NULL)
		*rect = ConvertToScreen(*rect);
}


BRect
BWindow::ConvertToScreen(BRect rect) const
{
	return rect.OffsetByCopy(Frame().LeftTop());
}


void
BWindow::ConvertFromScreen(BRect* rect) const
{
	if (rect != NULL)
		*rect = ConvertFromScreen(*rect);
}


BRect
BWindow::ConvertFromScreen(BRect rect) const
{
	BPoint leftTop = Frame().LeftTop();
	return rect.OffsetByCopy(-leftTop.x, -leftTop.y);
}


// #pragma mark - attributes


void
BWindow::SetTitle(const char* title)
{
	fTitle = title != NULL ? title : "";
	SetName(fTitle.c_str());
	fServerWindow->SetTitle(fTitle.c_str());
	if (Thread() >= 0) {
		std::string name = "w>" + fTitle;
		rename_thread(Thread(), name.c_str());
	}
}


const char*
BWindow::Title() const
{
	return fTitle.c_str();
}


status_t
BWindow::SetLook(window_look look)
{
	fLook = look;
	fServerWindow->SetLook(look);
	return B_OK;
}


window_look
BWindow::Look() const
{
	return fLook;
}


status_t
BWindow::SetFeel(window_feel feel)
{
	fFeel = feel;
	fServerWindow->SetFeel(feel);
	return B_OK;
}


window_feel
BWindow::Feel() const
{
	return fFeel;
}


status_t
BWindow::SetFlags(uint32 flags)
{
	fFlags = flags;
	fServerWindow->SetFlags(flags);
	return B_OK;
}


uint32
BWindow::Flags() const
{
	return fFlags;
}


status_t
BWindow::SetType(window_type type)
{
	window_look look;
	window_feel feel;
	LookAndFeelForType(type, &look, &feel);
	SetLook(look);
	SetFeel(feel);
	return B_OK;
}


window_type
BWindow::Type() const
{
	static const window_type kTypes[] = { B_TITLED_WINDOW, B_MODAL_WINDOW,
		B_DOCUMENT_WINDOW, B_BORDERED_WINDOW, B_FLOATING_WINDOW };
	for (window_type type : kTypes) {
		window_look look;
		window_feel feel;
		LookAndFeelForType(type, &look, &feel);
		if (look == fLook && feel == fFeel)
			return type;
	}
	return B_UNTYPED_WINDOW;
}


void
BWindow::SetWorkspaces(uint32 workspaces)
{
	uint32 old = fWorkspaces;
	fWorkspaces = workspaces;
	fServerWindow->SetWorkspaces(workspaces);
	if (old != workspaces)
		WorkspacesChanged(old, workspaces);
}


uint32
BWindow::Workspaces() const
{
	return fWorkspaces;
}


// #pragma mark - drawing


void
BWindow::_LayoutChanged()
{
	fLayoutGeneration++;
	if (fLayoutGeneration == 0)
		fLayoutGeneration = 1;
}


void
BWindow::_Invalidate(BRect windowRect)
{
	if (!windowRect.IsValid())
		return;
	BRegion area(windowRect & Bounds());
	_InvalidateRegion(area);
}


void
BWindow::_InvalidateRegion(const BRegion& windowRegion)
{
	if (windowRegion.CountRects() == 0)
		return;
	fDirty.Include(&windowRegion);
	_RequestUpdate();
}


void
BWindow::_RequestUpdate()
{
	if (fUpdatesDisabled > 0 || fUpdateRequested.exchange(true))
		return;
	BMessage update(kUpdateMessage);
	PostMessage(&update);
}


void
BWindow::_UpdatePass()
{
	fUpdateRequested = false;
	if (fUpdatesDisabled > 0 || fInUpdate || fDirty.CountRects() == 0)
		return;
	BRegion dirty = fDirty;
	fDirty.MakeEmpty();
	fInUpdate = true;
	_DrawView(fTopView, dirty);
	fInUpdate = false;
}


void
BWindow::_DrawView(BView* view, const BRegion& dirty)
{
	if (view->fHideLevel > 0)
		return;

	BRegion clip;
	if (view == fTopView) {
		clip.Set(Bounds());
		for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
			if (child->fHideLevel == 0 && child->fFrame.IsValid())
				clip.Exclude(child->_FrameInWindow());
		}
	} else
		view->_VisibleRegion(&clip, false);
	clip.IntersectWith(&dirty);

	if (clip.CountRects() > 0) {
		if (view->fViewColor != B_TRANSPARENT_COLOR && fServerWindow != NULL) {
			fServerWindow->LockBits();
			uint32* bits = fServerWindow->Bits();
			if (bits != NULL && fPainter->Attach(bits, fServerWindow->Width(),
					fServerWindow->Height(), fServerWindow->BytesPerRow()) == B_OK) {
				fPainter->SetClipping(&clip);
				fPainter->SetHighColor(view->fViewColor);
				fPainter->SetDrawingMode(B_OP_COPY);
				fPainter->FillRect(clip.Frame(), B_SOLID_HIGH);
				fPainter->Detach();
			}
			fServerWindow->UnlockBits();
			_DrawingDone(clip.Frame());
		}
		if ((view->fFlags & B_WILL_DRAW) != 0 && view != fTopView) {
			view->fUpdateClip = &clip;
			view->Draw(clip.Frame().OffsetByCopy(-view->_Offset().x, -view->_Offset().y));
			if (ContainsView(fTopView, view))
				view->fUpdateClip = NULL;
			else
				return;
		}
	}

	for (size_t i = 0; i < view->fChildren.size(); i++)
		_DrawView(view->fChildren[i], dirty);

	if ((view->fFlags & (B_WILL_DRAW | B_DRAW_ON_CHILDREN))
			== (B_WILL_DRAW | B_DRAW_ON_CHILDREN) && view != fTopView) {
		BRegion all;
		view->_VisibleRegion(&all, true);
		all.IntersectWith(&dirty);
		if (all.CountRects() > 0) {
			view->fUpdateClip = &all;
			view->DrawAfterChildren(all.Frame().OffsetByCopy(-view->_Offset().x,
				-view->_Offset().y));
			if (ContainsView(fTopView, view))
				view->fUpdateClip = NULL;
		}
	}
}


void
BWindow::_DrawingDone(BRect windowRect)
{
	if (!windowRect.IsValid())
		return;
	fPendingPresent = fPendingPresent.IsValid() ? (fPendingPresent | windowRect) : windowRect;
	// Drawing from another thread reaches the screen when the window's loop next runs.
	if (!_OnOwnThread())
		_RequestUpdate();
}


void
BWindow::_Present() const
{
	if (!fPendingPresent.IsValid() || fServerWindow == NULL)
		return;
	fServerWindow->Present(fPendingPresent);
	fPendingPresent = BRect();
}


void
BWindow::UpdateIfNeeded()
{
	if (!_OnOwnThread())
		return;
	_UpdatePass();
	_Present();
}


void
BWindow::Flush() const
{
	_Present();
}


void
BWindow::Sync() const
{
	_Present();
	if (DisplayServer::Default() != NULL)
		DisplayServer::Default()->RunSynchronously([]() {});
}


void
BWindow::DisableUpdates()
{
	fUpdatesDisabled++;
}


void
BWindow::EnableUpdates()
{
	if (fUpdatesDisabled <= 0)
		return;
	fUpdatesDisabled--;
	if (fUpdatesDisabled == 0 && fDirty.CountRects() > 0)
		_RequestUpdate();
}


bool
BWindow::NeedsUpdate() const
{
	return fDirty.CountRects() > 0;
}


// #pragma mark - private access


namespace BPrivate {


ServerWindow*
WindowAccess::ServerWindowOf(const BWindow* window)
{
	return window != NULL ? window->fServerWindow : NULL;
}


bool
WindowAccess::HasPendingUpdate(const BWindow* window)
{
	return window != NULL && window->fDirty.CountRects() > 0;
}


void
SetKeyMenuBarHook(KeyMenuBarHook hook)
{
	sKeyMenuBarHook = hook;
}


}	// namespace BPrivate
