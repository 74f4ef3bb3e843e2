#pragma once
// Scales its object's transform to a target scale over a duration (lane 1).
#include "Core/Actions/Action.h"
#include "Math/Vector3.h"

class ScaleToAction : public Action
{
public:
    ScaleToAction(const Math::Vector3& target, f32 duration, bool blocking);

    // All three axes approach the target; an object without a transform finishes at once.
    void Update(f32 seconds, GameObject& owner) override;

    const Math::Vector3& GetTarget() const { return m_target; }
    f32 GetRemainingTime() const { return m_remaining; }

private:
    Math::Vector3 m_target;
    f32 m_remaining;
};
