#include "TempFolder.h"

#include <Directory.h>
#include <File.h>
#include <Mime.h>
#include <Node.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <sys/xattr.h>


TEST(AttributeTest, ValuesAndTypesRoundTrip)
{
	TempFolder folder;
	if (!UserXattrsSupported(folder.Path()))
		GTEST_SKIP() << "the temporary folder's file system keeps no user attributes";
	folder.WriteFile("doc.html", "<html>");
	BNode node((folder / "doc.html").c_str());
	ASSERT_EQ(B_OK, node.InitCheck());

	char buffer[64] = {};
	EXPECT_EQ(B_ENTRY_NOT_FOUND, node.ReadAttr("anything", B_STRING_TYPE, 0, buffer, 4))
		<< "a file without attributes";
	EXPECT_EQ(B_ENTRY_NOT_FOUND, node.GetNextAttrName(buffer));

	int32 number = 0x01020304;
	EXPECT_EQ(4, node.WriteAttr("counter", B_INT32_TYPE, 0, &number, sizeof(number)));
	EXPECT_EQ(12, node.WriteAttr("title", B_STRING_TYPE, 0, "Hello there", 12));

	attr_info info;
	ASSERT_EQ(B_OK, node.GetAttrInfo("counter", &info));
	EXPECT_EQ((uint32)B_INT32_TYPE, info.type);
	EXPECT_EQ(4, info.size);
	ASSERT_EQ(B_OK, node.GetAttrInfo("title", &info));
	EXPECT_EQ((uint32)B_STRING_TYPE, info.type);
	EXPECT_EQ(12, info.size);

	int32 readBack = 0;
	EXPECT_EQ(4, node.ReadAttr("counter", B_INT32_TYPE, 0, &readBack, sizeof(readBack)));
	EXPECT_EQ(number, readBack);
	EXPECT_EQ(6, node.ReadAttr("title", B_STRING_TYPE, 6, buffer, 10));
	EXPECT_EQ(std::string("there", 6), std::string(buffer, 6));
	EXPECT_EQ(0, node.ReadAttr("title", B_STRING_TYPE, 100, buffer, 10));

	// Writing at an offset keeps the rest; writing at 0 replaces the value.
	EXPECT_EQ(5, node.WriteAttr("title", B_STRING_TYPE, 6, "THERE", 5));
	memset(buffer, 0, sizeof(buffer));
	EXPECT_EQ(12, node.ReadAttr("title", B_STRING_TYPE, 0, buffer, sizeof(buffer)));
	EXPECT_STREQ("Hello THERE", buffer);
	EXPECT_EQ(3, node.WriteAttr("title", B_STRING_TYPE, 0, "Hi", 3));
	ASSERT_EQ(B_OK, node.GetAttrInfo("title", &info));
	EXPECT_EQ(3, info.size);

	// The value is stored under "user." as plain bytes, readable by other programs.
	char raw[8] = {};
	EXPECT_EQ(3, getxattr((folder / "doc.html").c_str(), "user.title", raw, sizeof(raw)));
	EXPECT_STREQ("Hi", raw);

	// The listing is read once, at its first call; a rewind reads it again.
	EXPECT_EQ(B_ENTRY_NOT_FOUND, node.GetNextAttrName(buffer));
	EXPECT_EQ(B_OK, node.RewindAttrs());
	std::set<std::string> names;
	while (node.GetNextAttrName(buffer) == B_OK)
		names.insert(buffer);
	EXPECT_EQ((std::set<std::string>{ "counter", "title" }), names)
		<< "the type companions are not listed";
	EXPECT_EQ(B_OK, node.RewindAttrs());
	EXPECT_EQ(B_OK, node.GetNextAttrName(buffer));

	ASSERT_EQ(B_OK, node.RenameAttr("counter", "count"));
	ASSERT_EQ(B_OK, node.GetAttrInfo("count", &info));
	EXPECT_EQ((uint32)B_INT32_TYPE, info.type);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, node.GetAttrInfo("counter", &info));

	EXPECT_EQ(B_OK, node.RemoveAttr("count"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, node.RemoveAttr("count"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, node.ReadAttr("count", B_INT32_TYPE, 0, buffer, 4));

	// Attributes written by another program have no type of ours.
	ASSERT_EQ(0, setxattr((folder / "doc.html").c_str(), "user.foreign", "x", 1, 0));
	ASSERT_EQ(0, setxattr((folder / "doc.html").c_str(), "user.mime_type", "text/html",
		9, 0));
	ASSERT_EQ(B_OK, node.GetAttrInfo("foreign", &info));
	EXPECT_EQ((uint32)B_RAW_TYPE, info.type);
	ASSERT_EQ(B_OK, node.GetAttrInfo("mime_type", &info));
	EXPECT_EQ((uint32)B_MIME_STRING_TYPE, info.type);

	// Folders carry attributes too, and a copy of a node reads the same ones.
	folder.MakeFolder("sub");
	BDirectory dir((folder / "sub").c_str());
	EXPECT_EQ(1, dir.WriteAttr("flag", B_BOOL_TYPE, 0, "\x01", 1));
	BNode copy(dir);
	EXPECT_EQ(1, copy.ReadAttr("flag", B_BOOL_TYPE, 0, buffer, 1));
}


TEST(AttributeTest, BadCallsAndUnsupportedFileSystemsFailCleanly)
{
	TempFolder folder;
	folder.WriteFile("doc.html", "x");
	BNode node((folder / "doc.html").c_str());
	ASSERT_EQ(B_OK, node.InitCheck());
	char buffer[B_ATTR_NAME_LENGTH];

	EXPECT_EQ(B_BAD_VALUE, node.WriteAttr(nullptr, B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, node.WriteAttr("", B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, node.WriteAttr("a", B_RAW_TYPE, 0, nullptr, 1));
	EXPECT_EQ(B_BAD_VALUE, node.WriteAttr("a", B_RAW_TYPE, -1, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, node.ReadAttr("a", B_RAW_TYPE, 0, nullptr, 1));
	EXPECT_EQ(B_BAD_VALUE, node.GetAttrInfo("a", nullptr));
	EXPECT_EQ(B_BAD_VALUE, node.GetNextAttrName(nullptr));
	EXPECT_EQ(B_BAD_VALUE, node.WriteAttr("libbe.type.a", B_RAW_TYPE, 0, "x", 1))
		<< "the companion names are kept for the type codes";
	EXPECT_EQ(B_NAME_TOO_LONG,
		node.WriteAttr(std::string(300, 'n').c_str(), B_RAW_TYPE, 0, "x", 1));

	BNode unset;
	EXPECT_EQ(B_NO_INIT, unset.ReadAttr("a", B_RAW_TYPE, 0, buffer, 1));
	EXPECT_EQ(B_NO_INIT, unset.WriteAttr("a", B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_NO_INIT, unset.GetNextAttrName(buffer));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BNode((folder / "missing").c_str()).InitCheck());
	folder.MakeLink("dangling", folder / "missing");
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BNode((folder / "dangling").c_str()).InitCheck());

	// /proc has no extended attributes: every attribute call says so, nothing else
	// breaks.
	BNode proc("/proc/self/status");
	ASSERT_EQ(B_OK, proc.InitCheck());
	struct stat info;
	EXPECT_EQ(B_OK, proc.GetStat(&info));
	EXPECT_EQ(B_UNSUPPORTED, proc.WriteAttr("a", B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_UNSUPPORTED, proc.ReadAttr("a", B_RAW_TYPE, 0, buffer, 1));
	attr_info attr;
	EXPECT_EQ(B_UNSUPPORTED, proc.GetAttrInfo("a", &attr));
	EXPECT_EQ(B_UNSUPPORTED, proc.RemoveAttr("a"));
	EXPECT_EQ(B_UNSUPPORTED, proc.GetNextAttrName(buffer));
	BFile procFile("/proc/self/status", B_READ_ONLY);
	ASSERT_EQ(B_OK, procFile.InitCheck());
	EXPECT_GT(procFile.Read(buffer, 4), 0) << "the file itself still reads";
}
