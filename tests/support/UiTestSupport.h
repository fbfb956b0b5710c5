/*
 * Helpers for tests that drive windows on the headless display: a window on the headless display that records the
 * messages its controls send, locked access to it from the test's thread, and an
 * application whose loop runs for the whole test program.
 */
#ifndef UI_TEST_SUPPORT_H
#define UI_TEST_SUPPORT_H

#include <Application.h>
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <vector>

// What a control sent, copied on the window's thread.
struct SentMessage {
	uint32		what;
	int32		value;
	bool		hasWhen;
	void*		source;
};

// What a window's or an application's thread records while the test's thread reads it;
// Entry has a message code in what.
template<typename Entry>
class LockedList {
public:
			void				Add(const Entry& entry)
								{
									std::lock_guard<std::mutex> guard(fLock);
									fEntries.push_back(entry);
								}

	// A copy, in the order of arrival.
			std::vector<Entry>	Entries()
								{
									std::lock_guard<std::mutex> guard(fLock);
									return fEntries;
								}

			int32				CountOf(uint32 what)
								{
									std::lock_guard<std::mutex> guard(fLock);
									int32 count = 0;
									for (const Entry& entry : fEntries) {
										if (entry.what == what)
											count++;
									}
									return count;
								}

			void				Clear()
								{
									std::lock_guard<std::mutex> guard(fLock);
									fEntries.clear();
								}

private:
			std::mutex			fLock;
			std::vector<Entry>	fEntries;
};

class RecordingWindow : public BWindow {
public:
								RecordingWindow(BRect frame);

	virtual	void				MessageReceived(BMessage* message);

			std::vector<SentMessage> Sent();
			int32				CountSent(uint32 what);
			void				ClearSent();

	// The panel every test control is added to.
			BView*				Panel() const { return fPanel; }

private:
			LockedList<SentMessage> fSent;
			BView*				fPanel;
};

// Codes the tests give their controls; the window records only these.
enum {
	kTestInvoked = 'tInv',
	kTestModified = 'tMod',
	kTestOther = 'tOth'
};

void WaitIdle();

// Shows window, activates it and waits until it has drawn.
void ShowActive(BWindow* window);
void QuitWindow(BWindow* window);

// The colour the screen shows at point (window coordinates) as 0xRRGGBB.
uint32 ShownPixel(BWindow* window, BPoint point);

// A point of view in screen coordinates (view coordinates in).
BPoint ScreenPoint(BView* view, BPoint point);
BPoint ScreenCenter(BView* view);

// Runs f with the window locked.
void Locked(BWindow* window, const std::function<void()>& f);

// Polls condition (for states that only show while the window's thread is busy in a
// press loop); false when it never came true.
bool Eventually(const std::function<bool()>& condition);

inline uint32
RGB(uint8 red, uint8 green, uint8 blue)
{
	return ((uint32)red << 16) | ((uint32)green << 8) | blue;
}

// Presses the key that types c with Ctrl.
void PressControlKey(char c);

// Saves the window's picture as name.png into the folder named by the environment
// variable folderVariable, when it is set; does nothing otherwise.
void SaveWindowShot(BWindow* window, const char* folderVariable, const char* name);

// An application whose loop runs on a thread of its own for the whole test program
// (widgets and dialogs post to a running application): made by make when the tests
// begin, quit and deleted when they end. Register it with AddBackgroundApplication.
class BackgroundApplication : public ::testing::Environment {
public:
								BackgroundApplication(
									const std::function<BApplication*()>& make);

			void				SetUp() override;
			void				TearDown() override;

	// NULL outside the tests.
			BApplication*		Application() const { return fApplication; }

private:
			std::function<BApplication*()> fMake;
			BApplication*		fApplication;
			thread_id			fThread;
};

BackgroundApplication* AddBackgroundApplication(
	const std::function<BApplication*()>& make);

#endif	// UI_TEST_SUPPORT_H
