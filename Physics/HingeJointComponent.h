#pragma once
// A hinge joint for rigid bodies: it files itself in the force registry like every rigid
// joint but adds no force yet, and reads and writes nothing.
#include "Core/Reflection/TypeRecord.h"
#include "Physics/JointTypeNames.h"
#include "Physics/RigidJointComponent.h"
#include <string>

namespace Physics
{
class HingeJointComponent : public RigidJointComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "Hinge" + GetJointTypeNameSuffix();
        return name;
    }
    static u32 GetSize() { return static_cast<u32>(sizeof(HingeJointComponent)); }
    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
    void Serialize(Serializer::XmlWriter&) override {}

    void UpdateForce(RigidBodyComponent&, f32) override {}
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::HingeJointComponent)
