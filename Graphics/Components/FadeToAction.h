#pragma once
// Fades its object's model to a target fade value over a duration (lane 1). The value is the
// alpha of the object's "RenderComponent"; without such a component the action finishes at
// once.
#include "Core/Actions/Action.h"

class FadeToAction : public Action
{
public:
    FadeToAction(f32 target, f32 duration, bool blocking);

    void Update(f32 seconds, GameObject& owner) override;

    f32 GetTarget() const { return m_target; }
    f32 GetRemainingTime() const { return m_remaining; }

private:
    f32 m_target;
    f32 m_remaining;
};
