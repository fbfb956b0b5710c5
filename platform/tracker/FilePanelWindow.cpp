#include "tracker/FilePanelWindow.h"

#include <Alert.h>
#include <Application.h>
#include <AppDefs.h>
#include <Beep.h>
#include <Button.h>
#include <Entry.h>
#include <InterfaceDefs.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <OS.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <Roster.h>
#include <Screen.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>

#include "interface/menus/MenuWindow.h"
#include "tracker/PanelColumnHeader.h"
#include "tracker/PanelEntryItem.h"
#include "tracker/PanelListView.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace BPrivate {

enum {
	kDefaultPressed		= 'fpOk',
	kCancelPressed		= 'fpCn',
	kListInvoked		= 'fpIv',
	kListSelected		= 'fpSl',
	kFolderChosen		= 'fpFd',
	kNameChanged		= 'fpNm',
	kGoHome				= 'fpHm',
	kGoRoot				= 'fpRt'
};

static const float kPanelWidth = 560;
static const float kPanelHeight = 360;


static uint32
DefaultCommand(file_panel_mode mode)
{
	return mode == B_SAVE_PANEL ? uint32(B_SAVE_REQUESTED) : uint32(B_REFS_RECEIVED);
}


static BRect
CenteredFrame()
{
	BRect screen = BScreen().Frame();
	float left = floorf((screen.Width() - kPanelWidth) / 2);
	float top = floorf((screen.Height() - kPanelHeight) / 2);
	return BRect(left, top, left + kPanelWidth - 1, top + kPanelHeight - 1);
}


// "Open" or "Save", after the application's name as R5 titles its panels.
static std::string
PanelTitle(file_panel_mode mode)
{
	std::string title = mode == B_SAVE_PANEL ? "Save" : "Open";
	app_info info;
	if (be_app != NULL && be_app->GetAppInfo(&info) == B_OK && info.ref.name != NULL
		&& info.ref.name[0] != '\0')
		title = std::string(info.ref.name) + ": " + title;
	return title;
}


static std::string
Leaf(const std::string& path)
{
	if (path == "/")
		return path;
	size_t slash = path.rfind('/');
	return slash == std::string::npos ? path : path.substr(slash + 1);
}


static std::string
Parent(const std::string& path)
{
	size_t slash = path.rfind('/');
	if (slash == std::string::npos || slash == 0)
		return "/";
	return path.substr(0, slash);
}


static std::string
HomeFolder()
{
	const char* home = getenv("HOME");
	struct stat st;
	if (home != NULL && home[0] == '/' && stat(home, &st) == 0 && S_ISDIR(st.st_mode))
		return home;
	return "/";
}


FilePanelWindow::FilePanelWindow(BFilePanel* panel, file_panel_mode mode,
	const BMessenger& target, uint32 nodeFlavors, bool allowMultipleSelection,
	BRefFilter* filter, bool hideWhenDone)
	:
	BWindow(CenteredFrame(), PanelTitle(mode).c_str(), B_TITLED_WINDOW, 0),
	fPanel(panel),
	fMode(mode),
	fTarget(target),
	fMessage(DefaultCommand(mode)),
	fNodeFlavors(nodeFlavors == 0 ? uint32(B_FILE_NODE) : nodeFlavors),
	// A save panel names one file.
	fMultiple(allowMultipleSelection && mode == B_OPEN_PANEL),
	fFilter(filter),
	fHideWhenDone(hideWhenDone),
	fBackground(NULL),
	fPathField(NULL),
	fPathMenu(NULL),
	fList(NULL),
	fNameField(NULL),
	fDefaultButton(NULL),
	fCancelButton(NULL)
{
	SetSizeLimits(420, 10000, 260, 10000);
	_BuildViews();
	_GoTo(HomeFolder());
}


FilePanelWindow::~FilePanelWindow()
{
	_ClearList();
}


void
FilePanelWindow::_BuildViews()
{
	BRect bounds = Bounds();
	fBackground = new BView(bounds, "PoseView", B_FOLLOW_ALL, B_WILL_DRAW);
	fBackground->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(fBackground);
	_BuildMenuBar(bounds);
	_BuildList(bounds);
	_BuildBottom(bounds);
}


void
FilePanelWindow::_BuildMenuBar(BRect bounds)
{
	BMenuBar* bar = new BMenuBar(BRect(0, 0, bounds.right, 18), "MenuBar");
	BMenu* go = new BMenu("Go");
	go->AddItem(new BMenuItem("Parent folder", new BMessage(kPanelGoUp), B_UP_ARROW));
	go->AddItem(new BMenuItem("Home", new BMessage(kGoHome)));
	go->AddItem(new BMenuItem("Root folder", new BMessage(kGoRoot)));
	bar->AddItem(go);
	fBackground->AddChild(bar);

	fPathMenu = new BPopUpMenu("path", true, true);
	fPathField = new BMenuField(BRect(10, 25, 110, 45), "DirMenuField", NULL, fPathMenu);
	fPathField->SetDivider(0);
	fBackground->AddChild(fPathField);
}


void
FilePanelWindow::_BuildList(BRect bounds)
{
	// The list's frame as the scroll view will wrap it: the header sits on top of the
	// same bevel, the scroll bar at the right.
	BRect listFrame(11, 78, bounds.right - 11 - B_V_SCROLL_BAR_WIDTH, bounds.bottom - 47);
	fList = new PanelListView(listFrame,
		fMultiple ? B_MULTIPLE_SELECTION_LIST : B_SINGLE_SELECTION_LIST);
	fList->SetSelectionMessage(new BMessage(kListSelected));
	fList->SetInvocationMessage(new BMessage(kListInvoked));
	BScrollView* scroller = new BScrollView("scroller", fList, B_FOLLOW_ALL, 0, false,
		true, B_PLAIN_BORDER);
	fBackground->AddChild(scroller);

	BRect scrolled = scroller->Frame();
	BRect headerFrame(scrolled.left, 61, scrolled.right, scrolled.top - 1);
	fBackground->AddChild(new PanelColumnHeader(headerFrame));
}


void
FilePanelWindow::_BuildBottom(BRect bounds)
{
	float top = bounds.bottom - 34;
	fDefaultButton = new BButton(BRect(bounds.right - 92, top, bounds.right - 14, top + 20),
		"default button", fMode == B_SAVE_PANEL ? "Save" : "Open",
		new BMessage(kDefaultPressed), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fCancelButton = new BButton(BRect(bounds.right - 182, top, bounds.right - 104, top + 20),
		"cancel button", "Cancel", new BMessage(kCancelPressed),
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fBackground->AddChild(fCancelButton);
	fBackground->AddChild(fDefaultButton);
	fDefaultButton->MakeDefault(true);

	if (fMode == B_SAVE_PANEL) {
		fNameField = new BTextControl(BRect(10, top + 1, bounds.right - 200, top + 20),
			"text view", NULL, "", NULL, B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
		fNameField->SetDivider(0);
		fNameField->SetModificationMessage(new BMessage(kNameChanged));
		fBackground->AddChild(fNameField);
	}
}


bool
FilePanelWindow::QuitRequested()
{
	// The application asks from its own thread when it quits: then the window may go,
	// and the panel object finds it gone.
	if (find_thread(NULL) != Thread())
		return true;
	// The user's close cancels the panel, which keeps its window for the next Show.
	_Cancel();
	return false;
}


void
FilePanelWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN) {
		const char* bytes = NULL;
		int32 modifiers = 0;
		message->FindInt32("modifiers", &modifiers);
		// While the menu bar's menus are open, Escape is theirs.
		BMenuBar* bar = dynamic_cast<BMenuBar*>(KeyMenuBar());
		if (message->FindString("bytes", &bytes) == B_OK && bytes != NULL
			&& bytes[0] == B_ESCAPE && bytes[1] == '\0'
			&& (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0
			&& (bar == NULL || !MenuAccess::IsTracking(bar))) {
			_Cancel();
			return;
		}
	}
	BWindow::DispatchMessage(message, handler);
}


void
FilePanelWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kDefaultPressed:
			_DefaultPressed();
			break;
		case kCancelPressed:
			_Cancel();
			break;
		case kListInvoked:
			_ListInvoked();
			break;
		case kListSelected:
			_SelectionChanged();
			break;
		case kNameChanged:
			_UpdateButtons();
			break;
		case kPanelGoUp:
			_GoUp();
			break;
		case kGoHome:
			_GoTo(HomeFolder());
			break;
		case kGoRoot:
			_GoTo("/");
			break;
		case kFolderChosen:
		{
			const char* path = NULL;
			if (message->FindString("path", &path) == B_OK && path != NULL)
				_GoTo(path);
			break;
		}
		default:
			BWindow::MessageReceived(message);
			break;
	}
}


void
FilePanelWindow::SetPanelMessage(const BMessage* message)
{
	if (message != NULL)
		fMessage = *message;
	else
		fMessage = BMessage(DefaultCommand(fMode));
}


void
FilePanelWindow::SetFilter(BRefFilter* filter)
{
	fFilter = filter;
	Refresh();
}


void
FilePanelWindow::SetSaveText(const char* text)
{
	if (fNameField == NULL)
		return;
	fNameField->SetText(text != NULL ? text : "");
	fNameField->TextView()->SelectAll();
	_UpdateButtons();
}


void
FilePanelWindow::SetButtonLabel(file_panel_button button, const char* label)
{
	BButton* target = button == B_CANCEL_BUTTON ? fCancelButton : fDefaultButton;
	if (label != NULL)
		target->SetLabel(label);
}


status_t
FilePanelWindow::SetDirectory(const char* folder)
{
	if (folder == NULL || folder[0] == '\0')
		return B_BAD_VALUE;
	BPath path(folder, NULL, true);
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	struct stat st;
	if (stat(path.Path(), &st) != 0)
		return B_ENTRY_NOT_FOUND;
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;
	_GoTo(path.Path());
	return B_OK;
}


void
FilePanelWindow::Refresh()
{
	std::vector<std::string> selected = _SelectedNames();
	float top = fList->Bounds().top;
	fListing.Read(fListing.Folder().c_str(), fFilter);
	_Fill(selected);
	if (selected.empty() || fList->CurrentSelection() < 0)
		fList->ScrollTo(BPoint(0, top));
}


void
FilePanelWindow::PrepareToShow()
{
	Refresh();
	if (fNameField != NULL) {
		fNameField->MakeFocus(true);
		fNameField->TextView()->SelectAll();
	} else
		fList->MakeFocus(true);
}


int32
FilePanelWindow::CountSelected() const
{
	int32 count = 0;
	while (fList->CurrentSelection(count) >= 0)
		count++;
	return count;
}


status_t
FilePanelWindow::SelectedRefAt(int32 index, entry_ref* ref) const
{
	if (index < 0)
		return B_ENTRY_NOT_FOUND;
	int32 row = fList->CurrentSelection(index);
	if (row < 0 || fListing.GetRefAt(row, ref) != B_OK)
		return B_ENTRY_NOT_FOUND;
	return B_OK;
}


// #pragma mark - the list


void
FilePanelWindow::_ClearList()
{
	if (fList == NULL)
		return;
	std::vector<BListItem*> items;
	for (int32 i = 0; i < fList->CountItems(); i++)
		items.push_back(fList->ItemAt(i));
	fList->MakeEmpty();
	for (BListItem* item : items)
		delete item;
}


void
FilePanelWindow::_Fill(const std::vector<std::string>& select)
{
	_ClearList();
	for (int32 i = 0; i < fListing.CountEntries(); i++)
		fList->AddItem(new PanelEntryItem(*fListing.EntryAt(i)));

	if (fListing.Status() != B_OK) {
		std::string note = "This folder cannot be read: ";
		note += fListing.Reason();
		note += ".";
		fList->SetNote(note.c_str());
	} else
		fList->SetNote("This folder is empty.");

	// Selecting here would report every step; one report follows at the end.
	BMessage* selectionMessage = new BMessage(*fList->SelectionMessage());
	fList->SetSelectionMessage(NULL);
	for (const std::string& name : select) {
		int32 index = fListing.IndexOf(name.c_str());
		if (index >= 0)
			fList->Select(index, true);
	}
	fList->SetSelectionMessage(selectionMessage);
	fList->ScrollToSelection();
	_UpdateButtons();
}


std::vector<std::string>
FilePanelWindow::_SelectedNames() const
{
	std::vector<std::string> names;
	for (int32 i = 0; const PanelEntry* entry = _SelectedEntry(i); i++)
		names.push_back(entry->name);
	return names;
}


const PanelEntry*
FilePanelWindow::_SelectedEntry(int32 index) const
{
	int32 row = fList->CurrentSelection(index);
	return row >= 0 ? fListing.EntryAt(row) : NULL;
}


void
FilePanelWindow::_RebuildPathMenu()
{
	while (BMenuItem* item = fPathMenu->RemoveItem((int32)0))
		delete item;
	std::vector<std::string> chain = FolderAncestry(fListing.Folder().c_str());
	for (const std::string& folder : chain) {
		BMessage* message = new BMessage(kFolderChosen);
		message->AddString("path", folder.c_str());
		BMenuItem* item = new BMenuItem(Leaf(folder).c_str(), message);
		fPathMenu->AddItem(item);
	}
	if (BMenuItem* last = fPathMenu->ItemAt(fPathMenu->CountItems() - 1))
		last->SetMarked(true);
}


void
FilePanelWindow::_UpdateButtons()
{
	bool enabled;
	if (fMode == B_SAVE_PANEL)
		enabled = fNameField != NULL && fNameField->Text()[0] != '\0';
	else {
		enabled = fList->CurrentSelection() >= 0
			|| (fNodeFlavors & B_DIRECTORY_NODE) != 0;
	}
	if (fDefaultButton->IsEnabled() != enabled)
		fDefaultButton->SetEnabled(enabled);
}


// #pragma mark - the user's actions


void
FilePanelWindow::_GoTo(const std::string& folder, const char* select)
{
	fListing.Read(folder.c_str(), fFilter);
	std::vector<std::string> selection;
	if (select != NULL)
		selection.push_back(select);
	_Fill(selection);
	if (selection.empty())
		fList->ScrollTo(BPoint(0, 0));
	_RebuildPathMenu();
	// The hook runs on the panel's thread only; a program that moves the panel
	// knows so already.
	if (fPanel != NULL && find_thread(NULL) == Thread())
		fPanel->SelectionChanged();
}


void
FilePanelWindow::_GoUp()
{
	const std::string& folder = fListing.Folder();
	if (folder == "/")
		return;
	std::string leaf = Leaf(folder);
	_GoTo(Parent(folder), leaf.c_str());
}


void
FilePanelWindow::_ListInvoked()
{
	const PanelEntry* entry = _SelectedEntry(0);
	if (entry == NULL)
		return;
	// A double click always enters a folder, even in a panel that chooses folders.
	if (entry->isDirectory && _SelectedEntry(1) == NULL) {
		std::string folder = fListing.Folder() == "/" ? "/" + entry->name
			: fListing.Folder() + "/" + entry->name;
		_GoTo(folder);
		return;
	}
	_DefaultPressed();
}


void
FilePanelWindow::_SelectionChanged()
{
	if (fMode == B_SAVE_PANEL && fNameField != NULL) {
		// Picking a file in a save panel offers its name to be written over.
		const PanelEntry* entry = _SelectedEntry(0);
		if (entry != NULL && !entry->isDirectory)
			fNameField->SetText(entry->name.c_str());
	}
	_UpdateButtons();
	if (fPanel != NULL)
		fPanel->SelectionChanged();
}


void
FilePanelWindow::_DefaultPressed()
{
	if (fMode == B_OPEN_PANEL) {
		_Open();
		return;
	}
	// Working in the list, Save on a selected folder opens it; from the name field it
	// saves under the name typed.
	const PanelEntry* entry = _SelectedEntry(0);
	if (CurrentFocus() == fList && entry != NULL && entry->isDirectory) {
		_ListInvoked();
		return;
	}
	_Save();
}


bool
FilePanelWindow::_MayChoose(const PanelEntry& entry) const
{
	if (entry.isLink && (fNodeFlavors & B_SYMLINK_NODE) != 0)
		return true;
	if (entry.isDirectory)
		return (fNodeFlavors & B_DIRECTORY_NODE) != 0;
	return (fNodeFlavors & B_FILE_NODE) != 0;
}


void
FilePanelWindow::_Open()
{
	const PanelEntry* first = _SelectedEntry(0);
	if (first == NULL) {
		// With nothing selected, a panel that chooses folders chooses the one shown.
		if ((fNodeFlavors & B_DIRECTORY_NODE) == 0 || fListing.Status() != B_OK) {
			beep();
			return;
		}
		entry_ref ref;
		if (get_ref_for_path(fListing.Folder().c_str(), &ref) != B_OK) {
			beep();
			return;
		}
		BMessage message(fMessage);
		message.AddRef("refs", &ref);
		_Send(&message);
		_Done();
		return;
	}

	// One folder that may not be chosen is entered instead, as R5 does.
	if (first->isDirectory && _SelectedEntry(1) == NULL && !_MayChoose(*first)) {
		_ListInvoked();
		return;
	}

	BMessage message(fMessage);
	int32 count = 0;
	for (int32 i = 0; const PanelEntry* entry = _SelectedEntry(i); i++) {
		entry_ref ref;
		if (!_MayChoose(*entry) || SelectedRefAt(i, &ref) != B_OK)
			continue;
		message.AddRef("refs", &ref);
		count++;
	}
	if (count == 0) {
		beep();
		return;
	}
	_Send(&message);
	_Done();
}


void
FilePanelWindow::_Save()
{
	if (fNameField == NULL)
		return;
	std::string name = fNameField->Text();
	if (name.empty()) {
		beep();
		return;
	}
	if (name.find('/') != std::string::npos || name == "." || name == "..") {
		_ShowError("A file name cannot contain \"/\" nor be \".\" or \"..\". "
			"Please choose another name.");
		return;
	}
	if (name.size() >= B_FILE_NAME_LENGTH) {
		_ShowError("This name is too long. Please choose a shorter one.");
		return;
	}
	if (fListing.Status() != B_OK) {
		_ShowError("This folder cannot be read, so nothing can be saved in it. "
			"Please choose another folder.");
		return;
	}

	std::string path = fListing.Folder() == "/" ? "/" + name
		: fListing.Folder() + "/" + name;
	struct stat st;
	if (stat(path.c_str(), &st) == 0) {
		if (S_ISDIR(st.st_mode)) {
			// A folder's name saves nothing: it opens that folder.
			fNameField->SetText("");
			_GoTo(path);
			return;
		}
		if (!_AskToReplace(name.c_str()))
			return;
	}

	entry_ref directory;
	if (get_ref_for_path(fListing.Folder().c_str(), &directory) != B_OK) {
		_ShowError("This folder can no longer be found.");
		return;
	}
	BMessage message(fMessage);
	message.AddRef("directory", &directory);
	message.AddString("name", name.c_str());
	_Send(&message);
	_Done();
}


bool
FilePanelWindow::_AskToReplace(const char* name)
{
	std::string text = "A file named \"";
	text += name;
	text += "\" already exists in this folder. Do you want to replace it?";
	BAlert* alert = new BAlert("Replace", text.c_str(), "Cancel", "Replace", NULL,
		B_WIDTH_AS_USUAL, B_WARNING_ALERT);
	alert->SetShortcut(0, B_ESCAPE);
	return alert->Go() == 1;
}


void
FilePanelWindow::_ShowError(const char* text)
{
	BAlert* alert = new BAlert("Error", text, "OK", NULL, NULL, B_WIDTH_AS_USUAL,
		B_STOP_ALERT);
	alert->SetShortcut(0, B_ESCAPE);
	alert->Go();
}


void
FilePanelWindow::_Send(BMessage* message)
{
	if (fPanel != NULL)
		fPanel->SendMessage(&fTarget, message);
	else
		fTarget.SendMessage(message);
}


void
FilePanelWindow::_Done()
{
	if (!fHideWhenDone || IsHidden())
		return;
	Hide();
	if (fPanel != NULL)
		fPanel->WasHidden();
}


void
FilePanelWindow::_Cancel()
{
	BMessage message(B_CANCEL);
	message.AddInt32("old_what", (int32)fMessage.what);
	message.AddPointer("source", fPanel);
	_Send(&message);
	if (!IsHidden()) {
		Hide();
		if (fPanel != NULL)
			fPanel->WasHidden();
	}
}

}	// namespace BPrivate
