#include "interface/render/Painter.h"

#include <Bitmap.h>

#include "interface/BitmapPixels.h"
#include "interface/FontEngine.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace BPrivate {

struct Painter::Span {
	int32	y;
	int32	left;
	int32	right;
};

namespace {

// Coordinates are clamped to this before any integer conversion; the clipping region
// never reaches it, so clamped shapes still clip correctly.
const double kLimit = 1 << 29;


double
Clamp(double value)
{
	if (value < -kLimit)
		return -kLimit;
	if (value > kLimit)
		return kLimit;
	return value;
}


int32
RoundToPixel(double value)
{
	return (int32)std::floor(Clamp(value) + 0.5);
}


bool
IsFinitePoint(BPoint point)
{
	return !std::isnan(point.x) && !std::isnan(point.y);
}


bool
IsUsableRect(BRect rect)
{
	return !std::isnan(rect.left) && !std::isnan(rect.top) && !std::isnan(rect.right)
		&& !std::isnan(rect.bottom) && rect.IsValid();
}


int
Brightness(uint8 red, uint8 green, uint8 blue)
{
	return (red * 308 + green * 600 + blue * 116) >> 10;
}


uint8
Mix(uint8 from, uint8 to, uint32 amount)
{
	return (uint8)((from * (255 - amount) + to * amount + 127) / 255);
}


bool
IsSolid(const pattern& p, uint8 value)
{
	for (int i = 0; i < 8; i++) {
		if (p.data[i] != value)
			return false;
	}
	return true;
}


// Angle of a point seen from the centre of an ellipse, in degrees 0 ... 360,
// counter-clockwise from 3 o'clock (the y axis points down).
double
EllipseAngle(double x, double y, double cx, double cy, double rx, double ry)
{
	double dx = rx > 0 ? (x - cx) / rx : 0;
	double dy = ry > 0 ? (cy - y) / ry : 0;
	if (dx == 0 && dy == 0)
		return -1;
	double angle = std::atan2(dy, dx) * 180.0 / M_PI;
	if (angle < 0)
		angle += 360.0;
	return angle;
}

}	// namespace


Painter::Painter()
	:
	fBits(NULL),
	fWidth(0),
	fHeight(0),
	fBytesPerRow(0),
	fSpace(B_RGB32),
	fOrigin(0, 0),
	fHighColor(make_color(0, 0, 0)),
	fLowColor(make_color(255, 255, 255)),
	fDrawingMode(B_OP_COPY),
	fSourceAlpha(B_PIXEL_ALPHA),
	fAlphaFunction(B_ALPHA_OVERLAY),
	fPenSize(1.0f),
	fFont(be_plain_font)
{
}


Painter::~Painter()
{
}


status_t
Painter::Attach(void* bits, int32 width, int32 height, int32 bytesPerRow, color_space space)
{
	if (bits == NULL || width <= 0 || height <= 0 || width > 32768 || height > 32768
		|| bytesPerRow < width * 4 || (space != B_RGB32 && space != B_RGBA32)) {
		Detach();
		return B_BAD_VALUE;
	}
	fBits = (uint8*)bits;
	fWidth = width;
	fHeight = height;
	fBytesPerRow = bytesPerRow;
	fSpace = space;
	fOrigin.Set(0, 0);
	SetClipping(NULL);
	return B_OK;
}


status_t
Painter::Attach(BBitmap* bitmap)
{
	if (bitmap == NULL || !bitmap->IsValid()) {
		Detach();
		return B_BAD_VALUE;
	}
	return Attach(bitmap->Bits(), bitmap->Bounds().IntegerWidth() + 1,
		bitmap->Bounds().IntegerHeight() + 1, bitmap->BytesPerRow(), bitmap->ColorSpace());
}


void
Painter::Detach()
{
	fBits = NULL;
	fWidth = 0;
	fHeight = 0;
	fBytesPerRow = 0;
	fClipping.MakeEmpty();
}


void
Painter::SetOrigin(BPoint origin)
{
	if (!IsFinitePoint(origin))
		return;
	fOrigin.Set((float)Clamp(origin.x), (float)Clamp(origin.y));
}


void
Painter::SetClipping(const BRegion* region)
{
	if (fBits == NULL) {
		fClipping.MakeEmpty();
		return;
	}
	BRegion buffer;
	buffer.Set(clipping_rect{ 0, 0, fWidth - 1, fHeight - 1 });
	if (region == NULL) {
		fClipping = buffer;
		return;
	}
	fClipping = *region;
	fClipping.IntersectWith(&buffer);
}


void
Painter::SetPenSize(float size)
{
	if (std::isnan(size) || size < 1.0f)
		size = 1.0f;
	if (size > 10000.0f)
		size = 10000.0f;
	fPenSize = size;
}


// #pragma mark - shapes


void
Painter::StrokeLine(BPoint start, BPoint end, const pattern& p)
{
	if (fBits == NULL || !IsFinitePoint(start) || !IsFinitePoint(end))
		return;
	SpanList spans;
	if (fPenSize <= 1.0f)
		_LineSpans(_ToBufferPoint(start), _ToBufferPoint(end), spans);
	else
		_WideLineSpans(_ToBufferPoint(start), _ToBufferPoint(end), spans);
	_FillSpans(spans, p);
}


void
Painter::StrokeRect(BRect rect, const pattern& p)
{
	int32 left, top, right, bottom;
	if (!_ToBuffer(rect, left, top, right, bottom))
		return;
	int32 pen = std::max(1, RoundToPixel(fPenSize));
	int32 before = (pen - 1) / 2;
	int32 after = pen - 1 - before;
	int64 outerLeft = (int64)left - before;
	int64 outerTop = (int64)top - before;
	int64 outerRight = (int64)right + after;
	int64 outerBottom = (int64)bottom + after;
	int64 innerLeft = (int64)left + after + 1;
	int64 innerTop = (int64)top + after + 1;
	int64 innerRight = (int64)right - before - 1;
	int64 innerBottom = (int64)bottom - before - 1;

	SpanList spans;
	clipping_rect frame = fClipping.FrameInt();
	int64 firstRow = std::max(outerTop, (int64)frame.top);
	int64 lastRow = std::min(outerBottom, (int64)frame.bottom);
	for (int64 y = firstRow; y <= lastRow; y++) {
		if (y < innerTop || y > innerBottom || innerLeft > innerRight) {
			_AddSpan(spans, y, outerLeft, outerRight);
		} else {
			_AddSpan(spans, y, outerLeft, innerLeft - 1);
			_AddSpan(spans, y, innerRight + 1, outerRight);
		}
	}
	_FillSpans(spans, p);
}


void
Painter::FillRect(BRect rect, const pattern& p)
{
	int32 left, top, right, bottom;
	if (_ToBuffer(rect, left, top, right, bottom))
		_FillBufferRect(left, top, right, bottom, p);
}


void
Painter::InvertRect(BRect rect)
{
	int32 left, top, right, bottom;
	if (!_ToBuffer(rect, left, top, right, bottom))
		return;
	drawing_mode mode = fDrawingMode;
	fDrawingMode = B_OP_INVERT;
	_FillBufferRect(left, top, right, bottom, B_SOLID_HIGH);
	fDrawingMode = mode;
}


void
Painter::StrokeRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p)
{
	if (fBits == NULL || !IsUsableRect(rect))
		return;
	SpanList spans;
	_RoundRectSpans(rect.OffsetByCopy(fOrigin), xRadius, yRadius, false, spans);
	_FillSpans(spans, p);
}


void
Painter::FillRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p)
{
	if (fBits == NULL || !IsUsableRect(rect))
		return;
	SpanList spans;
	_RoundRectSpans(rect.OffsetByCopy(fOrigin), xRadius, yRadius, true, spans);
	_FillSpans(spans, p);
}


void
Painter::StrokeEllipse(BRect rect, const pattern& p)
{
	if (fBits == NULL || !IsUsableRect(rect))
		return;
	SpanList spans;
	_EllipseSpans(rect.OffsetByCopy(fOrigin), false, spans);
	_FillSpans(spans, p);
}


void
Painter::FillEllipse(BRect rect, const pattern& p)
{
	if (fBits == NULL || !IsUsableRect(rect))
		return;
	SpanList spans;
	_EllipseSpans(rect.OffsetByCopy(fOrigin), true, spans);
	_FillSpans(spans, p);
}


void
Painter::StrokeArc(BRect rect, float startAngle, float arcAngle, const pattern& p)
{
	if (fBits == NULL || !IsUsableRect(rect) || std::isnan(startAngle)
		|| std::isnan(arcAngle))
		return;
	SpanList spans;
	_ArcSpans(rect.OffsetByCopy(fOrigin), startAngle, arcAngle, false, spans);
	_FillSpans(spans, p);
}


void
Painter::FillArc(BRect rect, float startAngle, float arcAngle, const pattern& p)
{
	if (fBits == NULL || !IsUsableRect(rect) || std::isnan(startAngle)
		|| std::isnan(arcAngle))
		return;
	SpanList spans;
	_ArcSpans(rect.OffsetByCopy(fOrigin), startAngle, arcAngle, true, spans);
	_FillSpans(spans, p);
}


void
Painter::StrokeTriangle(BPoint p1, BPoint p2, BPoint p3, const pattern& p)
{
	BPoint points[3] = { p1, p2, p3 };
	StrokePolygon(points, 3, true, p);
}


void
Painter::FillTriangle(BPoint p1, BPoint p2, BPoint p3, const pattern& p)
{
	BPoint points[3] = { p1, p2, p3 };
	FillPolygon(points, 3, p);
}


void
Painter::StrokePolygon(const BPoint* points, int32 count, bool closed, const pattern& p)
{
	if (fBits == NULL || points == NULL || count <= 0)
		return;
	std::vector<BPoint> buffer;
	buffer.reserve(count);
	for (int32 i = 0; i < count; i++) {
		if (!IsFinitePoint(points[i]))
			return;
		buffer.push_back(_ToBufferPoint(points[i]));
	}
	SpanList spans;
	_OutlineSpans(buffer.data(), count, closed, spans);
	_FillSpans(spans, p);
}


void
Painter::FillPolygon(const BPoint* points, int32 count, const pattern& p)
{
	if (fBits == NULL || points == NULL || count <= 0)
		return;
	std::vector<BPoint> buffer;
	buffer.reserve(count);
	for (int32 i = 0; i < count; i++) {
		if (!IsFinitePoint(points[i]))
			return;
		buffer.push_back(_ToBufferPoint(points[i]));
	}
	// The outline belongs to the filled shape, as on R5: a filled triangle covers every
	// pixel its stroked outline covers.
	SpanList spans;
	_PolygonSpans(buffer.data(), count, spans);
	float pen = fPenSize;
	fPenSize = 1.0f;
	_OutlineSpans(buffer.data(), count, true, spans);
	fPenSize = pen;
	_FillSpans(spans, p);
}


void
Painter::FillRegion(const BRegion* region, const pattern& p)
{
	if (fBits == NULL || region == NULL)
		return;
	BRegion moved(*region);
	moved.OffsetBy(RoundToPixel(fOrigin.x), RoundToPixel(fOrigin.y));
	moved.IntersectWith(&fClipping);
	for (int32 i = 0; i < moved.CountRects(); i++) {
		clipping_rect rect = moved.RectAtInt(i);
		for (int32 y = rect.top; y <= rect.bottom; y++)
			_PaintRun(y, rect.left, rect.right, p);
	}
}


// #pragma mark - bitmaps


void
Painter::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap == NULL || !bitmap->IsValid() || !IsFinitePoint(where))
		return;
	BRect bounds = bitmap->Bounds();
	DrawBitmap(bitmap, bounds, bounds.OffsetToCopy(where));
}


void
Painter::DrawBitmap(const BBitmap* bitmap, BRect source, BRect dest)
{
	if (fBits == NULL || bitmap == NULL || !bitmap->IsValid() || !IsUsableRect(source))
		return;
	int32 destLeft, destTop, destRight, destBottom;
	if (!_ToBuffer(dest, destLeft, destTop, destRight, destBottom))
		return;
	int64 sourceLeft = RoundToPixel(source.left);
	int64 sourceTop = RoundToPixel(source.top);
	int64 sourceWidth = (int64)RoundToPixel(source.right) - sourceLeft + 1;
	int64 sourceHeight = (int64)RoundToPixel(source.bottom) - sourceTop + 1;
	int64 destWidth = (int64)destRight - destLeft + 1;
	int64 destHeight = (int64)destBottom - destTop + 1;
	if (sourceWidth <= 0 || sourceHeight <= 0 || destWidth <= 0 || destHeight <= 0)
		return;

	const uint8* bits = (const uint8*)bitmap->Bits();
	int32 bytesPerRow = bitmap->BytesPerRow();
	int32 bitmapWidth = bitmap->Bounds().IntegerWidth() + 1;
	int32 bitmapHeight = bitmap->Bounds().IntegerHeight() + 1;
	color_space space = bitmap->ColorSpace();
	bool skipTransparent = fDrawingMode != B_OP_COPY;

	for (int32 i = 0; i < fClipping.CountRects(); i++) {
		clipping_rect clip = fClipping.RectAtInt(i);
		int32 left = std::max(clip.left, destLeft);
		int32 right = std::min(clip.right, destRight);
		int32 top = std::max(clip.top, destTop);
		int32 bottom = std::min(clip.bottom, destBottom);
		for (int32 y = top; y <= bottom; y++) {
			int64 sourceY = sourceTop + ((int64)y - destTop) * sourceHeight / destHeight;
			if (sourceY < 0 || sourceY >= bitmapHeight)
				continue;
			const uint8* sourceRow = bits + sourceY * bytesPerRow;
			uint8* destRow = fBits + (int64)y * fBytesPerRow;
			for (int32 x = left; x <= right; x++) {
				int64 sourceX = sourceLeft + ((int64)x - destLeft) * sourceWidth / destWidth;
				if (sourceX < 0 || sourceX >= bitmapWidth)
					continue;
				if (skipTransparent && IsTransparentPixel(sourceRow, (int32)sourceX, space))
					continue;
				rgb_color color = ReadPixel(sourceRow, (int32)sourceX, space);
				_BlendPixel(destRow + x * 4, color, true, 255);
			}
		}
	}
}


// #pragma mark - text


BPoint
Painter::DrawString(const char* text, int32 length, BPoint baseline,
	const escapement_delta* delta)
{
	if (text == NULL || length <= 0 || !IsFinitePoint(baseline))
		return baseline;
	StrikeRef strike = StrikeFor(fFont);
	if (strike == NULL)
		return baseline;

	BPoint start = _ToBufferPoint(baseline);
	int32 baseY = RoundToPixel(start.y);
	clipping_rect frame = fClipping.FrameInt();
	bool attached = fBits != NULL;
	float advance = ForEachGlyph(*strike, text, length, delta,
		[&](const Glyph& glyph, float penX) {
			if (attached)
				_DrawGlyph(glyph, (int64)RoundToPixel(start.x + penX), baseY, frame);
		});
	return BPoint(baseline.x + advance, baseline.y);
}


// Blends one glyph's coverage in the high colour with its origin at (penX, baseY) in
// buffer coordinates.
void
Painter::_DrawGlyph(const Glyph& glyph, int64 penX, int64 baseY, const clipping_rect& frame)
{
	if (glyph.width <= 0 || glyph.height <= 0)
		return;
	int64 glyphLeft = penX + glyph.left;
	int64 glyphTop = baseY - glyph.top;
	int64 glyphRight = glyphLeft + glyph.width - 1;
	int64 glyphBottom = glyphTop + glyph.height - 1;
	if (glyphRight < frame.left || glyphLeft > frame.right
		|| glyphBottom < frame.top || glyphTop > frame.bottom)
		return;
	rgb_color color = fHighColor;
	// Text blends its coverage over the pixels below in both of these modes.
	bool plainBlend = fDrawingMode == B_OP_COPY || fDrawingMode == B_OP_OVER;
	for (int32 i = 0; i < fClipping.CountRects(); i++) {
		clipping_rect clip = fClipping.RectAtInt(i);
		int64 left = std::max((int64)clip.left, glyphLeft);
		int64 right = std::min((int64)clip.right, glyphRight);
		int64 top = std::max((int64)clip.top, glyphTop);
		int64 bottom = std::min((int64)clip.bottom, glyphBottom);
		for (int64 y = top; y <= bottom; y++) {
			const uint8* coverage = glyph.coverage.data() + (y - glyphTop) * glyph.width;
			uint8* row = fBits + y * fBytesPerRow;
			for (int64 x = left; x <= right; x++) {
				uint8 value = coverage[x - glyphLeft];
				if (value == 0)
					continue;
				uint8* pixel = row + x * 4;
				if (!plainBlend)
					_BlendPixel(pixel, color, true, value);
				else if (value == 255) {
					pixel[0] = color.blue;
					pixel[1] = color.green;
					pixel[2] = color.red;
					pixel[3] = color.alpha;
				} else {
					pixel[0] = Mix(pixel[0], color.blue, value);
					pixel[1] = Mix(pixel[1], color.green, value);
					pixel[2] = Mix(pixel[2], color.red, value);
					pixel[3] = Mix(pixel[3], color.alpha, value);
				}
			}
		}
	}
}


void
Painter::CopyBits(BRect source, BRect dest)
{
	int32 sourceLeft, sourceTop, sourceRight, sourceBottom;
	if (fBits == NULL || !IsUsableRect(dest)
		|| !_ToBuffer(source, sourceLeft, sourceTop, sourceRight, sourceBottom))
		return;
	BPoint destStart = _ToBufferPoint(dest.LeftTop());
	int64 dx = (int64)RoundToPixel(destStart.x) - sourceLeft;
	int64 dy = (int64)RoundToPixel(destStart.y) - sourceTop;

	// Only pixels inside the buffer can be read; copy them aside first so that
	// overlapping source and destination work.
	int64 left = std::max<int64>(sourceLeft, 0);
	int64 top = std::max<int64>(sourceTop, 0);
	int64 right = std::min<int64>(sourceRight, fWidth - 1);
	int64 bottom = std::min<int64>(sourceBottom, fHeight - 1);
	if (left > right || top > bottom)
		return;
	int64 width = right - left + 1;
	int64 height = bottom - top + 1;
	std::vector<uint8> copy(width * height * 4);
	for (int64 y = 0; y < height; y++)
		memcpy(&copy[y * width * 4], fBits + (top + y) * fBytesPerRow + left * 4, width * 4);

	for (int32 i = 0; i < fClipping.CountRects(); i++) {
		clipping_rect clip = fClipping.RectAtInt(i);
		int64 clipLeft = std::max<int64>(clip.left, left + dx);
		int64 clipRight = std::min<int64>(clip.right, right + dx);
		int64 clipTop = std::max<int64>(clip.top, top + dy);
		int64 clipBottom = std::min<int64>(clip.bottom, bottom + dy);
		if (clipLeft > clipRight)
			continue;
		for (int64 y = clipTop; y <= clipBottom; y++) {
			const uint8* from = &copy[((y - dy - top) * width + (clipLeft - dx - left)) * 4];
			memcpy(fBits + y * fBytesPerRow + clipLeft * 4, from, (clipRight - clipLeft + 1) * 4);
		}
	}
}


// #pragma mark - private


BPoint
Painter::_ToBufferPoint(BPoint point) const
{
	return BPoint((float)Clamp((double)point.x + fOrigin.x),
		(float)Clamp((double)point.y + fOrigin.y));
}


bool
Painter::_ToBuffer(BRect rect, int32& left, int32& top, int32& right, int32& bottom) const
{
	if (fBits == NULL || !IsUsableRect(rect))
		return false;
	left = RoundToPixel((double)rect.left + fOrigin.x);
	top = RoundToPixel((double)rect.top + fOrigin.y);
	right = RoundToPixel((double)rect.right + fOrigin.x);
	bottom = RoundToPixel((double)rect.bottom + fOrigin.y);
	return left <= right && top <= bottom;
}


void
Painter::_FillBufferRect(int32 left, int32 top, int32 right, int32 bottom, const pattern& p)
{
	for (int32 i = 0; i < fClipping.CountRects(); i++) {
		clipping_rect clip = fClipping.RectAtInt(i);
		int32 l = std::max(clip.left, left);
		int32 r = std::min(clip.right, right);
		int32 t = std::max(clip.top, top);
		int32 b = std::min(clip.bottom, bottom);
		if (l > r)
			continue;
		for (int32 y = t; y <= b; y++)
			_PaintRun(y, l, r, p);
	}
}


void
Painter::_FillSpan(int32 y, int32 left, int32 right, const pattern& p)
{
	for (int32 i = 0; i < fClipping.CountRects(); i++) {
		clipping_rect clip = fClipping.RectAtInt(i);
		if (clip.top > y)
			break;
		if (clip.bottom < y)
			continue;
		int32 l = std::max(clip.left, left);
		int32 r = std::min(clip.right, right);
		if (l <= r)
			_PaintRun(y, l, r, p);
	}
}


// Paints pixels left ... right of row y, already clipped.
void
Painter::_PaintRun(int32 y, int32 left, int32 right, const pattern& p)
{
	uint8* row = fBits + (int64)y * fBytesPerRow;
	bool solidHigh = IsSolid(p, 0xff);
	bool solidLow = IsSolid(p, 0x00);
	// Solid fills that replace pixels whole (copying either colour, or drawing the high
	// colour over, or erasing with it) are plain stores; text views fill every line so.
	if (fDrawingMode == B_OP_OVER && solidLow)
		return;
	bool store = (fDrawingMode == B_OP_COPY && (solidHigh || solidLow))
		|| ((fDrawingMode == B_OP_OVER || fDrawingMode == B_OP_ERASE) && solidHigh);
	if (store) {
		rgb_color color = solidHigh && fDrawingMode != B_OP_ERASE ? fHighColor : fLowColor;
		uint32 value = (uint32)color.blue | ((uint32)color.green << 8)
			| ((uint32)color.red << 16) | ((uint32)color.alpha << 24);
		uint32* pixel = (uint32*)(row + left * 4);
		for (int32 x = left; x <= right; x++)
			*pixel++ = value;
		return;
	}
	uint8 bits = p.data[y & 7];
	for (int32 x = left; x <= right; x++) {
		bool isHigh = (bits & (0x80 >> (x & 7))) != 0;
		_BlendPixel(row + x * 4, isHigh ? fHighColor : fLowColor, isHigh, 255);
	}
}


// Sorts the spans, merges the overlapping ones of each row so that no pixel is painted
// twice (which matters for B_OP_INVERT and the blending modes), and paints them.
void
Painter::_FillSpans(SpanList& spans, const pattern& p)
{
	if (spans.empty())
		return;
	std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
		return a.y < b.y || (a.y == b.y && a.left < b.left);
	});
	Span current = spans[0];
	for (size_t i = 1; i < spans.size(); i++) {
		const Span& span = spans[i];
		if (span.y == current.y && (int64)span.left <= (int64)current.right + 1) {
			current.right = std::max(current.right, span.right);
			continue;
		}
		_FillSpan(current.y, current.left, current.right, p);
		current = span;
	}
	_FillSpan(current.y, current.left, current.right, p);
}


// Adds a span, cut to the clipping frame; spans entirely outside are dropped.
void
Painter::_AddSpan(SpanList& spans, int64 y, int64 left, int64 right) const
{
	clipping_rect frame = fClipping.FrameInt();
	if (y < frame.top || y > frame.bottom)
		return;
	left = std::max<int64>(left, frame.left);
	right = std::min<int64>(right, frame.right);
	if (left > right)
		return;
	spans.push_back(Span{ (int32)y, (int32)left, (int32)right });
}


// A one-pixel line with both end points: one pixel per step along the major axis, the
// minor coordinate rounded. Only the steps inside the clipping frame are visited.
void
Painter::_LineSpans(BPoint start, BPoint end, SpanList& spans) const
{
	int64 x0 = RoundToPixel(start.x);
	int64 y0 = RoundToPixel(start.y);
	int64 x1 = RoundToPixel(end.x);
	int64 y1 = RoundToPixel(end.y);
	clipping_rect frame = fClipping.FrameInt();
	if (fClipping.CountRects() == 0)
		return;

	if (y0 == y1) {
		_AddSpan(spans, y0, std::min(x0, x1), std::max(x0, x1));
		return;
	}
	if (x0 == x1) {
		int64 first = std::max<int64>(std::min(y0, y1), frame.top);
		int64 last = std::min<int64>(std::max(y0, y1), frame.bottom);
		for (int64 y = first; y <= last; y++)
			_AddSpan(spans, y, x0, x0);
		return;
	}

	int64 dx = x1 - x0;
	int64 dy = y1 - y0;
	if (std::llabs(dx) >= std::llabs(dy)) {
		if (x0 > x1) {
			std::swap(x0, x1);
			std::swap(y0, y1);
			dx = -dx;
			dy = -dy;
		}
		int64 first = std::max<int64>(x0, frame.left);
		int64 last = std::min<int64>(x1, frame.right);
		for (int64 x = first; x <= last; x++) {
			// The minor coordinate is rounded to the nearest pixel centre.
			double exact = (double)y0 + (double)(x - x0) * dy / dx;
			int64 y = (int64)std::floor(exact + 0.5);
			_AddSpan(spans, y, x, x);
		}
	} else {
		if (y0 > y1) {
			std::swap(x0, x1);
			std::swap(y0, y1);
			dx = -dx;
			dy = -dy;
		}
		int64 first = std::max<int64>(y0, frame.top);
		int64 last = std::min<int64>(y1, frame.bottom);
		for (int64 y = first; y <= last; y++) {
			double exact = (double)x0 + (double)(y - y0) * dx / dy;
			int64 x = (int64)std::floor(exact + 0.5);
			_AddSpan(spans, y, x, x);
		}
	}
}


// A line of the pen's width: a band centred on the ideal line from end point to end
// point, as a polygon; horizontal and vertical lines are exact rectangles.
void
Painter::_WideLineSpans(BPoint start, BPoint end, SpanList& spans) const
{
	int32 pen = std::max(1, RoundToPixel(fPenSize));
	int32 before = (pen - 1) / 2;
	int32 after = pen - 1 - before;
	int64 x0 = RoundToPixel(start.x);
	int64 y0 = RoundToPixel(start.y);
	int64 x1 = RoundToPixel(end.x);
	int64 y1 = RoundToPixel(end.y);
	clipping_rect frame = fClipping.FrameInt();
	if (y0 == y1 || x0 == x1) {
		int64 left = std::min(x0, x1);
		int64 right = std::max(x0, x1);
		int64 top = std::min(y0, y1);
		int64 bottom = std::max(y0, y1);
		if (y0 == y1) {
			top -= before;
			bottom += after;
		} else {
			left -= before;
			right += after;
		}
		top = std::max<int64>(top, frame.top);
		bottom = std::min<int64>(bottom, frame.bottom);
		for (int64 y = top; y <= bottom; y++)
			_AddSpan(spans, y, left, right);
		return;
	}
	double dx = (double)end.x - start.x;
	double dy = (double)end.y - start.y;
	double length = std::sqrt(dx * dx + dy * dy);
	double nx = -dy / length * fPenSize / 2;
	double ny = dx / length * fPenSize / 2;
	BPoint quad[4] = {
		BPoint((float)(start.x + nx), (float)(start.y + ny)),
		BPoint((float)(end.x + nx), (float)(end.y + ny)),
		BPoint((float)(end.x - nx), (float)(end.y - ny)),
		BPoint((float)(start.x - nx), (float)(start.y - ny))
	};
	_PolygonSpans(quad, 4, spans);
	// The centre line keeps the band connected where it is thinner than a pixel row.
	_LineSpans(start, end, spans);
}


// Scan conversion with the even-odd rule: a pixel belongs to the polygon when its centre
// lies inside.
void
Painter::_PolygonSpans(const BPoint* points, int32 count, SpanList& spans) const
{
	if (count < 3 || fClipping.CountRects() == 0)
		return;
	double minY = points[0].y;
	double maxY = points[0].y;
	for (int32 i = 1; i < count; i++) {
		minY = std::min(minY, (double)points[i].y);
		maxY = std::max(maxY, (double)points[i].y);
	}
	clipping_rect frame = fClipping.FrameInt();
	int64 first = std::max<int64>((int64)std::ceil(minY), frame.top);
	int64 last = std::min<int64>((int64)std::floor(maxY), frame.bottom);
	std::vector<double> crossings;
	for (int64 y = first; y <= last; y++) {
		crossings.clear();
		double center = (double)y;
		for (int32 i = 0; i < count; i++) {
			BPoint a = points[i];
			BPoint b = points[(i + 1) % count];
			if ((a.y <= center && b.y > center) || (b.y <= center && a.y > center)) {
				double t = (center - a.y) / ((double)b.y - a.y);
				crossings.push_back(a.x + t * ((double)b.x - a.x));
			}
		}
		std::sort(crossings.begin(), crossings.end());
		for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
			int64 left = (int64)std::ceil(Clamp(crossings[i]));
			int64 right = (int64)std::ceil(Clamp(crossings[i + 1])) - 1;
			if (left <= right)
				_AddSpan(spans, y, left, right);
		}
	}
}


void
Painter::_OutlineSpans(const BPoint* points, int32 count, bool closed, SpanList& spans) const
{
	if (count == 1) {
		if (fPenSize <= 1.0f)
			_LineSpans(points[0], points[0], spans);
		else
			_WideLineSpans(points[0], points[0], spans);
		return;
	}
	int32 segments = closed && count > 2 ? count : count - 1;
	for (int32 i = 0; i < segments; i++) {
		BPoint a = points[i];
		BPoint b = points[(i + 1) % count];
		if (fPenSize <= 1.0f)
			_LineSpans(a, b, spans);
		else
			_WideLineSpans(a, b, spans);
	}
}


namespace {

// The pixels of row y inside the ellipse with centre (cx, cy) and radii (rx, ry)
// measured to the outer pixel edges; false when the row misses it.
bool
EllipseRow(double y, double cx, double cy, double rx, double ry, int64& left, int64& right)
{
	if (rx <= 0 || ry <= 0)
		return false;
	double dy = (y - cy) / ry;
	if (dy < -1 || dy > 1)
		return false;
	double half = rx * std::sqrt(1 - dy * dy);
	left = (int64)std::ceil(Clamp(cx - half));
	right = (int64)std::floor(Clamp(cx + half));
	return left <= right;
}


struct RowRange {
	bool	valid;
	int64	left;
	int64	right;
};

}	// namespace


void
Painter::_EllipseSpans(BRect rect, bool fill, SpanList& spans) const
{
	double left = RoundToPixel(rect.left);
	double top = RoundToPixel(rect.top);
	double right = RoundToPixel(rect.right);
	double bottom = RoundToPixel(rect.bottom);
	double cx = (left + right) / 2;
	double cy = (top + bottom) / 2;
	// Radii reach the outer edges of the border pixels, so the ellipse touches all four
	// sides of its rectangle.
	double rx = (right - left) / 2 + 0.5;
	double ry = (bottom - top) / 2 + 0.5;
	double pen = fPenSize <= 1.0f ? 1.0 : std::floor(fPenSize + 0.5);

	clipping_rect frame = fClipping.FrameInt();
	int64 first = std::max<int64>((int64)top, frame.top);
	int64 last = std::min<int64>((int64)bottom, frame.bottom);
	for (int64 y = first; y <= last; y++) {
		int64 outerLeft, outerRight;
		if (!EllipseRow((double)y, cx, cy, rx, ry, outerLeft, outerRight))
			continue;
		int64 innerLeft, innerRight;
		if (fill || !EllipseRow((double)y, cx, cy, rx - pen, ry - pen, innerLeft, innerRight)) {
			_AddSpan(spans, y, outerLeft, outerRight);
			continue;
		}
		// Keep the outline closed where it runs almost horizontally: the ring in this row
		// reaches at least as far as the outer ellipse does in the neighbouring rows.
		int64 nearLeft = innerLeft;
		int64 nearRight = innerRight;
		for (int dy = -1; dy <= 1; dy += 2) {
			int64 l, r;
			if (EllipseRow((double)(y + dy), cx, cy, rx - pen, ry - pen, l, r)) {
				nearLeft = std::max(nearLeft, l);
				nearRight = std::min(nearRight, r);
			} else {
				nearLeft = outerRight + 1;
				nearRight = outerRight;
			}
		}
		if (nearLeft > nearRight) {
			_AddSpan(spans, y, outerLeft, outerRight);
		} else {
			_AddSpan(spans, y, outerLeft, nearLeft - 1);
			_AddSpan(spans, y, nearRight + 1, outerRight);
		}
	}
}


void
Painter::_RoundRectSpans(BRect rect, float xRadius, float yRadius, bool fill,
	SpanList& spans) const
{
	int64 left = RoundToPixel(rect.left);
	int64 top = RoundToPixel(rect.top);
	int64 right = RoundToPixel(rect.right);
	int64 bottom = RoundToPixel(rect.bottom);
	if (std::isnan(xRadius) || xRadius < 0)
		xRadius = 0;
	if (std::isnan(yRadius) || yRadius < 0)
		yRadius = 0;
	double rx = std::min<double>(xRadius, (right - left) / 2.0);
	double ry = std::min<double>(yRadius, (bottom - top) / 2.0);
	double pen = fPenSize <= 1.0f ? 1.0 : std::floor(fPenSize + 0.5);

	// The row's extent inside a rounded rectangle shrunk by inset on every side.
	auto rowExtent = [&](int64 y, double inset, int64& l, int64& r) -> bool {
		double shapeTop = top + inset;
		double shapeBottom = bottom - inset;
		if (y < shapeTop || y > shapeBottom)
			return false;
		double cornerRx = std::max(0.0, rx - inset);
		double cornerRy = std::max(0.0, ry - inset);
		double upperCentre = shapeTop + cornerRy;
		double lowerCentre = shapeBottom - cornerRy;
		double shrink = 0;
		if (cornerRy > 0 && (y < upperCentre || y > lowerCentre)) {
			double d = y < upperCentre ? upperCentre - y : y - lowerCentre;
			double ratio = d / (cornerRy + 0.5);
			if (ratio > 1)
				return false;
			shrink = (cornerRx + 0.5) - (cornerRx + 0.5) * std::sqrt(1 - ratio * ratio);
		}
		l = (int64)std::ceil(Clamp(left + inset + shrink - 0.5 + 1e-9));
		r = (int64)std::floor(Clamp(right - inset - shrink + 0.5 - 1e-9));
		return l <= r;
	};

	clipping_rect frame = fClipping.FrameInt();
	int64 first = std::max<int64>(top, frame.top);
	int64 last = std::min<int64>(bottom, frame.bottom);
	for (int64 y = first; y <= last; y++) {
		int64 outerLeft, outerRight;
		if (!rowExtent(y, 0, outerLeft, outerRight))
			continue;
		int64 innerLeft, innerRight;
		if (fill || !rowExtent(y, pen, innerLeft, innerRight)) {
			_AddSpan(spans, y, outerLeft, outerRight);
			continue;
		}
		int64 nearLeft = innerLeft;
		int64 nearRight = innerRight;
		for (int dy = -1; dy <= 1; dy += 2) {
			int64 l, r;
			if (rowExtent(y + dy, 0, l, r)) {
				nearLeft = std::max(nearLeft, std::min(l + 1, innerRight + 1));
				nearRight = std::min(nearRight, std::max(r - 1, innerLeft - 1));
			}
		}
		if (nearLeft > nearRight) {
			_AddSpan(spans, y, outerLeft, outerRight);
		} else {
			_AddSpan(spans, y, outerLeft, nearLeft - 1);
			_AddSpan(spans, y, nearRight + 1, outerRight);
		}
	}
}


void
Painter::_ArcSpans(BRect rect, float startAngle, float arcAngle, bool fill,
	SpanList& spans) const
{
	SpanList ellipse;
	_EllipseSpans(rect, fill, ellipse);

	double start = startAngle;
	double sweep = arcAngle;
	if (sweep < 0) {
		start += sweep;
		sweep = -sweep;
	}
	bool full = sweep >= 360.0;
	start = std::fmod(start, 360.0);
	if (start < 0)
		start += 360.0;

	double left = RoundToPixel(rect.left);
	double top = RoundToPixel(rect.top);
	double right = RoundToPixel(rect.right);
	double bottom = RoundToPixel(rect.bottom);
	double cx = (left + right) / 2;
	double cy = (top + bottom) / 2;
	double rx = (right - left) / 2 + 0.5;
	double ry = (bottom - top) / 2 + 0.5;

	for (const Span& span : ellipse) {
		int64 runStart = -1;
		for (int64 x = span.left; x <= span.right; x++) {
			bool inside = full;
			if (!inside) {
				double angle = EllipseAngle((double)x, (double)span.y, cx, cy, rx, ry);
				if (angle < 0) {
					inside = fill;
				} else {
					double offset = angle - start;
					if (offset < 0)
						offset += 360.0;
					inside = offset <= sweep;
				}
			}
			if (inside && runStart < 0)
				runStart = x;
			if (!inside && runStart >= 0) {
				_AddSpan(spans, span.y, runStart, x - 1);
				runStart = -1;
			}
		}
		if (runStart >= 0)
			_AddSpan(spans, span.y, runStart, span.right);
	}
}


// Combines one source colour with the destination pixel according to the drawing mode;
// coverage (from glyphs) scales the effect.
void
Painter::_BlendPixel(uint8* pixel, rgb_color source, bool isHigh, uint8 coverage)
{
	rgb_color dest = make_color(pixel[2], pixel[1], pixel[0], pixel[3]);
	rgb_color result = source;
	switch (fDrawingMode) {
		case B_OP_COPY:
			break;
		case B_OP_OVER:
			if (!isHigh)
				return;
			break;
		case B_OP_ERASE:
			if (!isHigh)
				return;
			result = fLowColor;
			break;
		case B_OP_INVERT:
			if (!isHigh)
				return;
			result = make_color(255 - dest.red, 255 - dest.green, 255 - dest.blue,
				dest.alpha);
			break;
		case B_OP_ADD:
			result = make_color((uint8)std::min(255, dest.red + source.red),
				(uint8)std::min(255, dest.green + source.green),
				(uint8)std::min(255, dest.blue + source.blue), dest.alpha);
			break;
		case B_OP_SUBTRACT:
			result = make_color((uint8)std::max(0, dest.red - source.red),
				(uint8)std::max(0, dest.green - source.green),
				(uint8)std::max(0, dest.blue - source.blue), dest.alpha);
			break;
		case B_OP_BLEND:
			result = make_color((uint8)((dest.red + source.red) / 2),
				(uint8)((dest.green + source.green) / 2),
				(uint8)((dest.blue + source.blue) / 2), dest.alpha);
			break;
		case B_OP_MIN:
			if (Brightness(source.red, source.green, source.blue)
					>= Brightness(dest.red, dest.green, dest.blue))
				return;
			break;
		case B_OP_MAX:
			if (Brightness(source.red, source.green, source.blue)
					<= Brightness(dest.red, dest.green, dest.blue))
				return;
			break;
		case B_OP_SELECT:
		{
			if (!isHigh)
				return;
			bool isHighColor = dest.red == fHighColor.red && dest.green == fHighColor.green
				&& dest.blue == fHighColor.blue;
			bool isLowColor = dest.red == fLowColor.red && dest.green == fLowColor.green
				&& dest.blue == fLowColor.blue;
			if (isHighColor)
				result = fLowColor;
			else if (isLowColor)
				result = fHighColor;
			else
				return;
			break;
		}
		case B_OP_ALPHA:
		{
			uint32 alpha = fSourceAlpha == B_CONSTANT_ALPHA ? fHighColor.alpha : source.alpha;
			alpha = alpha * coverage / 255;
			if (alpha == 0)
				return;
			if (fAlphaFunction == B_ALPHA_COMPOSITE) {
				// Porter-Duff "source over" with the destination's own alpha.
				uint32 destAlpha = dest.alpha * (255 - alpha) / 255;
				uint32 outAlpha = alpha + destAlpha;
				if (outAlpha == 0)
					return;
				pixel[0] = (uint8)((source.blue * alpha + dest.blue * destAlpha) / outAlpha);
				pixel[1] = (uint8)((source.green * alpha + dest.green * destAlpha) / outAlpha);
				pixel[2] = (uint8)((source.red * alpha + dest.red * destAlpha) / outAlpha);
				pixel[3] = (uint8)outAlpha;
			} else {
				pixel[0] = Mix(dest.blue, source.blue, alpha);
				pixel[1] = Mix(dest.green, source.green, alpha);
				pixel[2] = Mix(dest.red, source.red, alpha);
			}
			return;
		}
	}

	if (coverage == 255) {
		pixel[0] = result.blue;
		pixel[1] = result.green;
		pixel[2] = result.red;
		pixel[3] = result.alpha;
		return;
	}
	pixel[0] = Mix(dest.blue, result.blue, coverage);
	pixel[1] = Mix(dest.green, result.green, coverage);
	pixel[2] = Mix(dest.red, result.red, coverage);
	pixel[3] = Mix(dest.alpha, result.alpha, coverage);
}

}	// namespace BPrivate
