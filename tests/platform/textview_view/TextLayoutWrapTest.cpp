// The layout of wrapped paragraphs kept across edits: after any mix of inserts,
// deletes, split and joined paragraphs and font changes, the kept lines must be the
// ones a fresh layout of the same text finds, and an edit in a long paragraph must only
// wrap a few lines again.

#include "interface/textview/TextStore.h"
#include "interface/textview/view/TextLayout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using BPrivate::LineBox;
using BPrivate::ParagraphLines;
using BPrivate::TextLayout;
using BPrivate::TextStore;

namespace {

const float kWrapWidth = 180;


// Describes the first difference between the lines of two layouts, or "".
std::string
CompareLines(TextLayout& kept, TextLayout& fresh, int32 paragraph)
{
	ParagraphLines a = kept.Lines(paragraph);
	ParagraphLines b = fresh.Lines(paragraph);
	if (a.Count() != b.Count()) {
		return "paragraph " + std::to_string(paragraph) + ": " + std::to_string(a.Count())
			+ " lines instead of " + std::to_string(b.Count());
	}
	for (int32 i = 0; i < a.Count(); i++) {
		LineBox x = a[i];
		LineBox y = b[i];
		if (x.start != y.start || x.end != y.end || x.top != y.top || x.height != y.height
			|| x.ascent != y.ascent) {
			return "paragraph " + std::to_string(paragraph) + " line " + std::to_string(i)
				+ ": " + std::to_string(x.start) + ".." + std::to_string(x.end) + " top "
				+ std::to_string(x.top) + " instead of " + std::to_string(y.start) + ".."
				+ std::to_string(y.end) + " top " + std::to_string(y.top);
		}
	}
	if (kept.Layout(paragraph) != fresh.Layout(paragraph))
		return "paragraph " + std::to_string(paragraph) + ": height differs";
	return "";
}


std::string
CompareAll(TextLayout& kept, const TextStore& store)
{
	TextLayout fresh(store);
	fresh.SetWrap(true, kWrapWidth);
	if (kept.CountParagraphs() != fresh.CountParagraphs())
		return "paragraph count differs";
	for (int32 paragraph = 0; paragraph < fresh.CountParagraphs(); paragraph++) {
		std::string problem = CompareLines(kept, fresh, paragraph);
		if (!problem.empty())
			return problem;
	}
	if (kept.TotalHeight() != fresh.TotalHeight())
		return "total height differs";
	if (kept.CountLines() != fresh.CountLines())
		return "line count differs";
	return "";
}


// Edits a store and tells the layout, as the text view does.
void
Insert(TextStore& store, TextLayout& layout, int32 offset, const std::string& text)
{
	int32 paragraph = store.Lines().LineAt(offset);
	int32 newlines = 0;
	for (char c : text)
		newlines += c == '\n';
	ASSERT_EQ(B_OK, store.Insert(offset, text.data(), (int32)text.size()));
	layout.TextInserted(paragraph, offset, (int32)text.size(), newlines);
}


void
Remove(TextStore& store, TextLayout& layout, int32 from, int32 to)
{
	int32 first = store.Lines().LineAt(from);
	int32 last = store.Lines().LineAt(to);
	int32 lastStart = store.Lines().LineStart(last);
	ASSERT_EQ(B_OK, store.Remove(from, to));
	layout.TextRemoved(first, last, from, to, lastStart);
}


void
SetFont(TextStore& store, TextLayout& layout, int32 from, int32 to, float size)
{
	BFont font(be_plain_font);
	font.SetSize(size);
	ASSERT_EQ(B_OK, store.Styles().SetStyle(from, to, &font, B_FONT_SIZE, NULL));
	layout.FontsChanged(from, to);
}


std::string
Words(std::mt19937& random, int32 bytes)
{
	static const char* const kWords[] = { "a", "wrap", "paragraph", "of", "żółw",
		"extraordinarily", "x", "tab\there", "mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm" };
	std::string text;
	while ((int32)text.size() < bytes) {
		text += kWords[random() % 9];
		text += random() % 7 == 0 ? "  " : " ";
	}
	return text;
}

}	// namespace


TEST(TextLayoutWrapTest, EditsInALongParagraphWrapOnlyAroundThem)
{
	std::mt19937 random(3);
	std::string text = "short first paragraph\n" + Words(random, 2 << 20) + "\nlast";
	TextStore store(*be_plain_font, make_color(0, 0, 0));
	ASSERT_EQ(B_OK, store.SetText(text.data(), (int32)text.size()));
	TextLayout layout(store);
	layout.SetWrap(true, kWrapWidth);
	int32 lines = layout.Lines(1).Count();
	ASSERT_GT(lines, 10000);
	int64 wrapped = layout.WrappedBytes();
	ASSERT_GE(wrapped, 2 << 20);
	const int64 kFewLines = 2000;

	// Typing in the middle, deleting near the start, a bigger font on a word.
	int32 middle = store.Lines().LineStart(1) + (1 << 20);
	for (int i = 0; i < 20; i++) {
		Insert(store, layout, middle + i, "q");
		layout.Layout(1);
	}
	Remove(store, layout, 30, 45);
	layout.Layout(1);
	SetFont(store, layout, middle - 40, middle - 30, 30);
	layout.Layout(1);
	EXPECT_LT(layout.WrappedBytes() - wrapped, 22 * kFewLines);
	EXPECT_EQ("", CompareAll(layout, store));
	wrapped = layout.WrappedBytes();

	// Splitting the paragraph and joining it again.
	Insert(store, layout, middle, "\n");
	layout.Layout(1);
	layout.Layout(2);
	Remove(store, layout, middle, middle + 1);
	layout.Layout(1);
	EXPECT_LT(layout.WrappedBytes() - wrapped, 4 * kFewLines);
	EXPECT_EQ("", CompareAll(layout, store));

	// A change that alters every line after it wraps to the end, and must.
	wrapped = layout.WrappedBytes();
	SetFont(store, layout, middle, store.Length(), 14);
	layout.Layout(1);
	EXPECT_GT(layout.WrappedBytes() - wrapped, 1 << 19);
	EXPECT_EQ("", CompareAll(layout, store));
}


TEST(TextLayoutWrapTest, RandomEditsWrapAsAFreshLayoutWould)
{
	for (uint32 seed = 1; seed <= 16; seed++) {
		std::mt19937 random(seed);
		std::string text;
		for (int i = 0; i < 6; i++)
			text += Words(random, random() % 3 == 0 ? 3000 : 60) + "\n";
		TextStore store(*be_plain_font, make_color(0, 0, 0));
		ASSERT_EQ(B_OK, store.SetText(text.data(), (int32)text.size()));
		TextLayout layout(store);
		layout.SetWrap(true, kWrapWidth);
		layout.CountLines();

		// The steps since the last check, to tell what went wrong.
		std::string steps;
		for (int step = 0; step < 500; step++) {
			int32 length = store.Length();
			int32 offset = length > 0 ? (int32)(random() % (length + 1)) : 0;
			offset = store.Text().CharStart(offset);
			switch (random() % 6) {
				case 0:
				case 1:
				{
					std::string words = Words(random, random() % 12);
					steps += " insert " + std::to_string(words.size()) + " at "
						+ std::to_string(offset);
					Insert(store, layout, offset, words);
					break;
				}
				case 2:
				{
					std::string lines = random() % 2 == 0 ? "\n" : "ab\ncd \n";
					steps += " insert lines at " + std::to_string(offset);
					Insert(store, layout, offset, lines);
					break;
				}
				case 3:
				{
					int32 to = store.Text().CharStart(
						std::min(length, offset + (int32)(random() % 300)));
					steps += " remove " + std::to_string(offset) + ".." + std::to_string(to);
					Remove(store, layout, offset, to);
					break;
				}
				case 4:
				{
					int32 to = std::min(length, offset + (int32)(random() % 200));
					steps += " font " + std::to_string(offset) + ".." + std::to_string(to);
					SetFont(store, layout, offset, to, random() % 2 == 0 ? 12 : 20);
					break;
				}
				case 5:
					// Measure a paragraph now and then, so that later edits find kept
					// lines with and without damage waiting.
				{
					int32 paragraph = random() % layout.CountParagraphs();
					steps += " measure " + std::to_string(paragraph);
					layout.Layout(paragraph);
					break;
				}
			}
			if (step % 3 == 0) {
				std::string problem = CompareAll(layout, store);
				ASSERT_EQ("", problem) << "seed " << seed << " step " << step << ":" << steps;
				steps.clear();
			}
		}
	}
}
