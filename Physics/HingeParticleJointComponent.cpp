#include "Physics/HingeParticleJointComponent.h"
#include "Core/Reflection/HashTypeName.h"

QUILL_DEFINE_TYPE_RECORD(Physics::HingeParticleJointComponent,
                         &TypeRecordOf<Physics::IParticleForceGenerator>(), false)

namespace Physics
{
u32 HingeParticleJointComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}
} // namespace Physics
