#include "Logic/Containers/AbsorbContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::AbsorbContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
} // namespace Logic
