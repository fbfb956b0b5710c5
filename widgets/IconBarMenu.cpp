#include "IconBarMenu.h"

#include "BubbleHelper.h"
#include "PressTracking.h"

#include <Looper.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <PopUpMenu.h>
#include <Window.h>


IconBarMenu::IconBarMenu(const char* name, const char* label, const char* help,
	BMessage* message, BubbleHelper* helper)
	:
	BView(BRect(0, 0, 26, 18), name, B_FOLLOW_NONE, B_WILL_DRAW),
	fName(name),
	fHelp(help),
	fMessage(message),
	fState(0),
	fBackground(ui_color(B_PANEL_BACKGROUND_COLOR)),
	fSize(33),
	fBubble(helper),
	fLabel(label),
	fMenu(NULL)
{
	PressTracking::SetUpLabelItem(this, fLabel, fSize);

	fMenu = new BPopUpMenu("pop_menu", true, true, B_ITEMS_IN_COLUMN);
	// The view has no window yet; items get their targets from whoever adds them.
	fMenu->SetTargetForItems(Window());

	if (fBubble != NULL)
		fBubble->SetHelp(this, fHelp);
}


IconBarMenu::~IconBarMenu()
{
	delete fMenu;
}


void
IconBarMenu::AttachedToWindow()
{
	PressTracking::TakeParentColor(this, fBackground);
}


void
IconBarMenu::DetachedFromWindow()
{
	fState = 0;
}


void
IconBarMenu::Draw(BRect updateRect)
{
	PressTracking::DrawFace(this, fState, fBackground);
	PressTracking::DrawCentredLabel(this, fLabel, fBackground);
}


void
IconBarMenu::_Redraw()
{
	PressTracking::Redraw(this);
}


void
IconBarMenu::_PopUp()
{
	BPoint where = ConvertToScreen(BPoint(1, Bounds().bottom + 2));
	BMenuItem* chosen = fMenu->Go(where, false, false, false);
	if (chosen == NULL || chosen->Message() == NULL)
		return;

	// An item without a target of its own still reaches the window below.
	BMessenger target = chosen->Messenger();
	if (target.IsValid())
		target.SendMessage(chosen->Message());
	if (Window() != NULL)
		Window()->MessageReceived(chosen->Message());
}


void
IconBarMenu::MouseDown(BPoint where)
{
	if (PressTracking::Press(this, fState, [this]() { _Redraw(); },
			[this]() { _PopUp(); }))
		PressTracking::PostToWindowAndApp(this, fMessage);
}


void
IconBarMenu::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	PressTracking::FollowTransit(transit, fState, [this]() { _Redraw(); });
	BView::MouseMoved(where, transit, dragMessage);
}


bool
IconBarMenu::AddItem(BMenuItem* item)
{
	return fMenu->AddItem(item);
}


bool
IconBarMenu::AddItem(BMenu* menu)
{
	return fMenu->AddItem(menu);
}


bool
IconBarMenu::RemoveItem(BMenuItem* item)
{
	return fMenu->RemoveItem(item);
}


bool
IconBarMenu::RemoveItem(BMenu* menu)
{
	return fMenu->RemoveItem(menu);
}


bool
IconBarMenu::AddSeparatorItem()
{
	return fMenu->AddSeparatorItem();
}


void
IconBarMenu::SetLabel(const char* label)
{
	fLabel = label;
	_Redraw();
}


const char*
IconBarMenu::GetLabel()
{
	return fLabel;
}


const char*
IconBarMenu::GetName()
{
	return fName;
}


void
IconBarMenu::SetSize(int size)
{
	fSize = size;
	PressTracking::SizeLabelItem(this, fLabel, size);
}


int32
IconBarMenu::GetWidth()
{
	return (int32)Bounds().right;
}
