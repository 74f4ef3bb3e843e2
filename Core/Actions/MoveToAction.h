#pragma once
// Moves its object's transform to a target position over a duration (lane 1). With orient set
// the object also turns, at every step, so that its Y axis points along the way still to go.
#include "Core/Actions/Action.h"
#include "Math/Point4.h"

class MoveToAction : public Action
{
public:
    // Below this distance to the target the way has no direction to turn to, and an oriented
    // move keeps the orientation it has.
    static constexpr f32 MinOrientDistance = 0.00001f;

    MoveToAction(const Math::Point4& target, f32 duration, bool blocking, bool orient);

    // x, y and z approach the target; the transform keeps its w. An object without a transform
    // finishes the action at once.
    void Update(f32 seconds, GameObject& owner) override;

    const Math::Point4& GetTarget() const { return m_target; }
    f32 GetRemainingTime() const { return m_remaining; }
    bool Orients() const { return m_orient; }

private:
    Math::Point4 m_target;
    f32 m_remaining;
    bool m_orient;
};
