#include <MimeType.h>

#include <Bitmap.h>

#include "storage/IconData.h"
#include "storage/MimeDatabase.h"
#include "storage/MimeGlobs.h"
#include "translation/PNGWriter.h"

#include <Directory.h>

#include <cctype>
#include <cstring>
#include <map>
#include <strings.h>
#include <unistd.h>
#include <vector>

using namespace BPrivate;


namespace {

const char* const kPreferredAppKey = "preferred_app";
const char* const kShortDescriptionKey = "short_description";
const char* const kLongDescriptionKey = "long_description";
const char* const kExtensionsKey = "extensions";


bool
ValidPart(const char* start, size_t length)
{
	// A part may not start with a dot either: the parts name folders of the database.
	if (length == 0 || start[0] == '.')
		return false;
	for (size_t i = 0; i < length; i++) {
		unsigned char c = (unsigned char)start[i];
		if (c <= ' ' || c >= 127 || strchr("()<>@,;:\\\"/[]?=", c) != nullptr)
			return false;
	}
	return true;
}


status_t
CheckText(const char* text)
{
	if (text == nullptr)
		return B_OK;
	size_t length = strnlen(text, B_MIME_TYPE_LENGTH);
	if (length >= B_MIME_TYPE_LENGTH || strchr(text, '\n') != nullptr)
		return B_BAD_VALUE;
	return B_OK;
}

}	// namespace


BMimeType::BMimeType()
	:
	fStatus(B_NO_INIT)
{
}


BMimeType::BMimeType(const char* type)
	:
	fStatus(B_NO_INIT)
{
	SetTo(type);
}


BMimeType::~BMimeType()
{
}


status_t
BMimeType::SetTo(const char* type)
{
	if (!IsValid(type)) {
		Unset();
		fStatus = B_BAD_VALUE;
		return fStatus;
	}
	fType = type;
	fStatus = B_OK;
	return B_OK;
}


void
BMimeType::Unset()
{
	fType.clear();
	fStatus = B_NO_INIT;
}


status_t
BMimeType::InitCheck() const
{
	return fStatus;
}


const char*
BMimeType::Type() const
{
	return fStatus == B_OK ? fType.c_str() : nullptr;
}


bool
BMimeType::IsValid() const
{
	return fStatus == B_OK;
}


bool
BMimeType::IsValid(const char* type)
{
	if (type == nullptr)
		return false;
	size_t length = strnlen(type, B_MIME_TYPE_LENGTH);
	if (length == 0 || length >= B_MIME_TYPE_LENGTH)
		return false;
	const char* slash = strchr(type, '/');
	if (slash == nullptr)
		return ValidPart(type, length);
	return ValidPart(type, (size_t)(slash - type))
		&& ValidPart(slash + 1, length - (size_t)(slash - type) - 1);
}


bool
BMimeType::IsSupertypeOnly() const
{
	return fStatus == B_OK && fType.find('/') == std::string::npos;
}


status_t
BMimeType::GetSupertype(BMimeType* supertype) const
{
	if (supertype == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	size_t slash = fType.find('/');
	if (slash == std::string::npos)
		return B_BAD_VALUE;
	return supertype->SetTo(fType.substr(0, slash).c_str());
}


bool
BMimeType::IsInstalled() const
{
	if (fStatus != B_OK)
		return false;
	return mime_db_has_type(fType) || mime_db_system_knows(fType);
}


status_t
BMimeType::Install()
{
	if (fStatus != B_OK)
		return fStatus;
	if (IsInstalled())
		return B_FILE_EXISTS;
	return mime_db_create(fType);
}


status_t
BMimeType::Delete()
{
	if (fStatus != B_OK)
		return fStatus;
	return mime_db_remove(fType);
}


status_t
BMimeType::GetIcon(BBitmap* icon, icon_size which) const
{
	status_t status = check_icon_bitmap(icon, which);
	if (status != B_OK)
		return status;
	if (fStatus != B_OK)
		return fStatus;
	std::vector<char> bytes;
	status = mime_db_read_icon(fType, which, bytes);
	if (status != B_OK)
		return status;
	return icon_bytes_to_bitmap(bytes, which, icon);
}


status_t
BMimeType::SetIcon(const BBitmap* icon, icon_size which)
{
	if (fStatus != B_OK)
		return fStatus;
	if (which != B_LARGE_ICON && which != B_MINI_ICON)
		return B_BAD_VALUE;
	std::vector<char> bytes;
	if (icon != nullptr) {
		status_t status = icon_bytes_from_bitmap(icon, which, bytes);
		if (status != B_OK)
			return status;
	}
	status_t status = _EnsureInstalled();
	if (status == B_OK)
		status = mime_db_write_icon(fType, which, bytes);
	if (status != B_OK)
		return status;

	// The desktop gets a PNG copy in the user's icon theme; it is a courtesy, so its
	// failure is not the caller's.
	std::string png = mime_db_desktop_icon_path(fType, which);
	if (icon == nullptr) {
		unlink(png.c_str());
	} else if (create_directory(png.substr(0, png.rfind('/')).c_str(), 0755) == B_OK) {
		WritePNG(icon, png.c_str());
	}
	return B_OK;
}


status_t
BMimeType::GetPreferredApp(char* signature, app_verb verb) const
{
	if (signature == nullptr || verb != B_OPEN)
		return B_BAD_VALUE;
	return _GetText(kPreferredAppKey, signature);
}


status_t
BMimeType::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN)
		return B_BAD_VALUE;
	if (signature != nullptr && !IsValid(signature))
		return B_BAD_VALUE;
	status_t status = _SetText(kPreferredAppKey, signature, false);
	if (status != B_OK)
		return status;
	std::string desktopFile = signature != nullptr
		? desktop_file_for_signature(signature) : std::string();
	return mime_db_set_default_app(fType, desktopFile);
}


status_t
BMimeType::GetShortDescription(char* description) const
{
	return _GetText(kShortDescriptionKey, description);
}


status_t
BMimeType::SetShortDescription(const char* description)
{
	return _SetText(kShortDescriptionKey, description, true);
}


status_t
BMimeType::GetLongDescription(char* description) const
{
	return _GetText(kLongDescriptionKey, description);
}


status_t
BMimeType::SetLongDescription(const char* description)
{
	return _SetText(kLongDescriptionKey, description, false);
}


status_t
BMimeType::GetFileExtensions(std::string& extensions) const
{
	if (fStatus != B_OK)
		return fStatus;
	std::map<std::string, std::string> values;
	status_t status = mime_db_read(fType, values);
	if (status != B_OK)
		return status;
	auto found = values.find(kExtensionsKey);
	extensions = found != values.end() ? found->second : std::string();
	return B_OK;
}


status_t
BMimeType::SetFileExtensions(const char* extensions)
{
	if (extensions != nullptr) {
		for (const char* c = extensions; *c != '\0'; c++) {
			if (!isalnum((unsigned char)*c) && strchr(" -_.+", *c) == nullptr)
				return B_BAD_VALUE;
		}
	}
	return _SetText(kExtensionsKey, extensions, true);
}


status_t
BMimeType::GuessMimeType(const char* fileName, BMimeType* type)
{
	if (fileName == nullptr || type == nullptr)
		return B_BAD_VALUE;
	const char* slash = strrchr(fileName, '/');
	std::string guessed = mime_type_for_name(slash != nullptr ? slash + 1 : fileName);
	if (guessed.empty())
		return type->SetTo("application/octet-stream");
	return type->SetTo(guessed.c_str());
}


bool
BMimeType::operator==(const BMimeType& other) const
{
	if (fStatus != B_OK || other.fStatus != B_OK)
		return false;
	return strcasecmp(fType.c_str(), other.fType.c_str()) == 0;
}


bool
BMimeType::operator==(const char* type) const
{
	if (fStatus != B_OK || type == nullptr)
		return false;
	return strcasecmp(fType.c_str(), type) == 0;
}


status_t
BMimeType::_EnsureInstalled()
{
	if (mime_db_has_type(fType))
		return B_OK;
	return mime_db_create(fType);
}


status_t
BMimeType::_GetText(const char* key, char* buffer) const
{
	if (buffer == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	std::map<std::string, std::string> values;
	status_t status = mime_db_read(fType, values);
	if (status != B_OK)
		return status;
	auto found = values.find(key);
	if (found == values.end() || found->second.empty())
		return B_ENTRY_NOT_FOUND;
	if (found->second.size() >= B_MIME_TYPE_LENGTH)
		return B_BAD_DATA;
	memcpy(buffer, found->second.c_str(), found->second.size() + 1);
	return B_OK;
}


status_t
BMimeType::_SetText(const char* key, const char* text, bool updatePackage)
{
	if (fStatus != B_OK)
		return fStatus;
	status_t status = CheckText(text);
	if (status != B_OK)
		return status;
	status = _EnsureInstalled();
	if (status != B_OK)
		return status;
	status = mime_db_write_value(fType, key, text != nullptr ? text : "");
	if (status != B_OK || !updatePackage)
		return status;
	return mime_db_write_package(fType);
}
