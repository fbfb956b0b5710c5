#include "server/HeadlessTest.h"

#include "server/DisplayServer.h"
#include "server/HeadlessBackend.h"
#include "server/KeyMap.h"
#include "server/ServerWindow.h"
#include "app/LooperRegistry.h"
#include "translation/PNGWriter.h"

#include <algorithm>
#include <cstring>
#include <time.h>

namespace BPrivate {

namespace {

DisplayServer*
headless_server(HeadlessBackend** backend = NULL)
{
	DisplayServer* server = DisplayServer::Default();
	if (server == NULL || !server->IsHeadless())
		return NULL;
	if (backend != NULL)
		*backend = static_cast<HeadlessBackend*>(server->Backend());
	return server;
}


bigtime_t
monotonic_now()
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}


// On the server thread: the pointer goes to where, if it is not there already.
void
move_pointer(DisplayServer* server, BPoint where)
{
	BPoint current;
	server->GetMouse(&current, NULL);
	if (current != where)
		server->HandlePointerMoved(where, server->WindowIDAt(where));
}


// The application's loopers. Kept as a function of its own so that the test API has
// one place where it meets the Application Kit.
status_t
wait_for_application_loopers_idle(bigtime_t timeout)
{
	return WaitForLoopersIdle(timeout);
}


status_t
key_event(bool down, int32 key, uint32 modifiers, const char* text, bool repeat)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;

	char bytes[8];
	int32 rawChar;
	KeyBytes(key, modifiers, bytes, &rawChar);
	if (text != NULL) {
		memset(bytes, 0, sizeof(bytes));
		strncpy(bytes, text, sizeof(bytes) - 1);
		if (rawChar == 0 && (unsigned char)bytes[0] < 0x80)
			rawChar = bytes[0];
	}
	server->RunSynchronously([&]() {
		server->HandleKey(down, key, modifiers, bytes, rawChar, repeat);
		if (!down)
			server->HandleModifiers(0);
	});
	return B_OK;
}

}	// namespace


status_t
HeadlessTest::MoveMouse(BPoint where)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	server->RunSynchronously([&]() {
		server->HandlePointerMoved(where, server->WindowIDAt(where));
	});
	return B_OK;
}


status_t
HeadlessTest::PressMouse(BPoint where, uint32 buttons)
{
	HeadlessBackend* backend;
	DisplayServer* server = headless_server(&backend);
	if (server == NULL)
		return B_NO_INIT;
	server->RunSynchronously([&]() {
		move_pointer(server, where);
		uint32 held;
		server->GetMouse(NULL, &held);
		server->HandlePointerButtons(where, held | buttons, server->WindowIDAt(where),
			backend->Clock());
	});
	return B_OK;
}


status_t
HeadlessTest::ReleaseMouse(BPoint where, uint32 buttons)
{
	HeadlessBackend* backend;
	DisplayServer* server = headless_server(&backend);
	if (server == NULL)
		return B_NO_INIT;
	server->RunSynchronously([&]() {
		move_pointer(server, where);
		uint32 held;
		server->GetMouse(NULL, &held);
		server->HandlePointerButtons(where, held & ~buttons, server->WindowIDAt(where),
			backend->Clock());
	});
	return B_OK;
}


status_t
HeadlessTest::Click(BPoint where, uint32 buttons, int32 count)
{
	for (int32 i = 0; i < count; i++) {
		status_t status = PressMouse(where, buttons);
		if (status != B_OK)
			return status;
		ReleaseMouse(where, buttons);
	}
	return B_OK;
}


status_t
HeadlessTest::TurnWheel(float dx, float dy)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	server->RunSynchronously([&]() {
		BPoint where;
		server->GetMouse(&where, NULL);
		server->HandleWheel(dx, dy, server->WindowIDAt(where));
	});
	return B_OK;
}


status_t
HeadlessTest::KeyDown(int32 key, uint32 modifiers, const char* text, bool repeat)
{
	return key_event(true, key, modifiers, text, repeat);
}


// Releasing the key releases the modifiers that came with it.
status_t
HeadlessTest::KeyUp(int32 key, uint32 modifiers, const char* text)
{
	return key_event(false, key, modifiers, text, false);
}


status_t
HeadlessTest::PressKey(int32 key, uint32 modifiers, const char* text)
{
	status_t status = KeyDown(key, modifiers, text);
	if (status != B_OK)
		return status;
	return KeyUp(key, modifiers, text);
}


status_t
HeadlessTest::TypeText(const char* text)
{
	if (headless_server() == NULL)
		return B_NO_INIT;
	if (text == NULL)
		return B_BAD_VALUE;

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

		int32 key;
		uint32 modifiers;
		if (i == 1 && KeyForCharacter(character[0], &key, &modifiers)) {
			const char* typed = character;
			// Return and Tab type their control bytes, as the keys do.
			if (key == kKeyReturn || key == kKeyTab)
				typed = NULL;
			PressKey(key, modifiers, typed);
		} else
			KeyDown(0, 0, character);
	}
	return B_OK;
}


status_t
HeadlessTest::CloseBox(ServerWindow* window)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	int32 id = window->ID();
	server->RunSynchronously([&]() { server->HandleCloseRequested(id); });
	return B_OK;
}


status_t
HeadlessTest::ZoomButton(ServerWindow* window)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	int32 id = window->ID();
	server->RunSynchronously([&]() { server->HandleZoomRequested(id); });
	return B_OK;
}


status_t
HeadlessTest::DragWindow(ServerWindow* window, BPoint leftTop)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	int32 id = window->ID();
	server->RunSynchronously([&]() { server->HandleUserMove(id, leftTop); });
	return B_OK;
}


status_t
HeadlessTest::DragResize(ServerWindow* window, int32 width, int32 height)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	if (width < 0 || height < 0)
		return B_BAD_VALUE;
	int32 id = window->ID();
	server->RunSynchronously([&]() { server->HandleUserResize(id, width, height); });
	return B_OK;
}


status_t
HeadlessTest::SetMinimized(ServerWindow* window, bool minimized)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	int32 id = window->ID();
	server->RunSynchronously([&]() { server->HandleMinimized(id, minimized); });
	return B_OK;
}


status_t
HeadlessTest::DropFile(ServerWindow* window, BPoint where, const char* path)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	if (path == NULL)
		return B_BAD_VALUE;
	int32 id = window->ID();
	std::string file(path);
	server->RunSynchronously([&]() {
		move_pointer(server, where);
		server->HandleFileDropped(id, file);
	});
	return B_OK;
}


status_t
HeadlessTest::QuitDisplay()
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	server->RunSynchronously([&]() { server->HandleQuitRequested(); });
	return B_OK;
}


status_t
HeadlessTest::AdvanceClock(bigtime_t amount)
{
	HeadlessBackend* backend;
	DisplayServer* server = headless_server(&backend);
	if (server == NULL)
		return B_NO_INIT;
	server->RunSynchronously([&]() { backend->AdvanceClock(amount); });
	return B_OK;
}


status_t
HeadlessTest::WaitForIdle(bigtime_t timeout)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	bigtime_t deadline = monotonic_now() + timeout;
	server->RunSynchronously([]() {});
	status_t status = wait_for_application_loopers_idle(
		std::max(deadline - monotonic_now(), (bigtime_t)0));
	// What the loopers did last (presents, window changes) is queued at the server.
	server->RunSynchronously([]() {});
	return status;
}


status_t
HeadlessTest::ScreenPixels(std::vector<uint32>& pixels, int32* width, int32* height)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;

	server->RunSynchronously([&]() {
		BRect screen = server->ScreenFrame();
		int32 screenWidth = screen.IntegerWidth() + 1;
		int32 screenHeight = screen.IntegerHeight() + 1;
		pixels.assign((size_t)screenWidth * screenHeight, kDesktopColor);
		*width = screenWidth;
		*height = screenHeight;

		std::vector<int32> order = server->WindowOrder();
		for (auto id = order.rbegin(); id != order.rend(); id++) {
			ServerWindow* window = server->WindowForID(*id);
			if (window == NULL || window->IsHidden() || window->IsMinimized())
				continue;
			BRect frame = window->Frame();
			window->LockBits();
			int32 left = (int32)frame.left;
			int32 top = (int32)frame.top;
			int32 fromX = std::max(0, -left);
			int32 toX = std::min(window->Width(), screenWidth - left);
			for (int32 y = std::max(0, -top);
					y < window->Height() && top + y < screenHeight; y++) {
				if (fromX >= toX)
					break;
				memcpy(&pixels[(size_t)(top + y) * screenWidth + left + fromX],
					window->Bits() + (size_t)y * window->Width() + fromX,
					(toX - fromX) * sizeof(uint32));
			}
			window->UnlockBits();
		}
	});
	return B_OK;
}


status_t
HeadlessTest::ScreenPixel(BPoint where, uint32* pixel)
{
	std::vector<uint32> pixels;
	int32 width;
	int32 height;
	status_t status = ScreenPixels(pixels, &width, &height);
	if (status != B_OK)
		return status;
	int32 x = (int32)where.x;
	int32 y = (int32)where.y;
	if (x < 0 || y < 0 || x >= width || y >= height)
		return B_BAD_VALUE;
	*pixel = pixels[(size_t)y * width + x];
	return B_OK;
}


status_t
HeadlessTest::WindowPixel(ServerWindow* window, BPoint where, uint32* pixel)
{
	DisplayServer* server = headless_server();
	if (server == NULL)
		return B_NO_INIT;
	status_t status = B_ERROR;
	server->RunSynchronously([&]() {
		status = server->Backend()->ReadShownPixel(window, (int32)where.x,
			(int32)where.y, pixel);
	});
	return status;
}


status_t
HeadlessTest::SaveScreenPNG(const char* path)
{
	std::vector<uint32> pixels;
	int32 width;
	int32 height;
	status_t status = ScreenPixels(pixels, &width, &height);
	if (status != B_OK)
		return status;
	return WritePNG(pixels.data(), width, height, width * 4, path);
}


status_t
HeadlessTest::SaveWindowPNG(ServerWindow* window, const char* path)
{
	if (headless_server() == NULL)
		return B_NO_INIT;
	window->LockBits();
	std::vector<uint32> pixels(window->Bits(),
		window->Bits() + (size_t)window->Width() * window->Height());
	int32 width = window->Width();
	int32 height = window->Height();
	window->UnlockBits();
	if (width == 0 || height == 0)
		return B_BAD_VALUE;
	return WritePNG(pixels.data(), width, height, width * 4, path);
}


int32
HeadlessTest::PresentCount(ServerWindow* window)
{
	HeadlessBackend* backend;
	DisplayServer* server = headless_server(&backend);
	if (server == NULL)
		return 0;
	int32 count = 0;
	int32 id = window->ID();
	server->RunSynchronously([&]() { count = backend->PresentCount(id); });
	return count;
}


BRect
HeadlessTest::PresentedArea(ServerWindow* window)
{
	HeadlessBackend* backend;
	DisplayServer* server = headless_server(&backend);
	if (server == NULL)
		return BRect();
	BRect area;
	int32 id = window->ID();
	server->RunSynchronously([&]() { area = backend->PresentedArea(id); });
	return area;
}


bool
HeadlessTest::PointerCaptured()
{
	HeadlessBackend* backend;
	DisplayServer* server = headless_server(&backend);
	if (server == NULL)
		return false;
	bool captured = false;
	server->RunSynchronously([&]() { captured = backend->PointerCaptured(); });
	return captured;
}

}	// namespace BPrivate
