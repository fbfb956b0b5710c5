// EView: tag, colour and alignment insertion, line ends on exact bytes, find and
// replace with their wrapping and case rules, loading (never modified, every encoding,
// NUL bytes, unreadable files), the edit commands and the frame on screen.

#include "EView.h"
#include "EditView.h"
#include "EditorTestSamples.h"
#include "EditorTestSupport.h"
#include "EncodingTable.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"

#include <Clipboard.h>
#include <File.h>
#include <ScrollView.h>

#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>

using BPrivate::HeadlessTest;


namespace {

class EViewTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = OpenDocumentWindow();
		fDocument = fWindow->Document();
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	// Sets the text and selection, runs the action, and returns the text.
	std::string Edit(const char* text, int32 start, int32 end,
		const std::function<void()>& action)
	{
		Locked(fWindow, [&]() {
			fDocument->LoadFile(text);
			fDocument->editView->Select(start, end);
			action();
		});
		return DocumentText(fWindow);
	}

	void ExpectSelection(int32 start, int32 end)
	{
		int32 shownStart = -1, shownEnd = -1;
		Locked(fWindow, [&]() {
			fDocument->editView->GetSelection(&shownStart, &shownEnd);
		});
		EXPECT_EQ(start, shownStart);
		EXPECT_EQ(end, shownEnd);
	}

	std::string WriteFile(const std::string& bytes)
	{
		std::string path = fAppDir.File("document.html");
		std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
		return path;
	}

	TempAppDir			fAppDir;
	DocumentWindow*		fWindow;
	EView*				fDocument;
};

}	// namespace


TEST_F(EViewTest, ConstructionGivesAnEmptyUntitledPane)
{
	Locked(fWindow, [&]() {
		EXPECT_STREQ("Untitled1", fDocument->fileName);
		ASSERT_NE(nullptr, fDocument->filePath);
		EXPECT_FALSE(fDocument->saved);
		EXPECT_FALSE(fDocument->hasFile);
		EXPECT_FALSE(fDocument->closeAfterSave);
		EXPECT_FALSE(fDocument->tabbed);
		EXPECT_EQ(0, fDocument->searchPos);
		EXPECT_TRUE(fDocument->isEmpty());
		EXPECT_EQ(0, fDocument->GetTextLength());
		EXPECT_EQ((BView*)fDocument, fDocument->scrollView->Parent());
		EXPECT_EQ((BView*)fDocument->scrollView, fDocument->editView->Parent());
		EXPECT_STREQ("Edit", fDocument->editView->Name());
		EXPECT_STREQ("scroll_view", fDocument->scrollView->Name());
		// The text view lies 3 pixels in, with room for the scroll bar on the right.
		BRect frame = fDocument->scrollView->Frame();
		EXPECT_EQ(3, frame.left);
		EXPECT_EQ(3, frame.top);
	});
}


TEST_F(EViewTest, InsertTagAtTheCaretAndAroundTheSelection)
{
	// At the caret between two letters, the caret between the two parts.
	EXPECT_EQ("a<B></B>b", Edit("ab", 1, 1, [&]() { fDocument->InsertTag("<B></B>", 3); }));
	ExpectSelection(4, 4);

	// Around a selection, the caret after the closing part.
	EXPECT_EQ("<B>abc</B>", Edit("abc", 0, 3, [&]() { fDocument->InsertTag("<B></B>", 3); }));
	ExpectSelection(10, 10);

	// A tag with no closing part goes in front of the selection, the caret after it.
	EXPECT_EQ("x<BR>yz", Edit("xyz", 1, 3, [&]() { fDocument->InsertTag("<BR>", 4); }));
	ExpectSelection(5, 5);

	// Position 0 (the new-document text) leaves the caret at the insertion point.
	EXPECT_EQ("<HTML>ab", Edit("ab", 0, 0, [&]() { fDocument->InsertTag("<HTML>", 0); }));
	ExpectSelection(0, 0);
	// ... or, with a selection, after the inserted text.
	EXPECT_EQ("a<P>b", Edit("ab", 1, 2, [&]() { fDocument->InsertTag("<P>", 0); }));
	ExpectSelection(4, 4);

	// Positions out of range are held to the tag; a NULL tag does nothing.
	EXPECT_EQ("<I></I>z", Edit("z", 0, 0, [&]() { fDocument->InsertTag("<I></I>", 99); }));
	EXPECT_EQ("z", Edit("z", 0, 0, [&]() { fDocument->InsertTag(NULL, 3); }));
}


TEST_F(EViewTest, InsertColorAndAlign)
{
	EXPECT_EQ("a#FF0000b", Edit("ab", 1, 1, [&]() { fDocument->InsertColor("#FF0000"); }));
	ExpectSelection(8, 8);

	EXPECT_EQ("x<font color=\"#00FF7F\">yz</font>",
		Edit("xyz", 1, 3, [&]() { fDocument->InsertColor("#00FF7F"); }));
	ExpectSelection(32, 32);

	EXPECT_EQ("<div align=\"center\">q</div>",
		Edit("q", 0, 1, [&]() { fDocument->InsertAlign("align=\"center\""); }));
	ExpectSelection(27, 27);

	EXPECT_EQ("align=\"left\"q",
		Edit("q", 0, 0, [&]() { fDocument->InsertAlign("align=\"left\""); }));
	ExpectSelection(12, 12);
}


TEST_F(EViewTest, LineEndConversionsOnExactBytes)
{
	EXPECT_EQ("x\r\r\ny\r\nz", Edit("x\r\ny\nz", 0, 0, [&]() { fDocument->ConvertLf(); }));
	EXPECT_EQ("x\ny\rz", Edit("x\r\ny\rz", 0, 0, [&]() { fDocument->ConvertCrLf(); }));
	EXPECT_EQ("\r\n\r\n", Edit("\n\n", 0, 0, [&]() { fDocument->ConvertLf(); }));
	EXPECT_EQ("a\r", Edit("a\r", 0, 0, [&]() { fDocument->ConvertCrLf(); }));

	// Both report the change and colour the new text.
	fWindow->ResetModifications();
	Locked(fWindow, [&]() {
		fDocument->LoadFile("<b>\nx");
		fDocument->ConvertLf();
		EXPECT_TRUE(SameColour(fDocument->editView->tagColor,
			ColourAt(fDocument->editView, 0)));
		EXPECT_TRUE(SameColour(fDocument->editView->normalColor,
			ColourAt(fDocument->editView, 5)));
	});
	WaitIdle();
	EXPECT_GT(fWindow->Modifications(), 0);
}


TEST_F(EViewTest, FindWalksThroughOccurrencesAndWrapsToTheTop)
{
	Edit("one Two two", 0, 0, [&]() { fDocument->find("two", false); });
	ExpectSelection(8, 11);
	Locked(fWindow, [&]() {
		EXPECT_EQ(11, fDocument->searchPos);
		// After the last one: nothing selected, caret at the top.
		fDocument->find("two", false);
		EXPECT_EQ(0, fDocument->searchPos);
	});
	ExpectSelection(0, 0);
	Locked(fWindow, [&]() { fDocument->find("two", false); });
	ExpectSelection(8, 11);

	// Ignoring case finds the capital one first, beyond ASCII too.
	Edit("one Two two", 0, 0, [&]() { fDocument->find("TWO", true); });
	ExpectSelection(4, 7);
	Edit("Zażółć GĘŚLĄ jaźń", 0, 0, [&]() { fDocument->find("gęślą", true); });
	ExpectSelection(11, 19);

	// Moving the caret moves the next search.
	Edit("ab ab ab", 4, 4, [&]() { fDocument->find("ab", false); });
	ExpectSelection(6, 8);

	// An empty text finds nothing and leaves the selection.
	Edit("ab", 1, 2, [&]() { fDocument->find("", false); });
	ExpectSelection(1, 2);
}


TEST_F(EViewTest, ReplaceTakesTheSelectedOccurrenceOrTheNextOne)
{
	// The caret at 0 with an occurrence at 0 replaces that one.
	EXPECT_EQ("XX cat cat", Edit("cat cat cat", 0, 0, [&]() {
		fDocument->replace("cat", "XX", false);
	}));
	ExpectSelection(0, 2);

	// A caret (or a selection that is not an occurrence) starting at an occurrence
	// skips it.
	EXPECT_EQ("cat cat XX", Edit("cat cat cat", 4, 4, [&]() {
		fDocument->replace("cat", "XX", false);
	}));
	EXPECT_EQ("cat cat XX", Edit("cat cat cat", 4, 6, [&]() {
		fDocument->replace("cat", "XX", false);
	}));

	// After find selected an occurrence, Replace replaces that very one.
	EXPECT_EQ("cat dog cat", Edit("cat cat cat", 0, 0, [&]() {
		fDocument->find("cat", false);
		fDocument->find("cat", false);
		fDocument->replace("cat", "dog", false);
	}));
	ExpectSelection(4, 7);
	// Also when case is ignored and the selection differs in case only.
	EXPECT_EQ("a Ł b", Edit("a łódź b", 2, 9, [&]() {
		fDocument->replace("ŁÓDŹ", "Ł", true);
	}));
	// With case kept, the selected "Cat" is not an occurrence of "cat".
	EXPECT_EQ("Cat x", Edit("Cat cat", 0, 3, [&]() {
		fDocument->replace("cat", "x", false);
	}));

	// Nothing found, an empty text: nothing happens. An empty replacement deletes.
	EXPECT_EQ("abc", Edit("abc", 0, 0, [&]() { fDocument->replace("z", "y", false); }));
	EXPECT_EQ("abc", Edit("abc", 0, 0, [&]() { fDocument->replace("", "y", false); }));
	EXPECT_EQ("ac", Edit("abc", 0, 0, [&]() { fDocument->replace("b", "", false); }));

	// The tag around the replacement is coloured again.
	Locked(fWindow, [&]() {
		fDocument->LoadFile("<b>x</b>");
		fDocument->replace("x", "<i", false);
		EXPECT_TRUE(SameColour(fDocument->editView->tagColor,
			ColourAt(fDocument->editView, 4)));
	});
}


TEST_F(EViewTest, ReplaceAllWithAndWithoutIgnoringCase)
{
	EXPECT_EQ("dog Cat dog CAT", Edit("cat Cat cat CAT", 0, 0, [&]() {
		fDocument->replaceAll("cat", "dog", false);
	}));
	EXPECT_EQ("dog dog dog dog", Edit("cat Cat cat CAT", 0, 0, [&]() {
		fDocument->replaceAll("cat", "dog", true);
	}));
	EXPECT_EQ("żaba ŻABA", Edit("Żaba żaba", 0, 0, [&]() {
		fDocument->replaceAll("Żaba żaba", "żaba ŻABA", true);
	}));
	// A replacement that holds the text is not replaced again.
	EXPECT_EQ("aa-aa", Edit("a-a", 0, 0, [&]() { fDocument->replaceAll("a", "aa", false); }));
	// Everything replaced by nothing leaves an empty text.
	EXPECT_EQ("", Edit("xxx", 0, 0, [&]() { fDocument->replaceAll("x", "", false); }));
	// An empty text replaces nothing (and does not loop).
	EXPECT_EQ("abc", Edit("abc", 0, 0, [&]() { fDocument->replaceAll("", "z", true); }));

	// Replacing marks the document modified and colours the new text.
	fWindow->ResetModifications();
	Locked(fWindow, [&]() {
		fDocument->LoadFile("[b]x[/b]");
		fDocument->replaceAll("[", "<", false);
		fDocument->replaceAll("]", ">", false);
		EXPECT_TRUE(SameColour(fDocument->editView->tagColor,
			ColourAt(fDocument->editView, 5)));
	});
	WaitIdle();
	EXPECT_GT(fWindow->Modifications(), 0);
	EXPECT_EQ("<b>x</b>", DocumentText(fWindow));
}


TEST_F(EViewTest, LoadingNeverMarksModifiedAndEditsDo)
{
	std::string path = WriteFile("<p>file</p>");
	fWindow->ResetModifications();
	Locked(fWindow, [&]() {
		fDocument->LoadFile("<p>text</p>");
		EXPECT_FALSE(fDocument->editView->silent);
		BFile file(path.c_str(), B_READ_ONLY);
		fDocument->LoadFile(&file);
		EXPECT_FALSE(fDocument->editView->silent);
		fDocument->LoadFile(&file, 1);
		EXPECT_FALSE(fDocument->editView->silent);
		fDocument->LoadFile((const char*)NULL);
		fDocument->LoadFile((BFile*)NULL);
		fDocument->LoadFile((BFile*)NULL, 3);
		EXPECT_FALSE(fDocument->editView->silent);
	});
	WaitIdle();
	EXPECT_EQ(0, fWindow->Modifications());
	EXPECT_EQ("<p>file</p>", DocumentText(fWindow)) << "NULL arguments change nothing";

	Locked(fWindow, [&]() { fDocument->editView->Insert("x"); });
	WaitIdle();
	EXPECT_EQ(1, fWindow->Modifications());

	fWindow->ResetModifications();
	Locked(fWindow, [&]() {
		fDocument->clear();
		EXPECT_TRUE(fDocument->isEmpty());
	});
	WaitIdle();
	EXPECT_GE(fWindow->Modifications(), 1);
}


TEST_F(EViewTest, FilesLoadInEveryEncoding)
{
	for (int32 i = 0; i < EncodingTable::kCount; i++) {
		SCOPED_TRACE(EncodingTable::LabelAt(i));
		std::string encoded;
		ASSERT_EQ(B_OK, EncodingTable::FromUTF8(i, kScriptSamples[i],
			(int32)strlen(kScriptSamples[i]), &encoded));
		std::string path = WriteFile(encoded);
		Locked(fWindow, [&]() {
			BFile file(path.c_str(), B_READ_ONLY);
			fDocument->LoadFile(&file, i);
			EXPECT_EQ(0u, fDocument->LoadIssues());
		});
		EXPECT_EQ(kScriptSamples[i], DocumentText(fWindow));
	}

	// Text that grows threefold in UTF-8 is loaded whole.
	std::string quotes;
	for (int32 i = 0; i < 50000; i++)
		quotes += "\x93q\x94";
	std::string path = WriteFile(quotes);
	Locked(fWindow, [&]() {
		BFile file(path.c_str(), B_READ_ONLY);
		fDocument->LoadFile(&file, 13);
	});
	std::string text = DocumentText(fWindow);
	ASSERT_EQ(50000u * 7, text.size());
	EXPECT_EQ("\xe2\x80\x9cq\xe2\x80\x9d", text.substr(text.size() - 7));

	// No marked encoding: the bytes as they are.
	path = WriteFile("caf\xe9");
	Locked(fWindow, [&]() {
		BFile file(path.c_str(), B_READ_ONLY);
		fDocument->LoadFile(&file, -1);
	});
	EXPECT_EQ("caf\xe9", DocumentText(fWindow));
}


TEST_F(EViewTest, BadFilesLoseNothingAndSayWhy)
{
	// NUL bytes would cut the text for saving; each becomes the substitute.
	std::string path = WriteFile(std::string("ab\0cd\0", 6));
	Locked(fWindow, [&]() {
		BFile file(path.c_str(), B_READ_ONLY);
		fDocument->LoadFile(&file, 0);
		EXPECT_EQ((uint32)EView::kLoadNulReplaced, fDocument->LoadIssues());
		EXPECT_NE(nullptr, EView::LoadIssueText(fDocument->LoadIssues()));
		fDocument->LoadFile(&file);
		EXPECT_EQ((uint32)EView::kLoadNulReplaced, fDocument->LoadIssues());
	});
	EXPECT_EQ("ab\x1a" "cd\x1a", DocumentText(fWindow));

	// Bytes the encoding does not define are substituted and reported.
	path = WriteFile("a\x81z");
	Locked(fWindow, [&]() {
		BFile file(path.c_str(), B_READ_ONLY);
		fDocument->LoadFile(&file, 13);
		EXPECT_EQ((uint32)EView::kLoadSubstituted, fDocument->LoadIssues());
	});
	EXPECT_EQ("a\x1az", DocumentText(fWindow));

	// A file that cannot be read leaves the text as it was.
	Locked(fWindow, [&]() {
		fDocument->LoadFile("keep me");
		BFile missing(fAppDir.File("no such file").c_str(), B_READ_ONLY);
		fDocument->LoadFile(&missing, 1);
		EXPECT_EQ((uint32)EView::kLoadReadError, fDocument->LoadIssues());
		EXPECT_STREQ("I can`t read this file.",
			EView::LoadIssueText(fDocument->LoadIssues()));
		BFile folder(fAppDir.Path().c_str(), B_READ_ONLY);
		fDocument->LoadFile(&folder);
		EXPECT_NE(0u, fDocument->LoadIssues() & EView::kLoadReadError);
		fDocument->LoadFile("clean");
		EXPECT_EQ(0u, fDocument->LoadIssues());
		EXPECT_EQ(nullptr, EView::LoadIssueText(0));
	});
	EXPECT_EQ("clean", DocumentText(fWindow));
}


TEST_F(EViewTest, EditCommandsGoToTheTextView)
{
	Locked(fWindow, [&]() {
		fDocument->LoadFile("cut this");
		fDocument->editView->Select(3, 8);
	});
	fWindow->PostMessage(B_CUT, fDocument);
	WaitIdle();
	EXPECT_EQ("cut", DocumentText(fWindow));
	fWindow->PostMessage(B_UNDO, fDocument);
	WaitIdle();
	EXPECT_EQ("cut this", DocumentText(fWindow));
	Locked(fWindow, [&]() { fDocument->editView->Select(8, 8); });
	fWindow->PostMessage(B_PASTE, fDocument);
	WaitIdle();
	EXPECT_EQ("cut this this", DocumentText(fWindow));
	// Other commands are not the pane's.
	fWindow->PostMessage(B_SELECT_ALL, fDocument);
	WaitIdle();
	ExpectSelection(13, 13);

	Locked(fWindow, [&]() {
		fDocument->selectAll();
		fDocument->makeFocus();
		EXPECT_TRUE(fDocument->editView->IsFocus());
		fDocument->scroll();
	});
	ExpectSelection(0, 13);
}


TEST_F(EViewTest, FrameAndColouredTextOnScreen)
{
	std::string page = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n"
		"<html>\n<head>\n<!-- the title -->\n<title>Quorrel</title>\n</head>\n"
		"<body bgcolor=\"#FFFFFF\" text=black>\n"
		"<p align=\"center\">Zażółć <b>gęślą</b> jaźń</p>\n"
		"<a href=\"index.html\" target=_blank>Home</a>\n</body>\n</html>\n";
	Locked(fWindow, [&]() { fDocument->LoadFile(page.c_str()); });
	WaitIdle();
	HeadlessTest::SaveWindowPNG(BPrivate::WindowAccess::ServerWindowOf(fWindow),
		"/tmp/quorrel-eview.png");

	BRect bounds;
	Locked(fWindow, [&]() { bounds = fDocument->Bounds(); });
	// The sunken bevel: dark along the top and left, light along the bottom and right.
	EXPECT_EQ(RGB(150, 150, 150), ShownPixel(fWindow, BPoint(20, 0)));
	EXPECT_EQ(RGB(150, 150, 150), ShownPixel(fWindow, BPoint(1, 20)));
	EXPECT_EQ(RGB(230, 230, 230), ShownPixel(fWindow, BPoint(20, bounds.bottom)));
	EXPECT_EQ(RGB(230, 230, 230), ShownPixel(fWindow, BPoint(bounds.right - 1, 20)));
	// Between the bevel and the scroll view, the pane's own grey.
	EXPECT_EQ(RGB(216, 216, 216), ShownPixel(fWindow, BPoint(20, 2)));

	// Some pixels of the first line are in the tag colour.
	bool blue = false;
	for (float x = 3; x < 200 && !blue; x++) {
		for (float y = 3; y < 18 && !blue; y++)
			blue = ShownPixel(fWindow, BPoint(x, y)) == RGB(0, 0, 255);
	}
	EXPECT_TRUE(blue);
}


TEST_F(EViewTest, TypingColoursAsTheUserTypes)
{
	Locked(fWindow, [&]() { fDocument->LoadFile("text"); });
	HeadlessTest::Click(ScreenPoint(fDocument, BPoint(100, 100)));
	WaitIdle();
	Locked(fWindow, [&]() {
		EXPECT_TRUE(fDocument->editView->IsFocus());
		fDocument->editView->Select(4, 4);
	});
	fWindow->ResetModifications();
	const char* typed = " <a href=\"x\">go</a>";
	HeadlessTest::TypeText(typed);
	WaitIdle();
	EXPECT_EQ(std::string("text") + typed, DocumentText(fWindow));
	EXPECT_EQ((int32)strlen(typed), fWindow->Modifications()) << "one 'ETmo' per key";
	// marks for "text <a href="x">go</a>"
	const char* marks = "nnnnntttpppppqqqtnntttt";
	Locked(fWindow, [&]() {
		EditView* view = fDocument->editView;
		for (int32 i = 0; marks[i] != '\0'; i++) {
			rgb_color expected = marks[i] == 't' ? view->tagColor
				: marks[i] == 'p' ? view->parameterColor
				: marks[i] == 'q' ? view->quotationColor : view->normalColor;
			EXPECT_TRUE(SameColour(expected, ColourAt(view, i))) << "at " << i;
		}
	});
}
