#include "Physics/HingeJointComponent.h"
#include "Core/Reflection/HashTypeName.h"

QUILL_DEFINE_TYPE_RECORD(Physics::HingeJointComponent, &TypeRecordOf<Physics::IForceGenerator>(),
                         false)

namespace Physics
{
u32 HingeJointComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}
} // namespace Physics
