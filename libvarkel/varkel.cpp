#include <libvarkel/varkel.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace fs = std::filesystem;


namespace BPrivate {

// How many symbolic links SavePrefs follows before it gives up on a loop.
static const int kMaxLinkDepth = 40;
// How many temporary names SavePrefs tries before it gives up.
static const int kMaxTempAttempts = 64;


static size_t
BoundedLength(const char* text, size_t limit)
{
	size_t length = 0;
	while (length < limit && text[length] != '\0')
		length++;
	return length;
}


// Follows `path` through symbolic links to the file that a save has to replace, so
// that the link itself survives the save and the temporary file lands beside the
// real file. Fails on a loop.
static bool
ResolveSaveTarget(const fs::path& path, fs::path& target, fs::file_type& type)
{
	target = path;
	for (int depth = 0; depth < kMaxLinkDepth; depth++) {
		std::error_code error;
		fs::file_status status = fs::symlink_status(target, error);
		type = status.type();
		if (type != fs::file_type::symlink) {
			if (error && type != fs::file_type::not_found)
				return false;
			return true;
		}
		fs::path link = fs::read_symlink(target, error);
		if (error)
			return false;
		target = link.is_absolute() ? link : target.parent_path() / link;
	}
	return false;
}


// Creates a new, empty file with an unused name in `folder`; it is opened
// exclusively so that nothing else's file is ever taken over.
static std::FILE*
CreateTempFile(const fs::path& folder, const std::string& leaf, fs::path& tempPath)
{
	std::random_device device;
	std::mt19937 generator(device());
	std::uniform_int_distribution<unsigned> digit(0, 35);
	static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";

	// Part of the leaf keeps the name recognisable without making it too long for
	// the folder when the leaf itself is close to the limit.
	const std::string stem = leaf.substr(0, 64);
	for (int attempt = 0; attempt < kMaxTempAttempts; attempt++) {
		std::string name = "." + stem + ".";
		for (int i = 0; i < 8; i++)
			name += kDigits[digit(generator)];
		tempPath = folder / name;
		errno = 0;
		std::FILE* file = std::fopen(tempPath.c_str(), "wx");
		if (file != nullptr)
			return file;
		if (errno != EEXIST)
			return nullptr;
	}
	return nullptr;
}

}	// namespace BPrivate


using namespace BPrivate;


varkel::varkel()
{
	fEntries.reserve(16);
}


varkel::~varkel()
{
}


int32_t
varkel::LoadPrefs(const char* path)
{
	if (path == nullptr)
		return -1;

	std::FILE* file = std::fopen(path, "r");
	if (file == nullptr)
		return -1;

	const size_t previousCount = fEntries.size();
	char line[kBufferSize];
	while (fEntries.size() < (size_t)kMaxEntries
		&& std::fgets(line, sizeof(line), file) != nullptr) {
		_AddLine(line);
	}

	// A read error (a folder, a failing disk) must not leave half a file behind in
	// the table: the caller sees -1 and the table as it was.
	bool failed = std::ferror(file) != 0;
	std::fclose(file);
	if (failed) {
		fEntries.resize(previousCount);
		return -1;
	}
	return 0;
}


int32_t
varkel::SavePrefs(const char* path)
{
	if (path == nullptr || path[0] == '\0')
		return -1;

	fs::path target;
	fs::file_type type;
	if (!ResolveSaveTarget(fs::path(path), target, type))
		return -1;

	std::error_code error;
	fs::perms permissions = fs::perms::unknown;
	if (type == fs::file_type::regular) {
		// Replacing the file must not override what the file itself forbids: an
		// existing target has to be writable, as it would have to be for a plain
		// fopen(path, "w").
		std::FILE* probe = std::fopen(target.c_str(), "r+");
		if (probe == nullptr)
			return -1;
		std::fclose(probe);
		permissions = fs::status(target, error).permissions();
		if (error)
			return -1;
	} else if (type != fs::file_type::not_found)
		return -1;

	fs::path folder = target.parent_path();
	if (folder.empty())
		folder = ".";
	fs::path tempPath;
	std::FILE* file = CreateTempFile(folder, target.filename().string(), tempPath);
	if (file == nullptr)
		return -1;

	bool ok = true;
	for (const Entry& entry : fEntries) {
		if (std::fprintf(file, "%s=\"%s\"\n", entry.name.get(), entry.value.get()) < 0) {
			ok = false;
			break;
		}
	}
	if (std::fflush(file) != 0 || std::ferror(file) != 0)
		ok = false;
	if (std::fclose(file) != 0)
		ok = false;

	if (ok && permissions != fs::perms::unknown) {
		fs::permissions(tempPath, permissions, error);
		if (error)
			ok = false;
	}
	if (ok) {
		fs::rename(tempPath, target, error);
		if (error)
			ok = false;
	}
	if (!ok) {
		fs::remove(tempPath, error);
		return -1;
	}
	return 0;
}


char*
varkel::GetValue(const char* name)
{
	int32_t index = _FindEntry(name);
	return index < 0 ? nullptr : fEntries[index].value.get();
}


const char*
varkel::GetValue(const char* name) const
{
	int32_t index = _FindEntry(name);
	return index < 0 ? nullptr : fEntries[index].value.get();
}


int32_t
varkel::PutParam(const char* name, const char* value)
{
	if (name == nullptr || value == nullptr)
		return -1;
	if (fEntries.size() > (size_t)(kMaxEntries - 1))
		return -1;

	Entry entry;
	entry.name = _CopyText(name);
	entry.value = _CopyText(value);
	fEntries.push_back(std::move(entry));
	return 0;
}


int32_t
varkel::ModifyParam(const char* name, const char* value)
{
	if (value == nullptr)
		return -1;
	int32_t index = _FindEntry(name);
	if (index < 0)
		return -1;

	// The copy is made before the old buffer goes, so a value taken from this very
	// entry with GetValue can be passed back in.
	std::unique_ptr<char[]> copy = _CopyText(value);
	fEntries[index].value = std::move(copy);
	return 0;
}


int32_t
varkel::DeleteParam(const char* name)
{
	int32_t index = _FindEntry(name);
	if (index < 0)
		return -1;
	fEntries.erase(fEntries.begin() + index);
	return 0;
}


std::unique_ptr<char[]>
varkel::_CopyText(const char* text, size_t length)
{
	if (length > (size_t)(kBufferSize - 1))
		length = kBufferSize - 1;
	std::unique_ptr<char[]> buffer = std::make_unique<char[]>(kBufferSize);
	std::memcpy(buffer.get(), text, length);
	buffer[length] = '\0';
	return buffer;
}


std::unique_ptr<char[]>
varkel::_CopyText(const char* text)
{
	return _CopyText(text, BoundedLength(text, kBufferSize - 1));
}


int32_t
varkel::_FindEntry(const char* name) const
{
	if (name == nullptr)
		return -1;
	for (size_t i = 0; i < fEntries.size(); i++) {
		if (std::strcmp(fEntries[i].name.get(), name) == 0)
			return (int32_t)i;
	}
	return -1;
}


void
varkel::_AddLine(const char* line)
{
	// The line is a C string: a NUL byte read from the file ends it there.
	const size_t length = std::strlen(line);
	const char* end = line + length;
	const char* equals = (const char*)std::memchr(line, '=', length);

	Entry entry;
	if (equals == nullptr) {
		entry.name = _CopyText(line, length);
		entry.value = _CopyText("", 0);
	} else {
		entry.name = _CopyText(line, equals - line);
		// The writer always puts a double quote after "="; the loader skips that
		// character unseen, but never past the end of the line.
		const char* start = equals + 1 < end ? equals + 2 : end;
		const char* quote = (const char*)std::memchr(start, '"', end - start);
		const char* stop = quote != nullptr ? quote : end;
		entry.value = _CopyText(start, stop - start);
	}
	fEntries.push_back(std::move(entry));
}
