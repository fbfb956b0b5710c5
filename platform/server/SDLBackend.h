/*
 * SDLBackend: real windows through SDL2 (X11 or XWayland). One SDL window with a
 * renderer and a streaming texture per ServerWindow. Looks and feels become SDL window
 * flags: titled, document, modal and floating looks are decorated, bordered and
 * no-border looks are borderless; floating feels stay on top as utility windows;
 * B_AVOID_FOCUS windows are tool-tip windows, which never take the focus; B_NOT_RESIZABLE
 * windows cannot be resized.
 *
 * Text comes from SDL_TEXTINPUT: a key that types text gives one key-down carrying the
 * typed text; keys pressed with Ctrl give their US-layout character ("s" for Ctrl+S),
 * as no text is typed then.
 */
#ifndef _SDL_BACKEND_H
#define _SDL_BACKEND_H

#include "server/DisplayBackend.h"

#include <SupportDefs.h>

#include <map>
#include <mutex>

namespace BPrivate {

class SDLBackend : public DisplayBackend {
public:
								SDLBackend();
	virtual						~SDLBackend();

	virtual	const char*			Name() const { return "sdl"; }
	virtual	status_t			Init(DisplayServer* server, std::string& error);
	virtual	void				Shutdown();
	virtual	BRect				ScreenFrame() const { return fScreen; }

	virtual	void				WaitForEvents();
	virtual	void				Wake();

	virtual	void				WindowCreated(ServerWindow* window);
	virtual	void				WindowDestroyed(ServerWindow* window);
	virtual	void				WindowChanged(ServerWindow* window, uint32 changes);
	virtual	void				WindowPresent(ServerWindow* window, BRect dirty);

	virtual	void				SetPointerCapture(bool capture);

	virtual	status_t			GetClipboardText(std::string& text);
	virtual	status_t			SetClipboardText(const std::string& text);

	virtual	status_t			ReadShownPixel(ServerWindow* window, int32 x, int32 y,
									uint32* pixel);

private:
	struct WindowData;
	struct PendingKey {
		bool	valid = false;
		int32	key = 0;
		uint32	modifiers = 0;
		int32	rawChar = 0;
		char	bytes[8] = {};
		bool	repeat = false;
	};

			void				_HandleEvent(const void* event);
			void				_HandleWindowEvent(const void* event);
			void				_HandleKeyDown(const void* event);
			bool				_ForwardAltKey(bool down, int32 key, uint32 modifiers,
									bool repeat);
			void				_HandleKeyUp(const void* event);
			void				_HandleText(const char* text);
			void				_FlushPendingKey();
			void				_HandleMouse(const void* event);

			WindowData*			_DataFor(uint32 sdlWindowID, int32* serverID);
			bool				_UpdateTexture(WindowData* data, ServerWindow* window);
			void				_Render(WindowData* data);

			DisplayServer*		fServer;
			BRect				fScreen;
			uint32				fWakeEvent;
			// Wake() may come from any thread, also while Shutdown() closes SDL.
			std::mutex			fWakeLock;
			bool				fAcceptsWakes;
			uint32				fButtons;
			PendingKey			fPendingKey;
			bool				fSuppressText;
			std::map<uint32, int32> fWindowIDs;	// SDL window ID to server window ID
			bool				fInitialized;
};

}	// namespace BPrivate

#endif	// _SDL_BACKEND_H
