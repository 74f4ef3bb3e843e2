#pragma once
// Shield points: the absorb effect fills and empties them, and damage takes from them first.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class AbsorbContainerComponent : public ContainerComponent
{
public:
    QUILL_COMPONENT_TYPE(AbsorbContainerComponent)
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::AbsorbContainerComponent)
