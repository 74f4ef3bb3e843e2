#pragma once
// A hash map that keeps the nodes of the entries it erases and fills them again when entries
// are added: once it has held as many entries as it ever will at one time, adding and erasing
// touch the heap no more (a std::unordered_map allocates a node per entry it adds). Systems
// use it for the maps from a registered component, or an object id, to its place, whose entries
// come and go with every object born or destroyed in a frame. A refilled node's key and value
// are assigned, so a key with storage of its own (a std::string) reuses it when it fits.
//
// The interface is the std::unordered_map subset those maps use. Erasing an entry invalidates
// iterators to it only, as with std::unordered_map. Where the object pools hand out heap
// memory (PoolsUseHeap: the sanitizer builds), erased nodes are freed at once, so that a stale
// iterator to one is caught there as a use after free.
//
// Not locked: one thread at a time (the main thread for the systems, the log's own lock for its
// table of repeated lines).
#include "Core/Memory/ObjectAllocator.h"
#include <cstddef>
#include <iterator>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Core
{
template <typename Key, typename Value> class RecyclingMap
{
public:
    using Map = std::unordered_map<Key, Value>;
    using iterator = typename Map::iterator;
    using const_iterator = typename Map::const_iterator;

    RecyclingMap() = default;
    // A copy holds the same entries (none of the kept nodes).
    RecyclingMap(const RecyclingMap& other) : m_map(other.m_map) {}
    // Takes the other's entries into this map's own nodes where it has them, so a map that is
    // the value of another's entry is refilled in place when that entry's node is reused.
    RecyclingMap& operator=(const RecyclingMap& other)
    {
        if (this == &other)
            return *this;
        clear();
        for (const auto& [key, value] : other.m_map)
            emplace(key, value);
        return *this;
    }
    RecyclingMap(RecyclingMap&&) noexcept = default;
    RecyclingMap& operator=(RecyclingMap&&) noexcept = default;

    // Adds key -> value unless the key is there; answers the key's entry and whether it was
    // added (as std::unordered_map::emplace).
    std::pair<iterator, bool> emplace(const Key& key, const Value& value)
    {
        const iterator found = m_map.find(key);
        if (found != m_map.end())
            return {found, false};
        if (m_spare.empty())
            return m_map.emplace(key, value);
        auto node = std::move(m_spare.back());
        m_spare.pop_back();
        node.key() = key;
        node.mapped() = value;
        return {m_map.insert(std::move(node)).position, true};
    }
    // Makes room for `entries` entries in all: the buckets, and kept nodes for the entries not
    // there yet, each node's key handed to `prepare` (which may give a string key its storage),
    // so that filling the map up to that size takes nothing more from the heap. No nodes are
    // made where the pools hand out heap memory.
    template <typename Prepare> void reserve(std::size_t entries, Prepare prepare)
    {
        m_map.reserve(entries);
        if (PoolsUseHeap)
            return;
        m_spare.reserve(entries);
        Map maker; // nodes are made in a map of the same kind and taken out of it
        while (m_map.size() + m_spare.size() < entries)
        {
            auto node = maker.extract(maker.emplace(Key{}, Value{}).first);
            prepare(node.key());
            m_spare.push_back(std::move(node));
        }
    }
    // The key's value, added as Value{} when the key is not there.
    Value& operator[](const Key& key) { return emplace(key, Value{}).first->second; }

    iterator erase(iterator entry)
    {
        const iterator next = std::next(entry);
        auto node = m_map.extract(entry);
        if (!PoolsUseHeap)
            m_spare.push_back(std::move(node));
        return next;
    }
    std::size_t erase(const Key& key)
    {
        const iterator found = m_map.find(key);
        if (found == m_map.end())
            return 0;
        erase(found);
        return 1;
    }
    // Every entry leaves; the nodes are kept for the entries to come.
    void clear()
    {
        while (!m_map.empty())
            erase(m_map.begin());
    }

    // The key's value; the key must be there (std::out_of_range otherwise).
    Value& at(const Key& key) { return m_map.at(key); }
    const Value& at(const Key& key) const { return m_map.at(key); }
    iterator find(const Key& key) { return m_map.find(key); }
    const_iterator find(const Key& key) const { return m_map.find(key); }
    std::size_t count(const Key& key) const { return m_map.count(key); }
    iterator begin() { return m_map.begin(); }
    iterator end() { return m_map.end(); }
    const_iterator begin() const { return m_map.begin(); }
    const_iterator end() const { return m_map.end(); }
    std::size_t size() const { return m_map.size(); }
    bool empty() const { return m_map.empty(); }

private:
    Map m_map;
    std::vector<typename Map::node_type> m_spare; // nodes of erased entries, to be filled again
};
} // namespace Core
