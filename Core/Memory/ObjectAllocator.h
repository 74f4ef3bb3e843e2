#pragma once
// A pool of fixed-size objects carved out of large pages, with per-page free slots, statistics
// and optional debug patterns and checks. ObjectAllocator.cpp holds the pages,
// ObjectAllocatorThreadCaches.cpp the threads' caches, ObjectAllocatorDebugChecks.cpp the checks.
//
// ---- Page layout ----
// Front to back: one pointer's worth of unused bytes (the page link of the layout), the left
// alignment fill, then objectsPerPage slots of [header][pad][object][pad], consecutive slots
// separated by the inter alignment fill. Every object is at least pointer-sized and at least
// 8-byte aligned.
//
// ---- Debug patterns ----
// 0xAA never handed out, 0xBB allocated, 0xCC freed, 0xDD pad, 0xEE alignment fill, 0x00 header.
// The last header byte is the in-use flag.
//
// ---- Free slots ----
// Free slots are kept per page, as a bitmap past the page's bytes, and a page hands out its
// highest free slot: a new page, or one whose slots are all free again, goes from its last slot
// down in address order, so that blocks freed in a shuffled order do not scatter later
// allocations over the whole footprint.
//
// ---- Chunks ----
// Pages are carved out of chunks of up to 64 KiB (one page per chunk when pages are larger) that
// start at an address aligned to their size rounded up to a power of two, with the chunk's page
// records side by side at its front: a block finds its record from its address alone, and blocks
// freed in a shuffled order touch few memory pages. The pages with free slots are listed per
// arena with the pages of a chunk side by side, highest first, so that blocks freed in any order
// are handed out again a chunk at a time, from the top of the chunk down. Memory is taken a chunk
// at a time; pages are added (and counted) one at a time.
//
// ---- Threads and arenas ----
// Any thread may call Allocate and Free. In the plain mode each thread keeps a small cache of
// free blocks in front of the pool and exchanges them with the pool in batches, so most calls
// take no lock at all. The pages are split between a few arenas, each with its own lock, free
// slots and chunks; a thread's cache is bound to one arena when it is made, takes its blocks from
// that arena's pages and adds pages to it, so threads working side by side take different locks.
// A new cache takes the arena with the fewest caches; when its own arena has no free slot, a
// thread moves free pages over from an arena no cache uses any more (that of an ended thread)
// before it adds a page. A thread's caches go back to their pools when it ends, and the calling
// thread's before a leak dump.
//
// ---- Returned batches ----
// A freed block goes back to the arena of its page: the blocks a thread frees that came from
// other arenas go back in one batch per arena, pushed without a lock onto the arena's list of
// returned batches (linked through the blocks themselves), which the arena's own thread takes
// whole when its cache runs empty.
//
// ---- Counts ----
// The counts are kept per thread and summed when read. The most objects in use is exact while
// one thread works; with several at once it is what the threads saw: every few exchanges a thread
// adds its change since the last time to a pool-wide count, and its peak on top of the others'
// count it then read is the most it saw.
//
// ---- Debug and use-heap pools ----
// They use one arena and take its lock on every call. Misuse found by a debug-mode Free throws
// Core::OAException; the lock is released first and nothing changes but the deallocation count.
// Pages go back to the heap only when the pool dies.
#include "Core/Memory/OAException.h"
#include "Core/Memory/SpinLock.h"
#include "Math/Types.h"
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

// The engine's pools all use this configuration, except that sanitizer builds can make every
// pool hand out heap memory (QUILL_POOLS_USE_HEAP), so that the address sanitizer sees each object.
#ifdef QUILL_POOLS_USE_HEAP
constexpr bool PoolsUseHeap = true;
#else
constexpr bool PoolsUseHeap = false;
#endif

struct ObjectAllocatorConfig
{
    static constexpr u32 DefaultObjectsPerPage = 30;

    explicit ObjectAllocatorConfig(bool useHeapMemory = PoolsUseHeap,
                                   u32 objectsInPage = DefaultObjectsPerPage, u32 pageLimit = 0,
                                   bool debug = false, u32 pad = 0, u32 header = 0, u32 align = 0)
        : useHeap(useHeapMemory), objectsPerPage(objectsInPage), maxPages(pageLimit),
          debugOn(debug), padBytes(pad), headerSize(header), alignment(align), leftAlignSize(0),
          interAlignSize(0)
    {
    }

    bool useHeap;       // every object is its own heap array; no pages are kept
    u32 objectsPerPage; // slots in each page
    u32 maxPages;       // kept for the record; pools add pages without limit
    bool debugOn;       // fill patterns, in-use header flag and the checks on Free
    u32 padBytes;       // guard bytes on each side of every object
    u32 headerSize;     // bytes in front of every object (last byte: in-use flag)
    u32 alignment;      // slot alignment in bytes; 0 (and anything below 8) means 8
    u32 leftAlignSize;  // computed: fill between the page link and the first slot
    u32 interAlignSize; // computed: fill between consecutive slots
};

struct ObjectAllocatorStats
{
    u32 objectSize = 0;  // bytes handed out per object (at least one pointer)
    u32 freeObjects = 0; // slots free in the pool and in the threads' caches
    u32 objectsInUse = 0;
    u32 pagesInUse = 0;
    u32 pageSize = 0;    // bytes per page, link and fills included
    u32 mostObjects = 0; // the highest objectsInUse ever reached
    u32 allocations = 0;
    u32 deallocations = 0; // every Free call, failed ones included
};

// The statistics line of one pool: "Object Size: 128 || Most Objects: 4 || Allocations: 9 ||
// Deallocations: 9" (no newline), as the F11 block and the log write it.
std::ostream& operator<<(std::ostream& stream, const ObjectAllocatorStats& stats);

class ObjectAllocator;

namespace Core
{
namespace Memory
{
// One thread's free blocks of one pool. Only the owning thread touches the blocks; the counts
// are atomics (plain loads and stores on the owner's side) so that a statistics read on another
// thread may sum them under the pool's lock.
struct alignas(64) PoolCache // on cache lines of its own: only its thread writes it
{
    static constexpr u32 MaxBlocks = 128;

    ::ObjectAllocator* pool = nullptr; // null once the pool has died
    u32 capacity = 0;                  // blocks kept at most
    u32 batch = 0;                     // blocks moved per exchange with the pool
    u32 arena = 0;                     // the pool arena whose pages this cache draws on
    u32 exchangesToSync = 0;           // exchanges left before the next count sync
    std::atomic<u32> count{0};         // blocks held now
    std::atomic<u32> allocations{0};
    std::atomic<u32> deallocations{0};
    // Highest allocations - deallocations since the last exchange, and the objects in use by
    // every other thread at that exchange: together the most objects this thread saw in use.
    std::atomic<s64> peakNet{0};
    std::atomic<s64> othersAtSync{0};
    // allocations - deallocations at the last exchange: what the pool-wide count holds of this
    // thread.
    std::atomic<s64> syncedNet{0};
    PoolCache* nextInPool = nullptr; // the pool's list, under its lock
    void* blocks[MaxBlocks];

    s64 Net() const
    {
        return static_cast<s64>(allocations.load(std::memory_order_relaxed)) -
               static_cast<s64>(deallocations.load(std::memory_order_relaxed));
    }
};

// Cache slots per thread; slot 0 stays empty (pools without a cache use it). Pools created
// while every slot is taken simply run without caches.
constexpr u32 MaxCachedPools = 512;
// __thread rather than thread_local: the table needs no constructor, and so every access is a
// plain load where a thread_local declared in a header goes through a wrapper call.
extern __thread PoolCache* t_poolCaches[MaxCachedPools];
} // namespace Memory
} // namespace Core

class ObjectAllocator
{
public:
    // Called for each object still in use: its address and size.
    using DumpCallback = void (*)(const void* object, u32 objectSize);

    // Takes the first page at once unless the configuration says "use heap".
    ObjectAllocator(u32 objectSize, const ObjectAllocatorConfig& config);
    // Prints every object still in use to standard output, then returns the pages.
    ~ObjectAllocator();
    ObjectAllocator(const ObjectAllocator&) = delete;
    ObjectAllocator& operator=(const ObjectAllocator&) = delete;

    // Throws E_NO_MEMORY when a new page cannot be had.
    void* Allocate() { return AllocateIn(m_cacheSlot); }
    // Returns an object; null does nothing. Debug mode throws codes 2 to 5 on misuse.
    void Free(void* object) { FreeIn(object, m_cacheSlot); }

    // This pool's entry in the threads' cache tables (0: the pool has no caches), fixed for the
    // pool's life. A caller that keeps it next to the pool pointer saves a dependent load.
    u32 GetCacheSlot() const { return m_cacheSlot; }
    // Allocate and Free for a caller that passes GetCacheSlot(). With `fetchNext` the block the
    // next request takes is fetched for writing at once: for blocks that other threads free
    // (messages, delivered on the main thread), which are seldom in this processor's cache.
    void* AllocateIn(u32 cacheSlot, bool fetchNext = false)
    {
        Core::Memory::PoolCache* cache = Core::Memory::t_poolCaches[cacheSlot];
        if (cache != nullptr && cache->pool == this)
        {
            const u32 count = cache->count.load(std::memory_order_relaxed);
            if (count != 0)
            {
                void* object = cache->blocks[count - 1];
                if (fetchNext && count > 1)
                    __builtin_prefetch(cache->blocks[count - 2], 1);
                cache->count.store(count - 1, std::memory_order_relaxed);
                const u32 allocations = cache->allocations.load(std::memory_order_relaxed) + 1;
                cache->allocations.store(allocations, std::memory_order_relaxed);
                const s64 net =
                    static_cast<s64>(allocations) -
                    static_cast<s64>(cache->deallocations.load(std::memory_order_relaxed));
                if (net > cache->peakNet.load(std::memory_order_relaxed))
                    cache->peakNet.store(net, std::memory_order_relaxed);
                return object;
            }
        }
        return AllocateSlow();
    }
    void FreeIn(void* object, u32 cacheSlot)
    {
        Core::Memory::PoolCache* cache = Core::Memory::t_poolCaches[cacheSlot];
        if (cache != nullptr && cache->pool == this && object != nullptr)
        {
            const u32 count = cache->count.load(std::memory_order_relaxed);
            if (count < cache->capacity)
            {
                cache->blocks[count] = object;
                cache->count.store(count + 1, std::memory_order_relaxed);
                cache->deallocations.store(cache->deallocations.load(std::memory_order_relaxed) + 1,
                                           std::memory_order_relaxed);
                return;
            }
        }
        FreeSlow(object);
    }

    ObjectAllocatorStats GetStats() const;
    // The configuration with its computed alignment fills.
    const ObjectAllocatorConfig& GetConfig() const { return m_config; }
    // Calls back for every object in use, newest page first, slots in order; returns the count.
    // The calling thread's cache goes back to the pool first; blocks in other threads' caches
    // count as free.
    u32 DumpMemoryInUse(DumpCallback callback) const;

    // Returns a thread's cache to the pool and unlinks it (the thread is ending).
    void ReturnCache(Core::Memory::PoolCache* cache);

private:
    // The bookkeeping of one page, kept among its chunk's records in front of the chunk's pages:
    // the record, followed by the words of a bitmap with a bit per slot, set while the slot is
    // free. A page hands out its highest free slots, so a new or wholly free page goes from its
    // last slot down, in address order, and freeing needs no write to the block itself. Every
    // record of a chunk is made with the chunk (no free slot, the arena that took the chunk).
    struct Page
    {
        u08* memory = nullptr;
        Page* next = nullptr;          // every page, newest first
        Page* nextAvailable = nullptr; // pages of its arena with a free slot
        Page* previousAvailable = nullptr;
        u32 freeCount = 0;
        // The arena whose lock guards the page's slots. Changed only with both arenas' locks
        // held (a page moving to a thread that has none free), so it is stable under either.
        std::atomic<u32> arena{0};

        u64* FreeBits() { return reinterpret_cast<u64*>(this + 1); }
        const u64* FreeBits() const { return reinterpret_cast<const u64*>(this + 1); }
    };

    // A share of the pool's pages with its own lock. Each takes a cache line of its own, so that
    // threads working in different arenas do not share a line.
    struct alignas(64) Arena
    {
        Core::SpinLock lock;
        Page* available = nullptr;     // under the lock
        std::atomic<u32> freeSlots{0}; // written under the lock, read without to pick an arena
        u08* chunk = nullptr;          // the newest chunk pages are carved from (under the lock)
        u32 chunkPagesUsed = 0;
        std::atomic<u32> users{0}; // caches bound to the arena; written under the pool's lock
        // Batches of blocks freed by threads of other arenas: any thread pushes, without a lock;
        // they are taken all at once, under the lock, into `returnedTaken`, and handed out a
        // batch at a time. `returnedBlocks` counts the blocks in both.
        std::atomic<void*> returned{nullptr};
        void* returnedTaken = nullptr;
        std::atomic<u32> returnedBlocks{0};
    };
    static constexpr u32 ArenaCount = 8;

    // The members declared inline are defined in ObjectAllocatorInternals.h, for the allocator's
    // own files.
    void* AllocateSlow();
    void FreeSlow(void* object);
    // Under the arena's lock: one object from its pages, adding a page only when none is free.
    u08* TakeFromPages(Arena& arena);
    // Under the lock of the object's arena: a free object back to its page.
    void ReturnToPage(u08* object);
    // Under the arena's lock: a slot of one of its pages is free again; the arena's free-slot
    // count is the caller's to raise.
    inline void ReturnSlot(Arena& arena, Page* page, u32 slot);
    // Returns blocks to their pages, taking the lock of each arena concerned once. Given the
    // caller's arena, blocks of other arenas go onto their returned lists instead.
    void ReturnBlocks(void* const* blocks, u32 count, u32 ownArena = ArenaCount);
    // Under the arena's lock, the pending blocks whose pages are in it go back to them; answers
    // what is still pending (blocks of pages of other arenas).
    u64 ReturnToArena(u32 index, Page* const* pages, const u32* slots, u64 pending);
    // Pushes the pending blocks of other arenas than `ownArena` onto their returned lists; what
    // is left pending.
    u64 PushReturned(void* const* blocks, Page* const* pages, u64 pending, u32 ownArena);
    // Puts an arena's returned batches back on their pages (the arena has no cache any more).
    void DrainReturned(Arena& arena);
    // Takes up to `wanted` blocks from the arena's pages, under its lock; with `addPage`, at least
    // one, adding a page when none is free. out[count - 1] is the block to hand out first.
    u32 TakeBatch(Arena& arena, void** out, u32 wanted, bool addPage);
    // Under the arena's lock: up to `wanted` of the page's highest free slots into out[0 ..
    // taken - 1], the highest last; the arena's free-slot count is the caller's to lower.
    u32 TakeFromPage(Arena& arena, Page* page, void** out, u32 wanted);
    // Moves free pages worth about `wanted` slots from another arena to `arena`; false when the
    // other has none.
    bool MovePages(Arena& arena, Arena& other, u32 wanted);
    // Locks the arena that holds the object's page (it may move until the lock is held).
    Arena& LockArenaOf(const u08* object);
    void* AllocateShared();
    void FreeShared(u08* object);
    Core::Memory::PoolCache* CacheForThisThread();
    void Refill(Core::Memory::PoolCache& cache);
    void Flush(Core::Memory::PoolCache& cache, u32 blocks);
    // Under the pool's lock: the objects in use by every thread.
    s64 ObjectsInUse() const;
    // Adds the cache's change since its last exchange to the pool-wide count and the record of
    // the most; no lock.
    void Resync(Core::Memory::PoolCache& cache);
    // Resync every few exchanges: the pool-wide count is one cache line all threads write.
    void ResyncNow(Core::Memory::PoolCache& cache);
    void RaiseMostObjects(s64 seen);
    void FlushOwnCache() const;
    void ReleaseCacheSlot();

    void AddPage(Arena& arena);
    Page* PageOf(const u08* object) const;
    // The record of the object's page and the object's slot in it, from the address alone.
    Page* Locate(const u08* object, u32& slot) const;
    void MakeAvailable(Arena& arena, Page* page);
    void MakeUnavailable(Arena& arena, Page* page);
    inline u08* SlotObject(u08* page, u32 slot) const;
    u32 SlotIndex(const Page* page, const u08* object) const;
    // The slot that starts `offset` bytes past the page's first object.
    inline u32 SlotAt(u64 offset) const;
    Page* FindPage(const u08* object) const;
    bool IsFreeSlot(const Page* page, u32 slot) const;
    bool IsOnFreeList(const u08* object) const;
    bool IsInUse(const u08* object) const;
    void CheckFree(u08* object) const;
    u08* AllocateMemory(std::size_t bytes, std::size_t alignment) const;
    void ReleaseMemory(u08* memory, std::size_t alignment) const;

    ObjectAllocatorConfig m_config;
    mutable Arena m_arenas[ArenaCount];
    // The pool's own lock: the caches' list, the page list, the chunks and the page count.
    // Taken after an arena's lock, never before.
    mutable Core::SpinLock m_lock;
    u32 m_cacheSlot = 0; // this pool's entry in every thread's cache table; 0: none
    // Calls made without a cache, and those folded in from ended caches.
    std::atomic<u64> m_sharedAllocations{0};
    std::atomic<u64> m_sharedDeallocations{0};
    std::atomic<u32> m_mostObjects{0};
    u32 m_pagesInUse = 0;
    // Objects in use as far as the pool has been told: calls without a cache, and each cache's
    // count at its last exchange. Every thread writes it, so it has a cache line to itself: the
    // page geometry below is read on every exchange.
    alignas(64) std::atomic<s64> m_syncedInUse{0};
    alignas(64) Core::Memory::PoolCache* m_caches = nullptr;
    Page* m_pageList = nullptr;
    std::size_t m_objectSize;
    std::size_t m_pageSize;
    std::size_t m_pageSpan;       // from one page's start to the next within a chunk
    std::size_t m_recordSize;     // bytes per page record: the Page and its bits
    std::size_t m_recordsArea;    // bytes in front of a chunk's pages: their records
    std::size_t m_chunkSize;      // bytes allocated per chunk
    std::size_t m_chunkAlignment; // chunks start at multiples of this (>= m_chunkSize)
    u32 m_pagesPerChunk;
    // A page's index in its chunk: its offset past the records times this, shifted right by
    // 48 (0: one page per chunk).
    u64 m_spanReciprocal = 0;
    std::vector<u08*> m_chunks;
    u32 m_bitWords; // words of each page's free bitmap
    // Slot index of an object: its offset from the first object times this, shifted right by
    // 32 (exact for slot starts while a page is below 4 GiB; 0 means divide).
    u64 m_strideReciprocal;
    std::size_t m_firstObjectOffset;
    std::size_t m_stride;
    std::size_t m_alignment;
};
