#include "Physics/BroadPhase.h"
#include "Physics/ColliderComponent.h"
#include <algorithm>

namespace Physics
{
void BroadPhase::AddPair(u32 a, u32 b)
{
    m_pairs.push_back(a < b ? (static_cast<u64>(a) << 32) | b : (static_cast<u64>(b) << 32) | a);
}

const std::vector<u64>& BroadPhase::FindPairs(const std::vector<ColliderComponent*>& colliders)
{
    m_entries.clear();
    m_unbounded.clear();
    m_bounded.clear();
    m_pairs.clear();

    const u32 count = static_cast<u32>(colliders.size());
    for (u32 i = 0; i < count; ++i)
    {
        Math::Vector4 min;
        Math::Vector4 max;
        switch (colliders[i]->GetBounds(min, max))
        {
        case ColliderComponent::BoundsKind::Bounded:
            m_entries.push_back(Entry{min.x, max.x, min.y, max.y, min.z, max.z, i});
            m_bounded.push_back(i);
            break;
        case ColliderComponent::BoundsKind::Unbounded:
            m_unbounded.push_back(i);
            break;
        case ColliderComponent::BoundsKind::Never:
            break;
        }
    }

    std::sort(m_entries.begin(), m_entries.end(),
              [](const Entry& a, const Entry& b) { return a.minX < b.minX; });
    const std::size_t entryCount = m_entries.size();
    for (std::size_t i = 0; i < entryCount; ++i)
    {
        const Entry& a = m_entries[i];
        for (std::size_t j = i + 1; j < entryCount && m_entries[j].minX <= a.maxX; ++j)
        {
            const Entry& b = m_entries[j];
            if (a.minY <= b.maxY && b.minY <= a.maxY && a.minZ <= b.maxZ && b.minZ <= a.maxZ)
                AddPair(a.index, b.index);
        }
    }

    // Unbounded colliders meet every bounded one and each other.
    for (std::size_t u = 0; u < m_unbounded.size(); ++u)
    {
        for (u32 bounded : m_bounded)
            AddPair(m_unbounded[u], bounded);
        for (std::size_t v = u + 1; v < m_unbounded.size(); ++v)
            AddPair(m_unbounded[u], m_unbounded[v]);
    }

    std::sort(m_pairs.begin(), m_pairs.end());
    return m_pairs;
}
} // namespace Physics
