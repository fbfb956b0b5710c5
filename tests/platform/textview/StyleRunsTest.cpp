#include "interface/textview/StyleRuns.h"

#include <Errors.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using BPrivate::StyleRun;
using BPrivate::StyleRuns;
using BPrivate::TextStyle;

namespace {

const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kGreen = {0, 192, 0, 255};
const rgb_color kGrey = {164, 164, 164, 255};


std::vector<rgb_color>
Colors(const StyleRuns& runs)
{
	std::vector<rgb_color> colors;
	for (int32 i = 0; i < runs.Length(); i++)
		colors.push_back(runs.StyleAt(runs.StyleIndexAt(i)).color);
	return colors;
}

}	// namespace


TEST(StyleRunsTest, RangesTakeTheirStyleInAnyOrder)
{
	// The same tokens coloured front to back, back to front and shuffled end the same.
	struct Token { int32 from; int32 to; rgb_color color; };
	std::vector<Token> tokens;
	const rgb_color palette[] = {kBlue, kGreen, kGrey, kBlack};
	for (int32 at = 0, i = 0; at < 600; i++) {
		int32 length = 5 + i % 6;
		tokens.push_back({at, std::min(at + length, (int32)600), palette[i % 4]});
		at += length;
	}
	std::vector<rgb_color> expected(600);
	for (const Token& token : tokens)
		std::fill(expected.begin() + token.from, expected.begin() + token.to, token.color);

	std::vector<std::vector<Token>> orders(3, tokens);
	std::reverse(orders[1].begin(), orders[1].end());
	std::shuffle(orders[2].begin(), orders[2].end(), std::mt19937(3));
	for (const std::vector<Token>& order : orders) {
		StyleRuns runs(*be_plain_font, kBlack);
		ASSERT_EQ(runs.Reset(600, 0), B_OK);
		for (const Token& token : order) {
			ASSERT_EQ(runs.SetStyle(token.from, token.to, be_plain_font, B_FONT_ALL,
				&token.color), B_OK);
		}
		EXPECT_EQ(Colors(runs), expected);
		EXPECT_EQ(runs.CountStyles(), 4);	// Black is style 0 already.
		EXPECT_EQ(runs.CountRuns(0, 600), (int32)tokens.size());
	}
}


TEST(StyleRunsTest, MasksChangeOnlyTheNamedProperties)
{
	StyleRuns runs(*be_plain_font, kBlack);
	ASSERT_EQ(runs.Reset(30, 0), B_OK);
	BFont big(be_plain_font);
	big.SetSize(20.0f);
	ASSERT_EQ(runs.SetStyle(0, 10, be_bold_font, B_FONT_ALL, &kBlue), B_OK);
	ASSERT_EQ(runs.SetStyle(5, 20, &big, B_FONT_SIZE, NULL), B_OK);
	ASSERT_EQ(runs.SetStyle(15, 25, NULL, 0, &kGreen), B_OK);

	const TextStyle& boldBlue = runs.StyleAt(runs.StyleIndexAt(0));
	EXPECT_EQ(boldBlue.font, *be_bold_font);
	EXPECT_EQ(boldBlue.color, kBlue);
	const TextStyle& bigBoldBlue = runs.StyleAt(runs.StyleIndexAt(7));
	EXPECT_EQ(bigBoldBlue.font.Size(), 20.0f);
	EXPECT_EQ(bigBoldBlue.font.Face(), be_bold_font->Face());
	EXPECT_EQ(bigBoldBlue.color, kBlue);
	const TextStyle& bigPlain = runs.StyleAt(runs.StyleIndexAt(12));
	EXPECT_EQ(bigPlain.font, big);
	EXPECT_EQ(bigPlain.color, kBlack);
	const TextStyle& bigGreen = runs.StyleAt(runs.StyleIndexAt(17));
	EXPECT_EQ(bigGreen.font, big);
	EXPECT_EQ(bigGreen.color, kGreen);
	const TextStyle& plainGreen = runs.StyleAt(runs.StyleIndexAt(22));
	EXPECT_EQ(plainGreen.font, *be_plain_font);
	EXPECT_EQ(plainGreen.color, kGreen);
	EXPECT_EQ(runs.StyleIndexAt(29), 0);

	StyleRun run;
	ASSERT_TRUE(runs.GetRun(0, 30, &run));
	EXPECT_EQ(run.end, 5);
	ASSERT_TRUE(runs.GetRun(3, 4, &run));
	EXPECT_EQ(run.end, 4);
	EXPECT_FALSE(runs.GetRun(30, 30, &run));
	EXPECT_EQ(runs.CountRuns(0, 30), 6);

	EXPECT_EQ(runs.SetStyle(10, 31, NULL, 0, &kGreen), B_BAD_VALUE);
	EXPECT_EQ(runs.SetStyle(5, 4, (uint16)0), B_BAD_VALUE);
	EXPECT_EQ(runs.SetStyle(0, 1, (uint16)99), B_BAD_VALUE);
}


TEST(StyleRunsTest, InsertedBytesTakeTheStyleBeforeThem)
{
	StyleRuns runs(*be_plain_font, kBlack);
	ASSERT_EQ(runs.TextInserted(0, 4), B_OK);	// An empty text gives style 0.
	uint16 blue;
	ASSERT_EQ(runs.Intern(*be_plain_font, kBlue, &blue), B_OK);
	ASSERT_EQ(runs.SetStyle(2, 4, blue), B_OK);

	ASSERT_EQ(runs.TextInserted(4, 2), B_OK);	// After blue: blue.
	ASSERT_EQ(runs.TextInserted(2, 1), B_OK);	// After black: black.
	ASSERT_EQ(runs.TextInserted(0, 1), B_OK);	// At the start: the first byte's.
	ASSERT_EQ(runs.TextInserted(1, 2, blue), B_OK);
	std::vector<rgb_color> expected = {kBlack, kBlue, kBlue, kBlack, kBlack, kBlack,
		kBlue, kBlue, kBlue, kBlue};
	EXPECT_EQ(Colors(runs), expected);

	ASSERT_EQ(runs.TextRemoved(1, 6), B_OK);
	expected = {kBlack, kBlue, kBlue, kBlue, kBlue};
	EXPECT_EQ(Colors(runs), expected);
	EXPECT_EQ(runs.TextInserted(6, 1), B_BAD_VALUE);
	EXPECT_EQ(runs.TextRemoved(2, 6), B_BAD_VALUE);
	EXPECT_EQ(runs.Length(), 5);
}


TEST(StyleRunsTest, RunArraysRoundTrip)
{
	StyleRuns runs(*be_plain_font, kBlack);
	ASSERT_EQ(runs.Reset(20, 0), B_OK);
	ASSERT_EQ(runs.SetStyle(3, 8, be_bold_font, B_FONT_ALL, &kBlue), B_OK);
	ASSERT_EQ(runs.SetStyle(8, 12, be_fixed_font, B_FONT_ALL, &kGrey), B_OK);

	int32 size = 0;
	text_run_array* array = runs.GetRuns(5, 15, &size);
	ASSERT_NE(array, nullptr);
	EXPECT_EQ((size_t)size, BPrivate::RunArraySize(3));
	ASSERT_EQ(array->count, 3);
	EXPECT_EQ(array->runs[0].offset, 0);
	EXPECT_EQ(array->runs[0].font, *be_bold_font);
	EXPECT_EQ(array->runs[0].color, kBlue);
	EXPECT_EQ(array->runs[1].offset, 3);
	EXPECT_EQ(array->runs[1].font, *be_fixed_font);
	EXPECT_EQ(array->runs[2].offset, 7);
	EXPECT_EQ(array->runs[2].color, kBlack);

	// Applied to another stretch of the same length, it reproduces the styles there.
	StyleRuns copy(*be_plain_font, kGreen);
	ASSERT_EQ(copy.Reset(14, 0), B_OK);
	ASSERT_EQ(copy.SetRuns(2, 12, array), B_OK);
	BPrivate::FreeRunArray(array);
	for (int32 i = 0; i < 10; i++) {
		EXPECT_EQ(copy.StyleAt(copy.StyleIndexAt(2 + i)), runs.StyleAt(runs.StyleIndexAt(5 + i)))
			<< i;
	}
	EXPECT_EQ(copy.StyleAt(copy.StyleIndexAt(1)).color, kGreen);
	EXPECT_EQ(copy.StyleAt(copy.StyleIndexAt(12)).color, kGreen);

	// An empty range describes the style typing there would get.
	array = runs.GetRuns(8, 8);
	ASSERT_NE(array, nullptr);
	EXPECT_EQ(array->count, 1);
	EXPECT_EQ(array->runs[0].color, kBlue);

	// Offsets out of order or out of range are clamped into the range: a run never
	// starts before the one ahead of it.
	std::vector<rgb_color> before = Colors(copy);
	text_run_array* odd = BPrivate::AllocRunArray(3);
	ASSERT_NE(odd, nullptr);
	odd->runs[0].offset = -5;
	odd->runs[0].color = kBlue;
	odd->runs[1].offset = 50;
	odd->runs[1].color = kGreen;
	odd->runs[2].offset = 2;
	odd->runs[2].color = kGrey;
	ASSERT_EQ(copy.SetRuns(0, 4, odd), B_OK);
	std::vector<rgb_color> expected = before;
	std::fill(expected.begin(), expected.begin() + 4, kBlue);
	EXPECT_EQ(Colors(copy), expected);
	EXPECT_EQ(copy.SetRuns(0, 15, odd), B_BAD_VALUE);
	EXPECT_EQ(copy.SetRuns(0, 4, NULL), B_BAD_VALUE);
	odd->count = 0;
	EXPECT_EQ(copy.SetRuns(0, 4, odd), B_BAD_VALUE);
	BPrivate::FreeRunArray(odd);
	BPrivate::FreeRunArray(array);
	EXPECT_EQ(BPrivate::AllocRunArray(-1), nullptr);
	EXPECT_EQ(runs.GetRuns(5, 21), nullptr);
}


TEST(StyleRunsTest, AFullTableDropsUnusedStyles)
{
	StyleRuns runs(*be_plain_font, kBlack, 4);
	ASSERT_EQ(runs.Reset(10, 0), B_OK);
	rgb_color color = kBlack;
	for (int i = 1; i <= 3; i++) {
		color.red = (uint8)i;
		ASSERT_EQ(runs.SetStyle(i, i + 1, be_plain_font, B_FONT_ALL, &color), B_OK);
	}
	EXPECT_EQ(runs.CountStyles(), 4);
	// Bytes 1 and 2 go back to black, freeing their styles for two new ones.
	ASSERT_EQ(runs.SetStyle(1, 3, be_plain_font, B_FONT_ALL, &kBlack), B_OK);
	ASSERT_EQ(runs.SetStyle(5, 6, be_plain_font, B_FONT_ALL, &kBlue), B_OK);
	ASSERT_EQ(runs.SetStyle(6, 7, be_plain_font, B_FONT_ALL, &kGreen), B_OK);
	EXPECT_EQ(runs.StyleAt(runs.StyleIndexAt(3)).color.red, 3);
	EXPECT_EQ(runs.StyleAt(runs.StyleIndexAt(5)).color, kBlue);
	EXPECT_EQ(runs.StyleAt(runs.StyleIndexAt(6)).color, kGreen);
	EXPECT_EQ(runs.StyleAt(runs.StyleIndexAt(0)).color, kBlack);

	// With every style in use there is no room: the call fails and changes nothing.
	EXPECT_EQ(runs.SetStyle(0, 10, be_plain_font, B_FONT_ALL, &kGrey), B_NO_MEMORY);
	EXPECT_EQ(runs.StyleAt(runs.StyleIndexAt(5)).color, kBlue);
	EXPECT_EQ(runs.SetStyle(0, 10, NULL, 0, &kGrey), B_NO_MEMORY);
	EXPECT_EQ(runs.StyleAt(runs.StyleIndexAt(6)).color, kGreen);
}
