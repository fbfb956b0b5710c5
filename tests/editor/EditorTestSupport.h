// A window holding one editor pane, counting the modification messages the pane's text
// view posts, and helpers to read the pane's text and colours from the test's thread.
#ifndef EDITOR_TEST_SUPPORT_H
#define EDITOR_TEST_SUPPORT_H

#include <GraphicsDefs.h>
#include <Window.h>

#include <atomic>
#include <string>

class EView;
class EditView;


class DocumentWindow : public BWindow {
public:
								DocumentWindow(BRect frame);

	virtual	void				MessageReceived(BMessage* message);

			EView*				Document() const { return fDocument; }
			EditView*			Edit() const;

	// 'ETmo' messages handled so far (call after WaitIdle()).
			int32				Modifications() const { return fModifications; }
			void				ResetModifications() { fModifications = 0; }

private:
			EView*				fDocument;
			std::atomic<int32>	fModifications;
};


// Shows a new document window, active, and waits until it has drawn.
DocumentWindow* OpenDocumentWindow(BRect frame = BRect(100, 100, 499, 399));

// The pane's text, with the window locked.
std::string DocumentText(DocumentWindow* window);

// The colour of the byte at offset.
rgb_color ColourAt(EditView* view, int32 offset);

inline bool
SameColour(rgb_color a, rgb_color b)
{
	return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// A readable colour for failure messages.
std::string ColourName(rgb_color colour);

#endif	// EDITOR_TEST_SUPPORT_H
