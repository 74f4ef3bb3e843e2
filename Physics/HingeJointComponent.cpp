#include "Physics/HingeJointComponent.h"

QUILL_DEFINE_TYPE_RECORD(Physics::HingeJointComponent, &TypeRecordOf<Physics::IForceGenerator>(),
                         false)

namespace Physics
{
} // namespace Physics
