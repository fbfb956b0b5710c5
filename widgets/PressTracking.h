/*
 * What the widgets' buttons share: the press loop that follows the pointer until the
 * buttons are released, and the one-pixel frame of a raised or sunken face.
 */
#ifndef PRESS_TRACKING_H
#define PRESS_TRACKING_H

#include <GraphicsDefs.h>
#include <Rect.h>

#include <functional>

class BMessage;
class BView;

namespace PressTracking {

// Follows a press that began on view, polling the pointer every 20 ms until all
// buttons are up. show(0) is called when the pointer leaves the view's bounds, show(2)
// when it comes back strictly inside. Answers whether the release counts as a click
// (the pointer was inside when last seen). The window must be locked (it is, in
// MouseDown).
bool		Track(BView* view, const std::function<void(int32 state)>& show);

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
