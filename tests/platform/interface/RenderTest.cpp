// Pixel tests of the software renderer: draw into a bitmap, read the pixels back.

#include <Bitmap.h>
#include <Font.h>
#include <Region.h>

#include "interface/render/Painter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <set>
#include <vector>

using BPrivate::Painter;

namespace {

const rgb_color kWhite = { 255, 255, 255, 255 };
const rgb_color kBlack = { 0, 0, 0, 255 };
const rgb_color kRed = { 255, 0, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };


rgb_color
PixelAt(const BBitmap& bitmap, int x, int y)
{
	const uint8* p = (const uint8*)bitmap.Bits() + y * bitmap.BytesPerRow() + x * 4;
	return make_color(p[2], p[1], p[0], p[3]);
}


void
SetPixel(BBitmap& bitmap, int x, int y, rgb_color color)
{
	uint8* p = (uint8*)bitmap.Bits() + y * bitmap.BytesPerRow() + x * 4;
	p[0] = color.blue;
	p[1] = color.green;
	p[2] = color.red;
	p[3] = color.alpha;
}


bool
SameRGB(rgb_color a, rgb_color b)
{
	return a.red == b.red && a.green == b.green && a.blue == b.blue;
}


// A canvas: a bitmap filled white with a painter attached.
struct Canvas {
	BBitmap	bitmap;
	Painter	painter;

	Canvas(int width, int height, color_space space = B_RGB32)
		:
		bitmap(BRect(0, 0, width - 1, height - 1), space)
	{
		Fill(kWhite);
		painter.Attach(&bitmap);
	}

	void Fill(rgb_color color)
	{
		int width = bitmap.Bounds().IntegerWidth() + 1;
		int height = bitmap.Bounds().IntegerHeight() + 1;
		for (int y = 0; y < height; y++) {
			for (int x = 0; x < width; x++)
				SetPixel(bitmap, x, y, color);
		}
	}

	bool IsSet(int x, int y, rgb_color color = kBlack) const
	{
		return SameRGB(PixelAt(bitmap, x, y), color);
	}

	// The pixels that are not white.
	std::set<std::pair<int, int>> Drawn() const
	{
		std::set<std::pair<int, int>> result;
		int width = bitmap.Bounds().IntegerWidth() + 1;
		int height = bitmap.Bounds().IntegerHeight() + 1;
		for (int y = 0; y < height; y++) {
			for (int x = 0; x < width; x++) {
				if (!SameRGB(PixelAt(bitmap, x, y), kWhite))
					result.insert({ x, y });
			}
		}
		return result;
	}
};

}	// namespace


TEST(RenderTest, LinesIncludeBothEndPointsAndFollowTheR5PixelRules)
{
	Canvas canvas(20, 20);
	Painter& painter = canvas.painter;

	painter.StrokeLine(BPoint(2, 3), BPoint(9, 3));
	std::set<std::pair<int, int>> expected;
	for (int x = 2; x <= 9; x++)
		expected.insert({ x, 3 });
	EXPECT_EQ(canvas.Drawn(), expected);

	canvas.Fill(kWhite);
	painter.StrokeLine(BPoint(5, 12), BPoint(5, 4));
	expected.clear();
	for (int y = 4; y <= 12; y++)
		expected.insert({ 5, y });
	EXPECT_EQ(canvas.Drawn(), expected);

	canvas.Fill(kWhite);
	painter.StrokeLine(BPoint(1, 1), BPoint(6, 6));
	expected.clear();
	for (int i = 1; i <= 6; i++)
		expected.insert({ i, i });
	EXPECT_EQ(canvas.Drawn(), expected);

	// A shallow line: one pixel per column, both ends exact, connected.
	canvas.Fill(kWhite);
	painter.StrokeLine(BPoint(0, 0), BPoint(10, 3));
	std::set<std::pair<int, int>> drawn = canvas.Drawn();
	EXPECT_EQ(drawn.size(), 11u);
	EXPECT_TRUE(canvas.IsSet(0, 0));
	EXPECT_TRUE(canvas.IsSet(10, 3));

	// A single point.
	canvas.Fill(kWhite);
	painter.StrokeLine(BPoint(7, 7), BPoint(7, 7));
	EXPECT_EQ(canvas.Drawn(), (std::set<std::pair<int, int>>{ { 7, 7 } }));

	// Coordinates are rounded to the nearest pixel centre.
	canvas.Fill(kWhite);
	painter.StrokeLine(BPoint(2.4f, 8.6f), BPoint(4.4f, 8.6f));
	EXPECT_EQ(canvas.Drawn(), (std::set<std::pair<int, int>>{ { 2, 9 }, { 3, 9 }, { 4, 9 } }));

	// A wider pen draws a band of that width.
	canvas.Fill(kWhite);
	painter.SetPenSize(3);
	painter.StrokeLine(BPoint(2, 10), BPoint(12, 10));
	EXPECT_TRUE(canvas.IsSet(2, 9) && canvas.IsSet(12, 11) && canvas.IsSet(7, 10));
	EXPECT_FALSE(canvas.IsSet(7, 8));
	EXPECT_FALSE(canvas.IsSet(7, 12));
	EXPECT_EQ(canvas.Drawn().size(), 33u);
	canvas.Fill(kWhite);
	painter.StrokeLine(BPoint(2, 2), BPoint(15, 15));
	EXPECT_TRUE(canvas.IsSet(8, 8));
	EXPECT_TRUE(canvas.IsSet(9, 8) || canvas.IsSet(8, 9));
	EXPECT_FALSE(canvas.IsSet(15, 2));
}


TEST(RenderTest, RectanglesAreInclusiveAndOriginMovesDrawing)
{
	Canvas canvas(20, 20);
	Painter& painter = canvas.painter;

	painter.FillRect(BRect(2, 3, 5, 7));
	std::set<std::pair<int, int>> drawn = canvas.Drawn();
	EXPECT_EQ(drawn.size(), 4u * 5u);
	EXPECT_TRUE(canvas.IsSet(2, 3));
	EXPECT_TRUE(canvas.IsSet(5, 7));
	EXPECT_FALSE(canvas.IsSet(6, 7));
	EXPECT_FALSE(canvas.IsSet(5, 8));

	canvas.Fill(kWhite);
	painter.StrokeRect(BRect(1, 1, 8, 6));
	drawn = canvas.Drawn();
	EXPECT_EQ(drawn.size(), 2u * 8u + 2u * 4u);
	EXPECT_TRUE(canvas.IsSet(1, 1) && canvas.IsSet(8, 1) && canvas.IsSet(1, 6)
		&& canvas.IsSet(8, 6));
	EXPECT_FALSE(canvas.IsSet(4, 3));

	// A zero-width rectangle is one column; an invalid one draws nothing.
	canvas.Fill(kWhite);
	painter.FillRect(BRect(3, 3, 3, 5));
	EXPECT_EQ(canvas.Drawn().size(), 3u);
	canvas.Fill(kWhite);
	painter.FillRect(BRect(5, 5, 4, 9));
	EXPECT_TRUE(canvas.Drawn().empty());

	// The origin shifts every drawing call.
	canvas.Fill(kWhite);
	painter.SetOrigin(BPoint(10, 5));
	painter.FillRect(BRect(0, 0, 1, 1));
	EXPECT_EQ(canvas.Drawn(), (std::set<std::pair<int, int>>{ { 10, 5 }, { 11, 5 },
		{ 10, 6 }, { 11, 6 } }));

	// A wider pen centres the edges on the outline.
	canvas.Fill(kWhite);
	painter.SetOrigin(BPoint(0, 0));
	painter.SetPenSize(3);
	painter.StrokeRect(BRect(5, 5, 14, 14));
	EXPECT_TRUE(canvas.IsSet(4, 4) && canvas.IsSet(6, 6) && canvas.IsSet(15, 15));
	EXPECT_FALSE(canvas.IsSet(7, 7));
	EXPECT_FALSE(canvas.IsSet(3, 3));
}


TEST(RenderTest, NothingIsDrawnOutsideTheClipOrTheBuffer)
{
	// The painter draws into a 20 x 20 window in the middle of a 40 x 40 bitmap; the
	// frame around it must stay untouched whatever the coordinates.
	BBitmap bitmap(BRect(0, 0, 39, 39), B_RGB32);
	memset(bitmap.Bits(), 0xff, bitmap.BitsLength());
	Painter painter;
	uint8* window = (uint8*)bitmap.Bits() + 10 * bitmap.BytesPerRow() + 10 * 4;
	ASSERT_EQ(painter.Attach(window, 20, 20, bitmap.BytesPerRow()), B_OK);

	BRegion clip;
	clip.Include(BRect(0, 0, 9, 9));
	clip.Include(BRect(12, 12, 19, 15));
	painter.SetClipping(&clip);

	const float nan = std::numeric_limits<float>::quiet_NaN();
	const float inf = std::numeric_limits<float>::infinity();
	painter.FillRect(BRect(-1e9f, -1e9f, 1e9f, 1e9f));
	painter.StrokeLine(BPoint(-1e9f, -5e8f), BPoint(1e9f, 7e8f));
	painter.StrokeLine(BPoint(nan, 0), BPoint(5, 5));
	painter.FillRect(BRect(nan, 0, 5, 5));
	painter.FillRect(BRect(-inf, -inf, inf, inf));
	painter.FillEllipse(BRect(-100, -100, 300, 300));
	painter.StrokeEllipse(BRect(-1e9f, -1e9f, 1e9f, 1e9f));
	painter.FillRoundRect(BRect(-50, -50, 70, 70), 1e9f, nan);
	painter.FillTriangle(BPoint(-1e9f, 0), BPoint(1e9f, 5), BPoint(0, 1e9f));
	painter.FillArc(BRect(-40, -40, 60, 60), 10, 300);
	painter.SetPenSize(1e9f);
	painter.StrokeLine(BPoint(0, 0), BPoint(19, 19));
	painter.StrokeRect(BRect(0, 0, 19, 19));
	painter.SetPenSize(1);
	painter.CopyBits(BRect(-100, -100, 100, 100), BRect(-90, -90, 110, 110));
	BPoint polygon[4] = { BPoint(-5, -5), BPoint(1e30f, 3), BPoint(4, inf), BPoint(2, 2) };
	painter.FillPolygon(polygon, 4);
	painter.DrawString("clip me please", 14, BPoint(-3, 12));
	BBitmap source(BRect(0, 0, 3, 3), B_RGB32);
	painter.DrawBitmap(&source, BRect(0, 0, 3, 3), BRect(-1000, -1000, 1000, 1000));
	painter.DrawBitmap(&source, BRect(-50, -50, 80, 80), BRect(0, 0, 19, 19));

	for (int y = 0; y < 40; y++) {
		for (int x = 0; x < 40; x++) {
			bool inside = x >= 10 && x < 30 && y >= 10 && y < 30
				&& clip.Contains(x - 10, y - 10);
			rgb_color color = PixelAt(bitmap, x, y);
			if (!inside) {
				EXPECT_TRUE(SameRGB(color, kWhite)) << "pixel drawn outside at " << x << ","
					<< y;
			}
		}
	}
	// And the clipped area did receive the big fill.
	EXPECT_FALSE(SameRGB(PixelAt(bitmap, 10, 10), kWhite));
	EXPECT_FALSE(SameRGB(PixelAt(bitmap, 29, 25), kWhite));
}


TEST(RenderTest, DrawingModesFollowR5)
{
	Canvas canvas(8, 8);
	Painter& painter = canvas.painter;
	rgb_color grey = make_color(100, 100, 100);
	rgb_color dark = make_color(40, 60, 80);

	// B_OP_COPY with B_MIXED_COLORS writes both colours; B_OP_OVER only the high colour.
	painter.SetHighColor(kRed);
	painter.SetLowColor(kBlue);
	painter.FillRect(BRect(0, 0, 1, 0), B_MIXED_COLORS);
	EXPECT_TRUE(canvas.IsSet(0, 0, kRed));
	EXPECT_TRUE(canvas.IsSet(1, 0, kBlue));
	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_OVER);
	painter.FillRect(BRect(0, 0, 1, 0), B_MIXED_COLORS);
	EXPECT_TRUE(canvas.IsSet(0, 0, kRed));
	EXPECT_TRUE(canvas.IsSet(1, 0, kWhite));

	// B_OP_ERASE paints the low colour where the pattern is high.
	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_ERASE);
	painter.FillRect(BRect(0, 0, 0, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, kBlue));

	// B_OP_INVERT, and InvertRect in any mode.
	canvas.Fill(grey);
	painter.SetDrawingMode(B_OP_INVERT);
	painter.FillRect(BRect(0, 0, 0, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, make_color(155, 155, 155)));
	painter.SetDrawingMode(B_OP_COPY);
	painter.InvertRect(BRect(0, 0, 1, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, grey));
	EXPECT_TRUE(canvas.IsSet(1, 0, make_color(155, 155, 155)));

	// Saturating arithmetic.
	canvas.Fill(grey);
	painter.SetHighColor(make_color(200, 50, 0));
	painter.SetDrawingMode(B_OP_ADD);
	painter.FillRect(BRect(0, 0, 0, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, make_color(255, 150, 100)));
	painter.SetDrawingMode(B_OP_SUBTRACT);
	painter.FillRect(BRect(1, 0, 1, 0));
	EXPECT_TRUE(canvas.IsSet(1, 0, make_color(0, 50, 100)));
	painter.SetDrawingMode(B_OP_BLEND);
	painter.FillRect(BRect(2, 0, 2, 0));
	EXPECT_TRUE(canvas.IsSet(2, 0, make_color(150, 75, 50)));

	// B_OP_MIN keeps the darker, B_OP_MAX the lighter colour.
	canvas.Fill(grey);
	painter.SetHighColor(dark);
	painter.SetDrawingMode(B_OP_MIN);
	painter.FillRect(BRect(0, 0, 0, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, dark));
	painter.SetHighColor(kWhite);
	painter.FillRect(BRect(1, 0, 1, 0));
	EXPECT_TRUE(canvas.IsSet(1, 0, grey));
	painter.SetDrawingMode(B_OP_MAX);
	painter.FillRect(BRect(2, 0, 2, 0));
	EXPECT_TRUE(canvas.IsSet(2, 0, kWhite));
	painter.SetHighColor(dark);
	painter.FillRect(BRect(3, 0, 3, 0));
	EXPECT_TRUE(canvas.IsSet(3, 0, grey));

	// B_OP_SELECT swaps the high and low colours and leaves others alone.
	canvas.Fill(kWhite);
	SetPixel(canvas.bitmap, 0, 0, kRed);
	SetPixel(canvas.bitmap, 1, 0, kBlue);
	painter.SetHighColor(kRed);
	painter.SetLowColor(kBlue);
	painter.SetDrawingMode(B_OP_SELECT);
	painter.FillRect(BRect(0, 0, 2, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, kBlue));
	EXPECT_TRUE(canvas.IsSet(1, 0, kRed));
	EXPECT_TRUE(canvas.IsSet(2, 0, kWhite));

	// B_OP_ALPHA with the high colour's alpha, constant or per pixel.
	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_ALPHA);
	painter.SetHighColor(make_color(0, 0, 0, 128));
	painter.SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_OVERLAY);
	painter.FillRect(BRect(0, 0, 0, 0));
	rgb_color half = PixelAt(canvas.bitmap, 0, 0);
	EXPECT_NEAR(half.red, 127, 1);
	painter.SetBlendingMode(B_PIXEL_ALPHA, B_ALPHA_OVERLAY);
	painter.SetHighColor(make_color(0, 0, 0, 0));
	painter.FillRect(BRect(1, 0, 1, 0));
	EXPECT_TRUE(canvas.IsSet(1, 0, kWhite));
}


TEST(RenderTest, BitmapsDrawWithTransparencyAlphaAndScaling)
{
	// A 2 x 2 source: red, transparent magic, blue at half alpha, black.
	BBitmap source(BRect(0, 0, 1, 1), B_RGBA32);
	SetPixel(source, 0, 0, kRed);
	SetPixel(source, 1, 0, B_TRANSPARENT_COLOR);
	SetPixel(source, 0, 1, make_color(0, 0, 255, 128));
	SetPixel(source, 1, 1, kBlack);

	Canvas canvas(8, 8);
	Painter& painter = canvas.painter;
	painter.DrawBitmap(&source, BPoint(2, 2));
	EXPECT_TRUE(canvas.IsSet(2, 2, kRed));
	EXPECT_TRUE(canvas.IsSet(3, 2, B_TRANSPARENT_COLOR));
	EXPECT_TRUE(canvas.IsSet(2, 3, kBlue));
	EXPECT_TRUE(canvas.IsSet(3, 3, kBlack));

	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_OVER);
	painter.DrawBitmap(&source, BPoint(2, 2));
	EXPECT_TRUE(canvas.IsSet(3, 2, kWhite));
	EXPECT_TRUE(canvas.IsSet(2, 2, kRed));

	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_ALPHA);
	painter.SetBlendingMode(B_PIXEL_ALPHA, B_ALPHA_OVERLAY);
	painter.DrawBitmap(&source, BPoint(2, 2));
	rgb_color blended = PixelAt(canvas.bitmap, 2, 3);
	EXPECT_NEAR(blended.red, 127, 1);
	EXPECT_EQ(blended.blue, 255);
	EXPECT_TRUE(canvas.IsSet(3, 2, kWhite));
	EXPECT_TRUE(canvas.IsSet(2, 2, kRed));

	// B_OP_MIN as the bitmap buttons draw their icons: only darker pixels show.
	canvas.Fill(make_color(128, 128, 128));
	BBitmap icon(BRect(0, 0, 1, 0), B_RGB32);
	SetPixel(icon, 0, 0, kWhite);
	SetPixel(icon, 1, 0, kBlack);
	painter.SetDrawingMode(B_OP_MIN);
	painter.DrawBitmap(&icon, BPoint(0, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, make_color(128, 128, 128)));
	EXPECT_TRUE(canvas.IsSet(1, 0, kBlack));

	// Scaling by nearest neighbour: 2 x 2 into 4 x 4.
	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_COPY);
	painter.DrawBitmap(&source, source.Bounds(), BRect(0, 0, 3, 3));
	EXPECT_TRUE(canvas.IsSet(0, 0, kRed) && canvas.IsSet(1, 1, kRed));
	EXPECT_TRUE(canvas.IsSet(3, 3, kBlack) && canvas.IsSet(2, 2, kBlack));
	EXPECT_TRUE(canvas.IsSet(0, 3, kBlue));

	// Indexed and grey sources.
	BBitmap grey(BRect(0, 0, 0, 0), B_GRAY8);
	*(uint8*)grey.Bits() = 77;
	painter.DrawBitmap(&grey, BPoint(5, 5));
	EXPECT_TRUE(canvas.IsSet(5, 5, make_color(77, 77, 77)));
	BBitmap indexed(BRect(0, 0, 1, 0), B_CMAP8);
	((uint8*)indexed.Bits())[0] = 0;
	((uint8*)indexed.Bits())[1] = B_TRANSPARENT_MAGIC_CMAP8;
	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_OVER);
	painter.DrawBitmap(&indexed, BPoint(0, 0));
	EXPECT_TRUE(canvas.IsSet(0, 0, kBlack));
	EXPECT_TRUE(canvas.IsSet(1, 0, kWhite));
}


TEST(RenderTest, EllipsesTrianglesArcsAndRoundRectsCoverTheirShapes)
{
	Canvas canvas(24, 24);
	Painter& painter = canvas.painter;

	painter.FillEllipse(BRect(2, 2, 12, 12));
	EXPECT_TRUE(canvas.IsSet(7, 7));
	// It touches all four sides of its rectangle, at their middles.
	EXPECT_TRUE(canvas.IsSet(7, 2) && canvas.IsSet(7, 12) && canvas.IsSet(2, 7)
		&& canvas.IsSet(12, 7));
	EXPECT_FALSE(canvas.IsSet(2, 2) || canvas.IsSet(12, 12) || canvas.IsSet(12, 2));
	for (const auto& pixel : canvas.Drawn()) {
		EXPECT_TRUE(pixel.first >= 2 && pixel.first <= 12 && pixel.second >= 2
			&& pixel.second <= 12);
	}
	size_t filled = canvas.Drawn().size();
	// Roughly pi * 5.5^2 pixels.
	EXPECT_GT(filled, 80u);
	EXPECT_LT(filled, 110u);

	// The outline is a closed ring: the same extreme points, the centre empty.
	canvas.Fill(kWhite);
	painter.StrokeEllipse(BRect(2, 2, 12, 12));
	EXPECT_TRUE(canvas.IsSet(7, 2) && canvas.IsSet(2, 7) && canvas.IsSet(12, 7));
	EXPECT_FALSE(canvas.IsSet(7, 7));
	EXPECT_LT(canvas.Drawn().size(), filled / 2);

	// A filled triangle covers its corners and its inside, nothing beyond.
	canvas.Fill(kWhite);
	painter.FillTriangle(BPoint(2, 2), BPoint(20, 2), BPoint(2, 20));
	EXPECT_TRUE(canvas.IsSet(2, 2) && canvas.IsSet(20, 2) && canvas.IsSet(2, 20));
	EXPECT_TRUE(canvas.IsSet(6, 6));
	EXPECT_FALSE(canvas.IsSet(15, 15));
	EXPECT_FALSE(canvas.IsSet(21, 2));
	std::set<std::pair<int, int>> fill = canvas.Drawn();
	canvas.Fill(kWhite);
	painter.StrokeTriangle(BPoint(2, 2), BPoint(20, 2), BPoint(2, 20));
	for (const auto& pixel : canvas.Drawn())
		EXPECT_TRUE(fill.count(pixel)) << "outline pixel not filled " << pixel.first;

	// B_OP_INVERT touches each pixel of a filled triangle once.
	canvas.Fill(kWhite);
	painter.SetDrawingMode(B_OP_INVERT);
	painter.FillTriangle(BPoint(2, 2), BPoint(20, 2), BPoint(2, 20));
	EXPECT_EQ(canvas.Drawn(), fill);
	painter.SetDrawingMode(B_OP_COPY);

	// A quarter arc from 0 to 90 degrees lies in the upper right quarter.
	canvas.Fill(kWhite);
	painter.FillArc(BRect(2, 2, 20, 20), 0, 90);
	EXPECT_TRUE(canvas.IsSet(15, 6));
	EXPECT_FALSE(canvas.IsSet(6, 15));
	EXPECT_FALSE(canvas.IsSet(6, 6));
	EXPECT_FALSE(canvas.IsSet(15, 15));

	// Round rectangles lose their corners but keep their edges.
	canvas.Fill(kWhite);
	painter.FillRoundRect(BRect(2, 2, 20, 14), 4, 4);
	EXPECT_FALSE(canvas.IsSet(2, 2));
	EXPECT_TRUE(canvas.IsSet(11, 2) && canvas.IsSet(2, 8) && canvas.IsSet(20, 8)
		&& canvas.IsSet(11, 14));
	canvas.Fill(kWhite);
	painter.StrokeRoundRect(BRect(2, 2, 20, 14), 4, 4);
	EXPECT_TRUE(canvas.IsSet(11, 2) && canvas.IsSet(2, 8));
	EXPECT_FALSE(canvas.IsSet(11, 8));
}


TEST(RenderTest, RegionsFillAndCopyBitsMovesPixels)
{
	Canvas canvas(10, 10);
	Painter& painter = canvas.painter;
	BRegion region;
	region.Include(BRect(0, 0, 1, 1));
	region.Include(BRect(5, 5, 5, 6));
	painter.SetOrigin(BPoint(1, 1));
	painter.FillRegion(&region);
	EXPECT_EQ(canvas.Drawn(), (std::set<std::pair<int, int>>{ { 1, 1 }, { 2, 1 }, { 1, 2 },
		{ 2, 2 }, { 6, 6 }, { 6, 7 } }));

	painter.SetOrigin(BPoint(0, 0));
	painter.CopyBits(BRect(1, 1, 2, 2), BRect(3, 1, 4, 2));
	EXPECT_TRUE(canvas.IsSet(3, 1) && canvas.IsSet(4, 2));
	EXPECT_TRUE(canvas.IsSet(1, 1));
	// Overlapping copies (scrolling) move the content intact.
	painter.CopyBits(BRect(0, 0, 9, 8), BRect(0, 1, 9, 9));
	EXPECT_TRUE(canvas.IsSet(1, 2) && canvas.IsSet(2, 3) && canvas.IsSet(6, 8));
}


TEST(RenderTest, TextAdvancesByItsWidthAndSitsOnTheBaseline)
{
	Canvas canvas(120, 40);
	Painter& painter = canvas.painter;
	BFont font(be_plain_font);
	font.SetSize(20);
	painter.SetFont(font);

	BPoint end = painter.DrawString("Hello", 5, BPoint(5, 30));
	EXPECT_FLOAT_EQ(end.x - 5, font.StringWidth("Hello"));
	EXPECT_FLOAT_EQ(end.y, 30);
	EXPECT_GT(end.x - 5, 20);

	font_height height;
	font.GetHeight(&height);
	std::set<std::pair<int, int>> drawn = canvas.Drawn();
	ASSERT_FALSE(drawn.empty());
	int top = 100;
	int bottom = -1;
	int left = 1000;
	int right = -1;
	for (const auto& pixel : drawn) {
		top = std::min(top, pixel.second);
		bottom = std::max(bottom, pixel.second);
		left = std::min(left, pixel.first);
		right = std::max(right, pixel.first);
	}
	// "Hello" has no descenders: everything sits on or above the baseline, and the capital
	// H reaches up to roughly the cap height, below the ascent.
	EXPECT_LE(bottom, 30);
	EXPECT_GE(bottom, 28);
	EXPECT_GE(top, 30 - (int)std::ceil(height.ascent));
	EXPECT_LE(top, 30 - 10);
	EXPECT_GE(left, 5);
	EXPECT_LE(right, (int)std::ceil(end.x));

	// Escapement deltas widen the spaces.
	escapement_delta delta = { 0, 10 };
	BPoint wide = painter.DrawString("a b", 3, BPoint(0, 10), &delta);
	EXPECT_FLOAT_EQ(wide.x, font.StringWidth("a b") + 10);

	// Text blends over what is below, in B_OP_COPY too: the glyph box is not filled.
	canvas.Fill(kBlue);
	painter.SetHighColor(kRed);
	painter.DrawString("o", 1, BPoint(10, 30));
	EXPECT_TRUE(canvas.IsSet(0, 0, kBlue));
	int redPixels = 0;
	for (int y = 10; y <= 30; y++) {
		for (int x = 10; x < 30; x++) {
			if (canvas.IsSet(x, y, kRed))
				redPixels++;
		}
	}
	EXPECT_GT(redPixels, 5);
	EXPECT_TRUE(canvas.IsSet(10 + (int)(font.StringWidth("o") / 2), 30 - 5, kBlue))
		<< "the inside of the o keeps the colour below";
}


TEST(RenderTest, AliasedTextHasTwoColoursAndBadBytesStillDraw)
{
	Canvas canvas(200, 30);
	Painter& painter = canvas.painter;
	BFont font(be_plain_font);
	font.SetSize(14);
	font.SetFlags(B_DISABLE_ANTIALIASING);
	painter.SetFont(font);
	painter.DrawString("Quorrel aliased", 15, BPoint(2, 20));

	std::set<uint32> colours;
	for (int y = 0; y < 30; y++) {
		for (int x = 0; x < 200; x++) {
			rgb_color c = PixelAt(canvas.bitmap, x, y);
			colours.insert((uint32)c.red << 16 | (uint32)c.green << 8 | c.blue);
		}
	}
	EXPECT_EQ(colours.size(), 2u);

	// Antialiased text has in-between shades.
	canvas.Fill(kWhite);
	font.SetFlags(0);
	painter.SetFont(font);
	painter.DrawString("Quorrel smooth", 14, BPoint(2, 20));
	colours.clear();
	for (int y = 0; y < 30; y++) {
		for (int x = 0; x < 200; x++) {
			rgb_color c = PixelAt(canvas.bitmap, x, y);
			colours.insert((uint32)c.red << 16 | (uint32)c.green << 8 | c.blue);
		}
	}
	EXPECT_GT(colours.size(), 2u);

	// Invalid UTF-8 (a lone continuation byte, a truncated sequence, an overlong form)
	// draws replacement glyphs and advances like them.
	canvas.Fill(kWhite);
	const char bad[] = "a\x80" "b\xe2\x82" "\xc0\xaf";
	BPoint end = painter.DrawString(bad, (int32)strlen(bad), BPoint(2, 20));
	EXPECT_FLOAT_EQ(end.x - 2, font.StringWidth(bad));
	EXPECT_GT(font.StringWidth(bad), font.StringWidth("ab"));
	EXPECT_FALSE(canvas.Drawn().empty());
	// The length limits the text, and a NUL ends it early.
	EXPECT_FLOAT_EQ(font.StringWidth("abc", 2), font.StringWidth("ab"));
	EXPECT_FLOAT_EQ(font.StringWidth("ab\0cd", 5), font.StringWidth("ab"));
}


TEST(RenderTest, AttachRefusesUnusableTargets)
{
	Painter painter;
	uint32 pixel = 0;
	EXPECT_EQ(painter.Attach(NULL, 1, 1, 4), B_BAD_VALUE);
	EXPECT_EQ(painter.Attach(&pixel, 2, 1, 4), B_BAD_VALUE);
	EXPECT_EQ(painter.Attach(&pixel, 1, 1, 4, B_CMAP8), B_BAD_VALUE);
	BBitmap invalid(BRect(0, 0, -5, -5), B_RGB32);
	EXPECT_EQ(painter.Attach(&invalid), B_BAD_VALUE);
	EXPECT_FALSE(painter.IsAttached());
	// Drawing while detached does nothing and does not crash.
	painter.FillRect(BRect(0, 0, 10, 10));
	painter.DrawString("x", 1, BPoint(0, 0));
	EXPECT_EQ(painter.Attach(&pixel, 1, 1, 4), B_OK);
	painter.FillRect(BRect(0, 0, 10, 10));
	EXPECT_EQ(pixel, 0xff000000u);
}


TEST(RenderTest, RandomShapesStayInsideTheClip)
{
	// Many shapes with random, often extreme, coordinates in every mode; a guard frame
	// around the target and the area outside the clip must stay untouched.
	BBitmap bitmap(BRect(0, 0, 59, 59), B_RGB32);
	memset(bitmap.Bits(), 0xff, bitmap.BitsLength());
	Painter painter;
	uint8* window = (uint8*)bitmap.Bits() + 10 * bitmap.BytesPerRow() + 10 * 4;
	ASSERT_EQ(painter.Attach(window, 40, 40, bitmap.BytesPerRow()), B_OK);
	BRegion clip(BRect(5, 5, 34, 20));
	clip.Include(BRect(0, 25, 39, 30));
	clip.Exclude(BRect(10, 10, 12, 12));
	painter.SetClipping(&clip);

	std::mt19937 random(99);
	const float specials[] = { 0, -1, 39, 40, 1e9f, -1e9f, 1e30f, -1e30f,
		std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
		std::numeric_limits<float>::quiet_NaN(), 0.5f, -0.5f, 20.3f };
	auto coordinate = [&]() -> float {
		if (random() % 3 == 0)
			return specials[random() % (sizeof(specials) / sizeof(specials[0]))];
		return (float)((int)(random() % 120) - 40) + (random() % 2 ? 0.5f : 0.0f);
	};
	BBitmap source(BRect(0, 0, 3, 2), B_RGBA32);
	memset(source.Bits(), 0x40, source.BitsLength());

	for (int i = 0; i < 2000; i++) {
		painter.SetDrawingMode((drawing_mode)(random() % 11));
		painter.SetPenSize(random() % 4 == 0 ? coordinate() : 1);
		painter.SetOrigin(BPoint(random() % 5 == 0 ? coordinate() : 0, 0));
		painter.SetHighColor(make_color(random() % 256, 0, 0, random() % 256));
		BRect rect(coordinate(), coordinate(), coordinate(), coordinate());
		BPoint a(coordinate(), coordinate());
		BPoint b(coordinate(), coordinate());
		BPoint c(coordinate(), coordinate());
		switch (random() % 12) {
			case 0: painter.StrokeLine(a, b, B_MIXED_COLORS); break;
			case 1: painter.FillRect(rect); break;
			case 2: painter.StrokeRect(rect); break;
			case 3: painter.FillEllipse(rect); break;
			case 4: painter.StrokeEllipse(rect); break;
			case 5: painter.FillArc(rect, coordinate(), coordinate()); break;
			case 6: painter.FillRoundRect(rect, coordinate(), coordinate()); break;
			case 7: painter.StrokeRoundRect(rect, coordinate(), coordinate()); break;
			case 8: painter.FillTriangle(a, b, c); break;
			case 9: painter.DrawBitmap(&source, BRect(coordinate(), coordinate(),
				coordinate(), coordinate()), rect); break;
			case 10: painter.DrawString("Wg", 2, a); break;
			case 11: painter.CopyBits(rect, rect.OffsetByCopy(b.x, b.y)); break;
		}
	}

	int outside = 0;
	int changed = 0;
	for (int y = 0; y < 60; y++) {
		for (int x = 0; x < 60; x++) {
			bool inside = x >= 10 && x < 50 && y >= 10 && y < 50
				&& clip.Contains(x - 10, y - 10);
			bool white = SameRGB(PixelAt(bitmap, x, y), kWhite);
			if (!inside && !white)
				outside++;
			if (inside && !white)
				changed++;
		}
	}
	EXPECT_EQ(outside, 0);
	EXPECT_GT(changed, 100);
}
