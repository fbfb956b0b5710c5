#include "interface/menus/MenuWindow.h"

#include <Message.h>
#include <MenuItem.h>

namespace BPrivate {


MenuWindow::MenuWindow(BRect frame, bool takesFocus)
	:
	BWindow(frame, "menu", B_NO_BORDER_WINDOW_LOOK, B_FLOATING_ALL_WINDOW_FEEL,
		B_NOT_MOVABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE
			| B_NOT_RESIZABLE | B_WILL_ACCEPT_FIRST_CLICK
			| (takesFocus ? 0 : B_AVOID_FOCUS)),
	fRoot(NULL)
{
}


void
MenuWindow::SetRoot(BMenu* root)
{
	fRoot = root;
}


// A pop-up menu that had the focus closes when the user turns to another window.
void
MenuWindow::WindowActivated(bool active)
{
	if (!active && fRoot != NULL)
		MenuAccess::Cancel(fRoot);
}


MenuShield::MenuShield(BRect frame, BMenu* root)
	:
	BView(frame, "_menu_shield_", B_FOLLOW_ALL, 0),
	fRoot(root)
{
	SetViewColor(B_TRANSPARENT_COLOR);
}


void
MenuShield::_Forward(uint32 what, BPoint where)
{
	uint32 buttons = 0;
	BMessage* current = Window()->CurrentMessage();
	if (current != NULL)
		current->FindInt32("buttons", (int32*)&buttons);
	MenuAccess::PointerEvent(fRoot, what, ConvertToScreen(where), buttons);
}


void
MenuShield::MouseDown(BPoint where)
{
	_Forward(B_MOUSE_DOWN, where);
}


void
MenuShield::MouseUp(BPoint where)
{
	_Forward(B_MOUSE_UP, where);
}


void
MenuShield::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	_Forward(B_MOUSE_MOVED, where);
}


void
MenuShield::KeyDown(const char* bytes, int32 numBytes)
{
	MenuAccess::KeyEvent(fRoot, bytes);
}


void
MenuShield::WindowActivated(bool active)
{
	if (!active)
		MenuAccess::Cancel(fRoot);
}

}	// namespace BPrivate
