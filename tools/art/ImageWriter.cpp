#include "ImageWriter.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>


namespace {

void
Put16(std::vector<uint8_t>& out, uint32_t value)
{
	out.push_back((uint8_t)(value & 0xff));
	out.push_back((uint8_t)((value >> 8) & 0xff));
}


void
Put32(std::vector<uint8_t>& out, uint32_t value)
{
	Put16(out, value & 0xffff);
	Put16(out, value >> 16);
}


void
Put32Big(std::vector<uint8_t>& out, uint32_t value)
{
	out.push_back((uint8_t)(value >> 24));
	out.push_back((uint8_t)((value >> 16) & 0xff));
	out.push_back((uint8_t)((value >> 8) & 0xff));
	out.push_back((uint8_t)(value & 0xff));
}


uint32_t
Crc32(const uint8_t* data, size_t length)
{
	static const std::array<uint32_t, 256> sTable = [] {
		std::array<uint32_t, 256> table{};
		for (uint32_t n = 0; n < 256; n++) {
			uint32_t c = n;
			for (int k = 0; k < 8; k++)
				c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
			table[n] = c;
		}
		return table;
	}();
	uint32_t crc = 0xffffffffu;
	for (size_t i = 0; i < length; i++)
		crc = sTable[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
	return crc ^ 0xffffffffu;
}


uint32_t
Adler32(const std::vector<uint8_t>& data)
{
	uint32_t a = 1;
	uint32_t b = 0;
	for (uint8_t byte : data) {
		a = (a + byte) % 65521;
		b = (b + a) % 65521;
	}
	return (b << 16) | a;
}


void
PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
	Put32Big(out, (uint32_t)data.size());
	size_t start = out.size();
	out.insert(out.end(), type, type + 4);
	out.insert(out.end(), data.begin(), data.end());
	Put32Big(out, Crc32(out.data() + start, out.size() - start));
}

}	// namespace


std::vector<uint8_t>
ImageWriter::EncodeBmp(const Canvas& canvas)
{
	const uint32_t width = (uint32_t)canvas.Width();
	const uint32_t height = (uint32_t)canvas.Height();
	const uint32_t rowBytes = (width * 3 + 3) & ~3u;
	const uint32_t imageBytes = rowBytes * height;
	const uint32_t headerBytes = 14 + 40;

	std::vector<uint8_t> out;
	out.reserve(headerBytes + imageBytes);
	out.push_back('B');
	out.push_back('M');
	Put32(out, headerBytes + imageBytes);
	Put32(out, 0);
	Put32(out, headerBytes);

	Put32(out, 40);
	Put32(out, width);
	Put32(out, height);
	Put16(out, 1);
	Put16(out, 24);
	Put32(out, 0);
	Put32(out, imageBytes);
	Put32(out, 2835);	// 72 dots per inch
	Put32(out, 2835);
	Put32(out, 0);
	Put32(out, 0);

	for (int y = (int)height - 1; y >= 0; y--) {
		size_t rowStart = out.size();
		for (uint32_t x = 0; x < width; x++) {
			ArtColor color = canvas.PixelAt((int)x, y);
			out.push_back(color.blue);
			out.push_back(color.green);
			out.push_back(color.red);
		}
		while (out.size() - rowStart < rowBytes)
			out.push_back(0);
	}
	return out;
}


std::vector<uint8_t>
ImageWriter::EncodePng(const Canvas& canvas)
{
	const uint32_t width = (uint32_t)canvas.Width();
	const uint32_t height = (uint32_t)canvas.Height();

	std::vector<uint8_t> raw;
	raw.reserve((size_t)height * (width * 4 + 1));
	for (uint32_t y = 0; y < height; y++) {
		raw.push_back(0);	// no filter
		for (uint32_t x = 0; x < width; x++) {
			ArtColor color = canvas.PixelAt((int)x, (int)y);
			raw.push_back(color.red);
			raw.push_back(color.green);
			raw.push_back(color.blue);
			raw.push_back(color.alpha);
		}
	}

	std::vector<uint8_t> zlib = { 0x78, 0x01 };
	size_t offset = 0;
	do {
		size_t length = std::min<size_t>(raw.size() - offset, 65535);
		bool last = offset + length == raw.size();
		zlib.push_back(last ? 1 : 0);
		Put16(zlib, (uint32_t)length);
		Put16(zlib, (uint32_t)(~length & 0xffff));
		zlib.insert(zlib.end(), raw.begin() + offset, raw.begin() + offset + length);
		offset += length;
	} while (offset < raw.size());
	Put32Big(zlib, Adler32(raw));

	std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
	std::vector<uint8_t> header;
	Put32Big(header, width);
	Put32Big(header, height);
	header.push_back(8);	// bits per channel
	header.push_back(6);	// RGBA
	header.push_back(0);
	header.push_back(0);
	header.push_back(0);
	PutChunk(out, "IHDR", header);
	PutChunk(out, "IDAT", zlib);
	PutChunk(out, "IEND", {});
	return out;
}


bool
ImageWriter::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes,
	std::string& error)
{
	FILE* file = fopen(path.c_str(), "wb");
	if (file == nullptr) {
		error = "cannot create " + path + ": " + strerror(errno);
		return false;
	}
	size_t written = fwrite(bytes.data(), 1, bytes.size(), file);
	bool closed = fclose(file) == 0;
	if (written != bytes.size() || !closed) {
		error = "cannot write " + path;
		return false;
	}
	return true;
}
