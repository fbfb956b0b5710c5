/*
 * QuorrelTools: where the application's data lies, and reading bitmaps.
 *
 * All data files (Settings/, Dictionary/, Icons/, Images/, ILib/, Help/) lie in the
 * folder of the executable. The class has no state; code that needs it makes a
 * temporary instance.
 */
#ifndef QUORREL_TOOLS_H
#define QUORREL_TOOLS_H

class BBitmap;

class QuorrelTools {
public:
	// The application directory without a trailing slash, in a new buffer of
	// kAppPathSize bytes that the caller owns (delete[]). When the directory cannot be
	// found the text is "Blad!", so every path built from it fails to open.
	// The environment variable QUORREL_APP_DIR, when set, names the directory instead;
	// tests use it to run against a copy of the application directory.
			const char*			GetAppPath();

	// A new bitmap read from the file at path through the default translator roster,
	// owned by the caller, or NULL when the file is missing or no translator reads it.
			BBitmap*			LoadBitmap(const char* path);

	static	const int			kAppPathSize = 10000;
};

#endif	// QUORREL_TOOLS_H
