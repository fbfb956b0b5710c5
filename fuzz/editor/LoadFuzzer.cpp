// Loads random bytes as a file in a random one of the 19 encodings (or none), and checks
// that the document holds no NUL byte, is valid UTF-8 whenever it was converted, and
// comes back the same after being written in that encoding and read again.

#include "EView.h"
#include "EncodingTable.h"

#include <File.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>


namespace {

void
Check(bool condition, const char* what, int32 encoding)
{
	if (!condition) {
		fprintf(stderr, "invariant broken: %s (encoding %d)\n", what, (int)encoding);
		abort();
	}
}


bool
IsValidUTF8(const std::string& text)
{
	std::string copy;
	int32 substituted = 0;
	EncodingTable::ToUTF8(EncodingTable::kUnicodeIndex, text.data(), (int32)text.size(),
		&copy, &substituted);
	return substituted == 0 && copy == text;
}


std::string
FilePath()
{
	static std::string path;
	if (path.empty()) {
		char name[] = "/tmp/quorrel-fuzz-load-XXXXXX";
		int descriptor = mkstemp(name);
		if (descriptor >= 0)
			close(descriptor);
		path = name;
	}
	return path;
}

}	// namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static EView* document = NULL;
	if (document == NULL)
		document = new EView(BRect(0, 0, 399, 299), "fuzz");
	if (size == 0 || size > 256 * 1024)
		return 0;

	int32 encoding = data[0] % (EncodingTable::kCount + 1);
	if (encoding == EncodingTable::kCount)
		encoding = -1;
	std::string path = FilePath();
	FILE* file = fopen(path.c_str(), "wb");
	if (file == NULL)
		return 0;
	fwrite(data + 1, 1, size - 1, file);
	fclose(file);

	BFile input(path.c_str(), B_READ_ONLY);
	document->LoadFile(&input, encoding);
	std::string text(document->GetBufor(), document->GetTextLength());
	Check(text.size() == strlen(document->GetBufor()), "a NUL byte in the text", encoding);
	Check((document->LoadIssues() & (EView::kLoadReadError | EView::kLoadTooLarge)) == 0,
		"a readable file reported as unreadable", encoding);
	if (encoding < 0) {
		std::string expected((const char*)data + 1, size - 1);
		for (char& byte : expected) {
			if (byte == '\0')
				byte = EncodingTable::kSubstitute;
		}
		Check(text == expected, "unconverted bytes changed", encoding);
		return 0;
	}

	Check(IsValidUTF8(text), "converted text is not valid UTF-8", encoding);
	std::string encoded;
	Check(EncodingTable::FromUTF8(encoding, text.data(), (int32)text.size(), &encoded)
		== B_OK, "writing failed", encoding);
	std::string again;
	Check(EncodingTable::ToUTF8(encoding, encoded.data(), (int32)encoded.size(), &again)
		== B_OK, "reading again failed", encoding);
	Check(again == text, "text changed on its way to the file and back", encoding);
	return 0;
}
