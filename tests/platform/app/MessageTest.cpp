#include <Entry.h>
#include <Message.h>
#include <String.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>


TEST(MessageTest, EveryTypeRoundTripsAndKeepsSeveralValues)
{
	BMessage message('TEST');
	EXPECT_TRUE(message.IsEmpty());
	ASSERT_EQ(message.AddInt8("i8", -8), B_OK);
	ASSERT_EQ(message.AddInt16("i16", -1600), B_OK);
	ASSERT_EQ(message.AddInt32("i32", 32), B_OK);
	ASSERT_EQ(message.AddInt32("i32", -33), B_OK);
	ASSERT_EQ(message.AddInt64("i64", 1LL << 40), B_OK);
	ASSERT_EQ(message.AddBool("flag", true), B_OK);
	ASSERT_EQ(message.AddFloat("f", 1.5f), B_OK);
	ASSERT_EQ(message.AddDouble("d", 2.25), B_OK);
	ASSERT_EQ(message.AddString("s", "first"), B_OK);
	ASSERT_EQ(message.AddString("s", BString("second")), B_OK);
	ASSERT_EQ(message.AddPointer("p", &message), B_OK);
	ASSERT_EQ(message.AddRect("r", BRect(1, 2, 3, 4)), B_OK);
	ASSERT_EQ(message.AddPoint("pt", BPoint(5, 6)), B_OK);
	entry_ref ref("/tmp/folder", "file.html");
	ASSERT_EQ(message.AddRef("refs", &ref), B_OK);
	BMessage inner('INNR');
	inner.AddString("name", "inner");
	ASSERT_EQ(message.AddMessage("msg", &inner), B_OK);
	const char raw[] = { 1, 0, 2, 0, 3 };
	ASSERT_EQ(message.AddData("raw", 'RAWT', raw, sizeof(raw), false), B_OK);

	int8 i8; int16 i16; int32 i32; int64 i64; bool flag; float f; double d;
	EXPECT_EQ(message.FindInt8("i8", &i8), B_OK);
	EXPECT_EQ(i8, -8);
	EXPECT_EQ(message.FindInt16("i16", &i16), B_OK);
	EXPECT_EQ(i16, -1600);
	EXPECT_EQ(message.FindInt32("i32", 1, &i32), B_OK);
	EXPECT_EQ(i32, -33);
	EXPECT_EQ(message.FindInt32("i32"), 32);
	EXPECT_EQ(message.FindInt64("i64", &i64), B_OK);
	EXPECT_EQ(i64, 1LL << 40);
	EXPECT_EQ(message.FindBool("flag", &flag), B_OK);
	EXPECT_TRUE(flag);
	EXPECT_EQ(message.FindFloat("f", &f), B_OK);
	EXPECT_EQ(f, 1.5f);
	EXPECT_EQ(message.FindDouble("d", &d), B_OK);
	EXPECT_EQ(d, 2.25);
	EXPECT_STREQ(message.FindString("s", 1), "second");
	BString text;
	EXPECT_EQ(message.FindString("s", &text), B_OK);
	EXPECT_STREQ(text.String(), "first");
	void* pointer = NULL;
	EXPECT_EQ(message.FindPointer("p", &pointer), B_OK);
	EXPECT_EQ(pointer, &message);
	EXPECT_EQ(message.FindRect("r"), BRect(1, 2, 3, 4));
	EXPECT_EQ(message.FindPoint("pt"), BPoint(5, 6));
	entry_ref found;
	EXPECT_EQ(message.FindRef("refs", &found), B_OK);
	EXPECT_EQ(found, ref);
	BMessage foundInner;
	EXPECT_EQ(message.FindMessage("msg", &foundInner), B_OK);
	EXPECT_EQ(foundInner.what, (uint32)'INNR');
	EXPECT_STREQ(foundInner.FindString("name"), "inner");
	const void* data; ssize_t size;
	EXPECT_EQ(message.FindData("raw", 'RAWT', &data, &size), B_OK);
	ASSERT_EQ(size, (ssize_t)sizeof(raw));
	EXPECT_EQ(memcmp(data, raw, sizeof(raw)), 0);

	type_code type; int32 count;
	EXPECT_EQ(message.GetInfo("s", &type, &count), B_OK);
	EXPECT_EQ(type, (type_code)B_STRING_TYPE);
	EXPECT_EQ(count, 2);
	char* name;
	EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 0, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "i32");
	EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 1, &name, &type), B_BAD_INDEX);
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 14);
	EXPECT_EQ(message.CountNames(B_STRING_TYPE), 1);

	BMessage copy(message);
	EXPECT_EQ(copy.what, (uint32)'TEST');
	EXPECT_STREQ(copy.FindString("s", 1), "second");
	BMessage assigned;
	assigned = message;
	EXPECT_EQ(assigned.FindInt64("i64"), 1LL << 40);
}


TEST(MessageTest, MissingOrMismatchedFieldsLeaveOutputsAlone)
{
	BMessage message('TEST');
	message.AddInt32("number", 7);
	message.AddString("text", "x");

	int32 value = 42;
	EXPECT_EQ(message.FindInt32("absent", &value), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.FindInt32("text", &value), B_BAD_TYPE);
	EXPECT_EQ(message.FindInt32("number", 1, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("number", -1, &value), B_BAD_INDEX);
	EXPECT_EQ(value, 42);
	const char* text = "untouched";
	EXPECT_EQ(message.FindString("number", &text), B_BAD_TYPE);
	EXPECT_STREQ(text, "untouched");
	BRect rect(9, 9, 9, 9);
	EXPECT_EQ(message.FindRect("number", &rect), B_BAD_TYPE);
	EXPECT_EQ(rect, BRect(9, 9, 9, 9));

	EXPECT_EQ(message.FindInt32("absent"), 0);
	EXPECT_EQ(message.FindString("absent"), nullptr);
	EXPECT_FALSE(message.FindRect("absent").IsValid());
	EXPECT_FALSE(message.FindBool("absent"));

	EXPECT_EQ(message.AddString("number", "wrong type"), B_BAD_TYPE);
	EXPECT_EQ(message.AddString(NULL, "x"), B_BAD_VALUE);
	EXPECT_EQ(message.AddString("text", (const char*)NULL), B_BAD_VALUE);
	int32 count;
	message.GetInfo("number", NULL, &count);
	EXPECT_EQ(count, 1);
}


TEST(MessageTest, ReplaceAndRemove)
{
	BMessage message;
	message.AddInt32("n", 1);
	message.AddInt32("n", 2);
	message.AddInt32("n", 3);
	message.AddString("s", "short");

	EXPECT_EQ(message.ReplaceInt32("n", 1, 20), B_OK);
	EXPECT_EQ(message.FindInt32("n", 1), 20);
	EXPECT_EQ(message.ReplaceInt32("n", 3, 0), B_BAD_INDEX);
	EXPECT_EQ(message.ReplaceInt32("s", 0), B_BAD_TYPE);
	EXPECT_EQ(message.ReplaceInt32("none", 0), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.ReplaceString("s", "a much longer text"), B_OK);
	EXPECT_STREQ(message.FindString("s"), "a much longer text");

	EXPECT_EQ(message.RemoveData("n", 0), B_OK);
	EXPECT_EQ(message.FindInt32("n", 0), 20);
	EXPECT_EQ(message.FindInt32("n", 1), 3);
	EXPECT_EQ(message.RemoveData("n", 5), B_BAD_INDEX);
	EXPECT_EQ(message.RemoveName("n"), B_OK);
	EXPECT_FALSE(message.HasInt32("n"));
	EXPECT_EQ(message.RemoveName("n"), B_NAME_NOT_FOUND);
	EXPECT_TRUE(message.HasString("s"));
	EXPECT_EQ(message.MakeEmpty(), B_OK);
	EXPECT_TRUE(message.IsEmpty());

	// A fixed-size field refuses values of another size.
	int16 small = 1;
	int32 large = 2;
	EXPECT_EQ(message.AddData("fixed", 'FIXD', &small, sizeof(small), true), B_OK);
	EXPECT_EQ(message.AddData("fixed", 'FIXD', &large, sizeof(large), true), B_BAD_VALUE);
}


TEST(MessageTest, FlattenRoundTripAndSystemCodes)
{
	BMessage message(B_REFS_RECEIVED);
	EXPECT_TRUE(message.IsSystem());
	EXPECT_FALSE(BMessage('MFsf').IsSystem());
	message.AddInt32("state", 0);
	entry_ref ref("/home/user", "index.html");
	message.AddRef("refs", &ref);
	message.AddString("argv", "NetPositive");
	message.AddString("argv", "file:///x.html");
	BMessage nested('NEST');
	nested.AddDouble("pi", 3.14159);
	message.AddMessage("nested", &nested);

	ssize_t size = message.FlattenedSize();
	std::vector<char> buffer(size);
	ASSERT_EQ(message.Flatten(buffer.data(), size), B_OK);
	EXPECT_EQ(message.Flatten(buffer.data(), size - 1), B_BAD_VALUE);

	BMessage back;
	ASSERT_EQ(back.Unflatten(buffer.data(), size), B_OK);
	EXPECT_EQ(back.what, (uint32)B_REFS_RECEIVED);
	EXPECT_EQ(back.FindInt32("state"), 0);
	entry_ref foundRef;
	ASSERT_EQ(back.FindRef("refs", &foundRef), B_OK);
	EXPECT_STREQ(foundRef.directory_path, "/home/user");
	EXPECT_STREQ(foundRef.name, "index.html");
	EXPECT_STREQ(back.FindString("argv", 1), "file:///x.html");
	BMessage foundNested;
	ASSERT_EQ(back.FindMessage("nested", &foundNested), B_OK);
	EXPECT_EQ(foundNested.FindDouble("pi"), 3.14159);

	BMessage fromPointer;
	EXPECT_EQ(fromPointer.Unflatten(buffer.data()), B_OK);
	EXPECT_EQ(fromPointer.CountNames(B_ANY_TYPE), 4);
}


TEST(MessageTest, MalformedFlatDataIsRejectedWithoutChangingTheMessage)
{
	BMessage message('ORIG');
	message.AddString("text", "hello");
	message.AddInt32("n", 5);
	ssize_t size = message.FlattenedSize();
	std::vector<char> good(size);
	ASSERT_EQ(message.Flatten(good.data(), size), B_OK);

	BMessage target('KEEP');
	target.AddBool("kept", true);

	// Every truncation fails.
	for (ssize_t length = 0; length < size; length++)
		EXPECT_NE(target.Unflatten(good.data(), length), B_OK) << "length " << length;

	// A wrong magic number is not a message at all.
	std::vector<char> bad = good;
	bad[0] ^= 0x55;
	EXPECT_EQ(target.Unflatten(bad.data(), size), B_BAD_VALUE);

	// A string without its terminator, and a field count larger than the data.
	bad = good;
	for (ssize_t i = 0; i < size; i++) {
		if (memcmp(&bad[i], "hello", 6) == 0) {
			bad[i + 5] = '!';
			break;
		}
	}
	EXPECT_EQ(target.Unflatten(bad.data(), size), B_BAD_DATA);
	bad = good;
	bad[16] = 0x7f;
	EXPECT_EQ(target.Unflatten(bad.data(), size), B_BAD_DATA);

	// Trailing bytes inside the declared size are refused too.
	std::vector<char> longer = good;
	longer.push_back(0);
	longer[8] = (char)(size + 1);
	EXPECT_EQ(target.Unflatten(longer.data(), size + 1), B_BAD_DATA);

	EXPECT_EQ(target.Unflatten(NULL, 10), B_BAD_VALUE);
	EXPECT_EQ(target.what, (uint32)'KEEP');
	EXPECT_TRUE(target.FindBool("kept"));
	EXPECT_FALSE(target.HasString("text"));
}


TEST(MessageTest, MessengersRenamingAndUndeliveredReplies)
{
	BMessage message('MSNG');
	BMessenger empty;
	ASSERT_EQ(message.AddMessenger("target", empty), B_OK);
	message.AddInt32("n", 1);
	EXPECT_EQ(message.Rename("n", "number"), B_OK);
	EXPECT_EQ(message.FindInt32("number"), 1);
	EXPECT_FALSE(message.HasInt32("n"));
	EXPECT_EQ(message.Rename("absent", "x"), B_NAME_NOT_FOUND);
	bool fixedSize = false;
	type_code type;
	EXPECT_EQ(message.GetInfo("number", &type, &fixedSize), B_OK);
	EXPECT_TRUE(fixedSize);
	EXPECT_EQ(message.GetInfo("target", &type, &fixedSize), B_OK);
	EXPECT_EQ(type, (type_code)B_MESSENGER_TYPE);
	EXPECT_FALSE(fixedSize);

	std::vector<char> buffer(message.FlattenedSize());
	ASSERT_EQ(message.Flatten(buffer.data(), buffer.size()), B_OK);
	BMessage back;
	ASSERT_EQ(back.Unflatten(buffer.data(), buffer.size()), B_OK);
	BMessenger found;
	ASSERT_EQ(back.FindMessenger("target", &found), B_OK);
	EXPECT_TRUE(found == empty);
	EXPECT_FALSE(found.IsValid());

	// A message that was never delivered has nobody to answer.
	EXPECT_FALSE(message.WasDelivered());
	EXPECT_FALSE(message.IsSourceWaiting());
	EXPECT_EQ(message.SendReply('RPLY'), B_BAD_REPLY);
	EXPECT_EQ(message.Previous(), nullptr);
}
