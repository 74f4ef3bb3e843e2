#include "Core/Memory/ObjectAllocator.h"
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace
{
constexpr u32 PerPage = ObjectAllocatorConfig::DefaultObjectsPerPage;
constexpr u32 PointerSize = static_cast<u32>(sizeof(void*));

// Pages, not heap, whatever the build's default is.
ObjectAllocatorConfig PagedConfig()
{
    return ObjectAllocatorConfig(false);
}

ObjectAllocatorConfig DebugConfig(u32 pad, u32 header)
{
    return ObjectAllocatorConfig(false, PerPage, 0, true, pad, header, 0);
}

bool AllBytes(const void* memory, std::size_t count, u08 value)
{
    const u08* bytes = static_cast<const u08*>(memory);
    for (std::size_t i = 0; i < count; ++i)
    {
        if (bytes[i] != value)
            return false;
    }
    return true;
}

std::vector<const void*> g_dumped;
void RecordDump(const void* object, u32)
{
    g_dumped.push_back(object);
}
} // namespace

TEST(ObjectAllocator, FirstPageIsTakenAtConstruction)
{
    ObjectAllocator pool(128, PagedConfig());
    const ObjectAllocatorStats stats = pool.GetStats();
    EXPECT_EQ(stats.objectSize, 128u);
    EXPECT_EQ(stats.pagesInUse, 1u);
    EXPECT_EQ(stats.freeObjects, PerPage);
    EXPECT_EQ(stats.objectsInUse, 0u);
    EXPECT_EQ(stats.pageSize, PointerSize + PerPage * 128u);
    EXPECT_EQ(pool.GetConfig().leftAlignSize, 0u);
    EXPECT_EQ(pool.GetConfig().interAlignSize, 0u);
}

TEST(ObjectAllocator, ThirtyFirstAllocationAddsASecondPage)
{
    ObjectAllocator pool(64, PagedConfig());
    std::vector<void*> objects;
    for (u32 i = 0; i < PerPage; ++i)
        objects.push_back(pool.Allocate());
    EXPECT_EQ(pool.GetStats().pagesInUse, 1u);
    EXPECT_EQ(pool.GetStats().freeObjects, 0u);

    objects.push_back(pool.Allocate());
    EXPECT_EQ(pool.GetStats().pagesInUse, 2u);
    EXPECT_EQ(pool.GetStats().freeObjects, PerPage - 1);
    for (void* object : objects)
        pool.Free(object);
}

TEST(ObjectAllocator, HandsOutDistinctAlignedSlotsLastSlotFirst)
{
    ObjectAllocator pool(40, PagedConfig());
    void* first = pool.Allocate();
    void* second = pool.Allocate();
    // The free list is built so that a page's last slot comes out first.
    EXPECT_EQ(static_cast<u08*>(first) - static_cast<u08*>(second), 40);
    std::set<void*> seen;
    std::vector<void*> objects{first, second};
    for (u32 i = 0; i < 3 * PerPage; ++i)
        objects.push_back(pool.Allocate());
    for (void* object : objects)
    {
        EXPECT_TRUE(seen.insert(object).second);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(object) % 8, 0u);
    }
    for (void* object : objects)
        pool.Free(object);
}

TEST(ObjectAllocator, ObjectsAreAtLeastPointerSizedAndEightByteAligned)
{
    struct Case
    {
        u32 requested;
        u32 objectSize;
    };
    for (const Case& c : {Case{1, PointerSize}, Case{4, PointerSize}, Case{12, 12}, Case{20, 20}})
    {
        ObjectAllocator pool(c.requested, PagedConfig());
        EXPECT_EQ(pool.GetStats().objectSize, c.objectSize) << c.requested;
        void* a = pool.Allocate();
        void* b = pool.Allocate();
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % 8, 0u) << c.requested;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b) % 8, 0u) << c.requested;
        pool.Free(a);
        pool.Free(b);
    }
}

TEST(ObjectAllocator, StatisticsAfterAllocationsAndFrees)
{
    for (u32 count : {1u, 30u, 31u, 95u})
    {
        ObjectAllocator pool(32, PagedConfig());
        std::vector<void*> objects;
        for (u32 i = 0; i < count; ++i)
            objects.push_back(pool.Allocate());
        EXPECT_EQ(pool.GetStats().objectsInUse, count);
        EXPECT_EQ(pool.GetStats().mostObjects, count);

        for (void* object : objects)
            pool.Free(object);
        const ObjectAllocatorStats stats = pool.GetStats();
        EXPECT_EQ(stats.objectsInUse, 0u) << count;
        EXPECT_EQ(stats.freeObjects, stats.pagesInUse * PerPage) << count;
        EXPECT_EQ(stats.pagesInUse, (count + PerPage - 1) / PerPage) << count;
        EXPECT_EQ(stats.mostObjects, count) << "most objects never decreases";
        EXPECT_EQ(stats.allocations, count);
        EXPECT_EQ(stats.deallocations, count);
    }
}

TEST(ObjectAllocator, FreeingNullDoesNothing)
{
    ObjectAllocator pool(16, DebugConfig(2, 1));
    pool.Free(nullptr);
    EXPECT_EQ(pool.GetStats().deallocations, 0u);
    EXPECT_EQ(pool.GetStats().freeObjects, PerPage);
}

TEST(ObjectAllocator, UseHeapKeepsNoPagesButCounts)
{
    ObjectAllocator pool(24, ObjectAllocatorConfig(true));
    EXPECT_EQ(pool.GetStats().pagesInUse, 0u);
    void* a = pool.Allocate();
    void* b = pool.Allocate();
    std::memset(a, 0x5A, 24);
    pool.Free(a);
    const ObjectAllocatorStats stats = pool.GetStats();
    EXPECT_EQ(stats.pagesInUse, 0u);
    EXPECT_EQ(stats.objectsInUse, 1u);
    EXPECT_EQ(stats.mostObjects, 2u);
    EXPECT_EQ(stats.allocations, 2u);
    EXPECT_EQ(stats.deallocations, 1u);
    pool.Free(b);
}

TEST(ObjectAllocator, DebugPatternsMarkEachState)
{
    constexpr u32 Size = 24;
    constexpr u32 Pad = 4;
    ObjectAllocator pool(Size, DebugConfig(Pad, 2));
    u08* object = static_cast<u08*>(pool.Allocate());
    EXPECT_TRUE(AllBytes(object, Size, 0xBB));
    EXPECT_TRUE(AllBytes(object - Pad, Pad, 0xDD));
    EXPECT_TRUE(AllBytes(object + Size, Pad, 0xDD));
    EXPECT_EQ(object[-static_cast<int>(Pad) - 1], 1) << "in-use flag";

    u08* next = static_cast<u08*>(pool.Allocate());
    pool.Free(object);
    EXPECT_TRUE(AllBytes(object + PointerSize, Size - PointerSize, 0xCC)) << "past the link";
    EXPECT_EQ(object[-static_cast<int>(Pad) - 1], 0) << "in-use flag cleared";

    // The slot below `next` was never handed out: beyond its free-list link it is untouched.
    const std::ptrdiff_t stride = object - next;
    u08* untouched = next - stride;
    EXPECT_TRUE(AllBytes(untouched + PointerSize, Size - PointerSize, 0xAA));
    pool.Free(next);
}

TEST(ObjectAllocator, AlignmentFillsKeepSlotsAligned)
{
    constexpr u32 Alignment = 16;
    ObjectAllocator pool(20, ObjectAllocatorConfig(false, PerPage, 0, true, 2, 1, Alignment));
    const ObjectAllocatorConfig& config = pool.GetConfig();
    EXPECT_EQ((PointerSize + config.leftAlignSize + 1 + 2) % Alignment, 0u);
    EXPECT_EQ((1 + 2 * 2 + 20 + config.interAlignSize) % Alignment, 0u);
    EXPECT_EQ(pool.GetStats().pageSize, PointerSize + config.leftAlignSize + PerPage * 25u +
                                            (PerPage - 1) * config.interAlignSize);

    std::vector<u08*> objects;
    for (int i = 0; i < 3; ++i)
        objects.push_back(static_cast<u08*>(pool.Allocate()));
    for (u08* object : objects)
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(object) % Alignment, 0u);
    // The inter-slot fill sits just before the header of the slot above the lowest one.
    const u08* upperHeader = objects[1] - 2 - 1;
    EXPECT_TRUE(AllBytes(upperHeader - config.interAlignSize, config.interAlignSize, 0xEE));
    for (u08* object : objects)
        pool.Free(object);
}

struct DebugFailure
{
    const char* name;
    u32 header;
    u32 code;
    const char* text;
};

class ObjectAllocatorDebugFailure : public testing::TestWithParam<DebugFailure>
{
};

// Every debug-mode misuse throws its code and text, changes nothing but the deallocation count,
// and leaves the pool (and its lock) usable.
TEST_P(ObjectAllocatorDebugFailure, ThrowsAndLeavesThePoolWorking)
{
    constexpr u32 Size = 32;
    constexpr u32 Pad = 4;
    const DebugFailure& failure = GetParam();
    ObjectAllocator pool(Size, DebugConfig(Pad, failure.header));
    u08* object = static_cast<u08*>(pool.Allocate());
    u08* freed = static_cast<u08*>(pool.Allocate());
    pool.Free(freed);
    u64 outside = 0;

    void* target = object;
    const std::string name = failure.name;
    if (name == "outside")
        target = &outside;
    else if (name == "between slots")
        target = object + 1;
    else if (name == "twice")
        target = freed;
    else if (name == "before")
        object[-1] = 0;
    else if (name == "after")
        object[Size] = 0;

    const ObjectAllocatorStats before = pool.GetStats();
    try
    {
        pool.Free(target);
        FAIL() << failure.name << ": no exception";
    }
    catch (const Core::OAException& exception)
    {
        EXPECT_EQ(exception.code(), failure.code) << failure.name;
        EXPECT_STREQ(exception.what(), failure.text) << failure.name;
    }
    ObjectAllocatorStats after = pool.GetStats();
    EXPECT_EQ(after.deallocations, before.deallocations + 1);
    after.deallocations = before.deallocations;
    EXPECT_EQ(std::memcmp(&after, &before, sizeof(after)), 0) << failure.name;

    void* again = pool.Allocate();
    EXPECT_NE(again, nullptr);
    pool.Free(again);
    if (name == "before")
        object[-1] = 0xDD;
    if (name == "after")
        object[Size] = 0xDD;
    pool.Free(object);
    EXPECT_EQ(pool.GetStats().objectsInUse, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ObjectAllocatorDebugFailure,
    testing::Values(DebugFailure{"outside", 1, 2, "object was not found on a valid page"},
                    DebugFailure{"between slots", 1, 3, "freeing address on bad boundary"},
                    DebugFailure{"twice", 1, 4, "attempting to free object twice"},
                    DebugFailure{"twice", 0, 4, "attempting to free object twice"},
                    DebugFailure{"before", 1, 5, "memory corrupted before block"},
                    DebugFailure{"after", 0, 5, "memory corrupted after block"}),
    [](const testing::TestParamInfo<DebugFailure>& info)
    {
        std::string name = info.param.name;
        for (char& c : name)
        {
            if (c == ' ')
                c = '_';
        }
        return name + (info.param.header != 0 ? "_with_header" : "_without_header");
    });

TEST(ObjectAllocator, DumpVisitsObjectsInUseNewestPageFirst)
{
    for (u32 header : {0u, 1u})
    {
        ObjectAllocator pool(16, DebugConfig(0, header));
        g_dumped.clear();
        EXPECT_EQ(pool.DumpMemoryInUse(&RecordDump), 0u);
        EXPECT_TRUE(g_dumped.empty());

        std::vector<void*> objects;
        for (u32 i = 0; i < PerPage + 2; ++i)
            objects.push_back(pool.Allocate());
        for (u32 i = 0; i < PerPage; ++i)
            pool.Free(objects[i]); // the whole first page
        // Left: the two from the second page, handed out from its last slot down.
        EXPECT_EQ(pool.DumpMemoryInUse(&RecordDump), 2u) << header;
        ASSERT_EQ(g_dumped.size(), 2u);
        EXPECT_EQ(g_dumped[0], objects[PerPage + 1]);
        EXPECT_EQ(g_dumped[1], objects[PerPage]);
        pool.Free(objects[PerPage]);
        pool.Free(objects[PerPage + 1]);
    }
}

TEST(ObjectAllocator, DestructorPrintsObjectsStillInUse)
{
    testing::internal::CaptureStdout();
    {
        ObjectAllocator pool(8, PagedConfig());
        u08* object = static_cast<u08*>(pool.Allocate());
        const u08 bytes[8] = {'A', 'b', 0x01, 0x7F, 0x80, ' ', 0x00, 'z'};
        std::memcpy(object, bytes, sizeof(bytes));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Block at 0x00000000, 8 bytes long.\n"
                                                      " Data: <Ab \x7F"
                                                      "   z> 41 62 01 7F 80 20 00 7A\n");
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(ObjectAllocator, PageThatCannotBeHadThrowsCodeZero)
{
    // Thirty objects of nearly 4 GiB each: no heap gives that much in one piece.
    try
    {
        ObjectAllocator pool(0xFFFFFF00u, PagedConfig());
        FAIL() << "a page of about 120 GiB was allocated";
    }
    catch (const Core::OAException& exception)
    {
        EXPECT_EQ(exception.code(), Core::OAException::E_NO_MEMORY);
        EXPECT_STREQ(exception.what(), "unable to allocate memory from OS");
    }
}
#endif

TEST(ObjectAllocator, ThreadsShareOnePoolSafely)
{
    // Bounded: each thread takes and returns small batches a fixed number of times, stamping
    // every object so that a slot handed to two threads at once would be caught.
    constexpr int Threads = 4;
    constexpr int Rounds = 500;
    constexpr int Batch = 16;
    ObjectAllocator pool(32, PagedConfig());
    std::vector<std::thread> workers;
    std::vector<int> mismatches(Threads, 0);
    for (int t = 0; t < Threads; ++t)
    {
        workers.emplace_back(
            [&pool, &mismatches, t]
            {
                void* objects[Batch];
                for (int round = 0; round < Rounds; ++round)
                {
                    for (int i = 0; i < Batch; ++i)
                    {
                        objects[i] = pool.Allocate();
                        const u64 stamp = (static_cast<u64>(t) << 32) | static_cast<u64>(i);
                        std::memcpy(objects[i], &stamp, sizeof(stamp));
                    }
                    for (int i = 0; i < Batch; ++i)
                    {
                        u64 stamp = 0;
                        std::memcpy(&stamp, objects[i], sizeof(stamp));
                        if (stamp != ((static_cast<u64>(t) << 32) | static_cast<u64>(i)))
                            ++mismatches[t];
                        pool.Free(objects[i]);
                    }
                }
            });
    }
    for (std::thread& worker : workers)
        worker.join();

    for (int t = 0; t < Threads; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    const ObjectAllocatorStats stats = pool.GetStats();
    EXPECT_EQ(stats.allocations, static_cast<u32>(Threads * Rounds * Batch));
    EXPECT_EQ(stats.deallocations, stats.allocations);
    EXPECT_EQ(stats.objectsInUse, 0u);
    EXPECT_EQ(stats.freeObjects, stats.pagesInUse * PerPage);
    EXPECT_LE(stats.mostObjects, static_cast<u32>(Threads * Batch));
}

TEST(ObjectAllocator, FourThreadsAllocateAndFreeEachOthersBlocksAndTheCountsAddUp)
{
    // Bounded: each thread allocates a fixed number of stamped blocks; after a join each thread
    // frees its neighbour's blocks but the last few, checking the stamps. The threads' caches go
    // back to the pool when they end, so the counts and the leak dump afterwards are exact.
    constexpr u32 Threads = 4;
    constexpr u32 PerThread = 700;
    constexpr u32 Leaked = 3;
    ObjectAllocator pool(48, PagedConfig());
    std::vector<std::vector<void*>> blocks(Threads);
    std::vector<int> mismatches(Threads, 0);
    auto runThreads = [&](auto work)
    {
        std::vector<std::thread> workers;
        for (u32 t = 0; t < Threads; ++t)
            workers.emplace_back(work, t);
        for (std::thread& worker : workers)
            worker.join();
    };

    runThreads(
        [&](u32 t)
        {
            for (u32 i = 0; i < PerThread; ++i)
            {
                void* block = pool.Allocate();
                const u64 stamp = (u64{t} << 32) | i;
                std::memcpy(block, &stamp, sizeof(stamp));
                blocks[t].push_back(block);
            }
        });
    runThreads(
        [&](u32 t)
        {
            const u32 owner = (t + 1) % Threads;
            for (u32 i = 0; i < PerThread - Leaked; ++i)
            {
                u64 stamp = 0;
                std::memcpy(&stamp, blocks[owner][i], sizeof(stamp));
                if (stamp != ((u64{owner} << 32) | i))
                    ++mismatches[t];
                pool.Free(blocks[owner][i]);
            }
        });

    for (u32 t = 0; t < Threads; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    const ObjectAllocatorStats stats = pool.GetStats();
    EXPECT_EQ(stats.allocations, Threads * PerThread);
    EXPECT_EQ(stats.deallocations, Threads * (PerThread - Leaked));
    EXPECT_EQ(stats.objectsInUse, Threads * Leaked);
    EXPECT_EQ(stats.mostObjects, Threads * PerThread);
    EXPECT_EQ(stats.freeObjects + stats.objectsInUse, stats.pagesInUse * PerPage);

    // The leak dump lists exactly the blocks never freed.
    g_dumped.clear();
    EXPECT_EQ(pool.DumpMemoryInUse(&RecordDump), Threads * Leaked);
    std::set<const void*> expected;
    for (const std::vector<void*>& owned : blocks)
        expected.insert(owned.end() - Leaked, owned.end());
    EXPECT_EQ(std::set<const void*>(g_dumped.begin(), g_dumped.end()), expected);
    for (const void* block : expected)
        pool.Free(const_cast<void*>(block));
    EXPECT_EQ(pool.DumpMemoryInUse(nullptr), 0u);
    EXPECT_EQ(pool.GetStats().objectsInUse, 0u);
}

TEST(ObjectAllocator, BlocksPassedBetweenThreadsWhileTheyRunComeBackWholeAndTheCountsBalance)
{
    // Bounded: each of four producers allocates a fixed number of stamped blocks and hands them,
    // in small groups, to its own consumer thread, which checks the stamps and frees them. The
    // consumers' frees go back to the producers' arenas in batches while the producers keep
    // allocating, so blocks come round again; a block handed out twice would break a stamp.
    constexpr u32 Pairs = 4;
    constexpr u32 PerProducer = 3000;
    constexpr u32 Group = 10;
    constexpr u32 ObjectSize = 48;
    ObjectAllocator pool(ObjectSize, PagedConfig());
    struct Mailbox
    {
        std::mutex mutex;
        std::condition_variable filled;
        std::vector<void*> blocks;
    };
    std::vector<Mailbox> mailboxes(Pairs);
    std::vector<int> mismatches(Pairs, 0);
    auto stamp = [](u32 producer, u32 index) { return (u64{producer} << 32) | index; };
    std::vector<std::thread> workers;
    for (u32 p = 0; p < Pairs; ++p)
    {
        workers.emplace_back(
            [&, p]
            {
                std::vector<void*> group;
                for (u32 i = 0; i < PerProducer; ++i)
                {
                    void* block = pool.Allocate();
                    const u64 value = stamp(p, i);
                    std::memcpy(block, &value, sizeof(value));
                    std::memcpy(static_cast<u08*>(block) + ObjectSize - sizeof(value), &value,
                                sizeof(value));
                    group.push_back(block);
                    if (group.size() == Group || i + 1 == PerProducer)
                    {
                        std::lock_guard<std::mutex> lock(mailboxes[p].mutex);
                        mailboxes[p].blocks.insert(mailboxes[p].blocks.end(), group.begin(),
                                                   group.end());
                        mailboxes[p].filled.notify_one();
                        group.clear();
                    }
                }
            });
        workers.emplace_back(
            [&, p]
            {
                u32 freed = 0;
                std::vector<void*> taken;
                while (freed < PerProducer)
                {
                    {
                        std::unique_lock<std::mutex> lock(mailboxes[p].mutex);
                        mailboxes[p].filled.wait(lock,
                                                 [&] { return !mailboxes[p].blocks.empty(); });
                        taken.swap(mailboxes[p].blocks);
                    }
                    for (void* block : taken)
                    {
                        u64 front = 0;
                        u64 back = 0;
                        std::memcpy(&front, block, sizeof(front));
                        std::memcpy(&back, static_cast<u08*>(block) + ObjectSize - sizeof(back),
                                    sizeof(back));
                        if (front != stamp(p, freed) || back != front)
                            ++mismatches[p];
                        pool.Free(block);
                        ++freed;
                    }
                    taken.clear();
                }
            });
    }
    for (std::thread& worker : workers)
        worker.join();

    for (u32 p = 0; p < Pairs; ++p)
        EXPECT_EQ(mismatches[p], 0) << "pair " << p;
    const ObjectAllocatorStats stats = pool.GetStats();
    EXPECT_EQ(stats.allocations, Pairs * PerProducer);
    EXPECT_EQ(stats.deallocations, Pairs * PerProducer);
    EXPECT_EQ(stats.objectsInUse, 0u);
    EXPECT_EQ(stats.freeObjects, stats.pagesInUse * PerPage);
    EXPECT_EQ(pool.DumpMemoryInUse(nullptr), 0u);
}

TEST(ObjectAllocator, AThreadTakesTheFreePagesAndReturnedBlocksOfAnEndedThreadBeforeAddingPages)
{
    // The main thread binds to the first arena, a long-lived thread to a second and a short-lived
    // one to a third. The short-lived thread allocates 300 blocks and ends; the long-lived one
    // frees them (they go back to the ended thread's arena as returned batches) and then
    // allocates 300 again: the ended thread's pages and blocks serve it, and no page is added.
    constexpr u32 Count = 300;
    ObjectAllocator pool(48, PagedConfig());
    pool.Free(pool.Allocate());
    std::vector<void*> blocks;
    std::mutex mutex;
    std::condition_variable changed;
    // 1: long-lived bound; 2: blocks allocated; 3: blocks freed; 4: checked; 5: reallocated.
    int stage = 0;
    auto waitFor = [&](int wanted)
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return stage >= wanted; });
    };
    auto advance = [&](int to)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stage = to;
        }
        changed.notify_all();
    };
    std::thread longLived(
        [&]
        {
            pool.Free(pool.Allocate());
            advance(1);
            waitFor(2);
            for (void* block : blocks)
                pool.Free(block);
            blocks.clear();
            advance(3);
            waitFor(4);
            for (u32 i = 0; i < Count; ++i)
                blocks.push_back(pool.Allocate());
            advance(5);
        });
    waitFor(1);
    std::thread shortLived(
        [&]
        {
            for (u32 i = 0; i < Count; ++i)
                blocks.push_back(pool.Allocate());
        });
    shortLived.join();
    const u32 pages = pool.GetStats().pagesInUse;
    advance(2);
    waitFor(3);
    ObjectAllocatorStats stats = pool.GetStats();
    EXPECT_EQ(stats.objectsInUse, 0u);
    EXPECT_EQ(stats.freeObjects, stats.pagesInUse * PerPage);
    advance(4);
    waitFor(5);
    longLived.join();

    stats = pool.GetStats();
    EXPECT_EQ(stats.pagesInUse, pages);
    EXPECT_EQ(stats.objectsInUse, Count);
    EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), Count);
    EXPECT_EQ(pool.DumpMemoryInUse(nullptr), Count);
    for (void* block : blocks)
        pool.Free(block);
    EXPECT_EQ(pool.DumpMemoryInUse(nullptr), 0u);
    EXPECT_EQ(pool.GetStats().freeObjects, pool.GetStats().pagesInUse * PerPage);
}
