#include <AppFileInfo.h>

#include <Roster.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

struct Declaration {
	std::mutex					lock;
	uint32						flags = B_MULTIPLE_LAUNCH;
	std::vector<std::string>	types;
};


Declaration&
TheDeclaration()
{
	static Declaration* sDeclaration = new Declaration;
	return *sDeclaration;
}

}	// namespace


void
set_app_flags(uint32 flags)
{
	std::lock_guard<std::mutex> guard(TheDeclaration().lock);
	TheDeclaration().flags = flags;
}


uint32
get_app_flags()
{
	std::lock_guard<std::mutex> guard(TheDeclaration().lock);
	return TheDeclaration().flags;
}


void
add_app_supported_type(const char* mimeType)
{
	if (mimeType == NULL || mimeType[0] == '\0')
		return;
	std::lock_guard<std::mutex> guard(TheDeclaration().lock);
	for (const std::string& type : TheDeclaration().types) {
		if (type == mimeType)
			return;
	}
	TheDeclaration().types.push_back(mimeType);
}


int32
count_app_supported_types()
{
	std::lock_guard<std::mutex> guard(TheDeclaration().lock);
	return (int32)TheDeclaration().types.size();
}


const char*
app_supported_type_at(int32 index)
{
	std::lock_guard<std::mutex> guard(TheDeclaration().lock);
	if (index < 0 || (size_t)index >= TheDeclaration().types.size())
		return NULL;
	return TheDeclaration().types[index].c_str();
}
