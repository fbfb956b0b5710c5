#include "storage/XdgDirs.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>


namespace BPrivate {


namespace {

std::string
AbsoluteVariable(const char* name)
{
	const char* value = getenv(name);
	if (value == nullptr || value[0] != '/')
		return std::string();
	std::string folder = value;
	while (folder.size() > 1 && folder.back() == '/')
		folder.pop_back();
	return folder;
}

}	// namespace


std::string
xdg_home_folder()
{
	std::string home = AbsoluteVariable("HOME");
	if (!home.empty())
		return home;
	struct passwd entry;
	struct passwd* result = nullptr;
	char buffer[4096];
	if (getpwuid_r(getuid(), &entry, buffer, sizeof(buffer), &result) == 0
		&& result != nullptr && result->pw_dir != nullptr)
		return result->pw_dir;
	return "/";
}


std::string
xdg_data_home()
{
	std::string folder = AbsoluteVariable("XDG_DATA_HOME");
	return !folder.empty() ? folder : xdg_home_folder() + "/.local/share";
}


std::string
xdg_config_home()
{
	std::string folder = AbsoluteVariable("XDG_CONFIG_HOME");
	return !folder.empty() ? folder : xdg_home_folder() + "/.config";
}


std::vector<std::string>
xdg_data_dirs()
{
	std::vector<std::string> folders;
	const char* value = getenv("XDG_DATA_DIRS");
	std::string list = value != nullptr ? value : "";
	size_t start = 0;
	while (start <= list.size()) {
		size_t colon = list.find(':', start);
		if (colon == std::string::npos)
			colon = list.size();
		std::string folder = list.substr(start, colon - start);
		while (folder.size() > 1 && folder.back() == '/')
			folder.pop_back();
		if (!folder.empty() && folder[0] == '/')
			folders.push_back(folder);
		start = colon + 1;
	}
	if (folders.empty()) {
		folders.push_back("/usr/local/share");
		folders.push_back("/usr/share");
	}
	return folders;
}


}	// namespace BPrivate
