#pragma once
// The shapes queued for debug drawing (F2): any part of the engine may add a shape with its
// colour, line width and depth-test flag while the graphics system's debug-draw flag is on (the
// caller tests the flag; the queue does not). The forward pass draws the queue once per
// rendered frame and the graphics system empties it after every frame, drawn or not, so a shape
// is drawn at most once.
//
// Ownership: Add copies the shape into a block of the engine's allocator (the ordinary heap
// when there is none) and records the block's size with the entry, so that Clear destroys the
// copy and returns exactly what was taken. One queue exists, made by the graphics system and
// reached through Instance while it lives. Main thread only.
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Shape.h"
#include <cstddef>
#include <new>
#include <type_traits>
#include <vector>

class Allocator;

namespace Graphics
{
class DebugVertexSink;

struct DebugDrawEntry
{
    Math::Shape* shape; // owned by the queue
    Math::ColorRGBA colour;
    f32 lineWidth; // pixels
    bool depthTest;
    u32 blockSize; // what the shape's block was allocated with
};

class DebugDrawQueue : public ParticleDebugShapes
{
public:
    // Ordinary debug frames queue without growing the array.
    static constexpr std::size_t ReservedEntries = 512;

    // Blocks come from `allocator`, or from the heap when it is null.
    explicit DebugDrawQueue(Allocator* allocator);
    ~DebugDrawQueue() override;
    DebugDrawQueue(const DebugDrawQueue&) = delete;
    DebugDrawQueue& operator=(const DebugDrawQueue&) = delete;

    // The queue of the running graphics system, or null.
    static DebugDrawQueue* Instance() { return s_instance; }

    // Queues a copy of the shape; false (logged) when no memory is had.
    template <typename ShapeType>
    bool Add(const ShapeType& shape, const Math::ColorRGBA& colour, f32 lineWidth, bool depthTest)
    {
        static_assert(std::is_base_of<Math::Shape, ShapeType>::value, "only shapes are queued");
        const u32 size = static_cast<u32>(sizeof(ShapeType));
        void* block = AllocateBlock(size);
        if (block == nullptr)
            return false;
        m_entries.push_back({new (block) ShapeType(shape), colour, lineWidth, depthTest, size});
        return true;
    }
    // A shape known only by its base (the particle emitters' outlines): copied as its own
    // class; a class the queue does not know is logged and dropped.
    void Add(const Math::Shape& shape, const Math::ColorRGBA& colour, f32 lineWidth,
             bool depthTest) override;

    // Every entry in order through the installed debug drawers, each with its depth test and
    // line width set on `sink` first; depth testing is left on afterwards.
    void Draw(DebugVertexSink& sink) const;
    // Destroys every queued shape and returns its block; the capacity stays.
    void Clear();

    std::size_t GetCount() const { return m_entries.size(); }
    std::size_t GetCapacity() const { return m_entries.capacity(); }
    const std::vector<DebugDrawEntry>& GetEntries() const { return m_entries; }

private:
    void* AllocateBlock(u32 size);
    void FreeBlock(void* block, u32 size);

    Allocator* m_allocator;
    std::vector<DebugDrawEntry> m_entries;

    static DebugDrawQueue* s_instance;
};
} // namespace Graphics
