#include "Physics/HingeParticleJointComponent.h"

QUILL_DEFINE_TYPE_RECORD(Physics::HingeParticleJointComponent,
                         &TypeRecordOf<Physics::IParticleForceGenerator>(), false)

namespace Physics
{
} // namespace Physics
