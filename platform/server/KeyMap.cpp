#include "server/KeyMap.h"

#include <InterfaceDefs.h>

#include <SDL.h>

#include <cstring>

namespace BPrivate {

namespace {

// One key of the R5 layout and what it gives on a US keyboard: its character without
// and with Shift, or the control byte of a key that types no text.
struct KeyEntry {
	int32	key;
	char	plain;
	char	shifted;
	uint8	control;
};

const KeyEntry kKeys[] = {
	{ 0x01, 0, 0, B_ESCAPE },
	{ 0x02, 0, 0, B_FUNCTION_KEY }, { 0x03, 0, 0, B_FUNCTION_KEY },
	{ 0x04, 0, 0, B_FUNCTION_KEY }, { 0x05, 0, 0, B_FUNCTION_KEY },
	{ 0x06, 0, 0, B_FUNCTION_KEY }, { 0x07, 0, 0, B_FUNCTION_KEY },
	{ 0x08, 0, 0, B_FUNCTION_KEY }, { 0x09, 0, 0, B_FUNCTION_KEY },
	{ 0x0a, 0, 0, B_FUNCTION_KEY }, { 0x0b, 0, 0, B_FUNCTION_KEY },
	{ 0x0c, 0, 0, B_FUNCTION_KEY }, { 0x0d, 0, 0, B_FUNCTION_KEY },
	{ 0x0e, 0, 0, B_FUNCTION_KEY }, { 0x0f, 0, 0, B_FUNCTION_KEY },
	{ 0x10, 0, 0, B_FUNCTION_KEY },

	{ 0x11, '`', '~', 0 }, { 0x12, '1', '!', 0 }, { 0x13, '2', '@', 0 },
	{ 0x14, '3', '#', 0 }, { 0x15, '4', '$', 0 }, { 0x16, '5', '%', 0 },
	{ 0x17, '6', '^', 0 }, { 0x18, '7', '&', 0 }, { 0x19, '8', '*', 0 },
	{ 0x1a, '9', '(', 0 }, { 0x1b, '0', ')', 0 }, { 0x1c, '-', '_', 0 },
	{ 0x1d, '=', '+', 0 }, { 0x1e, 0, 0, B_BACKSPACE }, { 0x1f, 0, 0, B_INSERT },
	{ 0x20, 0, 0, B_HOME }, { 0x21, 0, 0, B_PAGE_UP },
	{ 0x23, '/', '/', 0 }, { 0x24, '*', '*', 0 }, { 0x25, '-', '-', 0 },

	{ 0x26, 0, 0, B_TAB }, { 0x27, 'q', 'Q', 0 }, { 0x28, 'w', 'W', 0 },
	{ 0x29, 'e', 'E', 0 }, { 0x2a, 'r', 'R', 0 }, { 0x2b, 't', 'T', 0 },
	{ 0x2c, 'y', 'Y', 0 }, { 0x2d, 'u', 'U', 0 }, { 0x2e, 'i', 'I', 0 },
	{ 0x2f, 'o', 'O', 0 }, { 0x30, 'p', 'P', 0 }, { 0x31, '[', '{', 0 },
	{ 0x32, ']', '}', 0 }, { 0x33, '\\', '|', 0 }, { 0x34, 0, 0, B_DELETE },
	{ 0x35, 0, 0, B_END }, { 0x36, 0, 0, B_PAGE_DOWN },
	{ 0x37, '7', 0, B_HOME }, { 0x38, '8', 0, B_UP_ARROW }, { 0x39, '9', 0, B_PAGE_UP },
	{ 0x3a, '+', '+', 0 },

	{ 0x3c, 'a', 'A', 0 }, { 0x3d, 's', 'S', 0 }, { 0x3e, 'd', 'D', 0 },
	{ 0x3f, 'f', 'F', 0 }, { 0x40, 'g', 'G', 0 }, { 0x41, 'h', 'H', 0 },
	{ 0x42, 'j', 'J', 0 }, { 0x43, 'k', 'K', 0 }, { 0x44, 'l', 'L', 0 },
	{ 0x45, ';', ':', 0 }, { 0x46, '\'', '"', 0 }, { 0x47, 0, 0, B_RETURN },
	{ 0x48, '4', 0, B_LEFT_ARROW }, { 0x49, '5', 0, 0 }, { 0x4a, '6', 0, B_RIGHT_ARROW },

	{ 0x4c, 'z', 'Z', 0 }, { 0x4d, 'x', 'X', 0 }, { 0x4e, 'c', 'C', 0 },
	{ 0x4f, 'v', 'V', 0 }, { 0x50, 'b', 'B', 0 }, { 0x51, 'n', 'N', 0 },
	{ 0x52, 'm', 'M', 0 }, { 0x53, ',', '<', 0 }, { 0x54, '.', '>', 0 },
	{ 0x55, '/', '?', 0 }, { 0x57, 0, 0, B_UP_ARROW },
	{ 0x58, '1', 0, B_END }, { 0x59, '2', 0, B_DOWN_ARROW }, { 0x5a, '3', 0, B_PAGE_DOWN },
	{ 0x5b, 0, 0, B_ENTER },

	{ 0x5e, ' ', ' ', 0 }, { 0x61, 0, 0, B_LEFT_ARROW }, { 0x62, 0, 0, B_DOWN_ARROW },
	{ 0x63, 0, 0, B_RIGHT_ARROW }, { 0x64, '0', 0, B_INSERT }, { 0x65, '.', 0, B_DELETE },
	{ 0x69, '<', '>', 0 }
};


const KeyEntry*
find_key(int32 key)
{
	for (const KeyEntry& entry : kKeys) {
		if (entry.key == key)
			return &entry;
	}
	return NULL;
}


// The keypad keys type digits with Num Lock on and move the caret with it off; they
// are the keys whose table entry has both a character and a control byte.
bool
is_keypad_dual(const KeyEntry& entry)
{
	return entry.plain != 0 && entry.shifted == 0;
}

}	// namespace


bool
IsModifierKey(int32 key)
{
	switch (key) {
		case kKeyLeftShift:
		case kKeyRightShift:
		case kKeyLeftControl:
		case kKeyRightControl:
		case kKeyLeftAlt:
		case kKeyRightAlt:
		case kKeyCapsLock:
		case kKeyNumLock:
		case kKeyLeftWindows:
		case kKeyRightWindows:
		case kKeyMenu:
			return true;
		default:
			return false;
	}
}


bool
KeyTypesText(int32 key, uint32 modifiers)
{
	const KeyEntry* entry = find_key(key);
	if (entry == NULL || entry->plain == 0)
		return false;
	if (is_keypad_dual(*entry))
		return (modifiers & B_NUM_LOCK) != 0;
	return true;
}


bool
KeyBytes(int32 key, uint32 modifiers, char bytes[8], int32* rawChar)
{
	memset(bytes, 0, 8);
	if (rawChar != NULL)
		*rawChar = 0;
	const KeyEntry* entry = find_key(key);
	if (entry == NULL)
		return false;

	char c;
	int32 raw;
	if (KeyTypesText(key, modifiers)) {
		bool shift = (modifiers & B_SHIFT_KEY) != 0;
		if (entry->plain >= 'a' && entry->plain <= 'z' && (modifiers & B_CAPS_LOCK) != 0)
			shift = !shift;
		c = shift && entry->shifted != 0 ? entry->shifted : entry->plain;
		raw = entry->plain;
	} else {
		c = (char)entry->control;
		raw = entry->control;
	}
	if (c == 0)
		return false;
	bytes[0] = c;
	if (rawChar != NULL)
		*rawChar = raw;
	return true;
}


bool
KeyForCharacter(char c, int32* key, uint32* modifiers)
{
	if (c == '\n' || c == '\r') {
		*key = kKeyReturn;
		*modifiers = 0;
		return true;
	}
	if (c == '\t') {
		*key = kKeyTab;
		*modifiers = 0;
		return true;
	}
	for (const KeyEntry& entry : kKeys) {
		// The keypad and the extra key of European keyboards are never the first choice.
		if (is_keypad_dual(entry) || (entry.key >= 0x23 && entry.key <= 0x25)
			|| entry.key == 0x3a || entry.key == 0x69)
			continue;
		if (entry.plain == c && c != 0) {
			*key = entry.key;
			*modifiers = 0;
			return true;
		}
		if (entry.shifted == c && c != 0) {
			*key = entry.key;
			*modifiers = B_SHIFT_KEY;
			return true;
		}
	}
	return false;
}


int32
KeyForScancode(int scancode)
{
	if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
		int32 key;
		uint32 modifiers;
		if (KeyForCharacter((char)('a' + scancode - SDL_SCANCODE_A), &key, &modifiers))
			return key;
		return 0;
	}
	if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0)
		return 0x12 + scancode - SDL_SCANCODE_1;
	if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
		return 0x02 + scancode - SDL_SCANCODE_F1;

	switch (scancode) {
		case SDL_SCANCODE_RETURN: return 0x47;
		case SDL_SCANCODE_ESCAPE: return 0x01;
		case SDL_SCANCODE_BACKSPACE: return 0x1e;
		case SDL_SCANCODE_TAB: return 0x26;
		case SDL_SCANCODE_SPACE: return 0x5e;
		case SDL_SCANCODE_MINUS: return 0x1c;
		case SDL_SCANCODE_EQUALS: return 0x1d;
		case SDL_SCANCODE_LEFTBRACKET: return 0x31;
		case SDL_SCANCODE_RIGHTBRACKET: return 0x32;
		case SDL_SCANCODE_BACKSLASH: return 0x33;
		case SDL_SCANCODE_NONUSHASH: return 0x33;
		case SDL_SCANCODE_SEMICOLON: return 0x45;
		case SDL_SCANCODE_APOSTROPHE: return 0x46;
		case SDL_SCANCODE_GRAVE: return 0x11;
		case SDL_SCANCODE_COMMA: return 0x53;
		case SDL_SCANCODE_PERIOD: return 0x54;
		case SDL_SCANCODE_SLASH: return 0x55;
		case SDL_SCANCODE_CAPSLOCK: return 0x3b;
		case SDL_SCANCODE_PRINTSCREEN: return 0x0e;
		case SDL_SCANCODE_SCROLLLOCK: return 0x0f;
		case SDL_SCANCODE_PAUSE: return 0x10;
		case SDL_SCANCODE_INSERT: return 0x1f;
		case SDL_SCANCODE_HOME: return 0x20;
		case SDL_SCANCODE_PAGEUP: return 0x21;
		case SDL_SCANCODE_DELETE: return 0x34;
		case SDL_SCANCODE_END: return 0x35;
		case SDL_SCANCODE_PAGEDOWN: return 0x36;
		case SDL_SCANCODE_RIGHT: return 0x63;
		case SDL_SCANCODE_LEFT: return 0x61;
		case SDL_SCANCODE_DOWN: return 0x62;
		case SDL_SCANCODE_UP: return 0x57;
		case SDL_SCANCODE_NUMLOCKCLEAR: return 0x22;
		case SDL_SCANCODE_KP_DIVIDE: return 0x23;
		case SDL_SCANCODE_KP_MULTIPLY: return 0x24;
		case SDL_SCANCODE_KP_MINUS: return 0x25;
		case SDL_SCANCODE_KP_PLUS: return 0x3a;
		case SDL_SCANCODE_KP_ENTER: return 0x5b;
		case SDL_SCANCODE_KP_1: return 0x58;
		case SDL_SCANCODE_KP_2: return 0x59;
		case SDL_SCANCODE_KP_3: return 0x5a;
		case SDL_SCANCODE_KP_4: return 0x48;
		case SDL_SCANCODE_KP_5: return 0x49;
		case SDL_SCANCODE_KP_6: return 0x4a;
		case SDL_SCANCODE_KP_7: return 0x37;
		case SDL_SCANCODE_KP_8: return 0x38;
		case SDL_SCANCODE_KP_9: return 0x39;
		case SDL_SCANCODE_KP_0: return 0x64;
		case SDL_SCANCODE_KP_PERIOD: return 0x65;
		case SDL_SCANCODE_NONUSBACKSLASH: return 0x69;
		case SDL_SCANCODE_APPLICATION: return 0x68;
		case SDL_SCANCODE_LCTRL: return 0x5c;
		case SDL_SCANCODE_LSHIFT: return 0x4b;
		case SDL_SCANCODE_LALT: return 0x5d;
		case SDL_SCANCODE_LGUI: return 0x66;
		case SDL_SCANCODE_RCTRL: return 0x60;
		case SDL_SCANCODE_RSHIFT: return 0x56;
		case SDL_SCANCODE_RALT: return 0x5f;
		case SDL_SCANCODE_RGUI: return 0x67;
		default: return 0;
	}
}


uint32
ModifiersForSDL(uint32 sdl)
{
	uint32 modifiers = 0;
	if ((sdl & KMOD_LSHIFT) != 0)
		modifiers |= B_SHIFT_KEY | B_LEFT_SHIFT_KEY;
	if ((sdl & KMOD_RSHIFT) != 0)
		modifiers |= B_SHIFT_KEY | B_RIGHT_SHIFT_KEY;
	// Ctrl is the BeOS Command key and Alt the Option key.
	if ((sdl & KMOD_LCTRL) != 0)
		modifiers |= B_COMMAND_KEY | B_LEFT_COMMAND_KEY;
	if ((sdl & KMOD_RCTRL) != 0)
		modifiers |= B_COMMAND_KEY | B_RIGHT_COMMAND_KEY;
	if ((sdl & KMOD_LALT) != 0)
		modifiers |= B_OPTION_KEY | B_LEFT_OPTION_KEY;
	if ((sdl & KMOD_RALT) != 0)
		modifiers |= B_OPTION_KEY | B_RIGHT_OPTION_KEY;
	if ((sdl & KMOD_CAPS) != 0)
		modifiers |= B_CAPS_LOCK;
	if ((sdl & KMOD_NUM) != 0)
		modifiers |= B_NUM_LOCK;
	if ((sdl & KMOD_SCROLL) != 0)
		modifiers |= B_SCROLL_LOCK;
	return modifiers;
}

}	// namespace BPrivate
