#include <MenuBar.h>

#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>

#include "interface/window/WindowPrivate.h"

#include <cctype>


// A disabled item's shortcut is taken all the same, so that it does nothing rather than
// reach the focus view.
static BMenuItem*
FindShortcut(BMenu* menu, uint32 key, uint32 modifiers)
{
	for (int32 i = 0; i < menu->CountItems(); i++) {
		BMenuItem* item = menu->ItemAt(i);
		uint32 itemModifiers;
		char shortcut = item->Shortcut(&itemModifiers);
		if (shortcut != 0 && (uint32)tolower((unsigned char)shortcut) == key
			&& itemModifiers == modifiers)
			return item;
		if (item->Submenu() != NULL) {
			BMenuItem* found = FindShortcut(item->Submenu(), key, modifiers);
			if (found != NULL)
				return found;
		}
	}
	return NULL;
}


static bool
KeyMenuBarHook(BView* view, uint32 key, uint32 modifiers, BMessage* keyMessage)
{
	BMenuBar* bar = dynamic_cast<BMenuBar*>(view);
	return bar != NULL && bar->InvokeShortcut(key, modifiers);
}


namespace {

struct HookInstaller {
	HookInstaller()
	{
		BPrivate::SetKeyMenuBarHook(KeyMenuBarHook);
	}
};

HookInstaller sHookInstaller;

}	// namespace


BMenuBar::BMenuBar(BRect frame, const char* title, uint32 resizingMode,
	menu_layout layout, bool resizeToFit)
	:
	BMenu(frame, title, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS, layout, resizeToFit),
	fBorder(B_BORDER_FRAME)
{
}


BMenuBar::~BMenuBar()
{
}


void
BMenuBar::AttachedToWindow()
{
	BMenu::AttachedToWindow();
	if (Window()->KeyMenuBar() == NULL)
		Window()->SetKeyMenuBar(this);
	InvalidateLayout();
}


void
BMenuBar::DetachedFromWindow()
{
	if (Window()->KeyMenuBar() == this)
		Window()->SetKeyMenuBar(NULL);
	BMenu::DetachedFromWindow();
}


void
BMenuBar::SetBorder(menu_bar_border border)
{
	fBorder = border;
	if (Window() != NULL)
		Invalidate();
}


menu_bar_border
BMenuBar::Border() const
{
	return fBorder;
}


void
BMenuBar::Draw(BRect updateRect)
{
	BMenu::Draw(updateRect);
	BRect bounds = Bounds();
	// R5's raised bar: light top and left, dark bottom and right.
	SetHighColor(make_color(255, 255, 255));
	StrokeLine(BPoint(0, 0), BPoint(bounds.right, 0));
	StrokeLine(BPoint(0, 0), BPoint(0, bounds.bottom));
	SetHighColor(make_color(152, 152, 152));
	StrokeLine(BPoint(0, bounds.bottom), BPoint(bounds.right, bounds.bottom));
	StrokeLine(BPoint(bounds.right, 0), BPoint(bounds.right, bounds.bottom));
}


bool
BMenuBar::InvokeShortcut(uint32 key, uint32 modifiers)
{
	BMenuItem* item = FindShortcut(this, key, modifiers | B_COMMAND_KEY);
	if (item == NULL)
		return false;
	if (!item->IsEnabled())
		return true;
	if (item->Menu() != NULL && item->Menu()->IsRadioMode())
		item->SetMarked(true);

	// A shortcut aimed at this window is dispatched at once, as the window's own
	// shortcuts are: posted, it would queue behind keys typed after it (Ctrl+B and then
	// "word" would put the first letter before the tags).
	BMessage copy;
	BMessenger target;
	if (item->_PrepareInvoke(NULL, &copy, &target) != B_OK)
		return true;
	BLooper* looper = NULL;
	BHandler* handler = target.Target(&looper);
	BWindow* window = Window();
	if (window != NULL && looper == window && window->IsLocked())
		window->DispatchMessage(&copy, handler != NULL ? handler : window);
	else
		target.SendMessage(&copy);
	return true;
}
