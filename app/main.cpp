#include "Quorrel.h"


int
main()
{
	Quorrel* application = new Quorrel();
	application->Run();
	delete application;
	return 0;
}
