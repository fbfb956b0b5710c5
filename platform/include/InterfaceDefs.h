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

// Common characters as UTF-8 strings.
#define B_UTF8_ELLIPSIS		"\xE2\x80\xA6"
#define B_UTF8_OPEN_QUOTE	"\xE2\x80\x9C"
#define B_UTF8_CLOSE_QUOTE	"\xE2\x80\x9D"
#define B_UTF8_COPYRIGHT	"\xC2\xA9"
#define B_UTF8_REGISTERED	"\xC2\xAE"
#define B_UTF8_TRADEMARK	"\xE2\x84\xA2"
#define B_UTF8_SMILING_FACE	"\xE2\x98\xBB"
#define B_UTF8_HIROSHI		"\xE5\xBC\x98"

// Horizontal alignment of labels and text.
enum alignment {
	B_ALIGN_LEFT,
	B_ALIGN_RIGHT,
	B_ALIGN_CENTER
};

enum orientation {
	B_HORIZONTAL,
	B_VERTICAL
};

enum border_style {
	B_PLAIN_BORDER,
	B_FANCY_BORDER,
	B_NO_BORDER
};

enum button_width {
	B_WIDTH_AS_USUAL,
	B_WIDTH_FROM_WIDEST,
	B_WIDTH_FROM_LABEL
};

// How wide lines end and meet.
enum join_mode {
	B_ROUND_JOIN = 0,
	B_MITER_JOIN,
	B_BEVEL_JOIN,
	B_BUTT_JOIN,
	B_SQUARE_JOIN
};

enum cap_mode {
	B_ROUND_CAP = B_ROUND_JOIN,
	B_BUTT_CAP = B_BUTT_JOIN,
	B_SQUARE_CAP = B_SQUARE_JOIN
};

#define B_DEFAULT_MITER_LIMIT	10.0F

// The user interface colours that ui_color() answers. The first nine are R5's; the rest
// are the later additions that controls commonly ask for.
enum color_which {
	B_PANEL_BACKGROUND_COLOR = 1,
	B_MENU_BACKGROUND_COLOR = 2,
	B_WINDOW_TAB_COLOR = 3,
	B_KEYBOARD_NAVIGATION_COLOR = 4,
	B_DESKTOP_COLOR = 5,
	B_MENU_SELECTION_BACKGROUND_COLOR = 6,
	B_MENU_ITEM_TEXT_COLOR = 7,
	B_MENU_SELECTED_ITEM_TEXT_COLOR = 8,
	B_MENU_SELECTED_BORDER_COLOR = 9,

	B_PANEL_TEXT_COLOR = 10,
	B_DOCUMENT_BACKGROUND_COLOR = 11,
	B_DOCUMENT_TEXT_COLOR = 12,
	B_CONTROL_BACKGROUND_COLOR = 13,
	B_CONTROL_TEXT_COLOR = 14,
	B_CONTROL_BORDER_COLOR = 15,
	B_CONTROL_HIGHLIGHT_COLOR = 16,
	B_NAVIGATION_PULSE_COLOR = 17,
	B_SHINE_COLOR = 18,
	B_SHADOW_COLOR = 19,
	B_TOOLTIP_BACKGROUND_COLOR = 20,
	B_TOOLTIP_TEXT_COLOR = 21,
	B_WINDOW_TEXT_COLOR = 22,
	B_WINDOW_INACTIVE_TAB_COLOR = 23,
	B_WINDOW_INACTIVE_TEXT_COLOR = 24
};

// Tints for tint_color(): below 1.0 lightens towards white, above 1.0 darkens towards
// black.
#define B_LIGHTEN_MAX_TINT	0.0F
#define B_LIGHTEN_2_TINT	0.385F
#define B_LIGHTEN_1_TINT	0.590F
#define B_NO_TINT			1.0F
#define B_DARKEN_1_TINT		1.147F
#define B_DARKEN_2_TINT		1.295F
#define B_DARKEN_3_TINT		1.407F
#define B_DARKEN_4_TINT		1.555F
#define B_DARKEN_MAX_TINT	2.0F

#define B_DISABLED_LABEL_TINT		B_DARKEN_3_TINT
#define B_HIGHLIGHT_BACKGROUND_TINT	B_DARKEN_2_TINT
#define B_DISABLED_MARK_TINT		B_LIGHTEN_2_TINT

// The colour the user interface uses for an element (the R5 defaults; there is no
// preferences application to change them).
rgb_color ui_color(color_which which);

// The colour moved towards white (tint < 1) or black (tint > 1); alpha is kept.
rgb_color tint_color(rgb_color color, float tint);

rgb_color keyboard_navigation_color();

// The 256-colour palette of B_CMAP8: a grey ramp (0 black ... 31), a 6 by 6 by 6 colour
// cube, more greys, white at 254, and B_TRANSPARENT_MAGIC_CMAP8 at 255. It is laid out like
// R5's system palette but its entries are this platform's own.
const color_map* system_colors();

namespace BPrivate {

// The palette index whose colour is nearest to color; B_TRANSPARENT_MAGIC_CMAP8 for
// B_TRANSPARENT_COLOR.
uint8 index_for_color(rgb_color color);

}	// namespace BPrivate

#endif	// _INTERFACE_DEFS_H
