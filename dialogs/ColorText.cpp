#include "ColorText.h"

#include <stdio.h>


void
FormatColorText(rgb_color color, char* text)
{
	snprintf(text, kColorTextSize, "#%02X%02X%02X", color.red, color.green,
		color.blue);
}


char*
NewColorText(rgb_color color)
{
	char* text = new char[kColorTextSize];
	FormatColorText(color, text);
	return text;
}
