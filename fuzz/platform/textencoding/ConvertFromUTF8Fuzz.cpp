// Fuzzes convert_from_utf8: the first byte picks the encoding and the destination size,
// the rest is text that is meant to be UTF-8 but need not be. The result is converted
// back, which must give well-formed UTF-8.

#include "ConversionFuzzChecks.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	uint32 encoding = data[0] % 19;
	std::string source(reinterpret_cast<const char*>(data + 1), size - 1);

	int32 rooms[] = { 1 + (data[0] >> 5), (int32)source.size() * 4 + 16 };
	for (int32 room : rooms) {
		std::string encoded = ConvertInPieces(convert_from_utf8, encoding, source, room);
		std::string back = ConvertInPieces(convert_to_utf8, encoding, encoded,
			(int32)encoded.size() * 4 + 16);
		FuzzCheck(IsValidUTF8(back), "round trip is not UTF-8");
		// Valid UTF-8 of plain ASCII survives every encoding unchanged.
		bool ascii = true;
		for (char c : source) {
			if ((uint8_t)c >= 0x80 || c == 0x1b || c == 0)
				ascii = false;
		}
		if (ascii && room > 16)
			FuzzCheck(back == source, "ASCII changed");
	}
	return 0;
}
