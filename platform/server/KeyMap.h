/*
 * The keyboard map: the one place where keys of this machine become BeOS keys.
 *
 * Key codes are those of the R5 keyboard layout (0x01 Escape, 0x3c the A key, 0x61 the
 * left arrow ...). The text a key types follows a US layout when no typed text is known
 * (keys pressed with Ctrl held, injected keys); typed text from the desktop wins
 * otherwise. Ctrl is B_COMMAND_KEY and Alt is B_OPTION_KEY, so Ctrl+S reads as the
 * BeOS shortcut Command+S: key 0x3d, bytes "s", modifiers B_COMMAND_KEY.
 */
#ifndef _KEY_MAP_H
#define _KEY_MAP_H

#include <SupportDefs.h>

namespace BPrivate {

// A few key codes of the R5 layout that the server and the tests name.
enum {
	kKeyEscape		= 0x01,
	kKeyBackspace	= 0x1e,
	kKeyInsert		= 0x1f,
	kKeyHome		= 0x20,
	kKeyPageUp		= 0x21,
	kKeyTab			= 0x26,
	kKeyDelete		= 0x34,
	kKeyEnd			= 0x35,
	kKeyPageDown	= 0x36,
	kKeyReturn		= 0x47,
	kKeyUpArrow		= 0x57,
	kKeySpace		= 0x5e,
	kKeyLeftArrow	= 0x61,
	kKeyDownArrow	= 0x62,
	kKeyRightArrow	= 0x63,
	kKeyEnter		= 0x5b,

	kKeyLeftShift	= 0x4b,
	kKeyRightShift	= 0x56,
	kKeyLeftControl	= 0x5c,
	kKeyLeftAlt		= 0x5d,
	kKeyRightAlt	= 0x5f,
	kKeyRightControl = 0x60,
	kKeyCapsLock	= 0x3b,
	kKeyNumLock		= 0x22,
	kKeyLeftWindows	= 0x66,
	kKeyRightWindows = 0x67,
	kKeyMenu		= 0x68
};

// True for the keys that only change the modifiers (Shift, Ctrl, Alt, the locks ...);
// they make no key-down events.
bool		IsModifierKey(int32 key);

// True when the key, with these modifiers, types text rather than a control byte.
bool		KeyTypesText(int32 key, uint32 modifiers);

// The "bytes" (NUL-terminated, at most 4 bytes and the NUL) and "raw_char" of key with
// the modifiers, on a US layout. Control keys give their byte (B_BACKSPACE, B_LEFT_ARROW,
// B_FUNCTION_KEY ...); unknown keys give an empty string and 0. Returns false when the
// key makes no bytes.
bool		KeyBytes(int32 key, uint32 modifiers, char bytes[8], int32* rawChar);

// The key and the modifiers (B_SHIFT_KEY at most) that type the ASCII character c on a
// US layout; false when no key does.
bool		KeyForCharacter(char c, int32* key, uint32* modifiers);

// SDL scan codes and modifier states; the SDL backend is the only user.
int32		KeyForScancode(int scancode);
uint32		ModifiersForSDL(uint32 sdlModifiers);

}	// namespace BPrivate

#endif	// _KEY_MAP_H
