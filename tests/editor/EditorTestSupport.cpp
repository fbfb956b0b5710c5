#include "EditorTestSupport.h"

#include "EView.h"
#include "EditView.h"
#include "UiTestSupport.h"

#include <Font.h>

#include <cstdio>


DocumentWindow::DocumentWindow(BRect frame)
	:
	BWindow(frame, "document", B_TITLED_WINDOW, 0),
	fModifications(0)
{
	fDocument = new EView(Bounds(), "Untitled1");
	AddChild(fDocument);
}


void
DocumentWindow::MessageReceived(BMessage* message)
{
	if (message->what == kEditTextModified) {
		fModifications++;
		return;
	}
	BWindow::MessageReceived(message);
}


EditView*
DocumentWindow::Edit() const
{
	return fDocument->editView;
}


DocumentWindow*
OpenDocumentWindow(BRect frame)
{
	DocumentWindow* window = new DocumentWindow(frame);
	ShowActive(window);
	return window;
}


std::string
DocumentText(DocumentWindow* window)
{
	std::string text;
	Locked(window, [&]() {
		text.assign(window->Document()->GetBufor(), window->Document()->GetTextLength());
	});
	return text;
}


rgb_color
ColourAt(EditView* view, int32 offset)
{
	BFont font;
	rgb_color colour = make_color(1, 2, 3);
	view->GetFontAndColor(offset, &font, &colour);
	return colour;
}


std::string
ColourName(rgb_color colour)
{
	char text[32];
	snprintf(text, sizeof(text), "(%d, %d, %d)", colour.red, colour.green, colour.blue);
	return text;
}
