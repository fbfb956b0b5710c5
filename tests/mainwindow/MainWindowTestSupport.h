/*
 * What the main window tests share: an application object that relays the dialogs'
 * messages to the main window as the real one does and records the requests to quit,
 * a fixture that builds the main window in a temporary application directory, and
 * helpers for alerts and documents.
 */
#ifndef MAIN_WINDOW_TEST_SUPPORT_H
#define MAIN_WINDOW_TEST_SUPPORT_H

#include <Alert.h>
#include <Application.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "QuorrelMainWindow.h"
#include "TempAppDir.h"

class EView;

class RelayApplication : public BApplication {
public:
								RelayApplication();

	virtual	void				MessageReceived(BMessage* message);
	virtual	bool				QuitRequested();

			std::atomic<QuorrelMainWindow*> mainWindow{NULL};
			std::atomic<int32>	quitRequests{0};
			std::atomic<bool>	allowQuit{false};
};

// The one application of the test program.
RelayApplication* TestApplication();

class MainWindowTest : public ::testing::Test {
protected:
	// The settings file the window reads, written before it is built.
	virtual	std::string			Settings();

	void						SetUp() override;
	void						TearDown() override;

	// Builds the window (again), shows it and waits until it is idle.
			void				OpenWindow();
	// True while the window has not quit.
			bool				WindowAlive();

	// Posts a message to the window and waits until everything is idle.
			void				Post(uint32 what);
			void				Post(BMessage* message);

	// The document in slot, its text, and the labels of the tabs in order.
			std::string			Text(int slot);
			std::vector<std::string> TabLabels();
			int					Current();

	// Saves the current document under folder/name as the save panel would.
			void				SaveAs(const std::string& folder, const std::string& name);
	// Opens path as the open panel would.
			void				OpenAsPanel(const std::string& path);
	// Marks encoding index in the open or save panel's menu.
			void				MarkEncoding(bool save, int32 index);

			TempAppDir*			fAppDir;
			QuorrelMainWindow*	fWindow;
			BMessenger			fMessenger;
			std::string			fFolder;
};

// The alert that is showing, once it is there, or NULL.
BAlert* ShownAlert();
// The text of alert, its wrapped lines joined without spaces.
std::string AlertText(BAlert* alert);
// Presses button index of alert with the pointer.
void PressAlertButton(BAlert* alert, int32 index);
// Closes every alert still showing.
void CloseAlerts();

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);

#endif	// MAIN_WINDOW_TEST_SUPPORT_H
