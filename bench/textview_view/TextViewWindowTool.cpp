// textview_window: a real window with a coloured text view of a large HTML document, for
// checking by hand (or by xdotool under Xvfb) that scrolling, typing and selecting stay
// fluid. It loads a file, or generates HTML of the given size, colours it token by token
// as the editor does, then times every input message the window handles, including the
// drawing it causes, and prints the figures per kind of message when it quits.
//
//   textview_window [--file PATH | --megabytes N] [--seconds S] [--nowrap]

#include "HtmlGenerator.h"

#include <Application.h>
#include <File.h>
#include <Message.h>
#include <ScrollView.h>
#include <TextView.h>
#include <Window.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;


double
MillisecondsSince(Clock::time_point start)
{
	return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}


const char*
KindName(uint32 what)
{
	switch (what) {
		case B_KEY_DOWN:
			return "key down";
		case B_MOUSE_DOWN:
			return "mouse down";
		case B_MOUSE_UP:
			return "mouse up";
		case B_MOUSE_MOVED:
			return "mouse moved";
		case B_MOUSE_WHEEL_CHANGED:
			return "wheel";
		default:
			return NULL;
	}
}


class TimingWindow : public BWindow {
public:
	TimingWindow(BRect frame)
		:
		BWindow(frame, "Text view", B_TITLED_WINDOW, 0)
	{
	}

	void DispatchMessage(BMessage* message, BHandler* handler) override
	{
		const char* kind = KindName(message->what);
		if (kind == NULL) {
			BWindow::DispatchMessage(message, handler);
			return;
		}
		std::string name = kind;
		const char* bytes = NULL;
		if (message->what == B_KEY_DOWN && message->FindString("bytes", &bytes) == B_OK) {
			int32 modifiers = 0;
			message->FindInt32("modifiers", &modifiers);
			name += (modifiers & B_COMMAND_KEY) != 0 ? " ctrl+" : " ";
			switch ((uint8)bytes[0]) {
				case B_PAGE_DOWN:
				case B_PAGE_UP:
					name += "page";
					break;
				case B_HOME:
				case B_END:
					name += "home/end";
					break;
				case B_UP_ARROW:
				case B_DOWN_ARROW:
				case B_LEFT_ARROW:
				case B_RIGHT_ARROW:
					name += "arrow";
					break;
				default:
					name += "typing";
					break;
			}
		}
		Clock::time_point start = Clock::now();
		BWindow::DispatchMessage(message, handler);
		UpdateIfNeeded();
		double elapsed = MillisecondsSince(start);
		times[name].push_back(elapsed);
		if (elapsed > 20) {
			printf("slow: %s (#%zu of its kind) took %.1f ms\n", name.c_str(),
				times[name].size(), elapsed);
		}
	}

	bool QuitRequested() override
	{
		for (auto& entry : times) {
			std::vector<double>& values = entry.second;
			std::sort(values.begin(), values.end());
			printf("%-20s %6zu messages  median %7.3f ms  p95 %7.3f ms  max %7.3f ms\n",
				entry.first.c_str(), values.size(), values[values.size() / 2],
				values[values.size() * 95 / 100], values.back());
		}
		fflush(stdout);
		be_app->PostMessage(B_QUIT_REQUESTED);
		return true;
	}

	std::map<std::string, std::vector<double>> times;
};


void
Colour(BTextView* view, const std::string& html)
{
	const rgb_color colors[HtmlBench::kTokenKinds] = {
		{ 0, 0, 0, 255 }, { 0, 0, 255, 255 }, { 0, 160, 0, 255 }, { 153, 0, 51, 255 },
		{ 140, 140, 140, 255 }
	};
	BFont font(be_fixed_font);
	for (const HtmlBench::Token& token : HtmlBench::TokenizeAll(html))
		view->SetFontAndColor(token.from, token.to, &font, B_FONT_ALL, &colors[token.kind]);
}

}	// namespace


int
main(int argc, char** argv)
{
	const char* path = NULL;
	int megabytes = 10;
	int seconds = 60;
	bool wrap = true;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--file") == 0 && i + 1 < argc)
			path = argv[++i];
		else if (strcmp(argv[i], "--megabytes") == 0 && i + 1 < argc)
			megabytes = std::clamp(atoi(argv[++i]), 1, 200);
		else if (strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
			seconds = std::clamp(atoi(argv[++i]), 1, 3600);
		else if (strcmp(argv[i], "--nowrap") == 0)
			wrap = false;
		else {
			fprintf(stderr, "usage: %s [--file PATH | --megabytes N] [--seconds S] "
				"[--nowrap]\n", argv[0]);
			return 1;
		}
	}

	std::string html;
	if (path != NULL) {
		BFile file(path, B_READ_ONLY);
		off_t size = 0;
		if (file.InitCheck() != B_OK || file.GetSize(&size) != B_OK || size > INT32_MAX) {
			fprintf(stderr, "%s: cannot read %s\n", argv[0], path);
			return 1;
		}
		html.resize(size);
		if (file.Read(&html[0], size) != size) {
			fprintf(stderr, "%s: cannot read %s\n", argv[0], path);
			return 1;
		}
	} else
		html = HtmlBench::GenerateHtml((size_t)megabytes << 20);

	BApplication app("application/x-vnd.quorrel-textview-window");
	TimingWindow* window = new TimingWindow(BRect(60, 60, 860, 660));
	BRect bounds = window->Bounds();
	bounds.right -= B_V_SCROLL_BAR_WIDTH;
	BTextView* view = new BTextView(bounds, "text", bounds.OffsetToCopy(0, 0).InsetByCopy(3, 3),
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE);
	view->SetStylable(true);
	view->SetWordWrap(wrap);
	BScrollView* scroll = new BScrollView("scroll", view, B_FOLLOW_ALL_SIDES, 0, false, true);
	window->AddChild(scroll);

	Clock::time_point start = Clock::now();
	view->SetText(html.data(), (int32)html.size());
	double load = MillisecondsSince(start);
	start = Clock::now();
	Colour(view, html);
	double colour = MillisecondsSince(start);
	printf("%.1f MB: SetText %.1f ms, colouring %.1f ms\n", html.size() / 1048576.0, load,
		colour);
	fflush(stdout);
	view->MakeFocus(true);
	window->Show();

	std::thread([window, seconds] {
		std::this_thread::sleep_for(std::chrono::seconds(seconds));
		window->PostMessage(B_QUIT_REQUESTED);
	}).detach();
	app.Run();
	return 0;
}
