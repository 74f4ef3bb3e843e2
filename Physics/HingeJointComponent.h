#pragma once
// A hinge joint for rigid bodies: it files itself in the force registry like every rigid
// joint but adds no force yet, and reads and writes nothing.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Reflection/TypeRecord.h"
#include "Physics/RigidJointComponent.h"
#include <string>

namespace Physics
{
class HingeJointComponent : public RigidJointComponent
{
public:
    QUILL_COMPONENT_TYPE(HingeJointComponent)
    void Serialize(Serializer::XmlWriter&) override {}

    void UpdateForce(RigidBodyComponent&, f32) override {}
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::HingeJointComponent)
