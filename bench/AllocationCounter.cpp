#include "bench/AllocationCounter.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILL_BENCH_KEEPS_MALLOC 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QUILL_BENCH_KEEPS_MALLOC 1
#endif
#endif

#include <atomic>
#include <cstdlib>

extern "C"
{
    void* __libc_malloc(std::size_t size);
    void* __libc_calloc(std::size_t count, std::size_t size);
    void* __libc_realloc(void* block, std::size_t size);
    void* __libc_memalign(std::size_t alignment, std::size_t size);
    void __libc_free(void* block);
}

namespace
{
// Every thread's allocations. The plain-heap baselines that allocate per operation go past the
// counter (GlibcMalloc), so the shared line is touched only where the engine allocates.
std::atomic<std::uint64_t> g_allocations{0};
} // namespace

namespace Bench
{
bool CountsHeapAllocations()
{
#ifdef QUILL_BENCH_KEEPS_MALLOC
    return false;
#else
    return true;
#endif
}

std::uint64_t HeapAllocations()
{
    return g_allocations.load(std::memory_order_relaxed);
}

void* GlibcMalloc(std::size_t size)
{
    return __libc_malloc(size);
}

void GlibcFree(void* block)
{
    __libc_free(block);
}
} // namespace Bench

#ifndef QUILL_BENCH_KEEPS_MALLOC
extern "C"
{
    void* malloc(std::size_t size)
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
        return __libc_malloc(size);
    }

    void* calloc(std::size_t count, std::size_t size)
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
        return __libc_calloc(count, size);
    }

    void* realloc(void* block, std::size_t size)
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
        return __libc_realloc(block, size);
    }

    void free(void* block)
    {
        __libc_free(block);
    }

    void* memalign(std::size_t alignment, std::size_t size)
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
        return __libc_memalign(alignment, size);
    }

    void* aligned_alloc(std::size_t alignment, std::size_t size)
    {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
        return __libc_memalign(alignment, size);
    }

    int posix_memalign(void** block, std::size_t alignment, std::size_t size)
    {
        // The same checks glibc makes: a power of two, a multiple of a pointer's size.
        if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
            return 22; // EINVAL
        g_allocations.fetch_add(1, std::memory_order_relaxed);
        void* memory = __libc_memalign(alignment, size);
        if (memory == nullptr && size != 0)
            return 12; // ENOMEM
        *block = memory;
        return 0;
    }
}
#endif
