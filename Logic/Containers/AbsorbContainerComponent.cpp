#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Core/Reflection/HashTypeName.h"

QUILL_DEFINE_TYPE_RECORD(Logic::AbsorbContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
u32 AbsorbContainerComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}
} // namespace Logic
