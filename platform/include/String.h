/*
 * BString: a growable, NUL-terminated byte string. Lengths and offsets count bytes.
 *
 * As on R5, a null const char* argument counts as an empty string, offsets out of range
 * make a call do nothing (or find nothing), and String() never returns null. Find calls
 * return B_ERROR (-1) when nothing is found and B_BAD_VALUE for a null pattern.
 */
#ifndef _B_STRING_H
#define _B_STRING_H

#include <SupportDefs.h>

#include <cstring>

class BString {
public:
							BString();
							BString(const char* string);
							BString(const char* string, int32 maxLength);
							BString(const BString& string);
							BString(BString&& string);
							~BString();

	// Access
			const char*		String() const;
			int32			Length() const;
	// The number of UTF-8 characters.
			int32			CountChars() const;

	// Assignment
			BString&		operator=(const BString& string);
			BString&		operator=(BString&& string);
			BString&		operator=(const char* string);

			BString&		SetTo(const char* string);
			BString&		SetTo(const char* string, int32 maxLength);
			BString&		SetTo(const BString& string);
			BString&		SetTo(const BString& string, int32 maxLength);
			BString&		SetTo(char c, int32 count);
	// Takes over the buffer of `from`, which is left empty.
			BString&		Adopt(BString& from);
			BString&		Adopt(BString& from, int32 maxLength);

	// Substring copying. CopyInto(char*) copies the bytes without a terminator, as R5.
			BString&		CopyInto(BString& into, int32 fromOffset, int32 length) const;
			void			CopyInto(char* into, int32 fromOffset, int32 length) const;
			BString&		MoveInto(BString& into, int32 from, int32 length);
			void			MoveInto(char* into, int32 from, int32 length);

	// Appending, prepending, inserting
			BString&		operator+=(const BString& string);
			BString&		operator+=(const char* string);
			BString&		operator+=(char c);

			BString&		Append(const BString& string);
			BString&		Append(const char* string);
			BString&		Append(const BString& string, int32 length);
			BString&		Append(const char* string, int32 length);
			BString&		Append(char c, int32 count);

			BString&		Prepend(const char* string);
			BString&		Prepend(const BString& string);
			BString&		Prepend(const char* string, int32 length);
			BString&		Prepend(const BString& string, int32 length);
			BString&		Prepend(char c, int32 count);

	// A negative position skips that many bytes of the inserted text; a position past
	// the end does nothing.
			BString&		Insert(const char* string, int32 position);
			BString&		Insert(const char* string, int32 length, int32 position);
			BString&		Insert(const char* string, int32 fromOffset, int32 length,
								int32 position);
			BString&		Insert(const BString& string, int32 position);
			BString&		Insert(const BString& string, int32 length, int32 position);
			BString&		Insert(const BString& string, int32 fromOffset, int32 length,
								int32 position);
			BString&		Insert(char c, int32 count, int32 position);

	// Removing
			BString&		Truncate(int32 newLength, bool lazy = true);
			BString&		Remove(int32 from, int32 length);
			BString&		RemoveFirst(const BString& string);
			BString&		RemoveLast(const BString& string);
			BString&		RemoveAll(const BString& string);
			BString&		RemoveFirst(const char* string);
			BString&		RemoveLast(const char* string);
			BString&		RemoveAll(const char* string);
			BString&		RemoveSet(const char* setOfCharsToRemove);
	// Removes white space at both ends.
			BString&		Trim();

	// Comparison
			bool			operator<(const BString& string) const;
			bool			operator<=(const BString& string) const;
			bool			operator==(const BString& string) const;
			bool			operator>=(const BString& string) const;
			bool			operator>(const BString& string) const;
			bool			operator!=(const BString& string) const;

			bool			operator<(const char* string) const;
			bool			operator<=(const char* string) const;
			bool			operator==(const char* string) const;
			bool			operator>=(const char* string) const;
			bool			operator>(const char* string) const;
			bool			operator!=(const char* string) const;

			int				Compare(const BString& string) const;
			int				Compare(const char* string) const;
			int				Compare(const BString& string, int32 length) const;
			int				Compare(const char* string, int32 length) const;
			int				ICompare(const BString& string) const;
			int				ICompare(const char* string) const;
			int				ICompare(const BString& string, int32 length) const;
			int				ICompare(const char* string, int32 length) const;

	// Searching. FindLast finds the last occurrence that ends at or before
	// beforeOffset; the char forms look at the bytes before beforeOffset.
			int32			FindFirst(const BString& string) const;
			int32			FindFirst(const char* string) const;
			int32			FindFirst(const BString& string, int32 fromOffset) const;
			int32			FindFirst(const char* string, int32 fromOffset) const;
			int32			FindFirst(char c) const;
			int32			FindFirst(char c, int32 fromOffset) const;

			int32			FindLast(const BString& string) const;
			int32			FindLast(const char* string) const;
			int32			FindLast(const BString& string, int32 beforeOffset) const;
			int32			FindLast(const char* string, int32 beforeOffset) const;
			int32			FindLast(char c) const;
			int32			FindLast(char c, int32 beforeOffset) const;

			int32			IFindFirst(const BString& string) const;
			int32			IFindFirst(const char* string) const;
			int32			IFindFirst(const BString& string, int32 fromOffset) const;
			int32			IFindFirst(const char* string, int32 fromOffset) const;

			int32			IFindLast(const BString& string) const;
			int32			IFindLast(const char* string) const;
			int32			IFindLast(const BString& string, int32 beforeOffset) const;
			int32			IFindLast(const char* string, int32 beforeOffset) const;

	// Replacing. The case-insensitive forms (IReplace...) match ASCII letters in
	// either case.
			BString&		ReplaceFirst(char replaceThis, char withThis);
			BString&		ReplaceLast(char replaceThis, char withThis);
			BString&		ReplaceAll(char replaceThis, char withThis, int32 fromOffset = 0);
			BString&		Replace(char replaceThis, char withThis, int32 maxReplaceCount,
								int32 fromOffset = 0);
			BString&		ReplaceFirst(const char* replaceThis, const char* withThis);
			BString&		ReplaceLast(const char* replaceThis, const char* withThis);
			BString&		ReplaceAll(const char* replaceThis, const char* withThis,
								int32 fromOffset = 0);
			BString&		Replace(const char* replaceThis, const char* withThis,
								int32 maxReplaceCount, int32 fromOffset = 0);

			BString&		IReplaceFirst(char replaceThis, char withThis);
			BString&		IReplaceLast(char replaceThis, char withThis);
			BString&		IReplaceAll(char replaceThis, char withThis, int32 fromOffset = 0);
			BString&		IReplace(char replaceThis, char withThis, int32 maxReplaceCount,
								int32 fromOffset = 0);
			BString&		IReplaceFirst(const char* replaceThis, const char* withThis);
			BString&		IReplaceLast(const char* replaceThis, const char* withThis);
			BString&		IReplaceAll(const char* replaceThis, const char* withThis,
								int32 fromOffset = 0);
			BString&		IReplace(const char* replaceThis, const char* withThis,
								int32 maxReplaceCount, int32 fromOffset = 0);

			BString&		ReplaceSet(const char* setOfChars, char with);
			BString&		ReplaceSet(const char* setOfChars, const char* with);

	// Byte access. Out of range, ByteAt and the const [] give 0; the writable [] gives
	// a scratch byte that is not part of the string.
			char			operator[](int32 index) const;
			char&			operator[](int32 index);
			char			ByteAt(int32 index) const;

	// Direct buffer access: LockBuffer gives room for maxLength bytes plus the
	// terminator; UnlockBuffer sets the length (from strlen when -1).
			char*			LockBuffer(int32 maxLength);
			BString&		UnlockBuffer(int32 length = -1);

	// Case (ASCII letters only)
			BString&		ToLower();
			BString&		ToUpper();
	// First byte upper case, the rest lower case.
			BString&		Capitalize();
			BString&		CapitalizeEachWord();

	// Escaping: puts escapeWith before every byte of the set, or removes escapeChar
	// before the byte it escapes.
			BString&		CharacterEscape(const char* original, const char* setOfCharsToEscape,
								char escapeWith);
			BString&		CharacterEscape(const char* setOfCharsToEscape, char escapeWith);
			BString&		CharacterDeescape(const char* original, char escapeChar);
			BString&		CharacterDeescape(char escapeChar);

	// Formatted appending; floats are written with two decimals, as R5 does.
			BString&		operator<<(const char* string);
			BString&		operator<<(const BString& string);
			BString&		operator<<(char c);
			BString&		operator<<(int32 value);
			BString&		operator<<(uint32 value);
			BString&		operator<<(int64 value);
			BString&		operator<<(uint64 value);
			BString&		operator<<(long long value);
			BString&		operator<<(unsigned long long value);
			BString&		operator<<(float value);
			BString&		operator<<(double value);

private:
			bool			_Reserve(int32 length);
			bool			_SetLength(int32 length);
			void			_Free();
			BString&		_Insert(const char* data, int32 length, int32 position);
			BString&		_DoReplace(const char* replaceThis, const char* withThis,
								int32 maxReplaceCount, int32 fromOffset, bool ignoreCase);
			BString&		_DoReplaceLast(const char* replaceThis, const char* withThis,
								bool ignoreCase);
			BString&		_DoReplaceChar(char replaceThis, char withThis,
								int32 maxReplaceCount, int32 fromOffset, bool ignoreCase);
			int32			_FindAfter(const char* string, int32 length, int32 fromOffset,
								bool ignoreCase) const;
			int32			_FindBefore(const char* string, int32 length, int32 beforeOffset,
								bool ignoreCase) const;

			char*			fData;
			int32			fLength;
			int32			fCapacity;
};

// Comparison of C strings with BStrings, and compare functions for sorting.
bool	operator<(const char* a, const BString& b);
bool	operator<=(const char* a, const BString& b);
bool	operator==(const char* a, const BString& b);
bool	operator>(const char* a, const BString& b);
bool	operator>=(const char* a, const BString& b);
bool	operator!=(const char* a, const BString& b);

int		Compare(const BString& a, const BString& b);
int		ICompare(const BString& a, const BString& b);
int		Compare(const BString* a, const BString* b);
int		ICompare(const BString* a, const BString* b);

#endif	// _B_STRING_H
