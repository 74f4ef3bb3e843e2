#include "Core/Memory/ObjectAllocator.h"
#include "Core/Memory/ObjectAllocatorInternals.h"
#include <unordered_set>

using namespace ObjectAllocatorDetail;

namespace
{
const char* const BadAddressText = "object was not found on a valid page";
const char* const BadBoundaryText = "freeing address on bad boundary";
const char* const MultipleFreeText = "attempting to free object twice";
const char* const CorruptedBeforeText = "memory corrupted before block";
const char* const CorruptedAfterText = "memory corrupted after block";
} // namespace

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

u32 ObjectAllocator::SlotIndex(const Page* page, const u08* object) const
{
    return SlotAt(static_cast<u64>(object - page->memory - m_firstObjectOffset));
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
