// Reads arbitrary bytes as the user colours file, both from a file and straight from an
// exactly sized buffer, and checks that what was read writes and reads back the same.

#include "UserColors.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <stdlib.h>

static std::string sFolder;


static void
RemoveFolder()
{
	std::error_code error;
	std::filesystem::remove_all(sFolder, error);
}


static bool
WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
	std::FILE* file = std::fopen(path.c_str(), "wb");
	if (file == nullptr)
		return false;
	bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
	return std::fclose(file) == 0 && ok;
}


static bool
Same(const rgb_color a[UserColors::kCount], const rgb_color b[UserColors::kCount])
{
	for (int slot = 0; slot < UserColors::kCount; slot++) {
		if (a[slot].red != b[slot].red || a[slot].green != b[slot].green
			|| a[slot].blue != b[slot].blue)
			return false;
	}
	return true;
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (sFolder.empty()) {
		char pattern[] = "/tmp/fuzz-colors-XXXXXX";
		if (mkdtemp(pattern) == nullptr)
			std::abort();
		sFolder = pattern;
		std::atexit(RemoveFolder);
	}

	// Straight from a buffer without a terminating NUL: reading past it is caught by
	// the address sanitizer.
	std::unique_ptr<char[]> bytes(new char[size > 0 ? size : 1]);
	if (size > 0)
		std::memcpy(bytes.get(), data, size);
	rgb_color fromBuffer[UserColors::kCount];
	UserColors::SetDefaults(fromBuffer);
	int taken = UserColors::Parse(bytes.get(), size, fromBuffer);
	if (taken < 0 || taken > UserColors::kCount)
		std::abort();

	// The same bytes as a file give the same slots.
	std::string path = sFolder + "/colors";
	if (!WriteFile(path, data, size))
		std::abort();
	rgb_color fromFile[UserColors::kCount];
	UserColors::SetDefaults(fromFile);
	if (UserColors::Read(path.c_str(), fromFile) != B_OK)
		std::abort();
	if (!Same(fromBuffer, fromFile))
		std::abort();

	// What was read is written out and read back unchanged, every slot valid.
	if (UserColors::Write(path.c_str(), fromFile) != B_OK)
		std::abort();
	rgb_color back[UserColors::kCount];
	UserColors::SetDefaults(back);
	for (int slot = 0; slot < UserColors::kCount; slot++)
		back[slot].red ^= 1;
	if (UserColors::Read(path.c_str(), back) != B_OK || !Same(fromFile, back))
		std::abort();
	return 0;
}
