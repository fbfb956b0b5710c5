/*
 * Constants of the MIME type database: icon sizes, the verb of preferred applications
 * and the type code of MIME strings.
 */
#ifndef _MIME_H
#define _MIME_H

#include <StorageDefs.h>
#include <SupportDefs.h>

enum icon_size {
	B_LARGE_ICON	= 32,
	B_MINI_ICON		= 16
};

// What a preferred application is preferred for; R5 knows only opening.
enum app_verb {
	B_OPEN
};

enum {
	B_MIME_STRING_TYPE	= 'MIMS'
};

// Gives the file at path (and with recursive, everything below a folder) the type its
// name has in the shared-mime-info glob lists, as the extended attribute the desktop
// reads. Files that have a type keep it unless force is set. The work is always done
// before the call returns; path must name something (R5's "every volume" for a null
// path is not offered).
status_t update_mime_info(const char* path, int recursive, int synchronous, int force);

#endif	// _MIME_H
