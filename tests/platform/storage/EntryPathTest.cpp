#include "TempFolder.h"

#include <Directory.h>
#include <Entry.h>
#include <Node.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <unistd.h>


namespace {

// The temporary folder's real path: /tmp itself may be a link.
std::string
RealPath(const std::string& path)
{
	char buffer[PATH_MAX];
	return realpath(path.c_str(), buffer) != nullptr ? std::string(buffer) : path;
}

}	// namespace


TEST(EntryPathTest, PathsNormaliseWhenAskedOrNeeded)
{
	TempFolder folder;
	folder.MakeFolder("a");
	folder.MakeFolder("a/b");
	std::string root = RealPath(folder.Path());

	BPath plain("/no/such/folder/file.txt");
	EXPECT_EQ(B_OK, plain.InitCheck()) << "an unnormalised path need not exist";
	EXPECT_STREQ("/no/such/folder/file.txt", plain.Path());
	EXPECT_STREQ("file.txt", plain.Leaf());

	BPath dotted((root + "/a/./b/../b//c.txt").c_str());
	ASSERT_EQ(B_OK, dotted.InitCheck());
	EXPECT_STREQ((root + "/a/b/c.txt").c_str(), dotted.Path());

	BPath trailing((root + "/a/b/").c_str());
	EXPECT_STREQ((root + "/a/b").c_str(), trailing.Path());

	BPath up((root + "/a/b/..").c_str());
	EXPECT_STREQ((root + "/a").c_str(), up.Path());

	BPath forced((root + "/a/b").c_str(), nullptr, true);
	EXPECT_STREQ((root + "/a/b").c_str(), forced.Path());
	BPath missingFolder((root + "/x/y/z").c_str(), nullptr, true);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missingFolder.InitCheck());
	EXPECT_EQ(nullptr, missingFolder.Path());

	char saved[PATH_MAX];
	ASSERT_NE(nullptr, getcwd(saved, sizeof(saved)));
	ASSERT_EQ(0, chdir((root + "/a").c_str()));
	BPath relative("b/new.html");
	std::string relativePath = relative.Path() != nullptr ? relative.Path() : "";
	ASSERT_EQ(0, chdir(saved));
	EXPECT_EQ(root + "/a/b/new.html", relativePath);

	BPath joined(root.c_str(), "a/b");
	EXPECT_STREQ((root + "/a/b").c_str(), joined.Path());
	EXPECT_EQ(B_OK, joined.Append("leaf.png"));
	EXPECT_STREQ("leaf.png", joined.Leaf());
	EXPECT_EQ(B_BAD_VALUE, joined.SetTo(root.c_str(), "/absolute"));

	BPath parent;
	BPath child((root + "/a/b").c_str());
	ASSERT_EQ(B_OK, child.GetParent(&parent));
	EXPECT_STREQ((root + "/a").c_str(), parent.Path());
	BPath top("/");
	EXPECT_STREQ("", top.Leaf());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, top.GetParent(&parent));

	BPath bad;
	EXPECT_EQ(B_BAD_VALUE, bad.SetTo((const char*)nullptr));
	EXPECT_EQ(B_BAD_VALUE, bad.SetTo(""));
	std::string tooLong = "/" + std::string(PATH_MAX, 'x');
	EXPECT_EQ(B_NAME_TOO_LONG, bad.SetTo(tooLong.c_str()));
	std::string almost = "/" + std::string(PATH_MAX - 10, 'x');
	EXPECT_EQ(B_NAME_TOO_LONG, bad.SetTo(almost.c_str(), "0123456789"));
	EXPECT_EQ(nullptr, bad.Leaf());
}


TEST(EntryPathTest, EntriesRefsAndPathsRoundTrip)
{
	TempFolder folder;
	folder.MakeFolder("docs");
	folder.WriteFile("docs/index.html", "<html>");
	std::string root = RealPath(folder.Path());

	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path((root + "/docs/index.html").c_str(), &ref));
	EXPECT_STREQ((root + "/docs").c_str(), ref.directory_path);
	EXPECT_STREQ("index.html", ref.name);

	entry_ref missingLeaf;
	EXPECT_EQ(B_OK, get_ref_for_path((root + "/docs/later.html").c_str(), &missingLeaf))
		<< "a missing file in an existing folder has a ref";
	entry_ref missingFolder;
	EXPECT_EQ(B_ENTRY_NOT_FOUND,
		get_ref_for_path((root + "/nope/later.html").c_str(), &missingFolder));
	EXPECT_EQ(B_BAD_VALUE, get_ref_for_path(nullptr, &ref));
	EXPECT_EQ(B_BAD_VALUE, get_ref_for_path("x", nullptr));

	BEntry entry(&ref);
	ASSERT_EQ(B_OK, entry.InitCheck());
	EXPECT_TRUE(entry.Exists());
	EXPECT_TRUE(entry.IsFile());
	char name[B_FILE_NAME_LENGTH];
	EXPECT_EQ(B_OK, entry.GetName(name));
	EXPECT_STREQ("index.html", name);
	off_t size = 0;
	EXPECT_EQ(B_OK, entry.GetSize(&size));
	EXPECT_EQ(6, size);

	BPath path;
	ASSERT_EQ(B_OK, entry.GetPath(&path));
	EXPECT_STREQ((root + "/docs/index.html").c_str(), path.Path());
	BPath fromRef(&ref);
	EXPECT_TRUE(fromRef == path);

	entry_ref back;
	ASSERT_EQ(B_OK, entry.GetRef(&back));
	EXPECT_TRUE(back == ref);

	BEntry parent;
	ASSERT_EQ(B_OK, entry.GetParent(&parent));
	EXPECT_TRUE(parent.IsDirectory());
	BDirectory parentDir;
	ASSERT_EQ(B_OK, entry.GetParent(&parentDir));
	BEntry parentAgain;
	ASSERT_EQ(B_OK, parentDir.GetEntry(&parentAgain));
	EXPECT_TRUE(parentAgain == parent);

	BEntry later(&missingLeaf);
	EXPECT_EQ(B_OK, later.InitCheck());
	EXPECT_FALSE(later.Exists());

	BEntry rootEntry("/");
	ASSERT_EQ(B_OK, rootEntry.InitCheck());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, rootEntry.GetParent(&parent));
	BPath rootPath;
	ASSERT_EQ(B_OK, rootEntry.GetPath(&rootPath));
	EXPECT_STREQ("/", rootPath.Path());

	BEntry unset;
	EXPECT_EQ(B_NO_INIT, unset.InitCheck());
	EXPECT_FALSE(unset.Exists());
	EXPECT_EQ(B_NO_INIT, unset.GetRef(&back));
	EXPECT_EQ(B_BAD_VALUE, unset.SetTo((const char*)nullptr));
	entry_ref empty;
	EXPECT_EQ(B_BAD_VALUE, unset.SetTo(&empty));
	entry_ref relative("not/absolute", "x");
	EXPECT_EQ(B_BAD_VALUE, unset.SetTo(&relative));
	EXPECT_EQ(B_BAD_VALUE, BPath(&relative).InitCheck());

	std::string tooLong = "/" + std::string(PATH_MAX, 'x');
	EXPECT_EQ(B_NAME_TOO_LONG, BEntry(tooLong.c_str()).InitCheck());
	EXPECT_EQ(B_NAME_TOO_LONG, BNode(tooLong.c_str()).InitCheck());
	EXPECT_EQ(B_NAME_TOO_LONG, BDirectory(tooLong.c_str()).InitCheck());
	EXPECT_EQ(B_NAME_TOO_LONG, get_ref_for_path(tooLong.c_str(), &back));
	std::string longLeaf = root + "/" + std::string(B_FILE_NAME_LENGTH, 'y');
	EXPECT_EQ(B_NAME_TOO_LONG, BEntry(longLeaf.c_str()).InitCheck());
	EXPECT_EQ(B_BAD_VALUE, BNode((const char*)nullptr).InitCheck());
	EXPECT_EQ(B_BAD_VALUE, BNode("").InitCheck());
	EXPECT_EQ(B_NOT_A_DIRECTORY,
		BEntry((root + "/docs/index.html/below").c_str()).InitCheck());
}


TEST(EntryPathTest, LinksAreFollowedOnlyWhenAsked)
{
	TempFolder folder;
	folder.MakeFolder("real");
	folder.WriteFile("real/target.txt", "data");
	folder.MakeLink("link.txt", "real/target.txt");
	folder.MakeLink("chain.txt", "link.txt");
	folder.MakeLink("dangling", "real/missing.txt");
	folder.MakeLink("loop1", "loop2");
	folder.MakeLink("loop2", "loop1");
	std::string root = RealPath(folder.Path());

	BEntry link((root + "/link.txt").c_str());
	EXPECT_TRUE(link.IsSymLink());
	char name[B_FILE_NAME_LENGTH];
	link.GetName(name);
	EXPECT_STREQ("link.txt", name);

	BEntry followed((root + "/chain.txt").c_str(), true);
	ASSERT_EQ(B_OK, followed.InitCheck());
	EXPECT_TRUE(followed.IsFile());
	BPath path(&followed);
	EXPECT_STREQ((root + "/real/target.txt").c_str(), path.Path());

	BEntry dangling((root + "/dangling").c_str(), true);
	EXPECT_EQ(B_OK, dangling.InitCheck());
	EXPECT_FALSE(dangling.Exists()) << "the target of a dangling link does not exist";
	BEntry danglingItself((root + "/dangling").c_str());
	EXPECT_TRUE(danglingItself.Exists());

	BEntry loop((root + "/loop1").c_str(), true);
	EXPECT_EQ(B_LINK_LIMIT, loop.InitCheck());

	// A BPath normalises the folder part but keeps a link as the leaf.
	BPath linkPath((root + "/./link.txt").c_str());
	EXPECT_STREQ((root + "/link.txt").c_str(), linkPath.Path());
}


TEST(EntryPathTest, RenameMoveAndRemoveChangeTheFileSystem)
{
	TempFolder folder;
	folder.MakeFolder("from");
	folder.MakeFolder("to");
	folder.WriteFile("from/a.txt", "A");
	folder.WriteFile("from/b.txt", "B");

	BEntry entry((folder / "from/a.txt").c_str());
	ASSERT_EQ(B_OK, entry.Rename("c.txt"));
	char name[B_FILE_NAME_LENGTH];
	entry.GetName(name);
	EXPECT_STREQ("c.txt", name);
	EXPECT_EQ("A", folder.ReadFile("from/c.txt"));
	EXPECT_FALSE(BEntry((folder / "from/a.txt").c_str()).Exists());

	EXPECT_EQ(B_FILE_EXISTS, entry.Rename("b.txt"));
	EXPECT_EQ("B", folder.ReadFile("from/b.txt"));
	EXPECT_EQ(B_OK, entry.Rename("b.txt", true));
	EXPECT_EQ("A", folder.ReadFile("from/b.txt"));

	BDirectory target((folder / "to").c_str());
	ASSERT_EQ(B_OK, entry.MoveTo(&target));
	EXPECT_EQ("A", folder.ReadFile("to/b.txt"));
	ASSERT_EQ(B_OK, entry.MoveTo(&target, "renamed.txt"));
	EXPECT_EQ("A", folder.ReadFile("to/renamed.txt"));

	ASSERT_EQ(B_OK, entry.Remove());
	EXPECT_EQ(B_OK, entry.InitCheck());
	EXPECT_FALSE(entry.Exists());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, entry.Remove());

	folder.WriteFile("from/inside.txt", "x");
	BEntry full((folder / "from").c_str());
	EXPECT_EQ(B_DIRECTORY_NOT_EMPTY, full.Remove());
	BEntry((folder / "from/inside.txt").c_str()).Remove();
	EXPECT_EQ(B_OK, full.Remove());
	EXPECT_FALSE(full.Exists());

	folder.WriteFile("perm.txt", "p");
	BEntry perm((folder / "perm.txt").c_str());
	EXPECT_EQ(B_OK, perm.SetPermissions(0600));
	mode_t mode = 0;
	EXPECT_EQ(B_OK, perm.GetPermissions(&mode));
	EXPECT_EQ(0600u, (unsigned)mode);
	EXPECT_EQ(B_OK, perm.SetModificationTime(1000000));
	time_t when = 0;
	EXPECT_EQ(B_OK, perm.GetModificationTime(&when));
	EXPECT_EQ(1000000, when);
}
