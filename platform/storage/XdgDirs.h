/*
 * The user's folders after the XDG base directory rules, read from the environment at
 * every call so that a changed XDG_DATA_HOME or XDG_CONFIG_HOME takes effect at once.
 */
#ifndef _STORAGE_XDG_DIRS_H
#define _STORAGE_XDG_DIRS_H

#include <string>
#include <vector>

namespace BPrivate {

// $HOME, or the home folder of the user's password entry.
std::string xdg_home_folder();
// $XDG_DATA_HOME, or ~/.local/share (a relative value is ignored, as the rules say).
std::string xdg_data_home();
// $XDG_CONFIG_HOME, or ~/.config.
std::string xdg_config_home();
// $XDG_DATA_DIRS split at colons, or /usr/local/share and /usr/share.
std::vector<std::string> xdg_data_dirs();

}	// namespace BPrivate

#endif	// _STORAGE_XDG_DIRS_H
