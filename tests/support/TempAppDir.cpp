#include "TempAppDir.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;


TempAppDir::TempAppDir()
	:
	fHadAppDir(false)
{
	char pattern[] = "/tmp/quorrel-app-XXXXXX";
	const char* made = mkdtemp(pattern);
	EXPECT_NE(made, nullptr);
	fPath = made != NULL ? made : "/tmp";

	std::error_code error;
	fs::copy(QUORREL_SOURCE_DIR "/data", fPath,
		fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
	EXPECT_FALSE(error) << error.message();
	fs::remove(fPath + "/Settings/settings", error);

	const char* saved = getenv("QUORREL_APP_DIR");
	if (saved != NULL) {
		fHadAppDir = true;
		fSavedAppDir = saved;
	}
	setenv("QUORREL_APP_DIR", fPath.c_str(), 1);
	for (const char* variable : { "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR" }) {
		std::string folder = fPath + "/.xdg/" + variable;
		fs::create_directories(folder, error);
		setenv(variable, folder.c_str(), 1);
	}
}


TempAppDir::~TempAppDir()
{
	if (fHadAppDir)
		setenv("QUORREL_APP_DIR", fSavedAppDir.c_str(), 1);
	else
		unsetenv("QUORREL_APP_DIR");
	std::error_code error;
	if (fPath.rfind("/tmp/quorrel-app-", 0) == 0)
		fs::remove_all(fPath, error);
}


std::string
TempAppDir::File(const char* relative) const
{
	return fPath + "/" + relative;
}


void
TempAppDir::Write(const char* relative, const std::string& contents)
{
	fs::path path = File(relative);
	std::error_code error;
	fs::create_directories(path.parent_path(), error);
	std::ofstream stream(path, std::ios::binary | std::ios::trunc);
	stream << contents;
	EXPECT_TRUE(stream.good()) << "cannot write " << path;
}


std::string
TempAppDir::Read(const char* relative) const
{
	std::ifstream stream(File(relative), std::ios::binary);
	if (!stream)
		return std::string();
	std::ostringstream contents;
	contents << stream.rdbuf();
	return contents.str();
}


bool
TempAppDir::Exists(const char* relative) const
{
	return access(File(relative).c_str(), F_OK) == 0;
}
