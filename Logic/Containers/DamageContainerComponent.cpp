#include "Logic/Containers/DamageContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::DamageContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
} // namespace Logic
