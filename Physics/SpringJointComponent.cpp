#include "Physics/SpringJointComponent.h"

QUILL_DEFINE_TYPE_RECORD(Physics::SpringJointComponent, &TypeRecordOf<Physics::IForceGenerator>(),
                         false)

namespace Physics
{
} // namespace Physics
