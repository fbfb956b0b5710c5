/*
 * SaveDocsView: the contents of the unsaved-documents window. A grey strip with a
 * diskette picture at the left, the heading "Unsaved documents:", and one row per
 * unsaved document: its leaf name and a Save button that sends 'SAdc' with the
 * document's slot as "tab".
 */
#ifndef SAVE_DOCS_VIEW_H
#define SAVE_DOCS_VIEW_H

#include <View.h>

#include "FileList.h"
#include "QuorrelTools.h"

class BBitmap;
class BButton;
class Glossan;

class SaveDocsView : public BView {
public:
	// The dictionary is not owned and must outlive the view.
								SaveDocsView(BRect frame, const char* name,
									Glossan* dictionary);
	virtual						~SaveDocsView();

	// Copies the kFileListCount records of list and rebuilds the Save buttons: one per
	// record that is present and not saved, in slot order. A null list empties the
	// view. Call with the window locked (or before it runs).
			void				Uaktualnij(_FileList* list);

	virtual	void				Draw(BRect updateRect);

	// The Save button of slot index, or null when that slot has none now.
			BButton*			SaveButtonAt(int index) const;

private:
			void				_RemoveSaveButtons();
			bool				_IsListed(int index) const;
			const char*			_Translate(const char* text) const;

			Glossan*			fDictionary;
			QuorrelTools		fTools;
			BBitmap*			fDiskette;
			_FileList			fList[kFileListCount];
			BButton*			fSaveButtons[kFileListCount];
			bool				fButtonAdded[kFileListCount];
};

#endif	// SAVE_DOCS_VIEW_H
