/*
 * SearchWindow: the floating find and replace dialog.
 *
 * The dialog searches nothing itself. Its buttons post requests carrying the field
 * texts to the application object, which passes them on to the main window; the main
 * window acts on the document that is current when the request arrives. Closing the
 * dialog only hides it, so the texts and the case box are kept for the next time.
 */
#ifndef SEARCH_WINDOW_H
#define SEARCH_WINDOW_H

#include <Window.h>

class BButton;
class BCheckBox;
class BTextControl;
class Glossan;
class SearchView;
class varkel;

class SearchWindow : public BWindow {
public:
	// Codes the controls send to the window.
	static	const uint32		kFieldEdited = 'TEct';
	static	const uint32		kFindPressed = 'BUfi';
	static	const uint32		kReplacePressed = 'BUre';
	static	const uint32		kReplaceAllPressed = 'BUra';
	static	const uint32		kCancelPressed = 'BUca';
	static	const uint32		kCaseToggled = 'CHbo';

	// Requests posted to the application. The find request carries the string "find"
	// and the bool "case_check" (true when "Ignore case" is ticked); the replace
	// requests carry "replace" as well.
	static	const uint32		kFindRequest = 'COfi';
	static	const uint32		kReplaceRequest = 'COre';
	static	const uint32		kReplaceAllRequest = 'COra';
	// Posted to the application when the dialog has been closed (hidden).
	static	const uint32		kClosed = 'SEwi';

	// The window sizes itself (400 by 100); frame gives its position. The dictionary
	// follows the language of Settings/settings in the application directory.
								SearchWindow(BRect frame, const char* title);
	virtual						~SearchWindow();

	virtual	void				MessageReceived(BMessage* message);

	// Posts kClosed, hides the window and keeps it: returns false.
	virtual	bool				QuitRequested();

private:
			void				_LoadDictionary();
			void				_AddControls();
			void				_PostRequest(uint32 what, bool withReplace);
			const char*			_Translate(const char* text) const;

			Glossan*			fDictionary;
			varkel*				fSettings;
			SearchView*			fView;
			BTextControl*		fFindField;
			BTextControl*		fReplaceField;
			BButton*			fFindButton;
			BButton*			fReplaceButton;
			BButton*			fReplaceAllButton;
			BButton*			fCancelButton;
			BCheckBox*			fCaseBox;
			bool				ignoreCase;
};

#endif	// SEARCH_WINDOW_H
