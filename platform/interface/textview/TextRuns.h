/*
 * The style runs of a text view in the R5 layout: each run names the offset where it
 * starts (relative to the range the array describes), a font and a colour, and runs
 * until the next one starts. A text_run_array is a count followed by that many runs
 * in one block of memory.
 */
#ifndef _TEXTVIEW_TEXT_RUNS_H
#define _TEXTVIEW_TEXT_RUNS_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <SupportDefs.h>

struct text_run {
	int32			offset;
	BFont			font;
	rgb_color		color;
};

struct text_run_array {
	int32			count;
	text_run		runs[1];
};

namespace BPrivate {

// Allocates an array with room for count runs (at least one), each set to offset 0,
// be_plain_font and black, with its count set to count. Stores the size of the block
// in bytes in outSize when given. NULL when count is negative or memory runs out.
text_run_array*	AllocRunArray(int32 count, int32* outSize = NULL);
// Frees an array from AllocRunArray; NULL is allowed.
void			FreeRunArray(text_run_array* array);
// The size in bytes of an array of count runs.
size_t			RunArraySize(int32 count);

}	// namespace BPrivate

#endif	// _TEXTVIEW_TEXT_RUNS_H
