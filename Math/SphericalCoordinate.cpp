#include "Math/SphericalCoordinate.h"

#include <cmath>

namespace Math
{

void SphericalCoordinate::AddRadius(f32 delta)
{
    radius += delta;
    if (radius == 0.0f)
    {
        radius = MIN_RADIUS;
    }
}

void SphericalCoordinate::AddTheta(f32 radians)
{
    theta += radians;
    WrapTheta();
}

void SphericalCoordinate::AddThetaDegrees(f32 degrees)
{
    AddTheta(degrees * DEG_TO_RAD);
}

void SphericalCoordinate::MoveCentre(const Vector4& offset)
{
    centre += offset;
}

Point4 SphericalCoordinate::OffsetPoint(const SphericalCoordinate& coordinate)
{
    const f32 sinPhi = std::sin(coordinate.phi);
    return Point4(coordinate.radius * sinPhi * std::sin(coordinate.theta),
                  coordinate.radius * std::cos(coordinate.phi),
                  coordinate.radius * sinPhi * std::cos(coordinate.theta), 1.0f);
}

Point4 SphericalCoordinate::CentrePoint(const SphericalCoordinate&)
{
    return Point4();
}

Vector4 SphericalCoordinate::OutwardDirection(const SphericalCoordinate& coordinate)
{
    Vector4 direction = OffsetPoint(coordinate) - Point4();
    direction.Normalize();
    return direction;
}

Vector4 SphericalCoordinate::InwardDirection(const SphericalCoordinate& coordinate)
{
    Vector4 direction = Point4() - OffsetPoint(coordinate);
    direction.Normalize();
    return direction;
}

} // namespace Math
