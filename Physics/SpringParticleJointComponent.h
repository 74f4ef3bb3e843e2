#pragma once
// A spring joint for physics particles: it adds no force, and no registry runs particle
// joints yet. It reads and writes nothing.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Physics/IParticleForceGenerator.h"
#include "Physics/JointTypeNames.h"
#include <string>

namespace Physics
{
class SpringParticleJointComponent : public GameObjectComponent, public IParticleForceGenerator
{
public:
    SpringParticleJointComponent() : GameObjectComponent(true) {}

    static const std::string& GetTypeName()
    {
        static const std::string name = "Spring" + GetParticleJointTypeNameSuffix();
        return name;
    }
    static u32 GetSize() { return static_cast<u32>(sizeof(SpringParticleJointComponent)); }
    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    void UpdateForce(PhysicsParticleComponent&, f32) override {}
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::SpringParticleJointComponent)
