#include "server/KeyMap.h"

#include <InterfaceDefs.h>

#include <SDL.h>

#include <gtest/gtest.h>

using namespace BPrivate;

namespace {

std::string
bytes_of(int32 key, uint32 modifiers, int32* rawChar = NULL)
{
	char bytes[8];
	int32 raw;
	KeyBytes(key, modifiers, bytes, &raw);
	if (rawChar != NULL)
		*rawChar = raw;
	return bytes;
}

}	// namespace


TEST(KeyMapTest, KeysTypeUSLayoutTextAndControlBytes)
{
	int32 raw;
	EXPECT_EQ(bytes_of(0x3d, 0, &raw), "s");
	EXPECT_EQ(raw, 's');
	EXPECT_EQ(bytes_of(0x3d, B_SHIFT_KEY, &raw), "S");
	EXPECT_EQ(raw, 's');
	EXPECT_EQ(bytes_of(0x3d, B_CAPS_LOCK), "S");
	EXPECT_EQ(bytes_of(0x3d, B_CAPS_LOCK | B_SHIFT_KEY), "s");
	EXPECT_EQ(bytes_of(0x3d, B_COMMAND_KEY), "s");
	EXPECT_EQ(bytes_of(0x12, B_SHIFT_KEY), "!");
	// Caps Lock shifts letters only.
	EXPECT_EQ(bytes_of(0x12, B_CAPS_LOCK), "1");
	EXPECT_EQ(bytes_of(kKeySpace, 0), " ");

	EXPECT_EQ(bytes_of(kKeyBackspace, 0, &raw), std::string(1, B_BACKSPACE));
	EXPECT_EQ(raw, B_BACKSPACE);
	EXPECT_EQ(bytes_of(kKeyDelete, B_COMMAND_KEY), std::string(1, B_DELETE));
	EXPECT_EQ(bytes_of(kKeyEnter, 0), std::string(1, B_ENTER));
	EXPECT_EQ(bytes_of(0x0d, 0), std::string(1, B_FUNCTION_KEY));

	// The keypad types digits with Num Lock and moves without it.
	EXPECT_EQ(bytes_of(0x37, B_NUM_LOCK), "7");
	EXPECT_EQ(bytes_of(0x37, 0), std::string(1, B_HOME));
	EXPECT_EQ(bytes_of(0x64, 0), std::string(1, B_INSERT));
	EXPECT_TRUE(KeyTypesText(0x58, B_NUM_LOCK));
	EXPECT_FALSE(KeyTypesText(0x58, 0));
	EXPECT_FALSE(KeyTypesText(kKeyLeftArrow, 0));

	// Modifier keys and unknown codes type nothing.
	char bytes[8];
	EXPECT_FALSE(KeyBytes(kKeyLeftShift, 0, bytes, &raw));
	EXPECT_EQ(bytes[0], '\0');
	EXPECT_FALSE(KeyBytes(0x7a, 0, bytes, &raw));
	EXPECT_FALSE(KeyBytes(-1, 0, bytes, &raw));
	EXPECT_TRUE(IsModifierKey(kKeyLeftControl));
	EXPECT_FALSE(IsModifierKey(0x3c));

	int32 key;
	uint32 modifiers;
	ASSERT_TRUE(KeyForCharacter('?', &key, &modifiers));
	EXPECT_EQ(key, 0x55);
	EXPECT_EQ(modifiers, (uint32)B_SHIFT_KEY);
	ASSERT_TRUE(KeyForCharacter('7', &key, &modifiers));
	EXPECT_EQ(key, 0x18);
	EXPECT_FALSE(KeyForCharacter('\x01', &key, &modifiers));
}


TEST(KeyMapTest, SDLKeysAndModifiersMapToBeOS)
{
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_A), 0x3c);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_S), 0x3d);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_Q), 0x27);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_Z), 0x4c);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_1), 0x12);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_0), 0x1b);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_F1), B_F1_KEY);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_F12), B_F12_KEY);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_ESCAPE), kKeyEscape);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_LEFT), kKeyLeftArrow);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_UP), kKeyUpArrow);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_RETURN), kKeyReturn);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_KP_ENTER), kKeyEnter);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_LCTRL), kKeyLeftControl);
	EXPECT_EQ(KeyForScancode(SDL_SCANCODE_UNKNOWN), 0);

	uint32 modifiers = ModifiersForSDL(KMOD_LCTRL);
	EXPECT_EQ(modifiers, (uint32)(B_COMMAND_KEY | B_LEFT_COMMAND_KEY));
	modifiers = ModifiersForSDL(KMOD_RALT | KMOD_LSHIFT);
	EXPECT_EQ(modifiers,
		(uint32)(B_OPTION_KEY | B_RIGHT_OPTION_KEY | B_SHIFT_KEY | B_LEFT_SHIFT_KEY));
	EXPECT_EQ(ModifiersForSDL(KMOD_CAPS | KMOD_NUM), (uint32)(B_CAPS_LOCK | B_NUM_LOCK));
	EXPECT_EQ(ModifiersForSDL(KMOD_LGUI), 0u);
	EXPECT_EQ(ModifiersForSDL(KMOD_NONE), 0u);
}
