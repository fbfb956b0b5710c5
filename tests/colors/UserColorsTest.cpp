// Colour text and the user colours file: formatting, forgiving reading of short and
// damaged lines, and writing that never loses the old file.

#include "ColorButton.h"
#include "ColorSelectView.h"
#include "ColorText.h"
#include "TempAppDir.h"
#include "UserColors.h"

#include <gtest/gtest.h>

#include <string.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

rgb_color
Color(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255)
{
	rgb_color color = { red, green, blue, alpha };
	return color;
}


bool
Same(rgb_color a, rgb_color b)
{
	return a.red == b.red && a.green == b.green && a.blue == b.blue;
}


std::string
Text(rgb_color color)
{
	char text[kColorTextSize];
	FormatColorText(color, text);
	return text;
}


// Slots filled with a colour no test line gives, so untouched slots are seen.
void
FillMarker(rgb_color colors[UserColors::kCount])
{
	for (int slot = 0; slot < UserColors::kCount; slot++)
		colors[slot] = Color(7, 7, 7);
}

}	// namespace


TEST(ColorText, TwoUpperCaseDigitsPerComponentAndNoAlpha)
{
	EXPECT_EQ("#0A800A", Text(Color(10, 128, 10)));
	EXPECT_EQ("#FFFFFF", Text(Color(255, 255, 255)));
	EXPECT_EQ("#000000", Text(Color(0, 0, 0, 0)));
	EXPECT_EQ("#0F10AB", Text(Color(15, 16, 171, 3)));

	// Both owners of convert hand out a new buffer with the same text.
	char* fromButton = ColorButton(BRect(0, 0, 15, 15), "b", Color(1, 2, 3))
		.convert(Color(165, 42, 42));
	EXPECT_STREQ("#A52A2A", fromButton);
	delete[] fromButton;
}


TEST(UserColors, ParsesFullShortAndDamagedLines)
{
	rgb_color colors[UserColors::kCount];

	FillMarker(colors);
	const char* full = "1 2 3 4 5 6 7 8 9 10 11 12 255 254 253 \n99 99 99";
	EXPECT_EQ(5, UserColors::Parse(full, strlen(full), colors));
	EXPECT_TRUE(Same(Color(1, 2, 3), colors[0]));
	EXPECT_TRUE(Same(Color(10, 11, 12), colors[3]));
	EXPECT_TRUE(Same(Color(255, 254, 253), colors[4]));
	EXPECT_EQ(255, colors[4].alpha);

	// Seven numbers give two whole slots; the third, incomplete, keeps its colour.
	FillMarker(colors);
	const char* shortLine = "10 20 30 40 50 60 70";
	EXPECT_EQ(2, UserColors::Parse(shortLine, strlen(shortLine), colors));
	EXPECT_TRUE(Same(Color(40, 50, 60), colors[1]));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[2]));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[4]));

	// A number outside 0-255, a negative one, or one that is not a number spoils only
	// its own slot; the positions of the others stay where they are.
	FillMarker(colors);
	const char* damaged = "256 0 0 1 1 1 -1 2 2 3 x3 3 4 4 4 ";
	EXPECT_EQ(2, UserColors::Parse(damaged, strlen(damaged), colors));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[0]));
	EXPECT_TRUE(Same(Color(1, 1, 1), colors[1]));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[2]));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[3]));
	EXPECT_TRUE(Same(Color(4, 4, 4), colors[4]));

	// A run of digits that would overflow any integer is refused, not wrapped.
	FillMarker(colors);
	const char* huge = "4294967296 0 0 100000000000000000000 1 1";
	EXPECT_EQ(0, UserColors::Parse(huge, strlen(huge), colors));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[0]));

	// Only the given bytes are read: the buffer below has no terminating NUL, and the
	// last slot's blue is cut off by the length.
	FillMarker(colors);
	std::unique_ptr<char[]> exact(new char[27]);
	memcpy(exact.get(), "1 1 1 2 2 2 3 3 3 4 4 4 5 5 5", 27);
	EXPECT_EQ(4, UserColors::Parse(exact.get(), 27, colors));
	EXPECT_TRUE(Same(Color(4, 4, 4), colors[3]));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[4]));

	// Nothing past kLineLength bytes is looked at.
	FillMarker(colors);
	std::string longLine(UserColors::kLineLength - 4, ' ');
	longLine += "9 9 9 8 8 8";
	EXPECT_EQ(0, UserColors::Parse(longLine.c_str(), longLine.size(), colors));
	EXPECT_TRUE(Same(Color(7, 7, 7), colors[0]));

	EXPECT_EQ(0, UserColors::Parse("", 0, colors));
	EXPECT_EQ(0, UserColors::Parse(NULL, 10, colors));
}


TEST(UserColors, FormatsFifteenNumbersEachWithASpace)
{
	rgb_color colors[UserColors::kCount] = { Color(0, 0, 0), Color(255, 255, 255),
		Color(10, 128, 10), Color(1, 2, 3), Color(200, 100, 50) };
	char line[128];
	int length = UserColors::Format(colors, line, sizeof(line));
	EXPECT_STREQ("0 0 0 255 255 255 10 128 10 1 2 3 200 100 50 ", line);
	EXPECT_EQ((int)strlen(line), length);

	rgb_color back[UserColors::kCount];
	FillMarker(back);
	EXPECT_EQ(5, UserColors::Parse(line, length, back));
	for (int slot = 0; slot < UserColors::kCount; slot++)
		EXPECT_TRUE(Same(colors[slot], back[slot])) << "slot " << slot;

	// A buffer too small is refused and left as an empty text.
	char small[20];
	EXPECT_EQ(-1, UserColors::Format(colors, small, sizeof(small)));
	EXPECT_STREQ("", small);

	// The defaults are five different colours.
	UserColors::SetDefaults(back);
	for (int slot = 1; slot < UserColors::kCount; slot++)
		EXPECT_FALSE(Same(back[slot - 1], back[slot]));
}


TEST(UserColors, WritesThroughATemporaryFileAndKeepsTheOldOneOnFailure)
{
	TempAppDir dir;
	std::string path = dir.File("Settings/colors");
	rgb_color colors[UserColors::kCount] = { Color(1, 2, 3), Color(4, 5, 6),
		Color(7, 8, 9), Color(10, 11, 12), Color(13, 14, 15) };

	ASSERT_EQ(B_OK, UserColors::Write(path.c_str(), colors));
	EXPECT_EQ("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ", dir.Read("Settings/colors"));

	// Rewriting keeps the file's permissions.
	ASSERT_EQ(0, chmod(path.c_str(), 0640));
	colors[2] = Color(99, 98, 97);
	ASSERT_EQ(B_OK, UserColors::Write(path.c_str(), colors));
	struct stat info;
	ASSERT_EQ(0, stat(path.c_str(), &info));
	EXPECT_EQ(0640u, info.st_mode & 0777);

	rgb_color read[UserColors::kCount];
	FillMarker(read);
	ASSERT_EQ(B_OK, UserColors::Read(path.c_str(), read));
	EXPECT_TRUE(Same(Color(99, 98, 97), read[2]));
	EXPECT_TRUE(Same(Color(13, 14, 15), read[4]));

	// A missing file leaves the slots alone.
	FillMarker(read);
	EXPECT_NE(B_OK, UserColors::Read(dir.File("Settings/none").c_str(), read));
	EXPECT_TRUE(Same(Color(7, 7, 7), read[0]));

	// A folder that does not exist: nothing is written.
	EXPECT_NE(B_OK, UserColors::Write(dir.File("Nowhere/colors").c_str(), colors));
	EXPECT_FALSE(dir.Exists("Nowhere"));

	// A target that cannot be replaced (a folder stands in its place): the write fails,
	// the folder and what it holds stay, and no temporary file is left behind.
	std::string blocked = dir.File("Settings/blocked");
	std::filesystem::create_directories(blocked + "/keep");
	EXPECT_NE(B_OK, UserColors::Write(blocked.c_str(), colors));
	EXPECT_TRUE(std::filesystem::is_directory(blocked + "/keep"));
	for (const auto& entry : std::filesystem::directory_iterator(dir.File("Settings")))
		EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".tmp"))
			<< entry.path();
	EXPECT_EQ("1 2 3 4 5 6 99 98 97 10 11 12 13 14 15 ", dir.Read("Settings/colors"));
}
