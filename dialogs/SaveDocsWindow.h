/*
 * SaveDocsWindow: the floating window that a quit with unsaved documents shows.
 *
 * It lists the unsaved documents with a Save button each. The window talks to the main
 * window only through the application object: a Save button's 'SAdc' ("tab": the slot)
 * is passed on unchanged; OK asks for a confirmation and then posts 'QUhe' (quit
 * without saving); Cancel and OK both dismiss the window, which posts 'SAdo'.
 */
#ifndef SAVE_DOCS_WINDOW_H
#define SAVE_DOCS_WINDOW_H

#include <Window.h>

#include "FileList.h"

class BButton;
class Glossan;
class SaveDocsView;

class SaveDocsWindow : public BWindow {
public:
	// Sent by a Save button and passed on to the application, with the int32 "tab".
	static	const uint32		kSaveDocument = 'SAdc';
	// Sent by the Cancel and OK buttons to the window.
	static	const uint32		kCancelPressed = 'SAca';
	static	const uint32		kOKPressed = 'SAok';
	// Posted to the application: the window was dismissed, and the quit confirmed.
	static	const uint32		kDismissed = 'SAdo';
	static	const uint32		kQuitConfirmed = 'QUhe';

	// The window sizes itself (400 by 300); frame gives its position. The dictionary
	// is not owned and must outlive the window.
								SaveDocsWindow(BRect frame, const char* title,
									Glossan* dictionary);
	virtual						~SaveDocsWindow();

	virtual	void				MessageReceived(BMessage* message);

	// Posts kDismissed to the application, hides the window and returns true.
	virtual	bool				QuitRequested();

	// Copies the kFileListCount records of list and refreshes the view. Locks the
	// window itself; the caller may hold the lock already.
			void				Uaktualnij(_FileList* list);

private:
			void				_Confirm();
			const char*			_Translate(const char* text) const;

			SaveDocsView*		fView;
			Glossan*			fDictionary;
			BButton*			fCancelButton;
			BButton*			fOKButton;
			_FileList			fList[kFileListCount];
};

#endif	// SAVE_DOCS_WINDOW_H
