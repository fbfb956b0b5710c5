#include "TempFolder.h"

#include <Directory.h>
#include <Entry.h>
#include <File.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>


namespace {

std::string
ReadAll(BFile& file)
{
	off_t size = 0;
	EXPECT_EQ(B_OK, file.GetSize(&size));
	std::string text((size_t)size, '\0');
	EXPECT_EQ((ssize_t)size, file.ReadAt(0, text.data(), text.size()));
	return text;
}

}	// namespace


TEST(FileTest, EveryOpenModeGivesTheR5Status)
{
	TempFolder folder;
	std::string path = folder / "doc.html";

	BFile missing(path.c_str(), B_READ_ONLY);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missing.InitCheck());
	EXPECT_FALSE(missing.IsReadable());

	BFile created(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	ASSERT_EQ(B_OK, created.InitCheck());
	EXPECT_TRUE(created.IsWritable());
	EXPECT_FALSE(created.IsReadable());
	EXPECT_EQ(5, created.Write("hello", 5));
	char byte;
	EXPECT_LT(created.Read(&byte, 1), 0) << "a write-only file cannot be read";
	created.Unset();
	EXPECT_EQ("hello", folder.ReadFile("doc.html"));

	BFile exclusive(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_FAIL_IF_EXISTS);
	EXPECT_EQ(B_FILE_EXISTS, exclusive.InitCheck());
	EXPECT_EQ("hello", folder.ReadFile("doc.html")) << "a refused open changes nothing";

	BFile appending(path.c_str(), B_WRITE_ONLY | B_OPEN_AT_END);
	ASSERT_EQ(B_OK, appending.InitCheck());
	EXPECT_EQ(0, appending.Seek(0, SEEK_SET));
	EXPECT_EQ(6, appending.Write(" world", 6));
	appending.Unset();
	EXPECT_EQ("hello world", folder.ReadFile("doc.html"));

	BFile reading(path.c_str(), B_READ_ONLY);
	ASSERT_EQ(B_OK, reading.InitCheck());
	EXPECT_TRUE(reading.IsReadable());
	EXPECT_FALSE(reading.IsWritable());
	EXPECT_EQ("hello world", ReadAll(reading));
	EXPECT_LT(reading.Write("x", 1), 0);
	EXPECT_EQ(B_PERMISSION_DENIED, reading.SetSize(0));

	BFile erased(path.c_str(), B_READ_WRITE | B_ERASE_FILE);
	ASSERT_EQ(B_OK, erased.InitCheck());
	off_t size = -1;
	EXPECT_EQ(B_OK, erased.GetSize(&size));
	EXPECT_EQ(0, size);

	BFile fresh((folder / "new.txt").c_str(),
		B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS);
	EXPECT_EQ(B_OK, fresh.InitCheck());
	EXPECT_TRUE(fresh.IsReadable() && fresh.IsWritable());
}


TEST(FileTest, BadPathsAndNodesGiveClearErrors)
{
	TempFolder folder;
	folder.MakeFolder("sub");
	folder.WriteFile("plain", "x");
	folder.MakeLink("dangling", folder / "nowhere");

	BFile file;
	EXPECT_EQ(B_NO_INIT, file.InitCheck());
	char buffer[4];
	EXPECT_EQ(B_NO_INIT, file.Read(buffer, sizeof(buffer)));
	EXPECT_EQ(B_NO_INIT, file.Seek(0, SEEK_SET));

	EXPECT_EQ(B_BAD_VALUE, file.SetTo((const char*)nullptr, B_READ_ONLY));
	EXPECT_EQ(B_BAD_VALUE, file.SetTo("", B_READ_ONLY));
	EXPECT_EQ(B_BAD_VALUE, file.SetTo((const entry_ref*)nullptr, B_READ_ONLY));
	EXPECT_EQ(B_IS_A_DIRECTORY, file.SetTo((folder / "sub").c_str(), B_READ_ONLY));
	EXPECT_EQ(B_IS_A_DIRECTORY, file.SetTo((folder / "sub").c_str(), B_READ_WRITE));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, file.SetTo((folder / "dangling").c_str(), B_READ_ONLY));
	EXPECT_EQ(B_ENTRY_NOT_FOUND,
		file.SetTo((folder / "no/such/doc").c_str(), B_WRITE_ONLY | B_CREATE_FILE));
	EXPECT_EQ(B_NOT_A_DIRECTORY, file.SetTo((folder / "plain/x").c_str(), B_READ_ONLY));

	std::string longPath = folder.Path() + "/" + std::string(PATH_MAX, 'a');
	EXPECT_EQ(B_NAME_TOO_LONG, file.SetTo(longPath.c_str(), B_READ_ONLY));
	std::string longLeaf = folder / std::string(300, 'b');
	EXPECT_EQ(B_NAME_TOO_LONG,
		file.SetTo(longLeaf.c_str(), B_WRITE_ONLY | B_CREATE_FILE));
	EXPECT_EQ(B_NAME_TOO_LONG, file.InitCheck());

	ASSERT_EQ(B_OK, file.SetTo((folder / "plain").c_str(), B_READ_WRITE));
	EXPECT_EQ(B_BAD_VALUE, file.ReadAt(-1, buffer, 1));
	EXPECT_EQ(B_BAD_VALUE, file.Read(nullptr, 1));
	EXPECT_EQ(B_BAD_VALUE, file.Seek(0, 99));
	EXPECT_EQ(B_BAD_VALUE, file.SetSize(-5));
}


TEST(FileTest, PermissionBitsAreHonoured)
{
	if (RunningAsRoot())
		GTEST_SKIP() << "the superuser opens files whatever their permission bits say";
	TempFolder folder;
	folder.WriteFile("locked", "secret");
	ASSERT_EQ(0, chmod((folder / "locked").c_str(), 0));
	BFile file((folder / "locked").c_str(), B_READ_ONLY);
	EXPECT_EQ(B_PERMISSION_DENIED, file.InitCheck());
}


TEST(FileTest, ReadWriteSeekAndSizeFollowTheFile)
{
	TempFolder folder;
	BDirectory dir(folder.Path().c_str());
	ASSERT_EQ(B_OK, dir.InitCheck());
	BFile file(&dir, "data.bin", B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(B_OK, file.InitCheck());

	EXPECT_EQ(10, file.Write("0123456789", 10));
	EXPECT_EQ(10, file.Position());
	EXPECT_EQ(4, file.Seek(4, SEEK_SET));
	char buffer[8] = {};
	EXPECT_EQ(3, file.Read(buffer, 3));
	EXPECT_STREQ("456", buffer);
	EXPECT_EQ(7, file.Position());
	EXPECT_EQ(8, file.Seek(-2, SEEK_END));
	EXPECT_EQ(9, file.Seek(1, SEEK_CUR));

	EXPECT_EQ(2, file.WriteAt(12, "AB", 2)) << "writing past the end grows the file";
	off_t size = 0;
	EXPECT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(14, size);
	std::string text = ReadAll(file);
	EXPECT_EQ(std::string("0123456789\0\0AB", 14), text);
	EXPECT_EQ(0, file.ReadAt(100, buffer, 4)) << "reading past the end gives nothing";

	EXPECT_EQ(B_OK, file.SetSize(3));
	EXPECT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(3, size);
	EXPECT_EQ(B_OK, file.Sync());

	// A copy is a second handle on the same open file.
	BFile copy(file);
	ASSERT_EQ(B_OK, copy.InitCheck());
	EXPECT_TRUE(copy == file);
	EXPECT_EQ("012", ReadAll(copy));

	// The same file through an entry_ref and through an entry.
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path((folder / "data.bin").c_str(), &ref));
	BFile byRef(&ref, B_READ_ONLY);
	EXPECT_EQ("012", ReadAll(byRef));
	BEntry entry(&ref);
	BFile byEntry(&entry, B_READ_ONLY);
	EXPECT_EQ("012", ReadAll(byEntry));
}


TEST(FileTest, LocksExcludeOtherHolders)
{
	TempFolder folder;
	folder.WriteFile("shared.txt", "x");
	BFile first((folder / "shared.txt").c_str(), B_READ_ONLY);
	BFile second((folder / "shared.txt").c_str(), B_READ_ONLY);
	ASSERT_EQ(B_OK, first.Lock());
	EXPECT_EQ(B_BUSY, second.Lock());
	EXPECT_EQ(B_OK, first.Unlock());
	EXPECT_EQ(B_OK, second.Lock());
	EXPECT_EQ(B_OK, second.Unlock());
	BFile unset;
	EXPECT_EQ(B_NO_INIT, unset.Lock());
}
