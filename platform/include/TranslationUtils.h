/*
 * BTranslationUtils: one-call loading of bitmaps through the translator roster.
 */
#ifndef _TRANSLATION_UTILS_H
#define _TRANSLATION_UTILS_H

#include <SupportDefs.h>

class BBitmap;
class BPositionIO;
class BTranslatorRoster;

class BTranslationUtils {
public:
	// A new bitmap read from the file at path (there are no application resources
	// here, so GetBitmap takes a path as well); NULL when it cannot be read or decoded.
	static	BBitmap*		GetBitmap(const char* name, BTranslatorRoster* roster = NULL);
	static	BBitmap*		GetBitmapFile(const char* path, BTranslatorRoster* roster = NULL);
	// A new bitmap decoded from stream, read from its current position.
	static	BBitmap*		GetBitmap(BPositionIO* stream, BTranslatorRoster* roster = NULL);

private:
							BTranslationUtils();
};

#endif	// _TRANSLATION_UTILS_H
