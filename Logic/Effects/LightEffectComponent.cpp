#include "Logic/Effects/LightEffectComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::LightEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)
