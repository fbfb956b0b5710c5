#ifndef QUORREL_ART_TEST_SUPPORT_H
#define QUORREL_ART_TEST_SUPPORT_H

#include <cstdint>
#include <string>
#include <vector>


// A picture as the independent decoder read it: RGBA, row by row from the top.
struct DecodedPicture {
	int						width = 0;
	int						height = 0;
	std::vector<uint8_t>	rgba;

	uint32_t Pixel(int x, int y) const;
	size_t DistinctColours() const;
};

bool			DecodePicture(const std::vector<uint8_t>& bytes, DecodedPicture& picture);
std::vector<uint8_t> ReadBytes(const std::string& path);

// A fresh folder under the system's temporary folder, removed by the destructor.
class TemporaryFolder {
public:
								TemporaryFolder();
								~TemporaryFolder();
			const std::string&	Path() const { return fPath; }
private:
			std::string			fPath;
};

// Runs the generator with the given arguments; returns its exit status and puts what
// it printed into output.
int				RunGenerator(const std::vector<std::string>& arguments,
					std::string& output);

// Every regular file below folder, as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::string& folder);

#endif
