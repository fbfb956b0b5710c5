// A private folder for one fuzzing process, removed when the process ends, and a
// writer that puts one input into a file there.
#ifndef _FUZZ_GLOSSAN_HELPERS_H
#define _FUZZ_GLOSSAN_HELPERS_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

namespace BPrivate {

inline std::string sFuzzFolder;


inline void
RemoveFuzzFolder()
{
	std::error_code error;
	std::filesystem::remove_all(sFuzzFolder, error);
}


// The folder, ending with a slash as the dictionary expects.
inline const std::string&
FuzzFolder()
{
	if (sFuzzFolder.empty()) {
		char pattern[] = "/tmp/fuzz-glossan-XXXXXX";
		if (mkdtemp(pattern) == nullptr)
			std::abort();
		sFuzzFolder = std::string(pattern) + "/";
		std::atexit(RemoveFuzzFolder);
	}
	return sFuzzFolder;
}


inline void
WriteFuzzFile(const std::string& leaf, const void* data, size_t size)
{
	std::string path = FuzzFolder() + leaf;
	std::FILE* file = std::fopen(path.c_str(), "wb");
	if (file == nullptr)
		std::abort();
	bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
	if (std::fclose(file) != 0 || !ok)
		std::abort();
}

}	// namespace BPrivate

#endif	// _FUZZ_GLOSSAN_HELPERS_H
