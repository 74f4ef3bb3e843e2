// Covers: Engine, ObjectAllocator (every system of the game at play).
// A steady frame of the whole game takes nothing from the heap: every system the game creates,
// four players and 200 enemies fighting (tests/ScriptApi/Support/GameFrameWorld.h), and after the
// fight has run a while, the allocations (malloc, operator new and their relatives, from any
// thread, counted by the benchmarks' counter, tests/Platform/Support/AllocationCounter.h) of each
// counted frame are read one by one. Objects born and destroyed in the fight (projectiles, hit
// glows, floating damage texts) reuse the registration nodes, map entries, names, component lists,
// texts and vertices their predecessors left, and the log's table of repeated error lines has all
// its storage from the first such line.
//
// What the sound library (OpenAL) allocates inside its own calls is left out: its version here
// allocates a record for every stream buffer it queues (streams queue buffers only where it
// cannot map them; tests/Platform/Audio/StreamAllocationTest.cpp counts OpenAL's allocations for a
// mapped stream). What may still allocate happens once: a kept list may reach a size it never
// had before. So most frames must take nothing at all (the median frame none), and all counted
// frames together at most a couple: a path that allocates in every frame, or in every other one,
// or for every object born (several a frame) fails at once. When they do not, the call stack of
// each allocation of a few more frames is written to a file the failure names.
#include "Core/Memory/ObjectAllocator.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include "tests/ScriptApi/Support/GameFrameWorld.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <numeric>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int CountedFrames = 600;
// Allocations all counted frames together may make: a kept list growing once, far below one a
// frame.
constexpr u64 RareGrowthLimit = 2;
// Frames whose allocations are traced when some were counted.
constexpr int TracedFrames = 10;

// Traces the allocations of a few more frames into a file; answers its path.
std::string TraceAllocations(GameFrameWorld& world)
{
    const std::string path = TempPath("game-frame-allocations-%%%%%%.txt");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return "(no file could be opened)";
    Bench::RecordAllocationSites(true);
    world.Frames(TracedFrames);
    Bench::RecordAllocationSites(false);
    Bench::WriteAllocationSites(fd);
    ::close(fd);
    return path;
}
} // namespace

TEST(GameFrame, SteadyFramesOfTheWholeGameTakeNothingFromTheHeap)
{
    if (!Bench::CountsHeapAllocations() || PoolsUseHeap)
        GTEST_SKIP() << "this build keeps the sanitizer's malloc or puts the object pools on the "
                        "heap: steady frames allocate by design here, and only the ordinary "
                        "build counts";
    const std::string log = TempPath("game-frame-log-%%%%%%.txt");
    {
        GameFrameWorld world(log);
        world.Populate();
        ASSERT_GT(world.GetEngine().GetFactory()->GetObjectCount(),
                  static_cast<std::size_t>(GameFrameWorld::Enemies))
            << "the characters were made";
        world.Frames(GameFrameWorld::WarmUpFrames);

        Bench::CountLibraryApart("libopenal");
        std::vector<u64> perFrame(CountedFrames, 0);
        for (u64& made : perFrame)
        {
            const u64 before = Bench::HeapAllocations() - Bench::LibraryAllocations();
            world.Frames(1);
            made = Bench::HeapAllocations() - Bench::LibraryAllocations() - before;
        }
        const u64 total = std::accumulate(perFrame.begin(), perFrame.end(), u64{0});
        std::vector<u64> sorted = perFrame;
        std::nth_element(sorted.begin(), sorted.begin() + CountedFrames / 2, sorted.end());
        const u64 median = sorted[CountedFrames / 2];
        if (median != 0 || total > RareGrowthLimit)
        {
            ADD_FAILURE() << total << " heap allocations in " << CountedFrames
                          << " steady frames (the median frame " << median
                          << "), over the limit of none in the median frame and " << RareGrowthLimit
                          << " in all; the call stacks of those of " << TracedFrames
                          << " more frames (addr2line -f -C -e <this test> names their frames): "
                          << TraceAllocations(world);
        }
    }
    std::remove(log.c_str());
}
