#pragma once
// The audio system's components and scripts live in memory from the engine's allocator
// (plain heap memory when no engine exists, as in a tool).
#include "Core/Engine.h"
#include <new>
#include <utility>

namespace Audio
{
template <class T, class... Args> T* NewFromEngine(Args&&... args)
{
    void* block = g_Engine != nullptr ? g_Engine->Allocate(static_cast<u32>(sizeof(T)))
                                      : ::operator new(sizeof(T));
    return new (block) T(std::forward<Args>(args)...);
}

// Runs the destructor and returns the memory; null does nothing.
template <class T> void DeleteFromEngine(T* object)
{
    if (object == nullptr)
        return;
    object->~T();
    void* block = object;
    if (g_Engine != nullptr)
        g_Engine->Free(block, static_cast<u32>(sizeof(T)));
    else
        ::operator delete(block);
}
} // namespace Audio
