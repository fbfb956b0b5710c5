/*
 * ServerWindow: the display server's side of one BWindow.
 *
 * DisplayServer::CreateWindow makes it, hidden, and DisplayServer::DestroyWindow ends it;
 * the window layer never deletes it. Every call below may be made from any thread
 * (normally the window's own); the changes take effect on the screen shortly after, on
 * the server thread, but the getters answer the new state at once.
 *
 * The framebuffer holds Width() x Height() pixels of 32 bits in the B_RGB32 layout
 * (uint32 0xAARRGGBB, alpha ignored), BytesPerRow() apart. Draw into it only between
 * LockBits() and UnlockBits(), and read Bits(), Width() and Height() inside that lock:
 * a resize by the user reallocates the buffer on the server thread. After drawing, call
 * Present() with the changed rectangle so that the screen shows it.
 *
 * Geometry follows BeOS: Frame() is the content area in screen coordinates with
 * inclusive right and bottom, so a frame (10, 10, 109, 59) has a 100 x 50 framebuffer.
 */
#ifndef _SERVER_WINDOW_H
#define _SERVER_WINDOW_H

#include <Rect.h>
#include <Window.h>

#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

class DisplayServer;
class ServerWindowListener;

// Everything a window is created with.
struct ServerWindowSettings {
	BRect		frame;
	std::string	title;
	window_look	look = B_TITLED_WINDOW_LOOK;
	window_feel	feel = B_NORMAL_WINDOW_FEEL;
	uint32		flags = 0;
	uint32		workspaces = B_CURRENT_WORKSPACE;
};

class ServerWindow {
public:
	// A number that no other window of this process has had; 0 is never used.
			int32		ID() const { return fID; }

			BRect		Frame() const;
			std::string	Title() const;
			window_look	Look() const;
			window_feel	Feel() const;
			uint32		Flags() const;
			uint32		Workspaces() const;
			bool		IsHidden() const;
			bool		IsMinimized() const;
	// Holds the keyboard focus.
			bool		IsActive() const;

			void		Show();
			void		Hide();
	// Brings the window to the front of its feel and gives it the focus; a window with
	// B_AVOID_FOCUS only comes to the front. Activate(false) gives the focus up.
			void		Activate(bool active = true);
			void		Minimize(bool minimize);
			void		MoveTo(BPoint leftTop);
	// As BWindow::ResizeTo: the frame becomes width + 1 by height + 1 pixels. The
	// framebuffer is reallocated, keeping the pixels that still fit; new ones are white.
			void		ResizeTo(float width, float height);
			void		SetTitle(const char* title);
			void		SetLook(window_look look);
			void		SetFeel(window_feel feel);
			void		SetFlags(uint32 flags);
			void		SetWorkspaces(uint32 workspaces);

	// The framebuffer.
			void		LockBits();
			void		UnlockBits();
			uint32*		Bits() { return fBits.empty() ? NULL : fBits.data(); }
			int32		Width() const { return fWidth; }
			int32		Height() const { return fHeight; }
			int32		BytesPerRow() const { return fWidth * 4; }
	// Shows the pixels of dirty (window coordinates, inclusive) on the screen. The call
	// returns at once; presents that pile up before the server gets to them are merged.
			void		Present(BRect dirty);

	// The backend's own record of the window; server thread only.
			void*		BackendData() const { return fBackendData; }
			void		SetBackendData(void* data) { fBackendData = data; }

private:
	friend class DisplayServer;

						ServerWindow(DisplayServer* server, int32 id,
							const ServerWindowSettings& settings,
							ServerWindowListener* listener);
						~ServerWindow();

			void		_ResizeBits(int32 width, int32 height);
	static	int32		_PixelSize(float extent);

			DisplayServer*			fServer;
			const int32				fID;
			ServerWindowListener*	fListener;

			// Guarded by the server's state lock.
			BRect					fFrame;
			std::string				fTitle;
			window_look				fLook;
			window_feel				fFeel;
			uint32					fFlags;
			uint32					fWorkspaces;
			bool					fHidden;
			bool					fMinimized;
			BRect					fPendingDirty;
			bool					fPresentQueued;
			void*					fBackendData;	// owned by the backend

			// Guarded by fBitsLock.
			std::mutex				fBitsLock;
			std::vector<uint32>		fBits;
			int32					fWidth;
			int32					fHeight;
};

}	// namespace BPrivate

#endif	// _SERVER_WINDOW_H
