/*
 * BFile: an open regular file, read and written as a BPositionIO.
 *
 * The open modes are those of StorageDefs.h. A file that cannot be opened leaves the
 * reason in InitCheck(): B_ENTRY_NOT_FOUND, B_FILE_EXISTS (with B_FAIL_IF_EXISTS),
 * B_PERMISSION_DENIED, B_IS_A_DIRECTORY, B_NAME_TOO_LONG, B_BAD_VALUE for a null or
 * empty path.
 */
#ifndef _FILE_H
#define _FILE_H

#include <DataIO.h>
#include <Node.h>
#include <StorageDefs.h>

class BFile : public BNode, public BPositionIO {
public:
							BFile();
							BFile(const entry_ref* ref, uint32 openMode);
							BFile(const BEntry* entry, uint32 openMode);
							BFile(const char* path, uint32 openMode);
							BFile(const BDirectory* dir, const char* path, uint32 openMode);
							BFile(const BFile& other);
	virtual					~BFile();

			status_t		SetTo(const entry_ref* ref, uint32 openMode);
			status_t		SetTo(const BEntry* entry, uint32 openMode);
			status_t		SetTo(const char* path, uint32 openMode);
			status_t		SetTo(const BDirectory* dir, const char* path, uint32 openMode);
			void			Unset();

			bool			IsReadable() const;
			bool			IsWritable() const;

	// Read and Write use and move the file position; with B_OPEN_AT_END every write
	// goes to the end of the file.
	virtual	ssize_t			Read(void* buffer, size_t size);
	virtual	ssize_t			Write(const void* buffer, size_t size);
	virtual	ssize_t			ReadAt(off_t position, void* buffer, size_t size);
	virtual	ssize_t			WriteAt(off_t position, const void* buffer, size_t size);
	virtual	off_t			Seek(off_t position, uint32 seekMode);
	virtual	off_t			Position() const;
	virtual	status_t		SetSize(off_t size);
	virtual	status_t		GetSize(off_t* size) const;

			BFile&			operator=(const BFile& other);

private:
			status_t		_OpenFile(const std::string& path, uint32 openMode);
			status_t		_Fail(status_t status);

			uint32			fMode;
};

#endif	// _FILE_H
