#include <libvarkel/varkel.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class VarkelTest : public ::testing::Test {
protected:
	void
	SetUp() override
	{
		char pattern[] = "/tmp/varkel-test-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fFolder = pattern;
	}

	void
	TearDown() override
	{
		std::error_code error;
		fs::permissions(fFolder, fs::perms::owner_all, fs::perm_options::add, error);
		fs::remove_all(fFolder, error);
	}

	std::string
	Path(const char* leaf) const
	{
		return (fFolder / leaf).string();
	}

	static void
	Write(const std::string& path, const std::string& bytes)
	{
		std::ofstream out(path, std::ios::binary);
		out << bytes;
	}

	static std::string
	Read(const std::string& path)
	{
		std::ifstream in(path, std::ios::binary);
		return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	}

	// The table's contents, as the store itself writes them.
	std::string
	Saved(varkel& store)
	{
		std::string path = Path("saved-table");
		EXPECT_EQ(store.SavePrefs(path.c_str()), 0);
		return Read(path);
	}

	int
	CountFiles() const
	{
		int count = 0;
		for (auto it = fs::directory_iterator(fFolder); it != fs::directory_iterator(); ++it)
			count++;
		return count;
	}

	fs::path	fFolder;
};


TEST_F(VarkelTest, TableKeepsOrderAndFindsFirstOfDuplicateNames)
{
	varkel store;
	EXPECT_EQ(store.GetValue("language"), nullptr);
	EXPECT_EQ(store.GetValue(nullptr), nullptr);

	ASSERT_EQ(store.PutParam("language", "Polski"), 0);
	ASSERT_EQ(store.PutParam("name", "Ala"), 0);
	ASSERT_EQ(store.PutParam("email", "ala@example.org"), 0);
	ASSERT_EQ(store.PutParam("name", "Ola"), 0);
	EXPECT_STREQ(store.GetValue("name"), "Ala");
	EXPECT_EQ(store.GetValue("Name"), nullptr);
	EXPECT_EQ(store.GetValue("name "), nullptr);

	// The first of the two entries changes; nothing is added for a missing name.
	EXPECT_EQ(store.ModifyParam("name", "Ewa"), 0);
	EXPECT_EQ(store.ModifyParam("icons", "small"), -1);
	EXPECT_EQ(store.GetValue("icons"), nullptr);
	EXPECT_EQ(Saved(store),
		"language=\"Polski\"\nname=\"Ewa\"\nemail=\"ala@example.org\"\nname=\"Ola\"\n");

	// A value read from the store can be handed straight back to it.
	EXPECT_EQ(store.ModifyParam("email", store.GetValue("email")), 0);
	EXPECT_STREQ(store.GetValue("email"), "ala@example.org");

	// Removing the middle entry of three keeps the other two in order.
	EXPECT_EQ(store.DeleteParam("email"), 0);
	EXPECT_EQ(store.DeleteParam("email"), -1);
	EXPECT_EQ(Saved(store), "language=\"Polski\"\nname=\"Ewa\"\nname=\"Ola\"\n");
	EXPECT_EQ(store.DeleteParam("name"), 0);
	EXPECT_STREQ(store.GetValue("name"), "Ola");

	// A value's text stays where it is while other entries come and go.
	const char* language = store.GetValue("language");
	for (int i = 0; i < 100; i++)
		store.PutParam("filler", "x");
	store.DeleteParam("name");
	EXPECT_EQ(store.GetValue("language"), language);
	EXPECT_STREQ(language, "Polski");

	EXPECT_EQ(store.PutParam(nullptr, "x"), -1);
	EXPECT_EQ(store.PutParam("x", nullptr), -1);
	EXPECT_EQ(store.ModifyParam("language", nullptr), -1);
	EXPECT_EQ(store.DeleteParam(nullptr), -1);
}


TEST_F(VarkelTest, CapacityAndLengthLimits)
{
	varkel store;
	for (int i = 0; i < 500; i++)
		ASSERT_EQ(store.PutParam(("key" + std::to_string(i)).c_str(), "v"), 0) << i;
	EXPECT_EQ(store.PutParam("key500", "v"), -1);
	EXPECT_EQ(store.GetValue("key500"), nullptr);
	EXPECT_STREQ(store.GetValue("key499"), "v");
	EXPECT_EQ(store.DeleteParam("key0"), 0);
	EXPECT_EQ(store.PutParam("key500", "w"), 0);
	EXPECT_EQ(store.PutParam("key501", "w"), -1);

	// Names and values beyond 255 characters are cut, never overflow.
	varkel small;
	std::string longName(400, 'n');
	std::string longValue(1000, 'v');
	ASSERT_EQ(small.PutParam(longName.c_str(), longValue.c_str()), 0);
	std::string cutName(255, 'n');
	ASSERT_NE(small.GetValue(cutName.c_str()), nullptr);
	EXPECT_EQ(std::string(small.GetValue(cutName.c_str())), std::string(255, 'v'));
	EXPECT_EQ(small.GetValue(longName.c_str()), nullptr);
	ASSERT_EQ(small.ModifyParam(cutName.c_str(), std::string(300, 'w').c_str()), 0);
	EXPECT_EQ(std::string(small.GetValue(cutName.c_str())), std::string(255, 'w'));
}


TEST_F(VarkelTest, LoaderReadsLinesAsTheWriterLeavesThem)
{
	std::string path = Path("settings");
	std::string bytes;
	bytes += "empty=\"\"\n";
	bytes += "bare=value\n";
	bytes += "tail=\"kept\" ignored \"text\"\n";
	bytes += "no equals sign\n";
	bytes += "open=\"no closing quote\n";
	bytes += "skip=Xabc\"def\n";
	bytes += "=\"nameless\"\n";
	bytes += "sign=\n";
	bytes += "spaced = \"v\"\n";
	bytes += std::string("nul=\"a\0b\"\n", 10);
	bytes += "after=\"nul\"\n";
	bytes += "last=\"no line feed\"";
	Write(path, bytes);

	varkel store;
	ASSERT_EQ(store.LoadPrefs(path.c_str()), 0);
	EXPECT_STREQ(store.GetValue("empty"), "");
	EXPECT_STREQ(store.GetValue("bare"), "alue\n");
	EXPECT_STREQ(store.GetValue("tail"), "kept");
	EXPECT_STREQ(store.GetValue("no equals sign\n"), "");
	EXPECT_STREQ(store.GetValue("open"), "no closing quote\n");
	EXPECT_STREQ(store.GetValue("skip"), "abc");
	EXPECT_STREQ(store.GetValue(""), "nameless");
	EXPECT_STREQ(store.GetValue("sign"), "");
	EXPECT_STREQ(store.GetValue("spaced "), "");
	EXPECT_STREQ(store.GetValue("nul"), "a");
	EXPECT_STREQ(store.GetValue("after"), "nul");
	EXPECT_STREQ(store.GetValue("last"), "no line feed");

	// A line longer than 255 characters is read in two pieces.
	std::string longPath = Path("long");
	std::string name(250, 'k');
	Write(longPath, name + "=\"0123456789\"\nnext=\"n\"\n");
	varkel split;
	ASSERT_EQ(split.LoadPrefs(longPath.c_str()), 0);
	EXPECT_STREQ(split.GetValue(name.c_str()), "012");
	EXPECT_STREQ(split.GetValue("3456789\"\n"), "");
	EXPECT_STREQ(split.GetValue("next"), "n");
}


TEST_F(VarkelTest, LoadingAppendsAndStopsAtCapacity)
{
	std::string path = Path("settings");
	Write(path, "icons=\"normal\"\ngfx_dir=\"gfx\"\n");

	varkel store;
	EXPECT_EQ(store.LoadPrefs(Path("missing").c_str()), -1);
	EXPECT_EQ(store.LoadPrefs(nullptr), -1);
	ASSERT_EQ(store.LoadPrefs(path.c_str()), 0);
	ASSERT_EQ(store.ModifyParam("icons", "small"), 0);
	ASSERT_EQ(store.LoadPrefs(path.c_str()), 0);
	EXPECT_STREQ(store.GetValue("icons"), "small");
	EXPECT_EQ(Saved(store),
		"icons=\"small\"\ngfx_dir=\"gfx\"\nicons=\"normal\"\ngfx_dir=\"gfx\"\n");

	// Failed loads leave the table as it was: a folder cannot be read as a file.
	EXPECT_EQ(store.LoadPrefs(fFolder.c_str()), -1);
	EXPECT_EQ(Saved(store),
		"icons=\"small\"\ngfx_dir=\"gfx\"\nicons=\"normal\"\ngfx_dir=\"gfx\"\n");

	std::string emptyPath = Path("empty");
	Write(emptyPath, "");
	varkel empty;
	EXPECT_EQ(empty.LoadPrefs(emptyPath.c_str()), 0);
	EXPECT_EQ(Saved(empty), "");

	std::string bigPath = Path("big");
	std::ostringstream big;
	for (int i = 0; i < 600; i++)
		big << "k" << i << "=\"" << i << "\"\n";
	Write(bigPath, big.str());
	varkel full;
	ASSERT_EQ(full.LoadPrefs(bigPath.c_str()), 0);
	EXPECT_STREQ(full.GetValue("k499"), "499");
	EXPECT_EQ(full.GetValue("k500"), nullptr);
	EXPECT_EQ(full.PutParam("one", "more"), -1);
	ASSERT_EQ(full.LoadPrefs(path.c_str()), 0);
	EXPECT_EQ(full.GetValue("icons"), nullptr);
}


TEST_F(VarkelTest, SaveLoadSaveRoundTrip)
{
	varkel store;
	store.PutParam("language", "Deutsch");
	store.PutParam("name", "Jürgen Groß");
	store.PutParam("email", "");
	store.PutParam("encoding", "ISO 8859-2");
	store.PutParam("icons", "normal");
	store.PutParam("gfx_dir", "gfx");
	std::string first = Path("first");
	ASSERT_EQ(store.SavePrefs(first.c_str()), 0);
	EXPECT_EQ(Read(first),
		"language=\"Deutsch\"\nname=\"Jürgen Groß\"\nemail=\"\"\nencoding=\"ISO 8859-2\"\n"
		"icons=\"normal\"\ngfx_dir=\"gfx\"\n");

	varkel copy;
	ASSERT_EQ(copy.LoadPrefs(first.c_str()), 0);
	std::string second = Path("second");
	ASSERT_EQ(copy.SavePrefs(second.c_str()), 0);
	EXPECT_EQ(Read(second), Read(first));

	// Saving over the same file replaces it and keeps its permission bits.
	fs::permissions(first, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
	copy.ModifyParam("icons", "small");
	ASSERT_EQ(copy.SavePrefs(first.c_str()), 0);
	EXPECT_EQ(Read(first),
		"language=\"Deutsch\"\nname=\"Jürgen Groß\"\nemail=\"\"\nencoding=\"ISO 8859-2\"\n"
		"icons=\"small\"\ngfx_dir=\"gfx\"\n");
	EXPECT_EQ(fs::status(first).permissions(),
		fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

	// A save through a symbolic link replaces the file it points at; the link stays.
	fs::create_directory(fFolder / "real");
	fs::create_symlink("real/settings", fFolder / "link");
	ASSERT_EQ(store.SavePrefs(Path("link").c_str()), 0);
	EXPECT_TRUE(fs::is_symlink(fFolder / "link"));
	EXPECT_EQ(Read(Path("real/settings")), Read(second));
	ASSERT_EQ(copy.SavePrefs(Path("link").c_str()), 0);
	EXPECT_TRUE(fs::is_symlink(fFolder / "link"));
	EXPECT_NE(Read(Path("real/settings")).find("icons=\"small\""), std::string::npos);

	// A leaf name as long as the folder allows can still be saved.
	std::string longLeaf(255, 'n');
	ASSERT_EQ(store.SavePrefs(Path(longLeaf.c_str()).c_str()), 0);
	EXPECT_EQ(Read(Path(longLeaf.c_str())), Read(second));

	// No temporary file is left behind: first, second, real, link and the long one.
	EXPECT_EQ(CountFiles(), 5);
}


TEST_F(VarkelTest, FailedSaveLeavesTheOldFileUntouched)
{
	varkel store;
	store.PutParam("icons", "small");

	// The parent of the target is a regular file.
	std::string plain = Path("plain");
	Write(plain, "icons=\"normal\"\n");
	EXPECT_EQ(store.SavePrefs((plain + "/settings").c_str()), -1);
	EXPECT_EQ(Read(plain), "icons=\"normal\"\n");

	// A folder stands where the file should be.
	fs::create_directory(fFolder / "settings");
	EXPECT_EQ(store.SavePrefs(Path("settings").c_str()), -1);
	EXPECT_TRUE(fs::is_directory(fFolder / "settings"));

	// A link that points at itself.
	fs::create_symlink("loop", fFolder / "loop");
	EXPECT_EQ(store.SavePrefs(Path("loop").c_str()), -1);
	EXPECT_EQ(store.SavePrefs(""), -1);
	EXPECT_EQ(store.SavePrefs(nullptr), -1);

	// A write that fails half way (the file size limit stands in for a full disk):
	// the old file keeps its bytes and the temporary file goes away.
	varkel large;
	for (int i = 0; i < 100; i++)
		large.PutParam(("key" + std::to_string(i)).c_str(), std::string(200, 'v').c_str());
	struct rlimit oldLimit;
	ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
	void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
	struct rlimit limit = oldLimit;
	limit.rlim_cur = 4096;
	ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
	int result = large.SavePrefs(plain.c_str());
	setrlimit(RLIMIT_FSIZE, &oldLimit);
	std::signal(SIGXFSZ, oldHandler);
	EXPECT_EQ(result, -1);
	EXPECT_EQ(Read(plain), "icons=\"normal\"\n");

	// Without root's privileges a read-only file or folder refuses the save too.
	if (geteuid() != 0) {
		fs::permissions(plain, fs::perms::owner_read);
		EXPECT_EQ(store.SavePrefs(plain.c_str()), -1);
		fs::permissions(plain, fs::perms::owner_read | fs::perms::owner_write);
		fs::permissions(fFolder, fs::perms::owner_read | fs::perms::owner_exec);
		EXPECT_EQ(store.SavePrefs(plain.c_str()), -1);
		fs::permissions(fFolder, fs::perms::owner_all);
		EXPECT_EQ(Read(plain), "icons=\"normal\"\n");
	}

	// plain, settings/ and loop: nothing else was created.
	EXPECT_EQ(CountFiles(), 3);
	EXPECT_EQ(store.SavePrefs(plain.c_str()), 0);
	EXPECT_EQ(Read(plain), "icons=\"small\"\n");
}

}	// namespace
