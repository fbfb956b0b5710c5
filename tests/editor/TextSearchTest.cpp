// Finding text exactly and ignoring case, with letters beyond ASCII.

#include "TextSearch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>


static int32
Find(const char* pattern, bool ignoreCase, const std::string& text, int32 from,
	int32* matched = NULL)
{
	int32 length = 0;
	int32 found = TextSearch(pattern, ignoreCase).FindIn(text.data(), (int32)text.size(),
		from, &length);
	if (matched != NULL)
		*matched = length;
	return found;
}


TEST(TextSearchTest, ExactSearchKeepsCaseAndStartsWhereAsked)
{
	std::string text = "One two TWO two";
	EXPECT_EQ(4, Find("two", false, text, 0));
	EXPECT_EQ(12, Find("two", false, text, 5));
	EXPECT_EQ(-1, Find("two", false, text, 13));
	EXPECT_EQ(-1, Find("Two", false, text, 0));
	EXPECT_EQ(-1, Find("two", false, text, 100));
	EXPECT_EQ(4, Find("two", false, text, -3));

	// Text with a NUL inside is searched to its given length.
	std::string withNul("ab\0ab", 5);
	EXPECT_EQ(3, Find("ab", false, withNul, 1));
}


TEST(TextSearchTest, EmptyPatternMatchesNothing)
{
	TextSearch empty("", true);
	EXPECT_TRUE(empty.IsEmpty());
	EXPECT_EQ(-1, empty.FindIn("abc", 3, 0, NULL));
	EXPECT_EQ(-1, empty.MatchAt("abc", 3, 0));
	EXPECT_TRUE(TextSearch(NULL, false).IsEmpty());
	EXPECT_EQ(-1, TextSearch(NULL, false).FindIn("abc", 3, 0, NULL));
}


TEST(TextSearchTest, IgnoringCaseCoversLettersBeyondAscii)
{
	std::string text = "<P>Łódź, ÄRGER, жук, ΣΟΦΊΑ, Straße, Ýý</p>";
	int32 matched = 0;
	EXPECT_EQ(0, Find("<p>", true, text, 0));
	EXPECT_EQ((int32)text.find("</p>"), Find("</P>", true, text, 1));
	EXPECT_EQ(3, Find("łÓDŹ", true, text, 0, &matched));
	EXPECT_EQ((int32)strlen("Łódź"), matched);
	EXPECT_EQ((int32)text.find("ÄRGER"), Find("ärger", true, text, 0));
	EXPECT_EQ((int32)text.find("жук"), Find("ЖУК", true, text, 0));
	EXPECT_EQ((int32)text.find("ΣΟΦΊΑ"), Find("σοφία", true, text, 0));
	EXPECT_EQ((int32)text.find("Ýý"), Find("ýÝ", true, text, 0));
	// Final sigma folds like sigma.
	EXPECT_EQ(0, Find("ΣΟΦΟΣ", true, std::string("σοφος"), 0));
	EXPECT_EQ(0, Find("σοφοσ", true, std::string("σοφος"), 0));

	// Capital sharp s is three bytes, the small one two: the match reports its own
	// length.
	EXPECT_EQ((int32)text.find("Straße"), Find("STRAẞE", true, text, 0, &matched));
	EXPECT_EQ((int32)strlen("Straße"), matched);
	std::string capital = "xSTRAẞE";
	EXPECT_EQ(1, Find("straße", true, capital, 0, &matched));
	EXPECT_EQ((int32)strlen("STRAẞE"), matched);

	// Exact search still tells them apart.
	EXPECT_EQ(-1, Find("łÓDŹ", false, text, 0));
	// The long s and the Kelvin sign fold to s and k, so an ASCII pattern finds them.
	EXPECT_EQ(0, Find("sk", true, std::string("ſK"), 0));
	EXPECT_EQ(0, Find("SK", true, std::string("s\xe2\x84\xaa"), 0));
}


TEST(TextSearchTest, InvalidBytesMatchOnlyThemselves)
{
	std::string text = "a\xff" "b \xc3 c\xc3\xa9";
	EXPECT_EQ(1, Find("\xff", true, text, 0));
	EXPECT_EQ(4, Find("\xc3 ", true, text, 0));
	EXPECT_EQ(-1, Find("\xfe", true, text, 0));
	EXPECT_EQ(7, Find("É", true, text, 0));
	// A lone lead byte does not match the start of a whole character.
	EXPECT_EQ(4, Find("\xc3", true, text, 0));
	EXPECT_EQ(-1, Find("\xc3", true, text, 5));
}


TEST(TextSearchTest, MatchAtTellsWhetherAnOccurrenceStartsThere)
{
	std::string text = "xx <B>Bold</b>";
	TextSearch search("<b>", true);
	EXPECT_EQ(3, search.MatchAt(text.data(), (int32)text.size(), 3));
	EXPECT_EQ(-1, search.MatchAt(text.data(), (int32)text.size(), 2));
	EXPECT_EQ(-1, search.MatchAt(text.data(), (int32)text.size(), 100));
	TextSearch exact("<b>", false);
	EXPECT_EQ(-1, exact.MatchAt(text.data(), (int32)text.size(), 3));
	// A pattern longer than the rest of the text.
	EXPECT_EQ(-1, TextSearch("</b>x", true).MatchAt(text.data(), (int32)text.size(), 10));
	EXPECT_EQ(-1, TextSearch("</b>x", false).MatchAt(text.data(), (int32)text.size(), 10));
}


TEST(TextSearchTest, OneObjectSearchesAgainFromAnyPosition)
{
	// The object remembers where the cases of the first letter lie; searching again
	// from an earlier position, or in another text, still finds the first occurrence.
	std::string text = "Edit edit EDIT edit";
	TextSearch search("edit", true);
	int32 matched = 0;
	EXPECT_EQ(5, search.FindIn(text.data(), (int32)text.size(), 1, &matched));
	EXPECT_EQ(10, search.FindIn(text.data(), (int32)text.size(), 6, &matched));
	EXPECT_EQ(0, search.FindIn(text.data(), (int32)text.size(), 0, &matched));
	EXPECT_EQ(15, search.FindIn(text.data(), (int32)text.size(), 11, &matched));
	EXPECT_EQ(-1, search.FindIn(text.data(), (int32)text.size(), 16, &matched));
	EXPECT_EQ(5, search.FindIn(text.data(), (int32)text.size(), 2, &matched));
	std::string other = "xxEDIT";
	EXPECT_EQ(2, search.FindIn(other.data(), (int32)other.size(), 0, &matched));

	// Walking through every occurrence as replacing all does.
	std::string many;
	for (int32 i = 0; i < 1000; i++)
		many += i % 100 == 0 ? "eDiT " : "edit ";
	int32 count = 0;
	for (int32 at = search.FindIn(many.data(), (int32)many.size(), 0, &matched); at >= 0;
			at = search.FindIn(many.data(), (int32)many.size(), at + matched, &matched)) {
		EXPECT_EQ(count * 5, at);
		count++;
	}
	EXPECT_EQ(1000, count);
}
