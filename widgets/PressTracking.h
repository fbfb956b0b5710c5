/*
 * What the widgets' buttons share: the press loop that follows the pointer until the
 * buttons are released, the hover state, the one-pixel frame of a raised or sunken face,
 * and the icon bar's text items' label.
 */
#ifndef PRESS_TRACKING_H
#define PRESS_TRACKING_H

#include <GraphicsDefs.h>
#include <Rect.h>

#include <functional>

class BBitmap;
class BMessage;
class BView;

namespace PressTracking {

// Follows a press that began on view, polling the pointer every 20 ms until all
// buttons are up. show(0) is called when the pointer leaves the view's bounds, show(2)
// when it comes back strictly inside. Answers whether the release counts as a click
// (the pointer was inside when last seen). The window must be locked (it is, in
// MouseDown).
bool		Track(BView* view, const std::function<void(int32 state)>& show);

// A press on a button whose look follows state: state becomes 2 (sunken), pressed runs
// (when given), then the press is followed as Track does; at the release state becomes 1
// after a click and 0 otherwise. redraw runs after every change of state. Answers
// whether the release counts as a click.
bool		Press(BView* view, int32& state, const std::function<void()>& redraw,
				const std::function<void()>& pressed = nullptr);

// The pointer entering the view raises it (state 1) and leaving it flattens it (state
// 0); with outsideLeaves a move outside also flattens it when it is not flat yet.
// redraw runs after every change of state.
void		FollowTransit(uint32 transit, int32& state,
				const std::function<void()>& redraw, bool outsideLeaves = false);

// Draws view at once (Draw of its bounds) when it is in a window.
void		Redraw(BView* view);

// When view has a parent, takes the parent's view colour as background and as the
// view's own view colour.
void		TakeParentColor(BView* view, rgb_color& background);

// The icon bar's text items: the plain font at 12 points, widened to the label plus 10
// (and height high) only when the label does not fit the frame.
void		SetUpLabelItem(BView* view, const char* label, int32 height);
// Makes a text item size high and as wide as its label plus 10.
void		SizeLabelItem(BView* view, const char* label, int size);
// The label centred in black on background; nothing when label is NULL.
void		DrawCentredLabel(BView* view, const char* label, rgb_color background);

// The XButtons' automatic size: 24 high and, when the label does not fit the frame, as
// wide as the label plus room for the icon.
void		AutoSizeButton(BView* view, const char* label, bool hasIcon);
// The XButtons' content: with hasIcon, icon (when not NULL) at the top left, drawn with
// B_OP_MIN, and room kept for it; label in black on face, centred in the rest, on
// baseline y.
void		DrawIconAndLabel(BView* view, bool hasIcon, BBitmap* icon,
				const char* label, rgb_color face, float y);

// Whether point lies outside rect: left of its left edge, right of its right edge,
// above its top or below its bottom.
bool		IsOutside(BRect rect, BPoint point);
// Whether point lies strictly inside rect (not on an edge).
bool		IsStrictlyInside(BRect rect, BPoint point);

// A one-pixel frame around rect: topLeft on the top and left edges, bottomRight on the
// right and bottom edges.
void		DrawFrame(BView* view, BRect rect, rgb_color topLeft,
				rgb_color bottomRight);

// The icon bar items' face: the view's bounds filled with background, then in state 1
// (raised) a frame light on top and left and dark on right and bottom, in state 2
// (sunken) the same frame with the colours swapped; state 0 has no frame.
void		DrawFace(BView* view, int32 state, rgb_color background);

// Posts message to the view's window and to the application object.
void		PostToWindowAndApp(BView* view, BMessage* message);

extern const rgb_color kLightEdge;
extern const rgb_color kDarkEdge;

}	// namespace PressTracking

#endif	// PRESS_TRACKING_H
