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

#endif	// _MIME_H
