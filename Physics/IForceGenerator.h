#pragma once
// Something that adds a force to a rigid body every physics step: the rigid-body joints. The
// physics system keeps (body, generator) pairs in its force registry and runs them first in
// every step, in the order they were added.
#include "Core/Reflection/TypeRecord.h"
#include "Math/Types.h"

namespace Physics
{
class RigidBodyComponent;

class IForceGenerator
{
public:
    virtual ~IForceGenerator() = default;
    // Adds this generator's force for a step of dt to the body.
    virtual void UpdateForce(RigidBodyComponent& body, f32 dt) = 0;
};
} // namespace Physics

// The record the joints' records name as their base; it derives from the component root.
QUILL_DECLARE_TYPE_RECORD(Physics::IForceGenerator)
