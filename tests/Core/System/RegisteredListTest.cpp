// The registered list: joining order kept through removals and through items joining into the
// nodes of those that left, one entry per address, and a constant number of counted steps per
// join and leave.
#include "Core/System/RegisteredList.h"
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

using Core::RegisteredList;

TEST(RegisteredList, KeepsJoiningOrderListsEachAddressOnceAndCountsConstantSteps)
{
    int items[6] = {};
    RegisteredList<int> list;
    for (int& item : items)
        EXPECT_TRUE(list.Add(&item));
    EXPECT_FALSE(list.Add(&items[2])) << "listed already";
    EXPECT_FALSE(list.Add(nullptr));
    EXPECT_TRUE(list.Remove(&items[1]));
    EXPECT_FALSE(list.Remove(&items[1])) << "the second leave finds nothing";
    EXPECT_TRUE(list.Remove(&items[4]));
    EXPECT_EQ(std::vector<int*>(list.begin(), list.end()),
              (std::vector<int*>{&items[0], &items[2], &items[3], &items[5]}));
    EXPECT_TRUE(list.Contains(&items[3]));
    EXPECT_FALSE(list.Contains(&items[4]));
    EXPECT_EQ(list.front(), &items[0]);

    // A walk may take out the item after the one it stands on.
    std::vector<int*> walked;
    for (auto at = list.begin(); at != list.end(); ++at)
    {
        walked.push_back(*at);
        if (*at == &items[2])
            list.Remove(&items[3]);
    }
    EXPECT_EQ(walked, (std::vector<int*>{&items[0], &items[2], &items[5]}));

    // Items joining after others left (into their kept nodes) still join at the end, and leave
    // again by address; after Clear the list starts over.
    EXPECT_TRUE(list.Add(&items[1]));
    EXPECT_TRUE(list.Add(&items[4]));
    EXPECT_EQ(std::vector<int*>(list.begin(), list.end()),
              (std::vector<int*>{&items[0], &items[2], &items[5], &items[1], &items[4]}));
    EXPECT_TRUE(list.Remove(&items[5]));
    EXPECT_TRUE(list.Contains(&items[1]));
    EXPECT_EQ(list.size(), 4u);
    list.Clear();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.Contains(&items[0]));
    EXPECT_TRUE(list.Add(&items[3]));
    EXPECT_TRUE(list.Add(&items[0]));
    EXPECT_EQ(std::vector<int*>(list.begin(), list.end()),
              (std::vector<int*>{&items[3], &items[0]}));

    // Joining and leaving many, newest or oldest first, costs the same per item.
    constexpr int Count = 100000;
    std::vector<int> many(Count);
    const u64 before = Core::RegisteredListSteps();
    RegisteredList<int> big;
    for (int& item : many)
        big.Add(&item);
    for (int i = Count - 1; i >= Count / 2; --i)
        big.Remove(&many[i]);
    for (int i = 0; i < Count / 2; ++i)
        big.Remove(&many[i]);
    EXPECT_TRUE(big.empty());
    EXPECT_EQ(Core::RegisteredListSteps() - before, 2u * Count);
}
