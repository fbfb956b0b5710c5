/*
 * The synchronous press of the controls: follows the pointer while a button is held and
 * tells whether it was released inside the control.
 */
#ifndef _CONTROL_TRACKING_H
#define _CONTROL_TRACKING_H

#include <Point.h>

#include <functional>

class BView;

namespace BPrivate {

// Calls pressedChanged(inside) each time the pointer crosses the view's bounds while the
// button is held; answers whether the release happened inside.
bool TrackPress(BView* view, BPoint where,
	const std::function<void(bool inside)>& pressedChanged);

}	// namespace BPrivate

#endif	// _CONTROL_TRACKING_H
