/*
 * Colour text and the codes of the colour palette and picker.
 *
 * Colour text is how a colour reaches a document: "#" followed by red, green and blue as
 * two upper-case hexadecimal digits each ("#0A800A"). Alpha is ignored. The palette and
 * the picker both produce it; EView::InsertColor inserts it.
 */
#ifndef COLOR_TEXT_H
#define COLOR_TEXT_H

#include <GraphicsDefs.h>

// Message codes of the palette and the picker.
enum {
	// A palette button to its window, or the picker to the application (which passes it
	// on to the main window): insert the colour in the string "color".
	kMsgInsertColorText = 'CScs',
	// The picker window to the application: the picker was closed.
	kMsgColorPickerClosed = 'CSwi',
	// The picker's colour control to its window: the control's value changed.
	kMsgColorControlChanged = 'XScs',
	// "Set color": store the control's colour in the selected user slot.
	kMsgSetUserColor = 'XSsc',
	// "Insert color": insert the current colour and close.
	kMsgInsertPickedColor = 'XSic',
	// "Cancel": close the picker.
	kMsgCancelColorPicker = 'CSca'
};

// Size of a buffer that holds colour text with its terminating NUL.
const int kColorTextSize = 8;

// Writes the colour text of color into text, which holds at least kColorTextSize bytes.
void FormatColorText(rgb_color color, char* text);

// The colour text of color in a new buffer of kColorTextSize bytes; the caller
// deletes it with delete[].
char* NewColorText(rgb_color color);

#endif	// COLOR_TEXT_H
