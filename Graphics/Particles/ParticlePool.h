#pragma once
// The fixed-capacity store of an emitter's particles: one alive flag and one draw record per
// slot, and the particles' fields in blocks of Lanes slots: a block holds each field of its
// slots as Lanes floats in a row, field after field, so that the update pass loads the same
// field of eight (or, without AVX2, four) neighbouring slots at once and walks the fields as one
// stream. Only what a step
// cannot work out again is kept: position, direction, the start and end of every interpolated
// pair, rotation, age, lifetime, frame and animation speed. The current colour, speed, spin
// rate and scale follow from the pairs and the age (Particle.h).
//
// Taking a slot scans forward from the slot after the one taken last, wrapping to slot 0;
// freeing clears the flag. There is room for the capacity rounded up to whole blocks (flags
// and draw records too); the slots past the capacity are never alive. The arrays are taken
// once per capacity from the engine's allocator (the ordinary heap without an engine) and go
// back to the allocator they came from, so a pool never allocates while particles are born and
// die.
//
// Copies are deep: every flag, field and draw record. Main thread only.
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
    // What Allocate and Take answer when every slot is taken.
    static constexpr u32 NoSlot = 0xFFFFFFFFu;
    // Slots the update works on together (a four-wide pass takes a block in two halves); the
    // arrays are whole blocks of them.
    static constexpr u32 Lanes = 8;

    // The stored fields, in their order within a block: first those the update writes (so that
    // a step dirties as few cache lines as it can), then those it only reads. The last two are
    // kept out of the blocks, as the shape gave them: the update never reads them.
    enum Field : u32
    {
        PositionX,
        PositionY,
        PositionZ,
        DirectionX,
        DirectionY,
        DirectionZ,
        Rotation,
        Age,
        Frame,
        Lifetime,
        AnimationSpeed,
        ColorStartR,
        ColorStartG,
        ColorStartB,
        ColorStartA,
        ColorEndR,
        ColorEndG,
        ColorEndB,
        ColorEndA,
        SpeedStart,
        SpeedEnd,
        RotationSpeedStart,
        RotationSpeedEnd,
        ScaleStart,
        ScaleEnd,
        PositionW,
        DirectionW,
        FieldCount
    };
    static constexpr u32 BlockFieldCount = PositionW;
    static constexpr u32 BlockFloats = BlockFieldCount * Lanes;
    // The bytes one slot takes: its fields, its flag and its draw record.
    static constexpr u32 BytesPerSlot =
        FieldCount * sizeof(f32) + sizeof(u08) + sizeof(ParticleVertex);

    ParticlePool() = default;
    ~ParticlePool();
    ParticlePool(const ParticlePool& other);
    ParticlePool& operator=(const ParticlePool& other);

    // Nothing when n equals the capacity; otherwise every particle is dropped and the arrays
    // are made again for n slots (n above MaxCapacity is taken as MaxCapacity).
    void Resize(u32 n);
    // A free slot (now alive) with every field zero, or NoSlot when every slot is taken.
    u32 Allocate();
    // As Allocate, but the fields keep what they held: for a caller that writes every field.
    u32 Take();
    // Clears the slot's flag.
    void Free(u32 slot);
    // Every flag cleared; live count and last slot back to 0.
    void Clear();

    // The particle of a slot as one record, its current values worked out at its age.
    Particle Get(u32 slot) const;
    // Stores the record's fields in the slot (its current values are not kept).
    void Set(u32 slot, const Particle& particle);

    u32 GetCapacity() const { return m_capacity; }
    // The capacity rounded up to whole blocks of Lanes slots.
    u32 GetStride() const { return m_stride; }
    u32 GetLiveCount() const { return m_liveCount; }
    u32 GetFreeCount() const { return m_capacity - m_liveCount; }
    bool IsFull() const { return m_liveCount == m_capacity; }
    u32 GetLastIndex() const { return m_lastIndex; }
    bool IsAlive(u32 slot) const { return slot < m_capacity && m_alive[slot] != 0; }
    // Particles taken and freed since the pool was made (copies carry them on), for statistics.
    u64 GetTakenTotal() const { return m_takenTotal; }
    u64 GetFreedTotal() const { return m_freedTotal; }
    // One field of one slot.
    f32& At(Field field, u32 slot) { return m_fields[Offset(field, slot)]; }
    f32 At(Field field, u32 slot) const { return m_fields[Offset(field, slot)]; }
    // The fields of slots first to first + Lanes - 1 (first a multiple of Lanes): field f of
    // slot first + k is at f x Lanes + k.
    f32* GetBlock(u32 first)
    {
        return m_fields + static_cast<std::size_t>(first / Lanes) * BlockFloats;
    }
    const f32* GetBlock(u32 first) const
    {
        return m_fields + static_cast<std::size_t>(first / Lanes) * BlockFloats;
    }
    u08* GetAliveFlags() { return m_alive; }
    const u08* GetAliveFlags() const { return m_alive; }
    ParticleVertex* GetVertices() { return m_vertices; }
    const ParticleVertex* GetVertices() const { return m_vertices; }

    // For the update pass: the flags of slots that died in it are already cleared; this counts
    // them.
    void CountFreed(u32 count)
    {
        m_liveCount -= count;
        m_freedTotal += count;
    }

private:
    // Blocks first, then the two arrays of the fields kept out of them.
    std::size_t Offset(Field field, u32 slot) const
    {
        if (field < BlockFieldCount)
            return static_cast<std::size_t>(slot / Lanes) * BlockFloats + field * Lanes +
                   slot % Lanes;
        return static_cast<std::size_t>(m_stride) * field + slot;
    }

    void Make(u32 capacity);
    void Release();
    u32 NextFree();
    static void* AllocateBlock(Allocator* allocator, u32 bytes);
    static void FreeBlock(Allocator* allocator, void* block, u32 bytes);

    u32 m_capacity = 0;
    u32 m_stride = 0;
    u32 m_liveCount = 0;
    u32 m_lastIndex = 0;
    void* m_fieldBlock = nullptr; // what the fields were taken in
    f32* m_fields = nullptr;      // m_stride / Lanes blocks of BlockFloats, then the other fields
    u08* m_alive = nullptr;       // m_stride flags
    // m_stride draw records: the update writes whole groups and keeps those of survivors.
    ParticleVertex* m_vertices = nullptr;
    Allocator* m_allocator = nullptr; // where the arrays came from; null: the heap
    u64 m_takenTotal = 0;
    u64 m_freedTotal = 0;
};
} // namespace Graphics
