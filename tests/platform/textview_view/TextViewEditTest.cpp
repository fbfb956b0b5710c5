// Editing a text view without a window: the two hooks on every edit path, a random
// differential run against a plain string, and UTF-8 caret movement.

#include <AppDefs.h>
#include <Clipboard.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <TextView.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Logs every hook call and passes it on.
class HookView : public BTextView {
public:
	HookView()
		:
		BTextView(BRect(0, 0, 199, 99), "hooks", BRect(0, 0, 199, 99), B_FOLLOW_NONE,
			B_WILL_DRAW)
	{
	}

	std::vector<std::string> log;

protected:
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override
	{
		log.push_back("insert " + std::to_string(offset) + " "
			+ std::string(text, length));
		BTextView::InsertText(text, length, offset, runs);
	}

	void DeleteText(int32 from, int32 to) override
	{
		log.push_back("delete " + std::to_string(from) + " " + std::to_string(to));
		BTextView::DeleteText(from, to);
	}
};


std::vector<std::string>
Take(HookView& view)
{
	std::vector<std::string> entries;
	entries.swap(view.log);
	return entries;
}


typedef std::vector<std::string> Log;


std::string
ClipboardText()
{
	std::string text;
	if (!be_clipboard->Lock())
		return text;
	const void* data = NULL;
	ssize_t size = 0;
	if (be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK)
		text.assign(static_cast<const char*>(data), size);
	be_clipboard->Unlock();
	return text;
}


void
Key(BTextView& view, char key)
{
	char bytes[2] = { key, 0 };
	view.KeyDown(bytes, 1);
}

}	// namespace


TEST(TextViewEditTest, EveryEditPathPassesThroughTheHooksOnce)
{
	HookView view;
	view.SetText("hello");
	EXPECT_EQ(Log({ "insert 0 hello" }), Take(view));
	view.SetText("abc");
	EXPECT_EQ(Log({ "delete 0 5", "insert 0 abc" }), Take(view));
	EXPECT_EQ(B_UNDO_UNAVAILABLE, view.UndoState(NULL));

	view.Insert(1, "XY", 2);
	EXPECT_EQ(Log({ "insert 1 XY" }), Take(view));
	view.Delete(0, 1);
	EXPECT_EQ(Log({ "delete 0 1" }), Take(view));
	EXPECT_STREQ("XYbc", view.Text());

	view.Select(0, 2);
	view.Cut(be_clipboard);
	EXPECT_EQ(Log({ "delete 0 2" }), Take(view));
	EXPECT_EQ("XY", ClipboardText());
	EXPECT_EQ(B_UNDO_CUT, view.UndoState(NULL));

	view.Select(2, 2);
	view.Paste(be_clipboard);
	EXPECT_EQ(Log({ "insert 2 XY" }), Take(view));
	EXPECT_STREQ("bcXY", view.Text());
	int32 start;
	int32 end;
	view.GetSelection(&start, &end);
	EXPECT_EQ(4, start);
	EXPECT_EQ(4, end);

	// Typing over a selection deletes it, then inserts.
	view.Select(0, 1);
	Key(view, 'q');
	EXPECT_EQ(Log({ "delete 0 1", "insert 0 q" }), Take(view));
	Key(view, B_BACKSPACE);
	EXPECT_EQ(Log({ "delete 0 1" }), Take(view));
	EXPECT_STREQ("cXY", view.Text());

	// Undo and redo go through the hooks too, without being recorded themselves.
	view.Undo(be_clipboard);
	EXPECT_EQ(Log({ "insert 0 b" }), Take(view));
	EXPECT_STREQ("bcXY", view.Text());
	// The backspace joined the typing step, so redoing it leaves no q.
	view.Redo();
	EXPECT_EQ(Log({ "delete 0 1" }), Take(view));
	EXPECT_STREQ("cXY", view.Text());

	// The message codes reach the same calls.
	view.Select(0, 3);
	BMessage copy(B_COPY);
	view.MessageReceived(&copy);
	EXPECT_EQ("cXY", ClipboardText());
	BMessage undo(B_UNDO);
	view.MessageReceived(&undo);
	EXPECT_STREQ("bcXY", view.Text());
	EXPECT_EQ(Log({ "insert 0 b" }), Take(view));
	BMessage selectAll(B_SELECT_ALL);
	view.Select(0, 0);
	view.MessageReceived(&selectAll);
	view.GetSelection(&start, &end);
	EXPECT_EQ(0, start);
	EXPECT_EQ(4, end);
	BMessage cut(B_CUT);
	view.MessageReceived(&cut);
	EXPECT_EQ(Log({ "delete 0 4" }), Take(view));
	EXPECT_EQ(0, view.TextLength());

	// A view that is not editable takes no typing, paste or cut.
	view.SetText("fixed");
	Take(view);
	view.MakeEditable(false);
	view.SelectAll();
	Key(view, 'x');
	view.Paste(be_clipboard);
	view.Cut(be_clipboard);
	EXPECT_TRUE(Take(view).empty());
	EXPECT_STREQ("fixed", view.Text());
	view.Copy(be_clipboard);
	EXPECT_EQ("fixed", ClipboardText());
}


TEST(TextViewEditTest, TypingRunsUndoAsOneStepAndSetTextClearsTheHistory)
{
	BTextView view(BRect(0, 0, 99, 99), "typing", BRect(0, 0, 99, 99), B_FOLLOW_NONE, 0);
	view.SetText("x");
	view.Select(1, 1);
	for (char c : std::string("abc"))
		Key(view, c);
	Key(view, B_BACKSPACE);
	EXPECT_STREQ("xab", view.Text());
	EXPECT_EQ(B_UNDO_TYPING, view.UndoState(NULL));
	view.Undo(NULL);
	EXPECT_STREQ("x", view.Text());
	view.Undo(NULL);
	EXPECT_STREQ("x", view.Text());
	view.Redo();
	EXPECT_STREQ("xab", view.Text());

	// Moving the caret ends the run.
	Key(view, 'd');
	view.Select(0, 0);
	Key(view, 'e');
	EXPECT_STREQ("exabd", view.Text());
	view.Undo(NULL);
	EXPECT_STREQ("xabd", view.Text());
	view.Undo(NULL);
	EXPECT_STREQ("xab", view.Text());

	view.SetText("new");
	EXPECT_EQ(B_UNDO_UNAVAILABLE, view.UndoState(NULL));
	view.Undo(NULL);
	EXPECT_STREQ("new", view.Text());

	view.SetDoesUndo(false);
	view.Insert("more");
	view.Undo(NULL);
	EXPECT_STREQ("morenew", view.Text());
}


namespace {

int32
ModelCharStart(const std::string& text, int32 offset)
{
	while (offset > 0 && offset < (int32)text.size() && ((uint8)text[offset] & 0xc0) == 0x80)
		offset--;
	return offset;
}


int32
ModelCharEnd(const std::string& text, int32 offset)
{
	while (offset < (int32)text.size() && ((uint8)text[offset] & 0xc0) == 0x80)
		offset++;
	return offset;
}


std::string
RandomText(std::mt19937& random)
{
	static const char* const kPieces[] = { "a", "b", " ", "\n", "<p>", "\xc3\xa9",
		"\xe2\x82\xac", "\xf0\x9f\x98\x80", "word", "\t" };
	std::string text;
	int count = 1 + random() % 4;
	for (int i = 0; i < count; i++)
		text += kPieces[random() % (sizeof(kPieces) / sizeof(kPieces[0]))];
	return text;
}

}	// namespace


TEST(TextViewEditTest, RandomEditsMatchAPlainStringWithHistory)
{
	BTextView view(BRect(0, 0, 149, 99), "random", BRect(0, 0, 149, 99), B_FOLLOW_NONE, 0);
	std::mt19937 random(20261208);
	std::vector<std::string> states(1, "");
	size_t position = 0;

	for (int step = 0; step < 3000; step++) {
		const std::string& model = states[position];
		int32 length = (int32)model.size();
		int operation = random() % 10;
		std::string next = model;
		bool changes = false;
		if (operation < 3) {
			int32 offset = random() % (length + 1);
			std::string text = RandomText(random);
			view.Insert(offset, text.data(), (int32)text.size());
			offset = ModelCharStart(model, offset);
			next.insert(offset, text);
			changes = true;
		} else if (operation < 5) {
			int32 a = random() % (length + 1);
			int32 b = random() % (length + 1);
			view.Delete(a, b);
			int32 from = ModelCharStart(model, std::min(a, b));
			int32 to = ModelCharEnd(model, std::max(a, b));
			if (a != b) {
				next.erase(from, to - from);
				changes = from < to;
			}
		} else if (operation < 6) {
			view.Select(random() % (length + 1), random() % (length + 1));
		} else if (operation < 8) {
			view.Undo(NULL);
			if (position > 0)
				position--;
		} else if (operation < 9) {
			view.Redo();
			if (position + 1 < states.size())
				position++;
		} else if (random() % 20 == 0) {
			std::string text = RandomText(random) + RandomText(random);
			view.SetText(text.c_str());
			states.assign(1, text);
			position = 0;
		}
		if (changes) {
			states.resize(position + 1);
			states.push_back(next);
			position++;
		}

		const std::string& expected = states[position];
		ASSERT_EQ(expected, std::string(view.Text(), view.TextLength())) << "step " << step;
		int32 start;
		int32 end;
		view.GetSelection(&start, &end);
		ASSERT_LE(0, start);
		ASSERT_LE(start, end);
		ASSERT_LE(end, view.TextLength());
		ASSERT_EQ(start, ModelCharStart(expected, start));
		ASSERT_EQ(end, ModelCharStart(expected, end));
		if (step % 50 == 0) {
			int32 newlines = (int32)std::count(expected.begin(), expected.end(), '\n');
			view.SetWordWrap(false);
			ASSERT_EQ(newlines + 1, view.CountLines());
			view.SetWordWrap(true);
			int32 lines = view.CountLines();
			ASSERT_GE(lines, newlines + 1);
			for (int32 line = 0; line < lines; line++)
				ASSERT_EQ(line, view.LineAt(view.OffsetAt(line))) << "step " << step;
		}
	}
}


TEST(TextViewEditTest, CaretKeysNeverSplitACharacter)
{
	BTextView view(BRect(0, 0, 299, 99), "utf8", BRect(0, 0, 299, 99), B_FOLLOW_NONE, 0);
	// a, e acute (2 bytes), euro (3), a smiling face (4), b.
	const char* text = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80" "b";
	view.SetText(text);
	view.Select(0, 0);
	const int32 stops[] = { 1, 3, 6, 10, 11, 11 };
	int32 start;
	int32 end;
	for (int32 stop : stops) {
		Key(view, B_RIGHT_ARROW);
		view.GetSelection(&start, &end);
		EXPECT_EQ(stop, start);
		EXPECT_EQ(stop, end);
	}
	const int32 back[] = { 10, 6, 3, 1, 0, 0 };
	for (int32 stop : back) {
		Key(view, B_LEFT_ARROW);
		view.GetSelection(&start, &end);
		EXPECT_EQ(stop, start);
	}

	// Offsets inside a character are moved to its start.
	view.Select(2, 8);
	view.GetSelection(&start, &end);
	EXPECT_EQ(1, start);
	EXPECT_EQ(6, end);

	view.Select(10, 10);
	Key(view, B_BACKSPACE);
	EXPECT_STREQ("a\xc3\xa9\xe2\x82\xac" "b", view.Text());
	Key(view, B_BACKSPACE);
	EXPECT_STREQ("a\xc3\xa9" "b", view.Text());
	view.Select(1, 1);
	Key(view, B_DELETE);
	EXPECT_STREQ("ab", view.Text());

	// Typed multibyte text arrives whole; an undo takes it back whole.
	view.KeyDown("\xe2\x82\xac", 3);
	EXPECT_STREQ("a\xe2\x82\xac" "b", view.Text());
	view.GetSelection(&start, &end);
	EXPECT_EQ(4, start);

	// Word steps with Ctrl need a window; Home and End work on the line.
	view.SetText("one two\nthree");
	view.Select(9, 9);
	Key(view, B_HOME);
	view.GetSelection(&start, &end);
	EXPECT_EQ(8, start);
	Key(view, B_END);
	view.GetSelection(&start, &end);
	EXPECT_EQ(13, start);
	Key(view, B_UP_ARROW);
	view.GetSelection(&start, &end);
	EXPECT_LE(start, 7);
	Key(view, B_DOWN_ARROW);
	view.GetSelection(&start, &end);
	EXPECT_EQ(13, start);
}


TEST(TextViewEditTest, LimitsAndFilters)
{
	BTextView view(BRect(0, 0, 99, 99), "limits", BRect(0, 0, 99, 99), B_FOLLOW_NONE, 0);
	view.SetMaxBytes(4);
	view.SetText("ab");
	view.Select(2, 2);
	Key(view, 'c');
	Key(view, 'd');
	Key(view, 'e');
	EXPECT_STREQ("abcd", view.Text());
	view.SetMaxBytes(2);
	EXPECT_STREQ("ab", view.Text());

	view.SetMaxBytes(100);
	view.DisallowChar('x');
	Key(view, 'x');
	Key(view, 'y');
	EXPECT_STREQ("aby", view.Text());
	view.AllowChar('x');
	Key(view, 'x');
	EXPECT_STREQ("abyx", view.Text());

	view.SetAutoindent(true);
	view.SetText("\t  item");
	view.Select(7, 7);
	Key(view, B_ENTER);
	EXPECT_STREQ("\t  item\n\t  ", view.Text());

	char buffer[8];
	view.GetText(1, 3, buffer);
	EXPECT_STREQ("  i", buffer);
	view.GetText(9, 50, buffer);
	EXPECT_STREQ("  ", buffer);
	EXPECT_EQ('i', view.ByteAt(3));
	EXPECT_EQ(0, view.ByteAt(-1));
	EXPECT_EQ(0, view.ByteAt(500));
	view.Insert(-5, "<", 1);
	view.Insert(1000, ">", 1);
	view.Delete(50, -3);
	EXPECT_EQ(0, view.TextLength());
	view.SetText(NULL);
	view.SetText("abc", -1);
	EXPECT_EQ(0, view.TextLength());
}
