/*
 * UserColors: the picker's five saved colours and the file "Settings/colors" that keeps
 * them.
 *
 * The file holds one line: the five colours as 15 decimal numbers (red, green, blue of
 * slot 0, then slot 1, and so on), each followed by one space. Reading is forgiving: only
 * the first line is looked at, and a slot whose three numbers are not all present, or
 * not all whole numbers from 0 to 255, keeps its default colour, so a short or damaged
 * file still opens the picker with sensible colours. Writing never damages the old file:
 * the new line goes to a temporary file in the same folder, which is renamed over the
 * old one only when it was written completely.
 */
#ifndef USER_COLORS_H
#define USER_COLORS_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

#include <stddef.h>

class UserColors {
public:
	static constexpr int		kCount = 5;
	// The longest line the reader looks at, without its line feed.
	static constexpr int		kLineLength = 255;

	// The colour slot has before anything is read: a grey ramp from black to white.
	static	rgb_color			DefaultColor(int slot);
	static	void				SetDefaults(rgb_color colors[kCount]);

	// Reads the slots from the first length bytes of line (stopping at a line feed or
	// a NUL). Slots that the line does not give validly are left as they are. Answers
	// how many slots were taken from the line.
	static	int					Parse(const char* line, size_t length,
									rgb_color colors[kCount]);

	// Formats the slots as the file's line ("%u " fifteen times, no line feed) into
	// line, which holds size bytes (at least 61 are needed). Answers the length of the
	// line, or -1 when it does not fit.
	static	int					Format(const rgb_color colors[kCount], char* line,
									size_t size);

	// Reads the file at path into colors. B_OK when the file was read (even if some
	// slots kept their colours), an error when it cannot be opened or read; colors
	// is then unchanged.
	static	status_t			Read(const char* path, rgb_color colors[kCount]);

	// Writes the slots to the file at path through a temporary file in the same folder
	// renamed over it. On any failure the old file is left as it was, the temporary
	// file is removed and an error is answered.
	static	status_t			Write(const char* path,
									const rgb_color colors[kCount]);
};

#endif	// USER_COLORS_H
