// quorrel-art: writes every picture the application ships.
//
//   quorrel-art [--sources FOLDER] [--sheet FILE.png] [OUTDIR]
//
// With OUTDIR it writes Icons/, Images/ and ILib/ below it; with --sheet it writes a
// contact sheet for looking at them all at once.

#include "ArtCatalog.h"
#include "ImageWriter.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>


namespace {

void
PrintUsage()
{
	fprintf(stderr, "usage: quorrel-art [--sources FOLDER] [--sheet FILE.png] [OUTDIR]\n");
}


bool
WriteTree(const std::vector<ArtPicture>& pictures, const std::string& folder,
	std::string& error)
{
	namespace fs = std::filesystem;
	for (const ArtPicture& picture : pictures) {
		fs::path target = fs::path(folder) / picture.path;
		std::error_code code;
		fs::create_directories(target.parent_path(), code);
		if (code) {
			error = "cannot create " + target.parent_path().string() + ": " + code.message();
			return false;
		}
		std::vector<uint8_t> bytes = picture.format == ArtPicture::kPng
			? ImageWriter::EncodePng(picture.canvas)
			: ImageWriter::EncodeBmp(picture.canvas);
		if (!ImageWriter::WriteFile(target.string(), bytes, error))
			return false;
	}
	return true;
}

}	// namespace


int
main(int argc, char** argv)
{
	std::string sources = QUORREL_ART_SOURCES;
	std::string sheet;
	std::string output;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--sources") == 0 && i + 1 < argc)
			sources = argv[++i];
		else if (strcmp(argv[i], "--sheet") == 0 && i + 1 < argc)
			sheet = argv[++i];
		else if (argv[i][0] != '-' && output.empty())
			output = argv[i];
		else {
			PrintUsage();
			return 2;
		}
	}
	if (output.empty() && sheet.empty()) {
		PrintUsage();
		return 2;
	}

	std::vector<ArtPicture> pictures;
	std::string error;
	if (!ArtCatalog::Build(sources, pictures, error)) {
		fprintf(stderr, "quorrel-art: %s\n", error.c_str());
		return 1;
	}
	if (!output.empty() && !WriteTree(pictures, output, error)) {
		fprintf(stderr, "quorrel-art: %s\n", error.c_str());
		return 1;
	}
	if (!sheet.empty()
		&& !ImageWriter::WriteFile(sheet,
			ImageWriter::EncodePng(ArtCatalog::ContactSheet(pictures)), error)) {
		fprintf(stderr, "quorrel-art: %s\n", error.c_str());
		return 1;
	}
	return 0;
}
