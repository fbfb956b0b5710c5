// The gallery's menus: a menu bar across the window's top with shortcuts, marks, a
// disabled item and a submenu, and a menu field with a radio-mode pop-up menu. Run with
// --open-menu, the gallery opens the File menu once it is shown, so that a screenshot
// of the screen shows an open menu.

#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "interface/menus/MenuWindow.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const uint32 kOpenMenu = 'gOMn';

// Whether the program was started with the argument; read from the process itself, so
// that the gallery's main needs to pass nothing along.
bool
HasArgument(const char* argument)
{
	FILE* file = fopen("/proc/self/cmdline", "rb");
	if (file == NULL)
		return false;
	std::string arguments;
	char buffer[4096];
	size_t length;
	while ((length = fread(buffer, 1, sizeof(buffer), file)) > 0)
		arguments.append(buffer, length);
	fclose(file);
	for (size_t start = 0; start < arguments.size();) {
		size_t end = arguments.find('\0', start);
		if (end == std::string::npos)
			end = arguments.size();
		if (arguments.compare(start, end - start, argument) == 0)
			return true;
		start = end + 1;
	}
	return false;
}


// Opens the bar's first menu when its window starts running.
class MenuOpener : public BView {
public:
	MenuOpener(BMenuBar* bar)
		:
		BView(BRect(0, 0, 0, 0), "menu opener", B_FOLLOW_NONE, 0),
		fBar(bar)
	{
	}

	void AttachedToWindow() override
	{
		Window()->PostMessage(kOpenMenu, this);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kOpenMenu) {
			BPrivate::MenuAccess::OpenBarMenu(fBar, 0);
			return;
		}
		BView::MessageReceived(message);
	}

private:
	BMenuBar* fBar;
};


BMenu*
BuildFileMenu()
{
	BMenu* menu = new BMenu("File");
	menu->AddItem(new BMenuItem("New", new BMessage('MFnf'), 'N'));
	menu->AddItem(new BMenuItem("New project", new BMessage('MFnp'), 'N', B_SHIFT_KEY));
	menu->AddSeparatorItem();
	menu->AddItem(new BMenuItem("Open file", new BMessage('MFof'), 'O'));
	menu->AddItem(new BMenuItem("Save file", new BMessage('MFsf'), 'S'));
	menu->AddItem(new BMenuItem("Save file as...", new BMessage('MFsa'), 'S',
		B_SHIFT_KEY));
	BMenuItem* project = new BMenuItem("Save project", new BMessage('MFsp'), 'S',
		B_SHIFT_KEY | B_OPTION_KEY);
	project->SetEnabled(false);
	menu->AddItem(project);
	menu->AddSeparatorItem();
	menu->AddItem(new BMenuItem("Quit", new BMessage(B_QUIT_REQUESTED), 'Q'));
	return menu;
}


BMenu*
BuildViewMenu()
{
	BMenu* menu = new BMenu("View");
	BMenuItem* wrap = new BMenuItem("Wrap lines", new BMessage('gWrp'));
	wrap->SetMarked(true);
	menu->AddItem(wrap);
	menu->AddItem(new BMenuItem("Show line numbers", new BMessage('gNum')));
	menu->AddSeparatorItem();
	BMenu* align = new BMenu("Alignment");
	align->AddItem(new BMenuItem("Left", new BMessage('MXle'), ','));
	align->AddItem(new BMenuItem("Center", new BMessage('MXce'), '.'));
	align->AddItem(new BMenuItem("Right", new BMessage('MXri'), '/'));
	menu->AddItem(align);
	return menu;
}

}	// namespace


void
AddMenuControls(BWindow* window, BView* parent, BRect area)
{
	BRect barFrame = window->Bounds();
	barFrame.bottom = barFrame.top + 18;
	BMenuBar* bar = new BMenuBar(barFrame, "menu_bar");
	bar->AddItem(BuildFileMenu());
	bar->AddItem(BuildViewMenu());
	BMenu* help = new BMenu("Help");
	help->AddItem(new BMenuItem("Index", new BMessage('MHin')));
	help->AddItem(new BMenuItem("About", new BMessage('MHab')));
	bar->AddItem(help);
	window->AddChild(bar);

	static const char* const kEncodings[] = { "ISO 8859-1", "ISO 8859-2", "KOI8-R",
		"M$ 1250 Codepage", "UNICODE" };
	BPopUpMenu* encodings = new BPopUpMenu("      ");
	for (const char* label : kEncodings)
		encodings->AddItem(new BMenuItem(label, new BMessage('gEnc')));
	encodings->ItemAt(1)->SetMarked(true);
	BRect fieldFrame(area.left, area.top, area.right, area.top + 24);
	BMenuField* field = new BMenuField(fieldFrame, "encodings", "Encoding:", encodings);
	field->SetDivider(std::ceil(be_plain_font->StringWidth("Encoding:")) + 10);
	parent->AddChild(field);

	if (HasArgument("--open-menu"))
		parent->AddChild(new MenuOpener(bar));
}
