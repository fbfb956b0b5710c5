// BTabView and BTab: tabs and their views, labels from view names, removal that hands
// the tab back with its view detached, switching by click and Ctrl+Tab through the
// headless server, and the tab look.

#include <InterfaceDefs.h>
#include <TabView.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using BPrivate::HeadlessTest;

namespace {

BView*
Page(const char* name)
{
	BView* view = new BView(BRect(0, 0, 100, 80), name, B_FOLLOW_NONE,
		B_WILL_DRAW | B_NAVIGABLE);
	view->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	return view;
}


int32
LockedSelection(BTabView* tabView)
{
	tabView->Window()->Lock();
	int32 selection = tabView->Selection();
	tabView->Window()->Unlock();
	return selection;
}

}	// namespace


TEST(TabViewTest, TabsAttachOnlyTheSelectedViewAndGiveRemovedTabsBack)
{
	BWindow* window = new BWindow(BRect(100, 100, 499, 399), "tabs", B_TITLED_WINDOW, 0);
	BTabView* tabView = new BTabView(BRect(0, 0, 399, 299), "tabs");
	window->AddChild(tabView);
	window->Lock();
	BView* one = Page("one");
	BView* two = Page("two");
	BView* three = Page("three");
	tabView->AddTab(one);
	tabView->AddTab(two);
	BTab* own = new BTab();
	tabView->AddTab(three, own);

	EXPECT_EQ(3, tabView->CountTabs());
	EXPECT_EQ(0, tabView->Selection());
	EXPECT_STREQ("two", tabView->TabAt(1)->Label());
	EXPECT_EQ(own, tabView->TabAt(2));
	EXPECT_EQ(three, tabView->ViewForTab(2));
	EXPECT_EQ(nullptr, tabView->TabAt(3));
	EXPECT_EQ(nullptr, tabView->ViewForTab(-1));
	EXPECT_EQ(tabView->ContainerView(), one->Parent());
	EXPECT_EQ(nullptr, two->Parent());
	EXPECT_TRUE(tabView->TabAt(0)->IsSelected());

	// The container is the box's inside: below the tabs, three pixels in.
	EXPECT_GT(tabView->TabHeight(), 10.0f);
	EXPECT_EQ(BRect(3, tabView->TabHeight() + 3, 396, 296),
		tabView->ContainerView()->Frame());
	tabView->SetTabHeight(30);
	EXPECT_EQ(BRect(3, 33, 396, 296), tabView->ContainerView()->Frame());

	EXPECT_EQ(100.0f, tabView->TabFrame(1).Width() + 1);
	EXPECT_EQ(tabView->TabFrame(0).right + 1, tabView->TabFrame(1).left);
	tabView->SetTabWidth(B_WIDTH_FROM_LABEL);
	EXPECT_LT(tabView->TabFrame(0).Width(), tabView->TabFrame(2).Width());
	tabView->SetTabWidth(B_WIDTH_FROM_WIDEST);
	EXPECT_EQ(tabView->TabFrame(0).Width(), tabView->TabFrame(2).Width());

	tabView->Select(2);
	EXPECT_EQ(2, tabView->Selection());
	EXPECT_EQ(nullptr, one->Parent());
	EXPECT_EQ(window, three->Window());
	tabView->Select(7);
	EXPECT_EQ(2, tabView->Selection());
	tabView->TabAt(1)->SetEnabled(false);
	tabView->Select(1);
	EXPECT_EQ(2, tabView->Selection());
	tabView->TabAt(1)->SetEnabled(true);

	own->SetLabel("renamed");
	EXPECT_STREQ("renamed", own->Label());
	EXPECT_STREQ("renamed", three->Name());

	// Removing the selected last tab selects the one before it.
	BTab* removed = tabView->RemoveTab(2);
	EXPECT_EQ(own, removed);
	EXPECT_EQ(three, removed->View());
	EXPECT_EQ(nullptr, three->Parent());
	EXPECT_EQ(nullptr, three->Window());
	EXPECT_FALSE(removed->IsSelected());
	EXPECT_EQ(1, tabView->Selection());
	EXPECT_EQ(tabView->ContainerView(), two->Parent());
	EXPECT_EQ(nullptr, tabView->RemoveTab(5));
	delete removed;

	// Removing a tab before the selected one keeps the same page shown.
	delete tabView->RemoveTab(0);
	EXPECT_EQ(0, tabView->Selection());
	EXPECT_EQ(two, tabView->ViewForTab(0));
	delete tabView->RemoveTab(0);
	EXPECT_EQ(-1, tabView->Selection());
	EXPECT_EQ(0, tabView->CountTabs());
	window->Unlock();
	delete window;
}


TEST(TabViewTest, ClicksAndCtrlTabSwitchPages)
{
	BWindow* window = new BWindow(BRect(100, 100, 499, 399), "tabs", B_TITLED_WINDOW, 0);
	BTabView* tabView = new BTabView(BRect(0, 0, 399, 299), "tabs");
	window->AddChild(tabView);
	BView* pages[3] = { Page("Alpha"), Page("Beta"), Page("Gamma") };
	for (BView* page : pages)
		tabView->AddTab(page);
	ShowAndWait(window);

	window->Lock();
	BRect third = tabView->TabFrame(2);
	window->Unlock();
	HeadlessTest::Click(ToScreen(window, BPoint(third.left + 20, third.bottom - 4)));
	WaitIdle();
	EXPECT_EQ(2, LockedSelection(tabView));

	const char* dir = getenv("QUORREL_LISTS_PNG_DIR");
	if (dir != NULL)
		HeadlessTest::SaveWindowPNG(ServerWindowOf(window),
			(std::string(dir) + "/tabs.png").c_str());

	// The box's top line is lit under the other tabs and open under the selected one.
	window->Lock();
	float boxTop = tabView->TabHeight();
	BRect first = tabView->TabFrame(0);
	window->Unlock();
	EXPECT_EQ(RGB(255, 255, 255), ShownPixel(window, BPoint(first.left + 50, boxTop)));
	EXPECT_EQ(RGB(216, 216, 216), ShownPixel(window, BPoint(third.left + 50, boxTop)));
	// The selected tab stands higher than the others: its top line is lit where the
	// others show the panel above them.
	EXPECT_EQ(RGB(255, 255, 255), ShownPixel(window, BPoint(third.left + 50, 0)));
	EXPECT_NE(RGB(255, 255, 255), ShownPixel(window, BPoint(first.left + 50, 0)));

	// Ctrl+Tab and Shift+Ctrl+Tab move through the pages while the focus is inside.
	window->Lock();
	pages[2]->MakeFocus(true);
	window->Unlock();
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_COMMAND_KEY);
	WaitIdle();
	EXPECT_EQ(0, LockedSelection(tabView));
	window->Lock();
	EXPECT_EQ(nullptr, pages[2]->Window());
	EXPECT_EQ(window, pages[0]->Window());
	tabView->MakeFocus(true);
	window->Unlock();
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_COMMAND_KEY | B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ(2, LockedSelection(tabView));
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_COMMAND_KEY | B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ(1, LockedSelection(tabView));

	// With the focus on the tab view, the arrows move the mark and Space selects.
	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow);
	HeadlessTest::PressKey(BPrivate::kKeySpace);
	WaitIdle();
	EXPECT_EQ(0, LockedSelection(tabView));

	// Outside the tab view Ctrl+Tab does nothing to it.
	window->Lock();
	tabView->MakeFocus(false);
	window->Unlock();
	HeadlessTest::PressKey(BPrivate::kKeyTab, B_COMMAND_KEY);
	WaitIdle();
	EXPECT_EQ(0, LockedSelection(tabView));
	QuitWindow(window);
}
