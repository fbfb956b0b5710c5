// A temporary folder tree for one test, removed with everything in it afterwards.
#ifndef TEMP_FOLDER_H
#define TEMP_FOLDER_H

#include <string>

class TempFolder {
public:
							TempFolder();
							~TempFolder();

	const std::string&		Path() const { return fPath; }
	// The absolute path of name inside the folder.
	std::string				operator/(const std::string& name) const;

	// Writes text into the file at the relative path name.
	void					WriteFile(const std::string& name,
								const std::string& text) const;
	std::string				ReadFile(const std::string& name) const;
	void					MakeFolder(const std::string& name) const;
	void					MakeLink(const std::string& name,
								const std::string& target) const;

private:
	std::string				fPath;
};

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
public:
							ScopedEnv(const char* name, const std::string& value);
							~ScopedEnv();

private:
	std::string				fName;
	std::string				fOldValue;
	bool					fHadValue;
};

// Whether the file system of the folder keeps extended attributes in the "user."
// namespace (tmpfs before Linux 6.6 does not).
bool UserXattrsSupported(const std::string& folder);

// Permission bits do not stop the superuser.
bool RunningAsRoot();

#endif	// TEMP_FOLDER_H
