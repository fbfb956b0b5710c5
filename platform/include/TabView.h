/*
 * BTabView and BTab: a box of pages with a row of tabs above it; clicking a tab (or
 * Ctrl+Tab, Shift+Ctrl+Tab while the focus is in the tab view) shows its page.
 *
 * Each tab has a target view. Only the selected tab's view is attached, as a child of
 * the container view (the inside of the box), so views of other tabs get no messages
 * and keep their state. A tab without a label of its own shows its view's name, as R5.
 * While the tab view itself has the focus, the left and right arrows move the focus
 * mark from tab to tab and Space or Enter selects the marked one.
 */
#ifndef _TAB_VIEW_H
#define _TAB_VIEW_H

#include <View.h>

#include <string>
#include <vector>

class BTabView;

// Where a tab is drawn, for DrawTab: the first one, the selected one, any other.
enum tab_position {
	B_TAB_FIRST = 999,
	B_TAB_FRONT,
	B_TAB_ANY
};

class BTab {
public:
								BTab(BView* tabView = NULL);
	virtual						~BTab();

			const char*			Label() const;
	virtual	void				SetLabel(const char* label);
			bool				IsSelected() const;
	// Attaches the view to owner's container view (owner is the BTabView).
	virtual	void				Select(BView* owner);
	// Detaches the view.
	virtual	void				Deselect();
	virtual	void				SetEnabled(bool enabled);
			bool				IsEnabled() const;
			void				MakeFocus(bool inFocus = true);
			bool				IsFocus() const;
	// The tab owns its view and deletes it (and the previous one when replaced).
	virtual	void				SetView(BView* view);
			BView*				View() const;

	virtual	void				DrawFocusMark(BView* owner, BRect tabFrame);
	virtual	void				DrawLabel(BView* owner, BRect tabFrame);
	// R5's tab: a front with rounded top corners, lit on the left and top; full draws
	// the background as well.
	virtual	void				DrawTab(BView* owner, BRect tabFrame, tab_position position,
									bool full = true);

private:
	friend class BTabView;

								BTab(const BTab&);
			BTab&				operator=(const BTab&);

			BView*				fView;
			BTabView*			fTabView;
			std::string			fLabel;
			bool				fHasLabel;
			bool				fSelected;
			bool				fEnabled;
			bool				fFocus;
};


class BTabView : public BView {
public:
								BTabView(BRect frame, const char* name,
									button_width width = B_WIDTH_AS_USUAL,
									uint32 resizingMode = B_FOLLOW_ALL,
									uint32 flags = B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW
										| B_NAVIGABLE_JUMP | B_FRAME_EVENTS | B_NAVIGABLE);
	// Deletes the tabs and their views.
	virtual						~BTabView();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				FrameResized(float width, float height);
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				MouseDown(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focus = true);
	virtual	void				WindowActivated(bool active);
	virtual	void				SetFont(const BFont* font, uint32 mask = B_FONT_ALL);

	// Shows the page of tab index; out of range or disabled tabs are refused.
	virtual	void				Select(int32 index);
			int32				Selection() const;
	virtual	void				SetFocusTab(int32 index, bool focused);
			int32				FocusTab() const;

	// Draws the tabs and answers the selected tab's frame; DrawBox draws the box
	// around the container with its top line open under that frame.
	virtual	BRect				DrawTabs();
	virtual	void				DrawBox(BRect selectedTabRect);
	virtual	BRect				TabFrame(int32 index) const;

	// Adds a tab (a new BTab when tab is NULL) for target at the end; the first tab
	// added is selected.
	virtual	void				AddTab(BView* target, BTab* tab = NULL);
	// Takes the tab out and gives it to the caller, its view detached; selects a
	// neighbour if it was the selected one.
	virtual	BTab*				RemoveTab(int32 index);
	virtual	BTab*				TabAt(int32 index) const;
			int32				CountTabs() const;
			BView*				ViewForTab(int32 index) const;

	virtual	void				SetTabWidth(button_width width);
			button_width		TabWidth() const;
	// The default is the font's height plus 8.
	virtual	void				SetTabHeight(float height);
			float				TabHeight() const;
	// The view inside the box that holds the selected tab's view.
			BView*				ContainerView() const;

private:
								BTabView(const BTabView&);
			BTabView&			operator=(const BTabView&);

			float				_TabWidth(int32 index) const;
			BRect				_ContainerFrame() const;
			void				_SelectRelative(int32 delta);
			bool				_HasFocusInside() const;

			std::vector<BTab*>	fTabs;
			BView*				fContainer;
			button_width		fTabWidthSetting;
			float				fTabHeight;
			int32				fSelection;
			int32				fFocus;
			bool				fAddedShortcuts;
};

#endif	// _TAB_VIEW_H
