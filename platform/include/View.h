/*
 * BView: a rectangle of a window that draws itself and takes the user's input.
 *
 * Views form a tree under a window. A view's frame is in its parent's coordinates and
 * its bounds in its own; scrolling moves the bounds' origin. A view attached to a window
 * is one of the window's handlers, and every call that touches the window (drawing,
 * moving, resizing, the hierarchy) wants the window locked.
 *
 * Drawing happens in two ways, as on R5. The update pass, run after each message the
 * window dispatches, clips to what was invalidated, fills each view with its view colour
 * (not when that is B_TRANSPARENT_COLOR) and calls Draw, parents before their children.
 * Drawing outside Draw (from a setter, from MouseDown) goes straight into the window's
 * framebuffer, clipped to the view's visible region, and reaches the screen at the next
 * flush: after each dispatched message, in GetMouse, Flush and Sync.
 *
 * Views of a window receive their messages through BWindow::DispatchMessage, which
 * turns input into the hooks (MouseDown, KeyDown, ...) and leaves everything else to
 * MessageReceived. Views added straight to a window answer NULL from Parent(), as on R5.
 */
#ifndef _VIEW_H
#define _VIEW_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <Point.h>
#include <Rect.h>
#include <Region.h>

#include <vector>

class BBitmap;
class BMessage;
class BString;
class BScrollBar;
class BWindow;

namespace BPrivate {
	class ScrollObserver;
	class ViewAccess;
}

// Resizing modes, with R5's values: four nibbles that tell, top to bottom, what the top,
// left, bottom and right edges of a view follow when its parent changes size.
enum {
	_VIEW_TOP_		= 1,
	_VIEW_LEFT_		= 2,
	_VIEW_BOTTOM_	= 3,
	_VIEW_RIGHT_	= 4,
	_VIEW_CENTER_	= 5
};

#define _rule_(top, left, bottom, right) \
	(((top) << 12) | ((left) << 8) | ((bottom) << 4) | (right))

#define B_FOLLOW_NONE			0
#define B_FOLLOW_ALL_SIDES		_rule_(_VIEW_TOP_, _VIEW_LEFT_, _VIEW_BOTTOM_, _VIEW_RIGHT_)
#define B_FOLLOW_ALL			B_FOLLOW_ALL_SIDES
#define B_FOLLOW_LEFT			_rule_(0, _VIEW_LEFT_, 0, _VIEW_LEFT_)
#define B_FOLLOW_RIGHT			_rule_(0, _VIEW_RIGHT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_LEFT_RIGHT		_rule_(0, _VIEW_LEFT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_H_CENTER		_rule_(0, _VIEW_CENTER_, 0, _VIEW_CENTER_)
#define B_FOLLOW_TOP			_rule_(_VIEW_TOP_, 0, _VIEW_TOP_, 0)
#define B_FOLLOW_BOTTOM			_rule_(_VIEW_BOTTOM_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_TOP_BOTTOM		_rule_(_VIEW_TOP_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_V_CENTER		_rule_(_VIEW_CENTER_, 0, _VIEW_CENTER_, 0)

// View flags (R5 values).
enum {
	B_FULL_UPDATE_ON_RESIZE	= 0x80000000UL,
	_B_RESERVED1_			= 0x40000000UL,
	B_WILL_DRAW				= 0x20000000UL,
	B_PULSE_NEEDED			= 0x10000000UL,
	B_NAVIGABLE_JUMP		= 0x08000000UL,
	B_FRAME_EVENTS			= 0x04000000UL,
	B_NAVIGABLE				= 0x02000000UL,
	B_SUBPIXEL_PRECISE		= 0x01000000UL,
	B_DRAW_ON_CHILDREN		= 0x00800000UL,
	B_INPUT_METHOD_AWARE	= 0x00400000UL
};

// Event masks of SetEventMask and SetMouseEventMask.
enum {
	B_POINTER_EVENTS		= 0x00000001,
	B_KEYBOARD_EVENTS		= 0x00000002
};

// Event mask options.
enum {
	B_LOCK_WINDOW_FOCUS		= 0x00000001,
	B_SUSPEND_VIEW_FOCUS	= 0x00000002,
	B_NO_POINTER_HISTORY	= 0x00000004
};

// For SetDiskMode and the like; kept for source compatibility.
enum {
	B_PRIMARY_VIEW_COORDINATES = 0
};

namespace BPrivate {

// The drawing state that PushState saves and PopState restores.
struct ViewState {
	rgb_color		highColor = { 0, 0, 0, 255 };
	rgb_color		lowColor = { 255, 255, 255, 255 };
	drawing_mode	drawingMode = B_OP_COPY;
	source_alpha	sourceAlpha = B_PIXEL_ALPHA;
	alpha_function	alphaFunction = B_ALPHA_OVERLAY;
	float			penSize = 1.0f;
	BPoint			penLocation;
	BPoint			origin;
	BFont			font;
	bool			hasClipping = false;
	BRegion			clipping;		// in the view's coordinates at the time it was set
	BPoint			clippingOrigin;
	cap_mode		lineCap = B_BUTT_CAP;
	join_mode		lineJoin = B_MITER_JOIN;
	float			miterLimit = B_DEFAULT_MITER_LIMIT;
};

}	// namespace BPrivate

class BView : public BHandler {
public:
								BView(BRect frame, const char* name, uint32 resizingMode,
									uint32 flags);
	// Deleting a view that still has a parent or window removes it first; its children
	// are deleted with it.
	virtual						~BView();

	// Hooks. MessageReceived turns B_MOUSE_WHEEL_CHANGED into scrolling when scroll
	// bars target the view, as on R5, and passes everything else on.
	virtual	void				AttachedToWindow();
	virtual	void				AllAttached();
	virtual	void				DetachedFromWindow();
	virtual	void				AllDetached();
	virtual	void				Draw(BRect updateRect);
	virtual	void				DrawAfterChildren(BRect updateRect);
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				KeyUp(const char* bytes, int32 numBytes);
	virtual	void				Pulse();
	virtual	void				WindowActivated(bool active);
	virtual	void				FrameMoved(BPoint newPosition);
	virtual	void				FrameResized(float newWidth, float newHeight);
	virtual	void				TargetedByScrollBar(BScrollBar* scrollBar);
	virtual	void				MakeFocus(bool focus = true);
	virtual	void				SetFlags(uint32 flags);
	virtual	void				SetResizingMode(uint32 mode);
	virtual	void				Show();
	virtual	void				Hide();
	virtual	void				ScrollTo(BPoint where);
	virtual	void				ResizeToPreferred();
	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				SetViewColor(rgb_color color);
	virtual	void				SetFont(const BFont* font, uint32 mask = B_FONT_ALL);

	// The hierarchy. AddChild refuses a view that already has a parent (a debugger
	// message, as R5); before, when given, must be a child of this view.
			void				AddChild(BView* child, BView* before = NULL);
			bool				RemoveChild(BView* child);
			bool				RemoveSelf();
			int32				CountChildren() const;
			BView*				ChildAt(int32 index) const;
			BView*				NextSibling() const;
			BView*				PreviousSibling() const;
			BView*				Parent() const;
			BWindow*			Window() const;
	// The first view of this name below this view (not the view itself).
			BView*				FindView(const char* name) const;

	// Geometry.
			BRect				Frame() const;
			BRect				Bounds() const;
			uint32				ResizingMode() const;
			uint32				Flags() const;
			void				MoveBy(float dx, float dy);
			void				MoveTo(BPoint where);
			void				MoveTo(float x, float y);
			void				ResizeBy(float dx, float dy);
			void				ResizeTo(float width, float height);
			void				ScrollBy(float dx, float dy);
			void				ScrollTo(float x, float y);
	// The scroll bar of this orientation that targets the view, or NULL.
			BScrollBar*			ScrollBar(orientation which) const;
			void				ConvertToParent(BPoint* point) const;
			BPoint				ConvertToParent(BPoint point) const;
			void				ConvertFromParent(BPoint* point) const;
			BPoint				ConvertFromParent(BPoint point) const;
			void				ConvertToParent(BRect* rect) const;
			BRect				ConvertToParent(BRect rect) const;
			void				ConvertFromParent(BRect* rect) const;
			BRect				ConvertFromParent(BRect rect) const;
			void				ConvertToScreen(BPoint* point) const;
			BPoint				ConvertToScreen(BPoint point) const;
			void				ConvertFromScreen(BPoint* point) const;
			BPoint				ConvertFromScreen(BPoint point) const;
			void				ConvertToScreen(BRect* rect) const;
			BRect				ConvertToScreen(BRect rect) const;
			void				ConvertFromScreen(BRect* rect) const;
			BRect				ConvertFromScreen(BRect rect) const;

	// Visibility. Hide and Show nest: a view hidden twice needs two Shows.
			bool				IsHidden() const;
			bool				IsHidden(const BView* lookedFrom) const;
			bool				IsFocus() const;
			bool				IsPrinting() const;

	// Input. GetMouse answers the live pointer (view coordinates) and buttons, also in a
	// loop inside MouseDown on the window's thread, and first shows the drawing done so
	// far. Queued mouse messages are left in the queue whatever checkMessageQueue says.
			void				GetMouse(BPoint* location, uint32* buttons,
									bool checkMessageQueue = true);
	// B_POINTER_EVENTS: the view gets every mouse message (SetEventMask: always,
	// SetMouseEventMask: until the buttons are released).
			status_t			SetEventMask(uint32 mask, uint32 options = 0);
			uint32				EventMask();
			status_t			SetMouseEventMask(uint32 mask, uint32 options = 0);

	// Colours, font and drawing state.
			rgb_color			ViewColor() const;
			void				SetViewColor(uchar red, uchar green, uchar blue,
									uchar alpha = 255);
			void				SetHighColor(rgb_color color);
			void				SetHighColor(uchar red, uchar green, uchar blue,
									uchar alpha = 255);
			rgb_color			HighColor() const;
			void				SetLowColor(rgb_color color);
			void				SetLowColor(uchar red, uchar green, uchar blue,
									uchar alpha = 255);
			rgb_color			LowColor() const;
			void				SetDrawingMode(drawing_mode mode);
			drawing_mode		DrawingMode() const;
			void				SetBlendingMode(source_alpha srcAlpha,
									alpha_function alphaFunc);
			void				GetBlendingMode(source_alpha* srcAlpha,
									alpha_function* alphaFunc) const;
			void				SetPenSize(float size);
			float				PenSize() const;
			void				MovePenTo(BPoint point);
			void				MovePenTo(float x, float y);
			void				MovePenBy(float x, float y);
			BPoint				PenLocation() const;
			void				GetFont(BFont* font) const;
			void				SetFontSize(float size);
			void				GetFontHeight(font_height* height) const;
			float				StringWidth(const char* string) const;
			float				StringWidth(const char* string, int32 length) const;
	// The drawing origin, added to every coordinate of the drawing calls.
			void				SetOrigin(BPoint origin);
			void				SetOrigin(float x, float y);
			BPoint				Origin() const;
			void				PushState();
			void				PopState();
	// Restricts drawing to region (view coordinates) until the next call; NULL lifts it.
			void				ConstrainClippingRegion(BRegion* region);
	// The part of the view that is visible on screen, in view coordinates: clipped by the
	// parents, without the siblings in front of the view, without its children and
	// without what other windows in front cover.
			void				GetClippingRegion(BRegion* region) const;

	// Drawing.
			void				StrokeLine(BPoint toPoint,
									const pattern& p = B_SOLID_HIGH);
			void				StrokeLine(BPoint start, BPoint end,
									const pattern& p = B_SOLID_HIGH);
			void				BeginLineArray(int32 count);
			void				AddLine(BPoint start, BPoint end, rgb_color color);
			void				EndLineArray();
			void				StrokeRect(BRect rect, const pattern& p = B_SOLID_HIGH);
			void				FillRect(BRect rect, const pattern& p = B_SOLID_HIGH);
			void				InvertRect(BRect rect);
			void				StrokeRoundRect(BRect rect, float xRadius, float yRadius,
									const pattern& p = B_SOLID_HIGH);
			void				FillRoundRect(BRect rect, float xRadius, float yRadius,
									const pattern& p = B_SOLID_HIGH);
			void				StrokeEllipse(BPoint center, float xRadius, float yRadius,
									const pattern& p = B_SOLID_HIGH);
			void				StrokeEllipse(BRect rect, const pattern& p = B_SOLID_HIGH);
			void				FillEllipse(BPoint center, float xRadius, float yRadius,
									const pattern& p = B_SOLID_HIGH);
			void				FillEllipse(BRect rect, const pattern& p = B_SOLID_HIGH);
			void				StrokeArc(BPoint center, float xRadius, float yRadius,
									float startAngle, float arcAngle,
									const pattern& p = B_SOLID_HIGH);
			void				StrokeArc(BRect rect, float startAngle, float arcAngle,
									const pattern& p = B_SOLID_HIGH);
			void				FillArc(BPoint center, float xRadius, float yRadius,
									float startAngle, float arcAngle,
									const pattern& p = B_SOLID_HIGH);
			void				FillArc(BRect rect, float startAngle, float arcAngle,
									const pattern& p = B_SOLID_HIGH);
			void				StrokeTriangle(BPoint p1, BPoint p2, BPoint p3,
									const pattern& p = B_SOLID_HIGH);
			void				StrokeTriangle(BPoint p1, BPoint p2, BPoint p3, BRect bounds,
									const pattern& p = B_SOLID_HIGH);
			void				FillTriangle(BPoint p1, BPoint p2, BPoint p3,
									const pattern& p = B_SOLID_HIGH);
			void				FillTriangle(BPoint p1, BPoint p2, BPoint p3, BRect bounds,
									const pattern& p = B_SOLID_HIGH);
			void				StrokePolygon(const BPoint* points, int32 count,
									bool closed = true, const pattern& p = B_SOLID_HIGH);
			void				FillPolygon(const BPoint* points, int32 count,
									const pattern& p = B_SOLID_HIGH);
			void				FillRegion(BRegion* region, const pattern& p = B_SOLID_HIGH);
			void				DrawBitmap(const BBitmap* bitmap);
			void				DrawBitmap(const BBitmap* bitmap, BPoint where);
			void				DrawBitmap(const BBitmap* bitmap, BRect dest);
			void				DrawBitmap(const BBitmap* bitmap, BRect source, BRect dest);
			void				DrawBitmapAsync(const BBitmap* bitmap);
			void				DrawBitmapAsync(const BBitmap* bitmap, BPoint where);
			void				DrawBitmapAsync(const BBitmap* bitmap, BRect dest);
			void				DrawBitmapAsync(const BBitmap* bitmap, BRect source,
									BRect dest);
	// Moves the pixels of source to dest (view coordinates, same size), as for
	// scrolling; the part of dest whose source was not visible is invalidated.
			void				CopyBits(BRect source, BRect dest);
			void				DrawChar(char aChar);
			void				DrawChar(char aChar, BPoint where);
			void				TruncateString(BString* inOut, uint32 mode,
									float width) const;
	// Line ends and joins are kept for the caller; lines are drawn with square ends.
			void				SetLineMode(cap_mode lineCap, join_mode lineJoin,
									float miterLimit = B_DEFAULT_MITER_LIMIT);
			join_mode			LineJoinMode() const;
			cap_mode			LineCapMode() const;
			float				LineMiterLimit() const;
	// Text starts at the pen (or at where) on the baseline; the pen ends after it.
			void				DrawString(const char* string,
									escapement_delta* delta = NULL);
			void				DrawString(const char* string, int32 length,
									escapement_delta* delta = NULL);
			void				DrawString(const char* string, BPoint where,
									escapement_delta* delta = NULL);
			void				DrawString(const char* string, int32 length, BPoint where,
									escapement_delta* delta = NULL);

	// Marks the whole view, or rect of it (view coordinates), for the next update pass.
			void				Invalidate();
			void				Invalidate(BRect rect);
	// Shows what has been drawn; Sync also waits until the screen has it.
			void				Flush() const;
			void				Sync() const;

			void				EndRectTracking();

private:
	friend class BWindow;
	friend class BPrivate::ViewAccess;

								BView(const BView&);
			BView&				operator=(const BView&);

			void				_Attach(BWindow* window);
			void				_Detach();
			void				_CallAllAttached();
			void				_CallAllDetached();
			bool				_IsDescendantOf(const BView* view) const;
			BPoint				_OriginInWindow() const;
			BRect				_FrameInWindow() const;
			bool				_IsVisibleInWindow() const;
			void				_VisibleRegion(BRegion* region, bool withChildren) const;
			void				_ExcludeWindowsInFront(BRegion* region) const;
			void				_ParentResized(float dx, float dy);
			void				_SendFrameMessage(uint32 what);
			void				_MovedOrResized(BRect oldFrameInWindow);
			bool				_BeginDrawing();
			void				_EndDrawing(BRect touched);
			void				_EndDrawing();
			BPoint				_Offset() const;
			void				_InvalidateAll();

			BWindow*			fWindow;
			BView*				fParent;
			std::vector<BView*>	fChildren;
			BRect				fFrame;
			BPoint				fBoundsOrigin;
			uint32				fResizingMode;
			uint32				fFlags;
			int32				fHideLevel;
			rgb_color			fViewColor;
			uint32				fEventMask;
			uint32				fEventOptions;
			uint32				fMouseEventMask;
			BPrivate::ViewState	fState;
			std::vector<BPrivate::ViewState> fStateStack;
			struct LineEntry {
				BPoint		start;
				BPoint		end;
				rgb_color	color;
			};
			std::vector<LineEntry> fLineArray;
			bool				fInLineArray;
			// The part of the window that the update pass lets this view draw into,
			// window coordinates; NULL outside the update pass.
			const BRegion*		fUpdateClip;
			// Whether the pointer was over this view at the last mouse message, for
			// the transits of MouseMoved.
			bool				fPointerInside;
			// The visible region in window coordinates, valid while the window's
			// layout generation has not changed.
	mutable	BRegion				fVisibleCache;
	mutable	uint32				fVisibleGeneration;
			std::vector<BPrivate::ScrollObserver*> fScrollObservers;
};

#endif	// _VIEW_H
