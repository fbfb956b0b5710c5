/*
 * Writing PNG files, for screenshots and tests. Private to the platform.
 */
#ifndef _PRIVATE_PNG_WRITER_H
#define _PRIVATE_PNG_WRITER_H

#include <SupportDefs.h>

class BBitmap;

namespace BPrivate {

// Writes a bitmap as an 8-bit RGBA PNG. Any colour space BBitmap supports is converted;
// B_RGB32 pixels are written opaque, B_RGBA32 pixels keep their alpha. B_BAD_VALUE for a
// missing or invalid bitmap or path, B_IO_ERROR when the file cannot be written.
status_t WritePNG(const BBitmap* bitmap, const char* path);

// The same for a raw B_RGB32 buffer (bytes B, G, R, x); the alpha byte is ignored.
status_t WritePNG(const void* bits, int32 width, int32 height, int32 bytesPerRow,
	const char* path);

}	// namespace BPrivate

#endif	// _PRIVATE_PNG_WRITER_H
