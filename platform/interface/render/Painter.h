/*
 * BPrivate::Painter: the software renderer. It draws into a B_RGB32 or B_RGBA32 pixel
 * buffer (a window's framebuffer or a BBitmap) with the BeOS drawing model:
 *
 * - Coordinates are floats; pixel centres lie on integer coordinates, and rectangles are
 *   inclusive, so FillRect(BRect(0, 0, 9, 9)) fills ten by ten pixels. A drawing
 *   coordinate (x, y) lands on buffer pixel (x + origin.x, y + origin.y), rounded.
 * - Everything is clipped to the clipping region (buffer coordinates) and to the buffer.
 *   No coordinate (NaN, infinite, huge, negative, empty rectangles) ever writes outside.
 * - Shapes take a pattern: set bits draw the high colour, clear bits the low colour. The
 *   pattern is anchored at the buffer's origin.
 * - Shapes are not antialiased (as R5); text is, unless its font has
 *   B_DISABLE_ANTIALIASING.
 *
 * Drawing modes as R5: B_OP_COPY writes the pattern colour; B_OP_OVER, B_OP_ERASE,
 * B_OP_INVERT and B_OP_SELECT touch only the high-colour pixels of the pattern; bitmap
 * pixels of B_TRANSPARENT_COLOR (or alpha 0 in B_RGBA32 bitmaps, or index 255 in B_CMAP8)
 * are skipped in every mode but B_OP_COPY. B_OP_MIN and B_OP_MAX keep the darker or lighter
 * of source and destination by brightness. B_OP_ALPHA blends with the high colour's alpha
 * (B_CONSTANT_ALPHA) or each source pixel's alpha (B_PIXEL_ALPHA). Text always blends its
 * glyph coverage over the pixels below, in B_OP_COPY as in B_OP_OVER.
 *
 * A Painter is not thread-safe; each window uses its own.
 */
#ifndef _PRIVATE_PAINTER_H
#define _PRIVATE_PAINTER_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <Rect.h>
#include <Region.h>

#include <vector>

class BBitmap;

namespace BPrivate {

struct Glyph;

class Painter {
public:
							Painter();
							~Painter();

	// The target. The buffer is not copied and must outlive the attachment. Attaching
	// resets the clipping to the whole buffer and the origin to (0, 0); the drawing state
	// (colours, modes, pen, font) is kept. B_BAD_VALUE for anything but a B_RGB32 or
	// B_RGBA32 buffer of sane size.
			status_t		Attach(void* bits, int32 width, int32 height, int32 bytesPerRow,
								color_space space = B_RGB32);
			status_t		Attach(BBitmap* bitmap);
			void			Detach();
			bool			IsAttached() const { return fBits != NULL; }
			int32			Width() const { return fWidth; }
			int32			Height() const { return fHeight; }

	// Where drawing coordinate (0, 0) lies in the buffer (a view's position in the window
	// less its scrolling offset).
			void			SetOrigin(BPoint origin);
			BPoint			Origin() const { return fOrigin; }

	// The clipping region in buffer coordinates, intersected with the buffer; NULL for
	// the whole buffer.
			void			SetClipping(const BRegion* region);
			const BRegion&	Clipping() const { return fClipping; }

	// Drawing state. The defaults are R5's: black high colour, white low colour, B_OP_COPY,
	// B_PIXEL_ALPHA with B_ALPHA_OVERLAY, pen size 1 and be_plain_font.
			void			SetHighColor(rgb_color color) { fHighColor = color; }
			rgb_color		HighColor() const { return fHighColor; }
			void			SetLowColor(rgb_color color) { fLowColor = color; }
			rgb_color		LowColor() const { return fLowColor; }
			void			SetDrawingMode(drawing_mode mode) { fDrawingMode = mode; }
			drawing_mode	DrawingMode() const { return fDrawingMode; }
			void			SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc)
								{ fSourceAlpha = srcAlpha; fAlphaFunction = alphaFunc; }
			source_alpha	SourceAlpha() const { return fSourceAlpha; }
			alpha_function	AlphaFunction() const { return fAlphaFunction; }
	// Sizes below 1 (and NaN) draw one-pixel lines.
			void			SetPenSize(float size);
			float			PenSize() const { return fPenSize; }
			void			SetFont(const BFont& font) { fFont = font; }
			const BFont&	Font() const { return fFont; }

	// Lines include both end points. With a pen wider than one pixel, lines are drawn as
	// bands of that width centred on the ideal line, rectangles with their edges centred
	// on the rectangle's outline.
			void			StrokeLine(BPoint start, BPoint end,
								const pattern& p = B_SOLID_HIGH);
			void			StrokeRect(BRect rect, const pattern& p = B_SOLID_HIGH);
			void			FillRect(BRect rect, const pattern& p = B_SOLID_HIGH);
	// Inverts the colour of every pixel of rect, whatever the drawing mode.
			void			InvertRect(BRect rect);
			void			StrokeRoundRect(BRect rect, float xRadius, float yRadius,
								const pattern& p = B_SOLID_HIGH);
			void			FillRoundRect(BRect rect, float xRadius, float yRadius,
								const pattern& p = B_SOLID_HIGH);
	// The ellipse inscribed in rect.
			void			StrokeEllipse(BRect rect, const pattern& p = B_SOLID_HIGH);
			void			FillEllipse(BRect rect, const pattern& p = B_SOLID_HIGH);
	// Angles in degrees, counter-clockwise from the positive x axis (3 o'clock).
			void			StrokeArc(BRect rect, float startAngle, float arcAngle,
								const pattern& p = B_SOLID_HIGH);
			void			FillArc(BRect rect, float startAngle, float arcAngle,
								const pattern& p = B_SOLID_HIGH);
			void			StrokeTriangle(BPoint p1, BPoint p2, BPoint p3,
								const pattern& p = B_SOLID_HIGH);
			void			FillTriangle(BPoint p1, BPoint p2, BPoint p3,
								const pattern& p = B_SOLID_HIGH);
			void			StrokePolygon(const BPoint* points, int32 count, bool closed = true,
								const pattern& p = B_SOLID_HIGH);
			void			FillPolygon(const BPoint* points, int32 count,
								const pattern& p = B_SOLID_HIGH);
	// region is in drawing coordinates.
			void			FillRegion(const BRegion* region, const pattern& p = B_SOLID_HIGH);

	// Draws the part source of bitmap scaled (nearest neighbour) into dest. Sources:
	// B_RGB32, B_RGBA32, B_CMAP8, B_GRAY8, B_GRAY1, B_RGB24, B_RGB16, B_RGB15.
			void			DrawBitmap(const BBitmap* bitmap, BRect source, BRect dest);
			void			DrawBitmap(const BBitmap* bitmap, BPoint where);

	// Draws length bytes of UTF-8 text (up to a NUL) in the high colour with the current
	// font, starting with the pen at baseline (the left end of the baseline). Returns the
	// pen position after the text; the advance equals the font's StringWidth plus the
	// deltas.
			BPoint			DrawString(const char* text, int32 length, BPoint baseline,
								const escapement_delta* delta = NULL);

	// Copies the pixels under source to dest (same size; overlapping is fine), clipped to
	// the clipping region at the destination. Used for scrolling.
			void			CopyBits(BRect source, BRect dest);

private:
	struct Span;
	typedef std::vector<Span> SpanList;

			bool			_ToBuffer(BRect rect, int32& left, int32& top, int32& right,
								int32& bottom) const;
			void			_FillBufferRect(int32 left, int32 top, int32 right, int32 bottom,
								const pattern& p);
			void			_FillSpan(int32 y, int32 left, int32 right, const pattern& p);
			void			_PaintRun(int32 y, int32 left, int32 right, const pattern& p);
			void			_FillSpans(SpanList& spans, const pattern& p);
			void			_AddSpan(SpanList& spans, int64 y, int64 left, int64 right) const;
			void			_LineSpans(BPoint start, BPoint end, SpanList& spans) const;
			void			_WideLineSpans(BPoint start, BPoint end, SpanList& spans) const;
			void			_PolygonSpans(const BPoint* points, int32 count,
								SpanList& spans) const;
			void			_OutlineSpans(const BPoint* points, int32 count, bool closed,
								SpanList& spans) const;
			void			_EllipseSpans(BRect rect, bool fill, SpanList& spans) const;
			void			_RoundRectSpans(BRect rect, float xRadius, float yRadius,
								bool fill, SpanList& spans) const;
			void			_ArcSpans(BRect rect, float startAngle, float arcAngle, bool fill,
								SpanList& spans) const;
			BPoint			_ToBufferPoint(BPoint point) const;
			void			_BlendPixel(uint8* pixel, rgb_color source, bool isHigh,
								uint8 coverage);
			void			_DrawGlyph(const Glyph& glyph, int64 penX, int64 baseY,
								const clipping_rect& frame);

			uint8*			fBits;
			int32			fWidth;
			int32			fHeight;
			int32			fBytesPerRow;
			color_space		fSpace;
			BPoint			fOrigin;
			BRegion			fClipping;

			rgb_color		fHighColor;
			rgb_color		fLowColor;
			drawing_mode	fDrawingMode;
			source_alpha	fSourceAlpha;
			alpha_function	fAlphaFunction;
			float			fPenSize;
			BFont			fFont;
};

}	// namespace BPrivate

#endif	// _PRIVATE_PAINTER_H
