/*
 * find_directory: where the standard folders of the system and the user are.
 *
 * The BeOS folders map to their Linux counterparts: the user's settings are
 * $XDG_CONFIG_HOME, the user's data $XDG_DATA_HOME, the user folder $HOME, the
 * temporary folder /tmp. Folders with no counterpart give B_BAD_VALUE.
 */
#ifndef _FIND_DIRECTORY_H
#define _FIND_DIRECTORY_H

#include <SupportDefs.h>

class BPath;
class BVolume;

typedef enum {
	B_DESKTOP_DIRECTORY					= 0,
	B_TRASH_DIRECTORY,

	B_BEOS_DIRECTORY					= 1000,
	B_BEOS_SYSTEM_DIRECTORY,
	B_BEOS_ADDONS_DIRECTORY,
	B_BEOS_BOOT_DIRECTORY,
	B_BEOS_FONTS_DIRECTORY,
	B_BEOS_LIB_DIRECTORY,
	B_BEOS_SERVERS_DIRECTORY,
	B_BEOS_APPS_DIRECTORY,
	B_BEOS_BIN_DIRECTORY,
	B_BEOS_ETC_DIRECTORY,
	B_BEOS_DOCUMENTATION_DIRECTORY,
	B_BEOS_PREFERENCES_DIRECTORY,
	B_BEOS_TRANSLATORS_DIRECTORY,
	B_BEOS_MEDIA_NODES_DIRECTORY,
	B_BEOS_SOUNDS_DIRECTORY,

	B_COMMON_DIRECTORY					= 2000,
	B_COMMON_SYSTEM_DIRECTORY,
	B_COMMON_ADDONS_DIRECTORY,
	B_COMMON_BOOT_DIRECTORY,
	B_COMMON_FONTS_DIRECTORY,
	B_COMMON_LIB_DIRECTORY,
	B_COMMON_SERVERS_DIRECTORY,
	B_COMMON_BIN_DIRECTORY,
	B_COMMON_ETC_DIRECTORY,
	B_COMMON_DOCUMENTATION_DIRECTORY,
	B_COMMON_SETTINGS_DIRECTORY,
	B_COMMON_DEVELOP_DIRECTORY,
	B_COMMON_LOG_DIRECTORY,
	B_COMMON_SPOOL_DIRECTORY,
	B_COMMON_TEMP_DIRECTORY,
	B_COMMON_VAR_DIRECTORY,
	B_COMMON_TRANSLATORS_DIRECTORY,
	B_COMMON_MEDIA_NODES_DIRECTORY,
	B_COMMON_SOUNDS_DIRECTORY,

	B_USER_DIRECTORY					= 3000,
	B_USER_CONFIG_DIRECTORY,
	B_USER_ADDONS_DIRECTORY,
	B_USER_BOOT_DIRECTORY,
	B_USER_FONTS_DIRECTORY,
	B_USER_LIB_DIRECTORY,
	B_USER_SETTINGS_DIRECTORY,
	B_USER_DESKBAR_DIRECTORY,
	B_USER_TRANSLATORS_DIRECTORY,
	B_USER_MEDIA_NODES_DIRECTORY,
	B_USER_SOUNDS_DIRECTORY,
	// Not in R5: the user's data folder ($XDG_DATA_HOME).
	B_USER_DATA_DIRECTORY,

	B_APPS_DIRECTORY					= 4000,
	B_PREFERENCES_DIRECTORY,
	B_UTILITIES_DIRECTORY,

	// The later name of the temporary folder, kept for code written against it.
	B_SYSTEM_TEMP_DIRECTORY				= B_COMMON_TEMP_DIRECTORY
} directory_which;

// Sets path to the folder; with createIt, missing folders are created. The volume is
// ignored: Linux has one tree.
status_t find_directory(directory_which which, BPath* path, bool createIt = false,
	BVolume* volume = nullptr);
// The same into a caller's buffer of length bytes; device is ignored.
status_t find_directory(directory_which which, dev_t device, bool createIt,
	char* returnedPath, int32 length);

#endif	// _FIND_DIRECTORY_H
