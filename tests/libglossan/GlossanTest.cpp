#include <libglossan/Glossan.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

class GlossanTest : public ::testing::Test {
protected:
	void
	SetUp() override
	{
		char pattern[] = "/tmp/glossan-test-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fFolder = std::string(pattern) + "/";
	}

	void
	TearDown() override
	{
		std::error_code error;
		fs::remove_all(fFolder, error);
	}

	void
	Write(const std::string& leaf, const std::string& bytes)
	{
		std::ofstream out(fFolder + leaf, std::ios::binary);
		out << bytes;
	}

	std::string	fFolder;
};


TEST_F(GlossanTest, IndexListsLanguagesAndStartsUntranslated)
{
	Write("dictionary",
		"Default language: English; anything after the semicolon\n"
		"Polski \"polski.dic\"\n"
		"Deutsch \"deutsch.dic\"\n"
		"Polski \"polski2.dic\"\n"
		"Dansk 'dansk.dic\" trailing\n"
		"Bare\n"
		"Last \"no-quote.dic");
	Write("polski.dic", "\"File\" \"Plik\"\n");

	Glossan dictionary("dictionary", fFolder.c_str());
	EXPECT_STREQ(dictionary.GetDefaultLanguage(), "English");
	EXPECT_STREQ(dictionary.GetCurrentLanguage(), "English");
	ASSERT_EQ(dictionary.GetNumberOfLanguages(), 6);
	EXPECT_STREQ(dictionary.LanguageList(0), "Polski");
	EXPECT_STREQ(dictionary.LanguageList(1), "Deutsch");
	EXPECT_STREQ(dictionary.LanguageList(2), "Polski");
	EXPECT_STREQ(dictionary.LanguageList(3), "Dansk");
	EXPECT_STREQ(dictionary.LanguageList(4), "Bare\n");
	EXPECT_STREQ(dictionary.LanguageList(5), "Last");
	EXPECT_EQ(dictionary.LanguageList(6), nullptr);
	EXPECT_EQ(dictionary.LanguageList(-1), nullptr);

	// Until a language is chosen every text comes back as the very same pointer.
	const char* text = "File";
	EXPECT_EQ(dictionary.Translate(text), text);
	EXPECT_EQ(dictionary.Translate(nullptr), nullptr);
	EXPECT_EQ(dictionary.GetNumberOfWords(), 0);
	EXPECT_EQ(dictionary.DirectAccessToUntranslated(0), nullptr);

	// Without a semicolon the name ends at the line feed; without a colon there is
	// no index at all.
	Write("plain", "Language: Esperanto\nPolski \"polski.dic\"\n");
	Glossan plain("plain", fFolder.c_str());
	EXPECT_STREQ(plain.GetDefaultLanguage(), "Esperanto");
	EXPECT_EQ(plain.GetNumberOfLanguages(), 1);

	Write("nocolon", "Default language English;\nPolski \"polski.dic\"\n");
	Glossan noColon("nocolon", fFolder.c_str());
	EXPECT_EQ(noColon.GetNumberOfLanguages(), 0);
	EXPECT_STREQ(noColon.GetCurrentLanguage(), noColon.GetDefaultLanguage());
	EXPECT_EQ(noColon.SetLanguage("Polski"), -1);
	EXPECT_EQ(noColon.Translate(text), text);

	Glossan missing("no-such-index", fFolder.c_str());
	EXPECT_EQ(missing.GetNumberOfLanguages(), 0);
	EXPECT_EQ(missing.Translate(text), text);
	Write("empty", "");
	Glossan empty("empty", fFolder.c_str());
	EXPECT_EQ(empty.GetNumberOfLanguages(), 0);
	Glossan nulls(nullptr, nullptr);
	EXPECT_EQ(nulls.GetNumberOfLanguages(), 0);
	EXPECT_EQ(nulls.Translate(text), text);
}


TEST_F(GlossanTest, SetLanguageLoadsTheLastListedWordList)
{
	Write("dictionary",
		"Default language: English;\n"
		"English \"english.dic\"\n"
		"Polski \"old.dic\"\n"
		"Polski \"polski.dic\"\n"
		"Klingon \"missing.dic\"\n");
	Write("english.dic", "\"File\" \"FILE\"\n");
	Write("old.dic", "\"File\" \"Stary plik\"\n");
	Write("polski.dic",
		"\"File\" \"Plik\"\n"
		"\"Edit\"\t\"Edycja\"\n"
		"\"File\" \"Drugi plik\"\n"
		"\"Help\" \"\"\n"
		"\"\" \"Pusty\"\n"
		"\"Open\" \"Otwórz bez cudzysłowu\n"
		"\"I can`t remove file from disk!\" \"Nie mogę usunąć pliku z dysku!\"\n");

	Glossan dictionary("dictionary", fFolder.c_str());
	const char* file = "File";

	// The default language reads no file, even when the index also lists it.
	EXPECT_EQ(dictionary.SetLanguage("English"), 0);
	EXPECT_EQ(dictionary.Translate(file), file);
	EXPECT_EQ(dictionary.GetNumberOfWords(), 0);

	ASSERT_EQ(dictionary.SetLanguage("Polski"), 0);
	EXPECT_STREQ(dictionary.GetCurrentLanguage(), "Polski");
	EXPECT_STREQ(dictionary.Translate(file), "Plik");
	EXPECT_STREQ(dictionary.Translate("Edit"), "Edycja");
	EXPECT_STREQ(dictionary.Translate("Help"), "");
	EXPECT_STREQ(dictionary.Translate(""), "Pusty");
	EXPECT_STREQ(dictionary.Translate("Open"), "Otwórz bez cudzysłowu\n");
	EXPECT_STREQ(dictionary.Translate("I can`t remove file from disk!"),
		"Nie mogę usunąć pliku z dysku!");
	const char* other = "file";
	EXPECT_EQ(dictionary.Translate(other), other);
	const char* spaced = "File ";
	EXPECT_EQ(dictionary.Translate(spaced), spaced);
	ASSERT_EQ(dictionary.GetNumberOfWords(), 7);
	EXPECT_STREQ(dictionary.DirectAccessToUntranslated(2), "File");
	EXPECT_STREQ(dictionary.DirectAccessToTranslated(2), "Drugi plik");
	EXPECT_EQ(dictionary.DirectAccessToTranslated(7), nullptr);

	// A name that is not listed, or a word list that cannot be read, leaves the
	// object translating nothing; a later good choice works again.
	EXPECT_EQ(dictionary.SetLanguage("Svenska"), -1);
	EXPECT_STREQ(dictionary.GetCurrentLanguage(), "English");
	EXPECT_EQ(dictionary.Translate(file), file);
	ASSERT_EQ(dictionary.SetLanguage("Polski"), 0);
	EXPECT_EQ(dictionary.SetLanguage("Klingon"), -1);
	EXPECT_STREQ(dictionary.GetCurrentLanguage(), "English");
	EXPECT_EQ(dictionary.Translate(file), file);
	EXPECT_EQ(dictionary.SetLanguage(nullptr), -1);
	EXPECT_EQ(dictionary.Translate(file), file);

	ASSERT_EQ(dictionary.SetLanguage("Polski"), 0);
	EXPECT_STREQ(dictionary.Translate(file), "Plik");
	EXPECT_EQ(dictionary.SetLanguage("English"), 0);
	EXPECT_EQ(dictionary.Translate(file), file);
}


TEST_F(GlossanTest, OversizedAndBrokenFilesStayWithinCapacity)
{
	std::ostringstream index;
	index << "Default language: English;\n";
	// Read in two pieces, this line lists two languages.
	index << std::string(400, 'x') << " \"long.dic\"\n";
	for (int i = 0; i < 250; i++)
		index << "L" << i << " \"big.dic\"\n";
	Write("dictionary", index.str());

	std::ostringstream words;
	for (int i = 0; i < 2100; i++)
		words << "\"w" << i << "\" \"t" << i << "\"\n";
	Write("big.dic", words.str());

	Glossan dictionary("dictionary", fFolder.c_str());
	ASSERT_EQ(dictionary.GetNumberOfLanguages(), 200);
	EXPECT_EQ(std::string(dictionary.LanguageList(0)), std::string(255, 'x'));
	EXPECT_EQ(std::string(dictionary.LanguageList(1)), std::string(145, 'x'));
	EXPECT_STREQ(dictionary.LanguageList(199), "L197");
	EXPECT_EQ(dictionary.SetLanguage("L198"), -1);
	ASSERT_EQ(dictionary.SetLanguage("L197"), 0);
	ASSERT_EQ(dictionary.GetNumberOfWords(), 2000);
	EXPECT_STREQ(dictionary.Translate("w1999"), "t1999");
	const char* beyond = "w2000";
	EXPECT_EQ(dictionary.Translate(beyond), beyond);

	// A word line longer than 255 characters is split: the first piece loses its
	// translation's end, the rest becomes a broken pair of its own.
	std::string source(240, 's');
	Write("broken.dic",
		"\"" + source + "\" \"0123456789abcdef\"\n"
		+ std::string("\"nul\" \"a\0b\"\n", 12)
		+ "x\n"
		+ "\n"
		+ "\"last\" \"no line feed\"");
	Write("index2", "Default language: English;\nBroken \"broken.dic\"\n");
	Glossan broken("index2", fFolder.c_str());
	ASSERT_EQ(broken.SetLanguage("Broken"), 0);
	ASSERT_EQ(broken.GetNumberOfWords(), 6);
	EXPECT_STREQ(broken.Translate(source.c_str()), "0123456789a");
	EXPECT_STREQ(broken.DirectAccessToUntranslated(1), "cdef");
	EXPECT_STREQ(broken.DirectAccessToTranslated(1), "");
	EXPECT_STREQ(broken.Translate("nul"), "a");
	EXPECT_STREQ(broken.DirectAccessToUntranslated(3), "\n");
	EXPECT_STREQ(broken.DirectAccessToTranslated(3), "");
	EXPECT_STREQ(broken.DirectAccessToUntranslated(4), "");
	EXPECT_STREQ(broken.Translate("last"), "no line feed");

	Write("empty.dic", "");
	Write("index3", "Default language: English;\nEmpty \"empty.dic\"\nFolder \"\"\n");
	Glossan emptyList("index3", fFolder.c_str());
	EXPECT_EQ(emptyList.SetLanguage("Empty"), 0);
	EXPECT_EQ(emptyList.GetNumberOfWords(), 0);
	const char* text = "File";
	EXPECT_EQ(emptyList.Translate(text), text);
	// The file name is empty, so the path is the dictionary folder itself.
	EXPECT_EQ(emptyList.SetLanguage("Folder"), -1);
	EXPECT_STREQ(emptyList.GetCurrentLanguage(), "English");
}

}	// namespace
