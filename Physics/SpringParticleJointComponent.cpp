#include "Physics/SpringParticleJointComponent.h"

QUILL_DEFINE_TYPE_RECORD(Physics::SpringParticleJointComponent,
                         &TypeRecordOf<Physics::IParticleForceGenerator>(), false)

namespace Physics
{
} // namespace Physics
