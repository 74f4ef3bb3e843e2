#pragma once
// Contacts between physics particles and the iterative resolver that separates them: each
// iteration takes the contact that closes fastest (or interpenetrates), gives it an impulse
// along its normal and moves both particles apart in proportion to their inverse masses.
//
// Room for every contact is reserved when the buffer is made; the physics system empties it
// every step. Nothing in the step fills it yet: collisions are reported as messages only.
#include "Math/Types.h"
#include "Math/Vector4.h"
#include <memory>

namespace Physics
{
class PhysicsParticleComponent;

struct ParticleContact
{
    // The second particle may be null: a contact with the fixed world.
    PhysicsParticleComponent* particles[2] = {nullptr, nullptr};
    f32 restitution = 0.0f;
    f32 penetration = 0.0f;
    Math::Vector4 normal;      // from the second particle toward the first
    Math::Vector4 movement[2]; // what the last interpenetration step moved each particle
};

class ParticleContactBuffer
{
public:
    static constexpr u32 Capacity = 16384;
    static constexpr u32 DefaultIterations = 4;

    ParticleContactBuffer();

    void Clear() { m_count = 0; }
    // Appends a contact; null when the buffer is full.
    ParticleContact* Add();
    // Resolves the first count contacts.
    void Resolve(f32 dt);

    u32 GetCount() const { return m_count; }
    ParticleContact& operator[](u32 i) { return m_contacts[i]; }
    u32 iterations;
    u32 iterationsUsed;

private:
    std::unique_ptr<ParticleContact[]> m_contacts;
    u32 m_count;
};
} // namespace Physics
