/*
 * The views of BAlert: the panel with the icon strip, and the button sizing rules.
 */
#ifndef _PRIVATE_ALERT_VIEWS_H
#define _PRIVATE_ALERT_VIEWS_H

#include <Alert.h>
#include <View.h>

namespace BPrivate {

// Posted to the alert's window when a button is pressed; "index" is the button.
static const uint32 kAlertButtonPressed = '_ALB';

// The room a default button's frame takes on each side of the button.
static const float kAlertDefaultInset = 3.0f;

// Width of a button for label, without the default frame.
float AlertButtonWidth(const char* label, button_width mode, float widest);

// Draws the 32 x 32 icon of type with its top-left corner at where.
void DrawAlertIcon(BView* view, alert_type type, BPoint where);

// The alert's background: the darker strip with the icon. The text view and the
// buttons are its children.
class AlertView : public BView {
public:
							AlertView(BRect frame, alert_type type);

	virtual	void			Draw(BRect updateRect);

private:
			alert_type		fType;
};

}	// namespace BPrivate

#endif	// _PRIVATE_ALERT_VIEWS_H
