#pragma once
// Creates and destroys components by type name. Components never use the ordinary heap: each
// class lives in the pool of its group, seven pools in all, and a pool's block is as large as
// the largest class registered to it.
//
// Registration: each subsystem's Register function (Core::RegisterCore and the ones above it,
// called in a fixed order from Game/Registration.cpp) registers its classes here before the
// first component is created.
// Type names are the class names without namespace ("RigidBodyComponent"); matching is exact,
// whole-string and case-sensitive; an unknown name creates nothing.
//
// A pool is built on the first creation from it, sized from the table at that moment; a class
// registered later must fit the block it finds. Main thread only (the pools lock themselves).
#include "Core/Memory/ObjectAllocator.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Math/Types.h"
#include <array>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <vector>

class ComponentFactory
{
public:
    // The groups of component classes, one pool each, in pool order.
    enum PoolId : u32
    {
        CorePool = 0,
        GraphicsPool = 1, // graphics and particles
        PhysicsPool = 2,
        AudioPool = 3,
        LogicPool = 4,
        GameStatePool = 5, // game-state user interface
        AIPool = 6,
        PoolCount = 7,
    };

    // Smallest block of a pool, even one with no classes.
    static constexpr u32 MinimumBlockSize = 4;
    // Pool blocks are 8-byte aligned; nothing pooled may need more.
    static constexpr std::size_t MaximumAlignment = 8;

    // Constructs the class in the given block with its default constructor.
    using Creator = GameObjectComponent* (*)(void* block);

    struct Entry
    {
        std::string typeName;
        u32 pool;
        u32 size;
        Creator create;
    };

    ComponentFactory();
    ~ComponentFactory();
    ComponentFactory(const ComponentFactory&) = delete;
    ComponentFactory& operator=(const ComponentFactory&) = delete;

    // Registers T under T::GetTypeName() in the pool; its block size is sizeof(T). A class whose
    // header declares its type record has the record added for InitializeTypeRegistry as well.
    template <class T> bool Register(PoolId pool)
    {
        static_assert(std::is_base_of<GameObjectComponent, T>::value,
                      "only components come from the component pools");
        static_assert(alignof(T) <= MaximumAlignment, "pool blocks are only 8-byte aligned");
        if constexpr (HasTypeRecord<T>)
            AddTypeRecord<T>();
        return Register(pool, T::GetTypeName(), static_cast<u32>(sizeof(T)), &Construct<T>);
    }
    // False (and a log line) for a pool out of range, a name already registered, or a class
    // larger than the block of its already built pool.
    bool Register(u32 pool, const std::string& typeName, u32 size, Creator create);

    // A new component of that type (fresh id, no owner), or null for an unknown name. Throws
    // Core::OAException when the pool cannot grow.
    GameObjectComponent* Create(std::string_view typeName);
    // Runs the destructor and returns the block to its pool; null does nothing. A component
    // of a class this factory never created is deleted from the heap. The pointer is null
    // afterwards. The pool is found by the component's dynamic type, so destroying builds no
    // name.
    void Destroy(GameObjectComponent*& component);

    const Entry* FindEntry(std::string_view typeName) const;
    const std::vector<Entry>& GetEntries() const { return m_entries; }
    // The pool's block size as the table gives it now.
    u32 GetBlockSize(u32 pool) const;
    // The pool, or null before its first creation (or for a pool out of range).
    const ObjectAllocator* GetPool(u32 pool) const;

private:
    template <class T> static GameObjectComponent* Construct(void* block)
    {
        return new (block) T();
    }

    ObjectAllocator& BuildPool(u32 pool);

    std::vector<Entry> m_entries; // registration order
    // Ordered, so that a name is found from a view without building a string.
    std::map<std::string, std::size_t, std::less<>> m_byName;
    // The pool of every class created so far, by dynamic type.
    std::unordered_map<std::type_index, u32> m_poolByType;
    std::array<u32, PoolCount> m_blockSizes;
    std::array<std::unique_ptr<ObjectAllocator>, PoolCount> m_pools;
};
