#include "SearchView.h"


SearchView::SearchView(BRect frame, const char* name)
	:
	BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW)
{
	SetViewColor(220, 220, 220);
}


void
SearchView::MessageReceived(BMessage* message)
{
}
