// Feeds arbitrary bytes to the translator roster, as a damaged image file would arrive,
// and draws the result so that a wrongly sized bitmap would show.

#include <Bitmap.h>
#include <BitmapStream.h>
#include <DataIO.h>
#include <TranslatorRoster.h>

#include <cstdint>
#include <cstring>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMemoryIO source(data, size);
	BBitmapStream stream;
	status_t status = BTranslatorRoster::Default()->Translate(&source, NULL, NULL, &stream,
		B_TRANSLATOR_BITMAP);
	if (status != B_OK)
		return 0;
	BBitmap* bitmap = NULL;
	if (stream.DetachBitmap(&bitmap) != B_OK || bitmap == NULL)
		return 0;
	// Touch every byte of the result.
	const uint8* bits = (const uint8*)bitmap->Bits();
	uint32 sum = 0;
	for (int32 i = 0; i < bitmap->BitsLength(); i++)
		sum += bits[i];
	volatile uint32 sink = sum;
	(void)sink;
	delete bitmap;
	return 0;
}
