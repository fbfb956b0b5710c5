/*
 * TextSearch: finds a text in UTF-8 text, exactly or ignoring case.
 *
 * Ignoring case compares characters by their simple case folding, so it covers the
 * letters of the scripts the editor's encodings hold beyond ASCII (Ł and ł, Ä and ä,
 * Σ and σ, Ж and ж), not only A to Z. A match may then differ in length in bytes from
 * the pattern (ẞ and ß), so every search reports the length it matched. Bytes that are
 * not valid UTF-8 match only themselves.
 *
 * An empty pattern matches nothing. An object remembers where it last looked in a
 * text, so it is meant for one search or one pass of searches over an unchanged text.
 */
#ifndef TEXT_SEARCH_H
#define TEXT_SEARCH_H

#include <SupportDefs.h>

#include <string>
#include <vector>


class TextSearch {
public:
								TextSearch(const char* pattern, bool ignoreCase);

			bool				IsEmpty() const { return fPattern.empty(); }

	// The offset of the first occurrence that starts at or after from in text
	// (length bytes), or -1; *matchLength receives its length in bytes.
			int32				FindIn(const char* text, int32 length, int32 from,
									int32* matchLength) const;
	// The length of the occurrence that starts exactly at offset, or -1.
			int32				MatchAt(const char* text, int32 length,
									int32 offset) const;

	// The simple case folding of a code point (its lower-case form for the letters
	// that have one).
	static	uint32				FoldCase(uint32 codePoint);

private:
	static	uint32				_Decode(const unsigned char* text, int32 length,
									int32* size);

			std::string			fPattern;
			bool				fIgnoreCase;
			std::vector<uint32>	fFolded;

	// Where the pattern's first byte, in either case, next occurs in the text searched
	// last, and from where that was looked for; a text that changes in place must be
	// searched with a new object.
	mutable	const char*			fCacheText;
	mutable	int32				fCacheLength;
	mutable	int32				fNextLower;
	mutable	int32				fNextUpper;
	mutable	int32				fLowerFrom;
	mutable	int32				fUpperFrom;
};


#endif	// TEXT_SEARCH_H
