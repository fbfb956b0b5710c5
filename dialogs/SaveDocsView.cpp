#include "SaveDocsView.h"

#include <Bitmap.h>
#include <Button.h>
#include <Font.h>
#include <Message.h>
#include <String.h>

#include <stdio.h>

#include "SaveDocsWindow.h"
#include "libglossan/Glossan.h"


static const float kStripRight = 100;
static const float kRowHeight = 35;
static const float kNameLeft = 120;
static const float kNameGap = 10;


SaveDocsView::SaveDocsView(BRect frame, const char* name, Glossan* dictionary)
	:
	BView(frame, name, B_FOLLOW_ALL_SIDES, B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW
		| B_NAVIGABLE_JUMP | B_FRAME_EVENTS | B_NAVIGABLE),
	fDictionary(dictionary),
	fDiskette(NULL)
{
	SetViewColor(220, 220, 220);

	const char* appPath = fTools.GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Images/dyskietka.bmp", appPath);
	delete[] appPath;
	fDiskette = fTools.LoadBitmap(path);

	for (int i = 0; i < kFileListCount; i++) {
		fList[i] = _FileList{ NULL, false, false, false, false };
		fSaveButtons[i] = NULL;
		fButtonAdded[i] = false;
	}
	CopyFileList(fList, NULL);
}


SaveDocsView::~SaveDocsView()
{
	// Buttons that are added are children and go with the view; none is kept aside.
	delete fDiskette;
	FreeFileList(fList);
}


void
SaveDocsView::Uaktualnij(_FileList* list)
{
	CopyFileList(fList, list);
	_RemoveSaveButtons();

	BRect bounds = Bounds();
	int row = 0;
	for (int i = 0; i < kFileListCount; i++) {
		if (!_IsListed(i))
			continue;

		BMessage* message = new BMessage(SaveDocsWindow::kSaveDocument);
		message->AddInt32("tab", i);
		float top = 40 + kRowHeight * row;
		BButton* button = new BButton(
			BRect(bounds.right - 90, top, bounds.right - 10, top + 20), "save",
			_Translate("Save"), message, B_FOLLOW_LEFT | B_FOLLOW_TOP,
			B_WILL_DRAW | B_NAVIGABLE);
		AddChild(button);
		fSaveButtons[i] = button;
		fButtonAdded[i] = true;
		row++;
	}
	Invalidate();
}


void
SaveDocsView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	SetHighColor(151, 151, 151);
	FillRect(BRect(0, 0, kStripRight, bounds.bottom));

	if (fDiskette != NULL) {
		SetDrawingMode(B_OP_OVER);
		DrawBitmap(fDiskette, BPoint(2, 10));
		SetDrawingMode(B_OP_COPY);
	}

	SetHighColor(0, 0, 0);
	SetLowColor(ViewColor());
	SetFont(be_bold_font);
	DrawString(_Translate("Unsaved documents:"), BPoint(110, 15));

	SetFont(be_plain_font);
	// A long name is shortened in the middle so that it ends before its Save button
	// and keeps its beginning and its extension.
	float nameWidth = bounds.right - 90 - kNameGap - kNameLeft;
	int row = 0;
	for (int i = 0; i < kFileListCount; i++) {
		if (!_IsListed(i))
			continue;
		BString name(FileListLeafName(fList[i].path));
		TruncateString(&name, B_TRUNCATE_MIDDLE, nameWidth);
		DrawString(name.String(), BPoint(kNameLeft, 50 + kRowHeight * row));
		row++;
	}
}


BButton*
SaveDocsView::SaveButtonAt(int index) const
{
	if (index < 0 || index >= kFileListCount || !fButtonAdded[index])
		return NULL;
	return fSaveButtons[index];
}


void
SaveDocsView::_RemoveSaveButtons()
{
	for (int i = 0; i < kFileListCount; i++) {
		if (fButtonAdded[i]) {
			RemoveChild(fSaveButtons[i]);
			delete fSaveButtons[i];
		}
		fSaveButtons[i] = NULL;
		fButtonAdded[i] = false;
	}
}


bool
SaveDocsView::_IsListed(int index) const
{
	return fList[index].present && !fList[index].saved;
}


const char*
SaveDocsView::_Translate(const char* text) const
{
	return fDictionary != NULL ? fDictionary->Translate(text) : text;
}
