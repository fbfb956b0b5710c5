/*
 * BScreen: the frame and colour space of the screen, as the display server reports them.
 * There is one screen, B_MAIN_SCREEN_ID. The frame is inclusive: a 1024 x 768 screen has
 * the frame (0, 0, 1023, 767).
 */
#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BWindow;

typedef struct {
	int32	id;
} screen_id;

extern const screen_id B_MAIN_SCREEN_ID;

class BScreen {
public:
						BScreen(screen_id id = B_MAIN_SCREEN_ID);
						// Any window is on the main screen.
						BScreen(BWindow* window);
						~BScreen();

	// False when the display server cannot be started (no display reachable) or the id
	// names no screen; the other calls then answer an empty frame and B_NO_COLOR_SPACE.
			bool		IsValid();
			status_t	SetToNext();

			BRect		Frame();
			color_space	ColorSpace();
			screen_id	ID();

private:
			screen_id	fID;
			bool		fValid;
};

#endif	// _SCREEN_H
