#include "Logic/Effects/GlowEffectComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::GlowEffectComponent, &TypeRecordOf<Logic::EffectComponent>(), false)
