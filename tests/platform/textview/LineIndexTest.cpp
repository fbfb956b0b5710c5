#include "interface/textview/LineIndex.h"

#include <Errors.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using BPrivate::LineIndex;

namespace {

// Compares every line against starts recomputed from the text.
void
ExpectLines(const LineIndex& index, const std::string& text)
{
	std::vector<int32> starts(1, 0);
	for (size_t i = 0; i < text.size(); i++) {
		if (text[i] == '\n')
			starts.push_back((int32)i + 1);
	}
	ASSERT_EQ(index.CountLines(), (int32)starts.size());
	ASSERT_EQ(index.TextLength(), (int32)text.size());
	for (size_t line = 0; line < starts.size(); line++) {
		ASSERT_EQ(index.LineStart((int32)line), starts[line]) << "line " << line;
		int32 end = line + 1 < starts.size() ? starts[line + 1] - 1 : (int32)text.size();
		ASSERT_EQ(index.LineEnd((int32)line), end) << "line " << line;
	}
	for (int32 offset = 0; offset <= (int32)text.size(); offset++) {
		int32 line = (int32)(std::upper_bound(starts.begin(), starts.end(), offset)
			- starts.begin()) - 1;
		ASSERT_EQ(index.LineAt(offset), line) << "offset " << offset;
	}
}


void
Insert(LineIndex& index, std::string& text, int32 offset, const std::string& bytes)
{
	ASSERT_EQ(index.TextInserted(offset, bytes.data(), (int32)bytes.size()), B_OK);
	text.insert(offset, bytes);
}


void
Remove(LineIndex& index, std::string& text, int32 from, int32 to)
{
	ASSERT_EQ(index.TextRemoved(from, to), B_OK);
	text.erase(from, to - from);
}

}	// namespace


TEST(LineIndexTest, CountsLinesAsTheTextViewDoes)
{
	LineIndex index;
	EXPECT_EQ(index.CountLines(), 1);
	EXPECT_EQ(index.LineAt(0), 0);
	EXPECT_EQ(index.LineStart(0), 0);
	EXPECT_EQ(index.LineEnd(0), 0);

	ASSERT_EQ(index.SetText("one\ntwo\n", 8), B_OK);
	EXPECT_EQ(index.CountLines(), 3);	// A trailing newline leaves an empty last line.
	EXPECT_EQ(index.LineStart(2), 8);
	EXPECT_EQ(index.LineEnd(2), 8);
	EXPECT_EQ(index.LineAt(3), 0);	// The newline belongs to the line it ends.
	EXPECT_EQ(index.LineAt(4), 1);
	EXPECT_EQ(index.LineAt(8), 2);
	EXPECT_EQ(index.LineAt(100), 2);
	EXPECT_EQ(index.LineAt(-3), 0);
	EXPECT_EQ(index.LineStart(7), 8);
	EXPECT_EQ(index.LineEnd(-1), 0);

	EXPECT_EQ(index.TextInserted(9, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(index.TextInserted(-1, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(index.TextRemoved(3, 9), B_BAD_VALUE);
	EXPECT_EQ(index.TextRemoved(4, 3), B_BAD_VALUE);
	ExpectLines(index, "one\ntwo\n");

	std::string text = "one\ntwo\n";
	Remove(index, text, 7, 8);
	ExpectLines(index, text);
	Remove(index, text, 2, 5);	// Joins the two lines.
	ExpectLines(index, text);
	Insert(index, text, 2, "\n\n");
	ExpectLines(index, text);
	Remove(index, text, 0, (int32)text.size());
	ExpectLines(index, text);
}


TEST(LineIndexTest, TypingAndJumpingAroundKeepsEveryStartRight)
{
	// Typing in one place, then in another far before it, then after it, exercises the
	// pending shift moving forwards, backwards a little and backwards a long way.
	std::string text;
	for (int i = 0; i < 400; i++)
		text += "line " + std::to_string(i) + "\n";
	LineIndex index;
	ASSERT_EQ(index.SetText(text.data(), (int32)text.size()), B_OK);

	int32 places[] = {
		(int32)text.size() / 2, (int32)text.size() / 2 - 30, 5,
		(int32)text.size() - 3, (int32)text.size() / 3
	};
	for (int32 place : places) {
		for (int i = 0; i < 20; i++) {
			Insert(index, text, place + i, i % 7 == 6 ? "\n" : "k");
			ASSERT_NO_FATAL_FAILURE(ExpectLines(index, text));
		}
		Remove(index, text, place, place + 12);
		ASSERT_NO_FATAL_FAILURE(ExpectLines(index, text));
	}

	std::mt19937 random(7);
	for (int i = 0; i < 300; i++) {
		int32 offset = (int32)(random() % (text.size() + 1));
		if (random() % 2 == 0) {
			Insert(index, text, offset, random() % 3 == 0 ? "a\nb" : "xy");
		} else {
			Remove(index, text, offset,
				std::min((int32)text.size(), offset + (int32)(random() % 9)));
		}
		if (i % 10 == 0) {
			ASSERT_NO_FATAL_FAILURE(ExpectLines(index, text));
		}
	}
	ExpectLines(index, text);
}


TEST(LineIndexTest, ExtraStartsForWrappedLines)
{
	// "aaaaaaaaaa\nbbbb" with line 0 wrapped after 4 and 8 bytes.
	LineIndex index;
	ASSERT_EQ(index.SetText("aaaaaaaaaa\nbbbb", 15), B_OK);
	const int32 wraps[] = {4, 8};
	ASSERT_EQ(index.InsertStarts(0, wraps, 2), B_OK);
	EXPECT_EQ(index.CountLines(), 4);
	EXPECT_EQ(index.LineAt(5), 1);
	EXPECT_EQ(index.LineStart(2), 8);
	EXPECT_EQ(index.LineStart(3), 11);

	// Typing before the wraps shifts them like any other start.
	ASSERT_EQ(index.TextInserted(1, "zz", 2), B_OK);
	EXPECT_EQ(index.LineStart(1), 6);
	EXPECT_EQ(index.LineStart(3), 13);

	const int32 unordered[] = {9, 7};
	EXPECT_EQ(index.InsertStarts(2, unordered, 2), B_BAD_VALUE);
	const int32 outside[] = {14};
	EXPECT_EQ(index.InsertStarts(1, outside, 1), B_BAD_VALUE);
	EXPECT_EQ(index.RemoveStarts(0, 1), B_BAD_VALUE);
	EXPECT_EQ(index.RemoveStarts(2, 4), B_BAD_VALUE);

	ASSERT_EQ(index.RemoveStarts(1, 2), B_OK);
	ExpectLines(index, "azzaaaaaaaaa\nbbbb");
}
