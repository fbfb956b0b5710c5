#ifndef QUORREL_ART_IMAGE_WRITER_H
#define QUORREL_ART_IMAGE_WRITER_H

#include "Canvas.h"

#include <string>
#include <vector>


// Small, dependency-free encoders. Both produce the same bytes for the same picture
// every time, which is what lets the committed files be checked against their sources.
namespace ImageWriter {

// An uncompressed 24-bit Windows bitmap (bottom-up rows, 40-byte header). Alpha is
// dropped: the pictures written this way are opaque.
std::vector<uint8_t>	EncodeBmp(const Canvas& canvas);

// A PNG with 8-bit RGBA pixels. The image data is stored in uncompressed deflate
// blocks, which every decoder accepts and which needs no compression library.
std::vector<uint8_t>	EncodePng(const Canvas& canvas);

// Writes bytes to path, creating nothing but the file. Returns false and fills error
// when the file cannot be written completely.
bool					WriteFile(const std::string& path,
							const std::vector<uint8_t>& bytes, std::string& error);

}	// namespace ImageWriter


#endif
