#include <TabView.h>

#include <Message.h>
#include <Window.h>

#include <algorithm>
#include <cmath>

namespace {

const uint32 kNextTabMessage = 'tvNx';
const uint32 kPreviousTabMessage = 'tvPv';
// The first tab starts this far from the left edge.
const float kTabOffset = 6.0f;
const float kUsualTabWidth = 100.0f;
const float kLabelPadding = 20.0f;
// Unselected tabs stand this much lower than the selected one.
const float kTabLowering = 2.0f;
const float kCornerRadius = 4.0f;

}	// namespace


// #pragma mark - BTab


BTab::BTab(BView* tabView)
	:
	fView(NULL),
	fTabView(NULL),
	fHasLabel(false),
	fSelected(false),
	fEnabled(true),
	fFocus(false)
{
	SetView(tabView);
}


BTab::~BTab()
{
	if (fView != NULL) {
		fView->RemoveSelf();
		delete fView;
	}
}


const char*
BTab::Label() const
{
	if (fView != NULL)
		return fView->Name();
	return fHasLabel ? fLabel.c_str() : NULL;
}


void
BTab::SetLabel(const char* label)
{
	fLabel = label != NULL ? label : "";
	fHasLabel = label != NULL;
	if (fView != NULL)
		fView->SetName(label);
	if (fTabView != NULL)
		fTabView->Invalidate();
}


bool
BTab::IsSelected() const
{
	return fSelected;
}


void
BTab::Select(BView* owner)
{
	BTabView* tabView = dynamic_cast<BTabView*>(owner);
	fSelected = true;
	if (fView == NULL || tabView == NULL || tabView->ContainerView() == NULL)
		return;
	if (fView->Parent() != tabView->ContainerView()) {
		fView->RemoveSelf();
		tabView->ContainerView()->AddChild(fView);
	}
}


void
BTab::Deselect()
{
	fSelected = false;
	if (fView != NULL) {
		// A view that leaves the window gives up the focus first.
		if (fView->Window() != NULL) {
			BView* focus = fView->Window()->CurrentFocus();
			for (BView* view = focus; view != NULL; view = view->Parent()) {
				if (view == fView) {
					focus->MakeFocus(false);
					break;
				}
			}
		}
		fView->RemoveSelf();
	}
}


void
BTab::SetEnabled(bool enabled)
{
	fEnabled = enabled;
	if (fTabView != NULL)
		fTabView->Invalidate();
}


bool
BTab::IsEnabled() const
{
	return fEnabled;
}


void
BTab::MakeFocus(bool inFocus)
{
	fFocus = inFocus;
}


bool
BTab::IsFocus() const
{
	return fFocus;
}


void
BTab::SetView(BView* view)
{
	if (view == fView)
		return;
	bool wasAttached = fSelected && fView != NULL && fView->Parent() != NULL;
	BView* container = wasAttached ? fView->Parent() : NULL;
	if (fView != NULL) {
		fView->RemoveSelf();
		delete fView;
	}
	fView = view;
	if (fView != NULL && fHasLabel)
		fView->SetName(fLabel.c_str());
	if (fView != NULL && container != NULL)
		container->AddChild(fView);
	if (fTabView != NULL)
		fTabView->Invalidate();
}


BView*
BTab::View() const
{
	return fView;
}


void
BTab::DrawFocusMark(BView* owner, BRect tabFrame)
{
	const char* label = Label();
	float width = label != NULL ? owner->StringWidth(label) : 0;
	font_height height;
	owner->GetFontHeight(&height);
	float x = floorf((tabFrame.left + tabFrame.right - width) / 2);
	float y = floorf((tabFrame.top + tabFrame.bottom + height.ascent - height.descent) / 2)
		+ 2;
	owner->SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
	owner->StrokeLine(BPoint(x, y), BPoint(x + width, y));
}


void
BTab::DrawLabel(BView* owner, BRect tabFrame)
{
	const char* label = Label();
	if (label == NULL)
		return;
	font_height height;
	owner->GetFontHeight(&height);
	float width = owner->StringWidth(label);
	float x = floorf((tabFrame.left + tabFrame.right - width) / 2);
	float y = floorf((tabFrame.top + tabFrame.bottom + height.ascent - height.descent) / 2);
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	owner->SetHighColor(IsEnabled() ? rgb_color{0, 0, 0, 255}
		: tint_color(panel, B_DISABLED_LABEL_TINT));
	owner->SetLowColor(panel);
	owner->DrawString(label, BPoint(x, y));
}


void
BTab::DrawTab(BView* owner, BRect tabFrame, tab_position position, bool full)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color light = tint_color(panel, B_LIGHTEN_MAX_TINT);
	rgb_color shadow = tint_color(panel, B_DARKEN_2_TINT);
	rgb_color dark = tint_color(panel, B_DARKEN_4_TINT);
	bool front = position == B_TAB_FRONT;
	BRect frame = tabFrame;
	if (!front)
		frame.top += kTabLowering;

	float r = kCornerRadius;
	if (full) {
		owner->SetHighColor(panel);
		owner->FillRect(BRect(frame.left, frame.top + r, frame.right, frame.bottom));
		owner->FillRect(BRect(frame.left + r, frame.top, frame.right - r, frame.top + r));
		owner->FillEllipse(BRect(frame.left, frame.top, frame.left + 2 * r,
			frame.top + 2 * r));
		owner->FillEllipse(BRect(frame.right - 2 * r, frame.top, frame.right,
			frame.top + 2 * r));
	}

	// The lit left side and top, the rounded corners, the shaded right side.
	owner->SetHighColor(light);
	owner->StrokeLine(BPoint(frame.left, frame.bottom), BPoint(frame.left, frame.top + r));
	owner->StrokeArc(BRect(frame.left, frame.top, frame.left + 2 * r, frame.top + 2 * r),
		90, 90);
	owner->StrokeLine(BPoint(frame.left + r, frame.top), BPoint(frame.right - r, frame.top));
	owner->SetHighColor(dark);
	owner->StrokeArc(BRect(frame.right - 2 * r, frame.top, frame.right, frame.top + 2 * r),
		0, 90);
	owner->StrokeLine(BPoint(frame.right, frame.top + r), BPoint(frame.right, frame.bottom));
	owner->SetHighColor(shadow);
	owner->StrokeLine(BPoint(frame.right - 1, frame.top + r),
		BPoint(frame.right - 1, frame.bottom));

	DrawLabel(owner, frame);
}


// #pragma mark - BTabView


BTabView::BTabView(BRect frame, const char* name, button_width width, uint32 resizingMode,
	uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fContainer(NULL),
	fTabWidthSetting(width),
	fTabHeight(0),
	fSelection(-1),
	fFocus(-1),
	fAddedShortcuts(false)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	font_height height;
	GetFontHeight(&height);
	fTabHeight = ceilf(height.ascent + height.descent + height.leading + 8);
	fContainer = new BView(_ContainerFrame(), "view container", B_FOLLOW_ALL,
		B_FRAME_EVENTS);
	fContainer->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(fContainer);
}


BTabView::~BTabView()
{
	for (BTab* tab : fTabs)
		delete tab;
	fTabs.clear();
}


BRect
BTabView::_ContainerFrame() const
{
	BRect bounds = Bounds();
	bounds.top += fTabHeight;
	bounds.InsetBy(3, 3);
	if (!bounds.IsValid())
		bounds = BRect(bounds.left, bounds.top, bounds.left, bounds.top);
	return bounds;
}


void
BTabView::AttachedToWindow()
{
	BView::AttachedToWindow();
	// One pair of shortcuts serves every tab view of the window: the handler finds the
	// tab view around the focus.
	if (!Window()->HasShortcut(B_TAB, 0)) {
		Window()->AddShortcut(B_TAB, 0, new BMessage(kNextTabMessage), this);
		Window()->AddShortcut(B_TAB, B_SHIFT_KEY, new BMessage(kPreviousTabMessage), this);
		fAddedShortcuts = true;
	}
}


void
BTabView::DetachedFromWindow()
{
	if (fAddedShortcuts) {
		Window()->RemoveShortcut(B_TAB, 0);
		Window()->RemoveShortcut(B_TAB, B_SHIFT_KEY);
		fAddedShortcuts = false;
	}
	BView::DetachedFromWindow();
}


void
BTabView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kNextTabMessage:
		case kPreviousTabMessage:
		{
			int32 delta = message->what == kNextTabMessage ? 1 : -1;
			BView* view = Window() != NULL ? Window()->CurrentFocus() : NULL;
			for (; view != NULL; view = view->Parent()) {
				if (BTabView* tabView = dynamic_cast<BTabView*>(view)) {
					tabView->_SelectRelative(delta);
					break;
				}
			}
			return;
		}
	}
	BView::MessageReceived(message);
}


bool
BTabView::_HasFocusInside() const
{
	if (Window() == NULL)
		return false;
	for (BView* view = Window()->CurrentFocus(); view != NULL; view = view->Parent()) {
		if (view == this)
			return true;
	}
	return false;
}


void
BTabView::_SelectRelative(int32 delta)
{
	int32 count = CountTabs();
	if (count == 0)
		return;
	int32 index = fSelection < 0 ? 0 : fSelection;
	for (int32 tries = 0; tries < count; tries++) {
		index = (index + delta + count) % count;
		if (fTabs[index]->IsEnabled())
			break;
	}
	Select(index);
	if (IsFocus())
		SetFocusTab(index, true);
}


void
BTabView::FrameResized(float width, float height)
{
	Invalidate();
}


void
BTabView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	Invalidate();
}


void
BTabView::MouseDown(BPoint where)
{
	for (int32 i = 0; i < CountTabs(); i++) {
		BRect frame = TabFrame(i);
		if (i != fSelection)
			frame.top += kTabLowering;
		if (frame.Contains(where)) {
			Select(i);
			if (IsFocus())
				SetFocusTab(i, true);
			return;
		}
	}
}


void
BTabView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	switch (bytes[0]) {
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		{
			int32 count = CountTabs();
			if (count == 0)
				break;
			int32 index = fFocus < 0 ? std::max(fSelection, (int32)0) : fFocus;
			index += bytes[0] == B_LEFT_ARROW ? -1 : 1;
			SetFocusTab(std::clamp(index, (int32)0, count - 1), true);
			break;
		}
		case B_SPACE:
		case B_ENTER:
			if (fFocus >= 0)
				Select(fFocus);
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}


void
BTabView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	if (focus && fFocus < 0 && fSelection >= 0)
		SetFocusTab(fSelection, true);
	Invalidate(BRect(Bounds().left, Bounds().top, Bounds().right, fTabHeight));
}


void
BTabView::WindowActivated(bool active)
{
	Invalidate(BRect(Bounds().left, Bounds().top, Bounds().right, fTabHeight));
}


void
BTabView::Select(int32 index)
{
	if (index < 0 || index >= CountTabs() || index == fSelection
		|| !fTabs[index]->IsEnabled())
		return;
	BTab* old = TabAt(fSelection);
	if (old != NULL)
		old->Deselect();
	fSelection = index;
	fTabs[index]->Select(this);
	Invalidate();
}


int32
BTabView::Selection() const
{
	return fSelection;
}


void
BTabView::SetFocusTab(int32 index, bool focused)
{
	if (index < 0 || index >= CountTabs())
		return;
	if (focused) {
		BTab* old = TabAt(fFocus);
		if (old != NULL)
			old->MakeFocus(false);
		fFocus = index;
		fTabs[index]->MakeFocus(true);
	} else if (index == fFocus) {
		fTabs[index]->MakeFocus(false);
		fFocus = -1;
	}
	Invalidate(BRect(Bounds().left, Bounds().top, Bounds().right, fTabHeight));
}


int32
BTabView::FocusTab() const
{
	return fFocus;
}


float
BTabView::_TabWidth(int32 index) const
{
	switch (fTabWidthSetting) {
		case B_WIDTH_FROM_WIDEST:
		{
			float widest = 0;
			for (BTab* tab : fTabs) {
				if (tab->Label() != NULL)
					widest = std::max(widest, StringWidth(tab->Label()));
			}
			return ceilf(widest + kLabelPadding);
		}
		case B_WIDTH_FROM_LABEL:
		{
			const char* label = fTabs[index]->Label();
			return ceilf((label != NULL ? StringWidth(label) : 0) + kLabelPadding);
		}
		default:
			return kUsualTabWidth;
	}
}


BRect
BTabView::TabFrame(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return BRect();
	float left = kTabOffset;
	for (int32 i = 0; i < index; i++)
		left += _TabWidth(i);
	return BRect(left, 0, left + _TabWidth(index) - 1, fTabHeight - 1);
}


void
BTabView::Draw(BRect updateRect)
{
	BRect selected = DrawTabs();
	DrawBox(selected);
}


BRect
BTabView::DrawTabs()
{
	bool marked = IsFocus() && Window() != NULL && Window()->IsActive();
	for (int32 i = 0; i < CountTabs(); i++) {
		if (i == fSelection)
			continue;
		fTabs[i]->DrawTab(this, TabFrame(i), i == 0 ? B_TAB_FIRST : B_TAB_ANY, true);
		if (marked && i == fFocus) {
			BRect frame = TabFrame(i);
			frame.top += kTabLowering;
			fTabs[i]->DrawFocusMark(this, frame);
		}
	}
	BRect selectedFrame = TabFrame(fSelection);
	if (selectedFrame.IsValid()) {
		// The selected tab reaches down over the box's top line and joins the page.
		BRect frame = selectedFrame;
		frame.bottom = fTabHeight;
		fTabs[fSelection]->DrawTab(this, frame, B_TAB_FRONT, true);
		if (marked && fSelection == fFocus)
			fTabs[fSelection]->DrawFocusMark(this, selectedFrame);
	}
	return selectedFrame;
}


void
BTabView::DrawBox(BRect selectedTabRect)
{
	BRect box = Bounds();
	box.top = fTabHeight;
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color light = tint_color(panel, B_LIGHTEN_MAX_TINT);
	rgb_color shadow = tint_color(panel, B_DARKEN_2_TINT);
	rgb_color dark = tint_color(panel, B_DARKEN_4_TINT);

	BeginLineArray(7);
	if (selectedTabRect.IsValid()) {
		if (selectedTabRect.left > box.left)
			AddLine(box.LeftTop(), BPoint(selectedTabRect.left, box.top), light);
		if (selectedTabRect.right - 1 < box.right)
			AddLine(BPoint(selectedTabRect.right - 1, box.top), box.RightTop(), light);
	} else
		AddLine(box.LeftTop(), box.RightTop(), light);
	AddLine(box.LeftTop(), box.LeftBottom(), light);
	AddLine(box.RightTop(), box.RightBottom(), dark);
	AddLine(box.LeftBottom(), box.RightBottom(), dark);
	AddLine(BPoint(box.right - 1, box.top + 1), BPoint(box.right - 1, box.bottom - 1),
		shadow);
	AddLine(BPoint(box.left + 1, box.bottom - 1), BPoint(box.right - 1, box.bottom - 1),
		shadow);
	EndLineArray();
}


void
BTabView::AddTab(BView* target, BTab* tab)
{
	if (tab == NULL)
		tab = new BTab(target);
	else if (target != NULL)
		tab->SetView(target);
	if (std::find(fTabs.begin(), fTabs.end(), tab) != fTabs.end())
		return;
	if (tab->fSelected)
		tab->Deselect();
	tab->fTabView = this;
	fTabs.push_back(tab);
	if (fSelection < 0)
		Select(0);
	Invalidate();
}


BTab*
BTabView::RemoveTab(int32 index)
{
	if (index < 0 || index >= CountTabs())
		return NULL;
	BTab* tab = fTabs[index];
	bool wasSelected = index == fSelection;
	if (wasSelected)
		tab->Deselect();
	tab->MakeFocus(false);
	tab->fTabView = NULL;
	fTabs.erase(fTabs.begin() + index);

	// The tab before the removed one takes its place, or the new first one.
	if (index < fSelection || (wasSelected && fSelection > 0))
		fSelection--;
	if (CountTabs() == 0)
		fSelection = -1;
	else if (wasSelected) {
		int32 select = fSelection;
		fSelection = -1;
		Select(select);
	}
	if (fFocus == index)
		fFocus = -1;
	else if (fFocus > index)
		fFocus--;
	Invalidate();
	return tab;
}


BTab*
BTabView::TabAt(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return NULL;
	return fTabs[index];
}


int32
BTabView::CountTabs() const
{
	return (int32)fTabs.size();
}


BView*
BTabView::ViewForTab(int32 index) const
{
	BTab* tab = TabAt(index);
	return tab != NULL ? tab->View() : NULL;
}


void
BTabView::SetTabWidth(button_width width)
{
	fTabWidthSetting = width;
	Invalidate();
}


button_width
BTabView::TabWidth() const
{
	return fTabWidthSetting;
}


void
BTabView::SetTabHeight(float height)
{
	if (!std::isfinite(height) || height < 0 || height == fTabHeight)
		return;
	fTabHeight = height;
	BRect frame = _ContainerFrame();
	fContainer->MoveTo(frame.LeftTop());
	fContainer->ResizeTo(frame.Width(), frame.Height());
	Invalidate();
}


float
BTabView::TabHeight() const
{
	return fTabHeight;
}


BView*
BTabView::ContainerView() const
{
	return fContainer;
}
