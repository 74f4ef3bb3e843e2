#include "Core/Memory/RefCountedArray.h"
#include <map>
#include <mutex>

namespace RefCountedArrayCounts
{
namespace
{
// Built on first use and never destroyed, so holders inside other static objects may count
// arrays at any time, during start-up and exit included.
struct CountMap
{
    std::mutex mutex;
    std::map<const void*, u32> counts;
};

CountMap& Counts()
{
    static CountMap* map = new CountMap();
    return *map;
}
} // namespace

void Raise(const void* array)
{
    CountMap& map = Counts();
    std::lock_guard<std::mutex> lock(map.mutex);
    ++map.counts[array];
}

bool Lower(const void* array)
{
    CountMap& map = Counts();
    std::lock_guard<std::mutex> lock(map.mutex);
    auto entry = map.counts.find(array);
    if (entry == map.counts.end())
        return false;
    if (--entry->second > 0)
        return false;
    map.counts.erase(entry);
    return true;
}

u32 GetCount(const void* array)
{
    CountMap& map = Counts();
    std::lock_guard<std::mutex> lock(map.mutex);
    auto entry = map.counts.find(array);
    return entry == map.counts.end() ? 0u : entry->second;
}

std::size_t GetArrayCount()
{
    CountMap& map = Counts();
    std::lock_guard<std::mutex> lock(map.mutex);
    return map.counts.size();
}
} // namespace RefCountedArrayCounts
