// Fuzzes convert_to_utf8: the first byte picks the encoding (also unknown ones) and the
// destination size, the rest is the text in that encoding.

#include "ConversionFuzzChecks.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	uint32 encoding = data[0] % 21;
	std::string source(reinterpret_cast<const char*>(data + 1), size - 1);

	if (encoding > B_MS_DOS_866_CONVERSION) {
		int32 sourceLength = (int32)source.size();
		char target[4];
		int32 targetLength = sizeof(target);
		int32 state = 0;
		FuzzCheck(convert_to_utf8(encoding, source.data(), &sourceLength, target,
			&targetLength, &state) == B_ERROR, "unknown encoding");
		return 0;
	}

	// Small destinations exercise the boundaries; a large one converts everything.
	int32 rooms[] = { 1 + (data[0] >> 5), (int32)source.size() * 4 + 16 };
	for (int32 room : rooms) {
		std::string output = ConvertInPieces(convert_to_utf8, encoding, source, room);
		FuzzCheck(IsValidUTF8(output), "output is not UTF-8");
	}
	return 0;
}
