// The dictionary shipped with the application: the index and every word list it
// names must load, every line must be a well-formed pair, and the lists must cover
// the interface texts.

#include <libglossan/Glossan.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
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
	const std::regex indexLine("([^ \"]+) \"([^\"/]+)\"");
	const std::regex pairLine("\"([^\"]*)\" \"([^\"]+)\"");

	std::set<std::string> languages;
	std::set<std::string> firstKeys;
	for (int i = 0; i < dictionary.GetNumberOfLanguages(); i++) {
		const std::string& entry = indexLines[i + 1];
		std::smatch match;
		ASSERT_TRUE(std::regex_match(entry, match, indexLine)) << entry;
		std::string language = match[1];
		EXPECT_EQ(language, dictionary.LanguageList(i));
		EXPECT_TRUE(languages.insert(language).second) << "listed twice: " << language;

		std::vector<std::string> lines
			= ReadLines(std::string(kDictionaryFolder) + std::string(match[2]));
		ASSERT_EQ(dictionary.SetLanguage(language.c_str()), 0) << language;
		ASSERT_EQ(dictionary.GetNumberOfWords(), (int)lines.size()) << language;

		std::set<std::string> keys;
		std::set<std::string> translations;
		for (size_t line = 0; line < lines.size(); line++) {
			const std::string& text = lines[line];
			std::smatch pair;
			ASSERT_LE(text.size() + 1, 255u) << language << " line " << line + 1;
			ASSERT_TRUE(std::regex_match(text, pair, pairLine))
				<< language << " line " << line + 1 << ": " << text;
			EXPECT_EQ(std::string(pair[1]), dictionary.DirectAccessToUntranslated(line));
			EXPECT_EQ(std::string(pair[2]), dictionary.DirectAccessToTranslated(line));
			EXPECT_TRUE(keys.insert(pair[1]).second) << language << ": " << pair[1];
			// Menu items and character rows are found again by their translated
			// label, so no two texts may share a translation.
			EXPECT_TRUE(translations.insert(pair[2]).second) << language << ": " << pair[2];
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
