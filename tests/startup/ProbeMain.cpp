// The application object with the recording stand-in for the main window, as a program
// of its own: the launch test starts it twice to see the second start hand its document
// to the first. The stand-in appends every path it is asked to open to the file named by
// QUORREL_PROBE_LOG.

#include "Quorrel.h"


int
main()
{
	Quorrel* application = new Quorrel();
	application->Run();
	delete application;
	return 0;
}
