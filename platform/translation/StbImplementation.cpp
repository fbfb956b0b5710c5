// The one place where the stb_image and stb_image_write implementations are compiled.
// PNG, JPEG and GIF are read through stb_image; BMP has its own reader.

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"

#include <string.h>

// stb_image copies zero bytes from or to a null pointer in some corner cases of damaged
// files (an empty first IDAT chunk); harmless, but undefined, so such copies are skipped.
static inline void*
QuorrelStbMemcpy(void* target, const void* source, size_t size)
{
	return size != 0 ? memcpy(target, source, size) : target;
}

static inline void*
QuorrelStbMemset(void* target, int value, size_t size)
{
	return size != 0 ? memset(target, value, size) : target;
}

#define memcpy QuorrelStbMemcpy
#define memset QuorrelStbMemset

// Images larger than the bitmaps can hold are refused before any pixel memory is taken.
#define STBI_MAX_DIMENSIONS 32768
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#pragma GCC diagnostic pop
