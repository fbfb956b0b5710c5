#include <List.h>
#include <String.h>

#include <gtest/gtest.h>

TEST(StringTest, BuildsAndEditsText)
{
	BString empty;
	EXPECT_STREQ(empty.String(), "");
	EXPECT_EQ(empty.Length(), 0);

	BString text("Hello");
	text += ", ";
	text << "world" << '!' << (int32)-12 << ' ' << (uint32)7 << ' ' << (int64)1 << 'x'
		<< (uint64)2 << ' ' << 1.5f;
	EXPECT_STREQ(text.String(), "Hello, world!-12 7 1x2 1.50");
	text.SetTo("") << -3LL << ' ' << 4ULL << ' ' << sizeof(char) << ' ' << -2.5;
	EXPECT_STREQ(text.String(), "-3 4 1 -2.50");

	text.SetTo("abcdef", 3);
	EXPECT_STREQ(text.String(), "abc");
	text.Prepend("<").Append(">").Insert("-", 2).Insert('*', 2, 0);
	EXPECT_STREQ(text.String(), "**<a-bc>");
	text.Truncate(5);
	EXPECT_STREQ(text.String(), "**<a-");
	text.Remove(1, 2).Remove(10, 1).Remove(-1, 1);
	EXPECT_STREQ(text.String(), "*a-");
	text.Append("xyz", 2).Prepend("12", 1).Append('.', 3).Prepend('^', 1);
	EXPECT_STREQ(text.String(), "^1*a-xy...");
	text.SetTo('z', 3);
	EXPECT_STREQ(text.String(), "zzz");

	// A negative position drops what would land before the start.
	text.SetTo("end");
	text.Insert("abc", -2);
	EXPECT_STREQ(text.String(), "cend");
	text.Insert("never", 99);
	EXPECT_STREQ(text.String(), "cend");
	text.Insert("0123456", 2, 3, 1);
	EXPECT_STREQ(text.String(), "c234end");

	// Appending a string to itself, and parts of itself.
	text.SetTo("ab");
	text.Append(text);
	text.Append(text.String() + 1);
	EXPECT_STREQ(text.String(), "ababbab");
	text.SetTo(text.String() + 4);
	EXPECT_STREQ(text.String(), "bab");
}


TEST(StringTest, TreatsNullArgumentsAsEmpty)
{
	BString text(nullptr);
	EXPECT_STREQ(text.String(), "");
	text = "x";
	text = NULL;
	EXPECT_STREQ(text.String(), "");
	text.SetTo(nullptr).Append(nullptr).Prepend(nullptr).Insert((const char*)nullptr, 0);
	text << (const char*)nullptr;
	EXPECT_EQ(text.Length(), 0);
	text = "abc";
	text.RemoveFirst((const char*)nullptr).RemoveAll((const char*)nullptr)
		.ReplaceAll((const char*)nullptr, "x").ReplaceSet(nullptr, 'x').RemoveSet(nullptr);
	EXPECT_STREQ(text.String(), "abc");
	text.ReplaceAll("b", nullptr);
	EXPECT_STREQ(text.String(), "ac");
	EXPECT_EQ(text.FindFirst((const char*)nullptr), B_BAD_VALUE);
	EXPECT_EQ(text.IFindFirst((const char*)nullptr), B_BAD_VALUE);
	EXPECT_EQ(text.FindLast((const char*)nullptr), B_BAD_VALUE);
	EXPECT_GT(text.Compare((const char*)nullptr), 0);
	EXPECT_TRUE(BString() == (const char*)nullptr);
	text.CopyInto((char*)nullptr, 0, 2);
	text.CharacterEscape(nullptr, "a", '\\');
	EXPECT_STREQ(text.String(), "");
}


TEST(StringTest, FindsAndComparesText)
{
	BString text("one Two one TWO");
	EXPECT_EQ(text.FindFirst("one"), 0);
	EXPECT_EQ(text.FindFirst("one", 1), 8);
	EXPECT_EQ(text.FindFirst("one", 9), B_ERROR);
	EXPECT_EQ(text.FindFirst("one", 100), B_ERROR);
	EXPECT_EQ(text.FindFirst('T'), 4);
	EXPECT_EQ(text.FindFirst('T', 5), 12);
	EXPECT_EQ(text.FindLast("one"), 8);
	EXPECT_EQ(text.FindLast("one", 10), 0);
	EXPECT_EQ(text.FindLast("one", 11), 8);
	EXPECT_EQ(text.FindLast('o'), 8);
	EXPECT_EQ(text.FindLast('o', 8), 6);
	EXPECT_EQ(text.FindFirst("three"), B_ERROR);
	EXPECT_EQ(text.IFindFirst("two"), 4);
	EXPECT_EQ(text.IFindFirst(BString("TWO"), 5), 12);
	EXPECT_EQ(text.IFindLast("two"), 12);
	EXPECT_EQ(text.IFindLast("two", 12), 4);
	EXPECT_EQ(text.FindFirst(BString("Two")), 4);

	BString a("apple");
	BString b("Banana");
	EXPECT_TRUE(a > b);
	EXPECT_TRUE(a != b);
	EXPECT_TRUE(a == "apple");
	EXPECT_TRUE("apple" == a);
	EXPECT_TRUE("apricot" > a);
	EXPECT_LT(a.ICompare(b), 0);
	EXPECT_LT(ICompare(a, b), 0);
	EXPECT_GT(Compare(a, b), 0);
	EXPECT_EQ(a.Compare("apricot", 2), 0);
	EXPECT_EQ(a.ICompare("APPLEs", 5), 0);
	EXPECT_EQ(Compare(&a, &a), 0);

	// The pointer forms suit a BList of BStrings.
	BList list;
	list.AddItem(&a);
	list.AddItem(&b);
	list.SortItems([](const void* x, const void* y) {
		return ICompare(*static_cast<const BString* const*>(x),
			*static_cast<const BString* const*>(y));
	});
	EXPECT_EQ(list.FirstItem(), &a);
}


TEST(StringTest, ReplacesAndRemovesText)
{
	BString text("a-b-c-d");
	text.ReplaceFirst('-', '+');
	EXPECT_STREQ(text.String(), "a+b-c-d");
	text.ReplaceLast('-', '=');
	EXPECT_STREQ(text.String(), "a+b-c=d");
	text.ReplaceAll('-', '_').Replace('_', '?', 5, 4);
	EXPECT_STREQ(text.String(), "a+b_c=d");

	text.SetTo("cat Cat CAT cat");
	text.ReplaceFirst("cat", "dog");
	EXPECT_STREQ(text.String(), "dog Cat CAT cat");
	text.ReplaceLast("cat", "cow");
	EXPECT_STREQ(text.String(), "dog Cat CAT cow");
	text.IReplaceAll("cat", "X");
	EXPECT_STREQ(text.String(), "dog X X cow");

	text.SetTo("aaaa");
	text.ReplaceAll("a", "aa");
	EXPECT_STREQ(text.String(), "aaaaaaaa");
	text.Replace("aa", "b", 2, 1);
	EXPECT_STREQ(text.String(), "abbaaa");
	text.IReplaceFirst("B", "c").IReplaceLast("A", "d");
	EXPECT_STREQ(text.String(), "acbaad");
	text.IReplace('A', 'z', 2).IReplaceLast('C', 'k');
	EXPECT_STREQ(text.String(), "zkbzad");
	text.ReplaceSet("zd", '.');
	EXPECT_STREQ(text.String(), ".kb.a.");
	text.ReplaceSet(".", "<>");
	EXPECT_STREQ(text.String(), "<>kb<>a<>");
	text.RemoveFirst("<>").RemoveLast("<>");
	EXPECT_STREQ(text.String(), "kb<>a");
	text.RemoveAll("<>");
	EXPECT_STREQ(text.String(), "kba");
	text.RemoveSet("ka");
	EXPECT_STREQ(text.String(), "b");

	text.SetTo("  \t padded \n");
	text.Trim();
	EXPECT_STREQ(text.String(), "padded");
}


TEST(StringTest, ChangesCaseAndEscapes)
{
	BString text("hELLO wORLD 42");
	EXPECT_STREQ(BString(text).ToUpper().String(), "HELLO WORLD 42");
	EXPECT_STREQ(BString(text).ToLower().String(), "hello world 42");
	EXPECT_STREQ(BString(text).Capitalize().String(), "Hello world 42");
	EXPECT_STREQ(BString(text).CapitalizeEachWord().String(), "Hello World 42");

	BString escaped;
	escaped.CharacterEscape("say \"hi\" \\o/", "\"\\", '\\');
	EXPECT_STREQ(escaped.String(), "say \\\"hi\\\" \\\\o/");
	escaped.CharacterDeescape('\\');
	EXPECT_STREQ(escaped.String(), "say \"hi\" \\o/");
	escaped.CharacterDeescape("trailing\\", '\\');
	EXPECT_STREQ(escaped.String(), "trailing\\");
}


TEST(StringTest, GivesByteAccessWithinBounds)
{
	BString text("abc");
	EXPECT_EQ(text[1], 'b');
	EXPECT_EQ(text.ByteAt(2), 'c');
	EXPECT_EQ(text.ByteAt(3), '\0');
	EXPECT_EQ(text.ByteAt(-1), '\0');
	text[0] = 'X';
	text[50] = 'Y';
	EXPECT_STREQ(text.String(), "Xbc");
	const BString& constant = text;
	EXPECT_EQ(constant[-3], '\0');

	char* buffer = text.LockBuffer(10);
	ASSERT_NE(buffer, nullptr);
	strcpy(buffer, "0123456789");
	text.UnlockBuffer();
	EXPECT_EQ(text.Length(), 10);
	buffer = text.LockBuffer(0);
	buffer[4] = '\0';
	text.UnlockBuffer(2);
	EXPECT_STREQ(text.String(), "01");

	char out[8];
	memset(out, '#', sizeof(out));
	BString("hello").CopyInto(out, 1, 10);
	EXPECT_EQ(memcmp(out, "ello####", 8), 0);
	BString part;
	BString("hello").CopyInto(part, 2, 2);
	EXPECT_STREQ(part.String(), "ll");
	BString source("moving");
	BString target;
	source.MoveInto(target, 0, 3);
	EXPECT_STREQ(target.String(), "mov");
	EXPECT_STREQ(source.String(), "ing");

	BString adopter("old");
	adopter.Adopt(source);
	EXPECT_STREQ(adopter.String(), "ing");
	EXPECT_EQ(source.Length(), 0);

	// UTF-8: five characters in eight bytes.
	BString utf8("za\xc5\xbc\xc3\xb3\xc5\x82");
	EXPECT_EQ(utf8.Length(), 8);
	EXPECT_EQ(utf8.CountChars(), 5);
}


TEST(StringTest, RefusesHugeLengthsQuietly)
{
	BString text("abc");
	text.Append('x', INT32_MAX);
	EXPECT_STREQ(text.String(), "abc");
	EXPECT_EQ(text.LockBuffer(INT32_MAX), nullptr);
	text.UnlockBuffer();
	EXPECT_STREQ(text.String(), "abc");
	text.Truncate(-5);
	EXPECT_EQ(text.Length(), 0);
	text.SetTo('y', -1);
	EXPECT_EQ(text.Length(), 0);
	text.SetTo("abc", 1000);
	EXPECT_STREQ(text.String(), "abc");
	text.Append("defg", -1);
	EXPECT_STREQ(text.String(), "abc");
}
