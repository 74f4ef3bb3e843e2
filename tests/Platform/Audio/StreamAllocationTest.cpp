// Covers: SoundSystem.
// Music that plays takes nothing from the heap: once a stream on a mapped buffer runs, the
// allocations (malloc, operator new and their relatives, from any thread, counted by the
// benchmarks' counter, tests/Platform/Support/AllocationCounter.h) of rendering and updating it are
// read, OpenAL's own among them. An executable of its own, since the counter replaces malloc.
#include "Platform/Audio/SoundSystem.h"
#include "tests/Platform/Audio/LoopbackTestSupport.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include <vector>

using namespace Audio::Layer;
using LoopbackTest::LoopbackSystemTest;
using LoopbackTest::Rate;

namespace
{
// Frames rendered between two updates (a game frame at 60 per second) and the frames counted:
// the ring of four 4096-frame segments goes round more than ten times and the one-second tone
// loops three times.
constexpr std::size_t FrameFrames = Rate / 60;
constexpr int CountedFrames = 200;
} // namespace

TEST_F(LoopbackSystemTest, ASteadyStreamOnAMappedBufferTakesNothingFromTheHeap)
{
    if (!Bench::CountsHeapAllocations())
        GTEST_SKIP() << "this build keeps the sanitizer's malloc, which counts nothing";
    if (!system->GetStreamMapping())
        GTEST_SKIP() << "this OpenAL cannot map buffers: streams queue theirs, and OpenAL "
                        "allocates for every buffer queued";
    ASSERT_TRUE(LoopbackTest::WriteTone(Path("tone.wav"), 440.0, 1.0, 0.5f));
    ASSERT_EQ(system->SetStreamBufferSize(8192, 8), 0);
    Channel channel = PlayLoopingStream("tone.wav");
    Render(0.5);

    Bench::CountLibraryApart("libopenal");
    std::vector<float> block(FrameFrames * 2);
    const std::uint64_t before = Bench::HeapAllocations();
    const std::uint64_t openAlBefore = Bench::LibraryAllocations();
    for (int frame = 0; frame < CountedFrames; ++frame)
    {
        system->RenderLoopback(block.data(), FrameFrames);
        system->Update();
    }
    const std::uint64_t made = Bench::HeapAllocations() - before;
    const std::uint64_t openAl = Bench::LibraryAllocations() - openAlBefore;
    EXPECT_EQ(made - openAl, 0u) << "by the audio layer";
    EXPECT_EQ(openAl, 0u) << "by OpenAL";
    bool playing = false;
    EXPECT_EQ(channel.IsPlaying(playing), 0);
    EXPECT_GT(LoopbackTest::Mix{std::vector<float>(block.begin(), block.end())}.Rms(), 0.1)
        << "the stream still sounds";
}
