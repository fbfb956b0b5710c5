#include "TempFolder.h"

#include <Bitmap.h>
#include <File.h>
#include <MimeType.h>
#include <NodeInfo.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/xattr.h>


namespace {

// A world of its own for the glob lists: the user's folder and one system folder.
struct GlobWorld {
	TempFolder	folder;
	ScopedEnv	dataHome;
	ScopedEnv	dataDirs;

	GlobWorld()
		:
		dataHome("XDG_DATA_HOME", folder / "home"),
		dataDirs("XDG_DATA_DIRS", folder / "system")
	{
		folder.MakeFolder("home");
		folder.MakeFolder("home/mime");
		folder.MakeFolder("system");
		folder.MakeFolder("system/mime");
		folder.MakeFolder("files");
		folder.WriteFile("system/mime/globs2",
			"# comment line\n"
			"50:text/x-lower:*.abc\n"
			"60:text/x-upper:*.ABC:cs\n"
			"50:text/x-long:*.tar.abc\n"
			"80:text/x-heavy:special*\n"
			"50:text/x-dropped:*.drop\n"
			"broken line without fields\n");
		folder.WriteFile("home/mime/globs2", "0:text/x-dropped:__NOGLOBS__\n");
	}

	std::string TypeOf(const std::string& name)
	{
		folder.WriteFile("files/" + name, "");
		BNode node((folder / ("files/" + name)).c_str());
		BNodeInfo info(&node);
		char type[B_MIME_TYPE_LENGTH];
		if (info.GetType(type) != B_OK)
			return "(none)";
		return type;
	}
};


void
FillPattern(BBitmap& bitmap, uint8 seed)
{
	uint8* bits = (uint8*)bitmap.Bits();
	for (int32 i = 0; i < bitmap.BitsLength(); i++)
		bits[i] = (uint8)(i * 7 + seed);
}

}	// namespace


TEST(NodeInfoTest, TypeComesFromTheAttributeOrTheName)
{
	GlobWorld world;
	if (!UserXattrsSupported(world.folder.Path()))
		GTEST_SKIP() << "the temporary folder's file system keeps no user attributes";
	EXPECT_EQ("text/x-upper", world.TypeOf("file.ABC"))
		<< "a case-sensitive pattern of higher weight wins";
	EXPECT_EQ("text/x-lower", world.TypeOf("file.abc"));
	EXPECT_EQ("text/x-lower", world.TypeOf("FILE.Abc")) << "other patterns ignore case";
	EXPECT_EQ("text/x-long", world.TypeOf("archive.tar.abc"))
		<< "the longer pattern wins among equal weights";
	EXPECT_EQ("text/x-heavy", world.TypeOf("special.abc"));
	EXPECT_EQ("(none)", world.TypeOf("thing.drop"))
		<< "__NOGLOBS__ in the user's folder drops the system's patterns";
	EXPECT_EQ("(none)", world.TypeOf("unknown.zzz"));

	std::string path = world.folder / "files/file.abc";
	BNode node(path.c_str());
	BNodeInfo info(&node);
	ASSERT_EQ(B_OK, info.InitCheck());
	ASSERT_EQ(B_OK, info.SetType("text/x-custom"));
	char type[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(B_OK, info.GetType(type));
	EXPECT_STREQ("text/x-custom", type);
	char raw[64] = {};
	EXPECT_EQ(13, getxattr(path.c_str(), "user.mime_type", raw, sizeof(raw)))
		<< "the desktop's attribute, without a terminating NUL";
	EXPECT_STREQ("text/x-custom", raw);

	ASSERT_EQ(B_OK, info.SetType(nullptr));
	ASSERT_EQ(B_OK, info.GetType(type));
	EXPECT_STREQ("text/x-lower", type) << "without the attribute the name decides again";

	EXPECT_EQ(B_BAD_VALUE, info.SetType(""));
	EXPECT_EQ(B_BAD_VALUE, info.SetType(std::string(B_MIME_TYPE_LENGTH, 'x').c_str()));
	EXPECT_EQ(B_BAD_VALUE, info.GetType(nullptr));
	BNodeInfo unset;
	EXPECT_EQ(B_NO_INIT, unset.GetType(type));
	EXPECT_EQ(B_BAD_VALUE, unset.SetTo(nullptr));
	BNode missing((world.folder / "files/none").c_str());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BNodeInfo(&missing).InitCheck());
}


TEST(NodeInfoTest, SystemGlobsTypeHtmlAndText)
{
	TempFolder folder;
	ScopedEnv dataHome("XDG_DATA_HOME", folder / "home");
	ScopedEnv dataDirs("XDG_DATA_DIRS", "/usr/share");
	BMimeType type;
	ASSERT_EQ(B_OK, BMimeType::GuessMimeType("index.html", &type));
	if (!(type == "text/html"))
		GTEST_SKIP() << "the shared-mime-info database is not installed in /usr/share";

	folder.WriteFile("page.html", "<html></html>");
	folder.WriteFile("notes.txt", "notes");
	char found[B_MIME_TYPE_LENGTH];
	BNode page((folder / "page.html").c_str());
	ASSERT_EQ(B_OK, BNodeInfo(&page).GetType(found));
	EXPECT_STREQ("text/html", found);
	BNode notes((folder / "notes.txt").c_str());
	ASSERT_EQ(B_OK, BNodeInfo(&notes).GetType(found));
	EXPECT_STREQ("text/plain", found);
}


TEST(NodeInfoTest, PreferredAppAndIconsRoundTrip)
{
	TempFolder folder;
	if (!UserXattrsSupported(folder.Path()))
		GTEST_SKIP() << "the temporary folder's file system keeps no user attributes";
	folder.WriteFile("doc.html", "x");
	BFile file((folder / "doc.html").c_str(), B_READ_WRITE);
	BNodeInfo info(&file);
	ASSERT_EQ(B_OK, info.InitCheck());

	char signature[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetPreferredApp(signature));
	ASSERT_EQ(B_OK, info.SetPreferredApp("application/x-vnd.Be-NPOS"));
	ASSERT_EQ(B_OK, info.GetPreferredApp(signature));
	EXPECT_STREQ("application/x-vnd.Be-NPOS", signature);
	EXPECT_EQ(B_BAD_VALUE, info.GetPreferredApp(signature, (app_verb)7));
	ASSERT_EQ(B_OK, info.SetPreferredApp(nullptr));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetPreferredApp(signature));

	BBitmap large(BRect(0, 0, 31, 31), B_CMAP8);
	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	FillPattern(large, 3);
	FillPattern(mini, 11);
	ASSERT_EQ(B_OK, info.SetIcon(&large, B_LARGE_ICON));
	ASSERT_EQ(B_OK, info.SetIcon(&mini, B_MINI_ICON));
	attr_info attr;
	ASSERT_EQ(B_OK, file.GetAttrInfo("BEOS:L:STD_ICON", &attr));
	EXPECT_EQ(1024, attr.size);
	EXPECT_EQ((uint32)B_LARGE_ICON_TYPE, attr.type);
	ASSERT_EQ(B_OK, file.GetAttrInfo("BEOS:M:STD_ICON", &attr));
	EXPECT_EQ(256, attr.size);

	BBitmap largeBack(BRect(0, 0, 31, 31), B_CMAP8);
	BBitmap miniBack(BRect(0, 0, 15, 15), B_CMAP8);
	ASSERT_EQ(B_OK, info.GetIcon(&largeBack, B_LARGE_ICON));
	ASSERT_EQ(B_OK, info.GetIcon(&miniBack, B_MINI_ICON));
	EXPECT_EQ(0, memcmp(large.Bits(), largeBack.Bits(), large.BitsLength()));
	EXPECT_EQ(0, memcmp(mini.Bits(), miniBack.Bits(), mini.BitsLength()));

	EXPECT_EQ(B_BAD_VALUE, info.GetIcon(&mini, B_LARGE_ICON)) << "wrong size";
	EXPECT_EQ(B_BAD_VALUE, info.SetIcon(&large, B_MINI_ICON));
	BBitmap rgb(BRect(0, 0, 31, 31), B_RGB32);
	EXPECT_EQ(B_BAD_VALUE, info.SetIcon(&rgb, B_LARGE_ICON));
	EXPECT_EQ(B_OK, info.GetIcon(&rgb, B_LARGE_ICON)) << "read into any colour space";
	EXPECT_EQ(B_BAD_VALUE, info.GetIcon(nullptr, B_LARGE_ICON));

	// A damaged attribute is refused, not copied past the bitmap.
	file.WriteAttr("BEOS:L:STD_ICON", B_LARGE_ICON_TYPE, 0, "short", 5);
	EXPECT_EQ(B_BAD_DATA, info.GetIcon(&largeBack, B_LARGE_ICON));

	ASSERT_EQ(B_OK, info.SetIcon(nullptr, B_MINI_ICON));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetIcon(&miniBack, B_MINI_ICON));
}


TEST(NodeInfoTest, FileSystemsWithoutAttributesStillGiveTypesByName)
{
	GlobWorld world;
	BNode node("/proc/self/status");
	BNodeInfo info(&node);
	ASSERT_EQ(B_OK, info.InitCheck());
	EXPECT_EQ(B_UNSUPPORTED, info.SetType("text/plain"));
	char type[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetType(type)) << "\"status\" matches no pattern";
	EXPECT_EQ(B_UNSUPPORTED, info.GetPreferredApp(type));
}


TEST(NodeInfoTest, UpdateMimeInfoTypesFilesByName)
{
	GlobWorld world;
	if (!UserXattrsSupported(world.folder.Path()))
		GTEST_SKIP() << "the temporary folder's file system keeps no user attributes";
	world.folder.MakeFolder("files/sub");
	world.folder.WriteFile("files/a.abc", "");
	world.folder.WriteFile("files/b.abc", "");
	world.folder.WriteFile("files/sub/c.abc", "");
	world.folder.WriteFile("files/plain", "");
	BNode keep((world.folder / "files/b.abc").c_str());
	ASSERT_EQ(B_OK, BNodeInfo(&keep).SetType("text/x-keep"));

	auto rawType = [&](const char* name) {
		char value[64] = {};
		ssize_t length = getxattr((world.folder / name).c_str(), "user.mime_type", value,
			sizeof(value) - 1);
		return length < 0 ? std::string("(none)") : std::string(value);
	};

	std::string files = world.folder / "files";
	ASSERT_EQ(B_OK, update_mime_info(files.c_str(), false, true, false));
	EXPECT_EQ("(none)", rawType("files/a.abc")) << "without recursion only the folder";

	ASSERT_EQ(B_OK, update_mime_info(files.c_str(), true, true, false));
	EXPECT_EQ("text/x-lower", rawType("files/a.abc"));
	EXPECT_EQ("text/x-keep", rawType("files/b.abc")) << "a type of its own is kept";
	EXPECT_EQ("text/x-lower", rawType("files/sub/c.abc"));
	EXPECT_EQ("(none)", rawType("files/plain")) << "no pattern, no type";

	ASSERT_EQ(B_OK, update_mime_info(files.c_str(), true, true, true));
	EXPECT_EQ("text/x-lower", rawType("files/b.abc")) << "forced";

	EXPECT_EQ(B_BAD_VALUE, update_mime_info(nullptr, true, true, false));
	EXPECT_EQ(B_ENTRY_NOT_FOUND,
		update_mime_info((world.folder / "files/none").c_str(), true, true, false));
}
