/*
 * quorrel-gallery: every control of the platform in one window, each kind in a labelled
 * group and in several states (default, disabled, on, focused). Run it under X to try
 * them; with QUORREL_BACKEND=headless and "--screenshot file.png" it saves the window as
 * a PNG and quits ("--panel open" or "--panel save" saves that file panel instead).
 */

#include <Application.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <Message.h>
#include <ColorControl.h>
#include <RadioButton.h>
#include <Slider.h>
#include <StringView.h>
#include <TextControl.h>
#include <View.h>
#include <Window.h>

#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

// The list and menu groups come from their own files when those kits are built.
void AddListControls(BView* parent, BRect area);
void AddMenuControls(BWindow* window, BView* parent, BRect area);
void AddFilePanelControls(BView* parent, BRect frame);
BWindow* ShowGalleryFilePanel(BWindow* gallery, bool save);

namespace {

const uint32 kControlUsed = 'gCtl';


BBox*
AddGroup(BView* parent, BRect frame, const char* label)
{
	BBox* box = new BBox(frame, label);
	box->SetLabel(label);
	parent->AddChild(box);
	return box;
}


BMessage*
Used()
{
	return new BMessage(kControlUsed);
}


void
AddButtons(BView* parent, BWindow* window)
{
	BBox* box = AddGroup(parent, BRect(10, 30, 330, 120), "Buttons");
	BButton* ok = new BButton(BRect(15, 25, 95, 35), "ok", "OK", Used());
	BButton* cancel = new BButton(BRect(110, 25, 190, 35), "cancel", "Cancel", Used());
	BButton* disabled = new BButton(BRect(205, 25, 305, 35), "disabled", "Disabled",
		Used());
	disabled->SetEnabled(false);
	BButton* wide = new BButton(BRect(15, 58, 15, 68), "wide", "Preferred size", Used());
	wide->ResizeToPreferred();
	box->AddChild(ok);
	box->AddChild(cancel);
	box->AddChild(disabled);
	box->AddChild(wide);
	ok->MakeDefault(true);
	(void)window;
}


BView*
AddChoices(BView* parent)
{
	BBox* box = AddGroup(parent, BRect(10, 130, 330, 270), "Check boxes and radio buttons");
	BCheckBox* on = new BCheckBox(BRect(10, 20, 150, 38), "on", "Checked", Used());
	on->SetValue(B_CONTROL_ON);
	BCheckBox* focused = new BCheckBox(BRect(10, 42, 150, 60), "focused", "Focused",
		Used());
	BCheckBox* off = new BCheckBox(BRect(10, 64, 150, 82), "off", "Disabled, checked",
		Used());
	off->SetValue(B_CONTROL_ON);
	off->SetEnabled(false);
	BCheckBox* plain = new BCheckBox(BRect(10, 86, 150, 104), "plain", "Unchecked",
		Used());
	box->AddChild(on);
	box->AddChild(focused);
	box->AddChild(off);
	box->AddChild(plain);

	BView* radios = new BView(BRect(160, 18, 310, 130), "radios", B_FOLLOW_NONE,
		B_WILL_DRAW);
	radios->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	box->AddChild(radios);
	const char* labels[] = { "Normal icons", "Small icons", "No icons" };
	for (int32 i = 0; i < 3; i++) {
		BRadioButton* radio = new BRadioButton(BRect(0, 2 + 22 * i, 150, 20 + 22 * i),
			labels[i], labels[i], Used());
		radios->AddChild(radio);
		if (i == 0)
			radio->SetValue(B_CONTROL_ON);
	}
	BRadioButton* disabled = new BRadioButton(BRect(0, 68, 150, 86), "disabled",
		"Disabled", Used());
	disabled->SetEnabled(false);
	radios->AddChild(disabled);
	return focused;
}


void
AddTextControls(BView* parent)
{
	BBox* box = AddGroup(parent, BRect(10, 280, 330, 390), "Text controls");
	BTextControl* name = new BTextControl(BRect(10, 20, 305, 30), "name", "Your name",
		"Ann Example", Used());
	name->SetDivider(80);
	BTextControl* email = new BTextControl(BRect(10, 48, 305, 58), "email", "Your e-mail",
		"", Used());
	email->SetDivider(80);
	BTextControl* disabled = new BTextControl(BRect(10, 76, 305, 86), "disabled",
		"Disabled", "read only", Used());
	disabled->SetDivider(80);
	disabled->SetEnabled(false);
	box->AddChild(name);
	box->AddChild(email);
	box->AddChild(disabled);
}


void
AddBoxesAndStrings(BView* parent)
{
	BBox* box = AddGroup(parent, BRect(10, 400, 330, 700), "Boxes and string views");
	const alignment alignments[] = { B_ALIGN_LEFT, B_ALIGN_CENTER, B_ALIGN_RIGHT };
	const char* texts[] = { "Left aligned", "Centred", "Right aligned" };
	for (int32 i = 0; i < 3; i++) {
		BStringView* string = new BStringView(BRect(10, 22 + 18 * i, 305, 38 + 18 * i),
			texts[i], texts[i]);
		string->SetAlignment(alignments[i]);
		box->AddChild(string);
	}
	BStringView* bold = new BStringView(BRect(10, 76, 305, 92), "bold", "In the bold font");
	bold->SetFont(be_bold_font);
	box->AddChild(bold);

	BBox* plain = new BBox(BRect(10, 105, 150, 170), "plain", B_FOLLOW_NONE,
		B_WILL_DRAW, B_PLAIN_BORDER);
	plain->AddChild(new BStringView(BRect(10, 20, 130, 36), "p", "B_PLAIN_BORDER"));
	box->AddChild(plain);
	BBox* none = new BBox(BRect(165, 105, 305, 170), "none", B_FOLLOW_NONE, B_WILL_DRAW,
		B_NO_BORDER);
	none->AddChild(new BStringView(BRect(10, 20, 130, 36), "n", "B_NO_BORDER"));
	box->AddChild(none);

	BBox* labelled = new BBox(BRect(10, 185, 305, 285), "labelled");
	BCheckBox* labelView = new BCheckBox(BRect(0, 0, 150, 18), "label", "A view as label",
		Used());
	labelView->SetValue(B_CONTROL_ON);
	labelled->SetLabel(labelView);
	labelled->AddChild(new BStringView(BRect(10, 30, 280, 46), "f",
		"B_FANCY_BORDER with a check box label"));
	box->AddChild(labelled);
}


void
AddSliders(BView* parent)
{
	BBox* box = AddGroup(parent, BRect(340, 30, 660, 300), "Sliders");
	BSlider* size = new BSlider(BRect(10, 20, 230, 80), "size", "Font size:", Used(), 5, 72,
		B_BLOCK_THUMB);
	size->SetValue(12);
	size->SetHashMarks(B_HASH_MARKS_BOTTOM);
	size->SetHashMarkCount(10);
	size->SetLimitLabels("5", "72");
	box->AddChild(size);

	BSlider* triangle = new BSlider(BRect(10, 90, 230, 150), "triangle", "Triangle thumb",
		Used(), 0, 100, B_TRIANGLE_THUMB);
	triangle->SetValue(70);
	triangle->SetHashMarks(B_HASH_MARKS_BOTH);
	triangle->SetHashMarkCount(5);
	rgb_color fill = make_color(80, 120, 220);
	triangle->UseFillColor(true, &fill);
	triangle->SetLimitLabels("Low", "High");
	box->AddChild(triangle);

	BSlider* disabled = new BSlider(BRect(10, 165, 230, 215), "disabled", "Disabled",
		Used(), 0, 10);
	disabled->SetValue(3);
	disabled->SetLimitLabels("0", "10");
	disabled->SetEnabled(false);
	box->AddChild(disabled);

	BSlider* vertical = new BSlider(BRect(245, 20, 305, 255), "vertical", "Vertical",
		Used(), 0, 100);
	vertical->SetOrientation(B_VERTICAL);
	vertical->SetValue(40);
	vertical->SetHashMarks(B_HASH_MARKS_BOTH);
	vertical->SetHashMarkCount(6);
	vertical->SetLimitLabels("0", "100");
	vertical->SetBarColor(make_color(120, 160, 120));
	box->AddChild(vertical);
}


void
AddColorControls(BView* parent)
{
	BBox* box = AddGroup(parent, BRect(340, 310, 660, 460), "Colour controls");
	BColorControl* wide = new BColorControl(BPoint(10, 20), B_CELLS_32x8, 4, "wide",
		Used());
	wide->SetValue(make_color(10, 128, 10));
	box->AddChild(wide);
	BColorControl* square = new BColorControl(BPoint(10, 75), B_CELLS_16x16, 4, "square",
		Used());
	square->SetValue(make_color(255, 165, 0));
	box->AddChild(square);
}


class GalleryWindow : public BWindow {
public:
	GalleryWindow()
		:
		BWindow(BRect(10, 30, 1009, 749), "Quorrel control gallery", B_TITLED_WINDOW,
			B_NOT_ZOOMABLE | B_QUIT_ON_WINDOW_CLOSE)
	{
		BView* background = new BView(Bounds(), "background", B_FOLLOW_ALL_SIDES,
			B_WILL_DRAW);
		background->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
		AddChild(background);

		AddButtons(background, this);
		fFocused = AddChoices(background);
		AddTextControls(background);
		AddBoxesAndStrings(background);
		AddSliders(background);
		AddColorControls(background);

		BBox* menus = AddGroup(background, BRect(670, 30, 990, 120), "Menus");
		(void)menus;
#if QUORREL_GALLERY_MENUS
		AddMenuControls(this, menus, BRect(10, 25, 305, 80));
#else
		menus->AddChild(new BStringView(BRect(10, 30, 300, 46), "missing",
			"(the menu kit is not built)"));
#endif
		BBox* lists = AddGroup(background, BRect(340, 470, 990, 700), "Lists and tabs");
#if QUORREL_GALLERY_LISTS
		AddListControls(lists, BRect(10, 22, 640, 222));
#else
		lists->AddChild(new BStringView(BRect(10, 30, 300, 46), "missing",
			"(the list kit is not built)"));
#endif
#if QUORREL_GALLERY_PANELS
		AddFilePanelControls(background, BRect(670, 130, 990, 220));
#endif
		fFocused->MakeFocus(true);
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
#if QUORREL_GALLERY_PANELS
			// The File menu's open and save commands show the gallery's panels.
			case 'MFof':
				ShowGalleryFilePanel(this, false);
				break;
			case 'MFsa':
				ShowGalleryFilePanel(this, true);
				break;
#endif
			default:
				BWindow::MessageReceived(message);
				break;
		}
	}

	bool QuitRequested() override
	{
		be_app->PostMessage(B_QUIT_REQUESTED);
		return true;
	}

private:
	BView*	fFocused;
};


class GalleryApplication : public BApplication {
public:
	GalleryApplication(const char* screenshot, const char* panel)
		:
		BApplication("application/x-vnd.Quorrel-gallery"),
		fScreenshot(screenshot != NULL ? screenshot : ""),
		fPanel(panel != NULL ? panel : ""),
		fWindow(NULL)
	{
	}

	~GalleryApplication()
	{
		if (fDriver.joinable())
			fDriver.join();
	}

	void ReadyToRun() override
	{
		fWindow = new GalleryWindow;
		fWindow->Show();
		if (!fScreenshot.empty())
			fDriver = std::thread(&GalleryApplication::_TakeScreenshot, this);
	}

	int		Result() const { return fResult; }

private:
	void _TakeScreenshot()
	{
		using BPrivate::HeadlessTest;
		HeadlessTest::WaitForIdle();
		if (fWindow->Lock()) {
			fWindow->Activate(true);
			fWindow->Unlock();
		}
		HeadlessTest::WaitForIdle();
		BWindow* shown = fWindow;
#if QUORREL_GALLERY_PANELS
		if (!fPanel.empty() && fWindow->Lock()) {
			shown = ShowGalleryFilePanel(fWindow, fPanel == "save");
			fWindow->Unlock();
			HeadlessTest::WaitForIdle();
		}
#endif
		status_t status = shown != NULL ? HeadlessTest::SaveWindowPNG(
			BPrivate::WindowAccess::ServerWindowOf(shown), fScreenshot.c_str()) : B_ERROR;
		if (status != B_OK) {
			fprintf(stderr, "Could not save %s (error %d)\n", fScreenshot.c_str(),
				(int)status);
			fResult = 1;
		} else
			printf("Saved %s\n", fScreenshot.c_str());
		be_app_messenger.SendMessage(B_QUIT_REQUESTED);
	}

	std::string		fScreenshot;
	std::string		fPanel;
	GalleryWindow*	fWindow;
	std::thread		fDriver;
	int				fResult = 0;
};

}	// namespace


int
main(int argc, char** argv)
{
	const char* screenshot = NULL;
	const char* panel = NULL;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
			screenshot = argv[++i];
		else if (strcmp(argv[i], "--panel") == 0 && i + 1 < argc
			&& (strcmp(argv[i + 1], "open") == 0 || strcmp(argv[i + 1], "save") == 0))
			panel = argv[++i];
		else if (strcmp(argv[i], "--open-menu") == 0)
			continue;
		else {
			fprintf(stderr, "Usage: %s [--screenshot file.png [--panel open|save]] "
				"[--open-menu]\n", argv[0]);
			return 2;
		}
	}
	GalleryApplication application(screenshot, panel);
	application.Run();
	return application.Result();
}
