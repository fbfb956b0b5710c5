#include <Region.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

enum {
	kUnion = 0,
	kIntersect,
	kSubtract
};

// Half-open interval [start, end) of pixel columns.
struct Interval {
	int32	start;
	int32	end;

	bool operator==(const Interval& other) const
		{ return start == other.start && end == other.end; }
};

// One band: the rows [top, bottom) share the same columns.
struct Band {
	int32					top;
	int32					bottom;
	std::vector<Interval>	intervals;
};

const int32 kCoordinateLimit = 1 << 30;


int32
ClampCoordinate(double value)
{
	if (value < -kCoordinateLimit)
		return -kCoordinateLimit;
	if (value > kCoordinateLimit)
		return kCoordinateLimit;
	return (int32)value;
}


bool
ToClippingRect(BRect rect, clipping_rect& result)
{
	if (std::isnan(rect.left) || std::isnan(rect.top) || std::isnan(rect.right)
		|| std::isnan(rect.bottom) || !rect.IsValid())
		return false;
	result.left = ClampCoordinate(std::floor(rect.left));
	result.top = ClampCoordinate(std::floor(rect.top));
	result.right = ClampCoordinate(std::ceil(rect.right));
	result.bottom = ClampCoordinate(std::ceil(rect.bottom));
	return true;
}


bool
IsValid(const clipping_rect& rect)
{
	return rect.left <= rect.right && rect.top <= rect.bottom;
}


std::vector<Band>
ToBands(const std::vector<clipping_rect>& rects)
{
	std::vector<Band> bands;
	for (const clipping_rect& rect : rects) {
		if (bands.empty() || bands.back().top != rect.top) {
			Band band;
			band.top = rect.top;
			band.bottom = rect.bottom + 1;
			bands.push_back(band);
		}
		bands.back().intervals.push_back(Interval{ rect.left, rect.right + 1 });
	}
	return bands;
}


// The intervals of the bands that cover the rows starting at y; index walks forward.
const std::vector<Interval>*
IntervalsAt(const std::vector<Band>& bands, size_t& index, int32 y)
{
	while (index < bands.size() && bands[index].bottom <= y)
		index++;
	if (index < bands.size() && bands[index].top <= y)
		return &bands[index].intervals;
	return NULL;
}


void
CombineIntervals(const std::vector<Interval>* a, const std::vector<Interval>* b, int op,
	std::vector<Interval>& result)
{
	result.clear();
	static const std::vector<Interval> kNone;
	const std::vector<Interval>& first = a != NULL ? *a : kNone;
	const std::vector<Interval>& second = b != NULL ? *b : kNone;

	// Sweep over the edges of both lists, tracking whether each side is inside.
	std::vector<std::pair<int32, int>> edges;
	edges.reserve((first.size() + second.size()) * 2);
	for (const Interval& interval : first) {
		edges.push_back({ interval.start, 1 });
		edges.push_back({ interval.end, -1 });
	}
	for (const Interval& interval : second) {
		edges.push_back({ interval.start, 2 });
		edges.push_back({ interval.end, -2 });
	}
	std::sort(edges.begin(), edges.end());

	bool insideA = false;
	bool insideB = false;
	bool wasInside = false;
	int32 start = 0;
	size_t i = 0;
	while (i < edges.size()) {
		int32 x = edges[i].first;
		while (i < edges.size() && edges[i].first == x) {
			switch (edges[i].second) {
				case 1: insideA = true; break;
				case -1: insideA = false; break;
				case 2: insideB = true; break;
				case -2: insideB = false; break;
			}
			i++;
		}
		bool inside;
		if (op == kUnion)
			inside = insideA || insideB;
		else if (op == kIntersect)
			inside = insideA && insideB;
		else
			inside = insideA && !insideB;
		if (inside && !wasInside)
			start = x;
		else if (!inside && wasInside && x > start)
			result.push_back(Interval{ start, x });
		wasInside = inside;
	}
}

}	// namespace


BRegion::BRegion()
{
	_UpdateFrame();
}


BRegion::BRegion(const BRegion& other)
	:
	fRects(other.fRects),
	fFrame(other.fFrame)
{
}


BRegion::BRegion(BRect rect)
{
	Set(rect);
}


BRegion::~BRegion()
{
}


BRegion&
BRegion::operator=(const BRegion& other)
{
	if (this != &other) {
		fRects = other.fRects;
		fFrame = other.fFrame;
	}
	return *this;
}


bool
BRegion::operator==(const BRegion& other) const
{
	if (fRects.size() != other.fRects.size())
		return false;
	for (size_t i = 0; i < fRects.size(); i++) {
		const clipping_rect& a = fRects[i];
		const clipping_rect& b = other.fRects[i];
		if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom)
			return false;
	}
	return true;
}


void
BRegion::Set(BRect rect)
{
	clipping_rect clip;
	if (!ToClippingRect(rect, clip)) {
		MakeEmpty();
		return;
	}
	Set(clip);
}


void
BRegion::Set(clipping_rect rect)
{
	fRects.clear();
	if (IsValid(rect))
		fRects.push_back(rect);
	_UpdateFrame();
}


void
BRegion::MakeEmpty()
{
	fRects.clear();
	_UpdateFrame();
}


BRect
BRegion::Frame() const
{
	if (fRects.empty())
		return BRect();
	return BRect(fFrame.left, fFrame.top, fFrame.right, fFrame.bottom);
}


clipping_rect
BRegion::FrameInt() const
{
	return fFrame;
}


int32
BRegion::CountRects() const
{
	return (int32)fRects.size();
}


BRect
BRegion::RectAt(int32 index) const
{
	if (index < 0 || index >= (int32)fRects.size())
		return BRect();
	const clipping_rect& rect = fRects[index];
	return BRect(rect.left, rect.top, rect.right, rect.bottom);
}


clipping_rect
BRegion::RectAtInt(int32 index) const
{
	if (index < 0 || index >= (int32)fRects.size())
		return clipping_rect{ 0, 0, -1, -1 };
	return fRects[index];
}


bool
BRegion::Intersects(BRect rect) const
{
	clipping_rect clip;
	if (!ToClippingRect(rect, clip))
		return false;
	return Intersects(clip);
}


bool
BRegion::Intersects(clipping_rect rect) const
{
	if (!IsValid(rect) || fRects.empty())
		return false;
	if (rect.right < fFrame.left || rect.left > fFrame.right || rect.bottom < fFrame.top
		|| rect.top > fFrame.bottom)
		return false;
	for (const clipping_rect& own : fRects) {
		if (own.top > rect.bottom)
			break;
		if (own.right >= rect.left && own.left <= rect.right && own.bottom >= rect.top
			&& own.top <= rect.bottom)
			return true;
	}
	return false;
}


bool
BRegion::Contains(BPoint point) const
{
	if (std::isnan(point.x) || std::isnan(point.y))
		return false;
	return Contains(ClampCoordinate(std::floor(point.x)),
		ClampCoordinate(std::floor(point.y)));
}


bool
BRegion::Contains(int32 x, int32 y) const
{
	if (fRects.empty() || x < fFrame.left || x > fFrame.right || y < fFrame.top
		|| y > fFrame.bottom)
		return false;
	for (const clipping_rect& rect : fRects) {
		if (rect.top > y)
			break;
		if (y <= rect.bottom && x >= rect.left && x <= rect.right)
			return true;
	}
	return false;
}


void
BRegion::OffsetBy(int32 dx, int32 dy)
{
	if (dx == 0 && dy == 0)
		return;
	for (clipping_rect& rect : fRects) {
		rect.left = ClampCoordinate((double)rect.left + dx);
		rect.right = ClampCoordinate((double)rect.right + dx);
		rect.top = ClampCoordinate((double)rect.top + dy);
		rect.bottom = ClampCoordinate((double)rect.bottom + dy);
	}
	_UpdateFrame();
}


void
BRegion::OffsetBy(BPoint delta)
{
	if (std::isnan(delta.x) || std::isnan(delta.y))
		return;
	OffsetBy(ClampCoordinate(std::round(delta.x)), ClampCoordinate(std::round(delta.y)));
}


void
BRegion::Include(BRect rect)
{
	clipping_rect clip;
	if (ToClippingRect(rect, clip))
		Include(clip);
}


void
BRegion::Include(clipping_rect rect)
{
	if (!IsValid(rect))
		return;
	if (fRects.empty()) {
		Set(rect);
		return;
	}
	_Combine(std::vector<clipping_rect>{ rect }, kUnion);
}


void
BRegion::Include(const BRegion* region)
{
	if (region == NULL || region->fRects.empty())
		return;
	if (fRects.empty()) {
		*this = *region;
		return;
	}
	_Combine(region->fRects, kUnion);
}


void
BRegion::Exclude(BRect rect)
{
	clipping_rect clip;
	if (ToClippingRect(rect, clip))
		Exclude(clip);
}


void
BRegion::Exclude(clipping_rect rect)
{
	if (!IsValid(rect) || !Intersects(rect))
		return;
	_Combine(std::vector<clipping_rect>{ rect }, kSubtract);
}


void
BRegion::Exclude(const BRegion* region)
{
	if (region == NULL || region->fRects.empty() || fRects.empty())
		return;
	_Combine(region->fRects, kSubtract);
}


void
BRegion::IntersectWith(const BRegion* region)
{
	if (region == NULL || region->fRects.empty()) {
		MakeEmpty();
		return;
	}
	if (fRects.empty())
		return;
	_Combine(region->fRects, kIntersect);
}


void
BRegion::PrintToStream() const
{
	printf("BRegion(%d rects, frame l:%d t:%d r:%d b:%d)\n", (int)fRects.size(),
		(int)fFrame.left, (int)fFrame.top, (int)fFrame.right, (int)fFrame.bottom);
	for (const clipping_rect& rect : fRects) {
		printf("  (l:%d t:%d r:%d b:%d)\n", (int)rect.left, (int)rect.top, (int)rect.right,
			(int)rect.bottom);
	}
}


// Sweeps both rectangle lists band by band; the result is again y-x banded, with
// vertically adjacent bands of equal columns merged so the representation stays minimal.
void
BRegion::_Combine(const std::vector<clipping_rect>& other, int op)
{
	// A single rectangle argument need not be banded already; every other list is.
	std::vector<Band> ownBands = ToBands(fRects);
	std::vector<Band> otherBands = ToBands(other);

	std::vector<int32> edges;
	edges.reserve((ownBands.size() + otherBands.size()) * 2);
	for (const Band& band : ownBands) {
		edges.push_back(band.top);
		edges.push_back(band.bottom);
	}
	for (const Band& band : otherBands) {
		edges.push_back(band.top);
		edges.push_back(band.bottom);
	}
	std::sort(edges.begin(), edges.end());
	edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

	std::vector<Band> result;
	std::vector<Interval> intervals;
	size_t ownIndex = 0;
	size_t otherIndex = 0;
	for (size_t i = 0; i + 1 < edges.size(); i++) {
		int32 top = edges[i];
		int32 bottom = edges[i + 1];
		const std::vector<Interval>* a = IntervalsAt(ownBands, ownIndex, top);
		const std::vector<Interval>* b = IntervalsAt(otherBands, otherIndex, top);
		if (a == NULL && (b == NULL || op != kUnion))
			continue;
		CombineIntervals(a, b, op, intervals);
		if (intervals.empty())
			continue;
		if (!result.empty() && result.back().bottom == top
			&& result.back().intervals == intervals) {
			result.back().bottom = bottom;
		} else {
			result.push_back(Band{ top, bottom, intervals });
		}
	}

	fRects.clear();
	for (const Band& band : result) {
		for (const Interval& interval : band.intervals) {
			fRects.push_back(clipping_rect{ interval.start, band.top, interval.end - 1,
				band.bottom - 1 });
		}
	}
	_UpdateFrame();
}


void
BRegion::_UpdateFrame()
{
	if (fRects.empty()) {
		fFrame = clipping_rect{ 0, 0, -1, -1 };
		return;
	}
	fFrame = fRects.front();
	for (const clipping_rect& rect : fRects) {
		fFrame.left = std::min(fFrame.left, rect.left);
		fFrame.top = std::min(fFrame.top, rect.top);
		fFrame.right = std::max(fFrame.right, rect.right);
		fFrame.bottom = std::max(fFrame.bottom, rect.bottom);
	}
}
