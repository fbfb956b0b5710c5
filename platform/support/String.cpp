/*
 * BString: one heap buffer, grown geometrically, always NUL-terminated once allocated.
 */

#include <String.h>

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <strings.h>

namespace {

const int32 kMaxLength = INT32_MAX - 1;


// strlen for possibly null strings, bounded by maxLength when that is not negative.
int32
SafeLength(const char* string, int32 maxLength = -1)
{
	if (string == nullptr)
		return 0;
	size_t length = maxLength < 0 ? strlen(string) : strnlen(string, maxLength);
	return length > (size_t)kMaxLength ? kMaxLength : (int32)length;
}


bool
BytesEqual(const char* a, const char* b, int32 length, bool ignoreCase)
{
	if (!ignoreCase)
		return memcmp(a, b, length) == 0;
	return strncasecmp(a, b, length) == 0 && memchr(a, '\0', length) == nullptr
		&& memchr(b, '\0', length) == nullptr;
}


bool
CharsEqual(char a, char b, bool ignoreCase)
{
	if (!ignoreCase)
		return a == b;
	return tolower((unsigned char)a) == tolower((unsigned char)b);
}


const char*
NonNull(const char* string)
{
	return string != nullptr ? string : "";
}

}	// unnamed namespace


BString::BString()
	:
	fData(nullptr),
	fLength(0),
	fCapacity(0)
{
}


BString::BString(const char* string)
	:
	BString()
{
	SetTo(string);
}


BString::BString(const char* string, int32 maxLength)
	:
	BString()
{
	SetTo(string, maxLength);
}


BString::BString(const BString& string)
	:
	BString()
{
	SetTo(string);
}


BString::BString(BString&& string)
	:
	fData(string.fData),
	fLength(string.fLength),
	fCapacity(string.fCapacity)
{
	string.fData = nullptr;
	string.fLength = 0;
	string.fCapacity = 0;
}


BString::~BString()
{
	_Free();
}


void
BString::_Free()
{
	free(fData);
	fData = nullptr;
	fLength = 0;
	fCapacity = 0;
}


bool
BString::_Reserve(int32 length)
{
	if (length < 0 || length > kMaxLength)
		return false;
	if (fData != nullptr && length < fCapacity)
		return true;
	int64 capacity = fCapacity < 16 ? 16 : fCapacity;
	while (capacity <= length)
		capacity += capacity / 2;
	if (capacity > INT32_MAX)
		capacity = INT32_MAX;
	char* data = (char*)realloc(fData, capacity);
	if (data == nullptr)
		return false;
	if (fData == nullptr)
		data[0] = '\0';
	fData = data;
	fCapacity = (int32)capacity;
	return true;
}


bool
BString::_SetLength(int32 length)
{
	if (!_Reserve(length))
		return false;
	fLength = length;
	fData[length] = '\0';
	return true;
}


const char*
BString::String() const
{
	return fData != nullptr ? fData : "";
}


int32
BString::Length() const
{
	return fLength;
}


int32
BString::CountChars() const
{
	int32 count = 0;
	for (int32 i = 0; i < fLength; i++) {
		// Continuation bytes of UTF-8 do not start a character.
		if (((uchar)fData[i] & 0xc0) != 0x80)
			count++;
	}
	return count;
}


BString&
BString::operator=(const BString& string)
{
	return SetTo(string);
}


BString&
BString::operator=(BString&& string)
{
	if (&string != this) {
		_Free();
		fData = string.fData;
		fLength = string.fLength;
		fCapacity = string.fCapacity;
		string.fData = nullptr;
		string.fLength = 0;
		string.fCapacity = 0;
	}
	return *this;
}


BString&
BString::operator=(const char* string)
{
	return SetTo(string);
}


BString&
BString::SetTo(const char* string)
{
	return SetTo(string, -1);
}


BString&
BString::SetTo(const char* string, int32 maxLength)
{
	int32 length = SafeLength(string, maxLength);
	if (string != nullptr && string >= fData && string < fData + fCapacity) {
		// Setting to a part of itself: move within the buffer.
		memmove(fData, string, length);
		_SetLength(length);
		return *this;
	}
	if (_SetLength(length) && length > 0)
		memcpy(fData, string, length);
	return *this;
}


BString&
BString::SetTo(const BString& string)
{
	if (&string == this)
		return *this;
	return SetTo(string.String(), string.Length());
}


BString&
BString::SetTo(const BString& string, int32 maxLength)
{
	if (&string == this)
		return Truncate(maxLength);
	if (maxLength < 0 || maxLength > string.Length())
		maxLength = string.Length();
	return SetTo(string.String(), maxLength);
}


BString&
BString::SetTo(char c, int32 count)
{
	if (count < 0)
		count = 0;
	if (_SetLength(count))
		memset(fData, c, count);
	return *this;
}


BString&
BString::Adopt(BString& from)
{
	if (&from != this)
		*this = std::move(from);
	return *this;
}


BString&
BString::Adopt(BString& from, int32 maxLength)
{
	Adopt(from);
	if (maxLength >= 0 && maxLength < fLength)
		Truncate(maxLength);
	return *this;
}


BString&
BString::CopyInto(BString& into, int32 fromOffset, int32 length) const
{
	if (&into == this) {
		BString copy(*this);
		return copy.CopyInto(into, fromOffset, length);
	}
	if (fromOffset < 0 || fromOffset > fLength || length < 0)
		return into;
	if (length > fLength - fromOffset)
		length = fLength - fromOffset;
	into.SetTo(String() + fromOffset, length);
	return into;
}


void
BString::CopyInto(char* into, int32 fromOffset, int32 length) const
{
	if (into == nullptr || fromOffset < 0 || fromOffset > fLength || length < 0)
		return;
	if (length > fLength - fromOffset)
		length = fLength - fromOffset;
	memcpy(into, String() + fromOffset, length);
}


BString&
BString::MoveInto(BString& into, int32 from, int32 length)
{
	if (&into == this || from < 0 || from > fLength || length < 0)
		return into;
	CopyInto(into, from, length);
	Remove(from, length);
	return into;
}


void
BString::MoveInto(char* into, int32 from, int32 length)
{
	if (into == nullptr || from < 0 || from > fLength || length < 0)
		return;
	CopyInto(into, from, length);
	Remove(from, length);
}


BString&
BString::_Insert(const char* data, int32 length, int32 position)
{
	if (length <= 0 || position < 0 || position > fLength || length > kMaxLength - fLength)
		return *this;
	if (data >= fData && data < fData + fCapacity) {
		// Inserting a part of itself: the buffer may move, so copy first.
		BString copy(data, length);
		return _Insert(copy.String(), length, position);
	}
	int32 oldLength = fLength;
	if (!_SetLength(oldLength + length))
		return *this;
	memmove(fData + position + length, fData + position, oldLength - position);
	memcpy(fData + position, data, length);
	return *this;
}


BString&
BString::operator+=(const BString& string)
{
	return Append(string);
}


BString&
BString::operator+=(const char* string)
{
	return Append(string);
}


BString&
BString::operator+=(char c)
{
	return Append(c, 1);
}


BString&
BString::Append(const BString& string)
{
	return _Insert(string.String(), string.Length(), fLength);
}


BString&
BString::Append(const char* string)
{
	return _Insert(string, SafeLength(string), fLength);
}


BString&
BString::Append(const BString& string, int32 length)
{
	if (length < 0 || length > string.Length())
		length = string.Length();
	return _Insert(string.String(), length, fLength);
}


BString&
BString::Append(const char* string, int32 length)
{
	if (length < 0)
		return *this;
	return _Insert(string, SafeLength(string, length), fLength);
}


BString&
BString::Append(char c, int32 count)
{
	return Insert(c, count, fLength);
}


BString&
BString::Prepend(const char* string)
{
	return _Insert(string, SafeLength(string), 0);
}


BString&
BString::Prepend(const BString& string)
{
	return _Insert(string.String(), string.Length(), 0);
}


BString&
BString::Prepend(const char* string, int32 length)
{
	if (length < 0)
		return *this;
	return _Insert(string, SafeLength(string, length), 0);
}


BString&
BString::Prepend(const BString& string, int32 length)
{
	if (length < 0 || length > string.Length())
		length = string.Length();
	return _Insert(string.String(), length, 0);
}


BString&
BString::Prepend(char c, int32 count)
{
	return Insert(c, count, 0);
}


BString&
BString::Insert(const char* string, int32 position)
{
	return Insert(string, 0, SafeLength(string), position);
}


BString&
BString::Insert(const char* string, int32 length, int32 position)
{
	return Insert(string, 0, length, position);
}


BString&
BString::Insert(const char* string, int32 fromOffset, int32 length, int32 position)
{
	if (string == nullptr || fromOffset < 0 || length <= 0)
		return *this;
	int32 available = SafeLength(string, fromOffset);
	if (available < fromOffset)
		return *this;
	string += fromOffset;
	length = SafeLength(string, length);
	if (position < 0) {
		// As on R5, a negative position drops the part that would lie before 0.
		if (-(int64)position >= length)
			return *this;
		string -= position;
		length += position;
		position = 0;
	}
	return _Insert(string, length, position);
}


BString&
BString::Insert(const BString& string, int32 position)
{
	return Insert(string, 0, string.Length(), position);
}


BString&
BString::Insert(const BString& string, int32 length, int32 position)
{
	return Insert(string, 0, length, position);
}


BString&
BString::Insert(const BString& string, int32 fromOffset, int32 length, int32 position)
{
	if (fromOffset < 0 || fromOffset > string.Length() || length <= 0)
		return *this;
	if (length > string.Length() - fromOffset)
		length = string.Length() - fromOffset;
	return Insert(string.String() + fromOffset, 0, length, position);
}


BString&
BString::Insert(char c, int32 count, int32 position)
{
	if (count <= 0 || position < 0 || position > fLength || count > kMaxLength - fLength)
		return *this;
	int32 oldLength = fLength;
	if (!_SetLength(oldLength + count))
		return *this;
	memmove(fData + position + count, fData + position, oldLength - position);
	memset(fData + position, c, count);
	return *this;
}


BString&
BString::Truncate(int32 newLength, bool lazy)
{
	if (newLength < 0)
		newLength = 0;
	if (newLength < fLength)
		_SetLength(newLength);
	return *this;
}


BString&
BString::Remove(int32 from, int32 length)
{
	if (from < 0 || from >= fLength || length <= 0)
		return *this;
	if (length > fLength - from)
		length = fLength - from;
	memmove(fData + from, fData + from + length, fLength - from - length);
	_SetLength(fLength - length);
	return *this;
}


BString&
BString::RemoveFirst(const BString& string)
{
	return RemoveFirst(string.String());
}


BString&
BString::RemoveLast(const BString& string)
{
	return RemoveLast(string.String());
}


BString&
BString::RemoveAll(const BString& string)
{
	return RemoveAll(string.String());
}


BString&
BString::RemoveFirst(const char* string)
{
	int32 length = SafeLength(string);
	if (length == 0)
		return *this;
	int32 found = _FindAfter(string, length, 0, false);
	if (found >= 0)
		Remove(found, length);
	return *this;
}


BString&
BString::RemoveLast(const char* string)
{
	int32 length = SafeLength(string);
	if (length == 0)
		return *this;
	int32 found = _FindBefore(string, length, fLength, false);
	if (found >= 0)
		Remove(found, length);
	return *this;
}


BString&
BString::RemoveAll(const char* string)
{
	return _DoReplace(string, "", INT32_MAX, 0, false);
}


BString&
BString::RemoveSet(const char* setOfCharsToRemove)
{
	if (setOfCharsToRemove == nullptr || fLength == 0)
		return *this;
	int32 kept = 0;
	for (int32 i = 0; i < fLength; i++) {
		if (strchr(setOfCharsToRemove, fData[i]) == nullptr || fData[i] == '\0')
			fData[kept++] = fData[i];
	}
	_SetLength(kept);
	return *this;
}


BString&
BString::Trim()
{
	int32 start = 0;
	while (start < fLength && isspace((unsigned char)fData[start]))
		start++;
	int32 end = fLength;
	while (end > start && isspace((unsigned char)fData[end - 1]))
		end--;
	if (start > 0 || end < fLength) {
		memmove(fData, fData + start, end - start);
		_SetLength(end - start);
	}
	return *this;
}


// #pragma mark - comparison


bool BString::operator<(const BString& string) const { return Compare(string) < 0; }
bool BString::operator<=(const BString& string) const { return Compare(string) <= 0; }
bool BString::operator==(const BString& string) const { return Compare(string) == 0; }
bool BString::operator>=(const BString& string) const { return Compare(string) >= 0; }
bool BString::operator>(const BString& string) const { return Compare(string) > 0; }
bool BString::operator!=(const BString& string) const { return Compare(string) != 0; }
bool BString::operator<(const char* string) const { return Compare(string) < 0; }
bool BString::operator<=(const char* string) const { return Compare(string) <= 0; }
bool BString::operator==(const char* string) const { return Compare(string) == 0; }
bool BString::operator>=(const char* string) const { return Compare(string) >= 0; }
bool BString::operator>(const char* string) const { return Compare(string) > 0; }
bool BString::operator!=(const char* string) const { return Compare(string) != 0; }


int
BString::Compare(const BString& string) const
{
	return strcmp(String(), string.String());
}


int
BString::Compare(const char* string) const
{
	return strcmp(String(), NonNull(string));
}


int
BString::Compare(const BString& string, int32 length) const
{
	return length <= 0 ? 0 : strncmp(String(), string.String(), length);
}


int
BString::Compare(const char* string, int32 length) const
{
	return length <= 0 ? 0 : strncmp(String(), NonNull(string), length);
}


int
BString::ICompare(const BString& string) const
{
	return strcasecmp(String(), string.String());
}


int
BString::ICompare(const char* string) const
{
	return strcasecmp(String(), NonNull(string));
}


int
BString::ICompare(const BString& string, int32 length) const
{
	return length <= 0 ? 0 : strncasecmp(String(), string.String(), length);
}


int
BString::ICompare(const char* string, int32 length) const
{
	return length <= 0 ? 0 : strncasecmp(String(), NonNull(string), length);
}


bool operator<(const char* a, const BString& b) { return b.Compare(a) > 0; }
bool operator<=(const char* a, const BString& b) { return b.Compare(a) >= 0; }
bool operator==(const char* a, const BString& b) { return b.Compare(a) == 0; }
bool operator>(const char* a, const BString& b) { return b.Compare(a) < 0; }
bool operator>=(const char* a, const BString& b) { return b.Compare(a) <= 0; }
bool operator!=(const char* a, const BString& b) { return b.Compare(a) != 0; }


int
Compare(const BString& a, const BString& b)
{
	return a.Compare(b);
}


int
ICompare(const BString& a, const BString& b)
{
	return a.ICompare(b);
}


int
Compare(const BString* a, const BString* b)
{
	return Compare(a != nullptr ? *a : BString(), b != nullptr ? *b : BString());
}


int
ICompare(const BString* a, const BString* b)
{
	return ICompare(a != nullptr ? *a : BString(), b != nullptr ? *b : BString());
}


// #pragma mark - searching


int32
BString::_FindAfter(const char* string, int32 length, int32 fromOffset,
	bool ignoreCase) const
{
	if (fromOffset < 0 || fromOffset > fLength)
		return B_ERROR;
	for (int32 i = fromOffset; i <= fLength - length; i++) {
		if (BytesEqual(String() + i, string, length, ignoreCase))
			return i;
	}
	return B_ERROR;
}


int32
BString::_FindBefore(const char* string, int32 length, int32 beforeOffset,
	bool ignoreCase) const
{
	if (beforeOffset < 0)
		return B_ERROR;
	if (beforeOffset > fLength)
		beforeOffset = fLength;
	for (int32 i = beforeOffset - length; i >= 0; i--) {
		if (BytesEqual(String() + i, string, length, ignoreCase))
			return i;
	}
	return B_ERROR;
}


int32
BString::FindFirst(const BString& string) const
{
	return _FindAfter(string.String(), string.Length(), 0, false);
}


int32
BString::FindFirst(const char* string) const
{
	return FindFirst(string, 0);
}


int32
BString::FindFirst(const BString& string, int32 fromOffset) const
{
	return _FindAfter(string.String(), string.Length(), fromOffset, false);
}


int32
BString::FindFirst(const char* string, int32 fromOffset) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return _FindAfter(string, SafeLength(string), fromOffset, false);
}


int32
BString::FindFirst(char c) const
{
	return FindFirst(c, 0);
}


int32
BString::FindFirst(char c, int32 fromOffset) const
{
	if (fromOffset < 0)
		return B_ERROR;
	for (int32 i = fromOffset; i < fLength; i++) {
		if (fData[i] == c)
			return i;
	}
	return B_ERROR;
}


int32
BString::FindLast(const BString& string) const
{
	return _FindBefore(string.String(), string.Length(), fLength, false);
}


int32
BString::FindLast(const char* string) const
{
	return FindLast(string, fLength);
}


int32
BString::FindLast(const BString& string, int32 beforeOffset) const
{
	return _FindBefore(string.String(), string.Length(), beforeOffset, false);
}


int32
BString::FindLast(const char* string, int32 beforeOffset) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return _FindBefore(string, SafeLength(string), beforeOffset, false);
}


int32
BString::FindLast(char c) const
{
	return FindLast(c, fLength);
}


int32
BString::FindLast(char c, int32 beforeOffset) const
{
	if (beforeOffset > fLength)
		beforeOffset = fLength;
	for (int32 i = beforeOffset - 1; i >= 0; i--) {
		if (fData[i] == c)
			return i;
	}
	return B_ERROR;
}


int32
BString::IFindFirst(const BString& string) const
{
	return _FindAfter(string.String(), string.Length(), 0, true);
}


int32
BString::IFindFirst(const char* string) const
{
	return IFindFirst(string, 0);
}


int32
BString::IFindFirst(const BString& string, int32 fromOffset) const
{
	return _FindAfter(string.String(), string.Length(), fromOffset, true);
}


int32
BString::IFindFirst(const char* string, int32 fromOffset) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return _FindAfter(string, SafeLength(string), fromOffset, true);
}


int32
BString::IFindLast(const BString& string) const
{
	return _FindBefore(string.String(), string.Length(), fLength, true);
}


int32
BString::IFindLast(const char* string) const
{
	return IFindLast(string, fLength);
}


int32
BString::IFindLast(const BString& string, int32 beforeOffset) const
{
	return _FindBefore(string.String(), string.Length(), beforeOffset, true);
}


int32
BString::IFindLast(const char* string, int32 beforeOffset) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return _FindBefore(string, SafeLength(string), beforeOffset, true);
}


// #pragma mark - replacing


BString&
BString::_DoReplaceChar(char replaceThis, char withThis, int32 maxReplaceCount,
	int32 fromOffset, bool ignoreCase)
{
	if (fromOffset < 0)
		return *this;
	for (int32 i = fromOffset; i < fLength && maxReplaceCount > 0; i++) {
		if (CharsEqual(fData[i], replaceThis, ignoreCase)) {
			fData[i] = withThis;
			maxReplaceCount--;
		}
	}
	return *this;
}


BString&
BString::_DoReplace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
	int32 fromOffset, bool ignoreCase)
{
	int32 findLength = SafeLength(replaceThis);
	if (findLength == 0 || maxReplaceCount <= 0 || fromOffset < 0 || fromOffset > fLength)
		return *this;
	int32 withLength = SafeLength(withThis);

	// Build the result in one pass so that a replacement that contains the pattern is
	// not searched again.
	BString result;
	int32 copied = 0;
	int32 position = _FindAfter(replaceThis, findLength, fromOffset, ignoreCase);
	if (position < 0)
		return *this;
	while (position >= 0 && maxReplaceCount > 0) {
		result.Append(String() + copied, position - copied);
		result._Insert(withThis, withLength, result.Length());
		copied = position + findLength;
		maxReplaceCount--;
		position = _FindAfter(replaceThis, findLength, copied, ignoreCase);
	}
	result.Append(String() + copied, fLength - copied);
	return Adopt(result);
}


BString&
BString::_DoReplaceLast(const char* replaceThis, const char* withThis, bool ignoreCase)
{
	int32 findLength = SafeLength(replaceThis);
	if (findLength == 0)
		return *this;
	int32 position = _FindBefore(replaceThis, findLength, fLength, ignoreCase);
	if (position < 0)
		return *this;
	BString with(withThis);
	Remove(position, findLength);
	return Insert(with, position);
}


BString&
BString::ReplaceFirst(char replaceThis, char withThis)
{
	return _DoReplaceChar(replaceThis, withThis, 1, 0, false);
}


BString&
BString::ReplaceLast(char replaceThis, char withThis)
{
	int32 found = FindLast(replaceThis);
	if (found >= 0)
		fData[found] = withThis;
	return *this;
}


BString&
BString::ReplaceAll(char replaceThis, char withThis, int32 fromOffset)
{
	return _DoReplaceChar(replaceThis, withThis, INT32_MAX, fromOffset, false);
}


BString&
BString::Replace(char replaceThis, char withThis, int32 maxReplaceCount, int32 fromOffset)
{
	return _DoReplaceChar(replaceThis, withThis, maxReplaceCount, fromOffset, false);
}


BString&
BString::ReplaceFirst(const char* replaceThis, const char* withThis)
{
	return _DoReplace(replaceThis, withThis, 1, 0, false);
}


BString&
BString::ReplaceLast(const char* replaceThis, const char* withThis)
{
	return _DoReplaceLast(replaceThis, withThis, false);
}


BString&
BString::ReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset)
{
	return _DoReplace(replaceThis, withThis, INT32_MAX, fromOffset, false);
}


BString&
BString::Replace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
	int32 fromOffset)
{
	return _DoReplace(replaceThis, withThis, maxReplaceCount, fromOffset, false);
}


BString&
BString::IReplaceFirst(char replaceThis, char withThis)
{
	return _DoReplaceChar(replaceThis, withThis, 1, 0, true);
}


BString&
BString::IReplaceLast(char replaceThis, char withThis)
{
	for (int32 i = fLength - 1; i >= 0; i--) {
		if (CharsEqual(fData[i], replaceThis, true)) {
			fData[i] = withThis;
			break;
		}
	}
	return *this;
}


BString&
BString::IReplaceAll(char replaceThis, char withThis, int32 fromOffset)
{
	return _DoReplaceChar(replaceThis, withThis, INT32_MAX, fromOffset, true);
}


BString&
BString::IReplace(char replaceThis, char withThis, int32 maxReplaceCount, int32 fromOffset)
{
	return _DoReplaceChar(replaceThis, withThis, maxReplaceCount, fromOffset, true);
}


BString&
BString::IReplaceFirst(const char* replaceThis, const char* withThis)
{
	return _DoReplace(replaceThis, withThis, 1, 0, true);
}


BString&
BString::IReplaceLast(const char* replaceThis, const char* withThis)
{
	return _DoReplaceLast(replaceThis, withThis, true);
}


BString&
BString::IReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset)
{
	return _DoReplace(replaceThis, withThis, INT32_MAX, fromOffset, true);
}


BString&
BString::IReplace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
	int32 fromOffset)
{
	return _DoReplace(replaceThis, withThis, maxReplaceCount, fromOffset, true);
}


BString&
BString::ReplaceSet(const char* setOfChars, char with)
{
	if (setOfChars == nullptr)
		return *this;
	for (int32 i = 0; i < fLength; i++) {
		if (fData[i] != '\0' && strchr(setOfChars, fData[i]) != nullptr)
			fData[i] = with;
	}
	return *this;
}


BString&
BString::ReplaceSet(const char* setOfChars, const char* with)
{
	if (setOfChars == nullptr || fLength == 0)
		return *this;
	int32 withLength = SafeLength(with);
	BString result;
	for (int32 i = 0; i < fLength; i++) {
		if (fData[i] != '\0' && strchr(setOfChars, fData[i]) != nullptr)
			result._Insert(with, withLength, result.Length());
		else
			result.Append(fData[i], 1);
	}
	return Adopt(result);
}


// #pragma mark - bytes and buffer


char
BString::operator[](int32 index) const
{
	return ByteAt(index);
}


char&
BString::operator[](int32 index)
{
	if (index < 0 || index >= fLength) {
		static thread_local char sScratch;
		sScratch = '\0';
		return sScratch;
	}
	return fData[index];
}


char
BString::ByteAt(int32 index) const
{
	if (index < 0 || index >= fLength)
		return '\0';
	return fData[index];
}


char*
BString::LockBuffer(int32 maxLength)
{
	if (maxLength < fLength)
		maxLength = fLength;
	if (!_Reserve(maxLength))
		return nullptr;
	return fData;
}


BString&
BString::UnlockBuffer(int32 length)
{
	if (fData == nullptr)
		return *this;
	if (length < 0)
		length = (int32)strnlen(fData, fCapacity - 1);
	else if (length > fCapacity - 1)
		length = fCapacity - 1;
	_SetLength(length);
	return *this;
}


// #pragma mark - case and escapes


BString&
BString::ToLower()
{
	for (int32 i = 0; i < fLength; i++)
		fData[i] = tolower((unsigned char)fData[i]);
	return *this;
}


BString&
BString::ToUpper()
{
	for (int32 i = 0; i < fLength; i++)
		fData[i] = toupper((unsigned char)fData[i]);
	return *this;
}


BString&
BString::Capitalize()
{
	ToLower();
	if (fLength > 0)
		fData[0] = toupper((unsigned char)fData[0]);
	return *this;
}


BString&
BString::CapitalizeEachWord()
{
	bool wordStart = true;
	for (int32 i = 0; i < fLength; i++) {
		unsigned char c = fData[i];
		if (isalpha(c)) {
			fData[i] = wordStart ? toupper(c) : tolower(c);
			wordStart = false;
		} else
			wordStart = true;
	}
	return *this;
}


BString&
BString::CharacterEscape(const char* original, const char* setOfCharsToEscape,
	char escapeWith)
{
	BString source(original);
	SetTo(source);
	return CharacterEscape(setOfCharsToEscape, escapeWith);
}


BString&
BString::CharacterEscape(const char* setOfCharsToEscape, char escapeWith)
{
	if (setOfCharsToEscape == nullptr || fLength == 0)
		return *this;
	BString result;
	for (int32 i = 0; i < fLength; i++) {
		if (fData[i] != '\0' && strchr(setOfCharsToEscape, fData[i]) != nullptr)
			result.Append(escapeWith, 1);
		result.Append(fData[i], 1);
	}
	return Adopt(result);
}


BString&
BString::CharacterDeescape(const char* original, char escapeChar)
{
	BString source(original);
	SetTo(source);
	return CharacterDeescape(escapeChar);
}


BString&
BString::CharacterDeescape(char escapeChar)
{
	int32 kept = 0;
	for (int32 i = 0; i < fLength; i++) {
		if (fData[i] == escapeChar && i + 1 < fLength)
			i++;
		fData[kept++] = fData[i];
	}
	if (fData != nullptr)
		_SetLength(kept);
	return *this;
}


// #pragma mark - formatted appending


BString&
BString::operator<<(const char* string)
{
	return Append(string);
}


BString&
BString::operator<<(const BString& string)
{
	return Append(string);
}


BString&
BString::operator<<(char c)
{
	return Append(c, 1);
}


BString&
BString::operator<<(int32 value)
{
	char buffer[32];
	snprintf(buffer, sizeof(buffer), "%" PRId32, value);
	return Append(buffer);
}


BString&
BString::operator<<(uint32 value)
{
	char buffer[32];
	snprintf(buffer, sizeof(buffer), "%" PRIu32, value);
	return Append(buffer);
}


BString&
BString::operator<<(int64 value)
{
	char buffer[32];
	snprintf(buffer, sizeof(buffer), "%" PRId64, value);
	return Append(buffer);
}


BString&
BString::operator<<(uint64 value)
{
	char buffer[32];
	snprintf(buffer, sizeof(buffer), "%" PRIu64, value);
	return Append(buffer);
}


BString&
BString::operator<<(long long value)
{
	return *this << (int64)value;
}


BString&
BString::operator<<(unsigned long long value)
{
	return *this << (uint64)value;
}


BString&
BString::operator<<(float value)
{
	return *this << (double)value;
}


BString&
BString::operator<<(double value)
{
	char buffer[64];
	int length = snprintf(buffer, sizeof(buffer), "%.2f", value);
	if (length < 0 || length >= (int)sizeof(buffer)) {
		// Huge values do not fit the buffer; the exponent form always does.
		snprintf(buffer, sizeof(buffer), "%.2e", value);
	}
	return Append(buffer);
}
