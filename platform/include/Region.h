/*
 * BRegion: an area made of whole pixels, kept as a list of non-overlapping integer
 * rectangles sorted top to bottom, then left to right ("y-x banded": rectangles in one
 * band share their top and bottom). Used for clipping and update areas.
 */
#ifndef _REGION_H
#define _REGION_H

#include <Rect.h>

#include <vector>

// An integer rectangle; like BRect, right and bottom are inclusive.
typedef struct clipping_rect {
	int32	left;
	int32	top;
	int32	right;
	int32	bottom;
} clipping_rect;

class BRegion {
public:
							BRegion();
							BRegion(const BRegion& other);
							BRegion(BRect rect);
							~BRegion();

			BRegion&		operator=(const BRegion& other);
			bool			operator==(const BRegion& other) const;
			bool			operator!=(const BRegion& other) const
								{ return !(*this == other); }

	// A BRect covers the pixels from floor(left) to ceil(right), and likewise for top and
	// bottom; invalid rectangles (and NaN) give an empty region.
			void			Set(BRect rect);
			void			Set(clipping_rect rect);
			void			MakeEmpty();

	// The smallest rectangle holding the whole region; invalid when the region is empty.
			BRect			Frame() const;
			clipping_rect	FrameInt() const;

			int32			CountRects() const;
	// The rectangle at index; an invalid rectangle when the index is out of range.
			BRect			RectAt(int32 index) const;
			clipping_rect	RectAtInt(int32 index) const;

			bool			Intersects(BRect rect) const;
			bool			Intersects(clipping_rect rect) const;
			bool			Contains(BPoint point) const;
			bool			Contains(int32 x, int32 y) const;

			void			OffsetBy(int32 dx, int32 dy);
			void			OffsetBy(BPoint delta);

			void			Include(BRect rect);
			void			Include(clipping_rect rect);
			void			Include(const BRegion* region);
			void			Exclude(BRect rect);
			void			Exclude(clipping_rect rect);
			void			Exclude(const BRegion* region);
			void			IntersectWith(const BRegion* region);

			void			PrintToStream() const;

private:
			void			_Combine(const std::vector<clipping_rect>& other, int op);
			void			_UpdateFrame();

			std::vector<clipping_rect>	fRects;
			clipping_rect	fFrame;
};

#endif	// _REGION_H
