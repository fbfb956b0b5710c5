// Shared checks of the conversion fuzz targets: each conversion is run in pieces
// through exactly sized heap buffers, so that any write past *dstLen is caught, and
// the counts it reports are checked against what it was given.
#ifndef CONVERSION_FUZZ_CHECKS_H
#define CONVERSION_FUZZ_CHECKS_H

#include <UTF8.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

typedef status_t (*Converter)(uint32, const char*, int32*, char*, int32*, int32*, char);

inline void
FuzzCheck(bool condition, const char* what)
{
	if (!condition) {
		fprintf(stderr, "conversion check failed: %s\n", what);
		abort();
	}
}


// Converts all of source in calls with a destination of `room` bytes and returns the
// output. Stops when a call makes no progress, which is allowed only for a cut-off
// character at the very end.
inline std::string
ConvertInPieces(Converter convert, uint32 encoding, const std::string& source,
	int32 room)
{
	std::string output;
	int32 state = 0;
	size_t offset = 0;
	while (offset < source.size()) {
		int32 sourceLength = (int32)(source.size() - offset);
		// The source goes in its own exact copy too, so reads past it are caught.
		char* input = (char*)malloc(sourceLength);
		memcpy(input, source.data() + offset, sourceLength);
		char* target = (char*)malloc(room > 0 ? room : 1);
		int32 targetLength = room;
		int32 givenSource = sourceLength;
		status_t status = convert(encoding, input, &sourceLength, target, &targetLength,
			&state, B_SUBSTITUTE);
		FuzzCheck(status == B_OK, "status");
		FuzzCheck(sourceLength >= 0 && sourceLength <= givenSource, "consumed");
		FuzzCheck(targetLength >= 0 && targetLength <= room, "produced");
		output.append(target, targetLength);
		free(target);
		free(input);
		if (sourceLength == 0) {
			// Nothing fit, or a cut-off character remains: a bigger destination must
			// take the next character unless the rest is shorter than any character.
			FuzzCheck(room < 16 || source.size() - offset < 4, "no progress");
			break;
		}
		offset += sourceLength;
	}
	return output;
}


// True when text is well-formed UTF-8.
inline bool
IsValidUTF8(const std::string& text)
{
	size_t i = 0;
	while (i < text.size()) {
		uint8_t lead = text[i];
		size_t length = lead < 0x80 ? 1 : (lead >= 0xc2 && lead <= 0xdf) ? 2
			: (lead >= 0xe0 && lead <= 0xef) ? 3 : (lead >= 0xf0 && lead <= 0xf4) ? 4 : 0;
		if (length == 0 || i + length > text.size())
			return false;
		for (size_t j = 1; j < length; j++) {
			if (((uint8_t)text[i + j] & 0xc0) != 0x80)
				return false;
		}
		i += length;
	}
	return true;
}

#endif	// CONVERSION_FUZZ_CHECKS_H
