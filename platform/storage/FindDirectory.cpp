#include <FindDirectory.h>

#include <Directory.h>
#include <Path.h>

#include "storage/XdgDirs.h"

#include <cstring>
#include <string>

using namespace BPrivate;


namespace {

std::string
FolderFor(directory_which which)
{
	switch (which) {
		case B_DESKTOP_DIRECTORY:
			return xdg_home_folder() + "/Desktop";
		case B_TRASH_DIRECTORY:
			return xdg_data_home() + "/Trash/files";

		case B_BEOS_DIRECTORY:
		case B_COMMON_DIRECTORY:
			return "/usr";
		case B_BEOS_SYSTEM_DIRECTORY:
		case B_COMMON_SYSTEM_DIRECTORY:
		case B_BEOS_LIB_DIRECTORY:
		case B_COMMON_LIB_DIRECTORY:
			return "/usr/lib";
		case B_BEOS_BOOT_DIRECTORY:
		case B_COMMON_BOOT_DIRECTORY:
			return "/";
		case B_BEOS_FONTS_DIRECTORY:
		case B_COMMON_FONTS_DIRECTORY:
			return "/usr/share/fonts";
		case B_BEOS_APPS_DIRECTORY:
		case B_BEOS_BIN_DIRECTORY:
		case B_COMMON_BIN_DIRECTORY:
		case B_APPS_DIRECTORY:
		case B_UTILITIES_DIRECTORY:
			return "/usr/bin";
		case B_BEOS_ETC_DIRECTORY:
		case B_COMMON_ETC_DIRECTORY:
		case B_COMMON_SETTINGS_DIRECTORY:
			return "/etc";
		case B_BEOS_DOCUMENTATION_DIRECTORY:
		case B_COMMON_DOCUMENTATION_DIRECTORY:
			return "/usr/share/doc";
		case B_BEOS_SOUNDS_DIRECTORY:
		case B_COMMON_SOUNDS_DIRECTORY:
			return "/usr/share/sounds";
		case B_COMMON_LOG_DIRECTORY:
			return "/var/log";
		case B_COMMON_SPOOL_DIRECTORY:
			return "/var/spool";
		case B_COMMON_TEMP_DIRECTORY:
			return "/tmp";
		case B_COMMON_VAR_DIRECTORY:
			return "/var";

		case B_USER_DIRECTORY:
		case B_USER_BOOT_DIRECTORY:
			return xdg_home_folder();
		case B_USER_CONFIG_DIRECTORY:
		case B_USER_SETTINGS_DIRECTORY:
			return xdg_config_home();
		case B_USER_DATA_DIRECTORY:
			return xdg_data_home();
		case B_USER_FONTS_DIRECTORY:
			return xdg_data_home() + "/fonts";
		case B_USER_SOUNDS_DIRECTORY:
			return xdg_data_home() + "/sounds";
		case B_USER_LIB_DIRECTORY:
			return xdg_home_folder() + "/.local/lib";

		default:
			return std::string();
	}
}

}	// namespace


status_t
find_directory(directory_which which, BPath* path, bool createIt, BVolume* volume)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	std::string folder = FolderFor(which);
	if (folder.empty()) {
		path->Unset();
		return B_BAD_VALUE;
	}
	if (createIt) {
		status_t status = create_directory(folder.c_str(), 0755);
		if (status != B_OK) {
			path->Unset();
			return status;
		}
	}
	return path->SetTo(folder.c_str());
}


status_t
find_directory(directory_which which, dev_t device, bool createIt, char* returnedPath,
	int32 length)
{
	if (returnedPath == nullptr || length <= 0)
		return B_BAD_VALUE;
	BPath path;
	status_t status = find_directory(which, &path, createIt);
	if (status != B_OK)
		return status;
	size_t size = strlen(path.Path());
	if (size >= (size_t)length)
		return B_NAME_TOO_LONG;
	memcpy(returnedPath, path.Path(), size + 1);
	return B_OK;
}
