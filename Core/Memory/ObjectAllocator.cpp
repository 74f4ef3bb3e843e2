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
// A page that gets a free slot back looks this far on each side among its chunk's pages for one
// on its arena's list to go next to.
constexpr u32 SiblingSearch = 16;
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
// A batch on an arena's returned list is kept in its first block: the next batch, the number of
// other blocks, then their addresses. Taking a batch then reads one block's lines, not every
// block of the batch in turn. Objects too small to hold a few addresses go back under the
// arena's lock.
constexpr std::size_t BatchHeaderWords = 2;
constexpr std::size_t MinBatchObjectBytes = 4 * sizeof(void*);

void*& NextBatch(void* head)
{
    return static_cast<void**>(head)[0];
}

std::size_t& BatchOthers(void* head)
{
    return reinterpret_cast<std::size_t*>(head)[1];
}

void** BatchBlocks(void* head)
{
    return static_cast<void**>(head) + BatchHeaderWords;
}

// A thread adds its change of objects in use to the pool-wide count at every this many
// exchanges with the pool.
constexpr u32 ExchangesPerSync = 8;

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
            AddPage(m_arenas[0]);
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
        for (u32 index = 1; index < ArenaCount; ++index)
        {
            if (m_arenas[index].users.load(std::memory_order_relaxed) <
                m_arenas[cache->arena].users.load(std::memory_order_relaxed))
                cache->arena = index;
        }
        m_arenas[cache->arena].users.fetch_add(1, std::memory_order_relaxed);
        cache->othersAtSync.store(ObjectsInUse(), std::memory_order_relaxed);
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
    Resync(cache);
    // From the thread's own arena; when it has no free slot, pages with free slots move over
    // from an arena that no cache uses (so that the blocks, once freed, come back to this one),
    // and only then is a page added. Arenas in use are left alone: taking from them would have
    // their threads take from others in turn, and the pages would keep moving. The blocks go
    // straight onto the cache's stack.
    Arena& own = m_arenas[cache.arena];
    const u32 held = cache.count.load(std::memory_order_relaxed);
    void** const stack = cache.blocks + held;
    const u32 wanted = std::min(cache.batch, cache.capacity - held);
    u32 count = TakeBatch(own, stack, wanted, false);
    for (u32 step = 1; count == 0 && step < ArenaCount; ++step)
    {
        Arena& other = m_arenas[(cache.arena + step) % ArenaCount];
        if (other.users.load(std::memory_order_relaxed) != 0)
            continue;
        if (other.returnedBlocks.load(std::memory_order_relaxed) != 0)
            DrainReturned(other);
        if (other.freeSlots.load(std::memory_order_relaxed) != 0 && MovePages(own, other, wanted))
            count = TakeBatch(own, stack, wanted, false);
    }
    if (count == 0)
        count = TakeBatch(own, stack, wanted, true);
    cache.count.store(held + count, std::memory_order_relaxed);
}

u32 ObjectAllocator::TakeBatch(Arena& arena, void** out, u32 wanted, bool addPage)
{
    std::lock_guard<Core::SpinLock> lock(arena.lock);
    u32 count = 0;
    // Blocks other threads freed come first, whole batches while they fit.
    for (;;)
    {
        if (arena.returnedTaken == nullptr &&
            arena.returned.load(std::memory_order_relaxed) != nullptr)
            arena.returnedTaken = arena.returned.exchange(nullptr, std::memory_order_acquire);
        void* head = arena.returnedTaken;
        if (head == nullptr)
            break;
        const std::size_t others = BatchOthers(head);
        if (count != 0 && count + 1 + others > wanted)
            break;
        arena.returnedTaken = NextBatch(head);
        if (arena.returnedTaken != nullptr)
            __builtin_prefetch(arena.returnedTaken);
        for (std::size_t i = 0; i < others; ++i)
            out[count++] = BatchBlocks(head)[i];
        out[count++] = head;
    }
    if (count != 0)
    {
        arena.returnedBlocks.fetch_sub(count, std::memory_order_relaxed);
        return count;
    }
    // Pages fill `out` from its end down, so that the first page's highest slot comes out first
    // and the blocks go out in address order, from the top of each page and each chunk down.
    if (addPage && arena.available == nullptr)
        AddPage(arena);
    while (count < wanted && arena.available != nullptr)
    {
        Page* page = arena.available;
        const u32 take = std::min(wanted - count, page->freeCount);
        count += take;
        TakeFromPage(arena, page, out + wanted - count, take);
    }
    if (count < wanted)
        std::memmove(out, out + wanted - count, count * sizeof(void*));
    arena.freeSlots.store(arena.freeSlots.load(std::memory_order_relaxed) - count,
                          std::memory_order_relaxed);
    return count;
}

u32 ObjectAllocator::TakeFromPage(Arena& arena, Page* page, void** out, u32 wanted)
{
    // The page's highest free slots, a word of the bitmap at a time, written from the end of
    // `out` down so that the highest slot comes out of the cache first.
    const u32 take = std::min(wanted, page->freeCount);
    u64* const bits = page->FreeBits();
    u08* const first = page->memory + m_firstObjectOffset;
    u32 end = take; // the words' blocks fill `out` from here down
    for (u32 word = m_bitWords; end != 0 && word-- != 0;)
    {
        u64 free = bits[word];
        if (free == 0)
            continue;
        u08* const wordFirst = first + word * BitsPerWord * m_stride;
        const u32 count = static_cast<u32>(__builtin_popcountll(free));
        if (count <= end)
        {
            // The whole word, lowest slot first into the lowest place; slots side by side (a
            // page whose slots are all free) by a plain walk.
            bits[word] = 0;
            end -= count;
            void** to = out + end;
            const u32 lowest = static_cast<u32>(__builtin_ctzll(free));
            const u64 run = free >> lowest;
            if ((run & (run + 1)) == 0)
            {
                u08* object = wordFirst + lowest * m_stride;
                for (u32 i = 0; i < count; ++i, object += m_stride)
                    to[i] = object;
                continue;
            }
            for (; free != 0; free &= free - 1)
                *to++ = wordFirst + static_cast<u32>(__builtin_ctzll(free)) * m_stride;
            continue;
        }
        // Part of the word: its highest free slots, from the top down.
        for (; end != 0; --end)
        {
            const u32 bit = BitsPerWord - 1 - static_cast<u32>(__builtin_clzll(free));
            free &= ~(u64{1} << bit);
            out[end - 1] = wordFirst + bit * m_stride;
        }
        bits[word] = free;
    }
    page->freeCount -= take;
    if (page->freeCount == 0)
        MakeUnavailable(arena, page);
    return take;
}

bool ObjectAllocator::MovePages(Arena& arena, Arena& other, u32 wanted)
{
    // Both locks, the lower arena's first (the leak dump takes them all in that order).
    Arena& first = &arena < &other ? arena : other;
    Arena& second = &arena < &other ? other : arena;
    std::lock_guard<Core::SpinLock> firstLock(first.lock);
    std::lock_guard<Core::SpinLock> secondLock(second.lock);
    const u32 index = static_cast<u32>(&arena - m_arenas);
    u32 moved = 0;
    while (moved < wanted && other.available != nullptr)
    {
        Page* page = other.available;
        MakeUnavailable(other, page);
        page->arena.store(index, std::memory_order_relaxed);
        MakeAvailable(arena, page);
        moved += page->freeCount;
    }
    other.freeSlots.store(other.freeSlots.load(std::memory_order_relaxed) - moved,
                          std::memory_order_relaxed);
    arena.freeSlots.store(arena.freeSlots.load(std::memory_order_relaxed) + moved,
                          std::memory_order_relaxed);
    return moved != 0;
}

ObjectAllocator::Arena& ObjectAllocator::LockArenaOf(const u08* object)
{
    const Page* page = PageOf(object);
    for (;;)
    {
        Arena& arena = m_arenas[page->arena.load(std::memory_order_relaxed)];
        arena.lock.lock();
        if (&arena == &m_arenas[page->arena.load(std::memory_order_relaxed)])
            return arena;
        arena.lock.unlock();
    }
}

void ObjectAllocator::Flush(Core::Memory::PoolCache& cache, u32 blocks)
{
    // The oldest blocks go back; the recently freed (and still warm) ones stay.
    const u32 held = cache.count.load(std::memory_order_relaxed);
    blocks = std::min(blocks, held);
    Resync(cache);
    ReturnBlocks(cache.blocks, blocks, cache.arena);
    std::memmove(cache.blocks, cache.blocks + blocks, (held - blocks) * sizeof(void*));
    cache.count.store(held - blocks, std::memory_order_relaxed);
}

void ObjectAllocator::DrainReturned(Arena& arena)
{
    void* taken = nullptr;
    void* pushed = nullptr;
    {
        std::lock_guard<Core::SpinLock> lock(arena.lock);
        taken = arena.returnedTaken;
        arena.returnedTaken = nullptr;
        pushed = arena.returned.exchange(nullptr, std::memory_order_acquire);
    }
    void* blocks[Core::Memory::PoolCache::MaxBlocks];
    for (void* list : {taken, pushed})
    {
        while (list != nullptr)
        {
            // Everything is read out of the batch's first block before any block goes back: a
            // block back on its page may be handed out at once.
            void* head = list;
            list = NextBatch(head);
            const std::size_t others = BatchOthers(head);
            u32 count = 0;
            blocks[count++] = head;
            for (std::size_t i = 0; i < others; ++i)
                blocks[count++] = BatchBlocks(head)[i];
            arena.returnedBlocks.fetch_sub(count, std::memory_order_relaxed);
            ReturnBlocks(blocks, count);
        }
    }
}

void ObjectAllocator::ReturnBlocks(void* const* blocks, u32 count, u32 ownArena)
{
    // Each block's page record and slot come from its address alone, and the records are
    // fetched all at once before any lock is taken: blocks freed in a shuffled order each land
    // on a different page, and the misses then overlap instead of queueing. The blocks of the
    // caller's own arena go back under its lock in one pass; those of other arenas go onto their
    // returned lists when the blocks can hold a batch, else under each arena's lock in turn. A
    // page may move to another arena until that arena's lock is held: blocks whose page moved
    // meanwhile are taken in the next round.
    constexpr u32 PartBlocks = 64; // blocks are kept in a 64-bit mask
    Page* pages[PartBlocks];
    u32 slots[PartBlocks];
    while (count != 0)
    {
        const u32 part = std::min(count, PartBlocks);
        for (u32 i = 0; i < part; ++i)
        {
            pages[i] = Locate(static_cast<const u08*>(blocks[i]), slots[i]);
            __builtin_prefetch(pages[i], 1);
        }
        u64 pending = part == PartBlocks ? ~u64{0} : (u64{1} << part) - 1;
        if (ownArena < ArenaCount)
        {
            pending = ReturnToArena(ownArena, pages, slots, pending);
            if (pending != 0 && m_objectSize >= MinBatchObjectBytes)
                pending = PushReturned(blocks, pages, pending, ownArena);
        }
        while (pending != 0)
            pending = ReturnToArena(
                pages[__builtin_ctzll(pending)]->arena.load(std::memory_order_relaxed), pages,
                slots, pending);
        blocks += part;
        count -= part;
    }
}

u64 ObjectAllocator::ReturnToArena(u32 index, Page* const* pages, const u32* slots, u64 pending)
{
    Arena& arena = m_arenas[index];
    u32 returned = 0;
    std::lock_guard<Core::SpinLock> lock(arena.lock);
    for (u64 left = pending; left != 0; left &= left - 1)
    {
        const u32 i = static_cast<u32>(__builtin_ctzll(left));
        if (pages[i]->arena.load(std::memory_order_relaxed) != index)
            continue;
        ReturnSlot(arena, pages[i], slots[i]);
        pending &= ~(u64{1} << i);
        ++returned;
    }
    arena.freeSlots.store(arena.freeSlots.load(std::memory_order_relaxed) + returned,
                          std::memory_order_relaxed);
    return pending;
}

u64 ObjectAllocator::PushReturned(void* const* blocks, Page* const* pages, u64 pending,
                                  u32 ownArena)
{
    // Per arena, the blocks are grouped into batches (as many addresses as a block holds go into
    // the batch's first block) and the batches pushed with one exchange. The page's arena is
    // read without its lock: a page that moves meanwhile takes its blocks back through whichever
    // arena's list they are on.
    const std::size_t perBatch = m_objectSize / sizeof(void*) - BatchHeaderWords;
    void* firsts[ArenaCount] = {}; // the newest batch of each arena
    void* lasts[ArenaCount] = {};  // the oldest, which links to the list already there
    u32 counts[ArenaCount] = {};
    for (u64 left = pending; left != 0; left &= left - 1)
    {
        const u32 i = static_cast<u32>(__builtin_ctzll(left));
        const u32 index = pages[i]->arena.load(std::memory_order_relaxed);
        if (index == ownArena)
            continue;
        pending &= ~(u64{1} << i);
        ++counts[index];
        void* head = firsts[index];
        if (head != nullptr && BatchOthers(head) < perBatch)
        {
            BatchBlocks(head)[BatchOthers(head)++] = blocks[i];
            continue;
        }
        NextBatch(blocks[i]) = head;
        BatchOthers(blocks[i]) = 0;
        firsts[index] = blocks[i];
        if (lasts[index] == nullptr)
            lasts[index] = blocks[i];
    }
    for (u32 index = 0; index < ArenaCount; ++index)
    {
        if (firsts[index] == nullptr)
            continue;
        Arena& arena = m_arenas[index];
        arena.returnedBlocks.fetch_add(counts[index], std::memory_order_relaxed);
        void* top = arena.returned.load(std::memory_order_relaxed);
        do
            NextBatch(lasts[index]) = top;
        while (!arena.returned.compare_exchange_weak(top, firsts[index], std::memory_order_release,
                                                     std::memory_order_relaxed));
    }
    return pending;
}

void ObjectAllocator::ReturnCache(Core::Memory::PoolCache* cache)
{
    ResyncNow(*cache);
    ReturnBlocks(cache->blocks, cache->count.load(std::memory_order_relaxed));
    std::lock_guard<Core::SpinLock> lock(m_lock);
    m_arenas[cache->arena].users.fetch_sub(1, std::memory_order_relaxed);
    cache->count.store(0, std::memory_order_relaxed);
    m_sharedAllocations.fetch_add(cache->allocations.load(std::memory_order_relaxed),
                                  std::memory_order_relaxed);
    m_sharedDeallocations.fetch_add(cache->deallocations.load(std::memory_order_relaxed),
                                    std::memory_order_relaxed);
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
    s64 inUse = m_syncedInUse.load(std::memory_order_relaxed);
    for (const Core::Memory::PoolCache* cache = m_caches; cache != nullptr;
         cache = cache->nextInPool)
        inUse += NetOf(*cache) - cache->syncedNet.load(std::memory_order_relaxed);
    return inUse;
}

void ObjectAllocator::RaiseMostObjects(s64 seen)
{
    const u32 value = static_cast<u32>(std::clamp<s64>(seen, 0, 0xFFFFFFFF));
    u32 most = m_mostObjects.load(std::memory_order_relaxed);
    while (value > most &&
           !m_mostObjects.compare_exchange_weak(most, value, std::memory_order_relaxed))
    {
    }
}

void ObjectAllocator::Resync(Core::Memory::PoolCache& cache)
{
    if (cache.exchangesToSync != 0)
    {
        --cache.exchangesToSync;
        return;
    }
    cache.exchangesToSync = ExchangesPerSync - 1;
    ResyncNow(cache);
}

void ObjectAllocator::ResyncNow(Core::Memory::PoolCache& cache)
{
    // Between two exchanges only this thread's count moved, as far as this cache knows: the
    // most in use then was the others' count at the last exchange plus this thread's peak.
    RaiseMostObjects(cache.othersAtSync.load(std::memory_order_relaxed) +
                     cache.peakNet.load(std::memory_order_relaxed));
    const s64 net = NetOf(cache);
    const s64 change = net - cache.syncedNet.load(std::memory_order_relaxed);
    cache.syncedNet.store(net, std::memory_order_relaxed);
    const s64 inUse = change != 0
                          ? m_syncedInUse.fetch_add(change, std::memory_order_relaxed) + change
                          : m_syncedInUse.load(std::memory_order_relaxed);
    RaiseMostObjects(inUse);
    cache.othersAtSync.store(inUse - net, std::memory_order_relaxed);
    cache.peakNet.store(net, std::memory_order_relaxed);
}

void* ObjectAllocator::AllocateShared()
{
    Arena& arena = m_arenas[0];
    std::lock_guard<Core::SpinLock> lock(arena.lock);
    u08* object = nullptr;
    if (m_config.useHeap)
    {
        object = AllocateMemory(m_objectSize, m_alignment);
        if (object == nullptr)
            throw Core::OAException(Core::OAException::E_NO_MEMORY, NoMemoryText);
    }
    else
    {
        object = TakeFromPages(arena);
        if (m_config.debugOn)
        {
            if (m_config.headerSize != 0)
                object[-static_cast<std::ptrdiff_t>(m_config.padBytes) - 1] = InUseFlag;
            std::memset(object, AllocatedPattern, m_objectSize);
        }
    }
    m_sharedAllocations.fetch_add(1, std::memory_order_relaxed);
    RaiseMostObjects(m_syncedInUse.fetch_add(1, std::memory_order_relaxed) + 1);
    return object;
}

void ObjectAllocator::FreeShared(u08* object)
{
    // Debug and use-heap pools keep everything in the first arena; a plain pool's block (freed
    // by a thread whose caches have gone back) belongs to the arena of its page.
    const bool plain = !m_config.useHeap && !m_config.debugOn;
    Arena& arena = plain ? LockArenaOf(object) : m_arenas[0];
    if (!plain)
        arena.lock.lock();
    std::lock_guard<Core::SpinLock> lock(arena.lock, std::adopt_lock);
    m_sharedDeallocations.fetch_add(1, std::memory_order_relaxed);
    if (m_config.useHeap)
    {
        m_syncedInUse.fetch_sub(1, std::memory_order_relaxed);
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
    m_syncedInUse.fetch_sub(1, std::memory_order_relaxed);
}

u08* ObjectAllocator::TakeFromPages(Arena& arena)
{
    if (arena.available == nullptr)
        AddPage(arena);
    // The first page's highest free slot, as a batch of one takes it.
    void* object = nullptr;
    TakeFromPage(arena, arena.available, &object, 1);
    arena.freeSlots.store(arena.freeSlots.load(std::memory_order_relaxed) - 1,
                          std::memory_order_relaxed);
    return static_cast<u08*>(object);
}

void ObjectAllocator::ReturnToPage(u08* object)
{
    // The record's line is the one memory access (the block itself is not written).
    u32 slot = 0;
    Page* page = Locate(object, slot);
    Arena& arena = m_arenas[page->arena.load(std::memory_order_relaxed)];
    ReturnSlot(arena, page, slot);
    arena.freeSlots.store(arena.freeSlots.load(std::memory_order_relaxed) + 1,
                          std::memory_order_relaxed);
}

void ObjectAllocator::ReturnSlot(Arena& arena, Page* page, u32 slot)
{
    page->FreeBits()[slot / BitsPerWord] |= u64{1} << (slot % BitsPerWord);
    if (page->freeCount++ == 0)
        MakeAvailable(arena, page);
}

void ObjectAllocator::MakeAvailable(Arena& arena, Page* page)
{
    // The pages of a chunk stay side by side on the list, the highest first, so that blocks are
    // handed out a chunk at a time in address order however they were freed. The page goes
    // after the nearest higher page of its chunk on the list, else before the nearest lower one,
    // else at the front. Only pages of this arena are looked at (their fields are under its
    // lock); the search is bounded, and a page it misses only costs order.
    Page* after = nullptr;
    Page* before = nullptr;
    if (m_pagesPerChunk > 1)
    {
        const u32 index = static_cast<u32>(&arena - m_arenas);
        const auto address = reinterpret_cast<std::uintptr_t>(page);
        u08* const chunk = reinterpret_cast<u08*>(address & ~(m_chunkAlignment - 1));
        const u32 at = static_cast<u32>((reinterpret_cast<u08*>(page) - chunk) / m_recordSize);
        const auto listed = [&](u32 sibling) -> Page*
        {
            auto* record = reinterpret_cast<Page*>(chunk + sibling * m_recordSize);
            return record->arena.load(std::memory_order_relaxed) == index && record->freeCount != 0
                       ? record
                       : nullptr;
        };
        const u32 top = std::min(m_pagesPerChunk, at + 1 + SiblingSearch);
        for (u32 sibling = at + 1; after == nullptr && sibling < top; ++sibling)
            after = listed(sibling);
        const u32 bottom = at > SiblingSearch ? at - SiblingSearch : 0;
        for (u32 sibling = at; after == nullptr && before == nullptr && sibling-- > bottom;)
            before = listed(sibling);
    }
    if (after != nullptr)
    {
        page->previousAvailable = after;
        page->nextAvailable = after->nextAvailable;
        if (after->nextAvailable != nullptr)
            after->nextAvailable->previousAvailable = page;
        after->nextAvailable = page;
        return;
    }
    if (before == nullptr)
        before = arena.available;
    page->nextAvailable = before;
    page->previousAvailable = before != nullptr ? before->previousAvailable : nullptr;
    if (page->previousAvailable != nullptr)
        page->previousAvailable->nextAvailable = page;
    else
        arena.available = page;
    if (before != nullptr)
        before->previousAvailable = page;
}

void ObjectAllocator::MakeUnavailable(Arena& arena, Page* page)
{
    if (page->previousAvailable != nullptr)
        page->previousAvailable->nextAvailable = page->nextAvailable;
    else
        arena.available = page->nextAvailable;
    if (page->nextAvailable != nullptr)
        page->nextAvailable->previousAvailable = page->previousAvailable;
    page->nextAvailable = page->previousAvailable = nullptr;
}

ObjectAllocatorStats ObjectAllocator::GetStats() const
{
    u32 freeObjects = 0;
    for (const Arena& arena : m_arenas)
        freeObjects += arena.freeSlots.load(std::memory_order_relaxed) +
                       arena.returnedBlocks.load(std::memory_order_relaxed);
    std::lock_guard<Core::SpinLock> lock(m_lock);
    ObjectAllocatorStats stats;
    stats.objectSize = static_cast<u32>(m_objectSize);
    stats.pageSize = ClampToU32(m_pageSize);
    stats.pagesInUse = m_pagesInUse;
    u64 allocations = m_sharedAllocations.load(std::memory_order_relaxed);
    u64 deallocations = m_sharedDeallocations.load(std::memory_order_relaxed);
    s64 most = m_mostObjects.load(std::memory_order_relaxed);
    for (const Core::Memory::PoolCache* cache = m_caches; cache != nullptr;
         cache = cache->nextInPool)
    {
        allocations += cache->allocations.load(std::memory_order_relaxed);
        deallocations += cache->deallocations.load(std::memory_order_relaxed);
        freeObjects += cache->count.load(std::memory_order_relaxed);
        most = std::max(most, cache->othersAtSync.load(std::memory_order_relaxed) +
                                  cache->peakNet.load(std::memory_order_relaxed));
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
    // The callback runs under the pool's locks: it must not call back into this pool. Every
    // arena is locked, in order, so that no page's slots change during the walk.
    for (Arena& arena : m_arenas)
        arena.lock.lock();
    struct Unlock
    {
        Arena* arenas;
        ~Unlock()
        {
            for (u32 i = ArenaCount; i-- != 0;)
                arenas[i].lock.unlock();
        }
    } unlockArenas{m_arenas};
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
    for (const Arena& arena : m_arenas)
    {
        for (void* list : {arena.returnedTaken, arena.returned.load(std::memory_order_acquire)})
        {
            for (void* head = list; head != nullptr; head = NextBatch(head))
            {
                cachedObjects.insert(static_cast<const u08*>(head));
                for (std::size_t i = 0; i < BatchOthers(head); ++i)
                    cachedObjects.insert(static_cast<const u08*>(BatchBlocks(head)[i]));
            }
        }
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

void ObjectAllocator::AddPage(Arena& arena)
{
    // Each arena carves its pages out of chunks of its own, so that a thread's pages lie
    // together.
    if (arena.chunk == nullptr || arena.chunkPagesUsed == m_pagesPerChunk)
    {
        std::lock_guard<Core::SpinLock> lock(m_lock);
        m_chunks.reserve(m_chunks.size() + 1);
        u08* chunk = AllocateMemory(m_chunkSize, m_chunkAlignment);
        if (chunk == nullptr)
            throw Core::OAException(Core::OAException::E_NO_MEMORY, NoMemoryText);
        m_chunks.push_back(chunk);
        // Every record of the chunk exists from the start, as a page of this arena with no free
        // slot: a search among a page's neighbours may look at those not carved yet.
        for (u32 index = 0; index < m_pagesPerChunk; ++index)
        {
            auto* record = new (chunk + index * m_recordSize) Page();
            record->arena.store(static_cast<u32>(&arena - m_arenas), std::memory_order_relaxed);
        }
        arena.chunk = chunk;
        arena.chunkPagesUsed = 0;
    }
    u08* const chunk = arena.chunk;
    u08* const memory = chunk + m_recordsArea + arena.chunkPagesUsed * m_pageSpan;
    u08* const record = chunk + arena.chunkPagesUsed * m_recordSize;
    ++arena.chunkPagesUsed;

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

    auto* page = reinterpret_cast<Page*>(record);
    page->memory = memory;
    u64* bits = page->FreeBits();
    for (u32 word = 0; word < m_bitWords; ++word)
    {
        const u32 slots = std::min(BitsPerWord, m_config.objectsPerPage - word * BitsPerWord);
        bits[word] = slots == BitsPerWord ? ~u64{0} : (u64{1} << slots) - 1;
    }
    page->freeCount = m_config.objectsPerPage;
    MakeAvailable(arena, page);
    arena.freeSlots.store(arena.freeSlots.load(std::memory_order_relaxed) + m_config.objectsPerPage,
                          std::memory_order_relaxed);
    std::lock_guard<Core::SpinLock> lock(m_lock);
    page->next = m_pageList;
    m_pageList = page;
    ++m_pagesInUse;
}

ObjectAllocator::Page* ObjectAllocator::PageOf(const u08* object) const
{
    u32 slot = 0;
    return Locate(object, slot);
}

ObjectAllocator::Page* ObjectAllocator::Locate(const u08* object, u32& slot) const
{
    // The chunk from the address's alignment, the page's index in it from the offset past the
    // records, and the page's bytes from the index: no record is read.
    const auto address = reinterpret_cast<std::uintptr_t>(object);
    const std::uintptr_t chunk = address & ~(m_chunkAlignment - 1);
    const u64 offset = static_cast<u64>(address - chunk - m_recordsArea);
    const u64 index = (offset * m_spanReciprocal) >> SpanShift; // 0 with one page per chunk
    slot = SlotAt(offset - index * m_pageSpan - m_firstObjectOffset);
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
