#include "server/HeadlessBackend.h"

#include "server/ServerWindow.h"

#include <cstdlib>
#include <cstring>

namespace BPrivate {

static const int32 kDefaultWidth = 1024;
static const int32 kDefaultHeight = 768;
static const int32 kLargestScreen = 16384;


HeadlessBackend::HeadlessBackend()
	:
	fWoken(false),
	fCaptured(false),
	// Far enough from zero that a first click never looks like a second one.
	fClock(1000000000)
{
}


bool
HeadlessBackend::ParseScreenSize(const char* text, int32* width, int32* height)
{
	if (text == NULL)
		return false;
	char* end;
	long w = strtol(text, &end, 10);
	if (end == text || (*end != 'x' && *end != 'X'))
		return false;
	const char* second = end + 1;
	long h = strtol(second, &end, 10);
	if (end == second || *end != '\0')
		return false;
	if (w < 1 || h < 1 || w > kLargestScreen || h > kLargestScreen)
		return false;
	*width = (int32)w;
	*height = (int32)h;
	return true;
}


status_t
HeadlessBackend::Init(DisplayServer* server, std::string& error)
{
	int32 width = kDefaultWidth;
	int32 height = kDefaultHeight;
	const char* size = getenv("QUORREL_SCREEN");
	if (size != NULL && size[0] != '\0' && !ParseScreenSize(size, &width, &height)) {
		error = std::string("QUORREL_SCREEN=\"") + size
			+ "\" is not a screen size such as 1024x768";
		return B_BAD_VALUE;
	}
	fScreen.Set(0, 0, width - 1, height - 1);
	return B_OK;
}


void
HeadlessBackend::WaitForEvents()
{
	std::unique_lock<std::mutex> locker(fWakeLock);
	fWakeCondition.wait(locker, [this]() { return fWoken; });
	fWoken = false;
}


void
HeadlessBackend::Wake()
{
	std::lock_guard<std::mutex> locker(fWakeLock);
	fWoken = true;
	fWakeCondition.notify_one();
}


void
HeadlessBackend::WindowCreated(ServerWindow* window)
{
	fPresents[window->ID()] = Presents();
}


void
HeadlessBackend::WindowDestroyed(ServerWindow* window)
{
	fPresents.erase(window->ID());
}


void
HeadlessBackend::WindowPresent(ServerWindow* window, BRect dirty)
{
	Presents& presents = fPresents[window->ID()];
	presents.count++;
	presents.area = presents.area.IsValid() ? (presents.area | dirty) : dirty;
}


int32
HeadlessBackend::PresentCount(int32 windowID) const
{
	auto found = fPresents.find(windowID);
	return found != fPresents.end() ? found->second.count : 0;
}


BRect
HeadlessBackend::PresentedArea(int32 windowID) const
{
	auto found = fPresents.find(windowID);
	return found != fPresents.end() ? found->second.area : BRect();
}


status_t
HeadlessBackend::GetClipboardText(std::string& text)
{
	text = fClipboard;
	return B_OK;
}


status_t
HeadlessBackend::SetClipboardText(const std::string& text)
{
	fClipboard = text;
	return B_OK;
}


status_t
HeadlessBackend::ReadShownPixel(ServerWindow* window, int32 x, int32 y, uint32* pixel)
{
	window->LockBits();
	status_t status = B_BAD_VALUE;
	if (x >= 0 && y >= 0 && x < window->Width() && y < window->Height()) {
		*pixel = window->Bits()[(size_t)y * window->Width() + x];
		status = B_OK;
	}
	window->UnlockBits();
	return status;
}

}	// namespace BPrivate
