#pragma once
// Moves an object that has a rigid body: every update pushes the body with a force along the
// direction its stance accumulated since the last update (normalised when longer than 1, so
// diagonal input is no faster), times move value and move modifier, then clears the direction;
// without input it pushes nothing, so the body can come to rest (physics puts a slow body to
// sleep, which stops its drift). The object faces where its body moves; a body at rest keeps its
// orientation. An object
// without a rigid body or a transform is not moved. Characters carry one.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Movement/MoveComponent.h"

namespace Logic
{
class ForceMoveComponent : public MoveComponent
{
public:
    // Rotations whose components are all within this of 0 come from a velocity of 0.
    static constexpr f32 ZeroRotationEpsilon = 0.00001f;

    QUILL_COMPONENT_TYPE(ForceMoveComponent)
    void Update(f32 seconds) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ForceMoveComponent)
