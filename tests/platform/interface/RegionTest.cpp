// BRegion algebra, checked against a plain pixel set.

#include <Region.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>

namespace {

typedef std::set<std::pair<int, int>> PixelSet;


PixelSet
Pixels(const BRegion& region)
{
	PixelSet pixels;
	for (int32 i = 0; i < region.CountRects(); i++) {
		clipping_rect rect = region.RectAtInt(i);
		for (int y = rect.top; y <= rect.bottom; y++) {
			for (int x = rect.left; x <= rect.right; x++)
				pixels.insert({ x, y });
		}
	}
	return pixels;
}


PixelSet
Pixels(int left, int top, int right, int bottom)
{
	PixelSet pixels;
	for (int y = top; y <= bottom; y++) {
		for (int x = left; x <= right; x++)
			pixels.insert({ x, y });
	}
	return pixels;
}


// The rectangles never overlap and are sorted top to bottom, left to right.
void
ExpectWellFormed(const BRegion& region)
{
	size_t area = 0;
	for (int32 i = 0; i < region.CountRects(); i++) {
		clipping_rect rect = region.RectAtInt(i);
		ASSERT_LE(rect.left, rect.right);
		ASSERT_LE(rect.top, rect.bottom);
		area += (size_t)(rect.right - rect.left + 1) * (rect.bottom - rect.top + 1);
		if (i > 0) {
			clipping_rect previous = region.RectAtInt(i - 1);
			EXPECT_TRUE(previous.top < rect.top
				|| (previous.top == rect.top && previous.right < rect.left));
		}
	}
	EXPECT_EQ(area, Pixels(region).size());
}

}	// namespace


TEST(RegionTest, IncludeExcludeAndIntersectMatchPixelSets)
{
	BRegion region;
	EXPECT_EQ(region.CountRects(), 0);
	EXPECT_FALSE(region.Frame().IsValid());

	region.Include(BRect(0, 0, 9, 9));
	region.Include(BRect(5, 5, 14, 14));
	PixelSet expected = Pixels(0, 0, 9, 9);
	PixelSet second = Pixels(5, 5, 14, 14);
	expected.insert(second.begin(), second.end());
	EXPECT_EQ(Pixels(region), expected);
	ExpectWellFormed(region);
	EXPECT_EQ(region.Frame(), BRect(0, 0, 14, 14));

	region.Exclude(BRect(3, 3, 11, 11));
	for (const auto& pixel : Pixels(3, 3, 11, 11))
		expected.erase(pixel);
	EXPECT_EQ(Pixels(region), expected);
	ExpectWellFormed(region);
	EXPECT_FALSE(region.Contains(BPoint(5, 5)));
	EXPECT_TRUE(region.Contains(BPoint(1, 1)));
	EXPECT_TRUE(region.Contains(BPoint(13.5f, 13.9f)));
	EXPECT_FALSE(region.Contains(BPoint(12, 2)));
	EXPECT_TRUE(region.Intersects(BRect(10, 0, 20, 4)) == false);
	EXPECT_TRUE(region.Intersects(BRect(9, 0, 20, 4)));

	BRegion other(BRect(0, 0, 4, 14));
	region.IntersectWith(&other);
	PixelSet clipped;
	for (const auto& pixel : expected) {
		if (pixel.first <= 4)
			clipped.insert(pixel);
	}
	EXPECT_EQ(Pixels(region), clipped);
	ExpectWellFormed(region);

	// Including a region, excluding a region, offsetting.
	BRegion a(BRect(0, 0, 2, 2));
	BRegion b(BRect(10, 10, 11, 11));
	a.Include(&b);
	EXPECT_EQ(Pixels(a).size(), 9u + 4u);
	a.Exclude(&b);
	EXPECT_EQ(Pixels(a), Pixels(0, 0, 2, 2));
	a.OffsetBy(5, -1);
	EXPECT_EQ(Pixels(a), Pixels(5, -1, 7, 1));

	// Copies are independent, equal until changed.
	BRegion copy(a);
	EXPECT_TRUE(copy == a);
	copy.MakeEmpty();
	EXPECT_FALSE(copy == a);
	copy = a;
	EXPECT_EQ(Pixels(copy), Pixels(a));

	// Adjacent rectangles merge into the fewest bands.
	BRegion merged;
	merged.Include(BRect(0, 0, 4, 4));
	merged.Include(BRect(5, 0, 9, 4));
	merged.Include(BRect(0, 5, 9, 9));
	EXPECT_EQ(merged.CountRects(), 1);
	EXPECT_EQ(merged.RectAt(0), BRect(0, 0, 9, 9));
}


TEST(RegionTest, FractionalInvalidAndHugeRectangles)
{
	BRegion region;
	// Fractional edges cover every pixel they touch.
	region.Set(BRect(0.5f, 0.2f, 2.3f, 1.0f));
	EXPECT_EQ(Pixels(region), Pixels(0, 0, 3, 1));

	const float nan = std::numeric_limits<float>::quiet_NaN();
	region.Set(BRect(nan, 0, 5, 5));
	EXPECT_EQ(region.CountRects(), 0);
	region.Include(BRect(5, 5, 4, 4));
	EXPECT_EQ(region.CountRects(), 0);
	region.Include(BRect(-1e20f, -1e20f, 1e20f, 1e20f));
	EXPECT_EQ(region.CountRects(), 1);
	EXPECT_TRUE(region.Contains(0, 0));
	EXPECT_TRUE(region.Contains(-100000, 100000));
	region.Exclude(BRect(-10, -10, 10, 10));
	EXPECT_FALSE(region.Contains(0, 0));
	EXPECT_EQ(region.CountRects(), 4);
	EXPECT_EQ(region.RectAt(99), BRect());
	region.IntersectWith(NULL);
	EXPECT_EQ(region.CountRects(), 0);
}


TEST(RegionTest, RandomOperationsAgreeWithPixelSets)
{
	std::mt19937 random(1234);
	std::uniform_int_distribution<int> coordinate(0, 40);
	BRegion region;
	PixelSet expected;
	for (int step = 0; step < 300; step++) {
		int l = coordinate(random);
		int t = coordinate(random);
		int r = l + coordinate(random) / 4;
		int b = t + coordinate(random) / 4;
		PixelSet rect = Pixels(l, t, r, b);
		switch (step % 5) {
			case 0:
			case 1:
			case 2:
				region.Include(BRect(l, t, r, b));
				expected.insert(rect.begin(), rect.end());
				break;
			case 3:
				region.Exclude(BRect(l, t, r, b));
				for (const auto& pixel : rect)
					expected.erase(pixel);
				break;
			case 4:
			{
				BRegion big(BRect(l / 2, t / 2, l / 2 + 30, t / 2 + 30));
				region.IntersectWith(&big);
				PixelSet kept;
				for (const auto& pixel : expected) {
					if (pixel.first >= l / 2 && pixel.first <= l / 2 + 30
						&& pixel.second >= t / 2 && pixel.second <= t / 2 + 30)
						kept.insert(pixel);
				}
				expected = kept;
				break;
			}
		}
		ASSERT_EQ(Pixels(region), expected) << "after step " << step;
	}
	ExpectWellFormed(region);
	for (int y = -1; y <= 82; y += 3) {
		for (int x = -1; x <= 82; x += 3)
			EXPECT_EQ(region.Contains(x, y), expected.count({ x, y }) == 1);
	}
}
