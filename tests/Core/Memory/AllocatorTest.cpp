#include "Core/Memory/Allocator.h"
#include "Core/Engine.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/System/LogSystem.h"
#include "tests/Support/TempFiles.h"
#include <cstring>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace
{
constexpr u32 EngineBuckets = 10;
constexpr u32 LargestBlock = 1400000;

u32 BucketAllocations(const Allocator& allocator, u32 size)
{
    const ObjectAllocator* bucket = allocator.FindBucket(size);
    return bucket != nullptr ? bucket->GetStats().allocations : 0;
}
} // namespace

TEST(Allocator, TenDoublingBucketsThenFourLargeOnes)
{
    Allocator allocator(EngineBuckets);
    const std::vector<u32> expected = {128,   256,   512,   1024,   2048,   4096,    8192,
                                       16384, 32768, 65536, 150000, 600000, 1050000, 1400000};
    EXPECT_EQ(allocator.GetBlockSizes(), expected);
}

TEST(Allocator, ChoosesTheSmallestBucketThatFits)
{
    Allocator allocator(EngineBuckets);
    struct Case
    {
        u32 request;
        u32 bucket; // 0: the heap
    };
    const Case cases[] = {{0, 128},
                          {1, 128},
                          {128, 128},
                          {129, 256},
                          {1024, 1024},
                          {1025, 2048},
                          {65536, 65536},
                          {65537, 150000},
                          {150000, 150000},
                          {150001, 600000},
                          {1050001, 1400000},
                          {LargestBlock, LargestBlock},
                          {LargestBlock + 1, 0}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(allocator.FindBucketSize(c.request), c.bucket) << c.request;
        const u32 before = BucketAllocations(allocator, c.request);
        void* block = allocator.Allocate(c.request);
        ASSERT_NE(block, nullptr) << c.request;
        std::memset(block, 0x5A, c.request); // the whole request is usable
        if (c.bucket != 0)
        {
            EXPECT_EQ(allocator.FindBucket(c.request)->GetStats().objectSize, c.bucket);
            EXPECT_EQ(BucketAllocations(allocator, c.request), before + 1) << c.request;
        }
        else
        {
            EXPECT_EQ(allocator.FindBucket(c.request), nullptr);
        }
        allocator.Free(block, c.request);
    }
    EXPECT_EQ(allocator.GetTotalAllocations(), static_cast<u32>(std::size(cases)));
    EXPECT_EQ(allocator.GetTotalFrees(), static_cast<u32>(std::size(cases)));
}

TEST(Allocator, ZeroBucketsIsReportedAndKeepsTheLargeBuckets)
{
    LogFileCapture log("allocator_zero_buckets");
    Allocator allocator(0);
    EXPECT_EQ(allocator.GetBlockSizes(), (std::vector<u32>{150000, 600000, 1050000, 1400000}));
    EXPECT_EQ(allocator.FindBucketSize(10), 150000u);
    void* block = allocator.Allocate(10);
    EXPECT_EQ(allocator.FindBucket(10)->GetStats().allocations, 1u);
    allocator.Free(block, 10);
    EXPECT_NE(log.Text().find("Invalid Number of Allocator Buckets"), std::string::npos);
}

TEST(Allocator, FreeingNullDoesNothing)
{
    Allocator allocator(EngineBuckets);
    allocator.Free(nullptr, 64);
    allocator.Free(nullptr, LargestBlock + 1);
    EXPECT_EQ(allocator.GetTotalFrees(), 0u);
}

TEST(Allocator, StatisticsGoToTheLogInTheirFixedForm)
{
    LogFileCapture log("allocator_statistics");
    Allocator allocator(2); // buckets 128 and 256, then the four large ones
    void* a = allocator.Allocate(100);
    void* b = allocator.Allocate(120);
    void* c = allocator.Allocate(200);
    void* huge = allocator.Allocate(LargestBlock + 8);
    allocator.Free(a, 100);
    allocator.Free(huge, LargestBlock + 8);
    allocator.PrintStatistics();
    allocator.Free(b, 120);
    allocator.Free(c, 200);

    const std::string expected = "\n:: Allocator Debug ::\n"
                                 "Allocates Total: 4\n"
                                 "Deletes Total:   2\n"
                                 "-- Allocates Per Bucket --\n"
                                 "Object Size: 128 || Most Objects: 2 || Allocations: 2 || "
                                 "Deallocations: 1\n"
                                 "Object Size: 256 || Most Objects: 1 || Allocations: 1 || "
                                 "Deallocations: 0\n"
                                 "Object Size: 150000 || Most Objects: 0 || Allocations: 0 || "
                                 "Deallocations: 0\n"
                                 "Object Size: 600000 || Most Objects: 0 || Allocations: 0 || "
                                 "Deallocations: 0\n"
                                 "Object Size: 1050000 || Most Objects: 0 || Allocations: 0 || "
                                 "Deallocations: 0\n"
                                 "Object Size: 1400000 || Most Objects: 0 || Allocations: 0 || "
                                 "Deallocations: 0\n"
                                 ":: ~Allocator Debug~ ::\n\n";
    EXPECT_EQ(log.Text(), expected);
}

TEST(Allocator, AnF11PressWritesTheStatisticsToTheLog)
{
    constexpr u32 Pressed = 1, Released = 3, KeyF10 = 267;
    struct Case
    {
        u32 key;
        u32 state;
        bool writes;
    };
    for (const Case& c : {Case{Engine::KeyF11, Pressed, true},
                          Case{Engine::KeyF11, Released, false}, Case{KeyF10, Pressed, false}})
    {
        LogFileCapture log("allocator_f11");
        Engine engine;
        engine.SendMessage(new KeyboardMessage(0, c.key, c.state, 0), 0.0f);
        const std::string text = log.Text();
        const std::string block = "Engine handling keyboard key 'F11'\n"
                                  "\n:: Allocator Debug ::\nAllocates Total: ";
        EXPECT_EQ(text.find(block) != std::string::npos, c.writes) << c.key << " " << c.state;
        EXPECT_EQ(text.find(":: ~Allocator Debug~ ::\n\n") != std::string::npos, c.writes);
    }

    // A plain message under the keyboard's type number has no key to read and is no F11 press.
    LogFileCapture log("allocator_f11_plain");
    Engine engine;
    engine.SendMessage(new Message(0, KeyboardMessage::Type, 0, sizeof(Message)), 0.0f);
    EXPECT_EQ(log.Text().find(":: Allocator Debug ::"), std::string::npos);
}

TEST(Allocator, ThreadsAllocateAndFreeAcrossBuckets)
{
    // Bounded: a fixed mix of sizes (three buckets and the heap) per thread, then joins.
    constexpr int Threads = 4;
    constexpr int Rounds = 300;
    const u32 sizes[] = {16, 128, 129, 3000, LargestBlock + 1};
    constexpr int SizeCount = static_cast<int>(std::size(sizes));
    Allocator allocator(EngineBuckets);
    std::vector<int> mismatches(Threads, 0);
    std::vector<std::thread> workers;
    for (int t = 0; t < Threads; ++t)
    {
        workers.emplace_back(
            [&, t]
            {
                void* blocks[SizeCount];
                for (int round = 0; round < Rounds; ++round)
                {
                    for (int i = 0; i < SizeCount; ++i)
                    {
                        blocks[i] = allocator.Allocate(sizes[i]);
                        std::memset(blocks[i], t + 1, sizes[i]);
                    }
                    for (int i = SizeCount - 1; i >= 0; --i)
                    {
                        const u08* bytes = static_cast<const u08*>(blocks[i]);
                        if (bytes[0] != t + 1 || bytes[sizes[i] - 1] != t + 1)
                            ++mismatches[t];
                        allocator.Free(blocks[i], sizes[i]);
                    }
                }
            });
    }
    for (std::thread& worker : workers)
        worker.join();

    for (int t = 0; t < Threads; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    const u32 total = static_cast<u32>(Threads * Rounds * SizeCount);
    EXPECT_EQ(allocator.GetTotalAllocations(), total);
    EXPECT_EQ(allocator.GetTotalFrees(), total);
    EXPECT_EQ(allocator.FindBucket(129)->GetStats().allocations,
              static_cast<u32>(Threads * Rounds));
    for (u32 size : {16u, 129u, 3000u})
        EXPECT_EQ(allocator.FindBucket(size)->GetStats().objectsInUse, 0u) << size;
}
