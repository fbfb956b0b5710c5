#include <OS.h>
#include <UTF8.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Converts a whole text in one call with a roomy buffer; fails the test on a short
// conversion.
std::string
FromUTF8(uint32 encoding, const std::string& text, char substitute = B_SUBSTITUTE)
{
	std::vector<char> buffer(text.size() * 4 + 16);
	int32 sourceLength = (int32)text.size();
	int32 targetLength = (int32)buffer.size();
	int32 state = 0;
	EXPECT_EQ(convert_from_utf8(encoding, text.data(), &sourceLength, buffer.data(),
		&targetLength, &state, substitute), B_OK);
	EXPECT_EQ(sourceLength, (int32)text.size());
	return std::string(buffer.data(), targetLength);
}


std::string
ToUTF8(uint32 encoding, const std::string& bytes, char substitute = B_SUBSTITUTE)
{
	std::vector<char> buffer(bytes.size() * 4 + 16);
	int32 sourceLength = (int32)bytes.size();
	int32 targetLength = (int32)buffer.size();
	int32 state = 0;
	EXPECT_EQ(convert_to_utf8(encoding, bytes.data(), &sourceLength, buffer.data(),
		&targetLength, &state, substitute), B_OK);
	EXPECT_EQ(sourceLength, (int32)bytes.size());
	return std::string(buffer.data(), targetLength);
}


struct Sample {
	uint32		encoding;
	const char*	text;			// UTF-8, all of it representable in the encoding
	const char*	character;		// one character of the text...
	const char*	encoded;		// ...and its bytes in the encoding
};

// Text in each script, with one character checked against the published tables.
const Sample kSamples[] = {
	{ B_ISO1_CONVERSION, "Caf\xc3\xa9 cr\xc3\xa8me <b>br\xc3\xbbl\xc3\xa9" "e</b>",
		"\xc3\xa9", "\xe9" },
	{ B_ISO2_CONVERSION, "Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 g\xc4\x99\xc5\x9bl\xc4\x85"
		" ja\xc5\xba\xc5\x84", "\xc5\xbc", "\xbf" },
	{ B_ISO3_CONVERSION, "\xc4\xa6" "ammar \xc4\xa7" "afna, Ma\xc4\x8b" "ar", "\xc4\xa7",
		"\xb1" },
	{ B_ISO4_CONVERSION, "L\xc4\x81tvie\xc5\xa1u \xc4\xb7" "ekis", "\xc4\x81", "\xe0" },
	{ B_ISO5_CONVERSION, "\xd0\x96\xd1\x83\xd0\xba \xd0\xb8 \xd1\x91\xd0\xb6",
		"\xd0\x96", "\xb6" },
	{ B_ISO6_CONVERSION, "\xd8\xa7\xd9\x84\xd8\xb9\xd8\xb1\xd8\xa8\xd9\x8a\xd8\xa9",
		"\xd8\xa7", "\xc7" },
	{ B_ISO7_CONVERSION, "\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce"
		"\xac \xce\xa9", "\xce\xa9", "\xd9" },
	{ B_ISO8_CONVERSION, "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d \xd7\x90", "\xd7\x90", "\xe0" },
	{ B_ISO9_CONVERSION, "T\xc3\xbcrk\xc3\xa7" "e \xc4\x9f\xc3\xbc\xc5\x9f", "\xc5\x9f",
		"\xfe" },
	{ B_ISO10_CONVERSION, "\xc3\x90\xc3\xbe \xc5\x8b", "\xc5\x8b", "\xbf" },
	{ B_MAC_ROMAN_CONVERSION, "R\xc3\xa9sum\xc3\xa9 \xe2\x80\xa0", "\xc3\xa9", "\x8e" },
	{ B_SJIS_CONVERSION, "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e <p>\\~ \xef\xbd\xb1",
		"\xe6\x97\xa5", "\x93\xfa" },
	{ B_EUC_CONVERSION, "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e <p> \xef\xbd\xb1",
		"\xe6\x9c\xac", "\xcb\xdc" },
	{ B_JIS_CONVERSION, "<p>\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e</p> \xef\xbd\xb1",
		"\xe6\x97\xa5", "\x1b$BF|\x1b(B" },
	{ B_MS_WINDOWS_CONVERSION, "\xe2\x82\xac 5 \xe2\x80\x93 na\xc3\xafve", "\xe2\x82\xac",
		"\x80" },
	{ B_UNICODE_CONVERSION, "A\xc5\xbc\xd0\x96\xe6\x97\xa5", "\xc5\xbc", "\x01\x7c" },
	{ B_KOI8R_CONVERSION, "\xd0\xa0\xd1\x83\xd1\x81\xd1\x81\xd0\xba\xd0\xb8\xd0\xb9 "
		"\xd0\x96", "\xd0\x96", "\xf6" },
	{ B_MS_WINDOWS_1251_CONVERSION, "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 "
		"\xd0\x96", "\xd0\x96", "\xc6" },
	{ B_MS_DOS_866_CONVERSION, "\xd0\x94\xd0\x9e\xd0\xa1 \xd0\x96", "\xd0\x96", "\x86" }
};

}	// unnamed namespace


TEST(ConversionTest, EveryEncodingRoundTripsTextInItsScript)
{
	ASSERT_EQ(sizeof(kSamples) / sizeof(kSamples[0]), 19u);
	for (const Sample& sample : kSamples) {
		SCOPED_TRACE(testing::Message() << "encoding " << sample.encoding);
		EXPECT_EQ(FromUTF8(sample.encoding, sample.character), sample.encoded);
		EXPECT_EQ(ToUTF8(sample.encoding, sample.encoded), sample.character);

		std::string encoded = FromUTF8(sample.encoding, sample.text);
		EXPECT_EQ(encoded.find(B_SUBSTITUTE), std::string::npos);
		EXPECT_EQ(ToUTF8(sample.encoding, encoded), sample.text);
	}
}


TEST(ConversionTest, KnownJapaneseBytes)
{
	const std::string nihongo = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e";
	EXPECT_EQ(FromUTF8(B_SJIS_CONVERSION, nihongo), "\x93\xfa\x96\x7b\x8c\xea");
	EXPECT_EQ(FromUTF8(B_EUC_CONVERSION, nihongo), "\xc6\xfc\xcb\xdc\xb8\xec");
	EXPECT_EQ(FromUTF8(B_JIS_CONVERSION, "a" + nihongo + "b"),
		"a\x1b$BF|K\\8l\x1b(Bb");
	// Half-width katakana: one byte in Shift-JIS, two in EUC, a shift in JIS.
	EXPECT_EQ(FromUTF8(B_SJIS_CONVERSION, "\xef\xbd\xb1"), "\xb1");
	EXPECT_EQ(FromUTF8(B_EUC_CONVERSION, "\xef\xbd\xb1"), "\x8e\xb1");
	EXPECT_EQ(FromUTF8(B_JIS_CONVERSION, "\xef\xbd\xb1"), "\x1b(I1\x1b(B");
	// Older JIS text: the 1978 set and the Roman set read as expected.
	EXPECT_EQ(ToUTF8(B_JIS_CONVERSION, "\x1b$@F|\x1b(J\\~\x1b(B\\"),
		"\xe6\x97\xa5\xc2\xa5\xe2\x80\xbe\\");
}


TEST(ConversionTest, UnmappableAndInvalidCharactersBecomeTheSubstitute)
{
	// Cyrillic, Greek and an emoji have no place in Latin-1; Polish and Arabic none in
	// JIS, which does have Cyrillic.
	EXPECT_EQ(FromUTF8(B_ISO1_CONVERSION, "a\xd0\x96" "b\xce\xa9" "c\xf0\x9f\x98\x80"),
		"a\x1a" "b\x1a" "c\x1a");
	EXPECT_EQ(FromUTF8(B_ISO1_CONVERSION, "x\xd0\x96", '?'), "x?");
	EXPECT_EQ(FromUTF8(B_SJIS_CONVERSION, "\xc5\xbc!"), "\x1a!");
	EXPECT_EQ(FromUTF8(B_JIS_CONVERSION, "\xc5\xbc\xe6\x97\xa5\xd8\xa7"),
		std::string("\x1a\x1b$BF|\x1b(B\x1a"));
	EXPECT_EQ(FromUTF8(B_UNICODE_CONVERSION, "\xf0\x9f\x98\x80"), std::string("\0\x1a", 2));

	// Invalid UTF-8: a stray continuation byte, an overlong form, a surrogate, a byte
	// that never occurs. Each bad byte becomes one substitute; good text around stays.
	EXPECT_EQ(FromUTF8(B_ISO2_CONVERSION, "a\x80" "b\xc0\xaf" "c\xed\xa0\x80" "d\xff"),
		"a\x1a" "b\x1a\x1a" "c\x1a\x1a\x1a" "d\x1a");
	EXPECT_EQ(FromUTF8(B_UNICODE_CONVERSION, "\x80"), std::string("\0\x1a", 2));

	// Bytes undefined in the source charset.
	EXPECT_EQ(ToUTF8(B_MS_WINDOWS_CONVERSION, "a\x81" "b"), "a\x1a" "b");
	EXPECT_EQ(ToUTF8(B_ISO3_CONVERSION, "\xa5"), "\x1a");
	// A Shift-JIS lead byte followed by ASCII: the ASCII survives.
	EXPECT_EQ(ToUTF8(B_SJIS_CONVERSION, "\x93<p>"), "\x1a<p>");
	EXPECT_EQ(ToUTF8(B_EUC_CONVERSION, "\xa1" "a\x80"), "\x1a" "a\x1a");
	EXPECT_EQ(ToUTF8(B_JIS_CONVERSION, "\x1b$BF\x01\x1b(B\xc3"), "\x1a\x01\x1a");
	EXPECT_EQ(ToUTF8(B_JIS_CONVERSION, "\x1bZ"), "\x1aZ");
	// A lone low surrogate in 16-bit Unicode; a proper pair is read.
	EXPECT_EQ(ToUTF8(B_UNICODE_CONVERSION, std::string("\xdc\x00\x00" "A", 4)), "\x1a" "A");
	EXPECT_EQ(ToUTF8(B_UNICODE_CONVERSION, std::string("\xd8\x3d\xde\x00", 4)),
		"\xf0\x9f\x98\x80");
}


TEST(ConversionTest, StopsAtBufferBoundariesWithoutSplittingCharacters)
{
	char buffer[16];
	memset(buffer, '#', sizeof(buffer));
	int32 state = 0;

	// Destination one byte short in the middle of a two-byte UTF-8 character.
	int32 sourceLength = 2;
	int32 targetLength = 3;
	ASSERT_EQ(convert_to_utf8(B_ISO2_CONVERSION, "\xbf\xbf", &sourceLength, buffer,
		&targetLength, &state), B_OK);
	EXPECT_EQ(sourceLength, 1);
	EXPECT_EQ(targetLength, 2);
	EXPECT_EQ(std::string(buffer, 2), "\xc5\xbc");
	EXPECT_EQ(buffer[2], '#');

	// Destination one byte short in the middle of a Shift-JIS character.
	memset(buffer, '#', sizeof(buffer));
	sourceLength = 6;
	targetLength = 3;
	ASSERT_EQ(convert_from_utf8(B_SJIS_CONVERSION, "\xe6\x97\xa5\xe6\x9c\xac",
		&sourceLength, buffer, &targetLength, &state), B_OK);
	EXPECT_EQ(sourceLength, 3);
	EXPECT_EQ(targetLength, 2);
	EXPECT_EQ(buffer[2], '#');

	// JIS keeps room to shift back to ASCII: 3 + 2 + 3 bytes for one kanji.
	for (int32 room = 0; room < 8; room++) {
		sourceLength = 3;
		targetLength = room;
		ASSERT_EQ(convert_from_utf8(B_JIS_CONVERSION, "\xe6\x97\xa5", &sourceLength,
			buffer, &targetLength, &state), B_OK);
		EXPECT_EQ(sourceLength, 0);
		EXPECT_EQ(targetLength, 0);
	}
	sourceLength = 3;
	targetLength = 8;
	ASSERT_EQ(convert_from_utf8(B_JIS_CONVERSION, "\xe6\x97\xa5", &sourceLength, buffer,
		&targetLength, &state), B_OK);
	EXPECT_EQ(targetLength, 8);
	EXPECT_EQ(state, 0);

	// 16-bit Unicode needs two bytes per substitute too.
	sourceLength = 1;
	targetLength = 1;
	ASSERT_EQ(convert_from_utf8(B_UNICODE_CONVERSION, "\x80", &sourceLength, buffer,
		&targetLength, &state), B_OK);
	EXPECT_EQ(sourceLength, 0);
	EXPECT_EQ(targetLength, 0);

	// A destination of length 0 or 1.
	for (int32 room = 0; room <= 1; room++) {
		sourceLength = 2;
		targetLength = room;
		ASSERT_EQ(convert_to_utf8(B_ISO5_CONVERSION, "\xb6\xb6", &sourceLength, buffer,
			&targetLength, &state), B_OK);
		EXPECT_EQ(sourceLength, 0);
		EXPECT_EQ(targetLength, 0);
	}
}


TEST(ConversionTest, LeavesCharactersCutOffAtTheSourceEnd)
{
	struct Cut {
		uint32		encoding;
		bool		toUTF8;
		std::string	bytes;
		int32		expectedConsumed;
	};
	const Cut kCuts[] = {
		{ B_ISO2_CONVERSION, false, "a\xc5", 1 },
		{ B_ISO2_CONVERSION, false, "a\xe6\x97", 1 },
		{ B_SJIS_CONVERSION, false, "\xf0\x9f\x98", 0 },
		{ B_SJIS_CONVERSION, true, "ab\x93", 2 },
		{ B_EUC_CONVERSION, true, "\xc6\xfc\x8f\xb0", 2 },
		{ B_JIS_CONVERSION, true, "\x1b$BF|K", 5 },
		{ B_JIS_CONVERSION, true, "a\x1b$", 1 },
		{ B_UNICODE_CONVERSION, true, std::string("\0A\x01", 3), 2 },
		{ B_UNICODE_CONVERSION, true, "\xd8\x3d\xde", 0 }
	};
	for (const Cut& cut : kCuts) {
		SCOPED_TRACE(testing::Message() << "encoding " << cut.encoding);
		char buffer[32];
		int32 sourceLength = (int32)cut.bytes.size();
		int32 targetLength = sizeof(buffer);
		int32 state = 0;
		status_t status = cut.toUTF8
			? convert_to_utf8(cut.encoding, cut.bytes.data(), &sourceLength, buffer,
				&targetLength, &state)
			: convert_from_utf8(cut.encoding, cut.bytes.data(), &sourceLength, buffer,
				&targetLength, &state);
		EXPECT_EQ(status, B_OK);
		EXPECT_EQ(sourceLength, cut.expectedConsumed);
		EXPECT_EQ(std::string(buffer, targetLength).find(B_SUBSTITUTE), std::string::npos);
	}
}


TEST(ConversionTest, JISStateCarriesAcrossCalls)
{
	// "日本" in JIS, handed over in two pieces that split the shifted text.
	const std::string whole = "\x1b$BF|K\\\x1b(Bok";
	char buffer[32];
	int32 state = 0;
	int32 sourceLength = 5;
	int32 targetLength = sizeof(buffer);
	ASSERT_EQ(convert_to_utf8(B_JIS_CONVERSION, whole.data(), &sourceLength, buffer,
		&targetLength, &state), B_OK);
	EXPECT_EQ(sourceLength, 5);
	EXPECT_EQ(std::string(buffer, targetLength), "\xe6\x97\xa5");
	EXPECT_NE(state, 0);

	std::string rest = whole.substr(5);
	sourceLength = (int32)rest.size();
	targetLength = sizeof(buffer);
	ASSERT_EQ(convert_to_utf8(B_JIS_CONVERSION, rest.data(), &sourceLength, buffer,
		&targetLength, &state), B_OK);
	EXPECT_EQ(sourceLength, (int32)rest.size());
	EXPECT_EQ(std::string(buffer, targetLength), "\xe6\x9c\xacok");
	EXPECT_EQ(state, 0);

	// Without the state the second piece reads as plain ASCII.
	state = 0;
	sourceLength = 2;
	targetLength = sizeof(buffer);
	convert_to_utf8(B_JIS_CONVERSION, "K\\", &sourceLength, buffer, &targetLength, &state);
	EXPECT_EQ(std::string(buffer, targetLength), "K\\");
}


TEST(ConversionTest, RefusesBadArguments)
{
	char buffer[8];
	int32 sourceLength = 1;
	int32 targetLength = 8;
	int32 state = 0;
	EXPECT_EQ(convert_to_utf8(B_ISO1_CONVERSION, nullptr, &sourceLength, buffer,
		&targetLength, &state), B_BAD_VALUE);
	EXPECT_EQ(convert_to_utf8(B_ISO1_CONVERSION, "a", nullptr, buffer, &targetLength,
		&state), B_BAD_VALUE);
	EXPECT_EQ(convert_from_utf8(B_ISO1_CONVERSION, "a", &sourceLength, nullptr,
		&targetLength, &state), B_BAD_VALUE);
	EXPECT_EQ(convert_from_utf8(B_ISO1_CONVERSION, "a", &sourceLength, buffer, nullptr,
		&state), B_BAD_VALUE);
	EXPECT_EQ(convert_from_utf8(B_ISO1_CONVERSION, "a", &sourceLength, buffer,
		&targetLength, nullptr), B_BAD_VALUE);
	sourceLength = -1;
	EXPECT_EQ(convert_to_utf8(B_ISO1_CONVERSION, "a", &sourceLength, buffer,
		&targetLength, &state), B_BAD_VALUE);
	sourceLength = 1;
	targetLength = -3;
	EXPECT_EQ(convert_from_utf8(B_ISO1_CONVERSION, "a", &sourceLength, buffer,
		&targetLength, &state), B_BAD_VALUE);
	targetLength = 8;
	EXPECT_EQ(convert_to_utf8(19, "a", &sourceLength, buffer, &targetLength, &state),
		B_ERROR);
	EXPECT_EQ(convert_from_utf8(0xffffffff, "a", &sourceLength, buffer, &targetLength,
		&state), B_ERROR);

	// An empty source is fine.
	sourceLength = 0;
	EXPECT_EQ(convert_to_utf8(B_EUC_CONVERSION, "", &sourceLength, buffer, &targetLength,
		&state), B_OK);
	EXPECT_EQ(targetLength, 0);
}


TEST(ConversionTest, ThreadsConvertAtTheSameTime)
{
	static const std::string kText = "<p>\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e "
		"\xd0\x96 \xc5\xbc</p>";
	std::vector<thread_id> threads;
	for (int i = 0; i < 6; i++) {
		threads.push_back(spawn_thread([](void* data) -> int32 {
			const uint32 encodings[] = { B_SJIS_CONVERSION, B_EUC_CONVERSION,
				B_JIS_CONVERSION, B_UNICODE_CONVERSION, B_ISO2_CONVERSION };
			uint32 encoding = encodings[(intptr_t)data % 5];
			for (int round = 0; round < 200; round++) {
				char encoded[128];
				char decoded[128];
				int32 state = 0;
				int32 sourceLength = (int32)kText.size();
				int32 encodedLength = sizeof(encoded);
				convert_from_utf8(encoding, kText.data(), &sourceLength, encoded,
					&encodedLength, &state);
				int32 decodedLength = sizeof(decoded);
				convert_to_utf8(encoding, encoded, &encodedLength, decoded,
					&decodedLength, &state);
				// Every encoding keeps the markup and the kanji or the Polish letter.
				std::string back(decoded, decodedLength);
				if (back.find("<p>") != 0 || back.find("</p>") == std::string::npos)
					return B_ERROR;
			}
			return B_OK;
		}, "converter", B_NORMAL_PRIORITY, (void*)(intptr_t)i));
		resume_thread(threads.back());
	}
	for (thread_id thread : threads) {
		status_t exitValue = B_ERROR;
		wait_for_thread(thread, &exitValue);
		EXPECT_EQ(exitValue, B_OK);
	}
}
