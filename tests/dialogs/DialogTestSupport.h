/*
 * What the dialog tests share: an application whose loop runs on a thread of its own
 * for the whole test program and keeps a copy of every message the dialogs post to it,
 * and pictures of the windows for looking at.
 */
#ifndef DIALOG_TEST_SUPPORT_H
#define DIALOG_TEST_SUPPORT_H

#include <Application.h>
#include <Message.h>

#include "UiTestSupport.h"

#include <mutex>
#include <vector>

class BView;
class BWindow;

class DialogRecordingApplication : public BApplication {
public:
								DialogRecordingApplication();
	virtual	void				MessageReceived(BMessage* message);

			std::vector<BMessage> Messages();
			std::vector<uint32>	Codes();
			int32				CountOf(uint32 what);
	// The last message with code what, or an empty message (what 0) when none came.
			BMessage			Last(uint32 what);
			void				Clear();

private:
			LockedList<BMessage> fMessages;
};

// The running application of the test program.
DialogRecordingApplication* TestApp();

// Waits until count messages with code what have arrived; false when they never do.
bool WaitForMessages(uint32 what, int32 count);

// Saves the window's picture into the folder named by QUORREL_DIALOG_SHOTS, when set.
void SaveShot(BWindow* window, const char* name);

// How many pixels inside rect (view coordinates) the screen shows in a colour other
// than color (0xRRGGBB).
int32 CountOtherThan(BView* view, BRect rect, uint32 color);

#endif	// DIALOG_TEST_SUPPORT_H
