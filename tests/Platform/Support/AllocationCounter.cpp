#include "tests/Platform/Support/AllocationCounter.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILL_BENCH_KEEPS_MALLOC 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QUILL_BENCH_KEEPS_MALLOC 1
#endif
#endif

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <execinfo.h>
#include <link.h>
#include <unistd.h>

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

constexpr std::size_t SiteCapacity = 65536;
constexpr int SiteDepth = 14;
struct Site
{
    void* frames[SiteDepth];
    int depth;
};
Site g_sites[SiteCapacity];
std::atomic<std::size_t> g_siteCount{0};
std::atomic<bool> g_recordingSites{false};
// Set while a stack is being taken: backtrace may allocate, and that allocation is not recorded.
thread_local bool t_takingStack = false;

// The executable code of the library whose allocations are also counted apart (empty: none).
std::atomic<std::uintptr_t> g_libraryLow{0};
std::atomic<std::uintptr_t> g_libraryHigh{0};
std::atomic<std::uint64_t> g_libraryAllocations{0};

// `caller`: the return address of the malloc call, in the code that called it.
[[maybe_unused]] void Count(const void* caller) // unused where the sanitizer keeps its malloc
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    const auto address = reinterpret_cast<std::uintptr_t>(caller);
    if (address >= g_libraryLow.load(std::memory_order_relaxed) &&
        address < g_libraryHigh.load(std::memory_order_relaxed))
        g_libraryAllocations.fetch_add(1, std::memory_order_relaxed);
    if (!g_recordingSites.load(std::memory_order_relaxed) || t_takingStack)
        return;
    const std::size_t index = g_siteCount.fetch_add(1, std::memory_order_relaxed);
    if (index >= SiteCapacity)
        return;
    t_takingStack = true;
    g_sites[index].depth = backtrace(g_sites[index].frames, SiteDepth);
    t_takingStack = false;
}
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

bool CountLibraryApart(const char* name)
{
    struct Search
    {
        const char* name;
        std::uintptr_t low;
        std::uintptr_t high;
    } search{name, 0, 0};
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data)
        {
            auto* found = static_cast<Search*>(data);
            if (info->dlpi_name == nullptr || std::strstr(info->dlpi_name, found->name) == nullptr)
                return 0;
            for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i)
            {
                const ElfW(Phdr)& segment = info->dlpi_phdr[i];
                if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X) != 0)
                {
                    found->low = info->dlpi_addr + segment.p_vaddr;
                    found->high = found->low + segment.p_memsz;
                    return 1;
                }
            }
            return 0;
        },
        &search);
    g_libraryLow.store(search.low, std::memory_order_relaxed);
    g_libraryHigh.store(search.high, std::memory_order_relaxed);
    return search.high != 0 && CountsHeapAllocations();
}

std::uint64_t LibraryAllocations()
{
    return g_libraryAllocations.load(std::memory_order_relaxed);
}

void* GlibcMalloc(std::size_t size)
{
    return __libc_malloc(size);
}

void GlibcFree(void* block)
{
    __libc_free(block);
}

void RecordAllocationSites(bool on)
{
    if (on)
    {
        // The first stack loads the unwinder (which allocates): taken before recording starts.
        void* frames[SiteDepth];
        t_takingStack = true;
        backtrace(frames, SiteDepth);
        t_takingStack = false;
    }
    g_recordingSites.store(on && CountsHeapAllocations());
}

std::size_t WriteAllocationSites(int fd)
{
    const std::size_t count = g_siteCount.exchange(0);
    const std::size_t kept = count < SiteCapacity ? count : SiteCapacity;
    for (std::size_t i = 0; i < kept; ++i)
    {
        static const char Separator[] = "--- allocation\n";
        if (::write(fd, Separator, sizeof(Separator) - 1) < 0)
            break;
        backtrace_symbols_fd(g_sites[i].frames, g_sites[i].depth, fd);
    }
    return count;
}
} // namespace Bench

#ifndef QUILL_BENCH_KEEPS_MALLOC
extern "C"
{
    void* malloc(std::size_t size)
    {
        Count(__builtin_return_address(0));
        return __libc_malloc(size);
    }

    void* calloc(std::size_t count, std::size_t size)
    {
        Count(__builtin_return_address(0));
        return __libc_calloc(count, size);
    }

    void* realloc(void* block, std::size_t size)
    {
        Count(__builtin_return_address(0));
        return __libc_realloc(block, size);
    }

    void free(void* block)
    {
        __libc_free(block);
    }

    void* memalign(std::size_t alignment, std::size_t size)
    {
        Count(__builtin_return_address(0));
        return __libc_memalign(alignment, size);
    }

    void* aligned_alloc(std::size_t alignment, std::size_t size)
    {
        Count(__builtin_return_address(0));
        return __libc_memalign(alignment, size);
    }

    int posix_memalign(void** block, std::size_t alignment, std::size_t size)
    {
        // The same checks glibc makes: a power of two, a multiple of a pointer's size.
        if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
            return 22; // EINVAL
        Count(__builtin_return_address(0));
        void* memory = __libc_memalign(alignment, size);
        if (memory == nullptr && size != 0)
            return 12; // ENOMEM
        *block = memory;
        return 0;
    }
}
#endif
