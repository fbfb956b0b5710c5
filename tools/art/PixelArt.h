#ifndef QUORREL_ART_PIXEL_ART_H
#define QUORREL_ART_PIXEL_ART_H

#include "Canvas.h"

#include <string>


// Reads a picture drawn as text. The format, line by line:
//
//   # a comment (outside the pixel grid only)
//   size 16 16
//   palette
//   . 220 220 220          one character, then red, green and blue
//   t transparent          the colour BeOS skips when drawing in B_OP_OVER
//   pixels
//   ................       exactly "size" rows of exactly "size" characters
//
// Every character of the grid must be in the palette.
class PixelArt {
public:
	// Parses text; source names the file in error messages ("name:line: what").
	// Returns false and leaves picture untouched on any fault.
	static	bool				Parse(const std::string& text,
									const std::string& source, Canvas& picture,
									std::string& error);

	// Reads and parses a file.
	static	bool				Load(const std::string& path, Canvas& picture,
									std::string& error);

	static	const int			kMaximumSize = 512;
};


// The colour BeOS treats as transparent in 32-bit bitmaps (B_TRANSPARENT_32_BIT).
extern const ArtColor kTransparentMagic;


#endif
