#include "QuorrelTools.h"

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include <Application.h>
#include <Bitmap.h>

#include <gtest/gtest.h>


namespace {

std::string
AppPath()
{
	const char* path = QuorrelTools().GetAppPath();
	std::string result = path;
	delete[] path;
	return result;
}

}	// namespace


TEST(QuorrelTools, AppPathIsTheExecutablesFolderOrTheOverride)
{
	unsetenv("QUORREL_APP_DIR");
	// Without an application object there is no app_info to ask.
	EXPECT_EQ(AppPath(), "Blad!");

	BApplication app("application/x-vnd.quorrel-tools-test");
	char executable[4096];
	ssize_t length = readlink("/proc/self/exe", executable, sizeof(executable) - 1);
	ASSERT_GT(length, 0);
	executable[length] = '\0';
	std::string folder(executable);
	folder.erase(folder.rfind('/'));
	EXPECT_EQ(AppPath(), folder);

	setenv("QUORREL_APP_DIR", "/tmp/somewhere//", 1);
	EXPECT_EQ(AppPath(), "/tmp/somewhere");
	unsetenv("QUORREL_APP_DIR");
}


TEST(QuorrelTools, LoadBitmapReadsTheShippedImagesAndRefusesTheRest)
{
	QuorrelTools tools;
	BBitmap* bitmap = tools.LoadBitmap(QUORREL_SOURCE_DIR "/data/Images/dyskietka.bmp");
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->Bounds().IntegerWidth() + 1, 96);
	EXPECT_EQ(bitmap->Bounds().IntegerHeight() + 1, 96);
	delete bitmap;

	EXPECT_EQ(tools.LoadBitmap("/nonexistent/file.bmp"), nullptr);
	EXPECT_EQ(tools.LoadBitmap(QUORREL_SOURCE_DIR "/data/Dictionary/dictionary"), nullptr);
	EXPECT_EQ(tools.LoadBitmap(NULL), nullptr);
}
