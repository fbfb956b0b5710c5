#include "server/SDLBackend.h"

#include "server/DisplayServer.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"

#include <InterfaceDefs.h>
#include <Window.h>

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <utility>

namespace BPrivate {

// How long a key that types text waits for its text before it goes out without it.
static const Uint32 kTextWaitMillis = 20;


struct SDLBackend::WindowData {
	SDL_Window*		window = NULL;
	SDL_Renderer*	renderer = NULL;
	SDL_Texture*	texture = NULL;
	int				textureWidth = 0;
	int				textureHeight = 0;
	// Sizes the server asked for, whose SIZE_CHANGED events are not the user's doing.
	std::deque<std::pair<int, int> > requestedSizes;
};


static bool
is_borderless(window_look look, uint32 flags)
{
	return look == B_BORDERED_WINDOW_LOOK || look == B_NO_BORDER_WINDOW_LOOK;
}


static bool
stays_on_top(window_feel feel)
{
	return feel != B_NORMAL_WINDOW_FEEL;
}


static bool
is_resizable(window_look look, uint32 flags)
{
	if (is_borderless(look, flags) || (flags & B_NOT_RESIZABLE) != 0)
		return false;
	return (flags & (B_NOT_H_RESIZABLE | B_NOT_V_RESIZABLE))
		!= (B_NOT_H_RESIZABLE | B_NOT_V_RESIZABLE);
}


SDLBackend::SDLBackend()
	:
	fServer(NULL),
	fWakeEvent((uint32)-1),
	fAcceptsWakes(false),
	fButtons(0),
	fSuppressText(false),
	fInitialized(false)
{
}


SDLBackend::~SDLBackend()
{
}


status_t
SDLBackend::Init(DisplayServer* server, std::string& error)
{
	fServer = server;

	// The application decides when it quits, not SDL when its last window closes.
	SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
	SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
	SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
	SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");

	if (SDL_Init(SDL_INIT_VIDEO) != 0) {
		error = std::string("cannot open the display: ") + SDL_GetError();
		const char* display = getenv("DISPLAY");
		const char* wayland = getenv("WAYLAND_DISPLAY");
		if ((display == NULL || display[0] == '\0')
			&& (wayland == NULL || wayland[0] == '\0')) {
			error += " (DISPLAY is not set: run the program inside a desktop session,"
				" or set QUORREL_BACKEND=headless)";
		}
		return B_ERROR;
	}
	fInitialized = true;

	// Without a desktop SDL may still find a framebuffer or an off-screen driver;
	// windows there would be invisible, so only X11 and Wayland count unless the user
	// names a driver.
	const char* driver = SDL_GetCurrentVideoDriver();
	const char* chosen = getenv("SDL_VIDEODRIVER");
	if ((chosen == NULL || chosen[0] == '\0') && driver != NULL
		&& strcmp(driver, "x11") != 0 && strcmp(driver, "wayland") != 0) {
		error = std::string("cannot open the display: no X11 or Wayland display found"
			" (DISPLAY is not set; SDL offered only \"") + driver + "\")";
		SDL_Quit();
		fInitialized = false;
		return B_ERROR;
	}

	SDL_Rect bounds;
	if (SDL_GetDisplayBounds(0, &bounds) != 0) {
		error = std::string("cannot read the screen size: ") + SDL_GetError();
		SDL_Quit();
		fInitialized = false;
		return B_ERROR;
	}
	fScreen.Set(bounds.x, bounds.y, bounds.x + bounds.w - 1, bounds.y + bounds.h - 1);

	{
		std::lock_guard<std::mutex> locker(fWakeLock);
		fWakeEvent = SDL_RegisterEvents(1);
		fAcceptsWakes = fWakeEvent != (uint32)-1;
	}
	SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
	SDL_StartTextInput();
	return B_OK;
}


void
SDLBackend::Shutdown()
{
	{
		std::lock_guard<std::mutex> locker(fWakeLock);
		fAcceptsWakes = false;
	}
	if (fInitialized)
		SDL_Quit();
	fInitialized = false;
}


void
SDLBackend::WaitForEvents()
{
	SDL_Event event;
	if (SDL_WaitEventTimeout(&event, 100) != 0) {
		_HandleEvent(&event);
		while (SDL_PollEvent(&event) != 0)
			_HandleEvent(&event);
	}
	if (fPendingKey.valid) {
		if (SDL_WaitEventTimeout(&event, kTextWaitMillis) != 0) {
			_HandleEvent(&event);
			while (SDL_PollEvent(&event) != 0)
				_HandleEvent(&event);
		}
		_FlushPendingKey();
	}
	fSuppressText = false;
}


void
SDLBackend::Wake()
{
	std::lock_guard<std::mutex> locker(fWakeLock);
	if (!fAcceptsWakes)
		return;
	SDL_Event event;
	memset(&event, 0, sizeof(event));
	event.type = fWakeEvent;
	SDL_PushEvent(&event);
}


// #pragma mark - windows


void
SDLBackend::WindowCreated(ServerWindow* window)
{
	WindowData* data = new WindowData;
	window->SetBackendData(data);

	BRect frame = window->Frame();
	window_look look = window->Look();
	window_feel feel = window->Feel();
	uint32 flags = window->Flags();

	Uint32 sdlFlags = SDL_WINDOW_HIDDEN;
	if (is_borderless(look, flags))
		sdlFlags |= SDL_WINDOW_BORDERLESS;
	if ((flags & B_AVOID_FOCUS) != 0)
		sdlFlags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_ALWAYS_ON_TOP;
	else if (stays_on_top(feel))
		sdlFlags |= SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_UTILITY;
	if (is_resizable(look, flags))
		sdlFlags |= SDL_WINDOW_RESIZABLE;

	int width = std::max((int)frame.IntegerWidth() + 1, 1);
	int height = std::max((int)frame.IntegerHeight() + 1, 1);
	data->window = SDL_CreateWindow(window->Title().c_str(), (int)frame.left,
		(int)frame.top, width, height, sdlFlags);
	if (data->window == NULL) {
		fprintf(stderr, "display server: cannot create a window: %s\n", SDL_GetError());
		return;
	}
	data->requestedSizes.push_back(std::make_pair(width, height));
	fWindowIDs[SDL_GetWindowID(data->window)] = window->ID();

	data->renderer = SDL_CreateRenderer(data->window, -1, 0);
	if (data->renderer == NULL)
		data->renderer = SDL_CreateRenderer(data->window, -1, SDL_RENDERER_SOFTWARE);
	if (data->renderer == NULL)
		fprintf(stderr, "display server: cannot draw into a window: %s\n", SDL_GetError());
}


void
SDLBackend::WindowDestroyed(ServerWindow* window)
{
	WindowData* data = (WindowData*)window->BackendData();
	window->SetBackendData(NULL);
	if (data == NULL)
		return;
	if (data->window != NULL)
		fWindowIDs.erase(SDL_GetWindowID(data->window));
	if (data->texture != NULL)
		SDL_DestroyTexture(data->texture);
	if (data->renderer != NULL)
		SDL_DestroyRenderer(data->renderer);
	if (data->window != NULL)
		SDL_DestroyWindow(data->window);
	delete data;
}


void
SDLBackend::WindowChanged(ServerWindow* window, uint32 changes)
{
	WindowData* data = (WindowData*)window->BackendData();
	if (data == NULL || data->window == NULL)
		return;

	if ((changes & kWindowChangedTitle) != 0)
		SDL_SetWindowTitle(data->window, window->Title().c_str());
	if ((changes & (kWindowChangedLook | kWindowChangedFlags)) != 0) {
		window_look look = window->Look();
		uint32 flags = window->Flags();
		SDL_SetWindowBordered(data->window,
			is_borderless(look, flags) ? SDL_FALSE : SDL_TRUE);
		SDL_SetWindowResizable(data->window,
			is_resizable(look, flags) ? SDL_TRUE : SDL_FALSE);
	}
	if ((changes & kWindowChangedFeel) != 0) {
		SDL_SetWindowAlwaysOnTop(data->window,
			stays_on_top(window->Feel()) ? SDL_TRUE : SDL_FALSE);
	}
	if ((changes & kWindowChangedSize) != 0) {
		BRect frame = window->Frame();
		int width = std::max((int)frame.IntegerWidth() + 1, 1);
		int height = std::max((int)frame.IntegerHeight() + 1, 1);
		data->requestedSizes.push_back(std::make_pair(width, height));
		if (data->requestedSizes.size() > 16)
			data->requestedSizes.pop_front();
		SDL_SetWindowSize(data->window, width, height);
	}
	if ((changes & kWindowChangedPosition) != 0) {
		BRect frame = window->Frame();
		SDL_SetWindowPosition(data->window, (int)frame.left, (int)frame.top);
	}
	if ((changes & kWindowChangedVisibility) != 0) {
		if (window->IsHidden())
			SDL_HideWindow(data->window);
		else {
			SDL_ShowWindow(data->window);
			window->LockBits();
			BRect all(0, 0, window->Width() - 1, window->Height() - 1);
			window->UnlockBits();
			WindowPresent(window, all);
		}
	}
	if ((changes & kWindowChangedMinimized) != 0) {
		if (window->IsMinimized())
			SDL_MinimizeWindow(data->window);
		else
			SDL_RestoreWindow(data->window);
	}
	if ((changes & kWindowChangedOrder) != 0 && !window->IsHidden()
		&& (window->Flags() & B_AVOID_FOCUS) == 0)
		SDL_RaiseWindow(data->window);
}


// Makes the texture match the framebuffer; the bits are locked. True when the texture
// is new and needs all of the framebuffer.
bool
SDLBackend::_UpdateTexture(WindowData* data, ServerWindow* window)
{
	if (data->renderer == NULL)
		return false;
	int width = window->Width();
	int height = window->Height();
	if (data->texture != NULL && data->textureWidth == width
		&& data->textureHeight == height)
		return false;
	if (data->texture != NULL)
		SDL_DestroyTexture(data->texture);
	data->texture = NULL;
	data->textureWidth = 0;
	data->textureHeight = 0;
	if (width <= 0 || height <= 0)
		return false;
	data->texture = SDL_CreateTexture(data->renderer, SDL_PIXELFORMAT_ARGB8888,
		SDL_TEXTUREACCESS_STREAMING, width, height);
	if (data->texture == NULL)
		return false;
	data->textureWidth = width;
	data->textureHeight = height;
	return true;
}


void
SDLBackend::_Render(WindowData* data)
{
	if (data->renderer == NULL)
		return;
	SDL_SetRenderDrawColor(data->renderer, 255, 255, 255, 255);
	SDL_RenderClear(data->renderer);
	if (data->texture != NULL) {
		SDL_Rect target = { 0, 0, data->textureWidth, data->textureHeight };
		SDL_RenderCopy(data->renderer, data->texture, NULL, &target);
	}
}


void
SDLBackend::WindowPresent(ServerWindow* window, BRect dirty)
{
	WindowData* data = (WindowData*)window->BackendData();
	if (data == NULL || data->renderer == NULL)
		return;

	window->LockBits();
	bool all = _UpdateTexture(data, window);
	if (data->texture != NULL) {
		SDL_Rect rect;
		if (all)
			rect = { 0, 0, window->Width(), window->Height() };
		else {
			rect.x = std::max((int)dirty.left, 0);
			rect.y = std::max((int)dirty.top, 0);
			rect.w = std::min((int)dirty.right + 1, (int)window->Width()) - rect.x;
			rect.h = std::min((int)dirty.bottom + 1, (int)window->Height()) - rect.y;
		}
		if (rect.w > 0 && rect.h > 0) {
			const uint32* source = window->Bits() + (size_t)rect.y * window->Width() + rect.x;
			SDL_UpdateTexture(data->texture, &rect, source, window->BytesPerRow());
		}
	}
	window->UnlockBits();

	_Render(data);
	SDL_RenderPresent(data->renderer);
}


void
SDLBackend::SetPointerCapture(bool capture)
{
	SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}


status_t
SDLBackend::GetClipboardText(std::string& text)
{
	text.clear();
	if (!SDL_HasClipboardText())
		return B_OK;
	char* clip = SDL_GetClipboardText();
	if (clip == NULL)
		return B_ERROR;
	text = clip;
	SDL_free(clip);
	return B_OK;
}


status_t
SDLBackend::SetClipboardText(const std::string& text)
{
	return SDL_SetClipboardText(text.c_str()) == 0 ? B_OK : B_ERROR;
}


status_t
SDLBackend::ReadShownPixel(ServerWindow* window, int32 x, int32 y, uint32* pixel)
{
	WindowData* data = (WindowData*)window->BackendData();
	if (data == NULL || data->renderer == NULL)
		return B_NO_INIT;
	if (x < 0 || y < 0 || x >= data->textureWidth || y >= data->textureHeight)
		return B_BAD_VALUE;
	_Render(data);
	SDL_Rect rect = { x, y, 1, 1 };
	int result = SDL_RenderReadPixels(data->renderer, &rect, SDL_PIXELFORMAT_ARGB8888,
		pixel, 4);
	SDL_RenderPresent(data->renderer);
	return result == 0 ? B_OK : B_ERROR;
}


// #pragma mark - input


SDLBackend::WindowData*
SDLBackend::_DataFor(uint32 sdlWindowID, int32* serverID)
{
	auto found = fWindowIDs.find(sdlWindowID);
	if (found == fWindowIDs.end())
		return NULL;
	ServerWindow* window = fServer->WindowForID(found->second);
	if (window == NULL)
		return NULL;
	*serverID = found->second;
	return (WindowData*)window->BackendData();
}


void
SDLBackend::_HandleEvent(const void* pointer)
{
	const SDL_Event& event = *(const SDL_Event*)pointer;
	if (event.type == fWakeEvent) {
		fServer->RunQueuedCommands();
		return;
	}

	switch (event.type) {
		case SDL_QUIT:
			fServer->HandleQuitRequested();
			break;
		case SDL_WINDOWEVENT:
			_HandleWindowEvent(pointer);
			break;
		case SDL_KEYDOWN:
			_HandleKeyDown(pointer);
			break;
		case SDL_KEYUP:
			_HandleKeyUp(pointer);
			break;
		case SDL_TEXTINPUT:
			_HandleText(event.text.text);
			break;
		case SDL_MOUSEMOTION:
		case SDL_MOUSEBUTTONDOWN:
		case SDL_MOUSEBUTTONUP:
		case SDL_MOUSEWHEEL:
			_HandleMouse(pointer);
			break;
		case SDL_DROPFILE:
		{
			int32 id = 0;
			if (event.drop.file != NULL) {
				if (_DataFor(event.drop.windowID, &id) != NULL)
					fServer->HandleFileDropped(id, event.drop.file);
				SDL_free(event.drop.file);
			}
			break;
		}
		default:
			break;
	}
}


void
SDLBackend::_HandleWindowEvent(const void* pointer)
{
	const SDL_WindowEvent& event = ((const SDL_Event*)pointer)->window;
	int32 id = 0;
	WindowData* data = _DataFor(event.windowID, &id);
	if (data == NULL)
		return;
	ServerWindow* window = fServer->WindowForID(id);

	switch (event.event) {
		case SDL_WINDOWEVENT_EXPOSED:
			_Render(data);
			if (data->renderer != NULL)
				SDL_RenderPresent(data->renderer);
			break;
		case SDL_WINDOWEVENT_MOVED:
			fServer->HandleUserMove(id, BPoint(event.data1, event.data2));
			break;
		case SDL_WINDOWEVENT_SIZE_CHANGED:
		{
			std::pair<int, int> size(event.data1, event.data2);
			auto requested = std::find(data->requestedSizes.begin(),
				data->requestedSizes.end(), size);
			if (requested != data->requestedSizes.end()) {
				data->requestedSizes.erase(data->requestedSizes.begin(), requested + 1);
				break;
			}
			window->LockBits();
			bool same = window->Width() == event.data1 && window->Height() == event.data2;
			window->UnlockBits();
			if (!same)
				fServer->HandleUserResize(id, event.data1, event.data2);
			break;
		}
		case SDL_WINDOWEVENT_MINIMIZED:
			fServer->HandleMinimized(id, true);
			break;
		case SDL_WINDOWEVENT_RESTORED:
			fServer->HandleMinimized(id, false);
			break;
		case SDL_WINDOWEVENT_MAXIMIZED:
			// BeOS has no maximised state: the zoom button asks the window to zoom itself.
			SDL_RestoreWindow(data->window);
			if ((window->Flags() & B_NOT_ZOOMABLE) == 0)
				fServer->HandleZoomRequested(id);
			break;
		case SDL_WINDOWEVENT_LEAVE:
			if (fButtons == 0) {
				BPoint where;
				fServer->GetMouse(&where, NULL);
				fServer->HandlePointerMoved(where, 0);
			}
			break;
		case SDL_WINDOWEVENT_FOCUS_GAINED:
			fServer->HandleFocus(id, true);
			break;
		case SDL_WINDOWEVENT_FOCUS_LOST:
			fServer->HandleFocus(id, false);
			break;
		case SDL_WINDOWEVENT_CLOSE:
			if ((window->Flags() & B_NOT_CLOSABLE) == 0)
				fServer->HandleCloseRequested(id);
			break;
		default:
			break;
	}
}


void
SDLBackend::_HandleKeyDown(const void* pointer)
{
	const SDL_KeyboardEvent& event = ((const SDL_Event*)pointer)->key;
	_FlushPendingKey();

	int32 key = KeyForScancode(event.keysym.scancode);
	uint32 modifiers = ModifiersForSDL(event.keysym.mod);
	fServer->HandleModifiers(modifiers);
	if (_ForwardAltKey(true, key, modifiers, event.repeat != 0))
		return;
	if (key == 0 || IsModifierKey(key))
		return;

	char bytes[8];
	int32 rawChar;
	KeyBytes(key, modifiers, bytes, &rawChar);

	// The key's own character on this keyboard's layout, for keys typed with Ctrl.
	SDL_Keycode symbol = event.keysym.sym;
	if (KeyTypesText(key, modifiers) && symbol > ' ' && symbol < 0x7f) {
		rawChar = symbol;
		if ((modifiers & (B_SHIFT_KEY | B_CAPS_LOCK)) == 0)
			bytes[0] = (char)symbol;
	}

	if ((modifiers & B_COMMAND_KEY) == 0 && KeyTypesText(key, modifiers)) {
		// The text follows in an SDL_TEXTINPUT event; wait for it.
		fPendingKey.valid = true;
		fPendingKey.key = key;
		fPendingKey.modifiers = modifiers;
		fPendingKey.rawChar = rawChar;
		memcpy(fPendingKey.bytes, bytes, sizeof(bytes));
		fPendingKey.repeat = event.repeat != 0;
		return;
	}
	if ((modifiers & B_COMMAND_KEY) != 0)
		fSuppressText = true;
	if (bytes[0] != '\0')
		fServer->HandleKey(true, key, modifiers, bytes, rawChar, event.repeat != 0);
}


// The Alt keys' own presses and releases go to the window with no bytes, because a
// lone Alt opens the window's key menu bar; the other modifier keys only change the
// modifier state.
bool
SDLBackend::_ForwardAltKey(bool down, int32 key, uint32 modifiers, bool repeat)
{
	if (key != kKeyLeftAlt && key != kKeyRightAlt)
		return false;
	char bytes[8] = {};
	fServer->HandleKey(down, key, modifiers, bytes, 0, repeat);
	return true;
}


void
SDLBackend::_HandleKeyUp(const void* pointer)
{
	const SDL_KeyboardEvent& event = ((const SDL_Event*)pointer)->key;
	_FlushPendingKey();

	int32 key = KeyForScancode(event.keysym.scancode);
	uint32 modifiers = ModifiersForSDL(event.keysym.mod);
	fServer->HandleModifiers(modifiers);
	if (_ForwardAltKey(false, key, modifiers, false))
		return;
	if (key == 0 || IsModifierKey(key))
		return;
	char bytes[8];
	int32 rawChar;
	KeyBytes(key, modifiers, bytes, &rawChar);
	fServer->HandleKey(false, key, modifiers, bytes, rawChar, false);
}


void
SDLBackend::_HandleText(const char* text)
{
	if (fSuppressText)
		return;
	const unsigned char* cursor = (const unsigned char*)text;
	while (*cursor != '\0') {
		int length = 1;
		if (*cursor >= 0xf0)
			length = 4;
		else if (*cursor >= 0xe0)
			length = 3;
		else if (*cursor >= 0xc0)
			length = 2;
		char character[8] = {};
		int i = 0;
		for (; i < length && cursor[i] != '\0'; i++)
			character[i] = (char)cursor[i];
		cursor += i;

		if (fPendingKey.valid) {
			fPendingKey.valid = false;
			fServer->HandleKey(true, fPendingKey.key, fPendingKey.modifiers, character,
				fPendingKey.rawChar, fPendingKey.repeat);
		} else {
			// Text without a key: an input method or a dead key composed it.
			int32 rawChar = (unsigned char)character[0] < 0x80 ? character[0] : 0;
			fServer->HandleKey(true, 0, fServer->Modifiers(), character, rawChar, false);
		}
	}
}


void
SDLBackend::_FlushPendingKey()
{
	if (!fPendingKey.valid)
		return;
	fPendingKey.valid = false;
	if (fPendingKey.bytes[0] != '\0') {
		fServer->HandleKey(true, fPendingKey.key, fPendingKey.modifiers, fPendingKey.bytes,
			fPendingKey.rawChar, fPendingKey.repeat);
	}
}


void
SDLBackend::_HandleMouse(const void* pointer)
{
	const SDL_Event& event = *(const SDL_Event*)pointer;
	Uint32 sdlWindowID = event.type == SDL_MOUSEMOTION ? event.motion.windowID
		: event.type == SDL_MOUSEWHEEL ? event.wheel.windowID : event.button.windowID;
	int32 id = 0;
	WindowData* data = _DataFor(sdlWindowID, &id);
	if (data == NULL)
		return;
	ServerWindow* window = fServer->WindowForID(id);
	BRect frame = window->Frame();

	switch (event.type) {
		case SDL_MOUSEMOTION:
		{
			BPoint where(frame.left + event.motion.x, frame.top + event.motion.y);
			bool inside = frame.Contains(where);
			fServer->HandlePointerMoved(where, inside ? id : 0);
			break;
		}
		case SDL_MOUSEBUTTONDOWN:
		case SDL_MOUSEBUTTONUP:
		{
			uint32 button = 0;
			if (event.button.button == SDL_BUTTON_LEFT)
				button = B_PRIMARY_MOUSE_BUTTON;
			else if (event.button.button == SDL_BUTTON_RIGHT)
				button = B_SECONDARY_MOUSE_BUTTON;
			else if (event.button.button == SDL_BUTTON_MIDDLE)
				button = B_TERTIARY_MOUSE_BUTTON;
			if (button == 0)
				break;
			if (event.type == SDL_MOUSEBUTTONDOWN)
				fButtons |= button;
			else
				fButtons &= ~button;
			BPoint where(frame.left + event.button.x, frame.top + event.button.y);
			bool inside = frame.Contains(where);
			fServer->HandlePointerButtons(where, fButtons, inside ? id : 0,
				(bigtime_t)event.button.timestamp * 1000);
			break;
		}
		case SDL_MOUSEWHEEL:
		{
			float dx = event.wheel.preciseX;
			float dy = event.wheel.preciseY;
			if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
				dx = -dx;
				dy = -dy;
			}
			// SDL counts a turn away from the user as positive, BeOS as negative.
			fServer->HandleWheel(dx, -dy, id);
			break;
		}
	}
}

}	// namespace BPrivate
