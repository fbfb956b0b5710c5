/*
 * BTranslatorRoster: the translators that turn image files into bitmaps. The default
 * roster reads BMP (every common depth, RLE4 and RLE8, OS/2 and Windows headers), PNG,
 * JPEG and GIF, and writes B_TRANSLATOR_BITMAP (the format BBitmapStream takes). The
 * translators are built in; none are loaded from add-on folders.
 */
#ifndef _TRANSLATOR_ROSTER_H
#define _TRANSLATOR_ROSTER_H

#include <TranslationDefs.h>
#include <TranslatorFormats.h>

class BMessage;
class BPositionIO;

class BTranslatorRoster {
public:
							BTranslatorRoster();
	virtual					~BTranslatorRoster();

	// The shared roster; never deleted.
	static	BTranslatorRoster* Default();

	// Finds the translator that reads source (examining its bytes; the hints are not
	// needed). B_NO_TRANSLATOR when nothing recognises the data. The source position is
	// restored.
	virtual	status_t		Identify(BPositionIO* source, BMessage* ioExtension,
								translator_info* info, uint32 hintType = 0,
								const char* hintMIME = NULL, uint32 wantType = 0);

	// Reads source from its current position and writes it to destination as wantOutType
	// (B_TRANSLATOR_BITMAP, or 0 for the same). info may come from Identify or be NULL.
	// B_NO_TRANSLATOR for data nobody reads or an output type nobody writes,
	// B_ILLEGAL_DATA for damaged or truncated images and absurd sizes, B_BAD_VALUE for
	// NULL streams. ioExtension is not used.
	virtual	status_t		Translate(BPositionIO* source, const translator_info* info,
								BMessage* ioExtension, BPositionIO* destination,
								uint32 wantOutType, uint32 hintType = 0,
								const char* hintMIME = NULL);

	virtual	status_t		GetAllTranslators(translator_id** outList, int32* outCount);
	virtual	status_t		GetTranslatorInfo(translator_id translator, const char** outName,
								const char** outInfo, int32* outVersion);

private:
							BTranslatorRoster(const BTranslatorRoster&);
			BTranslatorRoster& operator=(const BTranslatorRoster&);
};

#endif	// _TRANSLATOR_ROSTER_H
