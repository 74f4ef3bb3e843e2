#include "Physics/IForceGenerator.h"
#include "Core/Objects/GameObjectComponent.h"

QUILL_DEFINE_TYPE_RECORD(Physics::IForceGenerator, &TypeRecordOf<GameObjectComponent>(), false)
