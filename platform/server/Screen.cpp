#include <Screen.h>

#include "server/DisplayServer.h"

using BPrivate::DisplayServer;

const screen_id B_MAIN_SCREEN_ID = { 0 };


BScreen::BScreen(screen_id id)
	:
	fID(id),
	fValid(id.id == B_MAIN_SCREEN_ID.id && DisplayServer::Default() != NULL)
{
}


BScreen::BScreen(BWindow* window)
	:
	fID(B_MAIN_SCREEN_ID),
	fValid(DisplayServer::Default() != NULL)
{
}


BScreen::~BScreen()
{
}


bool
BScreen::IsValid()
{
	return fValid;
}


// There is only the main screen.
status_t
BScreen::SetToNext()
{
	return B_ERROR;
}


BRect
BScreen::Frame()
{
	if (!fValid)
		return BRect();
	return DisplayServer::Default()->ScreenFrame();
}


color_space
BScreen::ColorSpace()
{
	if (!fValid)
		return B_NO_COLOR_SPACE;
	return DisplayServer::Default()->ColorSpace();
}


screen_id
BScreen::ID()
{
	return fID;
}
