#pragma once
// The fixed-capacity store of an emitter's particles: one record, one alive flag and one draw
// record per slot. Taking a slot scans forward from the slot after the one taken last,
// wrapping to slot 0; freeing clears the flag. The arrays are taken once per capacity from the
// engine's allocator (the ordinary heap without an engine) and go back to the allocator they
// came from, so a pool never allocates while particles are born and die.
//
// Copies are deep: every flag, record and draw record. Main thread only.
#include "Graphics/Particles/Particle.h"
#include "Math/Types.h"

class Allocator;

namespace Graphics
{
class ParticlePool
{
public:
    // Capacities above this are clamped by the emitter that reads them.
    static constexpr u32 MaxCapacity = 65536;

    ParticlePool() = default;
    ~ParticlePool();
    ParticlePool(const ParticlePool& other);
    ParticlePool& operator=(const ParticlePool& other);

    // Nothing when n equals the capacity; otherwise every particle is dropped and the arrays
    // are made again for n slots (n above MaxCapacity is taken as MaxCapacity).
    void Resize(u32 n);
    // A zeroed record in a free slot (now alive), or null when every slot is taken.
    Particle* Allocate();
    // Clears the slot's flag.
    void Free(u32 slot);
    // Every flag cleared; live count and last slot back to 0.
    void Clear();

    u32 GetCapacity() const { return m_capacity; }
    u32 GetLiveCount() const { return m_liveCount; }
    u32 GetFreeCount() const { return m_capacity - m_liveCount; }
    bool IsFull() const { return m_liveCount == m_capacity; }
    u32 GetLastIndex() const { return m_lastIndex; }
    bool IsAlive(u32 slot) const { return slot < m_capacity && m_alive[slot] != 0; }
    // Particles taken and freed since the pool was made (copies carry them on), for statistics.
    u64 GetTakenTotal() const { return m_takenTotal; }
    u64 GetFreedTotal() const { return m_freedTotal; }
    Particle* GetRecords() { return m_records; }
    const Particle* GetRecords() const { return m_records; }
    u08* GetAliveFlags() { return m_alive; }
    ParticleVertex* GetVertices() { return m_vertices; }
    const ParticleVertex* GetVertices() const { return m_vertices; }

private:
    void Take(u32 capacity);
    void Release();
    static void* AllocateBlock(Allocator* allocator, u32 bytes);
    static void FreeBlock(Allocator* allocator, void* block, u32 bytes);

    u32 m_capacity = 0;
    u32 m_liveCount = 0;
    u32 m_lastIndex = 0;
    Particle* m_records = nullptr;
    u08* m_alive = nullptr;
    ParticleVertex* m_vertices = nullptr;
    Allocator* m_allocator = nullptr; // where the arrays came from; null: the heap
    u64 m_takenTotal = 0;
    u64 m_freedTotal = 0;
};
} // namespace Graphics
