#ifndef QUORREL_ART_DRAWINGS_H
#define QUORREL_ART_DRAWINGS_H

#include "Canvas.h"


// The larger pictures, drawn by code because they are too big to keep as text. Each
// is opaque over the colour its window paints behind it, unless it says otherwise.
namespace Drawings {

extern const ArtColor kProductBlue;		// 45, 98, 217
extern const ArtColor kStripBlue;		// 175, 193, 255, the about window's strip
extern const ArtColor kDisketteGrey;	// 151, 151, 151, the unsaved-documents strip

// The product mark: a blue tile with a white "Q" between angle brackets. With
// inverted, a white tile with a blue mark. The corners are transparent.
Canvas		Emblem(int size, bool inverted);

Canvas		Diskette();			// 96 x 96 over kDisketteGrey
Canvas		Logo();				// 91 x 130 over kStripBlue
Canvas		NameLogo();			// 309 x 44 over kProductBlue
Canvas		Version();			// 91 x 32 over kProductBlue
Canvas		WizardBanner();		// 50 x 200, self-contained

// Web graphics for the image library, with transparent backgrounds where it helps.
Canvas		Bullet(ArtColor color);
Canvas		Rule(int kind);		// 0 blue fading line, 1 engraved grey, 2 blue dots
Canvas		Button(int kind);	// 0 back, 1 next, 2 top, 3 home

}	// namespace Drawings


#endif
