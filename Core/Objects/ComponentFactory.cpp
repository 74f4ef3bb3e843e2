#include "Core/Objects/ComponentFactory.h"
#include "Core/Log.h"
#include <typeinfo>

ComponentFactory::ComponentFactory()
{
    m_blockSizes.fill(MinimumBlockSize);
}

// The pools die after the game factory has destroyed every object, so each is empty by now
// (anything left is printed by the pool).
ComponentFactory::~ComponentFactory() = default;

bool ComponentFactory::Register(u32 pool, const std::string& typeName, u32 size, Creator create)
{
    if (pool >= PoolCount || create == nullptr)
    {
        Core::Log() << "Error [ComponentFactory]: cannot register '" << typeName << "' in pool "
                    << pool << "; there are " << static_cast<u32>(PoolCount) << " pools\n";
        return false;
    }
    if (m_byName.count(typeName) != 0)
    {
        Core::Log() << "Error [ComponentFactory]: '" << typeName
                    << "' is registered already; the first registration stays\n";
        return false;
    }
    if (m_pools[pool] != nullptr && size > m_blockSizes[pool])
    {
        Core::Log() << "Error [ComponentFactory]: '" << typeName << "' (" << size
                    << " bytes) registered after pool " << pool << " was built with "
                    << m_blockSizes[pool] << "-byte blocks; not registered\n";
        return false;
    }
    m_byName.emplace(typeName, m_entries.size());
    m_entries.push_back(Entry{typeName, pool, size, create});
    if (size > m_blockSizes[pool])
        m_blockSizes[pool] = size;
    return true;
}

const ComponentFactory::Entry* ComponentFactory::FindEntry(std::string_view typeName) const
{
    const auto found = m_byName.find(typeName);
    return found != m_byName.end() ? &m_entries[found->second] : nullptr;
}

GameObjectComponent* ComponentFactory::Create(std::string_view typeName)
{
    const Entry* entry = FindEntry(typeName);
    if (entry == nullptr)
        return nullptr;
    ObjectAllocator& pool = BuildPool(entry->pool);
    void* block = pool.Allocate();
    try
    {
        GameObjectComponent* component = entry->create(block);
        m_poolByType.try_emplace(std::type_index(typeid(*component)), entry->pool);
        return component;
    }
    catch (...)
    {
        pool.Free(block);
        throw;
    }
}

void ComponentFactory::Destroy(GameObjectComponent*& component)
{
    if (component == nullptr)
        return;
    const auto found = m_poolByType.find(std::type_index(typeid(*component)));
    ObjectAllocator* pool = found != m_poolByType.end() ? m_pools[found->second].get() : nullptr;
    if (pool == nullptr)
    {
        // Not from a pool: either an unregistered class or one whose pool was never used.
        delete component;
        component = nullptr;
        return;
    }
    // The block starts at the most-derived object, which need not be the base's address.
    void* block = dynamic_cast<void*>(component);
    component->~GameObjectComponent();
    component = nullptr;
    pool->Free(block);
}

u32 ComponentFactory::GetBlockSize(u32 pool) const
{
    return pool < PoolCount ? m_blockSizes[pool] : 0;
}

const ObjectAllocator* ComponentFactory::GetPool(u32 pool) const
{
    return pool < PoolCount ? m_pools[pool].get() : nullptr;
}

ObjectAllocator& ComponentFactory::BuildPool(u32 pool)
{
    if (m_pools[pool] == nullptr)
        m_pools[pool] =
            std::make_unique<ObjectAllocator>(m_blockSizes[pool], ObjectAllocatorConfig());
    return *m_pools[pool];
}
