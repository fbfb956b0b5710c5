/*
 * The views of BAlert: the panel with the icon and the wrapped text, and a plain push
 * button in the R5 look (grey bevel; the default button has a thicker frame around it)
 * that stands in for BButton.
 */
#ifndef _PRIVATE_ALERT_VIEWS_H
#define _PRIVATE_ALERT_VIEWS_H

#include <Alert.h>
#include <View.h>

#include <string>
#include <vector>

namespace BPrivate {

// Posted to the alert's window when a button is pressed; "index" is the button.
static const uint32 kAlertButtonPressed = '_ALB';

// Breaks text into lines no wider than width in font: at spaces where possible, inside
// a word only when the word alone is too wide; line feeds always break.
std::vector<std::string> WrapText(const BFont& font, const char* text, float width);

// Draws the 32 x 32 icon of type with its top-left corner at where.
void DrawAlertIcon(BView* view, alert_type type, BPoint where);

class AlertButton : public BView {
public:
	// The frame includes the room for the default button's frame (kDefaultInset on each
	// side), so that a button looks the same size whether it is the default or not.
	static const float	kDefaultInset;

							AlertButton(BRect frame, const char* label, int32 index);

			void			SetDefault(bool isDefault);
			bool			IsDefault() const { return fDefault; }
			const char*		Label() const { return fLabel.c_str(); }
			int32			Index() const { return fIndex; }
	// Width for a label, without the default inset.
	static	float			WidthFor(const char* label, button_width mode,
								float widest);

	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			WindowActivated(bool active);

			void			Invoke();

private:
			std::string		fLabel;
			int32			fIndex;
			bool			fDefault;
			bool			fPressed;
};

class AlertView : public BView {
public:
							AlertView(BRect frame, alert_type type, const char* text);

			void			SetTextArea(BRect area) { fTextArea = area; }
			const std::vector<std::string>& Lines() const { return fLines; }
			void			SetLines(const std::vector<std::string>& lines)
								{ fLines = lines; }

	virtual	void			Draw(BRect updateRect);

private:
			alert_type		fType;
			std::string		fText;
			std::vector<std::string> fLines;
			BRect			fTextArea;
};

}	// namespace BPrivate

#endif	// _PRIVATE_ALERT_VIEWS_H
