#pragma once
// Something that adds a force to a physics particle: the particle joints. No registry runs them
// yet, so their forces are never applied in a step.
#include "Core/Reflection/TypeRecord.h"
#include "Math/Types.h"

namespace Physics
{
class PhysicsParticleComponent;

class IParticleForceGenerator
{
public:
    virtual ~IParticleForceGenerator() = default;
    // Adds this generator's force for a step of dt to the particle.
    virtual void UpdateForce(PhysicsParticleComponent& particle, f32 dt) = 0;
};
} // namespace Physics

// The record the joints' records name as their base; it derives from the component root.
QUILL_DECLARE_TYPE_RECORD(Physics::IParticleForceGenerator)
