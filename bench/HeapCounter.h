#pragma once
// Counts every heap allocation of the program, so that a benchmark can tell how many its code
// made per message or per step: the global operator new is replaced by one that counts and
// takes its memory from malloc. Include it in exactly one source file of a program (the
// replacements are definitions).
#include "Math/Types.h"
#include <atomic>
#include <cstdlib>
#include <new>

// Allocations since the program started.
inline std::atomic<u64> g_heapAllocations{0};

// The replacements pair malloc with free; GCC, which takes operator new for its built-in
// meaning, would otherwise warn that they do not match.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    g_heapAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size != 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
#pragma GCC diagnostic pop
