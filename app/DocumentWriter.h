/*
 * DocumentWriter: replaces a file's contents without ever leaving it half written.
 *
 * The new bytes go to a temporary file in the same folder as the target, which is
 * flushed to disk and renamed over the target only when every byte is written. A
 * symbolic link is followed to the file it names, so the link stays a link. An existing
 * file keeps its permission bits; a new one gets the default permissions (0666 less the
 * umask). On any failure the target is left exactly as it was and the temporary file is
 * removed.
 */
#ifndef DOCUMENT_WRITER_H
#define DOCUMENT_WRITER_H

#include <SupportDefs.h>

#include <string>

class DocumentWriter {
public:
	// Writes length bytes of data to path as described above. Returns B_OK, or an
	// error code with a short English description of what failed in *failure (when
	// not NULL). *writtenPath (when not NULL) receives the file actually written,
	// which differs from path when path is a link.
	static	status_t			Write(const char* path, const char* data, size_t length,
									std::string* failure = NULL,
									std::string* writtenPath = NULL);

	// The file path names after following symbolic links (also a dangling link, to
	// the file it would create). B_OK, or an error for a loop or an unreadable link.
	static	status_t			ResolveLinks(const char* path, std::string* resolved);

private:
	static	status_t			_WriteAll(int fd, const char* data, size_t length);
};

#endif	// DOCUMENT_WRITER_H
