#include "ArtTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/wait.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#pragma GCC diagnostic pop


uint32_t
DecodedPicture::Pixel(int x, int y) const
{
	const uint8_t* p = &rgba[((size_t)y * width + x) * 4];
	return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}


size_t
DecodedPicture::DistinctColours() const
{
	std::set<uint32_t> colours;
	for (int y = 0; y < height; y++) {
		for (int x = 0; x < width; x++)
			colours.insert(Pixel(x, y));
	}
	return colours.size();
}


bool
DecodePicture(const std::vector<uint8_t>& bytes, DecodedPicture& picture)
{
	int width, height, channels;
	stbi_uc* pixels = stbi_load_from_memory(bytes.data(), (int)bytes.size(), &width,
		&height, &channels, 4);
	if (pixels == nullptr)
		return false;
	picture.width = width;
	picture.height = height;
	picture.rgba.assign(pixels, pixels + (size_t)width * height * 4);
	stbi_image_free(pixels);
	return true;
}


std::vector<uint8_t>
ReadBytes(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
		std::istreambuf_iterator<char>());
}


TemporaryFolder::TemporaryFolder()
{
	std::string pattern = (std::filesystem::temp_directory_path() / "quorrel-art-XXXXXX")
		.string();
	if (mkdtemp(pattern.data()) != nullptr)
		fPath = pattern;
}


TemporaryFolder::~TemporaryFolder()
{
	if (!fPath.empty()) {
		std::error_code ignored;
		std::filesystem::remove_all(fPath, ignored);
	}
}


int
RunGenerator(const std::vector<std::string>& arguments, std::string& output)
{
	auto quoted = [](const std::string& text) {
		std::string result = "'";
		for (char c : text) {
			if (c == '\'')
				result += "'\\''";
			else
				result += c;
		}
		return result + "'";
	};
	std::string command = quoted(QUORREL_ART_BIN);
	for (const std::string& argument : arguments)
		command += " " + quoted(argument);
	command += " 2>&1";

	output.clear();
	FILE* pipe = popen(command.c_str(), "r");
	if (pipe == nullptr)
		return -1;
	char buffer[512];
	size_t got;
	while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
		output.append(buffer, got);
	int status = pclose(pipe);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}


std::vector<std::string>
FilesBelow(const std::string& folder)
{
	namespace fs = std::filesystem;
	std::vector<std::string> files;
	std::error_code code;
	if (!fs::is_directory(folder, code))
		return files;
	for (fs::recursive_directory_iterator it(folder, code), end; !code && it != end;
			it.increment(code)) {
		if (it->is_regular_file())
			files.push_back(fs::relative(it->path(), folder).string());
	}
	std::sort(files.begin(), files.end());
	return files;
}
