#include "PixelArt.h"

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>


const ArtColor kTransparentMagic = { 0x77, 0x74, 0x77, 255 };


namespace {

enum class Section { kHeader, kPalette, kPixels, kDone };


std::string
Trimmed(const std::string& line)
{
	size_t end = line.size();
	while (end > 0 && std::isspace((unsigned char)line[end - 1]))
		end--;
	size_t start = 0;
	while (start < end && std::isspace((unsigned char)line[start]))
		start++;
	return line.substr(start, end - start);
}


bool
ParseChannel(const std::string& word, int& value)
{
	if (word.empty() || word.size() > 3)
		return false;
	value = 0;
	for (char c : word) {
		if (!std::isdigit((unsigned char)c))
			return false;
		value = value * 10 + (c - '0');
	}
	return value <= 255;
}


bool
ParseDimension(const std::string& word, int& value)
{
	if (word.empty() || word.size() > 4)
		return false;
	value = 0;
	for (char c : word) {
		if (!std::isdigit((unsigned char)c))
			return false;
		value = value * 10 + (c - '0');
	}
	return value >= 1 && value <= PixelArt::kMaximumSize;
}

}	// namespace


bool
PixelArt::Parse(const std::string& text, const std::string& source, Canvas& picture,
	std::string& error)
{
	std::istringstream stream(text);
	std::string line;
	int lineNumber = 0;
	int width = 0;
	int height = 0;
	std::map<char, ArtColor> palette;
	std::vector<std::string> rows;
	Section section = Section::kHeader;

	auto fail = [&](const std::string& what) {
		error = source + ":" + std::to_string(lineNumber) + ": " + what;
		return false;
	};

	while (std::getline(stream, line)) {
		lineNumber++;
		if (!line.empty() && line.back() == '\r')
			line.pop_back();

		if (section == Section::kPixels) {
			if ((int)line.size() != width) {
				return fail("row " + std::to_string(rows.size() + 1) + " has "
					+ std::to_string(line.size()) + " characters, expected "
					+ std::to_string(width));
			}
			for (char c : line) {
				if (palette.find(c) == palette.end())
					return fail(std::string("character '") + c + "' is not in the palette");
			}
			rows.push_back(line);
			if ((int)rows.size() == height)
				section = Section::kDone;
			continue;
		}

		std::string trimmed = Trimmed(line);
		if (trimmed.empty() || trimmed[0] == '#')
			continue;
		if (section == Section::kDone)
			return fail("text after the last pixel row");

		std::istringstream words(trimmed);
		std::string keyword;
		words >> keyword;
		if (keyword == "size") {
			if (section != Section::kHeader || width != 0)
				return fail("\"size\" must come once, before the palette");
			std::string w, h, extra;
			words >> w >> h;
			if (!ParseDimension(w, width) || !ParseDimension(h, height) || (words >> extra))
				return fail("\"size\" needs a width and a height from 1 to "
					+ std::to_string(kMaximumSize));
		} else if (keyword == "palette") {
			if (section != Section::kHeader || width == 0)
				return fail("\"palette\" must follow \"size\"");
			section = Section::kPalette;
		} else if (keyword == "pixels") {
			if (section != Section::kPalette || palette.empty())
				return fail("\"pixels\" must follow a palette with at least one colour");
			section = Section::kPixels;
		} else if (section == Section::kPalette) {
			if (keyword.size() != 1)
				return fail("a palette entry starts with one character, not \"" + keyword + "\"");
			char key = keyword[0];
			if (palette.find(key) != palette.end())
				return fail(std::string("character '") + key + "' is defined twice");
			std::vector<std::string> values;
			std::string value;
			while (words >> value)
				values.push_back(value);
			if (values.size() == 1 && values[0] == "transparent") {
				palette[key] = kTransparentMagic;
				continue;
			}
			int red, green, blue;
			if (values.size() != 3 || !ParseChannel(values[0], red)
				|| !ParseChannel(values[1], green) || !ParseChannel(values[2], blue)) {
				return fail(std::string("colour of '") + key
					+ "' must be three numbers from 0 to 255 or \"transparent\"");
			}
			palette[key] = MakeColor(red, green, blue);
		} else {
			return fail("unknown line \"" + trimmed + "\"");
		}
	}

	if (width == 0)
		return fail("no \"size\" line");
	if ((int)rows.size() != height) {
		return fail("expected " + std::to_string(height) + " pixel rows, found "
			+ std::to_string(rows.size()));
	}

	Canvas result(width, height, ArtColor{ 0, 0, 0, 0 });
	for (int y = 0; y < height; y++) {
		for (int x = 0; x < width; x++)
			result.SetPixel(x, y, palette[rows[y][x]]);
	}
	picture = result;
	return true;
}


bool
PixelArt::Load(const std::string& path, Canvas& picture, std::string& error)
{
	std::ifstream file(path, std::ios::binary);
	if (!file) {
		error = "cannot read " + path;
		return false;
	}
	std::ostringstream contents;
	contents << file.rdbuf();
	if (file.bad()) {
		error = "cannot read " + path;
		return false;
	}
	return Parse(contents.str(), path, picture, error);
}
