// The view tree, coordinates, resizing modes, frame events and visible regions.

#include <AppDefs.h>
#include <Message.h>
#include <Region.h>
#include <View.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "interface/view/ScrollObserver.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class HookView : public BView {
public:
	HookView(BRect frame, const char* name, EventLog& log, uint32 mode = B_FOLLOW_NONE,
			uint32 flags = 0)
		:
		BView(frame, name, mode, flags),
		fLog(log)
	{
	}

	void AttachedToWindow() override { fLog.Add(std::string(Name()) + " attached"); }
	void AllAttached() override { fLog.Add(std::string(Name()) + " all attached"); }
	void DetachedFromWindow() override { fLog.Add(std::string(Name()) + " detached"); }
	void AllDetached() override { fLog.Add(std::string(Name()) + " all detached"); }
	void FrameResized(float width, float height) override
	{
		fLog.Add(std::string(Name()) + " resized " + FormatPoint(BPoint(width, height)));
	}
	void FrameMoved(BPoint where) override
	{
		fLog.Add(std::string(Name()) + " moved " + FormatPoint(where));
	}

private:
	EventLog& fLog;
};


class HookWindow : public BWindow {
public:
	HookWindow(BRect frame, EventLog& log)
		:
		BWindow(frame, "hooks", B_TITLED_WINDOW, 0),
		fLog(log)
	{
	}

	void FrameResized(float width, float height) override
	{
		fLog.Add("window resized " + FormatPoint(BPoint(width, height)));
	}

private:
	EventLog& fLog;
};

}	// namespace


TEST(ViewGeometryTest, HierarchyHooksAndCoordinateConversion)
{
	EventLog log;
	BWindow* window = new BWindow(BRect(100, 50, 399, 249), "geometry", B_TITLED_WINDOW);
	HookView* a = new HookView(BRect(10, 20, 109, 119), "a", log);
	HookView* b = new HookView(BRect(5, 5, 24, 24), "b", log);
	HookView* c = new HookView(BRect(30, 5, 49, 24), "c", log);
	BView* first = new BView(BRect(0, 0, 4, 4), "first", B_FOLLOW_NONE, 0);
	a->AddChild(b);
	window->AddChild(a);
	a->AddChild(c);
	a->AddChild(first, b);

	// Attaching runs AttachedToWindow top-down and AllAttached bottom-up.
	std::vector<std::string> expected = { "a attached", "b attached", "b all attached",
		"a all attached", "c attached", "c all attached" };
	EXPECT_EQ(expected, log.Entries());

	EXPECT_EQ(a, window->ChildAt(0));
	EXPECT_EQ(1, window->CountChildren());
	EXPECT_EQ(NULL, a->Parent());
	EXPECT_EQ(a, b->Parent());
	EXPECT_EQ(window, c->Window());
	EXPECT_EQ(first, a->ChildAt(0));
	EXPECT_EQ(b, a->ChildAt(1));
	EXPECT_EQ(c, a->ChildAt(2));
	EXPECT_EQ(NULL, a->ChildAt(3));
	EXPECT_EQ(c, b->NextSibling());
	EXPECT_EQ(first, b->PreviousSibling());
	EXPECT_EQ(NULL, c->NextSibling());
	EXPECT_EQ(c, window->FindView("c"));
	EXPECT_EQ(b, a->FindView("b"));
	EXPECT_EQ(NULL, window->FindView("nothing"));

	// A view with a parent is refused elsewhere (R5 calls the debugger, which this test
	// asks to report and go on); a stranger cannot be removed.
	setenv("QUORREL_DEBUGGER", "continue", 1);
	BView* other = new BView(BRect(0, 0, 9, 9), "other", B_FOLLOW_NONE, 0);
	other->AddChild(b);
	EXPECT_EQ(a, b->Parent());
	EXPECT_EQ(0, other->CountChildren());
	EXPECT_FALSE(other->RemoveChild(c));
	a->AddChild(a);
	EXPECT_EQ(3, a->CountChildren());
	unsetenv("QUORREL_DEBUGGER");

	EXPECT_EQ(BPoint(6, 7), b->ConvertToParent(BPoint(1, 2)));
	EXPECT_EQ(BPoint(1, 2), b->ConvertFromParent(BPoint(6, 7)));
	EXPECT_EQ(BPoint(110, 70), a->ConvertToScreen(BPoint(0, 0)));
	EXPECT_EQ(BPoint(115, 75), b->ConvertToScreen(BPoint(0, 0)));
	EXPECT_EQ(BPoint(0, 0), b->ConvertFromScreen(BPoint(115, 75)));
	EXPECT_EQ(BRect(115, 75, 134, 94), b->ConvertToScreen(b->Bounds()));
	EXPECT_EQ(BRect(5, 5, 24, 24), b->ConvertToParent(b->Bounds()));
	EXPECT_EQ(BPoint(100, 50), window->ConvertToScreen(BPoint(0, 0)));

	// Scrolling moves the bounds, and with them everything inside.
	a->ScrollTo(3, 4);
	EXPECT_EQ(BRect(3, 4, 102, 103), a->Bounds());
	EXPECT_EQ(BRect(10, 20, 109, 119), a->Frame());
	EXPECT_EQ(BPoint(112, 71), b->ConvertToScreen(BPoint(0, 0)));
	a->ScrollBy(-3, -4);
	EXPECT_EQ(BPoint(115, 75), b->ConvertToScreen(BPoint(0, 0)));

	log.Clear();
	EXPECT_TRUE(c->RemoveSelf());
	EXPECT_EQ(NULL, c->Window());
	EXPECT_EQ(NULL, c->Parent());
	EXPECT_EQ(2, a->CountChildren());
	expected = { "c detached", "c all detached" };
	EXPECT_EQ(expected, log.Entries());
	EXPECT_FALSE(c->RemoveSelf());
	delete c;
	delete other;

	// Quitting deletes the remaining views, telling them they leave.
	log.Clear();
	window->Quit();
	EXPECT_TRUE(log.Contains("a detached"));
	EXPECT_TRUE(log.Contains("b detached"));
}


TEST(ViewGeometryTest, ResizingModesFollowTheWindow)
{
	BWindow* window = new BWindow(BRect(400, 300, 599, 399), "modes", B_TITLED_WINDOW);
	struct Case {
		const char*	name;
		BRect		frame;
		uint32		mode;
		BRect		expected;	// after the window grew by 40 x 20
	};
	const Case cases[] = {
		{ "left top", BRect(10, 10, 29, 29), B_FOLLOW_LEFT | B_FOLLOW_TOP,
			BRect(10, 10, 29, 29) },
		{ "right", BRect(170, 10, 189, 29), B_FOLLOW_RIGHT | B_FOLLOW_TOP,
			BRect(210, 10, 229, 29) },
		{ "left right", BRect(10, 40, 189, 49), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
			BRect(10, 40, 229, 49) },
		{ "h center", BRect(90, 60, 109, 69), B_FOLLOW_H_CENTER | B_FOLLOW_TOP,
			BRect(110, 60, 129, 69) },
		{ "bottom", BRect(10, 80, 29, 89), B_FOLLOW_LEFT | B_FOLLOW_BOTTOM,
			BRect(10, 100, 29, 109) },
		{ "top bottom", BRect(40, 10, 49, 89), B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM,
			BRect(40, 10, 49, 109) },
		{ "v center", BRect(60, 40, 69, 59), B_FOLLOW_LEFT | B_FOLLOW_V_CENTER,
			BRect(60, 50, 69, 69) },
		{ "all", BRect(100, 10, 119, 29), B_FOLLOW_ALL_SIDES,
			BRect(100, 10, 159, 49) },
		{ "none", BRect(130, 10, 139, 19), B_FOLLOW_NONE, BRect(130, 10, 139, 19) },
	};
	std::vector<BView*> views;
	for (const Case& test : cases) {
		BView* view = new BView(test.frame, test.name, test.mode, 0);
		window->AddChild(view);
		views.push_back(view);
	}
	// A child follows its own parent, which follows the window.
	BView* nested = new BView(BRect(5, 5, 9, 9), "nested", B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM,
		0);
	views[7]->AddChild(nested);

	window->ResizeBy(40, 20);
	EXPECT_EQ(BRect(0, 0, 239, 119), window->Bounds());
	EXPECT_EQ(BRect(400, 300, 639, 419), window->Frame());
	for (size_t i = 0; i < views.size(); i++)
		EXPECT_EQ(cases[i].expected, views[i]->Frame()) << cases[i].name;
	EXPECT_EQ(BRect(45, 25, 49, 29), nested->Frame());

	// Shrinking to nothing and back restores the layout.
	window->ResizeTo(199, 99);
	for (size_t i = 0; i < views.size(); i++)
		EXPECT_EQ(cases[i].frame, views[i]->Frame()) << cases[i].name;
	window->Quit();
}


TEST(ViewGeometryTest, FrameEventsOnlyForViewsThatAsk)
{
	EventLog log;
	HookWindow* window = new HookWindow(BRect(400, 100, 499, 149), log);
	window->AddChild(new HookView(BRect(0, 0, 49, 49), "asks", log, B_FOLLOW_ALL_SIDES,
		B_FRAME_EVENTS));
	window->AddChild(new HookView(BRect(50, 0, 99, 49), "silent", log, B_FOLLOW_ALL_SIDES,
		0));
	ShowAndWait(window);
	log.Clear();

	ASSERT_TRUE(window->Lock());
	window->ResizeBy(30, 10);
	window->FindView("asks")->MoveTo(2, 3);
	window->Unlock();
	WaitIdle();

	EXPECT_TRUE(log.Contains("asks resized (79,59)"));
	EXPECT_TRUE(log.Contains("asks moved (2,3)"));
	EXPECT_TRUE(log.Contains("window resized (129,59)"));
	for (const std::string& entry : log.Entries())
		EXPECT_EQ(std::string::npos, entry.find("silent")) << entry;
	QuitWindow(window);
}


TEST(ViewGeometryTest, FindViewByPointAndClippingRegions)
{
	BWindow* window = new BWindow(BRect(600, 400, 799, 599), "clipping", B_TITLED_WINDOW);
	BView* parent = new BView(BRect(0, 0, 99, 99), "parent", B_FOLLOW_NONE, 0);
	BView* below = new BView(BRect(10, 10, 59, 59), "below", B_FOLLOW_NONE, 0);
	BView* above = new BView(BRect(40, 40, 89, 89), "above", B_FOLLOW_NONE, 0);
	BView* hidden = new BView(BRect(0, 0, 99, 99), "hidden", B_FOLLOW_NONE, 0);
	window->AddChild(parent);
	parent->AddChild(below);
	parent->AddChild(above);
	parent->AddChild(hidden);
	hidden->Hide();
	// A window that is not shown shows nothing of its views.
	BRegion region;
	below->GetClippingRegion(&region);
	EXPECT_EQ(0, region.CountRects());
	ShowAndWait(window);
	ASSERT_TRUE(window->Lock());

	EXPECT_EQ(above, window->FindView(BPoint(50, 50)));
	EXPECT_EQ(below, window->FindView(BPoint(20, 20)));
	EXPECT_EQ(parent, window->FindView(BPoint(95, 5)));
	EXPECT_EQ(NULL, window->FindView(BPoint(150, 150)));
	EXPECT_EQ(NULL, window->FindView(BPoint(-1, 5)));

	// The sibling in front takes its share of the view below; the children take theirs
	// of the parent.
	below->GetClippingRegion(&region);
	EXPECT_TRUE(region.Contains(BPoint(5, 5)));
	EXPECT_TRUE(region.Contains(BPoint(49, 29)));
	EXPECT_FALSE(region.Contains(BPoint(35, 35)));
	EXPECT_FALSE(region.Contains(BPoint(50, 5)));
	EXPECT_EQ(BRect(0, 0, 49, 49), region.Frame());

	parent->GetClippingRegion(&region);
	EXPECT_TRUE(region.Contains(BPoint(5, 5)));
	EXPECT_FALSE(region.Contains(BPoint(20, 20)));
	EXPECT_FALSE(region.Contains(BPoint(60, 60)));

	above->Hide();
	below->GetClippingRegion(&region);
	EXPECT_TRUE(region.Contains(BPoint(35, 35)));
	EXPECT_EQ(below, window->FindView(BPoint(50, 50)));
	hidden->GetClippingRegion(&region);
	EXPECT_EQ(0, region.CountRects());

	// A view partly outside its parent is cut at the parent's edge.
	above->Show();
	above->MoveTo(80, 80);
	above->GetClippingRegion(&region);
	EXPECT_EQ(BRect(0, 0, 19, 19), region.Frame());
	window->Quit();
	WaitIdle();
}


namespace {

class RecordingObserver : public BPrivate::ScrollObserver {
public:
	void TargetScrolled(BView* target, BPoint origin) override { scrolledTo.push_back(origin); }
	void TargetDeleted(BView* target) override { deleted = target; }
	bool TargetWheelTurned(BView* target, float dx, float dy) override
	{
		wheel += dy;
		return true;
	}

	std::vector<BPoint>	scrolledTo;
	BView*				deleted = NULL;
	float				wheel = 0;
};

}	// namespace


TEST(ViewGeometryTest, ScrollObserversFollowTheTarget)
{
	RecordingObserver observer;
	BView* target = new BView(BRect(0, 0, 99, 99), "target", B_FOLLOW_NONE, 0);
	BPrivate::ViewAccess::AddScrollObserver(target, &observer);
	BPrivate::ViewAccess::AddScrollObserver(target, &observer);
	EXPECT_EQ(1, BPrivate::ViewAccess::CountScrollObservers(target));

	target->ScrollTo(0, 40);
	target->ScrollBy(5, 0);
	target->ScrollBy(0, 0);
	std::vector<BPoint> expected = { BPoint(0, 40), BPoint(5, 40) };
	EXPECT_EQ(expected, observer.scrolledTo);
	EXPECT_EQ(BRect(5, 40, 104, 139), target->Bounds());
	EXPECT_EQ(NULL, target->ScrollBar(B_VERTICAL));

	// The wheel is offered to the scroll bars before anyone else.
	BMessage wheel(B_MOUSE_WHEEL_CHANGED);
	wheel.AddFloat("be:wheel_delta_y", 2);
	target->MessageReceived(&wheel);
	EXPECT_EQ(2, observer.wheel);

	delete target;
	EXPECT_EQ(target, observer.deleted);
}
