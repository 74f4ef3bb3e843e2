#include "Math/Vector4.h"

#include "Math/Point4.h"
#include "Math/Shapes/Segment3.h"

#include <ostream>

namespace Math
{

Vector4 Vector4::RandomDirection()
{
    const f32 z = RandRange(-1.0f, 1.0f);
    const f32 y = RandRange(-1.0f, 1.0f);
    const f32 x = RandRange(-1.0f, 1.0f);
    Vector4 direction(x, y, z, 0.0f);
    direction.Normalize();
    return direction;
}

Vector4 Vector4::RandomDirectionXY()
{
    const f32 y = RandRange(-1.0f, 1.0f);
    const f32 x = RandRange(-1.0f, 1.0f);
    Vector4 direction(x, y, 0.0f, 0.0f);
    direction.Normalize();
    return direction;
}

Vector4 Vector4::RandomDirectionXZ()
{
    const f32 z = RandRange(-1.0f, 1.0f);
    const f32 x = RandRange(-1.0f, 1.0f);
    Vector4 direction(x, 0.0f, z, 0.0f);
    direction.Normalize();
    return direction;
}

Vector4 Vector4::RandomDirectionYZ()
{
    const f32 z = RandRange(-1.0f, 1.0f);
    const f32 y = RandRange(-1.0f, 1.0f);
    Vector4 direction(0.0f, y, z, 0.0f);
    direction.Normalize();
    return direction;
}

void Vector4::Draw(const ColorRGBA* colour) const
{
    const Segment3 segment(Point4(), Point4(x, y, z, 1.0f));
    segment.Draw(colour);
}

std::ostream& operator<<(std::ostream& stream, const Vector4& v)
{
    return stream << "(" << v.x << ", " << v.y << ", " << v.z << ", " << v.w << ")";
}

void MakeOrthonormalBasis(Vector4& u, Vector4& v, const Vector4& n)
{
    if (std::fabs(n.x) >= std::fabs(n.y))
    {
        const f32 k = 1.0f / std::sqrt(n.x * n.x + n.z * n.z);
        u.x = -n.z * k;
        u.y = 0.0f;
        u.z = n.x * k;
    }
    else
    {
        const f32 k = 1.0f / std::sqrt(n.y * n.y + n.z * n.z);
        u.x = 0.0f;
        u.y = n.z * k;
        u.z = -n.y * k;
    }
    v.x = n.y * u.z - n.z * u.y;
    v.y = n.z * u.x - n.x * u.z;
    v.z = n.x * u.y - n.y * u.x;
}

} // namespace Math
