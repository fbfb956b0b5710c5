// The glyph strikes text is drawn and measured with: threads that look glyphs up while
// others add them agree with each other and with measuring, strikes the engine lets go
// of stay whole for whoever still holds them, and the renderer's shortcuts for text and
// solid fills give the pixels its general blending gives.

#include "interface/FontEngine.h"
#include "interface/render/Painter.h"

#include <Bitmap.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

using BPrivate::FontStrike;
using BPrivate::Glyph;
using BPrivate::Painter;
using BPrivate::StrikeFor;
using BPrivate::StrikeRef;

namespace {

// Code points from several scripts the default fonts cover, past ASCII so that they
// go through the growing table.
std::vector<uint32>
ManyCodePoints()
{
	std::vector<uint32> points;
	for (uint32 c = 0xa1; c < 0x250; c++)
		points.push_back(c);
	for (uint32 c = 0x391; c < 0x3c9; c++)
		points.push_back(c);
	for (uint32 c = 0x410; c < 0x44f; c++)
		points.push_back(c);
	return points;
}


std::string
Utf8(uint32 c)
{
	std::string out;
	if (c < 0x80)
		out += (char)c;
	else if (c < 0x800) {
		out += (char)(0xc0 | (c >> 6));
		out += (char)(0x80 | (c & 0x3f));
	} else {
		out += (char)(0xe0 | (c >> 12));
		out += (char)(0x80 | ((c >> 6) & 0x3f));
		out += (char)(0x80 | (c & 0x3f));
	}
	return out;
}


uint32
PixelAt(const BBitmap& bitmap, int x, int y)
{
	const uint8* row = (const uint8*)bitmap.Bits() + y * bitmap.BytesPerRow();
	uint32 pixel;
	memcpy(&pixel, row + x * 4, 4);
	return pixel;
}


void
FillBitmap(BBitmap& bitmap, uint32 value)
{
	int32 count = bitmap.BitsLength() / 4;
	uint32* bits = (uint32*)bitmap.Bits();
	for (int32 i = 0; i < count; i++)
		bits[i] = value;
}

}	// namespace


TEST(GlyphStrikeTest, ThreadsShareGlyphsThatAgreeWithMeasuring)
{
	// A size nothing else uses, so that the threads fill a fresh strike together.
	BFont font(be_plain_font);
	font.SetSize(17.25f);
	std::vector<uint32> points = ManyCodePoints();

	const int kThreads = 4;
	std::vector<std::vector<const Glyph*>> seen(kThreads);
	std::vector<std::vector<float>> widths(kThreads);
	std::vector<std::thread> threads;
	for (int t = 0; t < kThreads; t++) {
		threads.emplace_back([&, t] {
			StrikeRef strike = StrikeFor(font);
			if (strike == NULL)
				return;
			// Each thread walks the code points from another place, so that some add
			// glyphs while others find them.
			size_t count = points.size();
			seen[t].resize(count);
			for (size_t i = 0; i < count; i++) {
				size_t index = (i + t * count / kThreads) % count;
				seen[t][index] = &strike->GlyphFor(points[index]);
			}
			for (size_t i = 0; i < count; i += 7) {
				std::string text = "a" + Utf8(points[i]) + "b";
				widths[t].push_back(font.StringWidth(text.c_str()));
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();

	StrikeRef strike = StrikeFor(font);
	ASSERT_NE(strike, nullptr);
	for (int t = 0; t < kThreads; t++) {
		ASSERT_EQ(seen[t].size(), points.size());
		for (size_t i = 0; i < points.size(); i++) {
			// One strike, one glyph per code point, whoever rendered it.
			EXPECT_EQ(seen[t][i], &strike->GlyphFor(points[i])) << "thread " << t;
		}
		ASSERT_EQ(widths[t], widths[0]);
	}
	// A text's width is the sum of its glyphs' advances.
	for (size_t i = 0, k = 0; i < points.size(); i += 7, k++) {
		float sum = strike->GlyphFor('a').advance + strike->GlyphFor(points[i]).advance
			+ strike->GlyphFor('b').advance;
		EXPECT_FLOAT_EQ(widths[0][k], sum) << "code point " << points[i];
	}
	EXPECT_GT(strike->GlyphFor('M').width, 0);
	EXPECT_GT(strike->GlyphFor('M').advance, 0);
	EXPECT_GT(strike->Ascent(), 0);

	// The same font at another size or without antialiasing is another strike.
	BFont bigger(font);
	bigger.SetSize(30);
	EXPECT_NE(StrikeFor(bigger), strike);
	EXPECT_GT(StrikeFor(bigger)->GlyphFor('M').width, strike->GlyphFor('M').width);
	BFont aliased(font);
	aliased.SetFlags(B_DISABLE_ANTIALIASING);
	EXPECT_NE(StrikeFor(aliased), strike);
}


TEST(GlyphStrikeTest, DroppedStrikesStayWholeForTheirHolders)
{
	BFont font(be_plain_font);
	font.SetSize(13.5f);
	StrikeRef held = StrikeFor(font);
	ASSERT_NE(held, nullptr);
	const Glyph& glyph = held->GlyphFor(0x416);
	std::vector<uint8> coverage = glyph.coverage;
	float advance = glyph.advance;
	ASSERT_FALSE(coverage.empty());

	// Huge glyphs overflow the engine's budget, so it lets go of every strike.
	BFont huge(be_plain_font);
	size_t strikes = 0;
	size_t bytes = 0;
	bool dropped = false;
	for (int i = 0; i < 60 && !dropped; i++) {
		huge.SetSize(1500 + i);
		StrikeRef strike = StrikeFor(huge);
		ASSERT_NE(strike, nullptr);
		for (uint32 c : { 'W', 'M', '@', '#' }) {
			size_t before = 0;
			BPrivate::GetStrikeStatistics(NULL, &before);
			strike->GlyphFor(c);
			BPrivate::GetStrikeStatistics(&strikes, &bytes);
			dropped = dropped || bytes < before;
		}
	}
	ASSERT_TRUE(dropped);
	EXPECT_LT(bytes, (size_t)64 << 20);

	// The held strike still has its glyph, unchanged, and the font gets a new strike
	// that draws it the same.
	EXPECT_EQ(&held->GlyphFor(0x416), &glyph);
	EXPECT_EQ(glyph.coverage, coverage);
	StrikeRef fresh = StrikeFor(font);
	ASSERT_NE(fresh, nullptr);
	EXPECT_NE(fresh, held);
	EXPECT_EQ(fresh->GlyphFor(0x416).coverage, coverage);
	EXPECT_FLOAT_EQ(fresh->GlyphFor(0x416).advance, advance);
}


TEST(GlyphStrikeTest, ShortcutsDrawWhatTheGeneralBlendDraws)
{
	BBitmap copy(BRect(0, 0, 99, 29), B_RGB32);
	BBitmap over(BRect(0, 0, 99, 29), B_RGB32);
	BBitmap alpha(BRect(0, 0, 99, 29), B_RGB32);
	const uint32 kBackground = 0xff2050a0;
	rgb_color text = { 250, 200, 10, 255 };
	const char* kSample = "Wéź g|€";
	BPoint baseline(3, 20);

	BBitmap* bitmaps[] = { &copy, &over, &alpha };
	drawing_mode modes[] = { B_OP_COPY, B_OP_OVER, B_OP_ALPHA };
	for (int i = 0; i < 3; i++) {
		FillBitmap(*bitmaps[i], kBackground);
		Painter painter;
		ASSERT_EQ(B_OK, painter.Attach(bitmaps[i]));
		painter.SetHighColor(text);
		painter.SetDrawingMode(modes[i]);
		// B_OP_ALPHA with an opaque constant alpha blends by coverage alone, through
		// the general per-pixel path.
		painter.SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_OVERLAY);
		BPoint end = painter.DrawString(kSample, (int32)strlen(kSample), baseline);
		EXPECT_FLOAT_EQ(end.x - baseline.x, be_plain_font->StringWidth(kSample));
	}
	int32 touched = 0;
	for (int y = 0; y < 30; y++) {
		for (int x = 0; x < 100; x++) {
			uint32 a = PixelAt(copy, x, y);
			ASSERT_EQ(a, PixelAt(over, x, y)) << x << ", " << y;
			ASSERT_EQ(a & 0xffffff, PixelAt(alpha, x, y) & 0xffffff) << x << ", " << y;
			touched += a != kBackground;
		}
	}
	EXPECT_GT(touched, 50);

	// Solid fills: the high colour over, nothing for the low colour over, the low colour
	// when erasing; clipped like any other drawing.
	BBitmap fills(BRect(0, 0, 19, 9), B_RGB32);
	FillBitmap(fills, kBackground);
	Painter painter;
	ASSERT_EQ(B_OK, painter.Attach(&fills));
	BRegion clip(BRect(0, 0, 14, 9));
	painter.SetClipping(&clip);
	painter.SetHighColor(make_color(1, 2, 3, 255));
	painter.SetLowColor(make_color(7, 8, 9, 255));
	painter.SetDrawingMode(B_OP_OVER);
	painter.FillRect(BRect(0, 0, 19, 2));
	painter.FillRect(BRect(0, 3, 19, 5), B_SOLID_LOW);
	painter.SetDrawingMode(B_OP_ERASE);
	painter.FillRect(BRect(0, 6, 19, 9));
	EXPECT_EQ(PixelAt(fills, 0, 0), 0xff010203u);
	EXPECT_EQ(PixelAt(fills, 14, 2), 0xff010203u);
	EXPECT_EQ(PixelAt(fills, 15, 2), kBackground);
	EXPECT_EQ(PixelAt(fills, 5, 4), kBackground);
	EXPECT_EQ(PixelAt(fills, 14, 9), 0xff070809u);
	EXPECT_EQ(PixelAt(fills, 19, 9), kBackground);
}
