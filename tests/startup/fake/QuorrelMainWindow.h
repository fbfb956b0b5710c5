/*
 * A stand-in for the main window, for the application object's tests. It has the calls
 * the application object makes and records each of them, together with whether the
 * calling thread held the window's lock, and every message that reaches the window.
 */
#ifndef QUORREL_MAIN_WINDOW_H
#define QUORREL_MAIN_WINDOW_H

#include <Window.h>

#include <mutex>
#include <string>
#include <vector>

class BubbleHelper;

struct MainWindowCall {
	std::string		operation;	// "LoadFile", "SaveFile", "SetIsEnd", ...
	std::string		argument;
	bool			locked;
};

struct MainWindowMessage {
	uint32			what;
	std::string		marker;		// the message's "marker" string, when it has one
	int32			fieldCount;
};

class QuorrelMainWindow : public BWindow {
public:
								QuorrelMainWindow(BRect frame, BubbleHelper* help);
	virtual						~QuorrelMainWindow();

	virtual	void				MessageReceived(BMessage* message);

			void				LoadFile(const char* path);
			void				SaveFile(int index);
			void				SetIsEnd(bool end);
			void				UpdateSize();
			void				UpdateFontsAndColors();

			BRect				InitialFrame() const { return fInitialFrame; }
			BubbleHelper*		Help() const { return fHelp; }

			std::vector<MainWindowCall> Calls();
			std::vector<MainWindowMessage> Messages();
			void				ClearCalls();

	// The one window made in this process, while it exists.
	static	QuorrelMainWindow*	sLastMade;
	static	int32				sMadeCount;

private:
			void				_Record(const char* operation, const std::string& argument);

			BRect				fInitialFrame;
			BubbleHelper*		fHelp;
			std::mutex			fRecordLock;
			std::vector<MainWindowCall> fCalls;
			std::vector<MainWindowMessage> fMessages;
};

#endif	// QUORREL_MAIN_WINDOW_H
