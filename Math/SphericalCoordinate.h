#pragma once
// A point on a sphere about a centre, from which cameras and orbiting objects take an eye
// point, a target point and a viewing direction. Angles are radians: phi is the polar angle
// from +Y, kept within [PHI_MIN, PI - PHI_MIN]; theta is the azimuth about Y, kept within
// [0, 2 PI) by one wrap step. The offset point is
// (radius sin(phi) sin(theta), radius cos(phi), radius sin(phi) cos(theta), 1).
//
// Perspective ORBIT (1): the eye sits at centre + offset and looks at the centre.
// Perspective FIRST_PERSON (3): the eye sits at the centre and looks at centre + offset.
// Any other value counts as ORBIT once Normalize runs. The direction always runs from the
// target to the eye. A plain value: trivially copyable (the operations are function pointers).
#include "Math/Point4.h"

namespace Math
{

class SphericalCoordinate
{
public:
    // Perspective values as stored files carry them; Normalize turns any other into ORBIT.
    static constexpr s32 ORBIT = 1;
    static constexpr s32 FIRST_PERSON = 3;
    // Distance of phi from the poles, so the view direction never lines up with Y.
    static constexpr f32 PHI_MIN = 0.00002f;
    // What a radius of exactly 0 becomes.
    static constexpr f32 MIN_RADIUS = 0.00001f;

    using PointOperation = Point4 (*)(const SphericalCoordinate&);
    using VectorOperation = Vector4 (*)(const SphericalCoordinate&);

    // phi PI/2, theta 0, radius 1, centre at the origin, first person.
    constexpr SphericalCoordinate()
        : SphericalCoordinate(HALF_PI, 0.0f, 1.0f, Point4(), FIRST_PERSON)
    {
    }
    // The given values, normalised.
    constexpr SphericalCoordinate(f32 phi_, f32 theta_, f32 radius_, const Point4& centre_,
                                  s32 perspective_)
        : phi(phi_), theta(theta_), radius(radius_), centre(centre_), perspective(perspective_),
          positionOperation(nullptr), targetOperation(nullptr), directionOperation(nullptr)
    {
        Normalize();
    }

    // Brings radius, phi, theta and the perspective into range and installs the operations.
    constexpr void Normalize()
    {
        if (radius == 0.0f)
        {
            radius = MIN_RADIUS;
        }
        if (phi < PHI_MIN)
        {
            phi = PHI_MIN;
        }
        else if (phi > PI - PHI_MIN)
        {
            phi = PI - PHI_MIN;
        }
        WrapTheta();
        if (perspective != FIRST_PERSON)
        {
            perspective = ORBIT;
            positionOperation = &OffsetPoint;
            targetOperation = &CentrePoint;
            directionOperation = &OutwardDirection;
        }
        else
        {
            positionOperation = &CentrePoint;
            targetOperation = &OffsetPoint;
            directionOperation = &InwardDirection;
        }
    }

    // The eye point.
    Point4 GetPosition() const { return Translated(positionOperation(*this)); }
    // The point the eye looks at.
    Point4 GetTarget() const { return Translated(targetOperation(*this)); }
    // Unit vector from the target to the eye.
    Vector4 GetDirection() const { return directionOperation(*this); }
    bool IsOrbitPerspective() const { return perspective == ORBIT; }

    // A radius that ends up exactly 0 becomes MIN_RADIUS.
    void AddRadius(f32 delta);
    // Adds to theta, then takes one wrap step (a change beyond 2 PI stays out of range).
    void AddTheta(f32 radians);
    void AddThetaDegrees(f32 degrees);
    // Moves the centre by all four components of offset.
    void MoveCentre(const Vector4& offset);

    f32 phi;
    f32 theta;
    f32 radius;
    Point4 centre;
    s32 perspective;
    PointOperation positionOperation;
    PointOperation targetOperation;
    VectorOperation directionOperation;

private:
    constexpr void WrapTheta()
    {
        if (theta < 0.0f)
        {
            theta += TWO_PI;
        }
        else if (theta >= TWO_PI)
        {
            theta -= TWO_PI;
        }
    }
    Point4 Translated(const Point4& relative) const
    {
        return Point4(centre.x + relative.x, centre.y + relative.y, centre.z + relative.z,
                      relative.w);
    }

    static Point4 OffsetPoint(const SphericalCoordinate& coordinate);
    static Point4 CentrePoint(const SphericalCoordinate& coordinate);
    static Vector4 OutwardDirection(const SphericalCoordinate& coordinate);
    static Vector4 InwardDirection(const SphericalCoordinate& coordinate);
};

} // namespace Math
