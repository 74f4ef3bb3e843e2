#pragma once
// The list of what is registered with a system (components, mostly): items in the order they
// joined, in which adding, finding and removing one by its address take constant time. The
// items stay in a std::list and a hash map from address to list node finds each one, so
// removing an item keeps the order of the rest: a system that updates or draws in joining
// order keeps doing so, and a system with n items shuts them all down in O(n).
//
// Neither the list nor the map gives its nodes back to the heap: a removed item's list node
// moves to a spare list and its map entry's node is kept (Core/Memory/RecyclingMap.h), and the
// next items added fill them, so components that come and go every frame (projectiles, hit
// effects) cost no allocation once the list has been as long as it gets. Where the object
// pools hand out heap memory (the sanitizer builds) removed nodes are freed at once instead.
//
// An address is listed at most once: adding a listed item again changes nothing, and removing
// an unlisted one changes nothing. A walk over the list may remove items other than the one it
// stands on, as with a plain std::list.
//
// Work count: every add, look-up and removal counts its steps (one list node or map entry each)
// in a process-wide counter, which tests read to check that the work grows linearly.
//
// Main thread only.
#include "Core/Memory/ObjectAllocator.h"
#include "Core/Memory/RecyclingMap.h"
#include "Math/Types.h"
#include <cstddef>
#include <iterator>
#include <list>

namespace Core
{
#ifdef QUILL_WORK_COUNTERS
// Steps taken by every RegisteredList of the process so far (a count for the tests).
u64 RegisteredListSteps();
#endif
namespace Detail
{
#ifdef QUILL_WORK_COUNTERS
void CountRegisteredListSteps(u64 steps);
#else
inline void CountRegisteredListSteps(u64) {}
#endif
} // namespace Detail

template <typename T> class RegisteredList
{
public:
    using List = std::list<T*>;
    using const_iterator = typename List::const_iterator;

    // Appends the item; false for null or an item already listed.
    bool Add(T* item)
    {
        Detail::CountRegisteredListSteps(1);
        if (item == nullptr || m_where.find(item) != m_where.end())
            return false;
        if (m_spare.empty())
            m_items.push_back(item);
        else
        {
            m_items.splice(m_items.end(), m_spare, m_spare.begin());
            m_items.back() = item;
        }
        m_where.emplace(item, std::prev(m_items.end()));
        return true;
    }
    // Takes the item at that address out; false when it is not listed.
    bool Remove(const T* item)
    {
        Detail::CountRegisteredListSteps(1);
        const auto found = m_where.find(item);
        if (found == m_where.end())
            return false;
        if (PoolsUseHeap)
            m_items.erase(found->second);
        else
            m_spare.splice(m_spare.end(), m_items, found->second);
        m_where.erase(found);
        return true;
    }
    bool Contains(const T* item) const
    {
        Detail::CountRegisteredListSteps(1);
        return m_where.find(item) != m_where.end();
    }
    void Clear()
    {
        if (PoolsUseHeap)
            m_items.clear();
        else
            m_spare.splice(m_spare.end(), m_items);
        m_where.clear();
    }

    // The items in joining order.
    const List& Items() const { return m_items; }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }
    // The first item; the list must not be empty.
    T* front() const { return m_items.front(); }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }

private:
    List m_items;
    List m_spare; // nodes of removed items, filled again by the next items added
    RecyclingMap<const T*, typename List::iterator> m_where;
};
} // namespace Core
