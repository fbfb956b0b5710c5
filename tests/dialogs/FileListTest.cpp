// The snapshot of the document slots that the unsaved-documents window copies: copies
// own their paths, long paths are cut instead of overrunning, and leaf names.

#include "FileList.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>


TEST(FileListTest, CopiesOwnTheirPathsAndCutLongOnes)
{
	std::string longPath = "/" + std::string(3000, 'd') + "/x.html";
	char first[] = "/home/u/site/index.html";
	char empty[] = "";
	_FileList source[kFileListCount] = {
		{ first, false, true, true, true },
		{ empty, false, false, false, false },
		{ longPath.data(), true, true, false, true },
		{ NULL, true, true, true, true },
		{ empty, false, false, false, false },
		{ empty, false, false, false, false },
	};

	_FileList copy[kFileListCount] = {};
	CopyFileList(copy, source);
	EXPECT_STREQ("/home/u/site/index.html", copy[0].path);
	EXPECT_NE(first, copy[0].path);
	EXPECT_TRUE(copy[0].hasFile && copy[0].closeAfterSave && copy[0].present);
	EXPECT_FALSE(copy[0].saved);
	EXPECT_EQ((size_t)kFileListPathSize - 1, strlen(copy[2].path));
	EXPECT_EQ(0, strncmp(longPath.c_str(), copy[2].path, kFileListPathSize - 1));
	EXPECT_TRUE(copy[2].saved);
	// A record without a path buffer still gets one of its own.
	ASSERT_NE(nullptr, copy[3].path);
	EXPECT_STREQ("", copy[3].path);
	EXPECT_TRUE(copy[3].present);

	// The copy does not follow later changes of the source.
	first[1] = 'X';
	EXPECT_STREQ("/home/u/site/index.html", copy[0].path);

	// Copying again replaces the old buffers (the leak checker sees any that stay),
	// and a missing source empties every record.
	CopyFileList(copy, NULL);
	for (int i = 0; i < kFileListCount; i++) {
		ASSERT_NE(nullptr, copy[i].path);
		EXPECT_STREQ("", copy[i].path);
		EXPECT_FALSE(copy[i].present || copy[i].saved || copy[i].hasFile
			|| copy[i].closeAfterSave);
	}

	FreeFileList(copy);
	for (int i = 0; i < kFileListCount; i++)
		EXPECT_EQ(nullptr, copy[i].path);
}


TEST(FileListTest, LeafNames)
{
	EXPECT_STREQ("index.html", FileListLeafName("/home/u/site/index.html"));
	EXPECT_STREQ("Untitled3", FileListLeafName("Untitled3"));
	EXPECT_STREQ("", FileListLeafName("/home/u/"));
	EXPECT_STREQ("", FileListLeafName(NULL));
}
