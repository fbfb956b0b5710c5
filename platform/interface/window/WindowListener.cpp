#include "interface/window/WindowListener.h"

#include <AppDefs.h>
#include <Entry.h>
#include <Message.h>

#include "app/LooperRegistry.h"

#include <cstring>

namespace BPrivate {

const char* const kFromServerField = "be:from_server";
const char* const kDropWhereField = "be:drop_where";


WindowListener::WindowListener(int32 looperToken)
	:
	fLooperToken(looperToken)
{
}


void
WindowListener::EventReceived(ServerWindow* window, const ServerEvent& event)
{
	BMessage* message = MessageFor(event);
	if (message != NULL)
		PostToLooper(fLooperToken, message);
}


static void
AddMouseFields(BMessage* message, const ServerEvent& event)
{
	message->AddInt64("when", event.when);
	message->AddPoint("where", event.where);
	message->AddPoint("screen_where", event.screenWhere);
	message->AddInt32("buttons", (int32)event.buttons);
	message->AddInt32("modifiers", (int32)event.modifiers);
}


static void
AddKeyFields(BMessage* message, const ServerEvent& event)
{
	message->AddInt64("when", event.when);
	message->AddInt32("modifiers", (int32)event.modifiers);
	message->AddInt32("key", event.key);
	message->AddInt32("raw_char", event.rawChar);
	char bytes[sizeof(event.bytes) + 1];
	memcpy(bytes, event.bytes, sizeof(event.bytes));
	bytes[sizeof(event.bytes)] = '\0';
	message->AddString("bytes", bytes);
	for (size_t i = 0; bytes[i] != '\0'; i++)
		message->AddInt8("byte", (int8)bytes[i]);
}


BMessage*
WindowListener::MessageFor(const ServerEvent& event)
{
	BMessage* message = NULL;
	switch (event.type) {
		case kServerMouseDown:
			message = new BMessage(B_MOUSE_DOWN);
			AddMouseFields(message, event);
			message->AddInt32("clicks", event.clicks);
			break;
		case kServerMouseUp:
			message = new BMessage(B_MOUSE_UP);
			AddMouseFields(message, event);
			break;
		case kServerMouseMoved:
			message = new BMessage(B_MOUSE_MOVED);
			AddMouseFields(message, event);
			message->AddInt32("be:transit", event.transit);
			break;
		case kServerMouseWheel:
			message = new BMessage(B_MOUSE_WHEEL_CHANGED);
			message->AddInt64("when", event.when);
			message->AddFloat("be:wheel_delta_x", event.wheelX);
			message->AddFloat("be:wheel_delta_y", event.wheelY);
			break;
		case kServerKeyDown:
			message = new BMessage(B_KEY_DOWN);
			AddKeyFields(message, event);
			if (event.repeat)
				message->AddInt32("be:key_repeat", 1);
			break;
		case kServerKeyUp:
			message = new BMessage(B_KEY_UP);
			AddKeyFields(message, event);
			break;
		case kServerWindowActivated:
			message = new BMessage(B_WINDOW_ACTIVATED);
			message->AddInt64("when", event.when);
			message->AddBool("active", event.active);
			break;
		case kServerCloseRequested:
			message = new BMessage(B_QUIT_REQUESTED);
			break;
		case kServerZoomRequested:
			message = new BMessage(B_ZOOM);
			break;
		case kServerWindowMoved:
			message = new BMessage(B_WINDOW_MOVED);
			message->AddInt64("when", event.when);
			message->AddPoint("where", event.frame.LeftTop());
			message->AddBool(kFromServerField, true);
			break;
		case kServerWindowResized:
			message = new BMessage(B_WINDOW_RESIZED);
			message->AddInt64("when", event.when);
			message->AddFloat("width", event.frame.Width());
			message->AddFloat("height", event.frame.Height());
			message->AddBool(kFromServerField, true);
			break;
		case kServerWindowMinimized:
			message = new BMessage(B_MINIMIZE);
			message->AddInt64("when", event.when);
			message->AddBool("minimize", event.active);
			message->AddBool(kFromServerField, true);
			break;
		case kServerFilesDropped:
		{
			entry_ref ref;
			if (get_ref_for_path(event.path.c_str(), &ref) != B_OK)
				break;
			message = new BMessage(B_SIMPLE_DATA);
			message->AddRef("refs", &ref);
			message->AddPoint("_drop_point_", event.screenWhere);
			message->AddPoint(kDropWhereField, event.where);
			break;
		}
		default:
			break;
	}
	return message;
}

}	// namespace BPrivate
