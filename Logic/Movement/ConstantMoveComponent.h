#pragma once
// Moves its object at a constant velocity: along its direction (normalised; an unset direction
// becomes the object's facing, +z turned by its orientation) at move value x move modifier
// units per second. The direction stays, so the object keeps going the same way. Ability
// objects with a move rate get one.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Movement/MoveComponent.h"

namespace Logic
{
class ConstantMoveComponent : public MoveComponent
{
public:
    QUILL_COMPONENT_TYPE(ConstantMoveComponent)
    void Update(f32 seconds) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ConstantMoveComponent)
