// The dictionary shipped with the application: the index and every word list it
// names must load, every line must be a well-formed pair, and the lists must cover
// the interface texts.

#include <libglossan/Glossan.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

const char* kDictionaryFolder = QUORREL_SOURCE_DIR "/data/Dictionary/";

// The labels of the menu bar and the texts of the common alerts and buttons.
const char* kRequiredKeys[] = {
	"File", "New", "New project", "Open file", "Open project", "Save file",
	"Save file as...", "Save project", "Close file", "Quit",
	"Edit", "Undo", "Cut", "Copy", "Paste", "Clear all", "Select all", "Find & Replace",
	"Settings", "Convert", "CR/LF->LF", "LF->CR/LF",
	"HTML", "Preview in browser", "Bold", "Italic", "Underline", "Alignment",
	"Horizontal ruler", "Font", "Lists", "Links", "Comment", "New line", "Center",
	"Insert color", "Left", "Right", "Aligned to left", "Aligned to center",
	"Aligned to right", "Set font", "Set font face", "Set font size", "Set font color",
	"Set font size: +1", "Set font size: +2", "Set font size: +3", "Set font size: -1",
	"Set font size: -2", "Set font size: -3", "Insert unordered list",
	"Insert unordered list: type disc", "Insert unordered list: type circle",
	"Insert unordered list: type square", "Insert ordered list",
	"Insert ordered list: type 1", "Insert ordered list: type I",
	"Insert ordered list: type i", "Insert ordered list: type A",
	"Insert ordered list: type a", "Insert list item", "Link", "Link to e-mail",
	"Link to Quorrel`s Home Page", "Window", "Full screen", "Help", "Index", "About",
	"About Quorrel",
	"OK", "Cancel", "Save", "Don`t save", "File is modified. Save changes?", "Save files",
	"Unsaved documents:", "Are you sure?", "There are unsaved documents. Are you sure?",
	"Search & Replace", "Find", "Replace", "Replace all", "Ignore case", "Set color",
	"Encoding:", "No", "Yeah!", "I can`t remove file from disk!",
	"I can`t add file to project. File is not saved!", "Please save edited file!",
	"Welcome to Quorrel", "< Previous", "Next >", "End", "Your name", "Your e-mail",
	"Now, please select default encoding:",
};


struct WordList {
	std::string					language;
	std::vector<std::string>	lines;
};


// Splits `line` (without its line feed) of the form <"first" "second"> when
// `firstQuoted`, or <first "second"> otherwise; neither part holds a double quote.
bool
SplitLine(const std::string& line, bool firstQuoted, std::string& first, std::string& second)
{
	size_t start = firstQuoted ? 1 : 0;
	if (firstQuoted && (line.empty() || line[0] != '"'))
		return false;
	size_t firstEnd = line.find(firstQuoted ? '"' : ' ', start);
	if (firstEnd == std::string::npos)
		return false;
	first = line.substr(start, firstEnd - start);
	size_t secondStart = firstEnd + (firstQuoted ? 3 : 2);
	if (line.compare(firstEnd, secondStart - firstEnd, firstQuoted ? "\" \"" : " \"") != 0)
		return false;
	if (line.size() < secondStart + 1 || line.back() != '"')
		return false;
	second = line.substr(secondStart, line.size() - 1 - secondStart);
	return first.find_first_of(firstQuoted ? "\"" : "\" ") == std::string::npos
		&& second.find('"') == std::string::npos;
}


std::vector<std::string>
ReadLines(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	std::vector<std::string> lines;
	std::string line;
	while (std::getline(in, line))
		lines.push_back(line);
	return lines;
}


TEST(ShippedDictionary, IndexAndEveryWordListLoadWithoutBrokenLines)
{
	Glossan dictionary("dictionary", kDictionaryFolder);
	EXPECT_STREQ(dictionary.GetDefaultLanguage(), "English");
	ASSERT_GE(dictionary.GetNumberOfLanguages(), 2);

	// The index names each word list in quotes after the language name.
	std::vector<std::string> indexLines = ReadLines(std::string(kDictionaryFolder) + "dictionary");
	ASSERT_EQ((int)indexLines.size(), dictionary.GetNumberOfLanguages() + 1);

	std::set<std::string> languages;
	std::set<std::string> firstKeys;
	for (int i = 0; i < dictionary.GetNumberOfLanguages(); i++) {
		const std::string& entry = indexLines[i + 1];
		std::string language;
		std::string fileName;
		ASSERT_TRUE(SplitLine(entry, false, language, fileName)) << entry;
		ASSERT_FALSE(language.empty());
		ASSERT_EQ(fileName.find('/'), std::string::npos) << entry;
		EXPECT_EQ(language, dictionary.LanguageList(i));
		EXPECT_TRUE(languages.insert(language).second) << "listed twice: " << language;

		std::vector<std::string> lines
			= ReadLines(std::string(kDictionaryFolder) + fileName);
		ASSERT_EQ(dictionary.SetLanguage(language.c_str()), 0) << language;
		ASSERT_EQ(dictionary.GetNumberOfWords(), (int)lines.size()) << language;

		std::set<std::string> keys;
		std::set<std::string> translations;
		for (size_t line = 0; line < lines.size(); line++) {
			const std::string& text = lines[line];
			std::string source;
			std::string translation;
			ASSERT_LE(text.size() + 1, 255u) << language << " line " << line + 1;
			ASSERT_TRUE(SplitLine(text, true, source, translation))
				<< language << " line " << line + 1 << ": " << text;
			ASSERT_FALSE(translation.empty()) << language << " line " << line + 1;
			EXPECT_EQ(source, dictionary.DirectAccessToUntranslated(line));
			EXPECT_EQ(translation, dictionary.DirectAccessToTranslated(line));
			EXPECT_TRUE(keys.insert(source).second) << language << ": " << source;
			// Menu items and character rows are found again by their translated
			// label, so no two texts may share a translation.
			EXPECT_TRUE(translations.insert(translation).second) << language << ": " << translation;
		}

		for (const char* key : kRequiredKeys) {
			EXPECT_NE(dictionary.Translate(key), key) << language << " lacks " << key;
		}
		if (firstKeys.empty())
			firstKeys = keys;
		else
			EXPECT_EQ(keys, firstKeys) << language << " covers other texts than the first list";
	}
	EXPECT_EQ(languages.count("Polski"), 1u);
	EXPECT_EQ(languages.count("Deutsch"), 1u);

	ASSERT_EQ(dictionary.SetLanguage("Polski"), 0);
	EXPECT_STREQ(dictionary.Translate("File"), "Plik");
	EXPECT_STREQ(dictionary.Translate("I can`t remove file from disk!"),
		"Nie mogę usunąć pliku z dysku!");
	ASSERT_EQ(dictionary.SetLanguage("Deutsch"), 0);
	EXPECT_STREQ(dictionary.Translate("Save file as..."), "Datei speichern unter...");
	EXPECT_STREQ(dictionary.Translate("Don`t save"), "Nicht speichern");
}

}	// namespace
