/*
 * varkel: the settings store. An in-memory table of up to 500 named text parameters
 * that is read from and written to a plain text file of name="value" lines.
 *
 * The store knows nothing of the keys it holds. Entries keep the order in which they
 * were added; the same name may occur more than once, and every lookup takes the first
 * entry whose name matches exactly (case-sensitive, byte for byte). Every name and value
 * is copied into a 256-byte buffer of the store's own, so it holds at most 255
 * characters; longer arguments are cut to 255 characters.
 *
 * Status results are 0 for success and -1 for failure. The store uses nothing but the
 * C++ standard library, keeps no global state and is used from one thread at a time.
 */
#ifndef _LIBVARKEL_VARKEL_H
#define _LIBVARKEL_VARKEL_H

#include <cstdint>
#include <memory>
#include <vector>

class varkel {
public:
	// Capacity of the table, and the size of the buffer of each name and value
	// (one byte of it is the terminating NUL).
	static constexpr int32_t	kMaxEntries = 500;
	static constexpr int32_t	kBufferSize = 256;

								varkel();
								~varkel();

								varkel(const varkel&) = delete;
			varkel&				operator=(const varkel&) = delete;

	// Appends the entries of the file at `path` behind those already held; the table
	// is not cleared first. Lines are read in pieces of at most 255 characters (a
	// longer line is split and its remainder read as a further line). Of each line,
	// the name runs up to the first "="; the character after "=" is skipped whatever
	// it is, and the value runs up to the next double quote, or to the end of the line
	// text, line feed included, when no quote follows. A line without "=" is a name
	// with an empty value. Reading stops once the table is full.
	// Returns 0, or -1 (table unchanged) if the file cannot be opened for reading.
			int32_t				LoadPrefs(const char* path);

	// Writes every entry, first to last, as "%s=\"%s\"\n" to `path`. Rather than
	// truncating the file in place, it writes a temporary file beside the
	// target (a symbolic link is followed to its target's folder), checks every write,
	// and renames it over the old file, keeping the old file's permission bits; a
	// failure leaves the old file untouched. Returns 0, or -1 if the file cannot be
	// written or replaced (also when an existing target cannot be opened for writing,
	// or is not a regular file).
			int32_t				SavePrefs(const char* path);

	// The value of the first entry named `name`, or a null pointer if there is none.
	// The text belongs to the store and stays valid until that entry is changed or
	// removed or the store is destroyed; callers never free it.
			char*				GetValue(const char* name);
			const char*			GetValue(const char* name) const;

	// Appends a new entry, also when the name is already present (lookups then keep
	// finding the older entry). Returns -1 and stores nothing when the table already
	// holds 500 entries or an argument is null.
			int32_t				PutParam(const char* name, const char* value);

	// Replaces the value of the first entry named `name` with a copy of `value` in a
	// fresh buffer; the name and position stay. Returns -1 and adds nothing when no
	// entry has that name or `value` is null.
			int32_t				ModifyParam(const char* name, const char* value);

	// Removes the first entry named `name`; later entries move up one place, keeping
	// their order. Returns -1 when there is none.
			int32_t				DeleteParam(const char* name);

private:
			struct Entry {
				std::unique_ptr<char[]>	name;
				std::unique_ptr<char[]>	value;
			};

	static	std::unique_ptr<char[]>	_CopyText(const char* text, size_t length);
	static	std::unique_ptr<char[]>	_CopyText(const char* text);
			int32_t				_FindEntry(const char* name) const;
			void				_AddLine(const char* line);

			std::vector<Entry>	fEntries;
};

#endif	// _LIBVARKEL_VARKEL_H
