#include "FirstStartView.h"

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <Alert.h>
#include <Bitmap.h>
#include <Font.h>
#include <ListView.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <PopUpMenu.h>
#include <ScrollView.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "EncodingTable.h"
#include "FirstStartWindow.h"
#include "QuorrelTools.h"
#include "libglossan/Glossan.h"
#include "libvarkel/varkel.h"


namespace {

const rgb_color kPanelColor = { 220, 220, 220, 255 };
const rgb_color kBlack = { 0, 0, 0, 255 };
const rgb_color kFrameDark = { 20, 20, 20, 255 };
const rgb_color kFrameLight = { 235, 235, 235, 255 };
const rgb_color kEngraveLight = { 250, 250, 250, 255 };

const char* const kWelcomeText =
	"Thank you for download Quorrel. I will be happy, if send to me e-mail with your "
	"opinion about Quorrel.\n"
	"\n"
	"Now you have to give me some information (your name, e-mail). Please insert "
	"'Next' button.\n"
	"\n"
	"\n"
	"\n"
	"\tThe Quorrel developers\n"
	"\thttps://github.com/quorrel-editor/quorrel";
const char* const kLanguageText
	= "Now, please select language. You can add your language - see documentation.";
const char* const kNameText = "Please write down your name and e-mail.";
const char* const kEncodingText = "Now, please select default encoding:";
const char* const kEndText
	= "Thank you. Now, please insert End button and run Quorrel again.";

const char* const kDefaultEncoding = "ISO 8859-1";

// The settings file keeps name="value" lines, so a value cannot hold a double quote
// or a line break: whatever followed it would be lost on the next read.
bool
FitsSettings(const char* text)
{
	return strpbrk(text, "\"\n\r") == NULL;
}

}	// namespace


FirstStartView::FirstStartView(BRect frame, const char* name)
	:
	BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW),
	fLogo(NULL),
	fTools(new QuorrelTools),
	fSettings(new varkel),
	fStage(0),
	fWelcomeText(NULL),
	fLanguageText(NULL),
	fNameText(NULL),
	fEndText(NULL),
	fEncodingText(NULL),
	fLanguageScroller(NULL),
	fDictionary(NULL),
	fLanguageList(NULL),
	fNameField(NULL),
	fEmailField(NULL),
	fEncodingField(NULL)
{
	for (int32 i = 0; i < kStageCount; i++)
		fAttached[i] = false;
	fLanguage[0] = '\0';
	fUserName[0] = '\0';
	fEmail[0] = '\0';
	_CopyText(fEncoding, kDefaultEncoding);

	SetViewColor(kPanelColor);
	SetLowColor(kPanelColor);
	BFont font(be_plain_font);
	font.SetSize(12);
	SetFont(&font);

	const char* appPath = fTools->GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Images/fslogo.bmp", appPath);
	fLogo = fTools->LoadBitmap(path);
	snprintf(path, sizeof(path), "%s/Dictionary/", appPath);
	fDictionary = new Glossan("dictionary", path);
	delete[] appPath;

	float right = Bounds().right;
	_BuildTexts(right);
	_BuildLanguageList(right);
	_BuildFields(right);
	_BuildEncodingField(right);
}


FirstStartView::~FirstStartView()
{
	// Controls of the stages not on show are nobody's children; those on show are
	// taken off too, so every control is deleted exactly once, here.
	BView* controls[] = { fWelcomeText, fLanguageText, fLanguageScroller, fNameText,
		fNameField, fEmailField, fEncodingText, fEncodingField, fEndText };
	for (BView* control : controls) {
		if (control->Parent() != NULL)
			control->RemoveSelf();
	}
	// The scroller deletes the list with itself; the list's rows are ours.
	while (fLanguageList->CountItems() > 0)
		delete fLanguageList->RemoveItem(fLanguageList->CountItems() - 1);
	for (BView* control : controls)
		delete control;

	delete fLogo;
	delete fTools;
	delete fSettings;
	delete fDictionary;
}


void
FirstStartView::Draw(BRect updateRect)
{
	if (fLogo != NULL) {
		SetHighColor(kFrameDark);
		StrokeLine(BPoint(9, 9), BPoint(60, 9));
		StrokeLine(BPoint(9, 9), BPoint(9, 210));
		SetHighColor(kFrameLight);
		StrokeLine(BPoint(60, 9), BPoint(60, 210));
		StrokeLine(BPoint(9, 210), BPoint(60, 210));
		DrawBitmap(fLogo, BPoint(10, 10));
	}

	VLine(70, 10, 195);
	HLine(70, 210, (int)(Bounds().right - 85));

	SetHighColor(kBlack);
	if (!fAttached[fStage]) {
		_AttachStage(fStage);
		fAttached[fStage] = true;
	}
}


void
FirstStartView::nextStage()
{
	// Text that the settings file could not keep stays on its stage.
	if (fStage == 2 && (!FitsSettings(fNameField->Text())
			|| !FitsSettings(fEmailField->Text()))) {
		BAlert* alert = new BAlert("Quorrel",
			"Your name and e-mail cannot contain double quotes (\").", "OK", NULL, NULL,
			B_WIDTH_AS_USUAL, B_WARNING_ALERT);
		alert->Go();
		return;
	}

	_DetachStage(fStage);
	_TakeAnswers(fStage);
	if (fStage == 3)
		_TellWindow(kFirstStartShowEnd);
	if (fStage < kStageCount - 1)
		fStage++;
	Invalidate();
}


void
FirstStartView::prevStage()
{
	if (fStage >= 1 && fStage <= 3)
		_DetachStage(fStage);
	if (fStage == 4) {
		_DetachStage(4);
		_TellWindow(kFirstStartShowNext);
	}
	if (fStage > 0)
		fStage--;
	Invalidate();
}


void
FirstStartView::setEncoding(const char* name)
{
	if (name != NULL)
		_CopyText(fEncoding, name);
}


int32
FirstStartView::SaveConf()
{
	// A fresh store each time, so that a second press of End cannot list the keys
	// twice.
	delete fSettings;
	fSettings = new varkel;
	fSettings->PutParam("language", fLanguage);
	fSettings->PutParam("name", fUserName);
	fSettings->PutParam("email", fEmail);
	fSettings->PutParam("encoding", fEncoding);
	fSettings->PutParam("icons", "normal");
	fSettings->PutParam("gfx_dir", "gfx");

	const char* appPath = fTools->GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Settings", appPath);
	// The folder comes with the application, but a user may have removed it.
	mkdir(path, 0755);
	snprintf(path, sizeof(path), "%s/Settings/settings", appPath);
	delete[] appPath;
	return fSettings->SavePrefs(path) == 0 ? 0 : -1;
}


void
FirstStartView::HLine(int x, int y, int length)
{
	SetHighColor(kBlack);
	StrokeLine(BPoint(x, y), BPoint(x + length, y));
	SetHighColor(kEngraveLight);
	StrokeLine(BPoint(x + 1, y + 1), BPoint(x + length + 1, y + 1));
}


void
FirstStartView::VLine(int x, int y, int length)
{
	SetHighColor(kBlack);
	StrokeLine(BPoint(x, y), BPoint(x, y + length));
	SetHighColor(kEngraveLight);
	StrokeLine(BPoint(x + 1, y + 1), BPoint(x + 1, y + length + 1));
}


void
FirstStartView::_BuildTexts(float right)
{
	fWelcomeText = _MakeText(BRect(80, 10, right - 10, 200), "witka", kWelcomeText);
	fWelcomeText->SetTextRect(BRect(0, 0, right - 90, 190));
	BRect line(80, 10, right - 10, 30);
	fNameText = _MakeText(line, "name", kNameText);
	fEncodingText = _MakeText(line, "encoding", kEncodingText);
	// These two texts take two lines in the system font; the language text starts a
	// little higher so that its second line clears the list below it.
	fLanguageText = _MakeText(BRect(80, 7, right - 10, 36), "lang", kLanguageText);
	fEndText = _MakeText(BRect(80, 10, right - 10, 60), "end", kEndText);
}


BTextView*
FirstStartView::_MakeText(BRect frame, const char* name, const char* text)
{
	BRect textRect(0, 0, frame.Width(), frame.Height());
	BTextView* view = new BTextView(frame, name, textRect, B_FOLLOW_ALL,
		B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE);
	view->SetViewColor(kPanelColor);
	view->SetLowColor(kPanelColor);
	view->SetText(text);
	view->MakeEditable(false);
	view->MakeSelectable(false);
	return view;
}


void
FirstStartView::_BuildLanguageList(float right)
{
	fLanguageList = new BListView(BRect(120, 40, 370, 190), "langList",
		B_SINGLE_SELECTION_LIST, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	fLanguageList->AddItem(new BStringItem(fDictionary->GetDefaultLanguage()));
	for (int32 i = 0; i < fDictionary->GetNumberOfLanguages(); i++)
		fLanguageList->AddItem(new BStringItem(fDictionary->LanguageList(i)));
	fLanguageScroller = new BScrollView("scroll_lang", fLanguageList, B_FOLLOW_ALL, 0,
		false, true, B_FANCY_BORDER);
}


void
FirstStartView::_BuildFields(float right)
{
	fNameField = new BTextControl(BRect(80, 40, right - 10, 60), "name", "Your name", "",
		new BMessage(kFirstStartFieldChanged), B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE);
	fNameField->SetDivider(100);
	fNameField->TextView()->SetMaxBytes(kTextSize - 1);
	fEmailField = new BTextControl(BRect(80, 90, right - 10, 110), "email", "Your e-mail",
		"", new BMessage(kFirstStartFieldChanged), B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE);
	fEmailField->SetDivider(100);
	fEmailField->TextView()->SetMaxBytes(kTextSize - 1);
}


void
FirstStartView::_BuildEncodingField(float right)
{
	BPopUpMenu* menu = new BPopUpMenu("      ", true, true, B_ITEMS_IN_COLUMN);
	for (int32 i = 0; i < EncodingTable::kCount; i++) {
		const EncodingInfo* encoding = EncodingTable::At(i);
		BMenuItem* item = new BMenuItem(encoding->label,
			new BMessage(encoding->code));
		menu->AddItem(item);
		if (i == 0)
			item->SetMarked(true);
	}
	fEncodingField = new BMenuField(BRect(80, 40, right - 10, 60), "encodings",
		"Encoding:", menu);
	fEncodingField->SetDivider(100);
}


void
FirstStartView::_AttachStage(int32 stage)
{
	switch (stage) {
		case 0:
			AddChild(fWelcomeText);
			break;
		case 1:
			AddChild(fLanguageText);
			AddChild(fLanguageScroller);
			break;
		case 2:
			AddChild(fNameText);
			AddChild(fNameField);
			AddChild(fEmailField);
			break;
		case 3:
			AddChild(fEncodingText);
			AddChild(fEncodingField);
			break;
		case 4:
			AddChild(fEndText);
			break;
	}
}


void
FirstStartView::_DetachStage(int32 stage)
{
	if (stage < 0 || stage >= kStageCount || !fAttached[stage])
		return;
	switch (stage) {
		case 0:
			RemoveChild(fWelcomeText);
			break;
		case 1:
			RemoveChild(fLanguageText);
			RemoveChild(fLanguageScroller);
			break;
		case 2:
			RemoveChild(fNameText);
			RemoveChild(fNameField);
			RemoveChild(fEmailField);
			break;
		case 3:
			RemoveChild(fEncodingText);
			RemoveChild(fEncodingField);
			break;
		case 4:
			RemoveChild(fEndText);
			break;
	}
	fAttached[stage] = false;
}


void
FirstStartView::_TakeAnswers(int32 stage)
{
	if (stage == 1) {
		int32 row = fLanguageList->CurrentSelection();
		const char* language = row <= 0 ? fDictionary->GetDefaultLanguage()
			: fDictionary->LanguageList(row - 1);
		_CopyText(fLanguage, language);
	} else if (stage == 2) {
		_CopyText(fUserName, fNameField->Text());
		_CopyText(fEmail, fEmailField->Text());
	}
}


void
FirstStartView::_TellWindow(uint32 what)
{
	if (Window() != NULL)
		BMessenger(Window()).SendMessage(what);
}


void
FirstStartView::_CopyText(char* target, const char* text)
{
	snprintf(target, kTextSize, "%s", text != NULL ? text : "");
}
