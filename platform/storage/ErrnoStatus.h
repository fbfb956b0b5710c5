/*
 * Translation of Linux errno values into the status codes of the kits.
 */
#ifndef _STORAGE_ERRNO_STATUS_H
#define _STORAGE_ERRNO_STATUS_H

#include <SupportDefs.h>

namespace BPrivate {

// The status code that stands for the given errno value; B_ERROR when none fits.
status_t status_for_errno(int error);

// status_for_errno(errno), for the common "a call just failed" case.
status_t status_for_last_error();

}	// namespace BPrivate

#endif	// _STORAGE_ERRNO_STATUS_H
