#include <MenuField.h>

#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "interface/menus/MenuWindow.h"

#include <algorithm>
#include <cmath>

using BPrivate::MenuAccess;


BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fLabel(label != NULL ? label : ""),
	fMenu(menu),
	fMenuItem(NULL),
	fDivider(0),
	fEnabled(true),
	fTracking(false)
{
	if (!fLabel.empty())
		fDivider = std::floor(frame.Width() / 2);
	// The item that stands for the menu carries the shown label; it owns the menu.
	if (menu != NULL) {
		fMenuItem = new BMenuItem(menu);
		BMenuItem* marked = menu->FindMarked();
		if (menu->IsLabelFromMarked() && marked != NULL)
			fMenuItem->SetLabel(marked->Label());
	}
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}


BMenuField::~BMenuField()
{
	if (fMenu != NULL)
		MenuAccess::SetOwnerView(fMenu, NULL);
	delete fMenuItem;
}


void
BMenuField::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (Parent() != NULL)
		SetViewColor(Parent()->ViewColor());
	if (fMenu != NULL) {
		MenuAccess::SetOwner(fMenu, Window(), BMessenger());
		MenuAccess::SetOwnerView(fMenu, this);
	}
}


BMenu*
BMenuField::Menu() const
{
	return fMenu;
}


BMenuItem*
BMenuField::MenuItem() const
{
	return fMenuItem;
}


void
BMenuField::SetLabel(const char* label)
{
	fLabel = label != NULL ? label : "";
	if (Window() != NULL)
		Invalidate();
}


const char*
BMenuField::Label() const
{
	return fLabel.c_str();
}


void
BMenuField::SetEnabled(bool on)
{
	fEnabled = on;
	if (fMenu != NULL)
		fMenu->SetEnabled(on);
	if (Window() != NULL)
		Invalidate();
}


bool
BMenuField::IsEnabled() const
{
	return fEnabled;
}


void
BMenuField::SetDivider(float divider)
{
	fDivider = std::max(0.0f, divider);
	if (Window() != NULL)
		Invalidate();
}


float
BMenuField::Divider() const
{
	return fDivider;
}


BRect
BMenuField::MenuFrame() const
{
	font_height fontHeight;
	be_plain_font->GetHeight(&fontHeight);
	float height = std::ceil(fontHeight.ascent + fontHeight.descent) + 6;
	const char* text = fMenuItem != NULL ? fMenuItem->Label() : "";
	float width = std::ceil(be_plain_font->StringWidth(text)) + 30;
	BRect bounds = Bounds();
	float left = fDivider + 2;
	return BRect(left, 1, std::min(bounds.right - 1, left + width),
		std::min(bounds.bottom - 1, height + 1));
}


void
BMenuField::GetPreferredSize(float* width, float* height)
{
	BRect frame = MenuFrame();
	*width = frame.right + 1;
	*height = frame.bottom + 1;
}


void
BMenuField::Draw(BRect updateRect)
{
	SetFont(be_plain_font);
	font_height fontHeight;
	be_plain_font->GetHeight(&fontHeight);
	BRect box = MenuFrame();
	float baseline = std::floor(box.top + 3 + fontHeight.ascent);
	rgb_color text = fEnabled ? make_color(0, 0, 0) : make_color(128, 128, 128);

	if (!fLabel.empty()) {
		SetHighColor(text);
		SetLowColor(ViewColor());
		DrawString(fLabel.c_str(), BPoint(3, baseline));
	}

	// The button: a dark outline, a light bevel inside, the marked label and R5's
	// small arrow at the right.
	SetHighColor(ui_color(B_MENU_BACKGROUND_COLOR));
	FillRect(box);
	SetHighColor(make_color(255, 255, 255));
	StrokeLine(BPoint(box.left + 1, box.top + 1), BPoint(box.right - 2, box.top + 1));
	StrokeLine(BPoint(box.left + 1, box.top + 1), BPoint(box.left + 1, box.bottom - 2));
	SetHighColor(make_color(152, 152, 152));
	StrokeLine(BPoint(box.left + 2, box.bottom - 1), BPoint(box.right - 1, box.bottom - 1));
	StrokeLine(BPoint(box.right - 1, box.top + 2), BPoint(box.right - 1, box.bottom - 1));
	SetHighColor(make_color(96, 96, 96));
	StrokeRect(BRect(box.left, box.top, box.right, box.bottom));

	SetLowColor(ui_color(B_MENU_BACKGROUND_COLOR));
	SetHighColor(text);
	if (fMenuItem != NULL)
		DrawString(fMenuItem->Label(), BPoint(box.left + 6, baseline));
	float middle = std::floor((box.top + box.bottom) / 2);
	float right = box.right - 6;
	FillTriangle(BPoint(right - 6, middle - 2), BPoint(right, middle - 2),
		BPoint(right - 3, middle + 1));

	if (IsFocus() && Window() != NULL && Window()->IsActive()) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeLine(BPoint(box.left + 3, box.bottom - 3), BPoint(box.right - 14, box.bottom - 3));
	}
}


void
BMenuField::_OpenMenu(bool buttonHeld)
{
	if (fMenu == NULL || !fEnabled || MenuAccess::IsTracking(fMenu))
		return;
	BRect box = ConvertToScreen(MenuFrame());
	MenuAccess::OpenAsPopUp(fMenu, BPoint(box.left, box.bottom + 1), true, false, NULL,
		Window(), BMessenger(this));
	fTracking = buttonHeld;
}


void
BMenuField::MouseDown(BPoint where)
{
	if (!MenuFrame().Contains(where))
		return;
	SetMouseEventMask(B_POINTER_EVENTS);
	_OpenMenu(true);
}


static void
ForwardToMenu(BMenu* menu, BView* view, uint32 what, BPoint where)
{
	BMessage message(BPrivate::kMenuPointerEvent);
	message.AddInt32("what", (int32)what);
	message.AddPoint("screen_where", view->ConvertToScreen(where));
	message.AddInt32("buttons", what == B_MOUSE_UP ? 0 : (int32)B_PRIMARY_MOUSE_BUTTON);
	BMessenger(menu).SendMessage(&message);
}


// While the button that opened the menu is held, the pointer belongs to this window;
// the open menu learns where it goes from here.
void
BMenuField::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fTracking && fMenu->Window() != NULL)
		ForwardToMenu(fMenu, this, B_MOUSE_MOVED, where);
}


void
BMenuField::MouseUp(BPoint where)
{
	if (fTracking && fMenu->Window() != NULL)
		ForwardToMenu(fMenu, this, B_MOUSE_UP, where);
	fTracking = false;
}


void
BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER
		|| bytes[0] == B_DOWN_ARROW)) {
		_OpenMenu(false);
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BMenuField::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	if (Window() != NULL)
		Invalidate();
}


void
BMenuField::WindowActivated(bool active)
{
	if (IsFocus())
		Invalidate();
}


void
BMenuField::MessageReceived(BMessage* message)
{
	if (message->what == BPrivate::kMenuFieldChanged) {
		fTracking = false;
		Invalidate();
		return;
	}
	BView::MessageReceived(message);
}
