#include "EditScript.h"

#include <gtest/gtest.h>

#include <random>

using BPrivate::TextStore;


TEST(TextStoreTest, RandomEditsMatchAPlainModel)
{
	// Several independent scripts, each checked in full after every step.
	for (uint32 seed = 1; seed <= 6; seed++) {
		std::mt19937 random(seed);
		EditScript::ByteSource source([&random]() { return (uint8)random(); });
		EditScript::Model model;
		for (int step = 0; step < 700; step++) {
			model.Step(source);
			std::string problem = model.Check();
			ASSERT_EQ(problem, "") << "seed " << seed << ", step " << step;
		}
	}
}


TEST(TextStoreTest, SetTextReplacesEverything)
{
	TextStore store(*be_plain_font, make_color(0, 0, 0));
	ASSERT_EQ(store.Insert(0, "old\ntext", 8), B_OK);
	ASSERT_EQ(store.SetText("a\nb\nc", 5), B_OK);
	EXPECT_STREQ(store.Text().Text(), "a\nb\nc");
	EXPECT_EQ(store.Lines().CountLines(), 3);
	EXPECT_EQ(store.Styles().Length(), 5);
	EXPECT_EQ(store.SetText(NULL, 4), B_BAD_VALUE);
	EXPECT_EQ(store.SetText("x", 1, 7), B_BAD_VALUE);
	EXPECT_EQ(store.Insert(0, "x", 1, 7), B_BAD_VALUE);
	EXPECT_STREQ(store.Text().Text(), "a\nb\nc");
	EXPECT_EQ(store.Lines().TextLength(), 5);
}
