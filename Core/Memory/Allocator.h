#pragma once
// The engine's size-class allocator: one ObjectAllocator pool per block size, each request
// served by the smallest block that fits, the ordinary heap above the largest. Block sizes are
// 128 << k for k = 0 .. N-1 (the doubling buckets), then four large buckets of 150000, 600000,
// 1050000 and 1400000 bytes. Free must be given the size the block was allocated with.
//
// Threads: any thread may allocate and free. The bucket table is built by the constructor and
// only read afterwards; each pool locks itself, so requests for different buckets run in
// parallel. The request totals are the pools' own counts plus those of the heap fallback, so no
// lock is shared between buckets.
#include "Core/Memory/ObjectAllocator.h"
#include "Math/Types.h"
#include <array>
#include <atomic>
#include <iterator>
#include <memory>
#include <vector>

class Allocator
{
public:
    static constexpr u32 SmallestBlockSize = 128;
    // Doubling beyond this would overflow a 32-bit block size.
    static constexpr u32 MaxDoublingBuckets = 25;
    static constexpr u32 LargeBlockSizes[] = {150000, 600000, 1050000, 1400000};

    // N = 0 is reported to the engine's error sink; the four large buckets are built regardless.
    explicit Allocator(u32 doublingBuckets);
    // Destroys every pool; each prints the objects still in use.
    ~Allocator();
    Allocator(const Allocator&) = delete;
    Allocator& operator=(const Allocator&) = delete;

    // A block of at least `size` bytes; above the largest bucket, a heap array. `fetchNext` as
    // for ObjectAllocator::AllocateIn.
    void* Allocate(u32 size, bool fetchNext = false)
    {
        // The smallest bucket (there is always one) takes every request up to the smallest
        // block size, without an index to work out.
        if (size <= SmallestBlockSize)
            return m_poolTable[0]->AllocateIn(m_cacheSlots[0], fetchNext);
        const std::size_t index = BucketIndex(size);
        if (index < m_poolCount)
            return m_poolTable[index]->AllocateIn(m_cacheSlots[index], fetchNext);
        return AllocateOnHeap(size);
    }
    // Returns a block with the size it was allocated with; null does nothing.
    void Free(void* block, u32 size)
    {
        if (block == nullptr)
            return;
        if (size <= SmallestBlockSize)
        {
            m_poolTable[0]->FreeIn(block, m_cacheSlots[0]);
            return;
        }
        const std::size_t index = BucketIndex(size);
        if (index < m_poolCount)
            m_poolTable[index]->FreeIn(block, m_cacheSlots[index]);
        else
            FreeOnHeap(block);
    }
    // The smallest block size >= size, or 0 when only the heap fits.
    u32 FindBucketSize(u32 size) const;
    // The pool that serves requests of `size` bytes, or null for the heap.
    const ObjectAllocator* FindBucket(u32 size) const;
    // The block sizes in ascending order.
    const std::vector<u32>& GetBlockSizes() const { return m_blockSizes; }

    u32 GetTotalAllocations() const;
    u32 GetTotalFrees() const;
    // Writes the totals and every bucket's statistics to the log (F11).
    void PrintStatistics() const;

private:
    // Index of the smallest bucket that fits, or m_blockSizes.size() for the heap. Up to the
    // last doubling bucket below every large one the index is the request's bit width past the
    // smallest block's; above, a short search.
    std::size_t BucketIndex(u32 size) const
    {
        if (size <= m_computedLimit)
        {
            if (size <= SmallestBlockSize)
                return 0;
            return SizeBits - static_cast<u32>(__builtin_clz(size - 1)) - SmallestBlockBits;
        }
        return SearchBucket(size);
    }
    std::size_t SearchBucket(u32 size) const;
    void* AllocateOnHeap(u32 size);
    void FreeOnHeap(void* block);

    static constexpr u32 SmallestBlockBits = 7; // SmallestBlockSize == 1 << SmallestBlockBits
    static_assert(SmallestBlockSize == 1u << SmallestBlockBits);

    u32 m_doublingBuckets;
    // Requests up to this size find their bucket by computation (0: none but empty requests).
    u32 m_computedLimit = 0;
    std::vector<u32> m_blockSizes; // ascending; parallel to m_pools
    // Bits in a request size; widths run from 0 (a request of 0 bytes) to SizeBits.
    static constexpr u32 SizeBits = 32;

    // By bit width w of a request: the first bucket of at least 2^(w-1) bytes, where the
    // search for the request's bucket starts (it ends at most a step or two later).
    std::array<u32, SizeBits + 1> m_firstCandidate;
    std::vector<std::unique_ptr<ObjectAllocator>> m_pools;
    // The pools and their cache slots by bucket, held in the allocator itself so that a request
    // reaches its thread's cache in as few dependent loads as possible.
    static constexpr u32 MaxBuckets = MaxDoublingBuckets + std::size(LargeBlockSizes);
    std::array<ObjectAllocator*, MaxBuckets> m_poolTable{};
    std::array<u32, MaxBuckets> m_cacheSlots{};
    std::size_t m_poolCount = 0;
    std::atomic<u32> m_heapAllocations;
    std::atomic<u32> m_heapFrees;
};
