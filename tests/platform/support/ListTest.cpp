#include <List.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void*
Item(intptr_t value)
{
	return reinterpret_cast<void*>(value);
}


intptr_t
Value(void* item)
{
	return reinterpret_cast<intptr_t>(item);
}


// The list's items as numbers, for compact expectations.
std::vector<intptr_t>
Values(const BList& list)
{
	std::vector<intptr_t> values;
	for (int32 i = 0; i < list.CountItems(); i++)
		values.push_back(Value(list.ItemAt(i)));
	return values;
}


int
CompareItems(const void* a, const void* b)
{
	intptr_t left = Value(*static_cast<void* const*>(a));
	intptr_t right = Value(*static_cast<void* const*>(b));
	return left < right ? -1 : left > right ? 1 : 0;
}

}	// unnamed namespace


TEST(ListTest, AddsInsertsAndRemoves)
{
	BList list(2);
	EXPECT_TRUE(list.IsEmpty());
	EXPECT_EQ(list.FirstItem(), nullptr);
	EXPECT_EQ(list.LastItem(), nullptr);

	for (intptr_t i = 1; i <= 5; i++)
		ASSERT_TRUE(list.AddItem(Item(i)));
	EXPECT_TRUE(list.AddItem(Item(0), 0));
	EXPECT_TRUE(list.AddItem(Item(6), 6));
	EXPECT_TRUE(list.AddItem(Item(35), 4));
	EXPECT_FALSE(list.AddItem(Item(9), 9));
	EXPECT_FALSE(list.AddItem(Item(9), -1));
	EXPECT_EQ(Values(list), (std::vector<intptr_t>{0, 1, 2, 3, 35, 4, 5, 6}));
	EXPECT_EQ(Value(list.FirstItem()), 0);
	EXPECT_EQ(Value(list.LastItem()), 6);
	EXPECT_EQ(Value(list.ItemAtFast(4)), 35);
	EXPECT_EQ(list.ItemAt(8), nullptr);
	EXPECT_EQ(list.ItemAt(-1), nullptr);

	EXPECT_TRUE(list.RemoveItem(Item(35)));
	EXPECT_FALSE(list.RemoveItem(Item(35)));
	EXPECT_EQ(Value(list.RemoveItem((int32)0)), 0);
	EXPECT_EQ(list.RemoveItem((int32)10), nullptr);
	EXPECT_EQ(Values(list), (std::vector<intptr_t>{1, 2, 3, 4, 5, 6}));

	EXPECT_TRUE(list.RemoveItems(1, 2));
	EXPECT_EQ(Values(list), (std::vector<intptr_t>{1, 4, 5, 6}));
	EXPECT_TRUE(list.RemoveItems(2, 100));
	EXPECT_EQ(Values(list), (std::vector<intptr_t>{1, 4}));
	EXPECT_FALSE(list.RemoveItems(5, 1));
	EXPECT_FALSE(list.RemoveItems(0, -1));

	EXPECT_TRUE(list.ReplaceItem(1, Item(44)));
	EXPECT_FALSE(list.ReplaceItem(2, Item(44)));
	EXPECT_TRUE(list.HasItem(Item(44)));
	EXPECT_EQ(list.IndexOf(Item(44)), 1);
	EXPECT_EQ(list.IndexOf(Item(4)), -1);

	list.MakeEmpty();
	EXPECT_EQ(list.CountItems(), 0);
	EXPECT_TRUE(list.AddItem(nullptr));
	EXPECT_EQ(list.CountItems(), 1);
	EXPECT_EQ(list.IndexOf(nullptr), 0);
}


TEST(ListTest, CombinesCopiesAndReorders)
{
	BList a;
	BList b;
	for (intptr_t i = 1; i <= 3; i++) {
		a.AddItem(Item(i));
		b.AddItem(Item(i * 10));
	}
	EXPECT_TRUE(a.AddList(&b, 1));
	EXPECT_EQ(Values(a), (std::vector<intptr_t>{1, 10, 20, 30, 2, 3}));
	EXPECT_FALSE(a.AddList(nullptr));
	EXPECT_FALSE(a.AddList(&b, 99));
	// Adding a list to itself doubles it.
	EXPECT_TRUE(b.AddList(&b));
	EXPECT_EQ(Values(b), (std::vector<intptr_t>{10, 20, 30, 10, 20, 30}));

	BList copy(a);
	EXPECT_TRUE(copy == a);
	copy.RemoveItem((int32)0);
	EXPECT_TRUE(copy != a);
	copy = b;
	EXPECT_EQ(Values(copy), Values(b));

	EXPECT_TRUE(a.SwapItems(0, 5));
	EXPECT_FALSE(a.SwapItems(0, 6));
	EXPECT_EQ(Values(a), (std::vector<intptr_t>{3, 10, 20, 30, 2, 1}));
	EXPECT_TRUE(a.MoveItem(0, 3));
	EXPECT_EQ(Values(a), (std::vector<intptr_t>{10, 20, 30, 3, 2, 1}));
	EXPECT_TRUE(a.MoveItem(5, 1));
	EXPECT_EQ(Values(a), (std::vector<intptr_t>{10, 1, 20, 30, 3, 2}));
	EXPECT_FALSE(a.MoveItem(-1, 1));
	EXPECT_FALSE(a.MoveItem(1, 6));

	a.SortItems(CompareItems);
	EXPECT_EQ(Values(a), (std::vector<intptr_t>{1, 2, 3, 10, 20, 30}));
	a.SortItems(nullptr);
	EXPECT_EQ(Values(a), (std::vector<intptr_t>{1, 2, 3, 10, 20, 30}));
}


TEST(ListTest, DoForEachStopsWhenAsked)
{
	BList list;
	for (intptr_t i = 1; i <= 5; i++)
		list.AddItem(Item(i));

	intptr_t sum = 0;
	list.DoForEach([](void* item, void* data) -> bool {
		*static_cast<intptr_t*>(data) += Value(item);
		return Value(item) == 3;
	}, &sum);
	EXPECT_EQ(sum, 6);

	static int sCalls;
	sCalls = 0;
	list.DoForEach([](void*) -> bool { sCalls++; return false; });
	EXPECT_EQ(sCalls, 5);
}


TEST(ListTest, GrowsLargeAndShrinksBack)
{
	BList list(1);
	for (intptr_t i = 0; i < 3000; i++)
		ASSERT_TRUE(list.AddItem(Item(i), (int32)(i / 2)));
	EXPECT_EQ(list.CountItems(), 3000);
	EXPECT_TRUE(list.RemoveItems(0, 2999));
	EXPECT_EQ(list.CountItems(), 1);
	EXPECT_NE(list.Items(), nullptr);
	list.MakeEmpty();
	EXPECT_TRUE(list.IsEmpty());
	EXPECT_EQ(list.LastItem(), nullptr);
}
