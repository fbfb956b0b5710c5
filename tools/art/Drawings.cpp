#include "Drawings.h"

#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>


const ArtColor Drawings::kProductBlue = { 45, 98, 217, 255 };
const ArtColor Drawings::kStripBlue = { 175, 193, 255, 255 };
const ArtColor Drawings::kDisketteGrey = { 151, 151, 151, 255 };


namespace {

const ArtColor kClear = { 0, 0, 0, 0 };
const ArtColor kWhite = { 255, 255, 255, 255 };
const ArtColor kBlueTop = { 92, 142, 240, 255 };
const ArtColor kBlueBottom = { 34, 80, 192, 255 };
const ArtColor kBlueEdge = { 22, 56, 142, 255 };
const ArtColor kBlueHighlight = { 150, 184, 255, 255 };


struct Point {
	double	x;
	double	y;
};

typedef std::vector<Point> Polyline;


// Strokes the polylines with round ends, filling their union once.
void
StrokeLines(Canvas& canvas, const std::vector<Polyline>& lines, double weight,
	ArtColor color)
{
	canvas.FillShape(0, 0, canvas.Width() - 1, canvas.Height() - 1,
		[&](double x, double y) {
			double nearest = std::numeric_limits<double>::max();
			for (const Polyline& line : lines) {
				for (size_t i = 0; i + 1 < line.size(); i++) {
					nearest = std::min(nearest, Canvas::SegmentDistance(x, y,
						line[i].x, line[i].y, line[i + 1].x, line[i + 1].y));
				}
			}
			return nearest - weight / 2;
		}, color);
}


Polyline
Ellipse(double centerX, double centerY, double radiusX, double radiusY)
{
	Polyline line;
	for (int i = 0; i <= 72; i++) {
		double angle = i * M_PI / 36;
		line.push_back({ centerX + radiusX * std::cos(angle),
			centerY + radiusY * std::sin(angle) });
	}
	return line;
}


// A rounded tile with a one-pixel dark edge, a light rim along its top and a vertical
// gradient: the raised, lightly bevelled face every drawn button shares.
void
BevelledTile(Canvas& canvas, double left, double top, double right, double bottom,
	double radius, ArtColor edge, ArtColor rim, ArtColor topColor, ArtColor bottomColor)
{
	canvas.FillRoundRect(left, top, right, bottom, radius, edge);
	canvas.FillRoundRect(left + 1, top + 1, right - 1, bottom - 1, radius - 1, rim);
	canvas.FillShapeShaded((int)left, (int)top, (int)right, (int)bottom,
		[=](double x, double y) {
			return Canvas::RoundRectDistance(x, y, left + 1, top + 2, right - 1,
				bottom - 1, radius - 1);
		},
		[=](double, double y) {
			return MixColors(topColor, bottomColor, (y - top) / (bottom - top));
		});
}


void
DrawMark(Canvas& canvas, double left, double top, double size, ArtColor color,
	ArtColor bracketColor)
{
	double centerX = left + size / 2;
	double centerY = top + size / 2;
	double weight = std::max(1.6, size * 0.085);
	std::vector<Polyline> q = {
		Ellipse(centerX, centerY - size * 0.015, size * 0.165, size * 0.215),
		{ { centerX + size * 0.04, centerY + size * 0.09 },
			{ centerX + size * 0.2, centerY + size * 0.27 } }
	};
	StrokeLines(canvas, q, weight, color);
	double bracketWeight = std::max(1.4, size * 0.07);
	std::vector<Polyline> brackets = {
		{ { left + size * 0.25, top + size * 0.36 }, { left + size * 0.12, centerY },
			{ left + size * 0.25, top + size * 0.64 } },
		{ { left + size * 0.75, top + size * 0.36 }, { left + size * 0.88, centerY },
			{ left + size * 0.75, top + size * 0.64 } }
	};
	StrokeLines(canvas, brackets, bracketWeight, bracketColor);
}

}	// namespace


Canvas
Drawings::Emblem(int size, bool inverted)
{
	Canvas canvas(size, size, kClear);
	double radius = size * 0.2;
	if (inverted) {
		BevelledTile(canvas, 0, 0, size, size, radius, kBlueEdge, kWhite,
			MakeColor(248, 250, 255), MakeColor(214, 224, 248));
		DrawMark(canvas, 0, 0, size, kProductBlue, MakeColor(92, 130, 220));
	} else {
		BevelledTile(canvas, 0, 0, size, size, radius, kBlueEdge, kBlueHighlight,
			kBlueTop, kBlueBottom);
		DrawMark(canvas, 0, 0, size, kWhite, kStripBlue);
	}
	return canvas;
}


Canvas
Drawings::Diskette()
{
	Canvas canvas(96, 96, kDisketteGrey);
	const double left = 8, top = 7, right = 86, bottom = 85, cut = 10;

	auto body = [=](double inset) {
		return [=](double x, double y) {
			double box = Canvas::RoundRectDistance(x, y, left + inset, top + inset,
				right - inset, bottom - inset, 5 - inset * 0.5);
			double corner = ((x - y) - (right - cut - top - inset * 0.6)) / M_SQRT2;
			return std::max(box, corner);
		};
	};

	// A soft shadow down and to the right lifts the diskette off the strip.
	for (int i = 3; i >= 1; i--) {
		canvas.FillShape(0, 0, 95, 95,
			[=](double x, double y) { return body(0)(x - i - 1, y - i - 1) - i * 0.5; },
			MakeColor(0, 0, 0, 28));
	}
	canvas.FillShape(0, 0, 95, 95, body(0), kBlueEdge);
	canvas.FillShape(0, 0, 95, 95, body(1), kBlueHighlight);
	canvas.FillShapeShaded(0, 0, 95, 95,
		[=](double x, double y) { return body(1)(x, y - 1); },
		[=](double, double y) {
			return MixColors(MakeColor(76, 128, 234), kBlueBottom,
				(y - top) / (bottom - top));
		});

	// The metal shutter with its window.
	canvas.FillRect(26, 7, 40, 31, MakeColor(108, 116, 132));
	canvas.VerticalGradient(27, 8, 38, 29, MakeColor(236, 238, 242),
		MakeColor(184, 190, 202));
	canvas.FillRect(27, 8, 38, 1, kWhite);
	canvas.FillRoundRect(52, 13, 60, 32, 1.5, MakeColor(48, 58, 78));
	canvas.FillRect(53, 13, 6, 1, MakeColor(30, 36, 50));

	// The paper label with ruled lines.
	canvas.FillRoundRect(17, 46, 77, 86, 3, MakeColor(22, 56, 142, 160));
	canvas.FillRoundRect(18, 47, 76, 86, 2.5, MakeColor(250, 251, 253));
	canvas.FillRect(18, 47, 58, 6, kStripBlue);
	canvas.FillRect(18, 53, 58, 1, MakeColor(150, 170, 230));
	for (int y = 61; y <= 79; y += 6)
		canvas.FillRect(23, y, 48, 1, MakeColor(196, 204, 222));
	canvas.FillRect(17, 85, 60, 1, kBlueEdge);
	canvas.FillRect(10, 78, 3, 3, MakeColor(22, 56, 142));
	canvas.FillRect(81, 78, 3, 3, MakeColor(22, 56, 142));
	return canvas;
}


Canvas
Drawings::Logo()
{
	Canvas canvas(91, 130, kStripBlue);
	Canvas emblem = Emblem(70, false);
	// A faint shadow under the tile.
	canvas.FillRoundRect(11, 13, 81, 83, 14, MakeColor(22, 56, 142, 50));
	canvas.Draw(emblem, 10, 10);

	Lettering lettering(11, 1.9);
	ArtColor ink = MakeColor(30, 72, 178);
	std::string first = "HTML";
	std::string second = "Editor";
	lettering.Draw(canvas, first, std::round((91 - lettering.Width(first)) / 2), 104, ink);
	lettering.Draw(canvas, second, std::round((91 - lettering.Width(second)) / 2), 122,
		ink);
	return canvas;
}


Canvas
Drawings::NameLogo()
{
	Canvas canvas(309, 44, kProductBlue);
	Lettering name(26, 4.4);
	name.SetTracking(0.5);
	name.Draw(canvas, "Quorrel", 14, 35, kWhite);

	Lettering subtitle(11, 1.8);
	subtitle.Draw(canvas, "HTML Editor", 14 + name.Width("Quorrel") + 16, 35, kStripBlue);
	return canvas;
}


Canvas
Drawings::Version()
{
	Canvas canvas(91, 32, kProductBlue);
	Lettering number(11, 2.0);
	number.SetTracking(0.3);
	std::string version = "0.5.0";
	number.Draw(canvas, version, std::round((91 - number.Width(version)) / 2), 15, kWhite);
	Lettering variety(9, 1.5);
	std::string alpha = "alpha";
	variety.Draw(canvas, alpha, std::round((91 - variety.Width(alpha)) / 2), 27, kStripBlue);
	return canvas;
}


Canvas
Drawings::WizardBanner()
{
	Canvas canvas(50, 200, kProductBlue);
	canvas.VerticalGradient(0, 0, 50, 200, MakeColor(82, 134, 238), MakeColor(26, 64, 164));
	// A light bevel: lit from the top left.
	canvas.FillRect(0, 0, 50, 1, kBlueHighlight);
	canvas.FillRect(0, 0, 1, 200, kBlueHighlight);
	canvas.FillRect(0, 199, 50, 1, kBlueEdge);
	canvas.FillRect(49, 0, 1, 200, kBlueEdge);

	canvas.Draw(Emblem(38, true), 6, 7);

	Lettering name(20, 3.2);
	name.SetTracking(0.5);
	std::string text = "Quorrel";
	double length = name.Width(text);
	double bottom = 53 + (200 - 53 + length) / 2;
	name.DrawUpwards(canvas, text, 34, bottom, kWhite);
	return canvas;
}


Canvas
Drawings::Bullet(ArtColor color)
{
	Canvas canvas(14, 14, kClear);
	ArtColor edge = MixColors(color, MakeColor(0, 0, 0), 0.35);
	ArtColor light = MixColors(color, kWhite, 0.45);
	canvas.FillDisc(7, 7, 6.2, edge);
	canvas.FillShapeShaded(0, 0, 13, 13,
		[](double x, double y) { return std::hypot(x - 7, y - 7) - 5.2; },
		[=](double, double y) { return MixColors(light, color, (y - 2) / 9); });
	canvas.FillDisc(5.6, 5.2, 1.9, MakeColor(255, 255, 255, 190));
	return canvas;
}


Canvas
Drawings::Rule(int kind)
{
	const int width = 480;
	if (kind == 1) {
		Canvas canvas(width, 2, MakeColor(128, 128, 128));
		canvas.FillRect(0, 1, width, 1, kWhite);
		return canvas;
	}
	if (kind == 2) {
		Canvas canvas(width, 4, kClear);
		for (int x = 2; x < width; x += 8)
			canvas.FillDisc(x, 2, 1.6, kProductBlue);
		return canvas;
	}
	Canvas canvas(width, 3, kClear);
	for (int x = 0; x < width; x++) {
		// Full strength in the middle, fading out over the outer fifth on each side.
		double edge = std::min(x + 0.5, width - x - 0.5) / (width * 0.2);
		int alpha = (int)std::lround(255 * std::min(1.0, edge));
		canvas.SetPixel(x, 0, MakeColor(kBlueHighlight.red, kBlueHighlight.green,
			kBlueHighlight.blue, alpha));
		canvas.SetPixel(x, 1, MakeColor(kProductBlue.red, kProductBlue.green,
			kProductBlue.blue, alpha));
		canvas.SetPixel(x, 2, MakeColor(kBlueEdge.red, kBlueEdge.green, kBlueEdge.blue,
			alpha));
	}
	return canvas;
}


Canvas
Drawings::Button(int kind)
{
	Canvas canvas(24, 24, kClear);
	BevelledTile(canvas, 0, 0, 24, 24, 5, kBlueEdge, kBlueHighlight, kBlueTop, kBlueBottom);
	std::vector<Polyline> lines;
	switch (kind) {
		case 0:
			lines = { { { 14, 6.5 }, { 8.5, 12 }, { 14, 17.5 } } };
			break;
		case 1:
			lines = { { { 10, 6.5 }, { 15.5, 12 }, { 10, 17.5 } } };
			break;
		case 2:
			lines = { { { 6.5, 14 }, { 12, 8.5 }, { 17.5, 14 } },
				{ { 7, 6 }, { 17, 6 } } };
			break;
		default:
			lines = { { { 5.5, 11.5 }, { 12, 5.5 }, { 18.5, 11.5 } },
				{ { 8, 10.5 }, { 8, 18 }, { 16, 18 }, { 16, 10.5 } } };
			break;
	}
	StrokeLines(canvas, lines, 2.4, kWhite);
	return canvas;
}
