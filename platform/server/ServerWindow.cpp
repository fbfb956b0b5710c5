#include "server/ServerWindow.h"

#include "server/DisplayBackend.h"
#include "server/DisplayServer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace BPrivate {

static const uint32 kNewPixel = 0xffffffff;
static const int32 kLargestExtent = 16384;


ServerWindow::ServerWindow(DisplayServer* server, int32 id,
	const ServerWindowSettings& settings, ServerWindowListener* listener)
	:
	fServer(server),
	fID(id),
	fListener(listener),
	fFrame(settings.frame),
	fTitle(settings.title),
	fLook(settings.look),
	fFeel(settings.feel),
	fFlags(settings.flags),
	fWorkspaces(settings.workspaces),
	fHidden(true),
	fMinimized(false),
	fPresentQueued(false),
	fBackendData(NULL),
	fWidth(0),
	fHeight(0)
{
	fFrame.left = std::round(fFrame.left);
	fFrame.top = std::round(fFrame.top);
	int32 width = _PixelSize(settings.frame.Width());
	int32 height = _PixelSize(settings.frame.Height());
	fFrame.right = fFrame.left + width - 1;
	fFrame.bottom = fFrame.top + height - 1;
	_ResizeBits(width, height);
}


ServerWindow::~ServerWindow()
{
}


// The number of pixels an extent of BeOS coordinates covers: right - left + 1.
int32
ServerWindow::_PixelSize(float extent)
{
	if (!std::isfinite(extent) || extent < 0)
		return 0;
	// Keep the framebuffer within what a screen could ever show.
	if (extent >= kLargestExtent)
		return kLargestExtent;
	return (int32)std::lround(extent) + 1;
}


void
ServerWindow::_ResizeBits(int32 width, int32 height)
{
	std::lock_guard<std::mutex> locker(fBitsLock);
	if (width == fWidth && height == fHeight)
		return;
	std::vector<uint32> bits((size_t)width * height, kNewPixel);
	int32 keepWidth = std::min(width, fWidth);
	int32 keepHeight = std::min(height, fHeight);
	for (int32 y = 0; y < keepHeight; y++) {
		memcpy(bits.data() + (size_t)y * width, fBits.data() + (size_t)y * fWidth,
			keepWidth * sizeof(uint32));
	}
	fBits.swap(bits);
	fWidth = width;
	fHeight = height;
}


BRect
ServerWindow::Frame() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fFrame;
}


std::string
ServerWindow::Title() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fTitle;
}


window_look
ServerWindow::Look() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fLook;
}


window_feel
ServerWindow::Feel() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fFeel;
}


uint32
ServerWindow::Flags() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fFlags;
}


uint32
ServerWindow::Workspaces() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fWorkspaces;
}


bool
ServerWindow::IsHidden() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fHidden;
}


bool
ServerWindow::IsMinimized() const
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	return fMinimized;
}


bool
ServerWindow::IsActive() const
{
	return fServer->ActiveWindowID() == fID;
}


void
ServerWindow::Show()
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		if (!fHidden)
			return;
		fHidden = false;
		fServer->_Raise(this);
	}
	fServer->_WindowChanged(this, kWindowChangedVisibility | kWindowChangedOrder);
}


void
ServerWindow::Hide()
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		if (fHidden)
			return;
		fHidden = true;
	}
	fServer->_WindowChanged(this, kWindowChangedVisibility);
}


void
ServerWindow::Activate(bool active)
{
	fServer->_Activate(this, active);
}


void
ServerWindow::Minimize(bool minimize)
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		if (fMinimized == minimize)
			return;
		fMinimized = minimize;
	}
	fServer->_WindowChanged(this, kWindowChangedMinimized);
}


void
ServerWindow::MoveTo(BPoint leftTop)
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		leftTop.x = std::round(leftTop.x);
		leftTop.y = std::round(leftTop.y);
		if (!std::isfinite(leftTop.x) || !std::isfinite(leftTop.y)
			|| leftTop == fFrame.LeftTop())
			return;
		fFrame.OffsetTo(leftTop);
	}
	fServer->_WindowChanged(this, kWindowChangedPosition);
}


void
ServerWindow::ResizeTo(float width, float height)
{
	int32 pixelWidth = _PixelSize(width);
	int32 pixelHeight = _PixelSize(height);
	_ResizeBits(pixelWidth, pixelHeight);
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		fFrame.right = fFrame.left + pixelWidth - 1;
		fFrame.bottom = fFrame.top + pixelHeight - 1;
	}
	fServer->_WindowChanged(this, kWindowChangedSize);
}


void
ServerWindow::SetTitle(const char* title)
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		fTitle = title != NULL ? title : "";
	}
	fServer->_WindowChanged(this, kWindowChangedTitle);
}


void
ServerWindow::SetLook(window_look look)
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		if (fLook == look)
			return;
		fLook = look;
	}
	fServer->_WindowChanged(this, kWindowChangedLook);
}


void
ServerWindow::SetFeel(window_feel feel)
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		if (fFeel == feel)
			return;
		fFeel = feel;
		fServer->_Raise(this);
	}
	fServer->_WindowChanged(this, kWindowChangedFeel | kWindowChangedOrder);
}


void
ServerWindow::SetFlags(uint32 flags)
{
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		if (fFlags == flags)
			return;
		fFlags = flags;
	}
	fServer->_WindowChanged(this, kWindowChangedFlags);
}


void
ServerWindow::SetWorkspaces(uint32 workspaces)
{
	std::lock_guard<std::mutex> locker(fServer->fStateLock);
	fWorkspaces = workspaces;
}


void
ServerWindow::LockBits()
{
	fBitsLock.lock();
}


void
ServerWindow::UnlockBits()
{
	fBitsLock.unlock();
}


void
ServerWindow::Present(BRect dirty)
{
	if (!dirty.IsValid())
		return;
	dirty.left = std::floor(dirty.left);
	dirty.top = std::floor(dirty.top);
	dirty.right = std::ceil(dirty.right);
	dirty.bottom = std::ceil(dirty.bottom);

	bool queue;
	{
		std::lock_guard<std::mutex> locker(fServer->fStateLock);
		fPendingDirty = fPendingDirty.IsValid() ? (fPendingDirty | dirty) : dirty;
		queue = !fPresentQueued;
		fPresentQueued = true;
	}
	if (queue)
		fServer->_QueuePresent(this);
}


}	// namespace BPrivate
