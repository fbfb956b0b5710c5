// Lines, points and styles of a text view without a window: word wrap, the agreement
// of OffsetAt, PointAt and LineAt, and fonts and colours of ranges.

#include <TextView.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>


TEST(TextViewLayoutTest, WordWrapBreaksAtSpacesWithinTheTextRect)
{
	BTextView view(BRect(0, 0, 299, 299), "wrap", BRect(0, 0, 99, 299), B_FOLLOW_NONE, 0);
	std::string text;
	for (int i = 0; i < 20; i++)
		text += "word ";
	text += "\nshort\n";
	view.SetText(text.c_str());

	float space = be_plain_font->StringWidth(" ");
	int32 lines = view.CountLines();
	EXPECT_GT(lines, 4);
	int32 previous = -1;
	for (int32 line = 0; line < lines; line++) {
		int32 start = view.OffsetAt(line);
		EXPECT_GT(start, previous);
		previous = start;
		// Every wrapped line fits, but for the spaces that may hang past the edge.
		EXPECT_LE(view.LineWidth(line), 100 + space);
		if (line > 0 && start < 100) {
			EXPECT_EQ(' ', view.ByteAt(start - 1)) << "line " << line;
		}
	}
	EXPECT_EQ(view.OffsetAt(lines - 1), view.TextLength());

	// Without wrapping each paragraph is one line.
	view.SetWordWrap(false);
	EXPECT_EQ(3, view.CountLines());
	EXPECT_GT(view.LineWidth(0), 100);

	// A word longer than the rectangle breaks between characters.
	view.SetWordWrap(true);
	view.SetText(std::string(100, 'm').c_str());
	EXPECT_GT(view.CountLines(), 1);
	EXPECT_LE(view.LineWidth(0), 100);

	// A narrower rectangle makes more lines.
	view.SetText(text.c_str());
	view.SetTextRect(BRect(0, 0, 49, 299));
	EXPECT_GT(view.CountLines(), lines);
	EXPECT_FLOAT_EQ(49, view.TextRect().Width());
}


TEST(TextViewLayoutTest, OffsetsPointsAndLinesAgree)
{
	BTextView view(BRect(0, 0, 199, 299), "geometry", BRect(5, 3, 150, 299),
		B_FOLLOW_NONE, 0);
	view.SetText("first line\n\tsecond\n\nlast line that wraps around the edge of the "
		"text rectangle\n\xc3\xa9t\xc3\xa9");
	int32 length = view.TextLength();
	int32 lines = view.CountLines();
	float total = 0;
	for (int32 line = 0; line < lines; line++)
		total += view.LineHeight(line);
	EXPECT_FLOAT_EQ(total, view.TextHeight(0, lines - 1));
	EXPECT_FLOAT_EQ(view.LineHeight(1), view.TextHeight(1, 1));

	for (int32 offset = 0; offset <= length; offset++) {
		if ((view.ByteAt(offset) & 0xc0) == 0x80)
			continue;
		float height;
		BPoint point = view.PointAt(offset, &height);
		EXPECT_GT(height, 0);
		EXPECT_GE(point.x, 5);
		EXPECT_GE(point.y, 3);
		int32 line = view.LineAt(offset);
		EXPECT_EQ(line, view.LineAt(point + BPoint(0.5, height / 2))) << offset;
		EXPECT_GE(offset, view.OffsetAt(line));
		if (view.ByteAt(offset) != '\n' && offset < length) {
			EXPECT_EQ(offset, view.OffsetAt(point + BPoint(0.5, height / 2)))
				<< "offset " << offset;
		}
	}
	// The tab moves the second line's text to the first tab stop.
	EXPECT_FLOAT_EQ(5 + view.TabWidth(), view.PointAt(12).x);

	// Points beyond the text give its ends.
	EXPECT_EQ(0, view.OffsetAt(BPoint(0, -50)));
	EXPECT_EQ(length, view.OffsetAt(BPoint(190, 5000)));
	EXPECT_EQ(0, view.OffsetAt(-1));
	EXPECT_EQ(length, view.OffsetAt(lines + 3));

	// Centred lines start further right, by half the room left.
	float left = view.PointAt(0).x;
	view.SetAlignment(B_ALIGN_CENTER);
	float width = view.LineWidth(0);
	EXPECT_NEAR(5 + std::floor((145 - width) / 2), view.PointAt(0).x, 0.01);
	EXPECT_GT(view.PointAt(0).x, left);
	view.SetAlignment(B_ALIGN_RIGHT);
	EXPECT_NEAR(150 - width, view.PointAt(0).x, 1.01);

	// FindWord, and GoToLine with CurrentLine.
	int32 from;
	int32 to;
	view.FindWord(2, &from, &to);
	EXPECT_EQ(0, from);
	EXPECT_EQ(5, to);
	view.GoToLine(2);
	EXPECT_EQ(2, view.CurrentLine());
}


TEST(TextViewLayoutTest, FontsAndColoursOfRanges)
{
	BTextView view(BRect(0, 0, 299, 99), "styles", BRect(0, 0, 299, 99), B_FOLLOW_NONE,
		0);
	view.SetStylable(true);
	view.SetText("0123456789");
	rgb_color red = make_color(255, 0, 0);
	rgb_color black = make_color(0, 0, 0);
	view.SetFontAndColor(2, 5, be_plain_font, B_FONT_ALL, &red);

	BFont font;
	rgb_color color;
	view.GetFontAndColor(3, &font, &color);
	EXPECT_EQ(red, color);
	view.GetFontAndColor(1, &font, &color);
	EXPECT_EQ(black, color);
	view.GetFontAndColor(5, &font, &color);
	EXPECT_EQ(black, color);

	float plainHeight = view.LineHeight(0);
	BFont big(be_plain_font);
	big.SetSize(30);
	view.SetFontAndColor(4, 8, &big, B_FONT_SIZE);
	view.GetFontAndColor(6, &font, &color);
	EXPECT_FLOAT_EQ(30, font.Size());
	EXPECT_EQ(black, color);
	view.GetFontAndColor(4, &font, &color);
	EXPECT_FLOAT_EQ(30, font.Size());
	EXPECT_EQ(red, color);
	EXPECT_GT(view.LineHeight(0), plainHeight);

	uint32 same = 0;
	bool sameColor = true;
	view.Select(2, 8);
	view.GetFontAndColor(&font, &same, &color, &sameColor);
	EXPECT_EQ(0u, same & B_FONT_SIZE);
	EXPECT_NE(0u, same & B_FONT_FAMILY_AND_STYLE);
	EXPECT_FALSE(sameColor);
	view.Select(2, 4);
	view.GetFontAndColor(&font, &same, &color, &sameColor);
	EXPECT_EQ((uint32)B_FONT_ALL, same);
	EXPECT_TRUE(sameColor);
	EXPECT_EQ(red, color);

	int32 size = 0;
	text_run_array* runs = view.RunArray(0, 10, &size);
	ASSERT_NE(nullptr, runs);
	ASSERT_EQ(5, runs->count);
	EXPECT_EQ(0, runs->runs[0].offset);
	EXPECT_EQ(2, runs->runs[1].offset);
	EXPECT_EQ(4, runs->runs[2].offset);
	EXPECT_EQ(5, runs->runs[3].offset);
	EXPECT_EQ(8, runs->runs[4].offset);
	EXPECT_EQ(red, runs->runs[2].color);
	EXPECT_FLOAT_EQ(30, runs->runs[3].font.Size());
	EXPECT_GT(size, 0);

	// A run array given back reproduces the styles, here on a new text.
	view.SetText("abcdefghij", runs);
	view.GetFontAndColor(3, &font, &color);
	EXPECT_EQ(red, color);
	view.GetFontAndColor(7, &font, &color);
	EXPECT_FLOAT_EQ(30, font.Size());
	BTextView::FreeRunArray(runs);

	// Text typed into an empty view takes the view's font.
	view.SetText("");
	view.SetFont(&big);
	view.Insert("x");
	view.GetFontAndColor(0, &font, &color);
	EXPECT_FLOAT_EQ(30, font.Size());

	// Without stylability, a range call styles the whole text.
	view.SetStylable(false);
	view.SetText("plain text");
	rgb_color blue = make_color(0, 0, 255);
	view.SetFontAndColor(0, 2, NULL, 0, &blue);
	view.GetFontAndColor(8, &font, &color);
	EXPECT_EQ(blue, color);
}
