#pragma once
// An ability object's age: every frame it grows by the frame time, and once it has reached the
// maximum (Add clamps there, so exactly) the object is asked to be destroyed, again every
// frame until it is gone.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class LifetimeContainerComponent : public ContainerComponent
{
public:
    QUILL_COMPONENT_TYPE(LifetimeContainerComponent)
    void Update(f32 seconds) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::LifetimeContainerComponent)
