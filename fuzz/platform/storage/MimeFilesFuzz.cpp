// Feeds arbitrary text to the readers of the desktop's MIME files: the shared-mime-info
// glob list, mimeapps.list and the private type entries. The first byte picks the file.
// Besides not crashing, a default application that was just written must read back,
// and other lines of mimeapps.list must survive its removal.

#include "storage/MimeDatabase.h"
#include "storage/MimeGlobs.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ftw.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace BPrivate;


namespace {

std::string sRoot;


int
RemoveOne(const char* path, const struct stat*, int, struct FTW*)
{
	remove(path);
	return 0;
}


void
RemoveRoot()
{
	nftw(sRoot.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}


std::string
Root()
{
	if (sRoot.empty()) {
		char pattern[] = "/tmp/fuzz-mime-XXXXXX";
		if (mkdtemp(pattern) == nullptr)
			abort();
		sRoot = pattern;
		atexit(RemoveRoot);
		setenv("XDG_DATA_HOME", (sRoot + "/data").c_str(), 1);
		setenv("XDG_CONFIG_HOME", (sRoot + "/config").c_str(), 1);
		setenv("XDG_DATA_DIRS", (sRoot + "/none").c_str(), 1);
		// No update-mime-database runs while fuzzing.
		setenv("PATH", (sRoot + "/none").c_str(), 1);
		mkdir((sRoot + "/data").c_str(), 0755);
		mkdir((sRoot + "/data/mime").c_str(), 0755);
		mkdir((sRoot + "/config").c_str(), 0755);
	}
	return sRoot;
}


void
Write(const std::string& path, const uint8_t* data, size_t size)
{
	FILE* file = fopen(path.c_str(), "wb");
	if (file == nullptr)
		abort();
	fwrite(data, 1, size, file);
	fclose(file);
}

}	// namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	std::string root = Root();
	uint8_t mode = data[0] % 3;
	data++;
	size--;

	if (mode == 0) {
		Write(root + "/data/mime/globs2", data, size);
		for (const char* name : { "index.html", "README", "a.tar.gz", "", "X.C" })
			mime_type_for_name(name);
	} else if (mode == 1) {
		Write(root + "/config/mimeapps.list", data, size);
		const std::string type = "text/x-fuzz";
		if (mime_db_set_default_app(type, "fuzz.desktop") != 0)
			abort();
		if (mime_db_default_app(type) != "fuzz.desktop")
			abort();
		if (mime_db_set_default_app(type, "") != 0)
			abort();
		if (!mime_db_default_app(type).empty())
			abort();
	} else {
		const std::string type = "text/x-fuzz";
		std::string folder = mime_db_folder(type);
		// Create the entry's folders, then put the fuzz input in place of the entry.
		mkdir((root + "/data/libbe").c_str(), 0755);
		mkdir((root + "/data/libbe/mime").c_str(), 0755);
		mkdir((root + "/data/libbe/mime/text").c_str(), 0755);
		mkdir(folder.c_str(), 0755);
		Write(folder + "/type.db", data, size);
		std::map<std::string, std::string> values;
		mime_db_read(type, values);
		mime_db_write_value(type, "short_description", "fuzz");
		mime_db_write_package(type);
	}
	return 0;
}
