#include "QuorrelTools.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <Application.h>
#include <Bitmap.h>
#include <BitmapStream.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>
#include <Roster.h>
#include <TranslatorRoster.h>


const char*
QuorrelTools::GetAppPath()
{
	char* buffer = new char[kAppPathSize];

	const char* override = getenv("QUORREL_APP_DIR");
	if (override != NULL && override[0] != '\0') {
		snprintf(buffer, kAppPathSize, "%s", override);
		size_t length = strlen(buffer);
		while (length > 1 && buffer[length - 1] == '/')
			buffer[--length] = '\0';
		return buffer;
	}

	app_info info;
	if (be_app == NULL || be_app->GetAppInfo(&info) != B_OK) {
		snprintf(buffer, kAppPathSize, "Blad!");
		return buffer;
	}

	BEntry executable(&info.ref, false);
	BEntry folder;
	BPath path;
	if (executable.GetParent(&folder) != B_OK || folder.GetPath(&path) != B_OK) {
		snprintf(buffer, kAppPathSize, "Blad!");
		return buffer;
	}
	snprintf(buffer, kAppPathSize, "%s", path.Path());
	return buffer;
}


BBitmap*
QuorrelTools::LoadBitmap(const char* path)
{
	if (path == NULL)
		return NULL;
	BFile file(path, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return NULL;

	BBitmapStream stream;
	if (BTranslatorRoster::Default()->Translate(&file, NULL, NULL, &stream,
			B_TRANSLATOR_BITMAP) != B_OK)
		return NULL;

	BBitmap* bitmap = NULL;
	if (stream.DetachBitmap(&bitmap) != B_OK)
		return NULL;
	return bitmap;
}
