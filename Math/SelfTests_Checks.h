#pragma once
// What the self-test suites share: the check type, the suite runner, the absolute comparison,
// the forms of the random inputs, and the Vector4 checks that the quaternion suite runs too.
#include "Math/MathUtils.h"
#include "Math/SelfTests_Operations.h"

#include <cmath>
#include <initializer_list>

namespace Math
{
namespace SelfTestChecks
{
using Check = bool (*)();

// Component range of the random inputs of most checks.
constexpr f32 COMPONENT_RANGE = 100000.0f;
// Component range of quaternions and of the vectors of the length and normalisation checks,
// whose results compare against an absolute EPSILON.
constexpr f32 SMALL_RANGE = 100.0f;
// Pitch within a quarter turn either way; yaw and roll within a half turn, in degrees.
constexpr f32 PITCH_RANGE = 90.0f;
constexpr f32 TURN_RANGE = 180.0f;

// Runs the checks in order and stops at the first that fails.
inline bool RunChecks(std::initializer_list<Check> checks)
{
    for (Check check : checks)
    {
        if (!check())
        {
            return false;
        }
    }
    return true;
}

// Equal within EPSILON, absolutely.
inline bool Near(f32 a, f32 b)
{
    return std::fabs(a - b) <= EPSILON;
}

inline const SelfTestOperations& Operations()
{
    return GetSelfTestOperations();
}

inline f32 RandomComponent()
{
    return RandRange(-COMPONENT_RANGE, COMPONENT_RANGE);
}
inline f32 RandomSmall()
{
    return RandRange(-SMALL_RANGE, SMALL_RANGE);
}
inline f32 RandomPitch()
{
    return RandRange(-PITCH_RANGE, PITCH_RANGE);
}
inline f32 RandomTurn()
{
    return RandRange(-TURN_RANGE, TURN_RANGE);
}

// Checks of the Vector4 suite that the quaternion suite runs as well.
bool CheckVector4Cross();
bool CheckVector4Dot();
bool CheckVector4Length();
} // namespace SelfTestChecks
} // namespace Math
