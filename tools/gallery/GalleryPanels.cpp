// The gallery's file panels: a group with an Open and a Save button and a line that
// tells what the panel last answered. The panels carry an "Encoding:" menu in the strip
// above their lists, as the editor's do.

#include <AppDefs.h>
#include <Box.h>
#include <Button.h>
#include <Entry.h>
#include <FilePanel.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <StringView.h>
#include <Window.h>

#include <string>
#include <unistd.h>

namespace {

enum {
	kShowOpen = 'gOpn',
	kShowSave = 'gSav'
};

const char* const kEncodings[] = { "UTF-8", "ISO 8859-1", "ISO 8859-2", "Windows 1250" };


void
AddEncodingField(BFilePanel* panel)
{
	BWindow* window = panel->Window();
	if (!window->Lock())
		return;
	BView* background = window->ChildAt(0);
	BPopUpMenu* menu = new BPopUpMenu("      ");
	for (const char* label : kEncodings)
		menu->AddItem(new BMenuItem(label, new BMessage('gEnc')));
	menu->ItemAt(0)->SetMarked(true);
	BRect strip(120, 25, background->Bounds().right - 100, 55);
	BMenuField* field = new BMenuField(strip, "encodings", "Encoding:", menu,
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	field->SetDivider(field->StringWidth("Encoding:") + 8);
	background->AddChild(field);
	window->Unlock();
}


// The group is the panels' target and owns them.
class PanelsBox : public BBox {
public:
	PanelsBox(BRect frame)
		:
		BBox(frame, "File panels"),
		fOpenPanel(NULL),
		fSavePanel(NULL)
	{
		SetLabel("File panels");
		fOpen = new BButton(BRect(10, 22, 100, 32), "open", "Open...",
			new BMessage(kShowOpen));
		fSave = new BButton(BRect(110, 22, 200, 32), "save", "Save...",
			new BMessage(kShowSave));
		fAnswer = new BStringView(BRect(10, 58, frame.Width() - 10, 74), "answer",
			"No answer yet");
		AddChild(fOpen);
		AddChild(fSave);
		AddChild(fAnswer);
	}

	~PanelsBox() override
	{
		delete fOpenPanel;
		delete fSavePanel;
	}

	void AttachedToWindow() override
	{
		BBox::AttachedToWindow();
		fOpen->SetTarget(this);
		fSave->SetTarget(this);
	}

	BFilePanel* Show(bool save)
	{
		BFilePanel*& panel = save ? fSavePanel : fOpenPanel;
		if (panel == NULL) {
			BMessenger target(this);
			char folder[B_PATH_NAME_LENGTH];
			entry_ref ref;
			bool here = getcwd(folder, sizeof(folder)) != NULL
				&& get_ref_for_path(folder, &ref) == B_OK;
			panel = new BFilePanel(save ? B_SAVE_PANEL : B_OPEN_PANEL, &target,
				here ? &ref : NULL, 0, !save);
			AddEncodingField(panel);
			if (save)
				panel->SetSaveText("Untitled.html");
		}
		panel->Show();
		return panel;
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kShowOpen:
				Show(false);
				break;
			case kShowSave:
				Show(true);
				break;
			case B_REFS_RECEIVED:
				_Answer(message, "Open");
				break;
			case B_SAVE_REQUESTED:
				_Answer(message, "Save");
				break;
			case B_CANCEL:
				fAnswer->SetText("Cancelled");
				break;
			default:
				BBox::MessageReceived(message);
				break;
		}
	}

private:
	void _Answer(BMessage* message, const char* verb)
	{
		std::string text = verb;
		entry_ref ref;
		const char* name = NULL;
		if (message->FindRef("refs", &ref) == B_OK) {
			int32 count = 0;
			while (message->FindRef("refs", count, &ref) == B_OK)
				count++;
			message->FindRef("refs", &ref);
			text += ": " + std::string(BPath(&ref).Path());
			if (count > 1)
				text += " and " + std::to_string(count - 1) + " more";
		} else if (message->FindRef("directory", &ref) == B_OK
			&& message->FindString("name", &name) == B_OK) {
			text += ": " + std::string(BPath(&ref).Path()) + "/" + name;
		}
		fAnswer->SetText(text.c_str());
	}

	BFilePanel*		fOpenPanel;
	BFilePanel*		fSavePanel;
	BButton*		fOpen;
	BButton*		fSave;
	BStringView*	fAnswer;
};

}	// namespace


void
AddFilePanelControls(BView* parent, BRect frame)
{
	parent->AddChild(new PanelsBox(frame));
}


// Shows the gallery's open or save panel; with the gallery's window locked.
BWindow*
ShowGalleryFilePanel(BWindow* gallery, bool save)
{
	PanelsBox* box = dynamic_cast<PanelsBox*>(gallery->FindView("File panels"));
	if (box == NULL)
		return NULL;
	return box->Show(save)->Window();
}
