// Loads arbitrary bytes as a settings file, reads every entry back, saves the table
// and loads the saved file again.

#include <libvarkel/varkel.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (sFolder.empty()) {
		char pattern[] = "/tmp/fuzz-varkel-XXXXXX";
		if (mkdtemp(pattern) == nullptr)
			std::abort();
		sFolder = pattern;
		std::atexit(RemoveFolder);
	}
	std::string input = sFolder + "/settings";
	std::string output = sFolder + "/saved";
	if (!WriteFile(input, data, size))
		std::abort();

	varkel store;
	if (store.LoadPrefs(input.c_str()) != 0)
		std::abort();
	// Every name the file can hold is looked up; the values must be C strings that
	// fit their 256-byte buffers.
	const char* names[] = {"language", "name", "email", "encoding", "icons", "gfx_dir", ""};
	for (const char* name : names) {
		const char* value = store.GetValue(name);
		if (value != nullptr && std::strlen(value) > 255)
			std::abort();
		store.ModifyParam(name, "changed");
	}
	store.PutParam("extra", "value");
	store.DeleteParam("name");
	if (store.SavePrefs(output.c_str()) != 0)
		std::abort();

	varkel again;
	if (again.LoadPrefs(output.c_str()) != 0)
		std::abort();
	again.LoadPrefs(input.c_str());
	return 0;
}
