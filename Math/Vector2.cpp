#include "Math/Vector2.h"

#include <ostream>

namespace Math
{

Vector2 Vector2::RandomDirection()
{
    const f32 y = RandRange(-1.0f, 1.0f);
    const f32 x = RandRange(-1.0f, 1.0f);
    if (std::fabs(x) < EPSILON && std::fabs(y) < EPSILON)
    {
        // Both draws vanish: pick one of the two axes instead of normalising noise.
        return RandomInt(0, 1) == 0 ? Vector2(0.0f, 1.0f) : Vector2(1.0f, 0.0f);
    }
    Vector2 direction(x, y);
    direction.Normalize();
    return direction;
}

std::ostream& operator<<(std::ostream& stream, const Vector2& v)
{
    return stream << "(" << v.x << ", " << v.y << ")";
}

} // namespace Math
