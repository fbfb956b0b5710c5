// Benchmarks of the text store under the text view, on generated HTML: loading,
// colouring a whole document token by token in three orders, one keystroke with its
// recolouring, and the peak memory of a coloured document. A plain scan of the same
// bytes runs beside them as the floor.

#include "HtmlGenerator.h"

#include "interface/textview/TextStore.h"

#include "AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>

using BPrivate::TextStore;

namespace {

const int64_t kMegabyte = 1 << 20;

struct Document {
	std::string html;
	std::vector<HtmlBench::Token> tokens;
};


// Generating 10 MB takes a while; each size is made once.
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
	BFont font;
	rgb_color colors[HtmlBench::kTokenKinds];

	Palette()
		:
		font(be_plain_font)
	{
		colors[HtmlBench::kNormalToken] = make_color(0, 0, 0);
		colors[HtmlBench::kTagToken] = make_color(0, 0, 255);
		colors[HtmlBench::kParameterToken] = make_color(0, 192, 0);
		colors[HtmlBench::kValueToken] = make_color(153, 0, 51);
		colors[HtmlBench::kCommentToken] = make_color(164, 164, 164);
		font.SetSize(12.0f);
	}

	void Apply(TextStore& store, const HtmlBench::Token& token) const
	{
		store.Styles().SetStyle(token.from, token.to, &font, B_FONT_ALL,
			&colors[token.kind]);
	}
};


void
SetSize(benchmark::State& state, const Document& document)
{
	state.SetBytesProcessed(state.iterations() * (int64_t)document.html.size());
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
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
		TextStore store(*be_plain_font, make_color(0, 0, 0));
		store.SetText(document.html.data(), (int32_t)document.html.size());
		benchmark::DoNotOptimize(store.Lines().CountLines());
	}
	SetSize(state, document);
}


enum ColourOrder { kFrontToBack = 0, kBackToFront, kRandomOrder };


void
BM_ColourAll(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	std::vector<HtmlBench::Token> tokens = document.tokens;
	if (state.range(1) == kBackToFront)
		std::reverse(tokens.begin(), tokens.end());
	else if (state.range(1) == kRandomOrder)
		std::shuffle(tokens.begin(), tokens.end(), std::mt19937(11));

	Palette palette;
	TextStore store(*be_plain_font, make_color(0, 0, 0));
	store.SetText(document.html.data(), (int32_t)document.html.size());
	for (auto _ : state) {
		for (const HtmlBench::Token& token : tokens)
			palette.Apply(store, token);
	}
	SetSize(state, document);
	state.counters["calls"] = tokens.size();
	state.counters["bytes_per_call"] = document.html.size() / (double)tokens.size();
}


// One character typed in the middle of a coloured document, then the stretch from the
// '<' before it to the '>' after it recoloured, as the editor does after each key.
void
BM_Keystroke(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	Palette palette;
	TextStore store(*be_plain_font, make_color(0, 0, 0));
	store.SetText(document.html.data(), (int32_t)document.html.size());
	for (const HtmlBench::Token& token : document.tokens)
		palette.Apply(store, token);

	static const char kTyped[] = "<i>typed</i> words ";
	const BPrivate::TextBuffer& text = store.Text();
	auto byteAt = [&text](int32_t offset) { return text.ByteAt(offset); };
	int32_t at = (int32_t)document.html.size() / 2;
	std::vector<double> times;
	int64_t recoloured = 0;
	for (auto _ : state) {
		auto start = std::chrono::steady_clock::now();
		store.Insert(at, &kTyped[times.size() % (sizeof(kTyped) - 1)], 1);
		int32_t from = std::max(at - 1, (int32_t)0);
		while (from > 0 && text.ByteAt(from) != '<')
			from--;
		int32_t to = at + 2;
		while (to < text.Length() && text.ByteAt(to) != '>')
			to++;
		HtmlBench::Tokenize(byteAt, from, to,
			[&](int32_t tokenFrom, int32_t tokenTo, HtmlBench::TokenKind kind) {
				if (tokenTo > tokenFrom)
					palette.Apply(store, {tokenFrom, tokenTo, kind});
			});
		recoloured += to - from;
		at++;
		times.push_back(std::chrono::duration<double, std::micro>(
			std::chrono::steady_clock::now() - start).count());
	}
	std::sort(times.begin(), times.end());
	state.counters["median_us"] = times[times.size() / 2];
	state.counters["p99_us"] = times[times.size() * 99 / 100];
	state.counters["max_us"] = times.back();
	state.counters["bytes_recoloured"] = recoloured / (double)times.size();
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
}


// Peak bytes allocated while a document is loaded and coloured, next to its size. The
// generated text and its token list exist before and are not counted.
void
BM_PeakMemory(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	Palette palette;
	size_t peak = 0;
	size_t held = 0;
	for (auto _ : state) {
		size_t baseline = AllocatedBytes();
		ResetPeakBytes();
		{
			TextStore store(*be_plain_font, make_color(0, 0, 0));
			store.SetText(document.html.data(), (int32_t)document.html.size());
			for (const HtmlBench::Token& token : document.tokens)
				palette.Apply(store, token);
			held = store.AllocatedBytes();
		}
		peak = PeakBytes() - baseline;
	}
	state.counters["peak_bytes"] = peak;
	state.counters["peak_per_text_byte"] = peak / (double)document.html.size();
	state.counters["held_per_text_byte"] = held / (double)document.html.size();
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
}

}	// namespace


BENCHMARK(BM_Floor)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColourAll)
	->ArgsProduct({{1, 2, 4, 8, 10}, {kFrontToBack, kBackToFront, kRandomOrder}})
	->ArgNames({"MB", "order"})
	->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Arg(1)->Arg(10)->Iterations(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeakMemory)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
