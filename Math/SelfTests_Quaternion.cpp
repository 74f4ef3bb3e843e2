#include "Math/SelfTests.h"
#include "Math/SelfTests_Checks.h"

#include "Math/MathConstants.h"
#include "Math/Matrix4.h"
#include "Math/Quaternion.h"

#include <cmath>
#include <iostream>

namespace Math
{
namespace
{
using namespace SelfTestChecks;

constexpr int EULER_TRIALS = 50000;
// The float just below 0.001: a round trip that loses more magnitude than this is reported.
constexpr f32 EULER_TOLERANCE = 0.0009999999f;

Quaternion RandomQuaternion()
{
    const f32 w = RandomSmall();
    const f32 x = RandomSmall();
    const f32 y = RandomSmall();
    const f32 z = RandomSmall();
    return Quaternion(w, x, y, z);
}

bool CheckDefault()
{
    const Quaternion q;
    return q.w == 1.0f && q.x == 0.0f && q.y == 0.0f && q.z == 0.0f;
}

bool CheckConstruction()
{
    const f32 w = RandomSmall();
    const f32 x = RandomSmall();
    const f32 y = RandomSmall();
    const f32 z = RandomSmall();
    const Quaternion q(w, x, y, z);
    return q.w == w && q.x == x && q.y == y && q.z == z;
}

// The quaternion taken from the axis-angle matrix against the one written out from the half
// angle. Within a quarter turn either way the trace is positive, so both have w > 0.
bool CheckFromAxisAngleMatrix()
{
    const f32 x = RandomSmall();
    const f32 y = RandomSmall();
    const f32 z = RandomSmall();
    Vector4 axis(x, y, z, 0.0f);
    axis.Normalize();
    const f32 radians = RandomPitch() * DEG_TO_RAD;
    const Matrix4 rotation = Matrix4::FromAxisAngle(axis, radians);
    Quaternion q;
    q.FromMatrix(rotation);
    Matrix4 back;
    q.ToMatrix4(back);
    f32 s, c;
    SinCos(radians * 0.5f, s, c);
    const Vector4 expected(c, axis.x * s, axis.y * s, axis.z * s);
    return !(back != rotation) && !(Vector4(q.w, q.x, q.y, q.z) != expected);
}

bool CheckNormalize()
{
    Quaternion q = RandomQuaternion();
    const Quaternion original = q;
    const f32 length = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    const f32 returned = Operations().quaternionNormalize(q);
    return Near(returned, length) && Near(q.w, original.w / length) &&
           Near(q.x, original.x / length) && Near(q.y, original.y / length) &&
           Near(q.z, original.z / length);
}

bool CheckSum()
{
    const Quaternion a = RandomQuaternion();
    const Quaternion b = RandomQuaternion();
    return a + b == Quaternion(a.w + b.w, a.x + b.x, a.y + b.y, a.z + b.z);
}

// The negated components are the same rotation.
bool CheckNegation()
{
    Quaternion q = RandomQuaternion();
    q.Normalize();
    const Quaternion negated = -1.0f * q;
    Matrix4 rotation, negatedRotation;
    q.ToMatrix4(rotation);
    negated.ToMatrix4(negatedRotation);
    return negated.w == -q.w && negated.x == -q.x && negated.y == -q.y && negated.z == -q.z &&
           negatedRotation == rotation;
}

bool CheckEquality()
{
    const Quaternion a = RandomQuaternion();
    const Quaternion copy = a;
    Quaternion changed = a;
    changed.y += 1.0f;
    return a == copy && !(a != copy) && !(a == changed) && a != changed;
}

bool CheckConstants()
{
    const Quaternion& zero = QUATERNION_ZERO;
    const Quaternion& identity = QUATERNION_IDENTITY;
    return zero.w == 0.0f && zero.x == 0.0f && zero.y == 0.0f && zero.z == 0.0f &&
           identity.w == 1.0f && identity.x == 0.0f && identity.y == 0.0f && identity.z == 0.0f;
}

// Euler angles through a quaternion and back. ToEuler answers yaw within a quarter turn either
// way, so a yaw drawn beyond that comes back as another triple of the same rotation, whose yaw
// is smaller: that trial is reported as well. Only magnitudes are compared, so an angle that
// comes back with its sign changed, or larger, is not. The trial passes whatever it reports.
bool CheckEulerTrial()
{
    for (int trial = 0; trial < EULER_TRIALS; ++trial)
    {
        const f32 pitch = RandomPitch();
        const f32 yaw = RandomTurn();
        const f32 roll = RandomTurn();
        const Vector3 drawn(pitch, yaw, roll);
        Matrix4 rotation;
        rotation.FromEuler(drawn.x, drawn.y, drawn.z);
        Quaternion q;
        q.FromMatrix(rotation);
        Matrix4 back;
        q.ToMatrix4(back);
        const Vector3 roundTrip = back.ToEuler();
        const f32 drawnAngles[3] = {drawn.x, drawn.y, drawn.z};
        const f32 roundTripAngles[3] = {roundTrip.x, roundTrip.y, roundTrip.z};
        for (int i = 0; i < 3; ++i)
        {
            if (std::fabs(drawnAngles[i]) - std::fabs(roundTripAngles[i]) > EULER_TOLERANCE)
            {
                std::cout << "\n******Euler inaccuracy!****** (on test " << trial << ")\n"
                          << drawn << "\n"
                          << roundTrip << std::endl;
                break;
            }
        }
    }
    return true;
}
} // namespace

bool TestQuaternion()
{
    return RunChecks({CheckDefault, CheckConstruction, CheckFromAxisAngleMatrix, CheckVector4Cross,
                      CheckVector4Dot, CheckVector4Length, CheckNormalize, CheckSum, CheckNegation,
                      CheckEquality, CheckConstants, CheckEulerTrial});
}

} // namespace Math
