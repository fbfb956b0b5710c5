// The gallery's menu controls in a window: the bar's menus, the field's marked label,
// and the File menu opened as the gallery's --open-menu does, saved as a picture.

#include "MenuTestSupport.h"

#include <MenuField.h>
#include <PopUpMenu.h>

#include "interface/menus/MenuWindow.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

void AddMenuControls(BWindow* window, BView* parent, BRect area);

namespace {

const uint32 kOpen = 'open';

class GalleryWindow : public LoggingWindow {
public:
	GalleryWindow(MessageLog& log)
		:
		LoggingWindow(log, BRect(50, 50, 449, 249))
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kOpen) {
			BMenuBar* bar = dynamic_cast<BMenuBar*>(FindView("menu_bar"));
			opened = bar != NULL && BPrivate::MenuAccess::OpenBarMenu(bar, 1);
			return;
		}
		LoggingWindow::MessageReceived(message);
	}

	bool opened = false;
};

}	// namespace


TEST(GalleryMenusTest, ControlsAndAnOpenMenu)
{
	MessageLog log;
	GalleryWindow* window = new GalleryWindow(log);
	BView* panel = new BView(BRect(0, 20, 399, 199), "panel", B_FOLLOW_ALL, B_WILL_DRAW);
	panel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	window->AddChild(panel);
	AddMenuControls(window, panel, BRect(10, 20, 300, 60));
	window->Show();
	WaitIdle();

	window->Lock();
	BMenuBar* bar = dynamic_cast<BMenuBar*>(window->FindView("menu_bar"));
	BMenuField* field = dynamic_cast<BMenuField*>(window->FindView("encodings"));
	window->Unlock();
	ASSERT_NE(nullptr, bar);
	ASSERT_NE(nullptr, field);
	EXPECT_EQ(3, bar->CountItems());
	EXPECT_EQ(bar, window->KeyMenuBar());
	EXPECT_STREQ("ISO 8859-2", field->MenuItem()->Label());
	EXPECT_FALSE(bar->FindItem("Save project")->IsEnabled());
	EXPECT_TRUE(bar->FindItem("Wrap lines")->IsMarked());
	ASSERT_NE(nullptr, bar->FindItem("Alignment")->Submenu());

	std::string fieldPath = std::string(QUORREL_TEST_BIN_DIR) + "/gallery-field.png";
	EXPECT_EQ(B_OK, BPrivate::HeadlessTest::SaveScreenPNG(fieldPath.c_str()));
	window->PostMessage(kOpen);
	WaitIdle();
	EXPECT_TRUE(window->opened);
	BMenu* file = bar->SubmenuAt(1);
	ASSERT_TRUE(IsOpen(file));
	std::string path = std::string(QUORREL_TEST_BIN_DIR) + "/gallery-menus.png";
	EXPECT_EQ(B_OK, BPrivate::HeadlessTest::SaveScreenPNG(path.c_str()));

	// Opened that way, it behaves as after a click: the keys choose.
	BPrivate::HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	BPrivate::HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_FALSE(IsOpen(file));
	std::vector<std::string> expected = { "gWrp 0" };
	EXPECT_EQ(expected, log.Entries());

	window->Lock();
	window->Quit();
	WaitIdle();
}
