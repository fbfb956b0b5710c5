/*
 * The tool bar: the buttons of the most used commands in "icon bar1", each sending the
 * code of its menu item, and the icon size the user chose.
 */
#include "QuorrelMainWindow.h"

#include <Bitmap.h>
#include <Message.h>

#include <cstdio>
#include <cstring>

#include "IconBar.h"
#include "QuorrelTools.h"
#include "libglossan/Glossan.h"
#include "libvarkel/varkel.h"


namespace {

struct ToolButton {
	const char*	name;
	const char*	file;
	const char*	help;
	uint32		what;
	bool		separatorAfter;
};

const ToolButton kToolButtons[] = {
	{ "new_file", "new_document", "New", kMsgNewFile, false },
	{ "open_file", "open_document", "Open file", kMsgOpenFile, false },
	{ "save_file", "save_document", "Save file", kMsgSaveFile, true },
	{ "cut", "cut", "Cut", kMsgCut, false },
	{ "copy", "copy", "Copy", kMsgCopy, false },
	{ "paste", "paste", "Paste", kMsgPaste, true },
	{ "bold", "bold", "Bold", kMsgBold, false },
	{ "italic", "italic", "Italic", kMsgItalic, false },
	{ "underline", "underline", "Underline", kMsgUnderline, true },
	{ "left", "left", "Left", kMsgAlignLeft, false },
	{ "center", "center", "Center", kMsgAlignCenter, false },
	{ "right", "right", "Right", kMsgAlignRight, true },
	{ "color", "color", "Insert color", kMsgInsertColor, false }
};

}	// namespace


void
QuorrelMainWindow::AddIcons()
{
	static_assert(sizeof(kToolButtons) / sizeof(kToolButtons[0]) == kIconCount);

	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char normalPath[2048];
	char smallPath[2048];
	for (int i = 0; i < kIconCount; i++) {
		const ToolButton& button = kToolButtons[i];
		snprintf(normalPath, sizeof(normalPath), "%s/Icons/%s.bmp", appPath,
			button.file);
		snprintf(smallPath, sizeof(smallPath), "%s/Icons/%s_s.bmp", appPath,
			button.file);
		fIconMessages[i] = new BMessage(button.what);
		fIconBitmaps[i][0] = tools.LoadBitmap(normalPath);
		fIconBitmaps[i][1] = tools.LoadBitmap(smallPath);
		fFirstIconBar->InsertIcon(new IconBarIcon(button.name, _T(button.help),
			fIconMessages[i], fIconBitmaps[i][0], fIconBitmaps[i][1], fTipService));
		if (button.separatorAfter)
			fFirstIconBar->InsertSeparator(new IconBarSeparator("separator"));
	}
	delete[] appPath;

	const char* icons = fSettings->GetValue("icons");
	if (icons == NULL)
		return;
	if (strcmp(icons, "normal") == 0) {
		fFirstIconBar->SetSize(0);
		fSecondIconBar->SetSize(0);
	} else if (strcmp(icons, "small") == 0) {
		fFirstIconBar->SetSize(1);
		fSecondIconBar->SetSize(1);
	} else
		return;
	int y = (int)(fFirstIconBar->Bounds().bottom + 1);
	fSecondIconBar->SetPosY(y);
	// The bar would only move at its first drawing; the columns are placed below it
	// before that.
	fSecondIconBar->MoveTo(0, y);
}
