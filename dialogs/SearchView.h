/*
 * SearchView: the plain background of the search and replace dialog.
 */
#ifndef SEARCH_VIEW_H
#define SEARCH_VIEW_H

#include <View.h>

class SearchView : public BView {
public:
								SearchView(BRect frame, const char* name);

	// Takes no messages of its own; everything is ignored.
	virtual	void				MessageReceived(BMessage* message);
};

#endif	// SEARCH_VIEW_H
