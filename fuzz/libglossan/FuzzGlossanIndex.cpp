// Reads arbitrary bytes as the language index, lists every language and chooses
// each of them, with one word list present in the folder.

#include <libglossan/Glossan.h>

#include "FuzzHelpers.h"

#include <cstring>
#include <string_view>

using namespace BPrivate;


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static const char kWords[] = "\"File\" \"Plik\"\n\"Edit\" \"Edycja\"\n";
	WriteFuzzFile("words.dic", kWords, sizeof(kWords) - 1);
	WriteFuzzFile("dictionary", data, size);

	Glossan dictionary("dictionary", FuzzFolder().c_str());
	int32_t count = dictionary.GetNumberOfLanguages();
	if (count < 0 || count > Glossan::kMaxLanguages)
		std::abort();
	if (std::strlen(dictionary.GetDefaultLanguage()) > 255)
		std::abort();

	// A file name with ".." could lead out of the folder to a device that never
	// ends a read; languages are only chosen when the index cannot name one.
	std::string_view bytes(reinterpret_cast<const char*>(data), size);
	bool canLeaveFolder = bytes.find("..") != std::string_view::npos;
	for (int32_t i = 0; i < count; i++) {
		const char* name = dictionary.LanguageList(i);
		if (name == nullptr || std::strlen(name) > 255)
			std::abort();
		if (canLeaveFolder || i >= 8)
			continue;
		dictionary.SetLanguage(name);
		const char* text = "File";
		const char* translated = dictionary.Translate(text);
		if (translated == nullptr)
			std::abort();
	}
	dictionary.SetLanguage(dictionary.GetDefaultLanguage());
	const char* text = "Edit";
	if (dictionary.Translate(text) != text)
		std::abort();
	return 0;
}
