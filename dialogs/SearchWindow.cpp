#include "SearchWindow.h"

#include <Application.h>
#include <Button.h>
#include <CheckBox.h>
#include <Message.h>
#include <TextControl.h>

#include <algorithm>
#include <stdio.h>

#include "QuorrelTools.h"
#include "SearchView.h"
#include "libglossan/Glossan.h"
#include "libvarkel/varkel.h"


static const uint32 kControlFlags = B_WILL_DRAW | B_NAVIGABLE;
static const uint32 kControlResizing = B_FOLLOW_LEFT | B_FOLLOW_TOP;


SearchWindow::SearchWindow(BRect frame, const char* title)
	:
	BWindow(frame, title, B_FLOATING_WINDOW,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE, B_CURRENT_WORKSPACE),
	fDictionary(NULL),
	fSettings(NULL),
	fView(NULL),
	fFindField(NULL),
	fReplaceField(NULL),
	fFindButton(NULL),
	fReplaceButton(NULL),
	fReplaceAllButton(NULL),
	fCancelButton(NULL),
	fCaseBox(NULL),
	ignoreCase(false)
{
	ResizeTo(400, 100);

	fView = new SearchView(Bounds(), "SearchView");
	AddChild(fView);

	_LoadDictionary();
	_AddControls();
}


SearchWindow::~SearchWindow()
{
	delete fDictionary;
	delete fSettings;
}


void
SearchWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kFindPressed:
			_PostRequest(kFindRequest, false);
			break;
		case kReplacePressed:
			_PostRequest(kReplaceRequest, true);
			break;
		case kReplaceAllPressed:
			_PostRequest(kReplaceAllRequest, true);
			break;
		case kCaseToggled:
			ignoreCase = fCaseBox->Value() == B_CONTROL_ON;
			break;
		case kCancelPressed:
			QuitRequested();
			break;
		default:
			break;
	}
}


bool
SearchWindow::QuitRequested()
{
	be_app->PostMessage(kClosed);
	// Hiding nests: a second close of a window that is already hidden must not hide
	// it one level deeper, or the next "Find & Replace" could not show it again.
	if (!IsHidden())
		Hide();
	return false;
}


void
SearchWindow::_LoadDictionary()
{
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();

	char path[2048];
	snprintf(path, sizeof(path), "%s/Dictionary/", appPath);
	fDictionary = new Glossan("dictionary", path);

	snprintf(path, sizeof(path), "%s/Settings/settings", appPath);
	fSettings = new varkel();
	fSettings->LoadPrefs(path);
	const char* language = fSettings->GetValue("language");
	if (language != NULL)
		fDictionary->SetLanguage(language);

	delete[] appPath;
}


void
SearchWindow::_AddControls()
{
	fFindField = new BTextControl(BRect(10, 10, 280, 20), "find", _Translate("Find"),
		"", new BMessage(kFieldEdited), kControlResizing, kControlFlags);
	fView->AddChild(fFindField);

	fFindButton = new BButton(BRect(290, 10, 390, 20), "find_button", _Translate("Find"),
		new BMessage(kFindPressed), kControlResizing, kControlFlags);
	fView->AddChild(fFindButton);

	fReplaceField = new BTextControl(BRect(10, 40, 280, 50), "replace",
		_Translate("Replace"), "", new BMessage(kFieldEdited), kControlResizing,
		kControlFlags);
	fView->AddChild(fReplaceField);

	fReplaceButton = new BButton(BRect(290, 40, 390, 50), "replace_button",
		_Translate("Replace"), new BMessage(kReplacePressed), kControlResizing,
		kControlFlags);
	fView->AddChild(fReplaceButton);

	fCaseBox = new BCheckBox(BRect(10, 75, 175, 85), "case_sensitive",
		_Translate("Ignore case"), new BMessage(kCaseToggled), kControlResizing,
		kControlFlags);
	fView->AddChild(fCaseBox);

	fCancelButton = new BButton(BRect(180, 70, 280, 80), "cancel", _Translate("Cancel"),
		new BMessage(kCancelPressed), kControlResizing, kControlFlags);
	fView->AddChild(fCancelButton);

	fReplaceAllButton = new BButton(BRect(290, 70, 390, 80), "replace_all_button",
		_Translate("Replace all"), new BMessage(kReplaceAllPressed), kControlResizing,
		kControlFlags);
	fView->AddChild(fReplaceAllButton);

	// Both fields start where the longer of the two labels ends, so they line up
	// whatever the language.
	float divider = std::max(fFindField->StringWidth(fFindField->Label()),
		fReplaceField->StringWidth(fReplaceField->Label())) + 8;
	fFindField->SetDivider(divider);
	fReplaceField->SetDivider(divider);

	SetDefaultButton(fFindButton);
	fFindField->MakeFocus(true);
}


void
SearchWindow::_PostRequest(uint32 what, bool withReplace)
{
	BMessage request(what);
	request.AddString("find", fFindField->Text());
	if (withReplace)
		request.AddString("replace", fReplaceField->Text());
	request.AddBool("case_check", ignoreCase);
	be_app->PostMessage(&request);
}


const char*
SearchWindow::_Translate(const char* text) const
{
	return fDictionary != NULL ? fDictionary->Translate(text) : text;
}
