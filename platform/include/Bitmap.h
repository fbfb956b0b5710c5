/*
 * BBitmap: an image in memory, in one of the colour spaces of GraphicsDefs.h.
 *
 * Memory layout as R5: rows top to bottom, each BytesPerRow() bytes long and padded to a
 * multiple of four bytes; B_RGB32 and B_RGBA32 pixels are the bytes B, G, R, A (the uint32
 * 0xAARRGGBB on little-endian machines).
 *
 * The bitmap accepts no views yet: acceptsViews is kept (AcceptsViews) but children cannot
 * be added; draw into a bitmap with the private renderer (interface/render/Painter.h).
 */
#ifndef _BITMAP_H
#define _BITMAP_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BBitmap {
public:
	// bounds are inclusive, as for views: (0, 0, 15, 15) is a 16 by 16 bitmap. Negative or
	// absurd sizes (more than 32768 pixels on a side, more than 1 GiB of pixels) leave the
	// bitmap invalid: InitCheck() answers B_BAD_VALUE or B_NO_MEMORY and Bits() is NULL.
							BBitmap(BRect bounds, color_space space,
								bool acceptsViews = false, bool needsContiguous = false);
	// A copy of source's pixels, bounds and colour space.
							BBitmap(const BBitmap* source, bool acceptsViews = false,
								bool needsContiguous = false);
	virtual					~BBitmap();

			status_t		InitCheck() const;
			bool			IsValid() const;

	// The bounds with their left-top corner at (0, 0).
			BRect			Bounds() const;
			void*			Bits() const;
			int32			BitsLength() const;
			int32			BytesPerRow() const;
			color_space		ColorSpace() const;
			bool			AcceptsViews() const { return fAcceptsViews; }

	// Copies length bytes of data, laid out in colorSpace, into the bitmap starting at the
	// byte offset of the bitmap's own data, converting each pixel to the bitmap's colour
	// space. The source rows are as long as the bitmap's rows would be in colorSpace
	// (padded to four bytes). Sources: B_CMAP8 (the system palette), B_RGB32, B_RGBA32,
	// B_RGB24, B_GRAY8; B_RGB32 into a B_RGB32 bitmap is a plain copy. Bytes that would
	// land beyond the bitmap are dropped.
			void			SetBits(const void* data, int32 length, int32 offset,
								color_space colorSpace);

private:
							BBitmap(const BBitmap&);
			BBitmap&		operator=(const BBitmap&);

			void			_Init(BRect bounds, color_space space);

			uint8*			fBits;
			BRect			fBounds;
			color_space		fSpace;
			int32			fBytesPerRow;
			int32			fBitsLength;
			status_t		fStatus;
			bool			fAcceptsViews;
};

#endif	// _BITMAP_H
