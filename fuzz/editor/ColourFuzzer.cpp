// Colours random bytes as HTML, then edits them through the text view's hooks, and
// checks that every byte up to the first NUL carries one of the five colours after a
// whole colouring, and that the scan never reads or writes outside the text.

#include "EditView.h"

#include <Font.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>


namespace {

void
Check(bool condition, const char* what, int32 offset)
{
	if (!condition) {
		fprintf(stderr, "invariant broken: %s at %d\n", what, (int)offset);
		abort();
	}
}


bool
IsEditorColour(EditView* view, rgb_color colour)
{
	const rgb_color* colours[] = { &view->normalColor, &view->tagColor,
		&view->parameterColor, &view->quotationColor, &view->commentColor };
	for (const rgb_color* known : colours) {
		if (known->red == colour.red && known->green == colour.green
			&& known->blue == colour.blue)
			return true;
	}
	return false;
}


void
CheckColoured(EditView* view)
{
	view->koloruj(0);
	int32 length = view->TextLength();
	const char* text = view->Text();
	int32 end = (int32)strnlen(text, length);
	BFont font;
	for (int32 i = 0; i < end; i++) {
		rgb_color colour;
		view->GetFontAndColor(i, &font, &colour);
		Check(IsEditorColour(view, colour), "a byte without an editor colour", i);
	}
}

}	// namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static EditView* view = NULL;
	if (view == NULL) {
		view = new EditView(BRect(0, 0, 399, 299), "Edit");
		// Text the colouring never reached keeps the view's initial black, which no
		// editor colour is here.
		view->normalColor = make_color(1, 2, 3);
		view->SetFont(be_plain_font);
	}
	if (size > 64 * 1024)
		return 0;

	// The first byte splits the input: the text, then edits.
	size_t split = size > 0 ? data[0] % (size + 1) : 0;
	if (split == 0)
		split = size;
	const char* bytes = (const char*)data;
	view->SetText(bytes + (size > 0 ? 1 : 0), (int32)(split > 0 ? split - 1 : 0));
	CheckColoured(view);

	// Edits: each takes a byte of kind, a byte of position and for insertions a short
	// run of the input.
	for (size_t at = split; at + 3 <= size; at += 3) {
		int32 length = view->TextLength();
		int32 position = length > 0 ? data[at + 1] * length / 256 : 0;
		switch (data[at] % 4) {
			case 0:
				view->Insert(position, bytes + at + 2, 1);
				break;
			case 1:
				view->Delete(position, position + 1 + data[at + 2] % 8);
				break;
			case 2:
				view->pokoloruj(position - data[at + 2], position + data[at + 2]);
				break;
			default:
				view->Insert(position, data[at + 2] % 2 == 0 ? "<a b=\"" : "-->",
					data[at + 2] % 2 == 0 ? 6 : 3);
				break;
		}
	}
	CheckColoured(view);
	return 0;
}
