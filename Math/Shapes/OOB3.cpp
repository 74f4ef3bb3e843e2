#include "Math/Shapes/OOB3.h"

namespace Math
{

void OOB3::GetCorners(Point4 (&corners)[CORNER_COUNT]) const
{
    const Vector4 a = axis0 * extent0;
    const Vector4 b = axis1 * extent1;
    const Vector4 c = axis2 * extent2;
    corners[0] = centre - a - b - c;
    corners[1] = centre + a - b - c;
    corners[2] = centre + a - b + c;
    corners[3] = centre - a - b + c;
    corners[4] = centre - a + b - c;
    corners[5] = centre + a + b - c;
    corners[6] = centre + a + b + c;
    corners[7] = centre - a + b + c;
}

} // namespace Math
