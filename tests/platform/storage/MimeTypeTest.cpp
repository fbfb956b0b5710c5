#include "TempFolder.h"

#include <Bitmap.h>
#include <FindDirectory.h>
#include <MimeType.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>


namespace {

struct MimeWorld {
	TempFolder	folder;
	ScopedEnv	dataHome;
	ScopedEnv	configHome;
	ScopedEnv	dataDirs;

	MimeWorld()
		:
		dataHome("XDG_DATA_HOME", folder / "data"),
		configHome("XDG_CONFIG_HOME", folder / "config"),
		dataDirs("XDG_DATA_DIRS", folder / "system")
	{
	}

	bool Has(const std::string& relative) const
	{
		struct stat info;
		return stat((folder / relative).c_str(), &info) == 0;
	}
};


bool
HaveProgram(const char* name)
{
	std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
	return system(command.c_str()) == 0;
}

}	// namespace


TEST(MimeTypeTest, TypeStringsAreChecked)
{
	BMimeType type("text/html");
	ASSERT_EQ(B_OK, type.InitCheck());
	EXPECT_STREQ("text/html", type.Type());
	EXPECT_FALSE(type.IsSupertypeOnly());
	BMimeType super;
	ASSERT_EQ(B_OK, type.GetSupertype(&super));
	EXPECT_STREQ("text", super.Type());
	EXPECT_TRUE(super.IsSupertypeOnly());
	EXPECT_EQ(B_BAD_VALUE, super.GetSupertype(&super));
	EXPECT_TRUE(type == "TEXT/HTML") << "types compare without case";

	for (const char* bad : { "", "text/", "/html", "a/b/c", "text/ht ml", "text/h\"x",
			"text/a=b", "text/..", "../x" }) {
		EXPECT_FALSE(BMimeType::IsValid(bad)) << bad;
		EXPECT_EQ(B_BAD_VALUE, BMimeType(bad).InitCheck()) << bad;
	}
	EXPECT_FALSE(BMimeType::IsValid(nullptr));
	EXPECT_FALSE(BMimeType::IsValid(std::string(B_MIME_TYPE_LENGTH, 'a').c_str()));
	EXPECT_TRUE(BMimeType::IsValid("application/x.vnd.Quorrel"));

	BMimeType unset;
	EXPECT_EQ(nullptr, unset.Type());
	EXPECT_FALSE(unset.IsInstalled());
	EXPECT_EQ(B_NO_INIT, unset.Install());
	char buffer[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_NO_INIT, unset.GetPreferredApp(buffer));
}


TEST(MimeTypeTest, InstallReadBackAndDelete)
{
	MimeWorld world;
	world.folder.MakeFolder("config");
	world.folder.WriteFile("config/mimeapps.list",
		"[Added Associations]\ntext/plain=editor.desktop;\n\n"
		"[Default Applications]\nimage/png=viewer.desktop;\n");

	BMimeType type("text/quorrel-project");
	EXPECT_FALSE(type.IsInstalled());
	char text[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.GetPreferredApp(text));

	ASSERT_EQ(B_OK, type.Install());
	EXPECT_TRUE(type.IsInstalled());
	EXPECT_TRUE(BMimeType("Text/Quorrel-Project").IsInstalled());
	EXPECT_EQ(B_FILE_EXISTS, type.Install());
	ASSERT_TRUE(world.Has("data/mime/packages/text-quorrel-project.xml"));
	std::string package = world.folder.ReadFile("data/mime/packages/text-quorrel-project.xml");
	EXPECT_NE(std::string::npos, package.find("<mime-type type=\"text/quorrel-project\">"));
	if (HaveProgram("update-mime-database")) {
		EXPECT_TRUE(world.Has("data/mime/types"))
			<< "update-mime-database ran on the user's folder";
	}

	ASSERT_EQ(B_OK, type.SetPreferredApp("application/x.vnd.Quorrel"));
	ASSERT_EQ(B_OK, type.GetPreferredApp(text));
	EXPECT_STREQ("application/x.vnd.Quorrel", text);
	std::string list = world.folder.ReadFile("config/mimeapps.list");
	EXPECT_NE(std::string::npos, list.find("text/quorrel-project=quorrel.desktop;"));
	EXPECT_NE(std::string::npos, list.find("image/png=viewer.desktop;"));
	EXPECT_NE(std::string::npos, list.find("[Added Associations]\ntext/plain=editor.desktop;"));
	EXPECT_LT(list.find("[Default Applications]"), list.find("text/quorrel-project="))
		<< "the entry lands in the right section";

	ASSERT_EQ(B_OK, type.SetPreferredApp("application/x-vnd.Other"));
	list = world.folder.ReadFile("config/mimeapps.list");
	EXPECT_EQ(std::string::npos, list.find("quorrel.desktop"));
	EXPECT_NE(std::string::npos, list.find("text/quorrel-project=other.desktop;"));

	ASSERT_EQ(B_OK, type.SetShortDescription("Quorrel project & files"));
	ASSERT_EQ(B_OK, type.GetShortDescription(text));
	EXPECT_STREQ("Quorrel project & files", text);
	package = world.folder.ReadFile("data/mime/packages/text-quorrel-project.xml");
	EXPECT_NE(std::string::npos, package.find("<comment>Quorrel project &amp; files</comment>"));
	EXPECT_EQ(B_BAD_VALUE, type.SetShortDescription("two\nlines"));

	ASSERT_EQ(B_OK, type.SetFileExtensions("qpr qproj"));
	package = world.folder.ReadFile("data/mime/packages/text-quorrel-project.xml");
	EXPECT_NE(std::string::npos, package.find("<glob pattern=\"*.qproj\"/>"));
	EXPECT_EQ(B_BAD_VALUE, type.SetFileExtensions("a/b"));

	BBitmap large(BRect(0, 0, 31, 31), B_CMAP8);
	memset(large.Bits(), 0x2a, large.BitsLength());
	ASSERT_EQ(B_OK, type.SetIcon(&large, B_LARGE_ICON));
	BBitmap back(BRect(0, 0, 31, 31), B_CMAP8);
	ASSERT_EQ(B_OK, type.GetIcon(&back, B_LARGE_ICON));
	EXPECT_EQ(0, memcmp(large.Bits(), back.Bits(), large.BitsLength()));
	std::string png = world.folder.ReadFile(
		"data/icons/hicolor/32x32/mimetypes/text-quorrel-project.png");
	EXPECT_EQ(0u, png.find("\x89PNG")) << "the desktop's icon theme gets a PNG copy";
	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.GetIcon(&mini, B_MINI_ICON));
	EXPECT_EQ(B_BAD_VALUE, type.SetIcon(&mini, B_LARGE_ICON));

	// A second object reads the same database back.
	BMimeType again("text/quorrel-project");
	ASSERT_EQ(B_OK, again.GetPreferredApp(text));
	EXPECT_STREQ("application/x-vnd.Other", text);

	ASSERT_EQ(B_OK, type.Delete());
	EXPECT_FALSE(type.IsInstalled());
	EXPECT_FALSE(world.Has("data/mime/packages/text-quorrel-project.xml"));
	EXPECT_FALSE(world.Has("data/icons/hicolor/32x32/mimetypes/text-quorrel-project.png"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.GetPreferredApp(text));
	list = world.folder.ReadFile("config/mimeapps.list");
	EXPECT_EQ(std::string::npos, list.find("text/quorrel-project"));
	EXPECT_NE(std::string::npos, list.find("image/png=viewer.desktop;"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.Delete());
}


TEST(MimeTypeTest, SettersInstallAndSystemTypesCountAsInstalled)
{
	MimeWorld world;
	BMimeType type("application/x-test-thing");
	ASSERT_EQ(B_OK, type.SetPreferredApp("application/x-vnd.Tester"));
	EXPECT_TRUE(type.IsInstalled()) << "setting a value installs the type first, as R5";
	std::string list = world.folder.ReadFile("config/mimeapps.list");
	EXPECT_EQ("[Default Applications]\napplication/x-test-thing=tester.desktop;\n", list);

	// A mimeapps.list that cannot be read is never overwritten.
	if (!RunningAsRoot()) {
		std::string listPath = world.folder / "config/mimeapps.list";
		ASSERT_EQ(0, chmod(listPath.c_str(), 0));
		EXPECT_EQ(B_PERMISSION_DENIED, type.SetPreferredApp("application/x-vnd.Other"));
		chmod(listPath.c_str(), 0644);
		EXPECT_EQ(list, world.folder.ReadFile("config/mimeapps.list"));
	}

	world.folder.MakeFolder("system");
	world.folder.MakeFolder("system/mime");
	world.folder.WriteFile("system/mime/types", "text/html\ntext/plain\n");
	EXPECT_TRUE(BMimeType("text/html").IsInstalled());
	EXPECT_EQ(B_FILE_EXISTS, BMimeType("text/html").Install());
	EXPECT_FALSE(BMimeType("text/x-not-there").IsInstalled());
}


TEST(FindDirectoryTest, UserFoldersFollowTheEnvironment)
{
	TempFolder folder;
	ScopedEnv home("HOME", folder / "home");
	ScopedEnv config("XDG_CONFIG_HOME", folder / "config");
	ScopedEnv data("XDG_DATA_HOME", folder / "data");

	BPath path;
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path));
	EXPECT_STREQ((folder / "config").c_str(), path.Path());
	ASSERT_EQ(B_OK, find_directory(B_USER_DIRECTORY, &path));
	EXPECT_STREQ((folder / "home").c_str(), path.Path());
	ASSERT_EQ(B_OK, find_directory(B_SYSTEM_TEMP_DIRECTORY, &path));
	EXPECT_STREQ("/tmp", path.Path());
	EXPECT_EQ(B_BAD_VALUE, find_directory(B_BEOS_ADDONS_DIRECTORY, &path));
	EXPECT_EQ(B_BAD_VALUE, find_directory(B_USER_DIRECTORY, (BPath*)nullptr));

	struct stat info;
	EXPECT_NE(0, stat((folder / "config").c_str(), &info));
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path, true));
	EXPECT_EQ(0, stat((folder / "config").c_str(), &info)) << "created on request";

	{
		ScopedEnv slashed("XDG_CONFIG_HOME", folder / "missing/");
		ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path));
		EXPECT_STREQ((folder / "missing").c_str(), path.Path())
			<< "a trailing slash neither stays nor makes a missing folder fail";
	}
	{
		ScopedEnv unsetConfig("XDG_CONFIG_HOME", "relative/is/ignored");
		ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path));
		EXPECT_STREQ((folder / "home/.config").c_str(), path.Path());
	}

	char buffer[B_PATH_NAME_LENGTH];
	ASSERT_EQ(B_OK, find_directory(B_USER_DATA_DIRECTORY, 0, false, buffer, sizeof(buffer)));
	EXPECT_STREQ((folder / "data").c_str(), buffer);
	char tiny[4];
	EXPECT_EQ(B_NAME_TOO_LONG, find_directory(B_USER_DATA_DIRECTORY, 0, false, tiny, 4));
}
