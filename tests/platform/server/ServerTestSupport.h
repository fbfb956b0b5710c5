/*
 * Helpers for the display server tests: a listener that records what it hears, and a
 * window that removes itself from the server when the test ends.
 */
#ifndef _SERVER_TEST_SUPPORT_H
#define _SERVER_TEST_SUPPORT_H

#include "server/DisplayServer.h"
#include "server/ServerEvent.h"
#include "server/ServerWindow.h"
#include "server/ServerWindowListener.h"

#include <mutex>
#include <vector>

class RecordingListener : public BPrivate::ServerWindowListener {
public:
	void EventReceived(BPrivate::ServerWindow* window,
		const BPrivate::ServerEvent& event) override
	{
		std::lock_guard<std::mutex> locker(fLock);
		fEvents.push_back(event);
	}

	// Hands over what was recorded so far and starts afresh.
	std::vector<BPrivate::ServerEvent> Take()
	{
		std::lock_guard<std::mutex> locker(fLock);
		std::vector<BPrivate::ServerEvent> events;
		events.swap(fEvents);
		return events;
	}

	std::vector<BPrivate::ServerEvent> Take(int32 type)
	{
		std::vector<BPrivate::ServerEvent> matching;
		for (const BPrivate::ServerEvent& event : Take()) {
			if (event.type == type)
				matching.push_back(event);
		}
		return matching;
	}

private:
	std::mutex							fLock;
	std::vector<BPrivate::ServerEvent>	fEvents;
};


class TestWindow {
public:
	TestWindow(BRect frame, window_feel feel = B_NORMAL_WINDOW_FEEL, uint32 flags = 0,
		window_look look = B_TITLED_WINDOW_LOOK)
	{
		BPrivate::ServerWindowSettings settings;
		settings.frame = frame;
		settings.title = "test";
		settings.look = look;
		settings.feel = feel;
		settings.flags = flags;
		fWindow = BPrivate::DisplayServer::Default()->CreateWindow(settings, &listener);
	}

	~TestWindow()
	{
		Destroy();
	}

	void Destroy()
	{
		if (fWindow != NULL)
			BPrivate::DisplayServer::Default()->DestroyWindow(fWindow);
		fWindow = NULL;
	}

	BPrivate::ServerWindow* operator->() const { return fWindow; }
	BPrivate::ServerWindow* Get() const { return fWindow; }

	void Fill(uint32 color)
	{
		fWindow->LockBits();
		uint32* bits = fWindow->Bits();
		for (int32 i = 0; i < fWindow->Width() * fWindow->Height(); i++)
			bits[i] = color;
		fWindow->UnlockBits();
		fWindow->Present(BRect(0, 0, fWindow->Width() - 1, fWindow->Height() - 1));
	}

	RecordingListener	listener;

private:
	BPrivate::ServerWindow*	fWindow;
};

#endif	// _SERVER_TEST_SUPPORT_H
