#include "storage/MimeDatabase.h"

#include <Directory.h>

#include "storage/ErrnoStatus.h"
#include "storage/XdgDirs.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>


extern char** environ;

namespace BPrivate {


namespace {

const char* const kEntryFile = "type.db";
const char* const kDefaultsSection = "[Default Applications]";


std::string
Lowered(const std::string& text)
{
	std::string result = text;
	for (char& c : result)
		c = (char)tolower((unsigned char)c);
	return result;
}


// The type as the desktop spells it in file names: "text/html" gives "text-html".
std::string
DashedName(const std::string& type)
{
	std::string name = Lowered(type);
	for (char& c : name) {
		if (c == '/')
			c = '-';
	}
	return name;
}


std::string
PackagePath(const std::string& type)
{
	return xdg_data_home() + "/mime/packages/" + DashedName(type) + ".xml";
}


std::string
IconPath(const std::string& type, int32 size)
{
	return mime_db_folder(type) + (size == 32 ? "/icon-large.cmap8" : "/icon-mini.cmap8");
}


bool
Exists(const std::string& path)
{
	struct stat info;
	return stat(path.c_str(), &info) == 0;
}


status_t
ReadText(const std::string& path, std::string& text)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		return Exists(path) ? (status_t)B_PERMISSION_DENIED : (status_t)B_ENTRY_NOT_FOUND;
	std::stringstream content;
	content << in.rdbuf();
	text = content.str();
	return B_OK;
}


// Writes a whole file through a temporary file and a rename, so that a reader never
// sees half of it.
status_t
WriteText(const std::string& path, const std::string& text)
{
	size_t slash = path.rfind('/');
	status_t status = create_directory(path.substr(0, slash).c_str(), 0755);
	if (status != B_OK)
		return status;
	std::string temporary = path + ".new-" + std::to_string(getpid());
	FILE* file = fopen(temporary.c_str(), "wb");
	if (file == nullptr)
		return status_for_last_error();
	bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
	if (fclose(file) != 0)
		written = false;
	if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
		status = written ? status_for_last_error() : B_IO_ERROR;
		unlink(temporary.c_str());
		return status;
	}
	return B_OK;
}


std::string
XmlEscaped(const std::string& text)
{
	std::string result;
	for (char c : text) {
		switch (c) {
			case '&':
				result += "&amp;";
				break;
			case '<':
				result += "&lt;";
				break;
			case '>':
				result += "&gt;";
				break;
			case '"':
				result += "&quot;";
				break;
			default:
				result += c;
		}
	}
	return result;
}


std::string
FindProgram(const char* name)
{
	const char* path = getenv("PATH");
	std::string list = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
	size_t start = 0;
	while (start <= list.size()) {
		size_t colon = list.find(':', start);
		if (colon == std::string::npos)
			colon = list.size();
		std::string candidate = list.substr(start, colon - start) + "/" + name;
		if (colon > start && access(candidate.c_str(), X_OK) == 0)
			return candidate;
		start = colon + 1;
	}
	return std::string();
}


// Runs update-mime-database on the user's mime folder and waits two seconds at most for
// it. A run that takes longer is left alone and collected by a later call. A missing
// program or its failure changes nothing for the caller.
void
RunUpdateMimeDatabase()
{
	static std::mutex sLock;
	static std::vector<pid_t> sPending;

	std::lock_guard<std::mutex> guard(sLock);
	for (size_t i = 0; i < sPending.size();) {
		pid_t done = waitpid(sPending[i], nullptr, WNOHANG);
		if (done != 0)
			sPending.erase(sPending.begin() + i);
		else
			i++;
	}

	std::string program = FindProgram("update-mime-database");
	if (program.empty())
		return;
	std::string folder = xdg_data_home() + "/mime";
	char* const arguments[] = { (char*)program.c_str(), (char*)folder.c_str(), nullptr };

	posix_spawn_file_actions_t actions;
	if (posix_spawn_file_actions_init(&actions) != 0)
		return;
	posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
	posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
	posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
	pid_t child = -1;
	int result = posix_spawn(&child, program.c_str(), &actions, nullptr, arguments,
		environ);
	posix_spawn_file_actions_destroy(&actions);
	if (result != 0)
		return;

	struct timespec pause = { 0, 10 * 1000 * 1000 };
	for (int i = 0; i < 200; i++) {
		pid_t done = waitpid(child, nullptr, WNOHANG);
		if (done == child || (done < 0 && errno != EINTR))
			return;
		nanosleep(&pause, nullptr);
	}
	sPending.push_back(child);
}

}	// namespace


std::string
mime_db_folder(const std::string& type)
{
	return xdg_data_home() + "/libbe/mime/" + Lowered(type);
}


bool
mime_db_has_type(const std::string& type)
{
	return Exists(mime_db_folder(type) + "/" + kEntryFile);
}


bool
mime_db_system_knows(const std::string& type)
{
	std::vector<std::string> folders;
	folders.push_back(xdg_data_home());
	for (const std::string& folder : xdg_data_dirs())
		folders.push_back(folder);
	std::string wanted = Lowered(type);
	for (const std::string& folder : folders) {
		std::ifstream in(folder + "/mime/types");
		std::string line;
		while (std::getline(in, line)) {
			if (Lowered(line) == wanted)
				return true;
		}
	}
	return false;
}


status_t
mime_db_create(const std::string& type)
{
	std::string text = "# MIME type entry of the BeOS API layer\ntype=" + Lowered(type)
		+ "\n";
	status_t status = WriteText(mime_db_folder(type) + "/" + kEntryFile, text);
	if (status != B_OK)
		return status;
	return mime_db_write_package(type);
}


status_t
mime_db_remove(const std::string& type)
{
	if (!mime_db_has_type(type))
		return B_ENTRY_NOT_FOUND;
	std::string folder = mime_db_folder(type);
	unlink(IconPath(type, 32).c_str());
	unlink(IconPath(type, 16).c_str());
	unlink(mime_db_desktop_icon_path(type, 32).c_str());
	unlink(mime_db_desktop_icon_path(type, 16).c_str());
	if (unlink((folder + "/" + kEntryFile).c_str()) != 0)
		return status_for_last_error();
	rmdir(folder.c_str());
	mime_db_set_default_app(type, std::string());
	if (unlink(PackagePath(type).c_str()) == 0)
		RunUpdateMimeDatabase();
	return B_OK;
}


status_t
mime_db_read(const std::string& type, std::map<std::string, std::string>& values)
{
	values.clear();
	std::string text;
	status_t status = ReadText(mime_db_folder(type) + "/" + kEntryFile, text);
	if (status != B_OK)
		return status;
	std::istringstream lines(text);
	std::string line;
	while (std::getline(lines, line)) {
		if (line.empty() || line[0] == '#')
			continue;
		size_t equals = line.find('=');
		if (equals == std::string::npos)
			continue;
		values[line.substr(0, equals)] = line.substr(equals + 1);
	}
	return B_OK;
}


status_t
mime_db_write_value(const std::string& type, const std::string& key,
	const std::string& value)
{
	if (key.empty() || key.find_first_of("=\n") != std::string::npos
		|| value.find('\n') != std::string::npos)
		return B_BAD_VALUE;
	std::map<std::string, std::string> values;
	status_t status = mime_db_read(type, values);
	if (status != B_OK)
		return status;
	if (value.empty())
		values.erase(key);
	else
		values[key] = value;

	std::string text = "# MIME type entry of the BeOS API layer\n";
	for (const auto& [name, content] : values)
		text += name + "=" + content + "\n";
	return WriteText(mime_db_folder(type) + "/" + kEntryFile, text);
}


status_t
mime_db_read_icon(const std::string& type, int32 size, std::vector<char>& bytes)
{
	std::string text;
	status_t status = ReadText(IconPath(type, size), text);
	if (status != B_OK)
		return status;
	bytes.assign(text.begin(), text.end());
	return B_OK;
}


status_t
mime_db_write_icon(const std::string& type, int32 size, const std::vector<char>& bytes)
{
	std::string path = IconPath(type, size);
	if (bytes.empty()) {
		if (unlink(path.c_str()) != 0 && errno != ENOENT)
			return status_for_last_error();
		return B_OK;
	}
	return WriteText(path, std::string(bytes.begin(), bytes.end()));
}


std::string
mime_db_desktop_icon_path(const std::string& type, int32 size)
{
	std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
	return xdg_data_home() + "/icons/hicolor/" + dimensions + "/mimetypes/" + DashedName(type)
		+ ".png";
}


status_t
mime_db_write_package(const std::string& type)
{
	std::map<std::string, std::string> values;
	status_t status = mime_db_read(type, values);
	if (status != B_OK)
		return status;

	std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
		"<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
		"  <mime-type type=\"" + XmlEscaped(Lowered(type)) + "\">\n";
	auto description = values.find("short_description");
	if (description != values.end())
		text += "    <comment>" + XmlEscaped(description->second) + "</comment>\n";
	auto extensions = values.find("extensions");
	if (extensions != values.end()) {
		std::istringstream words(extensions->second);
		std::string extension;
		while (words >> extension)
			text += "    <glob pattern=\"*." + XmlEscaped(extension) + "\"/>\n";
	}
	text += "  </mime-type>\n</mime-info>\n";

	status = WriteText(PackagePath(type), text);
	if (status != B_OK)
		return status;
	RunUpdateMimeDatabase();
	return B_OK;
}


status_t
mime_db_set_default_app(const std::string& type, const std::string& desktopFile)
{
	std::string path = xdg_config_home() + "/mimeapps.list";
	std::string text;
	status_t status = ReadText(path, text);
	if (status == B_ENTRY_NOT_FOUND)
		text.clear();
	else if (status != B_OK)
		return status;

	std::vector<std::string> lines;
	std::istringstream input(text);
	std::string line;
	while (std::getline(input, line))
		lines.push_back(line);

	std::string prefix = Lowered(type) + "=";
	std::string entry = prefix + desktopFile + ";";
	bool inSection = false;
	bool sectionFound = false;
	bool done = false;
	std::vector<std::string> result;
	for (size_t i = 0; i < lines.size(); i++) {
		const std::string& current = lines[i];
		bool header = !current.empty() && current[0] == '[';
		if (header && inSection && !done) {
			// The section ends here without the type: add it at its end.
			if (!desktopFile.empty())
				result.push_back(entry);
			done = true;
		}
		if (header)
			inSection = current == kDefaultsSection;
		if (inSection && header)
			sectionFound = true;
		if (inSection && !header && Lowered(current).compare(0, prefix.size(), prefix) == 0) {
			if (!done && !desktopFile.empty())
				result.push_back(entry);
			done = true;
			continue;
		}
		result.push_back(current);
	}
	if (!done && !desktopFile.empty()) {
		if (!sectionFound)
			result.push_back(kDefaultsSection);
		result.push_back(entry);
	}

	std::string output;
	for (const std::string& each : result)
		output += each + "\n";
	if (output == text || (text.empty() && desktopFile.empty()))
		return B_OK;
	return WriteText(path, output);
}


std::string
mime_db_default_app(const std::string& type)
{
	std::string text;
	if (ReadText(xdg_config_home() + "/mimeapps.list", text) != B_OK)
		return std::string();
	std::istringstream input(text);
	std::string line;
	std::string prefix = Lowered(type) + "=";
	bool inSection = false;
	while (std::getline(input, line)) {
		if (!line.empty() && line[0] == '[') {
			inSection = line == kDefaultsSection;
			continue;
		}
		if (inSection && Lowered(line).compare(0, prefix.size(), prefix) == 0) {
			std::string value = line.substr(prefix.size());
			size_t semicolon = value.find(';');
			return value.substr(0, semicolon);
		}
	}
	return std::string();
}


std::string
desktop_file_for_signature(const std::string& signature)
{
	std::string name = Lowered(signature);
	const char* const kPrefixes[] = { "application/", "x-vnd.", "x.vnd." };
	for (const char* prefix : kPrefixes) {
		if (name.compare(0, strlen(prefix), prefix) == 0)
			name = name.substr(strlen(prefix));
	}
	for (char& c : name) {
		if (!isalnum((unsigned char)c) && c != '-' && c != '_' && c != '.')
			c = '-';
	}
	if (name.empty())
		return std::string();
	return name + ".desktop";
}


}	// namespace BPrivate
