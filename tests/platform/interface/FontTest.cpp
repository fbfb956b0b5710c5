// BFont over FreeType and fontconfig.

#include <Font.h>
#include <String.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>


TEST(FontTest, SystemFontsAndFamilies)
{
	font_family family;
	font_style style;
	be_plain_font->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans");
	EXPECT_STREQ(style, "Book");
	EXPECT_EQ(be_plain_font->Size(), 12.0f);
	EXPECT_EQ(be_bold_font->Face(), B_BOLD_FACE);
	EXPECT_TRUE(be_fixed_font->IsFixed());
	EXPECT_FALSE(be_plain_font->IsFixed());

	// The installed families include DejaVu, with its styles.
	int32 count = count_font_families();
	ASSERT_GT(count, 0);
	bool found = false;
	for (int32 i = 0; i < count; i++) {
		font_family name;
		uint32 flags = 0;
		ASSERT_EQ(get_font_family(i, &name, &flags), B_OK);
		if (strcmp(name, "DejaVu Sans Mono") == 0) {
			EXPECT_TRUE(flags & B_IS_FIXED);
		}
		if (strcmp(name, "DejaVu Sans") == 0)
			found = true;
	}
	EXPECT_TRUE(found);
	font_family name;
	EXPECT_EQ(get_font_family(count, &name), B_BAD_VALUE);
	strcpy(family, "DejaVu Sans");
	int32 styles = count_font_styles(family);
	EXPECT_GE(styles, 2);
	bool hasBold = false;
	for (int32 i = 0; i < styles; i++) {
		font_style styleName;
		ASSERT_EQ(get_font_style(family, i, &styleName), B_OK);
		if (strcmp(styleName, "Bold") == 0)
			hasBold = true;
	}
	EXPECT_TRUE(hasBold);

	// Default construction copies be_plain_font.
	BFont font;
	EXPECT_TRUE(font == *be_plain_font);
	font.SetSize(13);
	EXPECT_TRUE(font != *be_plain_font);
}


TEST(FontTest, FacesStylesAndFallbacks)
{
	BFont font(be_plain_font);
	font_family family;
	font_style style;

	font.SetFace(B_BOLD_FACE);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Bold");
	EXPECT_EQ(font.Face(), B_BOLD_FACE);
	EXPECT_GT(font.StringWidth("Wide words"), be_plain_font->StringWidth("Wide words"));

	strcpy(family, "DejaVu Sans");
	EXPECT_EQ(font.SetFamilyAndFace(family, B_REGULAR_FACE), B_OK);
	font.GetFamilyAndStyle(NULL, &style);
	EXPECT_STREQ(style, "Book");

	// An unknown family keeps its name but draws with the closest match.
	strcpy(family, "No Such Family Anywhere");
	strcpy(style, "Regular");
	EXPECT_EQ(font.SetFamilyAndStyle(family, style), B_NAME_NOT_FOUND);
	EXPECT_GT(font.StringWidth("Hello"), 0);

	// FamilyAndStyle codes round-trip.
	BFont mono(be_fixed_font);
	BFont other;
	other.SetFamilyAndStyle(mono.FamilyAndStyle());
	mono.GetFamilyAndStyle(&family, &style);
	font_family otherFamily;
	font_style otherStyle;
	other.GetFamilyAndStyle(&otherFamily, &otherStyle);
	EXPECT_STREQ(family, otherFamily);
	EXPECT_STREQ(style, otherStyle);

	// Sizes are clamped; shear and rotation are stored.
	font.SetSize(-5);
	EXPECT_EQ(font.Size(), 1.0f);
	font.SetSize(12);
	font.SetShear(100);
	font.SetRotation(30);
	EXPECT_EQ(font.Shear(), 100.0f);
	EXPECT_EQ(font.Rotation(), 30.0f);
}


TEST(FontTest, MetricsWidthsAndTruncation)
{
	BFont font(be_plain_font);
	font_height height;
	font.GetHeight(&height);
	EXPECT_GT(height.ascent, 8);
	EXPECT_LT(height.ascent, 14);
	EXPECT_GT(height.descent, 1);
	EXPECT_LT(height.descent, 5);
	EXPECT_GE(height.leading, 0);

	font.SetSize(24);
	font_height big;
	font.GetHeight(&big);
	EXPECT_NEAR(big.ascent, height.ascent * 2, 0.5);
	font.SetSize(12);

	float hello = font.StringWidth("Hello");
	EXPECT_GT(hello, 20);
	EXPECT_LT(hello, 40);
	EXPECT_FLOAT_EQ(font.StringWidth("Hello, world"),
		font.StringWidth("Hello,") + font.StringWidth(" world"));
	EXPECT_EQ(font.StringWidth(""), 0);
	EXPECT_EQ(font.StringWidth(NULL), 0);

	const char* strings[] = { "a", "abc" };
	const int32 lengths[] = { 1, 3 };
	float widths[2];
	font.GetStringWidths(strings, lengths, 2, widths);
	EXPECT_FLOAT_EQ(widths[0], font.StringWidth("a"));
	EXPECT_FLOAT_EQ(widths[1], font.StringWidth("abc"));

	float escapements[2];
	font.GetEscapements("a\xc3\xa9", 2, escapements);
	EXPECT_FLOAT_EQ(escapements[0] * 12, font.StringWidth("a"));
	EXPECT_FLOAT_EQ(escapements[1] * 12, font.StringWidth("\xc3\xa9"));

	// Truncation keeps the text within the width and marks the cut with an ellipsis.
	const char* text = "A rather long file name.html";
	float limit = font.StringWidth(text) / 2;
	for (uint32 mode : { B_TRUNCATE_END, B_TRUNCATE_BEGINNING, B_TRUNCATE_MIDDLE }) {
		BString string(text);
		font.TruncateString(&string, mode, limit);
		EXPECT_LE(font.StringWidth(string.String()), limit);
		EXPECT_NE(strstr(string.String(), "\xe2\x80\xa6"), nullptr);
		EXPECT_GT(string.Length(), 5);
		if (mode == B_TRUNCATE_END) {
			EXPECT_EQ(strncmp(string.String(), "A rather", 8), 0);
		}
		if (mode == B_TRUNCATE_BEGINNING) {
			EXPECT_NE(strstr(string.String(), ".html"), nullptr);
		}
		if (mode == B_TRUNCATE_MIDDLE) {
			EXPECT_EQ(string.String()[0], 'A');
			EXPECT_NE(strstr(string.String(), "html"), nullptr);
		}
	}
	BString fits("short");
	font.TruncateString(&fits, B_TRUNCATE_END, 1000);
	EXPECT_STREQ(fits.String(), "short");
	BString none("short");
	font.TruncateString(&none, B_TRUNCATE_END, 0);
	EXPECT_STREQ(none.String(), "");

	const char* inputs[] = { text };
	char buffer[64];
	char* results[] = { buffer };
	font.GetTruncatedStrings(inputs, 1, B_TRUNCATE_END, limit, results);
	EXPECT_LE(font.StringWidth(buffer), limit);
	EXPECT_EQ(strncmp(buffer, "A rather", 8), 0);
}


TEST(FontTest, ConcurrentMeasuringAgrees)
{
	float expected = be_plain_font->StringWidth("Concurrent text 123");
	std::vector<std::thread> threads;
	std::vector<float> results(4, 0);
	for (int i = 0; i < 4; i++) {
		threads.emplace_back([&results, i] {
			BFont font(be_plain_font);
			float width = 0;
			for (int k = 0; k < 200; k++) {
				font.SetSize(10 + k % 5);
				font.StringWidth("warm the cache");
				font.SetSize(12);
				width = font.StringWidth("Concurrent text 123");
			}
			results[i] = width;
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	for (float width : results)
		EXPECT_FLOAT_EQ(width, expected);
}
