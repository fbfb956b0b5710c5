// Benchmarks of BTextView on generated HTML: loading, colouring a whole document token
// by token in three orders, one keystroke (typed through KeyDown, recoloured around the
// caret by an InsertText override, then laid out and drawn in a headless window), and
// the peak memory of a coloured document. A plain scan of the same bytes runs beside
// them as the floor. Run with QUORREL_BACKEND=headless (set here when missing).

#include "HtmlGenerator.h"

#include <Message.h>
#include <Messenger.h>
#include <TextView.h>
#include <Window.h>

#include "AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <map>

namespace {

const size_t kMegabyte = 1 << 20;


struct Document {
	std::string html;
	std::vector<HtmlBench::Token> tokens;
};


const Document&
DocumentOfSize(int64_t megabytes)
{
	static std::map<int64_t, Document> sDocuments;
	Document& document = sDocuments[megabytes];
	if (document.html.empty()) {
		document.html = HtmlBench::GenerateHtml(megabytes * kMegabyte);
		document.tokens = HtmlBench::TokenizeAll(document.html);
	}
	return document;
}


struct Palette {
	rgb_color colors[HtmlBench::kTokenKinds] = {
		{ 0, 0, 0, 255 }, { 0, 0, 255, 255 }, { 0, 192, 0, 255 }, { 153, 0, 51, 255 },
		{ 164, 164, 164, 255 }
	};
	BFont font;

	void Apply(BTextView* view, int32 from, int32 to, HtmlBench::TokenKind kind)
	{
		view->SetFontAndColor(from, to, &font, B_FONT_ALL, &colors[kind]);
	}
};


void
ColourAll(BTextView* view, const std::vector<HtmlBench::Token>& tokens,
	const BFont* font = NULL)
{
	Palette palette;
	if (font != NULL)
		palette.font = *font;
	for (const HtmlBench::Token& token : tokens)
		palette.Apply(view, token.from, token.to, token.kind);
}


void
SetSize(benchmark::State& state, const Document& document)
{
	state.SetBytesProcessed(state.iterations() * (int64_t)document.html.size());
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
}


BTextView*
NewView()
{
	BTextView* view = new BTextView(BRect(0, 0, 599, 399), "bench", BRect(2, 2, 597, 397),
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	view->SetStylable(true);
	return view;
}


// The floor: one plain pass over the same bytes.
void
BM_Floor(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	for (auto _ : state) {
		const char* bytes = document.html.data();
		size_t size = document.html.size();
		int64_t brackets = 0;
		for (size_t i = 0; i < size; i++)
			brackets += bytes[i] == '<';
		benchmark::DoNotOptimize(brackets);
	}
	SetSize(state, document);
}


void
BM_Load(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	for (auto _ : state) {
		state.PauseTiming();
		BTextView* view = NewView();
		state.ResumeTiming();
		view->SetText(document.html.data(), (int32)document.html.size());
		benchmark::DoNotOptimize(view->TextLength());
		state.PauseTiming();
		delete view;
		state.ResumeTiming();
	}
	SetSize(state, document);
}


// The last order colours front to back in a font other than the view's, as an editor
// whose font differs from the text view's default does.
enum ColourOrder { kFrontToBack = 0, kBackToFront, kRandomOrder, kOtherFont };


// Colouring happens with the view in a window, as in the editor, so every call also
// checks what it has to redraw.
void
BM_ColourAll(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	std::vector<HtmlBench::Token> tokens = document.tokens;
	if (state.range(1) == kBackToFront)
		std::reverse(tokens.begin(), tokens.end());
	else if (state.range(1) == kRandomOrder)
		std::shuffle(tokens.begin(), tokens.end(), std::mt19937(11));

	BWindow* window = new BWindow(BRect(50, 50, 649, 449), "colour", B_TITLED_WINDOW);
	BTextView* view = NewView();
	window->AddChild(view);
	window->Show();
	window->Lock();
	view->SetText(document.html.data(), (int32)document.html.size());
	for (auto _ : state)
		ColourAll(view, tokens, state.range(1) == kOtherFont ? be_fixed_font : NULL);
	window->Quit();
	SetSize(state, document);
	state.counters["tokens"] = tokens.size();
}


const uint32 kKeystroke = 'kyst';


// An editor's text view: it recolours the neighbourhood of every insertion, and types
// a character on request, then draws what changed at once.
class ColouringView : public BTextView {
public:
	ColouringView()
		:
		BTextView(BRect(0, 0, 599, 399), "editor", BRect(2, 2, 597, 397),
			B_FOLLOW_ALL_SIDES, B_WILL_DRAW)
	{
		SetStylable(true);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != kKeystroke) {
			BTextView::MessageReceived(message);
			return;
		}
		auto start = std::chrono::steady_clock::now();
		timespec cpuStart;
		clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuStart);
		KeyDown("x", 1);
		timespec cpuEdit;
		clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuEdit);
		editTimes.push_back((cpuEdit.tv_sec - cpuStart.tv_sec) * 1e6
			+ (cpuEdit.tv_nsec - cpuStart.tv_nsec) / 1e3);
		Window()->UpdateIfNeeded();
		Sync();
		workTimes.push_back(std::chrono::duration<double, std::micro>(
			std::chrono::steady_clock::now() - start).count());
		timespec cpuEnd;
		clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuEnd);
		cpuTimes.push_back((cpuEnd.tv_sec - cpuStart.tv_sec) * 1e6
			+ (cpuEnd.tv_nsec - cpuStart.tv_nsec) / 1e3);
		message->SendReply(B_REPLY);
	}

	void Draw(BRect updateRect) override
	{
		timespec start;
		clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
		BTextView::Draw(updateRect);
		drawArea += (updateRect.Width() + 1) * (updateRect.Height() + 1);
		timespec end;
		clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
		drawTime += (end.tv_sec - start.tv_sec) * 1e6 + (end.tv_nsec - start.tv_nsec) / 1e3;
	}

	int64 recoloured = 0;
	// Processor time spent in Draw, summed.
	double drawTime = 0;
	// Pixels Draw was asked to cover, summed.
	double drawArea = 0;
	// The time each keystroke took on the window's thread, without the messaging.
	std::vector<double> workTimes;
	// The processor time the window's thread spent on each.
	std::vector<double> cpuTimes;
	// The part of it spent typing and recolouring, before drawing.
	std::vector<double> editTimes;

protected:
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override
	{
		BTextView::InsertText(text, length, offset, runs);
		int32 from = std::max(offset - 50, (int32)0);
		int32 to = std::min(offset + length + 50, TextLength());
		auto byteAt = [this](int32_t at) { return (char)ByteAt(at); };
		HtmlBench::Tokenize(byteAt, from, to,
			[this](int32_t tokenFrom, int32_t tokenTo, HtmlBench::TokenKind kind) {
				if (tokenTo > tokenFrom)
					fPalette.Apply(this, tokenFrom, tokenTo, kind);
			});
		recoloured += to - from;
	}

private:
	Palette fPalette;
};


void
BM_Keystroke(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	BWindow* window = new BWindow(BRect(50, 50, 649, 449), "keys", B_TITLED_WINDOW);
	ColouringView* view = new ColouringView;
	window->AddChild(view);
	window->Show();
	window->Lock();
	view->SetText(document.html.data(), (int32)document.html.size());
	ColourAll(view, document.tokens);
	int32 middle = view->TextLength() / 2;
	while (view->ByteAt(middle) != '\n' && middle > 0)
		middle--;
	view->MakeFocus(true);
	view->Select(middle, middle);
	view->ScrollToSelection();
	view->recoloured = 0;
	view->drawTime = 0;
	view->drawArea = 0;
	window->Unlock();

	BMessenger messenger(view);
	std::vector<double> times;
	for (auto _ : state) {
		auto start = std::chrono::steady_clock::now();
		BMessage reply;
		messenger.SendMessage(kKeystroke, &reply);
		times.push_back(std::chrono::duration<double, std::micro>(
			std::chrono::steady_clock::now() - start).count());
	}
	window->Lock();
	int64 recoloured = view->recoloured;
	std::vector<double> work = view->workTimes;
	std::vector<double> cpu = view->cpuTimes;
	std::vector<double> edit = view->editTimes;
	double drawTime = view->drawTime;
	double drawArea = view->drawArea;
	window->Quit();
	std::sort(work.begin(), work.end());
	state.counters["work_median_us"] = work[work.size() / 2];
	state.counters["work_p99_us"] = work[work.size() * 99 / 100];
	std::sort(cpu.begin(), cpu.end());
	state.counters["work_cpu_median_us"] = cpu[cpu.size() / 2];
	std::sort(edit.begin(), edit.end());
	state.counters["edit_cpu_median_us"] = edit[edit.size() / 2];
	state.counters["draw_cpu_mean_us"] = drawTime / edit.size();
	state.counters["draw_px_mean"] = drawArea / edit.size();
	std::sort(times.begin(), times.end());
	state.counters["median_us"] = times[times.size() / 2];
	state.counters["p99_us"] = times[times.size() * 99 / 100];
	state.counters["bytes_recoloured"] = recoloured / (double)times.size();
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
}


// Peak bytes allocated while a document is loaded and coloured, next to its size. The
// generated text and its token list exist before and are not counted.
void
BM_PeakMemory(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	size_t peak = 0;
	for (auto _ : state) {
		size_t baseline = AllocatedBytes();
		ResetPeakBytes();
		{
			BTextView* view = NewView();
			view->SetText(document.html.data(), (int32)document.html.size());
			ColourAll(view, document.tokens);
			view->LineAt(view->TextLength() / 2);
			delete view;
		}
		peak = PeakBytes() - baseline;
	}
	state.counters["peak_bytes"] = peak;
	state.counters["peak_per_text_byte"] = peak / (double)document.html.size();
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
}

}	// namespace


BENCHMARK(BM_Floor)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColourAll)
	->ArgsProduct({{1, 2, 4, 8, 10}, {kFrontToBack, kBackToFront, kRandomOrder, kOtherFont}})
	->ArgNames({"MB", "order"})
	->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Arg(1)->Arg(10)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeakMemory)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);


int
main(int argc, char** argv)
{
	setenv("QUORREL_BACKEND", "headless", 0);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
