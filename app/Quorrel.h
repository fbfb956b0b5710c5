/*
 * Quorrel: the application object.
 *
 * It registers the project file type with the desktop's MIME database, decides from the
 * presence of "Settings/settings" whether to open the first-start wizard or the main
 * window, hands documents given at launch to the main window, and relays the messages
 * that dialog windows post to it: twelve codes go on to the main window unchanged, four
 * are turned into direct calls of main-window operations. While the wizard runs there is
 * no main window, and documents and relay codes are dropped.
 */
#ifndef QUORREL_H
#define QUORREL_H

#include <Application.h>

class BubbleHelper;
class QuorrelMainWindow;

extern const char* const kQuorrelSignature;		// "application/x.vnd.Quorrel"
extern const char* const kProjectMimeType;		// "text/quorrel-project"
// The application's version: 0.5.0, variety alpha, "HTML Editor".
extern const char* const kQuorrelVersion;
extern const char* const kQuorrelVariety;
extern const char* const kQuorrelShortVersion;

class Quorrel : public BApplication {
public:
								Quorrel();
	virtual						~Quorrel();

	virtual	void				MessageReceived(BMessage* message);
	// Opens argv[1] in the main window; further arguments are ignored. A relative
	// path is taken relative to the folder the program was started in, which for a
	// second launch is the other process's folder.
	virtual	void				ArgvReceived(int32 argc, char** argv);
	// Opens the first ref of the message (links are not followed); further refs are
	// ignored.
	virtual	void				RefsReceived(BMessage* message);

	// Installs "text/quorrel-project" with the application's two icons and the
	// application as its preferred handler. Runs at every start.
			void				AddMIMEType();

	// The main window of a normal start, or NULL during a first start.
			QuorrelMainWindow*	MainWindow() const { return fMainWindow; }
			BubbleHelper*		Bubble() const { return fBubbleHelper; }

	// The two kinds of message the relay knows.
	static	bool				IsForwardedCode(uint32 what);
	static	bool				IsHandledCode(uint32 what);

private:
			void				_Relay(BMessage* message);
			void				_OpenDocument(const char* path);

			QuorrelMainWindow*	fMainWindow;
			BubbleHelper*		fBubbleHelper;
			// Aimed at the main window; it tells whether the window still exists.
			BMessenger			fMainWindowMessenger;
};

#endif	// QUORREL_H
