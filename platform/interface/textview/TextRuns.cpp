#include "interface/textview/TextRuns.h"

#include <cstdlib>
#include <new>
#include <type_traits>

namespace BPrivate {

// The block is plain memory, as in R5, so that an array may be copied and freed as a
// whole; the runs must therefore need no destruction.
static_assert(std::is_trivially_destructible<text_run>::value,
	"text_run_array is freed without destroying its runs");


size_t
RunArraySize(int32 count)
{
	if (count < 1)
		count = 1;
	return sizeof(text_run_array) + (size_t)(count - 1) * sizeof(text_run);
}


text_run_array*
AllocRunArray(int32 count, int32* outSize)
{
	if (count < 0 || (size_t)count > (INT32_MAX - sizeof(text_run_array)) / sizeof(text_run))
		return NULL;
	size_t size = RunArraySize(count);
	void* block = malloc(size);
	if (block == NULL)
		return NULL;

	text_run_array* array = static_cast<text_run_array*>(block);
	array->count = count;
	int32 slots = count < 1 ? 1 : count;
	for (int32 i = 0; i < slots; i++) {
		text_run* run = new(&array->runs[i]) text_run;
		run->offset = 0;
		run->font = *be_plain_font;
		run->color = make_color(0, 0, 0);
	}
	if (outSize != NULL)
		*outSize = (int32)size;
	return array;
}


void
FreeRunArray(text_run_array* array)
{
	free(array);
}

}	// namespace BPrivate
