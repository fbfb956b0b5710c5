#include <View.h>

#include <AppDefs.h>
#include <Bitmap.h>
#include <Message.h>
#include <OS.h>
#include <Window.h>

#include "interface/render/Painter.h"
#include "interface/view/ScrollObserver.h"
#include "server/DisplayServer.h"
#include "server/ServerWindow.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using BPrivate::Painter;


static const rgb_color kDefaultViewColor = { 255, 255, 255, 255 };


BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	:
	BHandler(name),
	fWindow(NULL),
	fParent(NULL),
	fFrame(frame),
	fBoundsOrigin(0, 0),
	fResizingMode(resizingMode),
	fFlags(flags),
	fHideLevel(0),
	fViewColor(kDefaultViewColor),
	fEventMask(0),
	fEventOptions(0),
	fMouseEventMask(0),
	fInLineArray(false),
	fUpdateClip(NULL),
	fPointerInside(false),
	fVisibleGeneration(0)
{
	if (!std::isfinite(fFrame.left) || !std::isfinite(fFrame.top)
		|| !std::isfinite(fFrame.right) || !std::isfinite(fFrame.bottom)) {
		fFrame = BRect(0, 0, -1, -1);
	}
	fState.font = *be_plain_font;
}


BView::~BView()
{
	if (fParent != NULL)
		fParent->RemoveChild(this);

	while (!fChildren.empty()) {
		BView* child = fChildren.back();
		RemoveChild(child);
		delete child;
	}

	std::vector<BPrivate::ScrollObserver*> observers;
	observers.swap(fScrollObservers);
	for (BPrivate::ScrollObserver* observer : observers)
		observer->TargetDeleted(this);
}


// #pragma mark - hooks


void
BView::AttachedToWindow()
{
}


void
BView::AllAttached()
{
}


void
BView::DetachedFromWindow()
{
}


void
BView::AllDetached()
{
}


void
BView::Draw(BRect updateRect)
{
}


void
BView::DrawAfterChildren(BRect updateRect)
{
}


void
BView::MessageReceived(BMessage* message)
{
	if (message->what == B_MOUSE_WHEEL_CHANGED && !fScrollObservers.empty()) {
		float dx = 0;
		float dy = 0;
		message->FindFloat("be:wheel_delta_x", &dx);
		message->FindFloat("be:wheel_delta_y", &dy);
		bool handled = false;
		std::vector<BPrivate::ScrollObserver*> observers = fScrollObservers;
		for (BPrivate::ScrollObserver* observer : observers)
			handled |= observer->TargetWheelTurned(this, dx, dy);
		if (handled)
			return;
	}
	BHandler::MessageReceived(message);
}


void
BView::MouseDown(BPoint where)
{
}


void
BView::MouseUp(BPoint where)
{
}


void
BView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
}


void
BView::KeyDown(const char* bytes, int32 numBytes)
{
	// Tab without Ctrl or Alt moves the focus on, as R5's views do unless they take
	// the key themselves.
	if (fWindow == NULL || bytes == NULL || numBytes < 1 || bytes[0] != B_TAB)
		return;
	int32 modifiers = 0;
	BMessage* current = fWindow->CurrentMessage();
	if (current != NULL)
		current->FindInt32("modifiers", &modifiers);
	if ((modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) != 0)
		return;
	fWindow->_KeyboardNavigation((modifiers & B_SHIFT_KEY) != 0);
}


void
BView::KeyUp(const char* bytes, int32 numBytes)
{
}


void
BView::Pulse()
{
}


void
BView::WindowActivated(bool active)
{
}


void
BView::FrameMoved(BPoint newPosition)
{
}


void
BView::FrameResized(float newWidth, float newHeight)
{
}


void
BView::TargetedByScrollBar(BScrollBar* scrollBar)
{
}


void
BView::MakeFocus(bool focus)
{
	if (fWindow == NULL)
		return;
	BView* previous = fWindow->fFocus;
	if (focus) {
		if (previous == this)
			return;
		fWindow->fFocus = this;
		if (previous != NULL)
			previous->MakeFocus(false);
	} else if (previous == this)
		fWindow->fFocus = NULL;
}


void
BView::SetFlags(uint32 flags)
{
	uint32 old = fFlags;
	fFlags = flags;
	if (fWindow == NULL)
		return;
	if (((old ^ flags) & B_PULSE_NEEDED) != 0)
		fWindow->_UpdatePulse();
	if (((old ^ flags) & (B_WILL_DRAW | B_DRAW_ON_CHILDREN)) != 0) {
		fWindow->_LayoutChanged();
		Invalidate();
	}
}


void
BView::SetResizingMode(uint32 mode)
{
	fResizingMode = mode;
}


void
BView::Show()
{
	if (fHideLevel <= 0)
		return;
	fHideLevel--;
	if (fHideLevel == 0 && fWindow != NULL) {
		fWindow->_LayoutChanged();
		fWindow->_Invalidate(_FrameInWindow());
	}
}


void
BView::Hide()
{
	fHideLevel++;
	if (fHideLevel == 1 && fWindow != NULL) {
		BRect frame = _FrameInWindow();
		fWindow->_LayoutChanged();
		fWindow->_Invalidate(frame);
	}
}


void
BView::ScrollTo(BPoint where)
{
	if (!std::isfinite(where.x) || !std::isfinite(where.y) || where == fBoundsOrigin)
		return;
	fBoundsOrigin = where;
	if (fWindow != NULL) {
		fWindow->_LayoutChanged();
		fWindow->_Invalidate(_FrameInWindow());
	}
	std::vector<BPrivate::ScrollObserver*> observers = fScrollObservers;
	for (BPrivate::ScrollObserver* observer : observers)
		observer->TargetScrolled(this, where);
}


void
BView::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


void
BView::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = fFrame.Width();
	if (height != NULL)
		*height = fFrame.Height();
}


void
BView::SetViewColor(rgb_color color)
{
	if (color == fViewColor)
		return;
	fViewColor = color;
	Invalidate();
}


void
BView::SetFont(const BFont* font, uint32 mask)
{
	if (font == NULL)
		return;
	if ((mask & B_FONT_ALL) == B_FONT_ALL) {
		fState.font = *font;
		return;
	}
	BFont& own = fState.font;
	if ((mask & B_FONT_FAMILY_AND_STYLE) != 0)
		own.SetFamilyAndStyle(font->FamilyAndStyle());
	if ((mask & B_FONT_SIZE) != 0)
		own.SetSize(font->Size());
	if ((mask & B_FONT_SHEAR) != 0)
		own.SetShear(font->Shear());
	if ((mask & B_FONT_ROTATION) != 0)
		own.SetRotation(font->Rotation());
	if ((mask & B_FONT_SPACING) != 0)
		own.SetSpacing(font->Spacing());
	if ((mask & B_FONT_ENCODING) != 0)
		own.SetEncoding(font->Encoding());
	if ((mask & B_FONT_FACE) != 0)
		own.SetFace(font->Face());
	if ((mask & B_FONT_FLAGS) != 0)
		own.SetFlags(font->Flags());
}


// #pragma mark - hierarchy


void
BView::AddChild(BView* child, BView* before)
{
	if (child == NULL)
		return;
	if (child->fParent != NULL || child->fWindow != NULL) {
		debugger("AddChild failed - the view already has a parent.");
		return;
	}
	if (child == this || _IsDescendantOf(child)) {
		debugger("AddChild failed - a view cannot contain itself.");
		return;
	}

	std::vector<BView*>::iterator position = fChildren.end();
	if (before != NULL) {
		position = std::find(fChildren.begin(), fChildren.end(), before);
		if (position == fChildren.end()) {
			debugger("AddChild failed - the sibling is not a child of this view.");
			return;
		}
	}
	fChildren.insert(position, child);
	child->fParent = this;

	if (fWindow != NULL) {
		fWindow->_LayoutChanged();
		child->_Attach(fWindow);
		child->_CallAllAttached();
		if (child->fWindow != NULL)
			fWindow->_Invalidate(child->_FrameInWindow());
	}
}


bool
BView::RemoveChild(BView* child)
{
	if (child == NULL || child->fParent != this)
		return false;

	if (child->fWindow != NULL) {
		BWindow* window = child->fWindow;
		window->_Invalidate(child->_FrameInWindow());
		child->_CallAllDetached();
		child->_Detach();
		window->_LayoutChanged();
	}

	std::vector<BView*>::iterator found
		= std::find(fChildren.begin(), fChildren.end(), child);
	if (found != fChildren.end())
		fChildren.erase(found);
	child->fParent = NULL;
	return true;
}


bool
BView::RemoveSelf()
{
	if (fParent == NULL)
		return false;
	return fParent->RemoveChild(this);
}


int32
BView::CountChildren() const
{
	return (int32)fChildren.size();
}


BView*
BView::ChildAt(int32 index) const
{
	if (index < 0 || (size_t)index >= fChildren.size())
		return NULL;
	return fChildren[index];
}


BView*
BView::NextSibling() const
{
	if (fParent == NULL)
		return NULL;
	const std::vector<BView*>& siblings = fParent->fChildren;
	std::vector<BView*>::const_iterator found
		= std::find(siblings.begin(), siblings.end(), this);
	if (found == siblings.end() || found + 1 == siblings.end())
		return NULL;
	return *(found + 1);
}


BView*
BView::PreviousSibling() const
{
	if (fParent == NULL)
		return NULL;
	const std::vector<BView*>& siblings = fParent->fChildren;
	std::vector<BView*>::const_iterator found
		= std::find(siblings.begin(), siblings.end(), this);
	if (found == siblings.end() || found == siblings.begin())
		return NULL;
	return *(found - 1);
}


BView*
BView::Parent() const
{
	// The window's own top view is not shown to applications.
	if (fParent != NULL && fWindow != NULL && fParent == fWindow->fTopView)
		return NULL;
	return fParent;
}


BWindow*
BView::Window() const
{
	return fWindow;
}


BView*
BView::FindView(const char* name) const
{
	if (name == NULL)
		return NULL;
	for (BView* child : fChildren) {
		if (child->Name() != NULL && strcmp(child->Name(), name) == 0)
			return child;
		BView* found = child->FindView(name);
		if (found != NULL)
			return found;
	}
	return NULL;
}


void
BView::_Attach(BWindow* window)
{
	fWindow = window;
	window->_ViewAttached(this);
	AttachedToWindow();
	for (size_t i = 0; i < fChildren.size(); i++)
		fChildren[i]->_Attach(window);
}


void
BView::_CallAllAttached()
{
	for (size_t i = 0; i < fChildren.size(); i++)
		fChildren[i]->_CallAllAttached();
	AllAttached();
}


void
BView::_CallAllDetached()
{
	DetachedFromWindow();
	for (size_t i = 0; i < fChildren.size(); i++)
		fChildren[i]->_CallAllDetached();
	AllDetached();
}


void
BView::_Detach()
{
	for (size_t i = 0; i < fChildren.size(); i++)
		fChildren[i]->_Detach();
	if (fWindow != NULL)
		fWindow->_ViewDetached(this);
	fWindow = NULL;
	fPointerInside = false;
	fMouseEventMask = 0;
}


bool
BView::_IsDescendantOf(const BView* view) const
{
	for (const BView* parent = fParent; parent != NULL; parent = parent->fParent) {
		if (parent == view)
			return true;
	}
	return false;
}


// #pragma mark - geometry


BRect
BView::Frame() const
{
	return fFrame;
}


BRect
BView::Bounds() const
{
	return BRect(fBoundsOrigin.x, fBoundsOrigin.y, fBoundsOrigin.x + fFrame.Width(),
		fBoundsOrigin.y + fFrame.Height());
}


uint32
BView::ResizingMode() const
{
	return fResizingMode;
}


uint32
BView::Flags() const
{
	return fFlags;
}


// Window coordinates = view coordinates + _Offset().
BPoint
BView::_Offset() const
{
	BPoint offset = fFrame.LeftTop() - fBoundsOrigin;
	if (fParent != NULL)
		offset += fParent->_Offset();
	return offset;
}


BPoint
BView::_OriginInWindow() const
{
	return _Offset();
}


BRect
BView::_FrameInWindow() const
{
	BPoint offset = fParent != NULL ? fParent->_Offset() : BPoint(0, 0);
	return fFrame.OffsetByCopy(offset);
}


bool
BView::_IsVisibleInWindow() const
{
	for (const BView* view = this; view != NULL; view = view->fParent) {
		if (view->fHideLevel > 0)
			return false;
	}
	return true;
}


void
BView::_VisibleRegion(BRegion* region, bool withChildren) const
{
	region->MakeEmpty();
	if (fWindow == NULL || !_IsVisibleInWindow() || !fFrame.IsValid())
		return;

	if (!withChildren && fVisibleGeneration == fWindow->fLayoutGeneration
		&& fVisibleGeneration != 0) {
		*region = fVisibleCache;
		return;
	}

	region->Set(_FrameInWindow());
	for (const BView* view = this; view->fParent != NULL; view = view->fParent) {
		const BView* parent = view->fParent;
		BRegion parentArea(parent->_FrameInWindow());
		region->IntersectWith(&parentArea);
		bool above = false;
		for (const BView* sibling : parent->fChildren) {
			if (sibling == view) {
				above = true;
				continue;
			}
			if (above && sibling->fHideLevel == 0 && sibling->fFrame.IsValid())
				region->Exclude(sibling->_FrameInWindow());
		}
	}

	if (!withChildren) {
		if ((fFlags & B_DRAW_ON_CHILDREN) == 0) {
			for (const BView* child : fChildren) {
				if (child->fHideLevel == 0 && child->fFrame.IsValid())
					region->Exclude(child->_FrameInWindow());
			}
		}
		fVisibleCache = *region;
		fVisibleGeneration = fWindow->fLayoutGeneration;
	}
}


void
BView::MoveBy(float dx, float dy)
{
	MoveTo(fFrame.left + dx, fFrame.top + dy);
}


void
BView::MoveTo(BPoint where)
{
	MoveTo(where.x, where.y);
}


void
BView::MoveTo(float x, float y)
{
	if (!std::isfinite(x) || !std::isfinite(y))
		return;
	if (x == fFrame.left && y == fFrame.top)
		return;
	BRect old = _FrameInWindow();
	fFrame.OffsetTo(x, y);
	_MovedOrResized(old);
	_SendFrameMessage(B_VIEW_MOVED);
}


void
BView::ResizeBy(float dx, float dy)
{
	ResizeTo(fFrame.Width() + dx, fFrame.Height() + dy);
}


void
BView::ResizeTo(float width, float height)
{
	if (!std::isfinite(width) || !std::isfinite(height))
		return;
	float dx = width - fFrame.Width();
	float dy = height - fFrame.Height();
	if (dx == 0 && dy == 0)
		return;
	BRect old = _FrameInWindow();
	fFrame.right = fFrame.left + width;
	fFrame.bottom = fFrame.top + height;
	for (size_t i = 0; i < fChildren.size(); i++)
		fChildren[i]->_ParentResized(dx, dy);
	_MovedOrResized(old);
	_SendFrameMessage(B_VIEW_RESIZED);
}


void
BView::_MovedOrResized(BRect oldFrameInWindow)
{
	if (fWindow == NULL)
		return;
	fWindow->_LayoutChanged();
	BRect parentFrame = fParent != NULL ? fParent->_FrameInWindow() : oldFrameInWindow;
	fWindow->_Invalidate(oldFrameInWindow & parentFrame);
	fWindow->_Invalidate(_FrameInWindow() & parentFrame);
}


// Applies the resizing mode after the parent grew by dx, dy.
void
BView::_ParentResized(float dx, float dy)
{
	uint32 mode = fResizingMode;
	uint32 top = (mode >> 12) & 0xf;
	uint32 left = (mode >> 8) & 0xf;
	uint32 bottom = (mode >> 4) & 0xf;
	uint32 right = mode & 0xf;

	// An edge follows its own side, the far side (moves all the way) or the centre
	// (moves half the way); an edge without a rule stays where it is.
	auto move = [](uint32 rule, uint32 farSide, float delta) -> float {
		if (rule == farSide)
			return delta;
		if (rule == _VIEW_CENTER_)
			return delta / 2;
		return 0;
	};

	BRect frame = fFrame;
	frame.left += move(left, _VIEW_RIGHT_, dx);
	frame.right += right == 0 ? move(left, _VIEW_RIGHT_, dx) : move(right, _VIEW_RIGHT_, dx);
	frame.top += move(top, _VIEW_BOTTOM_, dy);
	frame.bottom += bottom == 0 ? move(top, _VIEW_BOTTOM_, dy)
		: move(bottom, _VIEW_BOTTOM_, dy);
	if (frame == fFrame)
		return;

	float widthChange = frame.Width() - fFrame.Width();
	float heightChange = frame.Height() - fFrame.Height();
	bool moved = frame.LeftTop() != fFrame.LeftTop();
	fFrame = frame;
	if (widthChange != 0 || heightChange != 0) {
		for (size_t i = 0; i < fChildren.size(); i++)
			fChildren[i]->_ParentResized(widthChange, heightChange);
		_SendFrameMessage(B_VIEW_RESIZED);
	}
	if (moved)
		_SendFrameMessage(B_VIEW_MOVED);
}


// FrameMoved and FrameResized arrive as messages, as on R5, for views that asked.
void
BView::_SendFrameMessage(uint32 what)
{
	if (fWindow == NULL || (fFlags & B_FRAME_EVENTS) == 0)
		return;
	BMessage message(what);
	message.AddInt64("when", system_time());
	if (what == B_VIEW_MOVED)
		message.AddPoint("where", fFrame.LeftTop());
	else {
		message.AddFloat("width", fFrame.Width());
		message.AddFloat("height", fFrame.Height());
	}
	fWindow->PostMessage(&message, this);
}


void
BView::ScrollBy(float dx, float dy)
{
	ScrollTo(BPoint(fBoundsOrigin.x + dx, fBoundsOrigin.y + dy));
}


void
BView::ScrollTo(float x, float y)
{
	ScrollTo(BPoint(x, y));
}


BScrollBar*
BView::ScrollBar(orientation which) const
{
	for (BPrivate::ScrollObserver* observer : fScrollObservers) {
		BScrollBar* bar = observer->ScrollBarFor(which);
		if (bar != NULL)
			return bar;
	}
	return NULL;
}


void
BView::ConvertToParent(BPoint* point) const
{
	if (point != NULL)
		*point = ConvertToParent(*point);
}


BPoint
BView::ConvertToParent(BPoint point) const
{
	return point - fBoundsOrigin + fFrame.LeftTop();
}


void
BView::ConvertFromParent(BPoint* point) const
{
	if (point != NULL)
		*point = ConvertFromParent(*point);
}


BPoint
BView::ConvertFromParent(BPoint point) const
{
	return point - fFrame.LeftTop() + fBoundsOrigin;
}


void
BView::ConvertToParent(BRect* rect) const
{
	if (rect != NULL)
		*rect = ConvertToParent(*rect);
}


BRect
BView::ConvertToParent(BRect rect) const
{
	BPoint delta = fFrame.LeftTop() - fBoundsOrigin;
	return rect.OffsetByCopy(delta);
}


void
BView::ConvertFromParent(BRect* rect) const
{
	if (rect != NULL)
		*rect = ConvertFromParent(*rect);
}


BRect
BView::ConvertFromParent(BRect rect) const
{
	BPoint delta = fBoundsOrigin - fFrame.LeftTop();
	return rect.OffsetByCopy(delta);
}


void
BView::ConvertToScreen(BPoint* point) const
{
	if (point != NULL)
		*point = ConvertToScreen(*point);
}


BPoint
BView::ConvertToScreen(BPoint point) const
{
	BPoint inWindow = point + _Offset();
	if (fWindow == NULL)
		return inWindow;
	return fWindow->ConvertToScreen(inWindow);
}


void
BView::ConvertFromScreen(BPoint* point) const
{
	if (point != NULL)
		*point = ConvertFromScreen(*point);
}


BPoint
BView::ConvertFromScreen(BPoint point) const
{
	BPoint inWindow = fWindow != NULL ? fWindow->ConvertFromScreen(point) : point;
	return inWindow - _Offset();
}


void
BView::ConvertToScreen(BRect* rect) const
{
	if (rect != NULL)
		*rect = ConvertToScreen(*rect);
}


BRect
BView::ConvertToScreen(BRect rect) const
{
	BPoint leftTop = ConvertToScreen(rect.LeftTop());
	return rect.OffsetToCopy(leftTop);
}


void
BView::ConvertFromScreen(BRect* rect) const
{
	if (rect != NULL)
		*rect = ConvertFromScreen(*rect);
}


BRect
BView::ConvertFromScreen(BRect rect) const
{
	BPoint leftTop = ConvertFromScreen(rect.LeftTop());
	return rect.OffsetToCopy(leftTop);
}


// #pragma mark - state


bool
BView::IsHidden() const
{
	return IsHidden(NULL);
}


bool
BView::IsHidden(const BView* lookedFrom) const
{
	for (const BView* view = this; view != NULL && view != lookedFrom;
			view = view->fParent) {
		if (view->fHideLevel > 0)
			return true;
	}
	if (lookedFrom == NULL && fWindow != NULL)
		return fWindow->IsHidden();
	return false;
}


bool
BView::IsFocus() const
{
	return fWindow != NULL && fWindow->fFocus == this;
}


bool
BView::IsPrinting() const
{
	return false;
}


void
BView::GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue)
{
	BPoint screen(0, 0);
	uint32 held = 0;
	BPrivate::DisplayServer* server = BPrivate::DisplayServer::Default();
	if (server != NULL)
		server->GetMouse(&screen, &held);
	// Whoever polls the pointer wants the user to see the drawing done so far.
	if (fWindow != NULL && fWindow->IsLocked())
		fWindow->_Present();
	if (location != NULL)
		*location = ConvertFromScreen(screen);
	if (buttons != NULL)
		*buttons = held;
}


status_t
BView::SetEventMask(uint32 mask, uint32 options)
{
	fEventMask = mask;
	fEventOptions = options;
	return B_OK;
}


uint32
BView::EventMask()
{
	return fEventMask;
}


status_t
BView::SetMouseEventMask(uint32 mask, uint32 options)
{
	if (fWindow == NULL)
		return B_ERROR;
	// Only while a button is held, from the mouse down on.
	if (fWindow->fLastButtons == 0)
		return B_ERROR;
	fMouseEventMask = mask;
	if ((mask & B_POINTER_EVENTS) != 0)
		fWindow->fMouseCapture = this;
	return B_OK;
}


rgb_color
BView::ViewColor() const
{
	return fViewColor;
}


void
BView::SetViewColor(uchar red, uchar green, uchar blue, uchar alpha)
{
	SetViewColor(make_color(red, green, blue, alpha));
}


void
BView::SetHighColor(rgb_color color)
{
	fState.highColor = color;
}


void
BView::SetHighColor(uchar red, uchar green, uchar blue, uchar alpha)
{
	fState.highColor = make_color(red, green, blue, alpha);
}


rgb_color
BView::HighColor() const
{
	return fState.highColor;
}


void
BView::SetLowColor(rgb_color color)
{
	fState.lowColor = color;
}


void
BView::SetLowColor(uchar red, uchar green, uchar blue, uchar alpha)
{
	fState.lowColor = make_color(red, green, blue, alpha);
}


rgb_color
BView::LowColor() const
{
	return fState.lowColor;
}


void
BView::SetDrawingMode(drawing_mode mode)
{
	fState.drawingMode = mode;
}


drawing_mode
BView::DrawingMode() const
{
	return fState.drawingMode;
}


void
BView::SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc)
{
	fState.sourceAlpha = srcAlpha;
	fState.alphaFunction = alphaFunc;
}


void
BView::GetBlendingMode(source_alpha* srcAlpha, alpha_function* alphaFunc) const
{
	if (srcAlpha != NULL)
		*srcAlpha = fState.sourceAlpha;
	if (alphaFunc != NULL)
		*alphaFunc = fState.alphaFunction;
}


void
BView::SetPenSize(float size)
{
	if (!std::isfinite(size) || size < 0)
		size = 0;
	fState.penSize = size;
}


float
BView::PenSize() const
{
	return fState.penSize;
}


void
BView::MovePenTo(BPoint point)
{
	fState.penLocation = point;
}


void
BView::MovePenTo(float x, float y)
{
	fState.penLocation.Set(x, y);
}


void
BView::MovePenBy(float x, float y)
{
	fState.penLocation.x += x;
	fState.penLocation.y += y;
}


BPoint
BView::PenLocation() const
{
	return fState.penLocation;
}


void
BView::GetFont(BFont* font) const
{
	if (font != NULL)
		*font = fState.font;
}


void
BView::SetFontSize(float size)
{
	fState.font.SetSize(size);
}


void
BView::GetFontHeight(font_height* height) const
{
	if (height != NULL)
		fState.font.GetHeight(height);
}


float
BView::StringWidth(const char* string) const
{
	if (string == NULL)
		return 0;
	return fState.font.StringWidth(string);
}


float
BView::StringWidth(const char* string, int32 length) const
{
	if (string == NULL || length <= 0)
		return 0;
	return fState.font.StringWidth(string, length);
}


void
BView::SetOrigin(BPoint origin)
{
	if (std::isfinite(origin.x) && std::isfinite(origin.y))
		fState.origin = origin;
}


void
BView::SetOrigin(float x, float y)
{
	SetOrigin(BPoint(x, y));
}


BPoint
BView::Origin() const
{
	return fState.origin;
}


void
BView::PushState()
{
	fStateStack.push_back(fState);
	// A pushed state starts with the origin of the one below, as on R5; the clipping
	// of the lower state keeps applying through the saved copy.
}


void
BView::PopState()
{
	if (fStateStack.empty())
		return;
	fState = fStateStack.back();
	fStateStack.pop_back();
}


void
BView::ConstrainClippingRegion(BRegion* region)
{
	if (region == NULL) {
		fState.hasClipping = false;
		fState.clipping.MakeEmpty();
		return;
	}
	fState.hasClipping = true;
	fState.clipping = *region;
	fState.clippingOrigin = fState.origin;
}


void
BView::GetClippingRegion(BRegion* region) const
{
	if (region == NULL)
		return;
	_VisibleRegion(region, false);
	if (fUpdateClip != NULL)
		region->IntersectWith(fUpdateClip);
	if (fWindow != NULL)
		_ExcludeWindowsInFront(region);
	BPoint offset = _Offset();
	int32 dx = (int32)std::lround(offset.x);
	int32 dy = (int32)std::lround(offset.y);
	region->OffsetBy(-dx, -dy);
	if (fState.hasClipping) {
		BRegion constrained = fState.clipping;
		constrained.OffsetBy((int32)std::lround(fState.clippingOrigin.x),
			(int32)std::lround(fState.clippingOrigin.y));
		region->IntersectWith(&constrained);
	}
}


// What the user sees of a view also depends on the windows in front of its own, as
// on R5: their frames are taken out of region (window coordinates). A hidden window
// shows nothing at all.
void
BView::_ExcludeWindowsInFront(BRegion* region) const
{
	BPrivate::DisplayServer* server = BPrivate::DisplayServer::Default();
	BPrivate::ServerWindow* own = fWindow->fServerWindow;
	if (server == NULL || own == NULL)
		return;
	if (fWindow->IsHidden()) {
		region->MakeEmpty();
		return;
	}
	int32 ownID = own->ID();
	BPoint leftTop;
	std::vector<BRect> covering;
	// On the server thread the windows cannot go away while their frames are read.
	server->RunSynchronously([&]() {
		leftTop = own->Frame().LeftTop();
		for (int32 id : server->WindowOrder()) {
			if (id == ownID)
				break;
			BPrivate::ServerWindow* window = server->WindowForID(id);
			if (window != NULL && !window->IsHidden() && !window->IsMinimized())
				covering.push_back(window->Frame());
		}
	});
	for (BRect frame : covering)
		region->Exclude(frame.OffsetByCopy(-leftTop.x, -leftTop.y));
}


// #pragma mark - drawing


// Sets the window's renderer up for this view: its framebuffer (locked until
// _EndDrawing), the visible region as clipping and the drawing state. False when there
// is nothing to draw into.
bool
BView::_BeginDrawing()
{
	if (fWindow == NULL || fWindow->fServerWindow == NULL || fWindow->fPainter == NULL)
		return false;

	BRegion clip;
	_VisibleRegion(&clip, false);
	if (fUpdateClip != NULL)
		clip.IntersectWith(fUpdateClip);
	BPoint offset = _Offset();
	if (fState.hasClipping) {
		BRegion constrained = fState.clipping;
		BPoint shift = offset + fState.clippingOrigin;
		constrained.OffsetBy((int32)std::lround(shift.x), (int32)std::lround(shift.y));
		clip.IntersectWith(&constrained);
	}
	if (clip.CountRects() == 0)
		return false;

	BPrivate::ServerWindow* serverWindow = fWindow->fServerWindow;
	serverWindow->LockBits();
	uint32* bits = serverWindow->Bits();
	Painter* painter = fWindow->fPainter;
	if (bits == NULL || painter->Attach(bits, serverWindow->Width(), serverWindow->Height(),
			serverWindow->BytesPerRow()) != B_OK) {
		serverWindow->UnlockBits();
		return false;
	}
	painter->SetClipping(&clip);
	painter->SetOrigin(offset + fState.origin);
	painter->SetHighColor(fState.highColor);
	painter->SetLowColor(fState.lowColor);
	painter->SetDrawingMode(fState.drawingMode);
	painter->SetBlendingMode(fState.sourceAlpha, fState.alphaFunction);
	painter->SetPenSize(fState.penSize);
	painter->SetFont(fState.font);
	return true;
}


void
BView::_EndDrawing()
{
	Painter* painter = fWindow->fPainter;
	BRect touched = painter->Clipping().Frame();
	painter->Detach();
	fWindow->fServerWindow->UnlockBits();
	fWindow->_DrawingDone(touched);
}


void
BView::_EndDrawing(BRect touched)
{
	_EndDrawing();
}


void
BView::StrokeLine(BPoint toPoint, const pattern& p)
{
	StrokeLine(fState.penLocation, toPoint, p);
}


void
BView::StrokeLine(BPoint start, BPoint end, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->StrokeLine(start, end, p);
		_EndDrawing();
	}
	fState.penLocation = end;
}


void
BView::BeginLineArray(int32 count)
{
	fInLineArray = true;
	fLineArray.clear();
	if (count > 0 && count < 100000)
		fLineArray.reserve(count);
}


void
BView::AddLine(BPoint start, BPoint end, rgb_color color)
{
	if (!fInLineArray)
		return;
	fLineArray.push_back(LineEntry{start, end, color});
}


void
BView::EndLineArray()
{
	if (!fInLineArray)
		return;
	fInLineArray = false;
	if (!fLineArray.empty() && _BeginDrawing()) {
		Painter* painter = fWindow->fPainter;
		for (const LineEntry& line : fLineArray) {
			painter->SetHighColor(line.color);
			painter->StrokeLine(line.start, line.end, B_SOLID_HIGH);
		}
		_EndDrawing();
	}
	fLineArray.clear();
}


void
BView::StrokeRect(BRect rect, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->StrokeRect(rect, p);
		_EndDrawing();
	}
}


void
BView::FillRect(BRect rect, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->FillRect(rect, p);
		_EndDrawing();
	}
}


void
BView::InvertRect(BRect rect)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->InvertRect(rect);
		_EndDrawing();
	}
}


void
BView::StrokeRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->StrokeRoundRect(rect, xRadius, yRadius, p);
		_EndDrawing();
	}
}


void
BView::FillRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->FillRoundRect(rect, xRadius, yRadius, p);
		_EndDrawing();
	}
}


void
BView::StrokeEllipse(BPoint center, float xRadius, float yRadius, const pattern& p)
{
	StrokeEllipse(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), p);
}


void
BView::StrokeEllipse(BRect rect, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->StrokeEllipse(rect, p);
		_EndDrawing();
	}
}


void
BView::FillEllipse(BPoint center, float xRadius, float yRadius, const pattern& p)
{
	FillEllipse(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), p);
}


void
BView::FillEllipse(BRect rect, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->FillEllipse(rect, p);
		_EndDrawing();
	}
}


void
BView::StrokeArc(BPoint center, float xRadius, float yRadius, float startAngle,
	float arcAngle, const pattern& p)
{
	StrokeArc(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), startAngle, arcAngle, p);
}


void
BView::StrokeArc(BRect rect, float startAngle, float arcAngle, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->StrokeArc(rect, startAngle, arcAngle, p);
		_EndDrawing();
	}
}


void
BView::FillArc(BPoint center, float xRadius, float yRadius, float startAngle,
	float arcAngle, const pattern& p)
{
	FillArc(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), startAngle, arcAngle, p);
}


void
BView::FillArc(BRect rect, float startAngle, float arcAngle, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->FillArc(rect, startAngle, arcAngle, p);
		_EndDrawing();
	}
}


void
BView::StrokeTriangle(BPoint p1, BPoint p2, BPoint p3, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->StrokeTriangle(p1, p2, p3, p);
		_EndDrawing();
	}
}


void
BView::StrokeTriangle(BPoint p1, BPoint p2, BPoint p3, BRect bounds, const pattern& p)
{
	StrokeTriangle(p1, p2, p3, p);
}


void
BView::FillTriangle(BPoint p1, BPoint p2, BPoint p3, const pattern& p)
{
	if (_BeginDrawing()) {
		fWindow->fPainter->FillTriangle(p1, p2, p3, p);
		_EndDrawing();
	}
}


void
BView::FillTriangle(BPoint p1, BPoint p2, BPoint p3, BRect bounds, const pattern& p)
{
	FillTriangle(p1, p2, p3, p);
}


void
BView::StrokePolygon(const BPoint* points, int32 count, bool closed, const pattern& p)
{
	if (points == NULL || count <= 0)
		return;
	if (_BeginDrawing()) {
		fWindow->fPainter->StrokePolygon(points, count, closed, p);
		_EndDrawing();
	}
}


void
BView::FillPolygon(const BPoint* points, int32 count, const pattern& p)
{
	if (points == NULL || count <= 0)
		return;
	if (_BeginDrawing()) {
		fWindow->fPainter->FillPolygon(points, count, p);
		_EndDrawing();
	}
}


void
BView::FillRegion(BRegion* region, const pattern& p)
{
	if (region == NULL)
		return;
	if (_BeginDrawing()) {
		fWindow->fPainter->FillRegion(region, p);
		_EndDrawing();
	}
}


void
BView::DrawBitmap(const BBitmap* bitmap)
{
	DrawBitmap(bitmap, fState.penLocation);
}


void
BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap == NULL || !bitmap->IsValid())
		return;
	if (_BeginDrawing()) {
		fWindow->fPainter->DrawBitmap(bitmap, where);
		_EndDrawing();
	}
}


void
BView::DrawBitmap(const BBitmap* bitmap, BRect dest)
{
	if (bitmap == NULL || !bitmap->IsValid())
		return;
	DrawBitmap(bitmap, bitmap->Bounds(), dest);
}


void
BView::DrawBitmap(const BBitmap* bitmap, BRect source, BRect dest)
{
	if (bitmap == NULL || !bitmap->IsValid())
		return;
	if (_BeginDrawing()) {
		fWindow->fPainter->DrawBitmap(bitmap, source, dest);
		_EndDrawing();
	}
}


void
BView::DrawBitmapAsync(const BBitmap* bitmap)
{
	DrawBitmap(bitmap);
}


void
BView::DrawBitmapAsync(const BBitmap* bitmap, BPoint where)
{
	DrawBitmap(bitmap, where);
}


void
BView::DrawBitmapAsync(const BBitmap* bitmap, BRect dest)
{
	DrawBitmap(bitmap, dest);
}


void
BView::DrawBitmapAsync(const BBitmap* bitmap, BRect source, BRect dest)
{
	DrawBitmap(bitmap, source, dest);
}


void
BView::CopyBits(BRect source, BRect dest)
{
	if (!source.IsValid() || !dest.IsValid() || fWindow == NULL)
		return;
	dest.right = dest.left + source.Width();
	dest.bottom = dest.top + source.Height();

	BPoint shift = _Offset() + fState.origin;
	BRegion visible;
	_VisibleRegion(&visible, false);
	// Where the moved pixels come from something visible, dest is right after the copy;
	// the rest of dest needs drawing.
	BRegion moved(source.OffsetByCopy(shift));
	moved.IntersectWith(&visible);
	moved.OffsetBy((int32)std::lround(dest.left - source.left),
		(int32)std::lround(dest.top - source.top));
	BRegion stale(dest.OffsetByCopy(shift));
	stale.IntersectWith(&visible);
	stale.Exclude(&moved);

	if (_BeginDrawing()) {
		fWindow->fPainter->CopyBits(source, dest);
		_EndDrawing();
	}
	fWindow->_InvalidateRegion(stale);
}


void
BView::DrawChar(char aChar)
{
	DrawString(&aChar, 1);
}


void
BView::DrawChar(char aChar, BPoint where)
{
	DrawString(&aChar, 1, where);
}


void
BView::TruncateString(BString* inOut, uint32 mode, float width) const
{
	if (inOut != NULL)
		fState.font.TruncateString(inOut, mode, width);
}


void
BView::SetLineMode(cap_mode lineCap, join_mode lineJoin, float miterLimit)
{
	fState.lineCap = lineCap;
	fState.lineJoin = lineJoin;
	fState.miterLimit = miterLimit;
}


join_mode
BView::LineJoinMode() const
{
	return fState.lineJoin;
}


cap_mode
BView::LineCapMode() const
{
	return fState.lineCap;
}


float
BView::LineMiterLimit() const
{
	return fState.miterLimit;
}


void
BView::DrawString(const char* string, escapement_delta* delta)
{
	if (string == NULL)
		return;
	DrawString(string, (int32)strlen(string), fState.penLocation, delta);
}


void
BView::DrawString(const char* string, int32 length, escapement_delta* delta)
{
	DrawString(string, length, fState.penLocation, delta);
}


void
BView::DrawString(const char* string, BPoint where, escapement_delta* delta)
{
	if (string == NULL)
		return;
	DrawString(string, (int32)strlen(string), where, delta);
}


void
BView::DrawString(const char* string, int32 length, BPoint where,
	escapement_delta* delta)
{
	if (string == NULL || length <= 0)
		return;
	length = (int32)strnlen(string, length);
	if (_BeginDrawing()) {
		fState.penLocation = fWindow->fPainter->DrawString(string, length, where, delta);
		_EndDrawing();
	} else {
		fState.penLocation = where;
		fState.penLocation.x += fState.font.StringWidth(string, length);
	}
}


void
BView::Invalidate()
{
	Invalidate(Bounds());
}


void
BView::Invalidate(BRect rect)
{
	if (fWindow == NULL || !rect.IsValid())
		return;
	BRegion visible;
	_VisibleRegion(&visible, true);
	BRegion area(rect.OffsetByCopy(_Offset()));
	area.IntersectWith(&visible);
	fWindow->_InvalidateRegion(area);
}


void
BView::_InvalidateAll()
{
	Invalidate();
}


void
BView::Flush() const
{
	if (fWindow != NULL)
		fWindow->Flush();
}


void
BView::Sync() const
{
	if (fWindow != NULL)
		fWindow->Sync();
}


void
BView::EndRectTracking()
{
}


// #pragma mark - scroll observers


namespace BPrivate {


void
ViewAccess::AddScrollObserver(BView* target, ScrollObserver* observer)
{
	if (target == NULL || observer == NULL)
		return;
	std::vector<ScrollObserver*>& observers = target->fScrollObservers;
	if (std::find(observers.begin(), observers.end(), observer) == observers.end())
		observers.push_back(observer);
}


void
ViewAccess::RemoveScrollObserver(BView* target, ScrollObserver* observer)
{
	if (target == NULL)
		return;
	std::vector<ScrollObserver*>& observers = target->fScrollObservers;
	observers.erase(std::remove(observers.begin(), observers.end(), observer),
		observers.end());
}


int32
ViewAccess::CountScrollObservers(const BView* target)
{
	return target != NULL ? (int32)target->fScrollObservers.size() : 0;
}


}	// namespace BPrivate
