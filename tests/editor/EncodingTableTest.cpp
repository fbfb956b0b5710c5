// The encoding table and its conversions: lookups, round trips through all 19
// encodings with text of each script, output that grows beyond twice the input, the
// UNICODE row as UTF-8, and substitutes that never cut the text.

#include "EncodingTable.h"
#include "EditorTestSamples.h"

#include <UTF8.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>


TEST(EncodingTableTest, LookupsAgreeWithTheRowsAndRejectUnknownValues)
{
	for (int32 i = 0; i < EncodingTable::kCount; i++) {
		const EncodingInfo* row = EncodingTable::At(i);
		ASSERT_NE(nullptr, row);
		EXPECT_EQ(i, row->index);
		EXPECT_EQ(i, EncodingTable::IndexOfLabel(row->label)) << row->label;
		EXPECT_EQ(i, EncodingTable::IndexOfCode(row->code)) << row->label;
		EXPECT_EQ(i, EncodingTable::IndexOfCharset(row->charset)) << row->label;
		EXPECT_STREQ(row->label, EncodingTable::LabelAt(i));
	}
	// Rows whose constant is out of the constants' own order, and the first and last.
	EXPECT_STREQ("ISO 8859-1", EncodingTable::LabelAt(0));
	EXPECT_EQ((uint32)B_KOI8R_CONVERSION, EncodingTable::At(11)->conversion);
	EXPECT_EQ((uint32)B_MS_WINDOWS_1251_CONVERSION, EncodingTable::At(12)->conversion);
	EXPECT_EQ((uint32)B_MS_WINDOWS_CONVERSION, EncodingTable::At(13)->conversion);
	EXPECT_STREQ("windows-1252", EncodingTable::CharsetAt(13));
	EXPECT_EQ((uint32)'MS66', EncodingTable::At(14)->code);
	EXPECT_STREQ("utf-8", EncodingTable::CharsetAt(15));
	EXPECT_STREQ("UNICODE", EncodingTable::LabelAt(EncodingTable::kUnicodeIndex));
	EXPECT_EQ((uint32)B_JIS_CONVERSION, EncodingTable::At(16)->conversion);
	EXPECT_STREQ("Extended UNIX Code Japanese", EncodingTable::LabelAt(18));
	EXPECT_EQ((uint32)'EUce', EncodingTable::At(18)->code);

	EXPECT_EQ(nullptr, EncodingTable::At(-1));
	EXPECT_EQ(nullptr, EncodingTable::At(19));
	EXPECT_STREQ("", EncodingTable::LabelAt(-1));
	EXPECT_STREQ("", EncodingTable::CharsetAt(19));
	EXPECT_EQ(-1, EncodingTable::IndexOfLabel("iso 8859-1"));
	EXPECT_EQ(-1, EncodingTable::IndexOfLabel(NULL));
	EXPECT_EQ(-1, EncodingTable::IndexOfCode('XXXX'));
}


TEST(EncodingTableTest, EveryEncodingRoundTripsTextOfItsScript)
{
	for (int32 i = 0; i < EncodingTable::kCount; i++) {
		SCOPED_TRACE(EncodingTable::LabelAt(i));
		std::string sample = kScriptSamples[i];
		std::string encoded;
		int32 substituted = -1;
		ASSERT_EQ(B_OK, EncodingTable::FromUTF8(i, sample.data(), (int32)sample.size(),
			&encoded, &substituted));
		EXPECT_EQ(0, substituted);
		EXPECT_EQ(std::string::npos, encoded.find('\x1a'));
		if (i != EncodingTable::kUnicodeIndex) {
			EXPECT_NE(sample, encoded) << "the script's letters are not UTF-8 there";
		}

		std::string decoded;
		ASSERT_EQ(B_OK, EncodingTable::ToUTF8(i, encoded.data(), (int32)encoded.size(),
			&decoded, &substituted));
		EXPECT_EQ(0, substituted);
		EXPECT_EQ(sample, decoded);
	}
}


TEST(EncodingTableTest, OutputGrowsBeyondTwiceTheInput)
{
	// One byte of windows-1252 or Mac Roman becomes three bytes of UTF-8.
	std::string quotes(30001, '\x93');
	std::string text;
	ASSERT_EQ(B_OK, EncodingTable::ToUTF8(13, quotes.data(), (int32)quotes.size(), &text));
	ASSERT_EQ(quotes.size() * 3, text.size());
	EXPECT_EQ("\xe2\x80\x9c", text.substr(0, 3));
	EXPECT_EQ("\xe2\x80\x9c", text.substr(text.size() - 3));

	std::string ellipses(7777, '\xc9');
	ASSERT_EQ(B_OK, EncodingTable::ToUTF8(10, ellipses.data(), (int32)ellipses.size(),
		&text));
	// Appended behind the first result.
	ASSERT_EQ(quotes.size() * 3 + ellipses.size() * 3, text.size());
	EXPECT_EQ("\xe2\x80\xa6", text.substr(text.size() - 3));

	// JIS switches between ASCII and kanji with escape sequences: "a日" (4 bytes of
	// UTF-8) becomes 9 bytes.
	std::string mixed;
	for (int32 i = 0; i < 5000; i++)
		mixed += "a\xe6\x97\xa5";
	std::string jis;
	ASSERT_EQ(B_OK, EncodingTable::FromUTF8(16, mixed.data(), (int32)mixed.size(), &jis));
	EXPECT_GT(jis.size(), mixed.size() * 2);
	std::string back;
	ASSERT_EQ(B_OK, EncodingTable::ToUTF8(16, jis.data(), (int32)jis.size(), &back));
	EXPECT_EQ(mixed, back);

	int32 length = -1;
	char* buffer = EncodingTable::NewEncodedText(16, mixed.data(), (int32)mixed.size(),
		&length);
	ASSERT_NE(nullptr, buffer);
	EXPECT_EQ((int32)jis.size(), length);
	EXPECT_EQ(0, memcmp(buffer, jis.data(), jis.size()));
	EXPECT_EQ('\0', buffer[length]);
	delete[] buffer;
}


TEST(EncodingTableTest, TheUnicodeRowIsUtf8AndSubstitutesInvalidSequences)
{
	const char* text = "<p>żółw 日本 😀</p>";
	std::string out;
	ASSERT_EQ(B_OK, EncodingTable::FromUTF8(15, text, (int32)strlen(text), &out));
	EXPECT_EQ(text, out) << "the row declares utf-8, so it writes UTF-8, not UCS-2";

	// A stray continuation byte, a lone lead byte, an overlong slash, a surrogate and a
	// character cut off at the end.
	const char bad[] = "a\x80" "b\xc3" "c\xc0\xaf" "d\xed\xa0\x80" "e\xe6\x97";
	int32 substituted = 0;
	out.clear();
	ASSERT_EQ(B_OK, EncodingTable::ToUTF8(15, bad, (int32)strlen(bad), &out, &substituted));
	EXPECT_EQ("a\x1a" "b\x1a" "c\x1a\x1a" "d\x1a\x1a\x1a" "e\x1a\x1a", out);
	EXPECT_EQ(9, substituted);
}


TEST(EncodingTableTest, UnrepresentableAndCutOffCharactersBecomeSubstitutes)
{
	const char* text = "a日b€c";
	std::string out;
	int32 substituted = 0;
	ASSERT_EQ(B_OK, EncodingTable::FromUTF8(1, text, (int32)strlen(text), &out,
		&substituted));
	EXPECT_EQ("a\x1a" "b\x1a" "c", out);
	EXPECT_EQ(2, substituted);

	// A Shift-JIS lead byte at the very end is not dropped silently.
	const char sjis[] = "ab\x93\xfa\x96";
	out.clear();
	ASSERT_EQ(B_OK, EncodingTable::ToUTF8(17, sjis, 5, &out, &substituted));
	EXPECT_EQ("ab\xe6\x97\xa5\x1a", out);
	EXPECT_EQ(1, substituted);

	// A substitute the input held already is not counted.
	out.clear();
	ASSERT_EQ(B_OK, EncodingTable::ToUTF8(0, "x\x1ay", 3, &out, &substituted));
	EXPECT_EQ("x\x1ay", out);
	EXPECT_EQ(0, substituted);
}


TEST(EncodingTableTest, UnknownIndexCopiesAndBadArgumentsFail)
{
	const char bytes[] = "\xff\xfe<a>";
	std::string out;
	ASSERT_EQ(B_OK, EncodingTable::ToUTF8(-1, bytes, 5, &out));
	EXPECT_EQ(std::string(bytes, 5), out);
	out.clear();
	ASSERT_EQ(B_OK, EncodingTable::FromUTF8(19, bytes, 5, &out));
	EXPECT_EQ(std::string(bytes, 5), out);

	EXPECT_EQ(B_BAD_VALUE, EncodingTable::ToUTF8(0, NULL, 3, &out));
	EXPECT_EQ(B_BAD_VALUE, EncodingTable::ToUTF8(0, "abc", -1, &out));
	EXPECT_EQ(B_BAD_VALUE, EncodingTable::FromUTF8(0, "abc", 3, NULL));
	EXPECT_EQ(B_OK, EncodingTable::ToUTF8(0, NULL, 0, &out));

	int32 length = -1;
	char* empty = EncodingTable::NewUTF8Text(3, "", 0, &length);
	ASSERT_NE(nullptr, empty);
	EXPECT_EQ(0, length);
	EXPECT_EQ('\0', empty[0]);
	delete[] empty;
}
