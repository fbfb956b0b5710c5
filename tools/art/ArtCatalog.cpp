#include "ArtCatalog.h"

#include "Drawings.h"
#include "PixelArt.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>


namespace {

// The folders whose text pictures become bitmaps of the same folder.
const char* const kTextFolders[] = { "Icons" };


void
AddDrawn(std::vector<ArtPicture>& pictures)
{
	using namespace Drawings;
	pictures.push_back({ "Images/dyskietka.bmp", Diskette(), ArtPicture::kBmp });
	pictures.push_back({ "Images/logo.bmp", Logo(), ArtPicture::kBmp });
	pictures.push_back({ "Images/logo1.bmp", NameLogo(), ArtPicture::kBmp });
	pictures.push_back({ "Images/version.bmp", Version(), ArtPicture::kBmp });
	pictures.push_back({ "Images/fslogo.bmp", WizardBanner(), ArtPicture::kBmp });

	pictures.push_back({ "ILib/bullets/bullet_blue.png", Bullet(kProductBlue),
		ArtPicture::kPng });
	pictures.push_back({ "ILib/bullets/bullet_green.png", Bullet(MakeColor(52, 160, 78)),
		ArtPicture::kPng });
	pictures.push_back({ "ILib/bullets/bullet_orange.png",
		Bullet(MakeColor(240, 146, 32)), ArtPicture::kPng });
	pictures.push_back({ "ILib/bullets/bullet_red.png", Bullet(MakeColor(212, 56, 50)),
		ArtPicture::kPng });
	pictures.push_back({ "ILib/lines/rule_blue.png", Rule(0), ArtPicture::kPng });
	pictures.push_back({ "ILib/lines/rule_engraved.png", Rule(1), ArtPicture::kPng });
	pictures.push_back({ "ILib/lines/rule_dots.png", Rule(2), ArtPicture::kPng });
	pictures.push_back({ "ILib/buttons/back.png", Button(0), ArtPicture::kPng });
	pictures.push_back({ "ILib/buttons/next.png", Button(1), ArtPicture::kPng });
	pictures.push_back({ "ILib/buttons/top.png", Button(2), ArtPicture::kPng });
	pictures.push_back({ "ILib/buttons/home.png", Button(3), ArtPicture::kPng });
}


// Shows a picture the way B_OP_OVER would over white: transparent pixels let the white
// through.
Canvas
OverWhite(const Canvas& picture)
{
	Canvas result(picture.Width(), picture.Height(), MakeColor(255, 255, 255));
	for (int y = 0; y < picture.Height(); y++) {
		for (int x = 0; x < picture.Width(); x++) {
			ArtColor color = picture.PixelAt(x, y);
			if (color != kTransparentMagic)
				result.BlendPixel(x, y, color);
		}
	}
	return result;
}


// Lays pictures out left to right, starting a new row when one would not fit.
class FlowLayout {
public:
	FlowLayout(int width, int gap)
		:
		fWidth(width),
		fGap(gap),
		fX(gap),
		fY(gap),
		fRowHeight(0)
	{
	}

	void Add(const Canvas& picture)
	{
		if (fX > fGap && fX + picture.Width() + fGap > fWidth)
			NewRow();
		fPlaced.push_back({ fX, fY, picture });
		fX += picture.Width() + fGap;
		fRowHeight = std::max(fRowHeight, picture.Height());
	}

	void NewRow()
	{
		if (fX == fGap)
			return;
		fX = fGap;
		fY += fRowHeight + fGap;
		fRowHeight = 0;
	}

	Canvas Render(ArtColor background)
	{
		NewRow();
		Canvas sheet(fWidth, fY, background);
		for (const Placed& placed : fPlaced)
			sheet.Draw(placed.picture, placed.x, placed.y);
		return sheet;
	}

private:
	struct Placed {
		int		x;
		int		y;
		Canvas	picture;
	};

	int					fWidth;
	int					fGap;
	int					fX;
	int					fY;
	int					fRowHeight;
	std::vector<Placed>	fPlaced;
};

}	// namespace


bool
ArtCatalog::Build(const std::string& sourceFolder, std::vector<ArtPicture>& pictures,
	std::string& error)
{
	namespace fs = std::filesystem;
	pictures.clear();
	for (const char* folder : kTextFolders) {
		fs::path directory = fs::path(sourceFolder) / folder;
		std::error_code code;
		std::vector<fs::path> sources;
		for (fs::directory_iterator it(directory, code), end; !code && it != end;
				it.increment(code)) {
			if (it->path().extension() == ".txt")
				sources.push_back(it->path());
		}
		if (code) {
			error = "cannot list " + directory.string() + ": " + code.message();
			return false;
		}
		std::sort(sources.begin(), sources.end());
		for (const fs::path& source : sources) {
			ArtPicture picture;
			if (!PixelArt::Load(source.string(), picture.canvas, error))
				return false;
			picture.path = std::string(folder) + "/" + source.stem().string() + ".bmp";
			picture.format = ArtPicture::kBmp;
			pictures.push_back(picture);
		}
	}
	AddDrawn(pictures);
	return true;
}


Canvas
ArtCatalog::ContactSheet(const std::vector<ArtPicture>& pictures)
{
	const ArtColor barGrey = MakeColor(220, 220, 220);
	std::map<std::string, const Canvas*> icons;
	for (const ArtPicture& picture : pictures) {
		if (picture.path.rfind("Icons/", 0) == 0)
			icons[picture.path.substr(6, picture.path.size() - 10)] = &picture.canvas;
	}

	// The tool bar at its real size first, in both sizes, as the window shows it.
	const char* const toolBar[] = { "new_document", "open_document", "save_document",
		"", "cut", "copy", "paste", "", "bold", "italic", "underline", "", "left",
		"center", "right", "", "color" };
	FlowLayout layout(1240, 12);
	for (const char* suffix : { "", "_s" }) {
		int size = suffix[0] == '\0' ? 32 : 16;
		Canvas bar(17 * (size + 4), size + 4, barGrey);
		int x = 2;
		for (const char* name : toolBar) {
			auto found = icons.find(std::string(name) + suffix);
			if (name[0] == '\0') {
				bar.FillRect(x, 2, 1, size, MakeColor(128, 128, 128));
				bar.FillRect(x + 1, 3, 1, size, MakeColor(250, 250, 250));
				x += 4;
			} else {
				if (found != icons.end())
					bar.Draw(*found->second, x, 2);
				x += size + 3;
			}
		}
		layout.Add(bar);
	}
	layout.NewRow();

	// Then every icon four times enlarged, the small one beside the large one. Small
	// icons are named NAME_s beside NAME, or NAME_16 beside NAME_32.
	auto smallName = [](const std::string& name) {
		if (name.size() > 3 && name.compare(name.size() - 3, 3, "_32") == 0)
			return name.substr(0, name.size() - 3) + "_16";
		return name + "_s";
	};
	std::map<std::string, bool> shownBeside;
	for (const auto& entry : icons) {
		if (icons.count(smallName(entry.first)) != 0)
			shownBeside[smallName(entry.first)] = true;
	}
	for (const auto& [name, canvas] : icons) {
		if (shownBeside.count(name) != 0)
			continue;
		auto small = icons.find(smallName(name));
		bool transparent = std::find(canvas->Pixels().begin(), canvas->Pixels().end(),
			kTransparentMagic) != canvas->Pixels().end();
		Canvas large = (transparent ? OverWhite(*canvas) : *canvas).Enlarged(4);
		int width = large.Width() + (small != icons.end() ? 64 + 8 : 0);
		Canvas cell(width, large.Height(), barGrey);
		cell.Draw(large, 0, 0);
		if (small != icons.end()) {
			const Canvas& picture = *small->second;
			cell.Draw((transparent ? OverWhite(picture) : picture).Enlarged(4),
				large.Width() + 8, 0);
		}
		layout.Add(cell);
	}
	layout.NewRow();

	// Where the pictures end up: the about window, and the preference list with its
	// second row selected (inverted, then the icon blended over at alpha 180).
	std::map<std::string, const Canvas*> images;
	for (const ArtPicture& picture : pictures)
		images[picture.path] = &picture.canvas;
	Canvas about(400, 300, MakeColor(45, 98, 217));
	about.FillRect(0, 0, 91, 265, MakeColor(175, 193, 255));
	about.FillRect(100, 45, 286, 221, MakeColor(185, 203, 255));
	for (const auto& [path, x, y] : { std::tuple<const char*, int, int>{ "Images/logo.bmp", 0, 0 },
			{ "Images/logo1.bmp", 91, 0 }, { "Images/version.bmp", 0, 267 } }) {
		if (images.count(path) != 0)
			about.Draw(*images[path], x, y);
	}
	layout.Add(about);

	Canvas list(150, 5 * 18 + 4, MakeColor(255, 255, 255));
	const char* const listIcons[] = { "editor", "colors", "user", "icons", "images" };
	for (int row = 0; row < 5; row++) {
		auto found = icons.find(listIcons[row]);
		if (found == icons.end())
			continue;
		const Canvas& icon = *found->second;
		int top = 2 + row * 18 + 1;
		bool selected = row == 1;
		if (selected)
			list.FillRect(22, top - 1, 120, 18, MakeColor(0, 0, 0));
		else
			list.FillRect(24, top + 6, 60, 3, MakeColor(200, 200, 200));
		for (int y = 0; y < icon.Height() && y < 16; y++) {
			for (int x = 0; x < icon.Width() && x < 16; x++) {
				ArtColor color = icon.PixelAt(x, y);
				if (color == kTransparentMagic)
					continue;
				if (selected) {
					list.SetPixel(3 + x, top + y, MakeColor(0, 0, 0));
					list.BlendPixel(3 + x, top + y, color, 180 / 255.0);
				} else
					list.SetPixel(3 + x, top + y, color);
			}
		}
	}
	layout.Add(list.Enlarged(2));
	layout.NewRow();

	// The images at twice their size, the library pictures on white.
	for (const ArtPicture& picture : pictures) {
		if (picture.path.rfind("Images/", 0) == 0)
			layout.Add(picture.canvas.Enlarged(2));
	}
	layout.NewRow();
	for (const ArtPicture& picture : pictures) {
		if (picture.path.rfind("ILib/", 0) == 0) {
			Canvas white(picture.canvas.Width() * 2 + 8, picture.canvas.Height() * 2 + 8,
				MakeColor(255, 255, 255));
			white.Draw(picture.canvas.Enlarged(2), 4, 4);
			layout.Add(white);
		}
	}
	return layout.Render(barGrey);
}
