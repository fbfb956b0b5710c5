/*
 * File types from file names through the shared-mime-info glob lists
 * (mime/globs2 in $XDG_DATA_HOME and each folder of $XDG_DATA_DIRS).
 */
#ifndef _STORAGE_MIME_GLOBS_H
#define _STORAGE_MIME_GLOBS_H

#include <string>

namespace BPrivate {

// The MIME type that the glob lists give the leaf name, or "" when none matches. The
// heaviest matching pattern wins, then the longest; patterns without the "cs" flag
// match whatever the case. A "__NOGLOBS__" line drops the patterns that less important
// folders give its type.
std::string mime_type_for_name(const char* leafName);

}	// namespace BPrivate

#endif	// _STORAGE_MIME_GLOBS_H
