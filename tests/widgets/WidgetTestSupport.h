/*
 * What the widget tests share: an application whose loop runs on a thread of its own
 * for the whole test program (the bubble help waits for a running application, and
 * the widgets post their clicks to it), and a window whose messages are counted.
 */
#ifndef WIDGET_TEST_SUPPORT_H
#define WIDGET_TEST_SUPPORT_H

#include <Application.h>
#include <Window.h>

#include <functional>
#include <map>
#include <mutex>

// Codes the tests give the widgets' messages; only these are counted.
enum {
	kClick = 'wClk',
	kOther = 'wOth',
	kMenuChoice = 'wMnu'
};

// Counts the test codes that reach a handler.
class MessageCounter {
public:
			void				Count(uint32 what);
			int32				CountOf(uint32 what);
			void				Clear();

private:
			std::mutex			fLock;
			std::map<uint32, int32> fCounts;
};

class CountingApplication : public BApplication {
public:
								CountingApplication();
	virtual	void				MessageReceived(BMessage* message);

			MessageCounter		counter;
};

// The application of the test program, running.
CountingApplication* TestApp();

class CountingWindow : public BWindow {
public:
	// A window with a panel of colour panelGrey filling it.
								CountingWindow(BRect frame, uint8 panelGrey = 220);
	virtual	void				MessageReceived(BMessage* message);

			BView*				Panel() const { return fPanel; }

			MessageCounter		counter;

private:
			BView*				fPanel;
};

// A handler that counts what it receives, for XButton2's target.
class CountingHandler : public BHandler {
public:
								CountingHandler() : BHandler("counting handler") {}
	virtual	void				MessageReceived(BMessage* message);

			MessageCounter		counter;
};

// Polls condition for up to seconds; for what runs on another thread in real time.
bool WaitFor(const std::function<bool()>& condition, double seconds = 15);

// Saves the window's picture into the folder named by QUORREL_WIDGET_SHOTS, when set,
// for looking at the widgets; does nothing otherwise.
void SaveShot(BWindow* window, const char* name);

#endif	// WIDGET_TEST_SUPPORT_H
