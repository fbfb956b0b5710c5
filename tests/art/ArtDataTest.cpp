#include "ArtTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>


namespace {

const std::string kData = std::string(QUORREL_SOURCE_DIR) + "/data/";
const char* const kArtFolders[] = { "Icons", "Images", "ILib" };

const char* const kToolBarIcons[] = { "new_document", "open_document", "save_document",
	"cut", "copy", "paste", "bold", "italic", "underline", "left", "center", "right",
	"color" };
const char* const kListIcons[] = { "editor", "colors", "user", "icons", "images" };

const uint32_t kTransparent = 0x777477ff;
const uint32_t kBarGrey = 0xdcdcdcff;


uint32_t
Rgb(int red, int green, int blue)
{
	return ((uint32_t)red << 24) | ((uint32_t)green << 16) | ((uint32_t)blue << 8) | 0xff;
}


// Reads one committed bitmap, checking that it is the plain 24-bit kind every BMP
// reader understands.
DecodedPicture
LoadBitmap(const std::string& relative)
{
	DecodedPicture picture;
	std::vector<uint8_t> bytes = ReadBytes(kData + relative);
	EXPECT_GE(bytes.size(), 54u) << relative;
	if (bytes.size() < 54)
		return picture;
	EXPECT_EQ(bytes[0], 'B') << relative;
	EXPECT_EQ(bytes[1], 'M') << relative;
	EXPECT_EQ(bytes[28], 24) << relative << ": bits per pixel";
	EXPECT_EQ(bytes[30], 0) << relative << ": compression";
	EXPECT_TRUE(DecodePicture(bytes, picture)) << relative;
	return picture;
}


void
ExpectSize(const DecodedPicture& picture, int width, int height, const std::string& name)
{
	EXPECT_EQ(picture.width, width) << name;
	EXPECT_EQ(picture.height, height) << name;
}


bool
Contains(const DecodedPicture& picture, uint32_t colour)
{
	for (int y = 0; y < picture.height; y++) {
		for (int x = 0; x < picture.width; x++) {
			if (picture.Pixel(x, y) == colour)
				return true;
		}
	}
	return false;
}

}	// namespace


// The committed pictures are exactly what the generator makes from the sources today:
// nothing missing, nothing left over from an older picture, every byte the same.
TEST(ArtData, CommittedPicturesMatchTheirSources)
{
	TemporaryFolder output;
	ASSERT_FALSE(output.Path().empty());
	std::string messages;
	ASSERT_EQ(RunGenerator({ output.Path() }, messages), 0) << messages;

	std::vector<std::string> generated = FilesBelow(output.Path());
	std::vector<std::string> committed;
	for (const char* folder : kArtFolders) {
		for (const std::string& file : FilesBelow(kData + folder))
			committed.push_back(std::string(folder) + "/" + file);
	}
	std::sort(committed.begin(), committed.end());
	EXPECT_EQ(generated, committed);
	ASSERT_GT(generated.size(), 40u);

	for (const std::string& file : generated) {
		EXPECT_TRUE(ReadBytes(output.Path() + "/" + file) == ReadBytes(kData + file))
			<< file << " differs from what its source makes; run quorrel-art data";
	}
}


// Tool-bar buttons copy their bitmaps over the bar grey, so every icon is opaque with
// that grey around the picture, in both sizes, and no two buttons look alike.
TEST(ArtData, ToolBarIconsComeInBothSizesOnTheBarGrey)
{
	std::map<std::vector<uint8_t>, std::string> seen;
	for (const char* name : kToolBarIcons) {
		for (bool small : { false, true }) {
			std::string file = std::string("Icons/") + name + (small ? "_s" : "") + ".bmp";
			DecodedPicture icon = LoadBitmap(file);
			int size = small ? 16 : 32;
			ExpectSize(icon, size, size, file);
			if (icon.width != size || icon.height != size)
				continue;
			EXPECT_EQ(icon.Pixel(0, 0), kBarGrey) << file;
			EXPECT_EQ(icon.Pixel(size - 1, 0), kBarGrey) << file;
			EXPECT_EQ(icon.Pixel(0, size - 1), kBarGrey) << file;
			EXPECT_EQ(icon.Pixel(size - 1, size - 1), kBarGrey) << file;
			EXPECT_FALSE(Contains(icon, kTransparent)) << file;
			EXPECT_GE(icon.DistinctColours(), 2u) << file;
			auto [where, inserted] = seen.emplace(icon.rgba, file);
			EXPECT_TRUE(inserted) << file << " is the same picture as " << where->second;
		}
	}
}


// The preference list draws its icons with B_OP_OVER into a 16 x 16 square; the
// application and project icons go to the MIME database. All of them keep the
// transparent colour around their picture.
TEST(ArtData, ListAndApplicationIconsHaveTransparentCorners)
{
	std::vector<std::pair<std::string, int>> icons;
	for (const char* name : kListIcons)
		icons.push_back({ std::string("Icons/") + name + ".bmp", 16 });
	icons.push_back({ "Icons/app_32.bmp", 32 });
	icons.push_back({ "Icons/app_16.bmp", 16 });
	icons.push_back({ "Icons/project_32.bmp", 32 });
	icons.push_back({ "Icons/project_16.bmp", 16 });

	for (const auto& [file, size] : icons) {
		DecodedPicture icon = LoadBitmap(file);
		ExpectSize(icon, size, size, file);
		if (icon.width != size || icon.height != size)
			continue;
		EXPECT_EQ(icon.Pixel(0, 0), kTransparent) << file;
		// Transparent, an outline and at least two more colours.
		EXPECT_GE(icon.DistinctColours(), 4u) << file;
		if (file.find("app_") != std::string::npos
			|| file.find("project_") != std::string::npos) {
			EXPECT_TRUE(Contains(icon, Rgb(45, 98, 217))) << file << " lacks the product blue";
		}
	}
}


// Each picture fits the place its window draws it in and carries, at its top-left
// corner, the colour the window paints there, so it sits in without a seam.
TEST(ArtData, ImagesFitWhereTheWindowsDrawThem)
{
	struct Expectation {
		const char*	file;
		int			maximumWidth;
		int			maximumHeight;
		uint32_t	corner;
	};
	const uint32_t productBlue = Rgb(45, 98, 217);
	const Expectation expectations[] = {
		{ "Images/dyskietka.bmp", 98, 200, Rgb(151, 151, 151) },
		{ "Images/logo.bmp", 91, 265, Rgb(175, 193, 255) },
		{ "Images/logo1.bmp", 309, 45, productBlue },
		{ "Images/version.bmp", 91, 32, productBlue },
	};
	for (const Expectation& expected : expectations) {
		DecodedPicture picture = LoadBitmap(expected.file);
		EXPECT_GT(picture.width, expected.maximumWidth / 2) << expected.file;
		EXPECT_LE(picture.width, expected.maximumWidth) << expected.file;
		EXPECT_LE(picture.height, expected.maximumHeight) << expected.file;
		if (picture.width > 0) {
			EXPECT_EQ(picture.Pixel(0, 0), expected.corner) << expected.file;
		}
		EXPECT_GE(picture.DistinctColours(), 8u) << expected.file;
	}

	DecodedPicture banner = LoadBitmap("Images/fslogo.bmp");
	ExpectSize(banner, 50, 200, "Images/fslogo.bmp");
	EXPECT_GE(banner.DistinctColours(), 8u);
}


// The image library is a handful of web pictures in a few folders, each readable.
TEST(ArtData, ImageLibraryHoldsAFewWebPictures)
{
	std::vector<std::string> files = FilesBelow(kData + "ILib");
	EXPECT_GE(files.size(), 6u);
	EXPECT_LE(files.size(), 12u);
	std::set<std::string> folders;
	for (const std::string& file : files) {
		size_t slash = file.find('/');
		ASSERT_NE(slash, std::string::npos) << file << " is not in a folder";
		folders.insert(file.substr(0, slash));
		ASSERT_GE(file.size(), 4u);
		EXPECT_EQ(file.substr(file.size() - 4), ".png") << file;

		std::vector<uint8_t> bytes = ReadBytes(kData + "ILib/" + file);
		const uint8_t signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
		ASSERT_GE(bytes.size(), 8u) << file;
		EXPECT_TRUE(std::equal(signature, signature + 8, bytes.begin())) << file;
		DecodedPicture picture;
		EXPECT_TRUE(DecodePicture(bytes, picture)) << file;
		EXPECT_GE(picture.DistinctColours(), 2u) << file;
		if (file.rfind("bullets/", 0) == 0 && picture.width > 0) {
			EXPECT_EQ(picture.Pixel(0, 0) & 0xff, 0u) << file << ": corner not see-through";
		}
	}
	EXPECT_GE(folders.size(), 2u);
	EXPECT_LE(folders.size(), 3u);
}
