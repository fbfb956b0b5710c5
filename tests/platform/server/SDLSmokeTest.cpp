// The SDL backend against a private Xvfb server: a window shows what is presented, and
// keys from SDL become BeOS keys.

#include "ServerTestSupport.h"

#include "server/DisplayBackend.h"
#include "server/KeyMap.h"

#include <InterfaceDefs.h>

#include <SDL.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace BPrivate;

// The libraries SDL opens and closes again (X11, GL) leave allocations behind that the
// leak checker cannot name once they are unloaded; the server's own leaks are checked by
// the headless tests.
extern "C" const char*
__asan_default_options()
{
	return "detect_leaks=0";
}


// Mesa's software GL driver, which SDL may load, is not built for ThreadSanitizer.
extern "C" const char*
__tsan_default_suppressions()
{
	return "called_from_lib:swrast_dri.so\nrace:swrast_dri.so\n";
}

namespace {

bool
find_program(const char* name, std::string& path)
{
	const char* search = getenv("PATH");
	std::string folders = search != NULL ? search : "/usr/bin:/bin";
	size_t start = 0;
	while (start <= folders.size()) {
		size_t end = folders.find(':', start);
		if (end == std::string::npos)
			end = folders.size();
		std::string candidate = folders.substr(start, end - start) + "/" + name;
		if (access(candidate.c_str(), X_OK) == 0) {
			path = candidate;
			return true;
		}
		start = end + 1;
	}
	return false;
}


class SDLSmokeTest : public ::testing::Test {
protected:
	void TearDown() override
	{
		DisplayServer::Stop();
		if (fXvfb > 0) {
			kill(fXvfb, SIGTERM);
			waitpid(fXvfb, NULL, 0);
		}
	}

	// Starts Xvfb on a display number it picks itself; false when it cannot.
	bool StartXvfb(std::string& display)
	{
		std::string program;
		if (!find_program("Xvfb", program))
			return false;
		int fds[2];
		if (pipe(fds) != 0)
			return false;
		fXvfb = fork();
		if (fXvfb == 0) {
			close(fds[0]);
			std::string fd = std::to_string(fds[1]);
			execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0",
				"640x480x24", "-nolisten", "tcp", (char*)NULL);
			_exit(127);
		}
		close(fds[1]);
		if (fXvfb < 0) {
			close(fds[0]);
			return false;
		}
		// Xvfb writes the display number once it accepts connections.
		char buffer[32] = {};
		size_t length = 0;
		struct pollfd wait = { fds[0], POLLIN, 0 };
		while (length < sizeof(buffer) - 1 && poll(&wait, 1, 20000) > 0) {
			ssize_t got = read(fds[0], buffer + length, sizeof(buffer) - 1 - length);
			if (got <= 0)
				break;
			length += got;
			if (memchr(buffer, '\n', length) != NULL)
				break;
		}
		close(fds[0]);
		if (length == 0)
			return false;
		display = std::string(":") + std::to_string(atoi(buffer));
		return true;
	}

	pid_t	fXvfb = -1;
};


void
push_key(SDL_EventType type, SDL_Scancode scancode, SDL_Keycode symbol, Uint16 modifiers)
{
	SDL_Event event;
	memset(&event, 0, sizeof(event));
	event.type = type;
	event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
	event.key.keysym.scancode = scancode;
	event.key.keysym.sym = symbol;
	event.key.keysym.mod = modifiers;
	SDL_PushEvent(&event);
}


void
push_text(const char* text)
{
	SDL_Event event;
	memset(&event, 0, sizeof(event));
	event.type = SDL_TEXTINPUT;
	strncpy(event.text.text, text, sizeof(event.text.text) - 1);
	SDL_PushEvent(&event);
}

}	// namespace


TEST_F(SDLSmokeTest, StartWithoutDisplaySaysWhy)
{
	std::string savedDisplay = getenv("DISPLAY") != NULL ? getenv("DISPLAY") : "";
	unsetenv("DISPLAY");
	unsetenv("WAYLAND_DISPLAY");
	setenv("QUORREL_BACKEND", "sdl", 1);
	std::string error;
	status_t status = DisplayServer::Start(&error);
	if (!savedDisplay.empty())
		setenv("DISPLAY", savedDisplay.c_str(), 1);
	if (status == B_OK)
		GTEST_SKIP() << "SDL reached a display without DISPLAY";
	EXPECT_NE(error.find("DISPLAY"), std::string::npos) << error;
	EXPECT_EQ(DisplayServer::Default(), nullptr);
}


TEST_F(SDLSmokeTest, WindowShowsPresentedFrameAndKeysMap)
{
	std::string display;
	if (!StartXvfb(display))
		GTEST_SKIP() << "Xvfb is not available";
	setenv("DISPLAY", display.c_str(), 1);
	setenv("QUORREL_BACKEND", "sdl", 1);
#ifdef QUORREL_TSAN
	// The GL drivers run threads of their own that ThreadSanitizer cannot see into.
	setenv("SDL_RENDER_DRIVER", "software", 1);
	setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
#endif
	std::string error;
	ASSERT_EQ(DisplayServer::Start(&error), B_OK) << error;
	DisplayServer* server = DisplayServer::Default();
	EXPECT_STREQ(server->BackendName(), "sdl");
	EXPECT_EQ(server->ScreenFrame(), BRect(0, 0, 639, 479));

	TestWindow window(BRect(50, 50, 149, 129));
	window->Show();
	window.Fill(0xffff0000);
	uint32 pixel = 0;
	server->RunSynchronously([&]() {
		ASSERT_EQ(server->Backend()->ReadShownPixel(window.Get(), 10, 10, &pixel), B_OK);
	});
	EXPECT_EQ(pixel & 0x00ffffff, 0x00ff0000u);

	// Only the presented part changes.
	window->LockBits();
	window->Bits()[20 * window->Width() + 30] = 0xff00ff00;
	window->Bits()[21 * window->Width() + 30] = 0xff00ff00;
	window->UnlockBits();
	window->Present(BRect(30, 20, 30, 20));
	server->RunSynchronously([&]() {
		server->Backend()->ReadShownPixel(window.Get(), 30, 20, &pixel);
	});
	EXPECT_EQ(pixel & 0x00ffffff, 0x0000ff00u);
	server->RunSynchronously([&]() {
		server->Backend()->ReadShownPixel(window.Get(), 30, 21, &pixel);
	});
	EXPECT_EQ(pixel & 0x00ffffff, 0x00ff0000u);

	window->ResizeTo(59, 39);
	window.Fill(0xff0000ff);
	server->RunSynchronously([&]() {
		server->Backend()->ReadShownPixel(window.Get(), 59, 39, &pixel);
	});
	EXPECT_EQ(pixel & 0x00ffffff, 0x000000ffu);

	window->Activate();
	server->RunSynchronously([]() {});
	if (!window->IsActive())
		GTEST_SKIP() << "the window did not keep the focus on this display";
	window.listener.Take();

	// A printable key and its text make one key-down carrying the text.
	push_key(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_NONE);
	push_text("a");
	push_key(SDL_KEYUP, SDL_SCANCODE_A, SDLK_a, KMOD_NONE);
	// Ctrl+S types no text: the letter comes from the key map.
	push_key(SDL_KEYDOWN, SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_LCTRL);
	push_key(SDL_KEYDOWN, SDL_SCANCODE_S, SDLK_s, KMOD_LCTRL);
	push_key(SDL_KEYUP, SDL_SCANCODE_S, SDLK_s, KMOD_LCTRL);
	push_key(SDL_KEYDOWN, SDL_SCANCODE_LEFT, SDLK_LEFT, KMOD_NONE);

	// The SDL queue and the server's command queue are two roads; wait until the keys
	// have come through, or give up after a generous while.
	std::vector<ServerEvent> downs;
	for (int round = 0; round < 500 && downs.size() < 3; round++) {
		server->RunSynchronously([]() {});
		for (const ServerEvent& event : window.listener.Take(kServerKeyDown))
			downs.push_back(event);
		if (downs.size() < 3)
			usleep(10000);
	}
	ASSERT_EQ(downs.size(), 3u);
	EXPECT_EQ(downs[0].key, 0x3c);
	EXPECT_STREQ(downs[0].bytes, "a");
	EXPECT_EQ(downs[1].key, 0x3d);
	EXPECT_STREQ(downs[1].bytes, "s");
	EXPECT_NE(downs[1].modifiers & B_COMMAND_KEY, 0u);
	EXPECT_EQ(downs[2].key, kKeyLeftArrow);
	EXPECT_EQ(downs[2].bytes[0], B_LEFT_ARROW);

	std::string text;
	ASSERT_EQ(server->SetClipboardText("clip"), B_OK);
	ASSERT_EQ(server->GetClipboardText(text), B_OK);
	EXPECT_EQ(text, "clip");
}
