#include "Core/Memory/Allocator.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include <algorithm>
#include <new>

namespace
{
const char* const InvalidBucketCountText = "Invalid Number of Allocator Buckets";
constexpr s32 InvalidBucketCountLevel = 1;
} // namespace

Allocator::Allocator(u32 doublingBuckets)
    : m_doublingBuckets(doublingBuckets), m_heapAllocations(0), m_heapFrees(0)
{
    if (m_doublingBuckets == 0)
    {
        const ErrorReport report(InvalidBucketCountText, InvalidBucketCountLevel);
        if (g_Engine != nullptr)
            g_Engine->LogError(report);
        else
            Core::Log() << "Error [Allocator]: " << report.text << '\n';
    }
    if (m_doublingBuckets > MaxDoublingBuckets)
    {
        Core::Log() << "Error [Allocator]: " << doublingBuckets
                    << " doubling buckets overflow a 32-bit block size; using "
                    << MaxDoublingBuckets << '\n';
        m_doublingBuckets = MaxDoublingBuckets;
    }

    for (u32 k = 0; k < m_doublingBuckets; ++k)
        m_blockSizes.push_back(SmallestBlockSize << k);
    for (u32 size : LargeBlockSizes)
        m_blockSizes.push_back(size);
    // Many doubling buckets reach past the large ones; lookups need ascending sizes.
    std::sort(m_blockSizes.begin(), m_blockSizes.end());

    m_firstCandidate[0] = 0;
    for (std::size_t width = 1; width < m_firstCandidate.size(); ++width)
    {
        const u32 lowest = 1u << (width - 1);
        m_firstCandidate[width] =
            static_cast<u32>(std::lower_bound(m_blockSizes.begin(), m_blockSizes.end(), lowest) -
                             m_blockSizes.begin());
    }

    // The leading run of doubling buckets, before the first large one, is found by computation.
    for (std::size_t k = 0; k < m_blockSizes.size() && m_blockSizes[k] == SmallestBlockSize << k;
         ++k)
        m_computedLimit = m_blockSizes[k];

    const ObjectAllocatorConfig config;
    m_pools.reserve(m_blockSizes.size());
    for (u32 size : m_blockSizes)
    {
        m_pools.push_back(std::make_unique<ObjectAllocator>(size, config));
        m_poolTable[m_poolCount] = m_pools.back().get();
        m_cacheSlots[m_poolCount] = m_pools.back()->GetCacheSlot();
        ++m_poolCount;
    }
}

Allocator::~Allocator() = default;

std::size_t Allocator::SearchBucket(u32 size) const
{
    const u32 width = size == 0 ? 0 : SizeBits - static_cast<u32>(__builtin_clz(size));
    std::size_t index = m_firstCandidate[width];
    while (index < m_blockSizes.size() && m_blockSizes[index] < size)
        ++index;
    return index;
}

void* Allocator::AllocateOnHeap(u32 size)
{
    m_heapAllocations.fetch_add(1, std::memory_order_relaxed);
    return ::operator new(size);
}

void Allocator::FreeOnHeap(void* block)
{
    m_heapFrees.fetch_add(1, std::memory_order_relaxed);
    ::operator delete(block);
}

u32 Allocator::FindBucketSize(u32 size) const
{
    const std::size_t index = BucketIndex(size);
    return index < m_blockSizes.size() ? m_blockSizes[index] : 0;
}

const ObjectAllocator* Allocator::FindBucket(u32 size) const
{
    const std::size_t index = BucketIndex(size);
    return index < m_pools.size() ? m_pools[index].get() : nullptr;
}

u32 Allocator::GetTotalAllocations() const
{
    u32 total = m_heapAllocations.load(std::memory_order_relaxed);
    for (const auto& pool : m_pools)
        total += pool->GetStats().allocations;
    return total;
}

u32 Allocator::GetTotalFrees() const
{
    u32 total = m_heapFrees.load(std::memory_order_relaxed);
    for (const auto& pool : m_pools)
        total += pool->GetStats().deallocations;
    return total;
}

void Allocator::PrintStatistics() const
{
    Core::Log() << '\n' << ":: Allocator Debug ::" << '\n';
    Core::Log() << "Allocates Total: " << GetTotalAllocations() << '\n';
    Core::Log() << "Deletes Total:   " << GetTotalFrees() << '\n';
    Core::Log() << "-- Allocates Per Bucket --" << '\n';
    for (const auto& pool : m_pools)
    {
        Core::Log() << pool->GetStats() << '\n';
    }
    Core::Log() << ":: ~Allocator Debug~ ::" << '\n' << '\n';
}
