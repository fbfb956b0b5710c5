/*
 * Window types, looks, feels and flags, with the values of BeOS R5.
 *
 * A window's look is its frame (title tab, border), its feel is how it stacks and takes
 * the focus; a window_type names a common pair of both. The flags are the user
 * attributes (can it be moved, closed, zoomed, resized; may it take the focus).
 */
#ifndef _WINDOW_H
#define _WINDOW_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

enum window_type {
	B_UNTYPED_WINDOW	= 0,
	B_TITLED_WINDOW		= 1,	// titled look, normal feel
	B_MODAL_WINDOW		= 3,	// modal look, modal app feel
	B_DOCUMENT_WINDOW	= 11,	// document look, normal feel
	B_BORDERED_WINDOW	= 20,	// bordered look, normal feel
	B_FLOATING_WINDOW	= 21	// floating look, floating app feel
};

enum window_look {
	B_BORDERED_WINDOW_LOOK	= 20,
	B_NO_BORDER_WINDOW_LOOK	= 19,
	B_TITLED_WINDOW_LOOK	= 1,
	B_DOCUMENT_WINDOW_LOOK	= 11,
	B_MODAL_WINDOW_LOOK		= 3,
	B_FLOATING_WINDOW_LOOK	= 7
};

enum window_feel {
	B_NORMAL_WINDOW_FEEL			= 0,
	B_MODAL_SUBSET_WINDOW_FEEL		= 2,
	B_MODAL_APP_WINDOW_FEEL			= 1,
	B_MODAL_ALL_WINDOW_FEEL			= 3,
	B_FLOATING_SUBSET_WINDOW_FEEL	= 5,
	B_FLOATING_APP_WINDOW_FEEL		= 4,
	B_FLOATING_ALL_WINDOW_FEEL		= 6
};

// Window flags.
enum {
	B_NOT_MOVABLE				= 0x00000001,
	B_NOT_CLOSABLE				= 0x00000020,
	B_NOT_ZOOMABLE				= 0x00000040,
	B_NOT_MINIMIZABLE			= 0x00004000,
	B_NOT_RESIZABLE				= 0x00000002,
	B_NOT_H_RESIZABLE			= 0x00000004,
	B_NOT_V_RESIZABLE			= 0x00000008,
	B_AVOID_FRONT				= 0x00000080,
	B_AVOID_FOCUS				= 0x00002000,
	B_WILL_ACCEPT_FIRST_CLICK	= 0x00000010,
	B_OUTLINE_RESIZE			= 0x00001000,
	B_NO_WORKSPACE_ACTIVATION	= 0x00000100,
	B_NOT_ANCHORED_ON_ACTIVATE	= 0x00020000,
	B_ASYNCHRONOUS_CONTROLS		= 0x00080000,
	B_QUIT_ON_WINDOW_CLOSE		= 0x00100000
};

// Workspaces. Linux desktops manage their own; windows are always on the current one.
#define B_CURRENT_WORKSPACE	0
#define B_ALL_WORKSPACES	0xffffffff

// class BWindow is declared further down by the window layer.

#include <Looper.h>
#include <Rect.h>
#include <Region.h>

#include <atomic>
#include <string>
#include <vector>

class BMessageRunner;
class BView;

namespace BPrivate {
	class Painter;
	class ServerWindow;
	class WindowAccess;
	class WindowListener;
}

/*
 * BWindow: a window on the screen, with a thread and message loop of its own (its
 * thread is named "w>" followed by the title, as on R5) and a tree of views.
 *
 * The display server turns the user's input into messages posted to the window, which
 * DispatchMessage routes: mouse messages to the view under the pointer (or to the view
 * that holds the pointer through SetMouseEventMask, until the buttons are released),
 * keys to the focus view after the window's shortcuts, the menu bar and the default
 * button have had their turn, B_ZOOM to Zoom(), B_QUIT_REQUESTED to QuitRequested.
 *
 * A window is created hidden; the first Show starts its thread. Show and Hide nest as on
 * R5. Frame() is the content area in screen coordinates, inclusive; Bounds() starts at
 * (0, 0). Without a reachable display the first window prints why and ends the program
 * with exit(1).
 *
 * The default button is kept as a BView: Enter calls its KeyDown with B_ENTER.
 */
class BWindow : public BLooper {
public:
								BWindow(BRect frame, const char* title, window_type type,
									uint32 flags = 0,
									uint32 workspace = B_CURRENT_WORKSPACE);
								BWindow(BRect frame, const char* title, window_look look,
									window_feel feel, uint32 flags,
									uint32 workspace = B_CURRENT_WORKSPACE);
	virtual						~BWindow();

	// Closes the window on the screen and deletes it with its views. Call it with the
	// window locked; on the window's own thread it returns and the loop ends after the
	// current message.
	virtual	void				Quit();
	virtual	void				DispatchMessage(BMessage* message, BHandler* handler);
	virtual	void				MessageReceived(BMessage* message);

	// Hooks.
	virtual	void				FrameMoved(BPoint newPosition);
	virtual	void				FrameResized(float newWidth, float newHeight);
	virtual	void				WorkspacesChanged(uint32 oldWorkspaces, uint32 newWorkspaces);
	virtual	void				WindowActivated(bool active);
	virtual	void				ScreenChanged(BRect screenSize, color_space depth);
	virtual	void				MenusBeginning();
	virtual	void				MenusEnded();
	// The zoom button calls Zoom(), which toggles between the largest size the screen
	// allows and the frame from before; the sizes are handed to this hook, which moves
	// and resizes the window.
	virtual	void				Zoom(BPoint origin, float width, float height);
			void				Zoom();
	virtual	void				Minimize(bool minimize);

	// Visibility and focus.
	virtual	void				Show();
	virtual	void				Hide();
			bool				IsHidden() const;
			bool				IsMinimized() const;
			void				Activate(bool active = true);
			bool				IsActive() const;
	virtual	void				SetPulseRate(bigtime_t rate);
			bigtime_t			PulseRate() const;

	// The views. AddChild adds to the window's own invisible top view, so ChildAt(0)
	// is the first view added.
			void				AddChild(BView* child, BView* before = NULL);
			bool				RemoveChild(BView* child);
			int32				CountChildren() const;
			BView*				ChildAt(int32 index) const;
			BView*				FindView(const char* name) const;
	// The deepest visible view under point (window coordinates), or NULL.
			BView*				FindView(BPoint point) const;
			BView*				CurrentFocus() const;
			void				SetDefaultButton(BView* button);
			BView*				DefaultButton() const;
			void				SetKeyMenuBar(BView* menuBar);
			BView*				KeyMenuBar() const;

	// Shortcuts: key with modifiers (B_COMMAND_KEY is always implied) posts message to
	// target, the window when target is NULL. The window owns message.
			void				AddShortcut(uint32 key, uint32 modifiers, BMessage* message,
									BHandler* target = NULL);
			void				RemoveShortcut(uint32 key, uint32 modifiers);
			bool				HasShortcut(uint32 key, uint32 modifiers);

	// Geometry.
			BRect				Frame() const;
			BRect				Bounds() const;
			void				MoveBy(float dx, float dy);
			void				MoveTo(BPoint where);
			void				MoveTo(float x, float y);
			void				ResizeBy(float dx, float dy);
			void				ResizeTo(float width, float height);
			void				SetSizeLimits(float minWidth, float maxWidth,
									float minHeight, float maxHeight);
			void				GetSizeLimits(float* minWidth, float* maxWidth,
									float* minHeight, float* maxHeight);
			void				SetZoomLimits(float maxWidth, float maxHeight);
			void				ConvertToScreen(BPoint* point) const;
			BPoint				ConvertToScreen(BPoint point) const;
			void				ConvertFromScreen(BPoint* point) const;
			BPoint				ConvertFromScreen(BPoint point) const;
			void				ConvertToScreen(BRect* rect) const;
			BRect				ConvertToScreen(BRect rect) const;
			void				ConvertFromScreen(BRect* rect) const;
			BRect				ConvertFromScreen(BRect rect) const;

	// Attributes.
			void				SetTitle(const char* title);
			const char*			Title() const;
			status_t			SetLook(window_look look);
			window_look			Look() const;
			status_t			SetFeel(window_feel feel);
			window_feel			Feel() const;
			status_t			SetFlags(uint32 flags);
			uint32				Flags() const;
			status_t			SetType(window_type type);
			window_type			Type() const;
			void				SetWorkspaces(uint32 workspaces);
			uint32				Workspaces() const;

	// Drawing. UpdateIfNeeded runs the pending update pass at once (on the window's own
	// thread only); Flush shows what has been drawn, Sync also waits for the screen.
			void				UpdateIfNeeded();
			void				Flush() const;
			void				Sync() const;
			void				DisableUpdates();
			void				EnableUpdates();
			bool				NeedsUpdate() const;

	virtual	thread_id			Run();

protected:
	virtual	void				DispatchFinished(bool queueIsEmpty);

private:
	friend class BView;
	friend class BPrivate::WindowAccess;
	friend class BPrivate::WindowListener;

	struct Shortcut {
		uint32		key;
		uint32		modifiers;
		BMessage*	message;
		BHandler*	target;
		bool		toFocus;
	};

								BWindow(const BWindow&);
			BWindow&			operator=(const BWindow&);

			void				_Init(BRect frame, const char* title, window_look look,
									window_feel feel, uint32 flags, uint32 workspaces);
			void				_AddDefaultShortcuts();
			Shortcut*			_FindShortcut(uint32 key, uint32 modifiers);
			bool				_HandleShortcut(BMessage* message);
			void				_HandleKeyDown(BMessage* message, BView* target);
			void				_HandleKeyUp(BMessage* message, BView* target);
			void				_HandleMouseDown(BMessage* message, BView* target);
			void				_HandleMouseUp(BMessage* message, BView* target);
			void				_HandleMouseMoved(BMessage* message);
			void				_HandleWheel(BMessage* message);
			void				_HandleActivated(BMessage* message);
			void				_HandleServerResize(BMessage* message);
			void				_HandleDrop(BMessage* message);
			void				_HandlePulse();
			void				_SetViewWhere(BMessage* message, BView* view,
									BPoint windowWhere);
			void				_SendMouseMoved(BView* view, BMessage* message,
									BPoint windowWhere, uint32 transit);
			// Moves the focus to the next (or previous) B_NAVIGABLE view, for Tab.
			void				_KeyboardNavigation(bool backwards);
			void				_ViewAttached(BView* view);
			void				_ViewDetached(BView* view);
			void				_LayoutChanged();
			void				_Invalidate(BRect windowRect);
			void				_InvalidateRegion(const BRegion& windowRegion);
			void				_RequestUpdate();
			void				_UpdatePass();
			void				_DrawView(BView* view, const BRegion& dirty);
			void				_DrawingDone(BRect windowRect);
			void				_Present() const;
			void				_ResizeTopView(float width, float height);
			void				_UpdatePulse();
			bool				_OnOwnThread() const;

			BPrivate::ServerWindow*	fServerWindow;
			BPrivate::WindowListener* fListener;
			BPrivate::Painter*	fPainter;
			BView*				fTopView;
			BView*				fFocus;
			BView*				fDefaultButton;
			BView*				fKeyMenuBar;
			BView*				fLastMouseView;
			BView*				fMouseCapture;
			std::vector<Shortcut> fShortcuts;
			std::string			fTitle;
			window_look			fLook;
			window_feel			fFeel;
			uint32				fFlags;
			uint32				fWorkspaces;
			int32				fShowLevel;
			bool				fActive;
			bool				fMinimized;
			int32				fUpdatesDisabled;
			BRegion				fDirty;
			std::atomic<bool>	fUpdateRequested;
	mutable	BRect				fPendingPresent;
			uint32				fLayoutGeneration;
			bool				fInUpdate;
			bigtime_t			fPulseRate;
			BMessageRunner*		fPulseRunner;
			bool				fZoomed;
			BRect				fPreZoomFrame;
			float				fMinWidth;
			float				fMaxWidth;
			float				fMinHeight;
			float				fMaxHeight;
			float				fMaxZoomWidth;
			float				fMaxZoomHeight;
			uint32				fLastButtons;
};

#endif	// _WINDOW_H
