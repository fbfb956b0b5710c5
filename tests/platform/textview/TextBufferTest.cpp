#include "interface/textview/TextBuffer.h"

#include <Errors.h>

#include <gtest/gtest.h>

#include <string>

using BPrivate::TextBuffer;

namespace {

std::string
Contents(const TextBuffer& buffer)
{
	std::string bytes;
	for (int32 i = 0; i < buffer.Length(); i++)
		bytes += buffer.ByteAt(i);
	return bytes;
}

}	// namespace


TEST(TextBufferTest, EditsAnywhereKeepTheBytesInOrder)
{
	TextBuffer buffer;
	EXPECT_EQ(buffer.Length(), 0);
	EXPECT_STREQ(buffer.Text(), "");

	ASSERT_EQ(buffer.Insert(0, "world", 5), B_OK);
	ASSERT_EQ(buffer.Insert(0, "hello ", 6), B_OK);
	ASSERT_EQ(buffer.Insert(11, "!", 1), B_OK);
	ASSERT_EQ(buffer.Insert(5, ",", 1), B_OK);
	EXPECT_EQ(Contents(buffer), "hello, world!");
	EXPECT_STREQ(buffer.Text(), "hello, world!");

	// An edit after Text() moves the gap back into the middle; the next Text() closes
	// it again.
	ASSERT_EQ(buffer.Remove(5, 6), B_OK);
	EXPECT_EQ(Contents(buffer), "hello world!");
	ASSERT_EQ(buffer.Insert(6, "big ", 4), B_OK);
	EXPECT_STREQ(buffer.Text(), "hello big world!");
	EXPECT_EQ(buffer.ByteAt(-1), '\0');
	EXPECT_EQ(buffer.ByteAt(buffer.Length()), '\0');

	// Growing far past the first allocation, inserting in the middle each time.
	std::string model = buffer.Text();
	for (int i = 0; i < 5000; i++) {
		int32 offset = (int32)(model.size() / 2);
		char byte = (char)('a' + i % 26);
		ASSERT_EQ(buffer.Insert(offset, &byte, 1), B_OK);
		model.insert(model.begin() + offset, byte);
	}
	EXPECT_EQ(std::string(buffer.Text()), model);
	ASSERT_EQ(buffer.Remove(0, buffer.Length()), B_OK);
	EXPECT_STREQ(buffer.Text(), "");

	ASSERT_EQ(buffer.SetTo("a\0b", 3), B_OK);
	EXPECT_EQ(buffer.Length(), 3);
	EXPECT_EQ(buffer.ByteAt(2), 'b');
}


TEST(TextBufferTest, BadCallsAreRefusedAndChangeNothing)
{
	TextBuffer buffer;
	ASSERT_EQ(buffer.Insert(0, "abc", 3), B_OK);
	EXPECT_EQ(buffer.Insert(4, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(buffer.Insert(-1, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(buffer.Insert(0, "x", -1), B_BAD_VALUE);
	EXPECT_EQ(buffer.Insert(0, NULL, 1), B_BAD_VALUE);
	EXPECT_EQ(buffer.Insert(1, NULL, 0), B_OK);
	EXPECT_EQ(buffer.Remove(2, 1), B_BAD_VALUE);
	EXPECT_EQ(buffer.Remove(-1, 1), B_BAD_VALUE);
	EXPECT_EQ(buffer.Remove(0, 4), B_BAD_VALUE);
	EXPECT_EQ(buffer.SetTo(NULL, 2), B_BAD_VALUE);
	EXPECT_STREQ(buffer.Text(), "abc");
}


TEST(TextBufferTest, CopyAndFindWorkAcrossTheGap)
{
	TextBuffer buffer;
	ASSERT_EQ(buffer.Insert(0, "<a href=x>link</a>", 18), B_OK);
	ASSERT_EQ(buffer.Insert(9, "y", 1), B_OK);	// The gap now sits after "x".

	char out[32];
	EXPECT_EQ(buffer.CopyRange(3, 12, out), 9);
	EXPECT_STREQ(out, "href=xy>l");
	EXPECT_EQ(buffer.CopyRange(15, 99, out), 4);
	EXPECT_STREQ(out, "</a>");
	EXPECT_EQ(buffer.CopyRange(-5, 2, out), 2);
	EXPECT_STREQ(out, "<a");

	ASSERT_EQ(buffer.Insert(9, "z", 1), B_OK);
	EXPECT_EQ(buffer.Find(0, "xzy", 3), 8);
	EXPECT_EQ(buffer.Find(0, "a", 1), 1);
	EXPECT_EQ(buffer.Find(2, "a", 1), 18);
	EXPECT_EQ(buffer.Find(19, "a", 1), -1);
	EXPECT_EQ(buffer.Find(0, "</a>", 4), 16);
	EXPECT_EQ(buffer.Find(17, "</a>", 4), -1);
	EXPECT_EQ(buffer.Find(0, "missing", 7), -1);
}


TEST(TextBufferTest, CharacterBoundariesNeverSplitValidUtf8)
{
	// "a", e-acute (2 bytes), euro (3), an emoji (4), then a cut-short euro, a stray
	// continuation byte, 0xff, an overlong "/" and an encoded surrogate: each byte of the
	// invalid ones is a character of its own.
	const char text[] = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\xe2\x82z\x80\xff\xc0\xaf\xed\xa0\x80";
	const int32 boundaries[] = {0, 1, 3, 6, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
	const int32 count = sizeof(boundaries) / sizeof(boundaries[0]);

	TextBuffer buffer;
	ASSERT_EQ(buffer.Insert(0, text, sizeof(text) - 1), B_OK);
	// Put the gap inside the emoji to show it does not matter.
	ASSERT_EQ(buffer.Insert(8, "", 0), B_OK);
	ASSERT_EQ(buffer.Length(), 20);

	for (int32 i = 0; i + 1 < count; i++) {
		EXPECT_EQ(buffer.NextCharBoundary(boundaries[i]), boundaries[i + 1]) << i;
		EXPECT_EQ(buffer.PreviousCharBoundary(boundaries[i + 1]), boundaries[i]) << i;
		for (int32 inside = boundaries[i] + 1; inside < boundaries[i + 1]; inside++) {
			EXPECT_FALSE(buffer.IsCharBoundary(inside));
			EXPECT_EQ(buffer.CharStart(inside), boundaries[i]);
			EXPECT_EQ(buffer.NextCharBoundary(inside), boundaries[i + 1]);
			EXPECT_EQ(buffer.PreviousCharBoundary(inside), boundaries[i]);
		}
	}
	for (int32 i = 0; i < count; i++)
		EXPECT_TRUE(buffer.IsCharBoundary(boundaries[i]));
	EXPECT_EQ(buffer.PreviousCharBoundary(0), 0);
	EXPECT_EQ(buffer.NextCharBoundary(20), 20);
	EXPECT_EQ(buffer.NextCharBoundary(99), 20);
	EXPECT_EQ(buffer.CountChars(), count - 1);
	EXPECT_EQ(buffer.CountChars(2, 8), 2);	// From inside e-acute to inside the emoji.

	// A multibyte character split by an edit and joined again by another.
	TextBuffer split;
	ASSERT_EQ(split.Insert(0, "x\xe2\xacy", 4), B_OK);
	EXPECT_EQ(split.NextCharBoundary(1), 2);
	ASSERT_EQ(split.Insert(2, "\x82", 1), B_OK);
	EXPECT_EQ(split.NextCharBoundary(1), 4);
	EXPECT_EQ(split.PreviousCharBoundary(4), 1);
	EXPECT_EQ(split.CountChars(), 3);
}
