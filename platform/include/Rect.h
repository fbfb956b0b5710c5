/*
 * BRect: a rectangle whose right and bottom edges are inclusive, as on BeOS: the
 * rectangle (0, 0, 9, 9) covers ten by ten pixels, and Width() is right - left (9).
 * A rectangle with right < left or bottom < top is invalid (empty).
 */
#ifndef _RECT_H
#define _RECT_H

#include <Point.h>

#include <cmath>

class BRect {
public:
	float	left;
	float	top;
	float	right;
	float	bottom;

			BRect() : left(0), top(0), right(-1), bottom(-1) {}
			BRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
			BRect(BPoint leftTop, BPoint rightBottom)
				: left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y) {}

	void	Set(float l, float t, float r, float b) { left = l; top = t; right = r; bottom = b; }

	BPoint	LeftTop() const { return BPoint(left, top); }
	BPoint	RightBottom() const { return BPoint(right, bottom); }
	BPoint	LeftBottom() const { return BPoint(left, bottom); }
	BPoint	RightTop() const { return BPoint(right, top); }
	void	SetLeftTop(BPoint p) { left = p.x; top = p.y; }
	void	SetRightBottom(BPoint p) { right = p.x; bottom = p.y; }
	void	SetLeftBottom(BPoint p) { left = p.x; bottom = p.y; }
	void	SetRightTop(BPoint p) { right = p.x; top = p.y; }

	float	Width() const { return right - left; }
	float	Height() const { return bottom - top; }
	int32	IntegerWidth() const { return (int32)std::ceil(right - left); }
	int32	IntegerHeight() const { return (int32)std::ceil(bottom - top); }

	bool	IsValid() const { return left <= right && top <= bottom; }

	BRect&	InsetBy(float dx, float dy)
				{ left += dx; top += dy; right -= dx; bottom -= dy; return *this; }
	BRect&	InsetBy(BPoint d) { return InsetBy(d.x, d.y); }
	BRect&	OffsetBy(float dx, float dy)
				{ left += dx; top += dy; right += dx; bottom += dy; return *this; }
	BRect&	OffsetBy(BPoint d) { return OffsetBy(d.x, d.y); }
	BRect&	OffsetTo(float x, float y)
				{ right += x - left; bottom += y - top; left = x; top = y; return *this; }
	BRect&	OffsetTo(BPoint p) { return OffsetTo(p.x, p.y); }

	void	InsetBySelf(float dx, float dy) { InsetBy(dx, dy); }
	void	OffsetBySelf(float dx, float dy) { OffsetBy(dx, dy); }
	void	OffsetToSelf(float x, float y) { OffsetTo(x, y); }
	BRect	InsetByCopy(float dx, float dy) const { BRect r(*this); return r.InsetBy(dx, dy); }
	BRect	OffsetByCopy(float dx, float dy) const { BRect r(*this); return r.OffsetBy(dx, dy); }
	BRect	OffsetToCopy(float x, float y) const { BRect r(*this); return r.OffsetTo(x, y); }
	void	InsetBySelf(BPoint d) { InsetBy(d); }
	void	OffsetBySelf(BPoint d) { OffsetBy(d); }
	void	OffsetToSelf(BPoint p) { OffsetTo(p); }
	BRect	InsetByCopy(BPoint d) const { BRect r(*this); return r.InsetBy(d); }
	BRect	OffsetByCopy(BPoint d) const { BRect r(*this); return r.OffsetBy(d); }
	BRect	OffsetToCopy(BPoint p) const { BRect r(*this); return r.OffsetTo(p); }

	bool	Contains(BPoint p) const
				{ return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
	bool	Contains(BRect r) const
				{ return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom; }
	bool	Intersects(BRect r) const
				{
					if (!IsValid() || !r.IsValid())
						return false;
					return !(r.left > right || r.right < left || r.top > bottom || r.bottom < top);
				}

	// Intersection.
	BRect	operator&(BRect r) const
				{
					return BRect(std::fmax(left, r.left), std::fmax(top, r.top),
						std::fmin(right, r.right), std::fmin(bottom, r.bottom));
				}
	// Smallest rectangle that holds both.
	BRect	operator|(BRect r) const
				{
					return BRect(std::fmin(left, r.left), std::fmin(top, r.top),
						std::fmax(right, r.right), std::fmax(bottom, r.bottom));
				}

	bool	operator==(BRect r) const
				{ return left == r.left && top == r.top && right == r.right && bottom == r.bottom; }
	bool	operator!=(BRect r) const { return !(*this == r); }

	void	PrintToStream() const;
};

#endif	// _RECT_H
