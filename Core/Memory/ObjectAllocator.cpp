#include "Core/Memory/ObjectAllocator.h"
#include "Core/Log.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <ostream>
#include <thread>
#include <unordered_set>

namespace
{
constexpr u08 UnallocatedPattern = 0xAA;
constexpr u08 AllocatedPattern = 0xBB;
constexpr u08 FreedPattern = 0xCC;
constexpr u08 PadPattern = 0xDD;
constexpr u08 AlignPattern = 0xEE;
constexpr u08 HeaderPattern = 0x00;
constexpr u08 InUseFlag = 0x01;

// Slots are never less aligned than this, whatever the configuration asks for.
constexpr std::size_t MinimumAlignment = 8;
// Every page starts with one pointer's worth of bytes that hold no object (the page's link in
// the layout the statistics describe).
constexpr std::size_t PageLinkSize = sizeof(void*);
constexpr u32 BitsPerWord = 64;
// Slot indices come from a multiplication by the stride's reciprocal for pages below this size.
constexpr u64 ReciprocalShift = 32;
constexpr u64 ReciprocalLimit = u64{1} << ReciprocalShift;
// Pages are taken from the heap in chunks of about this size (see the header).
constexpr std::size_t ChunkBytes = 64 * 1024;
constexpr std::size_t CacheLineSize = 64;
// A page's index in its chunk comes from a multiplication by the page span's reciprocal, exact
// for chunks far below 2^24 bytes.
constexpr u64 SpanShift = 48;
// Objects are at least this big, whatever was asked for.
constexpr std::size_t MinimumObjectSize = sizeof(void*);

// Printable range of the leak dump's character column.
constexpr u08 FirstPrintable = 32;
constexpr u08 LastPrintable = 127;

const char* const NoMemoryText = "unable to allocate memory from OS";
const char* const BadAddressText = "object was not found on a valid page";
const char* const BadBoundaryText = "freeing address on bad boundary";
const char* const MultipleFreeText = "attempting to free object twice";
const char* const CorruptedBeforeText = "memory corrupted before block";
const char* const CorruptedAfterText = "memory corrupted after block";

// Bytes to add to `unit` to reach the next multiple of `alignment`.
std::size_t FillTo(std::size_t unit, std::size_t alignment)
{
    return (alignment - unit % alignment) % alignment;
}

bool IsPowerOfTwo(std::size_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

std::size_t NextPowerOfTwo(std::size_t value)
{
    std::size_t power = 1;
    while (power < value)
        power <<= 1;
    return power;
}

u32 ClampToU32(std::size_t value)
{
    return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<u32>(value);
}

// A thread's cache holds about this many bytes of free blocks (within the block-count limits),
// so that large blocks are not hoarded by idle threads.
constexpr std::size_t CacheBytes = 32 * 1024;
constexpr u32 MinCacheBlocks = 2;

// Taken when a pool is created or destroyed and when a thread's caches go back at its end:
// a pool cannot die while an ending thread hands it its cache.
std::mutex& CacheRegistryMutex()
{
    static std::mutex mutex;
    return mutex;
}
bool g_cacheSlotTaken[Core::Memory::MaxCachedPools]; // under the registry mutex; 0 stays free

// Set once the thread's caches have gone back: frees made by later thread-exit code go straight
// to the pools.
thread_local bool t_cachesReturned = false;

// Returns the thread's caches to their pools when the thread ends.
struct ThreadCacheReturn
{
    bool armed = false;
    ~ThreadCacheReturn()
    {
        t_cachesReturned = true;
        std::lock_guard<std::mutex> lock(CacheRegistryMutex());
        for (u32 slot = 1; slot < Core::Memory::MaxCachedPools; ++slot)
        {
            Core::Memory::PoolCache* cache = Core::Memory::t_poolCaches[slot];
            if (cache == nullptr)
                continue;
            Core::Memory::t_poolCaches[slot] = nullptr;
            if (cache->pool != nullptr)
                cache->pool->ReturnCache(cache);
            delete cache;
        }
    }
};
thread_local ThreadCacheReturn t_cacheReturn;

s64 NetOf(u32 allocations, u32 deallocations)
{
    // Wrapping counters: the difference stays right after either passes 2^32.
    return static_cast<s32>(allocations - deallocations);
}

s64 NetOf(const Core::Memory::PoolCache& cache)
{
    return NetOf(cache.allocations.load(std::memory_order_relaxed),
                 cache.deallocations.load(std::memory_order_relaxed));
}

// The destructor's leak report: a header line, the bytes as characters, then as hex. The
// header prints a fixed 0x00000000 in place of the address, so the report reads the same from
// run to run.
void PrintObjectInUse(const void* object, u32 objectSize)
{
    const u08* bytes = static_cast<const u08*>(object);
    std::printf("Block at 0x00000000, %i bytes long.\n", static_cast<int>(objectSize));
    std::printf(" Data: <");
    for (u32 i = 0; i < objectSize; ++i)
    {
        const bool printable = bytes[i] >= FirstPrintable && bytes[i] <= LastPrintable;
        std::putchar(printable ? bytes[i] : ' ');
    }
    std::printf(">");
    for (u32 i = 0; i < objectSize; ++i)
        std::printf(" %02X", bytes[i]);
    std::printf("\n");
}
} // namespace

namespace Core
{
namespace Memory
{
__thread PoolCache* t_poolCaches[MaxCachedPools] = {};
} // namespace Memory
} // namespace Core

ObjectAllocator::ObjectAllocator(u32 objectSize, const ObjectAllocatorConfig& config)
    : m_config(config), m_objectSize(std::max<std::size_t>(objectSize, MinimumObjectSize)),
      m_pageSize(0), m_pageSpan(0), m_recordSize(0), m_recordsArea(0), m_chunkSize(0),
      m_chunkAlignment(0), m_pagesPerChunk(1), m_bitWords(0), m_firstObjectOffset(0), m_stride(0),
      m_alignment(MinimumAlignment)
{
    if (m_config.objectsPerPage == 0)
    {
        Core::Log() << "Error [ObjectAllocator]: a pool of " << objectSize
                    << "-byte objects was configured with 0 objects per page; using 1\n";
        m_config.objectsPerPage = 1;
    }
    m_alignment = std::max<std::size_t>(m_config.alignment, MinimumAlignment);
    if (!IsPowerOfTwo(m_alignment))
    {
        Core::Log() << "Error [ObjectAllocator]: alignment " << m_config.alignment
                    << " is not a power of two; using " << NextPowerOfTwo(m_alignment) << '\n';
        m_alignment = NextPowerOfTwo(m_alignment);
    }

    const std::size_t header = m_config.headerSize;
    const std::size_t pad = m_config.padBytes;
    const std::size_t slotUnit = header + 2 * pad + m_objectSize;
    m_config.leftAlignSize = static_cast<u32>(FillTo(PageLinkSize + header + pad, m_alignment));
    m_config.interAlignSize = static_cast<u32>(FillTo(slotUnit, m_alignment));

    const std::size_t slots = m_config.objectsPerPage;
    m_pageSize = PageLinkSize + m_config.leftAlignSize + slots * slotUnit +
                 (slots - 1) * m_config.interAlignSize;
    m_bitWords = (m_config.objectsPerPage + BitsPerWord - 1) / BitsPerWord;
    const std::size_t spanAlignment = std::max(CacheLineSize, m_alignment);
    m_pageSpan = m_pageSize + FillTo(m_pageSize, spanAlignment);
    m_recordSize = sizeof(Page) + m_bitWords * sizeof(u64);
    m_recordSize += FillTo(m_recordSize, CacheLineSize);
    if (m_pageSpan <= ChunkBytes / 2)
        m_pagesPerChunk = static_cast<u32>(ChunkBytes / m_pageSpan);
    m_recordsArea = m_pagesPerChunk * m_recordSize;
    m_recordsArea += FillTo(m_recordsArea, spanAlignment);
    m_chunkSize = m_recordsArea + m_pagesPerChunk * m_pageSpan;
    m_chunkAlignment = NextPowerOfTwo(m_chunkSize);
    if (m_pagesPerChunk > 1)
        m_spanReciprocal = ((u64{1} << SpanShift) + m_pageSpan - 1) / m_pageSpan;
    m_firstObjectOffset = PageLinkSize + m_config.leftAlignSize + header + pad;
    m_stride = slotUnit + m_config.interAlignSize;
    if (m_pageSize < ReciprocalLimit)
        m_strideReciprocal = (ReciprocalLimit + m_stride - 1) / m_stride;

    // Debug pools check every call and use-heap pools keep no blocks: neither has caches.
    if (!m_config.useHeap && !m_config.debugOn)
    {
        std::lock_guard<std::mutex> lock(CacheRegistryMutex());
        for (u32 slot = 1; slot < Core::Memory::MaxCachedPools; ++slot)
        {
            if (!g_cacheSlotTaken[slot])
            {
                g_cacheSlotTaken[slot] = true;
                m_cacheSlot = slot;
                break;
            }
        }
    }

    if (!m_config.useHeap)
    {
        try
        {
            AddPage();
        }
        catch (...)
        {
            ReleaseCacheSlot();
            throw;
        }
    }
}

ObjectAllocator::~ObjectAllocator()
{
    DumpMemoryInUse(&PrintObjectInUse);
    ReleaseCacheSlot();
    for (u08* chunk : m_chunks)
        ReleaseMemory(chunk, m_chunkAlignment);
}

void ObjectAllocator::ReleaseCacheSlot()
{
    if (m_cacheSlot == 0)
        return;
    // Caches of threads still running are left to them: they see the pool gone and drop them.
    std::lock_guard<std::mutex> lock(CacheRegistryMutex());
    for (Core::Memory::PoolCache* cache = m_caches; cache != nullptr; cache = cache->nextInPool)
        cache->pool = nullptr;
    m_caches = nullptr;
    g_cacheSlotTaken[m_cacheSlot] = false;
    m_cacheSlot = 0;
}

Core::Memory::PoolCache* ObjectAllocator::CacheForThisThread()
{
    if (m_cacheSlot == 0 || t_cachesReturned)
        return nullptr;
    Core::Memory::PoolCache*& entry = Core::Memory::t_poolCaches[m_cacheSlot];
    if (entry != nullptr && entry->pool == this)
        return entry;
    // Left behind by a pool that died: this slot now belongs to this pool.
    delete entry;
    entry = nullptr;

    t_cacheReturn.armed = true; // the thread's end returns what it caches
    auto* cache = new Core::Memory::PoolCache();
    const std::size_t fit = CacheBytes / m_objectSize;
    cache->capacity = static_cast<u32>(
        std::clamp<std::size_t>(fit, MinCacheBlocks, Core::Memory::PoolCache::MaxBlocks));
    cache->batch = cache->capacity / 2;
    cache->pool = this;
    {
        std::lock_guard<Core::SpinLock> lock(m_lock);
        cache->othersAtSync = ObjectsInUse();
        cache->nextInPool = m_caches;
        m_caches = cache;
    }
    entry = cache;
    return cache;
}

void* ObjectAllocator::AllocateSlow()
{
    if (Core::Memory::PoolCache* cache = CacheForThisThread())
    {
        Refill(*cache);
        return Allocate();
    }
    return AllocateShared();
}

void ObjectAllocator::FreeSlow(void* object)
{
    if (object == nullptr)
        return;
    if (Core::Memory::PoolCache* cache = CacheForThisThread())
    {
        if (cache->count.load(std::memory_order_relaxed) >= cache->capacity)
            Flush(*cache, cache->batch);
        Free(object);
        return;
    }
    FreeShared(static_cast<u08*>(object));
}

void ObjectAllocator::Refill(Core::Memory::PoolCache& cache)
{
    std::lock_guard<Core::SpinLock> lock(m_lock);
    Resync(cache);
    // Taken in the order the pages hand them out and stacked so that the first comes out first.
    // A page is added only when no page has a free slot.
    u08* taken[Core::Memory::PoolCache::MaxBlocks];
    u32 count = 0;
    while (count < cache.batch && (count == 0 || m_available != nullptr))
        taken[count++] = TakeFromPages();
    const u32 held = cache.count.load(std::memory_order_relaxed);
    for (u32 i = 0; i < count; ++i)
        cache.blocks[held + count - 1 - i] = taken[i];
    cache.count.store(held + count, std::memory_order_relaxed);
}

void ObjectAllocator::Flush(Core::Memory::PoolCache& cache, u32 blocks)
{
    // The oldest blocks go back; the recently freed (and still warm) ones stay. Their page
    // records are fetched all at once before the lock is taken: blocks freed in a shuffled order
    // each land on a different page, and the misses then overlap instead of queueing.
    const u32 held = cache.count.load(std::memory_order_relaxed);
    blocks = std::min(blocks, held);
    for (u32 i = 0; i < blocks; ++i)
        __builtin_prefetch(PageOf(static_cast<const u08*>(cache.blocks[i])), 1);
    std::lock_guard<Core::SpinLock> lock(m_lock);
    Resync(cache);
    for (u32 i = 0; i < blocks; ++i)
        ReturnToPage(static_cast<u08*>(cache.blocks[i]));
    std::memmove(cache.blocks, cache.blocks + blocks, (held - blocks) * sizeof(void*));
    cache.count.store(held - blocks, std::memory_order_relaxed);
}

void ObjectAllocator::ReturnCache(Core::Memory::PoolCache* cache)
{
    std::lock_guard<Core::SpinLock> lock(m_lock);
    Resync(*cache);
    const u32 held = cache->count.load(std::memory_order_relaxed);
    for (u32 i = 0; i < held; ++i)
        ReturnToPage(static_cast<u08*>(cache->blocks[i]));
    cache->count.store(0, std::memory_order_relaxed);
    m_sharedAllocations += cache->allocations.load(std::memory_order_relaxed);
    m_sharedDeallocations += cache->deallocations.load(std::memory_order_relaxed);
    m_sharedInUse += NetOf(*cache);
    for (Core::Memory::PoolCache** link = &m_caches; *link != nullptr; link = &(*link)->nextInPool)
    {
        if (*link == cache)
        {
            *link = cache->nextInPool;
            break;
        }
    }
    cache->pool = nullptr;
}

void ObjectAllocator::FlushOwnCache() const
{
    if (m_cacheSlot == 0)
        return;
    std::lock_guard<std::mutex> lock(CacheRegistryMutex());
    Core::Memory::PoolCache*& entry = Core::Memory::t_poolCaches[m_cacheSlot];
    if (entry == nullptr || entry->pool != this)
        return;
    const_cast<ObjectAllocator*>(this)->ReturnCache(entry);
    delete entry;
    entry = nullptr;
}

s64 ObjectAllocator::ObjectsInUse() const
{
    s64 inUse = m_sharedInUse;
    for (const Core::Memory::PoolCache* cache = m_caches; cache != nullptr;
         cache = cache->nextInPool)
        inUse += NetOf(*cache);
    return inUse;
}

void ObjectAllocator::Resync(Core::Memory::PoolCache& cache)
{
    // Between two exchanges only this thread's count moved, as far as this cache knows: the
    // most in use then was the others' count at the last exchange plus this thread's peak.
    const s64 seen = cache.othersAtSync + cache.peakNet.load(std::memory_order_relaxed);
    m_mostObjects = std::max<s64>(m_mostObjects, std::min<s64>(seen, 0xFFFFFFFF));
    const s64 net = NetOf(cache);
    const s64 inUse = ObjectsInUse();
    m_mostObjects = std::max<s64>(m_mostObjects, std::min<s64>(inUse, 0xFFFFFFFF));
    cache.othersAtSync = inUse - net;
    cache.peakNet.store(net, std::memory_order_relaxed);
}

void* ObjectAllocator::AllocateShared()
{
    std::lock_guard<Core::SpinLock> lock(m_lock);
    u08* object = nullptr;
    if (m_config.useHeap)
    {
        object = AllocateMemory(m_objectSize, m_alignment);
        if (object == nullptr)
            throw Core::OAException(Core::OAException::E_NO_MEMORY, NoMemoryText);
    }
    else
    {
        object = TakeFromPages();
        if (m_config.debugOn)
        {
            if (m_config.headerSize != 0)
                object[-static_cast<std::ptrdiff_t>(m_config.padBytes) - 1] = InUseFlag;
            std::memset(object, AllocatedPattern, m_objectSize);
        }
    }
    ++m_sharedAllocations;
    ++m_sharedInUse;
    m_mostObjects = std::max<s64>(m_mostObjects, std::min<s64>(ObjectsInUse(), 0xFFFFFFFF));
    return object;
}

void ObjectAllocator::FreeShared(u08* object)
{
    std::lock_guard<Core::SpinLock> lock(m_lock);
    ++m_sharedDeallocations;
    if (m_config.useHeap)
    {
        --m_sharedInUse;
        ReleaseMemory(object, m_alignment);
        return;
    }
    if (m_config.debugOn)
    {
        CheckFree(object); // throws before anything changes
        if (m_config.headerSize != 0)
            object[-static_cast<std::ptrdiff_t>(m_config.padBytes) - 1] = HeaderPattern;
        std::memset(object, FreedPattern, m_objectSize);
    }
    ReturnToPage(object);
    --m_sharedInUse;
}

u08* ObjectAllocator::TakeFromPages()
{
    if (m_available == nullptr)
        AddPage();
    Page* page = m_available;
    u64* bits = page->FreeBits();
    u32 word = m_bitWords - 1;
    while (bits[word] == 0)
        --word;
    const u32 bit = BitsPerWord - 1 - static_cast<u32>(__builtin_clzll(bits[word]));
    bits[word] &= ~(u64{1} << bit);
    --page->freeCount;
    --m_sharedFree;
    if (page->freeCount == 0)
        MakeUnavailable(page);
    return SlotObject(page->memory, word * BitsPerWord + bit);
}

void ObjectAllocator::ReturnToPage(u08* object)
{
    // The record's line is the one memory access (the block itself is not written).
    Page* page = PageOf(object);
    const u32 slot = SlotIndex(page, object);
    page->FreeBits()[slot / BitsPerWord] |= u64{1} << (slot % BitsPerWord);
    ++page->freeCount;
    ++m_sharedFree;
    if (!page->available)
        MakeAvailable(page);
}

void ObjectAllocator::MakeAvailable(Page* page)
{
    page->available = true;
    page->previousAvailable = nullptr;
    page->nextAvailable = m_available;
    if (m_available != nullptr)
        m_available->previousAvailable = page;
    m_available = page;
}

void ObjectAllocator::MakeUnavailable(Page* page)
{
    page->available = false;
    if (page->previousAvailable != nullptr)
        page->previousAvailable->nextAvailable = page->nextAvailable;
    else
        m_available = page->nextAvailable;
    if (page->nextAvailable != nullptr)
        page->nextAvailable->previousAvailable = page->previousAvailable;
    page->nextAvailable = page->previousAvailable = nullptr;
}

ObjectAllocatorStats ObjectAllocator::GetStats() const
{
    std::lock_guard<Core::SpinLock> lock(m_lock);
    ObjectAllocatorStats stats;
    stats.objectSize = static_cast<u32>(m_objectSize);
    stats.pageSize = ClampToU32(m_pageSize);
    stats.pagesInUse = m_pagesInUse;
    u64 allocations = m_sharedAllocations;
    u64 deallocations = m_sharedDeallocations;
    u32 freeObjects = m_sharedFree;
    s64 most = m_mostObjects;
    for (const Core::Memory::PoolCache* cache = m_caches; cache != nullptr;
         cache = cache->nextInPool)
    {
        allocations += cache->allocations.load(std::memory_order_relaxed);
        deallocations += cache->deallocations.load(std::memory_order_relaxed);
        freeObjects += cache->count.load(std::memory_order_relaxed);
        most = std::max(most, cache->othersAtSync + cache->peakNet.load(std::memory_order_relaxed));
    }
    const s64 inUse = ObjectsInUse();
    most = std::max(most, inUse);
    stats.allocations = static_cast<u32>(allocations);
    stats.deallocations = static_cast<u32>(deallocations);
    stats.freeObjects = freeObjects;
    stats.objectsInUse = static_cast<u32>(inUse);
    stats.mostObjects = static_cast<u32>(std::min<s64>(most, 0xFFFFFFFF));
    return stats;
}

u32 ObjectAllocator::DumpMemoryInUse(DumpCallback callback) const
{
    FlushOwnCache();
    // The callback runs under the pool's lock: it must not call back into this pool.
    std::lock_guard<Core::SpinLock> lock(m_lock);
    if (ObjectsInUse() <= 0)
        return 0;

    // Without a header the record of "free" is the pages' bits and the caches' blocks.
    std::unordered_set<const u08*> cachedObjects;
    for (const Core::Memory::PoolCache* cache = m_caches; cache != nullptr;
         cache = cache->nextInPool)
    {
        const u32 held = cache->count.load(std::memory_order_relaxed);
        for (u32 i = 0; i < held; ++i)
            cachedObjects.insert(static_cast<const u08*>(cache->blocks[i]));
    }

    u32 found = 0;
    for (const Page* page = m_pageList; page != nullptr; page = page->next)
    {
        for (u32 slot = 0; slot < m_config.objectsPerPage; ++slot)
        {
            const u08* object = SlotObject(page->memory, slot);
            const bool inUse = m_config.headerSize != 0
                                   ? IsInUse(object)
                                   : !IsFreeSlot(page, slot) && cachedObjects.count(object) == 0;
            if (!inUse)
                continue;
            ++found;
            if (callback != nullptr)
                callback(object, static_cast<u32>(m_objectSize));
        }
    }
    return found;
}

void ObjectAllocator::AddPage()
{
    if (m_chunks.empty() || m_chunkPagesUsed == m_pagesPerChunk)
    {
        m_chunks.reserve(m_chunks.size() + 1);
        u08* chunk = AllocateMemory(m_chunkSize, m_chunkAlignment);
        if (chunk == nullptr)
            throw Core::OAException(Core::OAException::E_NO_MEMORY, NoMemoryText);
        m_chunks.push_back(chunk);
        m_chunkPagesUsed = 0;
    }
    u08* const chunk = m_chunks.back();
    u08* const memory = chunk + m_recordsArea + m_chunkPagesUsed * m_pageSpan;
    u08* const record = chunk + m_chunkPagesUsed * m_recordSize;
    ++m_chunkPagesUsed;

    if (m_config.debugOn)
    {
        std::memset(memory, UnallocatedPattern, m_pageSize);
        std::memset(memory + PageLinkSize, AlignPattern, m_config.leftAlignSize);
        for (u32 slot = 0; slot < m_config.objectsPerPage; ++slot)
        {
            u08* object = SlotObject(memory, slot);
            u08* leadingPad = object - m_config.padBytes;
            u08* header = leadingPad - m_config.headerSize;
            if (slot != 0)
                std::memset(header - m_config.interAlignSize, AlignPattern,
                            m_config.interAlignSize);
            std::memset(header, HeaderPattern, m_config.headerSize);
            std::memset(leadingPad, PadPattern, m_config.padBytes);
            std::memset(object + m_objectSize, PadPattern, m_config.padBytes);
        }
    }

    auto* page = new (record) Page();
    page->memory = memory;
    u64* bits = page->FreeBits();
    for (u32 word = 0; word < m_bitWords; ++word)
    {
        const u32 slots = std::min(BitsPerWord, m_config.objectsPerPage - word * BitsPerWord);
        bits[word] = slots == BitsPerWord ? ~u64{0} : (u64{1} << slots) - 1;
    }
    page->freeCount = m_config.objectsPerPage;
    page->next = m_pageList;
    m_pageList = page;
    MakeAvailable(page);

    m_sharedFree += m_config.objectsPerPage;
    ++m_pagesInUse;
}

ObjectAllocator::Page* ObjectAllocator::PageOf(const u08* object) const
{
    const auto address = reinterpret_cast<std::uintptr_t>(object);
    const std::uintptr_t chunk = address & ~(m_chunkAlignment - 1);
    const u64 index = (static_cast<u64>(address - chunk - m_recordsArea) * m_spanReciprocal) >>
                      SpanShift; // 0 with one page per chunk
    return reinterpret_cast<Page*>(chunk + index * m_recordSize);
}

u08* ObjectAllocator::SlotObject(u08* page, u32 slot) const
{
    return page + m_firstObjectOffset + slot * m_stride;
}

u32 ObjectAllocator::SlotIndex(const Page* page, const u08* object) const
{
    return SlotAt(static_cast<u64>(object - page->memory - m_firstObjectOffset));
}

u32 ObjectAllocator::SlotAt(u64 offset) const
{
    if (m_strideReciprocal != 0)
        return static_cast<u32>((offset * m_strideReciprocal) >> ReciprocalShift);
    return static_cast<u32>(offset / m_stride);
}

ObjectAllocator::Page* ObjectAllocator::FindPage(const u08* object) const
{
    for (Page* page = m_pageList; page != nullptr; page = page->next)
    {
        if (page->memory < object && object < page->memory + m_pageSize - 1)
            return page;
    }
    return nullptr;
}

bool ObjectAllocator::IsFreeSlot(const Page* page, u32 slot) const
{
    return (page->FreeBits()[slot / BitsPerWord] >> (slot % BitsPerWord) & 1) != 0;
}

bool ObjectAllocator::IsOnFreeList(const u08* object) const
{
    const Page* page = FindPage(object);
    return page != nullptr && IsFreeSlot(page, SlotIndex(page, object));
}

bool ObjectAllocator::IsInUse(const u08* object) const
{
    if (m_config.headerSize != 0)
        return (object[-static_cast<std::ptrdiff_t>(m_config.padBytes) - 1] & InUseFlag) != 0;
    return !IsOnFreeList(object);
}

void ObjectAllocator::CheckFree(u08* object) const
{
    const Page* page = FindPage(object);
    if (page == nullptr)
        throw Core::OAException(Core::OAException::E_BAD_ADDRESS, BadAddressText);

    const u08* firstObject = page->memory + m_firstObjectOffset;
    if (object < firstObject || static_cast<std::size_t>(object - firstObject) % m_stride != 0)
        throw Core::OAException(Core::OAException::E_BAD_BOUNDARY, BadBoundaryText);

    if (!IsInUse(object))
        throw Core::OAException(Core::OAException::E_MULTIPLE_FREE, MultipleFreeText);

    const u08* leadingPad = object - m_config.padBytes;
    const u08* trailingPad = object + m_objectSize;
    for (u32 i = 0; i < m_config.padBytes; ++i)
    {
        if (leadingPad[i] != PadPattern)
            throw Core::OAException(Core::OAException::E_CORRUPTED_BLOCK, CorruptedBeforeText);
    }
    for (u32 i = 0; i < m_config.padBytes; ++i)
    {
        if (trailingPad[i] != PadPattern)
            throw Core::OAException(Core::OAException::E_CORRUPTED_BLOCK, CorruptedAfterText);
    }
}

u08* ObjectAllocator::AllocateMemory(std::size_t bytes, std::size_t alignment) const
{
    return static_cast<u08*>(::operator new(bytes, std::align_val_t(alignment), std::nothrow));
}

void ObjectAllocator::ReleaseMemory(u08* memory, std::size_t alignment) const
{
    ::operator delete(memory, std::align_val_t(alignment));
}

std::ostream& operator<<(std::ostream& stream, const ObjectAllocatorStats& stats)
{
    return stream << "Object Size: " << stats.objectSize
                  << " || Most Objects: " << stats.mostObjects
                  << " || Allocations: " << stats.allocations
                  << " || Deallocations: " << stats.deallocations;
}
