#include <ByteOrder.h>

#include <gtest/gtest.h>

TEST(ByteOrderTest, ConvertsBetweenHostAndBothOrders)
{
	uint32 value = 0x11223344;
	uint8 bytes[4];
	uint32 big = B_HOST_TO_BENDIAN_INT32(value);
	memcpy(bytes, &big, 4);
	EXPECT_EQ(bytes[0], 0x11);
	EXPECT_EQ(bytes[3], 0x44);
	EXPECT_EQ(B_BENDIAN_TO_HOST_INT32(big), value);

	uint32 little = B_HOST_TO_LENDIAN_INT32(value);
	memcpy(bytes, &little, 4);
	EXPECT_EQ(bytes[0], 0x44);
	EXPECT_EQ(B_LENDIAN_TO_HOST_INT32(little), value);

	EXPECT_EQ(B_BENDIAN_TO_HOST_INT16(B_HOST_TO_BENDIAN_INT16((uint16)0xabcd)), 0xabcd);
	EXPECT_EQ(B_SWAP_INT64(UINT64_C(0x0102030405060708)), UINT64_C(0x0807060504030201));
	EXPECT_EQ(B_BENDIAN_TO_HOST_FLOAT(B_HOST_TO_BENDIAN_FLOAT(1.5f)), 1.5f);
	EXPECT_EQ(B_BENDIAN_TO_HOST_DOUBLE(B_HOST_TO_BENDIAN_DOUBLE(-2.25)), -2.25);
}


TEST(ByteOrderTest, SwapDataSwapsWholeUnitsOfNumericTypes)
{
	uint16 shorts[3] = { 0x0102, 0x0304, 0x0506 };
	ASSERT_EQ(swap_data(B_UINT16_TYPE, shorts, sizeof(shorts), B_SWAP_ALWAYS), B_OK);
	EXPECT_EQ(shorts[0], 0x0201);
	EXPECT_EQ(shorts[2], 0x0605);

	uint32 words[2] = { 0x01020304, 0x05060708 };
	// Seven bytes: the second word is incomplete and stays as it is.
	ASSERT_EQ(swap_data(B_INT32_TYPE, words, 7, B_SWAP_HOST_TO_BENDIAN), B_OK);
	EXPECT_EQ(words[0], 0x04030201u);
	EXPECT_EQ(words[1], 0x05060708u);
	ASSERT_EQ(swap_data(B_INT32_TYPE, words, 8, B_SWAP_HOST_TO_LENDIAN), B_OK);
	EXPECT_EQ(words[0], 0x04030201u);

	char text[4] = "abc";
	EXPECT_EQ(swap_data(B_STRING_TYPE, text, 3, B_SWAP_ALWAYS), B_BAD_VALUE);
	EXPECT_EQ(swap_data(B_INT32_TYPE, nullptr, 4, B_SWAP_ALWAYS), B_BAD_VALUE);
	EXPECT_TRUE(is_type_swapped(B_DOUBLE_TYPE));
	EXPECT_FALSE(is_type_swapped(B_RAW_TYPE));
}


// Debug.h rides along here: its macros are small enough not to need a file of their own.
#include <Debug.h>

#include <cstdlib>

TEST(DebugTest, AssertReportsOnlyFailuresInDebugBuilds)
{
	setenv("QUORREL_DEBUGGER", "continue", 1);
	testing::internal::CaptureStderr();
	int evaluated = 0;
	ASSERT(++evaluated == 1);
	ASSERT(evaluated == 2);
	SERIAL_PRINT(("serial %d\n", 7));
	std::string output = testing::internal::GetCapturedStderr();
#ifdef QUORREL_DEBUG
	EXPECT_EQ(evaluated, 1);
	EXPECT_NE(output.find("Assertion failed: evaluated == 2"), std::string::npos);
	EXPECT_EQ(output.find("++evaluated"), std::string::npos);
	EXPECT_NE(output.find("serial 7"), std::string::npos);
#else
	EXPECT_EQ(evaluated, 0);
	EXPECT_EQ(output, "");
#endif
}
