#include "QuorrelAboutView.h"

#include <Bitmap.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TextView.h>

#include <stdio.h>


static const char* kCreditsText =
	"Quorrel - HTML Editor\n"
	"Version 0.5.0 alpha\n"
	"\n"
	"A source editor for HTML documents: tags,\n"
	"parameters, values and comments in colour,\n"
	"tags from menus and tool bars, colours,\n"
	"characters and images from the side panel,\n"
	"19 character encodings, search and replace,\n"
	"projects, and a preview in the web browser.\n"
	"\n"
	"Authors:\n"
	"\n"
	"The Quorrel team\n"
	"  editor, dialogs and projects\n"
	"  https://github.com/quorrel/quorrel\n"
	"\n"
	"Settings store (libvarkel) and\n"
	"translation dictionary (libglossan):\n"
	"  the Quorrel team\n"
	"\n"
	"Platform layer (libbe):\n"
	"  the Quorrel team, after the BeOS R5 API\n"
	"\n"
	"Thanks to:\n"
	"\n"
	"  Everyone who tried the early versions\n"
	"  and sent reports of what went wrong,\n"
	"  the translators of the Polish and the\n"
	"  German word lists,\n"
	"  the people behind FreeType, fontconfig,\n"
	"  SDL and stb_image,\n"
	"  and Be, Inc. for the API we still like\n"
	"  to write programs for.\n"
	"\n"
	"Quorrel is free software. Send your\n"
	"opinion, ideas and bug reports to\n"
	"  the issue tracker of the project page\n"
	"  above.\n"
	"\n"
	"Have fun!\n";


QuorrelAboutView::QuorrelAboutView(BRect frame, const char* name, Glossan* dictionary)
	:
	BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS
		| B_FULL_UPDATE_ON_RESIZE | B_NAVIGABLE),
	fLogo(NULL),
	fSecondLogo(NULL),
	fVersion(NULL),
	fCredits(NULL),
	fGreetings(NULL)
{
	SetViewColor(45, 98, 217);

	fLogo = _Load("logo.bmp");
	fSecondLogo = _Load("logo1.bmp");
	fVersion = _Load("version.bmp");

	BRect bounds = Bounds();
	// The text stands right of the pictures and below the second logo, and leaves
	// room at the bottom for the window's OK button.
	BRect textFrame(100, 45, bounds.right - 10 - B_V_SCROLL_BAR_WIDTH,
		bounds.bottom - 40);
	BRect textRect = textFrame.OffsetToCopy(B_ORIGIN);
	textRect.InsetBy(4, 4);
	fCredits = new BTextView(textFrame, "about", textRect, B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE);
	fCredits->MakeEditable(false);
	fCredits->MakeSelectable(true);
	fCredits->SetViewColor(185, 203, 255);
	fCredits->SetLowColor(185, 203, 255);

	fGreetings = new BScrollView("greetings", fCredits, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		0, false, true);
	AddChild(fGreetings);

	char text[2000];
	snprintf(text, sizeof(text), "%s", kCreditsText);
	fCredits->SetText(text);
}


QuorrelAboutView::~QuorrelAboutView()
{
	delete fLogo;
	delete fSecondLogo;
	delete fVersion;
}


void
QuorrelAboutView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	SetHighColor(175, 193, 255);
	FillRect(BRect(0, 0, 90, bounds.bottom - 35));

	if (fLogo != NULL)
		DrawBitmap(fLogo, BPoint(0, 0));
	if (fSecondLogo != NULL)
		DrawBitmap(fSecondLogo, BPoint(91, 0));
	if (fVersion != NULL)
		DrawBitmap(fVersion, BPoint(0, bounds.bottom - 32));
}


const char*
QuorrelAboutView::Credits()
{
	return kCreditsText;
}


BBitmap*
QuorrelAboutView::_Load(const char* file)
{
	const char* appPath = fTools.GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Images/%s", appPath, file);
	delete[] appPath;
	return fTools.LoadBitmap(path);
}
