#pragma once
// A spring that pulls its object's rigid body toward a fixed anchor, (10, 0, 0), until the body
// is the rest length away. Written and read form, by position: stiffness, then rest length.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Point4.h"
#include "Physics/RigidJointComponent.h"
#include <string>

namespace Physics
{
class FixedJointComponent : public RigidJointComponent
{
public:
    // The one anchor of every fixed joint; files cannot move it.
    static Math::Point4 Anchor() { return Math::Point4(10.0f, 0.0f, 0.0f, 1.0f); }

    FixedJointComponent();

    QUILL_COMPONENT_TYPE(FixedJointComponent)
    void Serialize(Serializer::XmlWriter& writer) override;

    // force = normalise(d) ((rest length - |d|) stiffness), d = body position - anchor.
    void UpdateForce(RigidBodyComponent& body, f32 dt) override;

    f32 stiffness;
    f32 restLength;

private:
    void ReadJoint(Serializer::XmlReader& reader) override;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::FixedJointComponent)
