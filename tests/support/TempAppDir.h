/*
 * TempAppDir: a fresh application directory for one test.
 *
 * Makes a temporary folder, copies the repository's data/ into it (without a
 * Settings/settings file, as a first start finds it), and points QUORREL_APP_DIR at it so
 * QuorrelTools::GetAppPath() answers with it. The destructor removes the folder and
 * restores the variable. XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR point into the
 * folder as well, so MIME registrations and single-launch sockets never touch the user's.
 */
#ifndef TEMP_APP_DIR_H
#define TEMP_APP_DIR_H

#include <string>

class TempAppDir {
public:
								TempAppDir();
								~TempAppDir();

			const std::string&	Path() const { return fPath; }
	// path + "/" + relative
			std::string			File(const char* relative) const;

	// Writes contents to a file below the directory (folders are made as needed).
			void				Write(const char* relative, const std::string& contents);
	// The file's whole contents, or an empty string when it cannot be read.
			std::string			Read(const char* relative) const;
			bool				Exists(const char* relative) const;

private:
			std::string			fPath;
			std::string			fSavedAppDir;
			bool				fHadAppDir;
};

#endif	// TEMP_APP_DIR_H
