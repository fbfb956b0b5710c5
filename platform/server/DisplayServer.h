/*
 * DisplayServer: the one connection of this process to the screen.
 *
 * It runs on a thread of its own that owns the backend (SDL2 normally, the headless one
 * when QUORREL_BACKEND=headless; QUORREL_SCREEN=WxH sets the headless screen size,
 * 1024x768 by default). It keeps the windows in their stacking order, shows their
 * framebuffers, tracks the pointer and turns input into ServerEvents for the window
 * listeners:
 *
 * - Mouse events go to the topmost window under the pointer; while a button is held they
 *   all go to the window where it was pressed (capture), as on BeOS, also when the
 *   pointer is outside. Mouse-moved events carry a transit judged per window: entered,
 *   inside, exited, and outside while captured.
 * - A press within kDoubleClickTime and kDoubleClickDistance of the previous one, with
 *   the same button on the same window, counts one click more.
 * - Keys go to the active window. A press activates the window, unless it has
 *   B_AVOID_FOCUS: such a window never takes the focus. The press is delivered too
 *   (B_WILL_ACCEPT_FIRST_CLICK is the rule for every window, as Linux users expect).
 * - While a modal window is shown, a press on a window below it (not a floating-all
 *   one) only brings the modal window forward.
 * - Windows stack by feel: normal windows at the bottom, then floating app and subset
 *   windows, modal app and subset windows, modal-all and, on top, floating-all windows.
 *   Within a feel the most recently shown or activated window is in front.
 */
#ifndef _DISPLAY_SERVER_H
#define _DISPLAY_SERVER_H

#include <GraphicsDefs.h>
#include <Point.h>
#include <Rect.h>

#include "server/ServerEvent.h"
#include "server/ServerWindow.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace BPrivate {

class DisplayBackend;
class DisplayListener;
class ServerWindowListener;

static const bigtime_t kDoubleClickTime = 500000;
static const float kDoubleClickDistance = 4.0f;

class DisplayServer {
public:
	// Starts the server once per process (later calls only report how the first went).
	// On failure error holds a reason for the user (no DISPLAY, ...); the caller prints
	// it and exits.
	static	status_t	Start(std::string* error = NULL);
	// The running server, started on first use; NULL when it cannot start.
	static	DisplayServer* Default();
	// Ends the server thread and forgets every window; a later Start() opens the
	// display anew. Windows left over are destroyed without telling their listeners.
	static	void		Stop();

			const char*	BackendName() const;
			bool		IsHeadless() const;

	// The screen, inclusive: 1024 x 768 is (0, 0, 1023, 767).
			BRect		ScreenFrame() const;
			color_space	ColorSpace() const { return B_RGB32; }

	// The pointer in screen coordinates and the buttons held, as of the latest input the
	// server has seen. Any thread, at any time.
			void		GetMouse(BPoint* screenWhere, uint32* buttons) const;
	// The modifier keys held (B_SHIFT_KEY, B_COMMAND_KEY for Ctrl, B_OPTION_KEY for Alt).
			uint32		Modifiers() const;

	// A new, hidden window. The listener hears its events until DestroyWindow.
			ServerWindow* CreateWindow(const ServerWindowSettings& settings,
							ServerWindowListener* listener);
	// Takes the window off the screen and deletes it. When this returns, its listener
	// is not called any more. Not from a listener call.
			void		DestroyWindow(ServerWindow* window);

	// Windows in stacking order, front first (only for inspection; may be stale at once).
			std::vector<int32> WindowOrder() const;
	// The ID of the topmost shown window that contains the screen point, or 0.
			int32		WindowIDAt(BPoint screenWhere) const;
			int32		ActiveWindowID() const;

	// Plain text of the clipboard: the system one with SDL, a private one headless.
			status_t	GetClipboardText(std::string& text);
			status_t	SetClipboardText(const std::string& text);

			void		SetDisplayListener(DisplayListener* listener);

	// Runs function on the server thread and returns when it has run (at once when
	// called on the server thread). Everything posted earlier has run by then too.
			void		RunSynchronously(const std::function<void()>& function);
	// Runs function on the server thread later.
			void		RunAsynchronously(std::function<void()> function);
	// Server thread: runs what is queued now. A backend whose own event queue carries
	// the wake-ups calls this where a wake-up arrives, so that input and commands keep
	// the order in which they were made.
			void		RunQueuedCommands() { _RunCommands(); }

			DisplayBackend* Backend() const { return fBackend.get(); }
			ServerWindow* WindowForID(int32 id) const;

	// Input, called by the backends on the server thread. clickTime is the clock that
	// click counting uses (event time with SDL, a clock of the tests headless).
			void		HandlePointerMoved(BPoint screenWhere, int32 windowID);
			void		HandlePointerButtons(BPoint screenWhere, uint32 buttons,
							int32 windowID, bigtime_t clickTime);
			void		HandleWheel(float dx, float dy, int32 windowID);
			void		HandleKey(bool down, int32 key, uint32 modifiers,
							const char* bytes, int32 rawChar, bool repeat);
			void		HandleModifiers(uint32 modifiers);
			void		HandleFocus(int32 windowID, bool gained);
			void		HandleUserMove(int32 windowID, BPoint leftTop);
			void		HandleUserResize(int32 windowID, int32 width, int32 height);
			void		HandleCloseRequested(int32 windowID);
			void		HandleZoomRequested(int32 windowID);
			void		HandleMinimized(int32 windowID, bool minimized);
			void		HandleFileDropped(int32 windowID, const std::string& path);
			void		HandleQuitRequested();

private:
	friend class ServerWindow;

						DisplayServer();
						~DisplayServer();

			status_t	_Run(std::string& error);
			void		_Loop();
			void		_Quit();
			void		_RunCommands();
			bool		_OnServerThread() const;

			// Called by ServerWindow; lock held where named.
			void		_WindowChanged(ServerWindow* window, uint32 changes);
			void		_QueuePresent(ServerWindow* window);
			void		_Activate(ServerWindow* window, bool active);

			int32		_Tier(const ServerWindow* window) const;
			void		_Raise(ServerWindow* window);
			void		_Unlink(ServerWindow* window);
			void		_SetActive(int32 windowID);
			void		_ActivateFrontmost();
			int32		_BlockingModal(int32 target) const;
			void		_Send(int32 windowID, ServerEvent& event);
			ServerEvent	_MouseEvent(int32 type, ServerWindow* window) const;
			void		_SendMoved(int32 windowID, int32 transit);
			void		_UpdateHover(int32 windowID);

	mutable	std::mutex			fStateLock;
			std::vector<ServerWindow*> fWindows;	// front first
			int32				fNextID;
			int32				fActiveID;

			// Input state: server thread only, but for the pointer.
			int32				fHoverID;
			int32				fCaptureID;
			uint32				fLastButtons;
			int32				fLastClickWindow;
			uint32				fLastClickButtons;
			bigtime_t			fLastClickTime;
			BPoint				fLastClickWhere;
			int32				fClickCount;
			bool				fInsideCapture;

	mutable	std::mutex			fPointerLock;
			BPoint				fPointer;
			uint32				fButtons;
			uint32				fModifiers;

			std::unique_ptr<DisplayBackend> fBackend;
			BRect				fScreenFrame;
			std::thread			fThread;
			std::thread::id		fThreadID;

			std::mutex			fQueueLock;
			std::deque<std::function<void()> > fQueue;
			bool				fQuitting;

			std::mutex			fListenerLock;
			DisplayListener*	fDisplayListener;
};

}	// namespace BPrivate

#endif	// _DISPLAY_SERVER_H
