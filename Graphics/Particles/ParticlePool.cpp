#include "Graphics/Particles/ParticlePool.h"
#include "Core/Engine.h"
#include "Core/Memory/Allocator.h"
#include <cstring>
#include <new>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Graphics
{
static_assert(std::is_trivially_copyable<Particle>::value, "records are copied as bytes");
static_assert(std::is_trivially_copyable<ParticleVertex>::value, "vertices are copied as bytes");

namespace
{
// All zero bytes, written inline: the library's memset costs more than clearing one record.
void ClearRecord(Particle& record)
{
    auto* bytes = reinterpret_cast<unsigned char*>(&record);
    std::size_t done = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; done + sizeof(zero) <= sizeof(Particle); done += sizeof(zero))
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + done), zero);
#endif
    for (; done < sizeof(Particle); ++done)
        bytes[done] = 0;
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
        Take(other.m_capacity);
    }
    m_liveCount = other.m_liveCount;
    m_lastIndex = other.m_lastIndex;
    m_takenTotal = other.m_takenTotal;
    m_freedTotal = other.m_freedTotal;
    if (m_capacity > 0)
    {
        std::memcpy(m_records, other.m_records, sizeof(Particle) * m_capacity);
        std::memcpy(m_alive, other.m_alive, sizeof(u08) * m_capacity);
        std::memcpy(m_vertices, other.m_vertices, sizeof(ParticleVertex) * m_capacity);
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

void ParticlePool::Take(u32 capacity)
{
    m_capacity = capacity;
    m_liveCount = 0;
    m_lastIndex = 0;
    if (capacity == 0)
        return;
    m_allocator = g_Engine != nullptr ? g_Engine->GetAllocator() : nullptr;
    m_records = static_cast<Particle*>(
        AllocateBlock(m_allocator, static_cast<u32>(sizeof(Particle) * capacity)));
    m_alive = static_cast<u08*>(AllocateBlock(m_allocator, static_cast<u32>(capacity)));
    m_vertices = static_cast<ParticleVertex*>(
        AllocateBlock(m_allocator, static_cast<u32>(sizeof(ParticleVertex) * capacity)));
    std::memset(static_cast<void*>(m_records), 0, sizeof(Particle) * capacity);
    std::memset(m_alive, 0, capacity);
    std::memset(m_vertices, 0, sizeof(ParticleVertex) * capacity);
}

void ParticlePool::Release()
{
    FreeBlock(m_allocator, m_records, static_cast<u32>(sizeof(Particle) * m_capacity));
    FreeBlock(m_allocator, m_alive, m_capacity);
    FreeBlock(m_allocator, m_vertices, static_cast<u32>(sizeof(ParticleVertex) * m_capacity));
    m_records = nullptr;
    m_alive = nullptr;
    m_vertices = nullptr;
    m_allocator = nullptr;
    m_capacity = 0;
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
    Take(n);
}

Particle* ParticlePool::Allocate()
{
    if (m_liveCount == m_capacity)
        return nullptr;
    u32 slot = m_lastIndex + 1;
    for (u32 looked = 0; looked < m_capacity; ++looked, ++slot)
    {
        if (slot >= m_capacity)
            slot = 0;
        if (m_alive[slot] != 0)
            continue;
        ClearRecord(m_records[slot]);
        m_alive[slot] = 1;
        ++m_liveCount;
        ++m_takenTotal;
        m_lastIndex = slot;
        return &m_records[slot];
    }
    return nullptr;
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
        std::memset(m_alive, 0, m_capacity);
    m_liveCount = 0;
    m_lastIndex = 0;
}
} // namespace Graphics
