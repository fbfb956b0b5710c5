// EditView: the colour of every class on the examples the colouring is made for, the
// neighbourhood recoloured after a change, the modification messages, and the font and
// colours read from Settings/editor_colors.

#include "EView.h"
#include "EditView.h"
#include "EditorTestSupport.h"
#include "TempAppDir.h"
#include "UiTestSupport.h"

#include <Application.h>
#include <Font.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>


namespace {

class EditViewTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = OpenDocumentWindow();
		fView = fWindow->Edit();
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	// Loads text and checks that the byte ranges given by marks have their colours.
	// marks holds one letter per byte of text: n normal, t tag, p parameter,
	// q quotation, c comment.
	void ExpectColours(const char* text, const char* marks)
	{
		ASSERT_EQ(strlen(text), strlen(marks)) << text;
		Locked(fWindow, [&]() {
			fWindow->Document()->LoadFile(text);
			for (int32 i = 0; text[i] != '\0'; i++) {
				rgb_color expected = Expected(marks[i]);
				rgb_color shown = ColourAt(fView, i);
				EXPECT_TRUE(SameColour(expected, shown)) << text << " at " << i
					<< " ('" << text[i] << "'): expected " << marks[i] << " "
					<< ColourName(expected) << ", got " << ColourName(shown);
			}
		});
	}

	rgb_color Expected(char mark)
	{
		switch (mark) {
			case 't':
				return fView->tagColor;
			case 'p':
				return fView->parameterColor;
			case 'q':
				return fView->quotationColor;
			case 'c':
				return fView->commentColor;
			default:
				return fView->normalColor;
		}
	}

	DocumentWindow*	fWindow;
	EditView*		fView;
};

}	// namespace


TEST_F(EditViewTest, DefaultsAreTheBuiltInColoursAndFont)
{
	// The window's pane read the shipped editor_colors of the build's application
	// directory; a bare view shows the built-in values.
	EditView* view = new EditView(BRect(0, 0, 99, 99), "Edit");
	EXPECT_TRUE(SameColour(make_color(0, 0, 0), view->normalColor));
	EXPECT_TRUE(SameColour(make_color(0, 0, 255), view->tagColor));
	EXPECT_TRUE(SameColour(make_color(0, 192, 0), view->parameterColor));
	EXPECT_TRUE(SameColour(make_color(153, 0, 51), view->quotationColor));
	EXPECT_TRUE(SameColour(make_color(164, 164, 164), view->commentColor));
	EXPECT_FALSE(view->silent);
	EXPECT_EQ(12.0f, view->font->Size());
	EXPECT_TRUE(view->IsEditable());
	EXPECT_TRUE(view->IsSelectable());
	EXPECT_TRUE(view->IsStylable());
	EXPECT_TRUE(view->DoesUndo());
	delete view;
}


TEST_F(EditViewTest, TagsAttributesValuesAndTextHaveTheirColours)
{
	// Both bold tags with brackets, slash and name; the word between them plain.
	ExpectColours("<b>word</b>", "tttnnnntttt");
	// The anchor: tag name and space, each attribute name with its "=" (the second
	// with the space before it), the quoted value with its quotes, the bare value,
	// and the final ">".
	ExpectColours("<a href=\"x.html\" target=_top>",
		"tttpppppqqqqqqqqppppppppqqqqt");
	// A bare attribute at the end goes with the ">" in the tag colour.
	ExpectColours("<input checked>", "ttttttttttttttt");
	// A bare attribute before another goes with that attribute's name.
	ExpectColours("<td nowrap width=5>x",
		"ttttpppppppppppppqtn");
	// Text before a tag, and a "<" that never closes, coloured to the end.
	ExpectColours("ab <p", "nnntt");
	// A quoted value that never closes runs to the end.
	ExpectColours("<a b=\"c d>", "tttppqqqqq");
}


TEST_F(EditViewTest, CommentsRunToTheirEndMark)
{
	// A ">" inside a comment does not end it.
	ExpectColours("<!-- a > b -->x", "ccccccccccccccn");
	// "<!--" directly followed by ">" is a whole comment.
	ExpectColours("<!-->x<b>", "cccccnttt");
	// Never closed: comment to the end.
	ExpectColours("x<!-- <b>open", "ncccccccccccc");
}


TEST_F(EditViewTest, NulByteStopsTheScan)
{
	Locked(fWindow, [&]() {
		fView->tagColor = make_color(255, 0, 0);
		// SetText hands the view the NUL; the hooks colour up to it only.
		fView->SetText("<b>\0<i>", 7);
		fView->koloruj(0);
		EXPECT_TRUE(SameColour(fView->tagColor, ColourAt(fView, 0)));
		EXPECT_FALSE(SameColour(fView->tagColor, ColourAt(fView, 4)))
			<< ColourName(ColourAt(fView, 4));
	});
}


TEST_F(EditViewTest, ChangesRecolourOnlyTheirNeighbourhood)
{
	std::string text;
	for (int32 i = 0; i < 200; i++)
		text += "<p class=\"c\">paragraph text</p>\n";
	Locked(fWindow, [&]() {
		fWindow->Document()->LoadFile(text.c_str());
		int32 first = 0;
		int32 middle = (int32)text.find("<p", text.size() / 2);
		int32 last = (int32)text.rfind("<p");

		// New colours show only where the text is coloured again.
		fView->tagColor = make_color(255, 0, 0);
		fView->Insert(middle + 2, "x", 1);
		EXPECT_TRUE(SameColour(fView->tagColor, ColourAt(fView, middle)));
		EXPECT_TRUE(SameColour(fView->tagColor, ColourAt(fView, middle + 2)))
			<< "the typed character is part of the tag";
		EXPECT_TRUE(SameColour(make_color(0, 0, 255), ColourAt(fView, first)));
		EXPECT_TRUE(SameColour(make_color(0, 0, 255), ColourAt(fView, last + 1)));

		// Typing a "<" into plain text starts a tag; deleting it makes it text again.
		int32 plain = (int32)text.find("paragraph") + 4;
		fView->Insert(plain, "<", 1);
		EXPECT_TRUE(SameColour(fView->tagColor, ColourAt(fView, plain + 1)));
		fView->Delete(plain, plain + 1);
		EXPECT_TRUE(SameColour(fView->normalColor, ColourAt(fView, plain)));

		// Deleting the "=" of an attribute turns name and value into tag text.
		int32 equals = (int32)text.find('=');
		fView->Delete(equals, equals + 1);
		EXPECT_TRUE(SameColour(fView->tagColor, ColourAt(fView, equals - 2)));
	});
}


TEST_F(EditViewTest, ChangesReportUnlessSilent)
{
	Locked(fWindow, [&]() {
		fView->Insert("abc");
		fView->Delete(0, 1);
	});
	WaitIdle();
	EXPECT_EQ(2, fWindow->Modifications());

	fWindow->ResetModifications();
	Locked(fWindow, [&]() {
		fWindow->Document()->SendModifiedMessage(false);
		EXPECT_TRUE(fView->silent);
		fView->Insert("def");
		fView->Delete(0, 2);
		fWindow->Document()->SendModifiedMessage(true);
		EXPECT_FALSE(fView->silent);
	});
	WaitIdle();
	EXPECT_EQ(0, fWindow->Modifications());

	// Undo is a change too.
	Locked(fWindow, [&]() { fView->Undo(NULL); });
	WaitIdle();
	EXPECT_EQ(1, fWindow->Modifications());
}


TEST(EditViewUpdateTest, UpdateAppliesTheStoredFontAndColours)
{
	// With an application, uaktualnij locks its windows around the change.
	BApplication* application = new BApplication("application/x-vnd.quorrel-editor-test");
	DocumentWindow* window = OpenDocumentWindow();
	EditView* view = window->Edit();
	Locked(window, [&]() {
		window->Document()->LoadFile("<b>x</b>");
		BFont big(be_plain_font);
		big.SetSize(20.0f);
		view->czcionka(&big);
		view->tagColor = make_color(10, 20, 30);
		BFont font;
		view->GetFontAndColor(0, &font);
		EXPECT_NE(20.0f, font.Size()) << "czcionka only stores the font";
	});

	Locked(window, [&]() {
		view->uaktualnij();
		BFont font;
		rgb_color colour;
		view->GetFontAndColor(3, &font, &colour);
		EXPECT_EQ(20.0f, font.Size());
		EXPECT_TRUE(SameColour(view->normalColor, colour));
		EXPECT_TRUE(SameColour(make_color(10, 20, 30), ColourAt(view, 0)));
		EXPECT_TRUE(SameColour(make_color(10, 20, 30), ColourAt(view, 4)));
	});
	QuitWindow(window);
	delete application;
}


TEST(EditorColoursTest, SettingsFileSetsFontAndColoursKeyByKey)
{
	TempAppDir appDir;
	// No tag keys; a red component too large for a byte; a green one that is not a
	// number; a size that is not one either.
	appDir.Write("Settings/editor_colors",
		"font_family=\"DejaVu Sans Mono\"\n"
		"font_style=\"Book\"\n"
		"font_size=\"big\"\n"
		"normal_color_red=\"300\"\n"
		"normal_color_green=\"7\"\n"
		"normal_color_blue=\"8\"\n"
		"parameter_color_red=\"1\"\n"
		"parameter_color_green=\"abc\"\n"
		"parameter_color_blue=\"3\"\n"
		"comment_color_red=\"-1\"\n");
	DocumentWindow* window = OpenDocumentWindow();
	EditView* view = window->Edit();
	Locked(window, [&]() {
		EXPECT_TRUE(SameColour(make_color(44, 7, 8), view->normalColor))
			<< ColourName(view->normalColor);
		EXPECT_TRUE(SameColour(make_color(0, 0, 255), view->tagColor));
		EXPECT_TRUE(SameColour(make_color(1, 192, 3), view->parameterColor))
			<< ColourName(view->parameterColor);
		EXPECT_TRUE(SameColour(make_color(255, 164, 164), view->commentColor));
		EXPECT_EQ(10.0f, view->font->Size());
		font_family family;
		view->font->GetFamilyAndStyle(&family, NULL);
		EXPECT_STREQ("DejaVu Sans Mono", family);

		// Read at construction, shown once applied.
		window->Document()->LoadFile("ab");
		window->Document()->loadColors(false);
		BFont font;
		rgb_color colour;
		view->GetFontAndColor(0, &font, &colour);
		EXPECT_EQ(10.0f, font.Size());
		EXPECT_TRUE(SameColour(make_color(44, 7, 8), colour));
	});

	// A family that is missing gives the plain font; a missing file changes nothing.
	appDir.Write("Settings/editor_colors", "font_size=\"30\"\ntag_color_red=\"9\"\n");
	Locked(window, [&]() {
		window->Document()->loadColors(true);
		EXPECT_EQ(be_plain_font->Size(), view->font->Size());
		EXPECT_EQ(9, view->tagColor.red);
	});
	std::remove(appDir.File("Settings/editor_colors").c_str());
	Locked(window, [&]() {
		view->tagColor.red = 77;
		window->Document()->loadColors(false);
		EXPECT_EQ(77, view->tagColor.red);
	});
	QuitWindow(window);
}
