#include "Logic/Modifiers/GlowModifierComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::GlowModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)
