#include "Logic/Controllers/ControllerComponent.h"
#include "Core/Reflection/HashTypeName.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ControllerComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
ControllerComponent::ControllerComponent() : m_disabled(false) {}

u32 ControllerComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}
} // namespace Logic
