/*
 * HeadlessBackend: a screen without a display, for tests. The screen is
 * QUORREL_SCREEN=WxH pixels (1024x768 by default); input comes only from the test API
 * (HeadlessTest.h). The windows' framebuffers are what the screen shows; the test API
 * composes them in stacking order when it needs a picture of the screen.
 */
#ifndef _HEADLESS_BACKEND_H
#define _HEADLESS_BACKEND_H

#include "server/DisplayBackend.h"

#include <SupportDefs.h>

#include <condition_variable>
#include <map>
#include <mutex>

namespace BPrivate {

class HeadlessBackend : public DisplayBackend {
public:
								HeadlessBackend();

	virtual	const char*			Name() const { return "headless"; }
	virtual	status_t			Init(DisplayServer* server, std::string& error);
	virtual	void				Shutdown() {}
	virtual	BRect				ScreenFrame() const { return fScreen; }

	virtual	void				WaitForEvents();
	virtual	void				Wake();

	virtual	void				WindowCreated(ServerWindow* window);
	virtual	void				WindowDestroyed(ServerWindow* window);
	virtual	void				WindowChanged(ServerWindow* window, uint32 changes) {}
	virtual	void				WindowPresent(ServerWindow* window, BRect dirty);

	virtual	void				SetPointerCapture(bool capture) { fCaptured = capture; }

	virtual	status_t			GetClipboardText(std::string& text);
	virtual	status_t			SetClipboardText(const std::string& text);

	virtual	status_t			ReadShownPixel(ServerWindow* window, int32 x, int32 y,
									uint32* pixel);

	// Server thread (the test API runs there through RunSynchronously).
			bool				PointerCaptured() const { return fCaptured; }
			int32				PresentCount(int32 windowID) const;
			BRect				PresentedArea(int32 windowID) const;

	// The clock of click counting; it moves only when a test moves it.
			bigtime_t			Clock() const { return fClock; }
			void				AdvanceClock(bigtime_t amount) { fClock += amount; }

	// Reads "WxH"; false when text is not two sizes from 1 to 16384.
	static	bool				ParseScreenSize(const char* text, int32* width,
									int32* height);

private:
	struct Presents {
		int32	count = 0;
		BRect	area;
	};

			BRect				fScreen;
			std::mutex			fWakeLock;
			std::condition_variable fWakeCondition;
			bool				fWoken;
			bool				fCaptured;
			bigtime_t			fClock;
			std::string			fClipboard;
			std::map<int32, Presents> fPresents;
};

}	// namespace BPrivate

#endif	// _HEADLESS_BACKEND_H
