#include <Mime.h>

#include <Directory.h>
#include <Entry.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>

#include "storage/MimeGlobs.h"

#include <cstring>
#include <string>

using namespace BPrivate;


namespace {

const int kMaxDepth = 64;


status_t
UpdateOne(const BEntry& entry, bool force)
{
	BNode node(&entry);
	status_t status = node.InitCheck();
	if (status != B_OK)
		return status;
	if (!force) {
		attr_info info;
		if (node.GetAttrInfo("mime_type", &info) == B_OK && info.size > 0)
			return B_OK;
	}
	char name[B_FILE_NAME_LENGTH];
	entry.GetName(name);
	std::string type = mime_type_for_name(name);
	if (type.empty())
		return B_OK;
	BNodeInfo nodeInfo(&node);
	return nodeInfo.SetType(type.c_str());
}


status_t
UpdateTree(const BEntry& entry, bool recursive, bool force, int depth)
{
	if (entry.IsSymLink())
		return B_OK;
	if (!entry.IsDirectory())
		return UpdateOne(entry, force);
	if (!recursive || depth >= kMaxDepth)
		return B_OK;

	BDirectory folder(&entry);
	status_t status = folder.InitCheck();
	if (status != B_OK)
		return status;
	// One file that cannot be typed does not stop the others; the first failure is
	// reported at the end.
	status_t result = B_OK;
	BEntry child;
	while (folder.GetNextEntry(&child) == B_OK) {
		status = UpdateTree(child, recursive, force, depth + 1);
		if (status != B_OK && result == B_OK)
			result = status;
	}
	return result;
}

}	// namespace


status_t
update_mime_info(const char* path, int recursive, int synchronous, int force)
{
	BEntry entry(path);
	status_t status = entry.InitCheck();
	if (status != B_OK)
		return status;
	if (!entry.Exists())
		return B_ENTRY_NOT_FOUND;
	return UpdateTree(entry, recursive != 0, force != 0, 0);
}
