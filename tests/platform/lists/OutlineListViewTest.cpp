// BOutlineListView: AddUnder's order, the visible rows of expanded and collapsed items,
// the full list's indexes, removal with subitems, and the latch and arrow keys through
// the headless server.

#include <InterfaceDefs.h>
#include <OutlineListView.h>
#include <ScrollView.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/KeyMap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

using BPrivate::HeadlessTest;

namespace {

std::string
VisibleTexts(const BOutlineListView* list)
{
	std::string text;
	for (int32 i = 0; i < list->CountItems(); i++) {
		text += (i == 0 ? "" : " ");
		text += static_cast<BStringItem*>(list->ItemAt(i))->Text();
	}
	return text;
}


std::string
FullTexts(const BOutlineListView* list)
{
	std::string text;
	for (int32 i = 0; i < list->FullListCountItems(); i++) {
		BListItem* item = list->FullListItemAt(i);
		text += (i == 0 ? "" : " ");
		text += static_cast<BStringItem*>(item)->Text();
		text += std::to_string(item->OutlineLevel());
	}
	return text;
}


void
DeleteAll(BOutlineListView* list)
{
	while (list->FullListCountItems() > 0)
		delete list->RemoveItem(list->FullListCountItems() - 1);
}


BListItem*
FindFirst(BListItem* item, void* data)
{
	return strcmp(static_cast<BStringItem*>(item)->Text(), (const char*)data) == 0
		? item : NULL;
}


int
CompareTexts(const BListItem* a, const BListItem* b)
{
	return strcmp(static_cast<const BStringItem*>(a)->Text(),
		static_cast<const BStringItem*>(b)->Text());
}

}	// namespace


TEST(OutlineListViewTest, AddUnderPutsEachItemDirectlyBelowItsParent)
{
	BOutlineListView list(BRect(0, 0, 199, 199), "tree");
	BStringItem* root = new BStringItem("root");
	BStringItem* other = new BStringItem("other");
	list.AddItem(root);
	list.AddItem(other);
	BStringItem* a = new BStringItem("a");
	BStringItem* b = new BStringItem("b");
	BStringItem* c = new BStringItem("c");
	EXPECT_TRUE(list.AddUnder(a, root));
	EXPECT_TRUE(list.AddUnder(b, root));
	EXPECT_TRUE(list.AddUnder(c, a));
	// The last added comes first, right below its parent, with its level one deeper.
	EXPECT_EQ("root0 b1 a1 c2 other0", FullTexts(&list));
	EXPECT_EQ(5, list.CountItems());
	EXPECT_FALSE(list.AddUnder(a, root));
	BStringItem stray("stray");
	BStringItem orphan("orphan");
	EXPECT_FALSE(list.AddUnder(&orphan, &stray));
	EXPECT_FALSE(list.AddUnder(NULL, root));

	EXPECT_EQ(root, list.Superitem(a));
	EXPECT_EQ(a, list.Superitem(c));
	EXPECT_EQ(nullptr, list.Superitem(root));
	EXPECT_EQ(nullptr, list.Superitem(&stray));
	EXPECT_EQ(3, list.CountItemsUnder(root, false));
	EXPECT_EQ(2, list.CountItemsUnder(root, true));
	EXPECT_EQ(a, list.ItemUnderAt(root, true, 1));
	EXPECT_EQ(c, list.ItemUnderAt(root, false, 2));
	EXPECT_EQ(nullptr, list.ItemUnderAt(root, true, 2));
	EXPECT_EQ(2, list.CountItemsUnder(NULL, true));
	EXPECT_EQ(c, list.EachItemUnder(root, false, FindFirst, (void*)"c"));
	EXPECT_EQ(nullptr, list.EachItemUnder(root, true, FindFirst, (void*)"c"));

	list.FullListSortItems(CompareTexts);
	EXPECT_EQ("other0 root0 a1 c2 b1", FullTexts(&list));

	// Removing an item takes its subitems out with it.
	EXPECT_TRUE(list.RemoveItem(a));
	EXPECT_EQ("other0 root0 b1", FullTexts(&list));
	EXPECT_FALSE(list.FullListHasItem(c));
	delete a;
	delete c;
	DeleteAll(&list);
	EXPECT_TRUE(list.FullListIsEmpty());
}


TEST(OutlineListViewTest, OwnerSetsTheHorizontalBarAndTheListTheVertical)
{
	BOutlineListView* tree = new BOutlineListView(BRect(0, 0, 99, 49), "tree");
	BScrollView scroll("scroll", tree, B_FOLLOW_NONE, 0, true, true);
	BScrollBar* horizontal = scroll.ScrollBar(B_HORIZONTAL);
	horizontal->SetRange(0, 150);
	horizontal->SetProportion(0.5f);
	BStringItem* root = new BStringItem("root");
	tree->AddItem(root);
	for (int i = 0; i < 10; i++)
		tree->AddUnder(new BStringItem("a rather long name of a file"), root);
	float min, max;
	horizontal->GetRange(&min, &max);
	EXPECT_EQ(150.0f, max);
	EXPECT_EQ(0.5f, horizontal->Proportion());
	scroll.ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	EXPECT_EQ(tree->ItemFrame(10).bottom + 1 - 50, max);
	tree->Collapse(root);
	scroll.ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	EXPECT_EQ(0.0f, max);
	DeleteAll(tree);
}


TEST(OutlineListViewTest, CollapsedItemsHideTheirSubitems)
{
	BOutlineListView list(BRect(0, 0, 199, 199), "tree", B_MULTIPLE_SELECTION_LIST);
	BStringItem* top = new BStringItem("top");
	BStringItem* folder = new BStringItem("folder");
	BStringItem* file = new BStringItem("file");
	BStringItem* last = new BStringItem("last");
	list.AddItem(top);
	list.AddItem(last);
	list.AddUnder(folder, top);
	list.AddUnder(file, folder);
	EXPECT_EQ("top folder file last", VisibleTexts(&list));

	list.Select(2);
	list.Select(3, true);
	list.Collapse(folder);
	EXPECT_FALSE(list.IsExpanded(1));
	EXPECT_EQ("top folder last", VisibleTexts(&list));
	// The hidden item lost its selection; the full list's indexes stay put.
	EXPECT_FALSE(file->IsSelected());
	EXPECT_EQ(2, list.CurrentSelection());
	EXPECT_EQ(3, list.FullListCurrentSelection());
	EXPECT_EQ(2, list.FullListIndexOf(file));
	EXPECT_EQ(-1, list.IndexOf(file));
	EXPECT_EQ(3, list.FullListIndexOf(last));
	EXPECT_EQ(2, list.IndexOf(last));
	EXPECT_EQ(3, list.FullListIndexOf(list.ItemFrame(2).LeftTop()));

	list.Collapse(top);
	EXPECT_EQ("top last", VisibleTexts(&list));
	list.Expand(top);
	EXPECT_EQ("top folder last", VisibleTexts(&list));
	list.Expand(folder);
	EXPECT_EQ("top folder file last", VisibleTexts(&list));

	// Adding under a collapsed item adds a hidden row.
	list.Collapse(folder);
	BStringItem* hidden = new BStringItem("hidden");
	list.AddUnder(hidden, folder);
	EXPECT_EQ("top folder last", VisibleTexts(&list));
	EXPECT_EQ(5, list.FullListCountItems());
	// A full list index may point below a collapsed item.
	BStringItem* inserted = new BStringItem("inserted", 2);
	EXPECT_TRUE(list.AddItem(inserted, 3));
	EXPECT_EQ("top folder last", VisibleTexts(&list));
	BStringItem outside("outside");
	EXPECT_FALSE(list.AddItem(&outside, 99));
	EXPECT_EQ(6, list.FullListCountItems());
	DeleteAll(&list);
}


TEST(OutlineListViewTest, LatchAndArrowKeysExpandAndCollapse)
{
	BWindow* window = new BWindow(BRect(100, 100, 299, 299), "tree", B_TITLED_WINDOW, 0);
	BOutlineListView* list = new BOutlineListView(BRect(0, 0, 199, 199), "tree");
	BStringItem* top = new BStringItem("top");
	BStringItem* folder = new BStringItem("folder", 0, false);
	list->AddItem(top);
	list->AddUnder(new BStringItem("child"), top);
	list->AddItem(folder);
	list->AddUnder(new BStringItem("inside"), folder);
	window->AddChild(list);
	ShowAndWait(window);
	window->Lock();
	EXPECT_EQ("top child folder", VisibleTexts(list));
	BRect folderRow = list->ItemFrame(2);
	window->Unlock();

	const char* dir = getenv("QUORREL_LISTS_PNG_DIR");
	if (dir != NULL)
		HeadlessTest::SaveWindowPNG(ServerWindowOf(window),
			(std::string(dir) + "/outline.png").c_str());
	// The latch is drawn dark at the left of items with subitems, not of the others.
	auto darkest = [&](BRect row, float left, float right) {
		uint32 minimum = 255;
		for (float x = left; x <= right; x++) {
			for (float y = row.top; y <= row.bottom; y++)
				minimum = std::min(minimum, ShownPixel(window, BPoint(x, y)) & 0xff);
		}
		return minimum;
	};
	EXPECT_LT(darkest(folderRow, 0, 13), 100u);
	window->Lock();
	BRect childRow = list->ItemFrame(1);
	window->Unlock();
	EXPECT_EQ(255u, darkest(childRow, 0, 27));

	// A click on the latch expands without selecting.
	BPoint latch(7, (folderRow.top + folderRow.bottom) / 2);
	HeadlessTest::Click(ToScreen(window, latch));
	WaitIdle();
	window->Lock();
	EXPECT_EQ("top child folder inside", VisibleTexts(list));
	EXPECT_EQ(-1, list->CurrentSelection());
	window->Unlock();

	// On the keyboard: left collapses, right expands, left on a leaf goes up.
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ToScreen(window, BPoint(60, (folderRow.top + folderRow.bottom) / 2)));
	WaitIdle();
	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow);
	WaitIdle();
	window->Lock();
	EXPECT_EQ("top child folder", VisibleTexts(list));
	EXPECT_EQ(2, list->CurrentSelection());
	window->Unlock();
	HeadlessTest::PressKey(BPrivate::kKeyRightArrow);
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	HeadlessTest::PressKey(BPrivate::kKeyLeftArrow);
	WaitIdle();
	window->Lock();
	EXPECT_EQ("top child folder inside", VisibleTexts(list));
	EXPECT_EQ(folder, list->ItemAt(list->CurrentSelection()));
	DeleteAll(list);
	window->Unlock();
	QuitWindow(window);
}
