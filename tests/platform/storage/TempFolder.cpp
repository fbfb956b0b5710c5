#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>


namespace {

int
RemoveOne(const char* path, const struct stat*, int, struct FTW*)
{
	chmod(path, 0700);
	remove(path);
	return 0;
}


int
OpenUp(const char* path, const struct stat* info, int type, struct FTW*)
{
	if (type == FTW_D || type == FTW_DNR)
		chmod(path, 0700);
	return 0;
}

}	// namespace


TempFolder::TempFolder()
{
	char pattern[] = "/tmp/storage-test-XXXXXX";
	char* made = mkdtemp(pattern);
	if (made == nullptr)
		ADD_FAILURE() << "no temporary folder";
	else
		fPath = made;
}


TempFolder::~TempFolder()
{
	if (fPath.empty())
		return;
	nftw(fPath.c_str(), OpenUp, 16, FTW_PHYS);
	nftw(fPath.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}


std::string
TempFolder::operator/(const std::string& name) const
{
	return fPath + "/" + name;
}


void
TempFolder::WriteFile(const std::string& name, const std::string& text) const
{
	std::ofstream out(*this / name, std::ios::binary);
	out << text;
	ASSERT_TRUE(out.good()) << name;
}


std::string
TempFolder::ReadFile(const std::string& name) const
{
	std::ifstream in(*this / name, std::ios::binary);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}


void
TempFolder::MakeFolder(const std::string& name) const
{
	ASSERT_EQ(0, mkdir((*this / name).c_str(), 0755)) << name;
}


void
TempFolder::MakeLink(const std::string& name, const std::string& target) const
{
	ASSERT_EQ(0, symlink(target.c_str(), (*this / name).c_str())) << name;
}


bool
RunningAsRoot()
{
	return geteuid() == 0;
}


ScopedEnv::ScopedEnv(const char* name, const std::string& value)
	:
	fName(name),
	fHadValue(getenv(name) != nullptr)
{
	if (fHadValue)
		fOldValue = getenv(name);
	setenv(name, value.c_str(), 1);
}


ScopedEnv::~ScopedEnv()
{
	if (fHadValue)
		setenv(fName.c_str(), fOldValue.c_str(), 1);
	else
		unsetenv(fName.c_str());
}


bool
UserXattrsSupported(const std::string& folder)
{
	if (setxattr(folder.c_str(), "user.probe", "1", 1, 0) != 0)
		return false;
	removexattr(folder.c_str(), "user.probe");
	return true;
}
