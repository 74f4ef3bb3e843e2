// Holder counts of shared arrays and the moment an array is freed.
#include "Core/Memory/RefCountedArray.h"
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace
{
// Counts element destructions, so a test sees exactly when an array is freed.
struct Tracked
{
    static int destroyed;
    ~Tracked() { ++destroyed; }
};
int Tracked::destroyed = 0;

constexpr int Elements = 3;

class RefCountedArrayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Tracked::destroyed = 0;
        arraysBefore = RefCountedArrayCounts::GetArrayCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(RefCountedArrayCounts::GetArrayCount(), arraysBefore) << "an array leaked";
    }
    std::size_t arraysBefore = 0;
};
} // namespace

TEST_F(RefCountedArrayTest, TheLastHolderFreesTheArray)
{
    Tracked* array = new Tracked[Elements];
    RefCountedArray<Tracked> first;
    first.Assign(array);
    EXPECT_EQ(first.GetHolderCount(), 1u);
    {
        RefCountedArray<Tracked> second(first);
        RefCountedArray<Tracked> third;
        third = second;
        EXPECT_EQ(first.GetHolderCount(), 3u);
    }
    EXPECT_EQ(first.GetHolderCount(), 1u);
    EXPECT_EQ(Tracked::destroyed, 0);

    first.Release();
    EXPECT_EQ(Tracked::destroyed, Elements);
    EXPECT_EQ(first.Get(), nullptr);
    EXPECT_EQ(RefCountedArrayCounts::GetCount(array), 0u);
    first.Release(); // releasing an empty holder does nothing
}

TEST_F(RefCountedArrayTest, AssigningTheHeldArrayChangesNothing)
{
    RefCountedArray<Tracked> holder(new Tracked[Elements]);
    holder.Assign(holder.Get());
    RefCountedArray<Tracked>& same = holder;
    holder = same;
    EXPECT_EQ(holder.GetHolderCount(), 1u);
    EXPECT_EQ(Tracked::destroyed, 0);
}

TEST_F(RefCountedArrayTest, AssigningANewArrayLetsGoOfTheOld)
{
    RefCountedArray<Tracked> holder(new Tracked[Elements]);
    RefCountedArray<Tracked> sharer(holder);
    Tracked* replacement = new Tracked[1];

    // The old array still has a holder: it stays.
    holder.Assign(replacement);
    EXPECT_EQ(Tracked::destroyed, 0);
    EXPECT_EQ(holder.GetHolderCount(), 1u);
    EXPECT_EQ(sharer.GetHolderCount(), 1u);

    // Now its last holder moves on to the shared replacement: the old array goes.
    sharer = holder;
    EXPECT_EQ(Tracked::destroyed, Elements);
    EXPECT_EQ(holder.GetHolderCount(), 2u);
}

TEST_F(RefCountedArrayTest, MovingAndCopyingRecordsKeepTheCountRight)
{
    // Category records that hold enumeration values live in vectors that copy and move them.
    std::vector<RefCountedArray<Tracked>> records(1);
    records[0].Assign(new Tracked[Elements]);
    Tracked* array = records[0].Get();
    for (int i = 0; i < 8; ++i)
        records.push_back(records[0]);
    EXPECT_EQ(RefCountedArrayCounts::GetCount(array), 9u);

    RefCountedArray<Tracked> moved(std::move(records[0]));
    EXPECT_EQ(records[0].Get(), nullptr);
    EXPECT_EQ(RefCountedArrayCounts::GetCount(array), 9u);

    records.clear();
    EXPECT_EQ(Tracked::destroyed, 0);
    moved = RefCountedArray<Tracked>();
    EXPECT_EQ(Tracked::destroyed, Elements);
}
