#pragma once
// The damage an object has taken, raised by the damage effect; knock-backs fly further the higher
// it is.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class DamageContainerComponent : public ContainerComponent
{
public:
    QUILL_COMPONENT_TYPE(DamageContainerComponent)
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::DamageContainerComponent)
