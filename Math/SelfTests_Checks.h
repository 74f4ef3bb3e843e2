#pragma once
// What the self-test suites of SelfTests.cpp and SelfTests_Vectors.cpp share: the check type,
// the suite runner, the float comparison and the random components of the inputs.
#include "Math/MathUtils.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace Math
{
namespace SelfTestChecks
{
using Check = bool (*)();

// Component range of the random inputs.
constexpr f32 COMPONENT_RANGE = 100000.0f;

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

// Equal within EPSILON, relative to the magnitude for values beyond 1.
inline bool Close(f32 a, f32 b)
{
    const f32 scale = std::max(1.0f, std::max(std::fabs(a), std::fabs(b)));
    return std::fabs(a - b) <= EPSILON * scale;
}

inline f32 RandomComponent()
{
    return RandRange(-COMPONENT_RANGE, COMPONENT_RANGE);
}
} // namespace SelfTestChecks
} // namespace Math
