// The gallery's lists: a list of words in a scroll view with one row selected and one
// disabled, an outline list with an expanded and a collapsed folder, and a tab view
// with three pages, laid out from left to right in the area given.

#include <ListView.h>
#include <OutlineListView.h>
#include <ScrollView.h>
#include <TabView.h>
#include <View.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char* const kWords[] = {
	"Anchor", "Bold", "Break", "Comment", "Division", "Emphasis", "Form", "Heading",
	"Image", "Italic", "Link", "List", "Meta", "Paragraph", "Preformatted", "Quote",
	"Script", "Span", "Style", "Table"
};


// A page of the tab view: a panel with a few rows of text.
class GalleryPage : public BView {
public:
	GalleryPage(BRect frame, const char* name, const char* text)
		:
		BView(frame, name, B_FOLLOW_ALL, B_WILL_DRAW),
		fText(text)
	{
		SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(0, 0, 0);
		SetLowColor(ViewColor());
		DrawString(fText, BPoint(10, 20));
	}

private:
	const char* fText;
};


// A list owns nothing of its items, as on R5: these two give theirs back when the
// window goes.
class GalleryList : public BListView {
public:
	GalleryList(BRect frame, const char* name, list_view_type type)
		:
		BListView(frame, name, type, B_FOLLOW_LEFT | B_FOLLOW_TOP)
	{
	}

	~GalleryList() override
	{
		std::vector<BListItem*> items;
		for (int32 i = 0; i < CountItems(); i++)
			items.push_back(ItemAt(i));
		MakeEmpty();
		for (BListItem* item : items)
			delete item;
	}
};


class GalleryTree : public BOutlineListView {
public:
	GalleryTree(BRect frame, const char* name)
		:
		BOutlineListView(frame, name, B_SINGLE_SELECTION_LIST, B_FOLLOW_LEFT | B_FOLLOW_TOP)
	{
	}

	~GalleryTree() override
	{
		// Collapsed items are in the full list only.
		std::vector<BListItem*> items;
		for (int32 i = 0; i < FullListCountItems(); i++)
			items.push_back(FullListItemAt(i));
		MakeEmpty();
		for (BListItem* item : items)
			delete item;
	}
};


BScrollView*
MakeWordList(BRect frame)
{
	BListView* list = new GalleryList(frame, "gallery words", B_MULTIPLE_SELECTION_LIST);
	for (const char* word : kWords)
		list->AddItem(new BStringItem(word));
	list->ItemAt(4)->SetEnabled(false);
	list->Select(2);
	list->Select(5, 6, true);
	return new BScrollView("gallery words scroll", list, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0,
		false, true, B_FANCY_BORDER);
}


BScrollView*
MakeTree(BRect frame)
{
	BOutlineListView* tree = new GalleryTree(frame, "gallery tree");
	BStringItem* site = new BStringItem("site");
	BStringItem* images = new BStringItem("images");
	BStringItem* pages = new BStringItem("pages");
	BStringItem* styles = new BStringItem("styles", 0, false);
	tree->AddItem(site);
	tree->AddItem(styles);
	tree->AddUnder(new BStringItem("main.css"), styles);
	// AddUnder puts each new item right under its parent: add the last one first.
	tree->AddUnder(pages, site);
	tree->AddUnder(images, site);
	tree->AddUnder(new BStringItem("logo.png"), images);
	tree->AddUnder(new BStringItem("news.html"), pages);
	tree->AddUnder(new BStringItem("index.html"), pages);
	tree->Select(tree->IndexOf(pages) + 1);
	return new BScrollView("gallery tree scroll", tree, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0,
		true, true, B_FANCY_BORDER);
}


BTabView*
MakeTabs(BRect frame)
{
	BTabView* tabs = new BTabView(frame, "gallery tabs", B_WIDTH_FROM_LABEL,
		B_FOLLOW_LEFT | B_FOLLOW_TOP);
	BRect page(0, 0, frame.Width() - 6, frame.Height() - tabs->TabHeight() - 6);
	tabs->AddTab(new GalleryPage(page, "index.html", "The first document"));
	tabs->AddTab(new GalleryPage(page, "news.html", "The second document"));
	tabs->AddTab(new GalleryPage(page, "Untitled1", "A new document"));
	tabs->Select(1);
	return tabs;
}

}	// namespace


void
AddListControls(BView* parent, BRect area)
{
	if (parent == NULL || !area.IsValid())
		return;
	// Three columns: the word list and the tree share the left half, the tab view
	// takes the right half.
	float gap = 10;
	float column = floorf((area.Width() - 2 * gap) / 4);
	float height = std::min(area.Height(), 220.0f);
	float scrollExtra = B_V_SCROLL_BAR_WIDTH + 4;

	BRect listFrame(area.left + 2, area.top + 2,
		area.left + column - scrollExtra, area.top + height - 3);
	parent->AddChild(MakeWordList(listFrame));

	float treeLeft = area.left + column + gap;
	BRect treeFrame(treeLeft + 2, area.top + 2, treeLeft + column - scrollExtra,
		area.top + height - B_H_SCROLL_BAR_HEIGHT - 4);
	parent->AddChild(MakeTree(treeFrame));

	BRect tabFrame(area.left + 2 * (column + gap), area.top, area.right, area.top + height);
	parent->AddChild(MakeTabs(tabFrame));
}
