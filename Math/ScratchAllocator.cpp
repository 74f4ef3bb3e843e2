#include "Math/ScratchAllocator.h"

#include <cstdlib>

namespace Math
{
namespace
{
void* HeapAllocate(std::size_t bytes)
{
    return std::malloc(bytes);
}

void HeapRelease(void* memory, std::size_t)
{
    std::free(memory);
}

constexpr ScratchAllocator HEAP_ALLOCATOR{&HeapAllocate, &HeapRelease};

ScratchAllocator s_allocator = HEAP_ALLOCATOR;
} // namespace

void SetScratchAllocator(const ScratchAllocator& allocator)
{
    s_allocator = (allocator.allocate && allocator.release) ? allocator : HEAP_ALLOCATOR;
}

void ResetScratchAllocator()
{
    s_allocator = HEAP_ALLOCATOR;
}

void* AllocateScratch(std::size_t bytes)
{
    return s_allocator.allocate(bytes);
}

void ReleaseScratch(void* memory, std::size_t bytes)
{
    if (memory)
    {
        s_allocator.release(memory, bytes);
    }
}

} // namespace Math
