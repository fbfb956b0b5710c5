/*
 * Glossan: the translation dictionary. Reads an index of languages from a dictionary
 * folder, loads the word list of one language on request, and maps each English
 * interface text to its translation by exact, byte-for-byte lookup.
 *
 * Index file: line 1 names the default language ("Default language: English;" - the
 * text after the ":" and one more character, up to ";" or the end of the line); every
 * further line is a language name, a space and the word-list file name in double
 * quotes (Polski "polski.dic"). Word list: one pair per line, "source" "translation",
 * any one character between the two quoted texts. Lines are read in pieces of at most
 * 255 characters. At most 200 languages and 2000 pairs are stored; further lines are
 * ignored.
 *
 * Texts returned by the object belong to it: word texts stay valid until the next
 * SetLanguage, language texts until the object is destroyed. Standard library only;
 * no global state; used from one thread at a time.
 */
#ifndef _LIBGLOSSAN_GLOSSAN_H
#define _LIBGLOSSAN_GLOSSAN_H

#include <cstdint>
#include <string>
#include <vector>

class Glossan {
public:
	static constexpr int32_t	kMaxLanguages = 200;
	static constexpr int32_t	kMaxWords = 2000;
	// Buffer size of every name, file name and text (255 characters and a NUL), and
	// of the dictionary folder (1023 characters and a NUL).
	static constexpr int32_t	kTextSize = 256;
	static constexpr int32_t	kPathSize = 1024;

	// Reads the index `indexName` in `directory`. The path is the plain
	// concatenation of the two, so `directory` ends with a slash. A missing index, or
	// a first line without ":", leaves the object with no languages. No word list is
	// loaded: the current language is the default one and nothing is translated.
								Glossan(const char* indexName, const char* directory);
								~Glossan();

								Glossan(const Glossan&) = delete;
			Glossan&			operator=(const Glossan&) = delete;

	// Makes `language` current and loads its word list, replacing the previous one.
	// The default language reads no file and turns translation off. Of duplicate
	// names in the index the last one wins. Returns 0. A name that is not listed or a word list that cannot be read
	// falls back to the default language (translating nothing) and returns -1.
			int32_t				SetLanguage(const char* language);

	// The translation of the first pair whose source text equals `text`, or `text`
	// itself (the very same pointer) when none matches or the default language is
	// current.
			const char*			Translate(const char* text) const;

			const char*			GetCurrentLanguage() const;
			const char*			GetDefaultLanguage() const;
			int32_t				GetNumberOfLanguages() const;
	// The name of language `index`, in index order (0 to GetNumberOfLanguages() - 1);
	// a null pointer outside that range.
			const char*			LanguageList(int index) const;

	// Access to the loaded word table for tools that list it. The index runs from 0
	// to GetNumberOfWords() - 1; a null pointer outside that range.
			int32_t				GetNumberOfWords() const;
			const char*			DirectAccessToUntranslated(int index) const;
			const char*			DirectAccessToTranslated(int index) const;

private:
			void				_ReadIndex(const char* indexName);
			bool				_ReadWords(const std::string& fileName);
			void				_UseDefaultLanguage();

			std::string			fDirectory;
			std::string			fDefaultLanguage;
			std::string			fCurrentLanguage;
			std::vector<std::string>	fLanguageNames;
			std::vector<std::string>	fLanguageFiles;
			std::vector<std::string>	fUntranslated;
			std::vector<std::string>	fTranslated;
};

#endif	// _LIBGLOSSAN_GLOSSAN_H
