#ifndef QUORREL_ART_ART_CATALOG_H
#define QUORREL_ART_ART_CATALOG_H

#include "Canvas.h"

#include <string>
#include <vector>


// One picture the application ships, with the path it takes under the application
// directory ("Icons/cut.bmp").
struct ArtPicture {
	enum Format { kBmp, kPng };

	std::string	path;
	Canvas		canvas;
	Format		format;
};


// Everything the generator makes: the hand-drawn icons read from the text sources and
// the drawn pictures. The order is fixed, so output is the same on every run.
class ArtCatalog {
public:
	// Reads the text pictures under sourceFolder ("Icons/NAME.txt" becomes
	// "Icons/NAME.bmp") and adds the drawn ones. Returns false with a message naming
	// the file and line on the first fault.
	static	bool				Build(const std::string& sourceFolder,
									std::vector<ArtPicture>& pictures,
									std::string& error);

	// A contact sheet: every icon enlarged four times on the tool-bar grey, both sizes
	// side by side, then the images and the library pictures.
	static	Canvas				ContactSheet(const std::vector<ArtPicture>& pictures);
};


#endif
