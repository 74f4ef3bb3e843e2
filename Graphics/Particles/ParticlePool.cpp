#include "Graphics/Particles/ParticlePool.h"
#include "Core/Engine.h"
#include "Core/Memory/Allocator.h"
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

namespace Graphics
{
static_assert(std::is_trivially_copyable<Particle>::value, "records are plain data");
static_assert(std::is_trivially_copyable<ParticleVertex>::value, "vertices are copied as bytes");

namespace
{
u32 RoundUpToLanes(u32 n)
{
    return (n + ParticlePool::Lanes - 1) / ParticlePool::Lanes * ParticlePool::Lanes;
}

// The fields start on a cache line, so that no load of a field's lanes straddles two lines:
// the block taken is that much longer.
constexpr std::size_t FieldAlignment = 64;

u32 FieldBlockBytes(u32 stride)
{
    return static_cast<u32>(sizeof(f32) * ParticlePool::FieldCount * stride + FieldAlignment);
}
} // namespace

ParticlePool::~ParticlePool()
{
    Release();
}

ParticlePool::ParticlePool(const ParticlePool& other)
{
    *this = other;
}

ParticlePool& ParticlePool::operator=(const ParticlePool& other)
{
    if (this == &other)
        return *this;
    if (m_capacity != other.m_capacity)
    {
        Release();
        Make(other.m_capacity);
    }
    m_liveCount = other.m_liveCount;
    m_lastIndex = other.m_lastIndex;
    m_takenTotal = other.m_takenTotal;
    m_freedTotal = other.m_freedTotal;
    if (m_capacity > 0)
    {
        std::memcpy(m_fields, other.m_fields, sizeof(f32) * FieldCount * m_stride);
        std::memcpy(m_alive, other.m_alive, sizeof(u08) * m_stride);
        std::memcpy(m_vertices, other.m_vertices, sizeof(ParticleVertex) * m_stride);
    }
    return *this;
}

void* ParticlePool::AllocateBlock(Allocator* allocator, u32 bytes)
{
    return allocator != nullptr ? allocator->Allocate(bytes) : ::operator new(bytes);
}

void ParticlePool::FreeBlock(Allocator* allocator, void* block, u32 bytes)
{
    if (block == nullptr)
        return;
    if (allocator != nullptr)
        allocator->Free(block, bytes);
    else
        ::operator delete(block);
}

void ParticlePool::Make(u32 capacity)
{
    m_capacity = capacity;
    m_stride = RoundUpToLanes(capacity);
    m_liveCount = 0;
    m_lastIndex = 0;
    if (capacity == 0)
        return;
    m_allocator = g_Engine != nullptr ? g_Engine->GetAllocator() : nullptr;
    const u32 fieldBytes = static_cast<u32>(sizeof(f32) * FieldCount * m_stride);
    m_fieldBlock = AllocateBlock(m_allocator, FieldBlockBytes(m_stride));
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(m_fieldBlock);
    m_fields = reinterpret_cast<f32*>((start + FieldAlignment - 1) & ~(FieldAlignment - 1));
    m_alive = static_cast<u08*>(AllocateBlock(m_allocator, m_stride));
    m_vertices = static_cast<ParticleVertex*>(
        AllocateBlock(m_allocator, static_cast<u32>(sizeof(ParticleVertex) * m_stride)));
    std::memset(m_fields, 0, fieldBytes);
    std::memset(m_alive, 0, m_stride);
    std::memset(static_cast<void*>(m_vertices), 0, sizeof(ParticleVertex) * m_stride);
}

void ParticlePool::Release()
{
    FreeBlock(m_allocator, m_fieldBlock, FieldBlockBytes(m_stride));
    FreeBlock(m_allocator, m_alive, m_stride);
    FreeBlock(m_allocator, m_vertices, static_cast<u32>(sizeof(ParticleVertex) * m_stride));
    m_fieldBlock = nullptr;
    m_fields = nullptr;
    m_alive = nullptr;
    m_vertices = nullptr;
    m_allocator = nullptr;
    m_capacity = 0;
    m_stride = 0;
    m_liveCount = 0;
    m_lastIndex = 0;
}

void ParticlePool::Resize(u32 n)
{
    if (n > MaxCapacity)
        n = MaxCapacity;
    if (n == m_capacity)
        return;
    Release();
    Make(n);
}

u32 ParticlePool::NextFree()
{
    if (m_liveCount == m_capacity)
        return NoSlot;
    u32 slot = m_lastIndex + 1;
    for (u32 looked = 0; looked < m_capacity; ++looked, ++slot)
    {
        if (slot >= m_capacity)
            slot = 0;
        if (m_alive[slot] != 0)
            continue;
        m_alive[slot] = 1;
        ++m_liveCount;
        ++m_takenTotal;
        m_lastIndex = slot;
        return slot;
    }
    return NoSlot;
}

u32 ParticlePool::Take()
{
    return NextFree();
}

u32 ParticlePool::Allocate()
{
    const u32 slot = NextFree();
    if (slot != NoSlot)
    {
        for (u32 field = 0; field < FieldCount; ++field)
            At(static_cast<Field>(field), slot) = 0.0f;
    }
    return slot;
}

void ParticlePool::Free(u32 slot)
{
    if (slot >= m_capacity || m_alive[slot] == 0)
        return;
    m_alive[slot] = 0;
    --m_liveCount;
    ++m_freedTotal;
}

void ParticlePool::Clear()
{
    if (m_capacity > 0)
        std::memset(m_alive, 0, m_stride);
    m_liveCount = 0;
    m_lastIndex = 0;
}

Particle ParticlePool::Get(u32 slot) const
{
    Particle p = Particle::Zeroed();
    if (slot >= m_capacity)
        return p;
    const auto at = [this, slot](Field field) { return At(field, slot); };
    p.position = Math::Point4(at(PositionX), at(PositionY), at(PositionZ), at(PositionW));
    p.direction = Math::Vector4(at(DirectionX), at(DirectionY), at(DirectionZ), at(DirectionW));
    p.colorStart =
        Math::ColorRGBA(at(ColorStartR), at(ColorStartG), at(ColorStartB), at(ColorStartA));
    p.colorEnd = Math::ColorRGBA(at(ColorEndR), at(ColorEndG), at(ColorEndB), at(ColorEndA));
    p.speedStart = at(SpeedStart);
    p.speedEnd = at(SpeedEnd);
    p.rotationSpeedStart = at(RotationSpeedStart);
    p.rotationSpeedEnd = at(RotationSpeedEnd);
    p.scaleStart = at(ScaleStart);
    p.scaleEnd = at(ScaleEnd);
    p.rotation = at(Rotation);
    p.age = at(Age);
    p.lifetime = at(Lifetime);
    p.frame = at(Frame);
    p.animationSpeed = at(AnimationSpeed);
    using ParticleLayout::Follow;
    const f32 t = ParticleLayout::LifeFraction(p.age, p.lifetime);
    p.color = ParticleLayout::FollowColor(p.colorStart, p.colorEnd, t);
    p.speed = Follow(p.speedStart, p.speedEnd, t);
    p.rotationSpeed = Follow(p.rotationSpeedStart, p.rotationSpeedEnd, t);
    p.scale = Follow(p.scaleStart, p.scaleEnd, t);
    return p;
}

void ParticlePool::Set(u32 slot, const Particle& p)
{
    if (slot >= m_capacity)
        return;
    const auto put = [this, slot](Field field, f32 value) { At(field, slot) = value; };
    put(PositionX, p.position.x);
    put(PositionY, p.position.y);
    put(PositionZ, p.position.z);
    put(DirectionX, p.direction.x);
    put(DirectionY, p.direction.y);
    put(DirectionZ, p.direction.z);
    put(ColorStartR, p.colorStart.r);
    put(ColorStartG, p.colorStart.g);
    put(ColorStartB, p.colorStart.b);
    put(ColorStartA, p.colorStart.a);
    put(ColorEndR, p.colorEnd.r);
    put(ColorEndG, p.colorEnd.g);
    put(ColorEndB, p.colorEnd.b);
    put(ColorEndA, p.colorEnd.a);
    put(SpeedStart, p.speedStart);
    put(SpeedEnd, p.speedEnd);
    put(RotationSpeedStart, p.rotationSpeedStart);
    put(RotationSpeedEnd, p.rotationSpeedEnd);
    put(ScaleStart, p.scaleStart);
    put(ScaleEnd, p.scaleEnd);
    put(Rotation, p.rotation);
    put(Age, p.age);
    put(Lifetime, p.lifetime);
    put(Frame, p.frame);
    put(AnimationSpeed, p.animationSpeed);
    put(PositionW, p.position.w);
    put(DirectionW, p.direction.w);
}
} // namespace Graphics
