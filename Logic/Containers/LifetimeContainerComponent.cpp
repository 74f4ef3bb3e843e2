#include "Logic/Containers/LifetimeContainerComponent.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::LifetimeContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
namespace
{
constexpr u32 NoTarget = 0;
}

void LifetimeContainerComponent::Update(f32 seconds)
{
    Add(seconds);
    if (currentStorage_ == maximumStorage_ && m_owner != 0)
        PostNew<ObjectDestroyMessage>(m_id, m_owner, NoTarget);
}
} // namespace Logic
