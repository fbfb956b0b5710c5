#include "server/DisplayServer.h"

#include "app/ClipboardHooks.h"
#include "server/DisplayBackend.h"
#include "server/HeadlessBackend.h"
#include "server/SDLBackend.h"
#include "server/ServerWindowListener.h"

#include <Window.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <future>
#include <shared_mutex>
#include <time.h>

namespace BPrivate {

static std::mutex sStartLock;
static DisplayServer* sServer = NULL;
static bool sStartFailed = false;
static std::string sStartError;
// The clipboard hooks hold this shared while they use the server; Stop takes it alone
// before the server goes.
static std::shared_mutex sUseLock;


// The server stamps events with the monotonic clock, which is also system_time()'s.
static bigtime_t
now_usecs()
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}


// The Application Kit's system clipboard reads and writes the desktop's through these.
static bool
read_system_clipboard(std::string* text)
{
	std::shared_lock<std::shared_mutex> use(sUseLock);
	DisplayServer* server;
	{
		std::lock_guard<std::mutex> locker(sStartLock);
		server = sServer;
	}
	if (server == NULL || server->GetClipboardText(*text) != B_OK)
		return false;
	return !text->empty();
}


static void
write_system_clipboard(const char* text, size_t length)
{
	std::shared_lock<std::shared_mutex> use(sUseLock);
	DisplayServer* server;
	{
		std::lock_guard<std::mutex> locker(sStartLock);
		server = sServer;
	}
	if (server != NULL)
		server->SetClipboardText(std::string(text, length));
}


DisplayServer::DisplayServer()
	:
	fNextID(1),
	fActiveID(0),
	fHoverID(0),
	fCaptureID(0),
	fLastButtons(0),
	fLastClickWindow(0),
	fLastClickButtons(0),
	fLastClickTime(0),
	fClickCount(0),
	fInsideCapture(false),
	fButtons(0),
	fModifiers(0),
	fQuitting(false),
	fDisplayListener(NULL)
{
}


DisplayServer::~DisplayServer()
{
}


status_t
DisplayServer::Start(std::string* error)
{
	std::lock_guard<std::mutex> locker(sStartLock);
	if (sServer != NULL)
		return B_OK;
	if (sStartFailed) {
		if (error != NULL)
			*error = sStartError;
		return B_ERROR;
	}

	DisplayServer* server = new DisplayServer;
	std::string message;
	status_t status = server->_Run(message);
	if (status != B_OK) {
		delete server;
		sStartFailed = true;
		sStartError = message;
		if (error != NULL)
			*error = message;
		return status;
	}
	sServer = server;
	SetSystemClipboardHooks(read_system_clipboard, write_system_clipboard);
	return B_OK;
}


DisplayServer*
DisplayServer::Default()
{
	{
		std::lock_guard<std::mutex> locker(sStartLock);
		if (sServer != NULL)
			return sServer;
	}
	if (Start() != B_OK)
		return NULL;
	std::lock_guard<std::mutex> locker(sStartLock);
	return sServer;
}


void
DisplayServer::Stop()
{
	DisplayServer* server;
	{
		std::lock_guard<std::mutex> locker(sStartLock);
		server = sServer;
		sServer = NULL;
		sStartFailed = false;
		sStartError.clear();
	}
	if (server == NULL)
		return;
	SetSystemClipboardHooks(NULL, NULL);
	{
		std::unique_lock<std::shared_mutex> use(sUseLock);
	}
	server->_Quit();
	delete server;
}


status_t
DisplayServer::_Run(std::string& error)
{
	const char* name = getenv("QUORREL_BACKEND");
	if (name != NULL && strcmp(name, "headless") == 0)
		fBackend.reset(new HeadlessBackend);
	else if (name == NULL || name[0] == '\0' || strcmp(name, "sdl") == 0)
		fBackend.reset(new SDLBackend);
	else {
		error = std::string("unknown display backend \"") + name
			+ "\" in QUORREL_BACKEND (use \"sdl\" or \"headless\")";
		return B_BAD_VALUE;
	}

	std::promise<status_t> started;
	std::future<status_t> result = started.get_future();
	std::string initError;
	fThread = std::thread([this, &started, &initError]() {
		fThreadID = std::this_thread::get_id();
		status_t status = fBackend->Init(this, initError);
		if (status == B_OK)
			fScreenFrame = fBackend->ScreenFrame();
		started.set_value(status);
		if (status != B_OK)
			return;
		_Loop();
	});

	status_t status = result.get();
	if (status != B_OK) {
		fThread.join();
		error = initError;
	}
	return status;
}


void
DisplayServer::_Loop()
{
	while (true) {
		_RunCommands();
		{
			std::lock_guard<std::mutex> locker(fQueueLock);
			if (fQuitting && fQueue.empty())
				break;
		}
		fBackend->WaitForEvents();
	}

	// Whatever windows are left go without a word to their listeners.
	std::vector<ServerWindow*> windows;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		windows.swap(fWindows);
		fActiveID = 0;
	}
	for (ServerWindow* window : windows) {
		fBackend->WindowDestroyed(window);
		delete window;
	}
	fBackend->Shutdown();
}


void
DisplayServer::_Quit()
{
	{
		std::lock_guard<std::mutex> locker(fQueueLock);
		fQuitting = true;
	}
	fBackend->Wake();
	if (fThread.joinable())
		fThread.join();
}


void
DisplayServer::_RunCommands()
{
	while (true) {
		std::deque<std::function<void()> > commands;
		{
			std::lock_guard<std::mutex> locker(fQueueLock);
			commands.swap(fQueue);
		}
		if (commands.empty())
			return;
		for (std::function<void()>& command : commands)
			command();
	}
}


bool
DisplayServer::_OnServerThread() const
{
	return std::this_thread::get_id() == fThreadID;
}


void
DisplayServer::RunAsynchronously(std::function<void()> function)
{
	{
		std::lock_guard<std::mutex> locker(fQueueLock);
		fQueue.push_back(std::move(function));
	}
	fBackend->Wake();
}


void
DisplayServer::RunSynchronously(const std::function<void()>& function)
{
	if (_OnServerThread()) {
		function();
		return;
	}

	std::mutex lock;
	std::condition_variable condition;
	bool done = false;
	RunAsynchronously([&]() {
		function();
		std::lock_guard<std::mutex> locker(lock);
		done = true;
		condition.notify_one();
	});
	std::unique_lock<std::mutex> locker(lock);
	condition.wait(locker, [&]() { return done; });
}


const char*
DisplayServer::BackendName() const
{
	return fBackend->Name();
}


bool
DisplayServer::IsHeadless() const
{
	return strcmp(fBackend->Name(), "headless") == 0;
}


BRect
DisplayServer::ScreenFrame() const
{
	return fScreenFrame;
}


void
DisplayServer::GetMouse(BPoint* screenWhere, uint32* buttons) const
{
	std::lock_guard<std::mutex> locker(fPointerLock);
	if (screenWhere != NULL)
		*screenWhere = fPointer;
	if (buttons != NULL)
		*buttons = fButtons;
}


uint32
DisplayServer::Modifiers() const
{
	std::lock_guard<std::mutex> locker(fPointerLock);
	return fModifiers;
}


ServerWindow*
DisplayServer::CreateWindow(const ServerWindowSettings& settings,
	ServerWindowListener* listener)
{
	ServerWindow* window;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		window = new ServerWindow(this, fNextID++, settings, listener);
		fWindows.push_back(window);
		_Raise(window);
	}
	RunSynchronously([this, window]() { fBackend->WindowCreated(window); });
	return window;
}


void
DisplayServer::DestroyWindow(ServerWindow* window)
{
	if (window == NULL)
		return;

	RunSynchronously([this, window]() {
		int32 id = window->ID();
		bool wasActive;
		{
			std::lock_guard<std::mutex> locker(fStateLock);
			_Unlink(window);
			wasActive = fActiveID == id;
			if (wasActive)
				fActiveID = 0;
		}
		if (fHoverID == id)
			fHoverID = 0;
		if (fCaptureID == id) {
			fCaptureID = 0;
			fBackend->SetPointerCapture(false);
		}
		if (fLastClickWindow == id)
			fLastClickWindow = 0;
		fBackend->WindowDestroyed(window);
		delete window;
		if (wasActive)
			_ActivateFrontmost();
	});
}


std::vector<int32>
DisplayServer::WindowOrder() const
{
	std::lock_guard<std::mutex> locker(fStateLock);
	std::vector<int32> order;
	for (ServerWindow* window : fWindows)
		order.push_back(window->fID);
	return order;
}


int32
DisplayServer::WindowIDAt(BPoint where) const
{
	std::lock_guard<std::mutex> locker(fStateLock);
	for (ServerWindow* window : fWindows) {
		if (window->fHidden || window->fMinimized)
			continue;
		if (window->fFrame.Contains(where))
			return window->fID;
	}
	return 0;
}


int32
DisplayServer::ActiveWindowID() const
{
	std::lock_guard<std::mutex> locker(fStateLock);
	return fActiveID;
}


ServerWindow*
DisplayServer::WindowForID(int32 id) const
{
	if (id == 0)
		return NULL;
	std::lock_guard<std::mutex> locker(fStateLock);
	for (ServerWindow* window : fWindows) {
		if (window->fID == id)
			return window;
	}
	return NULL;
}


status_t
DisplayServer::GetClipboardText(std::string& text)
{
	status_t status = B_ERROR;
	RunSynchronously([&]() { status = fBackend->GetClipboardText(text); });
	return status;
}


status_t
DisplayServer::SetClipboardText(const std::string& text)
{
	status_t status = B_ERROR;
	RunSynchronously([&]() { status = fBackend->SetClipboardText(text); });
	return status;
}


void
DisplayServer::SetDisplayListener(DisplayListener* listener)
{
	std::lock_guard<std::mutex> locker(fListenerLock);
	fDisplayListener = listener;
}


// #pragma mark - stacking and focus


int32
DisplayServer::_Tier(const ServerWindow* window) const
{
	switch (window->fFeel) {
		case B_FLOATING_SUBSET_WINDOW_FEEL:
		case B_FLOATING_APP_WINDOW_FEEL:
			return 1;
		case B_MODAL_SUBSET_WINDOW_FEEL:
		case B_MODAL_APP_WINDOW_FEEL:
			return 2;
		case B_MODAL_ALL_WINDOW_FEEL:
			return 3;
		case B_FLOATING_ALL_WINDOW_FEEL:
			return 4;
		default:
			return 0;
	}
}


// Puts the window in front of the others of its tier. fStateLock is held.
void
DisplayServer::_Raise(ServerWindow* window)
{
	_Unlink(window);
	int32 tier = _Tier(window);
	auto position = std::find_if(fWindows.begin(), fWindows.end(),
		[&](ServerWindow* other) { return _Tier(other) <= tier; });
	fWindows.insert(position, window);
}


void
DisplayServer::_Unlink(ServerWindow* window)
{
	fWindows.erase(std::remove(fWindows.begin(), fWindows.end(), window), fWindows.end());
}


// Server thread.
void
DisplayServer::_SetActive(int32 windowID)
{
	int32 previous;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		previous = fActiveID;
		if (previous == windowID)
			return;
		fActiveID = windowID;
	}
	if (previous != 0) {
		ServerEvent event;
		event.type = kServerWindowActivated;
		event.when = now_usecs();
		event.active = false;
		_Send(previous, event);
	}
	if (windowID != 0) {
		ServerEvent event;
		event.type = kServerWindowActivated;
		event.when = now_usecs();
		event.active = true;
		_Send(windowID, event);
	}
}


// After the active window went: the frontmost normal window takes the focus, or else
// the frontmost window that may take it at all.
// The shown modal window that keeps presses away from the window target, or 0. Modal
// windows block every window below their own tier except the floating-all ones (tool
// tips); a subset is taken to be the whole application.
int32
DisplayServer::_BlockingModal(int32 target) const
{
	std::lock_guard<std::mutex> locker(fStateLock);
	const ServerWindow* targetWindow = NULL;
	for (ServerWindow* window : fWindows) {
		if (window->fID == target)
			targetWindow = window;
	}
	if (targetWindow == NULL)
		return 0;
	int32 targetTier = _Tier(targetWindow);
	if (targetTier == 4)
		return 0;
	for (ServerWindow* window : fWindows) {
		int32 tier = _Tier(window);
		if ((tier == 2 || tier == 3) && tier > targetTier && !window->fHidden
			&& !window->fMinimized)
			return window->fID;
	}
	return 0;
}


void
DisplayServer::_ActivateFrontmost()
{
	int32 next = 0;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		for (int32 pass = 0; pass < 2 && next == 0; pass++) {
			for (ServerWindow* window : fWindows) {
				if (window->fHidden || window->fMinimized
					|| (window->fFlags & B_AVOID_FOCUS) != 0
					|| (pass == 0 && _Tier(window) != 0))
					continue;
				next = window->fID;
				break;
			}
		}
	}
	_SetActive(next);
}


// Server thread: what ServerWindow's setters leave to the server.
void
DisplayServer::_WindowChanged(ServerWindow* window, uint32 changes)
{
	int32 id = window->ID();
	RunAsynchronously([this, id, changes]() {
		ServerWindow* window = WindowForID(id);
		if (window == NULL)
			return;
		fBackend->WindowChanged(window, changes);

		bool hidden;
		bool minimized;
		bool avoidFocus;
		{
			std::lock_guard<std::mutex> locker(fStateLock);
			hidden = window->fHidden;
			minimized = window->fMinimized;
			avoidFocus = (window->fFlags & B_AVOID_FOCUS) != 0;
		}
		if ((changes & (kWindowChangedVisibility | kWindowChangedMinimized)) != 0) {
			if (hidden || minimized) {
				if (fHoverID == id)
					fHoverID = 0;
				if (fCaptureID == id) {
					fCaptureID = 0;
					fBackend->SetPointerCapture(false);
				}
				if (ActiveWindowID() == id)
					_ActivateFrontmost();
			} else if (!avoidFocus)
				_SetActive(id);
		}
		if ((changes & kWindowChangedFlags) != 0 && avoidFocus && ActiveWindowID() == id)
			_ActivateFrontmost();
	});
}


void
DisplayServer::_Activate(ServerWindow* window, bool active)
{
	int32 id = window->ID();
	RunAsynchronously([this, id, active]() {
		ServerWindow* window = WindowForID(id);
		if (window == NULL)
			return;
		if (!active) {
			if (ActiveWindowID() == id)
				_SetActive(0);
			return;
		}
		bool mayFocus;
		{
			std::lock_guard<std::mutex> locker(fStateLock);
			_Raise(window);
			mayFocus = (window->fFlags & B_AVOID_FOCUS) == 0 && !window->fHidden
				&& !window->fMinimized;
		}
		fBackend->WindowChanged(window, kWindowChangedOrder);
		if (mayFocus)
			_SetActive(id);
	});
}


void
DisplayServer::_QueuePresent(ServerWindow* window)
{
	int32 id = window->ID();
	RunAsynchronously([this, id]() {
		ServerWindow* window = WindowForID(id);
		if (window == NULL)
			return;
		BRect dirty;
		{
			std::lock_guard<std::mutex> locker(fStateLock);
			dirty = window->fPendingDirty;
			window->fPendingDirty = BRect();
			window->fPresentQueued = false;
		}
		window->LockBits();
		BRect bounds(0, 0, window->fWidth - 1, window->fHeight - 1);
		window->UnlockBits();
		dirty = dirty & bounds;
		if (dirty.IsValid())
			fBackend->WindowPresent(window, dirty);
	});
}


// #pragma mark - input


void
DisplayServer::_Send(int32 windowID, ServerEvent& event)
{
	ServerWindow* window = WindowForID(windowID);
	if (window == NULL || window->fListener == NULL)
		return;
	window->fListener->EventReceived(window, event);
}


ServerEvent
DisplayServer::_MouseEvent(int32 type, ServerWindow* window) const
{
	ServerEvent event;
	event.type = type;
	event.when = now_usecs();
	{
		std::lock_guard<std::mutex> locker(fPointerLock);
		event.screenWhere = fPointer;
		event.buttons = fButtons;
		event.modifiers = fModifiers;
	}
	BPoint leftTop;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		leftTop = window->fFrame.LeftTop();
	}
	event.where = event.screenWhere - leftTop;
	return event;
}


void
DisplayServer::_SendMoved(int32 windowID, int32 transit)
{
	ServerWindow* window = WindowForID(windowID);
	if (window == NULL)
		return;
	ServerEvent event = _MouseEvent(kServerMouseMoved, window);
	event.transit = transit;
	_Send(windowID, event);
}


// Moves the "pointer is over" mark to windowID, telling the windows it leaves and enters.
void
DisplayServer::_UpdateHover(int32 windowID)
{
	if (windowID != fHoverID) {
		int32 previous = fHoverID;
		fHoverID = windowID;
		if (previous != 0)
			_SendMoved(previous, kTransitExited);
		if (windowID != 0)
			_SendMoved(windowID, kTransitEntered);
	} else if (windowID != 0)
		_SendMoved(windowID, kTransitInside);
}


void
DisplayServer::HandlePointerMoved(BPoint screenWhere, int32 windowID)
{
	{
		std::lock_guard<std::mutex> locker(fPointerLock);
		fPointer = screenWhere;
	}

	if (fCaptureID != 0 && WindowForID(fCaptureID) == NULL)
		fCaptureID = 0;
	if (fCaptureID == 0) {
		_UpdateHover(windowID);
		return;
	}

	bool inside = windowID == fCaptureID;
	int32 transit;
	if (inside)
		transit = fInsideCapture ? kTransitInside : kTransitEntered;
	else
		transit = fInsideCapture ? kTransitExited : kTransitOutside;
	fInsideCapture = inside;
	fHoverID = inside ? fCaptureID : 0;
	_SendMoved(fCaptureID, transit);
}


void
DisplayServer::HandlePointerButtons(BPoint screenWhere, uint32 buttons, int32 windowID,
	bigtime_t clickTime)
{
	{
		std::lock_guard<std::mutex> locker(fPointerLock);
		fPointer = screenWhere;
		fButtons = buttons;
	}
	uint32 pressed = buttons & ~fLastButtons;
	uint32 released = fLastButtons & ~buttons;
	fLastButtons = buttons;

	if (fCaptureID != 0 && WindowForID(fCaptureID) == NULL)
		fCaptureID = 0;

	if (pressed != 0) {
		int32 target = fCaptureID != 0 ? fCaptureID : windowID;
		int32 modal = fCaptureID == 0 ? _BlockingModal(target) : 0;
		if (modal != 0) {
			// The press only brings the modal window forward.
			ServerWindow* modalWindow = WindowForID(modal);
			_Activate(modalWindow, true);
			target = 0;
		}
		ServerWindow* window = WindowForID(target);
		if (window != NULL) {
			if (fCaptureID == 0) {
				fCaptureID = target;
				fInsideCapture = true;
				fHoverID = target;
				fBackend->SetPointerCapture(true);
			}

			bool mayFocus;
			{
				std::lock_guard<std::mutex> locker(fStateLock);
				_Raise(window);
				mayFocus = (window->fFlags & B_AVOID_FOCUS) == 0;
			}
			if (mayFocus)
				_SetActive(target);

			if (target == fLastClickWindow && pressed == fLastClickButtons
				&& clickTime - fLastClickTime <= kDoubleClickTime
				&& std::fabs(screenWhere.x - fLastClickWhere.x) <= kDoubleClickDistance
				&& std::fabs(screenWhere.y - fLastClickWhere.y) <= kDoubleClickDistance)
				fClickCount++;
			else
				fClickCount = 1;
			fLastClickWindow = target;
			fLastClickButtons = pressed;
			fLastClickTime = clickTime;
			fLastClickWhere = screenWhere;

			if (WindowForID(target) != NULL) {
				ServerEvent event = _MouseEvent(kServerMouseDown, window);
				event.clicks = fClickCount;
				_Send(target, event);
			}
		}
	}

	if (released != 0) {
		int32 target = fCaptureID != 0 ? fCaptureID : windowID;
		ServerWindow* window = WindowForID(target);
		if (window != NULL) {
			ServerEvent event = _MouseEvent(kServerMouseUp, window);
			_Send(target, event);
		}
		if (buttons == 0 && fCaptureID != 0) {
			fCaptureID = 0;
			fBackend->SetPointerCapture(false);
			if (windowID != fHoverID)
				_UpdateHover(windowID);
		}
	}
}


void
DisplayServer::HandleWheel(float dx, float dy, int32 windowID)
{
	int32 target = fCaptureID != 0 ? fCaptureID : windowID;
	if (target == 0)
		target = ActiveWindowID();
	ServerWindow* window = WindowForID(target);
	if (window == NULL)
		return;
	ServerEvent event = _MouseEvent(kServerMouseWheel, window);
	event.wheelX = dx;
	event.wheelY = dy;
	_Send(target, event);
}


void
DisplayServer::HandleKey(bool down, int32 key, uint32 modifiers, const char* bytes,
	int32 rawChar, bool repeat)
{
	HandleModifiers(modifiers);
	int32 target = ActiveWindowID();
	if (target == 0)
		return;

	ServerEvent event;
	event.type = down ? kServerKeyDown : kServerKeyUp;
	event.when = now_usecs();
	event.key = key;
	event.modifiers = modifiers;
	event.rawChar = rawChar;
	event.repeat = repeat;
	if (bytes != NULL)
		strncpy(event.bytes, bytes, sizeof(event.bytes) - 1);
	{
		std::lock_guard<std::mutex> locker(fPointerLock);
		event.screenWhere = fPointer;
	}
	_Send(target, event);
}


void
DisplayServer::HandleModifiers(uint32 modifiers)
{
	std::lock_guard<std::mutex> locker(fPointerLock);
	fModifiers = modifiers;
}


void
DisplayServer::HandleFocus(int32 windowID, bool gained)
{
	ServerWindow* window = WindowForID(windowID);
	if (window == NULL)
		return;
	if (!gained) {
		if (ActiveWindowID() == windowID)
			_SetActive(0);
		return;
	}
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		if ((window->fFlags & B_AVOID_FOCUS) != 0)
			return;
		_Raise(window);
	}
	_SetActive(windowID);
}


void
DisplayServer::HandleUserMove(int32 windowID, BPoint leftTop)
{
	ServerWindow* window = WindowForID(windowID);
	if (window == NULL)
		return;
	ServerEvent event;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		if (window->fFrame.LeftTop() == leftTop)
			return;
		window->fFrame.OffsetTo(leftTop);
		event.frame = window->fFrame;
	}
	event.type = kServerWindowMoved;
	event.when = now_usecs();
	_Send(windowID, event);
}


void
DisplayServer::HandleUserResize(int32 windowID, int32 width, int32 height)
{
	ServerWindow* window = WindowForID(windowID);
	if (window == NULL)
		return;
	width = std::max(width, (int32)0);
	height = std::max(height, (int32)0);
	window->_ResizeBits(width, height);
	ServerEvent event;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		window->fFrame.right = window->fFrame.left + width - 1;
		window->fFrame.bottom = window->fFrame.top + height - 1;
		event.frame = window->fFrame;
	}
	event.type = kServerWindowResized;
	event.when = now_usecs();
	_Send(windowID, event);
}


void
DisplayServer::HandleCloseRequested(int32 windowID)
{
	ServerEvent event;
	event.type = kServerCloseRequested;
	event.when = now_usecs();
	_Send(windowID, event);
}


void
DisplayServer::HandleZoomRequested(int32 windowID)
{
	ServerEvent event;
	event.type = kServerZoomRequested;
	event.when = now_usecs();
	_Send(windowID, event);
}


void
DisplayServer::HandleMinimized(int32 windowID, bool minimized)
{
	ServerWindow* window = WindowForID(windowID);
	if (window == NULL)
		return;
	{
		std::lock_guard<std::mutex> locker(fStateLock);
		if (window->fMinimized == minimized)
			return;
		window->fMinimized = minimized;
	}
	ServerEvent event;
	event.type = kServerWindowMinimized;
	event.when = now_usecs();
	event.active = minimized;
	_Send(windowID, event);
	if (minimized && ActiveWindowID() == windowID)
		_ActivateFrontmost();
}


void
DisplayServer::HandleFileDropped(int32 windowID, const std::string& path)
{
	ServerWindow* window = WindowForID(windowID);
	if (window == NULL)
		return;
	ServerEvent event = _MouseEvent(kServerFilesDropped, window);
	event.path = path;
	_Send(windowID, event);
}


void
DisplayServer::HandleQuitRequested()
{
	std::lock_guard<std::mutex> locker(fListenerLock);
	if (fDisplayListener != NULL)
		fDisplayListener->DisplayQuitRequested();
}


}	// namespace BPrivate
