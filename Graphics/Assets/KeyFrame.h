#pragma once
// One key of an animation track: where the bone is, relative to its parent, at a time.
#include "Math/Quaternion.h"
#include "Math/Vector3.h"

namespace Graphics
{
struct KeyFrame
{
    f32 time = 0.0f; // in the unit of the animation's duration
    Math::Vector3 translation;
    Math::Quaternion rotation;
};
} // namespace Graphics
