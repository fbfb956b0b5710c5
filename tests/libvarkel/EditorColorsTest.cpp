// The editor_colors file shipped with the application: every key the editor and the
// preference pages read must be there, once, with a value they can use.

#include <libvarkel/varkel.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace {

const char* kShippedColors = QUORREL_SOURCE_DIR "/data/Settings/editor_colors";

struct ColorDefault {
	const char*	key;
	int			value;
};

// The editor's built-in highlighting colours, which the shipped file repeats.
const ColorDefault kColorDefaults[] = {
	{"normal_color_red", 0}, {"normal_color_green", 0}, {"normal_color_blue", 0},
	{"tag_color_red", 0}, {"tag_color_green", 0}, {"tag_color_blue", 255},
	{"parameter_color_red", 0}, {"parameter_color_green", 192}, {"parameter_color_blue", 0},
	{"quotation_color_red", 153}, {"quotation_color_green", 0}, {"quotation_color_blue", 51},
	{"comment_color_red", 164}, {"comment_color_green", 164}, {"comment_color_blue", 164},
};


bool
ParseWholeInteger(const char* text, long& number)
{
	if (text == nullptr || text[0] == '\0')
		return false;
	char* end = nullptr;
	number = std::strtol(text, &end, 10);
	return *end == '\0';
}


std::string
ReadFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}


TEST(ShippedEditorColors, HoldsAllEighteenKeysWithUsableValues)
{
	varkel store;
	ASSERT_EQ(store.LoadPrefs(kShippedColors), 0) << kShippedColors;

	for (const ColorDefault& color : kColorDefaults) {
		long number = -1;
		ASSERT_TRUE(ParseWholeInteger(store.GetValue(color.key), number)) << color.key;
		EXPECT_EQ(number, color.value) << color.key;
		EXPECT_EQ(store.DeleteParam(color.key), 0);
	}

	const char* family = store.GetValue("font_family");
	ASSERT_NE(family, nullptr);
	EXPECT_STREQ(family, "DejaVu Sans Mono");
	const char* style = store.GetValue("font_style");
	ASSERT_NE(style, nullptr);
	EXPECT_STREQ(style, "Book");
	long size = 0;
	ASSERT_TRUE(ParseWholeInteger(store.GetValue("font_size"), size));
	EXPECT_GE(size, 6);
	EXPECT_LE(size, 72);
	// The editor reads the size with "%f"; it must not fall back to its 10.0.
	float readSize = 0;
	EXPECT_EQ(std::sscanf(store.GetValue("font_size"), "%f", &readSize), 1);
	EXPECT_FLOAT_EQ(readSize, (float)size);

	// Nothing else, and no key twice: once the eighteen are gone the store is empty.
	EXPECT_EQ(store.DeleteParam("font_family"), 0);
	EXPECT_EQ(store.DeleteParam("font_style"), 0);
	EXPECT_EQ(store.DeleteParam("font_size"), 0);
	char path[] = "/tmp/editor-colors-XXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	close(fd);
	ASSERT_EQ(store.SavePrefs(path), 0);
	EXPECT_EQ(ReadFile(path), "");

	// The file is exactly what the store writes, so a preference page's save changes
	// nothing but the values it sets.
	varkel again;
	ASSERT_EQ(again.LoadPrefs(kShippedColors), 0);
	ASSERT_EQ(again.SavePrefs(path), 0);
	EXPECT_EQ(ReadFile(path), ReadFile(kShippedColors));
	std::remove(path);
}

}	// namespace
