// Debug drawing without a context: the drawers emit into a counting sink, so the vertex counts
// of circles, spheres, grids and the world axes are checked here; the queue is checked for its
// order of depth and width changes and for giving every block back to the allocator.
#include "Core/Memory/Allocator.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Graphics/Rendering/DebugShapeDrawer.h"
#include "Graphics/Rendering/DebugVertexSink.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Capsule3.h"
#include "Math/Shapes/Circle3.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Graphics::DebugDrawQueue;
using Graphics::DebugShapeDrawer;
using Graphics::DebugVertexSink;

namespace
{
// Records batches and state changes in order, one word each.
class CountingSink : public DebugVertexSink
{
public:
    void Begin(Primitive primitive) override { batches.push_back({primitive, 0}); }
    void Vertex(const Math::Vector4&) override { ++batches.back().vertices; }
    void End() override {}
    void SetColour(const Math::ColorRGBA& colour) override { colours.push_back(colour); }
    void SetLineWidth(f32 width) override { events.push_back("width " + std::to_string(width)); }
    void SetDepthTest(bool on) override { events.push_back(on ? "depth on" : "depth off"); }

    int VertexCount() const
    {
        int total = 0;
        for (const Batch& batch : batches)
            total += batch.vertices;
        return total;
    }

    struct Batch
    {
        Primitive primitive;
        int vertices;
    };
    std::vector<Batch> batches;
    std::vector<Math::ColorRGBA> colours;
    std::vector<std::string> events;
};

class DebugDrawTest : public ::testing::Test
{
protected:
    void SetUp() override { DebugShapeDrawer::Install(sink); }
    void TearDown() override { DebugShapeDrawer::Remove(); }

    CountingSink sink;
    const Math::Point4 origin;
    const Math::Vector4 up{0.0f, 1.0f, 0.0f, 0.0f};
};
} // namespace

TEST_F(DebugDrawTest, CirclesAndSpheresEmitNPlusOneVerticesAndNothingWhenNRoundsToZero)
{
    // n = round(7.5 pi r): 24 for radius 1, 1 for radius 0.05 (a degenerate loop), 0 for 0.
    Math::Circle3(origin, up, 1.0f).Draw(nullptr);
    ASSERT_EQ(sink.batches.size(), 1u);
    EXPECT_EQ(sink.batches[0].primitive, DebugVertexSink::LineLoop);
    EXPECT_EQ(sink.batches[0].vertices, 25);
    Math::Circle3(origin, up, 0.05f).Draw(nullptr);
    EXPECT_EQ(sink.batches.back().vertices, 2);

    sink.batches.clear();
    Math::Circle3(origin, up, 0.0f).Draw(nullptr);
    Math::Sphere3(origin, 0.0f).Draw(nullptr);
    EXPECT_TRUE(sink.batches.empty());

    // A sphere of radius 1: n = round(2 pi) = 6 turns, so 7 circles of 25 vertices per axis.
    const Math::ColorRGBA red(1.0f, 0.0f, 0.0f, 1.0f);
    Math::Sphere3(origin, 1.0f).Draw(&red);
    EXPECT_EQ(sink.batches.size(), 3u * 7u);
    EXPECT_EQ(sink.VertexCount(), 3 * 7 * 25);
    ASSERT_FALSE(sink.colours.empty());
    EXPECT_EQ(sink.colours.back().r, 1.0f);
}

TEST_F(DebugDrawTest, PlaneGridAndAxesEmitTheirLinesAndTicks)
{
    // Size 3 at spacing 1: the central line and 3 on each side, in both directions.
    const Math::Plane ground(up, origin);
    Math::DebugDrawPlane(ground, nullptr, nullptr, 3.0f);
    ASSERT_EQ(sink.batches.size(), 2u);
    EXPECT_EQ(sink.batches[0].primitive, DebugVertexSink::Lines);
    EXPECT_EQ(sink.batches[0].vertices, 2 * 7);
    EXPECT_EQ(sink.batches[1].vertices, 2 * 7);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"width " + std::to_string(3.0f)}));

    sink.batches.clear();
    Math::DebugDrawPlane(Math::Plane(0.0f, 0.0f, 0.0f, 1.0f), nullptr, nullptr, 3.0f);
    EXPECT_TRUE(sink.batches.empty()) << "a zero normal draws nothing";

    // Each axis: its line to infinity both ways (4 vertices), 200 unit ticks and 100 half
    // ticks, every tick a two-vertex loop; one colour per axis, the ticks take it over.
    DebugShapeDrawer::DrawAxes();
    EXPECT_EQ(sink.batches.size(), 3u * (1u + 300u));
    EXPECT_EQ(sink.VertexCount(), 3 * (4 + 300 * 2));
    EXPECT_EQ(sink.colours.size(), 3u);
    EXPECT_EQ(sink.batches[0].primitive, DebugVertexSink::Lines);
    EXPECT_EQ(sink.batches[0].vertices, 4);
}

TEST_F(DebugDrawTest, QueueDrawsInOrderLeavesDepthOnAndReturnsItsBlocksOnClear)
{
    Allocator allocator(8);
    const u32 baseline = allocator.GetTotalAllocations() - allocator.GetTotalFrees();
    {
        DebugDrawQueue queue(&allocator);
        EXPECT_EQ(DebugDrawQueue::Instance(), &queue);
        EXPECT_EQ(queue.GetCapacity(), DebugDrawQueue::ReservedEntries);

        queue.Draw(sink);
        EXPECT_EQ(sink.events, (std::vector<std::string>{"depth on"})) << "an empty queue";
        sink.events.clear();

        const Math::ColorRGBA green(0.0f, 1.0f, 0.0f, 1.0f);
        queue.Add(Math::Segment3(origin, Math::Point4(1.0f, 0.0f, 0.0f, 1.0f)), green, 2.0f, false);
        queue.Add(Math::Circle3(origin, up, 1.0f), green, 0.5f, true);
        // The emitters hand shapes over by their base class.
        Graphics::ParticleDebugShapes& shapes = queue;
        shapes.Add(Math::Sphere3(origin, 1.0f), green, 3.0f, true);
        shapes.Add(Math::Capsule3(), green, 1.0f, true);
        ASSERT_EQ(queue.GetCount(), 4u);
        EXPECT_EQ(allocator.GetTotalAllocations() - allocator.GetTotalFrees(), baseline + 4u);

        queue.Draw(sink);
        EXPECT_EQ(sink.events.front(), "depth off");
        EXPECT_EQ(sink.events[2], "depth on") << "the next entry is depth-tested again";
        EXPECT_EQ(sink.events.back(), "depth on");
        EXPECT_EQ(sink.batches[0].vertices, 2);
        EXPECT_EQ(sink.batches[1].vertices, 25);

        queue.Clear();
        EXPECT_EQ(queue.GetCount(), 0u);
        EXPECT_EQ(queue.GetCapacity(), DebugDrawQueue::ReservedEntries);
        EXPECT_EQ(allocator.GetTotalAllocations() - allocator.GetTotalFrees(), baseline);

        // What is still queued when the queue goes is returned too.
        queue.Add(Math::Sphere3(origin, 1.0f), green, 1.0f, true);
    }
    EXPECT_EQ(allocator.GetTotalAllocations() - allocator.GetTotalFrees(), baseline);
    EXPECT_EQ(DebugDrawQueue::Instance(), nullptr);
}
