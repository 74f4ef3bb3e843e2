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
// Every page starts with the link to the next page.
constexpr std::size_t PageLinkSize = sizeof(void*);

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
    : m_config(config), m_stats(), m_freeList(nullptr), m_pageList(nullptr),
      m_objectSize(std::max<std::size_t>(objectSize, sizeof(FreeObject))), m_pageSize(0),
      m_firstObjectOffset(0), m_stride(0), m_alignment(MinimumAlignment)
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
    m_firstObjectOffset = PageLinkSize + m_config.leftAlignSize + header + pad;
    m_stride = slotUnit + m_config.interAlignSize;

    m_stats.objectSize = static_cast<u32>(m_objectSize);
    m_stats.pageSize = ClampToU32(m_pageSize);

    if (!m_config.useHeap)
        AddPage();
}

ObjectAllocator::~ObjectAllocator()
{
    DumpMemoryInUse(&PrintObjectInUse);
    while (m_pageList != nullptr)
    {
        u08* page = m_pageList;
        std::memcpy(&m_pageList, page, PageLinkSize);
        ReleaseMemory(page);
    }
}

void* ObjectAllocator::Allocate()
{
    std::lock_guard<Core::SpinLock> lock(m_lock);
    u08* object = nullptr;
    if (m_config.useHeap)
    {
        object = AllocateMemory(m_objectSize);
        if (object == nullptr)
            throw Core::OAException(Core::OAException::E_NO_MEMORY, NoMemoryText);
    }
    else
    {
        if (m_freeList == nullptr)
            AddPage();
        FreeObject* head = m_freeList;
        m_freeList = head->next;
        object = reinterpret_cast<u08*>(head);
        if (m_config.debugOn)
        {
            if (m_config.headerSize != 0)
                object[-static_cast<std::ptrdiff_t>(m_config.padBytes) - 1] = InUseFlag;
            std::memset(object, AllocatedPattern, m_objectSize);
        }
        --m_stats.freeObjects;
    }
    ++m_stats.allocations;
    ++m_stats.objectsInUse;
    m_stats.mostObjects = std::max(m_stats.mostObjects, m_stats.objectsInUse);
    return object;
}

void ObjectAllocator::Free(void* object)
{
    if (object == nullptr)
        return;
    std::lock_guard<Core::SpinLock> lock(m_lock);
    ++m_stats.deallocations;
    u08* bytes = static_cast<u08*>(object);
    if (m_config.useHeap)
    {
        --m_stats.objectsInUse;
        ReleaseMemory(bytes);
        return;
    }
    if (m_config.debugOn)
    {
        CheckFree(bytes); // throws before anything changes
        if (m_config.headerSize != 0)
            bytes[-static_cast<std::ptrdiff_t>(m_config.padBytes) - 1] = HeaderPattern;
        std::memset(bytes, FreedPattern, m_objectSize);
    }
    PushFree(bytes);
    --m_stats.objectsInUse;
}

ObjectAllocatorStats ObjectAllocator::GetStats() const
{
    std::lock_guard<Core::SpinLock> lock(m_lock);
    return m_stats;
}

u32 ObjectAllocator::DumpMemoryInUse(DumpCallback callback) const
{
    // The callback runs under the pool's lock: it must not call back into this pool.
    std::lock_guard<Core::SpinLock> lock(m_lock);
    if (m_stats.objectsInUse == 0)
        return 0;

    // Without a header the only record of "free" is the free list; gather it once.
    std::unordered_set<const u08*> freeObjects;
    if (m_config.headerSize == 0)
    {
        for (const FreeObject* free = m_freeList; free != nullptr; free = free->next)
            freeObjects.insert(reinterpret_cast<const u08*>(free));
    }

    u32 found = 0;
    for (u08* page = m_pageList; page != nullptr;)
    {
        for (u32 slot = 0; slot < m_config.objectsPerPage; ++slot)
        {
            const u08* object = SlotObject(page, slot);
            const bool inUse =
                m_config.headerSize != 0 ? IsInUse(object) : freeObjects.count(object) == 0;
            if (!inUse)
                continue;
            ++found;
            if (callback != nullptr)
                callback(object, static_cast<u32>(m_objectSize));
        }
        std::memcpy(&page, page, PageLinkSize);
    }
    return found;
}

void ObjectAllocator::AddPage()
{
    u08* page = AllocateMemory(m_pageSize);
    if (page == nullptr)
        throw Core::OAException(Core::OAException::E_NO_MEMORY, NoMemoryText);

    if (m_config.debugOn)
    {
        std::memset(page, UnallocatedPattern, m_pageSize);
        std::memset(page + PageLinkSize, AlignPattern, m_config.leftAlignSize);
        for (u32 slot = 0; slot < m_config.objectsPerPage; ++slot)
        {
            u08* object = SlotObject(page, slot);
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

    std::memcpy(page, &m_pageList, PageLinkSize);
    m_pageList = page;

    // The free list is empty whenever a page is added, so the first slot ends the list and the
    // page's last slot is handed out first.
    for (u32 slot = 0; slot < m_config.objectsPerPage; ++slot)
        m_freeList = new (SlotObject(page, slot)) FreeObject{m_freeList};

    m_stats.freeObjects += m_config.objectsPerPage;
    ++m_stats.pagesInUse;
}

u08* ObjectAllocator::SlotObject(u08* page, u32 slot) const
{
    return page + m_firstObjectOffset + slot * m_stride;
}

u08* ObjectAllocator::FindPage(const u08* object) const
{
    for (u08* page = m_pageList; page != nullptr;)
    {
        if (page < object && object < page + m_pageSize - 1)
            return page;
        std::memcpy(&page, page, PageLinkSize);
    }
    return nullptr;
}

bool ObjectAllocator::IsOnFreeList(const u08* object) const
{
    for (const FreeObject* free = m_freeList; free != nullptr; free = free->next)
    {
        if (reinterpret_cast<const u08*>(free) == object)
            return true;
    }
    return false;
}

bool ObjectAllocator::IsInUse(const u08* object) const
{
    if (m_config.headerSize != 0)
        return (object[-static_cast<std::ptrdiff_t>(m_config.padBytes) - 1] & InUseFlag) != 0;
    return !IsOnFreeList(object);
}

void ObjectAllocator::CheckFree(u08* object) const
{
    const u08* page = FindPage(object);
    if (page == nullptr)
        throw Core::OAException(Core::OAException::E_BAD_ADDRESS, BadAddressText);

    const u08* firstObject = page + m_firstObjectOffset;
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

void ObjectAllocator::PushFree(u08* object)
{
    m_freeList = new (object) FreeObject{m_freeList};
    ++m_stats.freeObjects;
}

u08* ObjectAllocator::AllocateMemory(std::size_t bytes) const
{
    return static_cast<u08*>(::operator new(bytes, std::align_val_t(m_alignment), std::nothrow));
}

void ObjectAllocator::ReleaseMemory(u08* memory) const
{
    ::operator delete(memory, std::align_val_t(m_alignment));
}

std::ostream& operator<<(std::ostream& stream, const ObjectAllocatorStats& stats)
{
    return stream << "Object Size: " << stats.objectSize
                  << " || Most Objects: " << stats.mostObjects
                  << " || Allocations: " << stats.allocations
                  << " || Deallocations: " << stats.deallocations;
}
