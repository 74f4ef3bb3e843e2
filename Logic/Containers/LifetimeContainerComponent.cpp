#include "Logic/Containers/LifetimeContainerComponent.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::LifetimeContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
namespace
{
constexpr u32 kNoTarget = 0;
}

void LifetimeContainerComponent::Update(f32 seconds)
{
    Add(seconds);
    if (currentStorage_ == maximumStorage_ && m_owner != 0)
        Post(new ObjectDestroyMessage(m_id, m_owner, kNoTarget));
}
} // namespace Logic
