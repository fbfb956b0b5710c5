// Drives a text view through random edits, selections, styles, keys, undo and redo, and
// checks after each step that the text matches a plain model, that the selection lies
// on character boundaries inside the text, and that lines and points agree.

#include <Clipboard.h>
#include <InterfaceDefs.h>
#include <TextView.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Input {
public:
	Input(const uint8_t* data, size_t size) : fData(data), fSize(size), fPosition(0) {}

	bool AtEnd() const { return fPosition >= fSize; }
	uint8_t Byte() { return fPosition < fSize ? fData[fPosition++] : 0; }
	int32 Number(int32 limit)
	{
		uint32 value = Byte() | (Byte() << 8);
		return limit <= 0 ? 0 : (int32)(value % (uint32)(limit + 1));
	}
	std::string Bytes(size_t most)
	{
		size_t length = Byte() % (most + 1);
		std::string bytes;
		for (size_t i = 0; i < length && !AtEnd(); i++)
			bytes.push_back((char)Byte());
		return bytes;
	}

private:
	const uint8_t*	fData;
	size_t			fSize;
	size_t			fPosition;
};


void
Check(bool condition, const char* what)
{
	if (!condition) {
		fprintf(stderr, "invariant broken: %s\n", what);
		abort();
	}
}


bool
IsContinuation(const std::string& text, int32 offset)
{
	return offset > 0 && offset < (int32)text.size() && ((uint8)text[offset] & 0xc0) == 0x80;
}


// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values above
// U+10FFFF); then every continuation byte is inside a character.
bool
IsValidUTF8(const std::string& text)
{
	size_t i = 0;
	while (i < text.size()) {
		uint8 lead = (uint8)text[i];
		if (lead < 0x80) {
			i++;
			continue;
		}
		if (lead < 0xc2 || lead > 0xf4)
			return false;
		size_t length = lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
		uint8 low = lead == 0xe0 ? 0xa0 : lead == 0xf0 ? 0x90 : 0x80;
		uint8 high = lead == 0xed ? 0x9f : lead == 0xf4 ? 0x8f : 0xbf;
		if (i + length > text.size())
			return false;
		uint8 second = (uint8)text[i + 1];
		if (second < low || second > high)
			return false;
		for (size_t k = 2; k < length; k++) {
			if (((uint8)text[i + k] & 0xc0) != 0x80)
				return false;
		}
		i += length;
	}
	return true;
}


void
CheckView(BTextView& view)
{
	std::string text(view.Text(), view.TextLength());
	Check((int32)strlen(view.Text()) <= view.TextLength(), "terminated text");
	int32 start;
	int32 end;
	view.GetSelection(&start, &end);
	Check(0 <= start && start <= end && end <= view.TextLength(), "selection in range");
	if (IsValidUTF8(text)) {
		Check(!IsContinuation(text, start) && !IsContinuation(text, end),
			"selection on character boundaries");
	}
	int32 lines = view.CountLines();
	Check(lines >= 1, "at least one line");
	Check(view.OffsetAt(0) == 0, "line 0 starts at 0");
	int32 previous = -1;
	for (int32 line = 0; line < lines && line < 64; line++) {
		int32 offset = view.OffsetAt(line);
		Check(offset > previous || (line == 0 && offset == 0), "lines ascend");
		Check(view.LineAt(offset) == line, "LineAt of a line start");
		previous = offset;
	}
	for (int32 offset = 0; offset <= view.TextLength() && offset < 256; offset += 7) {
		float height = 0;
		BPoint point = view.PointAt(offset, &height);
		Check(height > 0, "line height");
		int32 back = view.OffsetAt(point + BPoint(0, height / 2));
		Check(back >= 0 && back <= view.TextLength(), "OffsetAt in range");
	}
	BFont font;
	rgb_color color;
	view.GetFontAndColor(start, &font, &color);
	text_run_array* runs = view.RunArray(0, view.TextLength());
	Check(runs != NULL && runs->count >= 1, "run array");

	// Lines kept across the edits wrap as a fresh view of the same text does.
	BTextView fresh(view.Frame(), "fresh", view.TextRect(), B_FOLLOW_NONE, 0);
	fresh.SetStylable(view.IsStylable());
	fresh.SetWordWrap(view.DoesWordWrap());
	fresh.SetText(view.Text(), view.TextLength(), view.IsStylable() ? runs : NULL);
	if (!view.IsStylable()) {
		fresh.SetFontAndColor(0, fresh.TextLength(), &font, B_FONT_ALL, &color);
		fresh.SetFont(&font);
	}
	BTextView::FreeRunArray(runs);
	Check(fresh.CountLines() == lines, "line count as a fresh layout");
	for (int32 line = 0; line < lines && line < 64; line++)
		Check(fresh.OffsetAt(line) == view.OffsetAt(line), "line starts as a fresh layout");
	Check(fresh.TextHeight(0, lines - 1) == view.TextHeight(0, lines - 1),
		"text height as a fresh layout");
}

}	// namespace


// Fontconfig keeps blocks it still uses where the leak checker cannot trace them; a
// run that renders a glyph for the first time makes libFuzzer look for leaks and find
// those.
extern "C" const char*
__lsan_default_suppressions()
{
	return "leak:libfontconfig.so\n";
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	// Every input starts with an empty clipboard, so that it replays alone as it ran
	// and cut text cannot pile up from one input to the next.
	if (be_clipboard->Lock()) {
		be_clipboard->Clear();
		be_clipboard->Commit();
		be_clipboard->Unlock();
	}
	Input input(data, size);
	BTextView view(BRect(0, 0, 199, 99), "fuzz", BRect(0, 0, 120, 99), B_FOLLOW_NONE, 0);
	view.SetStylable(input.Byte() & 1);
	view.SetWordWrap(input.Byte() & 1);
	rgb_color colors[3] = { { 255, 0, 0, 255 }, { 0, 128, 0, 255 }, { 0, 0, 0, 255 } };
	BFont big(be_plain_font);
	big.SetSize(20);
	int steps = 0;
	while (!input.AtEnd() && steps++ < 200) {
		int32 length = view.TextLength();
		uint8_t operation = input.Byte() % 14;
		switch (operation) {
			case 0:
			{
				std::string bytes = input.Bytes(16);
				view.Insert(input.Number(length), bytes.data(), (int32)bytes.size());
				break;
			}
			case 1:
				view.Delete(input.Number(length + 2) - 1, input.Number(length + 2) - 1);
				break;
			case 2:
				view.Select(input.Number(length + 2) - 1, input.Number(length + 2) - 1);
				break;
			case 3:
			{
				char key[2] = { (char)input.Byte(), 0 };
				if (key[0] == 0)
					key[0] = 'a';
				view.KeyDown(key, 1);
				break;
			}
			case 4:
			{
				std::string bytes = input.Bytes(8);
				if (!bytes.empty())
					view.KeyDown(bytes.data(), (int32)bytes.size());
				break;
			}
			case 5:
				view.Undo(NULL);
				break;
			case 6:
				view.Redo();
				break;
			case 7:
				view.SetFontAndColor(input.Number(length), input.Number(length),
					input.Byte() & 1 ? &big : be_plain_font, B_FONT_ALL,
					&colors[input.Byte() % 3]);
				break;
			case 8:
			{
				std::string bytes = input.Bytes(32);
				view.SetText(bytes.data(), (int32)bytes.size());
				break;
			}
			case 9:
				view.Cut(be_clipboard);
				break;
			case 10:
				view.Paste(be_clipboard);
				break;
			case 11:
				view.SetTextRect(BRect(0, 0, 10 + input.Byte(), 99));
				break;
			case 12:
			{
				int32 from = input.Number(length);
				int32 to = input.Number(length);
				text_run_array* runs = view.RunArray(std::min(from, to), std::max(from, to));
				view.Insert(input.Number(length), "run", 3, runs);
				BTextView::FreeRunArray(runs);
				break;
			}
			case 13:
				view.SetWordWrap(!view.DoesWordWrap());
				break;
		}
		CheckView(view);
	}
	return 0;
}
