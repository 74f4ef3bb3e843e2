#pragma once
// What the files of the object allocator share and the public header keeps to itself: the debug
// patterns, the free bitmaps' word size, the returned batches' layout, the cache-slot registry and
// the few small members that more than one of the files inlines.
//
// ObjectAllocator.cpp holds the page geometry, the pages and the plain calls without a cache,
// ObjectAllocatorThreadCaches.cpp the threads' caches and the arenas' returned batches,
// ObjectAllocatorDebugChecks.cpp the checks of a debug Free and the walk of the leak dump.
#include "Core/Memory/ObjectAllocator.h"
#include "Math/Types.h"
#include <cstddef>
#include <mutex>

namespace ObjectAllocatorDetail
{
constexpr u08 UnallocatedPattern = 0xAA;
constexpr u08 AllocatedPattern = 0xBB;
constexpr u08 FreedPattern = 0xCC;
constexpr u08 PadPattern = 0xDD;
constexpr u08 AlignPattern = 0xEE;
constexpr u08 HeaderPattern = 0x00;
constexpr u08 InUseFlag = 0x01;

constexpr u32 BitsPerWord = 64;
// Slot indices come from a multiplication by the stride's reciprocal for pages below this size.
constexpr u64 ReciprocalShift = 32;
constexpr u64 ReciprocalLimit = u64{1} << ReciprocalShift;

// A batch on an arena's returned list is kept in its first block: the next batch, the number of
// other blocks, then their addresses. Taking a batch then reads one block's lines, not every
// block of the batch in turn. Objects too small to hold a few addresses go back under the
// arena's lock.
constexpr std::size_t BatchHeaderWords = 2;
constexpr std::size_t MinBatchObjectBytes = 4 * sizeof(void*);

inline void*& NextBatch(void* head)
{
    return static_cast<void**>(head)[0];
}

inline std::size_t& BatchOthers(void* head)
{
    return reinterpret_cast<std::size_t*>(head)[1];
}

inline void** BatchBlocks(void* head)
{
    return static_cast<void**>(head) + BatchHeaderWords;
}

// Taken when a pool is created or destroyed and when a thread's caches go back at its end:
// a pool cannot die while an ending thread hands it its cache.
std::mutex& CacheRegistryMutex();
extern bool
    g_cacheSlotTaken[Core::Memory::MaxCachedPools]; // under the registry mutex; 0 stays free
} // namespace ObjectAllocatorDetail

inline u08* ObjectAllocator::SlotObject(u08* page, u32 slot) const
{
    return page + m_firstObjectOffset + slot * m_stride;
}

inline u32 ObjectAllocator::SlotAt(u64 offset) const
{
    if (m_strideReciprocal != 0)
        return static_cast<u32>((offset * m_strideReciprocal) >>
                                ObjectAllocatorDetail::ReciprocalShift);
    return static_cast<u32>(offset / m_stride);
}

inline void ObjectAllocator::ReturnSlot(Arena& arena, Page* page, u32 slot)
{
    page->FreeBits()[slot / ObjectAllocatorDetail::BitsPerWord] |=
        u64{1} << (slot % ObjectAllocatorDetail::BitsPerWord);
    if (page->freeCount++ == 0)
        MakeAvailable(arena, page);
}
