/*
 * QuorrelAboutWindow: the floating about window with the pictures, the credits and an
 * OK button. OK hides the window and posts 'HEab' to the application, so the main
 * window knows the next "About" must create a new one.
 */
#ifndef QUORREL_ABOUT_WINDOW_H
#define QUORREL_ABOUT_WINDOW_H

#include <Window.h>

class BButton;
class Glossan;
class QuorrelAboutView;

class QuorrelAboutWindow : public BWindow {
public:
	// Sent by the OK button to the window.
	static	const uint32		kOKPressed = 'ABok';
	// Posted to the application when the window is gone.
	static	const uint32		kClosed = 'HEab';

	// The window sizes itself (400 by 300); frame gives its position. The dictionary
	// is not owned and must outlive the window.
								QuorrelAboutWindow(BRect frame, const char* title,
									Glossan* dictionary);

	virtual	void				MessageReceived(BMessage* message);

	// Posts kClosed to the application, hides the window and returns true.
	virtual	bool				QuitRequested();

private:
			QuorrelAboutView*	fView;
			Glossan*			fDictionary;
			BButton*			fOKButton;
};

#endif	// QUORREL_ABOUT_WINDOW_H
