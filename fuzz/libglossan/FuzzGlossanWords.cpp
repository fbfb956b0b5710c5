// Reads arbitrary bytes as a word list and looks every source text up again.

#include <libglossan/Glossan.h>

#include "FuzzHelpers.h"

#include <cstring>

using namespace BPrivate;


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static const char kIndex[] = "Default language: English;\nFuzz \"words.dic\"\n";
	WriteFuzzFile("dictionary", kIndex, sizeof(kIndex) - 1);
	WriteFuzzFile("words.dic", data, size);

	Glossan dictionary("dictionary", FuzzFolder().c_str());
	if (dictionary.SetLanguage("Fuzz") != 0)
		std::abort();
	int32_t count = dictionary.GetNumberOfWords();
	if (count < 0 || count > Glossan::kMaxWords)
		std::abort();
	for (int32_t i = 0; i < count; i++) {
		const char* source = dictionary.DirectAccessToUntranslated(i);
		const char* translation = dictionary.DirectAccessToTranslated(i);
		if (source == nullptr || translation == nullptr
			|| std::strlen(source) > 255 || std::strlen(translation) > 255)
			std::abort();
		// The source text is in the table, so it must translate to something of it.
		if (dictionary.Translate(source) == source)
			std::abort();
	}
	const char* missing = "\x01 no such text";
	if (count == 0 && dictionary.Translate(missing) != missing)
		std::abort();
	return 0;
}
