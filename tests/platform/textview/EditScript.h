/*
 * An edit script for the text store and a plain model to check it against: the text as
 * a std::string, the line starts recomputed from scratch and one style per byte. The
 * script reads its choices from a byte source, so the same code serves the random
 * differential test and the fuzz target.
 */
#ifndef _TEXTVIEW_EDIT_SCRIPT_H
#define _TEXTVIEW_EDIT_SCRIPT_H

#include <Errors.h>
#include <Font.h>

#include "interface/textview/TextStore.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace EditScript {

using BPrivate::StyleRun;
using BPrivate::TextStore;
using BPrivate::TextStyle;

// Hands out script bytes; past the end it gives zeros, and Done() says so.
class ByteSource {
public:
	explicit ByteSource(std::function<uint8()> next, size_t limit = SIZE_MAX)
		: fNext(next), fLimit(limit), fUsed(0) {}

	uint8 Byte()
	{
		if (fUsed >= fLimit)
			return 0;
		fUsed++;
		return fNext();
	}
	// A number in 0 ... range - 1 (range > 0).
	int32 Below(int32 range)
	{
		uint32 value = Byte() | Byte() << 8 | Byte() << 16;
		return (int32)(value % (uint32)range);
	}
	bool Done() const { return fUsed >= fLimit; }

private:
	std::function<uint8()> fNext;
	size_t fLimit;
	size_t fUsed;
};


class Model {
public:
	Model()
		:
		fStore(*be_plain_font, make_color(0, 0, 0))
	{
	}

	TextStore& Store() { return fStore; }
	const std::string& Text() const { return fText; }

	// Performs one step of the script on both the store and the model.
	void Step(ByteSource& source)
	{
		switch (source.Byte() % 8) {
			case 0:
			case 1:
			case 2:
				_Insert(source);
				break;
			case 3:
			case 4:
				_Remove(source);
				break;
			case 5:
				_SetStyle(source);
				break;
			case 6:
				_RoundTrip(source);
				break;
			case 7:
				_Invalid(source);
				break;
		}
	}

	// Empty when store and model agree, otherwise what differs.
	std::string Check() const
	{
		if (!fFailure.empty())
			return fFailure;
		const BPrivate::TextBuffer& text = fStore.Text();
		if (text.Length() != (int32)fText.size())
			return "length " + std::to_string(text.Length()) + " != "
				+ std::to_string(fText.size());
		for (size_t i = 0; i < fText.size(); i += 1 + fText.size() / 64) {
			if (text.ByteAt((int32)i) != fText[i])
				return "ByteAt " + std::to_string(i);
		}
		if (std::string(text.Text(), text.Length()) != fText)
			return "text differs";
		if (strlen(text.Text()) != strnlen(fText.c_str(), fText.size()))
			return "text is not terminated";

		std::vector<int32> starts(1, 0);
		for (size_t i = 0; i < fText.size(); i++) {
			if (fText[i] == '\n')
				starts.push_back((int32)i + 1);
		}
		const BPrivate::LineIndex& lines = fStore.Lines();
		if (lines.CountLines() != (int32)starts.size())
			return "line count " + std::to_string(lines.CountLines()) + " != "
				+ std::to_string(starts.size());
		for (size_t line = 0; line < starts.size(); line++) {
			int32 start = starts[line];
			int32 end = line + 1 < starts.size() ? starts[line + 1] - 1 : (int32)fText.size();
			if (lines.LineStart((int32)line) != start)
				return "start of line " + std::to_string(line);
			if (lines.LineEnd((int32)line) != end)
				return "end of line " + std::to_string(line);
			if (lines.LineAt(start) != (int32)line || lines.LineAt(end) != (int32)line)
				return "LineAt in line " + std::to_string(line);
		}

		std::string characters = _CheckCharacters();
		if (!characters.empty())
			return characters;

		const BPrivate::StyleRuns& styles = fStore.Styles();
		if (styles.Length() != (int32)fStyles.size())
			return "style length";
		int32 runs = 0;
		for (size_t i = 0; i < fStyles.size(); i++) {
			if (styles.StyleAt(styles.StyleIndexAt((int32)i)) != fStyles[i])
				return "style of byte " + std::to_string(i);
			if (i == 0 || fStyles[i] != fStyles[i - 1])
				runs++;
		}
		// Runs of equal index may still hold equal styles, so the store may count more.
		int32 storeRuns = 0;
		StyleRun run;
		int32 covered = 0;
		for (int32 offset = 0; styles.GetRun(offset, styles.Length(), &run);
				offset = run.end) {
			if (run.start != covered || run.end <= run.start)
				return "runs do not tile the text";
			covered = run.end;
			storeRuns++;
		}
		if (covered != (int32)fStyles.size() || storeRuns < runs)
			return "run count";
		return "";
	}

private:
	// The length of the well-formed sequence at i by the table of well-formed UTF-8
	// byte sequences in the Unicode standard, or 1.
	static int32 _SequenceLength(const std::string& text, size_t i)
	{
		uint8 lead = (uint8)text[i];
		int32 length;
		uint8 low = 0x80;
		uint8 high = 0xbf;
		if (lead <= 0x7f)
			return 1;
		else if (lead >= 0xc2 && lead <= 0xdf)
			length = 2;
		else if (lead == 0xe0)
			length = 3, low = 0xa0;
		else if ((lead >= 0xe1 && lead <= 0xec) || lead == 0xee || lead == 0xef)
			length = 3;
		else if (lead == 0xed)
			length = 3, high = 0x9f;
		else if (lead == 0xf0)
			length = 4, low = 0x90;
		else if (lead >= 0xf1 && lead <= 0xf3)
			length = 4;
		else if (lead == 0xf4)
			length = 4, high = 0x8f;
		else
			return 1;
		if (i + length > text.size())
			return 1;
		if ((uint8)text[i + 1] < low || (uint8)text[i + 1] > high)
			return 1;
		for (int32 k = 2; k < length; k++) {
			if ((uint8)text[i + k] < 0x80 || (uint8)text[i + k] > 0xbf)
				return 1;
		}
		return length;
	}

	// Character boundaries found by decoding the text from the start.
	std::string _CheckCharacters() const
	{
		std::vector<int32> boundaries;
		for (size_t i = 0; i < fText.size(); i += _SequenceLength(fText, i))
			boundaries.push_back((int32)i);
		boundaries.push_back((int32)fText.size());

		const BPrivate::TextBuffer& text = fStore.Text();
		if (text.CountChars() != (int32)boundaries.size() - 1)
			return "character count";
		size_t next = 0;
		for (int32 offset = 0; offset <= (int32)fText.size(); offset++) {
			bool boundary = boundaries[next] == offset;
			if (text.IsCharBoundary(offset) != boundary)
				return "boundary at " + std::to_string(offset);
			int32 previous = boundary ? (next > 0 ? boundaries[next - 1] : 0)
				: boundaries[next - 1];
			if (text.PreviousCharBoundary(offset) != previous)
				return "previous boundary from " + std::to_string(offset);
			int32 following = boundary
				? (next + 1 < boundaries.size() ? boundaries[next + 1] : offset)
				: boundaries[next];
			if (text.NextCharBoundary(offset) != following)
				return "next boundary from " + std::to_string(offset);
			if (boundary)
				next++;
		}
		return "";
	}

	TextStyle _StyleAtInsert(int32 offset) const
	{
		if (fStyles.empty())
			return fStore.Styles().StyleAt(0);
		return fStyles[offset > 0 ? offset - 1 : 0];
	}

	void _Insert(ByteSource& source)
	{
		static const char* const kPieces[] = {
			"a", "<p>", "\n", "\r\n", "\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80",
			"\xe2\x82", "\x80", "\xff", "<b>x</b>\n\n", "text with\nlines\n",
			"\xed\xa0\x80", "\xc0\xaf", "\xf4\x90\x80\x80", "\xe0\x80", "\xf0\x9f"
		};
		std::string bytes;
		int32 pieces = 1 + source.Below(4);
		for (int32 i = 0; i < pieces; i++)
			bytes += kPieces[source.Below(sizeof(kPieces) / sizeof(kPieces[0]))];
		int32 offset = source.Below((int32)fText.size() + 1);
		bool explicitStyle = source.Byte() % 4 == 0;
		int32 style = explicitStyle ? source.Below(fStore.Styles().CountStyles()) : -1;

		TextStyle inserted = style < 0 ? _StyleAtInsert(offset)
			: fStore.Styles().StyleAt((uint16)style);
		if (fStore.Insert(offset, bytes.data(), (int32)bytes.size(), style) != B_OK) {
			fFailure = "insert failed";
			return;
		}
		fText.insert(offset, bytes);
		fStyles.insert(fStyles.begin() + offset, bytes.size(), inserted);
	}

	void _Remove(ByteSource& source)
	{
		int32 from = source.Below((int32)fText.size() + 1);
		int32 to = from + source.Below(std::min((int32)fText.size() - from, 40) + 1);
		if (fStore.Remove(from, to) != B_OK) {
			fFailure = "remove failed";
			return;
		}
		fText.erase(from, to - from);
		fStyles.erase(fStyles.begin() + from, fStyles.begin() + to);
	}

	void _SetStyle(ByteSource& source)
	{
		int32 from = source.Below((int32)fText.size() + 1);
		int32 to = from + source.Below((int32)fText.size() - from + 1);
		BFont font(source.Byte() % 2 == 0 ? be_plain_font : be_bold_font);
		font.SetSize(10.0f + source.Below(4));
		rgb_color color = make_color(source.Below(3) * 100, 0, source.Below(2) * 200);

		switch (source.Byte() % 3) {
			case 0:
				fStore.Styles().SetStyle(from, to, &font, B_FONT_ALL, &color);
				for (int32 i = from; i < to; i++)
					fStyles[i] = TextStyle{font, color};
				break;
			case 1:
				fStore.Styles().SetStyle(from, to, &font, B_FONT_SIZE, NULL);
				for (int32 i = from; i < to; i++)
					fStyles[i].font.SetSize(font.Size());
				break;
			case 2:
				fStore.Styles().SetStyle(from, to, NULL, 0, &color);
				for (int32 i = from; i < to; i++)
					fStyles[i].color = color;
				break;
		}
	}

	// Copies the runs of one range onto another of the same length.
	void _RoundTrip(ByteSource& source)
	{
		int32 length = source.Below((int32)fText.size() + 1);
		int32 from = source.Below((int32)fText.size() - length + 1);
		int32 to = source.Below((int32)fText.size() - length + 1);
		text_run_array* runs = fStore.Styles().GetRuns(from, from + length);
		if (runs == NULL) {
			fFailure = "GetRuns failed";
			return;
		}
		fStore.Styles().SetRuns(to, to + length, runs);
		BPrivate::FreeRunArray(runs);
		std::vector<TextStyle> copied(fStyles.begin() + from, fStyles.begin() + from + length);
		std::copy(copied.begin(), copied.end(), fStyles.begin() + to);
	}

	// Calls that must be refused without changing anything.
	void _Invalid(ByteSource& source)
	{
		int32 size = (int32)fText.size();
		int32 beyond = size + 1 + source.Below(5);
		status_t results[] = {
			fStore.Insert(beyond, "x", 1),
			fStore.Insert(-1 - source.Below(5), "x", 1),
			fStore.Insert(0, "x", -1),
			fStore.Insert(0, NULL, 3),
			fStore.Remove(0, beyond),
			size > 0 ? fStore.Remove(1, 0) : B_BAD_VALUE,
			fStore.Styles().SetStyle(0, beyond, (uint16)0),
		};
		for (status_t result : results) {
			if (result == B_OK)
				fFailure = "a bad call was accepted";
		}
	}

public:
	std::string fFailure;

private:
	TextStore fStore;
	std::string fText;
	std::vector<TextStyle> fStyles;
};

}	// namespace EditScript

#endif	// _TEXTVIEW_EDIT_SCRIPT_H
