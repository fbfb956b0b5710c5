#include <Entry.h>

#include <cstdlib>
#include <cstring>

namespace {

char*
CopyOrNull(const char* text)
{
	return text != nullptr ? strdup(text) : nullptr;
}

bool
SameText(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return a == b;
	return strcmp(a, b) == 0;
}

}	// namespace


entry_ref::entry_ref()
	:
	directory_path(nullptr),
	name(nullptr)
{
}


entry_ref::entry_ref(const char* directoryPath, const char* leafName)
	:
	directory_path(CopyOrNull(directoryPath)),
	name(CopyOrNull(leafName))
{
}


entry_ref::entry_ref(const entry_ref& other)
	:
	directory_path(CopyOrNull(other.directory_path)),
	name(CopyOrNull(other.name))
{
}


entry_ref::~entry_ref()
{
	free(directory_path);
	free(name);
}


status_t
entry_ref::set_name(const char* newName)
{
	char* copy = CopyOrNull(newName);
	if (newName != nullptr && copy == nullptr)
		return B_NO_MEMORY;
	free(name);
	name = copy;
	return B_OK;
}


status_t
entry_ref::set_directory_path(const char* path)
{
	char* copy = CopyOrNull(path);
	if (path != nullptr && copy == nullptr)
		return B_NO_MEMORY;
	free(directory_path);
	directory_path = copy;
	return B_OK;
}


bool
entry_ref::operator==(const entry_ref& other) const
{
	return SameText(directory_path, other.directory_path) && SameText(name, other.name);
}


bool
entry_ref::operator!=(const entry_ref& other) const
{
	return !(*this == other);
}


entry_ref&
entry_ref::operator=(const entry_ref& other)
{
	if (this != &other) {
		set_directory_path(other.directory_path);
		set_name(other.name);
	}
	return *this;
}
