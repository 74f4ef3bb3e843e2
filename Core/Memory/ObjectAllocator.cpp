#include "Core/Memory/ObjectAllocator.h"
#include "Core/Log.h"
#include "Core/Memory/ObjectAllocatorInternals.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <ostream>

using namespace ObjectAllocatorDetail;

namespace
{
// Slots are never less aligned than this, whatever the configuration asks for.
constexpr std::size_t MinimumAlignment = 8;
// Every page starts with one pointer's worth of bytes that hold no object (the page's link in
// the layout the statistics describe).
constexpr std::size_t PageLinkSize = sizeof(void*);
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
