// A second instance for the single-launch test: it declares single launch and makes
// its BApplication with the signature given in QUORREL_TEST_SIGNATURE. When another
// instance runs, the constructor hands it our arguments and ends the process with 0;
// reaching the line after it means that the hand-over did not happen.
#include <AppFileInfo.h>
#include <Application.h>
#include <Roster.h>

#include <cstdio>
#include <cstdlib>

int
main()
{
	const char* signature = getenv("QUORREL_TEST_SIGNATURE");
	if (signature == NULL)
		return 2;
	set_app_flags(B_SINGLE_LAUNCH);
	BApplication application(signature);
	fprintf(stderr, "the helper became the first instance\n");
	return 3;
}
