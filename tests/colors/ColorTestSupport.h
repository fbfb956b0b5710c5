/*
 * What the colour tests share: an application whose loop runs on a thread of its own for
 * the whole test program and records the picker's messages, a window that records the
 * palette's, and pictures for looking at.
 */
#ifndef COLOR_TEST_SUPPORT_H
#define COLOR_TEST_SUPPORT_H

#include <Application.h>
#include <Window.h>

#include "UiTestSupport.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

// One message as it arrived: its code and its "color" string (empty when absent).
struct ColorMessage {
	uint32		what;
	std::string	color;
};

class ColorMessageLog : public LockedList<ColorMessage> {
public:
			void				Add(BMessage* message);
			std::vector<ColorMessage> Messages() { return Entries(); }
};

// Code that makes the application ask its windows whether it may quit, on its own
// thread, as a quit does, without quitting; the answer is kept in quitAnswer.
enum {
	kAskQuit = 'tAsk'
};

class RecordingApplication : public BApplication {
public:
								RecordingApplication();
	virtual	void				MessageReceived(BMessage* message);

			ColorMessageLog		log;
			std::atomic<int32>	quitAnswer{-1};
};

// The running application of the test program.
RecordingApplication* TestApp();

// A window that records the colour codes it receives.
class ColorRecordingWindow : public BWindow {
public:
								ColorRecordingWindow(BRect frame);
	virtual	void				MessageReceived(BMessage* message);

			ColorMessageLog		log;
};

// Saves the window's picture into the folder named by QUORREL_COLOR_SHOTS, when set.
void SaveShot(BWindow* window, const char* name);

#endif	// COLOR_TEST_SUPPORT_H
