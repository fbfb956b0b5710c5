#include <libglossan/Glossan.h>

#include <cstdio>
#include <cstring>


namespace BPrivate {

// One line of a dictionary file, as read into a 256-byte buffer: a C string of at
// most 255 characters, ending at its line feed (kept), at a NUL byte or at the end of
// the piece.
class GlossanLine {
public:
	GlossanLine(const char* text)
		: fPosition(text), fEnd(text + std::strlen(text)) {}

	bool
	AtEnd() const
	{
		return fPosition >= fEnd;
	}

	// Steps over up to `count` characters, never past the end of the line.
	void
	Skip(size_t count)
	{
		size_t left = fEnd - fPosition;
		fPosition += count < left ? count : left;
	}

	// Returns the text from here up to, not including, the first character of
	// `stops`, or up to the end of the line, and stops on that character.
	std::string
	TextUntil(const char* stops)
	{
		const char* start = fPosition;
		while (fPosition < fEnd && std::strchr(stops, *fPosition) == nullptr)
			fPosition++;
		return std::string(start, fPosition - start);
	}

	// Finds `character` and stands right after it; false (and at the end) if the
	// line has none.
	bool
	SkipPast(char character)
	{
		const char* found = (const char*)std::memchr(fPosition, character, fEnd - fPosition);
		if (found == nullptr) {
			fPosition = fEnd;
			return false;
		}
		fPosition = found + 1;
		return true;
	}

private:
	const char*	fPosition;
	const char*	fEnd;
};


static std::string
BoundedCopy(const char* text, size_t limit)
{
	if (text == nullptr)
		return std::string();
	size_t length = 0;
	while (length < limit && text[length] != '\0')
		length++;
	return std::string(text, length);
}

}	// namespace BPrivate


using BPrivate::GlossanLine;


Glossan::Glossan(const char* indexName, const char* directory)
	:
	fDirectory(BPrivate::BoundedCopy(directory, kPathSize - 1))
{
	_ReadIndex(indexName);
	fCurrentLanguage = fDefaultLanguage;
}


Glossan::~Glossan()
{
}


int32_t
Glossan::SetLanguage(const char* language)
{
	if (language == nullptr) {
		_UseDefaultLanguage();
		return -1;
	}
	if (fDefaultLanguage == language) {
		_UseDefaultLanguage();
		return 0;
	}

	int32_t found = -1;
	for (size_t i = 0; i < fLanguageNames.size(); i++) {
		if (fLanguageNames[i] == language)
			found = (int32_t)i;
	}
	if (found < 0 || !_ReadWords(fLanguageFiles[found])) {
		_UseDefaultLanguage();
		return -1;
	}
	fCurrentLanguage = fLanguageNames[found];
	return 0;
}


const char*
Glossan::Translate(const char* text) const
{
	if (text == nullptr || fCurrentLanguage == fDefaultLanguage)
		return text;
	for (size_t i = 0; i < fUntranslated.size(); i++) {
		if (std::strcmp(fUntranslated[i].c_str(), text) == 0)
			return fTranslated[i].c_str();
	}
	return text;
}


const char*
Glossan::GetCurrentLanguage() const
{
	return fCurrentLanguage.c_str();
}


const char*
Glossan::GetDefaultLanguage() const
{
	return fDefaultLanguage.c_str();
}


int32_t
Glossan::GetNumberOfLanguages() const
{
	return (int32_t)fLanguageNames.size();
}


const char*
Glossan::LanguageList(int index) const
{
	if (index < 0 || (size_t)index >= fLanguageNames.size())
		return nullptr;
	return fLanguageNames[index].c_str();
}


int32_t
Glossan::GetNumberOfWords() const
{
	return (int32_t)fUntranslated.size();
}


const char*
Glossan::DirectAccessToUntranslated(int index) const
{
	if (index < 0 || (size_t)index >= fUntranslated.size())
		return nullptr;
	return fUntranslated[index].c_str();
}


const char*
Glossan::DirectAccessToTranslated(int index) const
{
	if (index < 0 || (size_t)index >= fTranslated.size())
		return nullptr;
	return fTranslated[index].c_str();
}


void
Glossan::_ReadIndex(const char* indexName)
{
	std::string path = fDirectory + BPrivate::BoundedCopy(indexName, kPathSize - 1);
	std::FILE* file = std::fopen(path.c_str(), "r");
	if (file == nullptr)
		return;

	char buffer[kTextSize];
	if (std::fgets(buffer, sizeof(buffer), file) != nullptr) {
		GlossanLine line(buffer);
		if (line.SkipPast(':')) {
			// The one character after the colon is the space of "language: name".
			line.Skip(1);
			fDefaultLanguage = line.TextUntil(";\n");

			while (fLanguageNames.size() < (size_t)kMaxLanguages
				&& std::fgets(buffer, sizeof(buffer), file) != nullptr) {
				GlossanLine entry(buffer);
				std::string name = entry.TextUntil(" ");
				// The space and the opening double quote of the file name.
				entry.Skip(2);
				std::string fileName = entry.TextUntil("\"");
				fLanguageNames.push_back(name);
				fLanguageFiles.push_back(fileName);
			}
		}
	}
	std::fclose(file);
}


bool
Glossan::_ReadWords(const std::string& fileName)
{
	std::string path = fDirectory + fileName;
	std::FILE* file = std::fopen(path.c_str(), "r");
	if (file == nullptr)
		return false;

	std::vector<std::string> untranslated;
	std::vector<std::string> translated;
	char buffer[kTextSize];
	while (untranslated.size() < (size_t)kMaxWords
		&& std::fgets(buffer, sizeof(buffer), file) != nullptr) {
		GlossanLine line(buffer);
		// The opening quote, then the source text; then the closing quote, the
		// separator and the opening quote of the translation.
		line.Skip(1);
		std::string source = line.TextUntil("\"");
		line.Skip(3);
		std::string translation = line.TextUntil("\"");
		untranslated.push_back(std::move(source));
		translated.push_back(std::move(translation));
	}
	bool failed = std::ferror(file) != 0;
	std::fclose(file);
	if (failed)
		return false;

	fUntranslated.swap(untranslated);
	fTranslated.swap(translated);
	return true;
}


void
Glossan::_UseDefaultLanguage()
{
	fCurrentLanguage = fDefaultLanguage;
	fUntranslated.clear();
	fTranslated.clear();
}
