// BBitmap: sizes, layout and SetBits conversions.

#include <Bitmap.h>
#include <InterfaceDefs.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>


TEST(BitmapTest, SizesAndLayout)
{
	BBitmap bitmap(BRect(0, 0, 9, 4), B_RGB32);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	EXPECT_TRUE(bitmap.IsValid());
	EXPECT_EQ(bitmap.Bounds(), BRect(0, 0, 9, 4));
	EXPECT_EQ(bitmap.BytesPerRow(), 40);
	EXPECT_EQ(bitmap.BitsLength(), 200);
	EXPECT_EQ(bitmap.ColorSpace(), B_RGB32);

	// Rows are padded to four bytes; bounds are moved to the origin.
	BBitmap indexed(BRect(10, 20, 14, 21), B_CMAP8);
	EXPECT_EQ(indexed.BytesPerRow(), 8);
	EXPECT_EQ(indexed.Bounds(), BRect(0, 0, 4, 1));
	BBitmap rgb24(BRect(0, 0, 2, 0), B_RGB24);
	EXPECT_EQ(rgb24.BytesPerRow(), 12);
	BBitmap mono(BRect(0, 0, 40, 0), B_GRAY1);
	EXPECT_EQ(mono.BytesPerRow(), 8);

	// Absurd sizes fail cleanly.
	const float nan = std::numeric_limits<float>::quiet_NaN();
	EXPECT_EQ(BBitmap(BRect(0, 0, -1, 5), B_RGB32).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BBitmap(BRect(0, 0, nan, 5), B_RGB32).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BBitmap(BRect(0, 0, 40000, 5), B_RGB32).InitCheck(), B_NO_MEMORY);
	EXPECT_EQ(BBitmap(BRect(0, 0, 1e30f, 1e30f), B_RGB32).InitCheck(), B_NO_MEMORY);
	EXPECT_EQ(BBitmap(BRect(0, 0, 32767, 16383), B_RGB32).InitCheck(), B_NO_MEMORY);
	EXPECT_EQ(BBitmap(BRect(0, 0, 9, 9), B_YUV422).InitCheck(), B_BAD_VALUE);
	BBitmap invalid(BRect(0, 0, -1, -1), B_RGB32);
	EXPECT_EQ(invalid.Bits(), nullptr);
	EXPECT_FALSE(invalid.IsValid());
	invalid.SetBits("abcd", 4, 0, B_RGB32);

	// The copy constructor copies the pixels.
	memset(bitmap.Bits(), 0x5a, bitmap.BitsLength());
	BBitmap copy(&bitmap);
	ASSERT_EQ(copy.InitCheck(), B_OK);
	EXPECT_EQ(memcmp(copy.Bits(), bitmap.Bits(), bitmap.BitsLength()), 0);
}


TEST(BitmapTest, SetBitsConvertsIntoTheBitmapsSpace)
{
	// B_RGB32 memory is B, G, R, A.
	BBitmap bitmap(BRect(0, 0, 1, 1), B_RGB32);
	const uint8 rgb24[] = {
		// Row 0: red, green (B, G, R order), then the row's padding to 8 bytes.
		0, 0, 255, 0, 255, 0, 0, 0,
		// Row 1: blue, grey.
		255, 0, 0, 50, 60, 70, 0, 0
	};
	bitmap.SetBits(rgb24, sizeof(rgb24), 0, B_RGB24);
	const uint8* bits = (const uint8*)bitmap.Bits();
	EXPECT_EQ(bits[0], 0);
	EXPECT_EQ(bits[2], 255);
	EXPECT_EQ(bits[3], 255);
	EXPECT_EQ(bits[5], 255);
	EXPECT_EQ(bits[8], 255);
	EXPECT_EQ(bits[12], 50);
	EXPECT_EQ(bits[13], 60);
	EXPECT_EQ(bits[14], 70);

	// Grey and indexed sources.
	const uint8 grey[] = { 10, 200, 0, 0, 255, 0, 0, 0 };
	bitmap.SetBits(grey, sizeof(grey), 0, B_GRAY8);
	EXPECT_EQ(bits[0], 10);
	EXPECT_EQ(bits[1], 10);
	EXPECT_EQ(bits[6], 200);
	EXPECT_EQ(bits[8], 255);
	const uint8 indexed[] = { 0, 63, 0, 0, 255, 255, 0, 0 };
	bitmap.SetBits(indexed, sizeof(indexed), 0, B_CMAP8);
	const color_map* map = system_colors();
	EXPECT_EQ(bits[2], map->color_list[0].red);
	EXPECT_EQ(bits[6], map->color_list[63].red);
	EXPECT_EQ(bits[4], map->color_list[63].blue);

	// Same space: a plain copy, from the byte offset, cut at the end.
	uint8 raw[12];
	memset(raw, 0x11, sizeof(raw));
	bitmap.SetBits(raw, sizeof(raw), 8, B_RGB32);
	EXPECT_EQ(bits[7], map->color_list[63].alpha);
	EXPECT_EQ(bits[8], 0x11);
	EXPECT_EQ(bits[15], 0x11);
	// Too much data, a bad offset and NULL are harmless.
	uint8 big[64];
	memset(big, 0x22, sizeof(big));
	bitmap.SetBits(big, sizeof(big), 4, B_RGB32);
	EXPECT_EQ(bits[15], 0x22);
	bitmap.SetBits(big, sizeof(big), -4, B_RGB32);
	bitmap.SetBits(big, sizeof(big), 1000, B_RGB32);
	bitmap.SetBits(NULL, 10, 0, B_RGB32);
	EXPECT_EQ(bits[0], map->color_list[0].blue);
	EXPECT_EQ(bits[3], map->color_list[0].alpha);

	// Into an indexed bitmap: colours map to their nearest palette entry.
	BBitmap target(BRect(0, 0, 2, 0), B_CMAP8);
	const uint8 colors[] = { 0, 0, 0, 255, 255, 255, 255, 255,
		B_TRANSPARENT_COLOR.blue, B_TRANSPARENT_COLOR.green, B_TRANSPARENT_COLOR.red, 0 };
	target.SetBits(colors, sizeof(colors), 0, B_RGB32);
	const uint8* indexes = (const uint8*)target.Bits();
	EXPECT_EQ(map->color_list[indexes[0]], make_color(0, 0, 0));
	EXPECT_EQ(map->color_list[indexes[1]], make_color(255, 255, 255));
	EXPECT_EQ(indexes[2], B_TRANSPARENT_MAGIC_CMAP8);

	// A short buffer converts only the pixels it holds.
	BBitmap partial(BRect(0, 0, 3, 0), B_RGB32);
	const uint8 two[] = { 1, 2 };
	partial.SetBits(two, 2, 0, B_GRAY8);
	const uint8* p = (const uint8*)partial.Bits();
	EXPECT_EQ(p[0], 1);
	EXPECT_EQ(p[4], 2);
	EXPECT_EQ(p[8], 0);
}


TEST(BitmapTest, ColourHelpers)
{
	rgb_color color = make_color(100, 200, 50);
	EXPECT_EQ(tint_color(color, B_NO_TINT), color);
	rgb_color darker = tint_color(color, B_DARKEN_2_TINT);
	EXPECT_LT(darker.red, 100);
	EXPECT_LT(darker.green, 200);
	rgb_color lighter = tint_color(color, B_LIGHTEN_1_TINT);
	EXPECT_GT(lighter.red, 100);
	EXPECT_EQ(tint_color(color, B_LIGHTEN_MAX_TINT), make_color(255, 255, 255));
	EXPECT_EQ(tint_color(color, B_DARKEN_MAX_TINT), make_color(0, 0, 0));
	EXPECT_EQ(ui_color(B_PANEL_BACKGROUND_COLOR), make_color(216, 216, 216));

	rgb_color set;
	set.set_to(1, 2, 3);
	EXPECT_EQ(set, make_color(1, 2, 3, 255));

	// The palette answers its own colours with their indexes.
	const color_map* map = system_colors();
	EXPECT_EQ(map->color_list[0], make_color(0, 0, 0));
	EXPECT_EQ(map->color_list[255], B_TRANSPARENT_COLOR);
	for (int i = 0; i < 255; i++) {
		uint8 index = BPrivate::index_for_color(map->color_list[i]);
		rgb_color found = map->color_list[index];
		EXPECT_LE(std::abs(found.red - map->color_list[i].red), 8) << i;
	}
	EXPECT_EQ(BPrivate::index_for_color(B_TRANSPARENT_COLOR), B_TRANSPARENT_MAGIC_CMAP8);
}
