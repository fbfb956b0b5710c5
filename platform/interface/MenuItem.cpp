#include <MenuItem.h>

#include <Menu.h>
#include <Message.h>
#include <OS.h>
#include <Window.h>

#include "interface/menus/MenuWindow.h"

#include <cctype>
#include <cmath>

static const float kMarkSpace = 20.0f;


BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut,
	uint32 modifiers)
	:
	BInvoker(message, NULL),
	fLabel(label != NULL ? label : ""),
	fSubmenu(NULL),
	fMenu(NULL),
	fModifiers(shortcut != 0 ? (modifiers | B_COMMAND_KEY) : 0),
	fShortcut(shortcut),
	fTrigger(0),
	fEnabled(true),
	fMarked(false),
	fSelected(false)
{
}


BMenuItem::BMenuItem(BMenu* menu, BMessage* message)
	:
	BInvoker(message, NULL),
	fLabel(menu != NULL && menu->Name() != NULL ? menu->Name() : ""),
	fSubmenu(menu),
	fMenu(NULL),
	fModifiers(0),
	fShortcut(0),
	fTrigger(0),
	fEnabled(true),
	fMarked(false),
	fSelected(false)
{
	if (menu != NULL)
		menu->fSuperitem = this;
}


BMenuItem::~BMenuItem()
{
	if (fSubmenu != NULL) {
		fSubmenu->fSuperitem = NULL;
		delete fSubmenu;
	}
}


void
BMenuItem::_SetMenu(BMenu* menu)
{
	fMenu = menu;
}


void
BMenuItem::SetLabel(const char* label)
{
	fLabel = label != NULL ? label : "";
	if (fMenu != NULL) {
		fMenu->InvalidateLayout();
		if (fMenu->Window() != NULL)
			fMenu->Invalidate();
	}
}


void
BMenuItem::SetEnabled(bool enabled)
{
	fEnabled = enabled;
	if (fMenu != NULL && fMenu->Window() != NULL)
		fMenu->Invalidate(fFrame);
}


void
BMenuItem::SetMarked(bool marked)
{
	fMarked = marked;
	if (marked && fMenu != NULL)
		fMenu->_ItemMarked(this);
	if (fMenu != NULL && fMenu->Window() != NULL)
		fMenu->Invalidate(fFrame);
}


void
BMenuItem::SetTrigger(char trigger)
{
	fTrigger = trigger;
}


void
BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	fShortcut = shortcut;
	fModifiers = shortcut != 0 ? (modifiers | B_COMMAND_KEY) : 0;
	if (fMenu != NULL)
		fMenu->InvalidateLayout();
}


const char*
BMenuItem::Label() const
{
	return fLabel.c_str();
}


bool
BMenuItem::IsEnabled() const
{
	if (!fEnabled)
		return false;
	if (fSubmenu != NULL && !fSubmenu->fEnabled)
		return false;
	for (BMenu* menu = fMenu; menu != NULL; menu = menu->Supermenu()) {
		if (!menu->fEnabled)
			return false;
	}
	return true;
}


bool
BMenuItem::IsMarked() const
{
	return fMarked;
}


char
BMenuItem::Trigger() const
{
	return fTrigger;
}


char
BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != NULL)
		*modifiers = fModifiers;
	return fShortcut;
}


BMenu*
BMenuItem::Submenu() const
{
	return fSubmenu;
}


BMenu*
BMenuItem::Menu() const
{
	return fMenu;
}


BRect
BMenuItem::Frame() const
{
	return fFrame;
}


bool
BMenuItem::IsSelected() const
{
	return fSelected;
}


std::string
BMenuItem::ShortcutText() const
{
	if (fShortcut == 0)
		return std::string();
	std::string text;
	if ((fModifiers & B_SHIFT_KEY) != 0)
		text += "Shift+";
	if ((fModifiers & B_OPTION_KEY) != 0)
		text += "Alt+";
	text += "Ctrl+";
	text += (char)toupper((unsigned char)fShortcut);
	return text;
}


status_t
BMenuItem::Invoke(BMessage* message)
{
	BMessage copy;
	BMessenger target;
	status_t status = _PrepareInvoke(message, &copy, &target);
	if (status != B_OK)
		return status;
	return target.SendMessage(&copy);
}


status_t
BMenuItem::_PrepareInvoke(BMessage* message, BMessage* copy, BMessenger* target)
{
	if (!IsEnabled())
		return B_ERROR;
	BMessage* source = message != NULL ? message : Message();
	if (source == NULL)
		return B_BAD_VALUE;

	*copy = *source;
	copy->AddInt64("when", system_time());
	copy->AddPointer("source", this);
	copy->AddInt32("index", fMenu != NULL ? fMenu->IndexOf(this) : -1);

	*target = Messenger();
	if (!target->IsValid() && fMenu != NULL) {
		BWindow* window = fMenu->_RootWindow();
		if (window != NULL)
			*target = BMessenger(window);
	}
	if (!target->IsValid())
		return B_BAD_HANDLER;
	return B_OK;
}


void
BMenuItem::GetContentSize(float* width, float* height)
{
	font_height fontHeight;
	be_plain_font->GetHeight(&fontHeight);
	*width = std::ceil(be_plain_font->StringWidth(fLabel.c_str()));
	*height = std::ceil(fontHeight.ascent + fontHeight.descent + fontHeight.leading);
}


BPoint
BMenuItem::ContentLocation() const
{
	bool column = fMenu != NULL && fMenu->Layout() != B_ITEMS_IN_ROW;
	return BPoint(fFrame.left + (column ? kMarkSpace : 8.0f), fFrame.top + 2);
}


void
BMenuItem::Highlight(bool on)
{
	fSelected = on;
	if (fMenu != NULL && fMenu->Window() != NULL)
		fMenu->Invalidate(fFrame);
}


void
BMenuItem::DrawContent()
{
	BMenu* menu = fMenu;
	font_height fontHeight;
	be_plain_font->GetHeight(&fontHeight);
	BPoint where = ContentLocation();
	float baseline = std::floor(where.y + fontHeight.ascent);
	menu->DrawString(fLabel.c_str(), BPoint(where.x, baseline));

	if (menu->Layout() == B_ITEMS_IN_ROW)
		return;
	std::string shortcut = ShortcutText();
	float right = fFrame.right - 10;
	if (fSubmenu != NULL) {
		// The submenu arrow.
		float middle = std::floor((fFrame.top + fFrame.bottom) / 2);
		menu->FillTriangle(BPoint(right - 4, middle - 4), BPoint(right, middle),
			BPoint(right - 4, middle + 4));
	} else if (!shortcut.empty()) {
		float width = menu->StringWidth(shortcut.c_str());
		menu->DrawString(shortcut.c_str(), BPoint(right - width, baseline));
	}
}


void
BMenuItem::Draw()
{
	BMenu* menu = fMenu;
	if (menu == NULL)
		return;
	rgb_color background = ui_color(B_MENU_BACKGROUND_COLOR);
	rgb_color selection = ui_color(B_MENU_SELECTION_BACKGROUND_COLOR);
	bool enabled = IsEnabled();
	bool selected = fSelected && enabled;

	menu->SetLowColor(selected ? selection : background);
	menu->SetHighColor(menu->LowColor());
	menu->FillRect(fFrame);

	rgb_color text = ui_color(selected ? B_MENU_SELECTED_ITEM_TEXT_COLOR
		: B_MENU_ITEM_TEXT_COLOR);
	if (!enabled)
		text = make_color(128, 128, 128);
	menu->SetHighColor(text);

	if (fMarked && menu->Layout() != B_ITEMS_IN_ROW) {
		// R5's check mark: two strokes, two pixels thick.
		float middle = std::floor((fFrame.top + fFrame.bottom) / 2);
		float left = fFrame.left + 6;
		for (int32 i = 0; i < 2; i++) {
			menu->StrokeLine(BPoint(left, middle + i), BPoint(left + 3, middle + 3 + i));
			menu->StrokeLine(BPoint(left + 3, middle + 3 + i),
				BPoint(left + 9, middle - 4 + i));
		}
	}
	DrawContent();
}


BSeparatorItem::BSeparatorItem()
	:
	BMenuItem("", NULL)
{
	BMenuItem::SetEnabled(false);
}


BSeparatorItem::~BSeparatorItem()
{
}


void
BSeparatorItem::SetEnabled(bool enabled)
{
}


void
BSeparatorItem::GetContentSize(float* width, float* height)
{
	*width = 2;
	*height = 3;
}


void
BSeparatorItem::Draw()
{
	BMenu* menu = Menu();
	if (menu == NULL)
		return;
	BRect frame = Frame();
	menu->SetHighColor(ui_color(B_MENU_BACKGROUND_COLOR));
	menu->FillRect(frame);
	float y = std::floor((frame.top + frame.bottom) / 2);
	menu->SetHighColor(make_color(152, 152, 152));
	menu->StrokeLine(BPoint(frame.left + 1, y), BPoint(frame.right - 1, y));
	menu->SetHighColor(make_color(255, 255, 255));
	menu->StrokeLine(BPoint(frame.left + 1, y + 1), BPoint(frame.right - 1, y + 1));
}
