// The Translation Kit: images of every supported kind made in the test, read back through
// the roster into a BBitmapStream, and damaged images refused cleanly.

#include <Bitmap.h>
#include <BitmapStream.h>
#include <DataIO.h>
#include <TranslationUtils.h>
#include <TranslatorRoster.h>

#include "translation/PNGWriter.h"

#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

typedef std::vector<uint8> Bytes;


void
Put16(Bytes& bytes, uint16 value)
{
	bytes.push_back((uint8)value);
	bytes.push_back((uint8)(value >> 8));
}


void
Put32(Bytes& bytes, uint32 value)
{
	for (int i = 0; i < 4; i++)
		bytes.push_back((uint8)(value >> (i * 8)));
}


struct BMPLayout {
	int32			width = 0;
	int32			height = 0;	// negative: top-down
	uint16			bitsPerPixel = 0;
	uint32			compression = 0;
	uint32			headerSize = 40;
	Bytes			palette;	// B, G, R, 0 per entry (B, G, R for OS/2 1.x)
	std::vector<uint32> masks;	// after a 40-byte header, for bit fields
	Bytes			pixels;		// exactly as stored in the file
};


BMPLayout
Layout(int32 width, int32 height, uint16 bitsPerPixel, uint32 compression = 0,
	uint32 headerSize = 40)
{
	BMPLayout layout;
	layout.width = width;
	layout.height = height;
	layout.bitsPerPixel = bitsPerPixel;
	layout.compression = compression;
	layout.headerSize = headerSize;
	return layout;
}


Bytes
MakeBMP(const BMPLayout& layout)
{
	Bytes info;
	if (layout.headerSize == 12) {
		Put32(info, 12);
		Put16(info, (uint16)layout.width);
		Put16(info, (uint16)layout.height);
		Put16(info, 1);
		Put16(info, layout.bitsPerPixel);
	} else {
		Put32(info, layout.headerSize);
		Put32(info, (uint32)layout.width);
		Put32(info, (uint32)layout.height);
		Put16(info, 1);
		Put16(info, layout.bitsPerPixel);
		Put32(info, layout.compression);
		Put32(info, (uint32)layout.pixels.size());
		Put32(info, 2835);
		Put32(info, 2835);
		Put32(info, 0);
		Put32(info, 0);
		while (info.size() < layout.headerSize)
			info.push_back(0);
	}
	Bytes extra;
	for (uint32 mask : layout.masks)
		Put32(extra, mask);
	uint32 offset = 14 + (uint32)(info.size() + extra.size() + layout.palette.size());
	Bytes file;
	file.push_back('B');
	file.push_back('M');
	Put32(file, offset + (uint32)layout.pixels.size());
	Put32(file, 0);
	Put32(file, offset);
	file.insert(file.end(), info.begin(), info.end());
	file.insert(file.end(), extra.begin(), extra.end());
	file.insert(file.end(), layout.palette.begin(), layout.palette.end());
	file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
	return file;
}


// Translates bytes into a bitmap; the status goes to *status.
BBitmap*
Decode(const Bytes& bytes, status_t* status)
{
	BMemoryIO source(bytes.data(), bytes.size());
	BBitmapStream stream;
	*status = BTranslatorRoster::Default()->Translate(&source, NULL, NULL, &stream,
		B_TRANSLATOR_BITMAP);
	if (*status != B_OK)
		return NULL;
	BBitmap* bitmap = NULL;
	if (stream.DetachBitmap(&bitmap) != B_OK)
		return NULL;
	return bitmap;
}


rgb_color
PixelAt(const BBitmap* bitmap, int x, int y)
{
	const uint8* p = (const uint8*)bitmap->Bits() + y * bitmap->BytesPerRow() + x * 4;
	return make_color(p[2], p[1], p[0], p[3]);
}


// A palette of four entries: black, red, green, blue.
Bytes
FourColours()
{
	return Bytes{ 0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0 };
}


void
ExpectFourColourImage(const Bytes& file, const char* what)
{
	// Every indexed test image is 3 x 2: top row black, red, green; bottom row blue, red,
	// black.
	status_t status;
	BBitmap* bitmap = Decode(file, &status);
	ASSERT_EQ(status, B_OK) << what;
	ASSERT_NE(bitmap, nullptr) << what;
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 2, 1)) << what;
	EXPECT_EQ(PixelAt(bitmap, 0, 0), make_color(0, 0, 0)) << what;
	EXPECT_EQ(PixelAt(bitmap, 1, 0), make_color(255, 0, 0)) << what;
	EXPECT_EQ(PixelAt(bitmap, 2, 0), make_color(0, 255, 0)) << what;
	EXPECT_EQ(PixelAt(bitmap, 0, 1), make_color(0, 0, 255)) << what;
	EXPECT_EQ(PixelAt(bitmap, 1, 1), make_color(255, 0, 0)) << what;
	EXPECT_EQ(PixelAt(bitmap, 2, 1), make_color(0, 0, 0)) << what;
	delete bitmap;
}

}	// namespace


TEST(TranslationTest, BMPOfEveryDepthReadsBack)
{
	// 8 bits, bottom-up: the file stores the bottom row first, rows padded to 4 bytes.
	BMPLayout layout8 = Layout(3, 2, 8);
	layout8.palette = FourColours();
	layout8.pixels = { 3, 1, 0, 0, 0, 1, 2, 0 };
	ExpectFourColourImage(MakeBMP(layout8), "8 bit");

	// The same, top-down.
	BMPLayout topDown = layout8;
	topDown.height = -2;
	topDown.pixels = { 0, 1, 2, 0, 3, 1, 0, 0 };
	ExpectFourColourImage(MakeBMP(topDown), "8 bit top-down");

	// 4 bits: two pixels a byte, high nibble first.
	BMPLayout layout4 = Layout(3, 2, 4);
	layout4.palette = FourColours();
	layout4.pixels = { 0x31, 0x00, 0, 0, 0x01, 0x20, 0, 0 };
	ExpectFourColourImage(MakeBMP(layout4), "4 bit");

	// OS/2 1.x header with a three-byte palette.
	BMPLayout os2 = layout8;
	os2.headerSize = 12;
	os2.palette = { 0, 0, 0, 0, 0, 255, 0, 255, 0, 255, 0, 0 };
	ExpectFourColourImage(MakeBMP(os2), "OS/2 8 bit");

	// RLE8: a run of two, absolute pixels and the end-of-line and end-of-bitmap codes.
	BMPLayout rle8 = Layout(3, 2, 8, 1);
	rle8.palette = FourColours();
	rle8.pixels = {
		1, 3, 1, 1, 1, 0, 0, 0,			// bottom row: 3, 1, 0
		0, 3, 0, 1, 2, 0, 0, 0, 0, 1	// top row in absolute mode (padded), end
	};
	ExpectFourColourImage(MakeBMP(rle8), "RLE8");

	// RLE4: runs alternate the two nibbles.
	BMPLayout rle4 = Layout(3, 2, 4, 2);
	rle4.palette = FourColours();
	rle4.pixels = {
		1, 0x30, 2, 0x10, 0, 0,			// bottom row: 3, then 1, 0
		0, 3, 0x01, 0x20, 0, 0, 0, 1	// top row: absolute 0, 1, 2; end
	};
	ExpectFourColourImage(MakeBMP(rle4), "RLE4");

	// 1 bit: 9 pixels wide to cross a byte.
	BMPLayout layout1 = Layout(9, 1, 1);
	layout1.palette = { 0, 0, 0, 0, 255, 255, 255, 0 };
	layout1.pixels = { 0xaa, 0x80, 0, 0 };
	status_t status;
	BBitmap* bitmap = Decode(MakeBMP(layout1), &status);
	ASSERT_EQ(status, B_OK);
	for (int x = 0; x < 9; x++) {
		EXPECT_EQ(PixelAt(bitmap, x, 0).red, x % 2 == 0 ? 255 : 0) << x;
	}
	delete bitmap;

	// 24 bits (B, G, R) and 32 bits (B, G, R, x).
	BMPLayout layout24 = Layout(2, 1, 24);
	layout24.pixels = { 10, 20, 30, 40, 50, 60, 0, 0 };
	bitmap = Decode(MakeBMP(layout24), &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(PixelAt(bitmap, 0, 0), make_color(30, 20, 10));
	EXPECT_EQ(PixelAt(bitmap, 1, 0), make_color(60, 50, 40));
	EXPECT_EQ(bitmap->ColorSpace(), B_RGB32);
	delete bitmap;
	BMPLayout layout32 = Layout(1, 1, 32);
	layout32.pixels = { 1, 2, 3, 0 };
	bitmap = Decode(MakeBMP(layout32), &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(PixelAt(bitmap, 0, 0), make_color(3, 2, 1));
	delete bitmap;

	// 16 bits: 5-5-5 by default, 5-6-5 through bit fields.
	BMPLayout layout16 = Layout(2, 1, 16);
	layout16.pixels = { 0x00, 0x7c, 0x1f, 0x00 };
	bitmap = Decode(MakeBMP(layout16), &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(PixelAt(bitmap, 0, 0), make_color(255, 0, 0));
	EXPECT_EQ(PixelAt(bitmap, 1, 0), make_color(0, 0, 255));
	delete bitmap;
	BMPLayout layout565 = Layout(2, 1, 16, 3);
	layout565.masks = { 0xf800, 0x07e0, 0x001f };
	layout565.pixels = { 0xe0, 0x07, 0x00, 0xf8 };
	bitmap = Decode(MakeBMP(layout565), &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(PixelAt(bitmap, 0, 0), make_color(0, 255, 0));
	EXPECT_EQ(PixelAt(bitmap, 1, 0), make_color(255, 0, 0));
	delete bitmap;

	// A version 5 header with an alpha mask gives B_RGBA32 with the alpha kept.
	BMPLayout layout124 = Layout(1, 1, 32, 3, 124);
	layout124.pixels = { 0x10, 0x20, 0x30, 0x80 };
	Bytes v5 = MakeBMP(layout124);
	uint32 masks[4] = { 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000 };
	for (int i = 0; i < 4; i++)
		memcpy(&v5[14 + 40 + i * 4], &masks[i], 4);
	bitmap = Decode(v5, &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
	EXPECT_EQ(PixelAt(bitmap, 0, 0), make_color(0x30, 0x20, 0x10, 0x80));
	delete bitmap;
}


TEST(TranslationTest, DamagedAndForeignDataIsRefused)
{
	BMPLayout layout = Layout(3, 2, 8);
	layout.palette = FourColours();
	layout.pixels = { 3, 1, 0, 0, 0, 1, 2, 0 };
	Bytes good = MakeBMP(layout);
	status_t status;

	// Truncated anywhere: an error, never a crash.
	for (size_t length = 0; length < good.size(); length++) {
		Bytes cut(good.begin(), good.begin() + length);
		BBitmap* bitmap = Decode(cut, &status);
		EXPECT_EQ(bitmap, nullptr) << length;
		EXPECT_TRUE(status == B_ILLEGAL_DATA || status == B_NO_TRANSLATOR) << length;
	}

	// Absurd sizes are refused before any allocation.
	BMPLayout huge = layout;
	huge.width = 100000;
	EXPECT_EQ(Decode(MakeBMP(huge), &status), nullptr);
	EXPECT_EQ(status, B_ILLEGAL_DATA);
	huge.width = 30000;
	huge.height = 30000;
	EXPECT_EQ(Decode(MakeBMP(huge), &status), nullptr);
	EXPECT_EQ(status, B_ILLEGAL_DATA);

	// Impossible depths and compressions.
	BMPLayout depth = layout;
	depth.bitsPerPixel = 7;
	EXPECT_EQ(Decode(MakeBMP(depth), &status), nullptr);
	EXPECT_EQ(status, B_ILLEGAL_DATA);
	BMPLayout rle = layout;
	rle.compression = 2;
	EXPECT_EQ(Decode(MakeBMP(rle), &status), nullptr);
	EXPECT_EQ(status, B_ILLEGAL_DATA);

	// RLE data that runs out early.
	BMPLayout rle8 = Layout(3, 2, 8, 1);
	rle8.palette = FourColours();
	rle8.pixels = { 1, 3, 0, 0 };
	EXPECT_EQ(Decode(MakeBMP(rle8), &status), nullptr);
	EXPECT_EQ(status, B_ILLEGAL_DATA);
	// RLE deltas and runs that point outside the image are ignored, not written.
	rle8.pixels = { 0, 2, 200, 0, 255, 1, 0, 2, 1, 200, 0, 1 };
	BBitmap* bitmap = Decode(MakeBMP(rle8), &status);
	EXPECT_EQ(status, B_OK);
	delete bitmap;

	// Something that is no image at all.
	Bytes text = { 'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd' };
	EXPECT_EQ(Decode(text, &status), nullptr);
	EXPECT_EQ(status, B_NO_TRANSLATOR);
	translator_info info;
	BMemoryIO textIO(text.data(), text.size());
	EXPECT_EQ(BTranslatorRoster::Default()->Identify(&textIO, NULL, &info), B_NO_TRANSLATOR);

	// A PNG signature followed by rubbish, and a PNG header claiming a vast image.
	Bytes png = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
		'R', 0x7f, 0xff, 0xff, 0xff, 0x7f, 0xff, 0xff, 0xff, 8, 6, 0, 0, 0, 0, 0, 0, 0 };
	EXPECT_EQ(Decode(png, &status), nullptr);
	EXPECT_EQ(status, B_ILLEGAL_DATA);

	// NULL streams and unknown output types.
	BMemoryIO source(good.data(), good.size());
	BBitmapStream stream;
	EXPECT_EQ(BTranslatorRoster::Default()->Translate(NULL, NULL, NULL, &stream,
		B_TRANSLATOR_BITMAP), B_BAD_VALUE);
	EXPECT_EQ(BTranslatorRoster::Default()->Translate(&source, NULL, NULL, &stream,
		B_TRANSLATOR_TEXT), B_NO_TRANSLATOR);
}


TEST(TranslationTest, PNGWrittenByWritePNGReadsBackThroughTheRoster)
{
	BBitmap original(BRect(0, 0, 4, 2), B_RGBA32);
	uint8* bits = (uint8*)original.Bits();
	for (int y = 0; y < 3; y++) {
		for (int x = 0; x < 5; x++) {
			uint8* p = bits + y * original.BytesPerRow() + x * 4;
			p[0] = (uint8)(x * 50);
			p[1] = (uint8)(y * 100);
			p[2] = (uint8)(x * 10 + y);
			p[3] = (uint8)(255 - x * 40);
		}
	}
	char path[] = "/tmp/quorrel-png-XXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	close(fd);
	ASSERT_EQ(BPrivate::WritePNG(&original, path), B_OK);

	BBitmap* bitmap = BTranslationUtils::GetBitmapFile(path);
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->Bounds(), original.Bounds());
	EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
	for (int y = 0; y < 3; y++) {
		for (int x = 0; x < 5; x++)
			EXPECT_EQ(PixelAt(bitmap, x, y), PixelAt(&original, x, y)) << x << "," << y;
	}
	delete bitmap;

	// Identify names the format.
	FILE* file = fopen(path, "rb");
	ASSERT_NE(file, nullptr);
	Bytes bytes(4096);
	bytes.resize(fread(bytes.data(), 1, bytes.size(), file));
	fclose(file);
	BMemoryIO io(bytes.data(), bytes.size());
	translator_info info;
	ASSERT_EQ(BTranslatorRoster::Default()->Identify(&io, NULL, &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_PNG_FORMAT);
	EXPECT_STREQ(info.MIME, "image/png");
	EXPECT_EQ(io.Position(), 0);

	// The raw-buffer form writes opaque pixels.
	uint32 raw[4] = { 0x00ff0000, 0x0000ff00, 0x000000ff, 0x00ffffff };
	ASSERT_EQ(BPrivate::WritePNG(raw, 2, 2, 8, path), B_OK);
	bitmap = BTranslationUtils::GetBitmapFile(path);
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(PixelAt(bitmap, 0, 0), make_color(255, 0, 0));
	EXPECT_EQ(PixelAt(bitmap, 1, 1), make_color(255, 255, 255));
	delete bitmap;
	unlink(path);

	EXPECT_EQ(BPrivate::WritePNG(&original, "/nonexistent-dir/x.png"), B_IO_ERROR);
	EXPECT_EQ(BPrivate::WritePNG((const BBitmap*)NULL, path), B_BAD_VALUE);
	EXPECT_EQ(BTranslationUtils::GetBitmapFile("/nonexistent-dir/x.png"), nullptr);
}


TEST(TranslationTest, JPEGAndGIFDecode)
{
	// A 1 x 1 GIF whose only pixel is the transparent index.
	Bytes gif = { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xff, 0xff, 0xff, 0,
		0, 0, 0x21, 0xf9, 4, 1, 0, 0, 0, 0, 0x2c, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1,
		0, 0x3b };
	status_t status;
	BBitmap* bitmap = Decode(gif, &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 0, 0));
	EXPECT_EQ(PixelAt(bitmap, 0, 0).alpha, 0);
	delete bitmap;

	// A flat grey JPEG made with stb_image_write decodes to about the same grey.
	uint8 grey[8 * 8 * 3];
	memset(grey, 128, sizeof(grey));
	Bytes jpeg;
	stbi_write_jpg_to_func([](void* context, void* data, int size) {
		Bytes* out = (Bytes*)context;
		out->insert(out->end(), (uint8*)data, (uint8*)data + size);
	}, &jpeg, 8, 8, 3, grey, 90);
	ASSERT_FALSE(jpeg.empty());
	bitmap = Decode(jpeg, &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 7, 7));
	EXPECT_NEAR(PixelAt(bitmap, 3, 3).red, 128, 3);
	EXPECT_EQ(bitmap->ColorSpace(), B_RGB32);
	delete bitmap;

	// Truncated JPEG.
	Bytes cut(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
	bitmap = Decode(cut, &status);
	if (bitmap != NULL) {
		// stb_image fills a cut-off JPEG's missing blocks; it must still be the right size.
		EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 7, 7));
		delete bitmap;
	} else {
		EXPECT_EQ(status, B_ILLEGAL_DATA);
	}
}


TEST(TranslationTest, BitmapStreamRoundTrip)
{
	BBitmap* original = new BBitmap(BRect(0, 0, 2, 1), B_RGB32);
	for (int i = 0; i < original->BitsLength(); i++)
		((uint8*)original->Bits())[i] = (uint8)i;

	// A stream made from a bitmap reads as the big-endian header plus the pixels.
	BBitmapStream source(original);
	uint8 header[32];
	ASSERT_EQ(source.ReadAt(0, header, sizeof(header)), 32);
	EXPECT_EQ(header[0], 'b');
	EXPECT_EQ(header[3], 's');
	EXPECT_EQ(header[12], 0x40);	// right = 2.0f, big-endian 0x40000000
	EXPECT_EQ(header[23], 12);		// rowBytes
	EXPECT_EQ(header[27], 8);		// B_RGB32
	EXPECT_EQ(source.Size(), 32 + 24);

	// Through the roster's pass-through and into a second stream, in small pieces.
	std::vector<uint8> all(56);
	ASSERT_EQ(source.ReadAt(0, all.data(), all.size()), 56);
	BBitmapStream copy;
	for (size_t i = 0; i < all.size(); i += 5) {
		size_t count = std::min<size_t>(5, all.size() - i);
		ASSERT_EQ(copy.Write(&all[i], count), (ssize_t)count);
	}
	BBitmap* result = NULL;
	ASSERT_EQ(copy.DetachBitmap(&result), B_OK);
	ASSERT_NE(result, nullptr);
	EXPECT_EQ(memcmp(result->Bits(), original->Bits(), 24), 0);
	EXPECT_EQ(copy.DetachBitmap(&result), B_ERROR);
	delete result;

	BMemoryIO io(all.data(), all.size());
	BBitmapStream passed;
	ASSERT_EQ(BTranslatorRoster::Default()->Translate(&io, NULL, NULL, &passed,
		B_TRANSLATOR_BITMAP), B_OK);
	ASSERT_EQ(passed.DetachBitmap(&result), B_OK);
	EXPECT_EQ(memcmp(result->Bits(), original->Bits(), 24), 0);
	delete result;

	// A header that describes an impossible bitmap is refused.
	std::vector<uint8> bad(all.begin(), all.begin() + 32);
	bad[12] = 0x7f;		// right = a huge float
	BBitmapStream refused;
	EXPECT_EQ(refused.Write(bad.data(), bad.size()), B_BAD_VALUE);
	EXPECT_EQ(refused.DetachBitmap(&result), B_ERROR);
	// Data past the pixels is refused too.
	BBitmapStream full;
	ASSERT_EQ(full.Write(all.data(), all.size()), 56);
	EXPECT_EQ(full.Write(all.data(), 1), B_BAD_VALUE);
}


TEST(TranslationTest, EveryShippedImageDecodes)
{
	std::filesystem::path data = std::filesystem::path(QUORREL_SOURCE_DIR) / "data";
	if (!std::filesystem::is_directory(data))
		GTEST_SKIP() << "no data folder";
	int checked = 0;
	for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
		std::string extension = entry.path().extension().string();
		for (char& c : extension)
			c = (char)tolower((unsigned char)c);
		if (extension != ".bmp" && extension != ".png" && extension != ".gif"
			&& extension != ".jpg" && extension != ".jpeg")
			continue;
		BBitmap* bitmap = BTranslationUtils::GetBitmapFile(entry.path().c_str());
		EXPECT_NE(bitmap, nullptr) << entry.path();
		if (bitmap != NULL) {
			EXPECT_TRUE(bitmap->IsValid());
			EXPECT_GT(bitmap->BitsLength(), 0);
		}
		delete bitmap;
		checked++;
	}
	EXPECT_GT(checked, 0);
}
