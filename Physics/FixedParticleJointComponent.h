#pragma once
// The particle form of the fixed joint: a spring toward the anchor (10, 0, 0) acting on the
// particle. No registry runs particle joints yet, so its force is applied only when called.
// Written and read form, by position: stiffness, then rest length.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Physics/IParticleForceGenerator.h"
#include "Physics/JointTypeNames.h"
#include <string>

namespace Physics
{
class FixedParticleJointComponent : public GameObjectComponent, public IParticleForceGenerator
{
public:
    FixedParticleJointComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "Fixed" + GetParticleJointTypeNameSuffix();
        return name;
    }
    static u32 GetSize() { return static_cast<u32>(sizeof(FixedParticleJointComponent)); }
    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    void UpdateForce(PhysicsParticleComponent& particle, f32 dt) override;

    f32 stiffness;
    f32 restLength;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::FixedParticleJointComponent)
