// The application object with the real main window: a normal start opens the editor's
// window, a first start only the wizard, and the quit that the unsaved-documents window
// confirms through the application ends the program.

#include <unistd.h>

#include <Application.h>
#include <Screen.h>

#include "BubbleHelper.h"
#include "FirstStartWindow.h"
#include "Quorrel.h"
#include "QuorrelMainWindow.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

class RealQuorrel {
public:
	RealQuorrel()
		:
		fDocument(_OwnArgument()),
		fApp(new Quorrel()),
		fEnded(false)
	{
		if (fApp->LockingThread() == find_thread(NULL))
			fApp->Unlock();
		fThread = std::thread([this]() {
			fApp->Run();
			fEnded = true;
		});
		EXPECT_TRUE(Eventually([this]() { return !fApp->IsLaunching(); }));
		WaitIdle();
	}

	~RealQuorrel()
	{
		if (!fEnded)
			fApp->PostMessage(B_QUIT_REQUESTED);
		fThread.join();
		delete fApp;
		if (!fDocument.empty())
			unlink(fDocument.c_str());
	}

	// The application takes the test program's first argument (the test filter) for
	// a document to open; a small page of that name stands ready for it, so it opens
	// like any other document.
	static std::string _OwnArgument()
	{
		std::ifstream in("/proc/self/cmdline", std::ios::binary);
		std::string all((std::istreambuf_iterator<char>(in)),
			std::istreambuf_iterator<char>());
		size_t first = all.find('\0');
		if (first == std::string::npos || first + 1 >= all.size())
			return "";
		std::string argument = all.substr(first + 1, all.find('\0', first + 1) - first - 1);
		if (argument.empty() || argument[0] == '/' || access(argument.c_str(), F_OK) == 0)
			return "";
		std::ofstream page(argument);
		page << "<p>test</p>\n";
		return argument;
	}

	std::string			fDocument;

	Quorrel*			fApp;
	std::atomic<bool>	fEnded;
	std::thread			fThread;
};


int32
CountWizards(BApplication* app)
{
	int32 count = 0;
	for (int32 i = 0; i < app->CountWindows(); i++)
		count += dynamic_cast<FirstStartWindow*>(app->WindowAt(i)) != NULL;
	return count;
}

}	// namespace


TEST(AppStartupTest, NormalStartOpensTheEditorWindowAndAConfirmedQuitEndsIt)
{
	TempAppDir appDir;
	appDir.Write("Settings/settings", "language=\"English\"\nname=\"\"\nemail=\"\"\n"
		"encoding=\"ISO 8859-1\"\nicons=\"normal\"\ngfx_dir=\"gfx\"\n");
	RealQuorrel running;
	QuorrelMainWindow* window = running.fApp->MainWindow();
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(0, CountWizards(running.fApp));

	std::string title;
	BRect frame;
	uint32 flags = 0;
	bool hidden = true;
	Locked(window, [&]() {
		title = window->Title();
		frame = window->Frame();
		flags = window->Flags();
		hidden = window->IsHidden();
	});
	EXPECT_EQ("Quorrel", title);
	// The launch argument opened beside the untitled document.
	if (!running.fDocument.empty()) {
		int32 documents = 0;
		Locked(window, [&]() { documents = window->DocumentCount(); });
		EXPECT_EQ(2, documents);
	}
	EXPECT_FALSE(hidden);
	EXPECT_NE(0u, flags & B_NOT_RESIZABLE);
	BRect screen = BScreen(window).Frame();
	// Moved to (10, 30) and sized to the screen's right and bottom less 20 and 40.
	EXPECT_EQ(BRect(10, 30, 10 + screen.right - 20, 30 + screen.bottom - 40), frame);

	// 'QUhe' is the unsaved-documents window's "quit": the window closes and the
	// application ends with it.
	running.fApp->PostMessage('QUhe');
	EXPECT_TRUE(Eventually([&]() { return running.fEnded.load(); }));
}


TEST(AppStartupTest, FirstStartOpensOnlyTheWizard)
{
	TempAppDir appDir;
	RealQuorrel running;
	EXPECT_EQ(NULL, running.fApp->MainWindow());
	EXPECT_EQ(1, CountWizards(running.fApp));
	EXPECT_EQ(1, running.fApp->CountWindows()
		- (running.fApp->Bubble()->BubbleWindow() != NULL ? 1 : 0));
}
