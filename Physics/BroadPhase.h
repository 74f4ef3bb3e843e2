#pragma once
// Sort-and-sweep over the colliders' bounds: the candidate pairs that collision detection
// tests, as (i, j) indices into the collider list with i < j, in ascending order, so that the
// pair tests run in exactly the order of a walk over all pairs. A pair is left out only when
// its bounds are apart, which the pair tests exclude; colliders without bounds (planes,
// half-spaces, shapes with values that are not finite) pair with every other, and shapes that
// touch nothing (capsules) with none.
//
// Its arrays keep their storage between calls: a steady step allocates nothing.
#include "Math/Types.h"
#include <vector>

namespace Physics
{
class ColliderComponent;

class BroadPhase
{
public:
    // Candidate pairs packed as (i << 32) | j.
    const std::vector<u64>& FindPairs(const std::vector<ColliderComponent*>& colliders);

    static u32 First(u64 pair) { return static_cast<u32>(pair >> 32); }
    static u32 Second(u64 pair) { return static_cast<u32>(pair & 0xFFFFFFFFu); }

private:
    struct Entry
    {
        f32 minX;
        f32 maxX;
        f32 minY;
        f32 maxY;
        f32 minZ;
        f32 maxZ;
        u32 index;
    };

    void AddPair(u32 a, u32 b);

    std::vector<Entry> m_entries;
    std::vector<u32> m_unbounded;
    std::vector<u32> m_bounded;
    std::vector<u64> m_pairs;
};
} // namespace Physics
