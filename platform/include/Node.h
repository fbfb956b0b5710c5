/*
 * BNode: an open node (file, folder or link target) and its attributes.
 *
 * Attributes are Linux extended attributes in the "user." namespace: the attribute
 * "BEOS:TYPE" is the extended attribute "user.BEOS:TYPE", holding the value's bytes
 * unchanged, so other programs read them as they are. The attribute's type code is kept
 * beside it in the extended attribute "user.libbe.type.<name>" as four bytes, most
 * significant first; an attribute written by another program has no such companion and
 * reads as B_RAW_TYPE ("mime_type", the desktop's file type, as B_MIME_STRING_TYPE).
 * On a file system without extended attributes every attribute call answers
 * B_UNSUPPORTED, and nothing else changes.
 */
#ifndef _NODE_H
#define _NODE_H

#include <Entry.h>
#include <Statable.h>
#include <StorageDefs.h>

#include <string>
#include <vector>

class BDirectory;

struct attr_info {
	uint32	type;
	off_t	size;
};

class BNode : public BStatable {
public:
							BNode();
							BNode(const entry_ref* ref);
							BNode(const BEntry* entry);
							BNode(const char* path);
							BNode(const BDirectory* dir, const char* path);
							BNode(const BNode& other);
	virtual					~BNode();

			status_t		InitCheck() const;
	virtual	status_t		GetStat(struct stat* st) const;

	// A node that is a link is opened as the link's target.
			status_t		SetTo(const entry_ref* ref);
			status_t		SetTo(const BEntry* entry);
			status_t		SetTo(const char* path);
			status_t		SetTo(const BDirectory* dir, const char* path);
			void			Unset();

	// An advisory lock on the node; B_BUSY while another holder has it.
			status_t		Lock();
			status_t		Unlock();
			status_t		Sync();

	// Writes length bytes at offset into the attribute name, creating it; writing at
	// offset 0 replaces the whole value. Returns the bytes written or an error.
			ssize_t			WriteAttr(const char* name, type_code type, off_t offset,
								const void* buffer, size_t length);
	// Reads up to length bytes of the attribute from offset. The type is not checked, as
	// on R5. A missing attribute gives B_ENTRY_NOT_FOUND.
			ssize_t			ReadAttr(const char* name, type_code type, off_t offset,
								void* buffer, size_t length) const;
			status_t		RemoveAttr(const char* name);
			status_t		RenameAttr(const char* oldName, const char* newName);
			status_t		GetAttrInfo(const char* name, attr_info* info) const;
	// Names the next attribute in buffer (B_ATTR_NAME_LENGTH bytes); B_ENTRY_NOT_FOUND
	// after the last one. The names are read at the first call after a rewind.
			status_t		GetNextAttrName(char* buffer);
			status_t		RewindAttrs();

	// A new descriptor of the node that the caller closes, or a negative error.
			int				Dup();

			bool			operator==(const BNode& other) const;
			bool			operator!=(const BNode& other) const;
			BNode&			operator=(const BNode& other);

protected:
	virtual	status_t		_SetStat(const struct stat& values, uint32 fields);

	// Takes over fd (which may be an O_PATH descriptor when pathOnly) as the node opened
	// from path; closes the node held before.
			void			_SetDescriptor(int fd, bool pathOnly, const std::string& path);
			void			_SetStatus(status_t status);
			int				_Descriptor() const { return fFd; }
	// The absolute path the node was opened by.
			const std::string& _Path() const { return fPath; }
	// The absolute path that relative paths in SetTo(dir, path) calls are taken against.
	static	status_t		_PathFor(const BDirectory* dir, const char* path,
								std::string& result);
	static	status_t		_PathFor(const entry_ref* ref, std::string& result);

private:
	friend class BNodeInfo;

			status_t		_Open(const std::string& path);
			std::string		_XattrTarget() const;
			status_t		_GetXattr(const std::string& name,
								std::vector<char>& value) const;
			status_t		_SetXattr(const std::string& name, const void* data,
								size_t length);
			status_t		_RemoveXattr(const std::string& name);
			status_t		_ChangeError() const;
			status_t		_ListXattrs(std::vector<std::string>& names) const;
			type_code		_AttrType(const char* name) const;

			int				fFd;
			bool			fPathOnly;
			std::string		fPath;
			status_t		fStatus;
			std::vector<std::string> fAttrNames;
			size_t			fAttrIndex;
			bool			fAttrsListed;
};

#endif	// _NODE_H
