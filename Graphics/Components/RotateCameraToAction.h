#pragma once
// Turns its object's camera to target viewing angles over a duration (no lane: it runs beside
// the object actions). The angles are phi and theta of the camera's spherical coordinate, in
// radians, both moved by the same fraction each step. The camera is the object's
// "CameraComponent"; without one the action finishes at once.
#include "Core/Actions/Action.h"
#include "Math/Vector2.h"

class RotateCameraToAction : public Action
{
public:
    // target.x is phi, target.y is theta.
    RotateCameraToAction(const Math::Vector2& target, f32 duration, bool blocking);

    void Update(f32 seconds, GameObject& owner) override;

    const Math::Vector2& GetTarget() const { return m_target; }
    f32 GetRemainingTime() const { return m_remaining; }

private:
    Math::Vector2 m_target;
    f32 m_remaining;
};
