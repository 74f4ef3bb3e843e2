#include "Physics/ParticleContactBuffer.h"
#include "Physics/PhysicsParticleComponent.h"
#include <cfloat>

namespace Physics
{
namespace
{
f32 SeparatingVelocity(const ParticleContact& contact)
{
    Math::Vector4 relative = contact.particles[0]->GetVelocity();
    if (contact.particles[1] != nullptr)
        relative -= contact.particles[1]->GetVelocity();
    return relative.Dot(contact.normal);
}

f32 TotalInverseMass(const ParticleContact& contact)
{
    f32 total = contact.particles[0]->GetInverseMass();
    if (contact.particles[1] != nullptr)
        total += contact.particles[1]->GetInverseMass();
    return total;
}

void ResolveVelocity(ParticleContact& contact, f32 dt)
{
    const f32 separating = SeparatingVelocity(contact);
    if (separating > 0.0f)
        return;
    f32 target = -separating * contact.restitution;
    Math::Vector4 accumulated = contact.particles[0]->GetAcceleration();
    if (contact.particles[1] != nullptr)
        accumulated -= contact.particles[1]->GetAcceleration();
    const f32 fromAcceleration = accumulated.Dot(contact.normal) * dt;
    if (fromAcceleration < 0.0f)
    {
        target += contact.restitution * fromAcceleration;
        if (target < 0.0f)
            target = 0.0f;
    }
    const f32 change = target - separating;
    const f32 total = TotalInverseMass(contact);
    if (!(total > 0.0f))
        return;
    const Math::Vector4 perInverseMass = contact.normal * (change / total);
    PhysicsParticleComponent* first = contact.particles[0];
    first->SetVelocity(first->GetVelocity() + perInverseMass * first->GetInverseMass());
    if (PhysicsParticleComponent* second = contact.particles[1])
        second->SetVelocity(second->GetVelocity() - perInverseMass * second->GetInverseMass());
}

void ResolveInterpenetration(ParticleContact& contact)
{
    contact.movement[0].SetZero();
    contact.movement[1].SetZero();
    const f32 total = TotalInverseMass(contact);
    if (!(contact.penetration > 0.0f) || !(total > 0.0f))
        return;
    const Math::Vector4 perInverseMass = contact.normal * (contact.penetration / total);
    PhysicsParticleComponent* first = contact.particles[0];
    contact.movement[0] = perInverseMass * first->GetInverseMass();
    first->SetPosition(first->GetPosition() + contact.movement[0]);
    if (PhysicsParticleComponent* second = contact.particles[1])
    {
        contact.movement[1] = perInverseMass * -second->GetInverseMass();
        second->SetPosition(second->GetPosition() + contact.movement[1]);
    }
}
} // namespace

ParticleContactBuffer::ParticleContactBuffer()
    : iterations(DefaultIterations), iterationsUsed(0),
      m_contacts(std::make_unique<ParticleContact[]>(Capacity)), m_count(0)
{
}

ParticleContact* ParticleContactBuffer::Add()
{
    if (m_count >= Capacity)
        return nullptr;
    m_contacts[m_count] = ParticleContact();
    return &m_contacts[m_count++];
}

void ParticleContactBuffer::Resolve(f32 dt)
{
    iterationsUsed = 0;
    while (iterationsUsed < iterations)
    {
        f32 best = FLT_MAX;
        u32 chosen = m_count;
        for (u32 i = 0; i < m_count; ++i)
        {
            const ParticleContact& contact = m_contacts[i];
            if (contact.particles[0] == nullptr)
                continue;
            const f32 separating = SeparatingVelocity(contact);
            if (separating < best && (separating < 0.0f || contact.penetration > 0.0f))
            {
                best = separating;
                chosen = i;
            }
        }
        if (chosen == m_count)
            break;

        ParticleContact& resolved = m_contacts[chosen];
        ResolveVelocity(resolved, dt);
        ResolveInterpenetration(resolved);

        for (u32 i = 0; i < m_count; ++i)
        {
            ParticleContact& contact = m_contacts[i];
            for (u32 side = 0; side < 2; ++side)
            {
                const PhysicsParticleComponent* moved = resolved.particles[side];
                if (moved == nullptr)
                    continue;
                if (contact.particles[0] == moved)
                    contact.penetration -= resolved.movement[side].Dot(contact.normal);
                if (contact.particles[1] == moved)
                    contact.penetration += resolved.movement[side].Dot(contact.normal);
            }
        }
        ++iterationsUsed;
    }
}
} // namespace Physics
