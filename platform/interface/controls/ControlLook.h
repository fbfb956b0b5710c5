/*
 * Drawing helpers shared by the controls: the R5 bevels, label colours and the focus
 * mark.
 */
#ifndef _CONTROL_LOOK_H
#define _CONTROL_LOOK_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BView;

namespace BPrivate {

// A one-pixel bevel: topLeft on the top and left edges, bottomRight on the others.
void DrawBevel(BView* view, BRect rect, rgb_color topLeft, rgb_color bottomRight);

// The R5 sunken frame of a field: two bevels, dark outside, darker inside.
void DrawSunkenFrame(BView* view, BRect rect);

// The colour of a label, greyed when disabled.
rgb_color LabelColor(bool enabled);

// The size x size square at the left edge of bounds, centred vertically: where a check
// box draws its box and a radio button its circle.
BRect LeftMarkFrame(BRect bounds, float size);

// The baseline that centres the view's font vertically in rect.
float CenteredBaseline(BView* view, BRect rect);

}	// namespace BPrivate

#endif	// _CONTROL_LOOK_H
