#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Core/Log.h"
#include "Core/Memory/Allocator.h"
#include "Graphics/Rendering/DebugVertexSink.h"
#include "Math/Shapes/AABB3.h"
#include "Math/Shapes/Capsule3.h"
#include "Math/Shapes/Cone3.h"
#include "Math/Shapes/Line3.h"
#include "Math/Shapes/OOB3.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Shapes/Rectangle3.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include <typeinfo>

namespace Graphics
{
DebugDrawQueue* DebugDrawQueue::s_instance = nullptr;

namespace
{
// Queues `shape` as its own class when it is one; false when it is another.
template <typename ShapeType>
bool AddAs(DebugDrawQueue& queue, const Math::Shape& shape, const Math::ColorRGBA& colour,
           f32 lineWidth, bool depthTest, bool& added)
{
    const auto* concrete = dynamic_cast<const ShapeType*>(&shape);
    if (concrete == nullptr)
        return false;
    added = queue.Add(*concrete, colour, lineWidth, depthTest);
    return true;
}
} // namespace

DebugDrawQueue::DebugDrawQueue(Allocator* allocator) : m_allocator(allocator)
{
    m_entries.reserve(ReservedEntries);
    s_instance = this;
}

DebugDrawQueue::~DebugDrawQueue()
{
    Clear();
    if (s_instance == this)
        s_instance = nullptr;
}

void DebugDrawQueue::Add(const Math::Shape& shape, const Math::ColorRGBA& colour, f32 lineWidth,
                         bool depthTest)
{
    bool added = false;
    // The emitters' outlines (segments, spheres, circles, rectangles) are tried first.
    const bool known = AddAs<Math::Segment3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Sphere3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Circle3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Rectangle3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Line3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Ray3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Plane>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::AABB3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::OOB3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Cone3>(*this, shape, colour, lineWidth, depthTest, added) ||
                       AddAs<Math::Capsule3>(*this, shape, colour, lineWidth, depthTest, added);
    if (!known)
        Core::Log() << "Error [DebugDrawQueue]: shape of class " << typeid(shape).name()
                    << " cannot be queued; dropped\n";
}

void DebugDrawQueue::Draw(DebugVertexSink& sink) const
{
    for (const DebugDrawEntry& entry : m_entries)
    {
        sink.SetDepthTest(entry.depthTest);
        sink.SetLineWidth(entry.lineWidth);
        entry.shape->Draw(&entry.colour);
    }
    // Whatever the last entry wanted, the rest of the frame is depth-tested.
    sink.SetDepthTest(true);
}

void DebugDrawQueue::Clear()
{
    for (DebugDrawEntry& entry : m_entries)
    {
        entry.shape->~Shape();
        FreeBlock(entry.shape, entry.blockSize);
    }
    m_entries.clear();
}

void* DebugDrawQueue::AllocateBlock(u32 size)
{
    void* block =
        m_allocator != nullptr ? m_allocator->Allocate(size) : ::operator new(size, std::nothrow);
    if (block == nullptr)
        Core::Log() << "Error [DebugDrawQueue]: no memory for a shape of " << size
                    << " bytes; not queued\n";
    return block;
}

void DebugDrawQueue::FreeBlock(void* block, u32 size)
{
    if (m_allocator != nullptr)
        m_allocator->Free(block, size);
    else
        ::operator delete(block);
}
} // namespace Graphics
