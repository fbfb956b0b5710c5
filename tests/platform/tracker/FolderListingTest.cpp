// The file panel's view of a folder: what it shows, in which order, and what it says
// when the folder cannot be read.

#include <FilePanel.h>
#include <Node.h>

#include "TempFolder.h"
#include "tracker/FolderListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using BPrivate::FolderListing;
using BPrivate::PanelEntry;

namespace {

std::vector<std::string>
Names(const FolderListing& listing)
{
	std::vector<std::string> names;
	for (int32 i = 0; i < listing.CountEntries(); i++)
		names.push_back(listing.EntryAt(i)->name);
	return names;
}


// Shows only what ends in ".html", and folders; remembers the types it was shown.
class HtmlFilter : public BRefFilter {
public:
	bool Filter(const entry_ref* ref, BNode* node, struct stat* st,
		const char* mimeType) override
	{
		seen.push_back(std::string(ref->name) + "=" + mimeType);
		if (S_ISDIR(st->st_mode))
			return true;
		size_t length = strlen(ref->name);
		return length > 5 && strcmp(ref->name + length - 5, ".html") == 0;
	}

	std::vector<std::string> seen;
};

}	// namespace


TEST(FolderListingTest, FoldersComeFirstAndEachGroupIsSortedByName)
{
	TempFolder folder;
	folder.WriteFile("beta.html", "<p>");
	folder.WriteFile("Alpha.txt", "12345");
	folder.WriteFile("alpha.txt", "1");
	folder.WriteFile(".hidden", "x");
	folder.MakeFolder("zeta");
	folder.MakeFolder("Music");
	folder.MakeLink("to-music", folder / "Music");
	folder.MakeLink("nowhere", folder / "missing");

	FolderListing listing;
	ASSERT_EQ(B_OK, listing.Read(folder.Path().c_str()));
	// Case is ignored first, then bytes decide, so equal names in other cases keep one
	// order; a link to a folder sorts with the folders, a dangling link with the files.
	std::vector<std::string> expected = { "Music", "to-music", "zeta", "Alpha.txt",
		"alpha.txt", "beta.html", "nowhere" };
	EXPECT_EQ(expected, Names(listing));

	const PanelEntry* link = listing.EntryAt(listing.IndexOf("to-music"));
	ASSERT_NE(nullptr, link);
	EXPECT_TRUE(link->isDirectory);
	EXPECT_TRUE(link->isLink);
	const PanelEntry* file = listing.EntryAt(listing.IndexOf("Alpha.txt"));
	ASSERT_NE(nullptr, file);
	EXPECT_FALSE(file->isDirectory);
	EXPECT_EQ(5, file->size);
	EXPECT_EQ(-1, listing.IndexOf(".hidden"));
	EXPECT_EQ(nullptr, listing.EntryAt(expected.size()));
	EXPECT_EQ(nullptr, listing.EntryAt(-1));

	entry_ref ref;
	ASSERT_EQ(B_OK, listing.GetRefAt(listing.IndexOf("beta.html"), &ref));
	EXPECT_STREQ(folder.Path().c_str(), ref.directory_path);
	EXPECT_STREQ("beta.html", ref.name);
	EXPECT_EQ(B_BAD_INDEX, listing.GetRefAt(99, &ref));

	HtmlFilter filter;
	ASSERT_EQ(B_OK, listing.Read(folder.Path().c_str(), &filter));
	expected = { "Music", "to-music", "zeta", "beta.html" };
	EXPECT_EQ(expected, Names(listing));
	// Folders are typed as the Tracker types them, and hidden names never reach it.
	EXPECT_NE(filter.seen.end(), std::find(filter.seen.begin(), filter.seen.end(),
		"zeta=application/x-vnd.Be-directory"));
	for (const std::string& seen : filter.seen)
		EXPECT_NE('.', seen[0]) << seen;
}


TEST(FolderListingTest, AFolderThatCannotBeReadGivesAnEmptyListingAndAReason)
{
	TempFolder folder;
	folder.MakeFolder("gone");
	folder.WriteFile("file", "x");

	FolderListing listing;
	ASSERT_EQ(B_OK, listing.Read((folder / "gone").c_str()));
	EXPECT_STREQ("", listing.Reason());
	ASSERT_EQ(0, rmdir((folder / "gone").c_str()));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, listing.Read((folder / "gone").c_str()));
	EXPECT_EQ(0, listing.CountEntries());
	EXPECT_EQ(folder / "gone", listing.Folder()) << "kept, so that it can be read again";
	EXPECT_STRNE("", listing.Reason());

	EXPECT_EQ(B_NOT_A_DIRECTORY, listing.Read((folder / "file").c_str()));
	EXPECT_EQ(B_BAD_VALUE, listing.Read("relative/path"));
	EXPECT_EQ(B_BAD_VALUE, listing.Read(NULL));

	if (!RunningAsRoot()) {
		folder.MakeFolder("locked");
		folder.WriteFile("locked/inside", "x");
		ASSERT_EQ(0, chmod((folder / "locked").c_str(), 0));
		EXPECT_EQ(B_PERMISSION_DENIED, listing.Read((folder / "locked").c_str()));
		EXPECT_EQ(0, listing.CountEntries());
		chmod((folder / "locked").c_str(), 0755);
	}
}


TEST(FolderListingTest, AncestryRunsFromTheRootDown)
{
	std::vector<std::string> expected = { "/", "/home", "/home/user" };
	EXPECT_EQ(expected, BPrivate::FolderAncestry("/home/user"));
	EXPECT_EQ(expected, BPrivate::FolderAncestry("/home//user/"));
	expected = { "/" };
	EXPECT_EQ(expected, BPrivate::FolderAncestry("/"));
	EXPECT_TRUE(BPrivate::FolderAncestry("home").empty());
	EXPECT_TRUE(BPrivate::FolderAncestry(NULL).empty());
}
