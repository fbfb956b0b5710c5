// Reads the input as an edit script for the text store (inserts of ASCII, multibyte and
// broken UTF-8, removals, style changes, run array copies and calls that must be
// refused) and checks the store against a plain model after every step.

#include "EditScript.h"

#include <cstdio>
#include <cstdlib>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	size_t position = 0;
	EditScript::ByteSource source([&]() { return data[position++]; }, size);
	EditScript::Model model;
	for (int step = 0; !source.Done() && step < 2000; step++) {
		model.Step(source);
		std::string problem = model.Check();
		if (!problem.empty()) {
			fprintf(stderr, "step %d: %s\n", step, problem.c_str());
			abort();
		}
	}
	return 0;
}
