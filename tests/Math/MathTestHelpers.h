#pragma once
// Comparisons with readable failure messages for the math unit tests.
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace MathTest
{

inline ::testing::AssertionResult Vec4Near(const Math::Vector4& actual,
                                           const Math::Vector4& expected, float tolerance = 1e-5f)
{
    if (std::fabs(actual.x - expected.x) <= tolerance &&
        std::fabs(actual.y - expected.y) <= tolerance &&
        std::fabs(actual.z - expected.z) <= tolerance &&
        std::fabs(actual.w - expected.w) <= tolerance)
    {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actual << " is not within " << tolerance << " of " << expected;
}

inline ::testing::AssertionResult
QuatNear(const Math::Quaternion& actual, const Math::Quaternion& expected, float tolerance = 1e-5f)
{
    const Math::Vector4 a(actual.w, actual.x, actual.y, actual.z);
    const Math::Vector4 e(expected.w, expected.x, expected.y, expected.z);
    return Vec4Near(a, e, tolerance) << " (quaternion as w, x, y, z)";
}

inline ::testing::AssertionResult MatNear(const Math::Matrix4& actual,
                                          const Math::Matrix4& expected, float tolerance = 1e-5f)
{
    for (int i = 0; i < 16; ++i)
    {
        if (!(std::fabs(actual.m[i] - expected.m[i]) <= tolerance))
        {
            return ::testing::AssertionFailure()
                   << "element " << i << " is " << actual.m[i] << ", expected " << expected.m[i];
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace MathTest
