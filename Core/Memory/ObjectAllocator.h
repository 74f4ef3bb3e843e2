#pragma once
// A pool of fixed-size objects carved out of large pages, with a free list, statistics and
// optional debug patterns and checks.
//
// Page layout, front to back: a link to the next page (one pointer), the left alignment fill,
// then objectsPerPage slots of [header][pad][object][pad], consecutive slots separated by the
// inter alignment fill. A free object holds the free-list link in its first pointer-sized bytes,
// so every object is at least pointer-sized; objects are at least 8-byte aligned.
//
// Debug patterns: 0xAA never handed out, 0xBB allocated, 0xCC freed, 0xDD pad, 0xEE alignment
// fill, 0x00 header. The last header byte is the in-use flag.
//
// Threads: Allocate and Free serialise on the pool's own lock, so any thread may call them.
// Misuse found by a debug-mode Free throws Core::OAException; the lock is released first and
// nothing changes but the deallocation count. Pages go back to the heap only when the pool dies.
#include "Core/Memory/OAException.h"
#include "Core/Memory/SpinLock.h"
#include "Math/Types.h"
#include <atomic>
#include <cstddef>
#include <iosfwd>

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
    u32 freeObjects = 0; // slots on the free list
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
    void* Allocate();
    // Returns an object; null does nothing. Debug mode throws codes 2 to 5 on misuse.
    void Free(void* object);

    ObjectAllocatorStats GetStats() const;
    // The configuration with its computed alignment fills.
    const ObjectAllocatorConfig& GetConfig() const { return m_config; }
    // Calls back for every object in use, newest page first, slots in order; returns the count.
    u32 DumpMemoryInUse(DumpCallback callback) const;

private:
    struct FreeObject
    {
        FreeObject* next;
    };

    void AddPage();
    u08* SlotObject(u08* page, u32 slot) const;
    u08* FindPage(const u08* object) const;
    bool IsOnFreeList(const u08* object) const;
    bool IsInUse(const u08* object) const;
    void CheckFree(u08* object) const;
    void PushFree(u08* object);
    u08* AllocateMemory(std::size_t bytes) const;
    void ReleaseMemory(u08* memory) const;

    ObjectAllocatorConfig m_config;
    ObjectAllocatorStats m_stats;
    mutable Core::SpinLock m_lock; // the pool's own lock
    FreeObject* m_freeList;
    u08* m_pageList;
    std::size_t m_objectSize;
    std::size_t m_pageSize;
    std::size_t m_firstObjectOffset;
    std::size_t m_stride;
    std::size_t m_alignment;
};
