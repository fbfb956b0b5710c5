/*
 * beep(): rings the terminal bell when there is a terminal to ring.
 */

#include <Beep.h>

#include <unistd.h>


status_t
beep()
{
	if (!isatty(STDERR_FILENO))
		return B_ERROR;
	return write(STDERR_FILENO, "\a", 1) == 1 ? B_OK : B_ERROR;
}
