#include "storage/MimeGlobs.h"

#include "storage/XdgDirs.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fnmatch.h>
#include <fstream>
#include <set>
#include <vector>


namespace BPrivate {


namespace {

struct Glob {
	int			weight;
	std::string	type;
	std::string	pattern;
	bool		caseSensitive;
};


std::string
Lowered(const std::string& text)
{
	std::string result = text;
	for (char& c : result)
		c = (char)tolower((unsigned char)c);
	return result;
}


// Reads one globs2 file. Types named by __NOGLOBS__ lines go to dropped.
void
ReadGlobs(const std::string& path, std::vector<Glob>& globs, std::set<std::string>& dropped)
{
	std::ifstream in(path);
	std::string line;
	while (std::getline(in, line)) {
		if (line.empty() || line[0] == '#')
			continue;
		size_t first = line.find(':');
		if (first == std::string::npos)
			continue;
		size_t second = line.find(':', first + 1);
		if (second == std::string::npos)
			continue;
		Glob glob;
		glob.weight = atoi(line.substr(0, first).c_str());
		glob.type = line.substr(first + 1, second - first - 1);
		std::string rest = line.substr(second + 1);
		size_t third = rest.find(':');
		glob.pattern = rest.substr(0, third);
		glob.caseSensitive = false;
		if (third != std::string::npos) {
			std::string flags = rest.substr(third + 1);
			size_t start = 0;
			while (start <= flags.size()) {
				size_t comma = flags.find(',', start);
				if (comma == std::string::npos)
					comma = flags.size();
				if (flags.compare(start, comma - start, "cs") == 0)
					glob.caseSensitive = true;
				start = comma + 1;
			}
		}
		if (glob.type.empty() || glob.pattern.empty())
			continue;
		if (glob.pattern == "__NOGLOBS__") {
			dropped.insert(glob.type);
			continue;
		}
		globs.push_back(glob);
	}
}

}	// namespace


std::string
mime_type_for_name(const char* leafName)
{
	if (leafName == nullptr || leafName[0] == '\0')
		return std::string();

	std::vector<std::string> folders;
	folders.push_back(xdg_data_home());
	for (const std::string& folder : xdg_data_dirs())
		folders.push_back(folder);

	// Most important folder first; a type dropped by a more important folder keeps only
	// the patterns of that folder and the ones before it.
	std::vector<Glob> globs;
	std::set<std::string> dropped;
	for (const std::string& folder : folders) {
		std::vector<Glob> mine;
		std::set<std::string> myDropped;
		ReadGlobs(folder + "/mime/globs2", mine, myDropped);
		for (const Glob& glob : mine) {
			if (dropped.count(glob.type) == 0)
				globs.push_back(glob);
		}
		dropped.insert(myDropped.begin(), myDropped.end());
	}

	std::string name = leafName;
	std::string lowerName = Lowered(name);
	const Glob* best = nullptr;
	for (const Glob& glob : globs) {
		bool matches = glob.caseSensitive
			? fnmatch(glob.pattern.c_str(), name.c_str(), 0) == 0
			: fnmatch(Lowered(glob.pattern).c_str(), lowerName.c_str(), 0) == 0;
		if (!matches)
			continue;
		if (best == nullptr || glob.weight > best->weight
			|| (glob.weight == best->weight && glob.pattern.size() > best->pattern.size()))
			best = &glob;
	}
	return best != nullptr ? best->type : std::string();
}


}	// namespace BPrivate
