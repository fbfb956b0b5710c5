/*
 * Window types, looks, feels and flags, with the values of BeOS R5.
 *
 * A window's look is its frame (title tab, border), its feel is how it stacks and takes
 * the focus; a window_type names a common pair of both. The flags are the user
 * attributes (can it be moved, closed, zoomed, resized; may it take the focus).
 */
#ifndef _WINDOW_H
#define _WINDOW_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

enum window_type {
	B_UNTYPED_WINDOW	= 0,
	B_TITLED_WINDOW		= 1,	// titled look, normal feel
	B_MODAL_WINDOW		= 3,	// modal look, modal app feel
	B_DOCUMENT_WINDOW	= 11,	// document look, normal feel
	B_BORDERED_WINDOW	= 20,	// bordered look, normal feel
	B_FLOATING_WINDOW	= 21	// floating look, floating app feel
};

enum window_look {
	B_BORDERED_WINDOW_LOOK	= 20,
	B_NO_BORDER_WINDOW_LOOK	= 19,
	B_TITLED_WINDOW_LOOK	= 1,
	B_DOCUMENT_WINDOW_LOOK	= 11,
	B_MODAL_WINDOW_LOOK		= 3,
	B_FLOATING_WINDOW_LOOK	= 7
};

enum window_feel {
	B_NORMAL_WINDOW_FEEL			= 0,
	B_MODAL_SUBSET_WINDOW_FEEL		= 2,
	B_MODAL_APP_WINDOW_FEEL			= 1,
	B_MODAL_ALL_WINDOW_FEEL			= 3,
	B_FLOATING_SUBSET_WINDOW_FEEL	= 5,
	B_FLOATING_APP_WINDOW_FEEL		= 4,
	B_FLOATING_ALL_WINDOW_FEEL		= 6
};

// Window flags.
enum {
	B_NOT_MOVABLE				= 0x00000001,
	B_NOT_CLOSABLE				= 0x00000020,
	B_NOT_ZOOMABLE				= 0x00000040,
	B_NOT_MINIMIZABLE			= 0x00004000,
	B_NOT_RESIZABLE				= 0x00000002,
	B_NOT_H_RESIZABLE			= 0x00000004,
	B_NOT_V_RESIZABLE			= 0x00000008,
	B_AVOID_FRONT				= 0x00000080,
	B_AVOID_FOCUS				= 0x00002000,
	B_WILL_ACCEPT_FIRST_CLICK	= 0x00000010,
	B_OUTLINE_RESIZE			= 0x00001000,
	B_NO_WORKSPACE_ACTIVATION	= 0x00000100,
	B_NOT_ANCHORED_ON_ACTIVATE	= 0x00020000,
	B_ASYNCHRONOUS_CONTROLS		= 0x00080000,
	B_QUIT_ON_WINDOW_CLOSE		= 0x00100000
};

// Workspaces. Linux desktops manage their own; windows are always on the current one.
#define B_CURRENT_WORKSPACE	0
#define B_ALL_WORKSPACES	0xffffffff

// class BWindow is declared further down by the window layer.

#endif	// _WINDOW_H
