#include "TempFolder.h"

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>


namespace {

std::multiset<std::string>
ListNames(BDirectory& dir)
{
	std::multiset<std::string> names;
	BEntry entry;
	while (dir.GetNextEntry(&entry) == B_OK) {
		char name[B_FILE_NAME_LENGTH];
		entry.GetName(name);
		names.insert(name);
	}
	return names;
}

}	// namespace


TEST(DirectoryTest, ListingCountsAndRewinds)
{
	TempFolder folder;
	folder.WriteFile("one.html", "1");
	folder.WriteFile("two.txt", "2");
	folder.MakeFolder("images");
	folder.MakeLink("shortcut", "one.html");

	BDirectory dir(folder.Path().c_str());
	ASSERT_EQ(B_OK, dir.InitCheck());
	EXPECT_EQ(4, dir.CountEntries());

	std::multiset<std::string> expected = { "one.html", "two.txt", "images", "shortcut" };
	EXPECT_EQ(expected, ListNames(dir));
	BEntry entry;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, dir.GetNextEntry(&entry));
	EXPECT_EQ(B_NO_INIT, entry.InitCheck()) << "the entry is unset after the last one";
	EXPECT_EQ(4, dir.CountEntries()) << "counting does not disturb the listing";

	ASSERT_EQ(B_OK, dir.Rewind());
	EXPECT_EQ(expected, ListNames(dir));

	// With traverse the link comes back as the file it points at.
	dir.Rewind();
	int links = 0;
	int files = 0;
	while (dir.GetNextEntry(&entry, true) == B_OK) {
		links += entry.IsSymLink() ? 1 : 0;
		files += entry.IsFile() ? 1 : 0;
	}
	EXPECT_EQ(0, links);
	EXPECT_EQ(3, files);

	// A link loop does not end a traversing listing: it comes back as the link.
	folder.MakeLink("loop", "loop");
	dir.Rewind();
	int seen = 0;
	links = 0;
	while (dir.GetNextEntry(&entry, true) == B_OK) {
		seen++;
		links += entry.IsSymLink() ? 1 : 0;
	}
	EXPECT_EQ(5, seen);
	EXPECT_EQ(1, links);
	BEntry((folder / "loop").c_str()).Remove();

	dir.Rewind();
	entry_ref ref;
	std::multiset<std::string> refNames;
	while (dir.GetNextRef(&ref) == B_OK) {
		EXPECT_STREQ(BPath(folder.Path().c_str(), nullptr, true).Path(), ref.directory_path);
		refNames.insert(ref.name);
	}
	EXPECT_EQ(expected, refNames);

	dir.Rewind();
	dirent records[8];
	int32 count = dir.GetNextDirents(records, sizeof(records));
	EXPECT_EQ(6, count) << "raw records include . and ..";
	EXPECT_EQ(0, dir.GetNextDirents(records, sizeof(records)));

	BDirectory fileAsFolder((folder / "one.html").c_str());
	EXPECT_EQ(B_NOT_A_DIRECTORY, fileAsFolder.InitCheck());
	BDirectory missing((folder / "missing").c_str());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missing.InitCheck());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missing.GetNextEntry(&entry));
	EXPECT_LT(missing.CountEntries(), 0);
	BDirectory null((const char*)nullptr);
	EXPECT_EQ(B_BAD_VALUE, null.InitCheck());
	EXPECT_EQ(B_BAD_VALUE, dir.GetNextEntry(nullptr));
}


TEST(DirectoryTest, FindsAndContainsEntries)
{
	TempFolder folder;
	folder.MakeFolder("project");
	folder.MakeFolder("project/pages");
	folder.WriteFile("project/pages/a.html", "a");
	folder.WriteFile("outside.html", "o");

	BDirectory project((folder / "project").c_str());
	ASSERT_EQ(B_OK, project.InitCheck());
	EXPECT_FALSE(project.IsRootDirectory());
	EXPECT_TRUE(BDirectory("/").IsRootDirectory());

	BEntry found;
	EXPECT_EQ(B_OK, project.FindEntry("pages/a.html", &found));
	EXPECT_TRUE(found.IsFile());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, project.FindEntry("pages/b.html", &found));
	EXPECT_EQ(B_NO_INIT, found.InitCheck());

	EXPECT_TRUE(project.Contains("pages"));
	EXPECT_TRUE(project.Contains("pages", B_DIRECTORY_NODE));
	EXPECT_FALSE(project.Contains("pages", B_FILE_NODE));
	EXPECT_TRUE(project.Contains((folder / "project/pages/a.html").c_str()))
		<< "an absolute path anywhere below the folder is contained";
	EXPECT_FALSE(project.Contains((folder / "outside.html").c_str()));
	EXPECT_FALSE(project.Contains("pages/none.html"));
	EXPECT_FALSE(project.Contains((const char*)nullptr));

	BDirectory pages(&project, "pages");
	ASSERT_EQ(B_OK, pages.InitCheck());
	BEntry pagesEntry;
	ASSERT_EQ(B_OK, pages.GetEntry(&pagesEntry));
	EXPECT_TRUE(project.Contains(&pagesEntry));
	struct stat info;
	EXPECT_EQ(B_OK, project.GetStatFor("pages/a.html", &info));
	EXPECT_EQ(1, info.st_size);

	BDirectory copy(project);
	EXPECT_EQ(B_OK, copy.InitCheck());
	EXPECT_TRUE(copy == project);
}


TEST(DirectoryTest, CreatesFilesFoldersAndLinks)
{
	TempFolder folder;
	BDirectory dir(folder.Path().c_str());
	ASSERT_EQ(B_OK, dir.InitCheck());

	BFile file;
	ASSERT_EQ(B_OK, dir.CreateFile("new.html", &file));
	EXPECT_TRUE(file.IsWritable() && file.IsReadable());
	file.Write("abc", 3);
	file.Unset();
	EXPECT_EQ(B_FILE_EXISTS, dir.CreateFile("new.html", &file, true));
	EXPECT_EQ("abc", folder.ReadFile("new.html"));
	EXPECT_EQ(B_OK, dir.CreateFile("new.html", nullptr));
	EXPECT_EQ("", folder.ReadFile("new.html")) << "a created file starts empty";

	BDirectory sub;
	ASSERT_EQ(B_OK, dir.CreateDirectory("sub", &sub));
	EXPECT_EQ(B_OK, sub.InitCheck());
	EXPECT_EQ(B_FILE_EXISTS, dir.CreateDirectory("sub", nullptr));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, dir.CreateDirectory("x/y", nullptr));

	ASSERT_EQ(B_OK, dir.CreateSymLink("link", "new.html", nullptr));
	BEntry link((folder / "link").c_str());
	EXPECT_TRUE(link.IsSymLink());
	EXPECT_EQ(B_BAD_VALUE, dir.CreateSymLink("other", nullptr, nullptr));

	std::string nested = folder / "a/b/c/d";
	ASSERT_EQ(B_OK, create_directory(nested.c_str(), 0755));
	EXPECT_TRUE(BEntry(nested.c_str()).IsDirectory());
	EXPECT_EQ(B_OK, create_directory(nested.c_str(), 0755)) << "an existing folder is fine";
	EXPECT_EQ(B_NOT_A_DIRECTORY, create_directory((folder / "new.html/x").c_str(), 0755));
	EXPECT_EQ(B_BAD_VALUE, create_directory(nullptr, 0755));
	EXPECT_EQ(B_BAD_VALUE, create_directory("", 0755));
}


TEST(DirectoryTest, UnreadableFoldersFailCleanly)
{
	if (RunningAsRoot())
		GTEST_SKIP() << "the superuser reads folders whatever their permission bits say";
	TempFolder folder;
	folder.MakeFolder("closed");
	folder.WriteFile("closed/inside", "x");
	ASSERT_EQ(0, chmod((folder / "closed").c_str(), 0));
	BDirectory dir((folder / "closed").c_str());
	EXPECT_EQ(B_PERMISSION_DENIED, dir.InitCheck());
	BEntry entry;
	EXPECT_NE(B_OK, dir.GetNextEntry(&entry));
}
