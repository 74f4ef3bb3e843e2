#include "Logic/Modifiers/LightModifierComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::LightModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)
