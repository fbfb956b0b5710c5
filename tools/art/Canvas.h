#ifndef QUORREL_ART_CANVAS_H
#define QUORREL_ART_CANVAS_H

#include <cstdint>
#include <functional>
#include <vector>


// One pixel, straight (not premultiplied) alpha.
struct ArtColor {
	uint8_t	red;
	uint8_t	green;
	uint8_t	blue;
	uint8_t	alpha;

	bool operator==(const ArtColor& other) const = default;
};


ArtColor	MakeColor(int red, int green, int blue, int alpha = 255);
// Mixes two colours; amount 0 gives first, 1 gives second.
ArtColor	MixColors(ArtColor first, ArtColor second, double amount);


// A picture in memory with the few drawing operations the pictures need. Shapes are
// described by signed distance functions (negative inside) so that their edges are
// anti-aliased the same way everywhere.
class Canvas {
public:
	typedef std::function<double(double x, double y)> DistanceFunction;

								Canvas();
								Canvas(int width, int height, ArtColor fill);

			int					Width() const { return fWidth; }
			int					Height() const { return fHeight; }

			ArtColor			PixelAt(int x, int y) const;
			void				SetPixel(int x, int y, ArtColor color);
			// Lays color over the pixel with the given coverage (0 to 1).
			void				BlendPixel(int x, int y, ArtColor color,
									double coverage = 1.0);

			void				FillRect(int left, int top, int width, int height,
									ArtColor color);
			void				VerticalGradient(int left, int top, int width,
									int height, ArtColor topColor,
									ArtColor bottomColor);

			// Fills where distance(x + 0.5, y + 0.5) < 0 within the box, with a
			// one-pixel soft edge.
			void				FillShape(int left, int top, int right, int bottom,
									const DistanceFunction& distance,
									ArtColor color);
			// Like FillShape, but the colour of each pixel comes from shade(x, y).
			void				FillShapeShaded(int left, int top, int right,
									int bottom, const DistanceFunction& distance,
									const std::function<ArtColor(double, double)>&
										shade);

			void				FillRoundRect(double left, double top, double right,
									double bottom, double radius, ArtColor color);
			void				FillDisc(double centerX, double centerY,
									double radius, ArtColor color);

			// Draws source with its top-left corner at (x, y), blending by alpha.
			void				Draw(const Canvas& source, int x, int y);
			// Each pixel becomes a factor x factor block.
			Canvas				Enlarged(int factor) const;

			const std::vector<ArtColor>& Pixels() const { return fPixels; }

	// Distance helpers for FillShape.
	static	double				RoundRectDistance(double x, double y, double left,
									double top, double right, double bottom,
									double radius);
	static	double				SegmentDistance(double x, double y, double x1,
									double y1, double x2, double y2);

private:
			int					fWidth;
			int					fHeight;
			std::vector<ArtColor> fPixels;
};


#endif
