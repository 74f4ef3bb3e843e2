// The bucket allocator against glibc malloc/free and mimalloc in the same run, then game objects
// with pooled components against the same objects on the plain heap. Patterns:
// - LIFO: one allocate followed at once by its free (the message pattern);
// - churn: 100,000 blocks allocated, then freed in a fixed shuffled order;
// each for 128-byte requests (the bucket allocator's smallest block, so every heap hands out
// blocks of the same size) and 1 KiB, on one thread and on four sharing one allocator.
// After the table, each bucket-allocator time is printed as a ratio to the baselines; targets:
// LIFO at most 0.5 of glibc, churn at most 1.5 of mimalloc. On a busy machine pass
// --benchmark_repetitions=5: the ratios then use the medians.
//
// How the bucket allocator gets there: each thread takes and returns blocks through a small
// cache of its own in front of every pool, exchanged with the pool in batches, so a LIFO pair
// takes no lock; the exchanges go to an arena of pages that the thread's cache is bound to, with
// a lock of its own, so threads working side by side do not queue on one lock, and blocks freed
// by another thread go back to their arena as batches pushed without a lock; the bucket is
// computed from the request's bit width (no computation at all up to the smallest block); and the
// pools keep a free list per page, a wholly free page handing out its slots in address order
// again, with the pages of a chunk side by side on the list, so that the allocations after a
// shuffled free walk whole chunks instead of jumping across the pool's whole footprint. An
// exchange moves whole words of a page's free bits (a wholly free page by a plain walk), and the
// blocks a cache gives back to its own arena go to their pages in one pass under one lock.
#include "Core/Components/TestComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Memory/Allocator.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Math/MathUtils.h"
#include "bench/RatioReporter.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace
{
constexpr u32 SmallBlock = 128;
constexpr u32 LargeBlock = 1024;
constexpr int ChurnBlocks = 100000;
constexpr int SharedThreads = 4;
constexpr int ComponentsPerObject = 3;
constexpr double LifoTargetVsGlibc = 0.5;
const std::string ObjectPattern = "GameObject+components";
constexpr double ChurnTargetVsMimalloc = 1.5;

// The engine's allocator configuration; shared by every thread, as in the engine.
Allocator* g_bucketAllocator = nullptr;
// The free order of the churn pattern, the same for every heap.
std::vector<int> g_freeOrder;

struct GlibcHeap
{
    // glibc itself, past the program's counting malloc.
    static void* Allocate(u32 size) { return Bench::GlibcMalloc(size); }
    static void Free(void* block, u32) { Bench::GlibcFree(block); }
};

// mimalloc is loaded privately: linked normally, its library replaces malloc and free for the
// whole process, and the glibc baseline would measure mimalloc.
struct Mimalloc
{
    static bool Load()
    {
        for (const char* name : {"libmimalloc.so.2", "libmimalloc.so"})
        {
            if (void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL))
            {
                allocate = reinterpret_cast<void* (*)(std::size_t)>(dlsym(library, "mi_malloc"));
                release = reinterpret_cast<void (*)(void*)>(dlsym(library, "mi_free"));
                return allocate != nullptr && release != nullptr;
            }
        }
        return false;
    }
    static void* Allocate(u32 size) { return allocate(size); }
    static void Free(void* block, u32) { release(block); }

    static inline void* (*allocate)(std::size_t) = nullptr;
    static inline void (*release)(void*) = nullptr;
};

struct BucketAllocator
{
    static void* Allocate(u32 size) { return g_bucketAllocator->Allocate(size); }
    static void Free(void* block, u32 size) { g_bucketAllocator->Free(block, size); }
};

template <class Heap> void LifoPairs(benchmark::State& state)
{
    const u32 size = static_cast<u32>(state.range(0));
    for (auto _ : state)
    {
        void* block = Heap::Allocate(size);
        benchmark::DoNotOptimize(block);
        Heap::Free(block, size);
    }
    state.SetItemsProcessed(state.iterations());
}

template <class Heap> void Churn(benchmark::State& state)
{
    const u32 size = static_cast<u32>(state.range(0));
    std::vector<void*> blocks(ChurnBlocks);
    for (auto _ : state)
    {
        for (void*& block : blocks)
        {
            block = Heap::Allocate(size);
            *static_cast<u08*>(block) = 1; // the caller writes what it allocates
        }
        for (int index : g_freeOrder)
            Heap::Free(blocks[static_cast<std::size_t>(index)], size);
    }
    state.SetItemsProcessed(state.iterations() * ChurnBlocks);
}

// The same component on the plain heap: an unregistered name, so the factory deletes it.
class HeapTestComponent : public TestComponent
{
public:
    const std::string& GetName() const override
    {
        static const std::string name = "HeapTestComponent";
        return name;
    }
};

void GameObjectsPooled(benchmark::State& state)
{
    GameFactory& factory = *g_Engine->GetFactory();
    const int components = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        GameObject* object = factory.CreateObject("Bench", Engine::GenerateId());
        for (int i = 0; i < components; ++i)
            object->AddComponent(factory.CreateComponent("TestComponent"));
        factory.DestroyObject(object->GetId());
    }
    state.SetItemsProcessed(state.iterations());
}

// The baseline keeps the factory's bookkeeping (an id map of objects, components created through
// a name lookup) so that the two differ only in where the memory comes from.
void GameObjectsOnHeap(benchmark::State& state)
{
    using Creator = GameObjectComponent* (*)();
    const std::unordered_map<std::string, Creator> creators = {
        {"TestComponent", []() -> GameObjectComponent* { return new HeapTestComponent(); }}};
    std::unordered_map<u32, GameObject*> objects;
    const int components = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        const u32 id = Engine::GenerateId();
        auto* object = new GameObject();
        objects.emplace(id, object);
        for (int i = 0; i < components; ++i)
            object->AddComponent(creators.at("TestComponent")());
        objects.erase(id);
        delete object;
    }
    state.SetItemsProcessed(state.iterations());
}

std::vector<int> ShuffledOrder(int count)
{
    // Fisher-Yates on the engine's 15-bit generator, two draws per index for 30 bits.
    Math::SeedRand(1);
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        order[static_cast<std::size_t>(i)] = i;
    for (int i = count - 1; i > 0; --i)
    {
        const u32 draw = (static_cast<u32>(Math::Rand()) << 15) | static_cast<u32>(Math::Rand());
        std::swap(order[static_cast<std::size_t>(i)],
                  order[static_cast<std::size_t>(draw % static_cast<u32>(i + 1))]);
    }
    return order;
}

// The pattern and the contender of each registered benchmark, by its registered name.
struct Contender
{
    std::string pattern;
    std::string heap;
};
std::map<std::string, Contender> g_contenders;

void Add(const std::string& pattern, const std::string& heap, void (*function)(benchmark::State&),
         u32 size, int threads)
{
    const std::string name = pattern + "/" + heap;
    g_contenders[name] = Contender{pattern, heap};
    benchmark::RegisterBenchmark(name.c_str(), function)
        ->Arg(size)
        ->Threads(threads)
        ->UseRealTime();
}

template <class Heap> void AddPatterns(const std::string& heap)
{
    for (int threads : {1, SharedThreads})
    {
        for (u32 size : {SmallBlock, LargeBlock})
        {
            Add("LIFO", heap, &LifoPairs<Heap>, size, threads);
            Add("Churn", heap, &Churn<Heap>, size, threads);
        }
    }
}

// Keeps each run's time per item so that the ratios can be printed after the table.
class AllocatorRatios : public RatioReporter
{
public:
    AllocatorRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        std::printf("\nRatios (bucket allocator time / baseline time; lower is better)\n");
        for (const auto& [group, times] : m_times)
        {
            if (times.count("Pooled") != 0 && times.count("Heap") != 0)
            {
                std::printf("%-30s pooled/heap %6.3f\n", group.c_str(),
                            times.at("Pooled") / times.at("Heap"));
                continue;
            }
            if (times.count("Bucket") == 0 || times.count("Glibc") == 0 ||
                times.count("Mimalloc") == 0)
                continue;
            const double vsGlibc = times.at("Bucket") / times.at("Glibc");
            const double vsMimalloc = times.at("Bucket") / times.at("Mimalloc");
            const bool isLifo = group.rfind("LIFO", 0) == 0;
            const bool met =
                isLifo ? vsGlibc <= LifoTargetVsGlibc : vsMimalloc <= ChurnTargetVsMimalloc;
            std::printf("%-30s bucket/glibc %6.3f  bucket/mimalloc %6.3f  target (%s) %s\n",
                        group.c_str(), vsGlibc, vsMimalloc,
                        isLifo ? "<= 0.5 of glibc" : "<= 1.5 of mimalloc", Verdict(met));
        }
    }

private:
    void Record(const Run& run) override
    {
        const auto contender = g_contenders.find(run.run_name.function_name);
        if (contender == g_contenders.end())
            return;
        // Wall time per item; for shared runs, per item of all threads together.
        const bool isObjectRun = contender->second.pattern == ObjectPattern;
        const std::string group = isObjectRun
                                      ? ObjectPattern
                                      : contender->second.pattern + " " + run.run_name.args +
                                            " B, " + std::to_string(run.threads) + " thread(s)";
        m_times[group][contender->second.heap] = run.GetAdjustedRealTime();
    }

    std::map<std::string, std::map<std::string, double>> m_times;
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    Engine engine; // the game-object benchmarks need its factory and allocator
    Core::RegisterCore(engine);
    Allocator allocator(Engine::AllocatorBuckets);
    g_bucketAllocator = &allocator;
    g_freeOrder = ShuffledOrder(ChurnBlocks);

    AddPatterns<GlibcHeap>("Glibc");
    if (Mimalloc::Load())
        AddPatterns<Mimalloc>("Mimalloc");
    else
        std::printf("mimalloc could not be loaded (libmimalloc-dev); its baseline is left out\n");
    AddPatterns<BucketAllocator>("Bucket");
    Add(ObjectPattern, "Heap", &GameObjectsOnHeap, ComponentsPerObject, 1);
    Add(ObjectPattern, "Pooled", &GameObjectsPooled, ComponentsPerObject, 1);

    AllocatorRatios reporter;
    return RunAndPrintRatios(reporter);
}
