#include "Physics/IParticleForceGenerator.h"
#include "Core/Objects/GameObjectComponent.h"

QUILL_DEFINE_TYPE_RECORD(Physics::IParticleForceGenerator, &TypeRecordOf<GameObjectComponent>(),
                         false)
