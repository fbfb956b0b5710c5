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
	"A source editor for HTML documents:\n"
	"tags, parameters, values and comments\n"
	"in colour while you type; tags from the\n"
	"menus and the tool bars; colours,\n"
	"characters and images from the side\n"
	"panel; 19 character encodings; search\n"
	"and replace; projects; and a preview\n"
	"in the web browser.\n"
	"\n"
	"Authors:\n"
	"\n"
	"  The Quorrel team\n"
	"  editor, dialogs and projects\n"
	"  https://github.com/quorrel-editor/quorrel\n"
	"\n"
	"  Settings store and dictionary:\n"
	"  the Quorrel team\n"
	"\n"
	"  Platform layer after the BeOS R5 API:\n"
	"  the Quorrel team\n"
	"\n"
	"Thanks to:\n"
	"\n"
	"  everyone who tried the early\n"
	"  versions and reported what went\n"
	"  wrong,\n"
	"  the translators of the Polish and\n"
	"  German word lists,\n"
	"  the people behind FreeType,\n"
	"  fontconfig, SDL and stb_image,\n"
	"  and Be, Inc. for an API that is\n"
	"  still a joy to write programs for.\n"
	"\n"
	"Send your opinion, ideas and bug\n"
	"reports to the issue tracker of the\n"
	"project page above. Have fun!\n";


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
