#include "Core/Memory/ObjectAllocator.h"
#include "Core/Memory/ObjectAllocatorInternals.h"
#include <algorithm>
#include <cstring>
#include <mutex>

using namespace ObjectAllocatorDetail;

namespace
{
// A thread's cache holds about this many bytes of free blocks (within the block-count limits),
// so that large blocks are not hoarded by idle threads.
constexpr std::size_t CacheBytes = 32 * 1024;
constexpr u32 MinCacheBlocks = 2;

// A thread adds its change of objects in use to the pool-wide count at every this many
// exchanges with the pool.
constexpr u32 ExchangesPerSync = 8;

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
} // namespace

namespace ObjectAllocatorDetail
{
std::mutex& CacheRegistryMutex()
{
    static std::mutex mutex;
    return mutex;
}
bool g_cacheSlotTaken[Core::Memory::MaxCachedPools]; // under the registry mutex; 0 stays free
} // namespace ObjectAllocatorDetail

namespace Core
{
namespace Memory
{
__thread PoolCache* t_poolCaches[MaxCachedPools] = {};
} // namespace Memory
} // namespace Core

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
