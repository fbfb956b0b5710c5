#include "Canvas.h"

#include <algorithm>
#include <cmath>


ArtColor
MakeColor(int red, int green, int blue, int alpha)
{
	auto clamp = [](int value) { return (uint8_t)std::clamp(value, 0, 255); };
	return ArtColor{ clamp(red), clamp(green), clamp(blue), clamp(alpha) };
}


ArtColor
MixColors(ArtColor first, ArtColor second, double amount)
{
	amount = std::clamp(amount, 0.0, 1.0);
	auto mix = [amount](uint8_t a, uint8_t b) {
		return (int)std::lround(a + (b - a) * amount);
	};
	return MakeColor(mix(first.red, second.red), mix(first.green, second.green),
		mix(first.blue, second.blue), mix(first.alpha, second.alpha));
}


Canvas::Canvas()
	:
	fWidth(0),
	fHeight(0)
{
}


Canvas::Canvas(int width, int height, ArtColor fill)
	:
	fWidth(std::max(width, 0)),
	fHeight(std::max(height, 0)),
	fPixels((size_t)fWidth * fHeight, fill)
{
}


ArtColor
Canvas::PixelAt(int x, int y) const
{
	if (x < 0 || y < 0 || x >= fWidth || y >= fHeight)
		return ArtColor{ 0, 0, 0, 0 };
	return fPixels[(size_t)y * fWidth + x];
}


void
Canvas::SetPixel(int x, int y, ArtColor color)
{
	if (x < 0 || y < 0 || x >= fWidth || y >= fHeight)
		return;
	fPixels[(size_t)y * fWidth + x] = color;
}


void
Canvas::BlendPixel(int x, int y, ArtColor color, double coverage)
{
	if (x < 0 || y < 0 || x >= fWidth || y >= fHeight)
		return;
	double sourceAlpha = color.alpha / 255.0 * std::clamp(coverage, 0.0, 1.0);
	if (sourceAlpha <= 0.0)
		return;
	ArtColor& dest = fPixels[(size_t)y * fWidth + x];
	double destAlpha = dest.alpha / 255.0;
	double outAlpha = sourceAlpha + destAlpha * (1.0 - sourceAlpha);
	auto channel = [&](uint8_t source, uint8_t target) {
		double value = (source * sourceAlpha + target * destAlpha * (1.0 - sourceAlpha))
			/ outAlpha;
		return (int)std::lround(value);
	};
	dest = MakeColor(channel(color.red, dest.red), channel(color.green, dest.green),
		channel(color.blue, dest.blue), (int)std::lround(outAlpha * 255.0));
}


void
Canvas::FillRect(int left, int top, int width, int height, ArtColor color)
{
	for (int y = top; y < top + height; y++) {
		for (int x = left; x < left + width; x++)
			SetPixel(x, y, color);
	}
}


void
Canvas::VerticalGradient(int left, int top, int width, int height, ArtColor topColor,
	ArtColor bottomColor)
{
	for (int y = top; y < top + height; y++) {
		double amount = height > 1 ? (double)(y - top) / (height - 1) : 0.0;
		ArtColor color = MixColors(topColor, bottomColor, amount);
		for (int x = left; x < left + width; x++)
			SetPixel(x, y, color);
	}
}


void
Canvas::FillShape(int left, int top, int right, int bottom,
	const DistanceFunction& distance, ArtColor color)
{
	FillShapeShaded(left, top, right, bottom, distance,
		[color](double, double) { return color; });
}


void
Canvas::FillShapeShaded(int left, int top, int right, int bottom,
	const DistanceFunction& distance,
	const std::function<ArtColor(double, double)>& shade)
{
	left = std::max(left, 0);
	top = std::max(top, 0);
	right = std::min(right, fWidth - 1);
	bottom = std::min(bottom, fHeight - 1);
	for (int y = top; y <= bottom; y++) {
		for (int x = left; x <= right; x++) {
			double d = distance(x + 0.5, y + 0.5);
			double coverage = std::clamp(0.5 - d, 0.0, 1.0);
			if (coverage > 0.0)
				BlendPixel(x, y, shade(x + 0.5, y + 0.5), coverage);
		}
	}
}


void
Canvas::FillRoundRect(double left, double top, double right, double bottom,
	double radius, ArtColor color)
{
	FillShape((int)std::floor(left) - 1, (int)std::floor(top) - 1,
		(int)std::ceil(right) + 1, (int)std::ceil(bottom) + 1,
		[=](double x, double y) {
			return RoundRectDistance(x, y, left, top, right, bottom, radius);
		}, color);
}


void
Canvas::FillDisc(double centerX, double centerY, double radius, ArtColor color)
{
	FillShape((int)std::floor(centerX - radius) - 1, (int)std::floor(centerY - radius) - 1,
		(int)std::ceil(centerX + radius) + 1, (int)std::ceil(centerY + radius) + 1,
		[=](double x, double y) {
			return std::hypot(x - centerX, y - centerY) - radius;
		}, color);
}


void
Canvas::Draw(const Canvas& source, int left, int top)
{
	for (int y = 0; y < source.Height(); y++) {
		for (int x = 0; x < source.Width(); x++) {
			ArtColor color = source.PixelAt(x, y);
			BlendPixel(left + x, top + y, color);
		}
	}
}


Canvas
Canvas::Enlarged(int factor) const
{
	factor = std::max(factor, 1);
	Canvas result(fWidth * factor, fHeight * factor, ArtColor{ 0, 0, 0, 0 });
	for (int y = 0; y < result.Height(); y++) {
		for (int x = 0; x < result.Width(); x++)
			result.SetPixel(x, y, PixelAt(x / factor, y / factor));
	}
	return result;
}


double
Canvas::RoundRectDistance(double x, double y, double left, double top, double right,
	double bottom, double radius)
{
	// The distance to a rectangle shrunk by radius, minus the radius.
	double halfWidth = (right - left) / 2 - radius;
	double halfHeight = (bottom - top) / 2 - radius;
	double dx = std::fabs(x - (left + right) / 2) - halfWidth;
	double dy = std::fabs(y - (top + bottom) / 2) - halfHeight;
	double outside = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
	double inside = std::min(std::max(dx, dy), 0.0);
	return outside + inside - radius;
}


double
Canvas::SegmentDistance(double x, double y, double x1, double y1, double x2, double y2)
{
	double dx = x2 - x1;
	double dy = y2 - y1;
	double lengthSquared = dx * dx + dy * dy;
	double t = 0.0;
	if (lengthSquared > 0.0)
		t = std::clamp(((x - x1) * dx + (y - y1) * dy) / lengthSquared, 0.0, 1.0);
	return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}
