#ifndef QUORREL_ART_LETTERING_H
#define QUORREL_ART_LETTERING_H

#include "Canvas.h"

#include <string>


// A small stroke font of its own, so that lettering looks the same on every machine
// (no system fonts). Glyphs are centre lines on a grid whose capitals are 8 units tall;
// they are drawn with round ends at any size and weight, anti-aliased.
class Lettering {
public:
								Lettering(double capHeight, double weight);

			// Extra space between letters, in pixels (may be negative).
			void				SetTracking(double tracking)
									{ fTracking = tracking; }

			bool				Covers(const std::string& text) const;
			double				Width(const std::string& text) const;

			// Draws text with its baseline starting at (x, baseline). Returns false,
			// drawing nothing, if a character has no glyph.
			bool				Draw(Canvas& canvas, const std::string& text, double x,
									double baseline, ArtColor color) const;
			// Draws text turned a quarter left, reading from the bottom up; the
			// baseline is the vertical line at x, starting at y = bottom.
			bool				DrawUpwards(Canvas& canvas, const std::string& text,
									double x, double bottom, ArtColor color) const;

private:
			bool				_Draw(Canvas& canvas, const std::string& text,
									double x, double y, bool upwards,
									ArtColor color) const;

			double				fScale;
			double				fWeight;
			double				fTracking;
};


#endif
