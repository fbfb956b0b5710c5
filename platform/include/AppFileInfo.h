/*
 * How an application declares what R5 read from its executable's resources: its launch
 * flags (B_SINGLE_LAUNCH, B_MULTIPLE_LAUNCH, B_EXCLUSIVE_LAUNCH, B_ARGV_ONLY, ...) and
 * the file types it opens. Declare them before the BApplication is made, for example
 * at the top of main, or once at namespace scope with B_DECLARE_APP_FLAGS:
 *
 *	B_DECLARE_APP_FLAGS(B_SINGLE_LAUNCH);
 *
 * Without a declaration an application is B_MULTIPLE_LAUNCH.
 */
#ifndef _APP_FILE_INFO_H
#define _APP_FILE_INFO_H

#include <SupportDefs.h>

void			set_app_flags(uint32 flags);
uint32			get_app_flags();

// Adds a MIME type to the list of types the application opens.
void			add_app_supported_type(const char* mimeType);
int32			count_app_supported_types();
const char*		app_supported_type_at(int32 index);

#define B_DECLARE_APP_FLAGS(flags) \
	[[maybe_unused]] static const int _sAppFlagsDeclaration = (set_app_flags(flags), 0)

#endif	// _APP_FILE_INFO_H
