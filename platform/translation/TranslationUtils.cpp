#include <TranslationUtils.h>

#include <Bitmap.h>
#include <BitmapStream.h>
#include <File.h>
#include <StorageDefs.h>
#include <TranslatorRoster.h>


BBitmap*
BTranslationUtils::GetBitmap(const char* name, BTranslatorRoster* roster)
{
	return GetBitmapFile(name, roster);
}


BBitmap*
BTranslationUtils::GetBitmapFile(const char* path, BTranslatorRoster* roster)
{
	if (path == NULL)
		return NULL;
	BFile file(path, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return NULL;
	return GetBitmap(&file, roster);
}


BBitmap*
BTranslationUtils::GetBitmap(BPositionIO* stream, BTranslatorRoster* roster)
{
	if (stream == NULL)
		return NULL;
	if (roster == NULL)
		roster = BTranslatorRoster::Default();
	BBitmapStream bitmapStream;
	if (roster->Translate(stream, NULL, NULL, &bitmapStream, B_TRANSLATOR_BITMAP) != B_OK)
		return NULL;
	BBitmap* bitmap = NULL;
	if (bitmapStream.DetachBitmap(&bitmap) != B_OK)
		return NULL;
	return bitmap;
}
