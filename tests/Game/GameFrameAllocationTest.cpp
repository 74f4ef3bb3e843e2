// A steady frame of the whole game takes next to nothing from the heap: every system the game
// creates, four players and 200 enemies fighting (tests/Support/GameFrameWorld.h), and after the
// fight has run a while, the allocations (malloc, operator new and their relatives, counted by
// the benchmarks' counter, bench/AllocationCounter.h) in the frames counted stay under a ceiling.
// Objects born and destroyed in the fight (projectiles, hit glows, floating damage texts) reuse
// the registration nodes, map entries and storage their predecessors left; what is left (some 4 a
// frame in the frames counted, fewer later) is the floating texts' own strings and vertices and
// the kept storage still growing to its steady size. A path that allocates for every enemy,
// every effect or every object born (20 and more a frame) breaks the ceiling at once. The
// game-frame benchmark's verdict still aims at none. When the ceiling is broken, the call stack
// of each allocation is written to a file the failure names.
#include "Core/Memory/ObjectAllocator.h"
#include "bench/AllocationCounter.h"
#include "tests/Support/GameFrameWorld.h"
#include "tests/Support/TempFiles.h"
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
// Frames after the fight has started: the pools, the reused texts and the caches grow to their
// steady size.
constexpr int kWarmUpFrames = 240;
constexpr int kCountedFrames = 120;
// Allocations a counted frame may make on average: about twice what is left today, far below
// one per object born in the frame.
constexpr u64 kCeilingPerFrame = 10;
// Frames whose allocations are traced when some were counted.
constexpr int kTracedFrames = 10;

// Traces the allocations of a few more frames into a file; answers its path.
std::string TraceAllocations(GameFrameWorld& world)
{
    const std::string path = TempPath("game-frame-allocations-%%%%%%.txt");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return "(no file could be opened)";
    Bench::RecordAllocationSites(true);
    world.Frames(kTracedFrames);
    Bench::RecordAllocationSites(false);
    Bench::WriteAllocationSites(fd);
    ::close(fd);
    return path;
}
} // namespace

TEST(GameFrame, SteadyFramesOfTheWholeGameStayUnderTheirHeapCeiling)
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
        world.Frames(kWarmUpFrames);

        const u64 before = Bench::HeapAllocations();
        world.Frames(kCountedFrames);
        const u64 made = Bench::HeapAllocations() - before;
        if (made > kCeilingPerFrame * kCountedFrames)
        {
            ADD_FAILURE() << made << " heap allocations in " << kCountedFrames
                          << " steady frames, over the ceiling of " << kCeilingPerFrame
                          << " a frame; the call stacks of those of " << kTracedFrames
                          << " more frames (addr2line -f -C -e <this test> names their frames): "
                          << TraceAllocations(world);
        }
    }
    std::remove(log.c_str());
}
