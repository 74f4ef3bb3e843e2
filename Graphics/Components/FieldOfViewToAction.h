#pragma once
// Changes the field of view of its object's camera to a target over a duration (no lane: it
// runs beside the object actions). The camera is the object's "CameraComponent"; without one the
// action finishes at once.
#include "Core/Actions/Action.h"

class FieldOfViewToAction : public Action
{
public:
    FieldOfViewToAction(f32 target, f32 duration, bool blocking);

    void Update(f32 seconds, GameObject& owner) override;

    f32 GetTarget() const { return m_target; }
    f32 GetRemainingTime() const { return m_remaining; }

private:
    f32 m_target;
    f32 m_remaining;
};
