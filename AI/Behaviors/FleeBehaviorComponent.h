#pragma once
// Keeps away from its target: once nearer than MinDistance it runs off, turning at most
// MaxAngle per step, until farther than MaxDistance; its Attack behaviours shoot at the target
// all the while. Works in the horizontal plane.
//
// Written form: the range behaviour's (RangeBehaviorComponent.h).
#include "AI/Behaviors/RangeBehaviorComponent.h"
#include "Core/Objects/ComponentTypeId.h"

namespace AI
{
class FleeBehaviorComponent : public RangeBehaviorComponent
{
public:
    FleeBehaviorComponent();
    ~FleeBehaviorComponent() override = default;

    QUILL_COMPONENT_TYPE(FleeBehaviorComponent)

    void Step(f32 seconds) override;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::FleeBehaviorComponent)
