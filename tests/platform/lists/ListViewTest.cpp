// BListView and BStringItem: the item calls, the selection rules of both list types,
// the selection and invocation messages, mouse and keys through the headless server, the
// enclosing scroll bar, and the look of a selected row.

#include <InterfaceDefs.h>
#include <List.h>
#include <ListView.h>
#include <Message.h>
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

const uint32 kSelected = 'sel_';
const uint32 kInvoked = 'inv_';


// Logs the list messages it receives as "sel 1,2" or "inv 3".
class LogWindow : public BWindow {
public:
	LogWindow(BRect frame)
		:
		BWindow(frame, "list", B_TITLED_WINDOW, 0)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != kSelected && message->what != kInvoked) {
			BWindow::MessageReceived(message);
			return;
		}
		std::string entry = message->what == kSelected ? "sel" : "inv";
		int32 index;
		for (int32 i = 0; message->FindInt32("index", i, &index) == B_OK; i++)
			entry += (i == 0 ? " " : ",") + std::to_string(index);
		fLog.Add(entry);
	}

	EventLog fLog;
};


class CountingList : public BListView {
public:
	CountingList(BRect frame, list_view_type type)
		:
		BListView(frame, "list", type, B_FOLLOW_NONE)
	{
	}

	void SelectionChanged() override
	{
		fChanges++;
	}

	int fChanges = 0;
};


// Records the drags the list would start.
class DraggingList : public BListView {
public:
	DraggingList(BRect frame)
		:
		BListView(frame, "drag", B_SINGLE_SELECTION_LIST, B_FOLLOW_NONE)
	{
	}

	bool InitiateDrag(BPoint point, int32 index, bool wasSelected) override
	{
		fLog.Add("drag " + std::to_string(index) + (wasSelected ? " selected" : " plain"));
		return true;
	}

	EventLog fLog;
};


std::string
Selection(const BListView* list)
{
	std::string text;
	for (int32 i = 0; list->CurrentSelection(i) >= 0; i++)
		text += (i == 0 ? "" : ",") + std::to_string(list->CurrentSelection(i));
	return text;
}


std::string
Texts(const BListView* list)
{
	std::string text;
	for (int32 i = 0; i < list->CountItems(); i++) {
		text += (i == 0 ? "" : " ");
		text += static_cast<BStringItem*>(list->ItemAt(i))->Text();
	}
	return text;
}


int
CompareTexts(const void* a, const void* b)
{
	const BStringItem* first = *static_cast<BStringItem* const*>(a);
	const BStringItem* second = *static_cast<BStringItem* const*>(b);
	return strcmp(first->Text(), second->Text());
}


bool
CountEnabled(BListItem* item, void* data)
{
	if (item->IsEnabled())
		(*static_cast<int*>(data))++;
	return false;
}


void
FillList(BListView* list, int count)
{
	for (int i = 0; i < count; i++)
		list->AddItem(new BStringItem(("item " + std::to_string(i)).c_str()));
}


void
DeleteItems(BListView* list)
{
	for (int32 i = list->CountItems() - 1; i >= 0; i--)
		delete list->RemoveItem(i);
}


BPoint
ItemPoint(BWindow* window, BListView* list, int32 index)
{
	window->Lock();
	BRect frame = list->ItemFrame(index);
	BPoint point(frame.left + 40, (frame.top + frame.bottom) / 2);
	point = list->ConvertToParent(point);
	if (list->Parent() != NULL)
		point = list->Parent()->ConvertToParent(point);
	window->Unlock();
	return ToScreen(window, point);
}


std::string
LockedSelection(BWindow* window, BListView* list)
{
	window->Lock();
	std::string text = Selection(list);
	window->Unlock();
	return text;
}

}	// namespace


TEST(ListViewTest, ItemCallsKeepOrderAndRefuseBadInput)
{
	BListView list(BRect(0, 0, 99, 99), "list");
	BStringItem* a = new BStringItem("a");
	BStringItem* b = new BStringItem("b");
	BStringItem* c = new BStringItem("c");
	EXPECT_TRUE(list.IsEmpty());
	EXPECT_TRUE(list.AddItem(b));
	EXPECT_TRUE(list.AddItem(a, 0));
	EXPECT_TRUE(list.AddItem(c));
	EXPECT_FALSE(list.AddItem(c));
	EXPECT_FALSE(list.AddItem(NULL));
	BStringItem stray("stray");
	EXPECT_FALSE(list.AddItem(&stray, 9));
	EXPECT_FALSE(list.AddItem(&stray, -1));
	EXPECT_EQ("a b c", Texts(&list));
	EXPECT_EQ(3, list.CountItems());
	EXPECT_EQ(a, list.FirstItem());
	EXPECT_EQ(c, list.LastItem());
	EXPECT_EQ(1, list.IndexOf(b));
	EXPECT_EQ(-1, list.IndexOf(&stray));
	EXPECT_EQ(nullptr, list.ItemAt(3));
	EXPECT_EQ(nullptr, list.ItemAt(-1));
	EXPECT_TRUE(list.HasItem(c));
	EXPECT_EQ((const BListItem*)b, list.Items()[1]);

	// Rows stack without gaps; each frame is Height() high and IndexOf(point) agrees.
	BRect first = list.ItemFrame(0);
	BRect second = list.ItemFrame(1);
	EXPECT_EQ(a->Height(), first.Height());
	EXPECT_GT(a->Height(), 8.0f);
	EXPECT_EQ(first.bottom + 1, second.top);
	EXPECT_EQ(1, list.IndexOf(BPoint(5, second.top)));
	EXPECT_EQ(0, list.IndexOf(BPoint(5, first.bottom)));
	EXPECT_EQ(-1, list.IndexOf(BPoint(5, list.ItemFrame(2).bottom + 1)));
	EXPECT_FALSE(list.ItemFrame(5).IsValid());

	EXPECT_TRUE(list.SwapItems(0, 2));
	EXPECT_EQ("c b a", Texts(&list));
	EXPECT_FALSE(list.SwapItems(0, 3));
	EXPECT_TRUE(list.MoveItem(0, 2));
	EXPECT_EQ("b a c", Texts(&list));
	EXPECT_FALSE(list.MoveItem(-1, 0));
	list.SortItems(CompareTexts);
	EXPECT_EQ("a b c", Texts(&list));

	BStringItem* d = new BStringItem("d");
	EXPECT_TRUE(list.ReplaceItem(1, d));
	EXPECT_EQ("a d c", Texts(&list));
	EXPECT_FALSE(list.ReplaceItem(5, b));
	EXPECT_FALSE(list.ReplaceItem(0, c));

	BList more;
	BStringItem* e = new BStringItem("e");
	more.AddItem(b);
	more.AddItem(e);
	EXPECT_TRUE(list.AddList(&more, 1));
	EXPECT_EQ("a b e d c", Texts(&list));
	EXPECT_FALSE(list.AddList(&more));

	b->SetEnabled(false);
	int enabled = 0;
	list.DoForEach(CountEnabled, &enabled);
	EXPECT_EQ(4, enabled);

	EXPECT_TRUE(list.RemoveItem(e));
	EXPECT_FALSE(list.RemoveItem(e));
	EXPECT_EQ(nullptr, list.RemoveItem(7));
	EXPECT_FALSE(list.RemoveItems(2, 9));
	EXPECT_TRUE(list.RemoveItems(1, 2));
	EXPECT_EQ("a c", Texts(&list));
	delete e;
	delete b;
	delete d;
	DeleteItems(&list);
	EXPECT_TRUE(list.IsEmpty());
}


TEST(ListViewTest, SelectionRulesOfBothListTypes)
{
	CountingList single(BRect(0, 0, 99, 99), B_SINGLE_SELECTION_LIST);
	FillList(&single, 6);
	single.Select(1);
	single.Select(3, true);
	EXPECT_EQ("3", Selection(&single));
	single.Select(0, 4);
	EXPECT_EQ("4", Selection(&single));
	EXPECT_EQ(3, single.fChanges);
	single.Select(4);
	EXPECT_EQ(3, single.fChanges);
	single.ItemAt(2)->SetEnabled(false);
	single.Select(2);
	EXPECT_EQ("4", Selection(&single));
	EXPECT_FALSE(single.Deselect(1));
	EXPECT_TRUE(single.Deselect(4));
	EXPECT_EQ(-1, single.CurrentSelection());
	single.Select(9);
	single.Select(-2);
	EXPECT_EQ("", Selection(&single));
	DeleteItems(&single);

	CountingList multiple(BRect(0, 0, 99, 99), B_MULTIPLE_SELECTION_LIST);
	FillList(&multiple, 8);
	multiple.Select(1);
	multiple.Select(3, 5, true);
	EXPECT_EQ("1,3,4,5", Selection(&multiple));
	EXPECT_TRUE(multiple.IsItemSelected(4));
	EXPECT_FALSE(multiple.IsItemSelected(2));
	EXPECT_EQ(5, multiple.CurrentSelection(3));
	EXPECT_EQ(-1, multiple.CurrentSelection(4));
	multiple.DeselectExcept(3, 4);
	EXPECT_EQ("3,4", Selection(&multiple));
	// Removing selected items changes the selection; the others move up.
	int before = multiple.fChanges;
	delete multiple.RemoveItem(3);
	EXPECT_EQ("3", Selection(&multiple));
	EXPECT_EQ(before + 1, multiple.fChanges);
	multiple.Select(0, 6, false);
	multiple.SetListType(B_SINGLE_SELECTION_LIST);
	EXPECT_EQ("0", Selection(&multiple));
	multiple.DeselectAll();
	EXPECT_EQ("", Selection(&multiple));
	DeleteItems(&multiple);
}


TEST(ListViewTest, MouseKeysAndMessagesThroughTheServer)
{
	LogWindow* window = new LogWindow(BRect(100, 100, 399, 399));
	BListView* list = new BListView(BRect(10, 10, 160, 120), "list",
		B_MULTIPLE_SELECTION_LIST, B_FOLLOW_NONE);
	FillList(list, 30);
	list->SetSelectionMessage(new BMessage(kSelected));
	list->SetInvocationMessage(new BMessage(kInvoked));
	BScrollView* scroll = new BScrollView("scroll", list, B_FOLLOW_NONE, 0, false, true);
	window->AddChild(scroll);
	ShowAndWait(window);

	// The scroll bar spans what does not fit.
	window->Lock();
	BScrollBar* bar = scroll->ScrollBar(B_VERTICAL);
	float min, max;
	bar->GetRange(&min, &max);
	float total = list->ItemFrame(29).bottom + 1;
	EXPECT_EQ(total - (list->Bounds().Height() + 1), max);
	EXPECT_NEAR((list->Bounds().Height() + 1) / total, bar->Proportion(), 0.001);
	window->Unlock();

	HeadlessTest::Click(ItemPoint(window, list, 2));
	WaitIdle();
	EXPECT_EQ("2", LockedSelection(window, list));
	EXPECT_TRUE(window->fLog.Contains("sel 2"));
	window->Lock();
	EXPECT_TRUE(list->IsFocus());
	window->Unlock();

	// Shift extends from the last plain click; Ctrl toggles one item.
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::KeyDown(BPrivate::kKeyLeftShift, B_SHIFT_KEY);
	HeadlessTest::Click(ItemPoint(window, list, 5));
	HeadlessTest::KeyUp(BPrivate::kKeyLeftShift, 0);
	WaitIdle();
	EXPECT_EQ("2,3,4,5", LockedSelection(window, list));
	EXPECT_TRUE(window->fLog.Contains("sel 2,3,4,5"));
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::KeyDown(BPrivate::kKeyLeftControl, B_COMMAND_KEY);
	HeadlessTest::Click(ItemPoint(window, list, 3));
	HeadlessTest::KeyUp(BPrivate::kKeyLeftControl, 0);
	WaitIdle();
	EXPECT_EQ("2,4,5", LockedSelection(window, list));

	// Keys: down selects the item after the last one selected, Shift+down extends.
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow);
	WaitIdle();
	EXPECT_EQ("6", LockedSelection(window, list));
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow, B_SHIFT_KEY);
	HeadlessTest::PressKey(BPrivate::kKeyDownArrow, B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ("6,7,8", LockedSelection(window, list));
	HeadlessTest::PressKey(BPrivate::kKeyUpArrow, B_SHIFT_KEY);
	WaitIdle();
	EXPECT_EQ("6,7", LockedSelection(window, list));

	// End selects the last item and scrolls it into view.
	HeadlessTest::PressKey(BPrivate::kKeyEnd);
	WaitIdle();
	window->Lock();
	EXPECT_EQ("29", Selection(list));
	EXPECT_EQ(list->ItemFrame(29).bottom, list->Bounds().bottom);
	EXPECT_EQ(list->Bounds().top, bar->Value());
	window->Unlock();
	HeadlessTest::PressKey(BPrivate::kKeyHome);
	WaitIdle();
	window->Lock();
	EXPECT_EQ("0", Selection(list));
	EXPECT_EQ(0.0f, list->Bounds().top);
	window->Unlock();

	// Page down moves by what the view shows.
	HeadlessTest::PressKey(BPrivate::kKeyPageDown);
	WaitIdle();
	window->Lock();
	int32 paged = list->CurrentSelection();
	EXPECT_EQ(list->IndexOf(BPoint(0, list->ItemFrame(0).bottom
		+ list->Bounds().Height())), paged);
	EXPECT_GT(paged, 3);
	window->Unlock();
	HeadlessTest::PressKey(BPrivate::kKeyPageUp);
	WaitIdle();
	EXPECT_EQ("0", LockedSelection(window, list));

	// The wheel over the list scrolls it through the bar.
	HeadlessTest::MoveMouse(ItemPoint(window, list, 1));
	HeadlessTest::TurnWheel(0, 1);
	WaitIdle();
	window->Lock();
	EXPECT_GT(list->Bounds().top, 0.0f);
	EXPECT_EQ(list->Bounds().top, bar->Value());
	list->ScrollToSelection();
	EXPECT_EQ(0.0f, list->Bounds().top);
	window->Unlock();

	window->fLog.Clear();
	HeadlessTest::PressKey(BPrivate::kKeyReturn);
	WaitIdle();
	EXPECT_TRUE(window->fLog.Contains("inv 0"));

	// A double click invokes the item it selects.
	window->fLog.Clear();
	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::Click(ItemPoint(window, list, 1), B_PRIMARY_MOUSE_BUTTON, 2);
	WaitIdle();
	EXPECT_EQ("1", LockedSelection(window, list));
	EXPECT_EQ((std::vector<std::string>{"sel 1", "inv 1"}), window->fLog.Entries());

	window->Lock();
	DeleteItems(list);
	window->Unlock();
	QuitWindow(window);
}


TEST(ListViewTest, SelectedRowIsDrawnOnTheHighlightColour)
{
	BWindow* window = new BWindow(BRect(100, 100, 299, 299), "look", B_TITLED_WINDOW, 0);
	BListView* list = new BListView(BRect(0, 0, 199, 199), "list");
	FillList(list, 4);
	list->ItemAt(3)->SetEnabled(false);
	window->AddChild(list);
	list->Select(1);
	ShowAndWait(window);

	const char* dir = getenv("QUORREL_LISTS_PNG_DIR");
	if (dir != NULL)
		HeadlessTest::SaveWindowPNG(ServerWindowOf(window),
			(std::string(dir) + "/list.png").c_str());

	window->Lock();
	BRect selected = list->ItemFrame(1);
	BRect plain = list->ItemFrame(2);
	window->Unlock();
	rgb_color highlight = tint_color(ui_color(B_DOCUMENT_BACKGROUND_COLOR),
		B_HIGHLIGHT_BACKGROUND_TINT);
	EXPECT_EQ(RGB(highlight.red, highlight.green, highlight.blue),
		ShownPixel(window, BPoint(190, selected.top)));
	EXPECT_EQ(RGB(highlight.red, highlight.green, highlight.blue),
		ShownPixel(window, BPoint(190, selected.bottom)));
	EXPECT_EQ(RGB(255, 255, 255), ShownPixel(window, BPoint(190, plain.top)));

	// Some text is drawn in black in an enabled row and none in the disabled one.
	auto darkest = [&](BRect row) {
		uint32 minimum = 255;
		for (float x = 0; x < 60; x++) {
			for (float y = row.top; y <= row.bottom; y++)
				minimum = std::min(minimum, ShownPixel(window, BPoint(x, y)) & 0xff);
		}
		return minimum;
	};
	EXPECT_LT(darkest(plain), 40u);
	uint32 disabled = darkest(list->ItemFrame(3));
	EXPECT_GT(disabled, 60u);
	EXPECT_LT(disabled, 200u);

	window->Lock();
	DeleteItems(list);
	window->Unlock();
	QuitWindow(window);
}


TEST(ListViewTest, PressAndMoveOnAnItemInitiatesADrag)
{
	BWindow* window = new BWindow(BRect(100, 100, 299, 299), "drag", B_TITLED_WINDOW, 0);
	DraggingList* list = new DraggingList(BRect(0, 0, 199, 199));
	FillList(list, 5);
	window->AddChild(list);
	ShowAndWait(window);

	BPoint start = ItemPoint(window, list, 2);
	HeadlessTest::PressMouse(start);
	HeadlessTest::MoveMouse(start + BPoint(1, 1));
	WaitIdle();
	EXPECT_TRUE(list->fLog.Entries().empty());
	HeadlessTest::MoveMouse(start + BPoint(12, 20));
	HeadlessTest::ReleaseMouse(start + BPoint(12, 20));
	WaitIdle();
	EXPECT_EQ((std::vector<std::string>{"drag 2 plain"}), list->fLog.Entries());
	EXPECT_EQ("2", LockedSelection(window, list));

	HeadlessTest::AdvanceClock(1000000);
	HeadlessTest::PressMouse(start);
	HeadlessTest::MoveMouse(start + BPoint(0, -30));
	HeadlessTest::ReleaseMouse(start + BPoint(0, -30));
	WaitIdle();
	EXPECT_TRUE(list->fLog.Contains("drag 2 selected"));

	window->Lock();
	DeleteItems(list);
	window->Unlock();
	QuitWindow(window);
}
