/*
 * BMimeType: a MIME type string and its entry in the user's type database.
 *
 * The database lives in the user's data folder ($XDG_DATA_HOME, ~/.local/share by
 * default), read at every call:
 * - mime/packages/<type with '/' as '-'>.xml, a shared-mime-info package naming the type
 *   and its short description (and file extensions), so the desktop knows the type too;
 *   update-mime-database runs on that folder after each change when it is installed.
 * - libbe/mime/<supertype>/<subtype>/ holds what the desktop has no place for: the file
 *   "type.db" (key=value lines: the preferred application's signature, descriptions)
 *   and the icons as raw B_CMAP8 bytes, "icon-large.cmap8" and "icon-mini.cmap8".
 * - icons/hicolor/32x32/mimetypes/<type with '/' as '-'>.png (and 16x16): copies of the
 *   icons for the desktop's icon theme.
 * - The preferred application is also written to $XDG_CONFIG_HOME/mimeapps.list under
 *   "[Default Applications]" as a desktop file name made from the signature: the part
 *   after "application/", without a leading "x-vnd." or "x.vnd.", lower case, other
 *   characters than letters, digits, '-', '_' and '.' turned into '-', plus ".desktop"
 *   ("application/x.vnd.Quorrel" gives "quorrel.desktop").
 * Types that the system's shared-mime-info database lists count as installed. As on R5,
 * setting an icon, a description or a preferred application installs the type first.
 */
#ifndef _MIME_TYPE_H
#define _MIME_TYPE_H

#include <Mime.h>
#include <StorageDefs.h>

#include <string>

class BBitmap;

class BMimeType {
public:
							BMimeType();
							BMimeType(const char* type);
	virtual					~BMimeType();

	// B_BAD_VALUE for a null or malformed type ("super/sub" or "super", no spaces or
	// MIME special characters, no part starting with a dot, shorter than
	// B_MIME_TYPE_LENGTH).
			status_t		SetTo(const char* type);
			void			Unset();
			status_t		InitCheck() const;

	// The type string, or null while unset.
			const char*		Type() const;
			bool			IsValid() const;
	static	bool			IsValid(const char* type);
			bool			IsSupertypeOnly() const;
			status_t		GetSupertype(BMimeType* supertype) const;

			bool			IsInstalled() const;
	// B_FILE_EXISTS when the type is already installed.
			status_t		Install();
	// Removes the type from the user's database; B_ENTRY_NOT_FOUND if it is not there.
			status_t		Delete();

			status_t		GetIcon(BBitmap* icon, icon_size which) const;
	// icon must be a which x which B_CMAP8 bitmap; a null icon removes the icon.
			status_t		SetIcon(const BBitmap* icon, icon_size which);

	// signature must hold B_MIME_TYPE_LENGTH bytes.
			status_t		GetPreferredApp(char* signature, app_verb verb = B_OPEN) const;
	// A null signature removes the preferred application.
			status_t		SetPreferredApp(const char* signature, app_verb verb = B_OPEN);

	// description must hold B_MIME_TYPE_LENGTH bytes.
			status_t		GetShortDescription(char* description) const;
			status_t		SetShortDescription(const char* description);
			status_t		GetLongDescription(char* description) const;
			status_t		SetLongDescription(const char* description);

	// The file name extensions of the type, without dots, separated by spaces
	// ("html htm"); they become glob patterns of the desktop's package. R5 passes them
	// in a BMessage; a plain string keeps the Storage Kit free of the Application Kit.
			status_t		GetFileExtensions(std::string& extensions) const;
			status_t		SetFileExtensions(const char* extensions);

	// The type the shared-mime-info glob lists give a file name.
	static	status_t		GuessMimeType(const char* fileName, BMimeType* type);

			bool			operator==(const BMimeType& other) const;
			bool			operator==(const char* type) const;

private:
							BMimeType(const BMimeType&);
			BMimeType&		operator=(const BMimeType&);

			status_t		_EnsureInstalled();
			status_t		_GetText(const char* key, char* buffer) const;
			status_t		_SetText(const char* key, const char* text, bool updatePackage);

			std::string		fType;
			status_t		fStatus;
};

#endif	// _MIME_TYPE_H
