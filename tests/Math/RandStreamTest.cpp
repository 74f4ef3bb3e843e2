#include "Math/RandStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Math;

// A stream's draws are the generator's own, bit for bit, and the generator carries on after it
// as if every draw had been made by Rand.
TEST(RandStream, DrawsAreTheGeneratorsOwnForEveryValue)
{
    // Enough draws that every one of the 32,768 values comes up.
    constexpr int Draws = 1 << 20;
    std::vector<f32> units(Draws);
    std::vector<f32> ranges(Draws);
    SeedRand(5);
    {
        RandStream stream;
        for (int i = 0; i < Draws; ++i)
            units[i] = stream.Unit();
        for (int i = 0; i < Draws; ++i)
            ranges[i] = stream.Range(-0.35f, 2.5f);
    }
    const s32 after = Rand();

    SeedRand(5);
    std::vector<bool> seen(RAND_LIMIT + 1, false);
    int differing = 0;
    for (int i = 0; i < Draws; ++i)
    {
        const f32 unit = RandUnit();
        seen[static_cast<std::size_t>(unit * static_cast<f32>(RAND_LIMIT) + 0.5f)] = true;
        differing += std::memcmp(&unit, &units[i], sizeof(unit)) != 0 ? 1 : 0;
    }
    for (int i = 0; i < Draws; ++i)
    {
        const f32 range = RandRange(-0.35f, 2.5f);
        differing += std::memcmp(&range, &ranges[i], sizeof(range)) != 0 ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(Rand(), after);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0) << "not every value was drawn";
}
