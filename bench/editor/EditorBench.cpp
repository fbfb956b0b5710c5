// Benchmarks of the editor pane on generated HTML of 1 MB and 10 MB: loading a file
// written in ISO 8859-2 with its conversion and colouring, colouring alone beside a
// plain byte scan (the floor) and beside source-highlight turning the same file into
// coloured HTML (the peer), one typed character inside a tag in the middle of a
// coloured document, and replacing every occurrence of a frequent word. Every pane lies
// in a window on the headless display (QUORREL_BACKEND=headless, set here when missing).

#include "EView.h"
#include "EditView.h"
#include "EncodingTable.h"
#include "HtmlGenerator.h"

#include <File.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>


namespace {

const size_t kMegabyte = 1024 * 1024;
const uint32 kKeystroke = 'bKey';


struct Document {
	std::string	html;
	// The same text as an ISO 8859-2 file, and as UTF-8 for the peer.
	std::string	iso2Path;
	std::string	utf8Path;
};


std::string
TemporaryFolder()
{
	static std::string folder;
	if (folder.empty()) {
		char name[] = "/tmp/quorrel-editor-bench-XXXXXX";
		if (mkdtemp(name) != NULL)
			folder = name;
	}
	return folder;
}


const Document&
DocumentOfSize(int64 megabytes)
{
	static std::map<int64, Document> documents;
	auto found = documents.find(megabytes);
	if (found != documents.end())
		return found->second;

	Document& document = documents[megabytes];
	document.html = HtmlBench::GenerateHtml(megabytes * kMegabyte);
	std::string iso2;
	EncodingTable::FromUTF8(1, document.html.data(), (int32)document.html.size(), &iso2);
	std::string folder = TemporaryFolder();
	document.iso2Path = folder + "/iso2-" + std::to_string(megabytes) + ".html";
	document.utf8Path = folder + "/utf8-" + std::to_string(megabytes) + ".html";
	std::ofstream(document.iso2Path, std::ios::binary) << iso2;
	std::ofstream(document.utf8Path, std::ios::binary) << document.html;
	return document;
}


/*
 * A window with one editor pane. On kKeystroke it types a character (or a backspace)
 * into the pane as the keyboard would, then lays out and draws, and keeps the time that
 * took on its own thread.
 */
class PaneWindow : public BWindow {
public:
	PaneWindow()
		:
		BWindow(BRect(50, 50, 649, 449), "pane", B_TITLED_WINDOW, 0)
	{
		pane = new EView(Bounds(), "bench");
		AddChild(pane);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kEditTextModified) {
			modifications++;
			return;
		}
		if (message->what != kKeystroke) {
			BWindow::MessageReceived(message);
			return;
		}
		auto start = std::chrono::steady_clock::now();
		if (message->FindBool("back"))
			pane->editView->KeyDown("\b", 1);
		else
			pane->editView->KeyDown("x", 1);
		auto edited = std::chrono::steady_clock::now();
		UpdateIfNeeded();
		pane->Sync();
		auto drawn = std::chrono::steady_clock::now();
		editTimes.push_back(std::chrono::duration<double, std::micro>(edited - start).count());
		workTimes.push_back(std::chrono::duration<double, std::micro>(drawn - start).count());
		message->SendReply(B_REPLY);
	}

	EView*				pane;
	int64				modifications = 0;
	std::vector<double>	editTimes;
	std::vector<double>	workTimes;
};


double
Median(std::vector<double> values)
{
	if (values.empty())
		return 0;
	std::sort(values.begin(), values.end());
	return values[values.size() / 2];
}


// The floor: one pass over the bytes, counting tag openings.
void
BM_Floor(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	for (auto _ : state) {
		int64 count = 0;
		for (char byte : document.html)
			count += byte == '<';
		benchmark::DoNotOptimize(count);
	}
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
}


// LoadFile of the ISO 8859-2 file: reading, conversion to UTF-8, SetText and koloruj.
void
BM_LoadIso2AndColour(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	PaneWindow* window = new PaneWindow;
	window->Show();
	window->Lock();
	for (auto _ : state) {
		BFile file(document.iso2Path.c_str(), B_READ_ONLY);
		window->pane->LoadFile(&file, 1);
	}
	state.counters["issues"] = window->pane->LoadIssues();
	state.counters["MB"] = window->pane->GetTextLength() / (double)kMegabyte;
	window->Quit();
}


// koloruj alone on a loaded document.
void
BM_Koloruj(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	PaneWindow* window = new PaneWindow;
	window->Show();
	window->Lock();
	window->pane->LoadFile(document.html.c_str());
	for (auto _ : state)
		window->pane->editView->koloruj(0);
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
	window->Quit();
}


// The peer: source-highlight turning the same HTML into coloured HTML.
void
BM_PeerSourceHighlight(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	std::string output = TemporaryFolder() + "/peer-out.html";
	std::string command = "source-highlight -s html -f html -i " + document.utf8Path
		+ " -o " + output + " 2>/dev/null";
	for (auto _ : state) {
		if (std::system(command.c_str()) != 0) {
			state.SkipWithError("source-highlight is missing or failed");
			break;
		}
	}
	unlink(output.c_str());
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
}


// One character typed inside a tag in the middle of a coloured document, then taken
// back with a backspace: the hook, the walks, pokoloruj, 'ETmo' posted, layout and
// drawing. Times are taken on the window's thread.
void
BM_KeystrokeInTag(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	PaneWindow* window = new PaneWindow;
	window->Show();
	window->Lock();
	window->pane->LoadFile(document.html.c_str());
	const char* text = window->pane->GetBufor();
	int32 middle = window->pane->GetTextLength() / 2;
	// Into the first tag with attributes after the middle, after its name.
	std::string html(text);
	size_t tag = html.find(" href=", middle);
	if (tag == std::string::npos)
		tag = html.find('<', middle) + 2;
	window->pane->makeFocus();
	window->pane->editView->Select((int32)tag, (int32)tag);
	window->pane->scroll();
	window->Unlock();

	BMessenger messenger(window);
	std::vector<double> roundTrips;
	bool back = false;
	for (auto _ : state) {
		BMessage message(kKeystroke);
		message.AddBool("back", back);
		back = !back;
		auto start = std::chrono::steady_clock::now();
		BMessage reply;
		messenger.SendMessage(&message, &reply);
		roundTrips.push_back(std::chrono::duration<double, std::micro>(
			std::chrono::steady_clock::now() - start).count());
	}
	window->Lock();
	state.counters["edit_median_us"] = Median(window->editTimes);
	state.counters["work_median_us"] = Median(window->workTimes);
	state.counters["round_trip_median_us"] = Median(roundTrips);
	state.counters["MB"] = window->pane->GetTextLength() / (double)kMegabyte;
	window->Quit();
}


// replaceAll of a frequent word; the document is loaded again, untimed, before each.
void
BM_ReplaceAll(benchmark::State& state)
{
	const Document& document = DocumentOfSize(state.range(0));
	bool ignoreCase = state.range(1) != 0;
	PaneWindow* window = new PaneWindow;
	window->Show();
	window->Lock();
	int64 occurrences = 0;
	for (size_t at = document.html.find("editor"); at != std::string::npos;
			at = document.html.find("editor", at + 1))
		occurrences++;
	for (auto _ : state) {
		state.PauseTiming();
		window->pane->LoadFile(document.html.c_str());
		state.ResumeTiming();
		window->pane->replaceAll("editor", "redactor", ignoreCase);
	}
	state.counters["occurrences"] = occurrences;
	state.counters["MB"] = document.html.size() / (double)kMegabyte;
	window->Quit();
}

}	// namespace


BENCHMARK(BM_Floor)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIso2AndColour)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Koloruj)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerSourceHighlight)->Arg(1)->Arg(10)->Iterations(1)->UseRealTime()
	->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeInTag)->Arg(1)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplaceAll)->ArgsProduct({{10}, {0, 1}})->ArgNames({"MB", "ignoreCase"})
	->Unit(benchmark::kMillisecond);


int
main(int argc, char** argv)
{
	setenv("QUORREL_BACKEND", "headless", 0);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
