#include <NodeInfo.h>

#include <Bitmap.h>
#include <MimeType.h>
#include <TypeConstants.h>

#include "storage/IconData.h"
#include "storage/MimeGlobs.h"

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace BPrivate;


namespace {

const char* const kTypeAttribute = "mime_type";
const char* const kPreferredAppAttribute = "BEOS:PREF_APP";
const char* const kLargeIconAttribute = "BEOS:L:STD_ICON";
const char* const kMiniIconAttribute = "BEOS:M:STD_ICON";


const char*
IconAttribute(icon_size which)
{
	return which == B_LARGE_ICON ? kLargeIconAttribute : kMiniIconAttribute;
}


// Reads a whole attribute; B_ENTRY_NOT_FOUND when it is missing.
status_t
ReadWhole(const BNode* node, const char* name, std::vector<char>& value)
{
	attr_info info;
	status_t status = node->GetAttrInfo(name, &info);
	if (status != B_OK)
		return status;
	value.resize((size_t)info.size);
	ssize_t read = node->ReadAttr(name, info.type, 0, value.data(), value.size());
	if (read < 0)
		return (status_t)read;
	value.resize((size_t)read);
	return B_OK;
}


// Copies text without its trailing NULs into a buffer of B_MIME_TYPE_LENGTH bytes.
status_t
CopyString(const std::vector<char>& value, char* buffer)
{
	size_t length = strnlen(value.data(), value.size());
	if (length == 0)
		return B_ENTRY_NOT_FOUND;
	if (length >= B_MIME_TYPE_LENGTH)
		return B_BAD_DATA;
	memcpy(buffer, value.data(), length);
	buffer[length] = '\0';
	return B_OK;
}

}	// namespace


BNodeInfo::BNodeInfo()
	:
	fNode(nullptr),
	fStatus(B_NO_INIT)
{
}


BNodeInfo::BNodeInfo(BNode* node)
	:
	BNodeInfo()
{
	SetTo(node);
}


BNodeInfo::~BNodeInfo()
{
}


status_t
BNodeInfo::SetTo(BNode* node)
{
	fNode = nullptr;
	if (node == nullptr) {
		fStatus = B_BAD_VALUE;
		return fStatus;
	}
	if (node->InitCheck() != B_OK) {
		fStatus = node->InitCheck();
		return fStatus;
	}
	fNode = node;
	fStatus = B_OK;
	return B_OK;
}


status_t
BNodeInfo::InitCheck() const
{
	return fStatus;
}


status_t
BNodeInfo::GetType(char* type) const
{
	if (type == nullptr)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;

	std::vector<char> value;
	status_t status = ReadWhole(fNode, kTypeAttribute, value);
	if (status == B_OK && CopyString(value, type) == B_OK)
		return B_OK;

	// No type of its own: the desktop's rule, the type the name gives.
	struct stat info;
	if (fNode->GetStat(&info) == B_OK && S_ISDIR(info.st_mode))
		return B_ENTRY_NOT_FOUND;
	const std::string& path = fNode->fPath;
	size_t slash = path.rfind('/');
	std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
	std::string guessed = mime_type_for_name(leaf.c_str());
	if (guessed.empty() || guessed.size() >= B_MIME_TYPE_LENGTH)
		return B_ENTRY_NOT_FOUND;
	memcpy(type, guessed.c_str(), guessed.size() + 1);
	return B_OK;
}


status_t
BNodeInfo::SetType(const char* type)
{
	if (fStatus != B_OK)
		return fStatus;
	if (type == nullptr) {
		status_t status = fNode->RemoveAttr(kTypeAttribute);
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	size_t length = strnlen(type, B_MIME_TYPE_LENGTH);
	if (length == 0 || length >= B_MIME_TYPE_LENGTH)
		return B_BAD_VALUE;
	ssize_t written = fNode->WriteAttr(kTypeAttribute, B_MIME_STRING_TYPE, 0, type, length);
	return written < 0 ? (status_t)written : B_OK;
}


status_t
BNodeInfo::GetIcon(BBitmap* icon, icon_size which) const
{
	status_t status = check_icon_bitmap(icon, which);
	if (status != B_OK)
		return status;
	if (fStatus != B_OK)
		return fStatus;
	std::vector<char> bytes;
	status = ReadWhole(fNode, IconAttribute(which), bytes);
	if (status != B_OK)
		return status;
	return icon_bytes_to_bitmap(bytes, which, icon);
}


status_t
BNodeInfo::SetIcon(const BBitmap* icon, icon_size which)
{
	if (fStatus != B_OK)
		return fStatus;
	if (which != B_LARGE_ICON && which != B_MINI_ICON)
		return B_BAD_VALUE;
	if (icon == nullptr) {
		status_t status = fNode->RemoveAttr(IconAttribute(which));
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	std::vector<char> bytes;
	status_t status = icon_bytes_from_bitmap(icon, which, bytes);
	if (status != B_OK)
		return status;
	type_code type = which == B_LARGE_ICON ? B_LARGE_ICON_TYPE : B_MINI_ICON_TYPE;
	ssize_t written = fNode->WriteAttr(IconAttribute(which), type, 0, bytes.data(),
		bytes.size());
	return written < 0 ? (status_t)written : B_OK;
}


status_t
BNodeInfo::GetPreferredApp(char* signature, app_verb verb) const
{
	if (signature == nullptr || verb != B_OPEN)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	std::vector<char> value;
	status_t status = ReadWhole(fNode, kPreferredAppAttribute, value);
	if (status != B_OK)
		return status;
	return CopyString(value, signature);
}


status_t
BNodeInfo::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (signature == nullptr) {
		status_t status = fNode->RemoveAttr(kPreferredAppAttribute);
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	size_t length = strnlen(signature, B_MIME_TYPE_LENGTH);
	if (length == 0 || length >= B_MIME_TYPE_LENGTH)
		return B_BAD_VALUE;
	ssize_t written = fNode->WriteAttr(kPreferredAppAttribute, B_MIME_STRING_TYPE, 0,
		signature, length + 1);
	return written < 0 ? (status_t)written : B_OK;
}


status_t
BNodeInfo::GetTrackerIcon(BBitmap* icon, icon_size which) const
{
	status_t status = GetIcon(icon, which);
	if (status == B_OK || status == B_BAD_VALUE || fStatus != B_OK)
		return status;
	char type[B_MIME_TYPE_LENGTH];
	status = GetType(type);
	if (status != B_OK)
		return status;
	BMimeType mimeType(type);
	return mimeType.GetIcon(icon, which);
}


status_t
BNodeInfo::GetTrackerIcon(const entry_ref* ref, BBitmap* icon, icon_size which)
{
	BNode node(ref);
	if (node.InitCheck() != B_OK)
		return node.InitCheck();
	BNodeInfo info(&node);
	return info.GetTrackerIcon(icon, which);
}
