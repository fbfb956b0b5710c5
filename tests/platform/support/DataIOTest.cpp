#include <DataIO.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

TEST(MallocIOTest, GrowsReadsBackAndSeeks)
{
	BMallocIO io;
	io.SetBlockSize(3);
	EXPECT_EQ(io.BufferLength(), 0u);
	EXPECT_EQ(io.Write("hello", 5), 5);
	EXPECT_EQ(io.Position(), 5);
	EXPECT_EQ(io.BufferLength(), 5u);
	EXPECT_EQ(memcmp(io.Buffer(), "hello", 5), 0);

	// Writing past the end leaves a zero-filled gap.
	EXPECT_EQ(io.WriteAt(8, "!", 1), 1);
	EXPECT_EQ(io.BufferLength(), 9u);
	EXPECT_EQ(memcmp(io.Buffer(), "hello\0\0\0!", 9), 0);

	char buffer[16] = {};
	EXPECT_EQ(io.Seek(1, SEEK_SET), 1);
	EXPECT_EQ(io.Read(buffer, 4), 4);
	EXPECT_STREQ(buffer, "ello");
	EXPECT_EQ(io.Position(), 5);
	EXPECT_EQ(io.ReadAt(7, buffer, 16), 2);
	EXPECT_EQ(io.ReadAt(9, buffer, 16), 0);
	EXPECT_EQ(io.ReadAt(100, buffer, 16), 0);

	EXPECT_EQ(io.Seek(-2, SEEK_END), 7);
	EXPECT_EQ(io.Seek(1, SEEK_CUR), 8);
	EXPECT_LT(io.Seek(-100, SEEK_CUR), 0);
	EXPECT_EQ(io.Position(), 8);
	EXPECT_LT(io.Seek(0, 99), 0);

	off_t size = 0;
	ASSERT_EQ(io.GetSize(&size), B_OK);
	EXPECT_EQ(size, 9);
	EXPECT_EQ(io.Position(), 8);
	EXPECT_EQ(io.SetSize(2), B_OK);
	EXPECT_EQ(io.BufferLength(), 2u);
	EXPECT_EQ(io.SetSize(-1), B_BAD_VALUE);
	EXPECT_EQ(io.WriteAt(-1, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(io.WriteAt(0, nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(io.ReadAt(0, nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(io.SetSize(0), B_OK);
	EXPECT_EQ(io.Buffer(), nullptr);
}


TEST(MemoryIOTest, StaysInsideTheCallersBuffer)
{
	char storage[8] = "abcdefg";
	BMemoryIO io(static_cast<void*>(storage), 6);
	char buffer[16] = {};
	EXPECT_EQ(io.Read(buffer, 16), 6);
	EXPECT_STREQ(buffer, "abcdef");
	EXPECT_EQ(io.Read(buffer, 16), 0);

	// Writes are cut at the end of the buffer; storage[6] is never touched.
	EXPECT_EQ(io.WriteAt(4, "XYZ", 3), 2);
	EXPECT_EQ(memcmp(storage, "abcdXYg", 7), 0);
	EXPECT_EQ(io.WriteAt(6, "Q", 1), 0);
	EXPECT_EQ(io.SetSize(7), B_BAD_VALUE);
	EXPECT_EQ(io.SetSize(3), B_OK);
	EXPECT_EQ(io.ReadAt(0, buffer, 16), 3);
	// Growing back within the buffer clears the bytes it brings back.
	EXPECT_EQ(io.SetSize(5), B_OK);
	EXPECT_EQ(storage[3], '\0');

	const char constant[] = "read only";
	BMemoryIO reader(static_cast<const void*>(constant), sizeof(constant));
	EXPECT_EQ(reader.Write("x", 1), B_NOT_ALLOWED);
	EXPECT_EQ(reader.SetSize(1), B_NOT_ALLOWED);
	off_t size = 0;
	ASSERT_EQ(reader.GetSize(&size), B_OK);
	EXPECT_EQ(size, (off_t)sizeof(constant));
	EXPECT_EQ(reader.GetSize(nullptr), B_BAD_VALUE);

	BMemoryIO empty(static_cast<void*>(nullptr), 100);
	EXPECT_EQ(empty.Read(buffer, 4), 0);
	EXPECT_EQ(empty.Write("x", 1), 0);
}
