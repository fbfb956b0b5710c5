/*
 * quorrel-demo: one window that shows what the platform layer draws and how its views
 * react to the mouse. Run it under X (or Xvfb); with QUORREL_BACKEND=headless and
 * "--screenshot file.png" it clicks and hovers by itself, saves the window as a PNG and
 * ends.
 */

#include <Alert.h>
#include <Application.h>
#include <Bitmap.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

#include "interface/window/WindowPrivate.h"
#include "server/HeadlessTest.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

static const uint32 kAbout = 'abou';
static const rgb_color kPanel = { 216, 216, 216, 255 };


// Every kind of shape the views can draw.
class ShapesView : public BView {
public:
	ShapesView(BRect frame)
		:
		BView(frame, "shapes", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
	{
		SetViewColor(255, 255, 255);
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(200, 40, 40);
		FillRect(BRect(10, 10, 59, 49));
		SetHighColor(0, 0, 0);
		StrokeRect(BRect(70, 10, 119, 49));
		SetHighColor(40, 120, 220);
		FillRoundRect(BRect(130, 10, 189, 49), 8, 8);
		SetHighColor(30, 150, 60);
		FillEllipse(BRect(200, 10, 259, 49));
		SetPenSize(3);
		SetHighColor(120, 40, 160);
		StrokeEllipse(BPoint(40, 90), 28, 18);
		SetPenSize(1);
		SetHighColor(230, 150, 0);
		FillArc(BRect(80, 65, 129, 114), 30, 270);
		SetHighColor(0, 0, 0);
		StrokeArc(BRect(140, 65, 189, 114), 0, 180);
		SetHighColor(0, 160, 160);
		FillTriangle(BPoint(230, 65), BPoint(200, 114), BPoint(259, 114));

		BPoint star[10];
		for (int i = 0; i < 10; i++) {
			float radius = (i % 2) == 0 ? 24 : 10;
			float angle = M_PI / 2 + i * M_PI / 5;
			star[i] = BPoint(40 + radius * cos(angle), 150 - radius * sin(angle));
		}
		SetHighColor(240, 200, 0);
		FillPolygon(star, 10);
		SetHighColor(120, 90, 0);
		StrokePolygon(star, 10);

		BeginLineArray(12);
		for (int i = 0; i < 12; i++) {
			rgb_color color = make_color(20 * i, 100, 255 - 20 * i);
			AddLine(BPoint(80 + i * 5, 130), BPoint(80 + i * 10, 175), color);
		}
		EndLineArray();

		SetHighColor(0, 0, 0);
		SetLowColor(255, 255, 255);
		FillRect(BRect(210, 130, 259, 175), B_MIXED_COLORS);
		InvertRect(BRect(220, 140, 249, 165));
	}
};


// Text in several fonts and sizes.
class TextSampleView : public BView {
public:
	TextSampleView(BRect frame)
		:
		BView(frame, "text", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
	{
		SetViewColor(kPanel);
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(0, 0, 0);
		SetLowColor(kPanel);
		float y = 20;
		const float sizes[] = { 10, 12, 16, 22 };
		for (float size : sizes) {
			BFont font(be_plain_font);
			font.SetSize(size);
			SetFont(&font);
			char text[64];
			snprintf(text, sizeof(text), "Plain %g pt: Quorrel", size);
			DrawString(text, BPoint(10, y));
			y += size + 8;
		}
		SetFont(be_bold_font);
		DrawString("Bold: <B>HTML</B>", BPoint(10, y));
		y += 20;
		SetFont(be_fixed_font);
		DrawString("Fixed: &nbsp; &amp; &lt;", BPoint(10, y));
		y += 20;
		BFont italic(be_plain_font);
		italic.SetFace(B_ITALIC_FACE);
		italic.SetSize(14);
		SetFont(&italic);
		SetHighColor(40, 40, 160);
		DrawString("Italic, UTF-8: zażółć gęślą jaźń", BPoint(10, y));
	}
};


// A bitmap made in memory, drawn as it is and scaled.
class BitmapView : public BView {
public:
	BitmapView(BRect frame)
		:
		BView(frame, "bitmap", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
		fBitmap(BRect(0, 0, 31, 31), B_RGBA32)
	{
		SetViewColor(kPanel);
		uint32* bits = (uint32*)fBitmap.Bits();
		int32 perRow = fBitmap.BytesPerRow() / 4;
		for (int32 y = 0; y < 32; y++) {
			for (int32 x = 0; x < 32; x++) {
				float dx = x - 15.5f;
				float dy = y - 15.5f;
				uint32 alpha = dx * dx + dy * dy < 16 * 16 ? 255 : 0;
				uint32 red = x * 8;
				uint32 green = y * 8;
				uint32 blue = 255 - x * 4;
				bits[y * perRow + x] = (alpha << 24) | (red << 16) | (green << 8) | blue;
			}
		}
	}

	void Draw(BRect updateRect) override
	{
		SetDrawingMode(B_OP_ALPHA);
		DrawBitmap(&fBitmap, BPoint(10, 10));
		DrawBitmap(&fBitmap, BRect(60, 10, 123, 73));
		SetDrawingMode(B_OP_COPY);
		SetHighColor(0, 0, 0);
		SetLowColor(kPanel);
		DrawString("A bitmap, at 1:1 and scaled", BPoint(10, 92));
	}

private:
	BBitmap fBitmap;
};


// Draws a dot wherever it is clicked.
class ClickView : public BView {
public:
	ClickView(BRect frame)
		:
		BView(frame, "click", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE)
	{
		SetViewColor(250, 250, 235);
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(0, 0, 0);
		SetLowColor(ViewColor());
		DrawString("Click here", BPoint(8, 16));
		StrokeRect(Bounds());
		SetHighColor(200, 0, 80);
		for (BPoint point : fPoints)
			FillEllipse(point, 4, 4);
	}

	void MouseDown(BPoint where) override
	{
		fPoints.push_back(where);
		// Drawn at once, outside Draw, as R5 programs often do.
		SetHighColor(200, 0, 80);
		FillEllipse(where, 4, 4);
	}

private:
	std::vector<BPoint> fPoints;
};


// Changes colour while the pointer is over it.
class HoverView : public BView {
public:
	HoverView(BRect frame)
		:
		BView(frame, "hover", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
		fInside(false)
	{
		SetViewColor(180, 200, 230);
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(0, 0, 0);
		SetLowColor(ViewColor());
		DrawString(fInside ? "The pointer is here" : "Point at me", BPoint(8, 16));
	}

	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag) override
	{
		if (transit == B_ENTERED_VIEW || transit == B_EXITED_VIEW) {
			fInside = transit == B_ENTERED_VIEW;
			SetViewColor(fInside ? make_color(255, 210, 120) : make_color(180, 200, 230));
			Invalidate();
		}
	}

private:
	bool fInside;
};


// A push button that asks the window to show the about box.
class AboutButton : public BView {
public:
	AboutButton(BRect frame)
		:
		BView(frame, "about", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
		fPressed(false)
	{
		SetViewColor(kPanel);
	}

	void Draw(BRect updateRect) override
	{
		BRect bounds = Bounds();
		SetHighColor(fPressed ? make_color(150, 150, 150) : make_color(235, 235, 235));
		FillRect(bounds.InsetByCopy(1, 1));
		SetHighColor(96, 96, 96);
		StrokeRect(bounds);
		SetHighColor(0, 0, 0);
		SetLowColor(fPressed ? make_color(150, 150, 150) : make_color(235, 235, 235));
		float width = StringWidth("About…");
		DrawString("About…", BPoint((bounds.Width() - width) / 2, 16));
	}

	void MouseDown(BPoint where) override
	{
		uint32 buttons = 0;
		Window()->CurrentMessage()->FindInt32("buttons", (int32*)&buttons);
		bool inside = true;
		fPressed = true;
		Draw(Bounds());
		while (buttons != 0) {
			snooze(20000);
			GetMouse(&where, &buttons, false);
			if (Bounds().Contains(where) != inside) {
				inside = !inside;
				fPressed = inside;
				Draw(Bounds());
			}
		}
		fPressed = false;
		Draw(Bounds());
		if (inside)
			Window()->PostMessage(kAbout);
	}

private:
	bool fPressed;
};


class DemoWindow : public BWindow {
public:
	DemoWindow()
		:
		BWindow(BRect(60, 60, 639, 459), "Quorrel platform demo", B_TITLED_WINDOW, 0)
	{
		BView* background = new BView(Bounds(), "background", B_FOLLOW_ALL_SIDES,
			B_WILL_DRAW);
		background->SetViewColor(kPanel);
		AddChild(background);
		background->AddChild(new ShapesView(BRect(10, 10, 279, 199)));
		background->AddChild(new TextSampleView(BRect(290, 10, 569, 199)));
		background->AddChild(new BitmapView(BRect(10, 210, 279, 309)));
		background->AddChild(new ClickView(BRect(290, 210, 569, 309)));
		background->AddChild(new HoverView(BRect(10, 320, 279, 389)));
		background->AddChild(new AboutButton(BRect(290, 320, 389, 343)));
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kAbout) {
			BAlert* alert = new BAlert("About", "Quorrel platform demo: windows, views, "
				"drawing, fonts and bitmaps on the BeOS API for Linux.", "OK");
			alert->Go();
			return;
		}
		BWindow::MessageReceived(message);
	}

	bool QuitRequested() override
	{
		be_app->PostMessage(B_QUIT_REQUESTED);
		return true;
	}
};


class DemoApplication : public BApplication {
public:
	DemoApplication(const char* screenshot)
		:
		BApplication("application/x-vnd.Quorrel-demo"),
		fScreenshot(screenshot != NULL ? screenshot : ""),
		fWindow(NULL)
	{
	}

	~DemoApplication()
	{
		if (fDriver.joinable())
			fDriver.join();
	}

	void ReadyToRun() override
	{
		fWindow = new DemoWindow;
		fWindow->Show();
		if (!fScreenshot.empty())
			fDriver = std::thread(&DemoApplication::_TakeScreenshot, this);
	}

private:
	// Plays the user on the headless display: a click and a hover, then the picture.
	void _TakeScreenshot()
	{
		using BPrivate::HeadlessTest;
		HeadlessTest::WaitForIdle();
		BPoint leftTop(60, 60);
		HeadlessTest::Click(leftTop + BPoint(360, 260));
		HeadlessTest::AdvanceClock(1000000);
		HeadlessTest::Click(leftTop + BPoint(420, 280));
		HeadlessTest::MoveMouse(leftTop + BPoint(100, 350));
		HeadlessTest::WaitForIdle();
		status_t status = HeadlessTest::SaveWindowPNG(
			BPrivate::WindowAccess::ServerWindowOf(fWindow), fScreenshot.c_str());
		if (status != B_OK)
			fprintf(stderr, "Could not save %s (error %d)\n", fScreenshot.c_str(),
				(int)status);
		else
			printf("Saved %s\n", fScreenshot.c_str());
		be_app_messenger.SendMessage(B_QUIT_REQUESTED);
	}

	std::string		fScreenshot;
	DemoWindow*		fWindow;
	std::thread		fDriver;
};


int
main(int argc, char** argv)
{
	const char* screenshot = NULL;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
			screenshot = argv[++i];
		else {
			fprintf(stderr, "Usage: %s [--screenshot file.png]\n", argv[0]);
			return 2;
		}
	}
	DemoApplication application(screenshot);
	application.Run();
	return 0;
}
