#pragma once
// Steps an object along its facing (+z turned by its orientation) at move value x move
// modifier units per second in every update in which some direction is pending, then clears
// the direction: only the presence of input matters, not where it points.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Movement/MoveComponent.h"

namespace Logic
{
class StaticMoveComponent : public MoveComponent
{
public:
    QUILL_COMPONENT_TYPE(StaticMoveComponent)
    void Update(f32 seconds) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::StaticMoveComponent)
