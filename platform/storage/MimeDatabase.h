/*
 * The files behind BMimeType; the layout is described in MimeType.h. Every call reads
 * the XDG folders anew. Types are compared and stored in lower case.
 */
#ifndef _STORAGE_MIME_DATABASE_H
#define _STORAGE_MIME_DATABASE_H

#include <SupportDefs.h>

#include <map>
#include <string>
#include <vector>

namespace BPrivate {

// The folder of the type in the private part of the database.
std::string mime_db_folder(const std::string& type);
// Whether the user's database holds the type.
bool mime_db_has_type(const std::string& type);
// Whether a shared-mime-info "types" list of the system or the user names the type.
bool mime_db_system_knows(const std::string& type);

// Creates the type's entry and its package file.
status_t mime_db_create(const std::string& type);
// Removes the entry, the package file and the default application.
status_t mime_db_remove(const std::string& type);

status_t mime_db_read(const std::string& type, std::map<std::string, std::string>& values);
// Sets key to value; an empty value removes the key. Values are one line each.
status_t mime_db_write_value(const std::string& type, const std::string& key,
	const std::string& value);

status_t mime_db_read_icon(const std::string& type, int32 size, std::vector<char>& bytes);
// Writes the icon bytes; no bytes removes the icon.
status_t mime_db_write_icon(const std::string& type, int32 size,
	const std::vector<char>& bytes);

// Where the desktop looks for the type's icon of the given size (a PNG file in the
// user's hicolor icon theme).
std::string mime_db_desktop_icon_path(const std::string& type, int32 size);

// Rewrites the type's shared-mime-info package from its entry and runs
// update-mime-database.
status_t mime_db_write_package(const std::string& type);

// Sets (or, with an empty name, removes) the desktop's default application for the
// type in mimeapps.list.
status_t mime_db_set_default_app(const std::string& type, const std::string& desktopFile);
// The default application that mimeapps.list names for the type, or "".
std::string mime_db_default_app(const std::string& type);
// The desktop file name that stands for an application signature.
std::string desktop_file_for_signature(const std::string& signature);

}	// namespace BPrivate

#endif	// _STORAGE_MIME_DATABASE_H
