/*
 * FirstStartWindow: the first-start wizard's window, "Welcome to Quorrel".
 *
 * Holds the wizard view and its three buttons ("< Previous", "Next >" / "End",
 * "Cancel"). "End" on the last stage writes the settings file and quits the
 * application; "Cancel" and the close box quit without writing anything. When the
 * settings file cannot be written the user is told before the application quits.
 */
#ifndef FIRST_START_WINDOW_H
#define FIRST_START_WINDOW_H

#include <Window.h>

class BubbleHelper;
class FirstStartView;
class QuorrelTools;
class XButton;

// The buttons' codes, and the view's requests to relabel the next button.
enum {
	kFirstStartPrevious = 'BUpr',
	kFirstStartNext = 'BUne',
	kFirstStartCancel = 'BUca',
	kFirstStartShowEnd = 'CHen',
	kFirstStartShowNext = 'CHne',
	kFirstStartFieldChanged = 'TCms'
};

class FirstStartWindow : public BWindow {
public:
								FirstStartWindow(BRect frame, BubbleHelper* bubble);
	virtual						~FirstStartWindow();

	virtual	void				MessageReceived(BMessage* message);
	// Asks the application to quit; the wizard is its only window.
	virtual	bool				QuitRequested();

			FirstStartView*		WizardView() const { return fView; }

private:
			void				_Finish();

			QuorrelTools*		fTools;
			XButton*			fPrevButton;
			XButton*			fNextButton;
			XButton*			fCancelButton;
			FirstStartView*		fView;
			BubbleHelper*		fBubbleHelper;
			// The buttons' messages; the buttons keep them without owning them.
			BMessage*			fPrevMessage;
			BMessage*			fNextMessage;
			BMessage*			fCancelMessage;
};

#endif	// FIRST_START_WINDOW_H
