#pragma once
// Helpers the emitter shapes share: rotations about an axis, fill factors, coins and the frame
// of the Point rule. Every random draw goes through Math::Rand, in the order the callers make
// them.
#include "Math/MathUtils.h"
#include "Math/Quaternion.h"
#include "Math/Vector4.h"
#include <cmath>

namespace Graphics
{
namespace EmitterShapeMath
{
// The variance types of radius and scale: "Fill" keeps inside the fill band, "Expand" spreads
// both ways. Any other value is taken as a factor (0: a fixed size).
constexpr int FillVariance = -1;
constexpr int ExpandVariance = 1;

inline const Math::Vector4 AxisX(1.0f, 0.0f, 0.0f, 0.0f);
inline const Math::Vector4 AxisY(0.0f, 1.0f, 0.0f, 0.0f);
inline const Math::Vector4 AxisZ(0.0f, 0.0f, 1.0f, 0.0f);

// Math::Quaternion::FromAxisAngle with the sine and cosine of the half angle taken in single
// precision, since it runs for every particle born (Math::SinCos works in double precision,
// several times slower); the results differ by at most a unit in the last place. Like SinCos,
// a sine or cosine of magnitude <= EPSILON becomes exactly 0.
inline Math::Quaternion AxisAngle(const Math::Vector4& axis, f32 radians)
{
    const f32 half = radians * 0.5f;
    f32 sine = std::sin(half);
    f32 cosine = std::cos(half);
    if (std::fabs(sine) <= Math::EPSILON)
        sine = 0.0f;
    if (std::fabs(cosine) <= Math::EPSILON)
        cosine = 0.0f;
    return Math::Quaternion(cosine, axis.x * sine, axis.y * sine, axis.z * sine);
}

inline Math::Vector4 Normalized(Math::Vector4 v)
{
    v.Normalize();
    return v;
}

// variance x f + 1, with f drawn in (lo, fill): lo = 0 for "Fill", -fill otherwise.
inline f32 FillFactor(f32 fill, int variance)
{
    const f32 low = variance == FillVariance ? 0.0f : -fill;
    return static_cast<f32>(variance) * Math::RandRange(low, fill) + 1.0f;
}

// One draw rounded half away from zero: 1 when r >= 0.5.
inline bool Coin()
{
    return Math::RoundToInt(Math::RandUnit()) == 1;
}

// The Point rule: right and up axes of the frame around the (normalised) direction d.
inline void PointBasis(Math::Vector4& d, Math::Vector4& up, Math::Vector4& right)
{
    d.Normalize();
    if (!Math::Vector4::AreParallel(d, AxisY))
    {
        right = Normalized(AxisY.Cross(d));
        up = Normalized(d.Cross(right));
    }
    else
    {
        up = Normalized(d.Cross(AxisX));
        right = Normalized(up.Cross(d));
    }
}
} // namespace EmitterShapeMath
} // namespace Graphics
