#pragma once
// Runs at its target until nearer than MinDistance, stops there and hands the target to the
// object's Attack behaviours, and runs again once the target is farther than MaxDistance. Works
// in the horizontal plane; turns straight to the target.
//
// Written form: the range behaviour's (RangeBehaviorComponent.h).
#include "AI/Behaviors/RangeBehaviorComponent.h"
#include "Core/Objects/ComponentTypeId.h"

namespace AI
{
class SeekBehaviorComponent : public RangeBehaviorComponent
{
public:
    SeekBehaviorComponent();
    ~SeekBehaviorComponent() override = default;

    QUILL_COMPONENT_TYPE(SeekBehaviorComponent)

    void Step(f32 seconds) override;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::SeekBehaviorComponent)
