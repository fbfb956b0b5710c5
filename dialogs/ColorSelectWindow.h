/*
 * ColorSelectWindow: the floating colour picker dialog ("Insert color").
 *
 * It holds one ColorSelectView. Closing it in any way (the close box, "Cancel",
 * "Insert color") hides it and tells the application with kMsgColorPickerClosed
 * ('CSwi'); the window itself is kept. When the application quits, the picker quits
 * with it.
 */
#ifndef COLOR_SELECT_WINDOW_H
#define COLOR_SELECT_WINDOW_H

#include <Window.h>

class ColorSelectView;

class ColorSelectWindow : public BWindow {
public:
								ColorSelectWindow(BRect frame, const char* title);
	virtual						~ColorSelectWindow();

	virtual	void				MessageReceived(BMessage* message);
	// Hides the window instead of closing it, unless the application is quitting.
	virtual	bool				QuitRequested();

			ColorSelectView*	View() const { return fView; }

private:
			void				_Close();

			ColorSelectView*	fView;
};

#endif	// COLOR_SELECT_WINDOW_H
