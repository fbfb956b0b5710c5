#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <vector>


namespace {

struct Glyph {
	char		character;
	double		width;
	const char*	strokes;
};

// Strokes separated by ';'. "L x y x y ..." is a polyline; "A cx cy rx ry from to" an
// elliptic arc (degrees, 0 to the right, 90 downwards); "E cx cy rx ry" a whole
// ellipse. The baseline is y = 8, the x-height y = 3.
const Glyph kGlyphs[] = {
	{ ' ', 2.2, "" },
	{ '.', 0, "L 0 7.95 0 8" },
	{ '-', 3, "L 0 5 3 5" },
	{ '0', 5, "E 2.5 4 2.5 4" },
	{ '5', 4.8, "L 4.6 0 0.6 0 0.3 3.5; A 2.3 5.3 2.6 2.7 -130 140" },
	{ 'E', 4.6, "L 4.6 0 0 0 0 8 4.6 8; L 0 4 3.9 4" },
	{ 'H', 5.4, "L 0 0 0 8; L 5.4 0 5.4 8; L 0 4 5.4 4" },
	{ 'L', 4.4, "L 0 0 0 8 4.4 8" },
	{ 'M', 7, "L 0 8 0 0 3.5 5.6 7 0 7 8" },
	{ 'Q', 7, "E 3.5 4 3.5 4; L 4.5 5.9 7.3 8.9" },
	{ 'T', 6, "L 0 0 6 0; L 3 0 3 8" },
	{ 'a', 5, "E 2.5 5.5 2.5 2.5; L 5 3 5 8" },
	{ 'd', 5, "E 2.5 5.5 2.5 2.5; L 5 0 5 8" },
	{ 'e', 5, "L 0 5.5 5 5.5; A 2.5 5.5 2.5 2.5 0 -315" },
	{ 'h', 5, "L 0 0 0 8; A 2.5 5.5 2.5 2.5 180 360; L 5 5.5 5 8" },
	{ 'i', 0, "L 0 3 0 8; L 0 0.9 0 1" },
	{ 'l', 0, "L 0 0 0 8" },
	{ 'o', 5, "E 2.5 5.5 2.5 2.5" },
	{ 'p', 5, "E 2.5 5.5 2.5 2.5; L 0 3 0 10.5" },
	{ 'r', 3.4, "L 0 3 0 8; A 3.3 6.2 3.3 3.2 180 270" },
	{ 't', 3, "L 1 0.8 1 6.6; A 2.7 6.6 1.7 1.4 180 90; L 0 3 3 3" },
	{ 'u', 5, "L 0 3 0 5.5; A 2.5 5.5 2.5 2.5 180 0; L 5 3 5 8" },
};

const double kLetterGap = 1.9;


const Glyph*
FindGlyph(char c)
{
	for (const Glyph& glyph : kGlyphs) {
		if (glyph.character == c)
			return &glyph;
	}
	return nullptr;
}


struct Point {
	double	x;
	double	y;
};

typedef std::vector<Point> Polyline;


std::vector<Polyline>
GlyphStrokes(const Glyph& glyph)
{
	std::vector<Polyline> strokes;
	std::istringstream all(glyph.strokes);
	std::string part;
	while (std::getline(all, part, ';')) {
		std::istringstream words(part);
		std::string kind;
		if (!(words >> kind))
			continue;
		std::vector<double> numbers;
		double number;
		while (words >> number)
			numbers.push_back(number);
		Polyline line;
		if (kind == "L") {
			for (size_t i = 0; i + 1 < numbers.size(); i += 2)
				line.push_back({ numbers[i], numbers[i + 1] });
		} else if ((kind == "A" && numbers.size() == 6) || (kind == "E" && numbers.size() == 4)) {
			double from = kind == "A" ? numbers[4] : 0;
			double to = kind == "A" ? numbers[5] : 360;
			int steps = std::max(8, (int)(std::fabs(to - from) / 6));
			for (int i = 0; i <= steps; i++) {
				double angle = (from + (to - from) * i / steps) * M_PI / 180.0;
				line.push_back({ numbers[0] + numbers[2] * std::cos(angle),
					numbers[1] + numbers[3] * std::sin(angle) });
			}
		}
		if (!line.empty())
			strokes.push_back(line);
	}
	return strokes;
}

}	// namespace


Lettering::Lettering(double capHeight, double weight)
	:
	fScale(capHeight / 8.0),
	fWeight(weight),
	fTracking(0)
{
}


bool
Lettering::Covers(const std::string& text) const
{
	for (char c : text) {
		if (FindGlyph(c) == nullptr)
			return false;
	}
	return true;
}


double
Lettering::Width(const std::string& text) const
{
	double width = 0;
	for (size_t i = 0; i < text.size(); i++) {
		const Glyph* glyph = FindGlyph(text[i]);
		if (glyph == nullptr)
			continue;
		width += glyph->width * fScale;
		if (i + 1 < text.size())
			width += kLetterGap * fScale + fWeight + fTracking;
	}
	return width + fWeight;
}


bool
Lettering::Draw(Canvas& canvas, const std::string& text, double x, double baseline,
	ArtColor color) const
{
	return _Draw(canvas, text, x, baseline, false, color);
}


bool
Lettering::DrawUpwards(Canvas& canvas, const std::string& text, double x, double bottom,
	ArtColor color) const
{
	return _Draw(canvas, text, x, bottom, true, color);
}


bool
Lettering::_Draw(Canvas& canvas, const std::string& text, double x, double y,
	bool upwards, ArtColor color) const
{
	if (!Covers(text))
		return false;

	// Collect every segment first and fill their union once, so that strokes that
	// meet do not darken where they overlap.
	struct Segment {
		Point	from;
		Point	to;
	};
	std::vector<Segment> segments;
	double advance = fWeight / 2;
	for (char c : text) {
		const Glyph* glyph = FindGlyph(c);
		for (const Polyline& line : GlyphStrokes(*glyph)) {
			Polyline placed;
			for (Point point : line) {
				double along = advance + point.x * fScale;
				double down = (point.y - 8.0) * fScale;
				if (upwards)
					placed.push_back({ x + down, y - along });
				else
					placed.push_back({ x + along, y + down });
			}
			if (placed.size() == 1)
				placed.push_back(placed[0]);
			for (size_t i = 0; i + 1 < placed.size(); i++)
				segments.push_back({ placed[i], placed[i + 1] });
		}
		advance += (glyph->width + kLetterGap) * fScale + fWeight + fTracking;
	}
	if (segments.empty())
		return true;

	double left = std::numeric_limits<double>::max();
	double top = left;
	double right = -left;
	double bottom = -left;
	for (const Segment& segment : segments) {
		left = std::min({ left, segment.from.x, segment.to.x });
		right = std::max({ right, segment.from.x, segment.to.x });
		top = std::min({ top, segment.from.y, segment.to.y });
		bottom = std::max({ bottom, segment.from.y, segment.to.y });
	}
	double margin = fWeight + 2;
	double radius = fWeight / 2;
	canvas.FillShape((int)(left - margin), (int)(top - margin), (int)(right + margin),
		(int)(bottom + margin),
		[&](double px, double py) {
			double nearest = std::numeric_limits<double>::max();
			for (const Segment& segment : segments) {
				nearest = std::min(nearest, Canvas::SegmentDistance(px, py,
					segment.from.x, segment.from.y, segment.to.x, segment.to.y));
			}
			return nearest - radius;
		}, color);
	return true;
}
