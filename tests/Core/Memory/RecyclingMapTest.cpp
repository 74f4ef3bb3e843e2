// The recycling map behaves as the hash map it wraps while it refills the nodes of erased
// entries: added, found, erased and walked the same, and a map held as an entry's value is
// refilled empty when that entry's node is reused.
#include "Core/Memory/RecyclingMap.h"
#include <gtest/gtest.h>
#include <map>
#include <string>

using Core::RecyclingMap;

TEST(RecyclingMap, EntriesComeAndGoAsInAHashMapAndReusedNodesHoldTheNewEntries)
{
    RecyclingMap<int, std::string> map;
    EXPECT_TRUE(map.emplace(1, "one").second);
    EXPECT_TRUE(map.emplace(2, "two").second);
    EXPECT_FALSE(map.emplace(1, "uno").second) << "a key already there keeps its value";
    EXPECT_EQ(map.at(1), "one");
    EXPECT_EQ(map.erase(2), 1u);
    EXPECT_EQ(map.erase(2), 0u);
    EXPECT_EQ(map.count(2), 0u);

    // Erased through an iterator (the next one answered), then added again, in any number.
    for (int round = 0; round < 3; ++round)
    {
        for (int key = 10; key < 20; ++key)
            map[key] = "value " + std::to_string(key * round);
        for (auto entry = map.begin(); entry != map.end();)
            entry =
                entry->first >= 10 && entry->first % 2 == 0 ? map.erase(entry) : std::next(entry);
        std::map<int, std::string> seen(map.begin(), map.end());
        std::map<int, std::string> expected{{1, "one"}};
        for (int key = 11; key < 20; key += 2)
            expected[key] = "value " + std::to_string(key * round);
        EXPECT_EQ(seen, expected) << "round " << round;
        for (int key = 11; key < 20; key += 2)
            map.erase(key);
    }
    map[5]; // added with an empty value, not the value of the entry whose node it took
    EXPECT_EQ(map.at(5), "");
    map.clear();
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(map.find(1), map.end());

    // Maps of maps: an outer entry refilled after it was erased starts with an empty map.
    RecyclingMap<int, RecyclingMap<int, int>> nested;
    nested[7][1] = 10;
    nested[7][2] = 20;
    nested.erase(7);
    nested[8][3] = 30;
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_EQ(nested.at(8).size(), 1u);
    EXPECT_EQ(nested.at(8).at(3), 30);
    RecyclingMap<int, int> copy(nested.at(8));
    copy[4] = 40;
    EXPECT_EQ(nested.at(8).count(4), 0u) << "a copy is a map of its own";
}
