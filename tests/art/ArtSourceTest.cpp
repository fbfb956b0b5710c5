#include "ArtTestSupport.h"
#include "ImageWriter.h"
#include "Lettering.h"
#include "PixelArt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>


namespace {

uint32_t
Packed(ArtColor color)
{
	return ((uint32_t)color.red << 24) | ((uint32_t)color.green << 16)
		| ((uint32_t)color.blue << 8) | color.alpha;
}


const char* const kGoodPicture =
	"# two by three\n"
	"size 2 3\n"
	"palette\n"
	". 220 220 220\n"
	"k 0 10 200\n"
	"t transparent\n"
	"pixels\n"
	".k\n"
	"kt\n"
	"..\n"
	"\n";

}	// namespace


TEST(PixelArtSource, ReadsPaletteAndGrid)
{
	Canvas picture;
	std::string error;
	ASSERT_TRUE(PixelArt::Parse(kGoodPicture, "good.txt", picture, error)) << error;
	ASSERT_EQ(picture.Width(), 2);
	ASSERT_EQ(picture.Height(), 3);
	EXPECT_EQ(Packed(picture.PixelAt(0, 0)), 0xdcdcdcffu);
	EXPECT_EQ(Packed(picture.PixelAt(1, 0)), 0x000ac8ffu);
	EXPECT_EQ(Packed(picture.PixelAt(0, 1)), 0x000ac8ffu);
	EXPECT_EQ(Packed(picture.PixelAt(1, 1)), 0x777477ffu);
	EXPECT_EQ(Packed(picture.PixelAt(1, 2)), 0xdcdcdcffu);

	// Windows line ends are read the same way.
	std::string crlf;
	for (char c : std::string(kGoodPicture)) {
		if (c == '\n')
			crlf += '\r';
		crlf += c;
	}
	Canvas again;
	ASSERT_TRUE(PixelArt::Parse(crlf, "crlf.txt", again, error)) << error;
	EXPECT_TRUE(again.Pixels() == picture.Pixels());
}


// A faulty source is refused with the file and line of the fault, and the picture
// passed in stays as it was.
TEST(PixelArtSource, RejectsFaultsNamingTheLine)
{
	struct Case {
		const char*	text;
		const char*	message;
	};
	const Case cases[] = {
		{ "palette\n. 1 2 3\n", "bad.txt:1: \"palette\" must follow \"size\"" },
		{ "size 2 0\n", "bad.txt:1: \"size\" needs" },
		{ "size 2 9999\n", "bad.txt:1: \"size\" needs" },
		{ "size 2 1\npalette\n. 1 2 3\npixels\n.x\n", "bad.txt:5: character 'x'" },
		{ "size 2 1\npalette\n. 1 2 3\npixels\n...\n", "bad.txt:5: row 1 has 3" },
		{ "size 2 1\npalette\n. 1 2 256\n", "bad.txt:3: colour of '.'" },
		{ "size 2 1\npalette\n. 1 2\n", "bad.txt:3: colour of '.'" },
		{ "size 2 1\npalette\n. 1 2 3\n. 4 5 6\n", "bad.txt:4: character '.' is defined twice" },
		{ "size 2 1\npalette\nab 1 2 3\n", "bad.txt:3: a palette entry starts" },
		{ "size 2 1\npalette\npixels\n", "bad.txt:3: \"pixels\" must follow" },
		{ "size 2 2\npalette\n. 1 2 3\npixels\n..\n", "bad.txt:5: expected 2 pixel rows, found 1" },
		{ "size 1 1\npalette\n. 1 2 3\npixels\n.\nmore\n", "bad.txt:6: text after" },
		{ "colour 1 2 3\n", "bad.txt:1: unknown line" },
		{ "", "bad.txt:0: no \"size\" line" },
	};
	for (const Case& test : cases) {
		Canvas picture(3, 3, MakeColor(1, 2, 3));
		std::string error;
		EXPECT_FALSE(PixelArt::Parse(test.text, "bad.txt", picture, error)) << test.text;
		EXPECT_EQ(error.rfind(test.message, 0), 0u) << "got: " << error;
		EXPECT_EQ(picture.Width(), 3);
		EXPECT_EQ(Packed(picture.PixelAt(2, 2)), 0x010203ffu);
	}

	Canvas picture;
	std::string error;
	EXPECT_FALSE(PixelArt::Load("/nonexistent/quorrel/picture.txt", picture, error));
	EXPECT_NE(error.find("cannot read"), std::string::npos);
}


// What the writers produce reads back, through a decoder of its own, as the very
// pixels that went in: odd widths need row padding in a bitmap, and a large PNG
// spreads over several stored blocks.
TEST(ArtWriter, WrittenFilesDecodeToTheSamePixels)
{
	Canvas opaque(5, 3, MakeColor(0, 0, 0));
	for (int y = 0; y < 3; y++) {
		for (int x = 0; x < 5; x++)
			opaque.SetPixel(x, y, MakeColor(x * 50, y * 100, 255 - x * 7 - y));
	}
	std::vector<uint8_t> bmp = ImageWriter::EncodeBmp(opaque);
	EXPECT_EQ(bmp.size(), 54u + 3 * 16);
	EXPECT_EQ(bmp[2] | (bmp[3] << 8), (int)bmp.size());
	DecodedPicture decoded;
	ASSERT_TRUE(DecodePicture(bmp, decoded));
	ASSERT_EQ(decoded.width, 5);
	ASSERT_EQ(decoded.height, 3);
	for (int y = 0; y < 3; y++) {
		for (int x = 0; x < 5; x++)
			EXPECT_EQ(decoded.Pixel(x, y), Packed(opaque.PixelAt(x, y))) << x << "," << y;
	}

	Canvas translucent(200, 100, MakeColor(0, 0, 0, 0));
	for (int y = 0; y < 100; y++) {
		for (int x = 0; x < 200; x++)
			translucent.SetPixel(x, y, MakeColor(x, y * 2, (x + y) % 256, (x * y) % 256));
	}
	std::vector<uint8_t> png = ImageWriter::EncodePng(translucent);
	ASSERT_TRUE(DecodePicture(png, decoded));
	ASSERT_EQ(decoded.width, 200);
	ASSERT_EQ(decoded.height, 100);
	int mismatches = 0;
	for (int y = 0; y < 100; y++) {
		for (int x = 0; x < 200; x++)
			mismatches += decoded.Pixel(x, y) != Packed(translucent.PixelAt(x, y));
	}
	EXPECT_EQ(mismatches, 0);
	EXPECT_TRUE(ImageWriter::EncodePng(translucent) == png);

	std::string error;
	EXPECT_FALSE(ImageWriter::WriteFile("/nonexistent/quorrel/x.png", png, error));
	EXPECT_NE(error.find("cannot create"), std::string::npos);
}


// The lettering draws only within its letters' height and refuses characters it has
// no glyph for, leaving the picture alone.
TEST(ArtLettering, StaysWithinItsLettersAndRefusesUnknownCharacters)
{
	Lettering lettering(10, 2);
	EXPECT_TRUE(lettering.Covers("Quorrel 0.5.0 alpha HTML Editor"));
	EXPECT_FALSE(lettering.Covers("Quorrel?"));

	const ArtColor white = MakeColor(255, 255, 255);
	Canvas canvas(80, 40, white);
	EXPECT_FALSE(lettering.Draw(canvas, "ab?", 5, 30, MakeColor(0, 0, 0)));
	EXPECT_TRUE(canvas.Pixels() == Canvas(80, 40, white).Pixels());

	ASSERT_TRUE(lettering.Draw(canvas, "HL", 5, 30, MakeColor(0, 0, 0)));
	int inked = 0;
	for (int y = 0; y < 40; y++) {
		for (int x = 0; x < 80; x++) {
			if (canvas.PixelAt(x, y) == white)
				continue;
			inked++;
			// Capitals stand 10 pixels over the baseline; round ends add half the weight.
			EXPECT_GE(y, 30 - 10 - 2) << x << "," << y;
			EXPECT_LE(y, 30 + 2) << x << "," << y;
			EXPECT_LT(x, 5 + (int)lettering.Width("HL") + 2) << x << "," << y;
		}
	}
	EXPECT_GT(inked, 40);
}


// The generator stops at a faulty source, names it, and writes nothing at all.
TEST(ArtGenerator, FaultySourceStopsBeforeWritingAnything)
{
	TemporaryFolder sources;
	TemporaryFolder output;
	ASSERT_FALSE(sources.Path().empty());
	std::filesystem::create_directories(sources.Path() + "/Icons");
	std::ofstream(sources.Path() + "/Icons/broken.txt")
		<< "size 2 2\npalette\n. 1 2 3\npixels\n..\n.?\n";

	std::string messages;
	EXPECT_EQ(RunGenerator({ "--sources", sources.Path(), output.Path() }, messages), 1);
	EXPECT_NE(messages.find("broken.txt:6: character '?'"), std::string::npos) << messages;
	EXPECT_TRUE(FilesBelow(output.Path()).empty());

	EXPECT_EQ(RunGenerator({}, messages), 2);
	EXPECT_NE(messages.find("usage"), std::string::npos);
	EXPECT_EQ(RunGenerator({ "--bogus", output.Path() }, messages), 2);
}
