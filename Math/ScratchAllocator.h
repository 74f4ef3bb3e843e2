#pragma once
// Where the math library takes short-lived scratch memory (the root finder's arrays). It uses
// the heap until the engine installs its own allocator at start-up. Install the hooks before
// other threads use the math library; the hooks themselves must be safe to call from any
// thread that finds roots.
#include <cstddef>

namespace Math
{

struct ScratchAllocator
{
    // Returns bytes of memory aligned for float, or null on failure.
    void* (*allocate)(std::size_t bytes) = nullptr;
    // Takes back memory from allocate, with the size it was asked for.
    void (*release)(void* memory, std::size_t bytes) = nullptr;
};

// Installs the hooks; an incomplete pair (either hook null) puts the heap back.
void SetScratchAllocator(const ScratchAllocator& allocator);
// Back to the heap.
void ResetScratchAllocator();

void* AllocateScratch(std::size_t bytes);
void ReleaseScratch(void* memory, std::size_t bytes);

} // namespace Math
