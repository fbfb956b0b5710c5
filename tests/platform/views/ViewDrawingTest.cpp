// The update pass, drawing outside Draw, hiding and the window as a PNG, read back from
// what the headless screen shows.

#include <Bitmap.h>
#include <Font.h>
#include <Region.h>
#include <View.h>
#include <Window.h>

#include "ViewsTestSupport.h"
#include "server/HeadlessTest.h"
#include "server/ServerWindow.h"

#define STBI_NO_STDIO
#include <stb_image.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

using BPrivate::HeadlessTest;

namespace {

// Fills a stripe across itself in Draw; its children must stay on top of it.
class StripeView : public BView {
public:
	StripeView(BRect frame)
		:
		BView(frame, "stripe", B_FOLLOW_ALL_SIDES, B_WILL_DRAW)
	{
		SetViewColor(200, 0, 0);
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(255, 0, 255);
		FillRect(BRect(0, 40, Bounds().right, 49));
	}
};


// Draws a square of its current colour at (5, 5); counts its Draw calls.
class SquareView : public BView {
public:
	SquareView(BRect frame, const char* name)
		:
		BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW),
		fColor(make_color(0, 200, 0)),
		fDraws(0)
	{
		SetViewColor(0, 0, 200);
	}

	void Draw(BRect updateRect) override
	{
		fDraws++;
		SetHighColor(fColor);
		FillRect(BRect(5, 5, 14, 14));
	}

	void SetSquareColor(rgb_color color)
	{
		fColor = color;
		Invalidate(BRect(5, 5, 14, 14));
	}

	int32 Draws() const { return fDraws; }

private:
	rgb_color			fColor;
	std::atomic<int32>	fDraws;
};

}	// namespace


class ViewDrawingTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new BWindow(BRect(50, 400, 249, 499), "drawing", B_TITLED_WINDOW);
		fStripe = new StripeView(fWindow->Bounds());
		fSquare = new SquareView(BRect(10, 10, 59, 59), "square");
		fWindow->AddChild(fStripe);
		fStripe->AddChild(fSquare);
		ShowAndWait(fWindow);
	}

	void TearDown() override
	{
		QuitWindow(fWindow);
	}

	BWindow*		fWindow;
	StripeView*		fStripe;
	SquareView*		fSquare;
};


TEST_F(ViewDrawingTest, UpdatePassFillsAndDrawsParentsBeforeChildren)
{
	// The parent's view colour, its own drawing, and the child on top of both.
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, BPoint(100, 10)));
	EXPECT_EQ(RGB(255, 0, 255), ShownPixel(fWindow, BPoint(100, 45)));
	EXPECT_EQ(RGB(0, 0, 200), ShownPixel(fWindow, BPoint(12, 12)));
	EXPECT_EQ(RGB(0, 0, 200), ShownPixel(fWindow, BPoint(30, 45)));
	EXPECT_EQ(RGB(0, 200, 0), ShownPixel(fWindow, BPoint(17, 17)));
	EXPECT_EQ(RGB(0, 200, 0), ShownPixel(fWindow, BPoint(24, 24)));
	EXPECT_EQ(RGB(0, 0, 200), ShownPixel(fWindow, BPoint(25, 25)));

	// Invalidating runs Draw again with the new state.
	int32 draws = fSquare->Draws();
	ASSERT_TRUE(fWindow->Lock());
	fSquare->SetSquareColor(make_color(250, 250, 0));
	fWindow->Unlock();
	WaitIdle();
	EXPECT_GT(fSquare->Draws(), draws);
	EXPECT_EQ(RGB(250, 250, 0), ShownPixel(fWindow, BPoint(17, 17)));

	// A view with B_TRANSPARENT_COLOR is not filled: what was there stays.
	ASSERT_TRUE(fWindow->Lock());
	BView* glass = new BView(BRect(100, 0, 149, 30), "glass", B_FOLLOW_NONE, B_WILL_DRAW);
	glass->SetViewColor(B_TRANSPARENT_COLOR);
	fStripe->AddChild(glass);
	fWindow->Unlock();
	WaitIdle();
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, BPoint(120, 10)));

	ASSERT_TRUE(fWindow->Lock());
	glass->SetViewColor(make_color(0, 120, 120));
	fWindow->Unlock();
	WaitIdle();
	EXPECT_EQ(RGB(0, 120, 120), ShownPixel(fWindow, BPoint(120, 10)));
}


TEST_F(ViewDrawingTest, DrawingOutsideDrawIsClippedAndShownAtFlush)
{
	ASSERT_TRUE(fWindow->Lock());
	// The parent draws over its child's area; the child keeps its pixels.
	fStripe->SetHighColor(255, 128, 0);
	fStripe->FillRect(fStripe->Bounds());
	fSquare->SetHighColor(0, 255, 0);
	fSquare->FillRect(BRect(30, 30, 39, 39));
	fWindow->Flush();
	fWindow->Sync();
	EXPECT_EQ(RGB(255, 128, 0), ShownPixel(fWindow, BPoint(100, 10)));
	EXPECT_EQ(RGB(0, 0, 200), ShownPixel(fWindow, BPoint(12, 12)));
	EXPECT_EQ(RGB(0, 255, 0), ShownPixel(fWindow, BPoint(45, 45)));

	// Drawing with a scrolled view and a drawing origin lands where they say.
	fSquare->ScrollTo(10, 0);
	fSquare->SetOrigin(0, 10);
	fSquare->SetHighColor(10, 20, 30);
	fSquare->FillRect(BRect(10, 0, 14, 4));
	fSquare->Sync();
	EXPECT_EQ(RGB(10, 20, 30), ShownPixel(fWindow, BPoint(12, 22)));
	fSquare->SetOrigin(0, 0);
	fWindow->Unlock();
	WaitIdle();
}


TEST_F(ViewDrawingTest, HideAndShowNest)
{
	ASSERT_TRUE(fWindow->Lock());
	fSquare->Hide();
	fSquare->Hide();
	fWindow->Unlock();
	WaitIdle();
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, BPoint(12, 12)));

	ASSERT_TRUE(fWindow->Lock());
	fSquare->Show();
	EXPECT_TRUE(fSquare->IsHidden());
	fWindow->Unlock();
	WaitIdle();
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, BPoint(12, 12)));

	ASSERT_TRUE(fWindow->Lock());
	fSquare->Show();
	EXPECT_FALSE(fSquare->IsHidden());
	fSquare->Show();
	EXPECT_FALSE(fSquare->IsHidden());
	fWindow->Unlock();
	WaitIdle();
	EXPECT_EQ(RGB(0, 0, 200), ShownPixel(fWindow, BPoint(12, 12)));

	// The window nests the same way, and its views count as hidden with it.
	fWindow->Hide();
	fWindow->Hide();
	fWindow->Show();
	WaitIdle();
	EXPECT_TRUE(ServerWindowOf(fWindow)->IsHidden());
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_TRUE(fWindow->IsHidden());
	EXPECT_TRUE(fSquare->IsHidden());
	fWindow->Unlock();
	fWindow->Show();
	WaitIdle();
	EXPECT_FALSE(ServerWindowOf(fWindow)->IsHidden());
}


TEST_F(ViewDrawingTest, WindowSavedAsPngDecodesToTheSamePixels)
{
	char folder[] = "/tmp/views-png-XXXXXX";
	ASSERT_NE(nullptr, mkdtemp(folder));
	std::string path = std::string(folder) + "/window.png";
	ASSERT_EQ(B_OK, HeadlessTest::SaveWindowPNG(ServerWindowOf(fWindow), path.c_str()));

	std::ifstream file(path, std::ios::binary);
	std::vector<unsigned char> data((std::istreambuf_iterator<char>(file)),
		std::istreambuf_iterator<char>());
	ASSERT_FALSE(data.empty());
	int width = 0;
	int height = 0;
	int channels = 0;
	unsigned char* pixels = stbi_load_from_memory(data.data(), (int)data.size(), &width,
		&height, &channels, 3);
	ASSERT_NE(nullptr, pixels);
	EXPECT_EQ(200, width);
	EXPECT_EQ(100, height);
	auto pixel = [&](int x, int y) {
		const unsigned char* p = pixels + (y * width + x) * 3;
		return RGB(p[0], p[1], p[2]);
	};
	EXPECT_EQ(RGB(200, 0, 0), pixel(100, 10));
	EXPECT_EQ(RGB(0, 200, 0), pixel(17, 17));
	EXPECT_EQ(RGB(255, 0, 255), pixel(100, 45));
	stbi_image_free(pixels);
	unlink(path.c_str());
	rmdir(folder);
}


TEST(ViewBadInputTest, DegenerateGeometryAndTextDrawNothingWrong)
{
	// An empty window and views with negative or absurd frames.
	BWindow* empty = new BWindow(BRect(10, 10, 5, 5), "empty", B_TITLED_WINDOW);
	BView* negative = new BView(BRect(0, 0, -10, -10), "negative", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW);
	empty->AddChild(negative);
	negative->FillRect(BRect(-1e9, -1e9, 1e9, 1e9));
	negative->DrawString("\xff\xfe broken \xc3", BPoint(0, 10));
	empty->ResizeTo(-50, -50);
	EXPECT_EQ(BRect(0, 0, 0, 0), empty->Bounds());
	ShowAndWait(empty);
	QuitWindow(empty);

	BWindow* window = new BWindow(BRect(300, 600, 399, 649), "bad", B_TITLED_WINDOW);
	BView* view = new BView(BRect(0, 0, 99, 49), "view", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	window->AddChild(view);
	ShowAndWait(window);
	ASSERT_TRUE(window->Lock());
	view->MoveTo(1e30f, -1e30f);
	view->ResizeTo(-5, -5);
	view->SetHighColor(1, 2, 3);
	view->FillRect(BRect(0, 0, 1e6, 1e6));
	view->StrokeLine(BPoint(-1e7, -1e7), BPoint(1e7, 1e7));
	view->DrawString("\xe2\x82", 2, BPoint(5, 5));
	view->FillPolygon(NULL, 3);
	view->DrawBitmap(NULL, BPoint(0, 0));
	BBitmap bad(BRect(0, 0, -5, -5), B_RGB32);
	view->DrawBitmap(&bad, BPoint(0, 0));
	window->Unlock();
	WaitIdle();
	QuitWindow(window);
}


TEST_F(ViewDrawingTest, StateStackAndConstrainedClipping)
{
	ASSERT_TRUE(fWindow->Lock());
	fStripe->SetHighColor(1, 2, 3);
	fStripe->PushState();
	fStripe->SetHighColor(0, 90, 0);
	fStripe->SetOrigin(100, 0);
	BRegion constrained(BRect(0, 60, 19, 79));
	fStripe->ConstrainClippingRegion(&constrained);
	fStripe->FillRect(BRect(-100, 0, 99, 99));
	fStripe->Sync();
	// Only the constrained square, shifted by the origin, was painted.
	EXPECT_EQ(RGB(0, 90, 0), ShownPixel(fWindow, BPoint(105, 65)));
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, BPoint(125, 65)));
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, BPoint(105, 85)));

	fStripe->PopState();
	EXPECT_EQ(make_color(1, 2, 3), fStripe->HighColor());
	EXPECT_EQ(BPoint(0, 0), fStripe->Origin());
	fStripe->FillRect(BRect(150, 60, 159, 69));
	fStripe->Sync();
	EXPECT_EQ(RGB(1, 2, 3), ShownPixel(fWindow, BPoint(155, 65)));
	fStripe->PopState();
	EXPECT_EQ(make_color(1, 2, 3), fStripe->HighColor());

	// The pen follows lines and strings.
	fStripe->MovePenTo(10, 90);
	fStripe->StrokeLine(BPoint(20, 90));
	EXPECT_EQ(BPoint(20, 90), fStripe->PenLocation());
	fStripe->DrawString("abc");
	EXPECT_FLOAT_EQ(20 + fStripe->StringWidth("abc"), fStripe->PenLocation().x);
	fWindow->Unlock();
}


TEST(ViewFontTest, SetFontTakesOnlyTheMaskedProperties)
{
	BView view(BRect(0, 0, 9, 9), "font", B_FOLLOW_NONE, 0);
	BFont font(be_bold_font);
	font.SetSize(31);
	view.SetFont(&font, B_FONT_SIZE);
	BFont result;
	view.GetFont(&result);
	EXPECT_EQ(31, result.Size());
	EXPECT_EQ(be_plain_font->FamilyAndStyle(), result.FamilyAndStyle());

	view.SetFont(&font);
	view.GetFont(&result);
	EXPECT_EQ(font, result);
	view.SetFontSize(9);
	font_height height;
	view.GetFontHeight(&height);
	EXPECT_GT(height.ascent, 0);
	EXPECT_LT(height.ascent, 12);
}


TEST_F(ViewDrawingTest, CopyBitsMovesPixelsAndInvalidatesTheRest)
{
	ASSERT_TRUE(fWindow->Lock());
	fStripe->SetHighColor(0, 0, 0);
	fStripe->FillRect(BRect(150, 80, 169, 99));
	fStripe->SetHighColor(0, 255, 255);
	fStripe->FillRect(BRect(100, 10, 119, 29));
	// The source reaches five rows below the window's bottom edge.
	fStripe->CopyBits(BRect(150, 85, 169, 104), BRect(100, 10, 119, 29));
	fStripe->Sync();
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow, BPoint(105, 15)));
	fWindow->Unlock();
	WaitIdle();
	// What came from outside was drawn anew by the update pass; the rest stays.
	EXPECT_EQ(RGB(0, 0, 0), ShownPixel(fWindow, BPoint(105, 20)));
	EXPECT_EQ(RGB(200, 0, 0), ShownPixel(fWindow, BPoint(105, 27)));
}
