/*
 * Constants shared by the Interface Kit: key codes, modifier masks and the small enums
 * that controls and views take.
 */
#ifndef _INTERFACE_DEFS_H
#define _INTERFACE_DEFS_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

// The "bytes"/"raw_char" values of B_KEY_DOWN for keys that produce no printable text.
enum {
	B_BACKSPACE		= 0x08,
	B_RETURN		= 0x0a,
	B_ENTER			= 0x0a,
	B_SPACE			= 0x20,
	B_TAB			= 0x09,
	B_ESCAPE		= 0x1b,
	B_SUBSTITUTE	= 0x1a,

	B_LEFT_ARROW	= 0x1c,
	B_RIGHT_ARROW	= 0x1d,
	B_UP_ARROW		= 0x1e,
	B_DOWN_ARROW	= 0x1f,

	B_INSERT		= 0x05,
	B_DELETE		= 0x7f,
	B_HOME			= 0x01,
	B_END			= 0x04,
	B_PAGE_UP		= 0x0b,
	B_PAGE_DOWN		= 0x0c,

	B_FUNCTION_KEY	= 0x10
};

// The "key" values of B_KEY_DOWN for the function keys (R5 keyboard layout).
enum {
	B_F1_KEY = 0x02, B_F2_KEY, B_F3_KEY, B_F4_KEY, B_F5_KEY, B_F6_KEY,
	B_F7_KEY, B_F8_KEY, B_F9_KEY, B_F10_KEY, B_F11_KEY, B_F12_KEY,
	B_PRINT_KEY = 0x0e, B_SCROLL_KEY = 0x0f, B_PAUSE_KEY = 0x10
};

// Modifier masks. On Linux B_COMMAND_KEY is Ctrl and B_OPTION_KEY is Alt, so that
// shortcuts read as users here expect (Ctrl+S saves); B_CONTROL_KEY is never set.
enum {
	B_SHIFT_KEY			= 0x00000001,
	B_COMMAND_KEY		= 0x00000002,
	B_CONTROL_KEY		= 0x00000004,
	B_CAPS_LOCK			= 0x00000008,
	B_SCROLL_LOCK		= 0x00000010,
	B_NUM_LOCK			= 0x00000020,
	B_OPTION_KEY		= 0x00000040,
	B_MENU_KEY			= 0x00000080,
	B_LEFT_SHIFT_KEY	= 0x00000100,
	B_RIGHT_SHIFT_KEY	= 0x00000200,
	B_LEFT_COMMAND_KEY	= 0x00000400,
	B_RIGHT_COMMAND_KEY	= 0x00000800,
	B_LEFT_CONTROL_KEY	= 0x00001000,
	B_RIGHT_CONTROL_KEY	= 0x00002000,
	B_LEFT_OPTION_KEY	= 0x00004000,
	B_RIGHT_OPTION_KEY	= 0x00008000
};

// Mouse buttons, as in the "buttons" field of mouse messages and GetMouse.
enum {
	B_PRIMARY_MOUSE_BUTTON		= 0x01,
	B_SECONDARY_MOUSE_BUTTON	= 0x02,
	B_TERTIARY_MOUSE_BUTTON		= 0x04
};

#endif	// _INTERFACE_DEFS_H
