/*
 * debugger(): reports a programming fault. Debug builds stop there (abort) so the fault
 * is seen at once, unless QUORREL_DEBUGGER=continue is set, which tests of such faults
 * use; release builds print the message and go on.
 */

#include <OS.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>


void
debugger(const char* message)
{
	fprintf(stderr, "debugger() called in thread %d: %s\n", (int)find_thread(nullptr),
		message != nullptr ? message : "(no message)");
	fflush(stderr);
#ifdef QUORREL_DEBUG
	const char* mode = getenv("QUORREL_DEBUGGER");
	if (mode == nullptr || strcmp(mode, "continue") != 0)
		abort();
#endif
}
